// Function entry: the palette, the check of the formula, the archive of named entries and
// its window.
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/dialogs/ArchivioFunzioni.h"
#include "app/dialogs/InsertFun.h"
#include "app/dialogs/MthX.h"
#include "runstate/DatiGlob.h"
#include "tests/dialogs/Banco.h"

namespace qx::test {
namespace {

class FunzioneTest : public Banco {
 protected:
  FunzioneTest() { DatiGlob.CartellaProgramma = cartella.path().toStdString() + "/"; }
  std::string Archivio() const {
    std::ifstream in(PercorsoArchivio(), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void ScriviArchivio(const std::string& dati) const { std::ofstream(PercorsoArchivio(), std::ios::binary) << dati; }
  static void CliccaVoce(QListWidget* lista, int riga) {
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, Qt::NoModifier, lista->visualItemRect(lista->item(riga)).center());
  }
  static QStringList Voci(QListWidget* lista) {
    QStringList r;
    for (int i = 0; i < lista->count(); ++i) r.push_back(lista->item(i)->text());
    return r;
  }
  QTemporaryDir cartella;
};

const std::string kF = "F" + std::string(19, ' ');

TEST_F(FunzioneTest, AnArchiveLineFillsTheNameAndTheFormula) {
  ScriviArchivio(kF + "x^2\r\nG                   sin(x)\r\n");
  QString nome, formula, anteprima;
  bool selezionaPrima = true, selezionaDopo = false;
  QStringList voci;
  utente.Poi([&](QDialog& d) {
    auto& f = static_cast<TDlgInsertFun&>(d);
    Clicca(f.BitBtn1);
    nome = f.dfNome->text();
    formula = f.dfExpr->text();
    anteprima = f.MthX1->Text();
    Clicca(f.OKBtn);
  });
  utente.Poi([&](QDialog& d) {
    auto& a = static_cast<TFRMArchivio&>(d);
    voci = Voci(a.LBExpr);
    selezionaPrima = a.SelezionaBtn->isEnabled();
    CliccaVoce(a.LBExpr, 0);
    selezionaDopo = a.SelezionaBtn->isEnabled();
    Clicca(a.SelezionaBtn);
  });
  std::string riga;
  EXPECT_TRUE(dialoghi->InserisciFunzione("", riga, 1, 'I'));
  EXPECT_EQ(utente.Finestre, (std::vector<QString>{"Immissione di una Funzione", "Funzioni in Archivio"}));
  EXPECT_EQ(voci, (QStringList{QString::fromStdString(kF) + "x^2", "G                   sin(x)"}));
  EXPECT_FALSE(selezionaPrima);
  EXPECT_TRUE(selezionaDopo);
  EXPECT_EQ(nome, QString::fromStdString(kF));
  EXPECT_EQ(formula, "x^2");
  EXPECT_EQ(anteprima, "x^2");
  EXPECT_EQ(riga, kF + "x^2");
  // The list goes back to the file as it was.
  EXPECT_EQ(Archivio(), kF + "x^2\r\nG                   sin(x)\r\n");
}

TEST_F(FunzioneTest, SavingTheSameEntryTwiceKeepsOneLine) {
  // A line that the file holds already is not added again either.
  ScriviArchivio("Retta               2*x+1\r\n");
  utente.Poi([&](QDialog& d) {
    auto& f = static_cast<TDlgInsertFun&>(d);
    Scrivi(f.dfNome, "Quadrato");
    Scrivi(f.dfExpr, "x^2");
    Clicca(f.SalvaBtn);
    Clicca(f.SalvaBtn);
    Scrivi(f.dfNome, "Retta");
    Scrivi(f.dfExpr, "2*x+1");
    Clicca(f.SalvaBtn);
    Scrivi(f.dfNome, "Più€");
    Scrivi(f.dfExpr, "x");
    Clicca(f.SalvaBtn);
    Clicca(f.CancelBtn);
  });
  std::string riga = "invariata";
  EXPECT_FALSE(dialoghi->InserisciFunzione("", riga, 1, 'I'));
  EXPECT_EQ(riga, "invariata");
  EXPECT_EQ(Archivio(), "Retta               2*x+1\r\nQuadrato            x^2\r\nPi\xF9\x80                x\r\n");
  EXPECT_TRUE(Messaggi().empty());
}

TEST_F(FunzioneTest, ACharacterThatTheFileCannotHoldIsWrittenAsAQuestionMark) {
  utente.Poi([&](QDialog& d) {
    auto& f = static_cast<TDlgInsertFun&>(d);
    f.dfNome->setText(QStringLiteral("ψ"));
    Scrivi(f.dfExpr, "x");
    Clicca(f.SalvaBtn);
    Clicca(f.CancelBtn);
  });
  std::string riga;
  dialoghi->InserisciFunzione("", riga, 1, 'I');
  EXPECT_EQ(Archivio(), "?                   x\r\n");
  EXPECT_EQ(Messaggi(), std::vector<std::string>{"Il carattere \"ψ\" della voce ψ non si può scrivere in Archivio.txt: "
                                                 "è stato scritto come \"?\""});
}

TEST_F(FunzioneTest, ThePaletteInsertsAtTheCaret) {
  QString dopoSeno, dopoPiu, dopoParentesi;
  int cursoreSeno = -1, cursorePiu = -1, cursoreParentesi = -1;
  QStringList voci;
  bool fuoco = false;
  utente.Poi([&](QDialog& d) {
    auto& f = static_cast<TDlgInsertFun&>(d);
    voci = Voci(f.lbFunzioni);
    Scrivi(f.dfExpr, "2*");
    CliccaVoce(f.lbFunzioni, voci.indexOf("Sin()"));
    dopoSeno = f.dfExpr->text();
    cursoreSeno = f.dfExpr->cursorPosition();
    fuoco = QApplication::focusWidget() == f.dfExpr;
    QTest::keyClick(f.dfExpr, Qt::Key_X);
    CliccaVoce(f.lbFunzioni, voci.indexOf("+"));
    dopoPiu = f.dfExpr->text();
    cursorePiu = f.dfExpr->cursorPosition();
    f.dfExpr->setCursorPosition(0);
    CliccaVoce(f.lbFunzioni, voci.indexOf("-()"));
    dopoParentesi = f.dfExpr->text();
    cursoreParentesi = f.dfExpr->cursorPosition();
    Clicca(f.CancelBtn);
  });
  std::string riga;
  dialoghi->InserisciFunzione("", riga, 1, 'I');
  ASSERT_EQ(voci.size(), 7 + 27);
  EXPECT_EQ(voci.mid(0, 8), (QStringList{"+", "-", "*", "/", "^", "()", "-()", "Sin()"}));
  EXPECT_EQ(voci.back(), "Int()");
  EXPECT_EQ(dopoSeno, "2*Sin()");
  EXPECT_EQ(cursoreSeno, 6);
  EXPECT_TRUE(fuoco);
  EXPECT_EQ(dopoPiu, "2*Sin(x+)");
  EXPECT_EQ(cursorePiu, 8);
  EXPECT_EQ(dopoParentesi, "-()2*Sin(x+)");
  EXPECT_EQ(cursoreParentesi, 2);
}

TEST_F(FunzioneTest, AWrongFormulaKeepsTheDialogOpen) {
  bool aperto = false;
  QStringList voci;
  utente.Poi([&](QDialog& d) {
    auto& f = static_cast<TDlgInsertFun&>(d);
    Scrivi(f.dfExpr, "x^");
    Clicca(f.OKBtn);
    aperto = f.isVisible();
    Scrivi(f.dfExpr, "x^2");
    QTest::keyClick(f.dfExpr, Qt::Key_Return);
  });
  QString titolo;
  utente.Poi([&](QDialog& d) {
    auto& f = static_cast<TDlgInsertFun&>(d);
    titolo = f.windowTitle();
    voci = Voci(f.lbFunzioni);
    // An expression is numbers and operators only: x is refused.
    Scrivi(f.dfExpr, "x+1");
    Clicca(f.OKBtn);
    Scrivi(f.dfExpr, "(2+3)*4");
    Clicca(f.OKBtn);
  });
  std::string riga;
  EXPECT_TRUE(dialoghi->InserisciFunzione("Scrivi f", riga, 1, 'I'));
  EXPECT_TRUE(aperto);
  EXPECT_EQ(riga, std::string(20, ' ') + "x^2");
  EXPECT_EQ(utente.Finestre.front(), "Scrivi f");
  EXPECT_TRUE(dialoghi->InserisciFunzione("", riga, 3, 'I'));
  EXPECT_EQ(titolo, "Immissione di una Espressione");
  EXPECT_EQ(voci.size(), 7);
  EXPECT_EQ(riga, std::string(20, ' ') + "(2+3)*4");
  ASSERT_EQ(Messaggi().size(), 2u);
  EXPECT_EQ(Messaggi()[0], "Espressione incompleta: x^");
}

TEST_F(FunzioneTest, WithoutAnArchiveTheButtonOpensNothing) {
  utente.Poi([&](QDialog& d) {
    auto& f = static_cast<TDlgInsertFun&>(d);
    Clicca(f.BitBtn1);
    Clicca(f.CancelBtn);
  });
  std::string riga;
  dialoghi->InserisciFunzione("", riga, 1, 'I');
  EXPECT_EQ(utente.Finestre.size(), 1u);
  EXPECT_EQ(utente.SenzaRisposta, 0);
}

TEST_F(FunzioneTest, DeletedEntriesLeaveTheFileWhenTheListCloses) {
  ScriviArchivio("A                   1\r\nB                   2\r\nC                   3");
  QString nome = "?";
  utente.Poi([&](QDialog& d) {
    auto& f = static_cast<TDlgInsertFun&>(d);
    Scrivi(f.dfNome, "Mio");
    Clicca(f.BitBtn1);
    nome = f.dfNome->text();
    Clicca(f.CancelBtn);
  });
  QStringList rimaste;
  utente.Poi([&](QDialog& d) {
    auto& a = static_cast<TFRMArchivio&>(d);
    CliccaVoce(a.LBExpr, 1);
    Clicca(a.EliminaBtn);
    CliccaVoce(a.LBExpr, 1);
    Clicca(a.EliminaBtn);
    rimaste = Voci(a.LBExpr);
    Clicca(a.ChiudiBtn);
  });
  std::string riga;
  dialoghi->InserisciFunzione("", riga, 1, 'I');
  EXPECT_EQ(rimaste, QStringList{"A                   1"});
  EXPECT_EQ(nome, "Mio");
  EXPECT_EQ(Archivio(), "A                   1\r\n");
}

TEST_F(FunzioneTest, ADoubleClickChoosesAnEntry) {
  ScriviArchivio("Corta x\r\n");
  QString nome, formula;
  utente.Poi([&](QDialog& d) {
    auto& f = static_cast<TDlgInsertFun&>(d);
    Clicca(f.BitBtn1);
    nome = f.dfNome->text();
    formula = f.dfExpr->text();
    Clicca(f.CancelBtn);
  });
  utente.Poi([&](QDialog& d) {
    auto& a = static_cast<TFRMArchivio&>(d);
    // A double click: a first click, then the second one.
    CliccaVoce(a.LBExpr, 0);
    QTest::mouseDClick(a.LBExpr->viewport(), Qt::LeftButton, Qt::NoModifier,
                       a.LBExpr->visualItemRect(a.LBExpr->item(0)).center());
  });
  std::string riga;
  dialoghi->InserisciFunzione("", riga, 1, 'I');
  // A line shorter than the name field is all name.
  EXPECT_EQ(nome, "Corta x");
  EXPECT_EQ(formula, "");
}

TEST_F(FunzioneTest, TheListOpensWithNothingChosenAndTheButtonsFollowWhatLooksChosen) {
  ScriviArchivio("A                   1\r\nB                   2\r\n");
  utente.Poi([&](QDialog& d) {
    auto& f = static_cast<TDlgInsertFun&>(d);
    Clicca(f.BitBtn1);
    Clicca(f.CancelBtn);
  });
  // What a row looks like, right of its text: the list's ground or the chosen entry's (the
  // style shades it a little), as the name of the colour it is nearest to.
  QColor base, evidenza;
  const auto Sfondo = [&](QListWidget* lista, int riga) -> std::string {
    const QRect r = lista->visualItemRect(lista->item(riga));
    const QColor c = lista->viewport()->grab().toImage().pixelColor(r.right() - 4, r.center().y());
    const auto vicino = [&](const QColor& d) {
      return std::abs(c.red() - d.red()) <= 8 && std::abs(c.green() - d.green()) <= 8 &&
             std::abs(c.blue() - d.blue()) <= 8;
    };
    return vicino(base) ? "base" : vicino(evidenza) ? "evidenza" : c.name().toStdString();
  };
  std::string primaAllApertura, secondaAllApertura, primaConFreccia, primaDopoElimina;
  int correnteAllApertura = 0, correnteDopoElimina = 0;
  bool pulsantiAllApertura = true, pulsantiConFreccia = false, pulsantiDopoElimina = true, fuoco = false;
  utente.Poi([&](QDialog& d) {
    auto& a = static_cast<TFRMArchivio&>(d);
    base = a.LBExpr->palette().color(QPalette::Base);
    evidenza = a.LBExpr->palette().color(QPalette::Highlight);
    fuoco = a.LBExpr->hasFocus();
    correnteAllApertura = a.LBExpr->currentRow();
    pulsantiAllApertura = a.SelezionaBtn->isEnabled() || a.EliminaBtn->isEnabled();
    primaAllApertura = Sfondo(a.LBExpr, 0);
    secondaAllApertura = Sfondo(a.LBExpr, 1);
    // The arrow key chooses as a click does.
    QTest::keyClick(a.LBExpr, Qt::Key_Down);
    pulsantiConFreccia = a.SelezionaBtn->isEnabled() && a.EliminaBtn->isEnabled();
    primaConFreccia = Sfondo(a.LBExpr, 0);
    Clicca(a.EliminaBtn);
    correnteDopoElimina = a.LBExpr->currentRow();
    pulsantiDopoElimina = a.SelezionaBtn->isEnabled() || a.EliminaBtn->isEnabled();
    primaDopoElimina = Sfondo(a.LBExpr, 0);
    Clicca(a.ChiudiBtn);
  });
  std::string riga;
  dialoghi->InserisciFunzione("", riga, 1, 'I');
  EXPECT_TRUE(fuoco);
  EXPECT_EQ(correnteAllApertura, -1);
  EXPECT_FALSE(pulsantiAllApertura);
  EXPECT_EQ(primaAllApertura, "base");
  EXPECT_EQ(secondaAllApertura, "base");
  EXPECT_TRUE(pulsantiConFreccia);
  EXPECT_EQ(primaConFreccia, "evidenza");
  EXPECT_EQ(correnteDopoElimina, -1);
  EXPECT_FALSE(pulsantiDopoElimina);
  EXPECT_EQ(primaDopoElimina, "base");
  EXPECT_EQ(Archivio(), "B                   2\r\n");
}

TEST(RigaArchivio, NamesArePaddedAndLongOnesKeptWhole) {
  EXPECT_EQ(RigaArchivio("F", "x"), QString::fromStdString(kF) + "x");
  EXPECT_EQ(RigaArchivio("12345678901234567890", "y"), "12345678901234567890y");
  QString nome, formula;
  DividiRigaArchivio("12345678901234567890y+1", nome, formula);
  EXPECT_EQ(nome, "12345678901234567890");
  EXPECT_EQ(formula, "y+1");
}

}  // namespace
}  // namespace qx::test
