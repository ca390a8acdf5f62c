#include "platform/qt/FontToolkit.h"

#include <QFont>
#include <array>

namespace qx {

namespace {

struct Sostituto {
  std::string_view toolkit;
  const char* desktop;
};

// Metric twins where there is one; the old bitmap sans faces become the same sans.
constexpr std::array<Sostituto, 8> kSostituti{{
    {"Arial", "Liberation Sans"},
    {"MS Sans Serif", "Liberation Sans"},
    {"Microsoft Sans Serif", "Liberation Sans"},
    {"Tahoma", "Liberation Sans"},
    {"Small Fonts", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {"Courier", "Liberation Mono"},
}};

}  // namespace

QString FamigliaDesktop(std::string_view nome) {
  if (nome.empty()) return QStringLiteral("Liberation Sans");
  for (const Sostituto& s : kSostituti)
    if (s.toolkit == nome) return QString::fromLatin1(s.desktop);
  return QString::fromUtf8(nome.data(), qsizetype(nome.size()));
}

void SostituisciFontToolkit() {
  static const bool fatto = [] {
    for (const Sostituto& s : kSostituti)
      QFont::insertSubstitution(QString::fromUtf8(s.toolkit.data(), qsizetype(s.toolkit.size())),
                                QString::fromLatin1(s.desktop));
    return true;
  }();
  (void)fatto;
}

}  // namespace qx
