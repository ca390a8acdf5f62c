#include "values/AlgebraMatrici.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "runstate/WindowServices.h"

namespace qx {

namespace {

bool Quadrata(const TMatrice& A) { return A.Righe() == A.Colonne(); }

void SegnalaSingolare(int k) {
  Finestra().MessageBox("Matrice singolare per k = " + std::to_string(k), "Errore", TTipoMessaggio::Errore,
                        TPulsanti::OK);
}

// The toolkit's "0.0E+00" picture: one decimal, signed exponent of at least two digits.
std::string FormatoEsponenziale(Reale x) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.1LE", x);
  return buf;
}

void ScambiaRighe(TMatrice& M, int a, int b) {
  for (int j = 1; j <= M.Colonne(); ++j) std::swap(M(a, j), M(b, j));
}

// The row p >= k with the largest abs(M(p, k)); a later row wins only when strictly larger.
int RigaPivot(const TMatrice& M, int k) {
  int p = k;
  Reale massimo = std::fabs(M(k, k));
  for (int i = k + 1; i <= M.Righe(); ++i) {
    const Reale v = std::fabs(M(i, k));
    if (v > massimo) {
      massimo = v;
      p = i;
    }
  }
  return p;
}

// What a pivot is measured against: for each row and each column of the original n x n
// matrix its largest absolute value. A pivot at column k that came from original row r
// counts as zero when it is not above limite x min(row r's, column k's): a row or a column
// of small numbers is then not taken for zero, while the rounding residue of a singular
// matrix, which scales with its column, still is. Rows are swapped along with the matrix.
class ScalePivot {
 public:
  ScalePivot(const TMatrice& A, Reale limite) : limite_(limite), righe_(A.Righe() + 1), colonne_(A.Righe() + 1) {
    const int n = A.Righe();
    for (int i = 1; i <= n; ++i)
      for (int j = 1; j <= n; ++j) {
        const Reale v = std::fabs(A(i, j));
        if (v > righe_[i]) righe_[i] = v;
        if (v > colonne_[j]) colonne_[j] = v;
      }
  }
  void Scambia(int a, int b) { std::swap(righe_[a], righe_[b]); }
  Reale Soglia(int k) const { return limite_ * std::min(righe_[k], colonne_[k]); }

 private:
  Reale limite_;
  std::vector<Reale> righe_, colonne_;
};

void NormalizzaElementi(TMatrice& M) {
  for (int i = 1; i <= M.Righe(); ++i)
    for (int j = 1; j <= M.Colonne(); ++j) M(i, j) = NormalizzaNonFinito(M(i, j));
}

}  // namespace

TMatrice ProdottoMatrici(const TMatrice& A, const TMatrice& B) {
  if (A.Colonne() != B.Righe()) return {};
  TMatrice R(A.Righe(), B.Colonne());
  for (int i = 1; i <= A.Righe(); ++i)
    for (int k = 1; k <= A.Colonne(); ++k) {
      const Reale a = A(i, k);
      if (a == 0) continue;
      for (int j = 1; j <= B.Colonne(); ++j) R(i, j) += a * B(k, j);
    }
  return R;
}

Reale NormaMassimaRighe(const TMatrice& M) {
  Reale norma = 0;
  for (int i = 1; i <= M.Righe(); ++i) {
    Reale somma = 0;
    for (int j = 1; j <= M.Colonne(); ++j) somma += std::fabs(M(i, j));
    // A NaN row must not hide behind a comparison that is always false.
    if (somma > norma || std::isnan(somma)) norma = somma;
  }
  return norma;
}

void InversaGaussJordan(TMatrice& A, Reale& det, Reale limite, int& stato, TMatrice& X, bool segnala) {
  const int n = A.Righe();
  stato = 1;
  X = TMatrice::Identita(n);
  det = 1;
  ScalePivot scale(A, limite);
  for (int k = 1; k <= n; ++k) {
    const int p = RigaPivot(A, k);
    if (p != k) {
      det = -det;
      ScambiaRighe(A, p, k);
      ScambiaRighe(X, p, k);
      scale.Scambia(p, k);
    }
    const Reale pivot = A(k, k);
    // A zero pivot is singular whatever the limit (a zero row or column has scale 0).
    if (std::fabs(pivot) <= scale.Soglia(k) || pivot == 0) {
      stato = -1;
      det = 0;
      if (segnala) SegnalaSingolare(k);
      return;
    }
    det *= pivot;
    for (int j = k; j <= n; ++j) A(k, j) /= pivot;
    for (int j = 1; j <= n; ++j) X(k, j) /= pivot;
    for (int i = 1; i <= n; ++i) {
      if (i == k) continue;
      const Reale f = A(i, k);
      if (f == 0) continue;
      for (int j = k; j <= n; ++j) A(i, j) -= f * A(k, j);
      for (int j = 1; j <= n; ++j) X(i, j) -= f * X(k, j);
    }
  }
  det = NormalizzaNonFinito(det);
}

