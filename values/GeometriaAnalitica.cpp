#include "values/GeometriaAnalitica.h"

#include <cmath>
#include <numbers>

#include "runstate/DatiGlob.h"
#include "values/RifCart.h"

namespace qx {

namespace {

constexpr Reale kPi = std::numbers::pi_v<long double>;

Reale Abs(Reale x) { return x < 0 ? -x : x; }

// A square root that never leaves the reals: rounding can push a quantity that is 0 in
// exact arithmetic (a tangency) slightly below it.
Reale RadiceNonNegativa(Reale x) { return x > 0 ? std::sqrt(x) : 0.0L; }

void LarghezzaAltezza(int& W, int& H) {
  const TDatiGlob& g = DatiGlob;
  W = g.AreaRifCart.ClientWidth;
  H = g.AreaRifCart.ClientHeight;
  if (g.RifCart && g.RifCart->Rettangolo.Right > 0 && g.RifCart->Rettangolo.Bottom > 0) {
    W = g.RifCart->Rettangolo.Right;
    H = g.RifCart->Rettangolo.Bottom;
  }
}

}  // namespace

TFinestraMondo FinestraDiPixel(const TRect& r) {
  const cRifCart* f = DatiGlob.RifCart;
  if (!f) return {{-10, 10}, {10, -10}};
  return {{f->XCart(r.Left), f->YCart(r.Top)}, {f->XCart(r.Right), f->YCart(r.Bottom)}};
}

TFinestraMondo FinestraVisibile() {
  int W = 0, H = 0;
  LarghezzaAltezza(W, H);
  return FinestraDiPixel({0, 0, W, H});
}

Reale Distanza(Reale x1, Reale y1, Reale x2, Reale y2) {
  return std::sqrt((x1 - x2) * (x1 - x2) + (y1 - y2) * (y1 - y2));
}

void RettaPerDuePunti(const TPuntoMondo& P, const TPuntoMondo& Q, Reale& m, Reale& q) {
  m = PendenzaRetta(P, Q);
  q = Q.y - m * Q.x;
}

Reale DistanzaPuntoRetta(const TPuntoMondo& R, const TPuntoMondo& P, const TPuntoMondo& Q) {
  if (P.x == Q.x) return Abs(R.x - P.x);
  Reale m = 0, q = 0;
  RettaPerDuePunti(P, Q, m, q);
  return Abs(R.y - m * R.x - q) / std::sqrt(m * m + 1);
}

TPuntoMondo PuntoADistanza(Reale d, const TPuntoMondo& A, const TPuntoMondo& B) {
  if (A.x == B.x && A.y == B.y) return A;
  const Reale dx = B.x - A.x, dy = B.y - A.y;
  const Reale s = A.y <= B.y ? 1 : -1;
  const Reale y = A.y + s * std::sqrt(d * d * dy * dy / (dx * dx + dy * dy));
  const Reale t = A.x <= B.x ? 1 : -1;
  const Reale x = A.x + t * std::sqrt(Abs(d * d - (A.y - y) * (A.y - y)));
  return {x, y};
}

bool IntersezioneRette(const TPuntoMondo& P1, const TPuntoMondo& P2, const TPuntoMondo& P3, const TPuntoMondo& P4,
                       TPuntoMondo& I) {
  auto uguali = [](const TPuntoMondo& a, const TPuntoMondo& b) { return a.x == b.x && a.y == b.y; };
  const bool v1 = P1.x == P2.x, o1 = P1.y == P2.y;
  const bool v2 = P3.x == P4.x, o2 = P3.y == P4.y;
  if (v1 && o2) { I = {P1.x, P3.y}; return true; }
  if (v2 && o1) { I = {P3.x, P1.y}; return true; }
  if (uguali(P1, P2)) { I = P1; return true; }
  if (uguali(P3, P1) || uguali(P4, P1)) { I = P1; return true; }
  if (uguali(P3, P2) || uguali(P4, P2)) { I = P2; return true; }
  if (uguali(P3, P4)) { I = P3; return true; }
  if (v1 && v2) {
    // Two vertical lines never meet (or share every point): no single intersection.
    I = {RETTE_PARALLELE, RETTE_PARALLELE};
    return false;
  }
  if (v1) { I = {P1.x, YSuRetta(P1.x, P3, P4)}; return true; }
  if (v2) { I = {P3.x, YSuRetta(P3.x, P1, P2)}; return true; }
  Reale m1 = 0, q1 = 0, m2 = 0, q2 = 0;
  RettaPerDuePunti(P1, P2, m1, q1);
  RettaPerDuePunti(P3, P4, m2, q2);
  if (UgualeReale(m1, m2)) {
    I = {RETTE_PARALLELE, RETTE_PARALLELE};
    return false;
  }
  I = {(q2 - q1) / (m1 - m2), (m1 * q2 - q1 * m2) / (m1 - m2)};
  return true;
}

void RettaNelRiquadro(const TPuntoMondo& P, const TPuntoMondo& Q, TPuntoMondo& A, TPuntoMondo& B,
                      const TFinestraMondo& f) {
  const Reale alto = f.altoSinistra.y, basso = f.bassoDestra.y;
  const Reale sinistra = f.altoSinistra.x, destra = f.bassoDestra.x;
  TPuntoMondo E1, E2;
  if (UgualeReale(P.x, Q.x)) {
    E1 = {P.x, alto};
    E2 = {P.x, basso};
  } else if (Abs(Q.x - P.x) <= Abs(Q.y - P.y)) {
    E1 = {XSuRetta(alto, P, Q), alto};
    E2 = {XSuRetta(basso, P, Q), basso};
  } else {
    E1 = {sinistra, YSuRetta(sinistra, P, Q)};
    E2 = {destra, YSuRetta(destra, P, Q)};
  }
  if (Distanza(E1, P) < Distanza(E1, Q)) {
    A = E1;
    B = E2;
  } else {
    A = E2;
    B = E1;
  }
}

void RettaParallelaPerpendicolare(const TPuntoMondo& P, const TPuntoMondo& Q, const TPuntoMondo& R, int modo,
                                  TPuntoMondo& A, TPuntoMondo& B) {
  const TFinestraMondo f = FinestraVisibile();
  const Reale alto = f.altoSinistra.y, basso = f.bassoDestra.y;
  const Reale sinistra = f.altoSinistra.x, destra = f.bassoDestra.x;
  const Reale dx = Q.x - P.x, dy = Q.y - P.y;
  const Reale m = dx != 0 && dy != 0 ? dy / dx : 0;
  if (m == 0) {
    const bool orizzontale = P.y == Q.y;
    if ((!orizzontale && modo == 2) || (orizzontale && modo != 2)) {
      A = {sinistra, R.y};
      B = {destra, R.y};
    } else {
      A = {R.x, alto};
      B = {R.x, basso};
    }
    return;
  }
  const Reale m1 = modo == 2 ? -1 / m : m;
  const Reale q = R.y - m1 * R.x;
  if (m1 >= -1 && m1 <= 1) {
    A = {sinistra, m1 * sinistra + q};
    B = {destra, m1 * destra + q};
  } else {
    A = {(alto - q) / m1, alto};
    B = {(basso - q) / m1, basso};
  }
}

TPuntoMondo SimmetricoRetta(const TPuntoMondo& R, const TPuntoMondo& P, const TPuntoMondo& Q) {
  if (P.x == Q.x) return {2 * P.x - R.x, R.y};
  Reale m = 0, q = 0;
  RettaPerDuePunti(P, Q, m, q);
  const Reale k = 1 + m * m;
  return {((1 - m * m) * R.x + 2 * m * R.y - 2 * m * q) / k, (2 * m * R.x - (1 - m * m) * R.y + 2 * q) / k};
}

bool CerchioPerTrePunti(const TPuntoMondo& A, const TPuntoMondo& B, const TPuntoMondo& C, TPuntoMondo& centro,
                        Reale& raggio) {
  // Collinear points (coincident ones among them) have parallel bisectors: no centre.
  const Reale prodotto = (B.x - A.x) * (C.y - A.y) - (B.y - A.y) * (C.x - A.x);
  if (UgualeReale(prodotto, 0)) return false;
  const TPuntoMondo M1{(A.x + B.x) / 2, (A.y + B.y) / 2}, M2{(B.x + C.x) / 2, (B.y + C.y) / 2};
  TPuntoMondo a1, b1, a2, b2;
  RettaParallelaPerpendicolare(A, B, M1, 2, a1, b1);
  RettaParallelaPerpendicolare(B, C, M2, 2, a2, b2);
  if (!IntersezioneRette(a1, b1, a2, b2, centro)) return false;
  raggio = Distanza(centro, A);
  return true;
}

Reale YCerchioSopra(Reale x, const TPuntoMondo& c, Reale r) {
  const Reale k = r * r - (x - c.x) * (x - c.x);
  return k < 0 ? FUORI_CERCHIO : c.y + std::sqrt(k);
}
Reale YCerchioSotto(Reale x, const TPuntoMondo& c, Reale r) {
  const Reale k = r * r - (x - c.x) * (x - c.x);
  return k < 0 ? FUORI_CERCHIO : c.y - std::sqrt(k);
}
Reale XCerchioDestra(Reale y, const TPuntoMondo& c, Reale r) {
  const Reale k = r * r - (y - c.y) * (y - c.y);
  return k < 0 ? FUORI_CERCHIO : c.x + std::sqrt(k);
}
Reale XCerchioSinistra(Reale y, const TPuntoMondo& c, Reale r) {
  const Reale k = r * r - (y - c.y) * (y - c.y);
  return k < 0 ? FUORI_CERCHIO : c.x - std::sqrt(k);
}

int IntersezioneCerchi(const TPuntoMondo& c1, Reale r1, const TPuntoMondo& c2, Reale r2, TPuntoMondo& I1,
                       TPuntoMondo& I2) {
  const Reale d = Distanza(c1, c2);
  if (UgualeReale(r1 + r2, d)) {
    I1 = I2 = PuntoADistanza(r1, c1, c2);
    return 1;
  }
  if (d > r1 + r2) return 0;
  if (d < Abs(r1 - r2)) return 3;
  if (d == 0 && r1 == r2) return 4;
  const Reale dx = c2.x - c1.x, dy = c2.y - c1.y;
  const Reale a = (d * d + r1 * r1 - r2 * r2) / (2 * d);
  const TPuntoMondo F{c1.x + a / d * dx, c1.y + a / d * dy};
  const Reale h = RadiceNonNegativa(r1 * r1 - a * a);
  I1 = {F.x + h / d * dy, F.y - h / d * dx};
  I2 = {F.x - h / d * dy, F.y + h / d * dx};
  return 2;
}

int IntersezioneRettaCerchio(const TPuntoMondo& P, const TPuntoMondo& Q, const TPuntoMondo& c, Reale r,
                             TPuntoMondo& I1, TPuntoMondo& I2) {
  if (UgualeReale(P.x, Q.x)) {
    const Reale x = P.x;
    if (c.x - r < x && x < c.x + r) {
      const Reale h = RadiceNonNegativa(r * r - (x - c.x) * (x - c.x));
      I1 = {x, c.y + h};
      I2 = {x, c.y - h};
      return 2;
    }
    if (UgualeReale(x, c.x - r) || UgualeReale(x, c.x + r)) {
      I1 = I2 = {x, c.y};
      return 1;
    }
    return 0;
  }
  if (P.y == Q.y) {
    const Reale y = P.y;
    if (c.y - r < y && y < c.y + r) {
      const Reale h = RadiceNonNegativa(r * r - (y - c.y) * (y - c.y));
      I1 = {c.x + h, y};
      I2 = {c.x - h, y};
      return 2;
    }
    if (y == c.y - r || y == c.y + r) {
      I1 = I2 = {c.x, y};
      return 1;
    }
    return 0;
  }
  Reale m = 0, q = 0;
  RettaPerDuePunti(P, Q, m, q);
  const Reale A = m * m + 1, B = 2 * m * q - 2 * m * c.y - 2 * c.x;
  const Reale C = (q - c.y) * (q - c.y) + c.x * c.x - r * r;
  const Reale D = B * B - 4 * A * C;
  if (UgualeReale(D, 0)) {
    const Reale x = -B / (2 * A);
    I1 = I2 = {x, m * x + q};
    return 1;
  }
  if (D < 0) return 0;
  const Reale s = std::sqrt(D);
  const Reale xa = (-B + s) / (2 * A), xb = (-B - s) / (2 * A);
  I1 = {xa, m * xa + q};
  I2 = {xb, m * xb + q};
  return 2;
}

int TangentiDaPunto(const TPuntoMondo& R, const TPuntoMondo& c, Reale r, TPuntoMondo& T1a, TPuntoMondo& T1b,
                    TPuntoMondo& T2a, TPuntoMondo& T2b) {
  const Reale d = Distanza(R, c);
  if (UgualeReale(d, r)) {
    RettaParallelaPerpendicolare(c, R, R, 2, T1a, T1b);
    return 1;
  }
  if (d < r) return 0;
  TPuntoMondo I1, I2;
  const int n = IntersezioneCerchi(c, r, R, std::sqrt(d * d - r * r), I1, I2);
  if (n != 1 && n != 2) return 0;
  RettaNelRiquadro(R, I1, T1a, T1b);
  if (n == 2) RettaNelRiquadro(R, I2, T2a, T2b);
  return n;
}

Reale AngoloDirezione(Reale a, Reale b, Reale t) {
  // A component within the tolerance of 0 is 0 for the sign rules too (2 cos 90 degrees).
  if (UgualeReale(a, 0)) a = 0;
  if (UgualeReale(b, 0)) b = 0;
  Reale angolo = 0;
  if (UgualeReale(a, 0) && b > 0) angolo = 360;
  if (a > 0 && UgualeReale(b, 0)) angolo = 90;
  if (UgualeReale(a, 0) && b < 0) angolo = 180;
  if (a < 0 && UgualeReale(b, 0)) angolo = 270;
  const Reale arco = RadiantiInGradi(std::atan(t));
  if (a > 0 && b > 0) angolo = arco;
  if (a > 0 && b < 0) angolo = arco + 180;
  if (a < 0 && b < 0) angolo = arco + 180;
  if (a < 0 && b > 0) angolo = arco + 360;
  return angolo;
}

TPuntoMondo RuotaPunto(const TPuntoMondo& P, const TPuntoMondo& C, Reale h) {
  const Reale t = h * kPi, c = std::cos(t), s = std::sin(t);
  return {C.x + (P.x - C.x) * c - (P.y - C.y) * s, C.y + (P.x - C.x) * s + (P.y - C.y) * c};
}

namespace {
Reale Direzione(Reale a, Reale b) { return AngoloDirezione(a, b, b != 0 ? a / b : 0); }

Reale AngoloTraDirezioni(Reale d1, Reale d2) { return d2 >= d1 ? 360 - (d2 - d1) : d1 - d2; }
}  // namespace

Reale AngoloTraSegmenti(const TPuntoMondo& A, const TPuntoMondo& B, const TPuntoMondo& C, char verso) {
  Reale angolo = AngoloTraDirezioni(Direzione(C.x - B.x, C.y - B.y), Direzione(A.x - B.x, A.y - B.y));
  if (verso == 'A') angolo = 360 - angolo;
  return angolo;
}

// ---------------------------------------------------------------- pixel routines

int ArrotondaPixel(Reale v) {
  if (std::isnan(v)) return 0;
  if (v > 2147483647.0L) return 2147483647;
  if (v < -2147483647.0L) return -2147483647;
  return int(std::lrint(v));  // as nearbyint, one store of the x87 unit (no errno: CMakeLists.txt)
}

Reale YDalBasso(int riga) {
  int W = 0, H = 0;
  LarghezzaAltezza(W, H);
  return Reale(H) - riga;
}

Reale DistanzaPixel(const TPoint& A, const TPoint& B) {
  const Reale dx = Reale(A.x) - B.x, dy = YDalBasso(A.y) - YDalBasso(B.y);
  return std::sqrt(dx * dx + dy * dy);
}

int DistanzaPuntoRettaPixel(const TPoint& R, const TPoint& A, const TPoint& B) {
  if (A.x == B.x) return std::abs(R.x - A.x);
  const Reale ya = YDalBasso(A.y), yb = YDalBasso(B.y), yr = YDalBasso(R.y);
  const Reale m = (ya - yb) / (Reale(A.x) - B.x), q = yb - m * B.x;
  return ArrotondaPixel(Abs(yr - m * R.x - q) / std::sqrt(m * m + 1));
}

bool PuntiPixelVicini(const TPoint& A, const TPoint& B) { return std::abs(A.x - B.x) < 10 && std::abs(A.y - B.y) < 10; }

void RettaParallelaPerpendicolarePixel(const TRect& area, const TPoint& A, const TPoint& B, int modo,
                                       const TPoint& R, TPoint& E1, TPoint& E2) {
  const Reale dx = Reale(B.x) - A.x, dy = Reale(B.y) - A.y;
  const Reale m = dx != 0 && dy != 0 ? dy / dx : 0;
  if (m == 0) {
    const bool orizzontale = A.y == B.y;
    if ((!orizzontale && modo == 2) || (orizzontale && modo != 2)) {
      E1 = {area.Left, R.y};
      E2 = {area.Right, R.y};
    } else {
      E1 = {R.x, area.Top};
      E2 = {R.x, area.Bottom};
    }
    return;
  }
  const Reale m1 = modo == 2 ? -1 / m : m;
  if (m1 >= -1 && m1 <= 1) {
    E1 = {area.Left, ArrotondaPixel(m1 * (area.Left - R.x) + R.y)};
    E2 = {area.Right, ArrotondaPixel(m1 * (area.Right - R.x) + R.y)};
  } else {
    E1 = {ArrotondaPixel((area.Top - R.y) / m1 + R.x), area.Top};
    E2 = {ArrotondaPixel((area.Bottom - R.y) / m1 + R.x), area.Bottom};
  }
}

Reale AngoloTraSegmentiPixel(const TPoint& A, const TPoint& B, const TPoint& C, char verso) {
  // Rows grow downwards: turned upwards, the bearings are those of the plane.
  const Reale d1 = Direzione(Reale(C.x) - B.x, Reale(B.y) - C.y);
  const Reale d2 = Direzione(Reale(A.x) - B.x, Reale(B.y) - A.y);
  Reale angolo = AngoloTraDirezioni(d1, d2);
  if (verso == 'A' && !(A == C)) angolo = 360 - angolo;
  return std::nearbyint(angolo);
}

TPoint RuotaPuntoPixel(const TPoint& P, const TPoint& C, Reale h) {
  const Reale t = h * kPi, c = std::cos(t), s = std::sin(t);
  return {ArrotondaPixel((Reale(P.x) - C.x) * c + (Reale(P.y) - C.y) * s) + C.x,
          ArrotondaPixel((Reale(C.x) - P.x) * s + (Reale(P.y) - C.y) * c) + C.y};
}

bool CentroCerchioTrePuntiPixel(const TPoint& A, const TPoint& B, const TPoint& C, TPoint& centro, int& raggio) {
  const Reale ax = A.x, ay = A.y, bx = B.x, by = B.y, cx = C.x, cy = C.y;
  const Reale d = 2 * (ax * (by - cy) + bx * (cy - ay) + cx * (ay - by));
  if (d == 0) return false;
  const Reale a2 = ax * ax + ay * ay, b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
  const Reale ux = (a2 * (by - cy) + b2 * (cy - ay) + c2 * (ay - by)) / d;
  const Reale uy = (a2 * (cx - bx) + b2 * (ax - cx) + c2 * (bx - ax)) / d;
  centro = {ArrotondaPixel(ux), ArrotondaPixel(uy)};
  raggio = ArrotondaPixel(Distanza(ux, uy, ax, ay));
  return true;
}

TPoint SimmetricoRettaPixel(const TPoint& R, const TPoint& A, const TPoint& B) {
  const TPuntoMondo s = SimmetricoRetta({Reale(R.x), Reale(R.y)}, {Reale(A.x), Reale(A.y)}, {Reale(B.x), Reale(B.y)});
  return {ArrotondaPixel(s.x), ArrotondaPixel(s.y)};
}

TPoint PuntoADistanzaPixel(Reale d, const TPoint& A, const TPoint& B) {
  const TPuntoMondo p = PuntoADistanza(d, {Reale(A.x), Reale(A.y)}, {Reale(B.x), Reale(B.y)});
  return {ArrotondaPixel(p.x), ArrotondaPixel(p.y)};
}

}  // namespace qx
