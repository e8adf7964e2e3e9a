#include "reports/results_reports.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/number_text.h"
#include "reports/block_memo.h"
#include "reports/report_line.h"
#include "reports/wrestler_columns.h"

namespace kestrio::reports {
namespace {

using pairing::PairingRun;

int RoundsToScan(const PairingRun& run) {
  return std::max(0, std::min(run.RoundsUsed, run.RoundCapacity));
}

bool RoundTableFits(const PairingRun& run) {
  return run.SelectionSize >= 0 && run.RoundCapacity >= 0 &&
         run.RoundTable.size() >= static_cast<std::size_t>(run.SelectionSize) *
                                      static_cast<std::size_t>(run.RoundCapacity);
}

// The bouts in number order: BoutOrder names them, and their numbers rise. A run numbers
// its bouts 1..TotalBouts; a board edited after the run keeps the numbers it gave and
// leaves the gaps of removed bouts, so a number is looked up rather than used as a place.
class NumberOrder {
 public:
  explicit NumberOrder(const PairingRun& run) {
    const std::size_t count =
        std::min(run.BoutOrder.size(), static_cast<std::size_t>(std::max(run.TotalBouts, 0)));
    numbers_.reserve(count);
    std::int64_t highest = 0;
    for (std::size_t t = 0; t < count; ++t) {
      const std::int64_t e = run.BoutOrder[t];
      const bool listed = e >= 0 && static_cast<std::size_t>(2 * e + 1) < run.BoutList.size();
      numbers_.push_back(listed ? std::llabs(static_cast<std::int64_t>(
                                      run.BoutList[static_cast<std::size_t>(2 * e)].BoutNumber))
                                : 0);
      dense_ = dense_ && numbers_.back() == static_cast<std::int64_t>(t) + 1;
      highest = std::max(highest, numbers_.back());
    }
    // A board with gaps in its numbers: a table by number while the gaps are few, as
    // every side of every bout is looked up.
    if (!dense_ && highest <= 4 * static_cast<std::int64_t>(count) + 1024) {
      place_of_.assign(static_cast<std::size_t>(highest) + 1, -1);
      for (std::size_t t = count; t-- > 0;) {
        place_of_[static_cast<std::size_t>(numbers_[t])] = static_cast<int>(t);
      }
    }
  }

  std::size_t size() const { return numbers_.size(); }
  // The number of the t-th bout in number order; 0 when BoutOrder names no bout there.
  std::int64_t NumberAt(std::size_t t) const { return numbers_[t]; }
  // The place in number order of the bout numbered b (b > 0), or -1.
  int PlaceOf(std::int64_t b) const {
    if (dense_)
      return b <= static_cast<std::int64_t>(numbers_.size()) ? static_cast<int>(b - 1) : -1;
    if (!place_of_.empty()) {
      return b < static_cast<std::int64_t>(place_of_.size())
                 ? place_of_[static_cast<std::size_t>(b)]
                 : -1;
    }
    const auto it = std::lower_bound(numbers_.begin(), numbers_.end(), b);
    return it != numbers_.end() && *it == b ? static_cast<int>(it - numbers_.begin()) : -1;
  }

