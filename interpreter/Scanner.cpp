#include "interpreter/Scanner.h"

#include <algorithm>
#include <vector>

#include "runstate/WindowServices.h"

namespace qx {

namespace detail {
// ListaIstruzioni does not change during a run (the editor is read-only), so each line is
// decoded and prepared once per run; RigaTesto views the line here, so moving to a line
// copies nothing.
std::vector<std::u32string> gRighePreparate;
unsigned gEsecuzione = 1;
bool gRiproduzioni = true;
}  // namespace detail

namespace {
using detail::gRighePreparate;

const std::u32string& RigaPreparata(int indice) {
  static const std::u32string vuota;
  return indice >= 0 && indice < static_cast<int>(gRighePreparate.size()) ? gRighePreparate[indice] : vuota;
}
}  // namespace

std::u32string PreparaRiga(const std::string& riga) { return TrimSinistro(Utf8ToU32(riga + " ")); }

void ResetScanner() {
  TDatiGlob& g = DatiGlob;
  ++detail::gEsecuzione;
  gRighePreparate.clear();
  gRighePreparate.reserve(g.ListaIstruzioni.size());
  for (const std::string& riga : g.ListaIstruzioni) gRighePreparate.push_back(PreparaRiga(riga));
  g.IndiceRiga = 0;
  g.RigaTesto = RigaPreparata(0);
  g.TokenCorrente.clear();
  g.ChCorrente = U' ';
  g.bFine = false;
  g.Colonna = 0;
  g.bStop = false;
  g.bErroreSegnalato = false;
  g.bErroreMostrato = false;
  g.bInterrotto = false;
  g.MessaggioErrore.clear();
  g.RigaErrore = -1;
}

/* char = the next code point of the text; empty lines are skipped; a blank past the end */
void NextCharLento() {
  TDatiGlob& g = DatiGlob;
  if (g.bFine) {
    g.ChCorrente = U' ';
    return;
  }
  for (;;) {
    ++g.Colonna;
    if (g.Colonna <= static_cast<int>(g.RigaTesto.size())) {
      g.ChCorrente = g.RigaTesto[g.Colonna - 1];
      return;
    }
    ++g.IndiceRiga;
    if (g.IndiceRiga >= static_cast<int>(gRighePreparate.size())) {
      g.bFine = true;
      g.ChCorrente = U' ';
      return;
    }
    g.Colonna = 0;
    g.RigaTesto = RigaPreparata(g.IndiceRiga);
  }
}

namespace {
void LeggiTestoToken();
}  // namespace

namespace detail {
CacheLetture<std::string> gCacheToken;

void LeggiTokenNuovo(CacheLetture<std::string>::Voce* voce) {
  TDatiGlob& g = DatiGlob;
  const char32_t ch = g.ChCorrente;
  const std::u32string_view riga = g.RigaTesto;
  LeggiTestoToken();
  if (voce) CacheLetture<std::string>::Registra(*voce, ch, riga, g.TokenCorrente);
}
}  // namespace detail

namespace {
/* token = name | any other single character | " " at the end of the text
   name = letter { letter | digit | "_" }      comment = "/" "*" ... "*" "/"   */
void LeggiTestoToken() {
  TDatiGlob& g = DatiGlob;
  g.TokenCorrente.clear();
  for (;;) {
    while (g.ChCorrente == U' ' && !g.bFine) NextChar();
    if (g.ChCorrente != U'/') break;
    const int colonnaBarra = g.Colonna;
    NextChar();
    if (g.ChCorrente != U'*') {
      // Not a comment: back to the slash, which is the token.
      g.Colonna = colonnaBarra;
      g.ChCorrente = U'/';
      break;
    }
    // A comment runs to the first "*/" or to the end of the text, across lines.
    NextChar();
    bool asterisco = false;
    while (!g.bFine) {
      if (asterisco && g.ChCorrente == U'/') break;
      asterisco = g.ChCorrente == U'*';
      NextChar();
    }
    if (g.bFine) break;
    NextChar();  // past the closing slash
  }
  if (IsLettera(g.ChCorrente)) {
    // Gathered here and handed to the token in one piece.
    char nome[LUNGHEZZA_MASSIMA_NOME];
    std::size_t letti = 0;
    while (!g.bFine && (IsAlfanumerico(g.ChCorrente) || g.ChCorrente == U'_')) {
      if (letti < LUNGHEZZA_MASSIMA_NOME) {
        char32_t c = g.ChCorrente;
        if (c >= U'a' && c <= U'z') c -= 32;
        nome[letti] = static_cast<char>(c);
      }
      ++letti;
      NextChar();
    }
    g.TokenCorrente.assign(nome, std::min(letti, LUNGHEZZA_MASSIMA_NOME));
  } else {
    if (g.ChCorrente < 0x80) g.TokenCorrente += static_cast<char>(g.ChCorrente);
    else AppendUtf8(g.TokenCorrente, g.ChCorrente);
    NextChar();
  }
}
}  // namespace

PosizioneScanner SalvaPosizione() {
  const TDatiGlob& g = DatiGlob;
  return {g.Colonna, g.ChCorrente, g.bFine, g.IndiceRiga};
}

void RipristinaPosizione(const PosizioneScanner& p) {
  TDatiGlob& g = DatiGlob;
  g.Colonna = p.Colonna;
  g.ChCorrente = p.ChCorrente;
  g.bFine = p.bFine;
  g.IndiceRiga = p.IndiceRiga;
  g.RigaTesto = RigaPreparata(p.IndiceRiga);
  if (g.RigaTesto.empty()) g.bFine = true;
}

}  // namespace qx
