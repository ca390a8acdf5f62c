// The language's waits answered through the real dialogs, typed into as a pupil would, leave
// the same variables and output as the same program answered by the scripted window (as the
// headless runner answers it from its answers file).
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/dialogs/Dialoghi.h"
#include "app/dialogs/Domanda.h"
#include "app/dialogs/EditFraz.h"
#include "app/dialogs/EditMatr.h"
#include "app/dialogs/EditVett.h"
#include "app/dialogs/InsertFun.h"
#include "app/dialogs/LeggiGrado.h"
#include "app/dialogs/LeggiNum.h"
#include "app/dialogs/MostraFormula.h"
#include "app/dialogs/MthX.h"
#include "controls/Aligrid.h"
#include "tests/dialogs/Banco.h"
#include "tests/support/Esecuzione.h"
#include "values/VettoriMatrici.h"

namespace qx::test {
namespace {

// The scripted window with its dialog services handed to the real dialogs, as the main
// window hands them.
class FinestraDialoghi : public ScriptedWindow {
 public:
  explicit FinestraDialoghi(TDialoghi& d) : d_(d) {}
  bool LeggiNum(const std::string& p, long double& v) override { return d_.LeggiNum(p, v); }
  bool LeggiGrado(const std::string& t, int& g, int& p, long double& s) override { return d_.LeggiGrado(t, g, p, s); }
  int Domanda(const std::string& t, const std::string& q) override { return d_.Domanda(t, q); }
  bool InserisciFunzione(const std::string& t, std::string& r, int k, char m) override {
    return d_.InserisciFunzione(t, r, k, m);
  }
  bool EditaFrazione(const std::string& t, std::string& s, char m) override { return d_.EditaFrazione(t, s, m); }
  void MostraFunzione(const std::string& t, const cValore& f) override { d_.MostraFunzione(t, f); }
  void MostraFrazione(const std::string& t, const cValore& v) override { d_.MostraFrazione(t, v); }
  void EditaVettore(bool s, const std::string& t, cValore& v, const std::string& c) override {
    d_.EditaVettore(s, t, v, c);
  }
  void EditaMatrice(bool s, const std::string& t, cValore& m, const std::string& c) override {
    d_.EditaMatrice(s, t, m, c);
  }

