// What the window shows during a run that never pauses: the object list and the picture
// brought up to date at the run's message pumps, in fast run as in normal run, and the list
// at the end the one of a run that nobody watched.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QTest>
#include <algorithm>
#include <string>
#include <vector>

#include "app/PaintBoxQt.h"
#include "app/ServiziFinestra.h"
#include "runstate/DatiGlob.h"
#include "tests/app/Supporto.h"
#include "values/Variabili.h"

namespace qx::test {
namespace {

// The list's items as they stand, without bringing them up to date first.
std::vector<std::string> VociComeSono(Tfrm3& f) {
  std::vector<std::string> voci;
  for (int i = 0; i < f.lbOggetti->Items.Count(); ++i) voci.push_back(f.lbOggetti->Items[i].toStdString());
  return voci;
}

long double Contatore() {
  const cVariabile* k = DatiGlob.ListaVariabili ? DatiGlob.ListaVariabili->Cerca("K") : nullptr;
  return k ? static_cast<const cValoreReale*>(k->GetValore())->Value : 0.0L;
}

// Runs an endless loop that makes a point, and at the first message pump after the point
// exists that brings the view up to date (the pumps refresh it at their throttle, which a slow
// build may stretch past the next pump) reads the list as it stands, tells whether the picture
// was up to date, and stops the run.
std::vector<std::string> ListaAllaPompa(Tfrm3& f, bool veloce, bool& immagineAggiornata) {
  if (f.cbEsecuzioneVeloce->isChecked() != veloce) QTest::mouseClick(f.cbEsecuzioneVeloce, Qt::LeftButton);
  EXPECT_EQ(DatiGlob.bEsecuzioneVeloce, veloce);
  ImpostaTestoEditor(*f.MemoSource, "K = 0;\nESEGUI FINQUANDO (VERO);\n  K = K + 1;\n  P = PUNTO(K MOD 10, 1);\nFINE;");
  std::vector<std::string> viste;
  bool inEsecuzione = false;
  const std::uint64_t pompePrima = f.Servizi().Pompaggi;
  Quando guarda([&] { return Contatore() >= 1 && f.Servizi().PompaConVista == f.Servizi().Pompaggi; },
                [&] {
                  inEsecuzione = f.EsecuzioneInCorso();
                  viste = VociComeSono(f);
                  // Made now, the picture would be the same: the pump has made it.
                  const QImage comeSta = f.pbRifCart->Immagine().Image().copy();
                  immagineAggiornata = comeSta == f.ImmagineRifCart();
                  Clicca(f, f.tbtTerminaEsecuzione);
                });
  // Should the list never follow, the run still ends.
  Quando limite([] { return Contatore() > 1e6; }, [&] { Clicca(f, f.tbtTerminaEsecuzione); });
  Clicca(f, f.Esegui1);
  EXPECT_TRUE(guarda.Eseguita());
  EXPECT_TRUE(inEsecuzione);
  EXPECT_GT(f.Servizi().Pompaggi, pompePrima);
  return viste;
}

TEST(VistaDuranteEsecuzione, LaListaSegueUnCicloSenzaPauseAlleSuePompe) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  const std::vector<std::string> attese = {"<b><c:Blue>Numero </b><c:WindowText>K",
                                           "<b><c:Blue>Punto </b><c:WindowText>P"};
  for (const bool veloce : {true, false}) {
    SCOPED_TRACE(veloce ? "fast run" : "normal run");
    bool immagineAggiornata = false;
    std::vector<std::string> viste = ListaAllaPompa(f, veloce, immagineAggiornata);
    EXPECT_TRUE(immagineAggiornata);
    // The captions carry the values too; the names are what is pinned here.
    ASSERT_EQ(viste.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) EXPECT_EQ(viste[i].rfind(attese[i], 0), 0u) << viste[i];
    // After the run the list is the one a run that nobody watched leaves.
    EXPECT_EQ(VociLista(f).size(), 2u);
  }
}

}  // namespace
}  // namespace qx::test
