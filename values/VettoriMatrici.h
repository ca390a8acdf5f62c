// Vectors and matrices of reals and strings, indexed from 1, matrices row by row. The
// accessors check their indices: out of range they set bStop and throw EIndiceNonValido
// with the language's message (the interpreter checks first, so this is a last guard).
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "values/Matrice.h"
#include "values/Valori.h"

namespace qx {

class cVettReale : public cValore {
 public:
  explicit cVettReale(int n = 0);
  int Count = 0;   // stored as "_Count"
  TVettore Vett;   // stored as "_Vett"
  Reale Leggi(int i) const;
  void Scrivi(int i, Reale x);
  bool IndiceValido(int i) const { return i >= 1 && i <= Count; }
  // Where the element at a valid index is held: read or written in place, a number needs no
  // trip through an argument.
  const Reale* Cella(int i) const { return Vett.Dove(i); }
  Reale* Cella(int i) { return &Vett(i); }
  // Copies the elements into the first items of Dest (as many as both hold).
  void CopiaIn(cVettReale& Dest) const;
  Reale Massimo() const;
  Reale Minimo() const;
  std::unique_ptr<cValore> Clona() const override { return std::make_unique<cVettReale>(*this); }

 private:
  [[noreturn]] void Errore() const;
};

class cVettStringa : public cValore {
 public:
  explicit cVettStringa(int n = 0);
  int Count = 0;
  std::vector<std::string> Vett;
  void Leggi(int i, std::string& s) const;
  const std::string& Leggi(int i) const;
  void Scrivi(int i, const std::string& s);
  bool IndiceValido(int i) const { return i >= 1 && i <= Count; }
  void CopiaIn(cVettStringa& Dest) const;
  std::unique_ptr<cValore> Clona() const override { return std::make_unique<cVettStringa>(*this); }

 private:
  [[noreturn]] void Errore() const;
};

class cMatrReale : public cValore {
 public:
  cMatrReale(int righe = 0, int colonne = 0);
  int Rows = 0, Cols = 0;     // stored as "_Rows", "_Cols"
  TMatrice Matr;              // stored as "_Matr"
  bool _bStatistica = false;  // holds a statistical table
  Reale Leggi(int r, int c) const;
  void Scrivi(int r, int c, Reale x);
  bool IndiciValidi(int r, int c) const { return r >= 1 && r <= Rows && c >= 1 && c <= Cols; }
  // Where the element at valid indices is held (see cVettReale::Cella).
  const Reale* Cella(int r, int c) const { return Matr.Dove(r, c); }
  Reale* Cella(int r, int c) { return &Matr(r, c); }
  void CopiaIn(cMatrReale& Dest) const;
  // R := this * B; R := this + B; R := this * k; w := this * v. The results exist already
  // with suitable sizes; only the cells that both operands define are computed.
  void Prodotto(const cMatrReale& B, cMatrReale& R) const;
  void Somma(const cMatrReale& B, cMatrReale& R) const;
  void PerScalare(Reale k, cMatrReale& R) const;
  void PerVettore(const cVettReale& v, cVettReale& w) const;
  // Matrix algebra: false for a matrix that is not square or is singular (R is n x 2 for the
  // eigenvalues: real and imaginary parts).
  bool Determinante(Reale& det, Reale eps) const;
  bool Inversa(cMatrReale& X, Reale eps) const;
  bool RisolviSistema(const cVettReale& b, cVettReale& x, Reale eps) const;
  bool Autovalori(cMatrReale& R, Reale eps) const;
  std::unique_ptr<cValore> Clona() const override { return std::make_unique<cMatrReale>(*this); }

 private:
  [[noreturn]] void Errore() const;
};

class cMatrStringa : public cValore {
 public:
  cMatrStringa(int righe = 0, int colonne = 0);
  int Rows = 0, Cols = 0;
  std::vector<std::string> Matr;  // row by row
  void Leggi(int r, int c, std::string& s) const;
  const std::string& Leggi(int r, int c) const;
  void Scrivi(int r, int c, const std::string& s);
  bool IndiciValidi(int r, int c) const { return r >= 1 && r <= Rows && c >= 1 && c <= Cols; }
  void CopiaIn(cMatrStringa& Dest) const;
  std::unique_ptr<cValore> Clona() const override { return std::make_unique<cMatrStringa>(*this); }

 private:
  [[noreturn]] void Errore() const;
};

}  // namespace qx
