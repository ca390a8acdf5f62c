// The functions that ask the user for a value, and random numbers and angle measures.
#include <cstdint>

#include "interpreter/ComandiBase.h"
#include "interpreter/ComandiGenerali.h"
#include "interpreter/Dispatch.h"
#include "runstate/DatiGlob.h"
#include "runstate/ErrorReport.h"
#include "runstate/ParoleChiave.h"
#include "runstate/WindowServices.h"
#include "values/ValoriScalari.h"

namespace qx {

namespace {

// The prompt of the input functions, joined as the print statement joins its values.
bool TestoPrompt(const ListaArgomenti& argomenti, std::string& prompt) {
  prompt.clear();
  for (int i = 0; i < argomenti.Count(); ++i) {
    std::string parte;
    const cValore* v = argomenti.Valore(i);
    if (!v || !TestoDiValore(*v, parte)) {
      ReportError(ParoleChiave.msgParametriErrati + ParoleChiave.msgLegginumStringa, true);
      return false;
    }
    prompt += parte;
  }
  return true;
}

PValore Errore(const std::string& messaggio) {
  ReportError(messaggio, true);
  return nullptr;
}

// A cancelled dialog ends the run quietly.
PValore Annullato() {
  DatiGlob.bStop = true;
  return nullptr;
}

PValore CmdLeggiNum(ListaArgomenti& a, const std::string&, bool Esegui) {
  if (!Esegui) return nullptr;
  std::string prompt;
  if (!TestoPrompt(a, prompt) || DatiGlob.bStop) return nullptr;
  long double valore = 0;
  if (!Finestra().LeggiNum(prompt, valore)) return Annullato();
  return std::make_unique<cValoreReale>(valore);
}

PValore CmdLeggiStr(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  std::string prompt;
  if (!TestoPrompt(a, prompt) || DatiGlob.bStop) return nullptr;
  std::string testo;
  // A cancelled box gives the empty string and the run goes on.
  if (!Finestra().InputBox(nome, prompt, testo)) testo.clear();
  return std::make_unique<cValoreStringa>(testo);
}

PValore CmdLeggiMisuraAng(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  if (!(a.Vuota() || (a.Count() == 1 && a.Tipo(0) == T_STRINGA)))
    return Errore(ParoleChiave.msgParametriErrati + nome);
  if (DatiGlob.bStop) return nullptr;
  int gradi = 0, primi = 0;
  long double secondi = 0;
  if (!Finestra().LeggiGrado(a.Testo(0), gradi, primi, secondi)) return Annullato();
  auto r = std::make_unique<cValoreGrado>();
  r->Gradi = gradi;
  r->Primi = primi;
  r->Secondi = secondi;
  return r;
}

PValore CmdDomanda(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  if (a.Count() != 1 || a.Tipo(0) != T_STRINGA) return Errore(ParoleChiave.msgParametriErrati + nome);
  if (DatiGlob.bStop) return nullptr;
  const int risultato = Finestra().Domanda(nome, a.Testo(0));
  if (risultato == mrCancel || risultato == mrNone) return Annullato();
  return std::make_unique<cValoreBool>(risultato == mrYes);
}

// Uniform in [0, 1): 53 random bits over 2^53, so 1 itself never comes out.
Reale Casuale() {
  std::mt19937& gen = GeneratoreCasuale();
  const std::uint64_t alti = gen() >> 5, bassi = gen() >> 6;
  return static_cast<Reale>((alti << 26) | bassi) / 9007199254740992.0L;
}

PValore CmdNumeroACaso(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  if (a.Tipo(0) != T_REALE || a.Tipo(1) != T_REALE) return Errore(ParoleChiave.msgParametriErrati + nome);
  const Reale da = a.Numero(0), fino = a.Numero(1);
  return std::make_unique<cValoreReale>(da + Casuale() * (fino - da));
}

PValore CmdMisuraAng(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  if (a.Tipo(0) != T_REALE) return Errore(ParoleChiave.msgParametriErrati + nome);
  const Reale g = a.Numero(0);
  const Reale p = a.Tipo(1) == T_REALE ? a.Numero(1) : 0;
  const Reale s = a.Tipo(2) == T_REALE ? a.Numero(2) : 0;
  if (!(g >= 0 && g <= 360 && p >= 0 && p <= 60 && s >= 0 && s <= 60))
    return Errore(ParoleChiave.msgParametriNonValidi + nome);
  auto r = std::make_unique<cValoreGrado>();
  r->Gradi = g;
  r->Primi = p;
  r->Secondi = s;
  return r;
}

}  // namespace

void detail::RegistraComandiInput() {
  RegistraValore("CmdLeggiNum", CmdLeggiNum);
  RegistraValore("CmdLeggiStr", CmdLeggiStr);
  RegistraValore("CmdLeggiMisuraAng", CmdLeggiMisuraAng);
  RegistraValore("CmdDomanda", CmdDomanda);
  RegistraValore("CmdNumeroACaso", CmdNumeroACaso);
  RegistraValore("CmdMisuraAng", CmdMisuraAng);
}

}  // namespace qx
