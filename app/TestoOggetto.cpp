#include "app/TestoOggetto.h"

#include <cctype>

#include "app/file/FileProgramma.h"
#include "platform/ColorNames.h"
#include "runstate/ParoleChiave.h"
#include "solid/Punto3D.h"
#include "values/Funzioni.h"
#include "values/ValoreFunzione.h"
#include "values/ValoriScalari.h"
#include "values/Variabili.h"
#include "values/espressioni/Stampa.h"
#include "values/figure/ValoreLinea.h"

namespace qx {

namespace {

TColor ColoreVoce(const cValore& v) {
  if (const cValoreGraf* g = v.ComeGrafico()) {
    const TColor c = v.Tipo == T_TESTO ? g->Font.Color : g->Pen.Color;
    // A value drawn with no colour is still listed in a colour that can be read.
    return c == clNone ? clWindowText : c;
  }
  return clBlue;
}

// The colour's name without "cl", or its number: the same few colours over a whole table,
// so the last one is kept (the names are found by a walk through all of them).
std::string_view NomeColore(TColor colore) {
  static TColor ultimo = clNone;
  static std::string nome = "None";
  if (colore != ultimo) {
    nome = ColorToString(colore);
    if (nome.rfind("cl", 0) == 0) nome.erase(0, 2);
    ultimo = colore;
  }
  return nome;
}

std::string Minuscolo(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// What follows the name, by kind; nothing for the kinds that show only their name.
std::string TestoDopoNome(const cValore& v) {
  switch (v.Tipo) {
    case T_REALE:
      return " = " + NumeroInTestoDec(static_cast<const cValoreReale&>(v).Value, 2);
    case T_BOOLEANO:
      return " = " + (static_cast<const cValoreBool&>(v).Value ? ParoleChiave.VERO : ParoleChiave.FALSO);
    case T_STRINGA:
      return " = " + static_cast<const cValoreStringa&>(v).Value;
    case T_GRADO: {
      const auto& g = static_cast<const cValoreGrado&>(v);
      return "= " + NumeroInTesto(g.Gradi) + "\u00B0 " + NumeroInTesto(g.Primi) + "' " +
             NumeroInTestoDec(g.Secondi, 2) + "\"";
    }
    case T_FRAZIONE:
    case T_ESPRESSIONE:
    case T_FUNZIONE:
      if (const auto* f = dynamic_cast<const cValoreFunzione*>(&v)) return " = " + Minuscolo(AlberoInTesto(f->Albero()));
      return std::string();
    case T_PUNTO3D:
      if (const auto* p = dynamic_cast<const cValorePunto3D*>(&v)) {
        const TAffineVector c = p->Coordinate();
        return " = (" + NumeroInTestoDec(c.X, 2) + "," + NumeroInTestoDec(c.Y, 2) + "," + NumeroInTestoDec(c.Z, 2) +
               ")";
      }
      return std::string();
    default:
      return std::string();
  }
}

}  // namespace

std::string VoceListaOggetti(const cVariabile& variabile) {
  std::string voce;
  VoceListaOggetti(variabile, voce);
  return voce;
}

void VoceListaOggetti(const cVariabile& variabile, std::string& voce) {
  const cValore& v = *variabile.GetValore();
  std::string_view tipo = v.NomeTipo;
  if (v.Tipo == T_LINEA)
    if (const auto* l = dynamic_cast<const cValoreLinea*>(&v); l && l->_bScrittura) tipo = "Scrittura";
  voce.assign("<b><c:");
  voce.append(NomeColore(ColoreVoce(v)));
  voce.append(">").append(tipo).append(" </b><c:WindowText>");
  if (v.IsAnonimo())
    voce.append("senza nome");
  else
    voce.append(v.Nome);
  voce.append(TestoDopoNome(v));
}

bool NellaVistaNascosta(TipiValore tipo, bool vista3D) {
  return vista3D ? IsGeometriaPiana(tipo) : IsGeometriaSpazio(tipo);
}

bool SoloValoriDelPiano(const cListaVariabili& variabili) {
  bool piano = false;
  for (int i = 1; i <= variabili.Count(); ++i) {
    const cVariabile* v = variabili.Elemento(i);
    if (!v->GetValore() || IsPianoPredefinito(v->Nome)) continue;
    if (IsGeometriaSpazio(v->GetValore()->Tipo)) return false;
    piano = piano || IsGeometriaPiana(v->GetValore()->Tipo);
  }
  return piano;
}

}  // namespace qx
