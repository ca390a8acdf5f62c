// Figures made and drawn in a loop: the cost of one figure on each road a program takes.
//
// Six programs (points; segments between new points; circles; polygons of 5 vertices; a
// point moved along a function's graph; points that all stay, as anonymous values) of 1,000,
// 10,000 and 100,000 passes, run
//   - through the headless runner's environment (the interpreter in fast run drawing on a
//     QImage canvas, a window that looks at the clock every 256 tokens, as qxrun does),
//   - through the real main window off-screen, in fast run and in normal run (the line
//     shown, the canvas repainted and the object list rebuilt at the window's throttle),
// beside a hand-written loop that draws the same marks, lines and labels with QPainter on an
// image of the same size: the floor of what drawing costs.
//
// It prints the cost per figure (fastest run of each), the ratios, and whether the cost per
// figure at 100,000 stays within 1.3x of its cost at 1,000 (no pass over all the figures per
// statement). Wall-clock times: on a shared machine they are noisy.
//
//   bench_figure [--png DIR] [--passate 1000,10000] [--programma KIND PASSES] [benchmark flags]
// --png writes each program's picture at its first size (runner and window) into DIR;
// --programma prints the program of that kind and size (for qxrun under callgrind) and exits.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/Editori.h"
#include "app/ServiziFinestra.h"
#include "app/Tfrm3.h"
#include "app/PaintBoxQt.h"
#include "bench/FinestraPrincipale.h"
#include "bench/FinestreBench.h"
#include "controls/midi/ServiziSuono.h"
#include "interpreter/Ambiente.h"
#include "platform/qt/FontToolkit.h"
#include "platform/qt/QImageCanvas.h"
#include "runstate/DatiGlob.h"
#include "runstate/WindowServices.h"
#include "values/Variabili.h"

