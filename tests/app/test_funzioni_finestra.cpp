// Functions in the real window: Termina during long symbolic work (the derivatives of a
// Taylor polynomial let the window's messages through, and the stop command ends them
// there), and a function text that does not parse, in the plane and in space.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <chrono>
#include <iostream>

#include "tests/app/Supporto.h"
#include "values/espressioni/LavoroSimbolico.h"

namespace qx::test {
namespace {

TEST(FunzioniNellaFinestra, TerminaFermaIlPolinomioDiTaylor) {
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

// The pupil sees "Espressione non corretta: " and the text in one box, on the statement's
// line, and the run stops there.
TEST(FunzioniNellaFinestra, UnaFunzioneCheNonSiLeggeFermaLEsecuzioneSullaSuaRiga) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  for (const char* comando : {"FUNZIONE", "FUNZIONE3D"}) {
    ImpostaTestoEditor(*f.MemoSource, std::string("A = 1;\nF = ") + comando + "(\"x +* 2\");\nB = 2;");
    RispondiModali risposte;
    risposte.Premi(QMessageBox::Ok);
    Clicca(f, f.Esegui1);
    ASSERT_EQ(risposte.Visti.size(), 1u) << comando;
    EXPECT_EQ(risposte.Visti[0].titolo, "Errore");
    EXPECT_EQ(risposte.Visti[0].testo, "Espressione non corretta: x+*2");
    EXPECT_EQ(DatiGlob.RigaErrore, 1);
    EXPECT_EQ(DatiGlob.ListaVariabili->Cerca("F"), nullptr);
    EXPECT_EQ(DatiGlob.ListaVariabili->Cerca("B"), nullptr);
  }
}

}  // namespace
}  // namespace qx::test
