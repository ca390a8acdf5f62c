// The language's sound statements on the recording back-end: notes, the run's stop, the
// missing device, media files in the program folder, the error beep, and the headless
// runner.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "controls/midi/MidiGen.h"
#include "controls/midi/ServiziSuono.h"
#include "runstate/DatiGlob.h"
#include "tests/sound/FileDiProva.h"
#include "tests/support/Esecuzione.h"
#include "tests/support/FinestraConSuono.h"

namespace qx {
namespace {

using V = std::vector<std::string>;

class SuonoLinguaggio : public ::testing::Test {
 protected:
  explicit SuonoLinguaggio(bool dispositivo = true) : suono(midi::TServiziSuono::Registrazione(dispositivo)) {}

  bool Esegui(const std::string& programma) { return run.ambiente.EseguiProgramma(DividiRighe(programma)); }

  std::unique_ptr<midi::TServiziSuono> suono;
  test::Esecuzione run;
  test::FinestraConSuono finestra{*suono};
  test::FinestraInstallata installata{finestra};
};

TEST_F(SuonoLinguaggio, SuonaNotaPlaysItsWholeLengthUnlessTheNextNoteComesFirst) {
  // SOL waits out its 50 ticks (500 ms) and ends by itself; DO waits 300 ms, so MI's play
  // stops it, as the player does with a note still sounding; MI sounds on after the run.
  ASSERT_TRUE(Esegui("SUONANOTA(4, \"SOL\", 500);\nSUONANOTA(\"do\");\nSUONANOTA(\"MI\", 100);\nSTAMPA(\"fine\");"));
  EXPECT_EQ(finestra.Output, (V{"> fine"}));
  EXPECT_EQ(suono->Registro(), (V{"note 55 channel 0 from 0 to 50", "note 55 channel 0 from 0 to 50", "stop notes",
                                  "note 52 channel 0 from 0 to 50"}));
  EXPECT_EQ(finestra.Orologio, 900u);
  EXPECT_TRUE(suono->MidiGen1().IsPlaying());
  EXPECT_EQ(suono->MidiGen1().PBDuration(), 0) << "the main window's player";
}

TEST_F(SuonoLinguaggio, StoppingTheRunEndsTheNoteAtOnce) {
  finestra.Quando([&] { return finestra.Orologio >= 60; }, [] { TerminaEsecuzione(); });
  Esegui("SUONANOTA(\"LA\", 10000);\nSTAMPA(\"mai\");");
  EXPECT_TRUE(DatiGlob.bSuonoFermato);
  EXPECT_TRUE(finestra.Output.empty());
  EXPECT_LT(finestra.Orologio, 200u);
  EXPECT_EQ(suono->Registro(), (V{"note 57 channel 0 from 0 to 50", "stop notes"}));
}

TEST_F(SuonoLinguaggio, MediaFilesAreTakenInTheProgramFolder) {
  test::CartellaTemporanea dir("qx-suona");
  std::filesystem::create_directories(dir / "suoni");
  ASSERT_TRUE(test::ScriviSeno(dir / "suoni/gong.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1, 441));
  ASSERT_TRUE(test::ScriviSeno(dir / "gong.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1, 441));
  DatiGlob.CartellaProgramma = dir.Percorso();
  ASSERT_TRUE(Esegui(R"(SUONA("suoni\gong.wav");
SUONA("/gong.wav");
SUONA("manca.wav");
STAMPA("avanti");)"));
  EXPECT_EQ(finestra.Output, (V{"> avanti"})) << "a missing file is silent and the run goes on";
  EXPECT_EQ(suono->Registro(), (V{"file " + (dir / "suoni/gong.wav"), "file " + (dir / "gong.wav"),
                                  "file " + (dir / "manca.wav") + " unreadable"}));
  // A folder given without its separator gets one.
  DatiGlob.CartellaProgramma = dir.Percorso().substr(0, dir.Percorso().size() - 1);
  ASSERT_TRUE(Esegui("SUONA(\"gong.wav\");"));
  EXPECT_EQ(suono->Registro().back(), "file " + (dir / "gong.wav"));

  // Names are found whatever the case of their letters, folder and file, as the programs
  // written on the other desktop expect; a name that no file bears stays as written.
  ASSERT_TRUE(Esegui("SUONA(\"SUONI\\\\Gong.WAV\");\nSUONA(\"GONG.wav\");\nSUONA(\"SUONI/MANCA.WAV\");"));
  const std::vector<std::string>& r = suono->Registro();
  ASSERT_GE(r.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(r.end() - 3, r.end()),
            (V{"file " + (dir / "suoni/gong.wav"), "file " + (dir / "gong.wav"),
               "file " + (dir / "suoni/MANCA.WAV") + " unreadable"}));
}

TEST_F(SuonoLinguaggio, AnErrorBeepsOnce) {
  EXPECT_FALSE(Esegui("COLORE(\"rosso\");\nCOLORE(\"blu\");"));
  EXPECT_EQ(suono->Registro(), (V{"messagebeep"}));
}

class SuonoSenzaDispositivo : public SuonoLinguaggio {
 protected:
  SuonoSenzaDispositivo() : SuonoLinguaggio(false) {}
};

TEST_F(SuonoSenzaDispositivo, NotesAreSilentAndTheStatementStillWaits) {
  EXPECT_FALSE(suono->MidiGen1().MidiAvailable());
  ASSERT_TRUE(Esegui("SUONANOTA(\"SOL\", 400);\nSUONA(\"x.wav\");\nSTAMPA(\"dopo\");"));
  EXPECT_EQ(finestra.Output, (V{"> dopo"}));
  EXPECT_GE(finestra.Orologio, 400u);
  EXPECT_TRUE(suono->Registro().empty());
  EXPECT_EQ(suono->MidiGen()->Note(), 7);
}

// ---------------------------------------------------------------- the headless runner

TEST(SuonoQxrun, ANoteProgramEndsAtOnceAndListsItsNotesWithoutStopsAfterNotesThatPlayedOut) {
  test::CartellaTemporanea dir("qx-suono-qxrun");
  std::ofstream(dir / "note.txt") << "SUONANOTA(4, \"SOL\", 100000);\nSUONANOTA(\"MI\");\nSTAMPA(\"fine\");\n";
  const std::string comando = std::string(QXRUN) + " --sounds " + (dir / "note.log") + " " + (dir / "note.txt");
  FILE* p = popen(comando.c_str(), "r");
  ASSERT_NE(p, nullptr);
  std::string uscita;
  char buf[256];
  while (std::fgets(buf, sizeof buf, p)) uscita += buf;
  EXPECT_EQ(pclose(p), 0);
  EXPECT_EQ(uscita, "> fine\n");
  std::ifstream log(dir / "note.log");
  std::stringstream righe;
  righe << log.rdbuf();
  EXPECT_EQ(righe.str(),
            "note 55 channel 0 from 0 to 50\nnote 52 channel 0 from 0 to 50\n");
}

}  // namespace
}  // namespace qx
