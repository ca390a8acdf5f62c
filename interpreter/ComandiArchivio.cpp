// CREA_ARCHIVIO and APRI_ARCHIVIO: the small dBASE tables that a class fills in the archive
// dialog, kept in the folder ARC of the program folder.
#include <cmath>
#include <filesystem>
#include <vector>

#include "interpreter/ComandiGenerali.h"
#include "interpreter/Dispatch.h"
#include "platform/dbf/TabellaDbf.h"
#include "runstate/DatiGlob.h"
#include "runstate/ErrorReport.h"
#include "runstate/ParoleChiave.h"
#include "runstate/WindowServices.h"

namespace qx {

namespace {

namespace fs = std::filesystem;

// The field types of the language's constants TESTO, NUMERO and DATA.
constexpr Reale CAMPO_TESTO = 1, CAMPO_NUMERO = 2, CAMPO_DATA = 3;
constexpr Reale LARGHEZZA_PREDEFINITA = 30;
// Any width above dBASE's limit fails the same way; this only keeps the number an int.
constexpr Reale LARGHEZZA_LIMITE = 100000;

std::string CartellaArchivi() { return DatiGlob.CartellaProgramma + "ARC"; }

void ErroreParametri(const std::string& parola) { ReportError(ParoleChiave.msgParametriErrati + parola, true); }

// The archive dialog on the table: the window opens the table itself, in the same folder.
void ApriArchivio(const std::string& tabella) { Finestra().EditaArchivio("Archivio " + tabella, tabella); }

// arguments := table-name { field-name type [ width ] }
// Reading stops at a field name that no type follows; a type other than TESTO, NUMERO and
// DATA adds no field; the width counts only for text. False when the table has no name; the
// names are checked by the creation, whose failure does not stop the run.
bool LeggiDefinizione(const ListaArgomenti& a, std::string& tabella, std::vector<dbf::TCampo>& campi) {
  if (a.Tipo(0) != T_STRINGA) return false;
  tabella = a.Testo(0);
  int i = 1;
  while (a.Tipo(i) == T_STRINGA) {
    const std::string nome = a.Testo(i);
    if (a.Tipo(i + 1) != T_REALE) break;
    const Reale tipo = a.Numero(i + 1);
    i += 2;
    Reale larghezza = LARGHEZZA_PREDEFINITA;
    if (a.Tipo(i) == T_REALE) {
      larghezza = std::fabs(a.Numero(i));
      larghezza = larghezza <= LARGHEZZA_LIMITE ? std::trunc(larghezza) : LARGHEZZA_LIMITE;
      ++i;
    }
    if (tipo != CAMPO_TESTO && tipo != CAMPO_NUMERO && tipo != CAMPO_DATA) continue;
    if (tipo == CAMPO_TESTO)
      campi.push_back(dbf::CampoTesto(nome, static_cast<int>(larghezza)));
    else if (tipo == CAMPO_NUMERO)
      campi.push_back(dbf::CampoNumero(nome));
    else
      campi.push_back(dbf::CampoData(nome));
  }
  return true;
}

bool Conferma(const std::string& domanda) {
  return Finestra().MessageBox(domanda, "Conferma", TTipoMessaggio::Domanda, TPulsanti::SiNo) == mrYes;
}

void CmdCreaArchivio(bool Esegui, ListaArgomenti& a, const std::string&) {
  if (!Esegui) return;
  const TParoleChiave& k = ParoleChiave;
  std::string tabella;
  std::vector<dbf::TCampo> campi;
  if (!LeggiDefinizione(a, tabella, campi)) return ErroreParametri(k.CREA_ARCHIVIO);
  WindowServices& f = Finestra();
  const auto fallita = [&f] {
    f.MessageBox("Errore nella creazione dell'archivio", "Errore", TTipoMessaggio::Errore, TPulsanti::OK);
  };
  // A name that no file of the archive folder can bear ("..", "a/b", a field of eleven
  // letters) is a failed creation, as dBASE refuses it: the pupil is told, and the run goes on.
  if (!dbf::NomeTabellaValido(tabella)) return fallita();

  const std::string cartella = CartellaArchivi();
  if (!f.EsisteCartella(cartella)) {
    std::error_code ec;
    fs::create_directory(cartella, ec);
    if (ec || !f.EsisteCartella(cartella)) return ReportError("Cannot create " + cartella, true);
  }

  const std::string percorso = dbf::PercorsoTabella(cartella, tabella);
  std::error_code ec;
  if (fs::exists(percorso, ec)) {
    // Only two answers of No empty the table: any other answer keeps it and opens it.
    const int risposta =
        f.MessageBox("L'archivio " + tabella +
                         " esiste già, premi [OK] se lo vuoi aprire, premi [NO] se lo vuoi azzerare e ricreare",
                     "Conferma", TTipoMessaggio::Domanda, TPulsanti::SiNo);
    if (risposta != mrNo || !Conferma("Sicuro di volere azzerare l'archivio? tutti i dati andranno persi!"))
      return ApriArchivio(tabella);
  }
  std::string errore;
  if (dbf::CreaTabella(percorso, campi, errore))
    f.MessageBox("L'archivio è stato creato, utilizza il comando " + k.APRI_ARCHIVIO + " per aprirlo.", "Informazione",
                 TTipoMessaggio::Informazione, TPulsanti::OK);
  else
    fallita();
}

void CmdApriArchivio(bool Esegui, ListaArgomenti& a, const std::string&) {
  if (!Esegui) return;
  if (a.Count() != 1 || a.Tipo(0) != T_STRINGA || !dbf::NomeTabellaValido(a.Testo(0)))
    return ErroreParametri(ParoleChiave.APRI_ARCHIVIO);
  ApriArchivio(a.Testo(0));
}

}  // namespace

void detail::RegistraComandiArchivio() {
  RegistraIstruzione("CmdCreaArchivio", CmdCreaArchivio);
  RegistraIstruzione("CmdApriArchivio", CmdApriArchivio);
}

}  // namespace qx
