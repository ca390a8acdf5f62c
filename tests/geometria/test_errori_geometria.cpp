// The argument errors of the geometry commands, each with its message and its line.
#include "tests/geometria/Supporto.h"

namespace qx::test {
namespace {

struct Caso {
  const char* programma;
  const char* errore;
  int riga;
};

TEST_F(GeometriaPianaTest, EveryFamilyReportsItsArgumentErrors) {
  const Caso casi[] = {
      {"P = PUNTO(3);", "Parametri errati per PUNTO", 1},
      {"P = PUNTO(1, 2, 3);", "Parametri errati per PUNTO", 1},
      {"A = 1;\nP = PUNTO_A_CASO(1);", "Non sono permessi parametri per PUNTO_A_CASO", 2},
      {"R = RETTA(1, 2);\nP = PUNTO_MEDIO(R);", "Parametri errati per PUNTO_MEDIO", 2},
      {"P = PUNTO_SU(3);", "Parametri errati per PUNTO_SU", 1},
      {"P = PUNTO_SU_OGGETTO;", "PUNTO_SU_OGGETTO: Non esiste un segmento/retta/semiretta/circonferenza da selezionare", 1},
      {"P = PUNTOACASO_SU(1, 2);", "Parametri errati per PUNTOACASO_SU", 1},
      {"A = PUNTO(1, 1);\nS = SEGMENTO;", "SEGMENTO: Non esistono 2 punti da selezionare", 2},
      {"S = SEMIRETTA(1, 2);", "Parametri errati per SEMIRETTA", 1},
      {"R = PARALLELA(PUNTO(1, 1), PUNTO(2, 2));", "Parametri errati per PARALLELA", 1},
      {"R = RETTANUM(3);", "Parametri errati per RETTANUM", 1},
      {"R = RETTAPAR_ASSE(\"Z\", 3);", "Parametri errati per RETTAPAR_ASSE", 1},
      {"R = RETTA_REGR(VETTORE(3), VETTORE(4));", "Vettori di diversa dimensione RETTA_REGR", 1},
      {"STELLA(3);", "Parametri errati per STELLA", 1},
      {"C = CIRCONFERENZA(0, 0, 4);",
       "Parametri non validi (Radice quadrata di un valore negativo) CIRCONFERENZA", 1},
      {"C = CIRC(PUNTO(0, 0), PUNTO(1, 1), PUNTO(2, 2));", "Punti allineati per CIRC", 1},
      {"C = CIRC;", "CIRC: Non esiste un punto da selezionare", 1},
      {"C = CIRC(\"a\");", "Parametri errati per CIRC", 1},
      {"A = ARCO(PUNTO(0, 0), PUNTO(1, 0), PUNTO(0, 2), \"O\");",
       "Il secondo e terzo punto non appartengono alla circoferenza - ARCO", 1},
      {"A = SETTORE_CIRC(PUNTO(0, 0), PUNTO(1, 0), 90, \"X\");", "Parametri errati per SETTORE_CIRC", 1},
      {"A = ANGOLO(SEGMENTO(PUNTO(0, 0), PUNTO(1, 0)), 30, \"B\");", "Parametri errati per ANGOLO", 1},
      {"A = ANGOLO(SEGMENTO(PUNTO(0, 0), PUNTO(1, 0)), SEGMENTO(PUNTO(0, 1), PUNTO(1, 1)));",
       "ANGOLO: nessun punto in comune", 1},
      {"P = POLIGONO;", "Parametri errati per POLIGONO", 1},
      {"A = PUNTO(1, 1);\nP = POLIGONO(A, 3);", "Parametri errati per POLIGONO", 2},
      {"Q = QUADRATO(1, 2);", "Parametri errati per QUADRATO", 1},
      {"T = TRAPEZIO_ISOSCELE(10, 2, 4);", "Parametri non validi per TRAPEZIO_ISOSCELE", 1},
      {"Q = QUADRATO(0);", "Parametri non validi per QUADRATO", 1},
      {"T = TRIANGOLO_RETTANGOLO(3, -4);", "Parametri non validi per TRIANGOLO_RETTANGOLO", 1},
      {"R = RETTANGOLO(SEGMENTO(PUNTO(0, 0), PUNTO(1, 0)), -2);", "Parametri non validi per RETTANGOLO", 1},
      {"T = TRAPEZIO_RETTANGOLO(SEGMENTO(PUNTO(0, 0), PUNTO(1, 0)), 1, 1);",
       "Parametri errati per TRAPEZIO_RETTANGOLO", 1},
      {"P = RUOTA(PUNTO(1, 0), PUNTO(0, 0), 90, \"X\");", "Parametri errati per RUOTA", 1},
      {"P = RUOTA(RETTA(1, 1), PUNTO(0, 0), 90);", "Parametri errati per RUOTA", 1},
      {"P = TRASLA(PUNTO(1, 0), RETTA(1, 1));", "Parametri errati per TRASLA", 1},
      {"P = SIMMETRIA_ASSIALE(PUNTO(1, 0));", "Parametri errati per SIMMETRIA_ASSIALE", 1},
      {"P = INGRANDISCI(PUNTO(1, 0), 2);", "Parametri errati per INGRANDISCI", 1},
      {"S = SEGMENTO(PUNTO(0, 0), PUNTO(1, 0));\nT = INGRANDISCI(S, 2);", "Parametri errati per INGRANDISCI", 2},
      {"R = RIMPICCIOLISCI(RETTA(1, 1), 0.5);", "Parametri errati per RIMPICCIOLISCI", 1},
      {"P = OMOTETIA(PUNTO(1, 0), PUNTO(0, 0));", "Parametri errati per OMOTETIA", 1},
  };
  for (const Caso& c : casi) {
    const Esito e = run.Esegui(c.programma);
    EXPECT_FALSE(e.riuscito) << c.programma;
    EXPECT_EQ(e.errore, c.errore) << c.programma;
    EXPECT_EQ(e.riga, c.riga) << c.programma;
  }
  EXPECT_TRUE(run.finestra.Problemi.empty());
}

TEST_F(GeometriaPianaTest, MemberReadersReportWrongMembersAndArguments) {
  const Caso casi[] = {
      {"P = PUNTO(3, -2);\nZ = P.Z;", "Identificatore non riconosciuto", 2},
      {"S = SEGMENTO(PUNTO(0, 0), PUNTO(1, 0));\nE = S.ESTREMO(3);", "Parametri possibili per ESTREMO: 1,2", 2},
      {"S = SEGMENTO(PUNTO(0, 0), PUNTO(1, 0));\nE = S.ESTREMO(\"a\");", "Parametri errati per ESTREMO", 2},
      {"A = ANGOLO(PUNTO(0, 0), 30);\nL = A.LATO(0);", "Parametri possibili per LATO: 1,2", 2},
      {"R = RETTA(1, 2);\nK = R.COEFFANG(1);", "Parametri errati per COEFFANG", 2},
      {"T = POLIGONO(PUNTO(0, 0), PUNTO(1, 0), PUNTO(1, 1));\nV = T.VERTICE(4);", "Numero di vertice errato", 2},
      {"T = POLIGONO(PUNTO(0, 0), PUNTO(1, 0), PUNTO(1, 1));\nV = T.VERTICE(\"1\");", "Parametri errati per VERTICE",
       2},
      {"C = CIRC(PUNTO(0, 0), 1);\nV = C.DIAMETRO;", "Identificatore non riconosciuto", 2},
  };
  for (const Caso& c : casi) {
    const Esito e = run.Esegui(c.programma);
    EXPECT_EQ(e.errore, c.errore) << c.programma;
    EXPECT_EQ(e.riga, c.riga) << c.programma;
  }
}

TEST_F(GeometriaPianaTest, WithoutAFrameCoordinatesCannotBeGiven) {
  run.ambiente.InizializzaAmbiente();
  DatiGlob.RifCart = nullptr;
  EXPECT_FALSE(run.ambiente.EseguiComando({"P = PUNTO(3, 4);"}));
  EXPECT_EQ(DatiGlob.MessaggioErrore, "PUNTO: Occorre prima fissare il Riferimento Cartesiano");
  EXPECT_FALSE(run.ambiente.EseguiComando({"R = RETTA_FASCIO(PUNTO_A_CASO, 2);"}));
  EXPECT_EQ(DatiGlob.MessaggioErrore, "Parametri errati per RETTA_FASCIO");
}

}  // namespace
}  // namespace qx::test
