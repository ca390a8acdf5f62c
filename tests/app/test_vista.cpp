// The canvas view (frame, rulers, pan, zoom, grid, traces), the object list's items and
// the switches between the plane and the space view and between the three layouts.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QMessageBox>
#include <QLayout>
#include <QSplitter>
#include <QTest>
#include <QToolBar>
#include <QToolTip>
#include <cmath>

#include "app/TestoOggetto.h"
#include "interpreter/Ambiente.h"
#include "runstate/DatiGlob.h"
#include "app/ServiziFinestra.h"
#include "tests/app/Supporto.h"
#include "values/Collezioni.h"
#include "values/RifCart.h"
#include "values/ValoriScalari.h"
#include "values/Variabili.h"
#include "values/figure/ValoreCerchio.h"
#include "values/figure/ValoreDiagramma.h"
#include "values/figure/ValoreLinea.h"
#include "values/figure/ValorePunto.h"
#include "values/figure/ValoreTesto.h"

namespace qx::test {
namespace {

// A paint box of exactly 400 x 300 pixels.
void Area400x300(Tfrm3& f) {
  f.pbRifCart->setFixedSize(400, 300);
  f.pnlRifCart->layout()->activate();
  QCoreApplication::processEvents();
  ASSERT_EQ(f.pbRifCart->width(), 400);
  ASSERT_EQ(f.pbRifCart->height(), 300);
}

void Esegui(Tfrm3& f, const char* programma) {
  ImpostaTestoEditor(*f.MemoSource, programma);
  Clicca(f, f.Esegui1);
}

TEST(RifCart, DopoIlRipristinoLOrigineEInBassoASinistra) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  Area400x300(f);
  f.sbZoomp->click();
  f.sbSu->click();
  QTest::mouseClick(f.sbInit, Qt::LeftButton);
  const cRifCart& r = *DatiGlob.RifCart;
  EXPECT_EQ(r.__AsseX, 1);
  EXPECT_EQ(r.__AsseY, 299);
  EXPECT_EQ(r._TaccaX, 38);
  EXPECT_EQ(r._TaccaY, 38);
  EXPECT_EQ(r.XPixel(1), 39);
  EXPECT_EQ(r.YPixel(1), 261);
  EXPECT_EQ(r.Rettangolo, (TRect{0, 0, 400, 300}));
  EXPECT_EQ(DatiGlob.AreaRifCart.ClientWidth, 400);
  EXPECT_EQ(DatiGlob.AreaRifCart.ClientHeight, 300);
  EXPECT_TRUE(f.pnlPbx->isVisible());
  EXPECT_TRUE(f.pnlPby->isVisible());
  EXPECT_EQ(f.ImmagineRifCart().size(), QSize(400, 300));
  // A taller area keeps the origin on its bottom row.
  f.pbRifCart->setFixedSize(400, 320);
  f.pnlRifCart->layout()->activate();
  QCoreApplication::processEvents();
  EXPECT_EQ(DatiGlob.RifCart->__AsseY, 319);
}

TEST(RifCart, LoZoomSiFermaAUnPixelPerUnita) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  long double atteso = 38;
  while (atteso > 1) atteso /= 1.1L;
  for (int i = 0; i < 50; ++i) f.sbZoomm->click();
  const cRifCart& r = *DatiGlob.RifCart;
  EXPECT_EQ(r._TaccaX, atteso);
  EXPECT_EQ(r._TaccaY, atteso);
  EXPECT_NEAR(static_cast<double>(atteso), 38 / std::pow(1.1, 39), 1e-9);
  QTest::mouseClick(f.sbZoomp, Qt::LeftButton);
  EXPECT_EQ(r._TaccaX, atteso * 1.1L);
}