 private:
  TDialoghi& d_;
};

const char* const kProgramma =
    "N = LEGGINUM(\"Quanti lati?\");\n"
    "S = DOMANDA(\"Continuo?\");\n"
    "F = LEGGIFUNZ(\"La funzione\");\n"
    "Q = LEGGIFRAZ(\"Una frazione\");\n"
    "A = LEGGIMISURAANG(\"Angolo\");\n"
    "E = LEGGIESPR;\n"
    "V = VETTORE(2);\n"
    "LEGGIVETT(V, \"Lati\");\n"
    "M = MATRICE(1, 2);\n"
    "LEGGIMATR(M);\n"
    "STAMPAFUNZ(F);\n"
    "STAMPA(N, \" \", V(1) + V(2), \" \", M(1, 2));\n";

TEST(Lingua, EveryDialogWaitGivesWhatTheScriptedAnswersGive) {
  std::vector<std::string> attesi, uscitaAttesa;
  {
    Esecuzione run;
    run.finestra.Risposte = {"32", "SI", "x^2", "3/4", "30 15 7", "2+3"};
    run.finestra.AllaModifica = [](cValore& v) {
      if (auto* vett = dynamic_cast<cVettReale*>(&v)) {
        vett->Vett(1) = 1;
        vett->Vett(2) = 2.5L;
      } else if (auto* m = dynamic_cast<cMatrReale*>(&v)) {
        m->Matr(1, 2) = 1.0L / 3;
      }
    };
    const Esito e = run.Esegui(kProgramma);
    ASSERT_TRUE(e.riuscito) << e.errore;
    attesi = run.Variabili();
    uscitaAttesa = e.output;
    EXPECT_TRUE(run.finestra.Problemi.empty());
  }

  TMessageBoxRecorder scatole;
  TDialoghi dialoghi;
  Utente utente;
  utente.Poi([](QDialog& d) {
    auto& f = static_cast<TfrmLeggiNum&>(d);
    Scrivi(f.Edit1, "2^5");
    Clicca(f.BitBtn1);
  });
  utente.Poi([](QDialog& d) { Clicca(static_cast<TdlgDomanda&>(d).Button1); });
  utente.Poi([](QDialog& d) {
    auto& f = static_cast<TDlgInsertFun&>(d);
    Scrivi(f.dfExpr, "x^2");
    Clicca(f.OKBtn);
  });
  utente.Poi([](QDialog& d) {
    auto& f = static_cast<TdlgEditFraz&>(d);
    Scrivi(f.ed1, "3");
    Scrivi(f.ed2, "4");
    Clicca(f.OKBtn);
  });
  utente.Poi([](QDialog& d) {
    auto& g = static_cast<TdlgLeggiGrado&>(d);
    Scrivi(g.edG, "30");
    Scrivi(g.edP, "15");
    Scrivi(g.edS, "7");
    Clicca(g.OKBtn);
  });
  utente.Poi([](QDialog& d) {
    auto& f = static_cast<TDlgInsertFun&>(d);
    Scrivi(f.dfExpr, "2+3");
    QTest::keyClick(f.dfExpr, Qt::Key_Return);
  });
  utente.Poi([](QDialog& d) {
    auto& v = static_cast<TDlgEditVett&>(d);
    ScriviCella(*v.sGrid, 1, 0, "1");
    ScriviCella(*v.sGrid, 1, 1, "2.5");
    Clicca(v.OKBtn);
  });
  utente.Poi([](QDialog& d) {
    auto& m = static_cast<TDlgEditMatr&>(d);
    ScriviCella(*m.sGrid, 2, 1, "1/3");
    Clicca(m.OKBtn);
  });
  QString formula;
  utente.Poi([&](QDialog& d) {
    auto& s = static_cast<TdlgShowFun&>(d);
    formula = s.MthX1->Text();
    Clicca(s.OKBtn);
  });

  Esecuzione run;
  FinestraDialoghi finestra(dialoghi);
  ImpostaFinestra(&finestra);
  const Esito e = run.Esegui(kProgramma);
  ImpostaFinestra(&run.finestra);
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(run.Variabili(), attesi);
  EXPECT_EQ(finestra.Output, uscitaAttesa);
  EXPECT_EQ(formula, "(x^2)");
  EXPECT_EQ(utente.Finestre, (std::vector<QString>{"LeggiNum", "DOMANDA", "La funzione", "Una frazione", "Angolo",
                                                   "Immissione di una Espressione", "Vettore V", "Matrice M",
                                                   "Funzione"}));
  EXPECT_TRUE(utente.Finito());
  EXPECT_EQ(utente.SenzaRisposta, 0);
  EXPECT_TRUE(finestra.Messaggi.empty());
  EXPECT_TRUE(scatole.Requests.empty());
}

TEST(Lingua, CancellingADialogStopsTheRunQuietly) {
  TMessageBoxRecorder scatole;
  TDialoghi dialoghi;
  Utente utente;
  utente.Poi([](QDialog& d) { Clicca(static_cast<TfrmLeggiNum&>(d).BitBtn2); });
  Esecuzione run;
  FinestraDialoghi finestra(dialoghi);
  ImpostaFinestra(&finestra);
  const Esito e = run.Esegui("N = LEGGINUM(\"?\");\nSTAMPA(\"dopo\");\n");
  ImpostaFinestra(&run.finestra);
  EXPECT_FALSE(e.riuscito);
  EXPECT_EQ(e.errore, "");
  EXPECT_TRUE(finestra.Output.empty());
  EXPECT_EQ(run.Valore("N"), nullptr);
}

}  // namespace
}  // namespace qx::test
