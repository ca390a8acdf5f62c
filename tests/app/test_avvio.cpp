// Start-up and the main window's own behaviour: the splash, the caption, the command line,
// closing with the save question, the font buttons and the edit actions.
#include <gtest/gtest.h>

#include <QAction>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "app/RigaComando.h"
#include "app/Splash.h"
#include "controls/RAScrollMax.h"
#include "runstate/DatiGlob.h"
#include "tests/app/Supporto.h"

namespace qx::test {
namespace {

TEST(Splash, SiChiudeAlPassaggioDelMouseAlClicEAlTimer) {
  Applicazione();
  {
    TfrmSplash s;
    s.show();
    EXPECT_EQ(s.size(), QSize(289, 281));
    EXPECT_EQ(s.Label1->text(), "Quorix 3.0");
    EXPECT_TRUE(s.Label1->font().bold());
    EXPECT_EQ(s.Timer1->interval(), 1800);
    EXPECT_TRUE(s.Timer1->isActive());
    EXPECT_TRUE(s.Timer1->isSingleShot());
    QTest::mouseMove(&s, QPoint(100, 100));
    EXPECT_FALSE(s.isVisible());
  }
  {
    TfrmSplash s;
    s.show();
    // Over the label too.
    QTest::mouseClick(s.Label1, Qt::LeftButton);
    QTest::mouseClick(&s, Qt::LeftButton, Qt::NoModifier, QPoint(20, 220));
    EXPECT_FALSE(s.isVisible());
  }
  {
    TfrmSplash s;
    s.show();
    s.Timer1Timer();
    EXPECT_FALSE(s.isVisible());
  }
}

TEST(Avvio, IlTitoloDopoLaPrimaAttivazione) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  EXPECT_EQ(f.windowTitle(), "Quorix 3.0");
  EXPECT_TRUE(DatiGlob.bMostraErrori);
  EXPECT_NE(DatiGlob.ListaValGraf, nullptr);
  EXPECT_FALSE(f.tbtTerminaEsecuzione->isEnabled());
  EXPECT_TRUE(f.tbtEditor_e_Grafica->isChecked());
  EXPECT_FALSE(f.btnContinua->isVisible());
  EXPECT_FALSE(f.btnTerminaPenna->isVisible());
  EXPECT_TRUE(SenzaTesto(*f.MemoSource));
  // A second activation (after a dialog, say) changes nothing.
  ImpostaTestoEditor(*f.MemoSource, "A = 1;");
  f.reoutput->setPlainText("x");
  const int voci = f.MenuModelli[0]->actions().size();
  f.FormActivate();
  EXPECT_EQ(RigheEditor(*f.MemoSource), std::vector<std::string>{"A = 1;"});
  EXPECT_EQ(f.reoutput->toPlainText(), "x");
  EXPECT_EQ(f.MenuModelli[0]->actions().size(), voci);
}

TEST(Avvio, LaRigaDiComando) {
  EXPECT_EQ(TestoRigaComando({}), "");
  EXPECT_EQ(TestoRigaComando({"prova.qxs"}), "prova.qxs");
  // Exactly two: the second is ignored.
  EXPECT_EQ(TestoRigaComando({"prova.qxs", "altro"}), "prova.qxs");
  // A name with a blank, split in two, and a third word: all three joined.
  EXPECT_EQ(TestoRigaComando({"/home/la", "mia/prova", "1.qxa"}), "/home/la mia/prova 1.qxa");
  EXPECT_TRUE(IsFileProgramma("prova.qxs"));
  EXPECT_TRUE(IsFileProgramma("PROVA.QXA"));
  EXPECT_TRUE(IsFileProgramma("prova.QxS"));
  EXPECT_FALSE(IsFileProgramma("prova.txt"));
  EXPECT_FALSE(IsFileProgramma("xs"));
  EXPECT_FALSE(IsFileProgramma(""));
}

TEST(Avvio, UnFileDiProgrammaSullaRigaDiComandoSiApreAllaPrimaAttivazione) {
  Applicazione();
  {
    // A file that is not there: one error box, and the window starts empty.
    RispondiModali risposte;
    risposte.Premi(QMessageBox::Ok);
    FinestraAperta a({"/tmp/la", "mia/prova", "1.QXA"});
    ASSERT_EQ(risposte.Visti.size(), 1u);
    EXPECT_EQ(risposte.Visti[0].titolo, "Errore");
    EXPECT_EQ(risposte.Visti[0].testo, "Impossibile aprire il file /tmp/la mia/prova 1.QXA: il file non esiste");
    EXPECT_EQ(a.f().windowTitle(), "Quorix 3.0");
    EXPECT_TRUE(a.f().NomeFile().empty());
  }
  {
    RispondiModali risposte;
    FinestraAperta a({"prova.txt"});
    EXPECT_TRUE(risposte.Visti.empty());
    EXPECT_EQ(a.f().windowTitle(), "Quorix 3.0");
  }
  {
    RispondiModali risposte;
    FinestraAperta a({"prova.txt", "altro.qxs"});
    EXPECT_TRUE(risposte.Visti.empty());
  }
}

TEST(Chiusura, ConUnProgrammaModificatoChiedeDiSalvare) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  {
    // Not modified: nothing is asked.
    RispondiModali risposte;
    EXPECT_TRUE(f.FormClose());
    EXPECT_TRUE(risposte.Visti.empty());
  }
  f.show();
  Digita(f.MemoSource, "A = 1;");
  ASSERT_TRUE(f.MemoSource->Modified());
  {
    RispondiModali risposte;
    risposte.Premi(QMessageBox::Cancel);
    EXPECT_FALSE(f.close());
    ASSERT_EQ(risposte.Visti.size(), 1u);
    EXPECT_EQ(risposte.Visti[0].titolo, "Conferma");
    EXPECT_EQ(risposte.Visti[0].testo, "Vuoi salvare prima il lavoro ?");
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(RigheEditor(*f.MemoSource), std::vector<std::string>{"A = 1;"});
  }
  {
    // Yes asks where to save; cancelling that keeps the window open and nothing is lost.
    RispondiModali risposte;
    risposte.Premi(QMessageBox::Yes);
    risposte.Premi(QMessageBox::Cancel);
    EXPECT_FALSE(f.close());
    ASSERT_EQ(risposte.Visti.size(), 2u);
    EXPECT_EQ(risposte.Visti[1].titolo, "Salva con Nome");
    EXPECT_TRUE(f.isVisible());
  }
  {
    RispondiModali risposte;
    risposte.Premi(QMessageBox::No);
    EXPECT_TRUE(f.close());
    EXPECT_FALSE(f.isVisible());
    EXPECT_TRUE(f.InChiusura());
  }
}

