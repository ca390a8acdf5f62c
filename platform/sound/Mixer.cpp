#include "platform/sound/Mixer.h"

#include <algorithm>

namespace qx::suono {

TMixer::TMixer(int frequenza) : frequenza_(frequenza) {}

std::uint64_t TMixer::AggiungiVoce(std::vector<float> stereo, TGruppoVoce gruppo) {
  std::lock_guard<std::recursive_mutex> blocco(m_);
  const std::uint64_t id = prossimoId_++;
  voci_.push_back({id, gruppo, std::move(stereo), 0});
  return id;
}

bool TMixer::VoceAttiva(std::uint64_t id) const {
  std::lock_guard<std::recursive_mutex> blocco(m_);
  return std::any_of(voci_.begin(), voci_.end(), [id](const Voce& v) { return v.id == id; });
}

bool TMixer::GruppoAttivo(TGruppoVoce gruppo) const {
  std::lock_guard<std::recursive_mutex> blocco(m_);
  return std::any_of(voci_.begin(), voci_.end(), [gruppo](const Voce& v) { return v.gruppo == gruppo; });
}

void TMixer::FermaGruppo(TGruppoVoce gruppo) {
  std::lock_guard<std::recursive_mutex> blocco(m_);
  std::erase_if(voci_, [gruppo](const Voce& v) { return v.gruppo == gruppo; });
}

void TMixer::AggiungiSorgente(TSorgenteAudio* sorgente) {
  std::lock_guard<std::recursive_mutex> blocco(m_);
  if (sorgente && std::find(sorgenti_.begin(), sorgenti_.end(), sorgente) == sorgenti_.end())
    sorgenti_.push_back(sorgente);
}

void TMixer::RimuoviSorgente(TSorgenteAudio* sorgente) {
  std::lock_guard<std::recursive_mutex> blocco(m_);
  std::erase(sorgenti_, sorgente);
}

void TMixer::Rendi(float* uscita, int campioni) {
  if (campioni <= 0) return;
  const auto n = static_cast<std::size_t>(campioni);
  std::fill(uscita, uscita + 2 * n, 0.0f);
  std::lock_guard<std::recursive_mutex> blocco(m_);
  for (Voce& v : voci_) {
    const std::size_t quanti = std::min(2 * n, v.stereo.size() - v.posizione);
    for (std::size_t i = 0; i < quanti; ++i) uscita[i] += v.stereo[v.posizione + i];
    v.posizione += quanti;
  }
  std::erase_if(voci_, [](const Voce& v) { return v.posizione >= v.stereo.size(); });
  if (!sorgenti_.empty()) {
    sinistra_.resize(n);
    destra_.resize(n);
    // A source may remove itself from inside its own render: walk a copy.
    const std::vector<TSorgenteAudio*> sorgenti = sorgenti_;
    for (TSorgenteAudio* s : sorgenti) {
      s->Rendi(sinistra_.data(), destra_.data(), campioni);
      for (std::size_t i = 0; i < n; ++i) {
        uscita[2 * i] += sinistra_[i];
        uscita[2 * i + 1] += destra_[i];
      }
    }
  }
  for (std::size_t i = 0; i < 2 * n; ++i) uscita[i] = std::clamp(uscita[i], -1.0f, 1.0f);
}

}  // namespace qx::suono
