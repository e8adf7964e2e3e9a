#include "reports/schedule_reports.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

#include "base/fixed_text.h"
#include "reports/club_reports.h"
#include "reports/report_line.h"

namespace kestrio::reports {
namespace {

using pairing::PairingRun;
using schedule::MatSettings;
using schedule::ScheduleBout;

constexpr int kNameWidth = 24;
constexpr int kClubWidth = 10;
constexpr std::string_view kNoClub = "(no club)";

std::size_t Index(int i) { return static_cast<std::size_t>(i); }

// s cut to at most w bytes, never inside a UTF-8 character.
std::string_view Cut(std::string_view s, int w) {
  if (s.size() <= Index(w)) return s;
  std::size_t n = Index(w);
  while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
  return s.substr(0, n);
}

// A left-aligned column: the text, then blanks that only a later column writes out (an
// empty text writes nothing, so a line never ends in blanks).
void Left(ReportText& out, std::string_view s, int w) {
  const std::string_view cut = Cut(text::WithoutBlanks(s), w);
  if (!cut.empty()) out.Literal(cut);
  out.Blanks(w - static_cast<int>(cut.size()));
}

bool HasWrestler(const PairingRun& run, int p) {
  return p >= 0 && Index(p) < run.SelectedList.size();
}

std::string FullName(const PairingRun& run, int p) {
  if (!HasWrestler(run, p)) return {};
  const pairing::SelectedParticipant& w = run.SelectedList[Index(p)];
  std::string name(w.LastName.WithoutBlanks());
  if (!w.FirstName.IsBlank()) name += ", " + std::string(w.FirstName.WithoutBlanks());
  return name;
}

std::string_view ClubOf(const PairingRun& run, int p) {
  return HasWrestler(run, p) ? run.SelectedList[Index(p)].Club.WithoutBlanks() : std::string_view();
}

void Rule(ReportText& out, int width) {
  out.Blanks(2).Literal(std::string(Index(width), '-')).EndLine();
}

// The title block both reports open with: what was scheduled and how it came out.
void Heading(ReportText& out, std::string_view title, const MatDay& day) {
  const MatSettings& s = day.settings;
  Rule(out, 60);
  out.Blanks(2).Literal(title).EndLine();
  out.Blanks(2)
      .Literal(std::to_string(s.Mats))
      .Literal(s.Mats == 1 ? " mat, rest " : " mats, rest ");
  out.Literal(std::to_string(s.Rest)).Literal(s.Rest == 1 ? " slot, " : " slots, ");
  out.Literal(std::to_string(s.BoutMinutes));
  out.Literal("-minute bouts from ").Literal(schedule::ClockText(s.StartMinutes)).EndLine();
  Rule(out, 60);
  out.Blanks(2).Literal("Bouts:").Int(static_cast<std::int64_t>(day.bouts.size()), 6);
  out.Literal("   Slots used:").Int(day.schedule.SlotsUsed, 5);
  out.Literal("   Lower bound:").Int(day.schedule.LowerBound, 5);
  out.Literal("   Ends at ");
  out.Literal(schedule::ClockText(schedule::SlotStart(s, day.schedule.SlotsUsed))).EndLine();
  out.Blanks(2).Literal("Idle mat slots:").Int(day.schedule.IdleSlots, 6).EndLine();
}

// What the schedule could not keep: bouts no mat's weight classes hold, wrestlers who
// rest less than asked.
void Breaches(ReportText& out, const PairingRun& run, const MatDay& day) {
  if (!day.schedule.OutOfRange.empty()) {
    out.EndLine().Blanks(2).Literal("Bouts outside every mat's weight classes:").EndLine();
    for (int b : day.schedule.OutOfRange) {
      const ScheduleBout& bout = day.bouts[Index(b)];
      out.Blanks(4).Literal("Bout").Int(bout.Number, 6).Literal("  class").Int(bout.WeightClass, 5);
      out.Literal("  on mat").Int(day.schedule.Mat[Index(b)] + 1, 3).EndLine();
    }
  }
  if (!day.schedule.ShortRest.empty()) {
    out.EndLine().Blanks(2).Literal("Wrestlers resting less than ");
    out.Literal(std::to_string(day.settings.Rest));
    out.Literal(day.settings.Rest == 1 ? " slot:" : " slots:").EndLine();
    for (int w : day.schedule.ShortRest) {
      out.Blanks(4);
      Left(out, FullName(run, w), kNameWidth);
      out.Blanks(1).Literal(ClubOf(run, w)).EndLine();
    }
  }
}

void Dashes(ReportText& out, int n) { out.Literal(std::string(Index(n), '-')); }

void MatBlock(ReportText& out, const PairingRun& run, const MatDay& day, int mat,
              const std::vector<int>& bouts) {
  out.EndLine().EndLine().Blanks(2).Literal("************").EndLine();
  out.Blanks(2).Literal("Mat").Int(mat + 1, 3).EndLine();
  out.Blanks(2).Literal("************").EndLine();
  out.Blanks(2).Literal("Slot  Time   Bout Class Round  ");
  Left(out, "Wrestler 1", kNameWidth + 1);
  Left(out, "Club", kClubWidth + 2);
  Left(out, "Wrestler 2", kNameWidth + 1);
  out.Literal("Club").EndLine();
  out.Blanks(2).Literal("---- -----  ----- ----- -----  ");
  for (int side = 0; side < 2; ++side) {
    Dashes(out, kNameWidth);
    out.Blanks(1);
    Dashes(out, kClubWidth);
    if (side == 0) out.Blanks(2);
  }
  out.EndLine();
  for (int b : bouts) {
    const ScheduleBout& bout = day.bouts[Index(b)];
    const int slot = day.schedule.Slot[Index(b)];
    out.Blanks(2).Int(slot + 1, 4).Blanks(1);
    out.Literal(schedule::ClockText(schedule::SlotStart(day.settings, slot))).Blanks(2);
    out.Int(bout.Number, 5).Int(bout.WeightClass, 6).Int(bout.Round, 6).Blanks(2);
    Left(out, FullName(run, bout.WrestlerA), kNameWidth);
    out.Blanks(1);
    Left(out, ClubOf(run, bout.WrestlerA), kClubWidth);
    out.Blanks(2);
    Left(out, FullName(run, bout.WrestlerB), kNameWidth);
    out.Blanks(1);
    Left(out, ClubOf(run, bout.WrestlerB), kClubWidth);
    out.EndLine();
  }
}

// Bout indices per mat, each mat's bouts by slot.
std::vector<std::vector<int>> BoutsByMat(const MatDay& day) {
  std::vector<std::vector<int>> by_mat(Index(std::max(day.settings.Mats, 1)));
  std::vector<int> order(day.bouts.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return day.schedule.Slot[Index(a)] < day.schedule.Slot[Index(b)];
  });
  for (int b : order) {
    const int mat = day.schedule.Mat[Index(b)];
    if (mat >= static_cast<int>(by_mat.size())) by_mat.resize(Index(mat) + 1);
    by_mat[Index(mat)].push_back(b);
  }
  return by_mat;
}

void WrestlerBlock(ReportText& out, const PairingRun& run, const MatDay& day, int p,
                   const std::vector<int>& bouts) {
  out.EndLine().Blanks(2);
  Left(out, FullName(run, p), kNameWidth + 6);
  out.Fixed(run.SelectedList[Index(p)].Weight, 6, 1)
      .Int(static_cast<std::int64_t>(bouts.size()), 4);
  out.Literal(bouts.size() == 1 ? " bout" : " bouts").EndLine();
  if (bouts.empty()) return;
  out.Blanks(4).Literal(" Time  Mat   Bout Class  ");
  Left(out, "Opponent", kNameWidth + 1);
  out.Literal("Club").EndLine();
  for (int b : bouts) {
    const ScheduleBout& bout = day.bouts[Index(b)];
    const int other = bout.WrestlerA == p ? bout.WrestlerB : bout.WrestlerA;
    out.Blanks(4).Literal(
        schedule::ClockText(schedule::SlotStart(day.settings, day.schedule.Slot[Index(b)])));
    out.Int(day.schedule.Mat[Index(b)] + 1, 5)
        .Int(bout.Number, 7)
        .Int(bout.WeightClass, 6)
        .Blanks(2);
    Left(out, FullName(run, other), kNameWidth);
    out.Blanks(1);
    Left(out, ClubOf(run, other), kClubWidth);
    out.EndLine();
  }
}

}  // namespace

