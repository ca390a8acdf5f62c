// The view a lesson shows in the real window: a program that asked for the space ends on it;
// CLICCA and SCEGLIOGGETTO wait in the view where a value can answer them; a dialog that
// opens under the mouse finds nothing hovered, on the plane and in space.
#include <gtest/gtest.h>

#include <QDialog>
#include <QLabel>
#include <QTest>
#include <cmath>

#include "app/PrelieviCanvas.h"
#include "runstate/DatiGlob.h"
#include "solid/Valore3D.h"
#include "tests/app/Supporto.h"
#include "values/figure/ValorePunto.h"

namespace qx::test {
namespace {

std::string QualeVista(Tfrm3& f) {
  if (f.pnlRifCart->isVisible() && !f.pnlRifCart3D->isVisible() && !f.tbSpazio->isChecked()) return "piano";
  if (f.pnlRifCart3D->isVisible() && !f.pnlRifCart->isVisible() && f.tbSpazio->isChecked()) return "spazio";
  return "altro";
}

// The view shown when the program first waits for the mouse; the run is stopped there.
std::string VistaDellAttesa(Tfrm3& f, const std::string& programma) {
  std::string vista = "nessuna attesa";
  Quando ferma([] { return DatiGlob.AttesaMouse != 0; }, [&] {
    vista = QualeVista(f);
    f.TerminaEsecuzione();
  });
  EseguiTesto(f, programma);
  return vista;
}

TEST(VisteAttese, IlProgrammaFinisceEAttendeNellaVistaCheServe) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  DimensioniArea(f, 400, 300);
  // RIFCART3D asks for the space, wherever it comes in the program.
  EseguiTesto(f, "A = PUNTO(1, 1); RIFCART3D;");
  EXPECT_EQ(QualeVista(f), "spazio");
  EseguiTesto(f, "RIFCART3D; A = PUNTO(1, 1);");
  EXPECT_EQ(QualeVista(f), "spazio");

  // From the space, CLICCA with only a plane value to click brings the plane forward, and a
  // hand's click on A answers it there.
  std::string inAttesa;
  Quando guarda([] { return DatiGlob.bAttesaClicca; }, [&] {
    inAttesa = QualeVista(f);
    if (inAttesa != "piano") f.TerminaEsecuzione();
  });
  Mano mano(f, {{f.pbRifCart, PixelDi(2, 2)}});
  EseguiTesto(f, "RIFCART3D; A = PUNTO(2, 2); X = CLICCA; STAMPA(X);");
  mano.Finisci();
  EXPECT_EQ(inAttesa, "piano");
  EXPECT_EQ(mano.Fatti(), 1);
  EXPECT_EQ(f.reoutput->toPlainText().toStdString(), "> A");
  EXPECT_EQ(QualeVista(f), "piano");

  // The planes of the walls cannot be clicked: with no value of the pupil's, the plane.
  EXPECT_EQ(VistaDellAttesa(f, "RIFCART3D; N = 3; X = CLICCA;"), "piano");
  // A solid and no plane figure: the space, also when the pupil had turned to the plane.
  Quando piano([&] { return f.btnContinua->isVisible(); }, [&] {
    Clicca(f, f.tbSpazio);
    f.btnContinua->trigger();
  });
  EXPECT_EQ(VistaDellAttesa(f, "S = SFERA(PUNTO3D(0, 0, 1), 1); PAUSA; X = SCEGLIOGGETTO;"), "spazio");
  EXPECT_TRUE(piano.Eseguita());
  // With values in both views the wait stays in the one shown.
  EXPECT_EQ(VistaDellAttesa(f, "S = SFERA(PUNTO3D(0, 0, 1), 1); A = PUNTO(1, 1); X = CLICCA;"), "spazio");
}

// The program pauses; the pupil rests the mouse on a value and, once that shows, presses
// "Continua" with the keyboard, the mouse still there: the statement after the pause opens a
// dialog under it. `comparsa` looks as the dialog appears, before it draws anything;
// `risposta` while it is open, and closes it.
class DialogoSottoIlMouse : public QObject {
 public:
  DialogoSottoIlMouse(Tfrm3& f, QWidget* area, QPoint pixel, std::function<bool()> evidenziato,
                      std::function<void()> comparsa, std::function<void()> risposta = [] {})
      : posa_([&f] { return f.btnContinua->isVisible(); },
              [this, &f, area, pixel] {
                pompa_ = f.Servizi().Attese;
                // From beside the value: a move to where the mouse already is moves nothing.
                QTest::mouseMove(area, pixel + QPoint(3, 0));
                QTest::mouseMove(area, pixel);
              }),
        continua_([this, &f] { return posa_.Eseguita() && f.Servizi().Attese > pompa_; },
                  [this, &f, evidenziato] {
                    Evidenziato = evidenziato();
                    f.btnContinua->trigger();
                  }),
        comparsa_(std::move(comparsa)) {
    qApp->installEventFilter(this);
    risposte_.Aggiungi([risposta](QDialog& d) {
      risposta();
      d.reject();
    });
  }
  ~DialogoSottoIlMouse() override { qApp->removeEventFilter(this); }
  bool Evidenziato = false;  // the hover showed before the dialog

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Show && qobject_cast<QDialog*>(o) && comparsa_) std::exchange(comparsa_, nullptr)();
    return false;
  }

 private:
  std::uint64_t pompa_ = 0;
  Quando posa_, continua_;
  std::function<void()> comparsa_;
  RispondiModali risposte_;
};

