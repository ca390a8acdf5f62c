// How fast the editor's buffer loads, expands and saves a large program file (100,000
// lines, 5 MB, UTF-8 with CR LF and tabs), against reading and writing the same file line
// by line with the standard library. The ratio of the two is printed at the end.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

#include "editor/TextBuffer.h"

namespace {

namespace fs = std::filesystem;

const fs::path& Dir() {
  static const fs::path dir = [] {
    fs::path d = fs::temp_directory_path() / ("qx_bench_editor_" + std::to_string(::getpid()));
    fs::create_directories(d);
    return d;
  }();
  return dir;
}

// 100,000 lines of 50 bytes each with CR LF: exactly 5,000,000 bytes.
const std::string& Source() {
  static const std::string path = [] {
    const std::string p = (Dir() / "programma.txt").string();
    std::ofstream out(p, std::ios::binary);
    for (int i = 0; i < 100000; ++i) {
      std::string line = "\tS = S + I * 2; /* perch\xC3\xA9 */ P" + std::to_string(i) + " = Circ(P, 150);";
      line.resize(48, ' ');
      out << line << "\r\n";
    }
    return p;
  }();
  return path;
}

void BM_EditorBuffer(benchmark::State& state) {
  const std::string target = (Dir() / "buffer_out.txt").string();
  for (auto _ : state) {
    qx::TSrcEditStringList lines;
    lines.LoadFromFile(Source());
    std::size_t columns = 0;
    for (int i = 0; i < lines.Count(); ++i) columns += lines.ExpandedStrings(i).size();
    benchmark::DoNotOptimize(columns);
    benchmark::DoNotOptimize(lines.LengthOfLongestLine());
    lines.SaveToFile(target);
    state.counters["lines"] = lines.Count();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 5000000);
}

void BM_StdLineByLine(benchmark::State& state) {
  const std::string target = (Dir() / "std_out.txt").string();
  for (auto _ : state) {
    std::vector<std::string> lines;
    {
      std::ifstream in(Source(), std::ios::binary);
      std::string line;
      while (std::getline(in, line)) lines.push_back(line);
    }
    {
      std::ofstream out(target, std::ios::binary);
      for (const std::string& line : lines) out << line << '\n';
    }
    state.counters["lines"] = static_cast<double>(lines.size());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 5000000);
}

BENCHMARK(BM_EditorBuffer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StdLineByLine)->Unit(benchmark::kMillisecond);

// Keeps the time per iteration of each benchmark for the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration && run.iterations > 0)
        times[run.benchmark_name()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  const auto buffer = reporter.times.find("BM_EditorBuffer");
  const auto plain = reporter.times.find("BM_StdLineByLine");
  if (buffer != reporter.times.end() && plain != reporter.times.end() && plain->second > 0)
    std::printf("editor buffer / standard library: %.2fx (target: within 3x)\n", buffer->second / plain->second);
  std::error_code ec;
  fs::remove_all(Dir(), ec);
  return 0;
}
