// The table browser's columns: each opens wide enough for its field, so that a name, a date
// and a number show whole, and a very wide field does not crowd out the others. The
// browser's picture is kept as build/pictures/archivio-colonne.png.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFontMetricsF>
#include <QStyle>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "app/dialogs/EditArchivio.h"
#include "platform/dbf/TabellaDbf.h"
#include "runstate/DatiGlob.h"
#include "tests/dialogs/Banco.h"

namespace qx::test {
namespace {

class ArchivioTest : public Banco {
 protected:
  ArchivioTest() {
    DatiGlob.CartellaProgramma = cartella.path().toStdString() + "/";
    std::filesystem::create_directories(DatiGlob.CartellaProgramma + "ARC");
  }

  // Makes the table with the fields and one record of the texts (none without texts).
  void Crea(const std::string& nome, const std::vector<dbf::TCampo>& campi, const std::vector<std::string>& valori) {
    const std::string percorso = dbf::PercorsoTabella(DatiGlob.CartellaProgramma + "ARC", nome);
    std::string errore;
    ASSERT_TRUE(dbf::CreaTabella(percorso, campi, errore)) << errore;
    if (valori.empty()) return;
    dbf::TTabella t;
    ASSERT_TRUE(t.Apri(percorso, errore)) << errore;
    const int riga = t.Aggiungi(errore);
    ASSERT_GE(riga, 0) << errore;
    for (std::size_t c = 0; c < valori.size(); ++c)
      ASSERT_TRUE(t.Scrivi(riga, static_cast<int>(c), valori[c], errore)) << errore;
  }

  QTemporaryDir cartella;
};

// What a text needs in a column of the grid: its advance in the grid's font, the margins the
// style keeps on each side of a cell's text, and the grid line.
int Necessaria(const QTableView& g, const QString& testo) {
  const int margine = g.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &g) + 1;
  return static_cast<int>(std::ceil(QFontMetricsF(g.font(), g.viewport()).horizontalAdvance(testo))) + 2 * margine + 1;
}

// Types the text into the widget that has the focus (the grid, then the editor it opens).
void Digita(const QString& testo) {
  for (QChar c : testo) QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

TEST_F(ArchivioTest, ANameADateAndANumberShowWholeInTheirColumns) {
  // A table as CREA_ARCHIVIO leaves it: no record yet.
  Crea("PERSONE", {dbf::CampoTesto("NOME", 20), dbf::CampoData("NATO"), dbf::CampoNumero("PESO")}, {});
  TdlgEditArchivio browser;
  const QStringList valori{"Massimiliano Rossini", "12/03/2011", "1234567.25"};
  QStringList celle;
  int aperte[3] = {}, necessarie[3] = {}, inchiostro[3] = {}, libero[3] = {}, dopoOrdine[3] = {};
  utente.Poi([&](QDialog& d) {
    auto& a = static_cast<TdlgEditArchivio&>(d);
    QTableView& g = *a.DBGrid1;
    for (int c = 0; c < 3; ++c) aperte[c] = g.columnWidth(c);
    // The pupil fills the empty row: the name, Tab, the date, Tab, the number.
    g.setFocus();
    Digita(valori[0]);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    Digita(valori[1]);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    Digita(valori[2]);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    const QImage foto = g.viewport()->grab().toImage();
    for (int c = 0; c < 3; ++c) {
      const QModelIndex i = g.model()->index(0, c);
      celle << i.data().toString();
      necessarie[c] = Necessaria(g, celle.back());
      // Inside the current cell's focus frame.
      inchiostro[c] = LarghezzaInchiostro(foto, g.visualRect(i).adjusted(2, 2, -3, -3));
      libero[c] = LarghezzaInchiostroLibero(g.font(), celle.back());
    }
    QDir().mkpath(QStringLiteral(QUORIX_PICTURES));
    d.grab().save(QStringLiteral(QUORIX_PICTURES "/archivio-colonne.png"));
    // Ordering the rows keeps the columns as they are.
    a.cmbOrdina->setFocus();
    QTest::keyClick(a.cmbOrdina, Qt::Key_Down);
    for (int c = 0; c < 3; ++c) dopoOrdine[c] = g.columnWidth(c);
    Clicca(a.OKBtn);
  });
  browser.Apri("Archivio PERSONE", "PERSONE");
  EXPECT_EQ(utente.Finestre, std::vector<QString>{"Archivio PERSONE"});
  EXPECT_EQ(celle, valori);
  for (int c = 0; c < 3; ++c) {
    EXPECT_GE(aperte[c], necessarie[c]) << celle[c].toStdString();
    EXPECT_NEAR(inchiostro[c], libero[c], 1) << celle[c].toStdString();
    EXPECT_EQ(dopoOrdine[c], aperte[c]) << celle[c].toStdString();
  }
  EXPECT_TRUE(Messaggi().empty());
  EXPECT_EQ(utente.Abbandonate, 0);
}

TEST_F(ArchivioTest, AVeryWideFieldOpensAtHalfTheWindow) {
  Crea("NOTE", {dbf::CampoTesto("CODICE", 4), dbf::CampoTesto("TESTO", 254), dbf::CampoNumero("VOTO")},
       {"A1", std::string(200, 'w'), "8"});
  TdlgEditArchivio browser;
  int larghezze[3] = {}, finestra = 0, griglia = 0;
  utente.Poi([&](QDialog& d) {
    auto& a = static_cast<TdlgEditArchivio&>(d);
    for (int c = 0; c < 3; ++c) larghezze[c] = a.DBGrid1->columnWidth(c);
    finestra = d.width();
    griglia = a.DBGrid1->viewport()->width();
    Clicca(a.OKBtn);
  });
  browser.Apri("Archivio NOTE", "NOTE");
  EXPECT_EQ(larghezze[1], finestra / 2);
  // The column after it is still in sight, whole.
  EXPECT_LE(larghezze[0] + larghezze[1] + larghezze[2], griglia);
  EXPECT_GE(larghezze[0], Necessaria(*browser.DBGrid1, "XXXX"));
}

}  // namespace
}  // namespace qx::test
