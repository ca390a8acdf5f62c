// The two-choice pickers through the window's services: the chosen candidate is drawn on
// the canvas, switching any number of times leaves one preview, and closing leaves the
// picture exactly as it was.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <cmath>

#include "app/CanvasDifferito.h"
#include "app/ServiziFinestra.h"
#include "app/dialogs/Accanto.h"
#include "app/dialogs/Sceglitori.h"
#include "runstate/DatiGlob.h"
#include "tests/app/Supporto.h"
#include "values/figure/ValorePoligono.h"

namespace qx::test {
namespace {


// Whether the picture differs from `prima` near the world point.
bool Cambiato(Tfrm3& f, const QImage& prima, const TPuntoMondo& p, int r) {
  const QImage& ora = f.ImmagineRifCart();
  const QRect area = Intorno(PixelDi(p.x, p.y), r).intersected(ora.rect());
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (ora.pixel(x, y) != prima.pixel(x, y)) return true;
  return false;
}


// The texts of a picker: caption, question, the two choices.
std::vector<QString> Testi(TdlgDueScelte& d) {
  return {d.windowTitle(), d.Label1->text(), d.RadioButton1->text(), d.RadioButton2->text()};
}

TEST(Sceglitori, CinqueCambiEUnaChiusuraLascianoIlCanvasComEra) {
  Finestra400x300 a;
  Tfrm3& f = a.f();
  EseguiTesto(f, "C = CIRC(PUNTO(4, 3), 2);\nD = CIRC(PUNTO(6, 3), 2);");
  const TPuntoMondo p1{5, 3 + std::sqrt(3.0L)}, p2{5, 3 - std::sqrt(3.0L)};
  const QImage prima = f.ImmagineRifCart().copy();
  // Which previews are on the canvas after each step: 1 the first, 2 the second, 3 both.
  std::vector<int> mostrati;
  auto mostrato = [&] { mostrati.push_back((Cambiato(f, prima, p1, 6) ? 1 : 0) + (Cambiato(f, prima, p2, 6) ? 2 : 0)); };
  std::vector<QString> testi;
  RispondiModali risposte;
  risposte.Aggiungi([&](QDialog& d) {
    auto& s = static_cast<TdlgInters2s&>(d);
    testi = Testi(s);
    mostrato();
    for (int k = 0; k < 5; ++k) {
      QTest::mouseClick(k % 2 == 0 ? s.RadioButton2 : s.RadioButton1, Qt::LeftButton);
      mostrato();
    }
    QTest::mouseClick(s.OKButton, Qt::LeftButton);
  });
  EXPECT_EQ(f.Servizi().ScegliIntersezione(p1, p2), 2);
  EXPECT_EQ(testi, (std::vector<QString>{"Intersezione",
                                         "L'intersezione avviene in due punti: selezionare quello desiderato",
                                         "&Primo", "&Secondo"}));
  EXPECT_EQ(mostrati, (std::vector<int>{1, 2, 1, 2, 1, 2}));
  EXPECT_TRUE(f.ImmagineRifCart() == prima) << "the picture is byte for byte what it was";
  EXPECT_EQ(f.CanvasRifCart().Pen.Mode, pmCopy);

  // A new showing starts on the first candidate, whatever was chosen last time.
  bool primo = false;
  risposte.Aggiungi([&](QDialog& d) {
    auto& s = static_cast<TdlgInters2s&>(d);
    primo = s.RadioButton1->isChecked() && s.Mostrato() == 1 && Cambiato(f, prima, p1, 6);
    d.reject();
  });
  EXPECT_EQ(f.Servizi().ScegliIntersezione(p1, p2), 1) << "closing the window keeps the candidate shown";
  EXPECT_TRUE(primo);
  EXPECT_TRUE(f.ImmagineRifCart() == prima);
}

TEST(Sceglitori, TangentiSegmentiEPoligoniSiMostranoESiTolgono) {
  Finestra400x300 a;
  Tfrm3& f = a.f();
  EseguiTesto(f,
              "Q = POLIGONO(PUNTO(1, 1), PUNTO(3, 1), PUNTO(3, 3));\n"
              "T = POLIGONO(PUNTO(5, 1), PUNTO(7, 1), PUNTO(7, 3));");
  const QImage prima = f.ImmagineRifCart().copy();
  RispondiModali risposte;
  std::vector<std::vector<QString>> testi;
  std::vector<bool> anteprime;
  // Each picker: the first candidate is shown, then the second in its place; OK keeps it.
  auto rispondi = [&](const TPuntoMondo& su1, const TPuntoMondo& su2) {
    risposte.Aggiungi([&, su1, su2](QDialog& d) {
      auto& s = static_cast<TdlgDueScelte&>(d);
      testi.push_back(Testi(s));
      anteprime.push_back(Cambiato(f, prima, su1, 1) && !Cambiato(f, prima, su2, 1));
      QTest::mouseClick(s.RadioButton2, Qt::LeftButton);
      anteprime.push_back(!Cambiato(f, prima, su1, 1) && Cambiato(f, prima, su2, 1));
      QTest::mouseClick(s.OKButton, Qt::LeftButton);
    });
  };
  rispondi({1, 5}, {8, 5});
  EXPECT_EQ(f.Servizi().ScegliTangente({0, 5}, {2, 5}, {7, 5}, {9, 5}), 2);
  rispondi({4, 6}, {4, 2});
  EXPECT_EQ(f.Servizi().ScegliSegmento({4, 4}, {4, 7}, {4, 1}), 2);
  const auto* q = ValoreDi<cValorePoligono>("Q");
  const auto* t = ValoreDi<cValorePoligono>("T");
  ASSERT_NE(q, nullptr);
  ASSERT_NE(t, nullptr);
  const TBrush pennelloQ = q->Brush;
  const TPen pennaQ = q->Pen;
  rispondi({2, 1}, {6, 1});
  EXPECT_EQ(f.Servizi().ScegliPoligono(*q, *t), 2);
  EXPECT_EQ(testi, (std::vector<std::vector<QString>>{
                       {"Tangente",
                        "Possono essere condotte due tangenti alla circonferenzai: selezionare quella desiderata",
                        "&Prima", "&Seconda"},
                       {"Segmento", "Selezionare il segmento desiderato", "&Primo", "&Secondo"},
                       {"Poligono", "Selezionare il poligono desiderato", "&Primo", "&Secondo"}}));
  EXPECT_EQ(anteprime, std::vector<bool>(6, true));
  EXPECT_TRUE(f.ImmagineRifCart() == prima);
  // The candidates are drawn from copies: the values keep their own pen and brush.
  EXPECT_EQ(q->Brush, pennelloQ);
  EXPECT_EQ(q->Pen, pennaQ);
}

// Where the picker opened, and the frame of what it showed then.
struct Apertura {
  QRect finestra, sceglitore, candidati;
};

// The pickers open beside the candidates they ask about, inside the window and the screen.
TEST(Sceglitori, IlSceglitoreSiApreAccantoAiCandidati) {
  Finestra400x300 a;
  Tfrm3& f = a.f();
  RispondiModali risposte;
  std::vector<Apertura> aperture;
  // The candidates' box from two opposite world corners, on the screen.
  auto attendi = [&](TPuntoMondo p, TPuntoMondo q) {
    risposte.Aggiungi([&, p, q](QDialog& d) {
      const QRect box = QRect(PixelDi(p.x, p.y), PixelDi(q.x, q.y)).normalized();
      aperture.push_back({f.frameGeometry().intersected(f.screen()->availableGeometry()), d.frameGeometry(),
                          QRect(f.pbRifCart->mapToGlobal(box.topLeft()), box.size())});
      d.accept();
    });
  };
  // Two rectangles on one side: over it and under it.
  attendi({3, 1}, {7, 5});
  EseguiTesto(f, "R = RETTANGOLO(SEGMENTO(PUNTO(3, 3), PUNTO(7, 3)), 2);");
  // Two points at the canvas's right edge; two tangents in its lower left corner, where the
  // window's centre lies.
  attendi({10.2L, 1.8L}, {10.5L, 6.2L});
  f.Servizi().ScegliIntersezione({10.3L, 2}, {10.3L, 6});
  attendi({0, 0}, {3, 2});
  f.Servizi().ScegliTangente({0, 0.5L}, {3, 0.5L}, {0.5L, 0}, {0.5L, 2});
  ASSERT_EQ(aperture.size(), 3u);
  for (const Apertura& o : aperture) {
    EXPECT_FALSE(o.sceglitore.intersects(o.candidati)) << o.sceglitore.x() << "," << o.sceglitore.y() << " "
                                                        << o.candidati.x() << "," << o.candidati.y();
    EXPECT_TRUE(o.finestra.contains(o.sceglitore)) << o.sceglitore.x() << "," << o.sceglitore.y() << " in "
                                                   << o.finestra.width() << "x" << o.finestra.height();
  }
  // With no room on any side, the place that covers least: 50 rows above (beside, 250
  // columns), or 30 below when the space reaches 20 rows lower.
  EXPECT_EQ(PosizioneAccanto({50, 50, 500, 300}, {300, 100}, {0, 0, 600, 400}, 8), QPoint(150, 0));
  EXPECT_EQ(PosizioneAccanto({50, 50, 500, 300}, {300, 100}, {0, 0, 600, 420}, 8), QPoint(150, 320));
}

}  // namespace
}  // namespace qx::test
