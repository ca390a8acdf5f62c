// The note player's notifications come from the audio thread: this posts a call to the
// player into the Qt event loop, so that they are handled on the GUI thread.
#pragma once
#include <functional>
#include <memory>

class QObject;

namespace qx::midi {

class TMidiGen;

class TSvegliaQt {
 public:
  // Made on the GUI thread, while a QCoreApplication exists.
  TSvegliaQt();
  ~TSvegliaQt();
  TSvegliaQt(const TSvegliaQt&) = delete;
  TSvegliaQt& operator=(const TSvegliaQt&) = delete;
  // The wake-up for ImpostaSveglia; the player must outlive this object's last use of it.
  std::function<void()> Sveglia(TMidiGen& gen);

 private:
  std::unique_ptr<QObject> contesto_;
};

}  // namespace qx::midi
