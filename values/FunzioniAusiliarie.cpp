#include "values/FunzioniAusiliarie.h"

#include <cmath>
#include <utility>

#include "runstate/WindowServices.h"
#include "values/GeometriaAnalitica.h"

namespace qx {

std::string SostituisciTesto(const std::string& s, const std::string& modello, const std::string& sostituto) {
  if (modello.empty()) return s;
  std::string r;
  r.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    if (s.compare(i, modello.size(), modello) == 0) {
      r += sostituto;
      i += modello.size();
    } else {
      r += s[i++];
    }
  }
  return r;
}

std::string RimuoviSpazi(const std::string& s) {
  std::string r;
  r.reserve(s.size());
  for (char c : s)
    if (c != ' ') r += c;
  return r;
}

void RimuoviRigheVuoteFinali(std::vector<std::string>& righe) {
  auto vuota = [](const std::string& s) { return s.find_first_not_of(" \t\r\n") == std::string::npos; };
  while (righe.size() > 1 && vuota(righe.back())) righe.pop_back();
}

void ScartaTasti() { Finestra().ScartaTasti(); }

bool PuntoInRettangolo(const TRect& r, const TPoint& p) {
  return r.Left <= p.x && p.x < r.Right && r.Top <= p.y && p.y < r.Bottom;
}

bool PuntoSuSegmentoPixel(const TPoint& R, const TPoint& A, const TPoint& B) {
  bool risposta = true;
  const Reale yRetta = std::nearbyint(YSuRetta(R.x, A, B));
  if (std::fabs(R.y - yRetta) > 3) {
    const Reale xRetta = std::nearbyint(XSuRetta(R.y, A, B));
    if (std::fabs(R.x - xRetta) > 3) risposta = false;
  }
  if (risposta) {
    risposta = std::min(A.x, B.x) <= R.x && R.x <= std::max(A.x, B.x) && std::min(A.y, B.y) <= R.y &&
               R.y <= std::max(A.y, B.y);
  }
  if (A.x == B.x) risposta = std::abs(R.x - A.x) < 4 && std::min(A.y, B.y) <= R.y && R.y <= std::max(A.y, B.y);
  if (A.y == B.y) risposta = std::abs(R.y - A.y) <= 3 && std::min(A.x, B.x) <= R.x && R.x <= std::max(A.x, B.x);
  return risposta;
}

Reale AngoloPolare(Reale dy, Reale dx) {
  if (dx == 0 && dy == 0) return 0;
  if (dy == 0) return dx > 0 ? 0 : 180;
  if (dx == 0) return dy > 0 ? 90 : 270;
  if (dx > 0 && dy > 0) return RadiantiInGradi(std::atan(dy / dx));
  if (dx < 0 && dy > 0) return RadiantiInGradi(std::atan(-dx / dy)) + 90;
  if (dx < 0 && dy < 0) return RadiantiInGradi(std::atan(dy / dx)) + 180;
  return RadiantiInGradi(std::atan(-dx / dy)) + 270;
}

void OrdinaPuntiPerAngolo(std::vector<TPuntoMondo>& punti, int ultimo) {
  if (ultimo >= static_cast<int>(punti.size())) ultimo = static_cast<int>(punti.size()) - 1;
  if (ultimo < 1) return;
  int perno = 0;
  for (int i = 1; i <= ultimo; ++i)
    if (punti[i].y < punti[perno].y || (punti[i].y == punti[perno].y && punti[i].x < punti[perno].x)) perno = i;
  ScambiaPunti(punti[0], punti[perno]);
  std::vector<Reale> angoli(ultimo + 1, 0);
  for (int i = 1; i <= ultimo; ++i) angoli[i] = AngoloPolare(punti[i].y - punti[0].y, punti[i].x - punti[0].x);
  for (int i = 1; i < ultimo; ++i)
    for (int j = i + 1; j <= ultimo; ++j)
      if (angoli[j] < angoli[i]) {
        ScambiaReali(angoli[i], angoli[j]);
        ScambiaPunti(punti[i], punti[j]);
      }
}

void ScomponiColore(TColor colore, int& rosso, int& verde, int& blu) {
  blu = (colore >> 16) & 0xFF;
  verde = (colore >> 8) & 0xFF;
  rosso = colore & 0xFF;
}

void ScambiaPunti(TPuntoMondo& a, TPuntoMondo& b) { std::swap(a, b); }
void ScambiaReali(Reale& a, Reale& b) { std::swap(a, b); }

namespace {
TPunto3D Normale(const TPunto3D& a, const TPunto3D& b, const TPunto3D& c) {
  return {a.y * (b.z - c.z) + b.y * (c.z - a.z) + c.y * (a.z - b.z),
          a.z * (b.x - c.x) + b.z * (c.x - a.x) + c.z * (a.x - b.x),
          a.x * (b.y - c.y) + b.x * (c.y - a.y) + c.x * (a.y - b.y)};
}
// n . a / divisor, or infinity when the plane never meets that axis.
Reale Risolvi(Reale na, Reale divisore) {
  if (divisore == 0) return INFINITY;
  return na / divisore;
}
}  // namespace

