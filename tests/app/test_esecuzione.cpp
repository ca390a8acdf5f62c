// Runs through the real window: programs typed with the keyboard, run whole, step by step
// and from the command bar, stopped while they wait, and their errors shown in the editor.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QTextBlock>
#include <QLabel>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "app/PaintBoxQt.h"
#include "app/ServiziFinestra.h"
#include "interpreter/Ambiente.h"
#include "runstate/DatiGlob.h"
#include "tests/app/Supporto.h"
#include "values/RifCart.h"
#include "values/Variabili.h"
#include "values/figure/ListaValGraf.h"

namespace qx::test {
namespace {

// The program editor's picture, where a line's colours can be probed.
QImage ImmagineEditor(Tfrm3& f) {
  f.MemoSource->viewport()->repaint();
  return f.MemoSource->viewport()->grab().toImage();
}

// The rectangle of a 1-based line of the program editor, in its viewport.
QRect RigaEditor(Tfrm3& f, int riga) {
  const QPoint p = f.MemoSource->RowColumnToPixels({1, f.MemoSource->LineToRow(riga)});
  return QRect(f.MemoSource->GutterWidth(), p.y(), f.MemoSource->viewport()->width() - f.MemoSource->GutterWidth(),
               f.MemoSource->LineHeight());
}

TEST(Esecuzione, UnCerchioScrittoNelProgrammaEdEseguito) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  Digita(f.MemoSource, "C = CIRC(PUNTO(5, 5), 2);");
  Clicca(f, f.Esegui1);

  const QImage img = f.ImmagineRifCart();
  const cRifCart& r = *DatiGlob.RifCart;
  ASSERT_EQ(img.width(), f.pbRifCart->width());
  // Every point of the circle lands on a blue pixel (or next to one: the outline is one pixel).
  int trovati = 0;
  for (int k = 0; k < 36; ++k) {
    const long double t = k * std::numbers::pi_v<long double> / 18;
    const int x = r.XPixel(5 + 2 * std::cos(t)), y = r.YPixel(5 + 2 * std::sin(t));
    if (ContieneColore(img, QRect(x - 1, y - 1, 3, 3), clBlue)) ++trovati;
  }
  EXPECT_EQ(trovati, 36);
  // The centre is not painted: the brush is clear.
  EXPECT_NE(Pixel(img, r.XPixel(5), r.YPixel(5)), clBlue);
  EXPECT_EQ(VociLista(f), std::vector<std::string>{"<b><c:Blue>Circonferenza </b><c:WindowText>C"});
  EXPECT_TRUE(f.reoutput->toPlainText().isEmpty());
  EXPECT_FALSE(f.tbtTerminaEsecuzione->isEnabled());
  EXPECT_FALSE(DatiGlob.bInEsecuzione);
  // A run marks the program modified: the values it made belong to the work.
  EXPECT_TRUE(f.MemoSource->Modified());
  EXPECT_FALSE(f.MemoSource->ReadOnly());
}

TEST(Esecuzione, LaBarraDeiComandiEsegueEAggiungeAlProgramma) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  Digita(f.edIstruzione, "C = CIRC(PUNTO(5, 5), 2);");
  QTest::keyClick(f.edIstruzione, Qt::Key_Return);
  EXPECT_EQ(RigheEditor(*f.MemoSource), std::vector<std::string>{"C = CIRC(PUNTO(5, 5), 2);"});
  EXPECT_TRUE(f.MemoSource->Modified());
  const cRifCart& r = *DatiGlob.RifCart;
  EXPECT_TRUE(ContieneColore(f.ImmagineRifCart(), QRect(r.XPixel(7) - 1, r.YPixel(5) - 1, 3, 3), clBlue));
  EXPECT_EQ(VociLista(f).size(), 1u);
  EXPECT_FALSE(f.tbtTerminaEsecuzione->isEnabled());
  // Afterwards the bar has the focus with its text selected, ready for the next statement.
  EXPECT_TRUE(f.edIstruzione->hasFocus());
  EXPECT_TRUE(f.edIstruzione->SelectionAvailable());

