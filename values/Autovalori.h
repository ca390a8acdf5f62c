// Eigenvalues of a real square matrix: Givens reduction to upper Hessenberg form, then the
// Francis double-shift QR iteration. Only the eigenvalues are wanted, so the transforms
// are not accumulated.
#pragma once
#include "values/Funzioni.h"
#include "values/Matrice.h"

namespace qx {

// B := transpose(G) A G.
void TrasformaSimile(const TMatrice& G, const TMatrice& A, TMatrice& B);

// Zeroes every element below the first subdiagonal of the square matrix A with Givens
// rotations in the planes (k + 1, i), each applied as the similarity transpose(G) A G.
// Returns the number of rotations (an element that is already 0 needs none).
int RiduzioneHessenberg(TMatrice& A);

// Reduces A to upper Hessenberg form unless it is already in it; the rotation count.
int PreparaHessenberg(TMatrice& A);

// The double-shift QR iteration on the upper Hessenberg matrix A (overwritten). eps is the
// relative tolerance of every smallness test. wr and wi get the real and imaginary parts;
// a complex pair is stored with the negative imaginary part first. False when one
// eigenvalue needs 30 iterations; the eigenvalues found by then are kept, the others are 0.
bool AutovaloriQR(TMatrice& A, TVettore& wr, TVettore& wi, Reale eps);

// R (n x 2): R(i, 1) and R(i, 2) the real and imaginary parts of eigenvalue i. False when
// the matrix is not square (R untouched) or the iteration does not converge.
bool AutovaloriMatrice(TMatrice A, TMatrice& R, Reale eps);

}  // namespace qx
