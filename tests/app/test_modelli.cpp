// Menus, palette and statement templates: every way of turning a click into program text,
// and the owner-drawn items.
#include <gtest/gtest.h>

#include <QColorDialog>
#include <QFontDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTest>

#include "app/DisegnoVoci.h"
#include "app/ModelliPalette.h"
#include "app/dialogs/LeggiNum.h"
#include "runstate/DatiGlob.h"
#include "runstate/Modelli.h"
#include "tests/app/Supporto.h"
#include "values/Variabili.h"

namespace qx::test {
namespace {

std::vector<std::string> Righe(TSrcEditFinestra* e) { return RigheEditor(*e); }

// Template green ink, its smoothed edges too: a small glyph such as "*" may have no pixel of
// the whole colour. Black ink and the silver background are grey.
bool InchiostroVerde(const QImage& img) {
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QColor c = img.pixelColor(x, y);
      if (c.green() - std::max(c.red(), c.blue()) >= 40) return true;
    }
  return false;
}

TEST(Menu, IColoriStiliMotiviESpessori) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  ASSERT_EQ(f.ColorePenna1->actions().size(), 17);
  ASSERT_EQ(f.StilePenna1->actions().size(), 6);
  ASSERT_EQ(f.MotivoRiempimento1->actions().size(), 8);
  ASSERT_EQ(f.SpessorePenna1->actions().size(), 10);
  EXPECT_EQ(f.ColorePenna1->actions()[0]->text(), "1__________");
  EXPECT_EQ(f.ColoreSfondo1->actions()[16]->text(), "3__________");

  f.edIstruzione->setFocus();
  f.ColorePenna1->actions()[3]->trigger();
  EXPECT_EQ(Righe(f.edIstruzione), std::vector<std::string>{"ColorePenna(0,0,255);"});
  f.ColoreRiempimento1->actions()[6]->trigger();  // language colour 9, red
  EXPECT_EQ(Righe(f.edIstruzione), std::vector<std::string>{"ColoreRiempimento(255,0,0);"});
  f.StilePenna1->actions()[1]->trigger();
  EXPECT_EQ(Righe(f.edIstruzione), std::vector<std::string>{"StilePenna(2);"});
  f.MotivoRiempimento1->actions()[0]->trigger();
  EXPECT_EQ(Righe(f.edIstruzione), std::vector<std::string>{"MotivoRiempimento(1);"});
  f.SpessorePenna1->actions()[3]->trigger();
  EXPECT_EQ(Righe(f.edIstruzione), std::vector<std::string>{"SpessorePenna(4);"});

  // Without the command bar's focus the statement goes into the program at the caret.
  Digita(f.MemoSource, "A = 1;");
  QTest::keyClick(f.MemoSource, Qt::Key_Home);
  f.ColoreSfondo1->actions()[0]->trigger();
  EXPECT_EQ(Righe(f.MemoSource), std::vector<std::string>{"ColoreSfondo(255,255,255);A = 1;"});

  // "Altri colori...": the colour chosen in the dialog; cancelling puts nothing.
  RispondiModali risposte;
  risposte.Aggiungi([](QDialog& d) {
    auto* c = qobject_cast<QColorDialog*>(&d);
    ASSERT_NE(c, nullptr);
    c->setCurrentColor(QColor(10, 20, 30));
    c->accept();
  });
  risposte.Aggiungi([](QDialog& d) { d.reject(); });
  f.edIstruzione->setFocus();
  f.ColorePenna1->actions()[16]->trigger();
  EXPECT_EQ(Righe(f.edIstruzione), std::vector<std::string>{"ColorePenna(10,20,30);"});
  f.ColorePenna1->actions()[16]->trigger();
  EXPECT_EQ(Righe(f.edIstruzione), std::vector<std::string>{"ColorePenna(10,20,30);"});
  EXPECT_EQ(risposte.Visti.size(), 2u);
}

