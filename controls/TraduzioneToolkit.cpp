#include "controls/TraduzioneToolkit.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace qx {

bool CaricaTraduzioneToolkit() {
  // Owned by the application object, which outlives every window that uses it.
  static QTranslator* traduzione = nullptr;
  if (traduzione) return true;
  auto* t = new QTranslator(QCoreApplication::instance());
  if (!t->load(QStringLiteral("qtbase_it"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete t;
    return false;
  }
  QCoreApplication::installTranslator(t);
  traduzione = t;
  return true;
}

}  // namespace qx
