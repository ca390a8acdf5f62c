// A lesson opens as it was saved from the command line and on a screen of another size: the
// real window maximised on the 1280 x 1024 screen or on the 800 x 600 one beside it.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <cstring>

#include "runstate/DatiGlob.h"
#include "tests/app/SupportoFile.h"
#include "values/RifCart.h"

namespace qx::test {
namespace {

QScreen* Schermo(int i) {
  const QList<QScreen*> schermi = QGuiApplication::screens();
  return i < schermi.size() ? schermi[i] : nullptr;
}

// Saves the work under the name ("Salva con Nome").
void Salva(Tfrm3& f, const std::string& percorso) {
  RispondiModali risposte;
  RispondiConFile(risposte, percorso);
  Clicca(f, f.actFileSaveAs);
  ASSERT_EQ(risposte.Visti.size(), 1u);
}

void Apri(Tfrm3& f, const std::string& percorso) {
  RispondiModali risposte;
  RispondiConFile(risposte, percorso);
  Clicca(f, f.actFileOpen);
  ASSERT_EQ(risposte.Visti.size(), 1u);
}

// Moves the window to the screen and maximises it there, as the desktop does (the off-screen
// platform maximises on the first screen only: on the other the window takes its area).
void SulloSchermo(Tfrm3& f, QScreen* schermo) {
  f.setWindowState(Qt::WindowNoState);
  f.setScreen(schermo);
  if (schermo == Schermo(0))
    f.setWindowState(Qt::WindowMaximized);
  else
    f.setGeometry(schermo->availableGeometry());
  QCoreApplication::processEvents();
}

int AltezzaArea(Tfrm3& f) { return f.ImmagineRifCart().height(); }

const char* const kPunti = "P = PUNTO(1, 1);\nQ = PUNTO(5, 3);";

TEST(RiaperturaFile, DallaRigaDiComandoSiApreSullAreaCheLaMostra) {
  ASSERT_NE(Schermo(1), nullptr);
  CartellaProgramma cartella;
  const std::string punti = cartella.Percorso("q.qxs"), grafico = cartella.Percorso("grafico.qxs");
  QImage salvataPunti, salvataGrafico;
  {
    FinestraAperta a;
    Tfrm3& f = a.f();
    Istruzione(f, "P = PUNTO(1, 1);");
    Istruzione(f, "Q = PUNTO(5, 3);");
    salvataPunti = CanvasMostrato(f);
    Salva(f, punti);
    Clicca(f, f.actFileNew);
    Istruzione(f, "RIFCART1(-4,-4,4,4);");
    Istruzione(f, "DQ = DIAGSTR(1,2,3);", {0.5, 3.5}, {3.5, 0.5});
    salvataGrafico = CanvasMostrato(f);
    Salva(f, grafico);
  }
  {
    // The chart in its analysis window comes back on its pixels, although the platform, as
    // a desktop may, maximises the window after it has activated it.
    RispondiModali nessuna;
    FinestraAperta b({grafico});
    EXPECT_TRUE(nessuna.Visti.empty());
    EXPECT_EQ(b.f().windowTitle(), "grafico.qxs - Quorix 3.0");
    EXPECT_EQ(PrimaDifferenza(salvataGrafico, CanvasMostrato(b.f())), "");
  }
  // The squared paper is opened on the small screen, then the window goes to the large one
  // and back: its x axis stays on the bottom row (the row saved on the large screen put it
  // under the small canvas, and P and Q out of sight).
  FinestraAperta b({punti}, Schermo(1));
  Tfrm3& f = b.f();
  ASSERT_LT(AltezzaArea(f), salvataPunti.height());
  EXPECT_EQ(PixelDi(1, 1), QPoint(39, AltezzaArea(f) - 1 - 38));
  SulloSchermo(f, Schermo(0));
  EXPECT_EQ(PrimaDifferenza(salvataPunti, CanvasMostrato(f)), "");
  SulloSchermo(f, Schermo(1));
  EXPECT_EQ(DatiGlob.RifCart->__AsseY, AltezzaArea(f) - 1);
}

// The extended real as a file holds it (little-endian, 10 bytes).
std::string Esteso(long double v) {
  char b[10];
  std::memcpy(b, &v, sizeof b);
  return std::string(b, sizeof b);
}

TEST(RiaperturaFile, SuUnoSchermoPiuPiccoloLaCartaAQuadrettiTieneLAsseXSullUltimaRiga) {
  CartellaProgramma cartella;
  const std::string semplice = cartella.Percorso("semplice.qxs"), salito = cartella.Percorso("salito.qxs");
  const std::string vecchio = cartella.Percorso("vecchio.qxs");
  {
    FinestraAperta a;
    Tfrm3& f = a.f();
    EseguiTesto(f, kPunti);
    Salva(f, semplice);
    Clicca(f, f.actFileNew);
    // Panned up three times and right twice.
    EseguiTesto(f, kPunti);
    for (int i = 0; i < 3; ++i) QTest::mouseClick(f.sbSu, Qt::LeftButton);
    for (int i = 0; i < 2; ++i) QTest::mouseClick(f.sbDestra, Qt::LeftButton);
    Salva(f, salito);
  }
  // A file of an earlier version: its squared paper's window fields hold what a reset left
  // (the left and bottom edges are enough for the open to know it).
  std::string dati = LeggiFile(semplice);
  for (const char* campo : {"_xa", "_ya"}) {
    const std::string nome = std::string(1, char(std::strlen(campo))) + campo + "\x05";
    const std::size_t dove = dati.find(nome);
    ASSERT_NE(dove, std::string::npos);
    dati.replace(dove + nome.size(), 10, Esteso(-10));
  }
  ScriviFile(vecchio, dati);

  FinestraAperta b({}, Schermo(1));
  Tfrm3& f = b.f();
  EseguiTesto(f, kPunti);
  f.MemoSource->SetEditorModified(false);
  const QImage nuova = CanvasMostrato(f);
  const int fondo = AltezzaArea(f) - 1;
  for (const std::string& file : {semplice, vecchio}) {
    SCOPED_TRACE(file);
    Clicca(f, f.actFileNew);
    Apri(f, file);
    // What the same statements draw on a new lesson there.
    EXPECT_EQ(PrimaDifferenza(nuova, CanvasMostrato(f)), "");
    EXPECT_EQ(DatiGlob.RifCart->__AsseY, fondo);
  }
  // The pan keeps the bottom row's ordinate and the origin's column.
  Apri(f, salito);
  EXPECT_EQ(DatiGlob.RifCart->__AsseY, fondo + 60);
  EXPECT_EQ(PixelDi(1, 1), QPoint(1 - 40 + 38, fondo + 60 - 38));
}

}  // namespace
}  // namespace qx::test
