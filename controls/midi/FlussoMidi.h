// The MIDI stream device the note player plays through: a stream is opened, takes a buffer
// of 12-byte events, plays it and reports its progress by notifications, which the player
// handles on the GUI thread. Two devices: the synthesizer (FlussoFluid.h) and a recording
// one for the tests and the headless runner (FlussoRegistrato.h).
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

namespace qx::midi {

enum class TNotificaMidi : std::uint8_t {
  Open,        // the stream is open
  PositionCB,  // the first event of the buffer (the one with the callback flag) has played
  Done,        // the buffer has played to its end, or was stopped
  Close        // the stream is closed
};

class TFlussoMidi {
 public:
  // May be called on any thread; the player queues the notification for the GUI thread.
  using Notifica = std::function<void(TNotificaMidi)>;
  virtual ~TFlussoMidi() = default;

  virtual int NumeroDispositivi() = 0;
  // Opens the output device and closes it at once: whether it can be had.
  virtual bool ProvaDispositivo(int dispositivo) = 0;
  // Opens a stream on the device (-1: the default one); Open is notified.
  virtual bool Apri(int dispositivo, Notifica notifica) = 0;
  // All notes off.
  virtual void Reset() = 0;
  virtual bool ImpostaDivisione(int ticksPerQuarto) = 0;
  // Queues a buffer; it plays from the next Riavvia.
  virtual bool Accoda(const std::vector<std::uint8_t>& buffer) = 0;
  virtual bool Riavvia() = 0;
  // Stops playing; a buffer still queued is notified Done.
  virtual void Ferma() = 0;
  // Closes the stream; Close is notified.
  virtual void Chiudi() = 0;
};

}  // namespace qx::midi