TEST(RifCart, LoSpostamentoNonPortaLOrigineOltreLAngolo) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  Area400x300(f);
  const cRifCart& r = *DatiGlob.RifCart;
  f.sbSinistra->click();
  EXPECT_EQ(r.__AsseX, 1);
  f.sbDestra->click();
  f.sbDestra->click();
  EXPECT_EQ(r.__AsseX, -39);
  f.sbSinistra->click();
  EXPECT_EQ(r.__AsseX, -19);
  f.sbSinistra->click();
  EXPECT_EQ(r.__AsseX, 1);
  f.sbGiu->click();
  EXPECT_EQ(r.__AsseY, 299);
  f.sbSu->click();
  EXPECT_EQ(r.__AsseY, 319);
  f.sbGiu->click();
  f.sbGiu->click();
  EXPECT_EQ(r.__AsseY, 299);
}

TEST(RifCart, InAnalisiSiSpostaLaFinestraDelMondo) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  Esegui(f, "RIFCART1(-10, -5, 10, 5);");
  const cRifCart& r = *DatiGlob.RifCart;
  ASSERT_TRUE(r._bxAnalisi);
  f.sbDestra->click();
  EXPECT_EQ(r._xa, -8);
  EXPECT_EQ(r._xb, 12);
  f.sbSinistra->click();
  f.sbSinistra->click();
  EXPECT_EQ(r._xa, -12);
  EXPECT_EQ(r._xb, 8);
  f.sbSu->click();
  EXPECT_EQ(r._ya, -4);
  EXPECT_EQ(r._yb, 6);
  f.sbGiu->click();
  EXPECT_EQ(r._ya, -5);
  const Reale tacca = r._TaccaX;
  f.sbZoomp->click();
  EXPECT_EQ(r._xa, -10);
  EXPECT_EQ(r._xb, 6);
  EXPECT_EQ(r._ya, -4);
  EXPECT_EQ(r._yb, 4);
  f.sbZoomm->click();
  EXPECT_NEAR(static_cast<double>(r._xa), -11.6, 1e-12);
  EXPECT_NEAR(static_cast<double>(r._yb), 4.8, 1e-12);
  // The spacing of the squared paper is not touched in analysis mode.
  EXPECT_EQ(r._TaccaX, tacca);
}

TEST(RifCart, LaGrigliaEIRighelli) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  Area400x300(f);
  const cRifCart& r = *DatiGlob.RifCart;
  // Squared paper: a line of the grid runs through every unit.
  auto colonnaBianca = [](const QImage& img, int x) {
    for (int y = 0; y < img.height(); ++y)
      if (Pixel(img, x, y) != clWhite) return false;
    return true;
  };
  EXPECT_FALSE(colonnaBianca(f.ImmagineRifCart(), r.XPixel(2)));
  QTest::mouseClick(f.sbGrigliaOff, Qt::LeftButton);
  EXPECT_TRUE(f.sbGrigliaOff->isChecked());
  EXPECT_FALSE(f.sbGrigliaOn->isChecked());
  EXPECT_FALSE(f.pnlPbx->isVisible());
  EXPECT_FALSE(f.pnlPby->isVisible());
  EXPECT_TRUE(colonnaBianca(f.ImmagineRifCart(), r.XPixel(2)));
  QTest::mouseClick(f.sbGrigliaOn, Qt::LeftButton);
  EXPECT_TRUE(f.pnlPbx->isVisible());
  // The x ruler carries the unit numbers in black.
  f.pbX->repaint();
  EXPECT_TRUE(ContieneColore(f.pbX->Immagine().Image(), QRect(0, 0, f.pbX->width(), f.pbX->height()), clBlack));
}

