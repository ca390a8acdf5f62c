#include "values/VettoriMatrici.h"

#include <algorithm>

#include "runstate/DatiGlob.h"
#include "values/AlgebraMatrici.h"
#include "values/Autovalori.h"

namespace qx {

namespace {
[[noreturn]] void ErroreIndici(const char* prefisso, const std::string& nome) {
  DatiGlob.bStop = true;
  throw EIndiceNonValido(prefisso + nome);
}
constexpr const char* kVettore = "Indici non validi per referenziare il vettore: ";
constexpr const char* kMatrice = "Indici non validi per referenziare la matrice: ";
int NonNegativo(int n) { return n < 0 ? 0 : n; }
}  // namespace

// ---- cVettReale ----

cVettReale::cVettReale(int n) : Count(NonNegativo(n)), Vett(NonNegativo(n)) {
  Tipo = T_VETT_REALE;
  NomeTipo = "Vettore";
}

void cVettReale::Errore() const { ErroreIndici(kVettore, Nome); }

Reale cVettReale::Leggi(int i) const {
  if (!IndiceValido(i)) Errore();
  return Vett(i);
}

void cVettReale::Scrivi(int i, Reale x) {
  if (!IndiceValido(i)) Errore();
  Vett(i) = x;
}

void cVettReale::CopiaIn(cVettReale& Dest) const {
  const int n = std::min(Count, Dest.Count);
  for (int i = 1; i <= n; ++i) Dest.Vett(i) = Vett(i);
}

Reale cVettReale::Massimo() const {
  if (Count == 0) return 0;
  Reale m = Vett(1);
  for (int i = 2; i <= Count; ++i) m = std::max(m, Vett(i));
  return m;
}

Reale cVettReale::Minimo() const {
  if (Count == 0) return 0;
  Reale m = Vett(1);
  for (int i = 2; i <= Count; ++i) m = std::min(m, Vett(i));
  return m;
}

// ---- cVettStringa ----

cVettStringa::cVettStringa(int n) : Count(NonNegativo(n)), Vett(static_cast<std::size_t>(NonNegativo(n))) {
  Tipo = T_VETT_STRINGA;
  NomeTipo = "Vettore Stringa";
}

void cVettStringa::Errore() const { ErroreIndici(kVettore, Nome); }

const std::string& cVettStringa::Leggi(int i) const {
  if (!IndiceValido(i)) Errore();
  return Vett[static_cast<std::size_t>(i - 1)];
}

void cVettStringa::Leggi(int i, std::string& s) const { s = Leggi(i); }

void cVettStringa::Scrivi(int i, const std::string& s) {
  if (!IndiceValido(i)) Errore();
  Vett[static_cast<std::size_t>(i - 1)] = s;
}

void cVettStringa::CopiaIn(cVettStringa& Dest) const {
  if (&Dest == this) return;
  const int n = std::min(Count, Dest.Count);
  std::copy_n(Vett.begin(), n, Dest.Vett.begin());
}

// ---- cMatrReale ----

cMatrReale::cMatrReale(int righe, int colonne)
    : Rows(NonNegativo(righe)), Cols(NonNegativo(colonne)), Matr(NonNegativo(righe), NonNegativo(colonne)) {
  Tipo = T_MATR_REALE;
  NomeTipo = "Matrice";
}

void cMatrReale::Errore() const { ErroreIndici(kMatrice, Nome); }

Reale cMatrReale::Leggi(int r, int c) const {
  if (!IndiciValidi(r, c)) Errore();
  return Matr(r, c);
}

void cMatrReale::Scrivi(int r, int c, Reale x) {
  if (!IndiciValidi(r, c)) Errore();
  Matr(r, c) = x;
}

void cMatrReale::CopiaIn(cMatrReale& Dest) const {
  // Elements go in store order (row by row of this matrix) into the first items of Dest.
  const int n = std::min(Rows * Cols, Dest.Rows * Dest.Cols);
  for (int k = 0; k < n; ++k) Dest.Matr(k / Dest.Cols + 1, k % Dest.Cols + 1) = Matr(k / Cols + 1, k % Cols + 1);
  Dest._bStatistica = _bStatistica;
}

void cMatrReale::Prodotto(const cMatrReale& B, cMatrReale& R) const {
  const int righe = std::min(Rows, R.Rows), colonne = std::min(B.Cols, R.Cols), interni = std::min(Cols, B.Rows);
  // Accumulated aside so that R may be one of the operands.
  TMatrice risultato(righe, colonne);
  for (int i = 1; i <= righe; ++i)
    for (int j = 1; j <= colonne; ++j) {
      Reale s = 0;
      for (int k = 1; k <= interni; ++k) s += Matr(i, k) * B.Matr(k, j);
      risultato(i, j) = s;
    }
  for (int i = 1; i <= righe; ++i)
    for (int j = 1; j <= colonne; ++j) R.Matr(i, j) = risultato(i, j);
}

void cMatrReale::Somma(const cMatrReale& B, cMatrReale& R) const {
  const int righe = std::min({Rows, B.Rows, R.Rows}), colonne = std::min({Cols, B.Cols, R.Cols});
  for (int i = 1; i <= righe; ++i)
    for (int j = 1; j <= colonne; ++j) R.Matr(i, j) = Matr(i, j) + B.Matr(i, j);
}

void cMatrReale::PerScalare(Reale k, cMatrReale& R) const {
  const int righe = std::min(Rows, R.Rows), colonne = std::min(Cols, R.Cols);
  for (int i = 1; i <= righe; ++i)
    for (int j = 1; j <= colonne; ++j) R.Matr(i, j) = Matr(i, j) * k;
}

void cMatrReale::PerVettore(const cVettReale& v, cVettReale& w) const {
  const int righe = std::min(Rows, w.Count), colonne = std::min(Cols, v.Count);
  TVettore risultato(righe);
  for (int i = 1; i <= righe; ++i) {
    Reale s = 0;
    for (int j = 1; j <= colonne; ++j) s += Matr(i, j) * v.Vett(j);
    risultato(i) = s;
  }
  for (int i = 1; i <= righe; ++i) w.Vett(i) = risultato(i);
}

bool cMatrReale::Determinante(Reale& det, Reale eps) const { return DeterminanteMatrice(Matr, det, eps); }

bool cMatrReale::Inversa(cMatrReale& X, Reale eps) const {
  TMatrice inversa;
  const bool ok = InversaMatrice(Matr, inversa, eps);
  if (inversa.Righe() == X.Rows && inversa.Colonne() == X.Cols) X.Matr = inversa;
  return ok;
}

bool cMatrReale::RisolviSistema(const cVettReale& b, cVettReale& x, Reale eps) const {
  TVettore soluzione;
  const bool ok = RisolviSistemaMatrice(Matr, b.Vett, soluzione, eps);
  if (soluzione.Dimensione() == x.Count) x.Vett = soluzione;
  return ok;
}

bool cMatrReale::Autovalori(cMatrReale& R, Reale eps) const {
  TMatrice r(Rows, 2);
  const bool ok = AutovaloriMatrice(Matr, r, eps);
  if (R.Rows == Rows && R.Cols == 2) R.Matr = r;
  return ok;
}

// ---- cMatrStringa ----

cMatrStringa::cMatrStringa(int righe, int colonne)
    : Rows(NonNegativo(righe)),
      Cols(NonNegativo(colonne)),
      Matr(static_cast<std::size_t>(NonNegativo(righe)) * NonNegativo(colonne)) {
  Tipo = T_MATR_STRINGA;
  NomeTipo = "Matrice di Stringhe";
}

void cMatrStringa::Errore() const { ErroreIndici(kMatrice, Nome); }

const std::string& cMatrStringa::Leggi(int r, int c) const {
  if (!IndiciValidi(r, c)) Errore();
  return Matr[static_cast<std::size_t>(r - 1) * Cols + (c - 1)];
}

void cMatrStringa::Leggi(int r, int c, std::string& s) const { s = Leggi(r, c); }

void cMatrStringa::Scrivi(int r, int c, const std::string& s) {
  if (!IndiciValidi(r, c)) Errore();
  Matr[static_cast<std::size_t>(r - 1) * Cols + (c - 1)] = s;
}

void cMatrStringa::CopiaIn(cMatrStringa& Dest) const {
  if (&Dest == this) return;
  const std::size_t n = std::min(Matr.size(), Dest.Matr.size());
  std::copy_n(Matr.begin(), n, Dest.Matr.begin());
}

}  // namespace qx
