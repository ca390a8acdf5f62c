// Random and mutated programs run with loops from their recordings and with every loop read
// from its text: the two runs must agree on everything they show (see Riproduzioni.h).
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "runstate/DatiGlob.h"
#include "tests/interpreter/Riproduzioni.h"

namespace qx {
namespace {

using test::Esegui;
using test::Istantanea;
using test::Prova;

// Programs of numbers only, over a few variables, with nested loops.
std::string ProgrammaDiNumeri(std::mt19937& gen) {
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

// Programs of every kind the loops of a pupil hold: numbers, logical values, strings, vectors
// and their elements, built-in functions, output, every control structure; now and then an
// operand of the wrong kind, an index out of range, a name that is nothing.
std::string ProgrammaDiOgniTipo(std::mt19937& gen) {
  auto caso = [&](unsigned n) { return static_cast<unsigned>(gen() % n); };
  auto numero = [&] { return std::to_string(static_cast<int>(caso(9)) - 3) + (caso(4) ? "" : ".5"); };
  std::function<std::string(int)> valore = [&](int profondita) -> std::string {
    switch (caso(profondita > 2 ? 4 : 14)) {
      case 0: return numero();
      case 1: return "N";
      case 2: return "I";
      case 3: return "V(" + std::to_string(1 + caso(caso(8) ? 3 : 5)) + ")";
      case 4: return "(" + valore(profondita + 1) + " + " + valore(profondita + 1) + ")";
      case 5: return valore(profondita + 1) + " * " + valore(profondita + 1);
      case 6: return valore(profondita + 1) + " - " + valore(profondita + 1);
      case 7: return "SEN(" + valore(profondita + 1) + ")";
      case 8: return "RADICEQ(" + valore(profondita + 1) + ")";
      case 9: return "VALOREASS(" + valore(profondita + 1) + ")";
      case 10: return "-" + valore(profondita + 1);
      case 11: return caso(5) ? "T" : "\"t\"";
      case 12: return caso(3) ? valore(profondita + 1) + " / " + valore(profondita + 1) : "NULLA";
      default: return "M(" + std::to_string(1 + caso(2)) + ", " + std::to_string(1 + caso(2)) + ")";
    }
  };
  auto condizione = [&]() -> std::string {
    switch (caso(5)) {
      case 0: return "B";
      case 1: return "!B";
      case 2: return "(" + valore(1) + " > " + valore(1) + ") E B";
      case 3: return "T = \"ab\"";
      default: return valore(1) + (caso(2) ? " <= " : " = ") + valore(1);
    }
  };
  auto testo = [&] {
    std::string t = caso(2) ? "T" : "\"s\"";
    const unsigned n = caso(3);
    for (unsigned i = 0; i < n; ++i) t += " || " + (caso(2) ? std::string("\"ab\"") : valore(2));
    return t;
  };
  std::string p = "N = 2; B = VERO; T = \"a\"; V = VETTORE(3); M = MATRICE(2, 2); F = FUNZIONE(\"x^2-1\");\n";
  std::function<void(int)> corpo = [&](int profondita) {
    const unsigned n = 1 + caso(3);
    for (unsigned i = 0; i < n; ++i) {
      const unsigned scelta = caso(profondita > 1 ? 9 : 14);
      switch (scelta) {
        case 0: case 1: p += "N = " + valore(0) + ";\n"; break;
        case 2: p += "V(" + std::to_string(1 + caso(caso(6) ? 3 : 4)) + ") = " + valore(0) + ";\n"; break;
        case 3: p += "T = " + testo() + ";\n"; break;
        case 4: p += "B = " + condizione() + ";\n"; break;
        case 5: p += "STAMPA(" + valore(0) + ", \" \", " + testo() + ");\n"; break;
        case 6: p += "SE " + condizione() + " ALLORA N = " + valore(0) + "; ALTRIMENTI T = " + testo() + ";\n"; break;
        case 7: p += "M(" + std::to_string(1 + caso(2)) + ", 1) = VALUTAFUNZ(F, " + valore(1) + ");\n"; break;
        case 8: p += ";\n"; break;
        case 9: case 10:
          p += "PER (J DA " + numero() + " A " + valore(1) + ") ESEGUI;\n";
          corpo(profondita + 1);
          p += "FINE;\n";
          break;
        case 11:
          p += "K = 0;\nESEGUI FINQUANDO (K < " + std::to_string(caso(4)) + ");\n  K = K + 1;\n";
          corpo(profondita + 1);
          p += "FINE;\n";
          break;
        case 12:
          p += "SE " + condizione() + " ALLORA ESEGUI;\n";
          corpo(profondita + 1);
          p += "FINE;\n";
          break;
        default:
          p += "RIPETI " + numero() + " VOLTE;\n";
          corpo(profondita + 1);
          p += "FINE;\n";
          break;
      }
    }
  };
  p += "PER (I DA 1 A " + std::to_string(2 + caso(6)) + ") ESEGUI;\n";
  corpo(0);
  p += "FINE;\n";
  return p;
}

// The message hooks a window ignores after each of its pumps: none, a few, most.
constexpr int kIgnorati[] = {0, 4, 60};

// `ignorati`: the message hooks the window ignores after each pump; `evidenzia` false: a fast
// run highlights no line, as the window's fast run does.
void Confronta(const std::string& p, bool veloce, int ignorati = 0, bool evidenzia = true) {
  Prova prova;
  prova.veloce = veloce;
  prova.evidenzia = evidenzia || !veloce;
  prova.limite = 50000;  // a run that would not end is stopped, as the user would stop it
  prova.ignorati = ignorati;
  const Istantanea testo = Esegui(p, false, prova);
  const Istantanea ricordata = Esegui(p, true, prova);
  ASSERT_EQ(ricordata, testo) << (veloce ? "fast run" : "normal run") << ", hooks ignored " << ignorati << " of:\n"
                              << p;
}

TEST(RiproduzioniCasualiTest, ProgramsOfNumbersGiveWhatTheirTextGives) {
  std::mt19937 gen(61206);
  for (int prova = 0; prova < 600; ++prova)
    Confronta(ProgrammaDiNumeri(gen), prova % 4 != 0, kIgnorati[prova % 3], prova / 4 % 2 == 0);
}

TEST(RiproduzioniCasualiTest, ProgramsOfEveryKindGiveWhatTheirTextGives) {
  std::mt19937 gen(20251206);
  for (int prova = 0; prova < 600; ++prova)
    Confronta(ProgrammaDiOgniTipo(gen), prova % 4 != 0, kIgnorati[prova % 3], prova / 4 % 2 == 0);
}

TEST(RiproduzioniCasualiTest, AStopAtARandomTokenGivesWhatTheTextGives) {
  std::mt19937 gen(777);
  for (int prova = 0; prova < 300; ++prova) {
    const std::string p = ProgrammaDiOgniTipo(gen);
    Prova stop;
    stop.veloce = prova % 2 == 0;
    stop.evidenzia = prova % 4 != 0;
    stop.limite = 50000;
    stop.al = 1 + gen() % 400;
    stop.ignorati = prova % 3;
    stop.azione = [] { TerminaEsecuzione(); };
    const Istantanea testo = Esegui(p, false, stop);
    const Istantanea ricordata = Esegui(p, true, stop);
    ASSERT_EQ(ricordata, testo) << "stop at pump " << stop.al << " of:\n" << p;
  }
}

// Programs of the fuzz test's corpus with random damage: whatever the damage (a statement cut,
// a word changed, a parenthesis added), the two runs agree.
const char* const kCorpusCicli[] = {
    "A = 2 + 3 * 4; PER (I DA 1 A 4) ESEGUI; B = A ^ 2 - I; STAMPA(A, \" \", B); FINE;",
    "PER (I DA 1 A 5) ESEGUI; SE I MOD 2 = 0 ALLORA STAMPA(I); ALTRIMENTI STAMPA(\"d\"); FINE;",
    "K = 0; ESEGUI FINQUANDO (K < 4); K = K + 1; FINE; STAMPA(K);",
    "X = 0; RIPETI 3 VOLTE; X = X + 1; PER (J DA 1 A X) ESEGUI; Y = J; FINE; FINE;",
    "V = VETTORE(3); PER (I DA 1 A 3) ESEGUI; V(I) = 2; V(2) = V(1) * 3; FINE; M = MATRICE(2, 2); M(1, 1) = V(2);",
    "PER (I DA 1 A 3) ESEGUI; S = \"ab\" || I; T = (1 < 2) E (3 >= 3); U = !T O VERO; FINE;",
    "PER (I DA 1 A 2) ESEGUI; /* commento */ ESEGUI; A = 7 DIV 2; B = 7 MOD 2; FINE; FINE;",
    "F = FUNZIONE(\"x^2+1\"); PER (I DA 1 A 3) ESEGUI; Y = VALUTAFUNZ(F, I); FINE;",
    "I = 2; PER (K DA 1 A 3) ESEGUI; A_I = K; STAMPA(A_2); FINE;",
    "RIFCART; PER (I DA 1 A 3) ESEGUI; P = PUNTO(1, I); C = CIRC(P, 3); STAMPA(DISTANZA(P, P)); FINE;",
};
const char kAlfabetoCicli[] = "AIX0123456789+-*/^()=<>;,.\" !|ESEGUIFINEPERDASEALLORAVOLTE\n";

TEST(RiproduzioniCasualiTest, DamagedProgramsGiveWhatTheirTextGives) {
  std::mt19937 gen(4242);
  for (int prova = 0; prova < 800; ++prova) {
    std::string p = kCorpusCicli[gen() % std::size(kCorpusCicli)];
    const int mutazioni = 1 + static_cast<int>(gen() % 3);
    for (int m = 0; m < mutazioni && !p.empty(); ++m) {
      const std::size_t pos = gen() % p.size();
      switch (gen() % 4) {
        case 0: p.erase(pos, 1 + gen() % 4); break;
        case 1: p.insert(pos, 1, kAlfabetoCicli[gen() % (sizeof kAlfabetoCicli - 1)]); break;
        case 2: p[pos] = kAlfabetoCicli[gen() % (sizeof kAlfabetoCicli - 1)]; break;
        default: p.insert(pos, p.substr(gen() % p.size(), 1 + gen() % 12)); break;
      }
    }
    Confronta(p, prova % 3 != 0, kIgnorati[prova / 3 % 3], prova / 9 % 2 == 0);
  }
}

}  // namespace
}  // namespace qx
