#include "platform/sound/FileAudio.h"
#include "platform/sound/Suono.h"
#include "platform/sound/Toni.h"

namespace qx::suono {

TSuonoRegistrato::TSuonoRegistrato(std::shared_ptr<std::vector<std::string>> registro)
    : registro_(registro ? std::move(registro) : std::make_shared<std::vector<std::string>>()) {}

void TSuonoRegistrato::Beep(int hz, int ms) {
  if (!Dispositivo) return;
  registro_->push_back("beep " + std::to_string(hz) + " " + std::to_string(ms));
  Toni.push_back({hz, ms, GeneraTono(hz, ms)});
}

void TSuonoRegistrato::MessageBeep() {
  if (Dispositivo) registro_->push_back("messagebeep");
}

bool TSuonoRegistrato::SuonaFile(const std::string& percorso) {
  if (!Dispositivo) return false;
  std::vector<float> campioni;
  fileAperto_ = IsNomeFileMidi(percorso) ? IsFileMidi(percorso)
                                         : LeggiFileAudio(percorso, FrequenzaCampionamento, campioni);
  registro_->push_back("file " + percorso + (fileAperto_ ? "" : " unreadable"));
  return fileAperto_;
}

void TSuonoRegistrato::FermaFile() {
  registro_->push_back("stop file");
  fileAperto_ = false;
}

}  // namespace qx::suono
