#include "values/Autovalori.h"

#include <algorithm>
#include <cmath>

namespace qx {

namespace {

// abs(a) with the sign of b.
Reale ConSegno(Reale a, Reale b) { return b >= 0 ? std::fabs(a) : -std::fabs(a); }

}  // namespace

void TrasformaSimile(const TMatrice& G, const TMatrice& A, TMatrice& B) {
  const int n = A.Righe();
  TMatrice AG(n, n);
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) {
      Reale s = 0;
      for (int k = 1; k <= n; ++k) s += A(i, k) * G(k, j);
      AG(i, j) = s;
    }
  B = TMatrice(n, n);
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) {
      Reale s = 0;
      for (int k = 1; k <= n; ++k) s += G(k, i) * AG(k, j);
      B(i, j) = s;
    }
}

int RiduzioneHessenberg(TMatrice& A) {
  const int n = A.Righe();
  int rotazioni = 0;
  for (int k = 1; k <= n - 2; ++k) {
    const int r1 = k + 1;
    for (int i = k + 2; i <= n; ++i) {
      const Reale q = A(i, k);
      if (q == 0) continue;
      const Reale p = A(r1, k);
      const Reale r = std::hypot(p, q);
      const Reale c = p / r, s = q / r;
      // transpose(G) A touches rows r1 and i only, A G columns r1 and i only: O(n) each
      // instead of two full products.
      for (int j = 1; j <= n; ++j) {
        const Reale a1 = A(r1, j), a2 = A(i, j);
        A(r1, j) = c * a1 + s * a2;
        A(i, j) = -s * a1 + c * a2;
      }
      for (int j = 1; j <= n; ++j) {
        const Reale a1 = A(j, r1), a2 = A(j, i);
        A(j, r1) = c * a1 + s * a2;
        A(j, i) = -s * a1 + c * a2;
      }
      A(i, k) = 0;  // exactly, not a rounding residue
      ++rotazioni;
    }
  }
  return rotazioni;
}

int PreparaHessenberg(TMatrice& A) {
  const int n = A.Righe();
  for (int i = 3; i <= n; ++i)
    for (int j = 1; j <= i - 2; ++j)
      if (A(i, j) != 0) return RiduzioneHessenberg(A);
  return 0;
}

bool AutovaloriQR(TMatrice& a, TVettore& wr, TVettore& wi, Reale eps) {
  const int n = a.Righe();
  wr = TVettore(n);
  wi = TVettore(n);
  Reale anorma = 0;
  for (int i = 1; i <= n; ++i)
    for (int j = std::max(i - 1, 1); j <= n; ++j) anorma += std::fabs(a(i, j));

  int nn = n;
  Reale t = 0;  // total of the exceptional shifts
  Reale p = 0, q = 0, r = 0, s = 0, w = 0, x = 0, y = 0, z = 0;
  while (nn >= 1) {
    int its = 0;
    int l = 0;
    do {
      // Look for a single small subdiagonal element.
      for (l = nn; l >= 2; --l) {
        s = std::fabs(a(l - 1, l - 1)) + std::fabs(a(l, l));
        if (s == 0) s = anorma;
        if (std::fabs(a(l, l - 1)) <= eps * s) {
          a(l, l - 1) = 0;
          break;
        }
      }
      x = a(nn, nn);
      if (l == nn) {  // one root
        wr(nn) = x + t;
        wi(nn) = 0;
        --nn;
      } else {
        y = a(nn - 1, nn - 1);
        w = a(nn, nn - 1) * a(nn - 1, nn);
        if (l == nn - 1) {  // two roots
          p = (y - x) / 2;
          q = p * p + w;
          z = std::sqrt(std::fabs(q));
          x += t;
          if (q >= 0) {
            z = p + ConSegno(z, p);
            wr(nn - 1) = wr(nn) = x + z;
            if (z != 0) wr(nn) = x - w / z;
            wi(nn - 1) = wi(nn) = 0;
          } else {
            wr(nn - 1) = wr(nn) = x + p;
            wi(nn - 1) = -z;
            wi(nn) = z;
          }
          nn -= 2;
        } else {
          if (its == 30) return false;
          if (its == 10 || its == 20) {  // exceptional shift
            t += x;
            for (int i = 1; i <= nn; ++i) a(i, i) -= x;
            s = std::fabs(a(nn, nn - 1)) + std::fabs(a(nn - 1, nn - 2));
            y = x = 0.75L * s;
            w = -0.4375L * s * s;
          }
          ++its;
          // Look for two consecutive small subdiagonal elements.
          int m = nn - 2;
          for (; m >= l; --m) {
            z = a(m, m);
            r = x - z;
            s = y - z;
            p = (r * s - w) / a(m + 1, m) + a(m, m + 1);
            q = a(m + 1, m + 1) - z - r - s;
            r = a(m + 2, m + 1);
            s = std::fabs(p) + std::fabs(q) + std::fabs(r);
            p /= s;
            q /= s;
            r /= s;
            if (m == l) break;
            const Reale u = std::fabs(a(m, m - 1)) * (std::fabs(q) + std::fabs(r));
            const Reale v = std::fabs(p) * (std::fabs(a(m - 1, m - 1)) + std::fabs(z) + std::fabs(a(m + 1, m + 1)));
            if (u <= eps * v) break;
          }
          for (int i = m + 2; i <= nn; ++i) {
            a(i, i - 2) = 0;
            if (i != m + 2) a(i, i - 3) = 0;
          }
          // Double QR step on rows l..nn and columns m..nn.
          for (int k = m; k <= nn - 1; ++k) {
            if (k != m) {
              p = a(k, k - 1);
              q = a(k + 1, k - 1);
              r = 0;
              if (k != nn - 1) r = a(k + 2, k - 1);
              x = std::fabs(p) + std::fabs(q) + std::fabs(r);
              if (x != 0) {
                p /= x;
                q /= x;
                r /= x;
              }
            }
            s = ConSegno(std::sqrt(p * p + q * q + r * r), p);
            if (s == 0) continue;
            if (k == m) {
              if (l != m) a(k, k - 1) = -a(k, k - 1);
            } else {
              a(k, k - 1) = -s * x;
            }
            p += s;
            x = p / s;
            y = q / s;
            z = r / s;
            q /= p;
            r /= p;
            for (int j = k; j <= nn; ++j) {  // rows
              p = a(k, j) + q * a(k + 1, j);
              if (k != nn - 1) {
                p += r * a(k + 2, j);
                a(k + 2, j) -= p * z;
              }
              a(k + 1, j) -= p * y;
              a(k, j) -= p * x;
            }
            const int ultima = std::min(nn, k + 3);
            for (int i = l; i <= ultima; ++i) {  // columns
              p = x * a(i, k) + y * a(i, k + 1);
              if (k != nn - 1) {
                p += z * a(i, k + 2);
                a(i, k + 2) -= p * r;
              }
              a(i, k + 1) -= p * q;
              a(i, k) -= p;
            }
          }
        }
      }
    } while (l < nn - 1);
  }
  return true;
}

bool AutovaloriMatrice(TMatrice A, TMatrice& R, Reale eps) {
  if (A.Righe() != A.Colonne()) return false;
  const int n = A.Righe();
  PreparaHessenberg(A);
  TVettore wr, wi;
  const bool ok = AutovaloriQR(A, wr, wi, eps);
  R = TMatrice(n, 2);
  for (int i = 1; i <= n; ++i) {
    R(i, 1) = NormalizzaNonFinito(wr(i));
    R(i, 2) = NormalizzaNonFinito(wi(i));
  }
  return ok;
}

}  // namespace qx
