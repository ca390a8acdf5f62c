#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "runstate/DatiGlob.h"
#include "values/RegistroSpazio.h"
#include "values/Variabili.h"

namespace qx {
namespace {

class ValoriTest : public ::testing::Test {
 protected:
  void SetUp() override { ReimpostaDatiGlob(); }
};

// An archive value holds the names of its table, never its contents: a copy takes the
// names, and a value that never had a table is copied and dropped without one.
TEST_F(ValoriTest, ArchiveValuesCopyTheTableNamesOnly) {
  cValoreArchivio vuoto;
  auto copiaVuota = vuoto.Clona();
  EXPECT_EQ(static_cast<cValoreArchivio&>(*copiaVuota).Tabella, nullptr);
  cValoreArchivio dest;
  vuoto.Copy(dest);
  ASSERT_NE(dest.Tabella, nullptr) << "Copy creates the table first";
  EXPECT_EQ(dest.Tabella->TableName, "");

  cValoreArchivio a;
  a.Tabella = std::make_unique<TTabellaArchivio>(TTabellaArchivio{"/scuola/ARC", "RUBRICA", "ttDBase"});
  a.Copy(dest);
  EXPECT_EQ(dest.Tabella->DatabaseName, "/scuola/ARC");
  EXPECT_EQ(dest.Tabella->TableName, "RUBRICA");
  EXPECT_EQ(dest.Tabella->TableType, "ttDBase");
  auto copia = a.Clona();
  EXPECT_EQ(static_cast<cValoreArchivio&>(*copia).Tabella->TableName, "RUBRICA");
  a.Tabella->TableName = "ALTRA";
  EXPECT_EQ(static_cast<cValoreArchivio&>(*copia).Tabella->TableName, "RUBRICA") << "its own table";
}

TEST_F(ValoriTest, DisplayNamesAndMarkerRanges) {
  EXPECT_EQ(cValoreReale().NomeTipo, "Numero");
  EXPECT_EQ(cValoreStringa().NomeTipo, "Stringa");
  EXPECT_EQ(cValoreBool().NomeTipo, "Logico");
  EXPECT_EQ(cValoreGrado().NomeTipo, "MisuraAng");
  EXPECT_EQ(cValoreArchivio().NomeTipo, "Archivio");
  EXPECT_EQ(cVettReale(2).NomeTipo, "Vettore");
  EXPECT_EQ(cVettStringa(2).NomeTipo, "Vettore Stringa");
  EXPECT_EQ(cMatrReale(1, 1).NomeTipo, "Matrice");
  EXPECT_EQ(cMatrStringa(1, 1).NomeTipo, "Matrice di Stringhe");
  EXPECT_STREQ(NomeTipoDi(T_DIAG_STR), "Disgramma a Strisce");
  EXPECT_STREQ(NomeTipoDi(T_RETTA_OR), "");
  EXPECT_STREQ(NomeTipoDi(T_SETTORECIRC), "Settore Circolare");
  EXPECT_STREQ(NomeTipoPoligono(T_TRIANGOLO_E), "Triangolo equilatero");
  EXPECT_STREQ(NomeMembroTipo(T_REALE), "T_REALE");
  EXPECT_STREQ(NomeMembroTipo(T_ICOSAEDRO3D), "T_ICOSAEDRO3D");
  EXPECT_EQ(T_ICOSAEDRO3D, 60);
  EXPECT_EQ(T_GEOMETRIA_SPAZIO_, 61);
  for (int t = 0; t <= T_GEOMETRIA_SPAZIO_; ++t) {
    const auto k = static_cast<TipiValore>(t);
    EXPECT_EQ(IsGeometriaPiana(k), t >= 15 && t <= 34) << t;
    EXPECT_EQ(IsStatistica(k), t >= 37 && t <= 39) << t;
    EXPECT_EQ(IsGeometriaSpazio(k), t >= 42 && t <= 60) << t;
  }
}

TEST_F(ValoriTest, AngleMeasureDescription) {
  cValoreGrado a;
  a.Nome = "alfa";
  a.Gradi = 30;
  a.Primi = 15;
  a.Secondi = 7.5L;
  std::string t;
  a.Descrizione(0, t);
  EXPECT_EQ(t, "MisuraAng: alfa30° 15' 7.5\"");
  cValoreGrado zero;
  zero.Descrizione(0, t);
  EXPECT_EQ(t, "MisuraAng0° 0' 0\"");
  zero.Nome = "$4";
  zero.Descrizione(0, t);
  EXPECT_EQ(t, "MisuraAng0° 0' 0\"") << "anonymous values are never named";
}

TEST_F(ValoriTest, NewDrawableValuesTakeTheCurrentPenBrushAndFont) {
  struct Figura : cValoreGraf {
    std::unique_ptr<cValore> Clona() const override { return std::make_unique<Figura>(*this); }
  };
  DatiGlob.PennaCorrente = TPen{clRed, psDash, 3, pmCopy};
  DatiGlob.CarattereCorrente.Size = 14;
  Figura f;
  EXPECT_EQ(f.Pen.Color, clRed);
  EXPECT_EQ(f.Pen.Width, 3);
  EXPECT_EQ(f.Font.Size, 14);
  EXPECT_TRUE(f.bVisibile);
  EXPECT_FALSE(f.bSelezionato || f.bEvidenziato || f.bDerivato);
  f.Nome = "P";
  f.NomeTipo = "Sorgente";
  f.bDerivato = true;
  Figura g;
  g.NomeTipo = "Destinazione";
  f.Copia(g);
  EXPECT_EQ(g.NomeTipo, "Destinazione");
  EXPECT_EQ(g.Nome, "P");
  EXPECT_TRUE(g.bDerivato);
  EXPECT_EQ(g.Pen, f.Pen);
  f.Pen.Color = clGreen;
  EXPECT_EQ(g.Pen.Color, clRed) << "copied in content, not shared";
}

TEST_F(ValoriTest, VariableTableFindsTheNewestAndTheOlderAfterDeletion) {
  cListaVariabili t;
  EXPECT_EQ(t.Cerca("A"), nullptr);
  EXPECT_FALSE(t.Elimina("A"));
  auto vecchia = std::make_unique<cVariabileReale>("A");
  static_cast<cValoreReale*>(vecchia->GetValore())->Value = 1;
  t.Aggiungi(std::move(vecchia));
  auto nuova = std::make_unique<cVariabileStringa>("A");
  t.Aggiungi(std::move(nuova));
  t.Aggiungi(std::make_unique<cVariabileBool>("B"));
  EXPECT_EQ(t.Count(), 3);
  EXPECT_EQ(t.Elemento(1)->Nome, "B") << "the newest comes first";
  EXPECT_EQ(t.Elemento(4), nullptr);
  EXPECT_EQ(t.Elemento(0), nullptr);
  ASSERT_NE(t.Cerca("A"), nullptr);
  EXPECT_EQ(t.Cerca("A")->Tipo, T_STRINGA);
  EXPECT_EQ(t.Cerca("a"), nullptr) << "names compare case-sensitively";
  EXPECT_TRUE(t.Elimina("A"));
  ASSERT_NE(t.Cerca("A"), nullptr);
  EXPECT_EQ(t.Cerca("A")->Tipo, T_REALE);
  EXPECT_TRUE(t.ContieneAlmeno(T_1, 2));
  EXPECT_FALSE(t.ContieneAlmeno(T_REALE, 2));
  EXPECT_FALSE(t.ContieneAlmeno(T_REALE, 0));
  t.Svuota();
  EXPECT_EQ(t.Count(), 0);
}

// A table of any size finds what a walk from the newest would find, through additions of
// repeated names, deletions (an older variable of the name comes back) and emptying.
TEST_F(ValoriTest, LargeTablesFindWhatTheWalkFromTheNewestFinds) {
  cListaVariabili t;
  std::vector<std::pair<std::string, cVariabile*>> modello;  // oldest first
  std::mt19937 caso(7);
  // Ordinary names, and anonymous ones whose number is their hash (with leading zeros, too long
  // for a number, or with a letter: then not).
  const char* const prefissi[] = {"N", "$", "$0", "$9999999999", "$1A"};
  auto nome = [&] { return prefissi[caso() % 5] + std::to_string(caso() % 60); };
  auto atteso = [&](const std::string& n) -> cVariabile* {
    for (auto it = modello.rbegin(); it != modello.rend(); ++it)
      if (it->first == n) return it->second;
    return nullptr;
  };
  for (int passo = 0; passo < 4000; ++passo) {
    const unsigned scelta = caso() % 10;
    const std::string n = nome();
    if (scelta < 6) {
      auto v = std::make_unique<cVariabileReale>(n);
      modello.emplace_back(n, v.get());
      t.Aggiungi(std::move(v));
    } else if (scelta < 9) {
      const bool c = atteso(n) != nullptr;
      ASSERT_EQ(t.Elimina(n), c);
      if (c)
        for (auto it = modello.rbegin(); it != modello.rend(); ++it)
          if (it->first == n) {
            modello.erase(std::next(it).base());
            break;
          }
    } else if (passo % 500 == 9) {
      t.Svuota();
      modello.clear();
    }
    ASSERT_EQ(t.Count(), static_cast<int>(modello.size()));
    for (int k = 0; k < 60; k += 7)
      for (const char* p : prefissi) ASSERT_EQ(t.Cerca(p + std::to_string(k)), atteso(p + std::to_string(k))) << passo;
    ASSERT_EQ(t.CercaEsatto(n), atteso(n)) << passo;
  }
}

TEST_F(ValoriTest, IndexedNames) {
  cListaVariabili t;
  auto reale = [&](const std::string& nome, Reale v) {
    auto var = std::make_unique<cVariabileReale>(nome);
    static_cast<cValoreReale*>(var->GetValore())->Value = v;
    t.Aggiungi(std::move(var));
  };
  reale("i", 3);
  EXPECT_EQ(t.NormalizzaNome("a_i"), "a_3");
  reale("i", 2.5L);
  EXPECT_EQ(t.NormalizzaNome("a_i"), "a_2");
  reale("i", 3.5L);
  EXPECT_EQ(t.NormalizzaNome("a_i"), "a_4");
  reale("i", -2);
  EXPECT_EQ(t.NormalizzaNome("a_i"), "a_-2");
  EXPECT_EQ(t.NormalizzaNome("a_x"), "a_x");
  EXPECT_EQ(t.NormalizzaNome("a_3"), "a_3");
  reale("c", 7);
  reale("b_7", 5);
  EXPECT_EQ(t.NormalizzaNome("a_b_c"), "a_5") << "split at the first underscore, normalised in turn";
  t.Aggiungi(std::make_unique<cVariabileStringa>("s"));
  EXPECT_EQ(t.NormalizzaNome("a_s"), "a_s");
  reale("e", VAL_NON_DEFINITA);
  EXPECT_EQ(t.NormalizzaNome("a_e"), "a_e") << "an unrepresentable index does not wrap";
  reale("n", std::nanl(""));
  EXPECT_EQ(t.NormalizzaNome("a_n"), "a_n");
  reale("a_3", 42);
  reale("i", 3);
  ASSERT_NE(t.Cerca("a_i"), nullptr);
  EXPECT_EQ(t.Cerca("a_i")->Nome, "a_3");
  EXPECT_TRUE(t.Elimina("a_i"));
  EXPECT_EQ(t.Cerca("a_3"), nullptr);
}

TEST_F(ValoriTest, VectorAndMatrixAccessChecksIndices) {
  cVettReale v(3);
  v.Nome = "V";
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(v.Leggi(i), 0);
  try {
    v.Leggi(0);
    FAIL();
  } catch (const EIndiceNonValido& e) {
    EXPECT_STREQ(e.what(), "Indici non validi per referenziare il vettore: V");
  }
  EXPECT_TRUE(DatiGlob.bStop);
  DatiGlob.bStop = false;
  EXPECT_THROW(v.Scrivi(4, 1), EIndiceNonValido);
  EXPECT_TRUE(DatiGlob.bStop);

  cMatrStringa ms(2, 3);
  ms.Nome = "M";
  ms.Scrivi(2, 1, "x");
  EXPECT_EQ(ms.Matr[3], "x") << "(2, 1) is the fourth item";
  try {
    ms.Leggi(3, 1);
    FAIL();
  } catch (const EIndiceNonValido& e) {
    EXPECT_STREQ(e.what(), "Indici non validi per referenziare la matrice: M");
  }
  cVettReale w(3);
  w.Scrivi(1, 3);
  w.Scrivi(2, -1);
  w.Scrivi(3, 7);
  EXPECT_EQ(w.Massimo(), 7);
  EXPECT_EQ(w.Minimo(), -1);
  EXPECT_EQ(cVettReale(0).Massimo(), 0);
  EXPECT_EQ(cVettReale(-1).Count, 0) << "a negative size builds nothing";
}

TEST_F(ValoriTest, MatrixArithmetic) {
  cMatrReale a(2, 3), b(3, 2), r(2, 2);
  Reale x = 1;
  for (int i = 1; i <= 2; ++i)
    for (int j = 1; j <= 3; ++j) a.Scrivi(i, j, x++);
  for (int i = 1; i <= 3; ++i)
    for (int j = 1; j <= 2; ++j) b.Scrivi(i, j, x++);
  a.Prodotto(b, r);
  EXPECT_EQ(r.Leggi(1, 1), 58);
  EXPECT_EQ(r.Leggi(1, 2), 64);
  EXPECT_EQ(r.Leggi(2, 1), 139);
  EXPECT_EQ(r.Leggi(2, 2), 154);
  cMatrReale q(2, 2);
  q.Scrivi(1, 1, 1);
  q.Scrivi(1, 2, 2);
  q.Scrivi(2, 1, 3);
  q.Scrivi(2, 2, 4);
  q.Prodotto(q, q);
  EXPECT_EQ(q.Leggi(1, 1), 7) << "a product into one of its operands";
  EXPECT_EQ(q.Leggi(2, 2), 22);
  cMatrReale s(2, 2);
  q.Somma(q, s);
  EXPECT_EQ(s.Leggi(1, 2), 20);
  q.PerScalare(0.5L, s);
  EXPECT_EQ(s.Leggi(2, 1), 7.5L);
  cVettReale v(2), w(2);
  v.Scrivi(1, 1);
  v.Scrivi(2, 1);
  q.PerVettore(v, w);
  EXPECT_EQ(w.Leggi(1), 17);
  EXPECT_EQ(w.Leggi(2), 37);
}

TEST_F(ValoriTest, CopiesIntoSmallerDestinationsOrThemselvesAreSafe) {
  cVettReale v(3), piccolo(2);
  v.Scrivi(3, 9);
  v.Scrivi(1, 1);
  v.CopiaIn(piccolo);
  EXPECT_EQ(piccolo.Leggi(1), 1);
  v.CopiaIn(v);
  EXPECT_EQ(v.Leggi(3), 9);
  cMatrReale m(2, 2), n(1, 3);
  m.Scrivi(2, 1, 5);
  m._bStatistica = true;
  m.CopiaIn(n);
  EXPECT_EQ(n.Leggi(1, 3), 5) << "store order, not shape";
  EXPECT_TRUE(n._bStatistica);
  cVettStringa s(1), t(0);
  s.Scrivi(1, "a");
  s.CopiaIn(t);
  EXPECT_EQ(t.Count, 0);
  auto clone = v.Clona();
  EXPECT_EQ(static_cast<cVettReale&>(*clone).Leggi(3), 9);
}

TEST_F(ValoriTest, SpaceValuesAreMadeOnlyThroughTheirRegistry) {
  struct Sfera : cValoreGraf {
    Sfera() { Tipo = T_SFERA3D; }
    std::unique_ptr<cValore> Clona() const override { return std::make_unique<Sfera>(*this); }
  };
  SvuotaRegistroSpazio();
  EXPECT_EQ(CreaValoreSpazio(T_SFERA3D), nullptr);
  EXPECT_FALSE(RegistraValoreSpazio(T_PUNTO, [] { return std::make_unique<Sfera>(); })) << "only space kinds";
  EXPECT_TRUE(RegistraValoreSpazio(T_SFERA3D, [] { return std::make_unique<Sfera>(); }));
  auto v = CreaValoreSpazio(T_SFERA3D);
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->Tipo, T_SFERA3D);
  EXPECT_EQ(CreaValoreSpazio(T_CONO3D), nullptr);
  SvuotaRegistroSpazio();
}

}  // namespace
}  // namespace qx
