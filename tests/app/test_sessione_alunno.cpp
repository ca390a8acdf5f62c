// A pupil's first session with the real window on a real X server (the one xvfb-run starts),
// driven with keys and clicks: the window at the screen's size and at 800 x 600, statements
// of the command bar, a program typed, run whole and step by step, an error, an endless loop
// stopped, Save As, New and Open, a number dialog, a space statement and the space view.
// At each step the pixels of the real widgets are probed for what a person sees, and the
// window's picture is saved under build/pictures/ for a person to look at.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QToolBar>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <numbers>

#include "app/Editori.h"
#include "app/dialogs/LeggiNum.h"
#include "runstate/DatiGlob.h"
#include "scene/viewer/GLSceneViewer.h"
#include "solid/ScenaSpazio.h"
#include "tests/app/SupportoFile.h"
#include "values/RifCart.h"
#include "values/ValoriScalari.h"

namespace qx::test {
namespace {

class SessioneAlunno : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!ServerX()) GTEST_SKIP() << "needs an X server (scripts/test.sh runs this under xvfb-run)";
    QDir().mkpath(QString::fromStdString(QUORIX_CARTELLA_IMMAGINI));
    a = std::make_unique<FinestraAperta>();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f()));
  }
  Tfrm3& f() { return a->f(); }

  // Everything pending painted, then the window as the screen shows it, saved.
  QImage Foto(const char* nome) {
    f().CompletaRidisegni();
    QCoreApplication::processEvents();
    f().repaint();
    QCoreApplication::processEvents();
    const QImage foto = f().screen()->grabWindow(f().winId()).toImage();
    Salva(foto, nome);
    return foto;
  }
  static void Salva(const QImage& foto, const char* nome) {
    const std::string percorso = std::string(QUORIX_CARTELLA_IMMAGINI) + "/" + nome;
    EXPECT_TRUE(foto.save(QString::fromStdString(percorso))) << percorso;
  }
  // A widget's part of the window's picture.
  QImage Parte(const QImage& foto, const QWidget* w) {
    return foto.copy(QRect(w->mapTo(&f(), QPoint(0, 0)), w->size()));
  }
  // Pixels dark enough to be read on the light pane.
  static int PixelScuri(const QImage& img) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) {
        const QRgb p = img.pixel(x, y);
        if (std::max({qRed(p), qGreen(p), qBlue(p)}) < 110) ++n;
      }
    return n;
  }
  // A statement typed into the command bar and run with Enter.
  void Barra(const QString& istruzione) {
    ImpostaTestoEditor(*f().edIstruzione, "");
    Digita(f().edIstruzione, istruzione);
    QTest::keyClick(f().edIstruzione, Qt::Key_Return);
  }
  Reale Numero(const char* nome) {
    auto* v = ValoreDi<cValoreReale>(nome);
    return v ? v->Value : -1;
  }
  std::unique_ptr<FinestraAperta> a;
};

