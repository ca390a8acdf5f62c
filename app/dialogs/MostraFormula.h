// The two windows that show a formula typeset: a function or an expression (STAMPAFUNZ,
// STAMPAESPR) and a fraction (STAMPAFRAZ, and the function of x and y).
#pragma once
#include <QDialog>
#include <QString>
#include <string>

class QPushButton;
class QScrollArea;

namespace qx {

class cValore;
class TMthX;

// The printed text with its sign pairs folded, in one pass from the left over adjacent
// characters: "--" and "++" become "+ ", "-+" and "+-" become "- ", and the scan goes on
// after the pair.
QString PiegaSegni(const QString& testo);
// The infix text of a formula value (a function, an expression, a fraction or a function
// of x and y) in lower case; empty for any other value.
QString TestoFormula(const cValore& valore);

class TdlgMostraFormula : public QDialog {
 public:
  TdlgMostraFormula(const QString& caption, QWidget* parent);

  QScrollArea* ScrollBox1;
  TMthX* MthX1;
  QPushButton* OKBtn;  // "&Chiudi"
  // The value shown while the window is open (nothing otherwise).
  const cValore* Valore = nullptr;

  // Shows the value under the caption until the window is closed.
  void Mostra(const std::string& caption, const cValore& valore);

 protected:
  void showEvent(QShowEvent* event) override;
  // The text the formula view gets for the value.
  virtual QString Testo(const cValore& valore) const = 0;
};

class TdlgShowFun : public TdlgMostraFormula {
 public:
  explicit TdlgShowFun(QWidget* parent = nullptr);

 protected:
  QString Testo(const cValore& valore) const override { return PiegaSegni(TestoFormula(valore)); }
};

class TdlgShowFraz : public TdlgMostraFormula {
 public:
  explicit TdlgShowFraz(QWidget* parent = nullptr);

 protected:
  QString Testo(const cValore& valore) const override { return TestoFormula(valore); }
};

}  // namespace qx