std::vector<ScheduleBout> BoutsOfRun(const PairingRun& run) {
  const int rounds = std::clamp(run.RoundsUsed, 0, run.RoundCapacity);
  const bool table = run.RoundTable.size() >= Index(run.SelectionSize) * Index(run.RoundCapacity);
  // The round of a bout is where its first wrestler's row holds its number. A board
  // edited after the run leaves gaps in the numbers, so the number is looked up in the
  // row rather than taken as an index.
  const auto round_of = [&](const pairing::BoutEntry& side) {
    if (!table || side.SelectionIndex < 0 || side.SelectionIndex >= run.SelectionSize) return 1;
    for (int r = 0; r < rounds; ++r)
      if (std::llabs(std::int64_t{run.RoundEntry(side.SelectionIndex, r)}) ==
          std::llabs(std::int64_t{side.BoutNumber}))
        return r + 1;
    return 1;
  };
  std::vector<ScheduleBout> bouts;
  bouts.reserve(run.BoutOrder.size());
  for (const std::int32_t order : run.BoutOrder) {
    const std::size_t k = Index(order);
    if (order < 0 || 2 * k + 1 >= run.BoutList.size()) continue;
    const pairing::BoutEntry& a = run.BoutList[2 * k];
    const pairing::BoutEntry& b = run.BoutList[2 * k + 1];
    bouts.push_back({a.BoutNumber, round_of(a), a.WeightClass, a.SelectionIndex, b.SelectionIndex});
  }
  return bouts;
}