namespace {

// ---- The programs ----

// Places that stay on the canvas however many passes run, in world units.
const char* const kX = "((I MOD 97) / 8 - 6)";
const char* const kY = "((I MOD 89) / 10 - 4)";

struct Tipo {
  const char* nome;
  std::string corpo;     // the loop's body, with X and Y already set
  std::string prologo;   // before the loop
  int valoriDopo;        // variables after the run, besides X and Y and I
};

std::vector<Tipo> Tipi() {
  return {
      {"punti", "P = PUNTO(X, Y);", "", 1},
      {"segmenti", "S = SEGMENTO(PUNTO(X, Y), PUNTO(Y, X));", "", 1},
      {"cerchi", "C = CIRC(PUNTO(X, Y), 1 + I MOD 3);", "", 1},
      {"poligoni",
       "Q = POLIGONO(PUNTO(X, Y), PUNTO(X + 1, Y), PUNTO(X + 1.3, Y + 1), PUNTO(X + 0.5, Y + 1.6), "
       "PUNTO(X - 0.3, Y + 1));",
       "", 1},
      {"grafico", "X = (I MOD 1000) / 1000 * 12 - 6; P = PUNTO(X, VALUTAFUNZ(F, X));",
       "F = FUNZIONE(\"x^2 / 8 - 3\"); GRAFICOFUNZ(F);", 2},
      // Every point stays (an anonymous value each): the table, the picture and the object
      // list grow with the passes.
      {"tenuti", "PUNTO(X, Y);", "", 0},
  };
}

std::string Programma(const Tipo& t, int passate) {
  std::ostringstream s;
  s << "RIFCART;\n";
  if (!t.prologo.empty()) s << t.prologo << "\n";
  s << "PER (I DA 1 A " << passate << ") ESEGUI;\n";
  s << "  X = " << kX << "; Y = " << kY << ";\n";
  s << "  " << t.corpo << "\n";
  s << "FINE;\n";
  return s.str();
}

std::vector<std::string> Righe(const std::string& testo) {
  std::vector<std::string> righe;
  std::istringstream in(testo);
  for (std::string r; std::getline(in, r);) righe.push_back(r);
  return righe;
}

constexpr int kLarghezza = 600, kAltezza = 400;

// Whether the run went through all its passes (a run that stopped early measures nothing).
void ControllaPassate(const char* strada, const Tipo& t, int passate) {
  const qx::cListaVariabili* l = qx::DatiGlob.ListaVariabili;
  const qx::cVariabile* v = l ? l->Cerca("I") : nullptr;
  const auto* i = v ? dynamic_cast<const qx::cValoreReale*>(v->GetValore()) : nullptr;
  if (!i || i->Value < passate)
    std::fprintf(stderr, "%s %s: the run stopped before its %d passes (%s)\n", strada, t.nome, passate,
                 qx::DatiGlob.MessaggioErrore.c_str());
}

// ---- The headless runner's environment ----

std::string gPng;  // where the pictures go, empty: none

void SalvaSeRichiesto(const QImage& img, const std::string& nome) {
  if (gPng.empty()) return;
  img.save(QString::fromStdString(gPng + "/" + nome + ".png"), "PNG");
}

double EseguiRunner(const Tipo& t, int passate, bool salva) {
  using namespace qx;
  qx::bench::FinestraOrologio finestra;
  WindowServices* prima = detail::gFinestra;
  ImpostaFinestra(&finestra);
  DatiGlob.AreaRifCart = {kLarghezza, kAltezza};
  DatiGlob.bEsecuzioneVeloce = true;
  DatiGlob.bEvidenziaRiga = false;
  DatiGlob.bMostraErrori = false;
  double secondi = 0;
  {
    TQImageCanvas canvas(kLarghezza, kAltezza);
    TAmbiente ambiente;
    ambiente.ImpostaCanvas(&canvas, kLarghezza, kAltezza);
    const std::vector<std::string> righe = Righe(Programma(t, passate));
    const auto t0 = std::chrono::steady_clock::now();
    const bool riuscito = ambiente.EseguiProgramma(righe);
    secondi = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    if (!riuscito) std::fprintf(stderr, "runner %s: %s\n", t.nome, DatiGlob.MessaggioErrore.c_str());
    ControllaPassate("runner", t, passate);
    if (salva) {
      SalvaSeRichiesto(canvas.Image(), std::string("runner_") + t.nome + "_" + std::to_string(passate));
      ambiente.DisegnaRifCart(canvas);
      SalvaSeRichiesto(canvas.Image(), std::string("runner_ridisegno_") + t.nome + "_" + std::to_string(passate));
    }
  }
  ImpostaFinestra(prima);
  return secondi;
}

// ---- The real window, off-screen ----

// The main window, sized so that its canvas is as large as the runner's and the painter's
// image: a smaller one cuts more circles at its edge, and those cost the painter more.
qx::Tfrm3& FinestraDelleFigure() {
  qx::Tfrm3& f = qx::bench::FinestraPrincipale();
  for (int i = 0; i < 5 && f.pbRifCart->size() != QSize(kLarghezza, kAltezza); ++i) {
    f.resize(f.size() + QSize(kLarghezza, kAltezza) - f.pbRifCart->size());
    QCoreApplication::processEvents();
  }
  return f;
}

double EseguiFinestra(const Tipo& t, int passate, bool veloce, bool salva) {
  qx::Tfrm3& f = FinestraDelleFigure();
  // The window's first run settles it (its first paints, the space view's context) and is
  // not measured.
  static bool pronta = false;
  if (!pronta) {
    pronta = true;
    EseguiFinestra(t, 100, veloce, false);
  }
  qx::ImpostaTestoEditor(*f.MemoSource, Programma(t, passate));
  f.cbEsecuzioneVeloce->setChecked(veloce);
  f.cbEsecuzioneVeloceClick();
  QCoreApplication::processEvents();
  const auto t0 = std::chrono::steady_clock::now();
  f.Esegui1Click();
  // The run ends with the picture made anew, which the window makes only when it is shown:
  // the pupil waits for it all the same.
  f.ImmagineRifCart();
  const double secondi = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  ControllaPassate(veloce ? "window fast" : "window normal", t, passate);
  if (salva)
    SalvaSeRichiesto(f.ImmagineRifCart(), std::string(veloce ? "veloce_" : "normale_") + t.nome + "_" +
                                              std::to_string(passate));
  return secondi;
}

// ---- The hand-written painter loop ----

// The same marks, lines and labels the figures draw, on an image of the canvas's size, with
// one painter for the whole loop: the floor of what drawing costs.
double EseguiPittore(const Tipo& t, int passate, bool salva) {
  QImage img(kLarghezza, kAltezza, QImage::Format_RGB32);
  img.fill(Qt::white);
  const auto t0 = std::chrono::steady_clock::now();
  {
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    QFont font(qx::FamigliaDesktop("MS Sans Serif"));
    font.setPixelSize(11);
    font.setStyleStrategy(QFont::NoAntialias);
    p.setFont(font);
    const int ascent = QFontMetrics(font, &img).ascent();
    const double unita = 38, ox = kLarghezza / 2.0, oy = kAltezza / 2.0;
    auto px = [&](double x) { return int(std::lround(ox + x * unita)); };
    auto py = [&](double y) { return int(std::lround(oy - y * unita)); };
    auto segno = [&](int x, int y) {
      p.setPen(Qt::black);
      p.setBrush(Qt::black);
      p.drawRect(x - 2, y - 2, 4, 4);
    };
    auto etichetta = [&](int x, int y, const QString& s) { p.drawText(x + 2, y + 2 + ascent, s); };
    const QString nome = QStringLiteral("P");
    const std::string tipo = t.nome;
    if (tipo == "grafico") {
      QPolygon grafico;
      for (int i = 0; i <= 456; ++i) {
        const double x = -6 + 12.0 * i / 456;
        grafico << QPoint(px(x), py(x * x / 8 - 3));
      }
      p.drawPolyline(grafico);
    }
    for (int i = 1; i <= passate; ++i) {
      const double x = (i % 97) / 8.0 - 6, y = (i % 89) / 10.0 - 4;
      if (tipo == "tenuti") {
        segno(px(x), py(y));
      } else if (tipo == "punti") {
        segno(px(x), py(y));
        etichetta(px(x), py(y), nome);
      } else if (tipo == "segmenti") {
        segno(px(x), py(y));
        segno(px(y), py(x));
        p.drawLine(px(x), py(y), px(y), py(x));
      } else if (tipo == "cerchi") {
        const double r = 1 + i % 3;
        segno(px(x), py(y));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPoint(px(x), py(y)), int(r * unita), int(r * unita));
      } else if (tipo == "poligoni") {
        const double xs[] = {x, x + 1, x + 1.3, x + 0.5, x - 0.3}, ys[] = {y, y, y + 1, y + 1.6, y + 1};
        QPoint vertici[5];
        for (int k = 0; k < 5; ++k) {
          vertici[k] = QPoint(px(xs[k]), py(ys[k]));
          segno(vertici[k].x(), vertici[k].y());
        }
        p.setBrush(Qt::NoBrush);
        p.drawPolygon(vertici, 5);
      } else {
        const double gx = (i % 1000) / 1000.0 * 12 - 6;
        segno(px(gx), py(gx * gx / 8 - 3));
        etichetta(px(gx), py(gx * gx / 8 - 3), nome);
      }
    }
  }
  const double secondi = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  if (salva) SalvaSeRichiesto(img, std::string("pittore_") + t.nome + "_" + std::to_string(passate));
  return secondi;
}

