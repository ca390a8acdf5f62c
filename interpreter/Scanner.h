// The character source and token reader of the interpreter. There is no lexing pass: the
// interpreter reads the program text straight from ListaIstruzioni while it executes, and
// the loops re-read their text by saving and restoring a position.
#pragma once
#include <algorithm>
#include <memory>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runstate/DatiGlob.h"
#include "runstate/WindowServices.h"

namespace qx {

constexpr std::size_t LUNGHEZZA_MASSIMA_NOME = 255;

struct PosizioneScanner {
  int Colonna = 0;
  char32_t ChCorrente = U' ';
  bool bFine = false;
  int IndiceRiga = 0;
};

// Prepares a run over the current ListaIstruzioni.
void ResetScanner();
// The step that crosses a line or reaches the end of the text.
void NextCharLento();
// Advances one character; inline because it runs once per character of every pass.
inline void NextChar() {
  TDatiGlob& g = DatiGlob;
  if (!g.bFine && g.Colonna < static_cast<int>(g.RigaTesto.size())) {
    g.ChCorrente = g.RigaTesto[static_cast<std::size_t>(g.Colonna++)];
    return;
  }
  NextCharLento();
}
// Reads the next token into TokenCorrente (defined below, after the read caches).
void NextToken();
PosizioneScanner SalvaPosizione();
void RipristinaPosizione(const PosizioneScanner& p);

// Read caches. A loop re-reads the same text on every pass, and reading it again gives the
// same result every time: ListaIstruzioni does not change during a run, and what a read
// finds depends only on the position it starts from. So a read (a token, a number, an
// operator) is done once per position and run, and later passes only copy its result
// and the position after it. Only readers that have no other effect use these caches.
namespace detail {
// The lines of the current run, as the scanner reads them.
extern std::vector<std::u32string> gRighePreparate;
// Changes at every ResetScanner: the caches of an earlier run are dropped at first use.
extern unsigned gEsecuzione;
// Whether loops run from their compiled form (see Lettore.h). Tests turn it off to compare a
// run with the plain reading of its text.
extern bool gRiproduzioni;
}  // namespace detail

// The reading position after a read. RigaTesto is the prepared line of index
// RigaTestoDopo, or unchanged when that is -1.
struct FineLettura {
  int Colonna = 0;
  char32_t ChCorrente = U' ';
  bool bFine = false;
  int IndiceRiga = 0;
  int RigaTestoDopo = -1;
};

// The current position as a FineLettura, for a read that started on the line `riga`;
// false when RigaTesto is not a prepared line of this run (the position cannot be recorded).
inline bool CatturaPosizione(FineLettura& fine, std::u32string_view riga) {
  const TDatiGlob& g = DatiGlob;
  fine = {g.Colonna, g.ChCorrente, g.bFine, g.IndiceRiga, -1};
  if (g.RigaTesto.data() == riga.data() && g.RigaTesto.size() == riga.size()) return true;
  // The read crossed lines: the scanner leaves RigaTesto on the last line it entered.
  const std::vector<std::u32string>& righe = detail::gRighePreparate;
  const int k = std::min(g.IndiceRiga, static_cast<int>(righe.size()) - 1);
  if (k < 0 || righe[static_cast<std::size_t>(k)].data() != g.RigaTesto.data() ||
      righe[static_cast<std::size_t>(k)].size() != g.RigaTesto.size())
    return false;
  fine.RigaTestoDopo = k;
  return true;
}

// The current position as a FineLettura that names its line, so that VaiA can come back
// to it from anywhere; false when RigaTesto is not a prepared line of this run.
inline bool CatturaPosizione(FineLettura& fine) { return CatturaPosizione(fine, std::u32string_view{}); }

// Moves the reading position to a recorded one.
inline void VaiA(const FineLettura& fine) {
  TDatiGlob& g = DatiGlob;
  g.Colonna = fine.Colonna;
  g.ChCorrente = fine.ChCorrente;
  g.bFine = fine.bFine;
  g.IndiceRiga = fine.IndiceRiga;
  if (fine.RigaTestoDopo >= 0) g.RigaTesto = detail::gRighePreparate[static_cast<std::size_t>(fine.RigaTestoDopo)];
}

template <class T>
class CacheLetture {
 public:
  struct Voce {
    bool piena = false;
    char32_t ChIngresso = 0;
    T dato{};
    FineLettura fine;
  };