MatDay ScheduleRun(const PairingRun& run, const MatSettings& settings) {
  MatDay day;
  day.settings = settings;
  day.bouts = BoutsOfRun(run);
  day.schedule = schedule::ScheduleMats(day.bouts, schedule::RulesOf(settings));
  return day;
}

int FindScheduledBout(const MatDay& day, std::int32_t number) {
  const std::int64_t wanted = std::llabs(std::int64_t{number});
  const auto at = std::partition_point(
      day.bouts.begin(), day.bouts.end(),
      [&](const ScheduleBout& b) { return std::llabs(std::int64_t{b.Number}) < wanted; });
  if (number == 0 || at == day.bouts.end() || std::llabs(std::int64_t{at->Number}) != wanted)
    return -1;
  return static_cast<int>(at - day.bouts.begin());
}

int MatOfBout(const MatDay& day, int i) { return day.schedule.Mat[Index(i)] + 1; }

std::string StartOfBout(const MatDay& day, int i) {
  return schedule::ClockText(schedule::SlotStart(day.settings, day.schedule.Slot[Index(i)]));
}

std::string WriteMatSchedule(const PairingRun& run, const MatDay& day) {
  ReportText out;
  out.Reserve(day.bouts.size() * 110 + 2048);
  Heading(out, "Tandrel Mat Schedule", day);
  Breaches(out, run, day);
  const auto by_mat = BoutsByMat(day);
  for (std::size_t m = 0; m < by_mat.size(); ++m)
    MatBlock(out, run, day, static_cast<int>(m), by_mat[m]);
  return out.Take();
}

