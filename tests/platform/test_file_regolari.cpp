// Pictures and sounds named by a program or a program file are read only from regular
// files: a pipe, a device or a folder is refused at once (a pipe with no writer would block
// an ordinary open for ever), and a picture file larger than any picture within the limit
// is refused before a byte is read.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/FileRegolare.h"
#include "platform/sound/FileAudio.h"
#include "platform/sound/Suono.h"
#include "values/figure/LettoreImmagini.h"

namespace qx {
namespace {

namespace fs = std::filesystem;

class FileRegolari : public ::testing::Test {
 protected:
  void SetUp() override {
    cartella = fs::temp_directory_path() / ("qx_regolari_" + std::to_string(::getpid()));
    fs::create_directories(cartella);
    ASSERT_EQ(::mkfifo((cartella / "tubo.bmp").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((cartella / "tubo.wav").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((cartella / "tubo.mid").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", cartella / "zero.bmp");
    fs::create_symlink("/dev/zero", cartella / "zero.wav");
    // A sparse file: no disk space, but a size past the picture limit.
    std::ofstream(cartella / "enorme.bmp") << "BM";
    fs::resize_file(cartella / "enorme.bmp", MAX_BYTE_IMMAGINE + 1);
    std::ofstream(cartella / "vuoto.bmp");
  }
  void TearDown() override { fs::remove_all(cartella); }
  std::string P(const char* nome) const { return (cartella / nome).string(); }
  fs::path cartella;
};

TEST_F(FileRegolari, LeImmaginiSiLeggonoSoloDaFileRegolariEntroIlLimite) {
  const struct {
    std::string percorso, motivo;
  } casi[] = {
      {P("tubo.bmp"), "non è un file"},      {P("zero.bmp"), "non è un file"},
      {"/dev/zero", "non è un file"},        {cartella.string(), "non è un file"},
      {P("enorme.bmp"), "immagine troppo grande"}, {P("manca.bmp"), "file non trovato"},
      {P("vuoto.bmp"), "file vuoto"},
  };
  for (const auto& c : casi) {
    TBitmap immagine;
    std::string motivo;
    EXPECT_FALSE(LeggiImmagine(c.percorso, immagine, motivo)) << c.percorso;
    EXPECT_EQ(motivo, c.motivo) << c.percorso;
    EXPECT_TRUE(immagine.Empty());
  }
  // The opening itself: the size is known before any read.
  TFileRegolare f(P("enorme.bmp"), UINT64_MAX);
  ASSERT_TRUE(f.Aperto());
  EXPECT_EQ(f.Dimensione(), MAX_BYTE_IMMAGINE + 1);
}

TEST_F(FileRegolari, ISuoniSiLeggonoSoloDaFileRegolari) {
  std::vector<float> stereo;
  EXPECT_FALSE(suono::LeggiFileAudio(P("tubo.wav"), 44100, stereo));
  EXPECT_FALSE(suono::LeggiFileAudio(P("zero.wav"), 44100, stereo));
  EXPECT_FALSE(suono::IsFileMidi(P("tubo.mid")));
  EXPECT_FALSE(suono::IsFileMidi("/dev/zero"));
  suono::TSuonoRegistrato registrato;
  EXPECT_FALSE(registrato.SuonaFile(P("tubo.wav")));
  EXPECT_FALSE(registrato.SuonaFile(P("tubo.mid")));
  EXPECT_EQ(registrato.Registro(),
            (std::vector<std::string>{"file " + P("tubo.wav") + " unreadable", "file " + P("tubo.mid") + " unreadable"}));
}

}  // namespace
}  // namespace qx
