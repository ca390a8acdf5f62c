#include <SDL.h>

#include "platform/sound/FileAudio.h"
#include "platform/sound/Sintetizzatore.h"
#include "platform/sound/Suono.h"
#include "platform/sound/Toni.h"

namespace qx::suono {

namespace {

void Richiamo(void* dati, Uint8* flusso, int byte) {
  auto* mixer = static_cast<TMixer*>(dati);
  mixer->Rendi(reinterpret_cast<float*>(flusso), byte / static_cast<int>(2 * sizeof(float)));
}

// The longest a beep may keep the program waiting past its own length, should the device
// stop pulling samples.
constexpr Uint64 MargineBeepMs = 1000;

}  // namespace

TSuonoSdl::TSuonoSdl() : mixer_(FrequenzaCampionamento) {}

TSuonoSdl::~TSuonoSdl() {
  if (dispositivo_) SDL_CloseAudioDevice(dispositivo_);
  if (sintetizzatoreFile_) mixer_.RimuoviSorgente(sintetizzatoreFile_.get());
  if (sottosistema_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool TSuonoSdl::Disponibile() {
  if (provato_) return dispositivo_ != 0;
  provato_ = true;
  // SDL would take SIGINT and SIGTERM for a quit event that nobody here reads: the window
  // then ignored the desktop asking it to end.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  sottosistema_ = true;
  SDL_AudioSpec voluto{};
  voluto.freq = FrequenzaCampionamento;
  voluto.format = AUDIO_F32SYS;
  voluto.channels = 2;
  voluto.samples = 1024;
  voluto.callback = Richiamo;
  voluto.userdata = &mixer_;
  SDL_AudioSpec ottenuto{};
  // No changes allowed: SDL converts to whatever the hardware wants.
  dispositivo_ = SDL_OpenAudioDevice(nullptr, 0, &voluto, &ottenuto, 0);
  if (dispositivo_ == 0) return false;
  SDL_PauseAudioDevice(dispositivo_, 0);
  return true;
}

void TSuonoSdl::Beep(int hz, int ms) {
  if (!Disponibile()) return;
  const std::uint64_t id = mixer_.AggiungiVoce(InStereo(GeneraTono(hz, ms)), TGruppoVoce::Beep);
  const Uint64 limite = SDL_GetTicks64() + static_cast<Uint64>(ms > 0 ? ms : 0) + MargineBeepMs;
  while (mixer_.VoceAttiva(id) && SDL_GetTicks64() < limite) SDL_Delay(1);
}

void TSuonoSdl::MessageBeep() {
  if (Disponibile()) mixer_.AggiungiVoce(InStereo(GeneraTono(880, 150)), TGruppoVoce::Beep);
}

bool TSuonoSdl::SuonaFile(const std::string& percorso) {
  FermaFile();
  if (!Disponibile()) return false;
  if (IsNomeFileMidi(percorso)) {
    if (!sintetizzatoreFile_) {
      sintetizzatoreFile_ = std::make_unique<TSintetizzatore>(mixer_.Frequenza());
      mixer_.AggiungiSorgente(sintetizzatoreFile_.get());
    }
    return mixer_.Esclusivo([&] { return sintetizzatoreFile_->ApriFileMidi(percorso); });
  }
  std::vector<float> stereo;
  if (!LeggiFileAudio(percorso, mixer_.Frequenza(), stereo)) return false;
  mixer_.AggiungiVoce(std::move(stereo), TGruppoVoce::File);
  return true;
}

bool TSuonoSdl::FileInRiproduzione() {
  if (mixer_.GruppoAttivo(TGruppoVoce::File)) return true;
  return sintetizzatoreFile_ && mixer_.Esclusivo([&] { return sintetizzatoreFile_->FileMidiInCorso(); });
}

void TSuonoSdl::FermaFile() {
  mixer_.FermaGruppo(TGruppoVoce::File);
  if (sintetizzatoreFile_) mixer_.Esclusivo([&] { sintetizzatoreFile_->FermaFileMidi(); });
}

}  // namespace qx::suono