TEST(RifCart, LaTracciaStaSopraAUnPoligonoPieno) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  Area400x300(f);
  Esegui(f, "COLORERIEMPIMENTO(255,0,0);\nMOTIVORIEMPIMENTO(1);\n"
            "PP = POLIGONO(PUNTO(-1,-1), PUNTO(1,-1), PUNTO(1,1), PUNTO(-1,1));");
  const cRifCart& r = *DatiGlob.RifCart;
  EXPECT_EQ(Pixel(f.ImmagineRifCart(), 1, 298), clRed);
  DatiGlob.PuntiTraccia->Aggiungi(0, 0);
  f.DisegnaRifCart();
  EXPECT_EQ(Pixel(f.ImmagineRifCart(), r.XPixel(0), r.YPixel(0)), clFuchsia);
  EXPECT_EQ(Pixel(f.ImmagineRifCart(), 0, 298), clFuchsia);
  // Any later repaint keeps it on top.
  f.sbZoomp->click();
  f.sbZoomm->click();
  EXPECT_EQ(Pixel(f.ImmagineRifCart(), r.XPixel(0), r.YPixel(0)), clFuchsia);
  EXPECT_EQ(Pixel(f.ImmagineRifCart(), r.XPixel(0.5), r.YPixel(0.5)), clRed);

  {
    RispondiModali risposte;
    risposte.Premi(QMessageBox::No);
    QTest::mouseClick(f.sbCancTraccia, Qt::LeftButton);
    ASSERT_EQ(risposte.Visti.size(), 1u);
    EXPECT_EQ(risposte.Visti[0].titolo, "Conferma");
    EXPECT_EQ(risposte.Visti[0].testo,
              "Vuoi eliminare eventuali tracce lasciate dai comandi per le trasformazioni geometriche ?");
    EXPECT_EQ(DatiGlob.PuntiTraccia->Count(), 1);
  }
  RispondiModali risposte;
  risposte.Premi(QMessageBox::Yes);
  QTest::mouseClick(f.sbCancTraccia, Qt::LeftButton);
  EXPECT_EQ(DatiGlob.PuntiTraccia->Count(), 0);
  EXPECT_EQ(Pixel(f.ImmagineRifCart(), r.XPixel(0), r.YPixel(0)), clRed);
}

TEST(RifCart, IValoriPiuRecentiStannoSopra) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  Area400x300(f);
  Esegui(f, "COLORERIEMPIMENTO(255,0,0);\nMOTIVORIEMPIMENTO(1);\n"
            "A = POLIGONO(PUNTO(1,1), PUNTO(3,1), PUNTO(3,3), PUNTO(1,3));\n"
            "COLORERIEMPIMENTO(0,255,0);\n"
            "B = POLIGONO(PUNTO(2,2), PUNTO(4,2), PUNTO(4,4), PUNTO(2,4));");
  const cRifCart& r = *DatiGlob.RifCart;
  const QImage img = f.ImmagineRifCart();
  EXPECT_EQ(Pixel(img, r.XPixel(1.5), r.YPixel(1.5)), clRed);
  EXPECT_EQ(Pixel(img, r.XPixel(2.5), r.YPixel(2.5)), clLime);
  EXPECT_EQ(Pixel(img, r.XPixel(3.5), r.YPixel(3.5)), clLime);
}

TEST(RifCart, OgniRidisegnoPartedaUnFoglioNuovo) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  Area400x300(f);
  Esegui(f, "P = PUNTO(1,1);");
  const cRifCart& r = *DatiGlob.RifCart;
  EXPECT_EQ(Pixel(f.ImmagineRifCart(), r.XPixel(1), r.YPixel(1)), clBlue);
  Esegui(f, "P = PUNTO(3,3);");
  EXPECT_NE(Pixel(f.ImmagineRifCart(), r.XPixel(1), r.YPixel(1)), clBlue);
  EXPECT_EQ(Pixel(f.ImmagineRifCart(), r.XPixel(3), r.YPixel(3)), clBlue);
  // The background takes the colour that the program gives it.
  Esegui(f, "COLORESFONDO(255,0,0);\nP = PUNTO(3,3);");
  EXPECT_EQ(Pixel(f.ImmagineRifCart(), r.XPixel(2.5), r.YPixel(2.5)), clRed);
  // and a new run starts from white again.
  Esegui(f, "P = PUNTO(3,3);");
  EXPECT_EQ(Pixel(f.ImmagineRifCart(), r.XPixel(2.5), r.YPixel(2.5)), clWhite);
}

// ---- The object list ----