// ---- Measuring and the report ----

enum Strada { Pittore, Runner, Veloce, Normale, Strade };
const char* const kNomiStrade[] = {"painter", "runner", "window fast", "window normal"};

// Fastest seconds per figure, by kind, road and passes.
std::map<std::string, std::map<int, double>> gMigliori[Strade];
std::vector<int> gPassate = {1000, 10000, 100000};

void Tieni(Strada s, const std::string& tipo, int passate, double secondi) {
  double& m = gMigliori[s][tipo][passate];
  const double perFigura = secondi / passate;
  if (m == 0 || perFigura < m) m = perFigura;
}

// The painter and the runner first: the window, once made, owns the shared run state.
void Registra() {
  for (const int strade : {0, 1})
  for (const Tipo& t : Tipi()) {
    for (int n : gPassate) {
      // Fewer repetitions of the long runs: their noise is smaller anyway. Two at least: the
      // first run of a size whose values need tens of megabytes pays for the pages' first
      // touch, which the runs after it in the same process do not.
      const int volte = n >= 100000 ? 2 : n >= 10000 ? 3 : 9;
      for (int s = strade == 0 ? Pittore : Veloce; s <= (strade == 0 ? Runner : Normale); ++s) {
        const std::string nome = std::string(t.nome) + "/" + kNomiStrade[s] + "/" + std::to_string(n);
        benchmark::RegisterBenchmark(nome.c_str(), [t, n, s](benchmark::State& state) {
          bool prima = true;
          for (auto _ : state) {
            const bool salva = prima && n == gPassate.front();
            double secondi = 0;
            switch (s) {
              case Pittore: secondi = EseguiPittore(t, n, salva); break;
              case Runner: secondi = EseguiRunner(t, n, salva); break;
              case Veloce: secondi = EseguiFinestra(t, n, true, salva); break;
              default: secondi = EseguiFinestra(t, n, false, salva); break;
            }
            prima = false;
            state.SetIterationTime(secondi);
            Tieni(Strada(s), t.nome, n, secondi);
          }
          state.counters["us_per_figure"] = gMigliori[s][t.nome][n] * 1e6;
        })->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(volte);
      }
    }
  }
}

