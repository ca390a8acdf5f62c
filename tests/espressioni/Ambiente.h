// Common ground of the expression tests: a fresh run state, a scripted window that
// records the message boxes, and a variable table that the formulas can name.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "runstate/DatiGlob.h"
#include "tests/support/ScriptedWindow.h"
#include "values/Variabili.h"
#include "values/espressioni/Analizzatore.h"
#include "values/espressioni/NodoEspr.h"
#include "values/espressioni/Stampa.h"
#include "values/espressioni/Valutatore.h"

namespace qx::test {

class AmbienteEspr : public ::testing::Test {
 protected:
  void SetUp() override {
    ReimpostaDatiGlob();
    DatiGlob.ListaVariabili = &variabili;
  }
  void TearDown() override { DatiGlob.ListaVariabili = nullptr; }

  void Reale_(const std::string& nome, Reale v) {
    auto var = std::make_unique<cVariabileReale>(nome);
    static_cast<cValoreReale*>(var->GetValore())->Value = v;
    variabili.Aggiungi(std::move(var));
  }
  std::vector<std::string> TestiMessaggi() const {
    std::vector<std::string> t;
    for (const auto& m : finestra.Messaggi) t.push_back(m.testo);
    return t;
  }
  // Parses in mode 1 and prints back.
  static std::string Stampa(const std::string& testo, int modo = MODO_FUNZIONE) {
    PNodo t = AnalizzaEspressione(testo, modo);
    return t ? AlberoInTesto(t.get()) : "<nil>";
  }
  static Reale Valore(const std::string& testo, Reale x = 0, Reale y = 0) {
    PNodo t = AnalizzaEspressione(testo, MODO_FUNZIONE);
    EXPECT_TRUE(t) << testo;
    return ValutaAlbero(t.get(), x, y);
  }

  ScriptedWindow finestra;
  FinestraInstallata installata{finestra};
  cListaVariabili variabili;
};

}  // namespace qx::test
