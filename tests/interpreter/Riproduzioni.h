// Runs a program with loops run from their recordings and again with every loop read from its
// text, and takes what each run shows, to compare them to the last bit.
#pragma once
#include <cstdio>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "interpreter/Scanner.h"
#include "runstate/DatiGlob.h"
#include "tests/support/Esecuzione.h"
#include "values/Variabili.h"

namespace qx::test {

// What a run showed: its result, output, error and line, message pumps, redraws, the line
// shown last, the statement name left behind, and every variable (numbers and elements to the
// last bit).
struct Istantanea {
  bool riuscito = false;
  std::vector<std::string> output, variabili, messaggi;
  std::string errore, nomeIstruzione;
  int riga = 0;
  std::uint64_t pompaggi = 0;
  int ridisegni = 0, aggiornamenti = 0, rigaCorrente = 0, beep = 0;
  bool interrotto = false;

  bool operator==(const Istantanea&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Istantanea& i) {
  os << (i.riuscito ? "ok" : "error") << " \"" << i.errore << "\" line " << i.riga << ", pumps " << i.pompaggi
     << ", redraws " << i.ridisegni << "/" << i.aggiornamenti << ", shown line " << i.rigaCorrente << ", beeps "
     << i.beep << (i.interrotto ? ", stopped" : "") << ", statement name " << i.nomeIstruzione << "\n";
  for (const auto& o : i.output) os << "  out: " << o << "\n";
  for (const auto& m : i.messaggi) os << "  box: " << m << "\n";
  for (const auto& v : i.variabili) os << "  var: " << v << "\n";
  return os;
}

inline std::string Esatto(Reale x) {
  char testo[64];
  std::snprintf(testo, sizeof testo, " %La", x);
  return testo;
}

// A variable as the comparison sees it: name, kind, its text and every number it holds.
inline std::string DescriviVariabile(const cVariabile& v) {
  const cValore& valore = *v.GetValore();
  std::string testo = v.Nome + " " + std::to_string(v.Tipo) + " " + valore.Nome + " " + TestoValore(valore);
  if (valore.Tipo == T_REALE) testo += Esatto(static_cast<const cValoreReale&>(valore).Value);
  if (valore.Tipo == T_VETT_REALE) {
    const auto& w = static_cast<const cVettReale&>(valore);
    for (int i = 1; i <= w.Count; ++i) testo += Esatto(w.Leggi(i));
  }
  if (valore.Tipo == T_MATR_REALE) {
    const auto& m = static_cast<const cMatrReale&>(valore);
    for (int i = 1; i <= m.Rows; ++i)
      for (int j = 1; j <= m.Cols; ++j) testo += Esatto(m.Leggi(i, j));
  }
  if (valore.Tipo == T_VETT_STRINGA) {
    const auto& w = static_cast<const cVettStringa&>(valore);
    for (int i = 1; i <= w.Count; ++i) testo += " [" + w.Leggi(i) + "]";
  }
  return testo;
}

struct Prova {
  bool veloce = true;
  // Whether the line being run is highlighted (the window's fast run highlights none).
  bool evidenzia = true;
  // Stops the run after this many pumps (a program that would not end); 0: none.
  std::uint64_t limite = 0;
  // Runs `azione` at the pump `al` (1-based; 0: none).
  std::uint64_t al = 0;
  std::function<void()> azione;
  // Message hooks the window ignores after each pump (as the real window does); those are
  // not even called.
  int ignorati = 0;
  // Runs before the program, with the run's window and environment.
  std::function<void(Esecuzione&)> prepara;
};

// One run with the recordings on or off, from a fresh state.
inline Istantanea Esegui(const std::string& programma, bool riproduzioni, const Prova& prova = {}) {
  detail::gRiproduzioni = riproduzioni;
  Esecuzione run;
  DatiGlob.bEsecuzioneVeloce = prova.veloce;
  DatiGlob.bEvidenziaRiga = prova.evidenzia;
  run.finestra.Ignorati = prova.ignorati;
  if (prova.limite) {
    const std::uint64_t limite = prova.limite;
    run.finestra.Quando([&run, limite] { return run.finestra.Pompaggi >= limite; }, [] { TerminaEsecuzione(); });
  }
  if (prova.azione) run.finestra.AlPompaggio(prova.al, prova.azione);
  if (prova.prepara) prova.prepara(run);
  const Esito e = run.Esegui(programma);
  detail::gRiproduzioni = true;
  Istantanea i;
  i.riuscito = e.riuscito;
  i.output = e.output;
  i.errore = e.errore;
  i.riga = e.riga;
  i.pompaggi = run.finestra.Pompaggi;
  i.ridisegni = run.finestra.Ridisegni;
  i.aggiornamenti = run.finestra.AggiornamentiLista;
  i.rigaCorrente = DatiGlob.RigaCorrente;
  i.beep = run.finestra.Beep_;
  i.interrotto = DatiGlob.bInterrotto;
  i.nomeIstruzione = DatiGlob.NomeIstruzione;
  for (const auto& m : run.finestra.Messaggi) i.messaggi.push_back(m.titolo + ": " + m.testo);
  cListaVariabili& t = run.ambiente.Variabili();
  for (int k = t.Count(); k >= 1; --k) i.variabili.push_back(DescriviVariabile(*t.Elemento(k)));
  return i;
}

}  // namespace qx::test
