// The pupil at the keyboard: the steps that answer the modal windows, in the order they
// open. Each step is given the window that has just opened and drives it with QTest keys
// and mouse, as a user would. A window that opens with no step left is cancelled and counted,
// and a window left open by its step is cancelled after a generous while, so that a faulty
// test fails instead of hanging.
#pragma once
#include <QDialog>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <functional>
#include <string>
#include <vector>

class QAbstractButton;
class QLineEdit;
class QWidget;

namespace qx {
class TStringGrid;
}

namespace qx::test {

class Utente : public QObject {
 public:
  Utente();
  ~Utente() override;

  using Passo = std::function<void(QDialog&)>;
  void Poi(Passo passo) { passi_.push_back(std::move(passo)); }
  // The captions of the windows that opened, in order.
  std::vector<QString> Finestre;
  int SenzaRisposta = 0;
  int Abbandonate = 0;
  bool Finito() const { return passi_.empty(); }

 protected:
  bool eventFilter(QObject* oggetto, QEvent* evento) override;

 private:
  void Esegui(QPointer<QDialog> finestra);
  std::deque<Passo> passi_;
  QTimer guardia_;
  QPointer<QDialog> ultima_;
};

// Clicks a button with the left mouse button.
void Clicca(QAbstractButton* pulsante);
// Empties a line edit and types the text into it with the keyboard.
void Scrivi(QLineEdit* casella, const QString& testo);
// Clicks a cell of a grid, opens its editor with F2, selects all and types the text over
// it, ending with Enter.
void ScriviCella(qx::TStringGrid& griglia, int col, int row, const QString& testo);
// A child of the window by its object name, or a test failure.
template <typename T>
T* Figlio(QWidget& finestra, const char* nome) {
  return finestra.findChild<T*>(QString::fromLatin1(nome));
}

}  // namespace qx::test
