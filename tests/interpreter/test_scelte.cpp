// The selection commands and the wait they share, driven by the scripted mouse.
#include <gtest/gtest.h>

#include "interpreter/LatoMouse.h"
#include "runstate/DatiGlob.h"
#include "tests/support/Esecuzione.h"
#include "values/RifCart.h"
#include "values/figure/ListaValGraf.h"
#include "values/figure/ValorePoligono.h"
#include "values/figure/ValorePunto.h"
#include "values/figure/ValoreRetta.h"

namespace qx {
namespace {

class ScelteTest : public ::testing::Test {
 protected:
  test::Esecuzione run;
  TListValGraf selezione;

  void SetUp() override {
    run.ambiente.InizializzaAmbiente();
    DatiGlob.ListaValGraf = &selezione;
  }
  void TearDown() override { DatiGlob.ListaValGraf = nullptr; }

  // A point stored as a program would store it, with its pixel where it would be drawn.
  TPoint Punto(const std::string& nome, Reale x, Reale y) {
    auto p = std::make_unique<cValorePunto>();
    p->xCart = x;
    p->yCart = y;
    p->bCoordCartesiane = true;
    const TPoint pixel = DatiGlob.RifCart->CartInPixel({x, y});
    p->ImpostaPixel(pixel.x, pixel.y);
    p->Nome = nome;
    run.ambiente.Variabili().Aggiungi(std::make_unique<cVariabile>(nome, std::move(p)));
    return pixel;
  }

