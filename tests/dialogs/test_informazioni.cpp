// The about box.
#include <QLabel>
#include <QPushButton>

#include "app/dialogs/AboutBox.h"
#include "tests/dialogs/Banco.h"

namespace qx::test {
namespace {

using InformazioniTest = Banco;

TEST_F(InformazioniTest, NameVersionAndPurpose) {
  QString testi;
  utente.Poi([&](QDialog& d) {
    auto& a = static_cast<TAboutBox&>(d);
    testi = a.windowTitle() + "|" + a.ProductName->text() + "|" + a.Version->text() + "|" + a.Label2->text();
    Clicca(a.OKButton);
  });
  dialoghi->Informazioni();
  EXPECT_EQ(testi,
            "About|Quorix|Versione 3.0|Linguaggio di programmazione procedurale orientato all'apprendimento della "
            "matematica");
  EXPECT_TRUE(utente.Finito());
}

}  // namespace
}  // namespace qx::test
