// TMidiGen, the MIDI note player: published properties with their ranges, Play, PlayNote,
// PlayString and Stop, and the state machine that follows its stream through the stream's
// notifications. The notifications may come from the audio thread: they are queued, and
// handled only on the GUI thread, when the player waits, when it is called, or when the
// wake-up that the application installs (SvegliaQt.h) runs.
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "controls/midi/FlussoMidi.h"
#include "controls/midi/MidiEventi.h"

namespace qx::midi {

class TMidiGen {
 public:
  // The stream device stays owned by the caller and must outlive the player.
  explicit TMidiGen(TFlussoMidi& flusso);
  ~TMidiGen();
  TMidiGen(const TMidiGen&) = delete;
  TMidiGen& operator=(const TMidiGen&) = delete;

  // ---- Published properties: setters clamp silently to the ranges ----
  int Volume() const { return p_.Volume; }
  void SetVolume(int v) { p_.Volume = Limita(0, 100, v); }
  int Pan() const { return p_.Pan; }
  void SetPan(int v) { p_.Pan = Limita(-100, 100, v); }
  int Reverb() const { return p_.Reverb; }
  void SetReverb(int v) { p_.Reverb = Limita(0, 100, v); }
  int Chorus() const { return p_.Chorus; }
  void SetChorus(int v) { p_.Chorus = Limita(0, 100, v); }
  bool Sustain() const { return p_.Sustain; }
  void SetSustain(bool v) { p_.Sustain = v; }
  int Modulation() const { return p_.Modulation; }
  void SetModulation(int v) { p_.Modulation = Limita(0, 100, v); }
  int PitchBend() const { return p_.PitchBend; }
  void SetPitchBend(int v) { p_.PitchBend = Limita(-120, 120, v); }
  int PBDelay() const { return p_.PBDelay; }
  void SetPBDelay(int v) { p_.PBDelay = Limita(0, 100, v); }
  int PBDuration() const { return p_.PBDuration; }
  void SetPBDuration(int v) { p_.PBDuration = Limita(0, 100, v); }
  std::uint32_t Duration() const { return p_.Duration; }
  void SetDuration(std::uint32_t v) { p_.Duration = v; }
  int Note() const { return p_.Note; }
  void SetNote(int v) { p_.Note = Limita(mgC, mgB, v); }
  int Octave() const { return p_.Octave; }
  void SetOctave(int v) { p_.Octave = Limita(0, 10, v); }
  int Instrument() const { return p_.Instrument; }
  void SetInstrument(int v) { p_.Instrument = Limita(0, 174, v); }
  int Channel() const { return p_.Channel; }
  void SetChannel(int v) { p_.Channel = Limita(mgCh01, mgCh16, v); }
  std::uint32_t Loops() const { return p_.Loops; }
  void SetLoops(std::uint32_t v) { p_.Loops = v; }
  bool IsPlaying();
  const TMidiProprieta& Proprieta() const { return p_; }

  // ---- Published methods: false when nothing could be started ----
  // Stores the device; true when a MIDI output exists and the id is below their count.
  bool SetDevice(int id);
  bool MidiAvailable();
  bool Play();
  bool PlayNote(int key);
  bool PlayString(const std::string& testo);
  // Ends the looping and stops the stream; the stream then closes.
  void Stop();

  // ---- The notifications ----
  // Handles the queued notifications; only on the GUI thread.
  void ElaboraNotifiche();
  // Called (on any thread) after a notification is queued, to have ElaboraNotifiche run
  // soon on the GUI thread. Empty when nobody runs a message loop.
  void ImpostaSveglia(std::function<void()> sveglia);
  // Lets the application's messages through while the player waits.
  std::function<void()> ElaboraMessaggi;
  // The buffer of the last play (as the stream received it).
  const std::vector<std::uint8_t>& Buffer() const { return buffer_; }

 private:
  bool IniziaSuonata();
  bool CostruisciEAvvia(const std::vector<MidiPhraseEvent>& lista, bool glideConsentito);
  // Waits, handling notifications, until `fatto` holds; gives up after a while so that a
  // device that never answers cannot hang the program.
  template <class F>
  bool AttendiFinche(F fatto);
  void Gestisci(TNotificaMidi n);

  TFlussoMidi& flusso_;
  TMidiProprieta p_;
  int dispositivo_ = -1;
  int istanza_;
  int canale_ = 0;
  std::uint32_t passateRimaste_ = 0;
  bool aperto_ = false, continua_ = false, pronto_ = true, suonando_ = false;
  std::vector<std::uint8_t> buffer_;

  // The mailbox of the notifications, filled by the stream's callback (on any thread): the
  // callback holds it weakly, so a late notification after the player has gone is lost.
  struct Casella {
    std::mutex m;
    std::deque<TNotificaMidi> coda;
    std::function<void()> sveglia;
  };
  std::shared_ptr<Casella> casella_ = std::make_shared<Casella>();
};

}  // namespace qx::midi