TEST(Caratteri, IPulsantiSiFermanoA20EA10Punti) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  // Each press adds two points while the program's font is below 20, and takes two away
  // while it is above 10; both editors follow.
  const int iniziale = DimensioneCarattere(*f.MemoSource);
  const int barra = DimensioneCarattere(*f.edIstruzione);
  Clicca(f, f.IngrandisciCarattere1);
  EXPECT_EQ(DimensioneCarattere(*f.MemoSource), iniziale + 2);
  EXPECT_EQ(DimensioneCarattere(*f.edIstruzione), barra + 2);
  for (int i = 0; i < 10; ++i) Clicca(f, f.IngrandisciCarattere1);
  const int massimo = DimensioneCarattere(*f.MemoSource);
  EXPECT_GE(massimo, 20);
  EXPECT_LT(massimo - 2, 20);
  EXPECT_EQ((massimo - iniziale) % 2, 0);
  for (int i = 0; i < 20; ++i) Clicca(f, f.RimpicciolisciCarattere1);
  const int minimo = DimensioneCarattere(*f.MemoSource);
  EXPECT_LE(minimo, 10);
  EXPECT_GT(minimo + 2, 10);
  EXPECT_EQ(DimensioneCarattere(*f.edIstruzione) - barra, minimo - iniziale);
}

TEST(Modifica, LeAzioniSeguonoLEditorConIlFuoco) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  Digita(f.MemoSource, "A = 1;");
  f.AggiornaAzioni();
  EXPECT_FALSE(f.actEditCopy->isEnabled());
  EXPECT_TRUE(f.actEditUndo->isEnabled());
  EXPECT_TRUE(f.actFileSave->isEnabled());
  f.MemoSource->SelectAll();
  f.AggiornaAzioni();
  EXPECT_TRUE(f.actEditCopy->isEnabled());
  EXPECT_TRUE(f.actEditCut->isEnabled());
  f.actEditCut->trigger();
  EXPECT_TRUE(SenzaTesto(*f.MemoSource));
  // Paste goes into the command bar when it has the focus.
  f.edIstruzione->setFocus();
  f.actEditPaste->trigger();
  EXPECT_EQ(RigheEditor(*f.edIstruzione), std::vector<std::string>{"A = 1;"});
  // Undo always acts on the program.
  f.actEditUndo->trigger();
  EXPECT_EQ(RigheEditor(*f.MemoSource), std::vector<std::string>{"A = 1;"});
  EXPECT_EQ(RigheEditor(*f.edIstruzione), std::vector<std::string>{"A = 1;"});
}

TEST(Impaginazione, LaBarraDeiComandiSottoLaColonnaDelDisegno) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  f.FormResize();
  EXPECT_EQ(f.edIstruzione->x(), f.pnlIntermedio->width() + f.pnlStrumenti->width());
  EXPECT_EQ(f.edIstruzione->width(),
            f.pnlEsegui->width() - f.pnlIntermedio->width() - f.pbEsegui->width() - 30 - f.pnlStrumenti->width());
  EXPECT_EQ(f.pbEsegui->x(), f.edIstruzione->x() + f.edIstruzione->width() + 5);
  // The bar grows over the message line while it has the focus.
  const int alta = f.edIstruzione->height();
  f.edIstruzione->setFocus();
  EXPECT_EQ(f.edIstruzione->height(), alta + f.pnlMess->height());
  f.MemoSource->setFocus();
  EXPECT_EQ(f.edIstruzione->height(), alta);
}

// The forms' faces are not on Linux: the palette's "Small Fonts" must come out as the narrow
// sans the images use, or the longest band caption runs into its sign.
TEST(Impaginazione, LeIntestazioniDellaPaletteStannoNeiLoroPulsanti) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  for (TRAScrollMaxBand* banda : {f.RASCrollGeometria, f.RAScrollStili, f.RAScrollSpazio}) {
    const QFont font = banda->Button()->font();
    EXPECT_EQ(QFontInfo(font).family().toStdString(), "Liberation Sans") << banda->Caption().toStdString();
    EXPECT_LE(QFontMetrics(font).horizontalAdvance(banda->Caption()) + 9 + 2, banda->Button()->width())
        << banda->Caption().toStdString();
  }
}

}  // namespace
}  // namespace qx::test
