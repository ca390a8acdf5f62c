// The mix that the audio device plays: buffers of samples (beeps, media files) and sources
// that produce their samples as they are asked (the synthesizers). The device's thread calls
// Rendi; everything else runs on the GUI thread, and changes to a source's state go through
// Esclusivo so that they never meet a render half-way.
#pragma once
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace qx::suono {

// Something that produces stereo samples on demand.
class TSorgenteAudio {
 public:
  virtual ~TSorgenteAudio() = default;
  // Writes `campioni` frames into the two channels (overwriting them). Called with the
  // mixer locked.
  virtual void Rendi(float* sinistra, float* destra, int campioni) = 0;
};

// What a buffer is for: a new media file replaces the old one; beeps overlap nothing else.
enum class TGruppoVoce : std::uint8_t { Beep, File };

class TMixer {
 public:
  explicit TMixer(int frequenza);
  TMixer(const TMixer&) = delete;
  TMixer& operator=(const TMixer&) = delete;

  int Frequenza() const { return frequenza_; }

  // Starts an interleaved stereo buffer; returns its id (never 0).
  std::uint64_t AggiungiVoce(std::vector<float> stereo, TGruppoVoce gruppo);
  // True while a buffer still has samples to play.
  bool VoceAttiva(std::uint64_t id) const;
  bool GruppoAttivo(TGruppoVoce gruppo) const;
  void FermaGruppo(TGruppoVoce gruppo);

  // The source stays owned by the caller, who removes it before destroying it.
  void AggiungiSorgente(TSorgenteAudio* sorgente);
  void RimuoviSorgente(TSorgenteAudio* sorgente);

  // Runs f with no render under way.
  template <class F>
  auto Esclusivo(F&& f) {
    std::lock_guard<std::recursive_mutex> blocco(m_);
    return f();
  }

  // Mixes `campioni` interleaved stereo frames into `uscita` (overwriting it), clipped to
  // -1..1. The device's thread.
  void Rendi(float* uscita, int campioni);

 private:
  struct Voce {
    std::uint64_t id;
    TGruppoVoce gruppo;
    std::vector<float> stereo;
    std::size_t posizione = 0;  // in samples of the interleaved buffer
  };
  int frequenza_;
  // Recursive: a source's own callbacks may change the mix from inside a render.
  mutable std::recursive_mutex m_;
  std::vector<Voce> voci_;
  std::vector<TSorgenteAudio*> sorgenti_;
  std::uint64_t prossimoId_ = 1;
  std::vector<float> sinistra_, destra_;
};

}  // namespace qx::suono
