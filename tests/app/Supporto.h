// What the tests of the main window share: the application object, a main window ready
// for use, a helper that answers the modal boxes as a user would, and the user's actions
// played while a run lets the messages through.
#pragma once
#include <QAction>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Editori.h"
#include "app/PaintBoxQt.h"
#include "app/Tfrm3.h"
#include "controls/midi/ServiziSuono.h"
#include "runstate/DatiGlob.h"
#include "values/Variabili.h"

class QDialog;
class QMessageBox;
class QScreen;
class QWidget;

namespace qx::test {

// The application object: the test program's main makes it; this makes one when it has not.
void Applicazione();
// Whether the windows show on a real X server (the one xvfb-run starts).
bool ServerX();

// A main window after its first activation, with the run state as at start-up; its sound
// is only recorded (Registro()). Shown on the screen given (the application's first by
// default), where it is maximised as the desktop does.
struct FinestraAperta {
  explicit FinestraAperta(std::vector<std::string> parametri = {}, QScreen* schermo = nullptr);
  ~FinestraAperta();
  Tfrm3& f() { return *finestra; }
  std::unique_ptr<Tfrm3> finestra;
};

// A box or dialog that the helper answered.
struct Modale {
  QString titolo, testo;
};

// Answers the modal windows as they open, in order: each answer is given the window and
// presses a button or fills and accepts it. A box with no answer left is answered with its
// escape button (Cancel, No or OK) and counted in `SenzaRisposta`.
class RispondiModali {
 public:
  RispondiModali();
  ~RispondiModali();
  using Risposta = std::function<void(QDialog&)>;
  // Presses the box's standard button (QMessageBox::Yes, QMessageBox::Cancel, ...).
  void Premi(int pulsante);
  void Aggiungi(Risposta r) { risposte_.push_back(std::move(r)); }
  std::vector<Modale> Visti;
  int SenzaRisposta = 0;

 private:
  void Controlla();
  std::deque<Risposta> risposte_;
  QTimer timer_;
};

// Plays an action once, at the first message pump at which the condition holds.
class Quando {
 public:
  Quando(std::function<bool()> condizione, std::function<void()> azione);
  bool Eseguita() const { return eseguita_; }

 private:
  QTimer timer_;
  bool eseguita_ = false;
};

// A hand that clicks at a person's pace, one click after another, each on its widget and
// pixel: the button goes down while the program waits for the mouse, and comes up only
// after the program reacted to the press: once it went on to another wait, or let the
// messages through again still waiting on the same one. The next click goes down at a later
// pump, again while the program waits. A press whose release the run never came back for
// (the program ended) is released by Finisci. Before the button comes up, the hand may press
// the right one too and let it go (a chord), then move through some pixels (a slip, a
// stroke): the button comes up where the last move left it. An instant hand presses and releases in
// one step instead, as scripts do, and makes neither.
class Mano {
 public:
  struct Clic {
    QWidget* area;
    QPoint pixel;
    std::vector<QPoint> via = {};
    bool accordo = false;
  };
  Mano(Tfrm3& f, std::vector<Clic> clic, bool istantanea = false);
  int Fatti() const { return fatti_; }  // the clicks whose button has come up
  void Finisci();

 private:
  void Passo();
  Tfrm3& f_;
  std::vector<Clic> clic_;
  bool istantanea_;
  QTimer timer_;
  int fatti_ = 0;
  bool premuto_ = false;
  std::uint64_t attesa_ = 0, pompa_ = 0;
  bool pompaDopoRilascio_ = true;
};

// Colour of an image's pixel as the toolkit's number.
TColor Pixel(const QImage& immagine, int x, int y);
// Whether any pixel of the rectangle has exactly that colour.
bool ContieneColore(const QImage& immagine, const QRect& area, TColor colore);
// The items of the object list, as their mark-up captions.
std::vector<std::string> VociLista(Tfrm3& f);
// No text at all: no line, or one empty line (an editor keeps one after its text is cut).
bool SenzaTesto(const TSrcEditFinestra& e);
// Types text into an editor with the keyboard.
void Digita(QWidget* editor, const QString& testo);
// Clicks a tool bar's button.
void Clicca(Tfrm3& f, QAction* azione);
// The 2D area made exactly w x h pixels: the frame's origin then sits at (1, h - 1).
void DimensioniArea(Tfrm3& f, int w, int h);
// Types the program into the program editor and runs it with "Esegui".
void EseguiTesto(Tfrm3& f, const std::string& programma);
// The pixel of a world point of the frame.
QPoint PixelDi(long double x, long double y);
// The space view shown and made exactly w x h pixels; the view's widget.
QWidget* DimensioniSpazio(Tfrm3& f, int w, int h);
// The pixel of the space view where a point of space is seen.
QPoint PixelNelloSpazio(float x, float y, float z);
// The square of side 2r + 1 around a pixel.
inline QRect Intorno(const QPoint& p, int r) { return QRect(p.x() - r, p.y() - r, 2 * r + 1, 2 * r + 1); }

// The window with its drawing area 400 x 300 pixels.
struct Finestra400x300 : FinestraAperta {
  Finestra400x300() { DimensioniArea(f(), 400, 300); }
};
// The value of a variable, nullptr when there is none (or it is of another class).
template <typename T = cValore>
T* ValoreDi(const std::string& nome) {
  const cListaVariabili* l = DatiGlob.ListaVariabili;
  const cVariabile* v = l ? l->Cerca(nome) : nullptr;
  return v ? dynamic_cast<T*>(v->GetValore()) : nullptr;
}

}  // namespace qx::test
