#include <gtest/gtest.h>

#include "runstate/DatiGlob.h"
#include "runstate/Modelli.h"
#include "runstate/ParoleChiave.h"
#include "runstate/WindowServices.h"
#include "tests/support/ScriptedWindow.h"

namespace qx {
namespace {

class RunStateTest : public ::testing::Test {
 protected:
  void SetUp() override { ReimpostaDatiGlob(); }
};

TEST_F(RunStateTest, ColourNumbers) {
  EXPECT_EQ(IndiceAColore(0), 0x000000);
  EXPECT_EQ(IndiceAColore(1), RGBColor(0x80, 0, 0));
  EXPECT_EQ(IndiceAColore(9), RGBColor(0xFF, 0, 0));
  EXPECT_EQ(IndiceAColore(12), RGBColor(0, 0, 0xFF));
  EXPECT_EQ(IndiceAColore(14), RGBColor(0, 0xFF, 0xFF));
  EXPECT_EQ(IndiceAColore(15), RGBColor(0xFF, 0xFF, 0xFF));
  EXPECT_EQ(IndiceAColore(16), clBlack);
  EXPECT_EQ(IndiceAColore(-1), clBlack);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(ColoreAIndice(IndiceAColore(i)), i);
  EXPECT_EQ(ColoreAIndice(RGBColor(1, 2, 3)), 16);
}

TEST_F(RunStateTest, StyleNumbers) {
  EXPECT_EQ(NumeroAStilePenna(1), psSolid);
  EXPECT_EQ(NumeroAStilePenna(2), psDash);
  EXPECT_EQ(NumeroAStilePenna(3), psDashDotDot);
  EXPECT_EQ(NumeroAStilePenna(4), psDashDot);
  EXPECT_EQ(NumeroAStilePenna(5), psDot);
  EXPECT_EQ(NumeroAStilePenna(6), psClear);
  EXPECT_EQ(NumeroAStilePenna(0), psSolid);
  EXPECT_EQ(NumeroAStilePenna(7), psSolid);
  EXPECT_EQ(NumeroAStileRiempimento(1), bsSolid);
  EXPECT_EQ(NumeroAStileRiempimento(2), bsClear);
  EXPECT_EQ(NumeroAStileRiempimento(5), bsFDiagonal);
  EXPECT_EQ(NumeroAStileRiempimento(8), bsDiagCross);
  EXPECT_EQ(NumeroAStileRiempimento(9), bsSolid);
  EXPECT_EQ(NumeroAStileRiempimento(0), bsSolid);
}

TEST_F(RunStateTest, CharacterClassesAndTrim) {
  EXPECT_TRUE(IsLettera(U'q'));
  EXPECT_FALSE(IsLettera(U'è'));
  EXPECT_FALSE(IsLettera(U'_'));
  EXPECT_TRUE(IsAlfanumerico(U'7'));
  EXPECT_EQ(TrimSinistro(std::string("   ")), "");
  EXPECT_EQ(TrimSinistro(std::string(" a ")), "a ");
  EXPECT_EQ(TrimSinistro(std::string("\ta")), "\ta") << "tabs stay";
}

TEST_F(RunStateTest, KeywordsAndComposedMessages) {
  const TParoleChiave& k = ParoleChiave;
  EXPECT_EQ(k.PUNTO_E_VIRGOLA, ";");
  EXPECT_EQ(k.NUMERO_A_CASO, "NUMERO_A_CASO");
  EXPECT_EQ(k.TOGLI, "TOGLI");
  EXPECT_EQ(k.msgPuntoVirgolaFine, "Si aspetta \";\" per \"FINE\"");
  EXPECT_EQ(k.msgPuntoVirgolaFinquando, "Si aspetta \";\" per \"ESEGUI FINQUANDO\"");
  EXPECT_EQ(k.msgPuntoVirgolaOFinquando, "Si aspetta \";\" o \"FINQUANDO\"");
  EXPECT_EQ(k.msgLegginumStringa, "\"LEGGINUM\" può avere solo una stringa come parametro");
  EXPECT_EQ(k.msgNonConfrontabili, "I valori non sono confrontabili perchè di tipo diverso");
  EXPECT_EQ(k.msgOperatoreO, "E' possibile usare l'operatore logico \"O\" solo per valori logici");
  EXPECT_EQ(k.prmPenna, "PENNA: Premi e muovi la penna per scrivere e poi clicca sul pulsante \"Termina Penna\"");
  ASSERT_EQ(k.ModelliStrutture.size(), 24u);
  EXPECT_EQ(k.ModelliStrutture[0], "SE (condizione) ALLORA");
  EXPECT_EQ(k.ModelliStrutture[1], "   <istruzione>;");
  EXPECT_EQ(k.ModelliStrutture[16], "PER (<variabile> DA <numero> A <numero>) ESEGUI;");
  EXPECT_EQ(k.ModelliStrutture[19], "");
  EXPECT_EQ(k.ModelliStrutture[20], "RIPETI <numero> VOLTE;");
  EXPECT_EQ(k.ModelliStrutture[23], "");
}

TEST_F(RunStateTest, StartUpDefaults) {
  const TDatiGlob& g = DatiGlob;
  EXPECT_TRUE(g.bImmediato);
  EXPECT_TRUE(g.bEvidenziaRiga);
  EXPECT_FALSE(g.bEsecuzioneVeloce);
  EXPECT_FLOAT_EQ(g.Alfa3D, 0.9f);
  EXPECT_EQ(g.CarattereCorrente.Color, clBlue);
  EXPECT_EQ(g.CarattereCorrente.Name, "MS Sans Serif");
  EXPECT_EQ(g.CarattereCorrente.Size, 10);
  EXPECT_EQ(g.UltimaRigaMostrata, -1);
  ASSERT_FALSE(g.CartellaProgramma.empty());
  EXPECT_EQ(g.CartellaProgramma.back(), '/');
  EXPECT_NE(g.CartellaProgramma.substr(g.CartellaProgramma.size() - 2), "//");
}

TEST_F(RunStateTest, TemplateListsAreSortedWithoutCase) {
  const auto& l = DatiGlob.ListeModelli;
  const std::size_t attese[NUM_LISTE_MODELLI] = {11, 85, 9, 26, 25, 12, 16, 15, 13};
  for (int i = 0; i < NUM_LISTE_MODELLI; ++i) EXPECT_EQ(l[i].size(), attese[i]) << "list " << i;
  EXPECT_EQ(l[cmGenerali].front(), "Apri_Archivio(stringa_nome)");
  EXPECT_EQ(l[cmGenerali].back(), "Traccia(SI_NO)");
  EXPECT_EQ(l[cmGeometria].front(), "<angolo>.Lato(numero_lato)");
  EXPECT_EQ(l[cmGeometria].back(), "Triangolo_rettangolo(segmento_cateto, misura_cateto)");
  EXPECT_EQ(l[cmFrazioniEspressioni].front(), "<frazione>.Den");
  EXPECT_EQ(l[cmFrazioniEspressioni].back(), "StampaFraz(frazione, stringa_commento)");
  EXPECT_EQ(l[cmFunzioniPiano].front(), "<retta>.CoeffAng");
  EXPECT_EQ(l[cmFunzioniPiano].back(), "Vettore_Funz(numero_elementi)");
  EXPECT_EQ(l[cmStatistica].front(), "<tabella_de>.ColFreqMarg");
  EXPECT_EQ(l[cmStatistica].back(), "Varianza(vettore_numerico)");
  EXPECT_EQ(l[cmMatriciVettori].front(), "Autovalori(matrice, numero_eps)");
  EXPECT_EQ(l[cmMatriciVettori].back(), "Vettore_Str(numero_elementi)");
  EXPECT_EQ(l[cmFunzioniNumeriche].front(), "Binomiale(numero_n, numero_k)");
  EXPECT_EQ(l[cmFunzioniNumeriche].back(), "ValoreAss(numero)");
  EXPECT_EQ(l[cmSpazio].front(), "Cilindro(punto3D_base, numero_raggiodibase, numero_altezza)");
  EXPECT_EQ(l[cmSpazio].back(), "Sfera(punto3D_centro, numero_raggio)");
  EXPECT_EQ(l[cmOperatori].front(), "*");
  EXPECT_EQ(l[cmOperatori].back(), "RDIV");
  for (const auto& lista : l)
    for (std::size_t i = 1; i < lista.size(); ++i) EXPECT_FALSE(MinoreSenzaMaiuscole(lista[i], lista[i - 1]));
}

TEST_F(RunStateTest, StopCommandClearsEveryWait) {
  DatiGlob.bAttesaPasso = true;
  DatiGlob.bAttesaScegliVertice = true;
  DatiGlob.bModoPenna = true;
  DatiGlob.CursoreRifCart = crCross;
  TerminaEsecuzione();
  EXPECT_FALSE(DatiGlob.bAttesaPasso);
  EXPECT_FALSE(DatiGlob.bAttesaScegliVertice);
  EXPECT_FALSE(DatiGlob.bModoPenna);
  EXPECT_TRUE(DatiGlob.bContinua);
  EXPECT_TRUE(DatiGlob.bStop && DatiGlob.bFine && DatiGlob.bInterrotto && DatiGlob.bErroreSegnalato);
  EXPECT_EQ(DatiGlob.CursoreRifCart, crDefault);
}

TEST_F(RunStateTest, WaitsRunOnTheFakeClock) {
  test::ScriptedWindow f;
  test::FinestraInstallata installata(f);
  Attendi(0);
  EXPECT_GE(f.Orologio, 1u) << "at least one step even for 0 ms";
  f.Orologio = 0;
  Attendi(250);
  EXPECT_EQ(f.Orologio, 251u) << "returns once more than 250 ms have passed";
}

TEST_F(RunStateTest, DialogsAnswerFromTheQueueAndCancelWhenItRunsOut) {
  test::ScriptedWindow f;
  f.Risposte = {"2.5", "ANNULLA", "ciao", "SI"};
  long double v = 0;
  EXPECT_TRUE(f.LeggiNum("Numero?", v));
  EXPECT_EQ(v, 2.5L);
  EXPECT_FALSE(f.LeggiNum("Numero?", v));
  std::string t;
  EXPECT_TRUE(f.InputBox("LEGGISTR", "Nome?", t));
  EXPECT_EQ(t, "ciao");
  EXPECT_EQ(f.Domanda("DOMANDA", "Continui?"), mrYes);
  EXPECT_TRUE(f.Problemi.empty());
  EXPECT_EQ(f.Domanda("DOMANDA", "Ancora?"), mrCancel);
  EXPECT_EQ(f.Problemi.size(), 1u) << "an unexpected dialog is a fault of the test";
}

}  // namespace
}  // namespace qx
