// Linear algebra of the real matrices of the language: product, determinant, inverse and
// linear systems. Everything rests on two eliminations with partial pivoting, followed by
// iterative refinement until a residual test passes. A pivot is judged against the scale of
// the matrix (the largest elements of its row and of its column), so that a matrix of small
// numbers is not called singular and a matrix of large ones is not trusted on rounding
// residue.
//
// Singular matrices are reported in an error box ("Matrice singolare per k = " and the step),
// a precision that cannot be reached in a warning box; the determinant stays silent.
#pragma once
#include "values/Funzioni.h"
#include "values/Matrice.h"

namespace qx {

// Pivot limit of the inverse and of the linear system, relative to the matrix's scale.
constexpr Reale LIMITE_PIVOT_ELIMINAZIONE = 1e-20L;

// R(i, j) = sum over k of A(i, k) B(k, j). Needs A.Colonne() == B.Righe(); any other pair
// gives an empty matrix.
TMatrice ProdottoMatrici(const TMatrice& A, const TMatrice& B);

// The largest row sum of absolute values (the infinity norm).
Reale NormaMassimaRighe(const TMatrice& M);

// Gauss-Jordan on the square matrix A, which is overwritten (it ends as the identity).
// X becomes the inverse and det the determinant, stato 1. A pivot not above limite times
// the smaller of the largest elements of its original row and of its column (or exactly 0)
// stops the elimination: stato -1, det 0 and, when `segnala`, the error box naming the step.
void InversaGaussJordan(TMatrice& A, Reale& det, Reale limite, int& stato, TMatrice& X, bool segnala = true);

// Solves A x = b by elimination on [A | b]; stato 1, or -1 (with the error box) when a
// pivot is below its limit as above (or exactly 0). A must be square with b of its size.
void SistemaGauss(const TMatrice& A, const TVettore& b, int& stato, Reale limite, TVettore& x);

// r := b - A x; true when every abs(r(i)) <= eps (r is filled in full either way).
bool ResiduoSistema(const TMatrice& A, const TVettore& b, Reale eps, TVettore& r, const TVettore& x);

// The inverse by Gauss-Jordan, refined by X := X (2I - A X) until the row norm of I - A X
// is at most eps. stato 1: reached in `iterazioni` steps. stato 0: singular (the error box
// has been shown), X undefined. stato -1: not reached within `massimo` steps or the
// refinement stopped improving; X is the best inverse found and the warning box gives the
// precision reached.
void InversaIterativa(const TMatrice& A, TMatrice& X, int& stato, int& iterazioni, int massimo, Reale eps);

// ---- The operations of the real matrix value ----

// The determinant, with eps as the relative pivot limit. A matrix that is singular to that
// precision has determinant 0. False only when the matrix is not square.
bool DeterminanteMatrice(TMatrice A, Reale& det, Reale eps);

// The inverse to precision eps (at most 100 refinements). False when the matrix is not
// square (X untouched), singular (error box, X untouched) or the precision was not reached
// (warning box, X the best inverse found).
bool InversaMatrice(const TMatrice& A, TMatrice& X, Reale eps);

// Solves A x = b, refining until every residual is at most eps (at most 100 corrections; a
// warning box when that was not enough, the solution found is still given). False when A
// is not square, b does not match it (x untouched) or A is singular (error box).
bool RisolviSistemaMatrice(const TMatrice& A, const TVettore& b, TVettore& x, Reale eps);

}  // namespace qx
