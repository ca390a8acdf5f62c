// The language through the real window: a program that waits for a point, a pick, a
// two-choice picker, a number and a question, answered with QTest's mouse and keys, leaves
// the same variables as the headless runner given the same answers in its answers file.
// And the "?" menu's about box.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/dialogs/AboutBox.h"
#include "app/dialogs/Domanda.h"
#include "app/dialogs/LeggiNum.h"
#include "app/dialogs/Sceglitori.h"
#include "interpreter/Ambiente.h"
#include "runstate/DatiGlob.h"
#include "tests/app/Supporto.h"

namespace qx::test {
namespace {

const char* const kProgramma =
    "A = PUNTO(1, 1);\n"
    "C = CIRC(PUNTO(4, 3), 2);\n"
    "D = CIRC(PUNTO(6, 3), 2);\n"
    "P = PUNTO;\n"
    "Q = SCEGLIPUNTO;\n"
    "I = INTERSEZIONE(C, D);\n"
    "N = LEGGINUM(\"Quanti lati?\");\n"
    "S = DOMANDA(\"Continuo?\");\n"
    "STAMPA(N, \" \", S);\n";

// The same answers for the headless runner, in the order the run asks.
const char* const kRisposte = "CLIC 2 1\nCLIC 1 1\n2\n32\nSI\n";

bool PianoPredefinito(const std::string& nome) { return nome == "PIANOXY" || nome == "PIANOYZ" || nome == "PIANOXZ"; }

// The variables as the headless runner lists them.
std::vector<std::string> Variabili() {
  std::vector<std::string> righe;
  const cListaVariabili& t = *DatiGlob.ListaVariabili;
  for (int i = t.Count(); i >= 1; --i) {
    const cVariabile* v = t.Elemento(i);
    if (PianoPredefinito(v->Nome)) continue;
    righe.push_back("#var " + v->Nome + "\t" + NomeMembroTipo(v->Tipo) + "\t" + TestoValore(*v->GetValore()));
  }
  return righe;
}

// Runs qxrun on the program with the answers and the options before them; its standard
// output, or the failure as the only line.
std::vector<std::string> Qxrun(const char* programma, const char* risposte, QStringList opzioni) {
  QTemporaryDir cartella;
  const QString p = cartella.filePath("programma.txt"), r = cartella.filePath("risposte.txt");
  for (const auto& [nome, testo] : {std::pair{p, programma}, std::pair{r, risposte}}) {
    QFile f(nome);
    if (!f.open(QIODevice::WriteOnly)) return {"cannot write " + nome.toStdString()};
    f.write(testo);
  }
  QProcess qxrun;
  qxrun.start(QStringLiteral(QUORIX_QXRUN), opzioni << "--answers" << r << p);
  if (!qxrun.waitForFinished(60000)) return {"qxrun did not end"};
  if (qxrun.exitCode() != 0) return {"qxrun: " + qxrun.readAllStandardError().toStdString()};
  std::vector<std::string> righe;
  for (const QString& riga : QString::fromUtf8(qxrun.readAllStandardOutput()).split('\n'))
    if (!riga.isEmpty()) righe.push_back(riga.toStdString());
  return righe;
}

// The "#var" lines of a run of qxrun, or the failure as the only line.
std::vector<std::string> VariabiliQxrun(const char* programma, const char* risposte) {
  std::vector<std::string> righe;
  for (std::string& riga : Qxrun(programma, risposte, {"--vars"}))
    if (riga.starts_with("#var ") || riga.starts_with("qxrun")) righe.push_back(std::move(riga));
  return righe;
}

TEST(Linguaggio, OgniAttesaRispostaNellaFinestraLasciaICValoriDelRunnerSenzaFinestra) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  DimensioniArea(f, 400, 300);
  Quando punto([] { return DatiGlob.bAttesaPunto; },
               [&] { QTest::mouseClick(f.pbRifCart, Qt::LeftButton, Qt::NoModifier, PixelDi(2, 1)); });
  // PUNTO waits on the pick's flag too: the prompt tells the two waits apart.
  Quando scelta([&] { return DatiGlob.bAttesaScegliPunto && f.pnlMess->text() == "Seleziona un Punto"; }, [&] {
    QTest::mouseMove(f.pbRifCart, PixelDi(1, 1));
    QTest::mouseClick(f.pbRifCart, Qt::LeftButton, Qt::NoModifier, PixelDi(1, 1));
  });
  RispondiModali risposte;
  risposte.Aggiungi([](QDialog& d) {
    auto& s = static_cast<TdlgInters2s&>(d);
    QTest::mouseClick(s.RadioButton2, Qt::LeftButton);
    QTest::mouseClick(s.OKButton, Qt::LeftButton);
  });
  risposte.Aggiungi([](QDialog& d) {
    auto& n = static_cast<TfrmLeggiNum&>(d);
    n.Edit1->setFocus();
    QTest::keyClicks(n.Edit1, "2^5");
    QTest::mouseClick(n.BitBtn1, Qt::LeftButton);
  });
  risposte.Aggiungi([](QDialog& d) { QTest::mouseClick(static_cast<TdlgDomanda&>(d).Button1, Qt::LeftButton); });
  EseguiTesto(f, kProgramma);
  ASSERT_TRUE(punto.Eseguita());
  ASSERT_TRUE(scelta.Eseguita());
  std::vector<QString> finestre;
  for (const Modale& m : risposte.Visti) finestre.push_back(m.titolo);
  EXPECT_EQ(finestre, (std::vector<QString>{"Intersezione", "LeggiNum", "DOMANDA"}));
  EXPECT_EQ(risposte.SenzaRisposta, 0);
  EXPECT_EQ(f.reoutput->toPlainText(), "> 32 VERO");
  const std::vector<std::string> finestra = Variabili();
  ASSERT_EQ(finestra.size(), 8u);
  EXPECT_EQ(finestra[3], "#var P\tT_PUNTO\tPunto: P (2, 1)");
  EXPECT_EQ(VariabiliQxrun(kProgramma, kRisposte), finestra);
}

// The runner's picture is painted as the window paints its own: on a new sheet, with only
// the values that are left, and the picks no longer highlighted once the run ends well.
// Before, a frame's clear brush kept every earlier drawing (the moved P, the deleted Q),
// the picked A and B stayed yellow, and the fill and background colours showed nothing.
TEST(Linguaggio, IlDisegnoDelRunnerMostraSoloIValoriRimasti) {
  QTemporaryDir cartella;
  const QString png = cartella.filePath("quadro.png");
  const std::vector<std::string> uscita = Qxrun(
      "RIFCART(20, 20);\n"
      "COLORESFONDO(200, 255, 200);\n"
      "PER (I DA 1 A 3) ESEGUI;\n  P = PUNTO(I, 1);\nFINE;\n"
      "Q = PUNTO(-2, -2);\nCANCELLA(Q);\n"
      "COLORERIEMPIMENTO(255, 0, 0);\n"
      "T = POLIGONO(PUNTO(-4, 2), PUNTO(-1, 2), PUNTO(-1, 4));\n"
      "A = PUNTO(2, -3);\nB = PUNTO(4, -3);\nS = SEGMENTO;\n",
      "CLIC 2 -3\nCLIC 4 -3\n", {"--png", png, "--size", "200x200"});
  ASSERT_TRUE(uscita.empty()) << uscita.front();
  const QImage quadro(png);
  ASSERT_EQ(quadro.size(), QSize(200, 200));
  // The origin is in the middle, 20 pixels a unit.
  const auto colore = [&](int x, int y) { return quadro.pixelColor(100 + 20 * x, 100 - 20 * y).rgb() & 0xFFFFFF; };
  const QRgb sfondo = 0xC8FFC8, blu = 0x0000FF;
  EXPECT_EQ(colore(-4, -4), sfondo) << "the background colour";
  EXPECT_EQ(colore(1, 1), sfondo) << "P's first place";
  EXPECT_EQ(colore(2, 1), sfondo) << "P's second place";
  EXPECT_EQ(colore(3, 1), blu) << "P where it is";
  EXPECT_EQ(colore(-2, -2), sfondo) << "the deleted Q";
  EXPECT_EQ(quadro.pixelColor(60, 47).rgb() & 0xFFFFFF, 0xFF0000u) << "the fill colour inside T";
  EXPECT_EQ(colore(2, -3), blu) << "A, no longer highlighted";
  EXPECT_EQ(colore(4, -3), blu) << "B, no longer highlighted";
  int gialli = 0;
  for (int y = 0; y < quadro.height(); ++y)
    for (int x = 0; x < quadro.width(); ++x) gialli += (quadro.pixel(x, y) & 0xFFFFFF) == 0xFFFF00;
  EXPECT_EQ(gialli, 0);
}

TEST(Linguaggio, IlMenuInformazioniApreLaFinestraAbout) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  QString versione, prodotto;
  RispondiModali risposte;
  risposte.Aggiungi([&](QDialog& d) {
    auto& about = static_cast<TAboutBox&>(d);
    versione = about.Version->text();
    prodotto = about.ProductName->text();
    QTest::mouseClick(about.OKButton, Qt::LeftButton);
  });
  f.Informazionisu1->trigger();
  ASSERT_EQ(risposte.Visti.size(), 1u);
  EXPECT_EQ(risposte.Visti[0].titolo, "About");
  EXPECT_EQ(prodotto, "Quorix");
  EXPECT_EQ(versione, "Versione 3.0");
}

}  // namespace
}  // namespace qx::test
