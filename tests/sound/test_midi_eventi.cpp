// The note player's stream buffers byte for byte, and the phrases of PlayString.
#include <gtest/gtest.h>

#include "controls/midi/MidiEventi.h"

namespace qx::midi {
namespace {

using Parole = std::vector<std::uint32_t>;

Parole EventiDi(const std::vector<std::uint8_t>& b) {
  Parole r;
  for (const TEventoFlusso& e : LeggiBuffer(b)) r.push_back(e.Evento);
  return r;
}
Parole DeltaDi(const std::vector<std::uint8_t>& b) {
  Parole r;
  for (const TEventoFlusso& e : LeggiBuffer(b)) r.push_back(e.Delta);
  return r;
}
std::vector<std::uint8_t> BufferNota(const TMidiProprieta& p) {
  return CostruisciBuffer(p, p.Channel, EventiNota(p, p.Note + 12 * p.Octave), true);
}

// The fifteen set-up events with the defaults, on channel 0 (and 9 for percussion).
const Parole SetUpPredefinito = {0x400079B0, 0x000079B9, 0x000064B0, 0x000065B0, 0x000C06B0,
                                 0x007F64B0, 0x007F65B0, 0x00400AB0, 0x00400AB9, 0x000001B0,
                                 0x007F07B0, 0x007F07B9, 0x000040B0, 0x00005BB0, 0x00005DB0};

// ---------------------------------------------------------------- single notes

TEST(MidiEventi, PlayWithTheDefaultsBuildsEighteenEvents) {
  const std::vector<std::uint8_t> b = BufferNota(TMidiProprieta{});
  ASSERT_EQ(b.size(), 216u);
  Parole atteso = SetUpPredefinito;
  atteso.insert(atteso.end(), {0x000000C0, 0x007F3090, 0x00003090});
  EXPECT_EQ(EventiDi(b), atteso);
  Parole delta(18, 0);
  delta[17] = 50;
  EXPECT_EQ(DeltaDi(b), delta);
  // Little-endian words: delta, stream id 0, event (the first with the callback flag).
  const std::vector<std::uint8_t> primo(b.begin(), b.begin() + 12), ultimo(b.end() - 12, b.end());
  EXPECT_EQ(primo, (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 0, 0, 0xB0, 0x79, 0x00, 0x40}));
  EXPECT_EQ(ultimo, (std::vector<std::uint8_t>{50, 0, 0, 0, 0, 0, 0, 0, 0x90, 0x30, 0x00, 0x00}));
}

TEST(MidiEventi, APercussionInstrumentPlaysItsOwnKeyOnChannelTen) {
  TMidiProprieta p;
  p.Instrument = 130;
  for (int nota : {mgC, mgFsharp, mgB}) {
    p.Note = nota;
    const Parole e = EventiDi(BufferNota(p));
    ASSERT_EQ(e.size(), 18u);
    EXPECT_EQ(e[15], 0x00007FC9u) << "program 130 is sent as 127 on the percussion channel";
    EXPECT_EQ(e[16], 0x007F2599u);
    EXPECT_EQ(e[17], 0x00002599u);
  }
  // Instruments 128 and 174 are keys 35 and 81.
  p.Instrument = 128;
  EXPECT_EQ(EventiDi(BufferNota(p))[16], 0x007F2399u);
  p.Instrument = 174;
  EXPECT_EQ(EventiDi(BufferNota(p))[16], 0x007F5199u);
  // On the percussion channel itself the key is the note's, with no program change in the list.
  p = {};
  p.Channel = CanalePercussioni;
  p.Note = mgD;
  const Parole e = EventiDi(BufferNota(p));
  EXPECT_EQ(e[0], 0x400079B9u);
  EXPECT_EQ(e[15], 0x000000C9u) << "the program change put before a list that has none";
  EXPECT_EQ(e[16], 0x007F3299u);
}

TEST(MidiEventi, PanVolumeAndTheOtherControllersScaleToMidiValues) {
  TMidiProprieta p;
  p.Pan = -100;
  EXPECT_EQ(EventiDi(BufferNota(p))[7], 0x00010AB0u);
  EXPECT_EQ(EventiDi(BufferNota(p))[8], 0x00010AB9u);
  p.Pan = 100;
  EXPECT_EQ(EventiDi(BufferNota(p))[7], 0x007F0AB0u);
  p.Pan = -1;
  EXPECT_EQ(EventiDi(BufferNota(p))[7], 0x00400AB0u) << "divisions truncate toward zero";
  p = {};
  p.Volume = 50;
  p.Modulation = 100;
  p.Sustain = true;
  p.Reverb = 33;
  p.Chorus = 1;
  p.Channel = mgCh04;
  const Parole e = EventiDi(BufferNota(p));
  EXPECT_EQ(e[0], 0x400079B3u);
  EXPECT_EQ(e[1], 0x000079B9u);
  EXPECT_EQ(e[9], 0x007F01B3u);
  EXPECT_EQ(e[10], 0x003F07B3u);
  EXPECT_EQ(e[11], 0x003F07B9u);
  EXPECT_EQ(e[12], 0x007F40B3u);
  EXPECT_EQ(e[13], 0x00295BB3u);
  EXPECT_EQ(e[14], 0x00015DB3u);
  EXPECT_EQ(e[15], 0x000000C3u);
  EXPECT_EQ(e[16], 0x007F3093u);
}

TEST(MidiEventi, APitchGlideClimbsInStepsBeforeTheNoteOff) {
  TMidiProprieta p;
  p.PitchBend = 120;
  p.PBDelay = 50;
  p.PBDuration = 100;
  const std::vector<TEventoFlusso> e = LeggiBuffer(BufferNota(p));
  ASSERT_EQ(e.size(), 18u + 25u);
  std::uint32_t tempo = 0;
  for (int i = 0; i < 25; ++i) {
    const TEventoFlusso& pb = e[17 + i];
    EXPECT_EQ(pb.Stato(), 0xE0);
    EXPECT_EQ(pb.Delta, i == 0 ? 26u : 1u);
    EXPECT_EQ(pb.Dato1() | pb.Dato2() << 7, 8192 + 327 * (i + 1));
    tempo += pb.Delta;
  }
  EXPECT_EQ(tempo, 50u);
  EXPECT_EQ(e[17].Evento, 0x004247E0u);
  EXPECT_EQ(e[41].Evento, 0x007F6FE0u);
  EXPECT_EQ(e[42].Evento, 0x00003090u);
  EXPECT_EQ(e[42].Delta, 50u) << "the note off keeps its own delta after the last step";

  // Downwards, and no glide at all when it would have no steps.
  p.PitchBend = -120;
  EXPECT_EQ(LeggiBuffer(BufferNota(p))[41].Dato1() | LeggiBuffer(BufferNota(p))[41].Dato2() << 7, 8192 - 25 * 327);
  for (auto cambia : std::initializer_list<void (*)(TMidiProprieta&)>{
           [](TMidiProprieta& q) { q.PBDuration = 0; }, [](TMidiProprieta& q) { q.PBDelay = 100; },
           [](TMidiProprieta& q) { q.PitchBend = 0; }, [](TMidiProprieta& q) { q.Duration = 0; },
           [](TMidiProprieta& q) { q.Duration = 1; q.PBDuration = 50; }}) {
    TMidiProprieta q = p;
    cambia(q);
    EXPECT_EQ(LeggiBuffer(BufferNota(q)).size(), 18u);
  }
  // Not allowed by the caller: no glide either.
  EXPECT_EQ(LeggiBuffer(CostruisciBuffer(p, 0, EventiNota(p, 48), false)).size(), 18u);
}

TEST(MidiEventi, KeysAreClampedAndTheBufferStopsGrowingAt65535Bytes) {
  TMidiProprieta p;
  EXPECT_EQ(EventiNota(p, 300)[1].Value, 127);
  EXPECT_EQ(EventiNota(p, -5)[1].Value, 0);
  p.Octave = 10;
  p.Note = mgB;
  EXPECT_EQ(EventiDi(BufferNota(p))[16], 0x007F7F90u);

  std::string lunga;
  for (int i = 0; i < 3000; ++i) lunga += "C,";
  bool glide = false;
  const std::vector<MidiPhraseEvent> lista = EventiFrase(TMidiProprieta{}, lunga, glide);
  ASSERT_EQ(lista.size(), 6000u);
  EXPECT_EQ(CostruisciBuffer(TMidiProprieta{}, 0, lista, glide).size(), 65532u);
}

TEST(MidiEventi, SettersClampThroughOneRoutine) {
  EXPECT_EQ(Limita(0, 10, 12), 10);
  EXPECT_EQ(Limita(0, 10, -1), 0);
  EXPECT_EQ(Limita(-100, 100, 7), 7);
}

// ---------------------------------------------------------------- phrases

MidiPhraseEvent On(std::uint32_t t, int v, int c = 0) { return {t, mpeNoteOn, v, static_cast<std::uint8_t>(c)}; }
MidiPhraseEvent Off(std::uint32_t t, int v, int c = 0) { return {t, mpeNoteOff, v, static_cast<std::uint8_t>(c)}; }
MidiPhraseEvent Pc(std::uint32_t t, int v, int c = 0) {
  return {t, mpeProgramChange, v, static_cast<std::uint8_t>(c)};
}

TEST(MidiFrasi, ThreeNotesWithNothingElseSoundTogether) {
  bool glide = false;
  const auto lista = EventiFrase(TMidiProprieta{}, "C,E,G", glide);
  EXPECT_EQ(lista, (std::vector<MidiPhraseEvent>{On(0, 48), On(0, 52), On(0, 55), Off(50, 48), Off(50, 52),
                                                Off(50, 55)}));
  EXPECT_TRUE(glide);
  const Parole e = EventiDi(CostruisciBuffer(TMidiProprieta{}, 0, lista, glide));
  ASSERT_EQ(e.size(), 22u);
  EXPECT_EQ(e[15], 0x000000C0u) << "a program change comes before a list that starts with a note";
  EXPECT_EQ(e[16], 0x007F3090u);
  EXPECT_EQ(e[18], 0x007F3790u);
  EXPECT_EQ(DeltaDi(CostruisciBuffer(TMidiProprieta{}, 0, lista, glide))[19], 50u);
}

TEST(MidiFrasi, DelaysPlayNotesOneAfterTheOther) {
  bool glide = true;
  EXPECT_EQ(EventiFrase(TMidiProprieta{}, "0;C;25,25;D;25", glide),
            (std::vector<MidiPhraseEvent>{On(0, 48), Off(25, 48), On(25, 50), Off(50, 50)}));
  EXPECT_FALSE(glide) << "a delay other than 0 ends the glide";
  // Upper case, blanks removed; the current delay carries over to items without one.
  EXPECT_EQ(EventiFrase(TMidiProprieta{}, " 10 ; c ; 5 , d , ;e", glide),
            (std::vector<MidiPhraseEvent>{On(10, 48), Off(15, 48), On(20, 50), Off(25, 50), On(30, 52),
                                          Off(35, 52)}));
}

TEST(MidiFrasi, NamesAccidentalsOctavesKeysAndInstruments) {
  bool glide = false;
  EXPECT_EQ(EventiFrase(TMidiProprieta{}, "C5,D#,E-3,N60,I40,G,B-,C+,F#0", glide),
            (std::vector<MidiPhraseEvent>{Pc(0, 40), On(0, 60), On(0, 63), On(0, 39), On(0, 60), On(0, 43),
                                          On(0, 46), On(0, 37), On(0, 6), Off(50, 60), Off(50, 63), Off(50, 39),
                                          Off(50, 60), Off(50, 43), Off(50, 46), Off(50, 37), Off(50, 6)}));
  EXPECT_TRUE(glide);
  // A percussion instrument turns the next notes into that instrument on channel 10.
  const auto perc = EventiFrase(TMidiProprieta{}, "I130,C,10;I0;10,D", glide);
  EXPECT_EQ(perc, (std::vector<MidiPhraseEvent>{Pc(0, 130, 9), On(0, 130, 9), Pc(10, 0, 0), On(20, 50),
                                                Off(30, 50), Off(50, 130, 9)}));
  EXPECT_FALSE(glide);
  const Parole e = EventiDi(CostruisciBuffer(TMidiProprieta{}, 0, perc, glide));
  EXPECT_EQ(e[15], 0x00007FC9u);
  EXPECT_EQ(e[16], 0x007F2599u);
}

TEST(MidiFrasi, ItemsThatAreNotNotesAreSkipped) {
  bool glide = true;
  EXPECT_TRUE(EventiFrase(TMidiProprieta{}, "", glide).empty());
  EXPECT_TRUE(EventiFrase(TMidiProprieta{}, ",,,", glide).empty());
  EXPECT_TRUE(EventiFrase(TMidiProprieta{}, "H,C11,N128,I175,B10,C-,E#,N,I,5", glide).empty());
  // A bad duration skips the item, but its delay has become the current one.
  EXPECT_EQ(EventiFrase(TMidiProprieta{}, "5;C;X,D,,", glide),
            (std::vector<MidiPhraseEvent>{On(5, 50), Off(55, 50)}));
  EXPECT_EQ(EventiFrase(TMidiProprieta{}, "1;C;2;3,-1;D;4,99999999999;E;1", glide).size(), 0u);
}

TEST(MidiFrasi, OneDurationForEveryNoteKeepsTheGlide) {
  bool glide = false;
  EXPECT_EQ(EventiFrase(TMidiProprieta{}, "C;25,D;25", glide).size(), 4u);
  EXPECT_TRUE(glide);
  EXPECT_EQ(EventiFrase(TMidiProprieta{}, "C,D;25", glide),
            (std::vector<MidiPhraseEvent>{On(0, 48), On(0, 50), Off(25, 50), Off(50, 48)}));
  EXPECT_FALSE(glide);
  // A duration of 0 is a number but not a duration: the note lasts the current one.
  EXPECT_EQ(EventiFrase(TMidiProprieta{}, "0;C;0", glide), (std::vector<MidiPhraseEvent>{On(0, 48), Off(50, 48)}));
}

}  // namespace
}  // namespace qx::midi
