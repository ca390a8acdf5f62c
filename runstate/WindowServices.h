// What the interpreter and the values ask of the main window. The interpreter never sees a
// window: it calls these services, which the application implements with real windows and
// the tests with a scripted user. With no window attached every service is a quiet no-op,
// every dialog is cancelled and the clock is the real one.
#pragma once
#include <cstdint>
#include <string>

#include "platform/Graphics.h"
#include "runstate/DatiGlob.h"

namespace qx {

class cValore;
class cValoreFunzione;
class cVettReale;
class cVettStringa;
class cMatrReale;
class cMatrStringa;

// Kinds of message box (the icon) and their button sets.
enum class TTipoMessaggio { Errore, Avviso, Informazione, Domanda };
enum class TPulsanti { OK, OKAnnulla, SiNo, SiNoAnnulla };
// Results of a modal dialog, with the toolkit's numbers (6 = Yes).
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

// The MIDI note player: Note is clamped to 0..11; Play starts Note + Octave*12 and returns
// at once; Stop silences it and never fails.
class TMidiGen {
 public:
  virtual ~TMidiGen() = default;
  virtual void SetNote(int note) = 0;
  virtual int Note() const = 0;
  virtual void Play() = 0;
  virtual void Stop() = 0;
};

class WindowServices {
 public:
  virtual ~WindowServices();

  // ---- The three callbacks ----
  virtual void DisegnaRifCart() {}
  virtual void AggiornaListaOggetti() {}
  virtual void MostraVista(bool /*vista3D*/) {}

  // ---- Message loop and clock ----
  // Lets pending window messages through; called before every token, so it must be cheap
  // (a real window throttles it). Answers how many of the calls that would follow it would do
  // nothing: those are not made, so that a token costs a count rather than a call.
  virtual int ElaboraMessaggi() { return kNessunMessaggio; }
  static constexpr int kNessunMessaggio = 1 << 30;  // a window that never lets anything through
  // A wait loop's one step: blocks until an event arrives or maxMs pass, then lets the
  // messages through. The default sleeps.
  virtual void AttendiEventi(int maxMs);
  // Milliseconds of a monotonic clock.
  virtual std::uint64_t Millisecondi();
  virtual bool InChiusura() { return false; }
  // Drops keys typed during a run, so that they do not reach the editor afterwards.
  virtual void ScartaTasti() {}

  // ---- Editor, output pane, message panel, buttons, cursor ----
  virtual void InvalidaRighe(TEditorCorrente /*editor*/, int /*da*/, int /*a*/) {}
  // The editor whose text runs is read-only for the length of the run.
  virtual void ImpostaEditorSolaLettura(bool /*solaLettura*/) {}
  virtual void AggiungiRigaOutput(const std::string& /*riga*/, TColor /*colore*/) {}
  virtual void PulisciOutput() {}
  virtual void ImpostaMessaggio(const std::string& /*testo*/) {}
  virtual void MostraContinua(bool /*visibile*/) {}
  // The rulers beside the 2D area (the frame statements hide them).
  virtual void MostraRighelli(bool /*visibili*/) {}
  virtual void MostraTerminaPenna(bool /*visibile*/) {}
  virtual void ImpostaCursore(int /*cursore*/) {}

  // ---- Sound ----
  virtual void Beep() {}
  virtual void BeepTono(int /*hz*/, int /*ms*/) {}
  // Opens and plays a media file; false when it cannot be opened.
  virtual bool SuonaFile(const std::string& /*percorso*/) { return false; }
  virtual TMidiGen* MidiGen() { return nullptr; }

