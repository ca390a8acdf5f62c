// Typesetting of the lower-case infix text that the formula view shows: "(x+1)/(x-1)" as a
// fraction with its bar, "(x^2)" as x with a raised, smaller 2, "sqrt(x)" under a radical
// sign, "abs(x)" between bars, calls with parentheses that grow with their argument.
// The text is read into a small tree, which is laid out as nested boxes and drawn with
// QPainter. A text that does not read as a formula is shown as it is.
#pragma once
#include <QFont>
#include <QPainter>
#include <QString>
#include <memory>
#include <vector>

namespace qx::formula {

// The tree of a formula text.
struct Nodo {
  enum Tipo { Numero, Nome, Testo, Meno, Binario, Potenza, Chiamata };
  Tipo tipo = Testo;
  QString testo;  // the number, the name, the function, or the whole unread text
  QChar op;       // of a binary node: '=', '+', '-', '*', '/'
  std::vector<std::unique_ptr<Nodo>> figli;
};

// formula := sum ["=" sum]; nothing when the text does not read as a whole, or has more
// than kMaxSimboli pieces (numbers, names, signs).
std::unique_ptr<Nodo> Leggi(const QString& testo);
constexpr std::size_t kMaxSimboli = 1000;

// A laid-out piece: its width and its extent above and below the baseline, in pixels.
class Scatola {
 public:
  virtual ~Scatola() = default;
  qreal Larghezza = 0, Ascesa = 0, Discesa = 0;
  qreal Altezza() const { return Ascesa + Discesa; }
  // Draws with the left end of the baseline at (x, y).
  virtual void Disegna(QPainter& p, qreal x, qreal y) const = 0;
};

// The laid-out formula in the font (its pixel size is the size of the main line); a text
// that does not read is laid out as plain text.
std::unique_ptr<Scatola> Componi(const QString& testo, const QFont& font);

}  // namespace qx::formula