TEST(VisteAttese, UnDialogoSottoIlMouseTrovaTolteEvidenzaEdEtichetta) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  DimensioniArea(f, 400, 300);
  const QPoint pa = PixelDi(1, 1);
  // The picture as the area shows it, not made anew for the probe.
  auto colore = [&](const QRect& r, TColor c) { return ContieneColore(f.pbRifCart->Immagine().Image(), r, c); };
  // The signs of the hover: the value and the title, the red highlight and the green label.
  auto segni = [&] {
    return int(f.Prelievi().Evidenziato() != nullptr) + int(ValoreDi<cValorePunto>("A")->bSelezionato) +
           int(!f.Label4->text().isEmpty()) + int(colore(Intorno(pa, 6), clRed)) +
           int(colore(QRect(pa.x() - 40, pa.y() - 30, 80, 20), RGBColor(0, 128, 0)));
  };
  auto evidenziato = [&] { return segni() == 5; };
  auto nulla = [&] { return segni() == 0; };
  const std::string programma = "A = PUNTO(1, 1); C = CIRC(PUNTO(3, 3), 2); D = CIRC(PUNTO(5, 3), 2); PAUSA; ";
  bool pulito = false, scelta = false;
  {
    DialogoSottoIlMouse numero(f, f.pbRifCart, pa, evidenziato, [&] { pulito = nulla(); });
    EseguiTesto(f, programma + "N = LEGGINUM(\"Quanto?\");");
    ASSERT_TRUE(numero.Evidenziato);
    EXPECT_TRUE(pulito);
  }
  // A picker draws its first choice on the canvas as it opens: the choice stays.
  pulito = false;
  {
    DialogoSottoIlMouse sceglitore(f, f.pbRifCart, pa, evidenziato, [&] { pulito = nulla(); }, [&] {
      scelta = nulla() && (colore(Intorno(PixelDi(4, 3 + std::sqrt(3.0L)), 6), clRed) ||
                           colore(Intorno(PixelDi(4, 3 - std::sqrt(3.0L)), 6), clRed));
    });
    EseguiTesto(f, programma + "I = INTERSEZIONE(C, D);");
    ASSERT_TRUE(sceglitore.Evidenziato);
    EXPECT_TRUE(pulito);
    EXPECT_TRUE(scelta);
  }

  // In space the sphere's light and its description go.
  EseguiTesto(f, "S = SFERA(PUNTO3D(0, 0, 1), 1);");
  QWidget* vista = DimensioniSpazio(f, 400, 400);
  auto luce = [&] {
    return int(ValoreDi<cValoreGraf3D>("S")->Principale()->Material().FrontProperties().Emission().Color().X > 0) +
           int(!f.Label1->text().isEmpty());
  };
  bool spento = false;
  DialogoSottoIlMouse spazio(f, vista, PixelNelloSpazio(0, 0, 1), [&] { return luce() == 2; },
                             [&] { spento = luce() == 0; });
  EseguiTesto(f, "S = SFERA(PUNTO3D(0, 0, 1), 1); PAUSA; N = LEGGINUM(\"Quanto?\");");
  ASSERT_TRUE(spazio.Evidenziato);
  EXPECT_TRUE(spento);
}

}  // namespace
}  // namespace qx::test