TEST_F(SessioneAlunno, UnaPrimaOraConQuorix) {
  // ---- The window at the screen's size, as the desktop maximises it after showing it ----
  const QRect schermo = f().screen()->availableGeometry();
  f().setGeometry(schermo);
  QTest::qWait(20);
  const int W = f().width();
  const int regola = W / 2 - W / 6 - f().pnlStrumenti->width();
  std::cout << "window " << W << "x" << f().height() << ": editor column " << f().pnlIntermedio->width()
            << " px (rule W/2 - W/6 - tools = " << regola << "), program editor " << f().MemoSource->width()
            << " px, " << f().MemoSource->CharsInWindow() << " characters, " << f().MemoSource->LinesInWindow()
            << " lines\n";
  EXPECT_NEAR(f().pnlIntermedio->width(), regola, 8);
  Foto("01_finestra_intera.png");

  // ---- 800 x 600: the layout buttons on a second tool bar row, the editor usable ----
  f().resize(800, 600);
  QTest::qWait(20);
  for (QAction* disposizione : {f().tbtSoloGrafica, f().tbtEditor_e_Grafica, f().tbtSoloEditor}) {
    QWidget* b = f().ToolBarViste->widgetForAction(disposizione);
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(b->isVisible()) << disposizione->text().toStdString();
    EXPECT_TRUE(f().rect().contains(QRect(b->mapTo(&f(), QPoint(0, 0)), b->size())));
  }
  EXPECT_GE(f().MemoSource->width(), 150);
  EXPECT_GE(f().MemoSource->LinesInWindow(), 10);
  EXPECT_GE(f().pbRifCart->width(), 300);
  std::cout << "window 800x600: program editor " << f().MemoSource->width() << " px, "
            << f().MemoSource->LinesInWindow() << " lines, canvas " << f().pbRifCart->width() << "x"
            << f().pbRifCart->height() << "\n";
  Foto("02_finestra_800x600.png");
  f().setGeometry(schermo);
  QTest::qWait(20);

  // ---- Fresh window: a print and a space statement from the command bar ----
  {
    RispondiModali errori;  // a box would be closed and counted
    Barra("STAMPA(\"Ciao, mondo\");");
    Barra("P = PUNTO3D(1, 2, 3); STAMPA(\"Il punto c'e'\");");
    EXPECT_EQ(errori.Visti.size(), 0u) << "no error box";
  }
  EXPECT_EQ(f().reoutput->toPlainText().toStdString(), "> Ciao, mondo\n> Il punto c'e'");
  QImage foto = Foto("03_stampa_dalla_barra.png");
  EXPECT_GT(PixelScuri(Parte(foto, f().reoutput->viewport())), 60) << "the printed lines are dark on the light pane";

  // The space statement showed the space view by itself: only the floor shows; the walls
  // menu has the other two unchecked.
  EXPECT_TRUE(f().tbSpazio->isChecked()) << "a space statement shows the space view";
  auto* viewer = f().findChild<TGLSceneViewer*>("ScnVista");
  ASSERT_NE(viewer, nullptr);
  QTest::qWait(20);
  Foto("04_vista_spazio.png");
  const QImage spazio = viewer->grabFramebuffer();
  auto schermo3D = [&](float x, float y, float z) {
    const THomogeneousVector s = viewer->Buffer().ProjectPoint(PointMake(TAffineVector{x, y, z}));
    return QPoint(int(std::lround(s.X)), viewer->Buffer().Height() - int(std::lround(s.Y)));
  };
  EXPECT_NE(spazio.pixel(schermo3D(3.3f, -3.3f, 0)), qRgb(255, 255, 255)) << "the floor shows";
  EXPECT_EQ(spazio.pixel(schermo3D(3.3f, 0, 3.3f)), qRgb(255, 255, 255)) << "no XZ wall";
  EXPECT_EQ(spazio.pixel(schermo3D(0, 3.3f, 3.3f)), qRgb(255, 255, 255)) << "no YZ wall";
  QMenu* pareti = f().findChild<QMenu*>("pmPareti");
  ASSERT_NE(pareti, nullptr);
  emit pareti->aboutToShow();
  ASSERT_EQ(pareti->actions().size(), 3);
  EXPECT_TRUE(pareti->actions()[0]->isChecked());
  EXPECT_FALSE(pareti->actions()[1]->isChecked());
  EXPECT_FALSE(pareti->actions()[2]->isChecked());
  Clicca(f(), f().tbSpazio);

  // ---- A program typed, run whole ----
  ImpostaTestoEditor(*f().MemoSource, "");
  for (const char* riga : {"C = CIRC(PUNTO(5, 5), 2);", "N = 3;", "STAMPA(\"N vale \", N);"}) {
    if (!SenzaTesto(*f().MemoSource)) QTest::keyClick(f().MemoSource, Qt::Key_Return);
    Digita(f().MemoSource, riga);
  }
  EXPECT_EQ(RigheEditor(*f().MemoSource).size(), 3u);
  Clicca(f(), f().Esegui1);
  EXPECT_EQ(Numero("N"), 3);
  foto = Foto("05_programma_eseguito.png");
  EXPECT_GT(PixelScuri(Parte(foto, f().reoutput->viewport())), 30);
  const cRifCart& r = *DatiGlob.RifCart;
  int blu = 0;
  for (int k = 0; k < 36; ++k) {
    const long double t = k * std::numbers::pi_v<long double> / 18;
    const QPoint p = f().pbRifCart->mapTo(&f(), QPoint(r.XPixel(5 + 2 * std::cos(t)), r.YPixel(5 + 2 * std::sin(t))));
    if (ContieneColore(foto, Intorno(p, 1), clBlue)) ++blu;
  }
  EXPECT_EQ(blu, 36) << "the circle is on the screen";

  // ---- Step by step: the running line blue, then "Esegui" finishes ----
  bool rigaBlu = false;
  Quando passo([] { return DatiGlob.bAttesaPasso; }, [&] {
    const QImage img = Foto("06_passo_passo.png");
    const QImage editor = Parte(img, f().MemoSource);
    const int y = f().MemoSource->RowColumnToPixels({1, 1}).y() + f().MemoSource->LineHeight() / 2;
    rigaBlu = ContieneColore(editor, QRect(f().MemoSource->GutterWidth() + 4, y, 200, 1), clBlue);
    Clicca(f(), f().Esegui1);
  });
  Clicca(f(), f().EseguiPassoPasso1);
  EXPECT_TRUE(passo.Eseguita());
  EXPECT_TRUE(rigaBlu);
  EXPECT_FALSE(DatiGlob.bInEsecuzione);

  // ---- One statement from the command bar, then the about box closed with Enter ----
  Barra("N = N * 10;");
  EXPECT_EQ(Numero("N"), 30);
  EXPECT_EQ(RigheEditor(*f().MemoSource).back(), "N = N * 10;");
  const std::size_t righe = RigheEditor(*f().MemoSource).size();
  {
    RispondiModali informazioni;
    informazioni.Aggiungi([](QDialog& d) { QTest::keyPress(&d, Qt::Key_Return); });
    f().Informazionisu1->trigger();
    ASSERT_EQ(informazioni.Visti.size(), 1u);
  }
  // The key comes up where the focus went back: the command bar.
  QTest::keyRelease(QApplication::focusWidget() ? QApplication::focusWidget() : f().edIstruzione, Qt::Key_Return);
  QTest::keyRelease(f().edIstruzione, Qt::Key_Return);
  EXPECT_EQ(Numero("N"), 30) << "the statement did not run again";
  EXPECT_EQ(RigheEditor(*f().MemoSource).size(), righe);
  Foto("07_dopo_informazioni.png");

  // ---- An error: its box, then its line red in the editor ----
  ImpostaTestoEditor(*f().MemoSource, "A = 1;\nB = A / (2 - 2) + RADICEQ(;");
  {
    RispondiModali errore;
    errore.Premi(QMessageBox::Ok);
    Clicca(f(), f().Esegui1);
    ASSERT_EQ(errore.Visti.size(), 1u);
    EXPECT_EQ(errore.Visti[0].titolo, "Errore");
  }
  foto = Foto("08_riga_errore.png");
  EXPECT_EQ(DatiGlob.RigaErrore, 1);
  const int yErrore = f().MemoSource->RowColumnToPixels({1, 2}).y() + f().MemoSource->LineHeight() / 2;
  EXPECT_TRUE(ContieneColore(Parte(foto, f().MemoSource), QRect(f().MemoSource->GutterWidth() + 4, yErrore, 200, 1),
                             clRed));

  // ---- An endless loop stopped with "Termina" ----
  ImpostaTestoEditor(*f().MemoSource, "I = 0;\nESEGUI FINQUANDO (I >= 0);\n   I = I + 1;\nFINE;");
  Quando ferma([&] { return Numero("I") > 200; }, [&] {
    Foto("09_ciclo_senza_fine.png");
    EXPECT_TRUE(f().tbtTerminaEsecuzione->isEnabled());
    Clicca(f(), f().tbtTerminaEsecuzione);
  });
  Clicca(f(), f().Esegui1);
  EXPECT_TRUE(ferma.Eseguita());
  EXPECT_FALSE(DatiGlob.bInEsecuzione);
  EXPECT_FALSE(f().tbtTerminaEsecuzione->isEnabled());

  // ---- Save As, New (with its question), Open ----
  CartellaProgramma cartella;
  ImpostaTestoEditor(*f().MemoSource, "Q = QUADRATO(3);\nSTAMPA(\"salvato\");");
  {
    RispondiModali risposte;
    risposte.Aggiungi([&](QDialog& d) {
      auto& dialogo = dynamic_cast<QFileDialog&>(d);
      (void)QTest::qWaitForWindowExposed(&dialogo);
      Salva(dialogo.grab().toImage(), "10_salva_con_nome.png");
      EXPECT_EQ(dialogo.labelText(QFileDialog::Reject).remove('&'), "Annulla");
      auto* nome = dialogo.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      ASSERT_NE(nome, nullptr);
      nome->setText(QString::fromStdString(cartella.Percorso("prima_ora")));
      d.accept();
    });
    f().actFileSaveAs->trigger();
  }
  ASSERT_TRUE(std::filesystem::exists(cartella.Percorso("prima_ora.QXS")));
  EXPECT_EQ(f().windowTitle(), "prima_ora.QXS - Quorix 3.0");
  QTest::keyClick(f().MemoSource, Qt::Key_Space);
  ASSERT_TRUE(f().MemoSource->Modified());
  {
    RispondiModali risposte;
    risposte.Aggiungi([](QDialog& d) {
      auto& box = dynamic_cast<QMessageBox&>(d);
      (void)QTest::qWaitForWindowExposed(&box);
      Salva(box.grab().toImage(), "11_conferma_nuovo.png");
      EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QString::fromUtf8("S\u00EC"));
      EXPECT_EQ(box.button(QMessageBox::No)->text(), "No");
      EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), "Annulla");
      box.button(QMessageBox::No)->click();
    });
    Clicca(f(), f().actFileNew);
    ASSERT_EQ(risposte.Visti.size(), 1u);
    EXPECT_EQ(risposte.Visti[0].titolo, "Conferma");
    EXPECT_EQ(risposte.Visti[0].testo, "Vuoi salvare prima il lavoro ?");
  }
  EXPECT_TRUE(SenzaTesto(*f().MemoSource));
  {
    RispondiModali risposte;
    RispondiConFile(risposte, cartella.Percorso("prima_ora.QXS"));
    Clicca(f(), f().actFileOpen);
  }
  EXPECT_EQ(RigheEditor(*f().MemoSource),
            (std::vector<std::string>{"Q = QUADRATO(3);", "STAMPA(\"salvato\");"}));
  Foto("12_riaperto.png");

  // ---- A number dialog ----
  {
    RispondiModali risposte;
    risposte.Aggiungi([](QDialog& d) {
      auto& n = dynamic_cast<TfrmLeggiNum&>(d);
      (void)QTest::qWaitForWindowExposed(&n);
      n.Edit1->setFocus();
      QTest::keyClicks(n.Edit1, "42");
      Salva(n.grab().toImage(), "13_leggi_numero.png");
      QTest::mouseClick(n.BitBtn1, Qt::LeftButton);
    });
    Barra("X = LEGGINUM(\"Quanto fa 6 per 7?\");");
    ASSERT_EQ(risposte.Visti.size(), 1u);
  }
  EXPECT_EQ(Numero("X"), 42);

  // ---- New, then RIFCART3D and a solid: still the floor alone ----
  f().MemoSource->SetEditorModified(false);
  Clicca(f(), f().actFileNew);
  ImpostaTestoEditor(*f().MemoSource, "RIFCART3D;\nCOLORERIEMPIMENTO(255, 0, 0);\nS = SFERA(PUNTO3D(0, 0, 1), 1);");
  Clicca(f(), f().Esegui1);
  EXPECT_TRUE(f().tbSpazio->isChecked()) << "RIFCART3D shows the space view";
  QTest::qWait(20);
  Foto("14_sfera_nello_spazio.png");
  const QImage sfera = viewer->grabFramebuffer();
  const QRgb centro = sfera.pixel(schermo3D(0, 0, 1));
  EXPECT_GT(qRed(centro), 120);
  EXPECT_LT(qGreen(centro), 80);
  EXPECT_EQ(sfera.pixel(schermo3D(3.3f, 0, 3.3f)), qRgb(255, 255, 255)) << "no XZ wall after RIFCART3D";
  EXPECT_EQ(sfera.pixel(schermo3D(0, 3.3f, 3.3f)), qRgb(255, 255, 255)) << "no YZ wall after RIFCART3D";
  emit pareti->aboutToShow();
  EXPECT_FALSE(pareti->actions()[1]->isChecked());
  EXPECT_FALSE(pareti->actions()[2]->isChecked());
}

}  // namespace
}  // namespace qx::test