  // The entry of the current position, or nullptr when the position is not an ordinary
  // one (end of the text, a line other than a prepared line of this run), when the line is
  // read for the first time in this run, or when it was recorded with a different current
  // character. An entry that is not `piena` is to be filled with Registra after the read.
  // Always inline, as it runs at every read of every pass.
  [[gnu::always_inline]] Voce* VoceCorrente() {
    const TDatiGlob& g = DatiGlob;
    if (esecuzione_ != detail::gEsecuzione) [[unlikely]] NuovaEsecuzione();
    const std::vector<std::u32string>& righe = detail::gRighePreparate;
    const std::size_t indice = static_cast<std::size_t>(g.IndiceRiga);
    if (g.bFine || indice >= righe.size()) return nullptr;
    const std::u32string& riga = righe[indice];
    if (g.RigaTesto.data() != riga.data() || g.RigaTesto.size() != riga.size() ||
        static_cast<std::size_t>(g.Colonna) > riga.size())
      return nullptr;
    Linea& linea = linee_[indice];
    if (linea.voci.empty()) [[unlikely]] {
      if (!ApriLinea(linea, riga.size(), g.Colonna)) return nullptr;
    }
    Voce& v = linea.voci[static_cast<std::size_t>(g.Colonna)];
    if (v.piena && v.ChIngresso != g.ChCorrente) return nullptr;
    return &v;
  }

  // Records a read that started at the position of `v` (current character `ch`, line
  // `riga`) and ended at the current position.
  static void Registra(Voce& v, char32_t ch, std::u32string_view riga, const T& dato) {
    FineLettura fine;
    if (!CatturaPosizione(fine, riga)) return;
    v.ChIngresso = ch;
    v.dato = dato;
    v.fine = fine;
    v.piena = true;
  }

  // Moves the reading position to where the recorded read ended.
  static void VaiAllaFine(const Voce& v) { VaiA(v.fine); }

 private:
  // The entries of one line, one per position (Colonna 0 to the line's length).
  struct Linea {
    std::vector<Voce> voci;
    int ultimaColonna = -1;  // where the last read of the line started, while it has no entries
  };

  // Drops the entries of an earlier run and makes room for this one.
  [[gnu::noinline]] void NuovaEsecuzione() {
    linee_.clear();
    linee_.resize(detail::gRighePreparate.size());
    esecuzione_ = detail::gEsecuzione;
  }

  // A line gets its entries only when the reader comes back to it (a read that starts at or
  // before where an earlier one did: the text of a loop). A program that runs straight
  // through costs no memory here, however long it is.
  [[gnu::noinline]] static bool ApriLinea(Linea& linea, std::size_t lunghezza, int colonna) {
    if (colonna > linea.ultimaColonna) {
      linea.ultimaColonna = colonna;
      return false;
    }
    linea.voci.resize(lunghezza + 1);
    return true;
  }

  std::vector<Linea> linee_;
  unsigned esecuzione_ = 0;
};

// Reads with `leggi` (which returns std::optional<T>, empty after an error) unless the
// read from the current position is already recorded; errors are never recorded.
template <class T, class Lettore>
std::optional<T> LetturaRicordata(CacheLetture<T>& cache, Lettore leggi) {
  auto* voce = cache.VoceCorrente();
  if (voce && voce->piena) {
    CacheLetture<T>::VaiAllaFine(*voce);
    return voce->dato;
  }
  const char32_t ch = DatiGlob.ChCorrente;
  const std::u32string_view riga = DatiGlob.RigaTesto;
  std::optional<T> letto = leggi();
  if (voce && letto) CacheLetture<T>::Registra(*voce, ch, riga, *letto);
  return letto;
}

// Whether two short texts (a token, a name) are equal; the first letters settle nearly every
// case without a call.
inline bool StessoTesto(const std::string& a, const std::string& b) {
  const std::size_t n = a.size();
  if (n != b.size()) return false;
  if (n == 0) return true;
  if (a[0] != b[0]) return false;
  return n == 1 || a.compare(1, n - 1, b, 1, n - 1) == 0;
}

// Sets TokenCorrente to a recorded token. Most tokens are one character (and most names in
// a pupil's loop are one letter): such a token is copied without a call.
inline void ImpostaToken(const std::string& testo) {
  std::string& t = DatiGlob.TokenCorrente;
  if (testo.size() == 1 && t.size() == 1) t[0] = testo[0];
  else t = testo;
}

namespace detail {
extern CacheLetture<std::string> gCacheToken;
// The read of a token that is not recorded yet; `voce` is where to record it, or nullptr.
void LeggiTokenNuovo(CacheLetture<std::string>::Voce* voce);

// NextToken without the message hook.
inline void LeggiToken() {
  auto* voce = gCacheToken.VoceCorrente();
  if (voce && voce->piena) [[likely]] {
    ImpostaToken(voce->dato);
    CacheLetture<std::string>::VaiAllaFine(*voce);
    return;
  }
  LeggiTokenNuovo(voce);
}
}  // namespace detail

// Inline: see the read caches above, a loop reads the same tokens on every pass.
inline void NextToken() {
  LasciaPassareMessaggi();
  detail::LeggiToken();
}

// A line as the scanner reads it: one blank appended, then the leading blanks removed.
std::u32string PreparaRiga(const std::string& riga);

}  // namespace qx
