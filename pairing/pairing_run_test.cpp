#include "pairing/pairing_run.h"

#include <gtest/gtest.h>

#include <limits>

#include "pairing/pairing_phase.h"
#include "testing/literal_pairing.h"

namespace kestrio::pairing {
namespace {

using testing::Add;
using testing::Wrestler;

PairingRun Pair(const roster::Roster& roster, const PairingControl& control = PairingControl()) {
  PairingRun run;
  const Status status = PairBouts(roster, control, nullptr, &run);
  EXPECT_TRUE(status.ok()) << status.message();
  return run;
}

// "a-b" for each bout in BoutList order, first the chooser.
std::string Bouts(const PairingRun& run) {
  std::string out;
  for (std::size_t i = 0; i < run.BoutList.size(); i += 2) {
    out += (out.empty() ? "" : " ") + std::to_string(run.BoutList[i].BoutNumber) + ":" +
           std::to_string(run.BoutList[i].SelectionIndex) + "-" +
           std::to_string(run.BoutList[i + 1].SelectionIndex);
  }
  return out;
}

TEST(PairingRun, SelectionFollowsDisplayOrderAndTheExactStatus) {
  roster::Roster roster;
  Add(roster, Wrestler("Stored0", "A", 40, 10, 1, "Ajax"));
  Add(roster, Wrestler("   Lowercase", "B", 40, 10, 1, "Ajax", "selected"));
  Add(roster, Wrestler("  Averyveryveryverylongfamilyname-Smith", "C", 40, 10, 1, "  Wolverines",
                       "   Selected"));
  roster.DisplayOrder = {2, 1, 0};
  const PairingRun run = Pair(roster);
  ASSERT_EQ(run.SelectionSize, 2);
  EXPECT_EQ(run.SelectedList[0].LastName.str(), "Averyveryveryverylongfamilyname-");
  EXPECT_EQ(run.SelectedList[0].Club.Trimmed(), "Wolverines");
  EXPECT_EQ(run.SelectedList[1].LastName.Trimmed(), "Stored0");
  ASSERT_EQ(run.TotalBouts, 1);
  EXPECT_EQ(run.BoutList[0].Club.str(), "Wolve");
  EXPECT_EQ(run.BoutList[0].LastName, run.SelectedList[0].LastName);
}

TEST(PairingRun, UnreadableNumberOfASelectedWrestlerStopsTheRunByName) {
  roster::Roster roster;
  Add(roster, Wrestler("Doe", "John", 40, 10, 1, "Ajax"));
  Add(roster, Wrestler("Roe", "Rich", 40, 10, 1, "Bears"));
  roster.Entries[1].Age.Assign("  ten");
  PairingRun run;
  const Status status = PairBouts(roster, PairingControl(), nullptr, &run);
  EXPECT_EQ(status.message(),
            "The Age \"ten\" of Roe, Rich is not a number: no bouts were paired.");
  EXPECT_TRUE(status.IsBadNumber());
  EXPECT_TRUE(run.BoutList.empty());
  // Unselected, the same entry is no obstacle.
  roster.Entries[1].Status.Assign("UnSelected");
  Add(roster, Wrestler("Poe", "Ed", 40, 10, 1, "Cobra"));
  EXPECT_EQ(Pair(roster).TotalBouts, 1);
}

TEST(PairingRun, ClubMatesMeetOnlyInTheRelaxedPhaseWhichMovesToRoundOne) {
  roster::Roster roster;
  Add(roster, Wrestler("C", "", 60, 10, 1, "Same"));
  Add(roster, Wrestler("D", "", 60, 10, 1, "Same"));
  Add(roster, Wrestler("A", "", 30, 10, 1, "Ajax"));
  Add(roster, Wrestler("B", "", 30, 10, 1, "Bears"));
  PairingControl control;
  control.MaxBoutsWanted = 1;
  const PairingRun run = Pair(roster, control);
  // Created: A-B optimum (1), then C-D relaxed (-2) in round 2; the relaxed bout moves to
  // round 1 and, C and D coming first in the selection, is numbered first.
  EXPECT_EQ(Bouts(run), "2:2-3 -1:0-1");
  EXPECT_EQ(run.RoundsUsed, 1);
  EXPECT_EQ(run.RoundEntry(0, 0), -1);
  EXPECT_EQ(run.RoundEntry(1, 0), -1);
  EXPECT_EQ(run.RoundEntry(2, 0), 2);
  // The moved bout leaves round 2 empty, and the finished table holds round 1 alone.
  EXPECT_EQ(run.RoundCapacity, 1);
  EXPECT_EQ(run.BoutOrder, (std::vector<std::int32_t>{1, 0}));
  EXPECT_EQ(run.BoutList[2].WeightClass, 60);
}

TEST(PairingRun, FitEqualToTheMinimumIsRejected) {
  roster::Roster roster;
  Add(roster, Wrestler("A", "", 50, 10, 1, "Ajax"));
  Add(roster, Wrestler("B", "", 50, 10.75, 1, "Bears"));  // fit 0.5, relaxed 0.75
  PairingControl control;
  control.MinGoodnessOfFitAllowed = 0.5f;
  EXPECT_EQ(Bouts(Pair(roster, control)), "-1:0-1");
  control.MinGoodnessOfFitAllowed = 0.49f;
  EXPECT_EQ(Bouts(Pair(roster, control)), "1:0-1");
}

TEST(PairingRun, TiesGoToTheEarliestChooserAndPartnerAndPairsNeverMeetTwice) {
  roster::Roster roster;
  for (const char* club : {"A", "B", "C", "D"}) Add(roster, Wrestler(club, "", 40, 10, 1, club));
  PairingControl control;
  control.MaxBoutsWanted = control.MaxBoutsAllowed = 5;
  const PairingRun run = Pair(roster, control);
  // Everyone meets everyone once, however many bouts are wanted.
  EXPECT_EQ(Bouts(run), "1:0-1 2:2-3 3:0-2 4:1-3 5:0-3 6:1-2");
  EXPECT_EQ(run.RoundsUsed, 3);
}

TEST(PairingRun, WrestlerAtMaxBoutsWantedIsStillTakenAsPartner) {
  roster::Roster roster;
  for (const char* club : {"A", "B", "C"}) Add(roster, Wrestler(club, "", 40, 10, 1, club));
  PairingControl control;
  control.MaxBoutsWanted = 1;
  control.MaxBoutsAllowed = 2;
  const PairingRun run = Pair(roster, control);
  // Round 1: 0 takes 1, 2 finds nobody free; round 2: only 2 may choose, and takes 0.
  EXPECT_EQ(Bouts(run), "1:0-1 2:2-0");
  EXPECT_EQ(run.BoutCount, (std::vector<std::int32_t>{2, 1, 1}));
}

TEST(PairingRun, WeightClassRoundsTheMeanThenToFives) {
  EXPECT_EQ(BoutWeightClass(60, 65), 65);           // 62.5
  EXPECT_EQ(BoutWeightClass(60, 75), 70);           // 67.5
  EXPECT_EQ(BoutWeightClass(72, 72.8f), 70);        // 72.4
  EXPECT_EQ(BoutWeightClass(61, 63.8f), 60);        // 62.4
  EXPECT_EQ(BoutWeightClass(84.5f, 86.0f), 85);     // 85.25
  EXPECT_EQ(BoutWeightClass(61.2f, 58.9f), 60);     // 60.05
  EXPECT_EQ(BoutWeightClass(62.0f, 62.0f), 60);     // remainder 2 goes down
  EXPECT_EQ(BoutWeightClass(62.0f, 63.0f), 65);     // 62.5 -> 63, remainder 3 goes up
  EXPECT_EQ(BoutWeightClass(64.0f, 64.0f), 65);     // remainder 4 goes up
  EXPECT_EQ(BoutWeightClass(-61.0f, -63.0f), -60);  // -62: a remainder of -2 goes to -60
}

// The bout sheets and every other report read the class from the bout, so a mean that
// no roster can give has one class everywhere: the largest, written as asterisks.
TEST(PairingRun, WeightClassOfAnAbsurdOrMissingMeanIsPinnedAtABillion) {
  EXPECT_EQ(BoutWeightClass(3e9f, 3e9f), 1'000'000'000);
  EXPECT_EQ(BoutWeightClass(-3e9f, -3e9f), -1'000'000'000);
  EXPECT_EQ(BoutWeightClass(std::numeric_limits<float>::infinity(), 60), 1'000'000'000);
  EXPECT_EQ(BoutWeightClass(std::numeric_limits<float>::quiet_NaN(), 60), 1'000'000'000);
  EXPECT_EQ(BoutWeightClass(-std::numeric_limits<float>::quiet_NaN(), 60), 1'000'000'000);
}

class CountingProgress : public PairingProgress {
 public:
  void SetRange(int low, int high) override { ranges.emplace_back(low, high); }
  void Step() override { ++steps; }
  std::vector<std::pair<int, int>> ranges;
  int steps = 0;
};

TEST(PairingRun, ProgressGetsOneRangeAndAStepPerChooser) {
  roster::Roster roster;
  for (const char* club : {"A", "B", "C"}) Add(roster, Wrestler(club, "", 40, 10, 1, club));
  PairingControl control;
  control.MaxBoutsWanted = 1;
  control.MaxBoutsAllowed = 2;
  CountingProgress progress;
  PairingRun run;
  ASSERT_TRUE(PairBouts(roster, control, &progress, &run).ok());
  EXPECT_EQ(progress.ranges, (std::vector<std::pair<int, int>>{{0, 6}}));
  // Optimum: round 1 chooses 0 and 2, round 2 chooses 2, round 3 nobody; relaxed
  // round 3: nobody below MaxBoutsWanted.
  EXPECT_EQ(progress.steps, 3);
}

TEST(PairingRun, EmptyOrSingleSelectionMakesNoBoutAndRepeatsIdentically) {
  roster::Roster roster;
  EXPECT_EQ(Pair(roster).RoundsUsed, 0);
  Add(roster, Wrestler("A", "", 40, 10, 1, "A"));
  const PairingRun one = Pair(roster);
  EXPECT_EQ(one.TotalBouts, 0);
  EXPECT_EQ(one.RoundsUsed, 0);
  for (int i = 0; i < 9; ++i)
    Add(roster, Wrestler("W", "", 40 + i % 3, 10 + i % 2, 1, i % 2 ? "A" : "B"));
  const PairingRun first = Pair(roster);
  const PairingRun second = Pair(roster);
  EXPECT_EQ(Bouts(first), Bouts(second));
  EXPECT_EQ(first.RoundTable, second.RoundTable);
}

}  // namespace
}  // namespace kestrio::pairing
