// The note player's event lists and stream buffers, as pure functions: what PlayNote and
// PlayString put in the list, how a list becomes the 12-byte stream events (set-up
// controllers, program change, notes, the pitch-bend glide), and the phrase parser.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace qx::midi {

enum TMGNote : int {
  mgC = 0, mgCsharp, mgD, mgDsharp, mgE, mgF, mgFsharp, mgG, mgGsharp, mgA, mgAsharp, mgB
};

enum TMGChannel : int {
  mgCh01 = 0, mgCh02, mgCh03, mgCh04, mgCh05, mgCh06, mgCh07, mgCh08,
  mgCh09, mgCh10, mgCh11, mgCh12, mgCh13, mgCh14, mgCh15, mgCh16
};
// The General MIDI percussion channel.
constexpr int CanalePercussioni = mgCh10;

// 0..127 the General MIDI melodic programs; 128..174 the percussion keys 35..81.
enum TMGInstrument : int {
  mgAcousticGrandPiano = 0, mgBrightAcousticPiano, mgElectricGrandPiano, mgHonkyTonkPiano, mgElectricPiano1,
  mgElectricPiano2, mgHarpsichord, mgClavinet, mgCelesta, mgGlockenspiel, mgMusicBox, mgVibraphone,
  mgMarimba, mgXylophone, mgTubularBells, mgDulcimer, mgDrawbarOrgan, mgPercussiveOrgan, mgRockOrgan,
  mgChurchOrgan, mgReedOrgan, mgAccordion, mgHarmonica, mgTangoAccordion, mgAcousticNylonGuitar,
  mgAcousticSteelGuitar, mgJazzElectricGuitar, mgCleanElectricGuitar, mgMutedElectricGuitar,
  mgOverdrivenGuitar, mgDistortionGuitar, mgGuitarHarmonics, mgAcousticBass, mgFingeredElectricBass,
  mgPickedElectricBass, mgFretlessBass, mgSlapBass1, mgSlapBass2, mgSynthBass1, mgSynthBass2, mgViolin,
  mgViola, mgCello, mgContrabass, mgTremoloStrings, mgPizzicatoStrings, mgOrchestralHarp, mgTimpani,
  mgStringEnsemble1, mgStringEnsemble2, mgSynthStrings1, mgSynthStrings2, mgChoirAahs, mgVoiceOohs,
  mgSynthVoice, mgOrchestraHit, mgTrumpet, mgTrombone, mgTuba, mgMutedTrumpet, mgFrenchHorn, mgBrassSection,
  mgSynthBrass1, mgSynthBrass2, mgSopranoSax, mgAltoSax, mgTenorSax, mgBaritoneSax, mgOboe, mgEnglishHorn,
  mgBassoon, mgClarinet, mgPiccolo, mgFlute, mgRecorder, mgPanFlute, mgBlownBottle, mgShakuhachi, mgWhistle,
  mgOcarina, mgSquareLead, mgSawtoothLead, mgCalliopeLead, mgChiffLead, mgCharangLead, mgVoiceLead,
  mgFifthsLead, mgBassandLead, mgNewAgePad, mgWarmPad, mgPolySynthPad, mgChoirPad, mgBowedPad, mgMetallicPad,
  mgHaloPad, mgSweepPad, mgSynthFXRain, mgSynthFXSoundtrack, mgSynthFXCrystal, mgSynthFXAtmosphere,
  mgSynthFXBrightness, mgSynthFXGoblins, mgSynthFXEchoes, mgSynthFXSciFi, mgSitar, mgBanjo, mgShamisen,
  mgKoto, mgKalimba, mgBagpipe, mgFiddle, mgShanai, mgTinkleBell, mgAgogo, mgSteelDrums, mgWoodblock,
  mgTaikoDrum, mgMelodicTom, mgSynthDrum, mgReverseCymbal, mgGuitarFretNoise, mgBreathNoise, mgSeashore,
  mgBirdTweet, mgTelephoneRing, mgHelicopter, mgApplause, mgGunshot, mgAcousticBassDrum, mgBassDrum1,
  mgSideStick, mgAcousticSnare, mgHandClap, mgElectricSnare, mgLowFloorTom, mgClosedHiHat, mgHighFloorTom,
  mgPedalHiHat, mgLowTom, mgOpenHiHat, mgLowMidTom, mgHiMidTom, mgCrashCymbal1, mgHighTom, mgRideCymbal1,
  mgChineseCymbal, mgRideBell, mgTambourine, mgSplashCymbal, mgCowbell, mgCrashCymbal2, mgVibraslap,
  mgRideCymbal2, mgHiBongo, mgLowBongo, mgMuteHiConga, mgOpenHiConga, mgLowConga, mgHighTimbale,
  mgLowTimbale, mgHighAgogo, mgLowAgogo, mgCabasa, mgMaracas, mgShortWhistle, mgLongWhistle, mgShortGuiro,
  mgLongGuiro, mgClaves, mgHiWoodBlock, mgLowWoodBlock, mgMuteCuica, mgOpenCuica, mgMuteTriangle,
  mgOpenTriangle,
};