std::string WriteScheduleByClub(const PairingRun& run, const MatDay& day) {
  const int n = static_cast<int>(run.SelectedList.size());
  std::vector<std::vector<int>> bouts_of(Index(n));
  for (const auto& mat : BoutsByMat(day))
    for (int b : mat)
      for (int p : {day.bouts[Index(b)].WrestlerA, day.bouts[Index(b)].WrestlerB})
        if (p >= 0 && p < n) bouts_of[Index(p)].push_back(b);
  for (auto& list : bouts_of)
    std::stable_sort(list.begin(), list.end(), [&](int a, int b) {
      return day.schedule.Slot[Index(a)] < day.schedule.Slot[Index(b)];
    });

  // Clubs in the order of the club reports; the wrestlers without a club last.
  std::vector<ClubGroup> clubs = ClubsInOrder(run);
  std::vector<bool> in_club(Index(n), false);
  for (const ClubGroup& g : clubs)
    for (int p : g.members) in_club[Index(p)] = true;
  ClubGroup none{std::string(kNoClub), {}};
  for (int p = 0; p < n; ++p)
    if (!in_club[Index(p)]) none.members.push_back(p);
  if (!none.members.empty()) clubs.push_back(std::move(none));
  std::vector<int> alpha_rank(Index(n));
  const std::vector<int> alpha = AlphaIndex(run);
  for (std::size_t i = 0; i < alpha.size(); ++i) alpha_rank[Index(alpha[i])] = static_cast<int>(i);

  ReportText out;
  out.Reserve(Index(n) * 120 + day.bouts.size() * 140 + 2048);
  Heading(out, "Tandrel Schedule by Club", day);
  for (ClubGroup& g : clubs) {
    std::sort(g.members.begin(), g.members.end(),
              [&](int a, int b) { return alpha_rank[Index(a)] < alpha_rank[Index(b)]; });
    out.EndLine().EndLine().Blanks(2).Literal("*****************").EndLine();
    out.Blanks(2).Literal("Club: ").Literal(text::WithoutBlanks(g.club)).EndLine();
    out.Blanks(2).Literal("*****************").EndLine();
    for (int p : g.members) WrestlerBlock(out, run, day, p, bouts_of[Index(p)]);
  }
  return out.Take();
}

Status WriteScheduleReports(FileSystem& fs, const PairingRun& run, const MatDay& day,
                            std::vector<std::string>* written) {
  written->clear();
  FolderLock lock;
  if (Status s = fs.LockFolder(".", LockWait::kNo, &lock); !s.ok()) return s;
  Status first = Status::Ok();
  const std::pair<std::string_view, std::string> files[] = {
      {kMatScheduleName, WriteMatSchedule(run, day)},
      {kScheduleByClubName, WriteScheduleByClub(run, day)}};
  for (const auto& [name, text] : files) {
    const Status s = fs.WriteFileAtomic(std::string(name), text, Links::kReplace);
    if (s.ok()) {
      written->emplace_back(name);
    } else if (first.ok()) {
      first = s.WithMessage("Error writing file " + std::string(name) + " (" + s.message() + ")");
    }
  }
  return first;
}

std::vector<SheetBout> SheetsInOrder(const PairingRun& run, const MatDay* day) {
  const std::vector<ScheduleBout> own =
      day == nullptr ? BoutsOfRun(run) : std::vector<ScheduleBout>();
  const std::vector<ScheduleBout>& bouts = day == nullptr ? own : day->bouts;
  std::vector<int> order(bouts.size());
  std::iota(order.begin(), order.end(), 0);
  if (day != nullptr) {
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
      const auto& s = day->schedule;
      return std::pair(s.Mat[Index(a)], s.Slot[Index(a)]) <
             std::pair(s.Mat[Index(b)], s.Slot[Index(b)]);
    });
  }
  std::vector<SheetBout> sheets;
  sheets.reserve(order.size());
  for (int b : order) {
    const ScheduleBout& bout = bouts[Index(b)];
    SheetBout sheet;
    sheet.Number = bout.Number;
    sheet.Round = bout.Round;
    sheet.WeightClass = bout.WeightClass;
    if (day != nullptr) {
      sheet.Mat = day->schedule.Mat[Index(b)];
      sheet.Slot = day->schedule.Slot[Index(b)];
      sheet.Time = schedule::ClockText(schedule::SlotStart(day->settings, sheet.Slot));
    }
    const int sides[2] = {bout.WrestlerA, bout.WrestlerB};
    for (int i = 0; i < 2; ++i) {
      if (!HasWrestler(run, sides[i])) continue;
      const pairing::SelectedParticipant& w = run.SelectedList[Index(sides[i])];
      sheet.Wrestler[i] = {std::string(w.LastName.WithoutBlanks()),
                           std::string(w.FirstName.WithoutBlanks()),
                           std::string(w.Club.WithoutBlanks()), w.Weight};
    }
    sheets.push_back(std::move(sheet));
  }
  return sheets;
}

}  // namespace kestrio::reports