 private:
  std::vector<std::int64_t> numbers_;
  bool dense_ = true;
  // By number: the first place holding it, -1 for none (when kept).
  std::vector<int> place_of_;
};

// Side 1 of a bout is the first wrestler carrying its number scanning round by round and,
// within a round, in selection order; side 2 is the next one after it in that round.
// One pass over the table finds both sides of every bout, by place in number order.
std::vector<BoutSides> FindBoutSides(const PairingRun& run, const NumberOrder& order) {
  std::vector<BoutSides> sides(order.size());
  if (!RoundTableFits(run)) return sides;
  for (int r = 0; r < RoundsToScan(run); ++r) {
    for (int p = 0; p < run.SelectionSize; ++p) {
      const std::int64_t b = std::llabs(static_cast<std::int64_t>(run.RoundEntry(p, r)));
      if (b == 0) continue;
      const int place = order.PlaceOf(b);
      if (place < 0) continue;
      BoutSides& s = sides[static_cast<std::size_t>(place)];
      if (s.first < 0) {
        s = {r, p, -1};
      } else if (s.second < 0 && s.round == r) {
        s.second = p;
      }
    }
  }
  return sides;
}

// The chooser's side of the t-th bout in number order (from 0) in the bout list, or null
// when the bout order does not lead to one.
const pairing::BoutEntry* FirstSideInBoutList(const PairingRun& run, std::size_t t) {
  if (t >= run.BoutOrder.size()) return nullptr;
  const std::int64_t e = run.BoutOrder[t];
  if (e < 0 || static_cast<std::size_t>(2 * e + 1) >= run.BoutList.size()) return nullptr;
  return &run.BoutList[static_cast<std::size_t>(2 * e)];
}

Status Inconsistent(std::int64_t bout, const char* what) {
  return Status::InconsistentRun("Pairing tables inconsistent: bout " + std::to_string(bout) + " " +
                                 what);
}

Status CheckRoundTable(const PairingRun& run, const NumberOrder& order,
                       std::vector<BoutSides>* found) {
  if (!RoundTableFits(run) ||
      run.SelectedList.size() != static_cast<std::size_t>(run.SelectionSize) ||
      run.BoutCount.size() != static_cast<std::size_t>(run.SelectionSize) ||
      run.FitList.size() != static_cast<std::size_t>(run.SelectionSize) || run.TotalBouts < 0) {
    return Status::InconsistentRun(
        "Pairing tables inconsistent: table sizes differ from the selection");
  }
  std::vector<int> seen(order.size(), 0);
  for (int p = 0; p < run.SelectionSize; ++p) {
    for (int r = 0; r < run.RoundCapacity; ++r) {
      const std::int64_t b = std::llabs(static_cast<std::int64_t>(run.RoundEntry(p, r)));
      if (b == 0) continue;
      const int place = order.PlaceOf(b);
      if (place < 0 || r >= run.RoundsUsed) return Inconsistent(b, "is out of range");
      ++seen[static_cast<std::size_t>(place)];
    }
  }
  std::vector<BoutSides> sides = FindBoutSides(run, order);
  for (std::size_t t = 0; t < order.size(); ++t) {
    if (seen[t] != 2 || sides[t].second < 0) {
      return Inconsistent(order.NumberAt(t), "does not have two sides in one round");
    }
  }
  if (found != nullptr) *found = std::move(sides);
  return Status::Ok();
}

// Checked before the round table: the numbers the round table is read by come from here.
Status CheckBoutList(const PairingRun& run) {
  if (run.TotalBouts < 0 || run.BoutOrder.size() != static_cast<std::size_t>(run.TotalBouts) ||
      run.BoutList.size() != 2 * static_cast<std::size_t>(run.TotalBouts)) {
    return Status::InconsistentRun(
        "Pairing tables inconsistent: bout list and bout order sizes differ");
  }
  std::int64_t previous = 0;
  for (int t = 1; t <= run.TotalBouts; ++t) {
    const std::int64_t e = run.BoutOrder[static_cast<std::size_t>(t - 1)];
    if (e < 0 || e >= run.TotalBouts) return Inconsistent(t, "has no entry in the bout list");
    const auto& a = run.BoutList[static_cast<std::size_t>(2 * e)];
    const auto& b = run.BoutList[static_cast<std::size_t>(2 * e + 1)];
    const std::int64_t number = std::llabs(static_cast<std::int64_t>(a.BoutNumber));
    if (a.BoutNumber != b.BoutNumber || number == 0) {
      return Inconsistent(t, "carries different numbers on its two sides");
    }
    // Numbers rise along the bout order; a run's run 1, 2, 3 without gaps.
    if (number <= previous) return Inconsistent(number, "is out of order");
    previous = number;
  }
  for (const auto& entry : run.BoutList) {
    if (entry.SelectionIndex < 0 || entry.SelectionIndex >= run.SelectionSize) {
      return Status::InconsistentRun(
          "Pairing tables inconsistent: a bout names a wrestler outside the selection");
    }
  }
  return Status::Ok();
}

// Wrestler p's side of a bout-sheet line: his columns in the places the club reports
// give them, the surname first, with commas between. A comma inside a name ("Smith, Jr")
// would add a column to the mail merge's record and print every later field of the bout
// in the wrong place, so it is written as ";".
void PutBoutSheetSide(const WrestlerColumns::Row& row, char* side) {
  using Columns = WrestlerColumns;
  std::memcpy(side, row.text, Columns::kSize);
  std::memcpy(side + Columns::kGivenNameAt, row.text + Columns::kSurnameAt, Columns::kNameWidth);
  std::memcpy(side + Columns::kSurnameAt, row.text + Columns::kGivenNameAt, Columns::kNameWidth);
  if (row.comma) std::replace(side, side + Columns::kClubAt + Columns::kClubWidth, ',', ';');
  for (const std::size_t at : {16, 33, 40, 47, 53}) side[at] = ',';
}
constexpr std::size_t kBoutSheetSideSize = WrestlerColumns::kSize;

// Wrestler p's columns in the results summary, after his bout count: 2 blanks, surname,
// 2 blanks, given name, then his club and weight as in his columns, and his age and rating
// narrower, each after 2 blanks.
constexpr std::size_t kResultsColumnsSize = 59;
void PutResultsColumns(WrestlerColumns& columns, std::size_t p, char* out) {
  using Columns = WrestlerColumns;
  const Columns::Row& row = columns.Of(p);
  std::fill_n(out, kResultsColumnsSize, ' ');
  std::memcpy(out + 2, row.text + Columns::kSurnameAt, Columns::kNameWidth);
  std::memcpy(out + 19, row.text + Columns::kGivenNameAt, Columns::kNameWidth);
  // Blanks, club, blanks and weight, as they follow the surname in his columns.
  constexpr std::size_t kAfterSurname = Columns::kSurnameAt + Columns::kNameWidth;
  std::memcpy(out + 34, row.text + kAfterSurname, Columns::kWeightAt + 5 - kAfterSurname);
  columns.PutNarrowMeasures(p, out + 50, out + 55);
}

void BoutSheetHeader(ReportText& out, bool rule) {
  auto field = [&](std::string_view word, int w) -> ReportText& {
    return rule ? out.Literal(std::string(static_cast<std::size_t>(w), '-')) : out.Word(word, w);
  };
  field("Bout", 4).Literal(",").Blanks(1);
  field("Wgt", 3).Literal(",");
  for (int side = 1; side <= 2; ++side) {
    const std::string d = std::to_string(side);
    out.Blanks(1);
    field("Surname" + d, 15).Literal(",").Blanks(1);
    field("GivenName" + d, 15).Literal(",").Blanks(1);
    field("Club" + d, 5).Literal(",").Blanks(1);
    field("Wght" + d, 5).Literal(",").Blanks(1);
    field("Age" + d, 4).Literal(",").Blanks(1);
    field("Rate" + d, 5);
    if (side == 1) out.Literal(",");
  }
  out.EndLine();
}

}  // namespace

Status CheckBoutTables(const PairingRun& run) { return CheckBoutTables(run, nullptr); }

Status CheckBoutTables(const PairingRun& run, std::vector<BoutSides>* sides) {
  if (Status s = CheckBoutList(run); !s.ok()) return s;
  return CheckRoundTable(run, NumberOrder(run), sides);
}

void WriteBoutSheetsInto(const PairingRun& run, ReportText& out, BlockMemo* memo) {
  WrestlerColumns columns(run, memo == nullptr);
  WriteBoutSheetsInto(run, columns, out, memo);
}

void WriteBoutSheetsInto(const PairingRun& run, WrestlerColumns& columns, ReportText& out,
                         BlockMemo* memo) {
  WriteBoutSheetsInto(run, columns, FindBoutSides(run, NumberOrder(run)), out, memo);
}

void WriteBoutSheetsInto(const PairingRun& run, WrestlerColumns& columns,
                         const std::vector<BoutSides>& sides, ReportText& out, BlockMemo* memo) {
  out.Reserve(static_cast<std::size_t>(std::max(run.TotalBouts, 0) + 2) * 140);
  BoutSheetHeader(out, false);
  BoutSheetHeader(out, true);
  BlockKey key;
  for (std::size_t t = 0; t < sides.size(); ++t) {
    const BoutSides& s = sides[t];
    const pairing::BoutEntry* bout = FirstSideInBoutList(run, t);
    if (s.second < 0 || bout == nullptr) continue;
    // The sides lie at random in their table: asked for ahead, the reads overlap.
    if (constexpr std::size_t kAhead = 8; t + kAhead < sides.size()) {
      const BoutSides& ahead = sides[t + kAhead];
      if (ahead.first >= 0) columns.Prefetch(static_cast<std::size_t>(ahead.first));
      if (ahead.second >= 0) columns.Prefetch(static_cast<std::size_t>(ahead.second));
    }
    const auto bout_place = static_cast<std::size_t>(run.BoutOrder[t]);
    const std::int32_t number = run.RoundEntry(s.first, s.round);
    const auto line = [&](ReportText& text) {
      // The bout's number and class, then both sides: laid out here, written at once.
      char record[2 * text::kIntInFullRoom + 3 + 2 * kBoutSheetSideSize + 1 + 2];
      std::size_t n = text::PutIntInFull(record, number, 4);
      record[n++] = ',';
      record[n++] = ' ';
      n += text::PutIntInFull(record + n, bout->WeightClass, 3);
      record[n++] = ',';
      PutBoutSheetSide(columns.Of(static_cast<std::size_t>(s.first)), record + n);
      n += kBoutSheetSideSize;
      record[n++] = ',';
      PutBoutSheetSide(columns.Of(static_cast<std::size_t>(s.second)), record + n);
      n += kBoutSheetSideSize;
      record[n++] = '\r';
      record[n++] = '\n';
      text.Lines(std::string_view(record, n));
    };
    if (memo == nullptr) {
      line(out);
      continue;
    }
    key.Clear();
    key.Add(number).Add(bout->WeightClass);
    key.Add(memo->WrestlerName(s.first)).Add(memo->WrestlerName(s.second));
    memo->Write(out, BlockKind::kBoutSheetLine, bout_place, key, line);
  }
}

std::string WriteBoutSheets(const PairingRun& run) {
  ReportText out;
  WriteBoutSheetsInto(run, out);
  return out.Take();
}

void WriteResultsSummaryInto(const PairingRun& run, ReportText& out, BlockMemo* memo) {
  WrestlerColumns columns(run, memo == nullptr);
  WriteResultsSummaryInto(run, columns, out, memo);
}

void WriteResultsSummaryInto(const PairingRun& run, WrestlerColumns& columns, ReportText& out,
                             BlockMemo* memo) {
  const int rounds = RoundTableFits(run) ? RoundsToScan(run) : 0;
  out.Reserve(static_cast<std::size_t>(std::max(run.SelectionSize, 0) + 2) *
              (70 + 5 * static_cast<std::size_t>(rounds)));
  out.Literal("#B").Blanks(2).Word("Surname", 15).Blanks(2).Word("GivenName", 15);
  out.Blanks(2).Word("Club", 5).Blanks(2).Text("Wght", 5).Blanks(2).Text("Age", 3);
  out.Blanks(2).Text("Rate", 4);
  for (int r = 1; r <= rounds; ++r) {
    out.Blanks(2);
    if (r < 10) {
      out.Literal("r#").Int(r, 1);
    } else {
      out.Literal("#").Int(r, 2);
    }
  }
  out.EndLine();

  out.Literal("--");
  for (int w : {15, 15, 5, 5, 3, 4})
    out.Blanks(2).Literal(std::string(static_cast<std::size_t>(w), '-'));
  for (int r = 1; r <= rounds; ++r) out.Blanks(2).Literal("---");
  out.EndLine();

  const int rows = std::min<int>(run.SelectionSize, static_cast<int>(run.SelectedList.size()));
  BlockKey key;
  for (int p = 0; p < rows; ++p) {
    const std::int32_t bouts = static_cast<std::size_t>(p) < run.BoutCount.size()
                                   ? run.BoutCount[static_cast<std::size_t>(p)]
                                   : 0;
    const auto row = [&](ReportText& text) {
      // Laid out here and written at once; a row of very many rounds a part at a time.
      char line[512];
      std::size_t n = text::PutIntInFull(line, bouts, 2);
      PutResultsColumns(columns, static_cast<std::size_t>(p), line + n);
      n += kResultsColumnsSize;
      bool parted = false;
      for (int r = 0; r < rounds; ++r) {
        if (n + 1 + text::kIntInFullRoom > sizeof line) {
          text.Literal(std::string_view(line, n));
          n = 0;
          parted = true;
        }
        line[n++] = ' ';
        n += text::PutIntInFull(line + n, run.RoundEntry(p, r), 4);
      }
      if (parted) {
        text.Literal(std::string_view(line, n)).EndLine();
        return;
      }
      line[n++] = '\r';
      line[n++] = '\n';
      text.Lines(std::string_view(line, n));
    };
    if (memo == nullptr) {
      row(out);
      continue;
    }
    key.Clear();
    key.Add(bouts);
    for (int r = 0; r < rounds; ++r) key.Add(run.RoundEntry(p, r));
    memo->Write(out, BlockKind::kResultsRow, static_cast<std::size_t>(p), key, row);
  }
}

std::string WriteResultsSummary(const PairingRun& run) {
  ReportText out;
  WriteResultsSummaryInto(run, out);
  return out.Take();
}

}  // namespace kestrio::reports
