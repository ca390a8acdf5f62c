// Building vectors and matrices, and reading their elements by index.
#include <cmath>

#include "interpreter/ComandiBase.h"
#include "interpreter/Dispatch.h"
#include "interpreter/geometria/ComandiGeometria.h"
#include "runstate/ErrorReport.h"
#include "runstate/ParoleChiave.h"
#include "values/Variabili.h"

namespace qx {

namespace {

constexpr Reale DIMENSIONE_MASSIMA = 5000;
// The longest side of a matrix. The cell limit leaves one side free when the other is 0 or a
// fraction; past this no grid can show the side, and up to it every side, with a table's
// row of totals too, truncates into an integer with room to spare.
constexpr Reale LATO_MASSIMO = 100000;

bool SoloNumeri(const ListaArgomenti& a, int quanti) {
  if (a.Count() != quanti) return false;
  for (int i = 0; i < quanti; ++i)
    if (a.Tipo(i) != T_REALE) return false;
  return true;
}

// A vector's size. Negative sizes are refused as too large ones are (and NaN): no vector can
// have them.
bool DimensioneAmmessa(Reale n) { return n >= 0 && n < DIMENSIONE_MASSIMA; }

PValore Errore(const std::string& messaggio) {
  ReportError(messaggio, true);
  return nullptr;
}

PValore CmdVettore(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  if (!SoloNumeri(a, 1)) return Errore(ParoleChiave.msgParametriErrati + nome);
  const Reale n = a.Numero(0);
  if (!DimensioneAmmessa(n)) return Errore("Dimensione non consentita per un vettore: " + nome);
  const int elementi = static_cast<int>(std::trunc(n));
  if (nome == ParoleChiave.VETTORE_STR) return std::make_unique<cVettStringa>(elementi);
  return std::make_unique<cVettReale>(elementi);
}

PValore CmdMatrice(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  if (!SoloNumeri(a, 2)) return Errore(ParoleChiave.msgParametriErrati + nome);
  const Reale r = a.Numero(0), c = a.Numero(1);
  // The cells are counted on the sides as written, before truncation; NaN fails every test.
  auto latoAmmesso = [](Reale n) { return n >= 0 && n <= LATO_MASSIMO; };
  if (!(r * c < DIMENSIONE_MASSIMA && latoAmmesso(r) && latoAmmesso(c)))
    return Errore("Dimensione non consentita per una matrice: " + nome);
  if (nome == ParoleChiave.TABELLA_DE) {
    auto m = std::make_unique<cMatrReale>(static_cast<int>(std::trunc(r + 1)), static_cast<int>(std::trunc(c + 1)));
    m->_bStatistica = true;
    return m;
  }
  const int righe = static_cast<int>(std::trunc(r)), colonne = static_cast<int>(std::trunc(c));
  if (nome == ParoleChiave.MATRICE_STR) return std::make_unique<cMatrStringa>(righe, colonne);
  return std::make_unique<cMatrReale>(righe, colonne);
}

// An index as the readers take it: truncated; -1 when no integer can hold it.
long long Indice(Reale x) {
  // Below 1e18 the truncated value is below it too.
  return std::fabs(x) < 1e18L ? TroncaIntero(x) : -1;
}

PValore ElementoVettore(cVariabile& var, ListaArgomenti& a, bool) {
  if (!SoloNumeri(a, 1)) return Errore(ParoleChiave.msgParametriErrati + var.Nome);
  const long long i = Indice(a.Numero(0));
  if (var.Tipo == T_VETT_REALE) {
    auto& v = static_cast<cVettReale&>(*var.GetValore());
    if (i < 1 || i > v.Count) return Errore("Valore di indice non consentito: " + var.Nome);
    return std::make_unique<cValoreReale>(v.Leggi(static_cast<int>(i)));
  }
  auto& v = static_cast<cVettStringa&>(*var.GetValore());
  if (i < 1 || i > v.Count) return Errore("Valore di indice non consentito: " + var.Nome);
  return std::make_unique<cValoreStringa>(v.Leggi(static_cast<int>(i)));
}

PValore ElementoMatrice(cVariabile& var, ListaArgomenti& a, bool Esegui) {
  if (a.IsMembro(0)) return MembriMatrice(var, a, Esegui);
  if (!SoloNumeri(a, 2)) return Errore(ParoleChiave.msgParametriErrati + var.Nome);
  const long long i = Indice(a.Numero(0)), j = Indice(a.Numero(1));
  if (var.Tipo == T_MATR_REALE) {
    auto& m = static_cast<cMatrReale&>(*var.GetValore());
    if (i < 1 || i > m.Rows || j < 1 || j > m.Cols) return Errore("Valore di indice non consentito: " + var.Nome);
    return std::make_unique<cValoreReale>(m.Leggi(static_cast<int>(i), static_cast<int>(j)));
  }
  auto& m = static_cast<cMatrStringa&>(*var.GetValore());
  if (i < 1 || i > m.Rows || j < 1 || j > m.Cols) return Errore("Valore di indice non consentito: " + var.Nome);
  return std::make_unique<cValoreStringa>(m.Leggi(static_cast<int>(i), static_cast<int>(j)));
}

}  // namespace

void RegistraComandiVettori() {
  RegistraValore("CmdVettore", CmdVettore);
  RegistraValore("CmdMatrice", CmdMatrice);
  RegistraLettore(T_VETT_REALE, ElementoVettore);
  RegistraLettore(T_VETT_STRINGA, ElementoVettore);
  RegistraLettore(T_MATR_REALE, ElementoMatrice);
  RegistraLettore(T_MATR_STRINGA, ElementoMatrice);
}

}  // namespace qx
