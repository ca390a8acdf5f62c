// The worksheet: the project's OpenDocument template "scheda.odt" filled at its bookmarks:
// nothing at ALUNNO, CLASSE and DATA (the pupil writes them), the picture after TABELLA and
// the program's lines after TABELLA1, written beside the program as
// "scheda-<program name>.odt". A bookmark the template lacks is passed over.
#pragma once
#include <string>
#include <vector>

#include "app/scheda/PacchettoZip.h"
#include "platform/Bitmap.h"

namespace qx {

// The template's entries with the picture and the program put in. Raises
// std::runtime_error when its content is not a document.
std::vector<TVoceZip> CompilaScheda(std::vector<TVoceZip> modello, const TBitmap& immagine, const std::string& programma);

// Reads the template, fills it and writes the document by the safe save; false with the
// message for the error box (a missing template says so).
bool EsportaScheda(const std::string& modello, const std::string& uscita, const TBitmap& immagine,
                   const std::string& programma, std::string& errore);

// Where the worksheet of a program goes: beside it, "scheda-" + its name without folder and
// extension + ".odt"; a program never saved has its worksheet in `cartella`.
std::string PercorsoScheda(const std::string& percorsoProgramma, const std::string& cartella);

// The name the next export of that program takes: PercorsoScheda's while it is free, then
// the first free one of "scheda-<name>-2.odt", "-3", ...: an earlier worksheet, which the
// pupil may have filled in, is never replaced.
std::string PercorsoSchedaNuova(const std::string& percorsoProgramma, const std::string& cartella);

}  // namespace qx
