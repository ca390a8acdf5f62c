// What the interpreter asks of the main window, done by the main window: the repaint, the
// object list, the output pane, the message line, the buttons, the message loop and the
// dialogs (those of app/dialogs, the two-choice pickers drawing on the 2D canvas).
#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "runstate/WindowServices.h"

namespace qx {

class Tfrm3;
class TDialoghi;
class TSceglitori;

class TServiziFinestra : public WindowServices {
 public:
  // The dialogs are made here, once, over the window.
  explicit TServiziFinestra(Tfrm3& finestra);
  ~TServiziFinestra() override;
  TServiziFinestra(const TServiziFinestra&) = delete;
  TServiziFinestra& operator=(const TServiziFinestra&) = delete;

  TDialoghi& Dialoghi() { return *dialoghi_; }
  TSceglitori& Sceglitori() { return *sceglitori_; }

  // Lets the messages through, at most once every `IntervalloMs`: the interpreter calls this
  // before every token, so the clock is looked at only once every `ChiamateTraControlli`
  // tokens (a few microseconds of a run).
  int ElaboraMessaggi() override;
  static constexpr int ChiamateTraControlli = 256;
  void AttendiEventi(int maxMs) override;
  bool InChiusura() override;
  void ScartaTasti() override;
  // Lets the messages through now.
  void Pompa();
  static constexpr std::uint64_t IntervalloMs = 15;
  // A run starts: the click that started it has just been let through, so its first pump
  // comes one interval later. A run shorter than that shows only its end, and what it drew
  // meanwhile is never drawn, as the end's picture covers it.
  void InizioEsecuzione();
  // Brings the picture and the object list up to date. Outside a run at once; during a run
  // (at its pumps) the list too, in a fast run as well, but a refresh comes only once
  // `RapportoVista` times the last refresh's cost has gone by: a picture of many figures
  // then takes a bounded share of the run, not a share that grows with the figures.
  void AggiornaVista();
  static constexpr int RapportoVista = 8;
  // Message pumps so far, and the waits among them (the tests count them).
  std::uint64_t Pompaggi = 0;
  std::uint64_t Attese = 0;
  // The last pump of a run at which the picture and the list were brought up to date.
  std::uint64_t PompaConVista = 0;

  void DisegnaRifCart() override;
  void AggiornaListaOggetti() override;
  void MostraVista(bool vista3D) override;
  // The view that the run asked for last was the space (RIFCART3D, a space statement shown
  // from the plane); false when it asked for the plane (a wait for a click on it) or for none.
  bool SpazioChiesto = false;

  void InvalidaRighe(TEditorCorrente editor, int da, int a) override;
  void ImpostaEditorSolaLettura(bool solaLettura) override;
  void AggiungiRigaOutput(const std::string& riga, TColor colore) override;
  void PulisciOutput() override;
  void ImpostaMessaggio(const std::string& testo) override;
  void MostraContinua(bool visibile) override;
  void MostraRighelli(bool visibili) override;
  void MostraTerminaPenna(bool visibile) override;
  void ImpostaCursore(int cursore) override;

  // The window's sound: beeps, media files and the note player.
  void Beep() override;
  void BeepTono(int hz, int ms) override;
  bool SuonaFile(const std::string& percorso) override;
  TMidiGen* MidiGen() override;

  // Each box and dialog opens with nothing hovered in the views (Tfrm3::LasciaViste).
  int MessageBox(const std::string& testo, const std::string& titolo, TTipoMessaggio tipo,
                 TPulsanti pulsanti) override;
  bool InputBox(const std::string& titolo, const std::string& prompt, std::string& testo) override;
  bool LeggiNum(const std::string& prompt, long double& valore) override;
  bool LeggiGrado(const std::string& titolo, int& gradi, int& primi, long double& secondi) override;
  int Domanda(const std::string& titolo, const std::string& testo) override;
  bool InserisciFunzione(const std::string& titolo, std::string& riga, int tipo, char modo) override;
  bool EditaFrazione(const std::string& titolo, std::string& testo, char modo) override;
  void MostraFunzione(const std::string& titolo, const cValore& funzione) override;
  void MostraFrazione(const std::string& titolo, const cValore& valore) override;
  void EditaVettore(bool solaLettura, const std::string& titolo, cValore& vettore,
                    const std::string& commento) override;
  void EditaMatrice(bool solaLettura, const std::string& titolo, cValore& matrice,
                    const std::string& commento) override;
  void EditaArchivio(const std::string& titolo, const std::string& tabella) override;
  int ScegliIntersezione(const TPuntoMondo& p1, const TPuntoMondo& p2) override;
  int ScegliTangente(const TPuntoMondo& t1a, const TPuntoMondo& t1b, const TPuntoMondo& t2a,
                     const TPuntoMondo& t2b) override;
  int ScegliSegmento(const TPuntoMondo& inizio, const TPuntoMondo& fine1, const TPuntoMondo& fine2) override;
  int ScegliPoligono(const cValore& candidato1, const cValore& candidato2) override;

 private:
  Tfrm3& f_;
  std::unique_ptr<TDialoghi> dialoghi_;
  std::unique_ptr<TSceglitori> sceglitori_;
  std::uint64_t ultimaPompa_ = 0;
  std::chrono::steady_clock::time_point prossimaVista_{};
  bool vistaInEsecuzione_ = false;
};

}  // namespace qx
