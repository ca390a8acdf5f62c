// The fraction, vector and matrix editors: typing into their boxes and cells, the formulas
// and totals of the matrix grid, its files and the clipboard.
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/dialogs/Dialoghi.h"
#include "app/dialogs/EditFraz.h"
#include "app/dialogs/EditMatr.h"
#include "app/dialogs/EditVett.h"
#include "app/dialogs/TestoNumeri.h"
#include "controls/Aligrid.h"
#include "controls/ToolkitColors.h"
#include "tests/dialogs/Banco.h"
#include "values/VettoriMatrici.h"

namespace qx::test {
namespace {

std::string LeggiBytes(const QString& percorso) {
  std::ifstream in(percorso.toStdString(), std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void ScriviBytes(const QString& percorso, const std::string& dati) {
  std::ofstream out(percorso.toStdString(), std::ios::binary);
  out << dati;
}

// Text drawn in the colour of its ground leaves only the smoothing's rounding.
bool Vicini(const QColor& a, const QColor& b) {
  return std::abs(a.red() - b.red()) <= 3 && std::abs(a.green() - b.green()) <= 3 && std::abs(a.blue() - b.blue()) <= 3;
}

cMatrReale Matrice(int righe, int colonne, std::initializer_list<long double> valori) {
  cMatrReale m(righe, colonne);
  m.Nome = "A";
  auto v = valori.begin();
  for (int r = 1; r <= righe; ++r)
    for (int c = 1; c <= colonne; ++c) m.Matr(r, c) = *v++;
  return m;
}

// Answers a file dialog: the file's whole path typed into its name box, then Enter.
Utente::Passo ScegliFile(const QString& percorso) {
  return [percorso](QDialog& d) {
    auto* nome = d.findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(nome, nullptr);
    nome->setText(percorso);
    QTest::keyClick(nome, Qt::Key_Return);
  };
}

// ---- Fractions ----

using FrazioneTest = Banco;

TEST_F(FrazioneTest, NumeratorAndDenominatorJoinWithASlash) {
  QString titolo;
  utente.Poi([&](QDialog& d) {
    auto& f = static_cast<TdlgEditFraz&>(d);
    titolo = f.windowTitle();
    QTest::keyClicks(f.ed1, "3");
    QTest::keyClick(f.ed1, Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), "4");
    Clicca(f.OKBtn);
  });
  utente.Poi([](QDialog& d) {
    auto& f = static_cast<TdlgEditFraz&>(d);
    QTest::keyClicks(f.ed1, "3");
    Clicca(f.OKBtn);
  });
  utente.Poi([](QDialog& d) { Clicca(static_cast<TdlgEditFraz&>(d).CancelBtn); });
  std::string testo;
  EXPECT_TRUE(dialoghi->EditaFrazione("Una frazione", testo, 'I'));
  EXPECT_EQ(testo, "3/4");
  EXPECT_EQ(titolo, "Una frazione");
  // The boxes start empty at every showing: an empty denominator leaves the slash alone.
  EXPECT_TRUE(dialoghi->EditaFrazione("", testo, 'I'));
  EXPECT_EQ(testo, "3/");
  EXPECT_FALSE(dialoghi->EditaFrazione("", testo, 'I'));
  EXPECT_EQ(testo, "3/");

  // Enter after the numerator goes on to the denominator, Enter there accepts: it accepted
  // "5/" at once. The caption, the only prompt, fits whole.
  bool titoloIntero = false;
  utente.Poi([&](QDialog& d) {
    auto& f = static_cast<TdlgEditFraz&>(d);
    QTest::keyClicks(f.ed1, "5");
    QTest::keyClick(f.ed1, Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), "7");
    titoloIntero = f.width() >= f.fontMetrics().horizontalAdvance(f.windowTitle()) + 100;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  });
  EXPECT_TRUE(dialoghi->EditaFrazione("Scrivi la frazione equivalente a due terzi", testo, 'I'));
  EXPECT_EQ(testo, "5/7");
  EXPECT_TRUE(titoloIntero);
}

// ---- Vectors ----

using VettoreTest = Banco;

TEST_F(VettoreTest, ACellThatIsNoNumberIsReportedAndNothingIsWritten) {
  cVettReale v(3);
  v.Nome = "V";
  v.Vett(1) = 1;
  v.Vett(2) = 2;
  v.Vett(3) = VAL_NON_DEFINITA;
  QString indici, celle, titolo, messaggio;
  bool aperto = false, chiudiVisibile = true;
  int rigaDopoErrore = -1;
  long double primaDiOk = 0;
  utente.Poi([&](QDialog& d) {
    auto& e = static_cast<TDlgEditVett&>(d);
    titolo = e.windowTitle();
    messaggio = e.Memo1->toPlainText();
    chiudiVisibile = e.pbChiudi->isVisible();
    for (int r = 0; r < e.sGrid->RowCount(); ++r) {
      indici += e.sGrid->Cells(0, r) + " ";
      celle += e.sGrid->Cells(1, r) + "|";
    }
    ScriviCella(*e.sGrid, 1, 1, "7");
    ScriviCella(*e.sGrid, 1, 0, "abc");
    Clicca(e.OKBtn);
    aperto = e.isVisible();
    rigaDopoErrore = e.sGrid->Row();
    primaDiOk = v.Vett(2);
    ScriviCella(*e.sGrid, 1, 0, "Divisione per 0");
    Clicca(e.OKBtn);
  });
  dialoghi->EditaVettore(false, "Vettore V", v, "Scrivi i lati");
  EXPECT_EQ(titolo, "Vettore V");
  EXPECT_EQ(messaggio, "Scrivi i lati");
  EXPECT_FALSE(chiudiVisibile);
  EXPECT_EQ(indici, "1 2 3 ");
  EXPECT_EQ(celle, "1|2|Non definita|");
  EXPECT_TRUE(aperto);
  EXPECT_EQ(rigaDopoErrore, 0);
  EXPECT_EQ(primaDiOk, 2.0L);
  EXPECT_EQ(Messaggi(), std::vector<std::string>{"Errore alla cella 1"});
  // The error values come back from their words, and a cell left alone keeps its value.
  EXPECT_EQ(v.Vett(1), VAL_DIVISIONE_ZERO);
  EXPECT_EQ(v.Vett(2), 7.0L);
  EXPECT_EQ(v.Vett(3), VAL_NON_DEFINITA);
}

TEST_F(VettoreTest, StringsAreWrittenAsTheyAreAndAShownVectorIsNotEdited) {
  cVettStringa s(2);
  s.Vett = {"uno", "due"};
  utente.Poi([](QDialog& d) {
    auto& e = static_cast<TDlgEditVett&>(d);
    ScriviCella(*e.sGrid, 1, 1, "tre 3");
    Clicca(e.OKBtn);
  });
  bool chiudiVisibile = false, editore = true;
  utente.Poi([&](QDialog& d) {
    auto& e = static_cast<TDlgEditVett&>(d);
    chiudiVisibile = e.pbChiudi->isVisible();
    ScriviCella(*e.sGrid, 1, 0, "x");
    editore = e.sGrid->Cells(1, 0) == "x";
    Clicca(e.pbChiudi);
  });
  dialoghi->EditaVettore(false, "Vettore S", s, "");
  EXPECT_EQ(s.Vett, (std::vector<std::string>{"uno", "tre 3"}));
  dialoghi->EditaVettore(true, "Vettore S", s, "");
  QString vuoto = "?";
  utente.Poi([&](QDialog& d) {
    auto& e = static_cast<TDlgEditVett&>(d);
    vuoto = e.sGrid->Cells(0, 0) + e.sGrid->Cells(1, 0);
    Clicca(e.OKBtn);
  });
  cVettStringa nessuno(0);
  dialoghi->EditaVettore(false, "Vettore N", nessuno, "");
  EXPECT_EQ(vuoto, "");
  EXPECT_TRUE(chiudiVisibile);
  EXPECT_FALSE(editore);
  EXPECT_EQ(s.Vett, (std::vector<std::string>{"uno", "tre 3"}));
}

// ---- Matrices ----

using MatriceTest = Banco;

TEST_F(MatriceTest, ACellIsAFormulaAndAWrongOneIsRefused) {
  cMatrReale m = Matrice(2, 2, {1.0L / 3, 2, 3, VAL_INDETERMINATA});
  QString intestazioni, celle, dopoTerzo, dopoErrato;
  bool editoreAperto = false;
  utente.Poi([&](QDialog& d) {
    auto& e = static_cast<TDlgEditMatr&>(d);
    TStringAlignGrid& g = *e.sGrid;
    intestazioni = g.Cells(1, 0) + g.Cells(2, 0) + g.Cells(0, 1) + g.Cells(0, 2);
    celle = g.Cells(1, 1) + "|" + g.Cells(2, 1) + "|" + g.Cells(1, 2) + "|" + g.Cells(2, 2);
    ScriviCella(g, 2, 1, "1/3");
    dopoTerzo = g.Cells(2, 1);
    QTest::keyClick(g.InplaceEditor(), Qt::Key_Escape);
    ScriviCella(g, 1, 2, "1/");
    dopoErrato = g.Cells(1, 2);
    editoreAperto = g.EditorVisible() && g.Col() == 1 && g.Row() == 2;
    QTest::keyClick(g.InplaceEditor(), Qt::Key_Escape);
    Clicca(e.OKBtn);
  });
  dialoghi->EditaMatrice(false, "Matrice A", m, "");
  EXPECT_EQ(intestazioni, "1212");
  EXPECT_EQ(celle, "0.333333333333333|2|3|Indeterminata");
  EXPECT_EQ(dopoTerzo, RealeInTesto(1.0L / 3));
  EXPECT_EQ(dopoErrato, "1/");
  EXPECT_TRUE(editoreAperto);
  EXPECT_EQ(Messaggi(), std::vector<std::string>{"Espressione incompleta: 1/"});
  // Exact values survive the round trip through the cells' texts.
  EXPECT_EQ(m.Matr(1, 1), 1.0L / 3);
  EXPECT_EQ(m.Matr(1, 2), 1.0L / 3);
  EXPECT_EQ(m.Matr(2, 1), 3.0L);
  EXPECT_EQ(m.Matr(2, 2), VAL_INDETERMINATA);
}

TEST_F(MatriceTest, ATableRecomputesItsTotalsAndCancelLeavesTheMatrix) {
  cMatrReale m = Matrice(3, 3, {1, 2, 3, 4, 5, 9, 5, 7, 99});
  m._bStatistica = true;
  QString totali, intestazioni;
  int larghezze[2] = {}, necessaria = 0;
  const QString kFreq = QStringLiteral("Freq. marg.");
  QColor sfondoTotale, sfondoAngolo;
  bool testoBlu = false, angoloVuoto = true, editoreSullaCella = false;
  utente.Poi([&](QDialog& d) {
    auto& e = static_cast<TDlgEditMatr&>(d);
    TStringAlignGrid& g = *e.sGrid;
    intestazioni = g.Cells(3, 0) + "|" + g.Cells(0, 3);
    larghezze[0] = g.ColWidths(0);
    larghezze[1] = g.ColWidths(3);
    necessaria = static_cast<int>(std::ceil(QFontMetricsF(g.CellFont(3, 0).Font, g.viewport()).horizontalAdvance(kFreq))) + 4;
    ScriviCella(g, 1, 1, "10");
    totali = g.Cells(3, 1) + " " + g.Cells(3, 2) + " " + g.Cells(1, 3) + " " + g.Cells(2, 3) + " " + g.Cells(3, 3);
    editoreSullaCella = g.EditorVisible() && g.InplaceEditor()->geometry() == g.CellRect(2, 1);
    // Enter moved on to the next cell and opened its editor: Esc closes it.
    if (g.EditorVisible()) QTest::keyClick(g.InplaceEditor(), Qt::Key_Escape);
    const QImage immagine = g.grab().toImage();
    const QPoint vp = g.viewport()->pos();
    const QRect totale = g.CellRect(3, 1).translated(vp), angolo = g.CellRect(3, 3).translated(vp);
    sfondoTotale = immagine.pixelColor(totale.right() - 2, totale.bottom() - 2);
    sfondoAngolo = immagine.pixelColor(angolo.center());
    for (int y = totale.top(); y <= totale.bottom(); ++y)
      for (int x = totale.left(); x <= totale.right(); ++x) {
        const QColor c = immagine.pixelColor(x, y);
        testoBlu = testoBlu || (c.blue() > 150 && c.red() < 100 && c.green() < 100);
      }
    for (int y = angolo.top() + 1; y < angolo.bottom(); ++y)
      for (int x = angolo.left() + 1; x < angolo.right(); ++x)
        angoloVuoto = angoloVuoto && Vicini(immagine.pixelColor(x, y), ToQColor(clBtnFace));
    Clicca(e.CancelBtn);
  });
  dialoghi->EditaMatrice(false, "Matrice a doppia entrata A", m, "");
  EXPECT_EQ(intestazioni, "Freq. marg.|Freq. marg.");
  // The margins' columns are 67 wide, or as wide as their caption needs.
  EXPECT_EQ(larghezze[0], std::max(67, necessaria));
  EXPECT_EQ(larghezze[1], std::max(67, necessaria));
  EXPECT_EQ(totali, "12 9 14 7 99");
  EXPECT_EQ(sfondoTotale, ToQColor(clBtnFace));
  EXPECT_EQ(sfondoAngolo, ToQColor(clBtnFace));
  EXPECT_TRUE(testoBlu);
  EXPECT_TRUE(angoloVuoto);
  // Enter moved on to the next cell, with its editor over it.
  EXPECT_TRUE(editoreSullaCella);
  EXPECT_EQ(m.Matr(1, 1), 1.0L);
  EXPECT_EQ(m.Matr(1, 3), 3.0L);
}

TEST_F(MatriceTest, AShownMatrixOnlyCloses) {
  cMatrStringa m(1, 2);
  m.Matr = {"a", "b"};
  bool ok = true, annulla = true, chiudi = false, apri = true, modificata = true;
  utente.Poi([&](QDialog& d) {
    auto& e = static_cast<TDlgEditMatr&>(d);
    ok = e.OKBtn->isVisible();
    annulla = e.CancelBtn->isVisible();
    chiudi = e.pbChiudi->isVisible();
    apri = e.Apri1->isEnabled();
    ScriviCella(*e.sGrid, 1, 1, "z");
    modificata = e.sGrid->Cells(1, 1) != "a";
    Clicca(e.pbChiudi);
  });
  dialoghi->EditaMatrice(true, "Matrice M", m, "");
  EXPECT_FALSE(ok);
  EXPECT_FALSE(annulla);
  EXPECT_TRUE(chiudi);
  EXPECT_FALSE(apri);
  EXPECT_FALSE(modificata);
  EXPECT_EQ(m.Matr, (std::vector<std::string>{"a", "b"}));
}

TEST_F(MatriceTest, FilesAreSavedLoadedAndRefusedWhenOfAnotherSize) {
  QTemporaryDir cartella;
  const QString salvata = cartella.filePath("a.MTR"), piccola = cartella.filePath("p.MTR"),
                uguale = cartella.filePath("u.MTR"), sbagliata = cartella.filePath("s.MTR");
  ScriviBytes(piccola, "\t1\t\r\n1\t5\t\r\n");
  ScriviBytes(uguale, "\t1\t2\t\r\n1\t5\t6\t\r\n2\t7\t8\t\r\n");
  ScriviBytes(sbagliata, "\t1\t2\t\r\n1\t5\tabc\t\r\n2\t7\t8\t\r\n");
  cMatrReale m = Matrice(2, 2, {1, 2, 3, 4});
  QString dopoPiccola, appunti, dopoSbagliata;
  utente.Poi([&](QDialog& d) {
    auto& e = static_cast<TDlgEditMatr&>(d);
    e.Salva1->trigger();
    // The second save goes to the same file without asking.
    ScriviCella(*e.sGrid, 2, 2, "40");
    e.Salva1->trigger();
    ScriviCella(*e.sGrid, 1, 1, "9");
    e.Apri1->trigger();
    dopoPiccola = e.sGrid->Cells(1, 1) + e.sGrid->Cells(2, 1) + e.sGrid->Cells(1, 2) + e.sGrid->Cells(2, 2);
    e.Copiainappunti1->trigger();
    appunti = QApplication::clipboard()->text();
    e.Apri1->trigger();
    Clicca(e.OKBtn);
    dopoSbagliata = e.sGrid->Cells(2, 1) + (e.isVisible() ? " aperta" : " chiusa");
    e.Apri1->trigger();
    Clicca(e.OKBtn);
  });
  utente.Poi(ScegliFile(salvata));
  utente.Poi(ScegliFile(piccola));
  utente.Poi(ScegliFile(sbagliata));
  utente.Poi(ScegliFile(uguale));
  dialoghi->EditaMatrice(false, "Matrice A", m, "");
  EXPECT_EQ(LeggiBytes(salvata), "\t1\t2\t\r\n1\t1\t2\t\r\n2\t3\t40\t\r\n");
  EXPECT_EQ(utente.Finestre, (std::vector<QString>{"Matrice A", "Salva matrice", "Apri matrice", "Apri matrice",
                                                   "Apri matrice"}));
  EXPECT_EQ(dopoPiccola, "92340");
  EXPECT_EQ(appunti, "\t1\t2\t\r\n1\t9\t2\t\r\n2\t3\t40\t\r\n");
  EXPECT_EQ(dopoSbagliata, "abc aperta");
  EXPECT_EQ(Messaggi(), (std::vector<std::string>{"Dimensioni Errate", "'abc' non è un numero valido"}));
  EXPECT_EQ(m.Matr(1, 1), 5.0L);
  EXPECT_EQ(m.Matr(1, 2), 6.0L);
  EXPECT_EQ(m.Matr(2, 1), 7.0L);
  EXPECT_EQ(m.Matr(2, 2), 8.0L);
}

TEST_F(MatriceTest, TheColumnWidthFollowsTheArrows) {
  cMatrReale m = Matrice(1, 2, {1, 2});
  int larghezza = 0, indici = 0;
  utente.Poi([&](QDialog& d) {
    auto& e = static_cast<TDlgEditMatr&>(d);
    e.UpDown1->setValue(e.UpDown1->value() + 20);
    larghezza = e.sGrid->ColWidths(2);
    indici = e.sGrid->ColWidths(0);
    Clicca(e.OKBtn);
  });
  const int prima = dialoghi->DlgEditMatr().UpDown1->value();
  dialoghi->EditaMatrice(false, "Matrice A", m, "");
  EXPECT_EQ(larghezza, prima + 20);
  EXPECT_EQ(indici, prima + 20);
}

TEST_F(MatriceTest, EveryTextShowsWholeInItsColumn) {
  cMatrReale m = Matrice(2, 2, {1.0L / 3, 2, 3, 4});
  QString terzo, dueTerzi;
  int larghezze[3] = {}, strette[3] = {}, necessarie[3] = {};
  int inchiostroCella = 0, inchiostroTesto = 0;
  utente.Poi([&](QDialog& d) {
    auto& e = static_cast<TDlgEditMatr&>(d);
    TStringAlignGrid& g = *e.sGrid;
    terzo = g.Cells(1, 1);
    ScriviCella(g, 2, 2, "2/3");
    if (g.EditorVisible()) QTest::keyClick(g.InplaceEditor(), Qt::Key_Escape);
    dueTerzi = g.Cells(2, 2);
    const QFontMetricsF metriche(g.CellFont(1, 1).Font, g.viewport());
    // The grid keeps 2 pixels on each side of a text.
    necessarie[1] = static_cast<int>(std::ceil(metriche.horizontalAdvance(terzo))) + 4;
    necessarie[2] = static_cast<int>(std::ceil(metriche.horizontalAdvance(dueTerzi))) + 4;
    larghezze[1] = g.ColWidths(1);
    larghezze[2] = g.ColWidths(2);
    // The ink of the cell (inside the dotted frame of the current cell) against the same
    // text drawn with nothing to cut it.
    const QRect cella = g.CellRect(1, 1);
    inchiostroCella = LarghezzaInchiostro(g.viewport()->grab().toImage(), cella.adjusted(1, 1, -2, -2));
    inchiostroTesto = LarghezzaInchiostroLibero(g.CellFont(1, 1).Font, terzo);
    // The narrowest columns the arrows give leave the texts whole.
    e.UpDown1->setValue(e.UpDown1->minimum());
    for (int c = 0; c < 3; ++c) strette[c] = g.ColWidths(c);
    Clicca(e.OKBtn);
  });
  dialoghi->EditaMatrice(false, "Matrice A", m, "");
  EXPECT_EQ(terzo, "0.333333333333333");
  EXPECT_EQ(dueTerzi, "0.666666666666667");
  EXPECT_GE(larghezze[1], necessarie[1]);
  EXPECT_GE(larghezze[2], necessarie[2]);
  EXPECT_NEAR(inchiostroCella, inchiostroTesto, 1);
  EXPECT_EQ(strette[0], 20);
  EXPECT_GE(strette[1], necessarie[1]);
  EXPECT_GE(strette[2], necessarie[2]);
  EXPECT_EQ(m.Matr(2, 2), 2.0L / 3);
}

TEST(DimensioniTesto, LinesAndTheLongestOne) {
  int r = 0, c = 0;
  DimensioniTestoGriglia("\t1\t2\t\r\n1\t5\t6\t\r\n", r, c);
  EXPECT_EQ(r, 2);
  EXPECT_EQ(c, 3);
  DimensioniTestoGriglia("a\tb\nc\rd\t\te\t", r, c);
  EXPECT_EQ(r, 3);
  EXPECT_EQ(c, 3);
  DimensioniTestoGriglia("", r, c);
  EXPECT_EQ(r, 0);
  EXPECT_EQ(c, 0);
  DimensioniTestoGriglia("\r\n\r\n", r, c);
  EXPECT_EQ(r, 2);
  EXPECT_EQ(c, 0);
}

}  // namespace
}  // namespace qx::test