// Every property of the player that the event builder reads, with its default.
struct TMidiProprieta {
  int Volume = 100;       // 0..100
  int Pan = 0;            // -100..100
  int Reverb = 0;         // 0..100
  int Chorus = 0;         // 0..100
  bool Sustain = false;
  int Modulation = 0;     // 0..100
  int PitchBend = 0;      // -120..120
  int PBDelay = 0;        // 0..100
  int PBDuration = 100;   // 0..100
  std::uint32_t Duration = 50;  // ticks
  int Note = mgC;         // 0..11
  int Octave = 4;         // 0..10
  int Instrument = mgAcousticGrandPiano;  // 0..174
  int Channel = mgCh01;   // 0..15
  std::uint32_t Loops = 1;  // 0 = endless
};

// One entry of the event list: an absolute time in ticks.
struct MidiPhraseEvent {
  std::uint32_t Time = 0;
  std::uint8_t Kind = 0;  // mpeProgramChange, mpeNoteOn, mpeNoteOff
  int Value = 0;          // program, key or percussion instrument
  std::uint8_t Channel = 0;
  bool operator==(const MidiPhraseEvent&) const = default;
};
constexpr std::uint8_t mpeProgramChange = 6;
constexpr std::uint8_t mpeNoteOn = 8;
constexpr std::uint8_t mpeNoteOff = 9;

// A stream event is 12 bytes, little-endian: delta ticks, stream id 0, then the event word
// (status | channel, data 1 in bits 8-15, data 2 in bits 16-23). The first event of every
// buffer carries the callback flag.
constexpr std::size_t DimensioneEvento = 12;
constexpr std::uint32_t MEVT_F_CALLBACK = 0x40000000;
// A buffer never grows past this; events beyond it are dropped.
constexpr std::size_t MaxByteBuffer = 65535;
// Ticks per quarter note; at 500,000 microseconds per quarter a tick lasts 10 ms.
constexpr int TicksPerQuarto = 50;

// The clamp of every property setter: the value when in low..high, else the nearer bound.
int Limita(int low, int high, int value);

// The list of PlayNote(key) (the key clamped to 0..127).
std::vector<MidiPhraseEvent> EventiNota(const TMidiProprieta& p, int key);

// The list of PlayString(text) after sorting; `glide` says whether all delays were 0 and
// one duration served every note. An empty list for a phrase without a playable item.
std::vector<MidiPhraseEvent> EventiFrase(const TMidiProprieta& p, const std::string& testo, bool& glide);

// The stream buffer for a list: the fifteen set-up events on channel `canale` (and on the
// percussion channel), then the list's events, with the glide before the first note off when
// `glideConsentito` and PitchBend is not 0.
std::vector<std::uint8_t> CostruisciBuffer(const TMidiProprieta& p, int canale,
                                           const std::vector<MidiPhraseEvent>& lista, bool glideConsentito);

// One event read back from a buffer.
struct TEventoFlusso {
  std::uint32_t Delta = 0;
  std::uint32_t Evento = 0;
  std::uint8_t Stato() const { return static_cast<std::uint8_t>(Evento & 0xFF); }
  std::uint8_t Dato1() const { return static_cast<std::uint8_t>((Evento >> 8) & 0xFF); }
  std::uint8_t Dato2() const { return static_cast<std::uint8_t>((Evento >> 16) & 0xFF); }
  bool Callback() const { return (Evento & MEVT_F_CALLBACK) != 0; }
};
std::vector<TEventoFlusso> LeggiBuffer(const std::vector<std::uint8_t>& buffer);

}  // namespace qx::midi
