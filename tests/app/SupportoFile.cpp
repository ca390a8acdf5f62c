#include "tests/app/SupportoFile.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <fstream>
#include <sstream>

#include "runstate/DatiGlob.h"

namespace qx::test {

CartellaProgramma::CartellaProgramma() : prima_(DatiGlob.CartellaProgramma) {
  DatiGlob.CartellaProgramma = Percorso();
}

CartellaProgramma::~CartellaProgramma() { DatiGlob.CartellaProgramma = prima_; }

std::string CartellaProgramma::Percorso(const std::string& nome) const {
  return dir_.path().toStdString() + "/" + nome;
}

void RispondiConFile(RispondiModali& risposte, const std::string& nome) {
  risposte.Aggiungi([nome](QDialog& d) {
    auto* f = qobject_cast<QFileDialog*>(&d);
    auto* casella = f ? f->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
    if (!casella) {
      d.reject();
      return;
    }
    // Typed whole: the completer's list of names, which typing opens, is not what is tested.
    casella->setFocus();
    casella->setText(QString::fromStdString(nome));
    QTest::keyClick(casella, Qt::Key_Return);
    // A dialog that stayed open (a name it did not take) is not left hanging.
    if (d.isVisible()) d.reject();
  });
}

std::string LeggiFile(const std::string& percorso) {
  std::ifstream f(percorso, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

void ScriviFile(const std::string& percorso, const std::string& dati) {
  std::ofstream(percorso, std::ios::binary) << dati;
}

void Istruzione(Tfrm3& f, const std::string& testo, QPointF da, QPointF a) {
  RispondiModali errori;
  Quando diagramma([] { return DatiGlob.bAttesaDiagramma; },
                   [&] {
                     const QPoint p = PixelDi(da.x(), da.y()), q = PixelDi(a.x(), a.y());
                     QTest::mousePress(f.pbRifCart, Qt::LeftButton, Qt::NoModifier, p);
                     QTest::mouseMove(f.pbRifCart, (p + q) / 2);
                     QTest::mouseMove(f.pbRifCart, q);
                     QTest::mouseRelease(f.pbRifCart, Qt::LeftButton, Qt::NoModifier, q);
                   });
  Digita(f.edIstruzione, QString::fromStdString(testo));
  QTest::keyClick(f.edIstruzione, Qt::Key_Return);
  EXPECT_FALSE(DatiGlob.bStop) << testo;
  EXPECT_EQ(errori.SenzaRisposta, 0) << testo;
}

QImage CanvasMostrato(Tfrm3& f) {
  QCoreApplication::processEvents();
  return f.ImmagineRifCart().copy();
}

std::string PrimaDifferenza(const QImage& a, const QImage& b) {
  if (a == b) return "";
  if (a.size() != b.size()) return "other size";
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
  return "";
}

void Attiva(QWidget& finestra) {
  QApplication::setActiveWindow(&finestra);
}

void DigitaNelFuoco(const QString& testo) {
  for (const QChar c : testo) QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

void TastoNelFuoco(Qt::Key tasto, Qt::KeyboardModifiers modificatori) {
  QTest::keyClick(QApplication::focusWidget(), tasto, modificatori);
  // What a key leaves queued (a grid commits its cell after Enter) is done before the next.
  QCoreApplication::processEvents();
}

}  // namespace qx::test
