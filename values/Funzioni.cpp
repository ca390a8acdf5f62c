#include "values/Funzioni.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "runstate/WindowServices.h"

namespace qx {

const char* TestoValoreErrore(Reale x) {
  if (x == VAL_TENDE_INFINITO) return "Tende ad Infinito";
  if (x == VAL_NON_DEFINITA) return "Non definita";
  if (x == VAL_DIVISIONE_ZERO) return "Divisione per 0";
  if (x == VAL_INDETERMINATA) return "Indeterminata";
  return nullptr;
}

Reale NormalizzaNonFinito(Reale x) {
  if (std::isnan(x)) return VAL_NON_DEFINITA;
  if (std::isinf(x)) return VAL_TENDE_INFINITO;
  return x;
}

namespace {

// The decimal digits of |x| rounded to `cifre` significant digits, and the exponent of
// the first digit (x = 0.d1d2... * 10^esponente, as the toolkit counts it).
struct Decimale {
  std::string cifre;  // no leading zero; empty for zero
  int esponente = 0;
  bool negativo = false;
};

Decimale InDecimale(Reale x, int cifre) {
  Decimale d;
  d.negativo = std::signbit(x);
  if (x == 0) return d;
  char buf[128];
  std::snprintf(buf, sizeof buf, "%.*Le", cifre - 1, d.negativo ? -x : x);
  // buf = "d.ddddde[+-]xx"
  const char* e = buf;
  while (*e && *e != 'e') ++e;
  for (const char* p = buf; p < e; ++p)
    if (*p >= '0' && *p <= '9') d.cifre += *p;
  d.esponente = std::atoi(e + 1) + 1;
  while (!d.cifre.empty() && d.cifre.back() == '0') d.cifre.pop_back();
  return d;
}

// Scientific form of the general format: 1.5E20, 1E-5 (no plus sign, no padding).
std::string Scientifico(const Decimale& d) {
  std::string s = d.negativo ? "-" : "";
  s += d.cifre[0];
  if (d.cifre.size() > 1) s += "." + d.cifre.substr(1);
  s += "E" + std::to_string(d.esponente - 1);
  return s;
}

// A whole number of at most 15 digits: every text form below writes just its digits (no
// exponent, no decimals, no "-0"), which need no conversion through printf.
bool InteroBreve(Reale x, std::string& s) {
  if (!(x > -1e15L && x < 1e15L)) return false;
  long long i = 0;
  if (!InteroEsatto(x, i)) return false;
  char buf[24];
  const auto fine = std::to_chars(buf, buf + sizeof buf, i).ptr;
  s.assign(buf, fine);
  return true;
}

const char* NonFinito(Reale x) {
  if (std::isnan(x)) return "Non definita";
  if (std::isinf(x)) return "Tende ad Infinito";
  return nullptr;
}

}  // namespace

std::string NumeroInTesto(Reale x) {
  std::string intero;
  if (InteroBreve(x, intero)) return intero;
  if (const char* parola = TestoValoreErrore(x)) return parola;
  if (const char* parola = NonFinito(x)) return parola;
  Decimale d = InDecimale(x, 15);
  if (d.cifre.empty()) return "0";
  if (d.esponente > 15 || d.esponente < -3) return Scientifico(d);
  std::string s = d.negativo ? "-" : "";
  if (d.esponente <= 0) {
    s += "0." + std::string(-d.esponente, '0') + d.cifre;
  } else if (static_cast<int>(d.cifre.size()) <= d.esponente) {
    s += d.cifre + std::string(d.esponente - d.cifre.size(), '0');
  } else {
    s += d.cifre.substr(0, d.esponente) + "." + d.cifre.substr(d.esponente);
  }
  return s;
}

std::string TestoFisso(Reale x, int decimali) {
  if (const char* parola = NonFinito(x)) return parola;
  if (decimali < 0) decimali = 0;
  if (decimali > 18) decimali = 18;
  Decimale d = InDecimale(x, 18);
  if (d.esponente > 18) return Scientifico(d);
  // Digits at the positions 10^(esponente-1) ... 10^-decimali, rounded half away from zero
  // on the 18-digit decimal text, as the toolkit's fixed format does.
  const int totali = d.esponente + decimali;  // digits kept
  std::string cifre;
  bool arrotondaSu = false;
  if (totali < 0) {
    cifre = "";
  } else {
    std::string tutte = d.cifre;
    if (static_cast<int>(tutte.size()) < totali + 1) tutte.append(totali + 1 - tutte.size(), '0');
    cifre = tutte.substr(0, totali);
    arrotondaSu = tutte[totali] >= '5';
  }
  int esponente = d.esponente;
  if (arrotondaSu) {
    int i = static_cast<int>(cifre.size()) - 1;
    while (i >= 0 && cifre[i] == '9') cifre[i--] = '0';
    if (i >= 0) {
      ++cifre[i];
    } else {
      cifre.insert(cifre.begin(), '1');
      ++esponente;
    }
  }
  // cifre now holds the digits from 10^(esponente-1) down to 10^-decimali.
  std::string intera, frazione;
  const int nInteri = esponente;
  if (nInteri > 0) {
    intera = cifre.substr(0, nInteri);
    frazione = cifre.substr(nInteri);
  } else {
    intera = "0";
    frazione = std::string(-nInteri, '0') + cifre;
  }
  if (static_cast<int>(frazione.size()) < decimali) frazione.append(decimali - frazione.size(), '0');
  frazione.resize(decimali);
  while (intera.size() > 1 && intera[0] == '0') intera.erase(0, 1);
  const bool zero = intera.find_first_not_of('0') == std::string::npos &&
                    frazione.find_first_not_of('0') == std::string::npos;
  // A value that rounds to zero prints without a sign.
  std::string s = (d.negativo && !zero) ? "-" : "";
  s += intera;
  if (decimali > 0) s += "." + frazione;
  return s;
}

std::string NumeroInTestoDec(Reale x, int decimali) {
  std::string intero;
  if (InteroBreve(x, intero)) return intero;
  if (const char* parola = TestoValoreErrore(x)) return parola;
  std::string s = TestoFisso(x, decimali);
  // Only the fixed form is trimmed: an exponent text or a word stays as it is.
  if (s.find('.') == std::string::npos || s.find('E') != std::string::npos) return s;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s;
}

std::string NumeroInTestoPrec(Reale x, int decimali) { return NumeroInTestoDec(x, decimali); }

std::string NumeroInTestoBreve(Reale x) {
  std::string s = TestoFisso(x, 2);
  if (s.find('.') == std::string::npos || s.find('E') != std::string::npos) return s;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && (s.back() == '.' || s.back() == ',')) s.pop_back();
  return s;
}

