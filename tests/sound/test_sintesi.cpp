// Real synthesis without an audio driver: the General MIDI synthesizer renders the note
// player's stream into memory, and RMS probes say where there is sound.
#include <gtest/gtest.h>

#include <cmath>

#include "controls/midi/FlussoFluid.h"
#include "controls/midi/MidiGen.h"
#include "platform/sound/Sintetizzatore.h"
#include "platform/sound/Toni.h"

namespace qx::midi {
namespace {

constexpr int F = suono::FrequenzaCampionamento;
// Below this a block is silence (the synthesizer's own floor is far lower); above the
// other, a note sounds.
constexpr double Silenzio = 1e-4;
constexpr double Segnale = 1e-3;

class SintesiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(sintetizzatore.Valido()) << "the General MIDI sound font is missing";
    mixer.AggiungiSorgente(&sintetizzatore);
  }
  void TearDown() override { mixer.RimuoviSorgente(&sintetizzatore); }

  // Renders `ms` milliseconds as the device would, in 10 ms blocks, and returns the RMS of
  // the whole stretch.
  double Rendi(int ms) {
    std::vector<float> blocco(2 * F / 100);
    double somma = 0;
    std::size_t n = 0;
    for (int t = 0; t < ms; t += 10) {
      mixer.Rendi(blocco.data(), F / 100);
      for (float x : blocco) somma += static_cast<double>(x) * x;
      n += blocco.size();
    }
    return n ? std::sqrt(somma / static_cast<double>(n)) : 0;
  }

  suono::TMixer mixer{F};
  suono::TSintetizzatore sintetizzatore{F};
  TFlussoFluid flusso{sintetizzatore, mixer, [] { return true; }};
  TMidiGen gen{flusso};
};

TEST_F(SintesiTest, SilenceBeforeTheNoteOnSoundAfterItAndSilenceAgainAfterTheNoteOff) {
  // Key 60 after a delay of 50 ticks (500 ms), lasting 30 ticks.
  ASSERT_TRUE(gen.PlayString("50;C5;30"));
  EXPECT_TRUE(gen.IsPlaying());
  EXPECT_LT(Rendi(450), Silenzio);
  Rendi(70);
  EXPECT_GT(Rendi(200), Segnale);
  Rendi(2500);
  EXPECT_LT(Rendi(200), Silenzio);
  // The end of the pass came from the rendering thread's clock and closed the stream.
  EXPECT_FALSE(gen.IsPlaying());
  EXPECT_TRUE(gen.Play()) << "the first event was reached: the player is ready again";
}

TEST_F(SintesiTest, StopSilencesANoteThatWouldSoundOn) {
  // Five seconds with the sustain pedal down: without a stop it still sounds after a second.
  gen.SetDuration(500);
  gen.SetSustain(true);
  gen.SetOctave(5);
  ASSERT_TRUE(gen.Play());
  EXPECT_GT(Rendi(200), Segnale);
  Rendi(1100);
  EXPECT_GT(Rendi(100), Segnale);
  ASSERT_TRUE(gen.Play());
  EXPECT_GT(Rendi(200), Segnale);
  gen.Stop();
  EXPECT_FALSE(gen.IsPlaying());
  // Every voice ends at once; only the sound font's own reverb fades out behind it.
  Rendi(1100);
  EXPECT_LT(Rendi(100), Silenzio);
}

TEST_F(SintesiTest, TwoLoopsPlayTheNoteTwiceByTheSampleClock) {
  gen.SetLoops(2);
  gen.SetOctave(5);
  ASSERT_TRUE(gen.PlayString("C;10"));  // 100 ms per pass
  EXPECT_GT(Rendi(80), Segnale);
  Rendi(60);
  EXPECT_TRUE(gen.IsPlaying()) << "the first pass ended and was queued again";
  EXPECT_GT(Rendi(80), Segnale) << "the second pass sounds";
  Rendi(60);
  EXPECT_FALSE(gen.IsPlaying());
}

TEST_F(SintesiTest, WithoutAnOutputThePlayerIsNotAvailable) {
  bool uscita = false;
  TFlussoFluid muto(sintetizzatore, mixer, [&] { return uscita; });
  TMidiGen g(muto);
  EXPECT_FALSE(g.MidiAvailable());
  EXPECT_FALSE(g.Play());
  uscita = true;
  EXPECT_TRUE(g.MidiAvailable());
}

TEST(Sintetizzatore, AMissingSoundFontIsReportedNotFatal) {
  suono::TSintetizzatore s(F, "/nonexistent/none.sf2");
  EXPECT_FALSE(s.Valido());
  std::vector<float> l(64, 1.0f), r(64, 1.0f);
  s.Rendi(l.data(), r.data(), 64);
  suono::TMixer m(F);
  TFlussoFluid flusso(s, m, [] { return true; });
  TMidiGen g(flusso);
  EXPECT_FALSE(g.MidiAvailable());
  EXPECT_FALSE(g.Play());
}

}  // namespace
}  // namespace qx::midi
