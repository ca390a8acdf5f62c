#include "platform/dbf/IntestazioneDbf.h"

#include "platform/Cp1252.h"

namespace qx::dbf {

namespace {

constexpr std::size_t INTESTAZIONE = 32;
constexpr std::size_t DESCRITTORE = 32;
constexpr unsigned char FINE_DESCRITTORI = 0x0D;

unsigned Byte(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

bool TipoGestito(char t) { return t == 'C' || t == 'N' || t == 'F' || t == 'D' || t == 'L'; }

}  // namespace

// header := version date(3) records(4) header-length(2) record-length(2) ... (32 bytes)
//           { field-descriptor (32 bytes) } 0x0D
TEsitoIntestazione LeggiIntestazioneDbf(std::string_view inizio, std::uint64_t dimensioneFile,
                                        TIntestazioneDbf& out, char* tipo) {
  out = {};
  if (inizio.size() < INTESTAZIONE || dimensioneFile < INTESTAZIONE) return TEsitoIntestazione::Estranea;
  // dBASE III and its descendants keep 3 in the low bits of the first byte; the month and
  // day of the last update must be a month and a day.
  const unsigned versione = Byte(inizio, 0), mese = Byte(inizio, 2), giorno = Byte(inizio, 3);
  if ((versione & 0x07) != 3 || mese > 12 || giorno > 31) return TEsitoIntestazione::Estranea;
  out.Versione = static_cast<int>(versione);
  out.Record = Byte(inizio, 4) | Byte(inizio, 5) << 8 | Byte(inizio, 6) << 16 | std::uint32_t(Byte(inizio, 7)) << 24;
  out.LunghezzaIntestazione = static_cast<int>(Byte(inizio, 8) | Byte(inizio, 9) << 8);
  out.LunghezzaRecord = static_cast<int>(Byte(inizio, 10) | Byte(inizio, 11) << 8);
  out.Lingua = static_cast<int>(Byte(inizio, 29));

  const auto intestazione = static_cast<std::size_t>(out.LunghezzaIntestazione);
  // At least one field and its terminator, and all of it in the file.
  if (intestazione < INTESTAZIONE + DESCRITTORE + 1 || intestazione > dimensioneFile || intestazione > inizio.size())
    return TEsitoIntestazione::Danneggiata;
  std::size_t p = INTESTAZIONE;
  int posizione = 1;  // byte 0 of a record is its deletion mark
  for (;;) {
    if (p >= intestazione) return TEsitoIntestazione::Danneggiata;
    if (Byte(inizio, p) == FINE_DESCRITTORI) break;
    if (p + DESCRITTORE > intestazione) return TEsitoIntestazione::Danneggiata;
    const std::string_view d = inizio.substr(p, DESCRITTORE);
    TCampo c;
    std::size_t lunghezzaNome = 0;
    while (lunghezzaNome < 11 && d[lunghezzaNome] != '\0') ++lunghezzaNome;
    if (lunghezzaNome == 0) return TEsitoIntestazione::Danneggiata;
    c.Nome = Cp1252ToUtf8(d.substr(0, lunghezzaNome));
    c.Tipo = d[11];
    c.Larghezza = static_cast<int>(Byte(d, 16));
    c.Decimali = static_cast<int>(Byte(d, 17));
    c.Posizione = posizione;
    if (c.Larghezza < 1) return TEsitoIntestazione::Danneggiata;
    if (!TipoGestito(c.Tipo)) {
      if (tipo) *tipo = c.Tipo;
      return TEsitoIntestazione::TipoNonGestito;
    }
    posizione += c.Larghezza;
    out.Campi.push_back(std::move(c));
    p += DESCRITTORE;
  }
  if (out.Campi.empty() || posizione != out.LunghezzaRecord) return TEsitoIntestazione::Danneggiata;
  // Every record the header counts must be in the file (the end-of-file mark may be missing).
  const std::uint64_t dati = std::uint64_t(out.Record) * static_cast<std::uint64_t>(out.LunghezzaRecord);
  if (intestazione + dati > dimensioneFile) return TEsitoIntestazione::Danneggiata;
  return TEsitoIntestazione::Valida;
}

}  // namespace qx::dbf
