// Our own reading of a dBASE file's header, done before shapelib sees the file: shapelib
// trusts the sizes a header states, so a damaged or foreign file must be turned away here.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qx::dbf {

// A field as the header describes it. `Tipo` is the dBASE letter ('C' text, 'N' and 'F'
// numbers, 'D' date, 'L' logical); `Posizione` is its first byte within the record.
struct TCampo {
  std::string Nome;  // UTF-8
  char Tipo = 'C';
  int Larghezza = 0;
  int Decimali = 0;
  int Posizione = 0;
};

struct TIntestazioneDbf {
  int Versione = 0;
  std::uint32_t Record = 0;
  int LunghezzaIntestazione = 0;
  int LunghezzaRecord = 0;
  int Lingua = 0;  // the language driver byte
  std::vector<TCampo> Campi;
};

enum class TEsitoIntestazione {
  Valida,
  Estranea,        // not a dBASE table at all
  Danneggiata,     // a dBASE table whose sizes do not agree with each other or with the file
  TipoNonGestito,  // a field of a kind the tables here cannot show (memo, binary, ...)
};

// Reads the header from the first bytes of the file (at least the whole header when the
// file holds it) and the file's size. On Valida `out` holds the header; on TipoNonGestito
// `tipo` holds the field kind turned away.
TEsitoIntestazione LeggiIntestazioneDbf(std::string_view inizio, std::uint64_t dimensioneFile,
                                        TIntestazioneDbf& out, char* tipo = nullptr);

}  // namespace qx::dbf