void PianoPerTrePunti(const TPunto3D& a, const TPunto3D& b, const TPunto3D& c, TPunto3D& normale, TPunto3D& punto) {
  normale = Normale(a, b, c);
  const Reale na = normale.x * a.x + normale.y * a.y + normale.z * a.z;
  punto = {0, 0, Risolvi(na, normale.z)};
  if (!(std::fabs(punto.z) <= 1)) {
    punto.z = 0;
    punto.x = Risolvi(na, normale.x);
    if (!(std::fabs(punto.x) <= 1)) {
      punto.x = 0;
      punto.y = Risolvi(na, normale.y);
      if (!(std::fabs(punto.y) <= 1)) {
        punto.y = 0;
        punto.z = Risolvi(na, normale.z);
      }
    }
  }
}

bool ZSuPiano(const TPunto3D& a, const TPunto3D& b, const TPunto3D& c, Reale x, Reale y, Reale& z) {
  TPunto3D n = Normale(a, b, c);
  if (n.z == 0) return false;
  z = a.z - (n.x * (x - a.x) + n.y * (y - a.y)) / n.z;
  return true;
}

bool XSuPiano(const TPunto3D& a, const TPunto3D& b, const TPunto3D& c, Reale y, Reale z, Reale& x) {
  TPunto3D n = Normale(a, b, c);
  if (n.x == 0) return false;
  x = a.x - (n.y * (y - a.y) + n.z * (z - a.z)) / n.x;
  return true;
}

bool YSuPiano(const TPunto3D& a, const TPunto3D& b, const TPunto3D& c, Reale x, Reale z, Reale& y) {
  TPunto3D n = Normale(a, b, c);
  if (n.y == 0) return false;
  y = a.y - (n.x * (x - a.x) + n.z * (z - a.z)) / n.y;
  return true;
}

TPunto3D RuotaPunto3D(const TPunto3D& p, const TPunto3D& c, char asse, Reale a) {
  const Reale dx = p.x - c.x, dy = p.y - c.y, dz = p.z - c.z;
  const Reale co = std::cos(a), si = std::sin(a);
  TPunto3D r = p;
  switch (asse) {
    case 'X': case 'x':
      r.y = c.y + dy * co - dz * si;
      r.z = c.z + dz * co + dy * si;
      break;
    case 'Y': case 'y':
      r.x = c.x + dx * co - dz * si;
      r.z = c.z + dz * co + dx * si;
      break;
    case 'Z': case 'z':
      r.x = c.x + dx * co - dy * si;
      r.y = c.y + dy * co + dx * si;
      break;
    default: break;
  }
  return r;
}

TAffineVector RuotaVettore3D(const TAffineVector& v, const TAffineVector& c, char asse, Reale a) {
  TPunto3D r = RuotaPunto3D(Punto3DSingleInEsteso(v), Punto3DSingleInEsteso(c), asse, a);
  return Punto3DEstesoInSingle(r.x, r.y, r.z);
}

TPunto3D Punto3DSingleInEsteso(const TAffineVector& v) { return {v.X, v.Y, v.Z}; }
TAffineVector Punto3DEstesoInSingle(Reale x, Reale y, Reale z) {
  return {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
}

float Distanza3D(const TAffineVector& a, const TAffineVector& b) {
  const Reale dx = a.X - b.X, dy = a.Y - b.Y, dz = a.Z - b.Z;
  return static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
}

TAffineVector PuntoADistanza3D(float d, const TAffineVector& A, const TAffineVector& B) {
  const float l = Distanza3D(A, B);
  if (l == 0) return B;
  const Reale f = static_cast<Reale>(d) / l;
  return Punto3DEstesoInSingle(B.X + (A.X - B.X) * f, B.Y + (A.Y - B.Y) * f, B.Z + (A.Z - B.Z) * f);
}

bool IntersezionePiani3D(const TAffineVector& n1, const TAffineVector& p1, const TAffineVector& n2,
                         const TAffineVector& p2, TAffineVector& punto, TAffineVector& direzione) {
  const TAffineVector d = VectorCrossProduct(n1, n2);
  if (std::fabs(d.X) + std::fabs(d.Y) + std::fabs(d.Z) <= 1e-5f) return false;
  const Reale c1 = VectorDotProduct(n1, p1), c2 = VectorDotProduct(n2, p2);
  // The coordinate along the dominant direction component is set to 0; the other two come
  // from the two plane equations by Cramer's rule.
  int i = 0, j = 1, k = 2;  // k is the coordinate set to 0
  if (std::fabs(d.X) >= std::fabs(d.Y) && std::fabs(d.X) >= std::fabs(d.Z)) {
    i = 1; j = 2; k = 0;
  } else if (std::fabs(d.Y) >= std::fabs(d.Z)) {
    i = 0; j = 2; k = 1;
  }
  const Reale det = static_cast<Reale>(n1[i]) * n2[j] - static_cast<Reale>(n1[j]) * n2[i];
  TAffineVector r;
  r[k] = 0;
  r[i] = static_cast<float>((c1 * n2[j] - n1[j] * c2) / det);
  r[j] = static_cast<float>((n1[i] * c2 - c1 * n2[i]) / det);
  punto = r;
  direzione = d;
  return true;
}

}  // namespace qx
