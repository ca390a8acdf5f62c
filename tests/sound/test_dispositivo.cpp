// The window's sound services on a device: SDL's disk driver stands in for the sound card,
// a Qt event loop brings the note player's notifications from the audio thread.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "controls/midi/MidiGen.h"
#include "controls/midi/ServiziSuono.h"
#include "tests/sound/FileDiProva.h"

namespace qx::midi {
namespace {

TEST(ServiziSuonoDispositivo, ANoteSoundsAndItsStreamIsClosedByTheEventLoop) {
  test::CartellaTemporanea dir("qx-suono-dispositivo");
  const std::string uscita = dir / "uscita.raw";
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", uscita.c_str(), 1);
  int argc = 1;
  char nome[] = "test";
  char* argv[] = {nome, nullptr};
  QCoreApplication app(argc, argv);
  {
    auto s = TServiziSuono::Dispositivo();
    ASSERT_TRUE(s->MidiGen1().MidiAvailable());
    s->BeepTono(500, 50);
    s->MidiGen1().SetDuration(20);  // 200 ms
    s->MidiGen()->SetNote(mgE);
    s->MidiGen()->Play();
    EXPECT_FALSE(s->MidiGen1().Buffer().empty());
    // Only the event loop hands the end of the stream to the player here; the closing
    // stream frees its buffer. Bounded, should the device stall.
    for (int i = 0; i < 5000 && !s->MidiGen1().Buffer().empty(); ++i) {
      QCoreApplication::processEvents();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(s->MidiGen1().Buffer().empty());
    EXPECT_FALSE(s->MidiGen1().IsPlaying());
  }
  unsetenv("SDL_AUDIODRIVER");
  unsetenv("SDL_DISKAUDIOFILE");
  std::ifstream in(uscita, std::ios::binary);
  const std::string byte((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<float> f(byte.size() / sizeof(float));
  std::memcpy(f.data(), byte.data(), f.size() * sizeof(float));
  ASSERT_GT(f.size(), 2u * 4410u);
  EXPECT_GT(*std::max_element(f.begin(), f.begin() + 2 * 2205), 0.3f) << "the beep comes first";
  // The note after it: some 10 ms block well above silence.
  double massimo = 0;
  for (std::size_t i = 2 * 2205; i + 882 <= f.size(); i += 882) {
    double somma = 0;
    for (std::size_t k = 0; k < 882; ++k) somma += static_cast<double>(f[i + k]) * f[i + k];
    massimo = std::max(massimo, std::sqrt(somma / 882));
  }
  EXPECT_GT(massimo, 1e-3);
}

}  // namespace
}  // namespace qx::midi
