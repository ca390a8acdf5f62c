// Termina during long symbolic work in the real window: the derivatives of a Taylor
// polynomial let the window's messages through, and the stop command ends them there.
#include <gtest/gtest.h>

#include <chrono>
#include <iostream>

#include "tests/app/Supporto.h"
#include "values/espressioni/LavoroSimbolico.h"

namespace qx::test {
namespace {

TEST(TerminaSimbolico, TerminaFermaIlPolinomioDiTaylor) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  ImpostaTestoEditor(*f.MemoSource, "T = POLT(FUNZIONE(\"1/(1+x^2)\"), 0.5, 20);\nB = 2;");
  using Orologio = std::chrono::steady_clock;
  Orologio::time_point premuto;
  // Pressed at the first message that the symbolic work itself lets through.
  Quando stop([] { return LavoroInCorso() != nullptr; }, [&] {
    premuto = Orologio::now();
    Clicca(f, f.tbtTerminaEsecuzione);
  });
  Clicca(f, f.Esegui1);
  const auto fine = Orologio::now();
  ASSERT_TRUE(stop.Eseguita());
  // Stopped, not finished and not failed: no message, nothing stored, nothing after it.
  EXPECT_TRUE(DatiGlob.bInterrotto);
  EXPECT_EQ(DatiGlob.MessaggioErrore, "");
  EXPECT_EQ(DatiGlob.ListaVariabili->Cerca("T"), nullptr);
  EXPECT_EQ(DatiGlob.ListaVariabili->Cerca("B"), nullptr);
  EXPECT_FALSE(f.tbtTerminaEsecuzione->isEnabled());
  EXPECT_EQ(LavoroInCorso(), nullptr);
  // The time from the press to the end of the run is a measure, not a condition.
  const auto ms = std::chrono::duration_cast<std::chrono::microseconds>(fine - premuto).count() / 1000.0;
  std::cout << "Termina -> end of run: " << ms << " ms\n";
  RecordProperty("ms_termina", std::to_string(ms));
}

}  // namespace
}  // namespace qx::test