TEST(Menu, IlPopupApertoSullaBarraScriveNellaBarra) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  f.MemoSource->setFocus();
  Quando scegli([&] { return f.PopupColorieComandi->isVisible(); }, [&] {
    f.StilePenna1->actions()[4]->trigger();
    f.PopupColorieComandi->close();
  });
  emit f.edIstruzione->customContextMenuRequested(QPoint(5, 5));
  ASSERT_TRUE(scegli.Eseguita());
  EXPECT_EQ(Righe(f.edIstruzione), std::vector<std::string>{"StilePenna(5);"});
  EXPECT_TRUE(SenzaTesto(*f.MemoSource));
}

TEST(Menu, IlPopupDellEditorMetteIlModelloDoveSiECliccato) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  ImpostaTestoEditor(*f.MemoSource, "A = 1;\nB = 2;\nC = 3;");
  f.MemoSource->setFocus();
  f.MemoSource->SetCaretXY({1, 1});
  Quando scegli([&] { return f.PopupColorieComandi->isVisible(); }, [&] {
    f.StilePenna1->actions()[0]->trigger();
    f.PopupColorieComandi->close();
  });
  // The click falls at the start of the third line, while the caret is on the first.
  const QPoint clic = f.MemoSource->RowColumnToPixels({1, 3}) + QPoint(1, f.MemoSource->LineHeight() / 2);
  emit f.MemoSource->customContextMenuRequested(clic);
  ASSERT_TRUE(scegli.Eseguita());
  EXPECT_EQ(Righe(f.MemoSource), (std::vector<std::string>{"A = 1;", "B = 2;", "StilePenna(1);C = 3;"}));
}

TEST(Menu, LeStruttureDiControlloSonoUnSoloPassoDiAnnullamento) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  f.MemoSource->setFocus();
  f.Se1->trigger();
  EXPECT_EQ(Righe(f.MemoSource), (std::vector<std::string>{"SE (condizione) ALLORA", "   <istruzione>;", "ALTRIMENTI",
                                                           "   <istruzione>;", ""}));
  f.MemoSource->Undo();
  EXPECT_TRUE(SenzaTesto(*f.MemoSource));
  f.Per->trigger();
  EXPECT_EQ(Righe(f.MemoSource)[0], "PER (<variabile> DA <numero> A <numero>) ESEGUI;");
  // Each item is as tall as its lines and 50 "R" wide.
  f.PopupColorieComandi->popup(QPoint(0, 0));
  const QFontMetrics fm(f.PopupColorieComandi->font());
  const QRect se2 = f.PopupColorieComandi->actionGeometry(f.Se2);
  EXPECT_GE(se2.height(), 6 * fm.height());
  EXPECT_GE(se2.width(), 50 * fm.horizontalAdvance('R'));
  EXPECT_GE(f.PopupColorieComandi->actionGeometry(f.Ripeti1).height(), 3 * fm.height());
  f.PopupColorieComandi->close();
}

TEST(Menu, IModelliDelleNoveListe) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  for (int i = 0; i < 9; ++i)
    EXPECT_EQ(f.MenuModelli[i]->actions().size(), static_cast<qsizetype>(DatiGlob.ListeModelli[i].size())) << i;
  EXPECT_EQ(f.MenuModelli[0]->title(), "Istruzioni Generiche");
  EXPECT_EQ(f.MenuModelli[8]->title(), "Operatori");
  const std::string primo = DatiGlob.ListeModelli[0][0];
  EXPECT_EQ(f.MenuModelli[0]->actions()[0]->text().toStdString(), primo + ";      ");
  EXPECT_EQ(f.MenuModelli[8]->actions()[0]->text().toStdString(), DatiGlob.ListeModelli[8][0] + "          ");
  f.edIstruzione->setFocus();
  f.MenuModelli[0]->actions()[0]->trigger();
  EXPECT_EQ(Righe(f.edIstruzione), std::vector<std::string>{primo + ";"});
  f.MenuModelli[8]->actions()[0]->trigger();
  EXPECT_EQ(Righe(f.edIstruzione), std::vector<std::string>{DatiGlob.ListeModelli[8][0]});
  // The two lists that share a tag each give their own templates.
  f.MenuModelli[4]->actions()[0]->trigger();
  EXPECT_EQ(Righe(f.edIstruzione), std::vector<std::string>{DatiGlob.ListeModelli[4][0] + ";"});
  f.MenuModelli[5]->actions()[0]->trigger();
  EXPECT_EQ(Righe(f.edIstruzione), std::vector<std::string>{DatiGlob.ListeModelli[5][0] + ";"});

  f.Button2Click();
  const std::size_t attese =
      DatiGlob.ListeModelli[2].size() + DatiGlob.ListeModelli[1].size() + DatiGlob.ListeModelli[0].size();
  ASSERT_EQ(Righe(f.MemoSource).size(), attese);
  EXPECT_EQ(Righe(f.MemoSource)[0], DatiGlob.ListeModelli[2][0]);
  EXPECT_EQ(Righe(f.MemoSource).back(), DatiGlob.ListeModelli[0].back());
}

