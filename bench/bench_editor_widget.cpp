// The program editor control against Qt's QPlainTextEdit on one generated program of
// 100,000 lines (5 MB): opening it and painting the first screen, typing one character at
// line 50,000 and repainting (the median per key is the figure), and paging down through
// the whole file. The control runs as the main window's program editor, with the
// language's highlighter; both widgets are shown off-screen. The ratio of the opening
// times and the memory the open file takes are printed at the end.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <malloc.h>
#include <unistd.h>

#include "editor/SynQuorix.h"
#include "editor/qt/SrcEdit.h"
#include "editor/qt/SrcEditConfig.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kLines = 100000;
constexpr std::size_t kBytes = 5000000;

QApplication& App() {
  static int argc = 1;
  static char name[] = "bench_editor_widget";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QT_FONT_DPI", "96", 0);
    auto* a = new QApplication(argc, argv);
    QApplication::setCursorFlashTime(0);
    return a;
  }();
  return *app;
}

// 100,000 lines of a program, 50 bytes each with CR LF: exactly 5,000,000 bytes.
const std::string& Source() {
  static const std::string path = [] {
    const fs::path dir = fs::temp_directory_path() / ("qx_bench_editor_widget_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string p = (dir / "programma.txt").string();
    std::ofstream out(p, std::ios::binary);
    static const char* const kBodies[] = {
        "PER (I DA 1 A 10) ESEGUI; /* giro */ S = S + I",
        "\tP = Punto(I, 2 * I); C = Circ(P, 150); Q",
        "SE (S > 100) ALLORA; STAMPA(\"grande\", S); F",
        "FINE; Retta(P, Q); Segmento(P, Q); L = Lato",
    };
    for (int i = 0; i < kLines; ++i) {
      std::string line = kBodies[i % 4] + std::to_string(i);
      line.resize(48, ' ');
      out << line << "\r\n";
    }
    return p;
  }();
  return path;
}

// Bytes in use on the heap (the resident size would hide what earlier runs freed).
long HeapBytes() {
  const struct mallinfo2 m = mallinfo2();
  return static_cast<long>(m.uordblks + m.hblkhd);
}

std::map<std::string, double>& Results() {
  static std::map<std::string, double> results;
  return results;
}

// Paints counted, to be sure that every repaint really painted.
long& Paints() {
  static long paints = 0;
  return paints;
}

// Shown and exposed, so that a repaint paints at once.
void ShowNow(QWidget& w) {
  w.resize(800, 600);
  w.show();
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

struct TControl {
  qx::TSynSampleSyn highlighter;
  qx::TSrcEdit editor;
  TControl() {
    qx::ConfigureProgramEditor(editor);
    editor.SetHighlighter(&highlighter);
    editor.OnPaint = [](qx::TCustomSrcEdit*, QPainter&) { ++Paints(); };
    ShowNow(editor);
  }
};

std::unique_ptr<QPlainTextEdit> OpenPlain() {
  auto edit = std::make_unique<QPlainTextEdit>();
  QFont font(QStringLiteral("Courier New"));
  font.setPixelSize(15);
  edit->setFont(font);
  edit->setLineWrapMode(QPlainTextEdit::NoWrap);
  ShowNow(*edit);
  QFile file(QString::fromStdString(Source()));
  file.open(QIODevice::ReadOnly);
  edit->setPlainText(QString::fromUtf8(file.readAll()));
  return edit;
}

void SendKey(QWidget* w, int key, const QString& text = QString()) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(w, &release);
}

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, static_cast<std::size_t>(p * static_cast<double>(v.size())))];
}

double Median(std::vector<double> v) { return Percentile(std::move(v), 0.5); }

// ---- opening and painting the first screen ----

void BM_OpenAndPaint_SrcEdit(benchmark::State& state) {
  App();
  Source();
  for (auto _ : state) {
    TControl c;
    c.editor.Lines().LoadFromFile(Source());
    c.editor.viewport()->repaint();
    benchmark::DoNotOptimize(c.editor.Lines().Count());
  }
  Results()["open_srcedit"] = 0;
}

void BM_OpenAndPaint_QPlainTextEdit(benchmark::State& state) {
  App();
  Source();
  for (auto _ : state) {
    auto edit = OpenPlain();
    edit->viewport()->repaint();
    benchmark::DoNotOptimize(edit->blockCount());
  }
}

// ---- typing at line 50,000 ----

