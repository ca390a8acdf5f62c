// The language through the real window: a program that waits for a point, a pick, a
// two-choice picker, a number and a question, answered with QTest's mouse and keys, leaves
// the same variables as the headless runner given the same answers in its answers file.
// And the "?" menu's about box.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
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

// The "#var" lines of a run of qxrun, or the failure as the only line.
std::vector<std::string> VariabiliQxrun(const char* programma, const char* risposte) {
  QTemporaryDir cartella;
  const QString p = cartella.filePath("programma.txt"), r = cartella.filePath("risposte.txt");
  for (const auto& [nome, testo] : {std::pair{p, programma}, std::pair{r, risposte}}) {
    QFile f(nome);
    if (!f.open(QIODevice::WriteOnly)) return {"cannot write " + nome.toStdString()};
    f.write(testo);
  }
  QProcess qxrun;
  qxrun.start(QStringLiteral(QUORIX_QXRUN), {"--vars", "--answers", r, p});
  if (!qxrun.waitForFinished(60000)) return {"qxrun did not end"};
  if (qxrun.exitCode() != 0) return {"qxrun: " + qxrun.readAllStandardError().toStdString()};
  std::vector<std::string> righe;
  for (const QString& riga : QString::fromUtf8(qxrun.readAllStandardOutput()).split('\n'))
    if (riga.startsWith("#var ")) righe.push_back(riga.toStdString());
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