void Rapporto() {
  const QSize area = qx::bench::FinestraPrincipale().pbRifCart->size();
  std::printf("\nimage of the painter and the runner %dx%d, canvas of the window %dx%d\n", kLarghezza, kAltezza,
              area.width(), area.height());
  std::printf("\ncost per figure in microseconds (fastest run; wall clock, noisy on a shared machine)\n");
  std::printf("%-10s %8s %10s %10s %12s %12s   %9s %9s %9s\n", "kind", "passes", "painter", "runner",
              "window fast", "window norm", "run/paint", "fast/run", "norm/fast");
  for (const Tipo& t : Tipi())
    for (int n : gPassate) {
      double c[Strade];
      for (int s = 0; s < Strade; ++s) c[s] = gMigliori[s][t.nome][n] * 1e6;
      std::printf("%-10s %8d %10.2f %10.2f %12.2f %12.2f   %9.2f %9.2f %9.2f\n", t.nome, n, c[Pittore], c[Runner],
                  c[Veloce], c[Normale], c[Runner] / c[Pittore], c[Veloce] / c[Runner], c[Normale] / c[Veloce]);
    }
  const int primo = gPassate.front(), ultimo = gPassate.back();
  if (primo == ultimo) return;
  std::printf("\ncost per figure at %d / at %d (at most 1.3: no pass over all the figures per statement)\n", ultimo,
              primo);
  for (const Tipo& t : Tipi())
    for (int s = Runner; s < Strade; ++s) {
      const double r = gMigliori[s][t.nome][ultimo] / gMigliori[s][t.nome][primo];
      std::printf("%-10s %-14s %6.2f%s\n", t.nome, kNomiStrade[s], r, r > 1.3 ? "  GROWS" : "");
    }
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("QT_FONT_DPI", "96", 0);
  std::vector<char*> argomenti;
  for (int i = 0; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--png" && i + 1 < argc) {
      gPng = argv[++i];
    } else if (a == "--programma" && i + 2 < argc) {
      for (const Tipo& t : Tipi())
        if (t.nome == std::string(argv[i + 1])) {
          std::fputs(Programma(t, std::atoi(argv[i + 2])).c_str(), stdout);
          return 0;
        }
      std::fprintf(stderr, "no program of kind %s\n", argv[i + 1]);
      return 2;
    } else if (a == "--passate" && i + 1 < argc) {
      gPassate.clear();
      std::istringstream in(argv[++i]);
      for (std::string n; std::getline(in, n, ',');) gPassate.push_back(std::atoi(n.c_str()));
    } else {
      argomenti.push_back(argv[i]);
    }
  }
  int n = int(argomenti.size());
  QApplication app(n, argomenti.data());
  qx::InizializzaDatiGlob();
  benchmark::Initialize(&n, argomenti.data());
  Registra();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  Rapporto();
  return 0;
}
