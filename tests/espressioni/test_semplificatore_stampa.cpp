#include <random>

#include "tests/espressioni/Ambiente.h"
#include "values/espressioni/Semplificatore.h"

namespace qx::test {
namespace {

class Semplificatore : public AmbienteEspr {
 protected:
  // What the interpreter does for fractions: both passes until a numeric fraction.
  static std::string Frazione(const std::string& testo) {
    PNodo t = AnalizzaEspressione(testo, MODO_FRAZIONE);
    if (!t) return "<nil>";
    int passi = 0;
    do {
      SemplificaFrazioni(t);
      SemplificaAlbero(t);
    } while (++passi < 50 && !EFrazioneNumerica(t.get()));
    return AlberoInTesto(t.get());
  }
  static std::string UnPasso(const std::string& testo) {
    PNodo t = AnalizzaEspressione(testo, MODO_FUNZIONE);
    SemplificaAlbero(t);
    return AlberoInTesto(t.get());
  }
  static std::string Denominatori(const std::string& testo) {
    PNodo t = AnalizzaEspressione(testo, MODO_FUNZIONE);
    SemplificaFrazioni(t);
    return AlberoInTesto(t.get());
  }
};

TEST_F(Semplificatore, SommeDiFrazioniNumeriche) {
  EXPECT_EQ(Frazione("1/3+1/6"), "1/2");
  EXPECT_EQ(Frazione("1/2+1/4"), "3/4");
  EXPECT_EQ(Frazione("2/4"), "1/2");
  EXPECT_EQ(Frazione("-3/-6"), "1/2");
  EXPECT_EQ(Frazione("7/0"), "???");
  EXPECT_EQ(Frazione("2.5/5"), "2.5/5");
  EXPECT_EQ(Frazione("(2/3)^2"), "4/9");
  EXPECT_EQ(Frazione("1/3-1/3"), "0");
  EXPECT_EQ(Frazione("(1/2)*(4/6)"), "1/3");
  EXPECT_EQ(Frazione("(1/2)/(3/4)"), "2/3");
  EXPECT_EQ(Frazione("(3/4)*2"), "3/2");
  // Common factors above 1000 are removed too.
  EXPECT_EQ(Frazione("1009/2018"), "1/2");
}

TEST_F(Semplificatore, DenominatoriComuniDiFunzioni) {
  EXPECT_EQ(Denominatori("1/3+1/6"), "(1*6+1*3)/(3*6)");
  EXPECT_EQ(Denominatori("x/2+x/(2*y)"), "(y*x+x)/(2*y)");
  EXPECT_EQ(Denominatori("x/(2*y)+x/2"), "(x+y*x)/(2*y)");
  EXPECT_EQ(Denominatori("x/y-1/y"), "(x-1)/y");
  EXPECT_EQ(Denominatori("x/y+1"), "(x+1*y)/y");
  EXPECT_EQ(Denominatori("1-x/y"), "(1*y-x)/y");
}

TEST_F(Semplificatore, RegoleDiPiegatura) {
  EXPECT_EQ(UnPasso("0+x"), "x");
  EXPECT_EQ(UnPasso("x+0"), "x");
  EXPECT_EQ(UnPasso("2+3"), "5");
  EXPECT_EQ(UnPasso("x+-2*y"), "x-2*y");
  EXPECT_EQ(UnPasso("x+y*-2"), "x-y*2");
  EXPECT_EQ(UnPasso("0-x"), "-1*x");
  EXPECT_EQ(UnPasso("x-0"), "x");
  EXPECT_EQ(UnPasso("x*0"), "0");
  EXPECT_EQ(UnPasso("1*x"), "x");
  EXPECT_EQ(UnPasso("x/1"), "x");
  EXPECT_EQ(UnPasso("0/x"), "0");
  EXPECT_EQ(UnPasso("(x*6)/(y*4)"), "x*3/(y*2)");
  EXPECT_EQ(UnPasso("6*x/4"), "6*x/4");  // in 6*x the number is no coefficient
  EXPECT_EQ(UnPasso("x/(y*-3)"), "x*-1/(y*3)");
  EXPECT_EQ(UnPasso("x/(y*0.5)"), "x*2/(y*1)");
  EXPECT_EQ(UnPasso("(x*3)/(y*1.5)"), "x*2/(y*1)");
  EXPECT_EQ(UnPasso("x^0"), "1");
  EXPECT_EQ(UnPasso("1^x"), "1");
  EXPECT_EQ(UnPasso("x^1"), "x");
  EXPECT_EQ(UnPasso("2^10"), "1024");
  PNodo c = AnalizzaEspressione("Sin(0)", MODO_FUNZIONE);
  c->Sx()->Valore = 0;
  SemplificaAlbero(c);
  EXPECT_EQ(c->Tipo, N_CHIAMATA);  // the call stays; its value is noted
  EXPECT_EQ(c->Valore, 0);
}

TEST_F(Semplificatore, RiduzioneUguaglianzaEFattori) {
  Reale n = 12, d = 18;
  EXPECT_EQ(RiduciFrazione(n, d), 1);
  EXPECT_EQ(n, 2);
  EXPECT_EQ(d, 3);
  n = 3, d = -6;
  RiduciFrazione(n, d);
  EXPECT_EQ(n, -1);
  EXPECT_EQ(d, 2);
  n = 7, d = 5;
  EXPECT_EQ(RiduciFrazione(n, d), 0);
  EXPECT_TRUE(EIntero(3.00000000001L));
  EXPECT_FALSE(EIntero(3.001L));
  PNodo a = AnalizzaEspressione("x*2", MODO_FUNZIONE), b = AnalizzaEspressione("2*x", MODO_FUNZIONE);
  EXPECT_FALSE(AlberiUguali(a.get(), b.get()));
  PNodo a2 = CopiaAlbero(a.get());
  EXPECT_TRUE(AlberiUguali(a.get(), a2.get()));
  PNodo p = AnalizzaEspressione("(a1*b1)*c1", MODO_FUNZIONE);
  Reale_("A1", 1), Reale_("B1", 2), Reale_("C1", 3);
  p = AnalizzaEspressione("(a1*b1)*c1", MODO_FUNZIONE);
  for (const char* f : {"a1", "b1", "c1"}) {
    PNodo fattore = AnalizzaEspressione(f, MODO_FUNZIONE);
    PNodo resto = RimuoviFattore(*fattore, *p);
    ASSERT_TRUE(resto) << f;
  }
  PNodo x = AnalizzaEspressione("x", MODO_FUNZIONE);
  EXPECT_FALSE(RimuoviFattore(*x, *p));
  PNodo fattore = AnalizzaEspressione("b1", MODO_FUNZIONE);
  EXPECT_EQ(AlberoInTesto(RimuoviFattore(*fattore, *p).get()), "a1*c1");
  EXPECT_EQ(AlberoInTesto(p.get()), "a1*b1*c1");  // the product passed in is left as it was
}

TEST_F(Semplificatore, StampaConLeParentesiNecessarie) {
  EXPECT_EQ(Stampa("x^2+1"), "(x^2)+1");
  EXPECT_EQ(Stampa("(x+1)^2"), "((x+1)^2)");
  EXPECT_EQ(Stampa("2-(3-4)"), "2-(3-4)");
  EXPECT_EQ(Stampa("(2-3)-4"), "2-3-4");
  EXPECT_EQ(Stampa("x/(y*x)"), "x/(y*x)");
  EXPECT_EQ(Stampa("(x/y)*x"), "x/y*x");
  EXPECT_EQ(Stampa("Sin(x+1)"), "Sin(x+1)");
  EXPECT_EQ(Stampa("-(x)"), "-(x)");
  EXPECT_EQ(Stampa("x = 1"), "x = 1");
  EXPECT_EQ(Stampa("pi"), "pi");
  EXPECT_EQ(Stampa("x*-3"), "x*-3");
  EXPECT_EQ(Stampa("2^3^2"), "(2^(3^2))");
  EXPECT_EQ(Stampa("(-3)^2"), "(-3^2)");
  EXPECT_EQ(Stampa("1.5E-20"), "1.5E-20");
  // 2.7182818 stays a number: no "e" that would not read back.
  EXPECT_EQ(Stampa("2.7182818"), "2.7182818");
  EXPECT_EQ(TestoNumeroEspr(1.0L / 3), "0.33333333333333333334");
  EXPECT_EQ(TestoNumeroEspr(VAL_NON_DEFINITA), "1E+99");
}

// Print, parse, compare: the same tree comes back, over a generated corpus.
TEST_F(Semplificatore, StampaPoiAnalisiRidaLoStessoAlbero) {
  std::mt19937 gen(7);
  const char* foglie[] = {"x", "y", "2", "0.5", "-3", "pi", "1E-7", "123456789", "0.1"};
  std::function<PNodo(int)> genera = [&](int profondita) -> PNodo {
    const int scelta = profondita <= 0 ? 0 : static_cast<int>(gen() % 8);
    if (scelta == 0) {
      PNodo f = AnalizzaEspressione(foglie[gen() % 9], MODO_FUNZIONE);
      if (gen() % 5 == 0 && f->ENumero()) f->Valore = f->Valore / 7;  // a number with every digit
      return f;
    }
    if (scelta <= 5) {
      static const TipoNodo ops[] = {N_PIU, N_MENO, N_PER, N_DIVISO, N_POTENZA};
      return CombinaNodi(genera(profondita - 1), ops[gen() % 5], genera(profondita - 1));
    }
    if (scelta == 6) return Chiamata(static_cast<IndiceFunzione>(gen() % NUM_FUNZIONI), genera(profondita - 1));
    PNodo c = NuovoNodoFunzione("Sin");
    c->Arieta = 2;
    c->Figli[0] = genera(profondita - 1);
    c->Figli[1] = genera(profondita - 1);
    return c;
  };
  for (int i = 0; i < 2000; ++i) {
    PNodo t = genera(1 + i % 6);
    const std::string testo = AlberoInTesto(t.get());
    PNodo indietro = AnalizzaEspressione(testo, MODO_FUNZIONE);
    ASSERT_TRUE(indietro) << testo;
    EXPECT_TRUE(AlberiUguali(t.get(), indietro.get())) << testo << " -> " << AlberoInTesto(indietro.get());
  }
  EXPECT_TRUE(finestra.Messaggi.empty());
}

TEST_F(Semplificatore, DecimaleInFrazione) {
  Reale n = 0, d = 0;
  ASSERT_TRUE(DecimaleInFrazione(1, n, d, 0.3L));
  EXPECT_EQ(n, 1);
  EXPECT_EQ(d, 3);
  ASSERT_TRUE(DecimaleInFrazione(1, n, d, 0.16L));
  EXPECT_EQ(n, 1);
  EXPECT_EQ(d, 6);
  ASSERT_TRUE(DecimaleInFrazione(0, n, d, 2.5L));
  EXPECT_EQ(n, 5);
  EXPECT_EQ(d, 2);
  ASSERT_TRUE(DecimaleInFrazione(0, n, d, 0.5L));
  EXPECT_EQ(n, 1);
  EXPECT_EQ(d, 2);
  ASSERT_TRUE(DecimaleInFrazione(0, n, d, -0.25L));
  EXPECT_EQ(n, -1);
  EXPECT_EQ(d, 4);
  ASSERT_TRUE(DecimaleInFrazione(2, n, d, 0.12L));
  EXPECT_EQ(n, 4);
  EXPECT_EQ(d, 33);
  // An integer is n/1.
  ASSERT_TRUE(DecimaleInFrazione(0, n, d, 7));
  EXPECT_EQ(n, 7);
  EXPECT_EQ(d, 1);
  EXPECT_FALSE(DecimaleInFrazione(1, n, d, 1.0L / 3));  // digits beyond 32-bit integers
  EXPECT_FALSE(DecimaleInFrazione(0, n, d, 1e-20L));    // exponent form
  EXPECT_FALSE(DecimaleInFrazione(5, n, d, 0.5L));      // more repeating digits than decimals
}

}  // namespace
}  // namespace qx::test
