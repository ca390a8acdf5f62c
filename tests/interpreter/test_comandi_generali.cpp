// The general statements and functions run end to end: output and display, deletion,
// drawing state, frames, pauses, sounds, input, random numbers, vectors and matrices, and
// the numeric functions.
#include <gtest/gtest.h>

#include "interpreter/ComandiGenerali.h"
#include "runstate/DatiGlob.h"
#include "tests/support/Esecuzione.h"
#include "values/RifCart.h"
#include "values/ValoreFunzione.h"

namespace qx {
namespace {

using V = std::vector<std::string>;

// A point as the frame statement sees one: a drawable of kind T_PUNTO with a position.
class PuntoProva : public cValoreGraf {
 public:
  PuntoProva(Reale x, Reale y) : x(x), y(y) { Tipo = T_PUNTO; }
  std::unique_ptr<cValore> Clona() const override { return std::make_unique<PuntoProva>(*this); }
  Reale x, y;
};

class ComandiGeneraliTest : public ::testing::Test {
 protected:
  test::Esecuzione run;

  test::Esito Esegui(const std::string& p) { return run.Esegui(p); }
  std::string Errore(const std::string& p) {
    auto e = Esegui(p);
    return e.riuscito ? "<ok>" : std::to_string(e.riga) + " " + e.errore;
  }
  std::string Valuta(const std::string& espressione) {
    auto e = Esegui("R = " + espressione + ";");
    if (!e.riuscito) return "#" + e.errore;
    return run.Testo("R");
  }
  // Runs in a fresh environment that already holds the given values (functions, points),
  // as the command bar runs in the current one.
  test::Esito EseguiCon(std::vector<std::unique_ptr<cValore>> valori, const std::string& p) {
    run.ambiente.InizializzaAmbiente();
    for (auto& v : valori) {
      const std::string nome = v->Nome;
      run.ambiente.Variabili().Aggiungi(std::make_unique<cVariabileGraf>(nome, std::move(v)));
    }
    test::Esito e;
    e.riuscito = run.ambiente.EseguiComando(DividiRighe(p));
    e.output = run.finestra.Output;
    if (!e.riuscito) {
      e.errore = DatiGlob.MessaggioErrore;
      e.riga = DatiGlob.RigaErrore + 1;
    }
    return e;
  }
  static std::unique_ptr<cValore> Formula(const std::string& nome, const std::string& testo,
                                          TipiValore tipo = T_FUNZIONE) {
    auto f = std::make_unique<cValoreFunzione>(tipo);
    EXPECT_TRUE(f->ImpostaFunzione(testo)) << testo;
    f->Nome = nome;
    return f;
  }
  cValoreFunzione& Funzione(const std::string& nome) { return dynamic_cast<cValoreFunzione&>(*run.Valore(nome)); }
  static std::vector<std::unique_ptr<cValore>> Valori(std::unique_ptr<cValore> a, std::unique_ptr<cValore> b = nullptr) {
    std::vector<std::unique_ptr<cValore>> v;
    v.push_back(std::move(a));
    if (b) v.push_back(std::move(b));
    return v;
  }
  cRifCart& Rif() { return *DatiGlob.RifCart; }
  std::vector<std::string> Dialoghi() {
    std::vector<std::string> r;
    for (const auto& d : run.finestra.Dialoghi) r.push_back(d.tipo + "|" + d.titolo + "|" + d.prompt);
    return r;
  }
};

// ---------------------------------------------------------------- output and display

TEST_F(ComandiGeneraliTest, StampaGluesItsValuesIntoOneLine) {
  auto e = Esegui(
      "STAMPA(VERO, 2, \"x\");\nSTAMPA(1/3);\nSTAMPA(2.50);\nSTAMPA(VALUTAFUNZ(FUNZIONE(\"Ln(x)\"), 0));\n"
      "STAMPA(MISURAANG(30, 15, 7.5), FALSO);\n");
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(e.output, (V{"> VERO2x", "> 0.33", "> 2.5", "> Non definita", "> 30° 15' 7.5\"FALSO"}));

  EXPECT_EQ(Errore("SE FALSO ALLORA STAMPA;"), "1 Si aspetta un parametro per \"STAMPA\"")
      << "checked even when not executing";
  EXPECT_EQ(Errore("V = VETTORE(2);\nSTAMPA(\"a\", V);"), "2 Parametri errati per STAMPA");
  EXPECT_TRUE(run.finestra.Output.empty()) << "nothing printed for a rejected statement";
}

TEST_F(ComandiGeneraliTest, ClrScrOnlyShowsItsMessageBox) {
  auto e = Esegui("STAMPA(1);\nCLRSCR;\nSTAMPA(2);\n");
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(e.output, (V{"> 1", "> 2"}));
  ASSERT_EQ(run.finestra.Messaggi.size(), 1u);
  EXPECT_EQ(run.finestra.Messaggi[0].testo, "ClrScr");
  run.finestra.Messaggi.clear();
  EXPECT_EQ(Errore("SE FALSO ALLORA CLRSCR;\n"), "<ok>");
  EXPECT_TRUE(run.finestra.Messaggi.empty());
}

TEST_F(ComandiGeneraliTest, FormulaDisplaysTakeTheirCaptionsByKind) {
  std::vector<std::unique_ptr<cValore>> v;
  v.push_back(Formula("F", "x^2"));
  v.push_back(Formula("E", "2+3", T_ESPRESSIONE));
  v.push_back(Formula("Q", "3/4", T_FRAZIONE));
  auto e = EseguiCon(std::move(v),
                     "STAMPAFUNZ(F);\nSTAMPAFRAZ(E);\nSTAMPAESPR(Q);\nSTAMPAFUNZ(F, \"Parabola\");\nSTAMPAFUNZ(Q, \"\");\n");
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(Dialoghi(), (V{"MostraFunzione|Funzione|F", "MostraFunzione|Espressione|E", "MostraFrazione|Frazione|Q",
                           "MostraFunzione|Parabola|F", "MostraFrazione|Frazione|Q"}));

  for (const char* p : {"STAMPAESPR(3);", "STAMPAFRAZ(F, 2);", "STAMPAFUNZ(F, \"a\", \"b\");", "STAMPAFUNZ;"}) {
    run.finestra.Dialoghi.clear();
    auto r = EseguiCon(Valori(Formula("F", "x")), p);
    EXPECT_EQ(r.errore, "Parametri errati per STAMPAFUNZ") << p;
    EXPECT_TRUE(run.finestra.Dialoghi.empty()) << p;
  }
}

TEST_F(ComandiGeneraliTest, GraficoFunzNeedsANamedFunctionTwoBoundsAndAFrame) {
  EXPECT_EQ(EseguiCon(Valori(Formula("F", "x")), "GRAFICOFUNZ(F);").errore,
            "GRAFICOFUNZ: Occorre prima fissare il Riferimento Cartesiano");
  EXPECT_EQ(EseguiCon(Valori(Formula("F", "x")), "RIFCART;\nGRAFICOFUNZ(F, 1);").errore,
            "Parametri errati per GRAFICOFUNZ");
  EXPECT_EQ(EseguiCon(Valori(Formula("F", "x")), "RIFCART;\nGRAFICOFUNZ(F, 1, \"a\");").errore,
            "Parametri errati per GRAFICOFUNZ");
  EXPECT_EQ(EseguiCon(Valori(Formula("F", "x")), "RIFCART;\nGRAFICOFUNZ(F, 1, 2, 3);").errore,
            "Parametri errati per GRAFICOFUNZ");
  EXPECT_EQ(EseguiCon(Valori(Formula("F", "x")), "RIFCART;\nGRAFICOFUNZ(2);").errore,
            "Parametri errati per GRAFICOFUNZ");

  auto e = EseguiCon(Valori(Formula("F", "x")), "COLORE(9);\nRIFCART;\nGRAFICOFUNZ(F, -1, 2);");
  ASSERT_TRUE(e.riuscito) << e.errore;
  cValoreFunzione& f = Funzione("F");
  EXPECT_EQ(f._bGrafico, 2);
  EXPECT_FALSE(f._bGraficoCompleto);
  EXPECT_EQ(f._xa, -1);
  EXPECT_EQ(f._xb, 2);
  EXPECT_EQ(f.Pen.Color, clRed) << "the current pen";

  ASSERT_TRUE(EseguiCon(Valori(Formula("F", "x")), "RIFCART;\nGRAFICOFUNZ(F);").riuscito);
  EXPECT_TRUE(Funzione("F")._bGraficoCompleto);

  // A function made in the program itself.
  ASSERT_EQ(Errore("F = FUNZIONE(\"x^2\");\nRIFCART1;\nGRAFICOFUNZ(F);"), "<ok>");
  EXPECT_EQ(Funzione("F")._bGrafico, 2);
  EXPECT_EQ(Errore("GRAFICOFUNZ(FUNZIONE(\"x\"));"), "1 GRAFICOFUNZ: il parametro deve essere un oggetto funzione già definito.");
}

TEST_F(ComandiGeneraliTest, AFrameThatFitsTheFunctionTakesItsRangeOrWidensToIt) {
  auto e = EseguiCon(Valori(Formula("F", "sin(x)")), "RIFCART1(-5, -5, 5, 5, VERO);\nGRAFICOFUNZ(F);");
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_NEAR(static_cast<double>(Rif()._ya), -1.0, 1e-3);
  EXPECT_NEAR(static_cast<double>(Rif()._yb), 1.0, 1e-3);

  // With two functions in the table the window only grows.
  e = EseguiCon(Valori(Formula("F", "sin(x)"), Formula("G", "x")), "RIFCART1(-5, -5, 5, 5, VERO);\nGRAFICOFUNZ(F);");
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(Rif()._ya, -5);
  EXPECT_EQ(Rif()._yb, 5);
  e = EseguiCon(Valori(Formula("F", "x^2"), Formula("G", "x")), "RIFCART1(-5, -5, 5, 5, VERO);\nGRAFICOFUNZ(F);");
  EXPECT_EQ(Rif()._ya, -5);
  EXPECT_NEAR(static_cast<double>(Rif()._yb), 25.0, 1e-3);

  // A constant has no height to fit: the window stays.
  e = EseguiCon(Valori(Formula("F", "3")), "RIFCART1(-5, -5, 5, 5, VERO);\nGRAFICOFUNZ(F);");
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(Rif()._ya, -5);
  EXPECT_EQ(Rif()._yb, 5);
}

TEST_F(ComandiGeneraliTest, VectorAndMatrixGridsEditTheStoredValue) {
  run.finestra.AllaModifica = [](cValore& v) {
    if (v.Tipo == T_VETT_REALE) static_cast<cVettReale&>(v).Scrivi(2, 7);
    if (v.Tipo == T_MATR_STRINGA) static_cast<cMatrStringa&>(v).Scrivi(1, 2, "b");
  };
  auto e = Esegui(
      "V = VETTORE(3);\nLEGGIVETT(V, \"Lati\");\nSTAMPA(V(2));\nSTAMPAVETT(V);\n"
      "M = MATRICE_STR(2, 2);\nLEGGIMATR(M);\nSTAMPA(M(1, 2));\nSTAMPAMATR(M);\n"
      "T = TABELLA_DE(2, 3);\nLEGGITAB_DE(T, \"Voti\");\nSTAMPATAB_DE(T);\n");
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(e.output, (V{"> 7", "> b"}));
  EXPECT_EQ(Dialoghi(), (V{"EditaVettore|Vettore V|Lati", "MostraVettore|Vettore V|", "EditaMatrice|Matrice M|",
                           "MostraMatrice|Matrice M|", "EditaMatrice|Matrice a doppia entrata T|Voti",
                           "MostraMatrice|Matrice a doppia entrata T|"}));
  const auto& t = static_cast<const cMatrReale&>(*run.Valore("T"));
  EXPECT_EQ(t.Rows, 3);
  EXPECT_EQ(t.Cols, 4);

  const std::string v = "V = VETTORE(2);\nM = MATRICE(2, 2);\n";
  EXPECT_EQ(Errore(v + "LEGGIVETT(M);"), "3 Parametri errati per LEGGIVETT");
  EXPECT_EQ(Errore(v + "LEGGIVETT(V, 2);"), "3 Parametri errati per LEGGIVETT");
  EXPECT_EQ(Errore(v + "STAMPAVETT(V, \"x\");"), "3 Parametri errati per STAMPAVETT");
  EXPECT_EQ(Errore(v + "LEGGIMATR(V);"), "3 Parametri errati per LEGGIMATR");
  EXPECT_EQ(Errore(v + "LEGGITAB_DE(M, \"a\", \"b\");"), "3 Parametri errati per LEGGIMATR");
  EXPECT_EQ(Errore(v + "STAMPATAB_DE(M, \"x\");"), "3 Parametri errati per STAMPAMATR");
  EXPECT_EQ(Errore(v + "SE FALSO ALLORA STAMPAMATR(V);"), "<ok>") << "nothing is checked when not executing";
}

TEST_F(ComandiGeneraliTest, CancellaDeletesByNameUpToTheFirstUnknownOne) {
  auto e = Esegui("A = 1;\nB = 2;\nC = \"c\";\nCANCELLA(A, C);\n");
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(run.Variabili(), (V{"B=2"}));

  EXPECT_EQ(Errore("A = 1;\nB = 2;\nCANCELLA(A, 3, B);\n"), "3 Identificatore non trovato");
  EXPECT_EQ(run.Variabili(), (V{"B=2"})) << "the deletions before the failure stay done";

  // An element of a list goes and the list stays.
  e = Esegui("L = LISTA;\nL(1) = FUNZIONE(\"x\");\nL(2) = FUNZIONE(\"x^2\");\nL(3) = FUNZIONE(\"x^3\");\n"
             "CANCELLA(L(2));\nA = VALUTAFUNZ(L(1), 2);\nB = VALUTAFUNZ(L(2), 2);\n");
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(run.Testo("A"), "2");
  EXPECT_EQ(run.Testo("B"), "8") << "the third element is now the second";
  EXPECT_EQ(Errore("L = LISTA;\nL(1) = FUNZIONE(\"x\");\nCANCELLA(L(1));\nX = L(1);"),
            "4 Valore di indice non consentito: L");

  // The value of an operator is no variable, in a statement as in a loop's pass: these
  // deleted X (or Y, B) and went on as if nothing had happened.
  for (const std::string argomento : {"X - 1", "X * 2", "-X", "Y * X", "!B", "X + Y - 1"})
    for (const std::string& programma :
         {"X = 3;\nY = 2;\nB = VERO;\nCANCELLA(" + argomento + ");\n",
          "X = 3;\nY = 2;\nB = VERO;\nPER (I DA 1 A 2) ESEGUI;\n  CANCELLA(" + argomento + ");\nFINE;\n"}) {
      EXPECT_EQ(Errore(programma), std::string(programma.find("PER") == std::string::npos ? "4" : "5") +
                                       " Identificatore non trovato")
          << programma;
      EXPECT_EQ(run.Testo("X"), "3") << programma;
      EXPECT_EQ(run.Testo("Y"), "2") << programma;
      EXPECT_EQ(run.Testo("B"), "VERO") << programma;
    }
  EXPECT_EQ(Errore("X = 3;\nPER (I DA 1 A 1) ESEGUI;\n  CANCELLA((X));\nFINE;\nY = 1;"), "<ok>");
  EXPECT_EQ(run.Variabili(), (V{"I=1", "Y=1"})) << "a name in parentheses is still the variable";

  const int prima = run.finestra.Ridisegni;
  e = Esegui("A = 1;\nB = 2;\nCANCELLA;\nC = 3;\n");
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(run.Variabili(), (V{"C=3"}));
  EXPECT_GT(run.finestra.Ridisegni, prima);
}

// ---------------------------------------------------------------- drawing state

TEST_F(ComandiGeneraliTest, ColourStyleAndTraceTakeOneValue) {
  ASSERT_TRUE(Esegui("COLORE(9);\nSTILE(2);\nTRACCIA(FALSO);\n").riuscito);
  EXPECT_EQ(DatiGlob.PennaCorrente.Color, clRed);
  EXPECT_EQ(DatiGlob.PennaCorrente.Style, psDash);
  EXPECT_FALSE(DatiGlob.bTraccia);

  EXPECT_EQ(Errore("COLORE(\"rosso\");"), "1 Parametro non valido per COLORE");
  EXPECT_EQ(Errore("COLORE(9, 1);"), "1 Troppi parametri per COLORE");
  EXPECT_EQ(DatiGlob.PennaCorrente.Color, clRed) << "applied before the surplus is reported";
  EXPECT_EQ(Errore("STILE(VERO);"), "1 Parametro non valido per STILE");
  EXPECT_EQ(Errore("TRACCIA(1);"), "1 Parametro non valido per TRACCIA");
  EXPECT_EQ(Errore("SE FALSO ALLORA COLORE;"), "1 Manca un parametro per COLORE") << "checked even when not executing";
  EXPECT_EQ(Errore("STILE;"), "1 Manca un parametro per STILE");
  EXPECT_EQ(Errore("SE FALSO ALLORA TRACCIA(1, 2);"), "<ok>");
}

TEST_F(ComandiGeneraliTest, RgbColoursOfTheCurrentPenBrushesBackgroundOrOneObject) {
  auto e = EseguiCon(Valori(Formula("F", "x")),
                     "COLOREPENNA(255);\nCOLORERIEMPIMENTO(1, 2, 3);\nCOLORESFONDO(0, 0, 255);\n"
                     "COLOREPENNA(F, 0, 0, 255);\nCOLORERIEMPIMENTO(F, 0, 128.5, \"x\", 9);\n");
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(DatiGlob.PennaCorrente.Color, RGBColor(255, 0, 0));
  EXPECT_EQ(DatiGlob.PennelloCorrente.Color, RGBColor(1, 2, 3));
  EXPECT_EQ(DatiGlob.PennelloColore.Color, RGBColor(1, 2, 3));
  EXPECT_EQ(DatiGlob.ColoreSfondo, RGBColor(0, 0, 255));
  EXPECT_EQ(Rif().Brush.Color, RGBColor(0, 0, 255));
  EXPECT_EQ(Funzione("F").Pen.Color, RGBColor(0, 0, 255));
  EXPECT_EQ(Funzione("F").Brush.Color, RGBColor(0, 128, 0)) << "halves round to even; a non-number ends the list";
}

TEST_F(ComandiGeneraliTest, PenStyleBrushPatternAndWidth) {
  auto e = EseguiCon(Valori(Formula("F", "x")),
                     "STILEPENNA(3);\nMOTIVORIEMPIMENTO(5);\nSPESSOREPENNA(3.9);\nSTILEPENNA(F, 5);\n"
                     "SPESSOREPENNA(F, 4);\nMOTIVORIEMPIMENTO(F, 1);\n");
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(DatiGlob.PennaCorrente.Style, psDashDotDot);
  EXPECT_EQ(DatiGlob.PennelloCorrente.Style, bsFDiagonal) << "pattern n is brush style n - 1";
  EXPECT_EQ(DatiGlob.PennaCorrente.Width, 3);
  EXPECT_EQ(Funzione("F").Pen.Style, psDot);
  EXPECT_EQ(Funzione("F").Pen.Width, 4);
  EXPECT_EQ(Funzione("F").Brush.Style, bsSolid);

  EXPECT_EQ(EseguiCon(Valori(Formula("F", "x")), "STILEPENNA(F);").errore, "Manca un parametro per STILEPENNA");
  EXPECT_EQ(Errore("MOTIVORIEMPIMENTO;"), "1 Manca un parametro per MOTIVORIEMPIMENTO");
  EXPECT_EQ(Errore("SPESSOREPENNA(\"a\");"), "1 Parametro non valido per SPESSOREPENNA");
  EXPECT_EQ(Errore("STILEPENNA(1, 2);"), "1 Troppi parametri per STILEPENNA");
}

TEST_F(ComandiGeneraliTest, CarattereReadsItsPartsByKind) {
  ASSERT_TRUE(Esegui("CARATTERE(\"Arial\", 12, VERO, FALSO, FALSO, FALSO, 12);").riuscito);
  const TFont& c = DatiGlob.CarattereCorrente;
  EXPECT_EQ(c.Name, "Arial");
  EXPECT_EQ(c.Size, 12);
  EXPECT_EQ(c.Style, fsBold);
  EXPECT_EQ(c.Color, clBlue);

  ASSERT_TRUE(Esegui("CARATTERE(\"Arial\", 14, FALSO, VERO, VERO, VERO, 9);\nCARATTERE(FALSO, VERO);").riuscito);
  EXPECT_EQ(c.Name, "") << "a missing name is empty";
  EXPECT_EQ(c.Size, 14) << "a missing size is kept";
  EXPECT_EQ(c.Style, fsItalic);
  EXPECT_EQ(c.Color, clRed) << "a missing colour is kept";

  auto e = EseguiCon(Valori(Formula("F", "x")), "CARATTERE(F, \"Courier\", 8, VERO, VERO);");
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(Funzione("F").Font.Name, "Courier");
  EXPECT_EQ(Funzione("F").Font.Style, fsBold | fsItalic);
  EXPECT_EQ(DatiGlob.CarattereCorrente.Name, "MS Sans Serif");
}

// ---------------------------------------------------------------- frames

TEST_F(ComandiGeneraliTest, RifCartCentresTheOriginAndSetsTheUnits) {
  ASSERT_TRUE(Esegui("RIFCART;").riuscito);
  EXPECT_TRUE(Rif()._bAssi);
  EXPECT_FALSE(Rif()._bxAnalisi);
  EXPECT_EQ(Rif().__AsseX, 300);
  EXPECT_EQ(Rif().__AsseY, 200);
  EXPECT_EQ(Rif().AsseXIniziale, 300);
  EXPECT_EQ(Rif()._TaccaX, 38) << "the units are kept";
  EXPECT_EQ(Rif().XPixel(1), 338);
  EXPECT_EQ(Rif().Rettangolo.Right, 600);
  EXPECT_EQ(Rif().Rettangolo.Bottom, 400);
  EXPECT_EQ(run.finestra.Eventi, (V{"Righelli 0"}));

  ASSERT_TRUE(Esegui("COLORE(9);\nRIFCART(30, -40);").riuscito);
  EXPECT_EQ(Rif()._TaccaX, 30);
  EXPECT_EQ(Rif()._TaccaY, 40);
  EXPECT_EQ(Rif().XPixel(1), 330);
  EXPECT_EQ(Rif().YPixel(1), 160);
  EXPECT_EQ(Rif().Pen.Color, clRed) << "the frame takes the current pen";

  for (const char* p : {"RIFCART(2);", "RIFCART(1, 2, 3);", "RIFCART(\"a\", 2);", "RIFCART(VERO);", "RIFCART(0, 5);"})
    EXPECT_EQ(Errore(p), "1 Parametri errati per RIFCART") << p;
}

TEST_F(ComandiGeneraliTest, RifCartWithAPointMovesTheOriginThereAndThePointToTheOrigin) {
  TServiziPunto& s = ServiziPunto();
  s.Posizione = [](const cValore& v, TPuntoMondo& p) {
    const auto& q = static_cast<const PuntoProva&>(v);
    p = {q.x, q.y};
    return true;
  };
  s.ImpostaPosizione = [](cValore& v, const TPuntoMondo& p) {
    auto& q = static_cast<PuntoProva&>(v);
    q.x = p.x;
    q.y = p.y;
  };
  auto punto = [] {
    auto p = std::make_unique<PuntoProva>(2, 1);
    p->Nome = "P";
    return p;
  };
  // The start-up frame: origin (1, 399), 38 pixels per unit.
  auto e = EseguiCon(Valori(punto()), "RIFCART(P);");
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(Rif().__AsseX, 77);
  EXPECT_EQ(Rif().__AsseY, 361);
  EXPECT_EQ(Rif()._TaccaX, 38);
  const auto& p = static_cast<const PuntoProva&>(*run.Valore("P"));
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 0);
  EXPECT_TRUE(p.bCoordCartesiane);