void BM_TypeAtLine50000_SrcEdit(benchmark::State& state) {
  App();
  TControl c;
  c.editor.Lines().LoadFromFile(Source());
  c.editor.setFocus();
  c.editor.SetCaretXY({20, 50000});
  c.editor.EnsureCursorPosVisibleEx(true);
  c.editor.viewport()->repaint();
  const std::u32string original = c.editor.Lines().Get(49999);
  std::vector<double> times;
  int n = 0;
  const long paints = Paints();
  for (auto _ : state) {
    const auto t0 = Clock::now();
    SendKey(&c.editor, Qt::Key_X, QStringLiteral("x"));
    QApplication::processEvents();  // paints what the key invalidated
    times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    if (++n % 64 == 0) {
      state.PauseTiming();
      c.editor.Lines().Put(49999, original);
      c.editor.UndoList().Clear();
      c.editor.SetCaretXY({20, 50000});
      state.ResumeTiming();
    }
  }
  if (Paints() - paints < static_cast<long>(times.size())) state.SkipWithError("a key did not repaint");
  state.counters["median_us"] = Median(times);
  state.counters["p90_us"] = Percentile(times, 0.9);
  Results()["type_srcedit"] = Median(times);
}

void BM_TypeAtLine50000_QPlainTextEdit(benchmark::State& state) {
  App();
  auto edit = OpenPlain();
  QTextCursor cursor(edit->document()->findBlockByNumber(49999));
  cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 19);
  edit->setTextCursor(cursor);
  edit->centerCursor();
  edit->setFocus();
  edit->viewport()->repaint();
  std::vector<double> times;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    SendKey(edit.get(), Qt::Key_X, QStringLiteral("x"));
    QApplication::processEvents();
    times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
  }
  state.counters["median_us"] = Median(times);
  state.counters["p90_us"] = Percentile(times, 0.9);
  Results()["type_plain"] = Median(times);
}

// ---- paging through the whole file ----

void BM_PageThrough_SrcEdit(benchmark::State& state) {
  App();
  TControl c;
  c.editor.Lines().LoadFromFile(Source());
  c.editor.setFocus();
  std::int64_t pages = 0;
  const long paints = Paints();
  for (auto _ : state) {
    c.editor.SetCaretXY({1, 1});
    while (c.editor.CaretY() < kLines) {
      SendKey(&c.editor, Qt::Key_PageDown);
      QApplication::processEvents();
      ++pages;
    }
  }
  if (Paints() - paints < pages) state.SkipWithError("a repaint did not paint");
  state.counters["us_per_page"] =
      benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_PageThrough_QPlainTextEdit(benchmark::State& state) {
  App();
  auto edit = OpenPlain();
  edit->setFocus();
  std::int64_t pages = 0;
  for (auto _ : state) {
    edit->moveCursor(QTextCursor::Start);
    while (edit->textCursor().blockNumber() < kLines - 1) {
      SendKey(edit.get(), Qt::Key_PageDown);
      QApplication::processEvents();
      ++pages;
    }
  }
  state.counters["us_per_page"] =
      benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_OpenAndPaint_SrcEdit)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_OpenAndPaint_QPlainTextEdit)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_TypeAtLine50000_SrcEdit)->Unit(benchmark::kMicrosecond)->Iterations(2000);
BENCHMARK(BM_TypeAtLine50000_QPlainTextEdit)->Unit(benchmark::kMicrosecond)->Iterations(2000);
BENCHMARK(BM_PageThrough_SrcEdit)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_PageThrough_QPlainTextEdit)->Unit(benchmark::kMillisecond)->Iterations(1);

// Opening once more, outside the timing loops: the wall time of each and the memory the
// control's open file takes, as a multiple of the file's size.
void Summary() {
  App();
  Source();
  const auto time = [](auto&& open) {
    std::vector<double> t;
    for (int i = 0; i < 5; ++i) {
      const auto t0 = Clock::now();
      open();
      t.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    }
    return Median(t);
  };
  const double control = time([] {
    TControl c;
    c.editor.Lines().LoadFromFile(Source());
    c.editor.viewport()->repaint();
  });
  const double plain = time([] { OpenPlain()->viewport()->repaint(); });
  const long before = HeapBytes();
  auto c = std::make_unique<TControl>();
  c->editor.Lines().LoadFromFile(Source());
  c->editor.viewport()->repaint();
  const long after = HeapBytes();
  std::printf("open and paint (median of 5): control %.1f ms, QPlainTextEdit %.1f ms, ratio %.2f (target <= 1.0)\n",
              control, plain, control / plain);
  std::printf("type at line 50,000 (median per key): control %.1f us, QPlainTextEdit %.1f us (target < 1000 us)\n",
              Results()["type_srcedit"], Results()["type_plain"]);
  std::printf("memory of the open file: %.1f MB for a %.1f MB file, %.2f times its size (target < 3)\n",
              (after - before) / 1e6, kBytes / 1e6, static_cast<double>(after - before) / kBytes);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  Summary();
  std::error_code ec;
  fs::remove_all(fs::path(Source()).parent_path(), ec);
  return 0;
}