  // ---- Message boxes and input dialogs (all modal) ----
  virtual int MessageBox(const std::string& /*testo*/, const std::string& /*titolo*/, TTipoMessaggio,
                         TPulsanti) {
    return mrCancel;
  }
  // The number-entry form: false when cancelled.
  virtual bool LeggiNum(const std::string& /*prompt*/, long double& /*valore*/) { return false; }
  // The toolkit's input box: false when cancelled.
  virtual bool InputBox(const std::string& /*titolo*/, const std::string& /*prompt*/, std::string& /*testo*/) {
    return false;
  }
  // The angle dialog: degrees, minutes, seconds.
  virtual bool LeggiGrado(const std::string& /*titolo*/, int& /*gradi*/, int& /*primi*/, long double& /*secondi*/) {
    return false;
  }
  // The question dialog; returns its modal result (mrYes for Yes).
  virtual int Domanda(const std::string& /*titolo*/, const std::string& /*testo*/) { return mrCancel; }
  // Function or expression entry (kind 1 or 3); on OK the line holds a 20-character name
  // field followed by the text.
  virtual bool InserisciFunzione(const std::string& /*titolo*/, std::string& /*riga*/, int /*tipo*/, char /*modo*/) {
    return false;
  }
  // Fraction entry; on OK the text is numerator + "/" + denominator.
  virtual bool EditaFrazione(const std::string& /*titolo*/, std::string& /*testo*/, char /*modo*/) { return false; }
  virtual void MostraFunzione(const std::string& /*titolo*/, const cValore& /*funzione*/) {}
  virtual void MostraFrazione(const std::string& /*titolo*/, const cValore& /*valore*/) {}
  // Vector and matrix grids: write the edited cells back into the given value.
  virtual void EditaVettore(bool /*solaLettura*/, const std::string& /*titolo*/, cValore& /*vettore*/,
                            const std::string& /*commento*/) {}
  virtual void EditaMatrice(bool /*solaLettura*/, const std::string& /*titolo*/, cValore& /*matrice*/,
                            const std::string& /*commento*/) {}
  virtual void EditaArchivio(const std::string& /*titolo*/, const std::string& /*tabella*/) {}
  virtual bool EsisteCartella(const std::string& percorso);
  // Two-choice pickers: return 1 or 2 for the chosen candidate.
  virtual int ScegliIntersezione(const TPuntoMondo& /*p1*/, const TPuntoMondo& /*p2*/) { return 1; }
  virtual int ScegliTangente(const TPuntoMondo& /*t1a*/, const TPuntoMondo& /*t1b*/, const TPuntoMondo& /*t2a*/,
                             const TPuntoMondo& /*t2b*/) {
    return 1;
  }
  virtual int ScegliSegmento(const TPuntoMondo& /*inizio*/, const TPuntoMondo& /*fine1*/,
                             const TPuntoMondo& /*fine2*/) {
    return 1;
  }
  virtual int ScegliPoligono(const cValore& /*candidato1*/, const cValore& /*candidato2*/) { return 1; }
};

// The installed services (never null: a quiet default when no window is attached).
WindowServices& Finestra();
// The milliseconds a window times its pumps by: the system's coarse monotonic clock, which
// moves in steps of a few milliseconds (far below a pump's interval) and is read in a fraction
// of the time of the precise one. A run looks at it every few hundred tokens.
std::uint64_t MillisecondiPompa();
// Installs the services of a window or of a test; nullptr puts the default back.
void ImpostaFinestra(WindowServices* servizi);

namespace detail {
extern WindowServices* gFinestra;
// The calls of LasciaPassareMessaggi that the window said it would ignore, still to come.
extern int gMessaggiIgnorati;
// How many times LasciaPassareMessaggi has called the window.
extern std::uint64_t gMessaggiElaborati;
void ChiamaElaboraMessaggi();
}  // namespace detail

// "Let pending messages through": the scanner calls this before every token.
inline void LasciaPassareMessaggi() {
  if (--detail::gMessaggiIgnorati >= 0) [[likely]] return;
  detail::ChiamaElaboraMessaggi();
}

// Returns once more than ms milliseconds have passed, letting messages through meanwhile;
// earlier when the application is closing.
void Attendi(int ms);

// The stop, continue and next-step commands as the run state sees them.
void ComandoContinua();
void ComandoPassoSuccessivo();

}  // namespace qx