  // A wrong statement shows its error and stays out of the program.
  RispondiModali risposte;
  risposte.Premi(QMessageBox::Ok);
  ImpostaTestoEditor(*f.edIstruzione, "D = CIRC(;");
  QTest::keyClick(f.edIstruzione, Qt::Key_Return);
  ASSERT_EQ(risposte.Visti.size(), 1u);
  EXPECT_EQ(risposte.Visti[0].titolo, "Errore");
  EXPECT_EQ(RigheEditor(*f.MemoSource).size(), 1u);
  EXPECT_EQ(DatiGlob.ListaVariabili->Cerca("D"), nullptr);
  // Ctrl+Enter breaks the line instead of running.
  ImpostaTestoEditor(*f.edIstruzione, "A = 1;");
  QTest::keyClick(f.edIstruzione, Qt::Key_End);
  QTest::keyClick(f.edIstruzione, Qt::Key_Return, Qt::ControlModifier);
  EXPECT_EQ(RigheEditor(*f.edIstruzione).size(), 2u);
  EXPECT_EQ(DatiGlob.ListaVariabili->Cerca("A"), nullptr);
  // The release of an Enter pressed elsewhere (a dialog closed with it) runs nothing.
  ImpostaTestoEditor(*f.edIstruzione, "A = 1;");
  QTest::keyRelease(f.edIstruzione, Qt::Key_Return);
  EXPECT_EQ(DatiGlob.ListaVariabili->Cerca("A"), nullptr);
  EXPECT_EQ(RigheEditor(*f.MemoSource).size(), 1u);
  QTest::keyPress(f.edIstruzione, Qt::Key_Return);
  QTest::keyRelease(f.edIstruzione, Qt::Key_Return);
  EXPECT_NE(DatiGlob.ListaVariabili->Cerca("A"), nullptr);
  EXPECT_EQ(RigheEditor(*f.MemoSource).size(), 2u);
}

TEST(Esecuzione, PassoPassoSiFermaDopoLaPrimaIstruzioneEdEseguiVaAllaFine) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  ImpostaTestoEditor(*f.MemoSource, "A = 1;\nB = 2;\nC = 3;");
  int pause = 0;
  bool rigaBlu = false, secondaBianca = false;
  Quando prima([] { return DatiGlob.bAttesaPasso; }, [&] {
    ++pause;
    EXPECT_EQ(DatiGlob.ListaVariabili->Cerca("A") != nullptr, true);
    EXPECT_EQ(DatiGlob.ListaVariabili->Cerca("B"), nullptr);
    const QImage img = ImmagineEditor(f);
    rigaBlu = ContieneColore(img, RigaEditor(f, 1), clBlue);
    secondaBianca = !ContieneColore(img, RigaEditor(f, 2), clBlue);
    Clicca(f, f.Esegui1);
  });
  Quando seconda([&] { return prima.Eseguita() && DatiGlob.bAttesaPasso; }, [&] {
    ++pause;
    Clicca(f, f.Esegui1);
  });
  Clicca(f, f.EseguiPassoPasso1);
  EXPECT_EQ(pause, 1);
  EXPECT_TRUE(rigaBlu);
  EXPECT_TRUE(secondaBianca);
  EXPECT_NE(DatiGlob.ListaVariabili->Cerca("C"), nullptr);
  EXPECT_FALSE(DatiGlob.bPassoPasso);
  EXPECT_FALSE(DatiGlob.bInEsecuzione);
  // The running line is not coloured once the run is over.
  EXPECT_FALSE(ContieneColore(ImmagineEditor(f), RigaEditor(f, 1), clBlue));
}

TEST(Esecuzione, PassoPassoAvanzaDiUnaIstruzioneAllaVolta) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  ImpostaTestoEditor(*f.MemoSource, "A = 1;\nB = 2;\nC = 3;");
  std::vector<int> variabili;
  Quando p1([] { return DatiGlob.bAttesaPasso; }, [&] {
    variabili.push_back(DatiGlob.ListaVariabili->Count());
    Clicca(f, f.EseguiPassoPasso1);
  });
  Quando p2([&] { return p1.Eseguita() && DatiGlob.bAttesaPasso; }, [&] {
    variabili.push_back(DatiGlob.ListaVariabili->Count());
    Clicca(f, f.EseguiPassoPasso1);
  });
  Clicca(f, f.EseguiPassoPasso1);
  // The table starts with the three planes of the space walls that every reset makes.
  EXPECT_EQ(variabili, (std::vector<int>{4, 5}));
  EXPECT_EQ(DatiGlob.ListaVariabili->Count(), 6);
}

