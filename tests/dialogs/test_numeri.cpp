// The number dialog with its keypad, the angle dialog and the question dialog, driven with
// the keyboard and the mouse.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "app/dialogs/Domanda.h"
#include "app/dialogs/LeggiGrado.h"
#include "app/dialogs/LeggiNum.h"
#include "runstate/WindowServices.h"
#include "tests/dialogs/Banco.h"

namespace qx::test {
namespace {

using NumeroTest = Banco;

TEST_F(NumeroTest, AnExpressionIsEvaluatedAndAWrongOneKeepsTheDialogOpen) {
  bool restaAperto = false, fuocoNellaCasella = false;
  QString etichetta;
  utente.Poi([&](QDialog& d) {
    auto& f = static_cast<TfrmLeggiNum&>(d);
    etichetta = f.Label1->text();
    Scrivi(f.Edit1, "2+");
    Clicca(f.BitBtn1);
    restaAperto = f.isVisible();
    fuocoNellaCasella = QApplication::focusWidget() == f.Edit1;
    Scrivi(f.Edit1, "2^5");
    Clicca(f.BitBtn1);
  });
  long double v = -1;
  EXPECT_TRUE(dialoghi->LeggiNum("Quanti lati?", v));
  EXPECT_EQ(v, 32.0L);
  EXPECT_EQ(etichetta, "Quanti lati?");
  EXPECT_TRUE(restaAperto);
  EXPECT_TRUE(fuocoNellaCasella);
  ASSERT_EQ(Messaggi().size(), 1u);
  EXPECT_EQ(Messaggi()[0], "Espressione incompleta: 2+");
  EXPECT_EQ(utente.Finestre, std::vector<QString>{"LeggiNum"});
}

TEST_F(NumeroTest, EachShowingStartsEmptyAndCancelGivesNothing) {
  utente.Poi([](QDialog& d) {
    auto& f = static_cast<TfrmLeggiNum&>(d);
    Scrivi(f.Edit1, "7");
    QTest::keyClick(f.Edit1, Qt::Key_Return);
  });
  QString testoIniziale = "?";
  utente.Poi([&](QDialog& d) {
    auto& f = static_cast<TfrmLeggiNum&>(d);
    testoIniziale = f.Edit1->text();
    Scrivi(f.Edit1, "5");
    Clicca(f.BitBtn2);
  });
  // A text that uses x reads the undefined value.
  utente.Poi([](QDialog& d) {
    auto& f = static_cast<TfrmLeggiNum&>(d);
    Scrivi(f.Edit1, "x+1");
    Clicca(f.BitBtn1);
  });
  long double v = 0;
  EXPECT_TRUE(dialoghi->LeggiNum("a", v));
  EXPECT_EQ(v, 7.0L);
  EXPECT_FALSE(dialoghi->LeggiNum("b", v));
  EXPECT_EQ(v, 7.0L);
  EXPECT_EQ(testoIniziale, "");
  EXPECT_FALSE(dialoghi->frmLeggiNum().Confermato);
  EXPECT_TRUE(dialoghi->LeggiNum("c", v));
  EXPECT_EQ(v, 1e99L);
}

TEST_F(NumeroTest, TheKeypadTypesAtTheCaretAndNeverTakesTheFocus) {
  QString dopoCifre, dopoCancella, dopoPunto, dopoInizio;
  bool fuoco = true, visibile = false, accanto = false;
  utente.Poi([&](QDialog& d) {
    auto& f = static_cast<TfrmLeggiNum&>(d);
    TfrmTastNum& t = dialoghi->frmTastNum();
    Clicca(f.SpeedButton1);
    visibile = t.isVisible();
    fuoco = t.testAttribute(Qt::WA_ShowWithoutActivating) && (t.windowFlags() & Qt::WindowDoesNotAcceptFocus);
    accanto = t.pos() == QPoint(f.frameGeometry().left() + f.frameGeometry().width(), f.frameGeometry().top());
    const auto tasto = [&](const char* c) {
      Clicca(t.Tasto(QString::fromLatin1(c)));
      fuoco = fuoco && QApplication::focusWidget() == f.Edit1 && QApplication::activeWindow() == &f;
    };
    tasto("1");
    tasto("2");
    tasto("3");
    dopoCifre = f.Edit1->text();
    tasto("<--");
    dopoCancella = f.Edit1->text();
    f.Edit1->setCursorPosition(1);
    tasto(".");
    dopoPunto = f.Edit1->text();
    f.Edit1->setCursorPosition(0);
    tasto("<--");
    dopoInizio = f.Edit1->text();
    Clicca(f.BitBtn1);
  });
  long double v = 0;
  EXPECT_TRUE(dialoghi->LeggiNum("", v));
  EXPECT_TRUE(visibile);
  EXPECT_TRUE(accanto);
  EXPECT_TRUE(fuoco);
  EXPECT_EQ(dopoCifre, "123");
  EXPECT_EQ(dopoCancella, "12");
  EXPECT_EQ(dopoPunto, "1.2");
  EXPECT_EQ(dopoInizio, "1.2");
  EXPECT_EQ(v, 1.2L);
  // Closing the number dialog closes the keypad too.
  EXPECT_FALSE(dialoghi->frmTastNum().isVisible());
}

using AngoloTest = Banco;

TEST_F(AngoloTest, TheBoxesAreShortAndTheValuesComeBack) {
  int lunghezze[3] = {};
  QString iniziali, titolo;
  bool titoloIntero = false;
  utente.Poi([&](QDialog& d) {
    auto& g = static_cast<TdlgLeggiGrado&>(d);
    titolo = g.windowTitle();
    // Wide enough for its whole title beside the frame's buttons (it was cut to "Leggi ... Angolo").
    titoloIntero = g.width() >= g.fontMetrics().horizontalAdvance(titolo) + 100;
    iniziali = g.edG->text() + "|" + g.edP->text() + "|" + g.edS->text();
    Scrivi(g.edG, "12345");
    Scrivi(g.edP, "678");
    Scrivi(g.edS, "901");
    lunghezze[0] = g.edG->text().size();
    lunghezze[1] = g.edP->text().size();
    lunghezze[2] = g.edS->text().size();
    Clicca(g.OKBtn);
  });
  int gradi = 0, primi = 0;
  long double secondi = 0;
  EXPECT_TRUE(dialoghi->LeggiGrado("", gradi, primi, secondi));
  EXPECT_EQ(titolo, "Leggi Misura Angolo");
  EXPECT_TRUE(titoloIntero);
  EXPECT_EQ(iniziali, "0|0|0");
  EXPECT_EQ(lunghezze[0], 3);
  EXPECT_EQ(lunghezze[1], 2);
  EXPECT_EQ(lunghezze[2], 2);
  EXPECT_EQ(gradi, 123);
  EXPECT_EQ(primi, 67);
  EXPECT_EQ(secondi, 90.0L);
}

TEST_F(AngoloTest, ANonIntegerDegreeIsRefusedAndCancelKeepsTheValues) {
  bool aperto = false, fuoco = false;
  utente.Poi([&](QDialog& d) {
    auto& g = static_cast<TdlgLeggiGrado&>(d);
    Scrivi(g.edG, "1.5");
    Scrivi(g.edP, "30");
    Clicca(g.OKBtn);
    aperto = g.isVisible();
    fuoco = QApplication::focusWidget() == g.edG;
    Scrivi(g.edG, "45");
    Clicca(g.OKBtn);
  });
  QString titolo;
  utente.Poi([&](QDialog& d) {
    auto& g = static_cast<TdlgLeggiGrado&>(d);
    titolo = g.windowTitle();
    Scrivi(g.edG, "90");
    Clicca(g.CancelBtn);
  });
  int gradi = 0, primi = 0;
  long double secondi = 0;
  EXPECT_TRUE(dialoghi->LeggiGrado("Ampiezza", gradi, primi, secondi));
  EXPECT_TRUE(aperto);
  EXPECT_TRUE(fuoco);
  EXPECT_EQ(Messaggi(), std::vector<std::string>{"'1.5' non è un numero intero valido"});
  EXPECT_EQ(gradi, 45);
  EXPECT_EQ(primi, 30);
  EXPECT_FALSE(dialoghi->LeggiGrado("Secondo angolo", gradi, primi, secondi));
  EXPECT_EQ(titolo, "Secondo angolo");
  EXPECT_EQ(gradi, 45);
}

using DomandaTest = Banco;

TEST_F(DomandaTest, YesNoAndClosingGiveTheirResults) {
  QString titolo, testo, si, no;
  utente.Poi([&](QDialog& d) {
    auto& q = static_cast<TdlgDomanda&>(d);
    titolo = q.windowTitle();
    testo = q.Memo1->toPlainText();
    si = q.Button1->text();
    no = q.Button2->text();
    Clicca(q.Button1);
  });
  utente.Poi([](QDialog& d) { Clicca(static_cast<TdlgDomanda&>(d).Button2); });
  utente.Poi([](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); });
  utente.Poi([](QDialog& d) { QTest::keyClick(&d, Qt::Key_N, Qt::AltModifier); });
  EXPECT_EQ(dialoghi->Domanda("DOMANDA", "Vuoi continuare?"), mrYes);
  EXPECT_EQ(titolo, "DOMANDA");
  EXPECT_EQ(testo, "Vuoi continuare?");
  EXPECT_EQ(si, "&Si");
  EXPECT_EQ(no, "&No");
  EXPECT_EQ(dialoghi->Domanda("DOMANDA", "Ancora?"), mrNo);
  EXPECT_EQ(dialoghi->Domanda("DOMANDA", "E ora?"), mrNone);
  EXPECT_EQ(dialoghi->Domanda("DOMANDA", "Scorciatoia?"), mrNo);
  EXPECT_EQ(utente.SenzaRisposta, 0);
}

}  // namespace
}  // namespace qx::test