void Memorizza(const std::string& nome, std::unique_ptr<cValore> v) {
  v->Nome = nome;
  DatiGlob.ListaVariabili->Aggiungi(std::make_unique<cVariabile>(nome, std::move(v)));
}

TEST(ListaOggetti, LeVociDiOgniTipo) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  Memorizza("a", std::make_unique<cValoreReale>(2.5L));
  Memorizza("b", std::make_unique<cValoreBool>(true));
  Memorizza("c", std::make_unique<cValoreBool>(false));
  Memorizza("s", std::make_unique<cValoreStringa>("ciao"));
  auto cerchio = std::make_unique<cValoreCerchio>();
  Memorizza("$3", std::move(cerchio));
  auto testo = std::make_unique<cValoreTesto>();
  testo->Font.Color = clRed;
  testo->Pen.Color = clBlue;
  Memorizza("T", std::move(testo));
  auto scrittura = std::make_unique<cValoreLinea>();
  scrittura->_bScrittura = true;
  scrittura->Pen.Color = RGBColor(1, 2, 3);
  Memorizza("W", std::move(scrittura));
  const cListaVariabili& t = *DatiGlob.ListaVariabili;
  EXPECT_EQ(VoceListaOggetti(*t.Cerca("a")), "<b><c:Blue>Numero </b><c:WindowText>a = 2.5");
  EXPECT_EQ(VoceListaOggetti(*t.Cerca("b")), "<b><c:Blue>Logico </b><c:WindowText>b = VERO");
  EXPECT_EQ(VoceListaOggetti(*t.Cerca("c")), "<b><c:Blue>Logico </b><c:WindowText>c = FALSO");
  EXPECT_EQ(VoceListaOggetti(*t.Cerca("s")), "<b><c:Blue>Stringa </b><c:WindowText>s = ciao");
  EXPECT_EQ(VoceListaOggetti(*t.Elemento(3)), "<b><c:Blue>Circonferenza </b><c:WindowText>senza nome");
  EXPECT_EQ(VoceListaOggetti(*t.Cerca("T")), "<b><c:Red>Testo </b><c:WindowText>T");
  EXPECT_EQ(VoceListaOggetti(*t.Cerca("W")), "<b><c:$00030201>Scrittura </b><c:WindowText>W");
  f.AggiornaListaOggetti();
  // The list is sorted by its captions.
  const std::vector<std::string> voci = VociLista(f);
  ASSERT_EQ(voci.size(), 7u);
  EXPECT_EQ(voci.front(), "<b><c:$00030201>Scrittura </b><c:WindowText>W");
  EXPECT_EQ(voci.back(), "<b><c:Red>Testo </b><c:WindowText>T");
}

TEST(ListaOggetti, LeVociDiUnProgramma) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  Esegui(f, "a = 2.5;\nb = VERO;\nCIRC(PUNTO(1,1),1);\nm = MISURAANG(30,15,20.5);\n"
            "F = FUNZIONE(\"X^2+1\");\nCOLOREPENNA(255,0,0);\nP = PUNTO(2,2);");
  const std::vector<std::string> voci = VociLista(f);
  const std::vector<std::string> attese = {
      "<b><c:Blue>Circonferenza </b><c:WindowText>senza nome",
      "<b><c:Blue>Funzione </b><c:WindowText>F = (x^2)+1",
      "<b><c:Blue>Logico </b><c:WindowText>B = VERO",
      "<b><c:Blue>MisuraAng </b><c:WindowText>M= 30\u00B0 15' 20.5\"",
      "<b><c:Blue>Numero </b><c:WindowText>A = 2.5",
      "<b><c:Red>Punto </b><c:WindowText>P",
  };
  EXPECT_EQ(voci, attese);
}

