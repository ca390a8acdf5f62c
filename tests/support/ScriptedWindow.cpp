#include "tests/support/ScriptedWindow.h"

#include <cstdlib>
#include <sstream>

#include "values/Valori.h"

namespace qx::test {

ScriptedWindow::ScriptedWindow() = default;
ScriptedWindow::~ScriptedWindow() = default;

void ScriptedWindow::AlPompaggio(std::uint64_t n, std::function<void()> azione) {
  script_.push_back({[this, n] { return Pompaggi >= n; }, std::move(azione)});
}

void ScriptedWindow::Quando(std::function<bool()> condizione, std::function<void()> azione) {
  script_.push_back({std::move(condizione), std::move(azione)});
}

void ScriptedWindow::Esegui() {
  for (std::size_t i = 0; i < script_.size();) {
    if (script_[i].condizione()) {
      auto azione = std::move(script_[i].azione);
      script_.erase(script_.begin() + static_cast<std::ptrdiff_t>(i));
      ultimaAzioneMs_ = Orologio;
      azione();
    } else {
      ++i;
    }
  }
}

int ScriptedWindow::ElaboraMessaggi() {
  ++Pompaggi;
  if (!script_.empty()) Esegui();
  return Ignorati;
}

void ScriptedWindow::AttendiEventi(int maxMs) {
  Orologio += static_cast<std::uint64_t>(maxMs > 0 ? maxMs : 1);
  ElaboraMessaggi();
  if (Orologio - ultimaAzioneMs_ > LimiteAttesaMs && !attesaScaduta_) {
    attesaScaduta_ = true;
    Problemi.push_back("a wait was never answered by the script");
    TerminaEsecuzione();
  }
}

void ScriptedWindow::AggiungiRigaOutput(const std::string& riga, TColor colore) {
  Output.push_back(riga);
  ColoriOutput.push_back(colore);
}

bool ScriptedWindow::SuonaFile(const std::string& percorso) {
  FileSuonati.push_back(percorso);
  return true;
}

bool ScriptedWindow::ProssimaRisposta(const std::string& tipo, const std::string& titolo, const std::string& prompt,
                                      std::string& risposta) {
  Dialoghi.push_back({tipo, titolo, prompt});
  if (Risposte.empty()) {
    if (!AnnullaSenzaRisposte) Problemi.push_back("unexpected dialog " + tipo + " \"" + titolo + "\"");
    return false;
  }
  risposta = Risposte.front();
  Risposte.pop_front();
  return risposta != "ANNULLA";
}

int ScriptedWindow::MessageBox(const std::string& testo, const std::string& titolo, TTipoMessaggio tipo,
                               TPulsanti pulsanti) {
  Messaggi.push_back({testo, titolo, tipo});
  if (pulsanti == TPulsanti::OK) return mrOk;
  std::string r;
  if (!ProssimaRisposta("MessageBox", titolo, testo, r)) return mrCancel;
  if (r == "SI") return mrYes;
  if (r == "NO") return mrNo;
  return mrOk;
}

bool ScriptedWindow::LeggiNum(const std::string& prompt, long double& valore) {
  std::string r;
  if (!ProssimaRisposta("LeggiNum", "", prompt, r)) return false;
  char* fine = nullptr;
  long double v = std::strtold(r.c_str(), &fine);
  // The whole answer is the number: "2,5" or "3 mele" must not pass as 2 or 3.
  while (fine && (*fine == ' ' || *fine == '\t' || *fine == '\r')) ++fine;
  if (fine == r.c_str() || *fine != '\0') {
    Problemi.push_back("answer \"" + r + "\" is not a number");
    return false;
  }
  valore = v;
  return true;
}

bool ScriptedWindow::InputBox(const std::string& titolo, const std::string& prompt, std::string& testo) {
  std::string r;
  if (!ProssimaRisposta("InputBox", titolo, prompt, r)) return false;
  testo = r;
  return true;
}

bool ScriptedWindow::LeggiGrado(const std::string& titolo, int& gradi, int& primi, long double& secondi) {
  std::string r;
  if (!ProssimaRisposta("LeggiGrado", titolo, "", r)) return false;
  std::istringstream in(r);
  if (!(in >> gradi >> primi >> secondi)) {
    Problemi.push_back("answer \"" + r + "\" is not degrees, minutes and seconds");
    return false;
  }
  return true;
}

int ScriptedWindow::ScegliIntersezione(const TPuntoMondo&, const TPuntoMondo&) {
  std::string r;
  if (!ProssimaRisposta("ScegliIntersezione", "", "", r)) return 1;
  return r == "2" ? 2 : 1;
}

int ScriptedWindow::ScegliTangente(const TPuntoMondo&, const TPuntoMondo&, const TPuntoMondo&, const TPuntoMondo&) {
  std::string r;
  if (!ProssimaRisposta("ScegliTangente", "", "", r)) return 1;
  return r == "2" ? 2 : 1;
}

int ScriptedWindow::Domanda(const std::string& titolo, const std::string& testo) {
  std::string r;
  if (!ProssimaRisposta("Domanda", titolo, testo, r)) return mrCancel;
  return r == "SI" ? mrYes : mrNo;
}

bool ScriptedWindow::InserisciFunzione(const std::string& titolo, std::string& riga, int tipo, char /*modo*/) {
  std::string r;
  if (!ProssimaRisposta(tipo == 1 ? "InserisciFunzione" : "InserisciEspressione", titolo, "", r)) return false;
  riga = std::string(20, ' ') + r;
  return true;
}

bool ScriptedWindow::EditaFrazione(const std::string& titolo, std::string& testo, char /*modo*/) {
  std::string r;
  if (!ProssimaRisposta("EditaFrazione", titolo, "", r)) return false;
  testo = r;
  return true;
}

void ScriptedWindow::MostraFunzione(const std::string& titolo, const cValore& funzione) {
  Dialoghi.push_back({"MostraFunzione", titolo, funzione.Nome});
}

void ScriptedWindow::MostraFrazione(const std::string& titolo, const cValore& valore) {
  Dialoghi.push_back({"MostraFrazione", titolo, valore.Nome});
}

void ScriptedWindow::EditaVettore(bool solaLettura, const std::string& titolo, cValore& vettore,
                                  const std::string& commento) {
  Dialoghi.push_back({solaLettura ? "MostraVettore" : "EditaVettore", titolo, commento});
  if (!solaLettura && AllaModifica) AllaModifica(vettore);
}

void ScriptedWindow::EditaMatrice(bool solaLettura, const std::string& titolo, cValore& matrice,
                                  const std::string& commento) {
  Dialoghi.push_back({solaLettura ? "MostraMatrice" : "EditaMatrice", titolo, commento});
  if (!solaLettura && AllaModifica) AllaModifica(matrice);
}

void ScriptedWindow::MidiRegistrato::SetNote(int note) {
  nota_ = note < 0 ? 0 : note > 11 ? 11 : note;
  f_.Eventi.push_back("Note " + std::to_string(nota_));
}

void ScriptedWindow::MidiRegistrato::Play() { f_.Eventi.push_back("Play @" + std::to_string(f_.Orologio)); }

void ScriptedWindow::MidiRegistrato::Stop() { f_.Eventi.push_back("Stop @" + std::to_string(f_.Orologio)); }

}  // namespace qx::test