// Each template menu opened from the editor's popup on either screen of the program. On the
// window's 1280 x 1024 screen, in a desktop font of 11 points whose lines are taller (the
// toolkit's own items made three columns there, the third off the screen), every item is in
// sight at once; on the 800 x 600 screen the menu stays on the screen and each item, reached
// with the arrow keys, comes into sight whole. Selected, every item is a template on silver,
// its keyword or operator in green.
TEST(Menu, OgniModelloSiVedeInteroEDisegnatoComeModello) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  const QList<QScreen*> schermi = QGuiApplication::screens();
  ASSERT_EQ(schermi.size(), 2);
  const QFont caratteri[] = {QFont("Liberation Sans", 11), QApplication::font()};
  const QPoint clic[] = {f.MemoSource->mapToGlobal(QPoint(20, 20)), schermi[1]->geometry().topLeft() + QPoint(20, 20)};
  for (int s = 0; s < 2; ++s)
    for (int lista = 0; lista < 9; ++lista) {
      SCOPED_TRACE(testing::Message() << "schermo " << s << ", lista " << lista);
      QMenu* m = f.MenuModelli[lista];
      m->setFont(caratteri[s]);
      f.PopupColorieComandi->popup(clic[s]);
      f.PopupColorieComandi->setActiveAction(m->menuAction());
      QTest::keyClick(f.PopupColorieComandi, Qt::Key_Right);
      ASSERT_TRUE(m->isVisible());
      EXPECT_TRUE(schermi[s]->availableGeometry().contains(m->geometry()));
      const QList<QAction*> voci = m->actions();
      if (s == 0) {
        for (QAction* v : voci) EXPECT_TRUE(m->rect().contains(m->actionGeometry(v))) << v->text().toStdString();
      }
      for (int i = 0; i < voci.size(); ++i) {
        if (i > 0) QTest::keyClick(m, Qt::Key_Down);
        ASSERT_EQ(m->activeAction(), voci[i]);
        const QRect r = m->actionGeometry(voci[i]);
        EXPECT_TRUE(m->rect().contains(r)) << voci[i]->text().toStdString();
        EXPECT_GE(r.width(), MisuraRigaModello(m->font(), voci[i]->text()).width());
        const QImage img = m->grab(r).toImage();
        EXPECT_EQ(Pixel(img, img.width() - 2, img.height() / 2), clSilver);
        // The operators too: "<", "<=" and "<>" were taken for a placeholder's opening.
        EXPECT_TRUE(InchiostroVerde(img)) << voci[i]->text().toStdString();
      }
      m->close();
      f.PopupColorieComandi->close();
    }
}

TEST(Menu, IlCarattereDallaFinestraDeiCaratteri) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  RispondiModali risposte;
  risposte.Aggiungi([](QDialog& d) {
    auto* c = qobject_cast<QFontDialog*>(&d);
    ASSERT_NE(c, nullptr);
    QFont font = c->currentFont();
    font.setPointSize(14);
    font.setBold(true);
    font.setUnderline(true);
    c->setCurrentFont(font);
    c->accept();
  });
  f.edIstruzione->setFocus();
  f.Carattere1->trigger();
  ASSERT_EQ(risposte.Visti.size(), 1u);
  const TFont& c = DatiGlob.CarattereCorrente;
  EXPECT_EQ(c.Size, 14);
  EXPECT_TRUE(c.Style & fsUnderline);
  // Bold as the dialog gave it (a family may have no bold face).
  const std::string grassetto = (c.Style & fsBold) ? "VERO" : "FALSO";
  EXPECT_EQ(Righe(f.edIstruzione),
            std::vector<std::string>{"Carattere(\"" + c.Name + "\",14," + grassetto + ",FALSO,VERO,FALSO,12);"});
}