TEST(ListaOggetti, LaVistaNascostaSaltaISuoiValoriEProsegue) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  Esegui(f, "A = 1;\nC = CIRC(PUNTO(1,1),1);");
  // A chart waits for its place on the canvas; it is made here as the statement would.
  Memorizza("D", std::make_unique<cValoreDiagramma>(T_DIAG_STR, 3));
  f.AggiornaListaOggetti();
  EXPECT_EQ(VociLista(f).size(), 3u);
  Clicca(f, f.tbSpazio);
  EXPECT_TRUE(DatiGlob.bVista3D);
  EXPECT_TRUE(f.tbSpazio->isChecked());
  EXPECT_FALSE(f.pnlRifCart->isVisible());
  EXPECT_TRUE(f.pnlRifCart3D->isVisible());
  EXPECT_TRUE(f.pnlControlliRifCart3D->isVisible());
  // The circle belongs to the plane; the chart shows in both views, and the number older
  // than the circle is still listed, as are the planes of the walls.
  EXPECT_EQ(VociLista(f), (std::vector<std::string>{"<b><c:Blue>Disgramma a Strisce </b><c:WindowText>D",
                                                    "<b><c:Blue>Numero </b><c:WindowText>A = 1",
                                                    "<b><c:Blue>Piano </b><c:WindowText>PIANOXY",
                                                    "<b><c:Blue>Piano </b><c:WindowText>PIANOXZ",
                                                    "<b><c:Blue>Piano </b><c:WindowText>PIANOYZ"}));
  f.MostraVista(false);
  EXPECT_FALSE(f.tbSpazio->isChecked());
  EXPECT_TRUE(f.pnlRifCart->isVisible());
  EXPECT_FALSE(f.pnlRifCart3D->isVisible());
  EXPECT_EQ(VociLista(f).size(), 3u);
  EXPECT_TRUE(NellaVistaNascosta(T_SFERA3D, false));
  EXPECT_FALSE(NellaVistaNascosta(T_SFERA3D, true));
  EXPECT_TRUE(NellaVistaNascosta(T_CERCHIO, true));
  EXPECT_FALSE(NellaVistaNascosta(T_DIAG_IST, true));
  EXPECT_FALSE(NellaVistaNascosta(T_DIAG_STR, false));
  EXPECT_TRUE(NellaVistaNascosta(T_FUNZIONE, true));
  EXPECT_TRUE(NellaVistaNascosta(T_SCRITTURA, true));
  EXPECT_TRUE(NellaVistaNascosta(T_ICOSAEDRO3D, false));
  EXPECT_FALSE(NellaVistaNascosta(T_MATR_REALE, true));
}

