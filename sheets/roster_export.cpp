#include "sheets/roster_export.h"

#include <charconv>
#include <cstdlib>
#include <string>

#include "base/number_text.h"
#include "pairing/goodness_of_fit.h"
#include "sheets/text_encoding.h"

namespace kestrio::sheets {
namespace {

Cell TextCell(std::string_view roster_text) {
  const std::string_view text = kestrio::text::WithoutBlanks(roster_text);
  return text.empty() ? Cell() : Cell::OfText(RosterTextToUtf8(text));
}

// A number the roster holds as text ("     72.00"): the number, spelled as held.
Cell NumberCell(std::string_view roster_text) {
  const std::string_view text = kestrio::text::WithoutBlanks(roster_text);
  const std::optional<double> value = kestrio::text::ReadDouble(text);
  if (!value) return TextCell(text);
  std::string spelling(text);
  if (spelling.ends_with('.')) spelling.pop_back();  // a weight class is held as "75."
  return Cell::OfNumber(*value, spelling);
}

// A number of the run rounded to decimals, as the reports show it.
Cell RoundedCell(double value, int decimals) {
  char buffer[400];  // room for any double in fixed notation
  const auto written =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (written.ec != std::errc()) return Cell();
  double rounded = 0;
  std::from_chars(buffer, written.ptr, rounded);
  return Cell::OfNumber(rounded, std::string(buffer, written.ptr));
}

Cell WholeCell(long value) {
  return Cell::OfNumber(static_cast<double>(value), std::to_string(value));
}

// The round each bout number is in, found in one pass over the round table. Numbers
// run past the count of bouts once bouts are taken off the board without renumbering.
std::vector<int> RoundOfEachBout(const pairing::PairingRun& run) {
  long highest = 0;
  for (const pairing::BoutEntry& side : run.BoutList) {
    highest = std::max(highest, std::labs(static_cast<long>(side.BoutNumber)));
  }
  std::vector<int> round(static_cast<std::size_t>(highest) + 1, 0);
  const std::size_t cells = static_cast<std::size_t>(std::max(run.SelectionSize, 0)) *
                            static_cast<std::size_t>(std::max(run.RoundCapacity, 0));
  if (run.RoundTable.size() < cells) return round;
  for (int p = 0; p < run.SelectionSize; ++p) {
    for (int r = 0; r < run.RoundCapacity; ++r) {
      const long b = std::labs(static_cast<long>(run.RoundEntry(p, r)));
      if (b > 0 && b <= highest) round[static_cast<std::size_t>(b)] = r + 1;
    }
  }
  return round;
}

void AppendSide(CellRow& row, const pairing::PairingRun& run, const pairing::BoutEntry& side) {
  const auto index = static_cast<std::size_t>(side.SelectionIndex);
  // The selection keeps the names and club as the roster has them; the bout entry only
  // the first five letters of the club.
  if (index < run.SelectedList.size()) {
    const pairing::SelectedParticipant& p = run.SelectedList[index];
    row.push_back(TextCell(p.LastName.view()));
    row.push_back(TextCell(p.FirstName.view()));
    row.push_back(TextCell(p.Club.view()));
  } else {
    row.push_back(TextCell(side.LastName.view()));
    row.push_back(TextCell(side.FirstName.view()));
    row.push_back(TextCell(side.Club.view()));
  }
  row.push_back(RoundedCell(side.Weight, 2));
  row.push_back(RoundedCell(side.Age, 2));
  row.push_back(RoundedCell(side.Rating, 2));
}

}  // namespace

Table RosterTable(const roster::Roster& roster, const roster::EntryFilter& filter) {
  Table table;
  table.sheet_name = "Roster";
  table.columns = {{"Last Name", "", 18}, {"First Name", "", 16},   {"Weight", "0.00", 9},
                   {"Age", "0.00", 8},    {"Rating", "0.00", 8},    {"Club", "", 16},
                   {"Status", "", 12},    {"Weight Class", "0", 13}};
  const std::size_t n = std::min(roster.Entries.size(), roster.DisplayOrder.size());
  table.rows.reserve(n);
  for (std::size_t k = 0; k < n; ++k) {
    const roster::Participant& p = roster.Displayed(k);
    if (filter && !filter(p)) continue;
    table.rows.push_back({TextCell(p.LastName.view()), TextCell(p.FirstName.view()),
                          NumberCell(p.Weight.view()), NumberCell(p.Age.view()),
                          NumberCell(p.Rating.view()), TextCell(p.Club.view()),
                          TextCell(p.Status.view()), NumberCell(p.WeightClass.view())});
  }
  return table;
}

namespace {

// Where and when the bout numbered number is wrestled; both empty for a bout the day
// does not hold.
void AppendPlace(CellRow& row, const reports::MatDay& day, std::int32_t number) {
  const int i = reports::FindScheduledBout(day, number);
  if (i < 0) {
    row.push_back(Cell());
    row.push_back(Cell());
    return;
  }
  row.push_back(WholeCell(reports::MatOfBout(day, i)));
  row.push_back(Cell::OfText(reports::StartOfBout(day, i)));
}

}  // namespace

Table BoutTable(const pairing::PairingRun& run, const reports::MatDay* day) {
  Table table;
  table.sheet_name = "Bouts";
  table.columns = {{"Bout", "0", 6},          {"Non-Optimum", "", 12}, {"Round", "0", 7},
                   {"Weight Class", "0", 13}, {"Last Name 1", "", 16}, {"First Name 1", "", 14},
                   {"Club 1", "", 14},        {"Weight 1", "0.00", 9}, {"Age 1", "0.00", 7},
                   {"Rating 1", "0.00", 9},   {"Last Name 2", "", 16}, {"First Name 2", "", 14},
                   {"Club 2", "", 14},        {"Weight 2", "0.00", 9}, {"Age 2", "0.00", 7},
                   {"Rating 2", "0.00", 9},   {"Fit", "0.000000", 10}};
  if (day != nullptr) {
    table.columns.push_back({"Mat", "0", 5});
    table.columns.push_back({"Time", "", 7});
  }
  const std::vector<int> round = RoundOfEachBout(run);
  const pairing::FitTolerances optimum = pairing::OptimumTolerances(run.Control);
  const pairing::FitTolerances relaxed = pairing::RelaxedTolerances(run.Control);
  for (std::size_t t = 0; t < run.BoutOrder.size(); ++t) {
    const auto k = static_cast<std::size_t>(run.BoutOrder[t]);
    if (2 * k + 1 >= run.BoutList.size()) continue;
    const pairing::BoutEntry& a = run.BoutList[2 * k];
    const pairing::BoutEntry& b = run.BoutList[2 * k + 1];
    CellRow row;
    row.reserve(table.columns.size());
    const long number = std::labs(static_cast<long>(a.BoutNumber));
    row.push_back(WholeCell(number));
    row.push_back(a.BoutNumber < 0 ? Cell::OfText("Yes") : Cell());
    row.push_back(static_cast<std::size_t>(number) < round.size() && round[number] > 0
                      ? WholeCell(round[static_cast<std::size_t>(number)])
                      : Cell());
    row.push_back(WholeCell(a.WeightClass));
    AppendSide(row, run, a);
    AppendSide(row, run, b);
    const auto ia = static_cast<std::size_t>(a.SelectionIndex);
    const auto ib = static_cast<std::size_t>(b.SelectionIndex);
    if (ia < run.FitList.size() && ib < run.FitList.size()) {
      const float fit = pairing::GoodnessOfFit(run.FitList[ia], run.FitList[ib],
                                               a.BoutNumber < 0 ? relaxed : optimum);
      row.push_back(RoundedCell(fit, 6));
    } else {
      row.push_back(Cell());
    }
    if (day != nullptr) AppendPlace(row, *day, a.BoutNumber);
    table.rows.push_back(std::move(row));
  }
  return table;
}

}  // namespace kestrio::sheets
