#include "runstate/DatiGlob.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "runstate/Modelli.h"
#include "runstate/ParoleChiave.h"

namespace qx {

TDatiGlob DatiGlob;

std::string TrimSinistro(const std::string& s) {
  std::size_t i = s.find_first_not_of(' ');
  return i == std::string::npos ? std::string() : s.substr(i);
}

std::u32string TrimSinistro(const std::u32string& s) {
  std::size_t i = s.find_first_not_of(U' ');
  return i == std::u32string::npos ? std::u32string() : s.substr(i);
}

namespace {
// The sixteen standard colours, in the order of the language's colour numbers.
constexpr TColor kColori[16] = {clBlack, clMaroon, clGreen, clOlive, clNavy,   clPurple, clTeal,
                                clSilver, clGray, clRed,   clLime,  clYellow, clBlue, clFuchsia,
                                clAqua,  clWhite};
}  // namespace

TColor IndiceAColore(int indice) { return indice >= 0 && indice < 16 ? kColori[indice] : clBlack; }

int ColoreAIndice(TColor colore) {
  for (int i = 0; i < 16; ++i)
    if (kColori[i] == colore) return i;
  return 16;
}

TPenStyle NumeroAStilePenna(int n) {
  switch (n) {
    case 2: return psDash;
    case 3: return psDashDotDot;
    case 4: return psDashDot;
    case 5: return psDot;
    case 6: return psClear;
    default: return psSolid;
  }
}

TBrushStyle NumeroAStileRiempimento(int n) {
  return n >= 1 && n <= 8 ? static_cast<TBrushStyle>(n - 1) : bsSolid;
}

bool MinoreSenzaMaiuscole(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    auto low = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
    return low(x) < low(y);
  });
}

std::mt19937& GeneratoreCasuale() {
  static std::mt19937 gen;
  return gen;
}

void InizializzaDatiGlob() {
  TDatiGlob& g = DatiGlob;
  g.CursoreRifCart = crDefault;
  g.CarattereCorrente = TFont{clBlue, "MS Sans Serif", 10, 0};
  std::error_code ec;
  std::string cartella = std::filesystem::current_path(ec).string();
  // The program folder always ends with one separator; stored files and sound names
  // are joined to it directly.
  if (cartella.empty() || cartella.back() != '/') cartella += '/';
  g.CartellaProgramma = cartella;
  SetLanguageKeywords();
  GeneratoreCasuale().seed(static_cast<unsigned>(
      std::chrono::steady_clock::now().time_since_epoch().count()));
  g.bImmediato = true;
  g.ProgrammaPredefinito.clear();
  g.bEsecuzioneVeloce = false;
  g.bEvidenziaRiga = true;
  g.Alfa3D = 0.9f;
  g.UltimaRigaMostrata = -1;
  const auto& modelli = ModelliNonOrdinati();
  for (int i = 0; i < NUM_LISTE_MODELLI; ++i) {
    g.ListeModelli[i] = modelli[i];
    std::stable_sort(g.ListeModelli[i].begin(), g.ListeModelli[i].end(), MinoreSenzaMaiuscole);
  }
}

void ReimpostaDatiGlob() {
  DatiGlob = TDatiGlob{};
  InizializzaDatiGlob();
}

void AzzeraAttese() {
  TDatiGlob& g = DatiGlob;
  g.bAttesaPasso = false;
  g.bAttesaPunto = g.bAttesaLinea = g.bAttesaSegmento = g.bAttesaRettaNum = false;
  g.bAttesaDiagramma = g.bAttesaFigura = g.bAttesaTesto = g.bAttesaImmagine = false;
  g.bModoPenna = g.bAttesaPuntoSu = false;
  g.bAttesaScegliPunto = g.bAttesaScegliSegmento = g.bAttesaScegliOggetto = false;
  g.bAttesaScegliLato = g.bAttesaScegliVertice = g.bAttesaClicca = false;
  g.bAttesaPunto3D = g.bAttesaPunto3DSu = g.bAttesaPiano3D = false;
}

TAttesaMouse::TAttesaMouse() : prima_(DatiGlob.AttesaMouse) {
  DatiGlob.AttesaMouse = ++DatiGlob.ContatoreAtteseMouse;
}

TAttesaMouse::~TAttesaMouse() { DatiGlob.AttesaMouse = prima_; }

void PressioneMouse() { DatiGlob.AttesaDellaPressione = DatiGlob.AttesaMouse; }

void PressioneUsata() { DatiGlob.AttesaDellaPressione = 0; }

bool PressioneDellAttesa() {
  const TDatiGlob& g = DatiGlob;
  return g.AttesaDellaPressione != 0 && g.AttesaDellaPressione == g.AttesaMouse;
}

bool RilascioRisponde() {
  const bool risponde = PressioneDellAttesa();
  DatiGlob.AttesaDellaPressione = 0;
  return risponde;
}

void TerminaEsecuzione() {
  TDatiGlob& g = DatiGlob;
  g.bContinua = true;
  AzzeraAttese();
  g.bInterrotto = true;
  g.bFine = true;
  g.bStop = true;
  g.bErroreSegnalato = true;
  // A note being played stops with the run.
  g.bSuonoFermato = true;
  g.CursoreRifCart = crDefault;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::u32string Utf8ToU32(const std::string& s) {
  std::u32string out;
  out.reserve(s.size());
  std::size_t i = 0, n = s.size();
  while (i < n) {
    unsigned char b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      out += static_cast<char32_t>(b);
      ++i;
      continue;
    }
    int len = (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
    char32_t c = len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
    bool ok = len != 0 && i + len <= n;
    for (int k = 1; ok && k < len; ++k) {
      unsigned char cb = static_cast<unsigned char>(s[i + k]);
      if ((cb & 0xC0) != 0x80) ok = false;
      c = (c << 6) | (cb & 0x3F);
    }
    if (ok && (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF) || (len == 2 && c < 0x80) ||
               (len == 3 && c < 0x800) || (len == 4 && c < 0x10000)))
      ok = false;
    if (!ok) {
      out += U'\uFFFD';
      ++i;
    } else {
      out += c;
      i += len;
    }
  }
  return out;
}

std::string U32ToUtf8(const std::u32string& s) {
  std::string out;
  out.reserve(s.size());
  for (char32_t c : s) AppendUtf8(out, c);
  return out;
}

}  // namespace qx
