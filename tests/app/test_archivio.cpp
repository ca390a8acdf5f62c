// The table browser of the archive statements, driven as a pupil drives it: a table made by
// CREA_ARCHIVIO, filled in the grid from the keyboard, ordered, searched, edited, and
// opened again. The message boxes are recorded and answered through the boxes' factory.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <filesystem>
#include <functional>
#include <utility>

#include "app/dialogs/EditArchivio.h"
#include "controls/ZfMessageBox.h"
#include "platform/dbf/TabellaDbf.h"
#include "runstate/DatiGlob.h"
#include "tests/app/SupportoFile.h"

namespace qx::test {
namespace {

class Archivio : public ::testing::Test {
 protected:
  FinestraAperta finestra;
  CartellaProgramma cartella;
  TMessageBoxRecorder scatole;

  Tfrm3& f() { return finestra.f(); }
  std::string Tabella() const { return cartella.Percorso("ARC/RUBRICA.dbf"); }

  void Esegui(const std::string& programma) {
    ImpostaTestoEditor(*f().MemoSource, programma);
    Clicca(f(), f().Esegui1);
  }

  // Runs `istruzione` (APRI_ARCHIVIO of the table when empty) and plays `utente` in the
  // browser; true when it showed.
  bool NelBrowser(const std::function<void(TdlgEditArchivio&)>& utente, const std::string& nome = "RUBRICA",
                  const std::string& istruzione = "") {
    bool mostrato = false;
    // The browser is made once and reused: it is recognised each time it is up.
    Quando aperto([] { return dynamic_cast<TdlgEditArchivio*>(QApplication::activeModalWidget()) != nullptr; },
                  [&] {
                    auto& a = dynamic_cast<TdlgEditArchivio&>(*QApplication::activeModalWidget());
                    mostrato = true;
                    Attiva(a);
                    a.DBGrid1->setFocus();
                    utente(a);
                    if (a.isVisible()) QTest::mouseClick(a.OKBtn, Qt::LeftButton);
                  });
    Esegui(istruzione.empty() ? "APRI_ARCHIVIO(\"" + nome + "\");" : istruzione);
    return mostrato;
  }

  // A row typed as a pupil types it: the name, Tab, the age, Enter.
  static void Riga(const QString& nome, const QString& eta) {
    DigitaNelFuoco(nome);
    TastoNelFuoco(Qt::Key_Tab);
    DigitaNelFuoco(eta);
    TastoNelFuoco(Qt::Key_Return);
  }

