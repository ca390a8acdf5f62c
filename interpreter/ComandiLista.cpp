// Building lists and vectors of functions, and reading list elements by index.
#include "interpreter/ComandiLista.h"

#include <cctype>
#include <cmath>

#include "interpreter/Dispatch.h"
#include "runstate/DatiGlob.h"
#include "runstate/ErrorReport.h"
#include "runstate/ParoleChiave.h"
#include "values/RifCart.h"
#include "values/ValoriScalari.h"
#include "values/figure/ValoreLista.h"
#include "values/figure/ValorePunto.h"

namespace qx {

namespace {

// VETTORE_FUNZ accepts 5000 slots itself, unlike the vectors of numbers.
constexpr Reale MASSIMO_FUNZIONI = 5000;

PValore Errore(const std::string& messaggio) {
  ReportError(messaggio, true);
  return nullptr;
}

PValore CmdLista(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  if (nome != ParoleChiave.VETTORE_FUNZ) return std::make_unique<cValoreLista>(T_GENERICA, 0);
  if (a.Count() != 1 || a.Tipo(0) != T_REALE) return Errore(ParoleChiave.msgParametriErrati + nome);
  const Reale n = std::trunc(a.Numero(0));
  // A negative size is refused as a too large one is: no vector can have it.
  if (!(n >= 0 && n <= MASSIMO_FUNZIONI)) return Errore("Dimensione non consentita per un vettore: " + nome);
  return std::make_unique<cValoreLista>(T_VETT_FUNZ, static_cast<int>(n));
}

std::string Maiuscolo(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// L(i).X and L(i).Y of a point element.
PValore MembroPunto(const cValorePunto& p, const std::string& membro) {
  const cRifCart* f = DatiGlob.RifCart;
  const std::string m = Maiuscolo(membro);
  if (!f || (m != Maiuscolo(ParoleChiave.X) && m != Maiuscolo(ParoleChiave.Y)))
    return Errore(ParoleChiave.msgIdentificatore);
  const bool x = m == Maiuscolo(ParoleChiave.X);
  if (p.bCoordCartesiane) return std::make_unique<cValoreReale>(x ? p.xCart : p.yCart);
  return std::make_unique<cValoreReale>(x ? f->XCart(p.Pixel.x) : f->YCart(p.Pixel.y));
}

PValore ElementoLista(cVariabile& var, ListaArgomenti& a, bool) {
  auto& lista = static_cast<cValoreLista&>(*var.GetValore());
  const bool membro = a.Count() == 2 && a.IsMembro(1);
  if ((a.Count() != 1 && !membro) || a.Tipo(0) != T_REALE) return Errore(ParoleChiave.msgParametriErrati + var.Nome);
  const Reale indice = std::trunc(a.Numero(0));
  if (!(indice >= 1 && indice <= lista.IndiceMassimo() && indice <= lista.Count()))
    return Errore("Valore di indice non consentito: " + var.Nome);
  const int i = static_cast<int>(indice);
  const cValoreGraf* e = lista._Oggetti[static_cast<std::size_t>(i - 1)].get();
  if (!e) {
    if (lista.TipoLista == T_VETT_FUNZ) return Errore("L'elemento del vettore " + var.Nome + " indicizzato è nullo");
    return nullptr;
  }
  if (e->Tipo != T_PUNTO && e->Tipo != T_FUNZIONE) return nullptr;
  if (membro) {
    if (e->Tipo != T_PUNTO) return Errore(ParoleChiave.msgIdentificatore);
    return MembroPunto(static_cast<const cValorePunto&>(*e), a.Membro(1));
  }
  PValore copia = e->Clona();
  copia->Nome = var.Nome + "(" + std::to_string(i) + ")";
  return copia;
}

}  // namespace

void RegistraComandiLista() {
  RegistraValore("CmdLista", CmdLista);
  RegistraLettore(T_LISTA, ElementoLista);
}

}  // namespace qx
