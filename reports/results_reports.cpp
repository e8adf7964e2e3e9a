#include "reports/results_reports.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "reports/report_line.h"

namespace kestrio::reports {
namespace {

using pairing::PairingRun;

// Where the two sides of one bout sit in the round table (-1: not found).
struct BoutSides {
  int round = -1;
  int first = -1;
  int second = -1;
};

int RoundsToScan(const PairingRun& run) {
  return std::max(0, std::min(run.RoundsUsed, run.RoundCapacity));
}

bool RoundTableFits(const PairingRun& run) {
  return run.SelectionSize >= 0 && run.RoundCapacity >= 0 &&
         run.RoundTable.size() >= static_cast<std::size_t>(run.SelectionSize) *
                                      static_cast<std::size_t>(run.RoundCapacity);
}

// Side 1 of bout b is the first wrestler with |entry| = b scanning round by round and,
// within a round, in selection order; side 2 is the next one after it in that round.
// One pass over the table finds both sides of every bout.
std::vector<BoutSides> FindBoutSides(const PairingRun& run) {
  std::vector<BoutSides> sides(static_cast<std::size_t>(std::max(run.TotalBouts, 0)) + 1);
  if (!RoundTableFits(run)) return sides;
  for (int r = 0; r < RoundsToScan(run); ++r) {
    for (int p = 0; p < run.SelectionSize; ++p) {
      const std::int64_t b = std::llabs(static_cast<std::int64_t>(run.RoundEntry(p, r)));
      if (b == 0 || b > run.TotalBouts) continue;
      BoutSides& s = sides[static_cast<std::size_t>(b)];
      if (s.first < 0) {
        s = {r, p, -1};
      } else if (s.second < 0 && s.round == r) {
        s.second = p;
      }
    }
  }
  return sides;
}

// The chooser's side of the bout numbered b (1-based) in the bout list, or null when the
// bout order does not lead to one.
const pairing::BoutEntry* FirstSideInBoutList(const PairingRun& run, int b) {
  if (b < 1 || static_cast<std::size_t>(b) > run.BoutOrder.size()) return nullptr;
  const std::int64_t e = run.BoutOrder[static_cast<std::size_t>(b - 1)];
  if (e < 0 || static_cast<std::size_t>(2 * e + 1) >= run.BoutList.size()) return nullptr;
  return &run.BoutList[static_cast<std::size_t>(2 * e)];
}

Status Inconsistent(int bout, const char* what) {
  return Status::InconsistentRun("Pairing tables inconsistent: bout " + std::to_string(bout) + " " +
                                 what);
}

Status CheckRoundTable(const PairingRun& run) {
  if (!RoundTableFits(run) ||
      run.SelectedList.size() != static_cast<std::size_t>(run.SelectionSize) ||
      run.BoutCount.size() != static_cast<std::size_t>(run.SelectionSize) ||
      run.FitList.size() != static_cast<std::size_t>(run.SelectionSize) || run.TotalBouts < 0) {
    return Status::InconsistentRun(
        "Pairing tables inconsistent: table sizes differ from the selection");
  }
  std::vector<int> seen(static_cast<std::size_t>(run.TotalBouts) + 1, 0);
  for (int p = 0; p < run.SelectionSize; ++p) {
    for (int r = 0; r < run.RoundCapacity; ++r) {
      const std::int64_t b = std::llabs(static_cast<std::int64_t>(run.RoundEntry(p, r)));
      if (b == 0) continue;
      if (b > run.TotalBouts || r >= run.RoundsUsed)
        return Inconsistent(static_cast<int>(b), "is out of range");
      ++seen[static_cast<std::size_t>(b)];
    }
  }
  const std::vector<BoutSides> sides = FindBoutSides(run);
  for (int b = 1; b <= run.TotalBouts; ++b) {
    if (seen[static_cast<std::size_t>(b)] != 2 || sides[static_cast<std::size_t>(b)].second < 0) {
      return Inconsistent(b, "does not have two sides in one round");
    }
  }
  return Status::Ok();
}

Status CheckBoutList(const PairingRun& run) {
  if (run.BoutOrder.size() != static_cast<std::size_t>(run.TotalBouts) ||
      run.BoutList.size() != 2 * static_cast<std::size_t>(run.TotalBouts)) {
    return Status::InconsistentRun(
        "Pairing tables inconsistent: bout list and bout order sizes differ");
  }
  for (int t = 1; t <= run.TotalBouts; ++t) {
    const std::int64_t e = run.BoutOrder[static_cast<std::size_t>(t - 1)];
    if (e < 0 || e >= run.TotalBouts) return Inconsistent(t, "has no entry in the bout list");
    const auto& a = run.BoutList[static_cast<std::size_t>(2 * e)];
    const auto& b = run.BoutList[static_cast<std::size_t>(2 * e + 1)];
    if (a.BoutNumber != b.BoutNumber || std::llabs(static_cast<std::int64_t>(a.BoutNumber)) != t) {
      return Inconsistent(t, "carries different numbers on its two sides");
    }
  }
  for (const auto& entry : run.BoutList) {
    if (entry.SelectionIndex < 0 || entry.SelectionIndex >= run.SelectionSize) {
      return Status::InconsistentRun(
          "Pairing tables inconsistent: a bout names a wrestler outside the selection");
    }
  }
  return Status::Ok();
}

// A comma inside a name ("Smith, Jr") would add a column to the mail-merge record and
// print every later field of the bout in the wrong place, so it is written as ";".
std::string MergeSafe(std::string_view text) {
  std::string safe(text);
  std::replace(safe.begin(), safe.end(), ',', ';');
  return safe;
}

void BoutSheetSide(ReportText& line, const pairing::SelectedParticipant& w) {
  line.Blanks(1).Text(MergeSafe(w.LastName.view()), 15).Literal(",");
  line.Blanks(1).Text(MergeSafe(w.FirstName.view()), 15).Literal(",");
  line.Blanks(1).Text(MergeSafe(w.Club.view().substr(0, 5)), 5).Literal(",");
  line.Blanks(1).Fixed(w.Weight, 5, 1).Literal(",");
  line.Blanks(1).Fixed(w.Age, 4, 0).Literal(",");
  line.Blanks(1).Fixed(w.Rating, 5, 2);
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

Status CheckBoutTables(const PairingRun& run) {
  if (Status s = CheckRoundTable(run); !s.ok()) return s;
  return CheckBoutList(run);
}

void WriteBoutSheetsInto(const PairingRun& run, ReportText& out) {
  out.Reserve(static_cast<std::size_t>(std::max(run.TotalBouts, 0) + 2) * 140);
  BoutSheetHeader(out, false);
  BoutSheetHeader(out, true);
  const std::vector<BoutSides> sides = FindBoutSides(run);
  for (int b = 1; b <= run.TotalBouts; ++b) {
    const BoutSides& s = sides[static_cast<std::size_t>(b)];
    const pairing::BoutEntry* bout = FirstSideInBoutList(run, b);
    if (s.second < 0 || bout == nullptr) continue;
    const auto& w1 = run.SelectedList[static_cast<std::size_t>(s.first)];
    const auto& w2 = run.SelectedList[static_cast<std::size_t>(s.second)];
    out.Int(run.RoundEntry(s.first, s.round), 4).Literal(",");
    out.Blanks(1).Int(bout->WeightClass, 3).Literal(",");
    BoutSheetSide(out, w1);
    out.Literal(",");
    BoutSheetSide(out, w2);
    out.EndLine();
  }
}

std::string WriteBoutSheets(const PairingRun& run) {
  ReportText out;
  WriteBoutSheetsInto(run, out);
  return out.Take();
}

void WriteResultsSummaryInto(const PairingRun& run, ReportText& out) {
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
  for (int p = 0; p < rows; ++p) {
    const auto& w = run.SelectedList[static_cast<std::size_t>(p)];
    const std::int32_t bouts = static_cast<std::size_t>(p) < run.BoutCount.size()
                                   ? run.BoutCount[static_cast<std::size_t>(p)]
                                   : 0;
    out.Int(bouts, 2).Blanks(2).Text(w.LastName.view(), 15).Blanks(2).Text(w.FirstName.view(), 15);
    out.Blanks(2)
        .Text(w.Club.view(), 5)
        .Blanks(2)
        .Fixed(w.Weight, 5, 1)
        .Blanks(2)
        .Fixed(w.Age, 3, 0);
    out.Blanks(2).Fixed(w.Rating, 4, 2);
    for (int r = 0; r < rounds; ++r) out.Blanks(1).Int(run.RoundEntry(p, r), 4);
    out.EndLine();
  }
}

std::string WriteResultsSummary(const PairingRun& run) {
  ReportText out;
  WriteResultsSummaryInto(run, out);
  return out.Take();
}

}  // namespace kestrio::reports
