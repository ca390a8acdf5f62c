// The numeric functions that rest on the number-theory and matrix routines: least common
// multiple and greatest common divisor, factorial, binomial coefficient, primality,
// determinant, inverse, linear systems and eigenvalues.
#include <cmath>
#include <cstdint>
#include <vector>

#include "interpreter/ComandiFunzioni.h"
#include "interpreter/Dispatch.h"
#include "runstate/ErrorReport.h"
#include "runstate/ParoleChiave.h"
#include "runstate/WindowServices.h"
#include "values/TeoriaNumeri.h"
#include "values/ValoriScalari.h"
#include "values/VettoriMatrici.h"

namespace qx {

namespace {

// Precision of the matrix routines when the program gives none.
constexpr Reale PRECISIONE_MATRICI = 1e-10L;

PValore Errore(const std::string& messaggio) {
  ReportError(messaggio, true);
  return nullptr;
}

PValore ParametriErrati(const std::string& nome) { return Errore(ParoleChiave.msgParametriErrati + nome); }

bool SoloNumeri(const ListaArgomenti& a, int quanti) {
  if (a.Count() != quanti) return false;
  for (int i = 0; i < quanti; ++i)
    if (a.Tipo(i) != T_REALE) return false;
  return true;
}

// The integer of a number, truncated; false when 32 bits cannot hold it (the routines
// count in 32-bit integers, and a wrapped value would give a wrong answer silently).
bool Intero(Reale x, std::int32_t& n) {
  x = std::trunc(x);
  if (!(x >= INT32_MIN && x <= INT32_MAX)) return false;
  n = static_cast<std::int32_t>(x);
  return true;
}

PValore CmdMcmMcd(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  if (a.Vuota() || !SoloNumeri(a, a.Count())) return ParametriErrati(nome);
  std::vector<std::int32_t> valori(static_cast<std::size_t>(a.Count()));
  for (int i = 0; i < a.Count(); ++i)
    if (!Intero(a.Numero(i), valori[static_cast<std::size_t>(i)])) return ParametriErrati(nome);
  if (nome == ParoleChiave.MCM) return std::make_unique<cValoreReale>(MCMVettore(valori));
  return std::make_unique<cValoreReale>(static_cast<Reale>(MCDVettore(valori)));
}

PValore CmdFattoriale(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  if (!SoloNumeri(a, 1)) return ParametriErrati(nome);
  // Beyond 32 bits the factorial is far past the largest real, below it undefined: the
  // bounds give the same answer.
  const Reale x = std::trunc(a.Numero(0));
  const std::int32_t n = x > INT32_MAX ? INT32_MAX : x < INT32_MIN ? INT32_MIN : static_cast<std::int32_t>(x);
  return std::make_unique<cValoreReale>(Fattoriale(n));
}

PValore CmdBinomiale(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  std::int32_t n = 0, k = 0;
  if (!SoloNumeri(a, 2) || !Intero(a.Numero(0), n) || !Intero(a.Numero(1), k)) return ParametriErrati(nome);
  return std::make_unique<cValoreReale>(CoefficienteBinomiale(n, k));
}

PValore CmdPrimo(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  std::int32_t n = 0;
  if (!SoloNumeri(a, 1) || !Intero(a.Numero(0), n)) return ParametriErrati(nome);
  return std::make_unique<cValoreBool>(EPrimo(n));
}

const cMatrReale& Matrice(const ListaArgomenti& a, int i) { return static_cast<const cMatrReale&>(*a.Valore(i)); }

bool Quadrata(const cMatrReale& m) { return m.Rows == m.Cols && m.Rows > 0; }

// Optional precision: `prima` arguments, then possibly one number that ends the list.
bool Precisione(const ListaArgomenti& a, int prima, Reale& eps) {
  eps = PRECISIONE_MATRICI;
  if (a.Count() == prima) return true;
  if (a.Count() != prima + 1 || a.Tipo(prima) != T_REALE) return false;
  eps = a.Numero(prima);
  return true;
}

PValore CmdDeterminante(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  if (a.Tipo(0) == T_MATR_REALE) {
    if (a.Count() != 1 || !Quadrata(Matrice(a, 0))) return ParametriErrati(nome);
    Reale det = 0;
    if (!Matrice(a, 0).Determinante(det, PRECISIONE_MATRICI)) {
      Finestra().MessageBox("Determinante non possibile", "Avviso", TTipoMessaggio::Avviso, TPulsanti::OK);
      det = VAL_NON_DEFINITA;
    }
    return std::make_unique<cValoreReale>(det);
  }
  if (!SoloNumeri(a, a.Count())) return ParametriErrati(nome);
  if (a.Count() != 9) return Errore(nome + ": i valori devono essere 9 (a11,a12,a13,a21,a22,a23,a31,a32,a33)");
  auto e = [&a](int i, int j) { return a.Numero((i - 1) * 3 + (j - 1)); };
  const Reale det = e(1, 1) * e(2, 2) * e(3, 3) + e(1, 2) * e(2, 3) * e(3, 1) + e(1, 3) * e(2, 1) * e(3, 2) -
                    e(1, 3) * e(2, 2) * e(3, 1) - e(1, 1) * e(2, 3) * e(3, 2) - e(1, 2) * e(2, 1) * e(3, 3);
  return std::make_unique<cValoreReale>(det);
}

PValore CmdInversa(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  Reale eps = 0;
  if (a.Tipo(0) != T_MATR_REALE || !Precisione(a, 1, eps) || !Quadrata(Matrice(a, 0))) return ParametriErrati(nome);
  const cMatrReale& m = Matrice(a, 0);
  auto inversa = std::make_unique<cMatrReale>(m.Rows, m.Cols);
  // A singular matrix or an unreachable precision is shown by the routine itself.
  m.Inversa(*inversa, eps);
  return inversa;
}

PValore CmdSistemaLin(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  Reale eps = 0;
  if (a.Tipo(0) != T_MATR_REALE || a.Tipo(1) != T_VETT_REALE || !Precisione(a, 2, eps)) return ParametriErrati(nome);
  const cMatrReale& m = Matrice(a, 0);
  const auto& b = static_cast<const cVettReale&>(*a.Valore(1));
  // The solver does nothing with a system that has no unique shape: say so instead of
  // giving zeros.
  if (!Quadrata(m) || b.Count != m.Rows) return ParametriErrati(nome);
  auto x = std::make_unique<cVettReale>(m.Rows);
  m.RisolviSistema(b, *x, eps);
  return x;
}

PValore CmdAutovalori(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  if (a.Count() != 2 || a.Tipo(0) != T_MATR_REALE || a.Tipo(1) != T_REALE || !Quadrata(Matrice(a, 0)))
    return ParametriErrati(nome);
  const cMatrReale& m = Matrice(a, 0);
  auto r = std::make_unique<cMatrReale>(m.Rows, 2);
  if (!m.Autovalori(*r, a.Numero(1)))
    Finestra().MessageBox("Autovalori non calcolabili o precisione troppo bassa", "Avviso", TTipoMessaggio::Avviso,
                          TPulsanti::OK);
  return r;
}

}  // namespace

void detail::RegistraComandiNumerici() {
  RegistraValore("CmdMcmMcd", CmdMcmMcd);
  RegistraValore("CmdFattoriale", CmdFattoriale);
  RegistraValore("CmdBinomiale", CmdBinomiale);
  RegistraValore("CmdPrimo", CmdPrimo);
  RegistraValore("CmdDeterminante", CmdDeterminante);
  RegistraValore("CmdInversa", CmdInversa);
  RegistraValore("CmdSistemaLin", CmdSistemaLin);
  RegistraValore("CmdAutovalori", CmdAutovalori);
}

}  // namespace qx
