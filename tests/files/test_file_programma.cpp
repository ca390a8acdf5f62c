// Program files end to end: programs run, their work saved, the environment reset and the
// file opened again as the window does it (parse the whole file, then reset and apply).
#include <gtest/gtest.h>

#include <cmath>

#include "app/file/ClassiFile.h"
#include "app/file/FileProgramma.h"
#include "app/stream/Writer.h"
#include "interpreter/LatoMouse.h"
#include "runstate/DatiGlob.h"
#include "tests/files/Byte.h"
#include "tests/files/Lavoro.h"
#include "values/ValoreFunzione.h"
#include "values/ValoriScalari.h"
#include "values/VettoriMatrici.h"
#include "values/espressioni/Stampa.h"
#include "values/figure/ValoreCerchio.h"
#include "values/figure/ValoreDiagramma.h"
#include "values/figure/ValoreLinea.h"
#include "values/figure/ValoreLista.h"
#include "values/figure/ValorePoligono.h"
#include "values/figure/ValorePunto.h"
#include "values/figure/ValoreRetta.h"

namespace qx {
namespace {

using test::Byte;
using test::Hex;

// A short string as the stream writes names: one length byte, then the bytes.
using test::Corto;
// The 10 bytes of an extended real, from its sign, exponent and significand by hand.
std::string Ext(bool negativo, int esponente, std::uint64_t significando) {
  std::string b;
  for (int i = 0; i < 8; ++i) b += static_cast<char>((significando >> (8 * i)) & 0xFF);
  const unsigned e = static_cast<unsigned>(esponente + 16383) | (negativo ? 0x8000u : 0u);
  b += static_cast<char>(e & 0xFF);
  b += static_cast<char>(e >> 8);
  return "\x05" + b;
}

class FileProgramma : public test::Lavoro {};

TEST_F(FileProgramma, WorkWithNoValuesIsExactlyTheHeaderAndTheFrame) {
  cRifCart f(nullptr);
  f.Pen = TPen{clBlack, psDot, 1, pmCopy};
  f.Brush = TBrush{clWhite, bsSolid};
  f.Font = TFont{clBlue, "MS Sans Serif", 10, 0};
  f.__AsseX = 1;
  f.__AsseY = 399;
  f._TaccaX = f._TaccaY = 38;
  cListaVariabili vuota;
  TCollPunti traccia;
  TStatoProgramma s;
  s.Testo = "A=1";
  s.ContatoreOggetti = 5;
  s.RifCart = &f;
  s.Variabili = &vuota;
  s.PuntiTraccia = &traccia;
  const std::string atteso =
      "TPF0" + Corto("cFileHeader") + Corto("") +                    //
      Corto("NumOfVar") + Byte("02 00") +                            //
      Corto("LastNumVar") + Byte("02 05") +                          //
      Corto("Text") + "\x06" + Corto("A=1") +                        //
      Corto("Punti") + Byte("0E 00") +                               //
      Byte("00 00") +                                                //
      "TPF0" + Corto("cRifCart") + Corto("") +                       //
      Corto("Tipo") + "\x07" + Corto("T_1") +                        //
      // Read into the frame a reset made: every property is written.
      Corto("Nome") + Byte("06 00") +                                //
      Corto("Pen.Color") + "\x07" + Corto("clBlack") +               //
      Corto("Pen.Mode") + "\x07" + Corto("pmCopy") +                 //
      Corto("Pen.Style") + "\x07" + Corto("psDot") +                 //
      Corto("Pen.Width") + Byte("02 01") +                           //
      Corto("Brush.Color") + "\x07" + Corto("clWhite") +             //
      Corto("Brush.Style") + "\x07" + Corto("bsSolid") +             //
      Corto("Font.Color") + "\x07" + Corto("clBlue") +               //
      Corto("Font.Height") + Byte("02 F3") +                         // -13: 10 points at 96 dpi
      Corto("Font.Name") + "\x06" + Corto("MS Sans Serif") +         //
      Corto("Font.Style") + Byte("0B 00") +                          //
      Corto("varGruppo") + Byte("06 00") +                           //
      Corto("_bAssi") + Byte("08") +                                 //
      Corto("_bxAnalisi") + Byte("08") +                             //
      Corto("_bAdattaAllaFunzione") + Byte("08") +                   //
      Corto("_xa") + Ext(true, 3, 0xA000000000000000) +              // -10
      Corto("_xb") + Ext(false, 3, 0xA000000000000000) +             // 10
      Corto("_ya") + Ext(true, 3, 0xA000000000000000) +              //
      Corto("_yb") + Ext(false, 3, 0xA000000000000000) +             //
      Corto("__AsseX") + Ext(false, 0, 0x8000000000000000) +         // 1
      Corto("__AsseY") + Ext(false, 8, 0xC780000000000000) +         // 399
      Corto("_TaccaX") + Ext(false, 5, 0x9800000000000000) +         // 38
      Corto("_TaccaY") + Ext(false, 5, 0x9800000000000000) +         //
      Byte("00 00");
  EXPECT_EQ(Hex(ScriviProgramma(s).Dati), Hex(atteso));
}

TEST_F(FileProgramma, AnEmptySaveLoadsBackToOnlyThePlanes) {
  ASSERT_TRUE(Esegui("A = 1;\nCANCELLA(A);"));
  AggiungiPiani();
  const std::string dati = Salva();
  EXPECT_EQ(Conta(dati, "TPF0"), 2) << "the planes are never stored";
  ASSERT_TRUE(Esegui("B = PUNTO(1, 1);"));
  ASSERT_EQ(Apri(dati), "");
  EXPECT_EQ(Nomi(), "PIANOXY PIANOXZ PIANOYZ");
}

TEST_F(FileProgramma, PlaneValuesListsChartsAndFunctionsRoundTripBitForBit) {
  run.finestra.Scelte = {1};
  TrascinaDiagramma();
  ASSERT_TRUE(Esegui(
      "P = PUNTO(1, 2);\n"
      "C = CIRC(P, 1.5);\n"
      "Q = QUADRATO(SEGMENTO(PUNTO(0, 0), PUNTO(2, 0)));\n"
      "L = LISTA;\nL(1) = PUNTO(1, 1);\nL(2) = PUNTO(-2.5, 3);\nL(3) = PUNTO(0, 0);\n"
      "V = VETTORE_FUNZ(2);\nV(1) = FUNZIONE(\"x^2\");\nV(2) = FUNZIONE(\"sin(x)\");\n"
      "D = DIAGSTR(3, \"a\", 5, \"bè\");\n"
      "S = \"testo\";\nN = 0.1;\nB = VERO;\n"));
  const std::string prima = Salva();
  ASSERT_TRUE(Esegui("X = 1;"));
  ASSERT_EQ(Apri(prima), "");
  EXPECT_EQ(Hex(Salva()), Hex(prima));
  EXPECT_EQ(Nomi(), "P C Q L V D S N B");

  auto& p = Di<cValorePunto>("P");
  EXPECT_EQ(p.xCart, 1);
  EXPECT_EQ(p.yCart, 2);
  EXPECT_EQ(p.Etichetta, "P");
  EXPECT_EQ(Di<cValoreCerchio>("C").r, 1.5L);
  auto& q = Di<cValorePoligono>("Q");
  EXPECT_EQ(q.TipoPol, T_QUADRATO);
  EXPECT_EQ(q.NomeTipo, "Quadrato");
  ASSERT_EQ(q.Punti.Count(), 4);
  EXPECT_EQ(q.Punti.Elemento(2).x, 2);
  EXPECT_EQ(q.Punti.Elemento(2).y, 2);
  auto& l = Di<cValoreLista>("L");
  ASSERT_EQ(l.Count(), 3);
  EXPECT_EQ(static_cast<cValorePunto&>(*l.Elemento(2)).xCart, -2.5L);
  EXPECT_TRUE(l.Elemento(2)->bVisibile);
  // Placed by their world coordinates: they were read, drawn and measured at pixel (0, 0).
  EXPECT_TRUE(l.Elemento(2)->bCoordCartesiane);
  auto& v = Di<cValoreLista>("V");
  EXPECT_EQ(v.TipoLista, T_VETT_FUNZ);
  EXPECT_EQ(v._nCount, 2);
  auto& f2 = static_cast<cValoreFunzione&>(*v.Elemento(2));
  ASSERT_NE(f2.Albero(), nullptr) << "a function is parsed again";
  EXPECT_EQ(f2.Valuta(0.5L), std::sin(0.5L));
  auto& d = Di<cValoreDiagramma>("D");
  ASSERT_EQ(d._freq.Count, 2);
  EXPECT_EQ(d._freq.Leggi(2), 5);
  EXPECT_EQ(d._descr.Leggi(2), "bè");
  // The chart is where it was put, not in the box a new chart starts with.
  EXPECT_EQ(d.Rettangolo, (TRect{DatiGlob.RifCart->XPixel(-5), DatiGlob.RifCart->YPixel(5),
                                 DatiGlob.RifCart->XPixel(5), DatiGlob.RifCart->YPixel(-3)}));
  EXPECT_EQ(run.Testo("S"), "testo");
  EXPECT_EQ(run.Testo("B"), "VERO");
  EXPECT_EQ(Di<cValoreReale>("N").Value, 0.1L);

  // A zoom and a pan after the chart was placed leave its box where it is, and the file
  // keeps that box: it came back moved and larger, cut by the edge.
  const TRect riquadro = d.Rettangolo;
  DatiGlob.RifCart->_TaccaX *= 1.1L;
  DatiGlob.RifCart->_TaccaY *= 1.1L;
  DatiGlob.RifCart->__AsseX -= 20;
  ASSERT_EQ(Apri(Salva()), "");
  EXPECT_EQ(Di<cValoreDiagramma>("D").Rettangolo, riquadro);
}

TEST_F(FileProgramma, AFunctionKnownOnlyByItsTreeIsSavedWithTheTextOfTheTree) {
  ASSERT_TRUE(Esegui("F = FUNZIONE(\"3*x^2-1\");"));
  auto& f = Di<cValoreFunzione>("F");
  const std::string testo = AlberoInTesto(f.Albero());
  f._sFunz.clear();
  ASSERT_EQ(Apri(Salva()), "");
  auto& g = Di<cValoreFunzione>("F");
  EXPECT_EQ(g._sFunz, testo);
  ASSERT_NE(g.Albero(), nullptr);
  EXPECT_EQ(g.Valuta(2), 11);
}

TEST_F(FileProgramma, VectorsMatricesAndEveryKindTheOldTableLacksLoadAgain) {
  ASSERT_TRUE(Esegui("M = MATRICE(2, 3);\nM(2, 1) = 7;\nW = VETTORE(3);\nW(3) = -1;\n"));
  auto& tabella = run.ambiente.Variabili();
  auto archivio = std::make_unique<cValoreArchivio>();
  archivio->Nome = "ARC";
  archivio->Tabella = std::make_unique<TTabellaArchivio>(TTabellaArchivio{"C:\\ARC", "ALUNNI", "ttDBase"});
  tabella.Aggiungi(std::make_unique<cVariabile>("ARC", std::move(archivio)));
  auto orientata = std::make_unique<cValoreRetta>(T_RETTA_OR);
  orientata->Nome = "RO";
  orientata->x2 = 3;
  tabella.Aggiungi(std::make_unique<cVariabile>("RO", std::move(orientata)));
  auto scrittura = std::make_unique<cValoreLinea>();
  scrittura->Nome = "W1";
  scrittura->_bScrittura = true;
  scrittura->Punti.Aggiungi(1, 1);
  scrittura->Punti.Aggiungi(PENNA_SU, PENNA_SU);
  tabella.Aggiungi(std::make_unique<cVariabile>("W1", std::move(scrittura)));
  auto stringhe = std::make_unique<cMatrStringa>(1, 2);
  stringhe->Nome = "MS";
  stringhe->Scrivi(1, 2, "x y");
  tabella.Aggiungi(std::make_unique<cVariabile>("MS", std::move(stringhe)));

  const std::string prima = Salva();
  ASSERT_EQ(Apri(prima), "");
  EXPECT_EQ(Hex(Salva()), Hex(prima));
  EXPECT_EQ(Di<cMatrReale>("M").Leggi(2, 1), 7);
  EXPECT_EQ(Di<cVettReale>("W").Leggi(3), -1);
  const auto& a = Di<cValoreArchivio>("ARC");
  ASSERT_TRUE(a.Tabella);
  EXPECT_EQ(a.Tabella->DatabaseName, "C:\\ARC");
  EXPECT_EQ(a.Tabella->TableName, "ALUNNI");
  EXPECT_EQ(Di<cValoreRetta>("RO").Tipo, T_RETTA_OR);
  EXPECT_EQ(Di<cValoreLinea>("W1").Punti.Elemento(1).x, PENNA_SU);
  EXPECT_TRUE(Di<cValoreLinea>("W1")._bScrittura);
  EXPECT_EQ(Di<cMatrStringa>("MS").Leggi(1, 2), "x y");
}

TEST_F(FileProgramma, AfterALoadTheCurrentPenBrushAndFontAreTheLastValues) {
  ASSERT_TRUE(Esegui("COLORE(12);\nP = PUNTO(1, 1);\nCOLORE(9);\nSTILE(2);\nQ = PUNTO(2, 2);\nA = 5;"));
  const TPen pennaQ = Di<cValorePunto>("Q").Pen;
  ASSERT_EQ(pennaQ.Color, clRed);
  const std::string dati = Salva();
  run.ambiente.InizializzaAmbiente();
  ASSERT_NE(DatiGlob.PennaCorrente, pennaQ);
  ASSERT_EQ(Apri(dati), "");
  EXPECT_EQ(DatiGlob.PennaCorrente, pennaQ);
  EXPECT_EQ(DatiGlob.PennelloCorrente, Di<cValorePunto>("Q").Brush);
  EXPECT_EQ(Di<cValorePunto>("P").Pen.Color, clBlue);
}

TEST_F(FileProgramma, TheTypeRecordKeepsWhatTheLastPolygonAndListLeft) {
  run.finestra.Scelte = {1};
  ASSERT_TRUE(Esegui("Q = QUADRATO(SEGMENTO(PUNTO(0, 0), PUNTO(2, 0)));\nV = VETTORE_FUNZ(1);\nA = 1;"));
  const std::string dati = Salva();
  // The third type record, for A (after the vector's empty function), still names the
  // square and the vector of functions.
  const std::size_t terzo = Posizione(dati, "TPF0", 8);
  const std::string tipoA = dati.substr(terzo, Posizione(dati, "TPF0", 9) - terzo);
  EXPECT_NE(tipoA.find(Corto("TipoPol") + "\x07" + Corto("T_QUADRATO")), std::string::npos);
  EXPECT_NE(tipoA.find(Corto("TipoLista") + "\x07" + Corto("T_VETT_FUNZ")), std::string::npos);
  EXPECT_NE(tipoA.find(Corto("Tipo") + "\x07" + Corto("T_REALE")), std::string::npos);
}

TEST_F(FileProgramma, ACountLargerThanTheRecordsLoadsTheRecordsThereAre) {
  ASSERT_TRUE(Esegui("A = 1;\nB = PUNTO(1, 1);"));
  const std::string dati = Salva();
  const std::string conta = Corto("NumOfVar") + Byte("02 02");
  ASSERT_NE(dati.find(conta), std::string::npos);
  std::string piu3 = dati, piu4 = dati;
  piu3.replace(dati.find(conta), conta.size(), Corto("NumOfVar") + Byte("02 05"));
  piu4.replace(dati.find(conta), conta.size(), Corto("NumOfVar") + Byte("02 0C"));
  ASSERT_EQ(Apri(piu3), "");
  EXPECT_EQ(Nomi(), "A B");
  ASSERT_TRUE(Esegui("X = 7;"));
  EXPECT_EQ(Apri(piu4), "") << "ten more than it holds";
  EXPECT_EQ(Nomi(), "A B");
}

TEST_F(FileProgramma, AFileCutInsideItsThirdValueChangesNothing) {
  ASSERT_TRUE(Esegui("A = 1;\nB = PUNTO(1, 1);\nC = CIRC(B, 2);\nD = 4;"));
  const std::string dati = Salva();
  const std::string troncato = dati.substr(0, Posizione(dati, "TPF0", 8) + 30);
  ASSERT_TRUE(Esegui("COLORE(9);\nX = 7;\nY = PUNTO(3, 3);"));
  testo_ = "X = 7;";
  const auto prima = run.Variabili();
  const int contatore = DatiGlob.ContatoreOggetti;
  EXPECT_EQ(Apri(troncato), "il file finisce prima del previsto");
  EXPECT_EQ(run.Variabili(), prima);
  EXPECT_EQ(DatiGlob.PennaCorrente.Color, clRed) << "the values the parse made took the reset's pen, and gave it back";
  EXPECT_EQ(testo_, "X = 7;");
  EXPECT_EQ(DatiGlob.ContatoreOggetti, contatore);
  // From disk, the message says which file.
  const std::string percorso = Cartella() + "/rotto.qxs";
  ScriviFile(percorso, troncato);
  TProgrammaLetto letto;
  std::string errore;
  EXPECT_FALSE(CaricaFileProgramma(percorso, letto, errore));
  EXPECT_EQ(errore, "Il file " + percorso +
                        " è danneggiato o non è un programma di Quorix: il file finisce prima del previsto");
  EXPECT_FALSE(CaricaFileProgramma(Cartella() + "/manca.qxs", letto, errore));
  EXPECT_EQ(errore, "Impossibile aprire il file " + Cartella() + "/manca.qxs: il file non esiste");
}

TEST_F(FileProgramma, RecordsAreCheckedClassByClassAndUnknownPropertiesSkipped) {
  auto file = [](const std::vector<TComponenteStream>& valori, int n) {
    std::string out;
    TWriter w(out);
    TComponenteStream h;
    h.Classe = "cFileHeader";
    h.Aggiungi("NumOfVar", TValoreStream::DiIntero(n));
    w.WriteRootComponent(h);
    TComponenteStream f;
    f.Classe = "cRifCart";
    w.WriteRootComponent(f);
    for (const auto& v : valori) w.WriteRootComponent(v);
    return out;
  };
  auto tipo = [](const char* t) {
    TComponenteStream r;
    r.Classe = "cTipo";
    r.Aggiungi("Tipo", TValoreStream::DiIdent(t));
    return r;
  };
  TComponenteStream punto;
  punto.Classe = "cValorePunto";
  punto.Aggiungi("Nome", TValoreStream::DiStringa("P"));
  punto.Aggiungi("Ignoto", TValoreStream::DiSet({"a", "b"}));
  punto.Aggiungi("xCart", TValoreStream::DiIntero(4));
  punto.Aggiungi("Lista", TValoreStream::DiBooleano(true));
  ASSERT_EQ(Apri(file({tipo("T_PUNTO"), punto}, 1)), "");
  const auto& p = Di<cValorePunto>("P");
  EXPECT_EQ(p.xCart, 4);
  EXPECT_EQ(p.yCart, 0) << "a real left out keeps the constructor's 0";
  EXPECT_EQ(p.Pen, (TPen{clBlue, psSolid, 1, pmCopy})) << "a pen left out is the current one after the reset";
  EXPECT_EQ(p.Brush, (TBrush{clWhite, bsClear}));
  EXPECT_EQ(p.Font.Name, "MS Sans Serif");

  TComponenteStream cerchio = punto;
  cerchio.Classe = "cValoreCerchio";
  EXPECT_EQ(Apri(file({tipo("T_PUNTO"), cerchio}, 1)), "al posto di un oggetto cValorePunto c'è un oggetto cValoreCerchio");
  EXPECT_EQ(Apri(file({tipo("T_STATISTICA"), punto}, 1)), "tipo di valore 36 non previsto");
  EXPECT_EQ(Apri(file({tipo("T_NIENTE"), punto}, 1)), "valore non valido per Tipo");
  TComponenteStream sbagliato = punto;
  sbagliato.Aggiungi("yCart", TValoreStream::DiStringa("2"));
  EXPECT_EQ(Apri(file({tipo("T_PUNTO"), sbagliato}, 1)), "valore non valido per yCart");
  TComponenteStream altroTipo = punto;
  altroTipo.Aggiungi("Tipo", TValoreStream::DiIdent("T_CERCHIO"));
  EXPECT_EQ(Apri(file({tipo("T_PUNTO"), altroTipo}, 1)), "valore non valido per Tipo");
  TComponenteStream vettore;
  vettore.Classe = "cVettReale";
  vettore.Aggiungi("_Count", TValoreStream::DiIntero(3));
  EXPECT_EQ(Apri(file({tipo("T_VETT_REALE"), vettore}, 1)),
            "le dimensioni di un vettore non corrispondono agli elementi");
  TComponenteStream intestazione;
  intestazione.Classe = "TForm1";
  std::string altro;
  TWriter(altro).WriteRootComponent(intestazione);
  EXPECT_EQ(Apri(altro), "al posto di un oggetto cFileHeader c'è un oggetto TForm1");
  EXPECT_EQ(Apri("Questo non è un programma"), "un oggetto non comincia con TPF0");
}

TEST_F(FileProgramma, TextsAreWindows1252AndALostCharacterIsSaidOnce) {
  ASSERT_TRUE(Esegui("S = \"perché π\";\nT = \"ω\";"));
  testo_ = "S = \"perché\";";
  TFileScritto f = ScriviProgramma(Stato());
  EXPECT_EQ(f.Avviso(), "Alcuni caratteri non si possono scrivere nel file e sono stati salvati come \"?\" (il primo nell'oggetto S)");
  EXPECT_NE(f.Dati.find(Byte("06 08") + "perch\xE9 ?"), std::string::npos) << Hex(f.Dati);
  testo_ = "S = \"π\";";
  EXPECT_EQ(ScriviProgramma(Stato()).Perdita, "nel testo del programma");
  ASSERT_TRUE(Esegui("S = \"è\";"));
  testo_ = "perché";
  f = ScriviProgramma(Stato());
  EXPECT_EQ(f.Avviso(), "");
  ASSERT_EQ(Apri(f.Dati), "");
  EXPECT_EQ(testo_, "perché");
  EXPECT_EQ(run.Testo("S"), "è");
}

TEST_F(FileProgramma, TheSafeSaveReplacesTheFileWholeAndAFailedOneLeavesItAsItWas) {
  const std::string percorso = Cartella() + "/lavoro.qxs";
  ASSERT_TRUE(Esegui("A = 1;"));
  std::string errore, avviso;
  ASSERT_TRUE(SalvaFileProgramma(percorso, Stato(), errore, avviso)) << errore;
  const std::string vecchio = LeggiFile(percorso);
  EXPECT_EQ(vecchio, Salva());
  ASSERT_TRUE(Esegui("A = 1;\nB = 2;"));
  ASSERT_TRUE(SalvaFileProgramma(percorso, Stato(), errore, avviso)) << errore;
  EXPECT_EQ(LeggiFile(percorso), Salva());
  EXPECT_EQ(FileNellaCartella(), 1u) << "no temporary file is left behind";

  const std::string attuale = LeggiFile(percorso);
  ASSERT_TRUE(Esegui("C = 3;"));
  const std::string esito = ComeUtenteComune([&] {
    std::string e, a;
    SolaLettura(Cartella());
    return SalvaFileProgramma(percorso, Stato(), e, a) ? std::string("<salvato>") : e;
  });
  EXPECT_EQ(esito, "Impossibile salvare il file " + percorso + ": permesso negato");
  EXPECT_EQ(LeggiFile(percorso), attuale);
}

}  // namespace
}  // namespace qx
