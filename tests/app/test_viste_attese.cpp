// A dialog that opens under the mouse in the real window finds nothing hovered, on the plane
// and in space.
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
