// The sound layer: the beep's samples, media files read through libsndfile (and refused
// when missing or damaged), the recording back-end, and SDL's disk driver standing in for a
// sound card.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <cmath>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/sound/FileAudio.h"
#include "platform/sound/Suono.h"
#include "platform/sound/Toni.h"
#include "tests/sound/FileDiProva.h"

namespace qx::suono {
namespace {

// Changes of sign, a run of exact zeros counting as no sample.
int AttraversamentiZero(const std::vector<float>& s) {
  int n = 0, prima = 0;
  for (float x : s) {
    const int segno = x > 0 ? 1 : x < 0 ? -1 : 0;
    if (segno == 0) continue;
    if (prima != 0 && segno != prima) ++n;
    prima = segno;
  }
  return n;
}

// ---------------------------------------------------------------- tones

TEST(Toni, The500HzBeepHas4410SamplesAndAHundredZeroCrossings) {
  const std::vector<float> t = GeneraTono(500, 100);
  ASSERT_EQ(t.size(), 4410u);
  EXPECT_NEAR(AttraversamentiZero(t), 100, 1);
  EXPECT_EQ(GeneraTono(600, 100).size(), 4410u);
  EXPECT_NEAR(AttraversamentiZero(GeneraTono(600, 100)), 120, 1);
  // Fades at both ends; full level in the middle, never clipped.
  EXPECT_EQ(t.front(), 0.0f);
  EXPECT_EQ(t.back(), 0.0f);
  EXPECT_LT(std::abs(t[20]), 0.1f);
  const float picco = *std::max_element(t.begin(), t.end());
  EXPECT_GT(picco, 0.3f);
  EXPECT_LE(picco, 1.0f);
  EXPECT_GT(*std::max_element(t.begin() + 2000, t.begin() + 2100), 0.3f);
}

TEST(Toni, DegenerateTonesHaveNoSamples) {
  EXPECT_TRUE(GeneraTono(0, 100).empty());
  EXPECT_TRUE(GeneraTono(500, 0).empty());
  EXPECT_TRUE(GeneraTono(-5, -5).empty());
  EXPECT_EQ(GeneraTono(500, 1).size(), 44u);
  EXPECT_EQ(InStereo({0.5f, -0.25f}), (std::vector<float>{0.5f, 0.5f, -0.25f, -0.25f}));
}

// ---------------------------------------------------------------- the recording back-end

TEST(SuonoRegistrato, TheTwoBeepsOfAPickArriveInOrderWithTheirBuffers) {
  TSuonoRegistrato s;
  s.Beep(500, 100);
  s.Beep(600, 100);
  s.MessageBeep();
  EXPECT_EQ(s.Registro(), (std::vector<std::string>{"beep 500 100", "beep 600 100", "messagebeep"}));
  ASSERT_EQ(s.Toni.size(), 2u);
  EXPECT_EQ(s.Toni[0].campioni.size(), 4410u);
  EXPECT_NEAR(AttraversamentiZero(s.Toni[0].campioni), 100, 1);
  EXPECT_NEAR(AttraversamentiZero(s.Toni[1].campioni), 120, 1);
}

TEST(SuonoRegistrato, FilesOpenAsTheDeviceWouldOpenThem) {
  test::CartellaTemporanea dir("qx-suono-reg");
  ASSERT_TRUE(test::ScriviSeno(dir / "a.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1, 4410));
  test::ScriviMidi(dir / "b.MID");
  test::ScriviByte(dir / "c.mid", std::string("MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\1\0", 22));
  TSuonoRegistrato s;
  EXPECT_TRUE(s.SuonaFile(dir / "a.wav"));
  EXPECT_TRUE(s.FileInRiproduzione());
  EXPECT_TRUE(s.SuonaFile(dir / "b.MID"));
  EXPECT_FALSE(s.SuonaFile(dir / "c.mid"));
  EXPECT_FALSE(s.SuonaFile(dir / "missing.wav"));
  EXPECT_FALSE(s.FileInRiproduzione());
  s.FermaFile();
  EXPECT_EQ(s.Registro(), (std::vector<std::string>{"file " + (dir / "a.wav"), "file " + (dir / "b.MID"),
                                                   "file " + (dir / "c.mid") + " unreadable",
                                                   "file " + (dir / "missing.wav") + " unreadable", "stop file"}));
}

// ---------------------------------------------------------------- media files

TEST(FileAudio, WavOggAndFlacAreReadAsStereoAtTheMixersRate) {
  test::CartellaTemporanea dir("qx-suono-file");
  struct Caso {
    std::string nome;
    int formato, frequenza, canali;
  };
  const Caso casi[] = {{"m.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1},
                       {"s.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 44100, 2},
                       {"q.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 44100, 2},
                       {"v.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 44100, 1},
                       {"t.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 3}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    ASSERT_TRUE(test::ScriviSeno(dir / c.nome, c.formato, c.frequenza, c.canali, 4410));
    std::vector<float> s;
    ASSERT_TRUE(LeggiFileAudio(dir / c.nome, 44100, s));
    EXPECT_NEAR(static_cast<double>(s.size()), 2 * 4410, 2 * 50);  // Vorbis may pad a little
    double energia = 0;
    for (std::size_t i = 0; i + 1 < s.size(); i += 2) {
      EXPECT_NEAR(s[i], s[i + 1], 1e-6);
      energia += static_cast<double>(s[i]) * s[i];
    }
    EXPECT_NEAR(std::sqrt(energia / (static_cast<double>(s.size()) / 2)), 0.5 / std::sqrt(2.0), 0.02);
  }
}

TEST(FileAudio, AnotherRateIsConvertedToTheMixersOne) {
  test::CartellaTemporanea dir("qx-suono-rate");
  ASSERT_TRUE(test::ScriviSeno(dir / "r.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050, 1, 2205, 500));
  std::vector<float> s;
  ASSERT_TRUE(LeggiFileAudio(dir / "r.wav", 44100, s));
  EXPECT_EQ(s.size(), 2u * 4409u);
  std::vector<float> sinistra;
  for (std::size_t i = 0; i < s.size(); i += 2) sinistra.push_back(s[i]);
  EXPECT_NEAR(AttraversamentiZero(sinistra), 100, 1) << "the pitch is kept";
}

TEST(FileAudio, MissingEmptyAndDamagedFilesAreRefused) {
  test::CartellaTemporanea dir("qx-suono-rotti");
  std::vector<float> s{1.0f};
  EXPECT_FALSE(LeggiFileAudio(dir / "nessuno.wav", 44100, s));
  EXPECT_TRUE(s.empty());
  test::ScriviByte(dir / "vuoto.wav", "");
  EXPECT_FALSE(LeggiFileAudio(dir / "vuoto.wav", 44100, s));
  test::ScriviByte(dir / "testo.wav", "RIFF is not enough for a wave file");
  EXPECT_FALSE(LeggiFileAudio(dir / "testo.wav", 44100, s));
  EXPECT_FALSE(LeggiFileAudio(dir.Percorso(), 44100, s)) << "a folder";
  // Every cut of a good file either reads or is refused; none crashes.
  ASSERT_TRUE(test::ScriviSeno(dir / "buono.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 2, 400));
  std::ifstream in(dir / "buono.wav", std::ios::binary);
  const std::string tutto((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  for (std::size_t n = 0; n < tutto.size(); n += 7) {
    test::ScriviByte(dir / "tagliato.wav", tutto.substr(0, n));
    (void)LeggiFileAudio(dir / "tagliato.wav", 44100, s);
  }
  std::string rovinato = tutto;
  for (std::size_t i = 8; i < 44; i += 3) rovinato[i] = static_cast<char>(0xFF);
  test::ScriviByte(dir / "rovinato.wav", rovinato);
  (void)LeggiFileAudio(dir / "rovinato.wav", 44100, s);
}

TEST(FileAudio, MidiFilesAreKnownByTheirName) {
  EXPECT_TRUE(IsNomeFileMidi("/a/b.mid"));
  EXPECT_TRUE(IsNomeFileMidi("B.MIDI"));
  EXPECT_FALSE(IsNomeFileMidi("b.wav"));
  EXPECT_FALSE(IsNomeFileMidi("mid"));
  EXPECT_FALSE(IsNomeFileMidi("/x.mid/y"));
}

// ---------------------------------------------------------------- SDL's disk driver

// SDL writes what the device would play to a raw file of 32-bit floats, in real time.
class DiscoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", uscita.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");
  }
  std::vector<float> Uscita() const {
    std::ifstream in(uscita, std::ios::binary);
    const std::string byte((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<float> f(byte.size() / sizeof(float));
    std::memcpy(f.data(), byte.data(), f.size() * sizeof(float));
    return f;
  }
  test::CartellaTemporanea dir{"qx-suono-disco"};
  std::string uscita = dir / "uscita.raw";
};

TEST_F(DiscoTest, AGeneratedWavPlayedThroughTheLayerReachesTheDevice) {
  ASSERT_TRUE(test::ScriviSeno(dir / "breve.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1, 4410));
  {
    TSuonoSdl s;
    ASSERT_TRUE(s.Disponibile());
    ASSERT_TRUE(s.SuonaFile(dir / "breve.wav"));
    // The file ends by itself; the loop is bounded should the device stall.
    for (int i = 0; i < 3000 && s.FileInRiproduzione(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_FALSE(s.FileInRiproduzione());
    EXPECT_FALSE(s.SuonaFile(dir / "nessuno.wav"));
  }
  const std::vector<float> f = Uscita();
  ASSERT_FALSE(f.empty());
  const float picco = *std::max_element(f.begin(), f.end());
  EXPECT_GT(picco, 0.4f);
  EXPECT_LE(picco, 1.0f);
}

TEST_F(DiscoTest, ABeepReturnsOnceItHasBeenPlayed) {
  {
    TSuonoSdl s;
    ASSERT_TRUE(s.Disponibile());
    s.Beep(500, 50);
    s.Beep(600, 50);
    // The sound leaves the process's signals alone: SDL took SIGTERM for a quit event nobody
    // reads, and the window no longer ended when the desktop asked it to.
    for (const int segnale : {SIGTERM, SIGINT}) {
      struct sigaction azione {};
      ASSERT_EQ(sigaction(segnale, nullptr, &azione), 0);
      EXPECT_EQ(azione.sa_handler, SIG_DFL) << segnale;
    }
  }
  const std::vector<float> f = Uscita();
  EXPECT_GE(f.size(), 2u * 2205u * 2u);
  EXPECT_GT(*std::max_element(f.begin(), f.end()), 0.3f);

}

TEST_F(DiscoTest, AMidiFilePlaysUntilStopped) {
  test::ScriviMidi(dir / "do.mid");
  TSuonoSdl s;
  ASSERT_TRUE(s.SuonaFile(dir / "do.mid"));
  EXPECT_TRUE(s.FileInRiproduzione());
  s.FermaFile();
  EXPECT_FALSE(s.FileInRiproduzione());
  test::ScriviByte(dir / "finto.mid", "not a MIDI file");
  EXPECT_FALSE(s.SuonaFile(dir / "finto.mid"));
}

TEST(Sdl, WithNoDeviceTheLayerIsSilentAndSaysSo) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  {
    TSuonoSdl s;
    EXPECT_FALSE(s.Disponibile());
    s.Beep(500, 100);
    s.MessageBeep();
    EXPECT_FALSE(s.SuonaFile("/nonexistent.wav"));
    EXPECT_FALSE(s.FileInRiproduzione());
  }
  unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
}  // namespace qx::suono
