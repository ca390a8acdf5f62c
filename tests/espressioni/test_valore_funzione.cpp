#include <cmath>

#include "tests/espressioni/Ambiente.h"
#include "runstate/DatiGlob.h"
#include "values/ValoreFunzione.h"
#include "values/figure/ValorePunto.h"
#include "values/espressioni/Derivata.h"
#include "values/espressioni/VariabileFunzione.h"

namespace qx::test {
namespace {

class ValoreFunzione : public AmbienteEspr {
 protected:
  // A frame of 600 x 400 pixels showing x in [xmin, xmax] and y in [ymin, ymax].
  static TMappaGrafico Mappa(Reale xmin, Reale xmax, Reale ymin, Reale ymax, int w = 600, int h = 400) {
    TMappaGrafico m;
    m.XPixel = [=](Reale x) { return (x - xmin) / (xmax - xmin) * w; };
    m.YPixel = [=](Reale y) { return (ymax - y) / (ymax - ymin) * h; };
    m.XCart = [=](Reale px) { return xmin + px / w * (xmax - xmin); };
    m.Larghezza = w;
    m.Altezza = h;
    m.BordoDestro = w;
    return m;
  }
};

TEST_F(ValoreFunzione, TipiTestoSenzaSpaziEMessaggi) {
  cValoreFunzione f(T_FUNZIONE), e(T_ESPRESSIONE), q(T_FRAZIONE);
  EXPECT_EQ(f.NomeTipo, "Funzione");
  EXPECT_EQ(e.NomeTipo, "Espressione");
  EXPECT_EQ(q.NomeTipo, "Frazione");
  EXPECT_EQ(f._bGrafico, 0);
  EXPECT_TRUE(f.bMessaggi);
  EXPECT_TRUE(f.bDefinita);
  ASSERT_TRUE(f.ImpostaFunzione("  2 *  x "));
  EXPECT_EQ(f._sFunz, "2*x");
  EXPECT_EQ(f.Valuta(3), 6);
  // One failure, one message: the parser's.
  EXPECT_FALSE(q.ImpostaFunzione("x + 1"));
  EXPECT_EQ(TestiMessaggi(), std::vector<std::string>{"Espressione non corretta: x+1"});
  EXPECT_EQ(q._sFunz, "");
  EXPECT_FALSE(q.Albero());
  finestra.Messaggi.clear();
  f.bMessaggi = false;
  EXPECT_FALSE(f.ImpostaFunzione("x+1)"));
  EXPECT_TRUE(finestra.Messaggi.empty());
  EXPECT_EQ(f._sFunz, "");
  EXPECT_EQ(f.Valuta(3), 0);  // no formula: no tree
  // The value holds y as undefined.
  ASSERT_TRUE(e.ImpostaFunzione("1+2"));
  EXPECT_EQ(e.Valuta(0), 3);
  cValoreFunzione g;
  ASSERT_TRUE(g.ImpostaFunzione("x+y"));
  EXPECT_EQ(g.Valuta(1), 1 + VAL_NON_DEFINITA);
}

TEST_F(ValoreFunzione, CopiaEClonaSonoProfonde) {
  cValoreFunzione f;
  f.Nome = "F";
  ASSERT_TRUE(f.ImpostaFunzione("x^2"));
  f._bGrafico = 2;
  f._xa = -1;
  f._xb = 4;
  f._bEDO = true;
  f._EDOy0 = 0.5L;
  f.bMessaggi = false;
  auto c = f.Clona();
  auto* g = dynamic_cast<cValoreFunzione*>(c.get());
  ASSERT_TRUE(g);
  EXPECT_EQ(g->Nome, "F");
  EXPECT_EQ(g->_sFunz, "x^2");
  EXPECT_EQ(g->_bGrafico, 2);
  EXPECT_EQ(g->_xb, 4);
  EXPECT_TRUE(g->_bEDO);
  EXPECT_EQ(g->_EDOy0, 0.5L);
  EXPECT_FALSE(g->bMessaggi);
  // The copy shares the tree, which no value changes: a new formula of the original leaves
  // the copy's formula alone.
  EXPECT_EQ(g->Albero(), f.Albero());
  ASSERT_TRUE(f.ImpostaFunzione("x"));
  EXPECT_NE(g->Albero(), f.Albero());
  g->_bEDO = false;
  EXPECT_EQ(g->Valuta(3), 9);
  // Without a solver an ODE value is undefined.
  EXPECT_EQ(f.Valuta(3), VAL_NON_DEFINITA);
  // A value without a tree leaves the destination's formula alone.
  cValoreFunzione vuota;
  vuota.CopiaIn(*g);
  EXPECT_EQ(g->_sFunz, "x^2");
}

TEST_F(ValoreFunzione, AlberoCostruitoDaUnaOperazione) {
  cValoreFunzione f;
  ASSERT_TRUE(f.ImpostaFunzione("x^3"));
  cValoreFunzione d;
  d.ImpostaAlbero(Derivata(f.Albero()));
  EXPECT_EQ(d._sFunz, "3*(x^2)");
  EXPECT_EQ(d.Valuta(2), 12);
  PNodo indietro = AnalizzaEspressione(d._sFunz, MODO_FUNZIONE);
  EXPECT_EQ(AlberoInTesto(indietro.get()), d._sFunz);
}

TEST_F(ValoreFunzione, GraficoDiUnoSuXHaDueRamiSenzaGiunzione) {
  cValoreFunzione f;
  ASSERT_TRUE(f.ImpostaFunzione("1/x"));
  f._xa = -5;
  f._xb = 5;
  const TMappaGrafico m = Mappa(-5, 5, -5, 5);
  const TPezziGrafico pezzi = f.CalcolaGrafico(m);
  ASSERT_EQ(pezzi.size(), 2u);
  const int zero = static_cast<int>(m.XPixel(0));
  for (const auto& p : pezzi[0]) EXPECT_LT(p.x, zero);
  for (const auto& p : pezzi[1]) EXPECT_GE(p.x, zero);
  EXPECT_GT(pezzi[0].size(), 100u);
  EXPECT_GT(pezzi[1].size(), 100u);
  // Samples about two pixels apart.
  EXPECT_LE(pezzi[0][1].x - pezzi[0][0].x, 3);
}

TEST_F(ValoreFunzione, GraficoDellaTangenteHaUnNumeroLimitatoDiCampioni) {
  cValoreFunzione f;
  ASSERT_TRUE(f.ImpostaFunzione("Tan(x)"));
  f._xa = -10;
  f._xb = 10;
  TPezziGrafico pezzi = f.CalcolaGrafico(Mappa(-10, 10, -5, 5));
  EXPECT_GE(pezzi.size(), 6u);  // one branch per period in view
  // An absurdly wide frame does not multiply the samples.
  pezzi = f.CalcolaGrafico(Mappa(-10, 10, -5, 5, 2000000000));
  std::size_t punti = 0;
  for (const auto& p : pezzi) punti += p.size();
  EXPECT_LE(punti, static_cast<std::size_t>(MAX_CAMPIONI_GRAFICO) + 1);
  // A degenerate range draws nothing and takes no time.
  f._xb = f._xa;
  EXPECT_TRUE(f.CalcolaGrafico(Mappa(-10, 10, -5, 5)).empty());
}

TEST_F(ValoreFunzione, GraficoCompletoUsaIlCampoVisibile) {
  cValoreFunzione f;
  ASSERT_TRUE(f.ImpostaFunzione("x"));
  f._bGraficoCompleto = true;
  f._xa = 1;
  f._xb = 2;
  const TPezziGrafico pezzi = f.CalcolaGrafico(Mappa(-3, 3, -3, 3));
  EXPECT_EQ(f._xa, -3);
  EXPECT_EQ(f._xb, 3);
  ASSERT_EQ(pezzi.size(), 1u);
  EXPECT_EQ(pezzi[0].front().x, 0);
  EXPECT_EQ(pezzi[0].back().x, 600);
}

TEST_F(ValoreFunzione, VariabileEliminataDuranteIlGraficoUnaSolaSegnalazione) {
  DatiGlob.bMostraErrori = true;
  Reale_("K", 2);
  cValoreFunzione f;
  ASSERT_TRUE(f.ImpostaFunzione("k*x"));
  variabili.Elimina("K");
  f._xa = -5;
  f._xb = 5;
  EXPECT_TRUE(f.CalcolaGrafico(Mappa(-5, 5, -5, 5)).empty());
  EXPECT_EQ(TestiMessaggi(), std::vector<std::string>{"errore k"});
}

TEST_F(ValoreFunzione, MinimoEMassimoDiRadiceDiX) {
  cValoreFunzione f;
  ASSERT_TRUE(f.ImpostaFunzione("sqrt(x)"));
  f._xa = -4;
  f._xb = 4;
  f.CalcolaMinMaxY(Mappa(-4, 4, -4, 4));
  EXPECT_FALSE(f.bDefinita);
  EXPECT_EQ(f.yMin, 0);
  EXPECT_NEAR(static_cast<double>(f.yMax), 2, 1e-12);
  ASSERT_TRUE(f.ImpostaFunzione("x^2"));
  f.CalcolaMinMaxY(Mappa(-4, 4, -4, 4));
  EXPECT_TRUE(f.bDefinita);
  EXPECT_NEAR(static_cast<double>(f.yMax), 16, 1e-12);
}

TEST_F(ValoreFunzione, DisegnaPassaPerIlGancioSoloConGrafico2) {
  int chiamate = 0;
  TracciaGraficoFunzione = [&](TCanvas&, cValoreFunzione&) { ++chiamate; };
  cValoreFunzione f;
  ASSERT_TRUE(f.ImpostaFunzione("x"));
  // The canvas class belongs to the window; the hook only passes it on.
  alignas(64) unsigned char spazio[256] = {};
  TCanvas& canvas = *reinterpret_cast<TCanvas*>(spazio);
  f.Disegna(canvas);
  EXPECT_EQ(chiamate, 0);
  f._bGrafico = 2;
  f.Disegna(canvas);
  EXPECT_EQ(chiamate, 1);
  TracciaGraficoFunzione = nullptr;
}

TEST_F(ValoreFunzione, VariabileFunzione) {
  cVariabileFunzione v("G", T_FRAZIONE);
  EXPECT_EQ(v.Tipo, T_FRAZIONE);
  EXPECT_EQ(v.GetValore()->NomeTipo, "Frazione");
}

// Reading a variable clones its value: the clone is exactly a new value of its kind into which
// the original was copied (Copia, CopiaIn), whatever the current pen, brush and font are, and
// whatever the original holds that a copy does not take.
TEST_F(ValoreFunzione, ClonesAreNewValuesIntoWhichTheOriginalWasCopied) {
  DatiGlob.PennaCorrente = TPen{clGreen, psDot, 5, pmCopy};
  DatiGlob.PennelloCorrente = TBrush{clYellow, bsClear};
  DatiGlob.CarattereCorrente = TFont{clBlue, "Corrente", 30, 0};
  auto Grafiche = [](const cValoreGraf& a, const cValoreGraf& b) {
    EXPECT_EQ(a.Tipo, b.Tipo);
    EXPECT_EQ(a.Nome, b.Nome);
    EXPECT_EQ(a.NomeTipo, b.NomeTipo);
    EXPECT_EQ(a.Pen, b.Pen);
    EXPECT_EQ(a.Brush, b.Brush);
    EXPECT_EQ(a.Font, b.Font);
    EXPECT_EQ(a.varGruppo, b.varGruppo);
    EXPECT_EQ(a.bSelezionato, b.bSelezionato);
    EXPECT_EQ(a.bEvidenziato, b.bEvidenziato);
    EXPECT_EQ(a.bDerivato, b.bDerivato);
    EXPECT_EQ(a.bCoordCartesiane, b.bCoordCartesiane);
    EXPECT_EQ(a.bVisibile, b.bVisibile);
  };
  auto Segna = [](cValoreGraf& v) {
    v.Nome = "F";
    v.Pen = TPen{clRed, psDash, 3, pmCopy};
    v.Brush = TBrush{clNavy, bsSolid};
    v.Font = TFont{clMaroon, "Propria", 11, 1};
    v.varGruppo = "gruppo";
    v.bSelezionato = v.bEvidenziato = v.bDerivato = v.bCoordCartesiane = true;
    v.bVisibile = false;
  };

  for (const TipiValore tipo : {T_FUNZIONE, T_FRAZIONE, T_ESPRESSIONE}) {
    for (const bool conAlbero : {true, false}) {
      cValoreFunzione f(tipo);
      Segna(f);
      if (conAlbero) ASSERT_TRUE(f.ImpostaFunzione(tipo == T_FUNZIONE ? "x^2 - 3*x + 1" : "3/4 + 1"));
      else f._sFunz = "senza albero";
      f._bGrafico = 2;
      f._bGraficoCompleto = true;
      f._xa = -1.5L, f._xb = 2.25L, f._ya = -3, f._yb = 4, f._EDOy0 = 0.1L;
      f._bEDO = true;
      f.bMessaggi = false;
      f.bDefinita = false;
      f.yMax = 7, f.yMin = -7;
      cValoreFunzione atteso(tipo);
      f.CopiaIn(atteso);
      const auto clone = f.Clona();
      const auto& c = static_cast<const cValoreFunzione&>(*clone);
      SCOPED_TRACE(std::to_string(tipo) + (conAlbero ? " with a tree" : " without one"));
      Grafiche(c, atteso);
      EXPECT_EQ(c._sFunz, atteso._sFunz);
      EXPECT_EQ(c.Albero(), atteso.Albero());
      EXPECT_EQ(c._bGrafico, atteso._bGrafico);
      EXPECT_EQ(c._bGraficoCompleto, atteso._bGraficoCompleto);
      EXPECT_EQ(c._xa, atteso._xa);
      EXPECT_EQ(c._xb, atteso._xb);
      EXPECT_EQ(c._ya, atteso._ya);
      EXPECT_EQ(c._yb, atteso._yb);
      EXPECT_EQ(c._bEDO, atteso._bEDO);
      EXPECT_EQ(c._EDOy0, atteso._EDOy0);
      EXPECT_EQ(c.bMessaggi, atteso.bMessaggi);
      EXPECT_EQ(c.bDefinita, atteso.bDefinita);
      EXPECT_EQ(c.yMax, atteso.yMax);
      EXPECT_EQ(c.yMin, atteso.yMin);
      EXPECT_EQ(c.Valuta(2), atteso.Valuta(2));
    }
  }

  cValorePunto p;
  Segna(p);
  p.xCart = 1.25L, p.yCart = -2.5L;
  p.Pixel = {10, 20};
  p.RettNome = {1, 2, 3, 4};
  p.RettIndice = {5, 6, 7, 8};
  p.Etichetta = "P1";
  p.bSuRettaNumerica = true;
  cValorePunto atteso;
  p.Copia(atteso);
  const auto clone = p.Clona();
  const auto& c = static_cast<const cValorePunto&>(*clone);
  Grafiche(c, atteso);
  EXPECT_EQ(c.xCart, atteso.xCart);
  EXPECT_EQ(c.yCart, atteso.yCart);
  EXPECT_EQ(c.Pixel, atteso.Pixel);
  EXPECT_EQ(c.RettNome, atteso.RettNome);
  EXPECT_EQ(c.RettIndice, atteso.RettIndice);
  EXPECT_EQ(c.Etichetta, atteso.Etichetta);
  EXPECT_EQ(c.bSuRettaNumerica, atteso.bSuRettaNumerica);
}

}  // namespace
}  // namespace qx::test
