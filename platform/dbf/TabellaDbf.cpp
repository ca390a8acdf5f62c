#include "platform/dbf/TabellaDbf.h"

#include <fcntl.h>
#include <shapefil.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "platform/Cp1252.h"
#include "platform/PercorsoSenzaMaiuscole.h"

namespace qx::dbf {

namespace fs = std::filesystem;

namespace {

// ---- What shapelib is allowed to do to the disk ----
// Shapelib reports through a hook that prints by default: here the last report is kept
// for the message. It opens the file it derives from the name it is given (it swaps the
// extension for ".dbf" or ".DBF" and looks for a ".cpg" code-page file beside it): here it
// opens exactly the file that was checked, never reads a code page (tables are
// Windows-1252) and deletes nothing.
std::string gErroreShapelib;
const char* gFileForzato = nullptr;
SAFile (*gApriPredefinito)(const char*, const char*) = nullptr;

bool FinisceCon(const std::string& s, const char* fine) {
  const std::string f(fine);
  if (s.size() < f.size()) return false;
  for (std::size_t i = 0; i < f.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(s[s.size() - f.size() + i])) != f[i]) return false;
  return true;
}

SAFile ApriFile(const char* nome, const char* accesso) {
  if (FinisceCon(nome, ".cpg")) return nullptr;
  return gApriPredefinito(gFileForzato ? gFileForzato : nome, accesso);
}
int NonCancellare(const char*) { return 0; }
void Segnala(const char* messaggio) { gErroreShapelib = messaggio ? messaggio : ""; }

SAHooks* Ganci() {
  static SAHooks ganci = [] {
    SAHooks g;
    SASetupDefaultHooks(&g);
    gApriPredefinito = g.FOpen;
    g.FOpen = ApriFile;
    g.Remove = NonCancellare;
    g.Error = Segnala;
    return g;
  }();
  return &ganci;
}

// Makes shapelib open `percorso` for the length of one open or create call.
class FileForzato {
 public:
  explicit FileForzato(const std::string& percorso) {
    gFileForzato = percorso.c_str();
    gErroreShapelib.clear();
  }
  ~FileForzato() { gFileForzato = nullptr; }
  FileForzato(const FileForzato&) = delete;
  FileForzato& operator=(const FileForzato&) = delete;
};

// ---- The advisory lock ----
enum class TEsitoBlocco { Preso, Manca, InUso, Illeggibile };

TEsitoBlocco Blocca(const std::string& percorso, int& fd) {
  // Non-blocking, so that a pipe in the table's place cannot hang the open.
  fd = ::open(percorso.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return errno == ENOENT ? TEsitoBlocco::Manca : TEsitoBlocco::Illeggibile;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool inUso = errno == EWOULDBLOCK;
    ::close(fd);
    fd = -1;
    return inUso ? TEsitoBlocco::InUso : TEsitoBlocco::Illeggibile;
  }
  return TEsitoBlocco::Preso;
}

// Holds the lock while it lives: closing the file drops it.
struct Blocco {
  ~Blocco() {
    if (fd >= 0) ::close(fd);
  }
  int fd = -1;
};

std::string NomeTabella(const std::string& percorso) { return fs::path(percorso).stem().string(); }
// "L'archivio RUBRICA" to begin a message, "l'archivio RUBRICA" inside one.
std::string Archivio(const std::string& percorso) { return "L'archivio " + NomeTabella(percorso); }
std::string DellArchivio(const std::string& percorso) { return "l'archivio " + NomeTabella(percorso); }

void DataDiOggi(DBFHandle h) {
  const std::time_t t = std::time(nullptr);
  std::tm oggi{};
  localtime_r(&t, &oggi);
  DBFSetLastModifiedDate(h, oggi.tm_year, oggi.tm_mon + 1, oggi.tm_mday);
}

std::string Maiuscolo(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

bool HaControlli(const std::string& s) {
  return std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

std::string Spazi(std::string s, std::size_t larghezza) {
  s.resize(larghezza, ' ');
  return s;
}

std::string TogliSpaziFinali(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.pop_back();
  return s;
}

std::string TogliSpazi(const std::string& s) {
  std::size_t a = 0;
  while (a < s.size() && (s[a] == ' ' || s[a] == '\0')) ++a;
  return TogliSpaziFinali(s.substr(a));
}

// A number as a user writes it: decimal point, optional sign, nothing after it.
bool LeggiNumero(const std::string& testo, long double& x) {
  const std::string t = TogliSpazi(testo);
  if (t.empty() || t.find_first_not_of("+-.0123456789eE") != std::string::npos) return false;
  char* fine = nullptr;
  x = std::strtold(t.c_str(), &fine);
  return fine == t.c_str() + t.size() && std::isfinite(x);
}

// "d/m/yyyy" (day and month of one or two digits) as dBASE's "yyyymmdd".
bool LeggiData(const std::string& testo, std::string& aaaammgg) {
  const std::string t = TogliSpazi(testo);
  int g = 0, m = 0, a = 0, letti = 0;
  if (std::sscanf(t.c_str(), "%2d/%2d/%4d%n", &g, &m, &a, &letti) != 3 || letti != static_cast<int>(t.size()))
    return false;
  if (t.size() < 8 || t[t.size() - 5] != '/' || a < 1) return false;  // four digits of year
  static const int giorni[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool bisestile = (a % 4 == 0 && a % 100 != 0) || a % 400 == 0;
  if (m < 1 || m > 12 || g < 1 || g > giorni[m - 1] + (m == 2 && bisestile)) return false;
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04d%02d%02d", a, m, g);
  aaaammgg = buf;
  return true;
}

// The number as the field holds it: right-aligned in the field's width with its decimals.
// Written only when that text is the number exactly: a number wider than the field, or one
// with more decimals than the field keeps, is refused rather than cut or rounded.
bool NumeroNelCampo(long double x, const TCampo& c, std::string& byte, std::string& errore) {
  const int n = std::snprintf(nullptr, 0, "%*.*Lf", c.Larghezza, c.Decimali, x);
  if (n < 0) return false;
  byte.assign(static_cast<std::size_t>(n) + 1, '\0');
  std::snprintf(byte.data(), byte.size(), "%*.*Lf", c.Larghezza, c.Decimali, x);
  byte.pop_back();
  if (n > c.Larghezza) {
    errore = "Il numero è troppo grande per il campo " + c.Nome;
    return false;
  }
  if (std::strtold(byte.c_str(), nullptr) != x) {
    errore = "Il campo " + c.Nome + " tiene al massimo " + std::to_string(c.Decimali) + " decimali";
    return false;
  }
  return true;
}

bool SoloCifre(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool Numerico(char tipo) { return tipo == 'N' || tipo == 'F'; }

// What the order compares: a number (absent when the field is empty or unreadable) or the
// bytes of the field.
struct TChiave {
  bool numerica = false;
  bool presente = false;
  long double numero = 0;
  std::string testo;
};

int Confronta(const TChiave& a, const TChiave& b) {
  if (a.numerica) {
    if (a.presente != b.presente) return a.presente ? 1 : -1;
    if (!a.presente || a.numero == b.numero) return 0;
    return a.numero < b.numero ? -1 : 1;
  }
  const int c = a.testo.compare(b.testo);
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

}  // namespace

TCampo CampoTesto(const std::string& nome, int larghezza) { return {nome, 'C', larghezza, 0, 0}; }
TCampo CampoNumero(const std::string& nome) { return {nome, 'N', 20, 6, 0}; }
TCampo CampoData(const std::string& nome) { return {nome, 'D', 8, 0, 0}; }

bool NomeCampoValido(const std::string& nome) {
  if (nome.empty() || HaControlli(nome) || nome.find_first_of("/\\") != std::string::npos) return false;
  std::string perso;
  const std::string disco = Utf8ToCp1252(nome, &perso);
  return perso.empty() && disco.size() <= static_cast<std::size_t>(NOME_CAMPO_MAX);
}

bool NomeTabellaValido(const std::string& nome) {
  if (nome.empty() || nome == "." || nome == ".." || HaControlli(nome)) return false;
  return nome.find_first_of("/\\") == std::string::npos && nome.size() <= static_cast<std::size_t>(NOME_TABELLA_MAX);
}

std::string PercorsoTabella(const std::string& cartella, const std::string& nome) {
  return PercorsoSenzaMaiuscole(cartella, nome + ".dbf");
}

// A name beside the target that no file has, taken at once so that nobody else takes it
// (another table may well be called "RUBRICA~1"); empty when none can be made.
std::string NomeLibero(const fs::path& destinazione) {
  const std::string base = (destinazione.parent_path() / destinazione.stem()).string() + "~" + std::to_string(::getpid());
  for (int n = 0; n < 100; ++n) {
    const std::string nome = base + "_" + std::to_string(n) + ".dbf";
    const int fd = ::open(nome.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      ::close(fd);
      return nome;
    }
    if (errno != EEXIST) return {};
  }
  return {};
}

bool CreaTabella(const std::string& percorso, const std::vector<TCampo>& campi, std::string& errore) {
  const std::string archivio = Archivio(percorso);
  // The definition first, so that a wrong one touches nothing.
  int lunghezza = 1;
  std::vector<std::string> nomi;
  if (campi.empty() || campi.size() > static_cast<std::size_t>(CAMPI_MAX)) {
    errore = "Un archivio deve avere da 1 a " + std::to_string(CAMPI_MAX) + " campi";
    return false;
  }
  for (const TCampo& c : campi) {
    const bool larghezzaValida = c.Tipo == 'C'   ? c.Larghezza >= 1 && c.Larghezza <= LARGHEZZA_TESTO_MAX
                                 : c.Tipo == 'N' ? c.Larghezza >= 1 && c.Larghezza <= 20 && c.Decimali >= 0 &&
                                                       c.Decimali < c.Larghezza
                                 : c.Tipo == 'D' ? c.Larghezza == 8
                                                 : false;
    if (!NomeCampoValido(c.Nome) || !larghezzaValida) {
      errore = "Campo non valido: " + c.Nome;
      return false;
    }
    const std::string nome = Maiuscolo(c.Nome);
    if (std::find(nomi.begin(), nomi.end(), nome) != nomi.end()) {
      errore = "Campo ripetuto: " + c.Nome;
      return false;
    }
    nomi.push_back(nome);
    lunghezza += c.Larghezza;
  }
  if (lunghezza > LUNGHEZZA_RECORD_MAX) {
    errore = "I campi superano i " + std::to_string(LUNGHEZZA_RECORD_MAX) + " caratteri di un record";
    return false;
  }

  // Whoever has the old table open keeps it: it is not replaced under them.
  Blocco vecchio;
  const TEsitoBlocco b = Blocca(percorso, vecchio.fd);
  if (b == TEsitoBlocco::InUso) {
    errore = archivio + " è già in uso";
    return false;
  }
  const fs::path destinazione(percorso);
  const std::string nuovo = NomeLibero(destinazione);
  bool scritto = false;
  if (!nuovo.empty()) {
    FileForzato forzato(nuovo);
    DBFHandle h = DBFCreateLL(nuovo.c_str(), "LDID/87", Ganci());
    if (h) {
      scritto = true;
      for (const TCampo& c : campi)
        scritto = scritto && DBFAddNativeFieldType(h, Utf8ToCp1252(c.Nome).c_str(), c.Tipo, c.Larghezza,
                                                   c.Decimali) >= 0;
      DataDiOggi(h);
      DBFClose(h);
      scritto = scritto && gErroreShapelib.empty();
    }
  }
  std::error_code ec;
  if (scritto) fs::rename(nuovo, destinazione, ec);
  if (!scritto || ec) {
    fs::remove(nuovo, ec);
    errore = "Impossibile scrivere " + DellArchivio(percorso);
    return false;
  }
  return true;
}

// ---- The open table ----

struct TTabella::Dati {
  std::string percorso;
  Blocco blocco;
  DBFHandle h = nullptr;
  bool solaLettura = false;
  bool dataImpostata = false;
  TIntestazioneDbf intestazione;
  std::vector<std::string> record;  // the raw bytes, deletion mark first
  std::vector<int> ordine;           // the records of the rows
  int campoOrdine = -1;

  ~Dati() {
    if (h) DBFClose(h);
  }
  const TCampo& Campo(int i) const { return intestazione.Campi[static_cast<std::size_t>(i)]; }
  std::string Grezzo(int rec, int campo) const {
    const TCampo& c = Campo(campo);
    return record[static_cast<std::size_t>(rec)].substr(static_cast<std::size_t>(c.Posizione),
                                                        static_cast<std::size_t>(c.Larghezza));
  }
  bool Cancellato(int rec) const { return record[static_cast<std::size_t>(rec)][0] == '*'; }

  TChiave ChiaveRecord(int rec) const {
    const TCampo& c = Campo(campoOrdine);
    TChiave k;
    const std::string g = Grezzo(rec, campoOrdine);
    k.numerica = Numerico(c.Tipo);
    if (k.numerica)
      k.presente = LeggiNumero(g, k.numero);
    else
      k.testo = c.Tipo == 'C' ? TogliSpaziFinali(g) : TogliSpazi(g);
    return k;
  }

  void Riordina() {
    ordine.clear();
    for (int r = 0; r < static_cast<int>(record.size()); ++r)
      if (!Cancellato(r)) ordine.push_back(r);
    if (campoOrdine < 0) return;
    std::vector<TChiave> chiavi(record.size());
    for (int r : ordine) chiavi[static_cast<std::size_t>(r)] = ChiaveRecord(r);
    std::stable_sort(ordine.begin(), ordine.end(), [&](int a, int b) {
      return Confronta(chiavi[static_cast<std::size_t>(a)], chiavi[static_cast<std::size_t>(b)]) < 0;
    });
  }

  // Writes the field's bytes through shapelib and at once to the disk.
  bool ScriviGrezzo(int rec, int campo, const std::string& byte, std::string& errore) {
    if (!dataImpostata) {
      DataDiOggi(h);
      dataImpostata = true;
    }
    gErroreShapelib.clear();
    const bool ok = DBFWriteAttributeDirectly(h, rec, campo, const_cast<char*>(byte.c_str())) != 0;
    DBFUpdateHeader(h);
    if (!ok || !gErroreShapelib.empty()) {
      errore = "Impossibile scrivere " + DellArchivio(percorso);
      return false;
    }
    if (rec == static_cast<int>(record.size())) record.push_back(std::string(static_cast<std::size_t>(intestazione.LunghezzaRecord), ' '));
    const TCampo& c = Campo(campo);
    record[static_cast<std::size_t>(rec)].replace(static_cast<std::size_t>(c.Posizione), byte.size(), byte);
    return true;
  }
};

TTabella::TTabella() = default;
TTabella::~TTabella() = default;

bool TTabella::Apri(const std::string& percorso, std::string& errore) {
  Chiudi();
  const std::string archivio = Archivio(percorso);
  auto d = std::make_unique<Dati>();
  d->percorso = percorso;
  switch (Blocca(percorso, d->blocco.fd)) {
    case TEsitoBlocco::Preso:
      break;
    case TEsitoBlocco::Manca:
      errore = archivio + " non esiste";
      return false;
    case TEsitoBlocco::InUso:
      errore = archivio + " è già in uso";
      return false;
    case TEsitoBlocco::Illeggibile:
      errore = "Impossibile leggere " + DellArchivio(percorso);
      return false;
  }
  struct stat st {};
  if (::fstat(d->blocco.fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    errore = "Impossibile leggere " + DellArchivio(percorso);
    return false;
  }
  // The header is at most 65535 bytes long.
  std::string inizio(static_cast<std::size_t>(std::min<off_t>(st.st_size, 65536)), '\0');
  if (::pread(d->blocco.fd, inizio.data(), inizio.size(), 0) != static_cast<ssize_t>(inizio.size())) {
    errore = "Impossibile leggere " + DellArchivio(percorso);
    return false;
  }
  char tipo = 0;
  switch (LeggiIntestazioneDbf(inizio, static_cast<std::uint64_t>(st.st_size), d->intestazione, &tipo)) {
    case TEsitoIntestazione::Valida:
      break;
    case TEsitoIntestazione::Estranea:
      errore = archivio + " non è un archivio dBASE";
      return false;
    case TEsitoIntestazione::Danneggiata:
      errore = archivio + " è danneggiato";
      return false;
    case TEsitoIntestazione::TipoNonGestito:
      errore = archivio + " ha campi di un tipo che non si può mostrare (" + Cp1252ToUtf8(std::string(1, tipo)) + ")";
      return false;
  }
  {
    FileForzato forzato(percorso);
    d->solaLettura = ::access(percorso.c_str(), W_OK) != 0;
    d->h = DBFOpenLL(percorso.c_str(), d->solaLettura ? "rb" : "rb+", Ganci());
  }
  if (!d->h) {
    errore = "Impossibile leggere " + DellArchivio(percorso);
    return false;
  }
  // Shapelib must see the table as the header check did.
  const TIntestazioneDbf& t = d->intestazione;
  bool concorda = DBFGetFieldCount(d->h) == static_cast<int>(t.Campi.size()) &&
                  DBFGetRecordCount(d->h) == static_cast<int>(t.Record) && d->h->nRecordLength == t.LunghezzaRecord;
  for (int i = 0; concorda && i < static_cast<int>(t.Campi.size()); ++i) {
    int larghezza = 0, decimali = 0;
    DBFGetFieldInfo(d->h, i, nullptr, &larghezza, &decimali);
    concorda = larghezza == t.Campi[static_cast<std::size_t>(i)].Larghezza &&
               DBFGetNativeFieldType(d->h, i) == t.Campi[static_cast<std::size_t>(i)].Tipo;
  }
  if (!concorda) {
    errore = archivio + " è danneggiato";
    return false;
  }
  d->record.reserve(t.Record);
  for (int r = 0; r < static_cast<int>(t.Record); ++r) {
    // Shapelib hands back its one record buffer, which the next read overwrites.
    const char* tupla = DBFReadTuple(d->h, r);
    if (!tupla) {
      errore = "Impossibile leggere " + DellArchivio(percorso);
      return false;
    }
    d->record.emplace_back(tupla, static_cast<std::size_t>(t.LunghezzaRecord));
  }
  d->Riordina();
  d_ = std::move(d);
  return true;
}

void TTabella::Chiudi() { d_.reset(); }

bool TTabella::Aperta() const { return d_ != nullptr; }
bool TTabella::SolaLettura() const { return d_ && d_->solaLettura; }

const std::vector<TCampo>& TTabella::Campi() const {
  static const std::vector<TCampo> nessuno;
  return d_ ? d_->intestazione.Campi : nessuno;
}

int TTabella::IndiceCampo(const std::string& nome) const {
  const std::vector<TCampo>& c = Campi();
  for (std::size_t i = 0; i < c.size(); ++i)
    if (Maiuscolo(c[i].Nome) == Maiuscolo(nome)) return static_cast<int>(i);
  return -1;
}

int TTabella::Righe() const { return d_ ? static_cast<int>(d_->ordine.size()) : 0; }

int TTabella::Record(int riga) const {
  return riga >= 0 && riga < Righe() ? d_->ordine[static_cast<std::size_t>(riga)] : -1;
}

int TTabella::RigaDelRecord(int record) const {
  if (!d_) return -1;
  const auto it = std::find(d_->ordine.begin(), d_->ordine.end(), record);
  return it == d_->ordine.end() ? -1 : static_cast<int>(it - d_->ordine.begin());
}

std::string TTabella::Testo(int riga, int campo) const {
  const int rec = Record(riga);
  if (rec < 0 || campo < 0 || campo >= static_cast<int>(Campi().size())) return {};
  const std::string g = d_->Grezzo(rec, campo);
  const char tipo = d_->Campo(campo).Tipo;
  if (tipo == 'C') return Cp1252ToUtf8(TogliSpaziFinali(g));
  std::string t = TogliSpazi(g);
  long double x = 0;
  if (Numerico(tipo) && LeggiNumero(t, x)) {
    // The digits as stored, without the zeros that only fill the decimals.
    if (t.find('.') != std::string::npos && t.find_first_of("eE") == std::string::npos) {
      while (t.back() == '0') t.pop_back();
      if (t.back() == '.') t.pop_back();
    }
    if (x == 0) t = "0";
    return t;
  }
  if (tipo == 'D' && t.size() == 8 && SoloCifre(t)) return t.substr(6, 2) + "/" + t.substr(4, 2) + "/" + t.substr(0, 4);
  return Cp1252ToUtf8(t);
}

namespace {

// The field's bytes for the text a user typed, unpadded; false with a message when the text
// does not fit the field.
bool ByteDelCampo(const TCampo& c, const std::string& testo, std::string& byte, std::string& errore,
                  std::string* nota) {
  const auto larghezza = static_cast<std::size_t>(c.Larghezza);
  if (c.Tipo == 'C') {
    std::string perso;
    byte = TogliSpaziFinali(Utf8ToCp1252(testo, &perso));
    if (HaControlli(byte)) {
      errore = "Il testo per il campo " + c.Nome + " contiene caratteri di controllo";
      return false;
    }
    if (byte.size() > larghezza) {
      errore = "Il testo è troppo lungo per il campo " + c.Nome + " (al massimo " + std::to_string(c.Larghezza) +
               " caratteri)";
      return false;
    }
    if (!perso.empty() && nota)
      *nota = "Nel campo " + c.Nome + " il carattere " + perso + " non si può scrivere ed è diventato \"?\"";
  } else if (Numerico(c.Tipo)) {
    long double x = 0;
    if (!TogliSpazi(testo).empty()) {
      if (!LeggiNumero(testo, x)) {
        errore = "Il campo " + c.Nome + " vuole un numero";
        return false;
      }
      if (!NumeroNelCampo(x, c, byte, errore)) return false;
    }
  } else if (c.Tipo == 'D') {
    if (!TogliSpazi(testo).empty() && !LeggiData(testo, byte)) {
      errore = "Il campo " + c.Nome + " vuole una data gg/mm/aaaa";
      return false;
    }
  } else {
    const std::string t = Maiuscolo(TogliSpazi(testo));
    if (t.size() > 1 || (t.size() == 1 && std::string("TFYN?").find(t) == std::string::npos)) {
      errore = "Il campo " + c.Nome + " vuole T, F, Y, N o ?";
      return false;
    }
    byte = t;
  }
  return true;
}

}  // namespace

bool TTabella::Ammette(int campo, const std::string& testo, std::string& errore) const {
  if (!d_ || campo < 0 || campo >= static_cast<int>(Campi().size())) {
    errore = "Riga o campo inesistente";
    return false;
  }
  std::string byte;
  return ByteDelCampo(d_->Campo(campo), testo, byte, errore, nullptr);
}

bool TTabella::Scrivi(int riga, int campo, const std::string& testo, std::string& errore, std::string* nota) {
  const int rec = Record(riga);
  if (rec < 0 || campo < 0 || campo >= static_cast<int>(Campi().size())) {
    errore = "Riga o campo inesistente";
    return false;
  }
  if (d_->solaLettura) {
    errore = Archivio(d_->percorso) + " si può solo leggere";
    return false;
  }
  std::string byte;
  if (!ByteDelCampo(d_->Campo(campo), testo, byte, errore, nota)) return false;
  if (!d_->ScriviGrezzo(rec, campo, Spazi(byte, static_cast<std::size_t>(d_->Campo(campo).Larghezza)), errore))
    return false;
  // The row moves to where its new key belongs.
  if (campo == d_->campoOrdine) d_->Riordina();
  return true;
}

int TTabella::Aggiungi(std::string& errore) {
  if (!d_) {
    errore = "Nessun archivio aperto";
    return -1;
  }
  if (d_->solaLettura) {
    errore = Archivio(d_->percorso) + " si può solo leggere";
    return -1;
  }
  const int rec = static_cast<int>(d_->record.size());
  if (!d_->ScriviGrezzo(rec, 0, Spazi("", static_cast<std::size_t>(d_->Campo(0).Larghezza)), errore)) return -1;
  d_->Riordina();
  return RigaDelRecord(rec);
}

bool TTabella::Cancella(int riga, std::string& errore) {
  const int rec = Record(riga);
  if (rec < 0) {
    errore = "Riga inesistente";
    return false;
  }
  if (d_->solaLettura) {
    errore = Archivio(d_->percorso) + " si può solo leggere";
    return false;
  }
  gErroreShapelib.clear();
  const bool ok = DBFMarkRecordDeleted(d_->h, rec, 1) != 0;
  DBFUpdateHeader(d_->h);
  if (!ok || !gErroreShapelib.empty()) {
    errore = "Impossibile scrivere " + DellArchivio(d_->percorso);
    return false;
  }
  d_->record[static_cast<std::size_t>(rec)][0] = '*';
  d_->Riordina();
  return true;
}

void TTabella::OrdinaPer(int campo) {
  if (!d_) return;
  d_->campoOrdine = campo >= 0 && campo < static_cast<int>(Campi().size()) ? campo : -1;
  d_->Riordina();
}

int TTabella::CampoOrdine() const { return d_ ? d_->campoOrdine : -1; }

int TTabella::CercaVicino(const std::string& valore) const {
  if (!d_ || d_->campoOrdine < 0 || d_->ordine.empty()) return -1;
  const TCampo& c = d_->Campo(d_->campoOrdine);
  TChiave k;
  k.numerica = Numerico(c.Tipo);
  if (k.numerica) {
    if (!LeggiNumero(valore, k.numero)) return -1;
    k.presente = true;
  } else if (c.Tipo == 'D') {
    if (!LeggiData(valore, k.testo)) return -1;
  } else {
    k.testo = TogliSpaziFinali(Utf8ToCp1252(valore));
  }
  const auto it = std::lower_bound(d_->ordine.begin(), d_->ordine.end(), k,
                                   [&](int rec, const TChiave& v) { return Confronta(d_->ChiaveRecord(rec), v) < 0; });
  if (it == d_->ordine.end()) return Righe() - 1;
  return static_cast<int>(it - d_->ordine.begin());
}

int TTabella::CercaPrefisso(int campo, const std::string& testo) const {
  if (!d_ || testo.empty() || campo < 0 || campo >= static_cast<int>(Campi().size())) return -1;
  for (int riga = 0; riga < Righe(); ++riga)
    if (Testo(riga, campo).starts_with(testo)) return riga;
  return -1;
}

}  // namespace qx::dbf