void SistemaGauss(const TMatrice& A, const TVettore& b, int& stato, Reale limite, TVettore& x) {
  const int n = A.Righe();
  TMatrice M(n, n + 1);
  for (int i = 1; i <= n; ++i) {
    for (int j = 1; j <= n; ++j) M(i, j) = A(i, j);
    M(i, n + 1) = b(i);
  }
  ScalePivot scale(A, limite);
  stato = 1;
  for (int k = 1; k <= n; ++k) {
    const int p = RigaPivot(M, k);
    if (p != k) {
      ScambiaRighe(M, p, k);
      scale.Scambia(p, k);
    }
    const Reale massimo = std::fabs(M(k, k));
    if (massimo < scale.Soglia(k) || massimo == 0) {
      SegnalaSingolare(k);
      stato = -1;
      return;
    }
    const Reale pivot = M(k, k);
    for (int j = k; j <= n + 1; ++j) M(k, j) /= pivot;
    for (int i = 1; i <= n; ++i) {
      if (i == k) continue;
      const Reale f = M(i, k);
      if (f == 0) continue;
      for (int j = k; j <= n + 1; ++j) M(i, j) -= f * M(k, j);
    }
  }
  x = TVettore(n);
  for (int i = 1; i <= n; ++i) x(i) = M(i, n + 1);
}

bool ResiduoSistema(const TMatrice& A, const TVettore& b, Reale eps, TVettore& r, const TVettore& x) {
  const int n = A.Righe();
  r = TVettore(n);
  bool entro = true;
  for (int i = 1; i <= n; ++i) {
    Reale somma = 0;
    for (int j = 1; j <= n; ++j) somma += A(i, j) * x(j);
    r(i) = b(i) - somma;
    if (!(std::fabs(r(i)) <= eps)) entro = false;  // a NaN residual is not within eps
  }
  return entro;
}

void InversaIterativa(const TMatrice& A, TMatrice& X, int& stato, int& iterazioni, int massimo, Reale eps) {
  const int n = A.Righe();
  stato = 1;
  iterazioni = 0;
  TMatrice C = A;
  Reale det = 0;
  int s = 0;
  InversaGaussJordan(C, det, LIMITE_PIVOT_ELIMINAZIONE, s, X, true);
  if (s == -1) {
    stato = 0;
    return;
  }
  const TMatrice I = TMatrice::Identita(n);
  auto Differenza = [n](const TMatrice& P, const TMatrice& Q) {
    TMatrice D(n, n);
    for (int i = 1; i <= n; ++i)
      for (int j = 1; j <= n; ++j) D(i, j) = P(i, j) - Q(i, j);
    return D;
  };
  // Newton-Schulz squares the residual I - A X at each step; once rounding dominates it
  // only jitters, and from a poor start it grows without bound. The refinement therefore
  // stops as soon as a step does not improve, keeping the best inverse seen.
  TMatrice AX = ProdottoMatrici(A, X);
  TMatrice migliore = X;
  Reale normaMigliore = NormaMassimaRighe(Differenza(I, AX));
  for (int it = 1; it <= massimo; ++it) {
    TMatrice E = Differenza(I, AX);
    for (int i = 1; i <= n; ++i) E(i, i) += 1;  // 2I - A X
    X = ProdottoMatrici(X, E);
    AX = ProdottoMatrici(A, X);
    const Reale norma = NormaMassimaRighe(Differenza(I, AX));
    if (norma <= eps) {
      iterazioni = it;
      return;
    }
    if (!(norma < normaMigliore)) break;
    migliore = X;
    normaMigliore = norma;
  }
  X = migliore;
  stato = -1;
  Finestra().MessageBox(
      "Impossibile calcolare la matrice inversa con la precisione richiesta\rLa precisione raggiunta è " +
          FormatoEsponenziale(normaMigliore),
      "Avviso", TTipoMessaggio::Avviso, TPulsanti::OK);
}

bool DeterminanteMatrice(TMatrice A, Reale& det, Reale eps) {
  if (!Quadrata(A)) return false;
  TMatrice inversa;
  int stato = 0;
  InversaGaussJordan(A, det, eps, stato, inversa, false);
  return true;
}

bool InversaMatrice(const TMatrice& A, TMatrice& X, Reale eps) {
  if (!Quadrata(A)) return false;
  TMatrice Y;
  int stato = 0, iterazioni = 0;
  InversaIterativa(A, Y, stato, iterazioni, 100, eps);
  if (stato == 0) return false;
  NormalizzaElementi(Y);
  X = std::move(Y);
  return stato == 1;
}

bool RisolviSistemaMatrice(const TMatrice& A, const TVettore& b, TVettore& x, Reale eps) {
  if (!Quadrata(A) || b.Dimensione() != A.Righe()) return false;
  TVettore y;
  int stato = 0;
  SistemaGauss(A, b, stato, LIMITE_PIVOT_ELIMINAZIONE, y);
  if (stato != 1) return false;
  TVettore d, c;
  int correzioni = 0;
  bool entro = ResiduoSistema(A, b, eps, d, y);
  while (!entro && correzioni < 100) {
    SistemaGauss(A, d, stato, LIMITE_PIVOT_ELIMINAZIONE, c);
    for (int i = 1; i <= y.Dimensione(); ++i) y(i) += c(i);
    ++correzioni;
    entro = ResiduoSistema(A, b, eps, d, y);
  }
  if (!entro)
    Finestra().MessageBox("Impossibile calcolare il sistema con la precisione richiesta\rProva con un valore piu' alto.",
                          "Avviso", TTipoMessaggio::Avviso, TPulsanti::OK);
  for (int i = 1; i <= y.Dimensione(); ++i) y(i) = NormalizzaNonFinito(y(i));
  x = std::move(y);
  return true;
}

}  // namespace qx
