#include "app/dialogs/TestoNumeri.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "controls/ZfMessageBox.h"
#include "values/espressioni/Analizzatore.h"
#include "values/espressioni/Valutatore.h"

namespace qx {

namespace {

std::string Ripulito(const QString& testo) { return testo.trimmed().toStdString(); }

// number := [sign] digits ["." digits] [("E"|"e") [sign] digits], with digits on at least
// one side of the point
bool FormaNumero(const std::string& s) {
  std::size_t i = 0;
  const auto cifre = [&] {
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
  return i == s.size();
}

}  // namespace

bool TestoInReale(const QString& testo, Reale& valore) {
  const std::string s = Ripulito(testo);
  for (Reale errore : {VAL_NON_DEFINITA, VAL_TENDE_INFINITO, VAL_DIVISIONE_ZERO, VAL_INDETERMINATA}) {
    if (s == TestoValoreErrore(errore)) {
      valore = errore;
      return true;
    }
  }
  if (!FormaNumero(s)) return false;
  const Reale v = std::strtold(s.c_str(), nullptr);
  // Beyond the range of the reals the conversion fails, as the toolkit's does.
  if (!std::isfinite(v)) return false;
  valore = v;
  return true;
}

bool TestoInIntero(const QString& testo, int& valore) {
  std::string s = Ripulito(testo);
  if (!s.empty() && s[0] == '+') s.erase(0, 1);
  if (s.empty() || s[0] == '+') return false;
  int v = 0;
  const auto [fine, errore] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (errore != std::errc() || fine != s.data() + s.size()) return false;
  valore = v;
  return true;
}

QString MessaggioRealeNonValido(const QString& testo) {
  return QStringLiteral("'%1' non è un numero valido").arg(testo);
}

QString MessaggioInteroNonValido(const QString& testo) {
  return QStringLiteral("'%1' non è un numero intero valido").arg(testo);
}

QString RealeInTesto(Reale x) { return QString::fromStdString(NumeroInTesto(x)); }

bool ValutaTesto(const QString& testo, Reale& valore) {
  PNodo albero = AnalizzaEspressione(testo.toStdString(), MODO_FUNZIONE);
  if (!albero) return false;
  valore = ValutaAlbero(albero.get(), VAL_NON_DEFINITA, VAL_NON_DEFINITA);
  return true;
}

void MostraErrore(const QString& testo) { ZfMessageBox(testo, 0, MsgButtons({mbOK})); }

}  // namespace qx