TEST(Esecuzione, LaRigaDellErroreRestaRossaFinoAlPrimoTasto) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  ImpostaTestoEditor(*f.MemoSource, "A = 1;\nB = 2;\nC = 3;\nD = PIPPO(2);\nE = 5;");
  RispondiModali risposte;
  risposte.Premi(QMessageBox::Ok);
  Clicca(f, f.Esegui1);
  ASSERT_EQ(risposte.Visti.size(), 1u);
  EXPECT_EQ(risposte.Visti[0].titolo, "Errore");
  EXPECT_EQ(DatiGlob.RigaErrore, 3);
  EXPECT_TRUE(DatiGlob.bStop);
  EXPECT_FALSE(DatiGlob.bImmediato);
  EXPECT_EQ(DatiGlob.ListaVariabili->Cerca("E"), nullptr);
  QImage img = ImmagineEditor(f);
  EXPECT_TRUE(ContieneColore(img, RigaEditor(f, 4), clRed));
  EXPECT_TRUE(ContieneColore(img, RigaEditor(f, 4), clWhite));
  EXPECT_FALSE(ContieneColore(img, RigaEditor(f, 3), clRed));
  EXPECT_FALSE(ContieneColore(img, RigaEditor(f, 5), clRed));
  // The list and the canvas show what was made before the error.
  EXPECT_EQ(VociLista(f).size(), 3u);
  EXPECT_FALSE(f.tbtTerminaEsecuzione->isEnabled());

  QTest::keyClick(f.MemoSource, Qt::Key_Down);
  EXPECT_FALSE(ContieneColore(ImmagineEditor(f), RigaEditor(f, 4), clRed));
}

TEST(Esecuzione, LoStopDuranteUnaSceltaFinisceLAttesaSubito) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  ImpostaTestoEditor(*f.MemoSource, "P = PUNTO;");
  std::uint64_t attesePrima = 0;
  bool barraDisabilitata = false;
  QString messaggio;
  Quando stop([] { return DatiGlob.bAttesaPunto; }, [&] {
    f.Timer1Timer();
    barraDisabilitata = !f.pnlEsegui->isEnabled();
    messaggio = f.pnlMess->text();
    EXPECT_TRUE(f.tbtTerminaEsecuzione->isEnabled());
    attesePrima = f.Servizi().Attese;
    Clicca(f, f.tbtTerminaEsecuzione);
  });
  Clicca(f, f.Esegui1);
  ASSERT_TRUE(stop.Eseguita());
  // The wait ended in the pump that brought the click.
  EXPECT_EQ(f.Servizi().Attese, attesePrima);
  EXPECT_TRUE(barraDisabilitata);
  EXPECT_FALSE(messaggio.isEmpty());
  EXPECT_EQ(DatiGlob.ListaVariabili->Cerca("P"), nullptr);
  EXPECT_FALSE(DatiGlob.bAttesaPunto);
  EXPECT_FALSE(DatiGlob.bInEsecuzione);
  EXPECT_FALSE(f.tbtTerminaEsecuzione->isEnabled());
  EXPECT_TRUE(f.pnlMess->text().isEmpty());
  // The next tick of the timer gives the bar back.
  f.Timer1Timer();
  EXPECT_TRUE(f.pnlEsegui->isEnabled());
  // A stop asked by the user is no error: no line is painted red.
  EXPECT_FALSE(ContieneColore(ImmagineEditor(f), RigaEditor(f, 1), clRed));
}

TEST(Esecuzione, ChiudereLaFinestraDuranteUnAttesaLaFinisce) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  ImpostaTestoEditor(*f.MemoSource, "P = PUNTO;");
  f.MemoSource->SetEditorModified(false);
  RispondiModali risposte;
  risposte.Premi(QMessageBox::No);
  Quando chiudi([] { return DatiGlob.bAttesaPunto; }, [&] { f.close(); });
  Clicca(f, f.Esegui1);
  ASSERT_TRUE(chiudi.Eseguita());
  EXPECT_FALSE(f.isVisible());
  EXPECT_TRUE(f.InChiusura());
  EXPECT_FALSE(DatiGlob.bInEsecuzione);
}