TEST(Palette, UnPulsanteConIlPopupLasciaVuotaLaBarraFinoAllaScelta) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  auto* sbPunto = f.findChild<QToolButton*>("sbPunto");
  ASSERT_NE(sbPunto, nullptr);
  ImpostaTestoEditor(*f.edIstruzione, "vecchio");
  QTest::mouseClick(sbPunto, Qt::LeftButton);
  EXPECT_TRUE(Righe(f.edIstruzione).empty());
  ASSERT_EQ(f.PopupComandi->actions().size(), 7);
  EXPECT_TRUE(f.PopupComandi->isVisible());
  EXPECT_EQ(f.PopupComandi->actions()[3]->text(), "Punto(x,y)");
  f.PopupComandi->actions()[3]->trigger();
  f.PopupComandi->close();
  EXPECT_EQ(Righe(f.edIstruzione),
            std::vector<std::string>{"Punto(LeggiNum(\"ascissa\"),LeggiNum(\"ordinata\"));"});
  EXPECT_TRUE(f.edIstruzione->hasFocus());

  // With "Esegui subito" the chosen template runs at once.
  QTest::mouseClick(f.cbEseguiSubito, Qt::LeftButton);
  RispondiModali risposte;
  risposte.Premi(QMessageBox::Ok);
  QTest::mouseClick(sbPunto, Qt::LeftButton);
  EXPECT_TRUE(risposte.Visti.empty());
  f.PopupComandi->actions()[3]->trigger();
  f.PopupComandi->close();
  // The statement asks for its first number.
  ASSERT_EQ(risposte.Visti.size(), 1u);
  EXPECT_EQ(risposte.Visti[0].titolo, "LeggiNum");
}

TEST(Palette, UnModelloDirettoConEseguiSubitoGiraUnaVolta) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  auto* sbCubo = f.findChild<QToolButton*>("sbCubo");
  ASSERT_NE(sbCubo, nullptr);
  QTest::mouseClick(sbCubo, Qt::LeftButton);
  EXPECT_EQ(Righe(f.edIstruzione), std::vector<std::string>{"Cubo(LeggiNum(\"misura lato\"));"});
  EXPECT_TRUE(SenzaTesto(*f.MemoSource));
  f.cbEseguiSubito->setChecked(true);
  RispondiModali risposte;
  risposte.Premi(QMessageBox::Ok);
  QTest::mouseClick(sbCubo, Qt::LeftButton);
  // Its number dialog, cancelled: the statement did not succeed, so it is not in the program.
  ASSERT_EQ(risposte.Visti.size(), 1u);
  EXPECT_EQ(risposte.Visti[0].titolo, "LeggiNum");
  EXPECT_EQ(Righe(f.edIstruzione), std::vector<std::string>{"Cubo(LeggiNum(\"misura lato\"));"});
  EXPECT_TRUE(SenzaTesto(*f.MemoSource));

  // A template that works is run and appended.
  f.cbEseguiSubito->setChecked(false);
  QTest::mouseClick(f.findChild<QToolButton*>("sbTesto"), Qt::LeftButton);
  EXPECT_EQ(Righe(f.edIstruzione), std::vector<std::string>{"Scrivi(LeggiTesto);"});
}

