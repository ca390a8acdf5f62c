// What the geometry tests share: a run through the scripted window, with the list of
// picked values that the window would keep.
#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "runstate/DatiGlob.h"
#include "tests/support/Esecuzione.h"
#include "values/ValoriScalari.h"
#include "values/figure/ListaValGraf.h"
#include "values/figure/ValorePoligono.h"
#include "values/figure/ValorePunto.h"
#include "values/figure/ValoreRetta.h"

namespace qx::test {

class GeometriaPianaTest : public ::testing::Test {
 protected:
  Esecuzione run;
  TListValGraf scelti;

  void SetUp() override { DatiGlob.ListaValGraf = &scelti; }
  void TearDown() override { DatiGlob.ListaValGraf = nullptr; }

  // Runs the program and fails the test with the error when it does not succeed.
  void Programma(const std::string& testo) {
    const Esito e = run.Esegui(testo);
    ASSERT_TRUE(e.riuscito) << e.errore << " at line " << e.riga;
  }
  Reale Numero(const std::string& nome) {
    auto* v = dynamic_cast<cValoreReale*>(run.Valore(nome));
    return v ? v->Value : 1e300L;
  }
  cValorePunto* Punto(const std::string& nome) { return dynamic_cast<cValorePunto*>(run.Valore(nome)); }
  cValoreRetta* Retta(const std::string& nome) { return dynamic_cast<cValoreRetta*>(run.Valore(nome)); }
  cValorePoligono* Poligono(const std::string& nome) { return dynamic_cast<cValorePoligono*>(run.Valore(nome)); }
  // "(x, y)" of every vertex, two decimals.
  std::string Vertici(const std::string& nome) {
    std::string s;
    const cValorePoligono* p = Poligono(nome);
    if (!p) return "<none>";
    for (const auto& v : p->Punti) s += "(" + NumeroInTestoDec(v.x, 2) + ", " + NumeroInTestoDec(v.y, 2) + ")";
    return s;
  }
};

#define EXPECT_VICINO(a, b) EXPECT_NEAR(static_cast<double>(a), static_cast<double>(b), 1e-9)

}  // namespace qx::test
