// Program files ("*.qxs", "*.qxa"): the header with the program text, the output and the
// trace points, the frame, then for each variable, oldest first, a type record and the
// value's record (a chart's two vectors and a list's members follow it as records of
// their own). Reading parses the whole file into a `TProgrammaLetto` and touches nothing
// else; only a file that read completely is then put into the environment.
#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/stream/ComponenteStream.h"
#include "values/Collezioni.h"
#include "values/RifCart.h"
#include "values/Variabili.h"

namespace qx {

// The work as it stands, as the saver needs it.
struct TStatoProgramma {
  std::string Testo;   // the program text, lines separated by CR LF
  std::string Stampa;  // the output pane's text
  const TCollPunti* PuntiTraccia = nullptr;
  int ContatoreOggetti = 0;
  const cRifCart* RifCart = nullptr;
  const cListaVariabili* Variabili = nullptr;
};

struct TFileScritto {
  std::string Dati;
  // Where a character that Windows-1252 cannot hold was first written as "?" ("nel testo
  // del programma", "nell'output", "nell'oggetto P", ...); empty when nothing was lost.
  std::string Perdita;
  // The message the save shows once about it; empty when nothing was lost.
  std::string Avviso() const;
};

TFileScritto ScriviProgramma(const TStatoProgramma& stato);

struct TProgrammaLetto {
  int NumOfVar = 0;
  int LastNumVar = 0;
  std::string Testo;
  std::string Stampa;
  TCollPunti Punti;
  std::unique_ptr<cRifCart> RifCart;           // the frame's stored settings
  TComponenteStream RecordRifCart;             // the frame's record, read into the reset frame
  std::vector<std::unique_ptr<cValore>> Valori;  // oldest first
  bool bSpazio = false;                          // a space value was read: show the 3D view
};

// Parses a whole file. False, with the reason, when any part of it does not read; nothing
// outside `letto` is changed either way.
bool LeggiProgramma(std::string_view dati, TProgrammaLetto& letto, std::string& motivo);

// Puts a parsed file into an environment that the caller has just reset: the object
// counter, the trace points, the frame's record read into the frame (what it leaves out
// stays as the reset made it), and every value stored under its own
// name, in file order; each drawable value becomes visible and hands its pen, brush and
// font to the current ones, so the last one's are current at the end. Cannot fail.
void ApplicaProgramma(TProgrammaLetto& letto, cListaVariabili& variabili, cRifCart& rifCart, TCollPunti* puntiTraccia);

// A whole file read from disk and parsed; false with the message for the error box.
bool CaricaFileProgramma(const std::string& percorso, TProgrammaLetto& letto, std::string& errore);
// The work written to disk by the safe save; false with the message for the error box.
// `avviso` says once where characters were lost, empty when none were.
bool SalvaFileProgramma(const std::string& percorso, const TStatoProgramma& stato, std::string& errore,
                        std::string& avviso);

}  // namespace qx