TEST(Palette, IModelliDelloSpazioFunzionanoInUnaFinestraNuova) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  f.cbEseguiSubito->setChecked(true);
  auto numero = [](const char* testo) {
    return [testo](QDialog& d) {
      auto& n = dynamic_cast<TfrmLeggiNum&>(d);
      n.Edit1->setText(testo);
      QTest::mouseClick(n.BitBtn1, Qt::LeftButton);
    };
  };
  {
    // "Punto3D(numero_x, numero_y, numero_z)": no RIFCART3D, no error.
    RispondiModali risposte;
    for (const char* n : {"1", "2", "3"}) risposte.Aggiungi(numero(n));
    f.sbComandiClick(146, nullptr);
    EXPECT_EQ(risposte.Visti.size(), 3u);
    EXPECT_EQ(risposte.SenzaRisposta, 0);
  }
  EXPECT_EQ(RigheEditor(*f.MemoSource),
            std::vector<std::string>{"Punto3D(Legginum(\"x\"),Legginum(\"y\"),Legginum(\"z\"));"});
  EXPECT_EQ(DatiGlob.ListaVariabili->Elemento(1)->GetValore()->Tipo, T_PUNTO3D);
  {
    // "Sfera": its radius, then the sphere placed with the mouse in the space view.
    RispondiModali risposte;
    risposte.Aggiungi(numero("1"));
    Quando posa([] { return DatiGlob.bAttesaPunto3D; }, [&] {
      f.MostraVista(true);
      QWidget* vista = f.findChild<QWidget*>("ScnVista");
      QCoreApplication::processEvents();
      const QPointF centro(vista->width() / 2.0, vista->height() / 2.0);
      QMouseEvent muovi(QEvent::MouseMove, centro, vista->mapToGlobal(centro), Qt::NoButton, Qt::NoButton,
                        Qt::NoModifier);
      QApplication::sendEvent(vista, &muovi);
      QMouseEvent giu(QEvent::MouseButtonPress, centro, vista->mapToGlobal(centro), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
      QApplication::sendEvent(vista, &giu);
      QMouseEvent su(QEvent::MouseButtonRelease, centro, vista->mapToGlobal(centro), Qt::LeftButton, Qt::NoButton,
                     Qt::NoModifier);
      QApplication::sendEvent(vista, &su);
    });
    QTest::mouseClick(f.findChild<QToolButton*>("sbSfera"), Qt::LeftButton);
    EXPECT_TRUE(posa.Eseguita());
    EXPECT_EQ(risposte.SenzaRisposta, 0);
  }
  EXPECT_EQ(RigheEditor(*f.MemoSource).size(), 2u);
  EXPECT_EQ(DatiGlob.ListaVariabili->Elemento(1)->GetValore()->Tipo, T_SFERA3D);
}

TEST(Palette, ICodiciDeiPopup) {
  EXPECT_EQ(ModelloPerCodice(10), "Punto;");
  EXPECT_EQ(ModelloPerCodice(27), "Circonferenza(Punto,LeggiNum(\"raggio\"));");
  EXPECT_EQ(ModelloPerCodice(142), "Scrivi(Misura(ScegliOggetto),\"°\");");
  EXPECT_EQ(ModelloPerCodice(274), "Settore_circ(punto, punto, Legginum(\"ampiezza\"),ORARIO);");
  EXPECT_EQ(ModelloPerCodice(37), "");
  EXPECT_EQ(ModelloPerCodice(1), "");
  // Every popup item has a template, and every tag is one button's.
  for (const TVocePalette& p : PulsantiPalette()) {
    EXPECT_EQ(PulsantePerTag(p.tag), &p);
    EXPECT_EQ(p.modello == nullptr, !p.voci.empty()) << p.nome;
    for (const TVocePopup& v : p.voci) EXPECT_FALSE(ModelloPerCodice(v.codice).empty()) << v.caption;
  }
  EXPECT_EQ(PulsantePerTag(10)->nome, std::string("sbRombo"));
}

