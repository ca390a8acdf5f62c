// The statements that show values: function displays and plots, the vector and matrix
// grids, the deletion of variables and CLRSCR. STAMPA lives with the basic statements.
#include <cstdlib>

#include "interpreter/ComandiBase.h"
#include "interpreter/ComandiGenerali.h"
#include "interpreter/Dispatch.h"
#include "interpreter/Istruzioni.h"
#include "runstate/DatiGlob.h"
#include "runstate/ErrorReport.h"
#include "runstate/ParoleChiave.h"
#include "runstate/WindowServices.h"
#include "values/RifCart.h"
#include "values/ValoreFunzione.h"
#include "values/Variabili.h"
#include "values/figure/ValoreLista.h"

namespace qx {

namespace {

void CmdClrScr(bool Esegui, ListaArgomenti&, const std::string&) {
  if (!Esegui) return;
  Finestra().MessageBox("ClrScr", "", TTipoMessaggio::Informazione, TPulsanti::OK);
}

bool IsFormula(TipiValore t) {
  return t == T_FRAZIONE || t == T_ESPRESSIONE || t == T_FUNZIONE || t == T_FUNZIONE3D;
}

// The three names share one handler and one message.
void CmdStampaFunz(bool Esegui, ListaArgomenti& a, const std::string&) {
  if (!Esegui) return;
  const bool forma = IsFormula(a.Tipo(0)) && (a.Count() == 1 || (a.Count() == 2 && a.Tipo(1) == T_STRINGA));
  if (!forma) {
    ReportError(ParoleChiave.msgParametriErrati + ParoleChiave.STAMPAFUNZ, true);
    return;
  }
  const cValore& valore = *a.Valore(0);
  std::string titolo = a.Testo(1);
  if (titolo.empty()) {
    switch (valore.Tipo) {
      case T_FUNZIONE: titolo = "Funzione"; break;
      case T_ESPRESSIONE: titolo = "Espressione"; break;
      case T_FRAZIONE: titolo = "Frazione"; break;
      default: titolo = "Funzione3D"; break;
    }
  }
  if (valore.Tipo == T_FUNZIONE || valore.Tipo == T_ESPRESSIONE)
    Finestra().MostraFunzione(titolo, valore);
  else
    Finestra().MostraFrazione(titolo, valore);
}

// The frame's mappings as a plot samples them.
TMappaGrafico MappaDelRiferimento(const cRifCart& rif, const TCanvas* canvas) {
  TMappaGrafico m;
  m.XPixel = [&rif](Reale x) { return static_cast<Reale>(rif.XPixel(x)); };
  m.YPixel = [&rif](Reale y) { return static_cast<Reale>(rif.YPixel(y)); };
  m.XCart = [&rif](Reale px) { return rif.XCart(static_cast<int>(px)); };
  m.Larghezza = rif.Rettangolo.Right;
  m.Altezza = rif.Rettangolo.Bottom;
  m.BordoDestro = canvas ? canvas->ClipRect().Right : rif.Rettangolo.Right;
  return m;
}

void CmdGraficoFunz(bool Esegui, ListaArgomenti& a, const std::string&) {
  if (!Esegui) return;
  TDatiGlob& g = DatiGlob;
  const TParoleChiave& k = ParoleChiave;
  if (a.Tipo(0) != T_FUNZIONE) {
    ReportError(k.msgParametriErrati + k.GRAFICOFUNZ, true);
    return;
  }
  cValoreFunzione* f = nullptr;
  if (!a.Valore(0)->Nome.empty() && g.ListaVariabili)
    f = dynamic_cast<cValoreFunzione*>(g.ListaVariabili->CercaValore(*a.Valore(0)));
  if (!f) {
    ReportError(k.GRAFICOFUNZ + ": il parametro deve essere un oggetto funzione già definito.", true);
    return;
  }
  const bool completo = a.Count() == 1;
  if (!completo && !(a.Count() == 3 && a.Tipo(1) == T_REALE && a.Tipo(2) == T_REALE)) {
    ReportError(k.msgParametriErrati + k.GRAFICOFUNZ, true);
    return;
  }
  f->_bGraficoCompleto = completo;
  if (!completo) {
    f->_xa = a.Numero(1);
    f->_xb = a.Numero(2);
  }
  cRifCart* rif = g.RifCart;
  if (!rif || !rif->_bAssi) {
    ReportError(k.GRAFICOFUNZ + k.msgRifCart, true);
    return;
  }
  f->Pen = g.PennaCorrente;
  f->Brush = g.PennelloCorrente;
  if (rif->_bxAnalisi && rif->_bAdattaAllaFunzione) {
    f->CalcolaMinMaxY(MappaDelRiferimento(*rif, g.CanvasRifCart));
    // A function that takes one value everywhere (or none) would leave a window of no
    // height, which the analysis mapping cannot divide by: the window is kept then.
    if (f->yMin < f->yMax && !IsValoreErrore(f->yMin) && !IsValoreErrore(f->yMax)) {
      if (g.ListaVariabili->ContieneAlmeno(T_FUNZIONE, 2)) {
        if (f->yMin < rif->_ya) rif->_ya = f->yMin;
        if (f->yMax > rif->_yb) rif->_yb = f->yMax;
      } else {
        rif->_ya = f->yMin;
        rif->_yb = f->yMax;
      }
    }
    if (rif->Canvas) rif->DisegnaAssi();
  }
  if (g.CanvasRifCart) f->Disegna(*g.CanvasRifCart);
  f->_bGrafico = 2;
}

bool IsVettore(TipiValore t) { return t == T_VETT_REALE || t == T_VETT_STRINGA; }
bool IsMatrice(TipiValore t) { return t == T_MATR_REALE || t == T_MATR_STRINGA; }

// The grids: the editing forms take an optional comment and work on the stored value;
// the display forms take the value alone.
void ApriGriglia(ListaArgomenti& a, bool matrice, bool solaLettura, const std::string& parola) {
  const TipiValore t = a.Tipo(0);
  const bool tipo = matrice ? IsMatrice(t) : IsVettore(t);
  const bool forma = solaLettura ? a.Count() == 1 : (a.Count() == 1 || (a.Count() == 2 && a.Tipo(1) == T_STRINGA));
  if (!tipo || !forma) {
    ReportError(ParoleChiave.msgParametriErrati + parola, true);
    return;
  }
  cValore* valore = a.Valore(0);
  if (!solaLettura && !valore->Nome.empty() && DatiGlob.ListaVariabili)
    if (cValore* memorizzato = DatiGlob.ListaVariabili->CercaValore(*valore)) valore = memorizzato;
  const std::string commento = solaLettura ? std::string() : a.Testo(1);
  if (!matrice) {
    Finestra().EditaVettore(solaLettura, "Vettore " + valore->Nome, *valore, commento);
    return;
  }
  const bool doppiaEntrata = t == T_MATR_REALE && static_cast<const cMatrReale&>(*valore)._bStatistica;
  Finestra().EditaMatrice(solaLettura, (doppiaEntrata ? "Matrice a doppia entrata " : "Matrice ") + valore->Nome,
                          *valore, commento);
}

void CmdLeggiVett(bool Esegui, ListaArgomenti& a, const std::string&) {
  if (Esegui) ApriGriglia(a, false, false, ParoleChiave.LEGGIVETT);
}
void CmdStampaVett(bool Esegui, ListaArgomenti& a, const std::string&) {
  if (Esegui) ApriGriglia(a, false, true, ParoleChiave.STAMPAVETT);
}
void CmdLeggiMatr(bool Esegui, ListaArgomenti& a, const std::string&) {
  if (Esegui) ApriGriglia(a, true, false, ParoleChiave.LEGGIMATR);
}
void CmdStampaMatr(bool Esegui, ListaArgomenti& a, const std::string&) {
  if (Esegui) ApriGriglia(a, true, true, ParoleChiave.STAMPAMATR);
}

// "L(2)" names element 2 of the list L: that element goes, the list stays.
bool EliminaElementoLista(const std::string& nome) {
  const std::size_t aperta = nome.find('('), chiusa = nome.find(')');
  if (aperta == std::string::npos || chiusa == std::string::npos || chiusa < aperta) return false;
  cVariabile* var = DatiGlob.ListaVariabili->Cerca(nome.substr(0, aperta));
  auto* lista = var ? dynamic_cast<cValoreLista*>(var->GetValore()) : nullptr;
  if (!lista) return false;
  const std::string indice = nome.substr(aperta + 1, chiusa - aperta - 1);
  char* fine = nullptr;
  const long i = std::strtol(indice.c_str(), &fine, 10);
  if (indice.empty() || *fine != '\0') return false;
  if (!lista->EliminaElemento(static_cast<int>(i))) return false;
  return true;
}

void CmdCancella(bool Esegui, ListaArgomenti& a, const std::string&) {
  if (!Esegui) return;
  TDatiGlob& g = DatiGlob;
  if (!g.ListaVariabili) return;
  if (a.Vuota()) {
    // Nothing may keep pointing into the values that go.
    g.OggettoScelto = g.LatoScelto = g.VerticeScelto = nullptr;
    g.OggettoGLScelto = nullptr;
    g.ListaVariabili->Svuota();
    RidisegnaRifCart();
    return;
  }
  for (int i = 0; i < a.Count(); ++i) {
    const cValore* arg = a.Valore(i);
    if (arg && arg->Tipo != T_LISTA && EliminaElementoLista(arg->Nome)) continue;
    cVariabile* var = arg && !arg->Nome.empty() ? g.ListaVariabili->Cerca(arg->Nome) : nullptr;
    if (!var) {
      ReportError("Identificatore non trovato", true);
      return;
    }
    cValore* valore = var->GetValore();
    if (g.OggettoScelto && g.OggettoScelto->Nome == arg->Nome) g.OggettoScelto = nullptr;
    if (valore && IsGeometriaSpazio(valore->Tipo)) {
      g.OggettoGLScelto = nullptr;
      if (ServiziSpazio().PrimaDiCancellare) ServiziSpazio().PrimaDiCancellare(*valore);
    }
    g.ListaVariabili->Elimina(arg->Nome);
  }
  RidisegnaRifCart();
}

}  // namespace

void detail::RegistraComandiOutput() {
  RegistraIstruzione("CmdClrScr", CmdClrScr);
  RegistraIstruzione("CmdStampaFunz", CmdStampaFunz);
  RegistraIstruzione("CmdGraficoFunz", CmdGraficoFunz);
  RegistraIstruzione("CmdLeggiVett", CmdLeggiVett);
  RegistraIstruzione("CmdStampaVett", CmdStampaVett);
  RegistraIstruzione("CmdLeggiMatr", CmdLeggiMatr);
  RegistraIstruzione("CmdStampaMatr", CmdStampaMatr);
  RegistraIstruzione("CmdCancella", CmdCancella);
}

}  // namespace qx
