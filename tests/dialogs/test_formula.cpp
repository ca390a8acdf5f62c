// The formula view: what it is given (sign pairs folded), how it lays a formula out (probed in
// its pixels), and texts that do not read as formulas.
#include <QImage>
#include <QPushButton>
#include <QRect>
#include <random>

#include "app/dialogs/Formula.h"
#include "app/dialogs/MostraFormula.h"
#include "app/dialogs/MthX.h"
#include "tests/support/FunzioneXYFinta.h"
#include "tests/dialogs/Banco.h"
#include "values/ValoreFunzione.h"

namespace qx::test {
namespace {

QImage Disegna(const QString& testo) {
  TMthX vista;
  vista.SetText(testo);
  vista.resize(vista.sizeHint());
  return vista.grab().toImage();
}

bool Inchiostro(const QImage& im, int x, int y) { return qGray(im.pixel(x, y)) < 128; }

// The smallest rectangle around the ink of the columns from..to (all rows).
QRect InchiostroTra(const QImage& im, int da, int a) {
  QRect r;
  for (int y = 0; y < im.height(); ++y)
    for (int x = da; x <= a; ++x)
      if (Inchiostro(im, x, y)) r = r.united(QRect(x, y, 1, 1));
  return r;
}

// The runs of columns that hold ink, left to right.
std::vector<std::pair<int, int>> Gruppi(const QImage& im) {
  std::vector<std::pair<int, int>> r;
  int inizio = -1;
  for (int x = 0; x <= im.width(); ++x) {
    bool c = false;
    for (int y = 0; x < im.width() && y < im.height() && !c; ++y) c = Inchiostro(im, x, y);
    if (c && inizio < 0) inizio = x;
    if (!c && inizio >= 0) {
      r.emplace_back(inizio, x - 1);
      inizio = -1;
    }
  }
  return r;
}

// The longest run of ink in one row: its row, start and length.
struct Tratto {
  int y = -1, x = 0, lunghezza = 0;
};
Tratto TrattoPiuLungo(const QImage& im) {
  Tratto t;
  for (int y = 0; y < im.height(); ++y)
    for (int x = 0; x < im.width();) {
      int n = 0;
      while (x + n < im.width() && Inchiostro(im, x + n, y)) ++n;
      if (n > t.lunghezza) t = {y, x, n};
      x += n + 1;
    }
  return t;
}

TEST(PiegaSegni, PairsFoldFromTheLeftAndTheScanSkipsAFoldedPair) {
  EXPECT_EQ(PiegaSegni("x--3"), "x+ 3");
  EXPECT_EQ(PiegaSegni("x+-3"), "x- 3");
  EXPECT_EQ(PiegaSegni("x-+3"), "x- 3");
  EXPECT_EQ(PiegaSegni("x++3"), "x+ 3");
  EXPECT_EQ(PiegaSegni("x---3"), "x+ -3");
  EXPECT_EQ(PiegaSegni("x----3"), "x+ + 3");
  EXPECT_EQ(PiegaSegni("-"), "-");
  EXPECT_EQ(PiegaSegni("a-b*c"), "a-b*c");
  EXPECT_EQ(PiegaSegni(""), "");
}

TEST(Formula, TheExponentSitsHigherAndSmallerThanTheBase) {
  const QImage potenza = Disegna("x^2");
  const auto gruppi = Gruppi(potenza);
  ASSERT_EQ(gruppi.size(), 2u);
  const QRect base = InchiostroTra(potenza, gruppi[0].first, gruppi[0].second);
  const QRect esponente = InchiostroTra(potenza, gruppi[1].first, gruppi[1].second);
  const QImage due = Disegna("2");
  const QRect dueNormale = InchiostroTra(due, 0, due.width() - 1);
  EXPECT_LT(esponente.top(), base.top());
  EXPECT_LT(esponente.bottom(), base.bottom() - 3);
  EXPECT_LT(esponente.height(), dueNormale.height());
  EXPECT_LT(esponente.width(), dueNormale.width());
  // The printer's parentheses around every power are not drawn.
  EXPECT_EQ(Gruppi(Disegna("(x^2)")).size(), 2u);
}

TEST(Formula, AFractionHasItsBarAsWideAsTheWiderPart) {
  const QImage frazione = Disegna("(x+1)/(x-1)");
  const Tratto barra = TrattoPiuLungo(frazione);
  ASSERT_GT(barra.lunghezza, 20);
  QRect sopra, sotto;
  for (int y = 0; y < frazione.height(); ++y)
    for (int x = 0; x < frazione.width(); ++x) {
      if (!Inchiostro(frazione, x, y) || std::abs(y - barra.y) <= 1) continue;
      (y < barra.y ? sopra : sotto) |= QRect(x, y, 1, 1);
    }
  ASSERT_FALSE(sopra.isEmpty());
  ASSERT_FALSE(sotto.isEmpty());
  const int piuLarga = std::max(sopra.width(), sotto.width());
  EXPECT_GE(barra.lunghezza, piuLarga);
  EXPECT_LE(barra.lunghezza, piuLarga + 4);
  EXPECT_LT(sopra.bottom(), barra.y);
  EXPECT_GT(sotto.top(), barra.y);
  // Both parts are centred over the bar.
  EXPECT_LE(std::abs((sopra.left() + sopra.right()) - (2 * barra.x + barra.lunghezza - 1)), 3);
  EXPECT_LE(std::abs((sotto.left() + sotto.right()) - (2 * barra.x + barra.lunghezza - 1)), 3);
}

TEST(Formula, ARootHasItsBarOverTheRadicand) {
  const QImage x = Disegna("x");
  const QImage radice = Disegna("sqrt(x)");
  const QRect solo = InchiostroTra(x, 0, x.width() - 1);
  const Tratto tetto = TrattoPiuLungo(radice);
  EXPECT_GE(tetto.lunghezza, solo.width());
  // The radicand stands under the bar, and the sign's stroke goes down left of it.
  const QRect tutto = InchiostroTra(radice, 0, radice.width() - 1);
  EXPECT_EQ(tutto.top(), tetto.y);
  EXPECT_GT(tutto.height(), solo.height() + 2);
  EXPECT_LT(tutto.left(), tetto.x);
}

TEST(Formula, CallsAndOperatorsReadAndOtherTextsStayText) {
  EXPECT_NE(formula::Leggi("sin(x)+abs(x-1)*sqr(2)-(-(3))=pi/2"), nullptr);
  EXPECT_NE(formula::Leggi("x+ 3"), nullptr);
  EXPECT_NE(formula::Leggi("1e-05*x^-2"), nullptr);
  EXPECT_EQ(formula::Leggi("x+"), nullptr);
  EXPECT_EQ(formula::Leggi("(x"), nullptr);
  EXPECT_EQ(formula::Leggi("tende ad infinito"), nullptr);
  EXPECT_EQ(formula::Leggi(""), nullptr);
  // A text that does not read is drawn as it stands.
  EXPECT_FALSE(InchiostroTra(Disegna("x+"), 0, 10).isEmpty());
  EXPECT_TRUE(InchiostroTra(Disegna(""), 0, 10).isEmpty());
}

// ---- The windows ----

using MostraTest = Banco;

TEST_F(MostraTest, TheFunctionWindowFoldsSignPairsAndTheFractionWindowDoesNot) {
  cValoreFunzione f(T_FUNZIONE);
  f.ImpostaAlbero(CombinaNodi(NuovoNodoIdentificatore("X"), N_MENO, NuovoNodoNumero(-3)));
  QString testoFunzione, titoloFunzione, testoFrazione, chiudi;
  utente.Poi([&](QDialog& d) {
    auto& m = static_cast<TdlgShowFun&>(d);
    testoFunzione = m.MthX1->Text();
    titoloFunzione = m.windowTitle();
    chiudi = m.OKBtn->text();
    Clicca(m.OKBtn);
  });
  utente.Poi([&](QDialog& d) {
    testoFrazione = static_cast<TdlgShowFraz&>(d).MthX1->Text();
    Clicca(static_cast<TdlgShowFraz&>(d).OKBtn);
  });
  dialoghi->MostraFunzione("Funzione f", f);
  dialoghi->MostraFrazione("Frazione", f);
  EXPECT_EQ(titoloFunzione, "Funzione f");
  EXPECT_EQ(chiudi, "&Chiudi");
  EXPECT_EQ(testoFunzione, "x+ 3");
  EXPECT_EQ(testoFrazione, "x--3");
  EXPECT_EQ(dialoghi->dlgShowFun().Valore, nullptr);
  EXPECT_EQ(dialoghi->dlgShowFun().size(), QSize(537, 324));
}

TEST_F(MostraTest, FractionsAndFunctionsOfTwoVariablesShowInLowerCase) {
  cValoreFunzione q(T_FRAZIONE);
  ASSERT_TRUE(q.ImpostaFunzione("3/4"));
  test::cFunzioneXYFinta z;
  ASSERT_TRUE(z.ImpostaFunzione("X*Y+Sin(X)"));
  std::vector<QString> testi;
  for (int i = 0; i < 2; ++i)
    utente.Poi([&](QDialog& d) {
      testi.push_back(static_cast<TdlgShowFraz&>(d).MthX1->Text());
      d.accept();
    });
  dialoghi->MostraFrazione("Frazione", q);
  dialoghi->MostraFrazione("Funzione3D", z);
  ASSERT_EQ(testi.size(), 2u);
  EXPECT_EQ(testi[0], "3/4");
  EXPECT_EQ(testi[1], "x*y+sin(x)");
}

// ---- Every text that ever crashed a formula reader, and random ones ----

TEST(FormulaRegressioni, DeepLongAndRandomTextsNeverCrash) {
  const QFont font;
  const QString profonda = QString(5000, '(') + "x" + QString(5000, ')');
  EXPECT_EQ(formula::Leggi(profonda), nullptr);
  EXPECT_GT(formula::Componi(profonda, font)->Larghezza, 0);
  QString meno;
  for (int i = 0; i < 300; ++i) meno += "-(";
  meno += "x" + QString(300, ')');
  EXPECT_NE(formula::Leggi(meno), nullptr);
  EXPECT_GT(formula::Componi(meno, font)->Larghezza, 0);
  QString potenze = "x";
  for (int i = 0; i < 400; ++i) potenze += "^x";
  EXPECT_GT(formula::Componi(potenze, font)->Larghezza, 0);
  QString somma = "1";
  for (int i = 0; i < 490; ++i) somma += "+1";
  EXPECT_GT(formula::Componi(somma, font)->Larghezza, 0);
  std::mt19937 caso(7);
  const QString alfabeto = "x1.e+-*/^(),= sqrtabpi$";
  for (int n = 0; n < 3000; ++n) {
    QString t;
    const int lunghezza = int(caso() % 24);
    for (int i = 0; i < lunghezza; ++i) t += alfabeto[int(caso() % alfabeto.size())];
    auto s = formula::Componi(t, font);
    ASSERT_GE(s->Larghezza, 0) << t.toStdString();
    ASSERT_GE(s->Altezza(), 0) << t.toStdString();
  }
}

}  // namespace
}  // namespace qx::test
