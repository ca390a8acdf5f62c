// Tables of the archive statements and of the table browser: real dBASE III files, kept
// with shapelib's DBF functions, with the text in Windows-1252 on disk and UTF-8 here.
//
// A table is opened exclusively (an advisory lock on the file), read whole, and written
// back field by field as it is edited, so the file always holds every edit. Sorting and
// searching work on an order kept in memory: they never write to the file.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/dbf/IntestazioneDbf.h"

namespace qx::dbf {

// What dBASE III allows.
constexpr int NOME_CAMPO_MAX = 10;
constexpr int LARGHEZZA_TESTO_MAX = 254;
constexpr int CAMPI_MAX = 128;
constexpr int LUNGHEZZA_RECORD_MAX = 4000;
// A table name is a file name: with ".dbf" it must fit the file system's 255 bytes.
constexpr int NOME_TABELLA_MAX = 251;

// The three kinds of field that the archive statements create: text of a width, numbers
// with width 20 and 6 decimals, dates.
TCampo CampoTesto(const std::string& nome, int larghezza);
TCampo CampoNumero(const std::string& nome);
TCampo CampoData(const std::string& nome);

// A field name dBASE can keep: 1 to 10 characters of Windows-1252, no control character and
// no path separator.
bool NomeCampoValido(const std::string& nome);
// A table name that makes one file in the folder: not empty, not "." or "..", no control
// character or path separator, and short enough for a file name.
bool NomeTabellaValido(const std::string& nome);

// The file of the table `nome` in `cartella`: an existing file named nome + ".dbf" in any
// mix of upper and lower case (tables copied from other systems), else cartella/nome.dbf.
std::string PercorsoTabella(const std::string& cartella, const std::string& nome);

// Creates the table file with these fields, or replaces an existing one with an empty
// table. The new file is written beside the target and renamed over it, so a failure leaves
// any old file as it was. False with a message when the fields are not a valid dBASE
// table, the old file is open elsewhere, or the file cannot be written.
bool CreaTabella(const std::string& percorso, const std::vector<TCampo>& campi, std::string& errore);

class TTabella {
 public:
  TTabella();
  ~TTabella();
  TTabella(const TTabella&) = delete;
  TTabella& operator=(const TTabella&) = delete;

  // Opens the table exclusively and reads it. False with a message when the file is
  // missing, in use, unreadable, damaged or not a dBASE table; the file is not touched.
  bool Apri(const std::string& percorso, std::string& errore);
  void Chiudi();
  bool Aperta() const;
  // A file that cannot be written is opened for reading only: edits are refused.
  bool SolaLettura() const;

  const std::vector<TCampo>& Campi() const;
  // The field of that name, upper and lower case alike; -1 when there is none.
  int IndiceCampo(const std::string& nome) const;

  // The rows in the current order; deleted records are left out.
  int Righe() const;
  // The record number (from 0, as in the file) of a row, and the row of a record (-1 when
  // the record is deleted or out of range).
  int Record(int riga) const;
  int RigaDelRecord(int record) const;

  // The field as the grid shows it: text without its trailing blanks, a number in its
  // shortest form ("12.5"), a date as dd/mm/yyyy; an empty field is "".
  std::string Testo(int riga, int campo) const;

  // Writes a field from the text a user typed, in the form Testo gives. False with a
  // message when the text does not fit the field (too long, not a number, not a date). A
  // character that Windows-1252 cannot hold is written as "?" and `nota` says so.
  bool Scrivi(int riga, int campo, const std::string& testo, std::string& errore, std::string* nota = nullptr);
  // Whether Scrivi would take the text for the field, writing nothing: a record is added
  // only for a value that fits.
  bool Ammette(int campo, const std::string& testo, std::string& errore) const;
  // Appends an empty record; its row, or -1 with a message.
  int Aggiungi(std::string& errore);
  // Marks the row's record deleted (dBASE keeps it in the file, hidden).
  bool Cancella(int riga, std::string& errore);

  // Orders the rows by a field (by the file's order with -1). Equal keys keep the file's
  // order; empty numbers and dates come first; text goes by its Windows-1252 bytes.
  void OrdinaPer(int campo);
  int CampoOrdine() const;

  // The first row of the order whose key is at or after the value, the last row when every
  // key is before it; -1 with no order, no rows, or a value that the field cannot hold.
  int CercaVicino(const std::string& valore) const;
  // The first row, in the current order, whose field begins with the text (upper and
  // lower case differ); -1 when none does.
  int CercaPrefisso(int campo, const std::string& testo) const;

 private:
  struct Dati;
  std::unique_ptr<Dati> d_;
};

}  // namespace qx::dbf