// The list's order ignores letter case, puts letters beyond ASCII after all the ASCII ones
// and keeps equal captions in the table's order: before a run (names that only a table can
// hold), in the middle of a normal run that grows the table (a pause shows the list) and
// after it.
TEST(ListaOggetti, LOrdineDelleVociPrimaDuranteEDopoUnaCorsa) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  const std::string numero = "<b><c:Blue>Numero </b><c:WindowText>";
  const std::string stringa = "<b><c:Blue>Stringa </b><c:WindowText>";
  const std::string puntoBlu = "<b><c:Blue>Punto </b><c:WindowText>senza nome";
  const std::string puntoRosso = "<b><c:Red>Punto </b><c:WindowText>senza nome";
  Esegui(f, "S = \"\u00FCber\";\nA_B = 1;\nAB = 2;\nPUNTO(1,1);");
  Memorizza("b", std::make_unique<cValoreReale>(1.0L));
  Memorizza("\u00C9", std::make_unique<cValoreReale>(1.0L));
  Memorizza("z", std::make_unique<cValoreReale>(1.0L));
  Memorizza("\u00E9", std::make_unique<cValoreReale>(1.0L));
  Memorizza("a", std::make_unique<cValoreStringa>("Zeta"));
  Memorizza("$9", std::make_unique<cValoreReale>(1.0L));
  f.AggiornaListaOggetti();
  // "A_B" before "AB": '_' comes before the letters once they are folded to small ones.
  EXPECT_EQ(VociLista(f), (std::vector<std::string>{numero + "A_B = 1", numero + "AB = 2", numero + "b = 1",
                                                    numero + "senza nome = 1", numero + "z = 1", numero + "\u00E9 = 1",
                                                    numero + "\u00C9 = 1", puntoBlu, stringa + "a = Zeta",
                                                    stringa + "S = \u00FCber"}));

  ImpostaTestoEditor(*f.MemoSource,
                     "S = \"\u00FCber\";\nA_B = 1;\nAB = 2;\nPER (I DA 1 A 30) ESEGUI;\n  PUNTO(I / 10, 1);\nFINE;\n"
                     "PAUSA(20);\nCOLOREPENNA(255,0,0);\nPER (I DA 1 A 20) ESEGUI;\n  PUNTO(I / 10, 2);\nFINE;\n"
                     "A_B = 3;\nPUNTO(1,1);");
  if (f.cbEsecuzioneVeloce->isChecked()) QTest::mouseClick(f.cbEsecuzioneVeloce, Qt::LeftButton);
  std::vector<std::string> inPausa;
  const std::uint64_t attesePrima = f.Servizi().Attese;
  // The pause's wait brings the list up to date before it lets the messages through.
  Quando guarda([&] { return f.Servizi().Attese > attesePrima; }, [&] {
    for (int i = 0; i < f.lbOggetti->Items.Count(); ++i) inPausa.push_back(f.lbOggetti->Items[i].toStdString());
  });
  Clicca(f, f.Esegui1);
  ASSERT_TRUE(guarda.Eseguita());
  std::vector<std::string> attese = {numero + "A_B = 1", numero + "AB = 2", numero + "I = 30"};
  attese.resize(attese.size() + 30, puntoBlu);
  attese.push_back(stringa + "S = \u00FCber");
  EXPECT_EQ(inPausa, attese);
  // The number that changed moves to its new place; the red points come after all the rest.
  attese[0] = numero + "A_B = 3";
  attese[2] = numero + "I = 20";
  attese.resize(attese.size() + 21, puntoRosso);
  EXPECT_EQ(VociLista(f), attese);
}

// An entry cut by the list's right edge is read whole, without its tags, in the tooltip of
// its row; an entry that shows whole has none.
TEST(ListaOggetti, UnaVoceTagliataSiLeggeNelSuggerimento) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  Esegui(f, "NUMERO_MOLTO_LUNGO_DELLA_LEZIONE = 3;\nB = 1;");
  ASSERT_EQ(f.lbOggetti->Items.Count(), 2);
  QWidget* righe = f.lbOggetti->viewport();
  auto suggerimento = [&](int voce) {
    const QPoint p = f.lbOggetti->ItemRect(voce).center();
    QHelpEvent e(QEvent::ToolTip, p, righe->mapToGlobal(p));
    QApplication::sendEvent(righe, &e);
    return QToolTip::isVisible() ? QToolTip::text().toStdString() : std::string();
  };
  EXPECT_EQ(suggerimento(0), "");
  EXPECT_EQ(suggerimento(1), "Numero NUMERO_MOLTO_LUNGO_DELLA_LEZIONE = 3");
}

// A statement typed in the command bar and run with Enter.
void Barra(Tfrm3& f, const char* istruzione) {
  ImpostaTestoEditor(*f.edIstruzione, "");
  Digita(f.edIstruzione, istruzione);
  QTest::keyClick(f.edIstruzione, Qt::Key_Return);
}

// What the pupil sees while a statement waits for the mouse: the plane (with its title) or
// the space.
std::string VistaMostrata(Tfrm3& f) {
  const bool piano = f.pnlRifCart->isVisible() && f.pbRifCart->isVisible() && f.Label4->isVisible() &&
                     f.pnlControlliRifCart->isVisible() && f.Label4->text() == "Piano Cartesiano";
  const bool spazio = f.pnlRifCart3D->isVisible() && f.pnlControlliRifCart3D->isVisible();
  // The space button and the run state say the same as the panels.
  if (piano && !spazio && !DatiGlob.bVista3D && !f.tbSpazio->isChecked()) return "piano";
  if (spazio && !piano && DatiGlob.bVista3D && f.tbSpazio->isChecked()) return "spazio";
  return "altro";
}

