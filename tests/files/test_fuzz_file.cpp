// Thousands of damaged program files: each one loads or is refused with a reason; a refusal
// changes nothing, and whatever loads can be drawn, described, saved and opened again.
#include <gtest/gtest.h>

#include <random>

#include "platform/RecordingCanvas.h"
#include "runstate/DatiGlob.h"
#include "tests/files/Lavoro.h"
#include "tests/files/SpazioFinto.h"

namespace qx {
namespace {

class FuzzFile : public test::Lavoro {
 protected:
  void TearDown() override {
    SvuotaRegistroSpazio();
    SvuotaAccessiSpazio();
    Lavoro::TearDown();
  }
  std::string TestoDi(const std::string& nome) { return run.Testo(nome); }
  // A file with one value of most kinds.
  std::string Ricco() {
    run.finestra.Scelte = {1};
    TrascinaDiagramma();
    EXPECT_TRUE(Esegui(
        "P = PUNTO(1, 2);\nC = CIRC(P, 1.5);\nQ = QUADRATO(SEGMENTO(PUNTO(0, 0), PUNTO(2, 0)));\n"
        "L = LISTA;\nL(1) = PUNTO(1, 1);\nL(2) = PUNTO(-2.5, 3);\n"
        "V = VETTORE_FUNZ(3);\nV(1) = FUNZIONE(\"x^2\");\nV(3) = FUNZIONE(\"sin(x)\");\n"
        "D = DIAGSTR(3, \"a\", 5, \"b\");\nS = \"testo è\";\nN = 0.1;\nB = VERO;\n"
        "M = MATRICE(2, 2);\nM(1, 2) = 3;\nW = VETTORE(2);\nF = FUNZIONE(\"x/(x-1)\");\n"
        "R = RETTA(PUNTO(0, 0), PUNTO(1, 1));\nA = ANGOLO(PUNTO(1, 0), PUNTO(0, 0), PUNTO(0, 1));\n"
        "STAMPA(\"ciao\");\n"));
    for (TipiValore t : {T_SFERA3D, T_FACCIA3D, T_GRUPPO3D}) test::RegistraSpazioFinto(t);
    auto sfera = std::make_unique<test::cSolidoFinto>(T_SFERA3D);
    sfera->Nome = "SF";
    sfera->Campi.Posx = 1.5f;
    sfera->Campi.Upz = 1;
    sfera->Campi.Reali["Raggio"] = 2;
    auto faccia = std::make_unique<test::cSolidoFinto>(T_FACCIA3D);
    faccia->Nome = "FA";
    faccia->Campi.Punti = {{0, 0, 0}, {1, 2, 3}};
    auto gruppo = std::make_unique<test::cSolidoFinto>(T_GRUPPO3D);
    gruppo->Nome = "GR";
    gruppo->Campi.Nomi = {"SF", "FA"};
    for (auto* v : {sfera.release(), faccia.release(), gruppo.release()})
      run.ambiente.Variabili().Aggiungi(std::make_unique<cVariabile>(v->Nome, std::unique_ptr<cValore>(v)));
    return Salva();
  }

  static std::string Muta(const std::string& base, std::mt19937& g) {
    std::string m = base;
    auto a_caso = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n ? n - 1 : 0)(g); };
    const int mosse = 1 + static_cast<int>(a_caso(3));
    for (int k = 0; k < mosse && !m.empty(); ++k) {
      const std::size_t i = a_caso(m.size());
      switch (a_caso(7)) {
        case 0: m[i] = static_cast<char>(a_caso(256)); break;
        case 1: m.resize(i); break;
        case 2: m.erase(i, a_caso(40) + 1); break;
        case 3: m.insert(i, m.substr(a_caso(m.size()), a_caso(60) + 1)); break;
        case 4: m[i] = "\x00\x01\x7F\x80\xFF\x0E\x0C\x14"[a_caso(8)]; break;
        case 5: m[i] = static_cast<char>(m[i] ^ (1 << a_caso(8))); break;
        case 6: {
          // Lengths and counts are the likeliest to be trusted: make one huge.
          if (i + 4 <= m.size()) m.replace(i, 4, "\xFF\xFF\xFF\x7F");
          break;
        }
      }
    }
    return m;
  }
};

TEST_F(FuzzFile, DamagedFilesLoadOrAreRefusedAndARefusalChangesNothing) {
  const std::string base = Ricco();
  std::string motivo;
  {
    TProgrammaLetto letto;
    ASSERT_TRUE(LeggiProgramma(base, letto, motivo)) << motivo;
  }
  std::mt19937 g(20211);
  const auto stato = run.Variabili();
  int aperti = 0, rifiutati = 0;
  for (int n = 0; n < 3000; ++n) {
    const std::string m = Muta(base, g);
    TProgrammaLetto letto;
    letto.Testo = "SENTINELLA";
    motivo.clear();
    if (!LeggiProgramma(m, letto, motivo)) {
      ++rifiutati;
      ASSERT_FALSE(motivo.empty()) << n;
      ASSERT_EQ(letto.Testo, "SENTINELLA") << n;
      ASSERT_TRUE(letto.Valori.empty()) << n;
      ASSERT_EQ(run.Variabili(), stato) << n;
      continue;
    }
    ++aperti;
    // Whatever opened is usable: drawn, described, saved, and opened again.
    ASSERT_EQ(Apri(m), "") << n;
    TRecordingCanvas tela;
    run.ambiente.DisegnaRifCart(tela);
    for (int i = 1; i <= run.ambiente.Variabili().Count(); ++i) {
      std::string testo;
      run.ambiente.Variabili().Elemento(i)->GetValore()->Descrizione(0, testo);
    }
    const std::string salvato = Salva();
    ASSERT_EQ(Apri(salvato), "") << n;
    ASSERT_EQ(Salva(), salvato) << n;
    ASSERT_EQ(Apri(base), "");
  }
  EXPECT_GT(aperti, 50);
  EXPECT_GT(rifiutati, 1000);
}

// Every input that once broke a reader, kept.
TEST_F(FuzzFile, Regressions) {
  using namespace std::string_literals;
  const std::string casi[] = {
      ""s,
      "TPF0"s,
      "TPF0\x0b" "cFileHeader\x00\x00\x00"s,
  };
  for (const std::string& c : casi) {
    TProgrammaLetto letto;
    std::string motivo;
    EXPECT_FALSE(LeggiProgramma(c, letto, motivo)) << c;
  }
  // Property names are read whatever their letter case: a list's members too.
  std::string dati = Ricco();
  const std::string oggetti = "\x08_Oggetti";
  ASSERT_NE(dati.find(oggetti), std::string::npos);
  dati.replace(dati.find(oggetti), oggetti.size(), "\x08_OGGETTI");
  ASSERT_EQ(Apri(dati), "");
  EXPECT_EQ(TestoDi("L"), "LISTA");
}

}  // namespace
}  // namespace qx
