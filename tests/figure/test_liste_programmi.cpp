// The list builders and the list element reader, run end to end through the interpreter.
#include <gtest/gtest.h>

#include "runstate/DatiGlob.h"
#include "tests/support/Esecuzione.h"
#include "values/ValoriScalari.h"
#include "values/figure/ValoreLista.h"
#include "values/figure/ValorePunto.h"

namespace qx {
namespace {

class ListeProgrammiTest : public ::testing::Test {
 protected:
  test::Esecuzione run;
  std::string Errore(const std::string& p) {
    auto e = run.Esegui(p);
    return e.riuscito ? "<ok>" : std::to_string(e.riga) + " " + e.errore;
  }
  // A command-bar line in the environment the last program left.
  std::string Comando(const std::string& riga) {
    const bool ok = run.ambiente.EseguiComando({riga});
    return ok ? "<ok>" : DatiGlob.MessaggioErrore;
  }
};

TEST_F(ListeProgrammiTest, BuildersMakeListsAndVectorsOfFunctions) {
  ASSERT_EQ(Errore("L = LISTA;\nV = VETTORE_FUNZ(3);\nW = VETTORE_FUNZ(5000);"), "<ok>");
  EXPECT_EQ(run.Testo("L"), "LISTA");
  EXPECT_EQ(run.Testo("V"), "Vettore di Funzioni");
  auto* v = dynamic_cast<cValoreLista*>(run.Valore("V"));
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->TipoLista, T_VETT_FUNZ);
  EXPECT_EQ(v->_nCount, 3);
  EXPECT_EQ(static_cast<cValoreLista*>(run.Valore("W"))->_nCount, 5000);
  EXPECT_EQ(Errore("V = VETTORE_FUNZ(5001);"), "1 Dimensione non consentita per un vettore: VETTORE_FUNZ");
  EXPECT_EQ(Errore("V = VETTORE_FUNZ(-1);"), "1 Dimensione non consentita per un vettore: VETTORE_FUNZ");
  EXPECT_EQ(Errore("V = VETTORE_FUNZ(\"a\");"), "1 Parametri errati per VETTORE_FUNZ");
  EXPECT_EQ(Errore("V = VETTORE_FUNZ(1, 2);"), "1 Parametri errati per VETTORE_FUNZ");
  EXPECT_EQ(Errore("L = LISTA(1, 2);"), "<ok>") << "the arguments of LISTA are not looked at";
}

TEST_F(ListeProgrammiTest, ElementReadsCheckTheirIndex) {
  EXPECT_EQ(Errore("L = LISTA;\nX = L(1);"), "2 Valore di indice non consentito: L");
  EXPECT_EQ(Errore("V = VETTORE_FUNZ(3);\nF = V(4);"), "2 Valore di indice non consentito: V");
  EXPECT_EQ(Errore("V = VETTORE_FUNZ(3);\nF = V(0);"), "2 Valore di indice non consentito: V");
  EXPECT_EQ(Errore("V = VETTORE_FUNZ(3);\nF = V(2);"), "2 L'elemento del vettore V indicizzato è nullo");
  EXPECT_EQ(Errore("V = VETTORE_FUNZ(3);\nF = V(\"a\");"), "2 Parametri errati per V");
  EXPECT_EQ(Errore("L = LISTA;\nM = L;"), "<ok>");
  EXPECT_EQ(run.Testo("M"), "LISTA");
}

TEST_F(ListeProgrammiTest, PointElementsAndTheirMembers) {
  ASSERT_EQ(Errore("L = LISTA;"), "<ok>");
  auto* l = dynamic_cast<cValoreLista*>(run.Valore("L"));
  ASSERT_NE(l, nullptr);
  auto p = std::make_unique<cValorePunto>();
  p->xCart = 3;
  p->yCart = -2;
  p->bCoordCartesiane = true;
  l->ImpostaElemento(1, std::move(p));
  ASSERT_EQ(Comando("A = L(1);"), "<ok>");
  EXPECT_EQ(run.Testo("A"), "Punto: A (3, -2)");
  ASSERT_EQ(Comando("X = L(1).X;"), "<ok>");
  EXPECT_EQ(run.Testo("X"), "3");
  ASSERT_EQ(Comando("Y = L(1).Y;"), "<ok>");
  EXPECT_EQ(run.Testo("Y"), "-2");
  EXPECT_EQ(Comando("Z = L(1).Z;"), "Identificatore non riconosciuto");
  EXPECT_EQ(Comando("B = L(2);"), "Valore di indice non consentito: L");
}

}  // namespace
}  // namespace qx