TEST(Stili, LeCombinazioniDellaBanda) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  EXPECT_EQ(f.cmbPennaSpessore->toolTip(), "SpessorePenna");
  EXPECT_EQ(f.cmbPennaColore->count(), 17);
  EXPECT_EQ(f.cmbPennaColore->itemText(16), " Altri colori...");
  // The program editor was the last to have the focus: the statement goes there.
  f.MemoSource->setFocus();
  f.cmbPennaSpessore->setCurrentIndex(2);
  f.cbSoloOggetto->setChecked(true);
  emit f.cmbPennaSpessore->activated(2);
  EXPECT_EQ(Righe(f.MemoSource), std::vector<std::string>{"SpessorePenna(ScegliOggetto,3);"});
  // After the command bar had the focus, into the command bar.
  f.edIstruzione->setFocus();
  f.cmbPennaColore->setFocus();
  f.cbSoloOggetto->setChecked(false);
  f.cmbPennaColore->setCurrentIndex(3);
  emit f.cmbPennaColore->activated(3);
  EXPECT_EQ(Righe(f.edIstruzione), std::vector<std::string>{"ColorePenna(0,0,255);"});
  f.cmbRiempMotivo->setCurrentIndex(0);
  emit f.cmbRiempMotivo->activated(0);
  EXPECT_EQ(Righe(f.edIstruzione), std::vector<std::string>{"MotivoRiempimento(1);"});
  f.cmbPennaStile->setCurrentIndex(5);
  emit f.cmbPennaStile->activated(5);
  EXPECT_EQ(Righe(f.edIstruzione), std::vector<std::string>{"StilePenna(6);"});

  // With "Esegui subito" the statement runs: the current pen turns red.
  f.cbEseguiSubito->setChecked(true);
  f.cmbPennaColore->setCurrentIndex(6);
  emit f.cmbPennaColore->activated(6);
  EXPECT_EQ(DatiGlob.PennaCorrente.Color, clRed);
  EXPECT_EQ(Righe(f.MemoSource).back(), "ColorePenna(255,0,0);");
}

TEST(Disegno, LeVociDisegnate) {
  Applicazione();
  QImage img(400, 20, QImage::Format_RGB32);
  {
    QPainter p(&img);
    DisegnaRigaModello(p, img.rect(), "Punto(x,y);", false);
  }
  // The keyword is green, the placeholders black, on white.
  const int meta = QFontMetrics(QFont()).horizontalAdvance("   Punto(");
  EXPECT_TRUE(ContieneColore(img, QRect(0, 0, meta - 4, 20), RGBColor(0, 128, 0)));
  EXPECT_FALSE(ContieneColore(img, QRect(0, 0, meta - 4, 20), clBlack));
  EXPECT_TRUE(ContieneColore(img, QRect(meta, 0, 40, 20), clBlack));
  {
    QPainter p(&img);
    DisegnaRigaModello(p, img.rect(), "x", true);
  }
  EXPECT_EQ(Pixel(img, 399, 0), clSilver);
  {
    QPainter p(&img);
    DisegnaVoceColore(p, img.rect(), 3, false, "Altri colori...");
  }
  EXPECT_EQ(Pixel(img, 200, 10), clBlue);
  EXPECT_EQ(Pixel(img, 1, 1), clBlack);
  {
    QPainter p(&img);
    DisegnaVocePopup(p, img.rect(), "Punto(x,y)", false);
  }
  EXPECT_TRUE(ContieneColore(img, QRect(0, 0, 30, 20), clRed));
  EXPECT_TRUE(ContieneColore(img, QRect(40, 0, 100, 20), RGBColor(0, 128, 0)));
  {
    QPainter p(&img);
    DisegnaVoceStilePenna(p, img.rect(), 1, false);
  }
  EXPECT_EQ(Pixel(img, 200, 10), clBlack);
  EXPECT_EQ(Pixel(img, 200, 12), clWhite);
}

TEST(Disegno, IlMenuDeiColoriMostraIColori) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  f.ColorePenna1->popup(QPoint(0, 0));
  f.ColorePenna1->repaint();
  const QImage img = f.ColorePenna1->grab().toImage();
  EXPECT_TRUE(ContieneColore(img, f.ColorePenna1->actionGeometry(f.ColorePenna1->actions()[3]), clBlue));
  EXPECT_TRUE(ContieneColore(img, f.ColorePenna1->actionGeometry(f.ColorePenna1->actions()[6]), clRed));
  EXPECT_FALSE(ContieneColore(img, f.ColorePenna1->actionGeometry(f.ColorePenna1->actions()[6]), clBlue));
  f.ColorePenna1->close();
}

}  // namespace
}  // namespace qx::test
