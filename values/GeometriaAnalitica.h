// Plane analytic geometry on world points (extended reals) and pixel points. Degenerate
// input (vertical lines, coincident points, parallel lines, points outside a circle) is
// answered by fixed values that callers test, never by an exception, and no routine lets a
// NaN out: a square root of a negative number gives no point, or the tangency point.
#pragma once
#include "platform/Graphics.h"
#include "values/Funzioni.h"

namespace qx {

// Slope of PQ; 0 for a vertical line.
inline Reale PendenzaRetta(Reale xP, Reale yP, Reale xQ, Reale yQ) {
  return xP == xQ ? 0.0L : (yP - yQ) / (xP - xQ);
}
inline Reale PendenzaRetta(const TPuntoMondo& P, const TPuntoMondo& Q) { return PendenzaRetta(P.x, P.y, Q.x, Q.y); }
inline Reale PendenzaRetta(const TPoint& P, const TPoint& Q) { return PendenzaRetta(P.x, P.y, Q.x, Q.y); }

// y of the line PQ at x (a vertical line gives yQ).
inline Reale YSuRetta(Reale x, Reale xP, Reale yP, Reale xQ, Reale yQ) {
  return PendenzaRetta(xP, yP, xQ, yQ) * (x - xQ) + yQ;
}
inline Reale YSuRetta(Reale x, const TPuntoMondo& P, const TPuntoMondo& Q) { return YSuRetta(x, P.x, P.y, Q.x, Q.y); }
inline Reale YSuRetta(Reale x, const TPoint& P, const TPoint& Q) { return YSuRetta(x, P.x, P.y, Q.x, Q.y); }

// x of the line PQ at y; xQ when the slope is 0 (horizontal or vertical line).
inline Reale XSuRetta(Reale y, Reale xP, Reale yP, Reale xQ, Reale yQ) {
  Reale m = PendenzaRetta(xP, yP, xQ, yQ);
  return m == 0 ? xQ : (y - yQ) / m + xQ;
}
inline Reale XSuRetta(Reale y, const TPuntoMondo& P, const TPuntoMondo& Q) { return XSuRetta(y, P.x, P.y, Q.x, Q.y); }
inline Reale XSuRetta(Reale y, const TPoint& P, const TPoint& Q) { return XSuRetta(y, P.x, P.y, Q.x, Q.y); }

// ---------------------------------------------------------------- world routines

// The ordinate sentinel of the circle routines: the abscissa lies outside the circle.
constexpr Reale FUORI_CERCHIO = 2147483647.0L;
// Both coordinates of the intersection of two parallel lines.
constexpr Reale RETTE_PARALLELE = -1000.0L;

// The visible world window: top-left and bottom-right corners.
struct TFinestraMondo {
  TPuntoMondo altoSinistra;
  TPuntoMondo bassoDestra;
};
// The frame's window (pixel 0,0 to the drawing area's width and height); a fixed
// -10..10 square while no frame exists.
TFinestraMondo FinestraVisibile();
// The world window covered by a pixel rectangle of the frame.
TFinestraMondo FinestraDiPixel(const TRect& r);

Reale Distanza(Reale x1, Reale y1, Reale x2, Reale y2);
inline Reale Distanza(const TPuntoMondo& A, const TPuntoMondo& B) { return Distanza(A.x, A.y, B.x, B.y); }
void RettaPerDuePunti(const TPuntoMondo& P, const TPuntoMondo& Q, Reale& m, Reale& q);
Reale DistanzaPuntoRetta(const TPuntoMondo& R, const TPuntoMondo& P, const TPuntoMondo& Q);
// The point at distance d from A on the line towards B (only d^2 counts); A when A = B.
TPuntoMondo PuntoADistanza(Reale d, const TPuntoMondo& A, const TPuntoMondo& B);
// False (and both coordinates -1000) for parallel lines.
bool IntersezioneRette(const TPuntoMondo& P1, const TPuntoMondo& P2, const TPuntoMondo& P3, const TPuntoMondo& P4,
                       TPuntoMondo& I);
// The line PQ cut at the border of the window: the first end is the border point nearer to
// P, the second the one nearer to Q.
void RettaNelRiquadro(const TPuntoMondo& P, const TPuntoMondo& Q, TPuntoMondo& A, TPuntoMondo& B,
                      const TFinestraMondo& finestra);
inline void RettaNelRiquadro(const TPuntoMondo& P, const TPuntoMondo& Q, TPuntoMondo& A, TPuntoMondo& B) {
  RettaNelRiquadro(P, Q, A, B, FinestraVisibile());
}
// The line through R parallel to PQ (any mode but 2) or perpendicular to it (mode 2), cut
// at the window's border.
void RettaParallelaPerpendicolare(const TPuntoMondo& P, const TPuntoMondo& Q, const TPuntoMondo& R, int modo,
                                  TPuntoMondo& A, TPuntoMondo& B);
TPuntoMondo SimmetricoRetta(const TPuntoMondo& R, const TPuntoMondo& P, const TPuntoMondo& Q);
// False for three collinear points: they lie on no circle.
bool CerchioPerTrePunti(const TPuntoMondo& A, const TPuntoMondo& B, const TPuntoMondo& C, TPuntoMondo& centro,
                        Reale& raggio);
Reale YCerchioSopra(Reale x, const TPuntoMondo& centro, Reale r);
Reale YCerchioSotto(Reale x, const TPuntoMondo& centro, Reale r);
Reale XCerchioDestra(Reale y, const TPuntoMondo& centro, Reale r);
Reale XCerchioSinistra(Reale y, const TPuntoMondo& centro, Reale r);
// 0 apart, 1 touching outside (one point), 2 crossing (two points, equal at an inner
// touch), 3 one inside the other, 4 the same circle.
int IntersezioneCerchi(const TPuntoMondo& c1, Reale r1, const TPuntoMondo& c2, Reale r2, TPuntoMondo& I1,
                       TPuntoMondo& I2);
// The number of common points (0, 1 or 2).
int IntersezioneRettaCerchio(const TPuntoMondo& P, const TPuntoMondo& Q, const TPuntoMondo& centro, Reale r,
                             TPuntoMondo& I1, TPuntoMondo& I2);
// The tangents from R, each as two points; the count is 0, 1 (R on the circle) or 2.
int TangentiDaPunto(const TPuntoMondo& R, const TPuntoMondo& centro, Reale r, TPuntoMondo& T1a, TPuntoMondo& T1b,
                    TPuntoMondo& T2a, TPuntoMondo& T2b);
// Bearing of the vector (a, b) from the second axis towards the first, in (0, 360].
Reale AngoloDirezione(Reale a, Reale b, Reale t);
// P turned about C by h half-turns (anticlockwise for positive h).
TPuntoMondo RuotaPunto(const TPuntoMondo& P, const TPuntoMondo& C, Reale h);
// The angle at the vertex B from the ray BA to the ray BC in degrees; the letter 'A'
// measures the other way round.
Reale AngoloTraSegmenti(const TPuntoMondo& A, const TPuntoMondo& B, const TPuntoMondo& C, char verso);

// ---------------------------------------------------------------- pixel routines

// A real to the nearest pixel (halves to even), held in the integer range; NaN gives 0.
int ArrotondaPixel(Reale v);
// A row counted upwards from the bottom edge of the drawing area.
Reale YDalBasso(int riga);
Reale DistanzaPixel(const TPoint& A, const TPoint& B);
int DistanzaPuntoRettaPixel(const TPoint& R, const TPoint& A, const TPoint& B);
bool PuntiPixelVicini(const TPoint& A, const TPoint& B);
// Mode 2 perpendicular, else parallel; the line through R cut at the rectangle's edges.
void RettaParallelaPerpendicolarePixel(const TRect& area, const TPoint& A, const TPoint& B, int modo,
                                       const TPoint& R, TPoint& E1, TPoint& E2);
Reale AngoloTraSegmentiPixel(const TPoint& A, const TPoint& B, const TPoint& C, char verso);
TPoint RuotaPuntoPixel(const TPoint& P, const TPoint& C, Reale h);
bool CentroCerchioTrePuntiPixel(const TPoint& A, const TPoint& B, const TPoint& C, TPoint& centro, int& raggio);
TPoint SimmetricoRettaPixel(const TPoint& R, const TPoint& A, const TPoint& B);
// Pixel form of PuntoADistanza (rounded).
TPoint PuntoADistanzaPixel(Reale d, const TPoint& A, const TPoint& B);

}  // namespace qx
