// Spreadsheet rosters at a large club-festival size, 10,000 wrestlers: opening a
// registration workbook and its CSV export (birth dates, columns in their own order),
// and exporting the roster and the bouts as a workbook and as CSV.

#include <string>

#include <benchmark/benchmark.h>

#include "bench/roster_generator.h"
#include "pairing/pairing_run.h"
#include "roster/roster_reader.h"
#include "roster/sort_display_order.h"
#include "sheets/dates.h"
#include "sheets/roster_export.h"
#include "sheets/roster_import.h"
#include "sheets/spreadsheet.h"

namespace kestrio::bench {
namespace {

constexpr int kWrestlers = 10000;
constexpr sheets::CivilDate kEventDay{2024, 3, 2};

roster::Roster Generated(bool all_selected) {
  RosterGeneratorOptions options;
  options.wrestlers = kWrestlers;
  options.seed = 42;
  options.clubs = 30;
  options.all_selected = all_selected;
  roster::Roster r;
  roster::ReadRosterText(GenerateRosterText(options), r, roster::IgnoreSkippedLines());
  roster::ResetDisplayOrder(r);
  roster::SortDisplayOrder(r);
  return r;
}

// A registration system's sheet of the roster: its own column order, an id column, and
// birth dates (date serials) instead of ages.
sheets::Table RegistrationTable() {
  const roster::Roster r = Generated(false);
  sheets::Table table;
  table.sheet_name = "Registrations";
  table.columns = {{"Registration ID", "0", 10}, {"First Name", "", 14},     {"Last Name", "", 14},
                   {"DOB", "yyyy-mm-dd", 12},    {"Weight (lbs)", "0.0", 8}, {"Team", "", 14},
                   {"Experience", "0", 6},       {"Wrestling", "", 6}};
  const long event = sheets::DaysFromCivil(kEventDay);
  const long serial_of_1970 = 25569;  // 1970-01-01 in the 1900 date system
  for (std::size_t k = 0; k < r.Entries.size(); ++k) {
    const roster::Participant& p = r.Entries[k];
    const double age = std::stod(std::string(p.Age.WithoutBlanks()));
    const double serial =
        static_cast<double>(event - static_cast<long>(age * 365.25) + serial_of_1970);
    table.rows.push_back(
        {sheets::Cell::OfNumber(static_cast<double>(k + 1), std::to_string(k + 1)),
         sheets::Cell::OfText(std::string(p.FirstName.WithoutBlanks())),
         sheets::Cell::OfText(std::string(p.LastName.WithoutBlanks())),
         sheets::Cell::OfNumber(serial, sheets::FormatIsoDate(sheets::CivilFromDays(
                                            static_cast<long>(serial) - serial_of_1970))),
         sheets::Cell::OfNumber(std::stod(std::string(p.Weight.WithoutBlanks())),
                                std::string(p.Weight.WithoutBlanks())),
         sheets::Cell::OfText(std::string(p.Club.WithoutBlanks())),
         sheets::Cell::OfNumber(std::stod(std::string(p.Rating.WithoutBlanks())),
                                std::string(p.Rating.WithoutBlanks())),
         sheets::Cell::OfText(std::string(p.Status.WithoutBlanks()))});
  }
  return table;
}

// Everything File > Open does with a spreadsheet once the organiser says OK: read the
// file's rows, find the headers and columns, build and read the roster lines, add them.
void Import(benchmark::State& state, const std::string& bytes, sheets::SheetFormat format) {
  for (auto _ : state) {
    const sheets::SheetData data = sheets::ReadSpreadsheet(bytes, format);
    const sheets::ImportSettings settings =
        sheets::GuessSettings(data, kEventDay, sheets::DateOrder::MonthFirst);
    roster::Roster loaded;
    sheets::ReadRowLines(sheets::BuildRowLines(data.rows, settings), loaded,
                         roster::IgnoreSkippedLines());
    roster::Roster roster;
    roster::AddLoadedEntries(roster, loaded);
    if (roster.EntryCount() != kWrestlers) state.SkipWithError("not every row loaded");
    benchmark::DoNotOptimize(roster);
  }
  state.SetItemsProcessed(state.iterations() * kWrestlers);
  state.counters["bytes"] = static_cast<double>(bytes.size());
}

void BM_ImportXlsx(benchmark::State& state) {
  std::string bytes;
  if (!sheets::EncodeXlsx(RegistrationTable(), &bytes).ok()) state.SkipWithError("no workbook");
  Import(state, bytes, sheets::SheetFormat::Xlsx);
}
BENCHMARK(BM_ImportXlsx)->Unit(benchmark::kMillisecond);

void BM_ImportCsv(benchmark::State& state) {
  Import(state, sheets::CsvText(RegistrationTable()), sheets::SheetFormat::Csv);
}
BENCHMARK(BM_ImportCsv)->Unit(benchmark::kMillisecond);

void BM_ExportRosterXlsx(benchmark::State& state) {
  const roster::Roster r = Generated(false);
  for (auto _ : state) {
    std::string bytes;
    if (!sheets::EncodeXlsx(sheets::RosterTable(r), &bytes).ok()) state.SkipWithError("failed");
    benchmark::DoNotOptimize(bytes);
  }
  state.SetItemsProcessed(state.iterations() * kWrestlers);
}
BENCHMARK(BM_ExportRosterXlsx)->Unit(benchmark::kMillisecond);

void BM_ExportRosterCsv(benchmark::State& state) {
  const roster::Roster r = Generated(false);
  for (auto _ : state) benchmark::DoNotOptimize(sheets::CsvText(sheets::RosterTable(r)));
  state.SetItemsProcessed(state.iterations() * kWrestlers);
}
BENCHMARK(BM_ExportRosterCsv)->Unit(benchmark::kMillisecond);

// The bouts of a run of 10,000 selected wrestlers with the default limits.
void BM_ExportBouts(benchmark::State& state) {
  const roster::Roster r = Generated(true);
  const pairing::PairingControl control;
  pairing::PairingRun run;
  if (!pairing::PairBouts(r, control, nullptr, &run).ok()) state.SkipWithError("no run");
  const bool xlsx = state.range(0) == 1;
  for (auto _ : state) {
    const sheets::Table table = sheets::BoutTable(run);
    std::string bytes;
    if (xlsx) {
      if (!sheets::EncodeXlsx(table, &bytes).ok()) state.SkipWithError("failed");
    } else {
      bytes = sheets::CsvText(table);
    }
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["bouts"] = run.TotalBouts;
  state.SetLabel(xlsx ? "xlsx" : "csv");
}
BENCHMARK(BM_ExportBouts)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrio::bench

BENCHMARK_MAIN();