Reale ArrotondaDecimali(Reale x, int decimali) {
  std::string s = TestoFisso(x, decimali);
  char* fine = nullptr;
  Reale r = std::strtold(s.c_str(), &fine);
  return fine == s.c_str() ? x : r;
}

bool ControllaIntervallo(bool inclusivo, bool intero, bool segnala, Reale x, Reale basso, Reale alto) {
  const bool dentro = inclusivo ? (basso <= x && x <= alto) : (basso < x && x < alto);
  if (!dentro) {
    if (segnala) {
      std::string testo = "Il numero deve essere compreso tra " + NumeroInTesto(basso) + " e " + NumeroInTesto(alto);
      if (!inclusivo) testo += " estremi esclusi ";
      Finestra().MessageBox(testo, "Errore", TTipoMessaggio::Errore, TPulsanti::OK);
    }
    return false;
  }
  if (intero && x != std::trunc(x)) {
    if (segnala)
      Finestra().MessageBox("Il numero non può contenere la parte decimale", "Errore", TTipoMessaggio::Errore,
                            TPulsanti::OK);
    return false;
  }
  return true;
}

namespace {
Reale PotenzaIntera(Reale base, long long n) {
  Reale risultato = 1.0L, b = base;
  unsigned long long e = n < 0 ? 0ULL - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
  while (e != 0) {
    if (e & 1) risultato *= b;
    b *= b;
    e >>= 1;
  }
  return n < 0 ? 1.0L / risultato : risultato;
}
}  // namespace

Reale Potenza(Reale base, Reale esponente) {
  if (base == 0 && esponente == 0) return VAL_INDETERMINATA;
  if (esponente == 0) return 1.0L;
  if (base == 0 && esponente > 0) return 0.0L;
  Reale r;
  if (esponente == std::nearbyint(esponente) && std::fabs(esponente) < 9.2e18L) {
    r = PotenzaIntera(base, static_cast<long long>(esponente));
  } else {
    // The logarithm of a negative base fails: that is the "tends to infinity" case.
    if (base < 0) return VAL_TENDE_INFINITO;
    r = std::exp(esponente * std::log(base));
  }
  if (std::isinf(r)) return VAL_TENDE_INFINITO;
  if (std::isnan(r)) return VAL_NON_DEFINITA;
  return r;
}

void AccodaParte(std::string& testo, std::string_view parte) {
  constexpr std::size_t kRiga = 80;
  const std::size_t serve = testo.size() + parte.size();
  if (serve > testo.capacity() && testo.capacity() < kRiga) testo.reserve(std::max(serve, kRiga));
  testo.append(parte);
}

}  // namespace qx
