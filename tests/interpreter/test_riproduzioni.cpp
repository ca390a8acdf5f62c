// Recorded expressions, replayed tokens and compiled loop passes must not change what a run
// does: every program here runs twice, once as usual and once reading its text alone, and the
// two runs must agree on everything they show (output, error and its line, every variable to
// the last bit, message pumps, redraws, the line shown last).
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <random>

#include "interpreter/Istruzioni.h"
#include "interpreter/IstruzioniCompilate.h"
#include "interpreter/Scanner.h"
#include "runstate/DatiGlob.h"
#include "tests/support/Esecuzione.h"
#include "values/Variabili.h"

namespace qx {
namespace {

struct Istantanea {
  bool riuscito = false;
  std::vector<std::string> output, variabili;
  std::string errore;
  int riga = 0;
  std::uint64_t pompaggi = 0;
  int ridisegni = 0, aggiornamenti = 0, rigaCorrente = 0;

  bool operator==(const Istantanea&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Istantanea& i) {
  os << (i.riuscito ? "ok" : "error") << " \"" << i.errore << "\" line " << i.riga << ", pumps " << i.pompaggi
     << ", redraws " << i.ridisegni << "/" << i.aggiornamenti << ", shown line " << i.rigaCorrente << "\n";
  for (const auto& o : i.output) os << "  out: " << o << "\n";
  for (const auto& v : i.variabili) os << "  var: " << v << "\n";
  return os;
}

// One run with the replays on or off, from a fresh state; `azione` runs at the pump `al`.
Istantanea Esegui(const std::string& programma, bool riproduzioni, bool veloce, bool pompaConFine = false,
                  std::uint64_t al = 0, std::function<void()> azione = {}) {
  detail::gRiproduzioni = riproduzioni;
  test::Esecuzione run;
  DatiGlob.bEsecuzioneVeloce = veloce;
  if (pompaConFine) {
    // A budget of pumps, as the fuzz test uses: a run that would not end is stopped.
    run.finestra.Quando([&run] { return run.finestra.Pompaggi >= 200000; }, [] { TerminaEsecuzione(); });
  }
  if (azione) run.finestra.AlPompaggio(al, azione);
  const test::Esito e = run.Esegui(programma);
  detail::gRiproduzioni = true;
  Istantanea i;
  i.riuscito = e.riuscito;
  i.output = e.output;
  i.errore = e.errore;
  i.riga = e.riga;
  i.pompaggi = run.finestra.Pompaggi;
  i.ridisegni = run.finestra.Ridisegni;
  i.aggiornamenti = run.finestra.AggiornamentiLista;
  i.rigaCorrente = DatiGlob.RigaCorrente;
  cListaVariabili& t = run.ambiente.Variabili();
  for (int k = t.Count(); k >= 1; --k) {
    const cVariabile& v = *t.Elemento(k);
    std::string testo = v.Nome + " " + std::to_string(v.Tipo) + " " + TestoValore(*v.GetValore());
    if (v.Tipo == T_REALE) {
      char esatto[64];
      std::snprintf(esatto, sizeof esatto, " %La", static_cast<const cValoreReale*>(v.GetValore())->Value);
      testo += esatto;
    }
    i.variabili.push_back(testo);
  }
  return i;
}

void Confronta(const std::string& programma) {
  for (const bool veloce : {true, false}) {
    SCOPED_TRACE(programma);
    const Istantanea testo = Esegui(programma, false, veloce);
    const Istantanea ricordata = Esegui(programma, true, veloce);
    EXPECT_EQ(ricordata, testo) << (veloce ? "fast run" : "normal run") << " of:\n" << programma;
  }
}

TEST(RiproduzioniTest, LoopsGiveWhatTheirTextGives) {
  const char* const programmi[] = {
      // the loop of the benchmark, and bounds or counters that change inside the body
      "S = 0;\nPER (I DA 1 A 300) ESEGUI;\n  S = S + I * 2 - 1;\nFINE;",
      "S = 0; N = 6;\nPER (I DA 1 A N) ESEGUI;\n  N = N - 1; S = S + I;\nFINE;",
      "PER (I DA 1 A 20) ESEGUI;\n  I = I + 2;\nFINE;",
      "A = 1; B = 9;\nPER (I DA A A B) ESEGUI;\n  A = A + 1; C = I;\nFINE;",
      "I = 10; S = 0;\nPER (I DA I - 9 A 4) ESEGUI; S = S + I; FINE;",
      "S = 0;\nPER (I DA 5 A 1) ESEGUI; S = S + 1; FINE;",
      "S = 0;\nPER (I DA 1 A 3.5) ESEGUI; S = S + I ^ 2; FINE;",
      "S = 0;\nPER (I DA 1 A 4) ESEGUI;\n  PER (J DA 1 A 3) ESEGUI;\n    S = S + I * J;\n  FINE;\n  T = S;\nFINE;",
      // empty statements, and a header and an expression across lines
      "S = 0;\nPER (I DA 1 A 5) ESEGUI; ; S = S + 1; ; FINE;",
      "S = 0;\nPER (I\n DA 1\n A 4)\nESEGUI;\nS = S +\nI;\nFINE;",
      // passes that cannot be compiled: divisions, logical values, texts, output, indices
      "PER (I DA 1 A 10) ESEGUI; R = I MOD 3; Q = I DIV 3; H = I / 4; FINE;",
      "B = VERO;\nPER (I DA 1 A 6) ESEGUI; B = !B; C = B E (I > 2); FINE;",
      "T = \"\";\nPER (I DA 1 A 4) ESEGUI; T = T || I; FINE;",
      "PER (I DA 1 A 3) ESEGUI; STAMPA(I * 2); FINE;",
      "PER (I DA 1 A 3) ESEGUI; A_I = I * 2; FINE; STAMPA(A_2);",
      "V = VETTORE(5);\nPER (I DA 1 A 5) ESEGUI; V(I) = I * I; FINE; STAMPA(V(4));",
      "I = \"a\"; S = 0;\nPER (I DA 1 A 3) ESEGUI; S = S + I; FINE;",
      "S = 0;\nPER (I DA 1 A 4) ESEGUI;\n  SE I > 2 ALLORA S = S + 10; ALTRIMENTI S = S - 1;\nFINE;",
      // errors in a later pass: the message and its line
      "S = 0;\nPER (I DA -3 A 3) ESEGUI;\n  S = S + 1 / I;\nFINE;",
      "S = 0;\nPER (I DA 1 A 5) ESEGUI;\n  S = S + I;\n  SE I = 4 ALLORA S = \"x\";\nFINE;",
      "PER (I DA 1 A 5) ESEGUI; S = S + I; FINE;",
      "S = 0; PER (I DA 1 A 5) ESEGUI; S = S + I; STOP; FINE; S = 99;",
      // the other loops
      "K = 0;\nESEGUI FINQUANDO (K < 50);\n  K = K + 1; J = K * 2;\nFINE;",
      "X = 0;\nRIPETI 40 VOLTE;\n  X = X + 0.5;\nFINE;",
      "K = 0; S = 0;\nRIPETI 5 VOLTE; PER (I DA 1 A K) ESEGUI; S = S + I; FINE; K = K + 1; FINE;",
  };
  for (const char* p : programmi) Confronta(p);
  // The loops run from their recordings.
  const std::uint64_t prima = detail::gIstruzioniRiprodotte;
  Esegui(programmi[0], true, true);
  EXPECT_EQ(detail::gIstruzioniRiprodotte - prima, 1u);
}

TEST(RiproduzioniTest, ALoopLongerThanItsFirstPassesStaysExact) {
  // Fractions that do not add up exactly: the compiled passes must round as the text does.
  Confronta("S = 0; T = 1;\nPER (I DA 1 A 2000) ESEGUI;\n  S = S + 0.1 * I; T = T * 1.0001 - 0.00001;\nFINE;");
}

// Random loop programs over a few variables: the two runs must agree on every one.
std::string ProgrammaACaso(std::mt19937& gen) {
  const char* const variabili[] = {"A", "B", "C", "I", "J"};
  const char* const operatori[] = {" + ", " - ", " * ", " / ", " ^ ", " MOD ", " DIV "};
  auto numero = [&] { return std::to_string(static_cast<int>(gen() % 7) - 2); };
  auto operando = [&] { return gen() % 2 ? std::string(variabili[gen() % 5]) : numero(); };
  auto espressione = [&] {
    std::string e = operando();
    const int n = static_cast<int>(gen() % 3);
    for (int i = 0; i < n; ++i) e += operatori[gen() % (gen() % 3 ? 3 : 7)] + operando();
    return gen() % 5 ? e : "(" + e + ")";
  };
  std::string p = "A = 1; B = 2; C = 0; J = 1;\n";
  std::function<void(int)> corpo = [&](int profondita) {
    const int n = 1 + static_cast<int>(gen() % 3);
    for (int i = 0; i < n; ++i) {
      const unsigned scelta = gen() % 10;
      if (scelta < 6 || profondita > 1) {
        p += std::string(variabili[gen() % 3]) + " = " + espressione() + ";\n";
      } else if (scelta < 8) {
        const char* v = profondita ? "J" : "I";
        p += std::string("PER (") + v + " DA " + numero() + " A " + std::to_string(gen() % 6) + ") ESEGUI;\n";
        corpo(profondita + 1);
        p += "FINE;\n";
      } else if (scelta < 9) {
        p += "SE " + espressione() + " > 0 ALLORA " + variabili[gen() % 3] + " = " + espressione() + ";\n";
      } else if (gen() % 2) {
        p += "RIPETI " + std::to_string(gen() % 4) + " VOLTE;\n";
        corpo(profondita + 1);
        p += "FINE;\n";
      } else {
        p += "STAMPA(" + espressione() + ");\n";
      }
    }
  };
  p += "PER (I DA 1 A " + std::to_string(3 + gen() % 8) + ") ESEGUI;\n";
  corpo(0);
  p += "FINE;\n";
  return p;
}

TEST(RiproduzioniTest, RandomLoopProgramsGiveWhatTheirTextGives) {
  std::mt19937 gen(61206);
  for (int prova = 0; prova < 1000; ++prova) {
    const std::string p = ProgrammaACaso(gen);
    const bool veloce = prova % 4 != 0;  // a quarter in normal run, with its redraws
    const Istantanea testo = Esegui(p, false, veloce, true);
    const Istantanea ricordata = Esegui(p, true, veloce, true);
    ASSERT_EQ(ricordata, testo) << (veloce ? "fast run" : "normal run") << " of:\n" << p;
  }
}

TEST(RiproduzioniTest, WhatTheWindowDoesAtAnyTokenIsSeenWhereTheTextWouldSeeIt) {
  // Out of fast run every message hook runs where a reading of the text runs it, so a stop,
  // or a variable that changes its kind, at any pump gives what the text gives: replays that
  // go back to the text part-way skip the hooks they already ran. (A variable read twice in
  // one expression and changed between the two reads is read anew from the expression's
  // start: each variable is read once here.)
  const char* const programmi[] = {
      "S = 0; B = 1;\nPER (I DA 1 A 6) ESEGUI;\n  S = S + I * B - (3 + 2);\nFINE;",
      "S = 1; K = 0;\nESEGUI FINQUANDO (K < 5);\n  K = K + 1; S = S * 2 + K;\nFINE;",
  };
  const std::function<void()> azioni[] = {
      [] { TerminaEsecuzione(); },
      [] {
        cValoreStringa testo("x");
        StoreVariable(true, "B", testo, nullptr);
      },
      [] {
        cValoreStringa testo("x");
        StoreVariable(true, "S", testo, nullptr);
      },
  };
  for (const char* p : programmi)
    for (const auto& azione : azioni)
      for (std::uint64_t al = 1; al <= 120; ++al) {
        const Istantanea testo = Esegui(p, false, false, false, al, azione);
        const Istantanea ricordata = Esegui(p, true, false, false, al, azione);
        ASSERT_EQ(ricordata, testo) << "action at pump " << al << " of:\n" << p;
      }
}

TEST(RiproduzioniTest, AStopFromThePumpInsideACompiledLoopEndsTheRun) {
  detail::gRiproduzioni = true;
  test::Esecuzione run;
  run.finestra.AlPompaggio(3001, [] { TerminaEsecuzione(); });
  const test::Esito e = run.Esegui("S = 0;\nPER (I DA 1 A 100000) ESEGUI;\n  S = S + I;\nFINE;\nT = 1;");
  EXPECT_TRUE(e.riuscito);
  EXPECT_TRUE(DatiGlob.bInterrotto);
  EXPECT_EQ(run.Valore("T"), nullptr);
  // A pass pumps fourteen times (twelve tokens and the names S and I): the stop comes in the
  // 215th pass, whose hooks a compiled pass calls before it stores anything.
  const auto* i = static_cast<const cValoreReale*>(run.Valore("I"));
  ASSERT_NE(i, nullptr);
  EXPECT_GE(i->Value, 214);
  EXPECT_LE(i->Value, 215);
  EXPECT_LE(run.finestra.Pompaggi, 3001u + 20u) << "no pass runs after the stop";
}

TEST(RiproduzioniTest, AVariableChangedByTheWindowDuringALoopIsReadAgain) {
  // A change that the pass did not make (here a script at the pump, as a window could) sends
  // the pass back to its text, which then reports what it finds.
  detail::gRiproduzioni = true;
  test::Esecuzione run;
  run.finestra.AlPompaggio(2000, [&run] {
    cValoreStringa testo("x");
    StoreVariable(true, "S", testo, nullptr);
  });
  const test::Esito e = run.Esegui("S = 0;\nPER (I DA 1 A 1000) ESEGUI;\n  S = S + I;\nFINE;");
  EXPECT_FALSE(e.riuscito);
  EXPECT_EQ(e.riga, 3);
  EXPECT_FALSE(e.errore.empty());
}

}  // namespace
}  // namespace qx
