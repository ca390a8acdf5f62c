// Measures and derived elements end to end.
#include <cmath>

#include "tests/costruzioni/Figure.h"

namespace qx::test {
namespace {

class Misure : public Costruzioni {
 protected:
  // An angle at the origin from the first side along the x axis.
  cValoreAngolo& Angolo(const std::string& nome, Reale gradi, char verso = 'A', bool sem = false) {
  auto a = std::make_unique<cValoreAngolo>();
  const Reale r = gradi * 3.14159265358979323846264338327950288L / 180;
  a->x1 = 2;
  a->y1 = 0;
  a->x3 = 2 * std::cos(r);
  a->y3 = 2 * std::sin(r);
  a->v = verso;
  a->sem = sem;
  a->bCoordCartesiane = true;
  return Aggiungi(nome, std::move(a));
  }
};

TEST_F(Misure, DistancesAndLengths) {
  Punto("A", 0, 0);
  Punto("B", 3, 4);
  Punto("P", 1, 5);
  Retta("R", T_RETTA, -1, 2, 4, 2);
  Retta("S", T_SEGMENTO, 0, 0, 3, 4);
  Cerchio("C", 0, 0, 5);
  ASSERT_TRUE(Comando("D = DISTANZA(A, B);")) << Errore();
  EXPECT_EQ(Numero("D"), 5);
  ASSERT_TRUE(Comando("E = DISTANZA(P, R);")) << Errore();
  EXPECT_NEAR(static_cast<double>(Numero("E")), 3, 1e-12);
  ASSERT_TRUE(Comando("M = MISURA(S);")) << Errore();
  EXPECT_EQ(Numero("M"), 5);
  EXPECT_FALSE(Comando("M = MISURA(C);"));
  EXPECT_EQ(Errore(), "Parametri errati per MISURA");
  EXPECT_FALSE(Comando("D = DISTANZA(P, S);"));
  EXPECT_EQ(Errore(), "Parametri errati per DISTANZA");
  // A measure stores nothing.
  EXPECT_EQ(run.Variabili().size(), 9u);
}

TEST_F(Misure, WithoutAFrameADistanceIsInPixels) {
  Punto("A", 0, 0);
  Punto("B", 3, 4);  // 60 and 80 pixels apart
  cRifCart* rif = DatiGlob.RifCart;
  DatiGlob.RifCart = nullptr;
  const bool ok = Comando("D = DISTANZA(A, B);");
  DatiGlob.RifCart = rif;
  ASSERT_TRUE(ok) << Errore();
  EXPECT_EQ(Numero("D"), 100);
}

TEST_F(Misure, DerivedSegmentsAndPoints) {
  Punto("P", 1, 5);
  Retta("R", T_RETTA, -1, 2, 4, 2);
  Retta("S", T_SEGMENTO, 0, 0, 3, 4);
  Cerchio("C", 1, 2, 5);
  ASSERT_TRUE(Comando("H = DISEGNA_DISTANZA(P, R);")) << Errore();
  const auto& h = Di<cValoreRetta>("H");
  EXPECT_EQ(h.Tipo, T_SEGMENTO);
  EXPECT_EQ(h.x1, 1);
  EXPECT_EQ(h.y1, 5);
  EXPECT_NEAR(static_cast<double>(h.x2), 1, 1e-12);
  EXPECT_NEAR(static_cast<double>(h.y2), 2, 1e-12);

  ASSERT_TRUE(Comando("E1 = ESTREMO(S, 1);")) << Errore();
  ASSERT_TRUE(Comando("E2 = ESTREMO(S, 2);")) << Errore();
  ASSERT_TRUE(Comando("E7 = ESTREMO(S, 7);")) << Errore();
  EXPECT_EQ(Di<cValorePunto>("E1").xCart, 0);
  EXPECT_EQ(Di<cValorePunto>("E2").xCart, 3);
  EXPECT_EQ(Di<cValorePunto>("E7").yCart, 4);

  ASSERT_TRUE(Comando("D = DIAMETRO(C);")) << Errore();
  const auto& d = Di<cValoreRetta>("D");
  EXPECT_EQ(d.Tipo, T_SEGMENTO);
  EXPECT_EQ(d.x1, -4);
  EXPECT_EQ(d.x2, 6);
  EXPECT_EQ(d.y1, 2);
  EXPECT_EQ(d.y2, 2);

  auto arco = std::make_unique<cValoreArco>(T_SETTORECIRC);
  arco->x1 = 3, arco->y1 = 0, arco->x2 = 0, arco->y2 = 0, arco->x3 = 0, arco->y3 = 3;
  Aggiungi("ARC", std::move(arco));
  ASSERT_TRUE(Comando("L1 = LATO(ARC, 1);")) << Errore();
  ASSERT_TRUE(Comando("L2 = LATO(ARC, 2);")) << Errore();
  ASSERT_TRUE(Comando("Q = ESTREMO(ARC, 2);")) << Errore();
  EXPECT_EQ(Di<cValoreRetta>("L1").x2, 3);
  EXPECT_EQ(Di<cValoreRetta>("L2").y2, 3);
  EXPECT_EQ(Di<cValoreRetta>("L2").x1, 0);
  EXPECT_EQ(Di<cValorePunto>("Q").yCart, 3);
}

TEST_F(Misure, AnglesTheirPartsAndTheirSides) {
  Angolo("RETTO", 90);
  Angolo("A30", 30.25L);
  Angolo("ORARIO", 60, 'O', true);
  ASSERT_TRUE(Comando("G = GRADI(RETTO);")) << Errore();
  ASSERT_TRUE(Comando("P = PRIMI(RETTO);")) << Errore();
  ASSERT_TRUE(Comando("S = SECONDI(RETTO);")) << Errore();
  EXPECT_EQ(Numero("G"), 90);
  EXPECT_EQ(Numero("P"), 0);
  EXPECT_EQ(Numero("S"), 0);
  ASSERT_TRUE(Comando("M = AMPIEZZA(A30);")) << Errore();
  const auto& m = Di<cValoreGrado>("M");
  EXPECT_EQ(m.Gradi, 30);
  EXPECT_EQ(m.Primi, 15);
  EXPECT_EQ(m.Secondi, 0);
  EXPECT_EQ(run.Testo("M"), "30° 15' 0\"");

  // Anticlockwise: side 1 ends on the first side point; clockwise the other way round.
  ASSERT_TRUE(Comando("L1 = LATO(RETTO, 1);")) << Errore();
  const auto& l1 = Di<cValoreRetta>("L1");
  EXPECT_EQ(l1.Tipo, T_SEGMENTO);
  EXPECT_EQ(l1.x1, 0);
  EXPECT_EQ(l1.x2, 2);
  EXPECT_EQ(l1.y2, 0);
  ASSERT_TRUE(Comando("L2 = LATO(ORARIO, 1.9);")) << Errore();
  const auto& l2 = Di<cValoreRetta>("L2");
  EXPECT_EQ(l2.Tipo, T_SEMIRETTA);
  EXPECT_NEAR(static_cast<double>(l2.y2), std::sqrt(3.0), 1e-12);
  EXPECT_FALSE(Comando("G = GRADI(L1);"));
  EXPECT_EQ(Errore(), "Parametri errati per GRADI");
}

TEST_F(Misure, AreasArePositiveEitherWayRound) {
  Poligono("ANTI", {{0, 0}, {2, 0}, {2, 2}, {0, 2}});
  Poligono("ORA", {{0, 0}, {0, 2}, {2, 2}, {2, 0}});
  Poligono("TRI", {{0, 0}, {0, 3}, {4, 0}});
  Poligono("DUE", {{0, 0}, {5, 5}}, false);
  ASSERT_TRUE(Comando("A = AREA(ANTI); B = AREA(ORA); T = AREA(TRI); D = AREA(DUE);")) << Errore();
  EXPECT_EQ(Numero("A"), 4);
  EXPECT_EQ(Numero("B"), 4);
  EXPECT_EQ(Numero("T"), 6);
  EXPECT_EQ(Numero("D"), 0);
}

TEST_F(Misure, AbscissasAndMovesOnANumberLine) {
  auto& r = Retta("R", T_RETTANUM, -10, 1, 10, 1);
  r._xCentro = 0;
  r._UnitMis = 2;
  Punto("P", 3, 1).bSuRettaNumerica = true;
  Punto("Q", 3, 1);
  Punto("ALTO", 3, 2).bSuRettaNumerica = true;
  ASSERT_TRUE(Comando("X = ASCISSA(R, P);")) << Errore();
  EXPECT_EQ(Numero("X"), 1.5);
  EXPECT_FALSE(Comando("X = ASCISSA(R, Q);"));
  EXPECT_EQ(Errore(), "ASCISSA: Il Punto non si trova sulla retta R");
  EXPECT_FALSE(Comando("X = ASCISSA(R, ALTO);"));
  EXPECT_EQ(Errore(), "ASCISSA: Il Punto non si trova sulla retta R");

  ASSERT_TRUE(Comando("T = TRASLA_PUNTO(P, R, 2);")) << Errore();
  const auto& t = Di<cValorePunto>("T");
  EXPECT_EQ(t.xCart, 7);
  EXPECT_EQ(t.yCart, 1);
  EXPECT_TRUE(t.bSuRettaNumerica);
  ASSERT_TRUE(Comando("Y = ASCISSA(R, T);")) << Errore();
  EXPECT_EQ(Numero("Y"), 3.5);
  EXPECT_FALSE(Comando("T = TRASLA_PUNTO(Q, R, 2);"));
  EXPECT_EQ(Errore(), "Parametri errati per TRASLA_PUNTO");
  EXPECT_FALSE(Comando("T = TRASLA_PUNTO(P, R);"));
  EXPECT_EQ(Errore(), "Parametri errati per TRASLA_PUNTO");
}

}  // namespace
}  // namespace qx::test
