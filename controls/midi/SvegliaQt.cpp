#include "controls/midi/SvegliaQt.h"

#include <QMetaObject>
#include <QObject>

#include "controls/midi/MidiGen.h"

namespace qx::midi {

TSvegliaQt::TSvegliaQt() : contesto_(std::make_unique<QObject>()) {}

TSvegliaQt::~TSvegliaQt() = default;

std::function<void()> TSvegliaQt::Sveglia(TMidiGen& gen) {
  QObject* contesto = contesto_.get();
  TMidiGen* g = &gen;
  // A call still queued when the context goes is dropped with it.
  return [contesto, g] { QMetaObject::invokeMethod(contesto, [g] { g->ElaboraNotifiche(); }, Qt::QueuedConnection); };
}

}  // namespace qx::midi
