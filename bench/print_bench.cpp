// Printing with Qt on its offscreen platform: 1,000 bout sheets to a PDF file, and the
// whole batch command with --mats 8 --bout-sheets-pdf on a 1,000-wrestler roster (load,
// pair, every report, the schedule and its reports, the PDF) in a scratch folder.

#include <QGuiApplication>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <benchmark/benchmark.h>

#include "app/batch_options.h"
#include "app/batch_run.h"
#include "bench/roster_generator.h"
#include "platform/sheet_printer.h"

namespace kestrio::bench {
namespace {

std::vector<reports::SheetBout> Sheets(int n) {
  std::vector<reports::SheetBout> sheets;
  for (int i = 0; i < n; ++i) {
    reports::SheetBout b;
    b.Number = i + 1;
    b.WeightClass = 40 + 5 * (i % 12);
    b.Mat = i % 8;
    b.Slot = i / 8;
    b.Time = "09:00";
    b.Wrestler[0] = {"Lastname" + std::to_string(i), "Firstname", "Eagles", 45.5f};
    b.Wrestler[1] = {"Othername" + std::to_string(i), "Given", "Hawks", 46.0f};
    sheets.push_back(b);
  }
  return sheets;
}

void BM_BoutSheetsPdf(benchmark::State& state) {
  const auto sheets = Sheets(static_cast<int>(state.range(0)));
  QTemporaryDir dir;
  const std::string path = dir.filePath(QStringLiteral("sheets.pdf")).toStdString();
  platform::QtPrintPort printer;
  for (auto _ : state) benchmark::DoNotOptimize(printer.WriteBoutSheetsPdf(sheets, path));
}

void BM_BatchWithMatsAndSheets(benchmark::State& state) {
  QTemporaryDir dir;
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.path().toStdString());
  RosterGeneratorOptions options;
  options.wrestlers = static_cast<int>(state.range(0));
  options.clubs = 40;
  options.all_selected = true;
  std::ofstream("roster.txt", std::ios::binary) << GenerateRosterText(options);
  const app::ParsedArguments parsed =
      app::ParseBatchArguments({"--mats", "8", "--bout-sheets-pdf", "sheets.pdf", "roster.txt"});
  RealFileSystem fs;
  platform::QtPrintPort printer;
  for (auto _ : state) {
    std::ostringstream out, err;
    benchmark::DoNotOptimize(app::RunBatch(parsed.options, fs, out, err, &printer));
  }
  std::filesystem::current_path(previous);
}

BENCHMARK(BM_BoutSheetsPdf)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BatchWithMatsAndSheets)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrio::bench

int main(int argc, char** argv) {
  static char platform_option[] = "-platform";
  static char offscreen[] = "offscreen";
  char* qt_argv[] = {argv[0], platform_option, offscreen, nullptr};
  int qt_argc = 3;
  QGuiApplication app(qt_argc, qt_argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