TEST(Esecuzione, IPulsantiContinuaETerminaPenna) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  ImpostaTestoEditor(*f.MemoSource, "PAUSA;\nA = 1;\nP = PENNA;");
  bool continuaVisibile = false, pennaVisibile = false;
  Quando continua([&] { return f.btnContinua->isVisible(); }, [&] {
    continuaVisibile = true;
    EXPECT_EQ(DatiGlob.ListaVariabili->Cerca("A"), nullptr);
    Clicca(f, f.btnContinua);
  });
  // A stroke drawn with the mouse, then "Termina Penna".
  Quando penna([&] { return DatiGlob.bModoPenna && f.btnTerminaPenna->isVisible(); }, [&] {
    pennaVisibile = true;
    EXPECT_FALSE(f.btnContinua->isVisible());
    const cRifCart& r = *DatiGlob.RifCart;
    QTest::mousePress(f.pbRifCart, Qt::LeftButton, Qt::NoModifier, QPoint(r.XPixel(1), r.YPixel(1)));
    for (int k = 1; k <= 5; ++k) QTest::mouseMove(f.pbRifCart, QPoint(r.XPixel(1 + k * 0.5), r.YPixel(1 + k * 0.25)));
    QTest::mouseRelease(f.pbRifCart, Qt::LeftButton, Qt::NoModifier, QPoint(r.XPixel(3.5), r.YPixel(2.25)));
    Clicca(f, f.btnTerminaPenna);
  });
  Clicca(f, f.Esegui1);
  EXPECT_TRUE(continuaVisibile);
  EXPECT_TRUE(pennaVisibile);
  EXPECT_FALSE(f.btnContinua->isVisible());
  EXPECT_FALSE(f.btnTerminaPenna->isVisible());
  EXPECT_NE(DatiGlob.ListaVariabili->Cerca("A"), nullptr);
  ASSERT_NE(DatiGlob.ListaVariabili->Cerca("P"), nullptr);
  EXPECT_EQ(VociLista(f)[1], "<b><c:Blue>Scrittura </b><c:WindowText>P");
  // The stroke is on the canvas.
  const cRifCart& r = *DatiGlob.RifCart;
  EXPECT_TRUE(ContieneColore(f.ImmagineRifCart(), QRect(r.XPixel(2) - 2, r.YPixel(1.5) - 2, 5, 5), clBlue));
}

TEST(Esecuzione, UnProgrammaVuotoNonParte) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  ImpostaTestoEditor(*f.MemoSource, "   \n\t\n");
  ImpostaTestoEditor(*f.edIstruzione, "A = 1;");
  Clicca(f, f.Esegui1);
  // Nothing ran: not even the reset that would have emptied the command bar.
  EXPECT_EQ(RigheEditor(*f.edIstruzione), std::vector<std::string>{"A = 1;"});
  EXPECT_FALSE(f.MemoSource->Modified());
  Clicca(f, f.EseguiPassoPasso1);
  EXPECT_FALSE(DatiGlob.bPassoPasso);
}

TEST(Esecuzione, UnaFinestraDiDialogoAnnullataFermaLEsecuzione) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  ImpostaTestoEditor(*f.MemoSource, "A = 1;\nX = LEGGINUM(\"quanto?\");\nB = 2;");
  RispondiModali risposte;
  risposte.Aggiungi([](QDialog& d) { d.reject(); });
  Clicca(f, f.Esegui1);
  ASSERT_EQ(risposte.Visti.size(), 1u);
  EXPECT_EQ(risposte.Visti[0].titolo, "LeggiNum");
  EXPECT_EQ(risposte.SenzaRisposta, 0);
  EXPECT_NE(DatiGlob.ListaVariabili->Cerca("A"), nullptr);
  EXPECT_EQ(DatiGlob.ListaVariabili->Cerca("X"), nullptr);
  EXPECT_EQ(DatiGlob.ListaVariabili->Cerca("B"), nullptr);
  EXPECT_FALSE(DatiGlob.bInEsecuzione);
}

TEST(Esecuzione, StampaScriveNelRiquadroDiOutput) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  ImpostaTestoEditor(*f.MemoSource, "STAMPA(\"uno\");\nSTAMPA(2 + 3);");
  Clicca(f, f.Esegui1);
  EXPECT_EQ(f.reoutput->toPlainText(), "> uno\n> 5");
  // A new run starts from an empty output pane.
  ImpostaTestoEditor(*f.MemoSource, "STAMPA(\"tre\");");
  Clicca(f, f.Esegui1);
  EXPECT_EQ(f.reoutput->toPlainText(), "> tre");
}

