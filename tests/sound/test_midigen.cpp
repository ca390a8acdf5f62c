// The note player's state machine on the recording stream: plays, loops, stops, refusals,
// the missing device, the owner of the device, and the clamped properties.
#include <gtest/gtest.h>

#include "controls/midi/FlussoRegistrato.h"
#include "controls/midi/MidiGen.h"

namespace qx::midi {
namespace {

using V = std::vector<std::string>;

class MidiGenTest : public ::testing::Test {
 protected:
  TFlussoRegistrato flusso;
  TMidiGen gen{flusso};
};

TEST_F(MidiGenTest, PlayOpensAStreamThatClosesAfterItsPass) {
  EXPECT_TRUE(gen.MidiAvailable());
  ASSERT_TRUE(gen.Play());
  EXPECT_TRUE(gen.IsPlaying());
  EXPECT_EQ(flusso.TicksPerQuarto, 50);
  ASSERT_EQ(flusso.Buffer.size(), 1u);
  EXPECT_EQ(flusso.Buffer[0].size(), 216u);
  EXPECT_EQ(flusso.Registro(), (V{"note 48 channel 0 from 0 to 50"}));
  flusso.FinePassata();
  EXPECT_FALSE(gen.IsPlaying());
  EXPECT_FALSE(flusso.Aperto());
  // Free again for the next note.
  gen.SetNote(mgG);
  ASSERT_TRUE(gen.Play());
  EXPECT_EQ(flusso.Registro().back(), "note 55 channel 0 from 0 to 50");
}

TEST_F(MidiGenTest, LoopsTwoPlaysTheBufferTwiceThenCloses) {
  gen.SetLoops(2);
  ASSERT_TRUE(gen.Play());
  flusso.FinePassata();
  EXPECT_TRUE(gen.IsPlaying());
  ASSERT_EQ(flusso.Buffer.size(), 2u);
  EXPECT_EQ(flusso.Buffer[1], flusso.Buffer[0]);
  flusso.FinePassata();
  EXPECT_FALSE(gen.IsPlaying());
  EXPECT_FALSE(flusso.Aperto());
  EXPECT_EQ(flusso.Buffer.size(), 2u);
}

TEST_F(MidiGenTest, LoopsZeroRepeatsUntilStop) {
  gen.SetLoops(0);
  ASSERT_TRUE(gen.PlayString("C,E,G"));
  // Each pass ends after the player has queued it again (on the GUI thread).
  for (int i = 0; i < 20; ++i) {
    flusso.FinePassata();
    gen.ElaboraNotifiche();
  }
  EXPECT_TRUE(gen.IsPlaying());
  EXPECT_EQ(flusso.Buffer.size(), 21u);
  gen.Stop();
  EXPECT_FALSE(gen.IsPlaying());
  EXPECT_FALSE(flusso.Aperto());
  EXPECT_EQ(flusso.Registro().back(), "stop notes");
  EXPECT_EQ(flusso.Buffer.size(), 21u);
}

TEST_F(MidiGenTest, ASecondPlayBeforeTheFirstEventIsRefused) {
  flusso.PrimoEventoSubito = false;
  ASSERT_TRUE(gen.Play());
  EXPECT_FALSE(gen.Play());
  EXPECT_FALSE(gen.PlayString("C"));
  EXPECT_EQ(flusso.Buffer.size(), 1u);
  // Once the first event has played, a new play stops the running stream first.
  flusso.RaggiungiPrimoEvento();
  gen.SetNote(mgE);
  ASSERT_TRUE(gen.Play());
  EXPECT_EQ(flusso.Registro(), (V{"note 48 channel 0 from 0 to 50", "stop notes", "note 52 channel 0 from 0 to 50"}));
}

TEST_F(MidiGenTest, StopSilencesANoteWhoseFirstEventHasNotPlayedYet) {
  flusso.PrimoEventoSubito = false;
  ASSERT_TRUE(gen.Play());
  gen.Stop();
  EXPECT_EQ(flusso.Registro().back(), "stop notes before the first");
  EXPECT_FALSE(gen.IsPlaying());
  EXPECT_FALSE(flusso.Aperto());
  ASSERT_TRUE(gen.Play()) << "a stopped stream leaves the player free";
  // Stop with nothing playing does nothing and never fails.
  flusso.RaggiungiPrimoEvento();
  flusso.FinePassata();
  const std::size_t righe = flusso.Registro().size();
  gen.Stop();
  gen.Stop();
  EXPECT_EQ(flusso.Registro().size(), righe);
}

TEST_F(MidiGenTest, WithoutADeviceNothingPlaysAndNothingIsLeftBusy) {
  flusso.Dispositivo = false;
  EXPECT_FALSE(gen.MidiAvailable());
  EXPECT_FALSE(gen.SetDevice(0));
  EXPECT_FALSE(gen.Play());
  EXPECT_FALSE(gen.PlayNote(60));
  EXPECT_FALSE(gen.PlayString("C,D"));
  EXPECT_FALSE(gen.IsPlaying());
  EXPECT_TRUE(flusso.Registro().empty());
  flusso.Dispositivo = true;
  EXPECT_TRUE(gen.Play());
}

TEST_F(MidiGenTest, SetDeviceAcceptsTheDefaultAndTheFirstDeviceOnly) {
  EXPECT_TRUE(gen.SetDevice(-1));
  EXPECT_TRUE(gen.SetDevice(0));
  EXPECT_FALSE(gen.SetDevice(1));
  EXPECT_FALSE(gen.Play()) << "the stored device does not exist";
  EXPECT_TRUE(gen.SetDevice(-1));
  EXPECT_TRUE(gen.Play());
}

TEST_F(MidiGenTest, AnEmptyPhraseIsRefusedAndLeavesThePlayerFree) {
  EXPECT_FALSE(gen.PlayString(""));
  EXPECT_FALSE(gen.PlayString(" , ,"));
  EXPECT_TRUE(flusso.Buffer.empty());
  EXPECT_TRUE(gen.PlayString("0;C;25,25;D;25"));
  EXPECT_EQ(flusso.Registro(), (V{"note 48 channel 0 from 0 to 25", "note 50 channel 0 from 25 to 50"}));
}

TEST_F(MidiGenTest, PropertiesAreClampedSilentlyAtRunTime) {
  gen.SetOctave(12);
  EXPECT_EQ(gen.Octave(), 10);
  gen.SetOctave(-1);
  EXPECT_EQ(gen.Octave(), 0);
  gen.SetNote(15);
  EXPECT_EQ(gen.Note(), mgB);
  gen.SetVolume(150);
  gen.SetPan(-200);
  gen.SetReverb(-3);
  gen.SetChorus(101);
  gen.SetModulation(1000);
  gen.SetPitchBend(-500);
  gen.SetPBDelay(101);
  gen.SetPBDuration(-1);
  gen.SetInstrument(200);
  gen.SetChannel(16);
  EXPECT_EQ((std::vector<int>{gen.Volume(), gen.Pan(), gen.Reverb(), gen.Chorus(), gen.Modulation(), gen.PitchBend(),
                              gen.PBDelay(), gen.PBDuration(), gen.Instrument(), gen.Channel()}),
            (std::vector<int>{100, -100, 0, 100, 100, -120, 100, 0, 174, 15}));
  gen.SetDuration(123456);
  gen.SetLoops(7);
  EXPECT_EQ(gen.Duration(), 123456u);
  EXPECT_EQ(gen.Loops(), 7u);
  // Defaults.
  TFlussoRegistrato altro;
  TMidiGen nuovo(altro);
  EXPECT_EQ((std::vector<int>{nuovo.Volume(), nuovo.Pan(), nuovo.PBDuration(), static_cast<int>(nuovo.Duration()),
                              nuovo.Octave(), static_cast<int>(nuovo.Loops()), nuovo.Sustain()}),
            (std::vector<int>{100, 0, 100, 50, 4, 1, 0}));
}

TEST(MidiGenProprietario, TheFirstPlayerToOpenAStreamOwnsTheDeviceWhileItLives) {
  TFlussoRegistrato f1, f2;
  auto primo = std::make_unique<TMidiGen>(f1);
  TMidiGen secondo(f2);
  ASSERT_TRUE(primo->Play());
  f1.FinePassata();
  EXPECT_FALSE(secondo.Play());
  EXPECT_TRUE(f2.Buffer.empty());
  // Gone, it leaves the device to the others; the refused player was not left busy.
  primo.reset();
  EXPECT_TRUE(secondo.Play());
  EXPECT_EQ(f2.Registro(), (V{"note 48 channel 0 from 0 to 50"}));
}

}  // namespace
}  // namespace qx::midi