// A plane statement that waits for the mouse shows the plane, as a space statement shows
// the space: after a space point, PUNTO asked for a click on a plane that the space view hid.
TEST(Viste, UnaAttesaDelPianoMostraIlPianoEUnaDelloSpazioLoSpazio) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  RispondiModali errori;
  Barra(f, "P = PUNTO3D(1, 2, 3);");
  ASSERT_EQ(VistaMostrata(f), "spazio");
  std::string inAttesa;
  Quando clic([] { return DatiGlob.bAttesaPunto; }, [&] {
    inAttesa = VistaMostrata(f);
    QTest::mouseClick(f.pbRifCart, Qt::LeftButton, Qt::NoModifier, PixelDi(2, 1));
  });
  Barra(f, "Q = PUNTO;");
  ASSERT_TRUE(clic.Eseguita());
  EXPECT_EQ(inAttesa, "piano");
  auto* q = ValoreDi<cValorePunto>("Q");
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(q->xCart, 2);
  EXPECT_EQ(q->yCart, 1);
  EXPECT_EQ(VistaMostrata(f), "piano");

  // A space point placed with the mouse: the space shows while it waits, and a click ends it.
  QWidget* scena = f.findChild<QWidget*>("ScnVista");
  ASSERT_NE(scena, nullptr);
  Quando posa([] { return DatiGlob.bAttesaPunto3D; }, [&] {
    inAttesa = VistaMostrata(f);
    QTest::mouseClick(scena, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
  });
  Barra(f, "R = PUNTO3D;");
  ASSERT_TRUE(posa.Eseguita());
  EXPECT_EQ(inAttesa, "spazio");
  EXPECT_NE(ValoreDi("R"), nullptr);

  // SCEGLIOGGETTO picks in either view: with the space shown it stays there.
  Barra(f, "S = SFERA(PUNTO3D(0, 0, 0), 1);");
  Quando scegli([] { return DatiGlob.bAttesaScegliOggetto; }, [&] {
    inAttesa = VistaMostrata(f);
    Clicca(f, f.tbtTerminaEsecuzione);
  });
  Barra(f, "O = SCEGLIOGGETTO;");
  ASSERT_TRUE(scegli.Eseguita());
  EXPECT_EQ(inAttesa, "spazio");
  EXPECT_EQ(errori.Visti.size(), 0u);
}

TEST(Impaginazione, LeTreDisposizioni) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  f.resize(1200, 800);
  QCoreApplication::processEvents();
  Clicca(f, f.tbtSoloEditor);
  EXPECT_EQ(f.pnlEsegui->height(), 1);
  EXPECT_EQ(f.pnlListaOggetti->height(), 1);
  EXPECT_GT(f.pnlIntermedio->width(), 900);
  Clicca(f, f.tbtSoloGrafica);
  EXPECT_LE(f.pnlIntermedio->width(), 1);
  // The command bar comes back with the graphics: it is the only way in for statements.
  EXPECT_EQ(f.pnlEsegui->height(), 53);
  Clicca(f, f.tbtEditor_e_Grafica);
  const int W = f.width();
  EXPECT_NEAR(f.pnlIntermedio->width(), W / 2 - W / 6 - f.pnlStrumenti->width(), 8);
  EXPECT_EQ(f.pnlListaOggetti->height(), f.height() / 4);
  EXPECT_EQ(f.pnlEsegui->height(), 53);
  // The columns follow a later resize (the desktop maximises the window after showing it).
  f.resize(1400, 900);
  QCoreApplication::processEvents();
  EXPECT_NEAR(f.pnlIntermedio->width(), 1400 / 2 - 1400 / 6 - f.pnlStrumenti->width(), 8);
  EXPECT_EQ(f.pnlListaOggetti->height(), 900 / 4);
  EXPECT_EQ(f.ToolBarViste->y(), f.ToolBar2->y()) << "one row of tool bars";
  // Narrow: the editor keeps a usable width, the layout buttons go to a second row.
  f.resize(800, 600);
  QCoreApplication::processEvents();
  EXPECT_GE(f.pnlIntermedio->width(), 160 - 8);
  EXPECT_GT(f.ToolBarViste->y(), f.ToolBar2->y());
  EXPECT_TRUE(f.ToolBarViste->widgetForAction(f.tbtSoloEditor)->isVisible());
  f.resize(1400, 900);
  QCoreApplication::processEvents();
  EXPECT_EQ(f.ToolBarViste->y(), f.ToolBar2->y());
}