  bool Comando(const std::string& riga) { return run.ambiente.EseguiComando({riga}); }
};

TEST_F(ScelteTest, NothingToChooseIsReportedWithoutWaiting) {
  EXPECT_FALSE(Comando("SCEGLIPUNTO;"));
  EXPECT_EQ(DatiGlob.MessaggioErrore, "SCEGLIPUNTO: Non esiste un punto da selezionare");
  EXPECT_FALSE(Comando("X = SCEGLILATO;"));
  EXPECT_EQ(DatiGlob.MessaggioErrore, "SCEGLILATO: Non esiste un poligono da selezionare");
  EXPECT_FALSE(Comando("X = CLICCA;"));
  EXPECT_EQ(DatiGlob.MessaggioErrore, "CLICCA: Non esiste un oggetto da cliccare");
  EXPECT_TRUE(run.finestra.Prompt.empty());
}

TEST_F(ScelteTest, APointChosenWithTheMouse) {
  const TPoint a = Punto("A", 1, 1);
  Punto("B", 3, 2);
  run.finestra.Quando([] { return DatiGlob.bAttesaScegliPunto; }, [a] { Clic(a); });
  ASSERT_TRUE(Comando("Q = SCEGLIPUNTO(\"vertice\");")) << DatiGlob.MessaggioErrore;
  ASSERT_FALSE(run.finestra.Prompt.empty());
  EXPECT_EQ(run.finestra.Prompt.front(), "Seleziona il vertice");
  EXPECT_EQ(run.finestra.Prompt.back(), "") << "the prompt is cleared after the pick";
  auto* q = dynamic_cast<cValorePunto*>(run.Valore("Q"));
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(q->xCart, 1);
  EXPECT_EQ(q->yCart, 1);
  EXPECT_TRUE(q->bDerivato);
  EXPECT_EQ(run.finestra.Toni, (std::vector<std::pair<int, int>>{{500, 100}, {600, 100}}));
  EXPECT_EQ(selezione.Count(), 1);
  EXPECT_EQ(DatiGlob.CursoreRifCart, crDefault);
}

TEST_F(ScelteTest, ClickingEmptyCanvasDoesNotEndTheWait) {
  const TPoint a = Punto("A", 1, 1);
  int clic = 0;
  // First an empty spot, then the point: only the second click ends the wait.
  run.finestra.Quando([] { return DatiGlob.bAttesaScegliPunto; }, [&] {
    ++clic;
    Clic({a.x + 100, a.y - 100});
    run.finestra.Quando([] { return DatiGlob.bAttesaScegliPunto; }, [&, a] {
      ++clic;
      Clic(a);
    });
  });
  ASSERT_TRUE(Comando("SCEGLIPUNTO;"));
  EXPECT_EQ(clic, 2);
  EXPECT_EQ(run.finestra.Prompt.front(), "Seleziona un Punto");
}

TEST_F(ScelteTest, ClickReturnsTheName) {
  const TPoint b = Punto("B", 2, 2);
  run.finestra.Quando([] { return DatiGlob.bAttesaClicca; }, [b] { Clic(b); });
  ASSERT_TRUE(Comando("N = CLICCA;"));
  EXPECT_EQ(run.Testo("N"), "B");
  EXPECT_EQ(run.finestra.Prompt.front(), "Clicca su un Oggetto");
  EXPECT_TRUE(run.finestra.Toni.empty()) << "a click does not beep";
}

TEST_F(ScelteTest, AVertexOfAPolygonIsChosen) {
  auto pol = std::make_unique<cValorePoligono>();
  pol->Punti.Aggiungi(0, 0);
  pol->Punti.Aggiungi(4, 0);
  pol->Punti.Aggiungi(4, 3);
  pol->bChiuso = true;
  pol->Nome = "T";
  run.ambiente.Variabili().Aggiungi(std::make_unique<cVariabile>("T", std::move(pol)));
  const TPoint vertice = DatiGlob.RifCart->CartInPixel({4, 3});
  run.finestra.Quando([] { return DatiGlob.bAttesaScegliVertice; }, [vertice] { Clic(vertice); });
  ASSERT_TRUE(Comando("V = SCEGLIVERTICE;")) << DatiGlob.MessaggioErrore;
  auto* v = dynamic_cast<cValorePunto*>(run.Valore("V"));
  ASSERT_NE(v, nullptr);
  EXPECT_NEAR(static_cast<double>(v->xCart), 4, 1e-9);
  EXPECT_NEAR(static_cast<double>(v->yCart), 3, 1e-9);
}

// The point on a line goes where the button went down: a hand that slips off the line before
// letting go still places it there, and a press beside the line places nothing, wherever the
// button comes up.
TEST_F(ScelteTest, APointOnALineIsTakenWhereTheButtonWentDown) {
  ASSERT_TRUE(Comando("S = SEGMENTO(PUNTO(0, 0), PUNTO(4, 2));")) << DatiGlob.MessaggioErrore;
  auto* s = dynamic_cast<cValoreRetta*>(run.Valore("S"));
  ASSERT_NE(s, nullptr);
  const cRifCart& f = *DatiGlob.RifCart;
  const TPoint suLinea = f.CartInPixel({2, 1}), accanto = f.CartInPixel({2.4L, 0.6L});
  const TPoint fuori = f.CartInPixel({3, 2}), sotto = f.CartInPixel({3, 1.5L});
  ASSERT_TRUE(s->Colpito(suLinea));
  ASSERT_TRUE(s->Colpito(sotto));
  ASSERT_FALSE(s->Colpito(accanto));
  ASSERT_FALSE(s->Colpito(fuori));
  bool aspettaAncora = false;
  run.finestra.Quando([] { return DatiGlob.bAttesaPuntoSu; }, [&] {
    MousePremuto(fuori);
    MouseRilasciato(sotto);
    aspettaAncora = DatiGlob.bAttesaPuntoSu;
    MousePremuto(suLinea);
    MouseMosso(accanto);
    MouseRilasciato(accanto);
  });
  ASSERT_TRUE(Comando("P = PUNTO_SU(S);")) << DatiGlob.MessaggioErrore;
  EXPECT_TRUE(aspettaAncora);
  ASSERT_EQ(run.finestra.Messaggi.size(), 1u);
  EXPECT_EQ(run.finestra.Messaggi[0].testo, "Il punto non si trova sull'oggetto specificato");
  auto* p = dynamic_cast<cValorePunto*>(run.Valore("P"));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->xCart, 2);
  EXPECT_EQ(p->yCart, 1);
  EXPECT_TRUE(run.finestra.Problemi.empty());
}

TEST_F(ScelteTest, AStopDuringTheWaitEndsItWithoutAValueOrAMessage) {
  Punto("A", 1, 1);
  run.finestra.Quando([] { return DatiGlob.bAttesaScegliPunto; }, [] { TerminaEsecuzione(); });
  EXPECT_TRUE(Comando("Q = SCEGLIPUNTO; R = 1;"));
  EXPECT_EQ(run.Valore("Q"), nullptr);
  EXPECT_EQ(run.Valore("R"), nullptr);
  EXPECT_TRUE(run.finestra.Messaggi.empty());
  EXPECT_EQ(DatiGlob.CursoreRifCart, crDefault);
  EXPECT_TRUE(run.finestra.Problemi.empty());
}

}  // namespace
}  // namespace qx