  e = EseguiCon(Valori(punto()), "RIFCART(P, 20, 25);");
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(Rif().__AsseX, 77);
  EXPECT_EQ(Rif()._TaccaX, 20);
  EXPECT_EQ(Rif()._TaccaY, 25);
  EXPECT_EQ(EseguiCon(Valori(punto()), "RIFCART(P, 20);").errore, "Parametri errati per RIFCART");
  EXPECT_EQ(EseguiCon(Valori(punto()), "RIFCART(20, 20, P);").errore, "Parametri errati per RIFCART");
  s = TServiziPunto{};
}

TEST_F(ComandiGeneraliTest, RifCart1SetsTheAnalysisWindow) {
  ASSERT_TRUE(Esegui("RIFCART(10, 10);\nRIFCART1;").riuscito);
  EXPECT_TRUE(Rif()._bAssi);
  EXPECT_TRUE(Rif()._bxAnalisi);
  EXPECT_FALSE(Rif()._bAdattaAllaFunzione);
  EXPECT_EQ(Rif()._TaccaX, 30);
  EXPECT_EQ(Rif()._TaccaY, 30);
  EXPECT_EQ(Rif()._xa, -10);
  EXPECT_EQ(Rif()._yb, 10);
  EXPECT_EQ(Rif().__AsseX, 300);
  EXPECT_EQ(Rif().XPixel(0), 300);
  EXPECT_EQ(Rif().XPixel(-10), 0);
  EXPECT_EQ(Rif().YPixel(10), 0);

  ASSERT_TRUE(Esegui("RIFCART1(1, 2);").riuscito);
  EXPECT_EQ(Rif()._xa, 1);
  EXPECT_EQ(Rif()._ya, 2);
  EXPECT_EQ(Rif()._xb, 10);
  EXPECT_EQ(Rif()._yb, 10);
  ASSERT_TRUE(Esegui("RIFCART1(-5, -5, 5, 5, VERO, \"ignorato\", 3);").riuscito);
  EXPECT_TRUE(Rif()._bAdattaAllaFunzione);
  EXPECT_EQ(Rif().XPixel(5), 600);
  ASSERT_TRUE(Esegui("RIFCART1(VERO);").riuscito);
  EXPECT_TRUE(Rif()._bAdattaAllaFunzione);
  EXPECT_EQ(Rif()._xa, -10);

  for (const char* p : {"RIFCART1(1, 2, 3, 4, 5);", "RIFCART1(\"a\");", "RIFCART1(1, \"a\");"})
    EXPECT_EQ(Errore(p), "1 Parametri errati per RIFCART1") << p;
  EXPECT_EQ(Errore("RIFCART1(5, 5, 5, 5);"), "1 Parametri non validi per RIFCART1") << "a window of no width";
  EXPECT_EQ(Errore("RIFCART1(20);"), "1 Parametri non validi per RIFCART1") << "20 .. 10";
}

TEST_F(ComandiGeneraliTest, RifCart3DCreatesThe3DFrameAndShowsTheView) {
  int creati = 0;
  CreaRifCart3D() = [&creati] { ++creati; };
  auto e = Esegui("RIFCART3D(1, \"ignorati\");\nSE FALSO ALLORA RIFCART3D;");
  CreaRifCart3D() = nullptr;
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(creati, 1);
  EXPECT_EQ(run.finestra.Eventi, (V{"Vista 3D"}));
}

// ---------------------------------------------------------------- pause and sound

TEST_F(ComandiGeneraliTest, PausaWaitsForContinueOrForItsTime) {
  run.finestra.Quando([&] { return !run.finestra.Eventi.empty() && run.finestra.Eventi.back() == "Continua 1"; },
                      [] { ComandoContinua(); });
  auto e = Esegui("STAMPA(\"prima\");\nPAUSA;\nSTAMPA(\"dopo\");\n");
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(e.output, (V{"> prima", "> dopo"}));
  EXPECT_EQ(run.finestra.Eventi, (V{"Continua 1", "Continua 0"}));
  EXPECT_TRUE(run.finestra.Problemi.empty());

  // Not executing, the pause neither waits nor shows its button.
  run.finestra.Eventi.clear();
  EXPECT_EQ(Errore("SE FALSO ALLORA PAUSA;"), "<ok>");
  EXPECT_TRUE(run.finestra.Eventi.empty());

  std::uint64_t t0 = run.finestra.Orologio;
  ASSERT_TRUE(Esegui("PAUSA(250.9);").riuscito);
  EXPECT_EQ(run.finestra.Orologio - t0, 250u);
  t0 = run.finestra.Orologio;
  ASSERT_TRUE(Esegui("PAUSA(0);\nPAUSA(-5);").riuscito);
  EXPECT_EQ(run.finestra.Orologio - t0, 0u);
  EXPECT_EQ(Errore("PAUSA(\"a\");"), "1 Parametro non valido per PAUSA");
  t0 = run.finestra.Orologio;
  EXPECT_EQ(Errore("PAUSA(10, 2);"), "1 Troppi parametri per PAUSA");
  EXPECT_EQ(run.finestra.Orologio - t0, 10u) << "reported after the wait";
  EXPECT_TRUE(run.finestra.Problemi.empty());
}

TEST_F(ComandiGeneraliTest, TheUserStopEndsALongPause) {
  run.finestra.Quando([&] { return run.finestra.Orologio >= 100; }, [] { TerminaEsecuzione(); });
  auto e = Esegui("PAUSA(100000);\nSTAMPA(\"mai\");");
  EXPECT_TRUE(e.riuscito);
  EXPECT_TRUE(e.output.empty());
  EXPECT_LT(run.finestra.Orologio, 200u);
}

TEST_F(ComandiGeneraliTest, SuonaPlaysAFileOfTheProgramFolder) {
  DatiGlob.CartellaProgramma = "/prog/";
  ASSERT_TRUE(Esegui("SUONA(\"gong.wav\");").riuscito);
  EXPECT_EQ(run.finestra.FileSuonati, (V{"/prog/gong.wav"}));
  EXPECT_EQ(Errore("SUONA;"), "1 Manca un parametro per SUONA");
  EXPECT_EQ(Errore("SUONA(3);"), "1 Parametro non valido per SUONA");
  EXPECT_EQ(Errore("SUONA(\"a.wav\", 1);"), "1 Troppi parametri per SUONA");
  EXPECT_EQ(run.finestra.FileSuonati.back(), "/prog/a.wav") << "played before the surplus is reported";
}

TEST_F(ComandiGeneraliTest, SuonaNotaPlaysOneNoteAndWaitsItsDurationWithoutCuttingIt) {
  ASSERT_TRUE(Esegui("SUONANOTA(4, \"SOL\", 500);\nSTAMPA(\"dopo\");").riuscito);
  EXPECT_EQ(run.finestra.Eventi, (V{"Note 7", "Play @0"}));
  EXPECT_EQ(run.finestra.Orologio, 500u);

  EXPECT_EQ(Errore("SE FALSO ALLORA SUONANOTA;"), "1 Mancano un parametri per SUONANOTA");
}

TEST_F(ComandiGeneraliTest, SuonaNotaKeepsTheNoteForAnUnknownNameAndLasts300MsByDefault) {
  ASSERT_TRUE(Esegui("SUONANOTA(\"do\");\nSUONANOTA(\"SI\", 100);").riuscito);
  EXPECT_EQ(run.finestra.Eventi, (V{"Play @0", "Note 11", "Play @300"}));
}

TEST_F(ComandiGeneraliTest, SuonaNotaWithoutANamePlaysDo) {
  ASSERT_TRUE(Esegui("SUONANOTA(\"SI\", 100);\nSUONANOTA(4, 200);\nSUONANOTA(1);").riuscito);
  EXPECT_EQ(run.finestra.Eventi, (V{"Note 11", "Play @0", "Note 0", "Play @100", "Note 0", "Play @300"}));
}

TEST_F(ComandiGeneraliTest, TheWindowsSoundStopEndsTheNoteEarly) {
  run.finestra.Quando([&] { return run.finestra.Orologio >= 60; }, [] { DatiGlob.bSuonoFermato = true; });
  ASSERT_TRUE(Esegui("SUONANOTA(\"LA\", 1000);\nSTAMPA(\"dopo\");").riuscito);
  EXPECT_EQ(run.finestra.Eventi, (V{"Note 9", "Play @0", "Stop @60"}));
  EXPECT_EQ(run.finestra.Output, (V{"> dopo"}));
}

// ---------------------------------------------------------------- input and random

TEST_F(ComandiGeneraliTest, LeggiNumAsksWithThePromptAndACancelStopsQuietly) {
  run.finestra.Risposte = {"5", "ANNULLA"};
  auto e = Esegui("L = LEGGINUM(\"Lato \", 3, \" \", VERO, MISURAANG(30, 15, 7.5));\nX = LEGGINUM;\nSTAMPA(\"mai\");");
  EXPECT_FALSE(e.riuscito);
  EXPECT_EQ(e.errore, "");
  EXPECT_TRUE(e.output.empty());
  EXPECT_TRUE(run.finestra.Messaggi.empty());
  EXPECT_EQ(run.Testo("L"), "5");
  EXPECT_EQ(Dialoghi(), (V{"LeggiNum||Lato 3 VERO30° 15' 7.5\"", "LeggiNum||"}));

  EXPECT_EQ(Errore("V = VETTORE(2);\nS = LEGGISTR(V);"),
            "2 Parametri errati per \"LEGGINUM\" può avere solo una stringa come parametro");
  EXPECT_EQ(Errore("V = VETTORE(2);\nS = LEGGINUM(\"a\", V);"),
            "2 Parametri errati per \"LEGGINUM\" può avere solo una stringa come parametro");
}

TEST_F(ComandiGeneraliTest, LeggiStrUsesTheInputBoxAndACancelGivesTheEmptyString) {
  run.finestra.Risposte = {"Anna", "ANNULLA"};
  auto e = Esegui("N = LEGGISTR(\"Nome \", 1);\nT = LEGGITESTO(\"Testo\");\nSTAMPA(\"[\", T, \"]\");");
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(run.Testo("N"), "Anna");
  EXPECT_EQ(e.output, (V{"> []"}));
  EXPECT_EQ(Dialoghi(), (V{"InputBox|LEGGISTR|Nome 1", "InputBox|LEGGITESTO|Testo"}));
}

TEST_F(ComandiGeneraliTest, LeggiMisuraAngAndDomanda) {
  run.finestra.Risposte = {"30 15 7.5", "SI", "NO"};
  auto e = Esegui("A = LEGGIMISURAANG(\"Angolo\");\nS = DOMANDA(\"Continuo?\");\nN = DOMANDA(\"Ancora?\");");
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(run.Testo("A"), "30° 15' 7.5\"");
  EXPECT_EQ(run.Testo("S"), "VERO");
  EXPECT_EQ(run.Testo("N"), "FALSO");
  EXPECT_EQ(Dialoghi(), (V{"LeggiGrado|Angolo|", "Domanda|DOMANDA|Continuo?", "Domanda|DOMANDA|Ancora?"}));

  for (const char* p : {"A = LEGGIMISURAANG;\nSTAMPA(1);", "D = DOMANDA(\"?\");\nSTAMPA(1);"}) {
    run.finestra.Risposte = {"ANNULLA"};
    e = Esegui(p);
    EXPECT_FALSE(e.riuscito) << p;
    EXPECT_EQ(e.errore, "") << p;
    EXPECT_TRUE(e.output.empty()) << p;
  }
  EXPECT_EQ(Errore("A = LEGGIMISURAANG(3);"), "1 Parametri errati per LEGGIMISURAANG");
  EXPECT_EQ(Errore("A = LEGGIMISURAANG(\"a\", \"b\");"), "1 Parametri errati per LEGGIMISURAANG");
  EXPECT_EQ(Errore("D = DOMANDA;"), "1 Parametri errati per DOMANDA");
  EXPECT_EQ(Errore("D = DOMANDA(\"a\", \"b\");"), "1 Parametri errati per DOMANDA");
}

TEST_F(ComandiGeneraliTest, RandomNumbersAndAngleMeasures) {
  GeneratoreCasuale().seed(7);
  auto e = Esegui(
      "UNO = NUMERO_A_CASO(1, 1);\nFUORI = 0;\n"
      "RIPETI 500 VOLTE; X = NUMERO_A_CASO(0, 10); SE (X < 0) O (X >= 10) ALLORA FUORI = FUORI + 1; FINE;\n"
      "Y = NUMERO_A_CASO(10, 0);\n");
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(run.Testo("UNO"), "1");
  EXPECT_EQ(run.Testo("FUORI"), "0");
  EXPECT_EQ(Valuta("NUMERO_A_CASO(5)"), "#Parametri errati per NUMERO_A_CASO");
  EXPECT_EQ(Valuta("NUMERO_A_CASO(\"a\", 2)"), "#Parametri errati per NUMERO_A_CASO");

  EXPECT_EQ(Valuta("MISURAANG(360, 60, 60)"), "360° 60' 60\"");
  EXPECT_EQ(Valuta("MISURAANG(12.5)"), "12.5° 0' 0\"");
  EXPECT_EQ(Valuta("MISURAANG(10, \"a\", 5)"), "10° 0' 5\"");
  EXPECT_EQ(Valuta("MISURAANG(361)"), "#Parametri non validi per MISURAANG");
  EXPECT_EQ(Valuta("MISURAANG(10, -1)"), "#Parametri non validi per MISURAANG");
  EXPECT_EQ(Valuta("MISURAANG(10, 0, 60.5)"), "#Parametri non validi per MISURAANG");
  EXPECT_EQ(Valuta("MISURAANG(\"a\")"), "#Parametri errati per MISURAANG");
  EXPECT_EQ(Valuta("PI(2)"), "#Identificatore non riconosciuto") << "constants take no arguments";
}

// ---------------------------------------------------------------- vectors and matrices

TEST_F(ComandiGeneraliTest, BuildersRefuseSizesOutOfRange) {
  EXPECT_EQ(Valuta("VETTORE(4999)").substr(0, 1), "") << "a vector has no text; it is built";
  EXPECT_EQ(Errore("V = VETTORE(4999.9);"), "<ok>");
  EXPECT_EQ(static_cast<const cVettReale&>(*run.Valore("V")).Count, 4999);
  EXPECT_EQ(Valuta("VETTORE(5000)"), "#Dimensione non consentita per un vettore: VETTORE");
  EXPECT_EQ(Valuta("VETTORE_STR(-1)"), "#Dimensione non consentita per un vettore: VETTORE_STR");
  EXPECT_EQ(Valuta("VETTORE(2, 3)"), "#Parametri errati per VETTORE");
  EXPECT_EQ(Valuta("MATRICE(70, 72)"), "#Dimensione non consentita per una matrice: MATRICE");
  EXPECT_EQ(Valuta("MATRICE(-2, 3)"), "#Dimensione non consentita per una matrice: MATRICE");
  EXPECT_EQ(Valuta("TABELLA_DE(-2, -3)"), "#Dimensione non consentita per una matrice: TABELLA_DE");
  EXPECT_EQ(Valuta("MATRICE_STR(3)"), "#Parametri errati per MATRICE_STR");
  ASSERT_EQ(Errore("T = TABELLA_DE(2, 3);"), "<ok>");
  const auto& t = static_cast<const cMatrReale&>(*run.Valore("T"));
  EXPECT_TRUE(t._bStatistica);
  EXPECT_EQ(t.Rows * 10 + t.Cols, 34);
}

TEST_F(ComandiGeneraliTest, ElementsAreReadAndWrittenWithinTheirBounds) {
  const std::string base = "V = VETTORE(3);\nS = VETTORE_STR(2);\nM = MATRICE(2, 3);\nN = MATRICE_STR(2, 2);\n";
  auto e = Esegui(base +
                  "V(3) = 1.5;\nS(2) = \"b\";\nM(2, 3) = 7;\nN(1, 2) = \"x\";\nW = V;\nV(3) = 9;\n"
                  "STAMPA(V(3), \" \", W(3.9), \" \", S(2), S(1), \" \", M(2, 3), \" \", N(1, 2), \" \", M(1, 1));");
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(e.output, (V{"> 9 1.5 b 7 x 0"}));

  EXPECT_EQ(Errore(base + "X = V(0);"), "5 Valore di indice non consentito: V");
  EXPECT_EQ(Errore(base + "X = V(4);"), "5 Valore di indice non consentito: V");
  EXPECT_EQ(Errore(base + "X = S(3);"), "5 Valore di indice non consentito: S");
  EXPECT_EQ(Errore(base + "X = V(1, 1);"), "5 Parametri errati per V");
  EXPECT_EQ(Errore(base + "X = V(\"a\");"), "5 Parametri errati per V");
  EXPECT_EQ(Errore(base + "X = M(3, 1);"), "5 Valore di indice non consentito: M");
  EXPECT_EQ(Errore(base + "X = M(1, 4);"), "5 Valore di indice non consentito: M");
  EXPECT_EQ(Errore(base + "X = N(0, 1);"), "5 Valore di indice non consentito: N");
  EXPECT_EQ(Errore(base + "X = M(1);"), "5 Parametri errati per M");
  EXPECT_EQ(Errore(base + "X = M(1, 2, 3);"), "5 Parametri errati per M");
  EXPECT_EQ(Errore(base + "V(4) = 1;"), "5 Indice non consentito per il Vettore: V");
  EXPECT_EQ(Errore(base + "V(1) = \"a\";"), "5 Tipi non compatibili nell'assegnamento: V");
  EXPECT_EQ(Errore(base + "M(3, 1) = 1;"), "5 Indice non consentito per la Matrice: M");
  EXPECT_EQ(Errore(base + "M(1) = 1;"), "5 Assegnamento errato, Matrice: M");
}

// ---------------------------------------------------------------- numeric functions

TEST_F(ComandiGeneraliTest, TrigonometryInDegreesRootsAndAbsoluteValues) {
  EXPECT_EQ(Valuta("SEN(30)"), "0.5");
  EXPECT_EQ(Valuta("COS(MISURAANG(60))"), "0.5");
  EXPECT_EQ(Valuta("SEN(MISURAANG(29, 59, 60))"), "0.5");
  EXPECT_EQ(Valuta("COS(180)"), "-1");
  EXPECT_EQ(Valuta("SEN(\"a\")"), "#Parametri errati per SEN");
  EXPECT_EQ(Valuta("COS(1, 2)"), "#Parametri errati per COS");
  EXPECT_EQ(Valuta("RADICEQ(16)"), "4");
  EXPECT_EQ(Valuta("RADICEQ(2)"), "1.41");
  EXPECT_EQ(Valuta("RADICEQ(-1)"), "#Funzione non applicabile a valori negativi: RADICEQ");
  EXPECT_EQ(Valuta("RADICEQ"), "#Parametri errati per RADICEQ");
  EXPECT_EQ(Valuta("VALOREASS(-2.5)"), "2.5");
  EXPECT_EQ(Valuta("VALOREASS(\"a\")"), "#Parametri errati per VALOREASS");
  EXPECT_EQ(Valuta("INT(-2.7)"), "-2");
  EXPECT_EQ(Valuta("INT(2.7)"), "2");
  EXPECT_EQ(Valuta("INT(2, 3)"), "#Parametri errati per INT");
}

// Degrees are reduced in degrees: right angles give exact zeros and ones, and a huge angle
// its place on the circle (1E20 is 280 more than a multiple of 360).
TEST_F(ComandiGeneraliTest, TrigonometryIsExactAtRightAnglesAndFarOut) {
  auto numero = [&](const std::string& espressione) {
    Valuta(espressione);
    const cValore* v = run.Valore("R");
    return v && v->Tipo == T_REALE ? static_cast<const cValoreReale*>(v)->Leggi() : -12345.0L;
  };
  EXPECT_EQ(numero("SEN(180)"), 0);
  EXPECT_EQ(numero("COS(90)"), 0);
  EXPECT_EQ(numero("COS(-270)"), 0);
  EXPECT_EQ(numero("SEN(-90)"), -1);
  EXPECT_EQ(numero("COS(720)"), 1);
  EXPECT_EQ(numero("SEN(1E20)"), numero("SEN(280)"));
  EXPECT_EQ(Valuta("SEN(1E20)"), "-0.98");
  EXPECT_EQ(Valuta("COS(-1E20)"), Valuta("COS(280)"));
  EXPECT_EQ(Valuta("SEN(0^0)"), "Indeterminata") << "an error value passes through";
  EXPECT_EQ(Valuta("COS(0^0)"), "Indeterminata");
  auto e = Esegui("S = 0;\nPER (I DA 1 A 4) ESEGUI; S = S + SEN(I * 90) + COS(I * 90); FINE;\nSTAMPA(S);");
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(e.output, (std::vector<std::string>{"> 0"}));
}

TEST_F(ComandiGeneraliTest, NumbersAndStrings) {
  EXPECT_EQ(Valuta("NUM(\"3.5\")"), "3.5");
  EXPECT_EQ(Valuta("NUM(\" -2e3 \")"), "-2000");
  EXPECT_EQ(Valuta("NUM(\".5\")"), "0.5");
  for (const char* s : {"3,5", "", "abc", "1e", "inf", "0x10", "3.5x", "."})
    EXPECT_EQ(Valuta(std::string("NUM(\"") + s + "\")"), "#La stringa non può essere convertita in numero") << s;
  EXPECT_EQ(Valuta("NUM(3)"), "#Parametri errati per NUM");
  EXPECT_EQ(Valuta("STR(2.5)"), "2.5");
  EXPECT_EQ(run.Valore("R")->Tipo, T_STRINGA);
  EXPECT_EQ(Valuta("STR(1/3)"), "0.333333333333333");
  EXPECT_EQ(Valuta("STR(\"a\")"), "#Parametri errati per STR");
}

}  // namespace
}  // namespace qx