// The editor layout gives the whole width beside the tools to the editor: the output column
// was left 15 pixels wide, slivers of the canvas and of the output pane at the window's edge.
TEST(Impaginazione, LEditoreDaSoloNonLasciaNullaDellaColonnaDiDestra) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  for (const QSize dimensioni : {QSize(1200, 800), QSize(800, 600)}) {
    SCOPED_TRACE(dimensioni.width());
    f.resize(dimensioni);
    QCoreApplication::processEvents();
    Clicca(f, f.tbtSoloEditor);
    QCoreApplication::processEvents();
    for (QWidget* w : {f.pnlOutput, static_cast<QWidget*>(f.pbRifCart), static_cast<QWidget*>(f.reoutput),
                       f.pnlControlliRifCart})
      EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    // The editor column reaches the window's right edge.
    EXPECT_EQ(f.pnlIntermedio->mapTo(&f, QPoint(f.pnlIntermedio->width() - 1, 0)).x(), f.width() - 1);
    EXPECT_GE(f.MemoSource->width(), f.width() - f.pnlStrumenti->width() - 10);
    // A resize keeps it so.
    f.resize(dimensioni + QSize(100, 50));
    QCoreApplication::processEvents();
    EXPECT_FALSE(f.pnlOutput->isVisible());
    EXPECT_EQ(f.pnlIntermedio->mapTo(&f, QPoint(f.pnlIntermedio->width() - 1, 0)).x(), f.width() - 1);
    // The other layouts bring the column back.
    Clicca(f, f.tbtEditor_e_Grafica);
    QCoreApplication::processEvents();
    EXPECT_TRUE(f.pnlOutput->isVisible());
    EXPECT_TRUE(f.pbRifCart->isVisible());
    EXPECT_GT(f.pbRifCart->width(), 300);
    EXPECT_EQ(f.pnlOutput->mapTo(&f, QPoint(f.pnlOutput->width() - 1, 0)).x(), f.width() - 1);
  }
}

TEST(Impaginazione, IPulsantiSottoIlDisegnoSonoPiccoleImmagini) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  const std::pair<const char*, const char*> pulsanti[] = {
      {"sbZoomp", "Ingrandisci"},          {"sbZoomm", "Rimpicciolisci"},
      {"sbGrigliaOn", "Mostra griglia"},   {"sbGrigliaOff", "Nascondi  griglia"},
      {"sbInit", "Ripristina valori iniziali"}, {"sbCancTraccia", "Cancella traccia"},
      {"sb3DGriglieOn", "Mostra griglia"}, {"sb3DGriglieOff", "Nascondi griglia"},
      {"sb3DMuri", "Pareti"},              {"sbZoommpD", "Ingrandisci"},
      {"sbZoomm3D", "Rimpicciolisci"}};
  for (const auto& [nome, suggerimento] : pulsanti) {
    auto* b = f.findChild<QToolButton*>(nome);
    ASSERT_NE(b, nullptr) << nome;
    EXPECT_TRUE(b->text().isEmpty()) << nome;
    EXPECT_EQ(b->toolTip().toStdString(), suggerimento);
    // A picture with something drawn in it.
    const QImage img = b->icon().pixmap(18, 18).toImage();
    int pieni = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) pieni += qAlpha(img.pixel(x, y)) > 128;
    EXPECT_GT(pieni, 12) << nome;
  }
}

}  // namespace
}  // namespace qx::test
