// The fixture of the space tests: a space scene of its own (rendered off-screen), the solid
// geometry registered, and a run through the scripted window. Pixels are probed on the
// scene's snapshot, with y counted from the top.
#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/qt/ApplicazioneQt.h"
#include "runstate/DatiGlob.h"
#include "solid/ScenaSpazio.h"
#include "solid/Solidi.h"
#include "solid/Valore3D.h"
#include "tests/support/Esecuzione.h"

namespace qx::test {

struct TRgb {
  int r = 0, g = 0, b = 0;
  bool operator==(const TRgb&) const = default;
};
inline std::ostream& operator<<(std::ostream& o, const TRgb& c) {
  return o << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

class Spazio : public ::testing::Test {
 protected:
  Spazio() {
    EnsureGuiApplication();
    RegistraSolidi();
    InstallaScenaSpazio(&scena);
  }
  ~Spazio() override { InstallaScenaSpazio(nullptr); }

  // The program's error ("<ok>" when it ran), as "LINE MESSAGE".
  std::string Esegui(const std::string& programma) {
    const Esito e = run.Esegui(programma);
    return e.riuscito ? "<ok>" : std::to_string(e.riga) + " " + e.errore;
  }
  // One more command-bar line in the same environment.
  std::string Comando(const std::string& riga) {
    return run.ambiente.EseguiComando({riga}) ? "<ok>" : DatiGlob.MessaggioErrore;
  }
  template <class T>
  T& Di(const std::string& nome) {
    auto* v = dynamic_cast<T*>(run.Valore(nome));
    if (!v) throw std::runtime_error("no value " + nome + " of that class");
    return *v;
  }
  cValoreGraf3D& V3(const std::string& nome) { return Di<cValoreGraf3D>(nome); }
  // The absolute position of a value's main object.
  TAffineVector Dove(const std::string& nome) {
    const THomogeneousVector p = V3(nome).Principale()->AbsolutePosition();
    return {p.X, p.Y, p.Z};
  }

  void Fotografa() { foto = scena.Istantanea(); }
  TRgb Pixel(int x, int y) const {
    const std::uint32_t p = foto.Pixel(x, y);
    return {int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF)};
  }
  // Whether some pixel within `raggio` of (x, y) is near the colour.
  bool Vicino(int x, int y, TRgb c, int raggio, int tolleranza = 40) const {
    for (int dy = -raggio; dy <= raggio; ++dy)
      for (int dx = -raggio; dx <= raggio; ++dx) {
        const TRgb p = Pixel(x + dx, y + dy);
        if (std::abs(p.r - c.r) <= tolleranza && std::abs(p.g - c.g) <= tolleranza && std::abs(p.b - c.b) <= tolleranza)
          return true;
      }
    return false;
  }

  TScenaSpazio scena;  // before the run: the values go first
  Esecuzione run;
  TBitmap foto;
};

inline bool Circa(const TAffineVector& a, float x, float y, float z, float eps = 1e-4f) {
  return std::fabs(a.X - x) <= eps && std::fabs(a.Y - y) <= eps && std::fabs(a.Z - z) <= eps;
}
// The space values alive now, of every scene.
inline int ValoriVivi() {
  int n = 0;
  for (cValoreGraf3D* v = cValoreGraf3D::Primo(); v; v = v->Successivo()) ++n;
  return n;
}

}  // namespace qx::test

namespace qx {
inline std::ostream& operator<<(std::ostream& o, const TAffineVector& v) {
  return o << "(" << v.X << ", " << v.Y << ", " << v.Z << ")";
}
}  // namespace qx
