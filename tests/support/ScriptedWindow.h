// A window for tests and for the headless runner: it records what the interpreter shows,
// answers dialogs from a queue, plays the user's actions (a pick, Continue, next step,
// Stop) from a script at the message pump, and keeps a fake clock. Nothing here blocks:
// a wait that no script answers stops the run and is recorded as a problem.
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "runstate/WindowServices.h"

namespace qx::test {

class ScriptedWindow : public WindowServices {
 public:
  struct Messaggio {
    std::string testo, titolo;
    TTipoMessaggio tipo;
  };
  struct Dialogo {
    std::string tipo, titolo, prompt;
  };

  ScriptedWindow();
  ~ScriptedWindow() override;
  ScriptedWindow(const ScriptedWindow&) = delete;
  ScriptedWindow& operator=(const ScriptedWindow&) = delete;

  // ---- What the run showed ----
  std::vector<std::string> Output;
  std::vector<Messaggio> Messaggi;
  std::vector<Dialogo> Dialoghi;
  std::vector<std::string> Prompt;
  std::vector<std::pair<int, int>> Toni;
  std::vector<std::string> FileSuonati;
  int Beep_ = 0;
  int Ridisegni = 0;
  int AggiornamentiLista = 0;
  std::uint64_t Pompaggi = 0;
  // How many tokens' message hooks the window says it ignores after each of its pumps, as a
  // real window does (0: every token's hook reaches the script).
  int Ignorati = 0;
  // Buttons, views, the note player and the grids' edits, in order, with the fake clock
  // for the notes: "Continua 1", "Vista 3D", "Note 7", "Play @0", "Stop @500", ...
  std::vector<std::string> Eventi;
  // Called with the vector or matrix that an editing grid shows (to write cells back).
  std::function<void(cValore&)> AllaModifica;
  // Faults of the test itself: an unexpected dialog, a wait that nobody answered.
  std::vector<std::string> Problemi;

  // ---- Answers and script ----
  // Answers of the dialogs in the order they open: a number, a text, SI or NO, or
  // ANNULLA to cancel. When they run out a dialog is cancelled, and recorded as a problem
  // unless `AnnullaSenzaRisposte` is set.
  std::deque<std::string> Risposte;
  bool AnnullaSenzaRisposte = false;
  // Runs `azione` at the n-th message pump (1-based).
  void AlPompaggio(std::uint64_t n, std::function<void()> azione);
  // Runs `azione` once, at the first pump at which `condizione` holds.
  void Quando(std::function<bool()> condizione, std::function<void()> azione);
  // Forgets the actions that have not run yet.
  void CancellaScript() { script_.clear(); }
  // Fake milliseconds that a wait may go on without any scripted action before it counts
  // as a hang (the run is then stopped).
  std::uint64_t LimiteAttesaMs = 600000;

  // ---- The services ----
  void DisegnaRifCart() override { ++Ridisegni; }
  void AggiornaListaOggetti() override { ++AggiornamentiLista; }
  int ElaboraMessaggi() override;
  void AttendiEventi(int maxMs) override;
  std::uint64_t Millisecondi() override { return Orologio; }
  void AggiungiRigaOutput(const std::string& riga, TColor colore) override;
  void PulisciOutput() override { Output.clear(); }
  void ImpostaMessaggio(const std::string& testo) override { Prompt.push_back(testo); }
  void Beep() override { ++Beep_; }
  void BeepTono(int hz, int ms) override { Toni.emplace_back(hz, ms); }
  bool SuonaFile(const std::string& percorso) override;
  int MessageBox(const std::string& testo, const std::string& titolo, TTipoMessaggio tipo, TPulsanti pulsanti) override;
  bool LeggiNum(const std::string& prompt, long double& valore) override;
  bool InputBox(const std::string& titolo, const std::string& prompt, std::string& testo) override;
  bool LeggiGrado(const std::string& titolo, int& gradi, int& primi, long double& secondi) override;
  int Domanda(const std::string& titolo, const std::string& testo) override;
  bool InserisciFunzione(const std::string& titolo, std::string& riga, int tipo, char modo) override;
  bool EditaFrazione(const std::string& titolo, std::string& testo, char modo) override;

  void MostraContinua(bool visibile) override { Eventi.push_back(std::string("Continua ") + (visibile ? "1" : "0")); }
  void MostraRighelli(bool visibili) override { Eventi.push_back(std::string("Righelli ") + (visibili ? "1" : "0")); }
  void MostraVista(bool vista3D) override { Eventi.push_back(vista3D ? "Vista 3D" : "Vista 2D"); }
  TMidiGen* MidiGen() override { return &midi_; }
  // The two-choice pickers of segments and polygons take their answers (1 or 2) from
  // `Scelte`, in order; without one they keep the first candidate. Each asks is counted.
  std::deque<int> Scelte;
  int ScelteChieste = 0;
  int ScegliSegmento(const TPuntoMondo&, const TPuntoMondo&, const TPuntoMondo&) override { return Scelta(); }
  int ScegliPoligono(const cValore&, const cValore&) override { return Scelta(); }
  void MostraFunzione(const std::string& titolo, const cValore& funzione) override;
  void MostraFrazione(const std::string& titolo, const cValore& valore) override;
  void EditaVettore(bool solaLettura, const std::string& titolo, cValore& vettore, const std::string& commento) override;
  void EditaMatrice(bool solaLettura, const std::string& titolo, cValore& matrice, const std::string& commento) override;
  // The archive dialog: recorded with its caption and its table.
  void EditaArchivio(const std::string& titolo, const std::string& tabella) override {
    Dialoghi.push_back({"EditaArchivio", titolo, tabella});
  }
  // The two-choice pickers take "1" or "2" from the answers.
  int ScegliIntersezione(const TPuntoMondo& p1, const TPuntoMondo& p2) override;
  int ScegliTangente(const TPuntoMondo& t1a, const TPuntoMondo& t1b, const TPuntoMondo& t2a,
                     const TPuntoMondo& t2b) override;

  std::uint64_t Orologio = 0;
  std::vector<TColor> ColoriOutput;

 private:
  // Takes the next answer for a dialog; false (cancel) when there is none or it is ANNULLA.
  bool ProssimaRisposta(const std::string& tipo, const std::string& titolo, const std::string& prompt,
                        std::string& risposta);
  void Esegui();
  int Scelta() {
    ++ScelteChieste;
    if (Scelte.empty()) return 1;
    const int n = Scelte.front();
    Scelte.pop_front();
    return n;
  }

  class MidiRegistrato : public TMidiGen {
   public:
    explicit MidiRegistrato(ScriptedWindow& f) : f_(f) {}
    void SetNote(int note) override;
    int Note() const override { return nota_; }
    void Play() override;
    void Stop() override;

   private:
    ScriptedWindow& f_;
    int nota_ = 0;
  };
  MidiRegistrato midi_{*this};

  struct Passo {
    std::function<bool()> condizione;
    std::function<void()> azione;
  };
  std::vector<Passo> script_;
  std::uint64_t ultimaAzioneMs_ = 0;
  bool attesaScaduta_ = false;
};

// Installs a window for the life of a scope and puts the quiet default back afterwards.
class FinestraInstallata {
 public:
  explicit FinestraInstallata(WindowServices& f) { ImpostaFinestra(&f); }
  ~FinestraInstallata() { ImpostaFinestra(nullptr); }
  FinestraInstallata(const FinestraInstallata&) = delete;
  FinestraInstallata& operator=(const FinestraInstallata&) = delete;
};

}  // namespace qx::test