// The colour of each character of a line of the output pane.
std::vector<QColor> ColoriRiga(QTextEdit& o, int riga) {
  std::vector<QColor> colori;
  const QTextBlock b = o.document()->findBlockByNumber(riga);
  for (auto it = b.begin(); !it.atEnd(); ++it) colori.push_back(it.fragment().charFormat().foreground().color());
  return colori;
}

TEST(Esecuzione, LeRigheStampateSonoScureSulRiquadroChiaro) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  ImpostaTestoEditor(*f.MemoSource, "STAMPA(\"si legge\");");
  Clicca(f, f.Esegui1);
  const QColor testo = f.reoutput->palette().color(QPalette::Text);
  ASSERT_LT(testo.lightness(), 100) << "a dark text colour on the light pane";
  EXPECT_EQ(ColoriRiga(*f.reoutput, 0), std::vector<QColor>{testo});
  // What a person sees: dark pixels where the line is written.
  const QImage img = f.reoutput->viewport()->grab().toImage();
  int scuri = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) scuri += QColor(img.pixel(x, y)).lightness() < 110;
  EXPECT_GT(scuri, 20);
  // A line given a colour keeps it, and the next line without one is dark again.
  f.Servizi().AggiungiRigaOutput("> rosso", clRed);
  f.Servizi().AggiungiRigaOutput("> nero", clNone);
  EXPECT_EQ(ColoriRiga(*f.reoutput, 1), std::vector<QColor>{QColor(255, 0, 0)});
  EXPECT_EQ(ColoriRiga(*f.reoutput, 2), std::vector<QColor>{testo});
}

TEST(Esecuzione, LEsecuzioneVeloceNonEvidenziaLaRiga) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  QTest::mouseClick(f.cbEsecuzioneVeloce, Qt::LeftButton);
  EXPECT_TRUE(DatiGlob.bEsecuzioneVeloce);
  EXPECT_FALSE(DatiGlob.bEvidenziaRiga);
  ImpostaTestoEditor(*f.MemoSource, "C = CIRC(PUNTO(5, 5), 2);");
  Clicca(f, f.Esegui1);
  // After a fast run the canvas and the list are brought up to date once.
  const cRifCart& r = *DatiGlob.RifCart;
  EXPECT_TRUE(ContieneColore(f.ImmagineRifCart(), QRect(r.XPixel(7) - 1, r.YPixel(5) - 1, 3, 3), clBlue));
  EXPECT_EQ(VociLista(f).size(), 1u);
  QTest::mouseClick(f.cbEsecuzioneVeloce, Qt::LeftButton);
  EXPECT_FALSE(DatiGlob.bEsecuzioneVeloce);
  EXPECT_TRUE(DatiGlob.bEvidenziaRiga);
}

// A loop that never ends, in fast run: the window lets the stop command through while the loop
// runs (it looks at the clock between the hooks it ignores), and the run ends there.
TEST(Esecuzione, LoStopFermaUnCicloSenzaFine) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  QTest::mouseClick(f.cbEsecuzioneVeloce, Qt::LeftButton);
  ImpostaTestoEditor(*f.MemoSource, "K = 0;\nESEGUI FINQUANDO (VERO);\n  K = K + 1;\nFINE;\nB = 2;");
  const auto conta = [] {
    const cVariabile* k = DatiGlob.ListaVariabili ? DatiGlob.ListaVariabili->Cerca("K") : nullptr;
    return k ? static_cast<const cValoreReale*>(k->GetValore())->Value : 0.0L;
  };
  Quando stop([&] { return conta() > 1000; }, [&] { Clicca(f, f.tbtTerminaEsecuzione); });
  Clicca(f, f.Esegui1);
  ASSERT_TRUE(stop.Eseguita());
  EXPECT_GT(conta(), 1000);
  EXPECT_EQ(DatiGlob.ListaVariabili->Cerca("B"), nullptr);
  EXPECT_FALSE(f.tbtTerminaEsecuzione->isEnabled());
}

}  // namespace
}  // namespace qx::test

