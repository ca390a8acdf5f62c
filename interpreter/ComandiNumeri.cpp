// The numeric functions of the language: sine and cosine in degrees, square root,
// absolute value, integer part, and the conversions between numbers and strings.
#include <charconv>
#include <cmath>

#include "interpreter/ComandiGenerali.h"
#include "interpreter/Dispatch.h"
#include "runstate/ErrorReport.h"
#include "runstate/ParoleChiave.h"
#include "values/ValoriScalari.h"

namespace qx {

namespace {

PValore Errore(const std::string& messaggio) {
  ReportError(messaggio, true);
  return nullptr;
}

PValore Numero(Reale x) { return std::make_unique<cValoreReale>(x); }

bool UnNumero(const ListaArgomenti& a) { return a.Count() == 1 && a.Tipo(0) == T_REALE; }

// A sine or cosine: NaN (from NaN or an infinite angle) becomes "Non definita".
inline Reale Finito(Reale x) { return std::isfinite(x) ? x : NormalizzaNonFinito(x); }

// SEN and COS of a number of degrees (an error value passes through unchanged).
// By reference, as the numeric forms give them: an argument that lies in memory is read there,
// not stored again by the x87 unit for the call.
Reale Seno(const Reale& gradi) { return IsValoreErrore(gradi) ? gradi : Finito(SenoGradi(gradi)); }
Reale Coseno(const Reale& gradi) { return IsValoreErrore(gradi) ? gradi : Finito(CosenoGradi(gradi)); }

// SEN and COS: degrees, or an angle measure.
PValore Trigonometrica(ListaArgomenti& a, const std::string& nome, bool Esegui, Reale (*f)(const Reale&)) {
  if (!Esegui) return nullptr;
  Reale gradi = 0;
  if (UnNumero(a)) {
    gradi = a.Numero(0);
  } else if (a.Count() == 1 && a.Tipo(0) == T_GRADO) {
    const auto& m = static_cast<const cValoreGrado&>(*a.Valore(0));
    gradi = m.Gradi + m.Primi / 60 + m.Secondi / 3600;
  } else {
    return Errore(ParoleChiave.msgParametriErrati + nome);
  }
  return Numero(f(gradi));
}

PValore CmdSen(ListaArgomenti& a, const std::string& nome, bool Esegui) { return Trigonometrica(a, nome, Esegui, Seno); }

PValore CmdCos(ListaArgomenti& a, const std::string& nome, bool Esegui) { return Trigonometrica(a, nome, Esegui, Coseno); }

// RADICEQ of a number that may have one: false for a negative one (the message is the
// handler's).
bool Radice(Reale x, Reale& r) {
  if (IsValoreErrore(x)) {
    r = x;
    return true;
  }
  if (x < 0) return false;
  r = std::sqrt(x);
  return true;
}

PValore CmdRadiceQ(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  if (!UnNumero(a)) return Errore(ParoleChiave.msgParametriErrati + nome);
  Reale r = 0;
  if (!Radice(a.Numero(0), r)) return Errore("Funzione non applicabile a valori negativi: " + nome);
  return Numero(r);
}

PValore CmdValoreAss(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  if (!UnNumero(a)) return Errore(ParoleChiave.msgParametriErrati + nome);
  return Numero(std::fabs(a.Numero(0)));
}

PValore CmdInt(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  if (!UnNumero(a)) return Errore(ParoleChiave.msgParametriErrati + nome);
  return Numero(std::trunc(a.Numero(0)));
}

// The numeric forms (see Dispatch.h): one number in, the handler's number out.
template <Reale (*F)(const Reale&)>
Reale FormaUnNumero(const Reale* a, int quanti, bool& riuscita) {
  riuscita = quanti == 1;
  return riuscita ? F(a[0]) : 0;
}
Reale Assoluto(const Reale& x) { return std::fabs(x); }
Reale ParteIntera(const Reale& x) { return std::trunc(x); }
Reale FormaRadice(const Reale* a, int quanti, bool& riuscita) {
  riuscita = quanti == 1 && (IsValoreErrore(a[0]) || a[0] >= 0);
  if (!riuscita) return 0;
  return IsValoreErrore(a[0]) ? a[0] : std::sqrt(a[0]);
}

// A decimal number with "." as separator, blanks around it allowed: sign, digits, an
// optional fraction and an optional exponent. Nothing else (no "3,5", no "inf").
bool LeggiNumero(const std::string& testo, Reale& x) {
  std::size_t inizio = testo.find_first_not_of(' ');
  if (inizio == std::string::npos) return false;
  std::size_t fine = testo.find_last_not_of(' ') + 1;
  const std::string s = testo.substr(inizio, fine - inizio);
  std::size_t i = 0;
  auto cifre = [&] {
    const std::size_t da = i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
    return i - da;
  };
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t n = cifre();
  if (i < s.size() && s[i] == '.') {
    ++i;
    n += cifre();
  }
  if (n == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    if (cifre() == 0) return false;
  }
  if (i != s.size()) return false;
  const char* p = s.c_str() + (s[0] == '+' ? 1 : 0);
  const auto r = std::from_chars(p, s.c_str() + s.size(), x);
  return r.ec == std::errc() && std::isfinite(x);
}

PValore CmdNumStr(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  if (nome == ParoleChiave.NUM) {
    if (a.Count() != 1 || a.Tipo(0) != T_STRINGA) return Errore(ParoleChiave.msgParametriErrati + nome);
    Reale x = 0;
    if (!LeggiNumero(a.Testo(0), x)) return Errore("La stringa non può essere convertita in numero");
    return Numero(x);
  }
  if (!UnNumero(a)) return Errore(ParoleChiave.msgParametriErrati + nome);
  return std::make_unique<cValoreStringa>(NumeroInTesto(a.Numero(0)));
}

}  // namespace

void detail::RegistraComandiNumeri() {
  RegistraValore("CmdSen", CmdSen);
  RegistraValore("CmdCos", CmdCos);
  RegistraValore("CmdRadiceQ", CmdRadiceQ);
  RegistraValore("CmdValoreAss", CmdValoreAss);
  RegistraValore("CmdInt", CmdInt);
  RegistraValore("CmdNumStr", CmdNumStr);
  RegistraFormaNumerica("CmdSen", FormaUnNumero<Seno>);
  RegistraFormaNumerica("CmdCos", FormaUnNumero<Coseno>);
  RegistraFormaNumerica("CmdRadiceQ", FormaRadice);
  RegistraFormaNumerica("CmdValoreAss", FormaUnNumero<Assoluto>);
  RegistraFormaNumerica("CmdInt", FormaUnNumero<ParteIntera>);
}

void RegistraComandiGenerali() {
  detail::RegistraComandiOutput();
  detail::RegistraComandiDisegno();
  detail::RegistraComandiInput();
  detail::RegistraComandiNumeri();
  detail::RegistraComandiArchivio();
}

}  // namespace qx