  static QString Cella(TdlgEditArchivio& a, int riga, int campo) {
    return a.DBGrid1->model()->index(riga, campo).data().toString();
  }
  static QStringList Colonna(TdlgEditArchivio& a, int campo) {
    QStringList r;
    for (int i = 0; i < a.DBGrid1->model()->rowCount(); ++i) r << Cella(a, i, campo);
    return r;
  }
  static void Scegli(QComboBox* combo, int indice) {
    combo->setFocus();
    for (int i = 0; i < combo->count() && combo->currentIndex() < indice; ++i) QTest::keyClick(combo, Qt::Key_Down);
  }
  static void Clicca(TdlgEditArchivio& a, int riga, int campo) {
    const QRect r = a.DBGrid1->visualRect(a.DBGrid1->model()->index(riga, campo));
    QTest::mouseClick(a.DBGrid1->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
  }
  void Clicca(Tfrm3& finestra, QAction* azione) { test::Clicca(finestra, azione); }

  // The table as the file holds it, in the file's order: "NOME ETA" per row.
  std::vector<std::string> NelFile(const std::string& percorso = "") {
    dbf::TTabella t;
    std::string errore;
    if (!t.Apri(percorso.empty() ? Tabella() : percorso, errore)) return {errore};
    std::vector<std::string> r;
    for (int i = 0; i < t.Righe(); ++i) r.push_back(t.Testo(i, 0) + " " + t.Testo(i, 1));
    return r;
  }

  void CreaERiempi() {
    const std::size_t prima = scatole.Requests.size();
    Esegui("CREA_ARCHIVIO(\"RUBRICA\", \"NOME\", TESTO, 20, \"ETA\", NUMERO);");
    ASSERT_EQ(scatole.Requests.size(), prima + 1);
    EXPECT_EQ(scatole.Requests[prima].Text, "L'archivio è stato creato, utilizza il comando APRI_ARCHIVIO per aprirlo.");
    ASSERT_TRUE(std::filesystem::exists(Tabella()));
    ASSERT_TRUE(NelBrowser([](TdlgEditArchivio& a) {
      EXPECT_EQ(a.windowTitle(), "Archivio RUBRICA");
      EXPECT_EQ(a.DBGrid1->model()->headerData(0, Qt::Horizontal).toString(), "NOME");
      EXPECT_EQ(a.DBGrid1->model()->headerData(1, Qt::Horizontal).toString(), "ETA");
      // An empty table waits for its first record.
      EXPECT_EQ(a.DBGrid1->model()->rowCount(), 1);
      Riga("Rossi", "30");
      TastoNelFuoco(Qt::Key_Down);
      TastoNelFuoco(Qt::Key_Left);
      Riga("Bianchi", "12");
      TastoNelFuoco(Qt::Key_Down);
      TastoNelFuoco(Qt::Key_Left);
      Riga("Verdi", "45");
      EXPECT_EQ(Colonna(a, 0), (QStringList{"Rossi", "Bianchi", "Verdi"}));
    }));
    ASSERT_EQ(NelFile(), (std::vector<std::string>{"Rossi 30", "Bianchi 12", "Verdi 45"}));
  }
};

TEST_F(Archivio, SiOrdinaPerEtaSenzaToccareIlFileESiCercaPerPrefisso) {
  CreaERiempi();
  const std::string prima = LeggiFile(Tabella());
  ASSERT_TRUE(NelBrowser([](TdlgEditArchivio& a) {
    EXPECT_EQ(a.cmbOrdina->count(), 2);
    EXPECT_EQ(a.cmbOrdina->itemText(1), "ETA");
    EXPECT_EQ(a.cmbTrova->itemText(0), "NOME");
    Scegli(a.cmbOrdina, 1);
    EXPECT_EQ(Colonna(a, 1), (QStringList{"12", "30", "45"}));
    EXPECT_EQ(Colonna(a, 0), (QStringList{"Bianchi", "Rossi", "Verdi"}));
    EXPECT_EQ(a.RigaCorrente(), 0);

    // A field that is not the order's: the first row that begins with the text.
    QTest::keyClicks(a.edTrova, "Ros");
    Scegli(a.cmbTrova, 0);
    QTest::mouseClick(a.BitBtn2, Qt::LeftButton);
    EXPECT_EQ(Cella(a, a.RigaCorrente(), 0), "Rossi");
    EXPECT_EQ(a.CampoCorrente(), 0);
    // Upper and lower case differ: nothing found, nothing moves.
    Clicca(a, 2, 0);
    a.edTrova->clear();
    QTest::keyClicks(a.edTrova, "ros");
    QTest::mouseClick(a.BitBtn2, Qt::LeftButton);
    EXPECT_EQ(a.RigaCorrente(), 2);
    // The order's field: the nearest key at or after the text.
    a.edTrova->clear();
    QTest::keyClicks(a.edTrova, "20");
    Scegli(a.cmbTrova, 1);
    QTest::mouseClick(a.BitBtn2, Qt::LeftButton);
    EXPECT_EQ(Cella(a, a.RigaCorrente(), 0), "Rossi");
    // Without a text or a field Trova does nothing.
    a.edTrova->clear();
    Clicca(a, 0, 0);
    QTest::mouseClick(a.BitBtn2, Qt::LeftButton);
    EXPECT_EQ(a.RigaCorrente(), 0);
  }));
  EXPECT_EQ(LeggiFile(Tabella()), prima);
  EXPECT_TRUE(scatole.Requests.size() == 1u) << scatole.Requests.back().Text.toStdString();
  // The browser is reused: a word looked for in one opening is gone at the next.
  ASSERT_TRUE(NelBrowser([](TdlgEditArchivio& a) { QTest::keyClicks(a.edTrova, "Ros"); }));
  ASSERT_TRUE(NelBrowser([](TdlgEditArchivio& a) { EXPECT_EQ(a.edTrova->text(), ""); }));
}

TEST_F(Archivio, UnaModificaRestaDopoLaChiusura) {
  CreaERiempi();
  ASSERT_TRUE(NelBrowser([](TdlgEditArchivio& a) {
    // Reopened in the file's order, with no order chosen.
    EXPECT_EQ(a.cmbOrdina->currentIndex(), -1);
    EXPECT_EQ(Colonna(a, 0), (QStringList{"Rossi", "Bianchi", "Verdi"}));
    Clicca(a, 2, 1);
    DigitaNelFuoco("50");
    TastoNelFuoco(Qt::Key_Return);
    EXPECT_EQ(Cella(a, 2, 1), "50");
    // Ordered by age, a changed age moves its row, and the current cell goes with it.
    Scegli(a.cmbOrdina, 1);
    Clicca(a, 0, 1);
    ASSERT_EQ(Cella(a, 0, 0), "Bianchi");
    DigitaNelFuoco("99");
    TastoNelFuoco(Qt::Key_Return);
    EXPECT_EQ(Colonna(a, 0), (QStringList{"Rossi", "Verdi", "Bianchi"}));
    EXPECT_EQ(a.RigaCorrente(), 2);
  }));
  EXPECT_EQ(NelFile(), (std::vector<std::string>{"Rossi 30", "Bianchi 99", "Verdi 50"}));
  // CREA_ARCHIVIO on the table, answered Yes, opens it as it is.
  scatole.Answers = {IDYES};
  ASSERT_TRUE(NelBrowser([](TdlgEditArchivio& a) { EXPECT_EQ(Colonna(a, 1), (QStringList{"30", "99", "50"})); },
                         "RUBRICA", "CREA_ARCHIVIO(\"RUBRICA\", \"NOME\", TESTO, 20, \"ETA\", NUMERO);"));
  EXPECT_EQ(scatole.Requests.back().Text.toStdString(),
            "L'archivio RUBRICA esiste già, premi [OK] se lo vuoi aprire, premi [NO] se lo vuoi azzerare e ricreare");
}

TEST_F(Archivio, UnValoreSbagliatoLoDiceENonScriveNulla) {
  CreaERiempi();
  const std::string prima = LeggiFile(Tabella());
  ASSERT_TRUE(NelBrowser([this](TdlgEditArchivio& a) {
    Clicca(a, 0, 1);
    DigitaNelFuoco("tanti");
    TastoNelFuoco(Qt::Key_Return);
    QCoreApplication::processEvents();
    ASSERT_EQ(scatole.Requests.size(), 2u);
    EXPECT_EQ(scatole.Requests[1].Text, "Il campo ETA vuole un numero");
    EXPECT_EQ(scatole.Requests[1].Caption, "Errore");
    EXPECT_EQ(Cella(a, 0, 1), "30");
    // The text stays in the cell until the pupil gives it up.
    TastoNelFuoco(Qt::Key_Escape);
    // A name longer than its field.
    Clicca(a, 0, 0);
    DigitaNelFuoco("Abcdefghijklmnopqrstuvwxyz");
    TastoNelFuoco(Qt::Key_Return);
    QCoreApplication::processEvents();
    ASSERT_EQ(scatole.Requests.size(), 3u);
    EXPECT_EQ(scatole.Requests[2].Text, "Il testo è troppo lungo per il campo NOME (al massimo 20 caratteri)");
    TastoNelFuoco(Qt::Key_Escape);
    // A new row left empty never reaches the file.
    Clicca(a, 2, 0);
    TastoNelFuoco(Qt::Key_Down);
    EXPECT_EQ(a.DBGrid1->model()->rowCount(), 4);
    TastoNelFuoco(Qt::Key_Up);
    QCoreApplication::processEvents();
    EXPECT_EQ(a.DBGrid1->model()->rowCount(), 3);
  }));
  EXPECT_EQ(LeggiFile(Tabella()), prima);
}

// While it lives the boxes are the application's own, modal over the browser: they take the
// focus from the cell being edited as they do for the pupil.
struct ScatoleVere {
  TMessageBoxFactory prima = SetMessageBoxFactory({});
  ~ScatoleVere() { SetMessageBoxFactory(prima); }
};

TEST_F(Archivio, UnValoreCheNonEntraRestaNellaCellaFinchéNonLoSiAccorcia) {
  Esegui("CREA_ARCHIVIO(\"CLASSE\", \"COGNOME\", TESTO, 20, \"ETA\", NUMERO);");
  const std::string file = cartella.Percorso("ARC/CLASSE.dbf");
  std::string nelFile = LeggiFile(file);
  RispondiModali browser;
  browser.Aggiungi([&](QDialog& d) {
    auto& a = dynamic_cast<TdlgEditArchivio&>(d);
    ScatoleVere vere;
    RispondiModali risposte;
    Attiva(a);
    a.DBGrid1->setFocus();
    using Uscita = std::function<void()>;
    const Uscita tab = [] { TastoNelFuoco(Qt::Key_Tab); }, invio = [] { TastoNelFuoco(Qt::Key_Return); },
                 su = [] { TastoNelFuoco(Qt::Key_Up); }, trova = [&] { QTest::mouseClick(a.BitBtn2, Qt::LeftButton); },
                 ordina = [&] { Scegli(a.cmbOrdina, 1); }, chiudi = [&] { QTest::mouseClick(a.OKBtn, Qt::LeftButton); },
                 croce = [&] { a.close(); };
    // As a hand clicks: the box comes at the press, and the hand comes up, a pixel further,
    // before it answers the box.
    bool giu = false;
    const Uscita chiudiAMano = [&] {
      QTest::mousePress(a.OKBtn, Qt::LeftButton);
      giu = true;
    };
    // Each way out of the cell gives the box once, and leaves the whole text in the cell's
    // editor, with the focus, the cell current and the file as it was.
    auto Resta = [&](const QString& testo, int riga, int campo, const QString& messaggio,
                     const std::vector<Uscita>& uscite) {
      for (std::size_t k = 0; k < uscite.size(); ++k) {
        const std::size_t visti = risposte.Visti.size();
        risposte.Aggiungi([&](QDialog& box) {
          if (std::exchange(giu, false))
            QTest::mouseRelease(a.OKBtn, Qt::LeftButton, {}, a.OKBtn->rect().center() + QPoint(1, 0));
          dynamic_cast<QMessageBox&>(box).button(QMessageBox::Ok)->click();
        });
        uscite[k]();
        QCoreApplication::processEvents();
        Attiva(a);  // the off-screen platform leaves the activation to the program
        ASSERT_EQ(risposte.Visti.size(), visti + 1) << k;
        EXPECT_EQ(risposte.Visti.back().testo, messaggio) << k;
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_TRUE(editor && a.DBGrid1->isAncestorOf(editor)) << k;
        EXPECT_EQ(editor->text(), testo) << k;
        EXPECT_EQ(a.RigaCorrente(), riga) << k;
        EXPECT_EQ(a.CampoCorrente(), campo) << k;
        EXPECT_TRUE(a.isVisible()) << k;
        EXPECT_EQ(LeggiFile(file), nelFile) << k;
      }
    };
    auto Accorcia = [](const QString& testo, Qt::Key tasto) {
      TastoNelFuoco(Qt::Key_A, Qt::ControlModifier);
      DigitaNelFuoco(testo);
      TastoNelFuoco(tasto);
    };

    DigitaNelFuoco("Bianchini Mariangelina Rosa");
    Resta("Bianchini Mariangelina Rosa", 0, 0,
          "Il testo è troppo lungo per il campo COGNOME (al massimo 20 caratteri)",
          {tab, invio, [&] { Clicca(a, 0, 1); }, trova, ordina, chiudi, croce});
    EXPECT_EQ(a.cmbOrdina->currentIndex(), -1);
    // The file is the browser's while it is open: the record is looked for in its bytes.
    Accorcia("Bianchini", Qt::Key_Tab);
    EXPECT_NE(LeggiFile(file).find(" Bianchini" + std::string(11, ' ')), std::string::npos);
    EXPECT_EQ(a.CampoCorrente(), 1);

    nelFile = LeggiFile(file);
    DigitaNelFuoco("12345678901234");
    Resta("12345678901234", 0, 1, "Il numero è troppo grande per il campo ETA",
          {tab, invio, [&] { Clicca(a, 0, 0); }, chiudiAMano});
    Accorcia("12", Qt::Key_Return);
    EXPECT_NE(LeggiFile(file).find(std::string(11, ' ') + "12.000000"), std::string::npos);

    // In a new row, an arrow key; Esc gives the text up, and the empty row goes.
    nelFile = LeggiFile(file);
    TastoNelFuoco(Qt::Key_Down);
    TastoNelFuoco(Qt::Key_Left);
    DigitaNelFuoco("Abcdefghijklmnopqrstuvwxyz");
    Resta("Abcdefghijklmnopqrstuvwxyz", 1, 0,
          "Il testo è troppo lungo per il campo COGNOME (al massimo 20 caratteri)", {su});
    TastoNelFuoco(Qt::Key_Escape);
    TastoNelFuoco(Qt::Key_Up);
    EXPECT_EQ(a.DBGrid1->model()->rowCount(), 1);
    EXPECT_EQ(risposte.SenzaRisposta, 0);
    QTest::mouseClick(a.OKBtn, Qt::LeftButton);
  });
  Esegui("APRI_ARCHIVIO(\"CLASSE\");");
  EXPECT_EQ(browser.Visti.size(), 1u);
  EXPECT_EQ(NelFile(file), (std::vector<std::string>{"Bianchini 12"}));
}

TEST_F(Archivio, CtrlCancCancellaDopoLaConferma) {
  CreaERiempi();
  scatole.Answers = {IDNO, IDYES};
  ASSERT_TRUE(NelBrowser([this](TdlgEditArchivio& a) {
    Clicca(a, 1, 0);
    TastoNelFuoco(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(a.DBGrid1->model()->rowCount(), 3);
    TastoNelFuoco(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(Colonna(a, 0), (QStringList{"Rossi", "Verdi"}));
    ASSERT_EQ(scatole.Requests.size(), 3u);
    EXPECT_EQ(scatole.Requests[2].Text, "Cancellare il record?");
  }));
  EXPECT_EQ(NelFile(), (std::vector<std::string>{"Rossi 30", "Verdi 45"}));
}

TEST_F(Archivio, UnArchivioCheNonSiPuoAprireLoDiceEIlProgrammaProsegue) {
  {
    RispondiModali risposte;
    Esegui("APRI_ARCHIVIO(\"NESSUNO\");\nSTAMPA(\"dopo\");");
    EXPECT_TRUE(risposte.Visti.empty());
  }
  ASSERT_EQ(scatole.Requests.size(), 1u);
  EXPECT_EQ(scatole.Requests[0].Caption, "Errore");
  EXPECT_EQ(scatole.Requests[0].Text, "L'archivio NESSUNO non esiste");
  EXPECT_EQ(f().reoutput->toPlainText(), "> dopo");

  // A table someone else holds, and a file that is no table: their messages, nothing shown.
  CreaERiempi();
  {
    dbf::TTabella altro;
    std::string errore;
    ASSERT_TRUE(altro.Apri(Tabella(), errore)) << errore;
    EXPECT_FALSE(NelBrowser([](TdlgEditArchivio&) {}));
    EXPECT_EQ(scatole.Requests.back().Text, "L'archivio RUBRICA è già in uso");
  }
  ScriviFile(cartella.Percorso("ARC/ROTTO.dbf"), std::string(40, '\x03') + "non è una tabella");
  EXPECT_FALSE(NelBrowser([](TdlgEditArchivio&) {}, "ROTTO"));
  EXPECT_EQ(scatole.Requests.back().Text.toStdString().rfind("L'archivio ROTTO ", 0), 0u)
      << scatole.Requests.back().Text.toStdString();
}

}  // namespace
}  // namespace qx::test
