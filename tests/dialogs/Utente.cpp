#include "tests/dialogs/Utente.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QTest>

#include "controls/StringGrid.h"

namespace qx::test {

Utente::Utente() {
  qApp->installEventFilter(this);
  // Only a faulty test leaves a window open this long: it is cancelled so that the test
  // fails instead of hanging.
  guardia_.setInterval(20000);
  connect(&guardia_, &QTimer::timeout, this, [this] {
    if (QWidget* w = QApplication::activeModalWidget())
      if (auto* d = qobject_cast<QDialog*>(w)) {
        ++Abbandonate;
        d->reject();
      }
  });
  guardia_.start();
}

Utente::~Utente() { qApp->removeEventFilter(this); }

bool Utente::eventFilter(QObject* oggetto, QEvent* evento) {
  if (evento->type() == QEvent::Show) {
    auto* d = qobject_cast<QDialog*>(oggetto);
    if (d && d->isWindow() && d->isModal()) {
      Finestre.push_back(d->windowTitle());
      // The step runs from the window's own event loop, once the window is up.
      QPointer<QDialog> finestra(d);
      QTimer::singleShot(0, this, [this, finestra] { Esegui(finestra); });
    }
  }
  return QObject::eventFilter(oggetto, evento);
}

void Utente::Esegui(QPointer<QDialog> finestra) {
  if (!finestra || !finestra->isVisible()) return;
  guardia_.start();
  if (passi_.empty()) {
    ++SenzaRisposta;
    finestra->reject();
    return;
  }
  // The window a user works in is the active one.
  QApplication::setActiveWindow(finestra);
  Passo passo = std::move(passi_.front());
  passi_.pop_front();
  passo(*finestra);
}

void Clicca(QAbstractButton* pulsante) {
  QTest::mouseClick(pulsante, Qt::LeftButton, Qt::NoModifier, pulsante->rect().center());
}

void Scrivi(QLineEdit* casella, const QString& testo) {
  casella->setFocus();
  casella->selectAll();
  QTest::keyClick(casella, Qt::Key_Delete);
  for (QChar c : testo) {
    if (c.unicode() < 128) {
      QTest::keyClick(casella, c.toLatin1());
    } else {
      // A key that the keyboard map does not name, with its character.
      QTest::sendKeyEvent(QTest::Press, casella, Qt::Key_unknown, QString(c), Qt::NoModifier);
      QTest::sendKeyEvent(QTest::Release, casella, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
}

void ScriviCella(TStringGrid& griglia, int col, int row, const QString& testo) {
  griglia.setFocus();
  QTest::mouseClick(griglia.viewport(), Qt::LeftButton, Qt::NoModifier, griglia.CellRect(col, row).center());
  // F2 opens the cell's editor; all of its text is selected, so that typing replaces it.
  QTest::keyClick(&griglia, Qt::Key_F2);
  if (griglia.EditorVisible()) QTest::keyClick(griglia.InplaceEditor(), Qt::Key_A, Qt::ControlModifier);
  for (QChar c : testo) {
    QWidget* bersaglio = griglia.EditorVisible() ? static_cast<QWidget*>(griglia.InplaceEditor()) : &griglia;
    QTest::keyClick(bersaglio, c.toLatin1());
  }
  QWidget* bersaglio = griglia.EditorVisible() ? static_cast<QWidget*>(griglia.InplaceEditor()) : &griglia;
  QTest::keyClick(bersaglio, Qt::Key_Return);
}

}  // namespace qx::test