namespace qx::test {
namespace {

// ---- Regressions: every input that ever broke the window ----

TEST(Regressioni, UnaSceltaRestataNellaListaNonSopravviveAlRipristino) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  // The pick leaves P in the selection list; the error keeps the run from emptying it.
  ImpostaTestoEditor(*f.MemoSource, "P = PUNTO(1,1);\nQ = SCEGLIPUNTO;\nX = PIPPO(1);");
  RispondiModali risposte;
  risposte.Premi(QMessageBox::Ok);
  Quando scegli([] { return DatiGlob.bAttesaScegliPunto; }, [&] {
    const cRifCart& r = *DatiGlob.RifCart;
    QTest::mouseClick(f.pbRifCart, Qt::LeftButton, Qt::NoModifier, QPoint(r.XPixel(1), r.YPixel(1)));
  });
  Clicca(f, f.Esegui1);
  ASSERT_TRUE(scegli.Eseguita());
  ASSERT_EQ(risposte.Visti.size(), 1u);
  ASSERT_EQ(DatiGlob.ListaValGraf->Count(), 1);
  // The pick is confirmed by the two beeps, the error by the alert.
  const std::vector<std::string> registro = f.Suono().Registro();
  const auto beep500 = std::find(registro.begin(), registro.end(), "beep 500 100");
  ASSERT_NE(beep500, registro.end());
  ASSERT_NE(beep500 + 1, registro.end());
  EXPECT_EQ(*(beep500 + 1), "beep 600 100");
  EXPECT_NE(std::find(registro.begin(), registro.end(), "messagebeep"), registro.end());
  // The next run frees the values that the list still names.
  ImpostaTestoEditor(*f.MemoSource, "A = 1;");
  Clicca(f, f.Esegui1);
  EXPECT_EQ(DatiGlob.ListaValGraf->Count(), 0);
  EXPECT_NE(DatiGlob.ListaVariabili->Cerca("A"), nullptr);
}

TEST(Regressioni, UnIstruzioneDellaBarraFermataNonEntraNelProgramma) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  Quando stop([] { return DatiGlob.bAttesaPunto; }, [&] { Clicca(f, f.tbtTerminaEsecuzione); });
  ImpostaTestoEditor(*f.edIstruzione, "P = PUNTO;");
  QTest::mouseClick(f.pbEsegui, Qt::LeftButton);
  ASSERT_TRUE(stop.Eseguita());
  EXPECT_TRUE(SenzaTesto(*f.MemoSource));
  EXPECT_FALSE(f.tbtTerminaEsecuzione->isEnabled());
  // A STOP written by the user is a good end: the statement goes into the program.
  ImpostaTestoEditor(*f.edIstruzione, "A = 1; STOP;");
  QTest::mouseClick(f.pbEsegui, Qt::LeftButton);
  EXPECT_EQ(RigheEditor(*f.MemoSource), std::vector<std::string>{"A = 1; STOP;"});
}

TEST(Regressioni, NessunaEsecuzioneDentroUnAltra) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  ImpostaTestoEditor(*f.MemoSource, "A = 1;\nP = PUNTO;\nB = 2;");
  Quando dentro([] { return DatiGlob.bAttesaPunto; }, [&] {
    // The command bar, the run buttons and a palette template with "Esegui subito" all
    // wait for the run to end.
    ImpostaTestoEditor(*f.edIstruzione, "Z = 9;");
    f.pbEsegui->click();
    Clicca(f, f.Esegui1);
    f.cbEseguiSubito->setChecked(true);
    f.findChild<QToolButton*>("sbTesto")->click();
    EXPECT_EQ(DatiGlob.ListaVariabili->Cerca("Z"), nullptr);
    EXPECT_TRUE(DatiGlob.bAttesaPunto);
    // The program being run cannot be changed, not even by a template.
    f.MemoSource->setFocus();
    f.Se1->trigger();
    EXPECT_TRUE(f.MemoSource->ReadOnly());
    EXPECT_EQ(RigheEditor(*f.MemoSource).size(), 3u);
    Clicca(f, f.tbtTerminaEsecuzione);
  });
  Clicca(f, f.Esegui1);
  ASSERT_TRUE(dentro.Eseguita());
  EXPECT_NE(DatiGlob.ListaVariabili->Cerca("A"), nullptr);
  EXPECT_EQ(DatiGlob.ListaVariabili->Cerca("B"), nullptr);
  EXPECT_EQ(DatiGlob.ListaVariabili->Cerca("Z"), nullptr);
  EXPECT_EQ(RigheEditor(*f.MemoSource).size(), 3u);
}

}  // namespace
}  // namespace qx::test
