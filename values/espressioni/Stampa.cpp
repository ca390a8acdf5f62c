#include "values/espressioni/Stampa.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "values/espressioni/Semplificatore.h"

namespace qx {

namespace {

bool LeggeUguale(const std::string& s, Reale x) {
  long double v = 0;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
  return ec == std::errc() && p == s.data() + s.size() && v == x;
}

void Scrivi(const NodoEspr* n, int p, std::string& t, int profondita) {
  if (!n) return;
  if (profondita > LIMITE_PROFONDITA) {
    t += "???";
    return;
  }
  const int q = n->Tipo >= 0 && n->Tipo <= N_INDEFINITO ? PRIORITA_STAMPA[n->Tipo] : 8;
  const bool parentesi = p > q;
  if (parentesi) t += '(';
  const NodoEspr* L = n->Sx();
  const NodoEspr* R = n->Dx();
  switch (n->Tipo) {
    case N_UGUALE:
      // An equation inside an equation keeps its parentheses: without them the text would
      // read back as another equation.
      Scrivi(L, 1, t, profondita + 1);
      t += " = ";
      Scrivi(R, 1, t, profondita + 1);
      break;
    case N_CHIAMATA:
      t += n->Nome;
      t += '(';
      for (int i = 0; i < std::min(n->Arieta, MAX_FIGLI); ++i) {
        if (i > 0) t += ',';
        Scrivi(n->Figli[i].get(), 0, t, profondita + 1);
      }
      t += ')';
      break;
    case N_PIU:
    case N_MENO:
      Scrivi(L, 2, t, profondita + 1);
      t += n->Tipo == N_PIU ? '+' : '-';
      Scrivi(R, 3, t, profondita + 1);
      break;
    case N_PER:
    case N_DIVISO:
      Scrivi(L, 4, t, profondita + 1);
      t += n->Tipo == N_PER ? '*' : '/';
      Scrivi(R, 5, t, profondita + 1);
      break;
    case N_POTENZA:
      // Every power carries its own parentheses.
      t += '(';
      Scrivi(L, 7, t, profondita + 1);
      t += '^';
      Scrivi(R, 6, t, profondita + 1);
      t += ')';
      break;
    case N_IDENTIFICATORE: t += n->Nome; break;
    case N_NUMERO: t += TestoNumeroEspr(n->Valore); break;
    default: t += "???"; break;
  }
  if (parentesi) t += ')';
}

// value(digits) as a 32-bit integer; false for an empty or non-digit text or an overflow.
bool Intero32(const std::string& s, long long& v) {
  if (s.empty()) return false;
  std::size_t i = s[0] == '-' ? 1 : 0;
  if (i == s.size()) return false;
  for (std::size_t k = i; k < s.size(); ++k)
    if (s[k] < '0' || s[k] > '9') return false;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  return ec == std::errc() && p == s.data() + s.size() && v >= INT_MIN && v <= INT_MAX;
}

}  // namespace

std::string TestoNumeroEspr(Reale x) {
  if (x == std::numbers::pi_v<long double>) return "pi";
  if (!std::isfinite(x)) return NumeroInTesto(x);
  if (!IsValoreErrore(x)) {
    std::string s = NumeroInTesto(x);
    if (LeggeUguale(s, x)) return s;
  }
  char buf[64];
  for (int cifre = 15; cifre <= 21; ++cifre) {
    std::snprintf(buf, sizeof buf, "%.*LG", cifre, x);
    if (LeggeUguale(buf, x)) break;
  }
  return buf;
}

void AlberoInTesto(const NodoEspr* n, int p, std::string& testo) {
  testo.clear();
  Scrivi(n, p, testo, 0);
}

bool DecimaleInFrazione(int p, Reale& numeratore, Reale& denominatore, Reale x) {
  std::string t = NumeroInTesto(x);
  if (t.find_first_not_of("-0123456789.") != std::string::npos) return false;  // exponent form, words
  if (t.find('.') == std::string::npos) {
    numeratore = x;
    denominatore = 1;
    return true;
  }
  if (p <= 0) {
    t += '0';
    p = 1;
  }
  const std::size_t i = t.find('.');
  const std::size_t L = t.size();
  if (static_cast<std::size_t>(p) > L - i - 1) return false;
  const std::string I = t.substr(0, i);
  const std::string P = t.substr(L - p);
  const std::string N = t.substr(i + 1, L - p - i - 1);
  long long a = 0, b = 0;
  if (I != "0") {
    if (!Intero32(I + N + P, a) || !Intero32(I + N, b)) return false;
  } else if (!N.empty()) {
    if (!Intero32(N + P, a) || !Intero32(N, b)) return false;
  } else if (!Intero32(P, a)) {
    return false;
  }
  Reale n = static_cast<Reale>(a - b);
  Reale d = Potenza(10, static_cast<Reale>(P.size() + N.size())) - Potenza(10, static_cast<Reale>(N.size()));
  RiduciFrazione(n, d);
  numeratore = std::trunc(n);
  denominatore = std::trunc(d);
  return true;
}

}  // namespace qx
