#include "reports/by_hand_report.h"

#include <gtest/gtest.h>

#include <random>

#include "pairing/optimal_run.h"
#include "testing/literal_pairing.h"
#include "testing/run_builder.h"

namespace kestrio::reports {
namespace {

using pairing::PairingControl;
using pairing::PairingRun;
using testing::RunBuilder;

const std::string kTrailer =
    "\r\n"
    "       ------------------------------------------------------------------\r\n"
    "       Non-optimum bouts paired by the code as an attempt at hand pairing\r\n"
    "       ------------------------------------------------------------------\r\n";

// Four wrestlers; Brown and Smith wrestle a non-optimum bout (shown as number -7).
PairingRun SmallRun() {
  RunBuilder b;
  const int smith = b.Wrestler("Smith", "Anna", "Ajax", 40, 12, 1);
  b.Wrestler("Jones", "Bob", "Bears", 40, 13.5f, 2.5f);  // relaxed fit 0.25
  const int brown = b.Wrestler("Brown", "Cy", "Cobra", 40, 12, 1);
  b.Wrestler("Loner", "Lee", "Dingo", 100, 12, 1);  // too heavy for anyone
  b.Bout(brown, smith, 0, -7);
  PairingRun run = b.run();
  run.Control.MinBoutsWanted = 2;
  run.Control.MinGoodnessOfFitAllowed = 0.25f;
  return run;
}

TEST(ByHandReport, ListsWrestlersBelowTheMinimumThenTheNonOptimumBouts) {
  const std::string indent(15, ' ');
  const std::string below = " is below allowed minimum\r\n";
  const std::string expected =
      "          Smith            Anna  from  Ajax:  40.0   12.0    1.0\r\n" + indent +
      "Received only   1 bout(s)\r\n" + indent + "Possible matches are:\r\n" + indent +
      "          Jones             Bob  from Bears: fit= 0.2500" + below + "\r\n" +
      "          Jones             Bob  from Bears:  40.0   13.5    2.5\r\n" + indent +
      "Received only   0 bout(s)\r\n" + indent + "Possible matches are:\r\n" + indent +
      "          Smith            Anna  from  Ajax: fit= 0.2500" + below + indent +
      "          Brown              Cy  from Cobra: fit= 0.2500" + below + "\r\n" +
      "          Brown              Cy  from Cobra:  40.0   12.0    1.0\r\n" + indent +
      "Received only   1 bout(s)\r\n" + indent + "Possible matches are:\r\n" + indent +
      "          Jones             Bob  from Bears: fit= 0.2500" + below + "\r\n" +
      "          Loner             Lee  from Dingo: 100.0   12.0    1.0\r\n" + indent +
      "Received only   0 bout(s)\r\n" + indent + "Possible matches are:\r\n" + indent +
      "No match within allowed fit tolerance can be identified\r\n\r\n" + kTrailer + "\r\n" +
      "     -7   40  Brown            Cy               Cobra   40.0   12.   1.00\r\n"
      "              Smith            Anna             Ajax    40.0   12.   1.00\r\n";
  EXPECT_EQ(WriteByHandReport(SmallRun()), expected);
}

TEST(ByHandReport, ExactlyTheMinimumIsNotListedAndAboveTheMinimumFitIsPlain) {
  PairingRun run = SmallRun();
  run.Control.MinBoutsWanted = 1;  // Smith and Brown have exactly one bout
  run.Control.MinGoodnessOfFitAllowed = 0.2f;
  const std::string report = WriteByHandReport(run);
  EXPECT_EQ(report.find("Smith            Anna  from  Ajax:  40.0"), std::string::npos);
  EXPECT_NE(report.find("Jones             Bob  from Bears:  40.0"), std::string::npos);
  EXPECT_NE(report.find("Smith            Anna  from  Ajax: fit= 0.2500\r\n"), std::string::npos);
}

TEST(ByHandReport, NothingToReportLeavesTheTrailerAlone) {
  PairingRun run = SmallRun();
  run.Control.MinBoutsWanted = 0;
  run.BoutList[0].BoutNumber = run.BoutList[1].BoutNumber = 1;  // an optimum bout
  EXPECT_EQ(WriteByHandReport(run), kTrailer);
  EXPECT_EQ(WriteByHandReport(PairingRun()), kTrailer);
}

// The report of the engine's run against the report of the plain procedure, on random
// rosters full of ties and on larger rosters with spread weights.
TEST(ByHandReport, MatchesThePlainProcedureOnRandomRosters) {
  std::mt19937 rng(20261208);
  int listed = 0;
  for (int trial = 0; trial < 400; ++trial) {
    const roster::Roster roster = testing::RandomRoster(rng, 1 + static_cast<int>(rng() % 60));
    const PairingControl control = testing::RandomControl(rng);
    PairingRun run;
    ASSERT_TRUE(pairing::PairBouts(roster, control, nullptr, &run).ok());
    const std::string expected = testing::PairLiterally(roster, control).ByHandReport;
    ASSERT_EQ(expected, WriteByHandReport(run)) << "trial " << trial;
    listed += expected.find("Possible") != std::string::npos;
  }
  EXPECT_GT(listed, 100);

  for (int trial = 0; trial < 3; ++trial) {
    roster::Roster roster;
    for (int i = 0; i < 500; ++i) {
      testing::Add(roster, testing::Wrestler("L" + std::to_string(i), "F",
                                             25 + (rng() % 7500) / 100.0, 8 + (rng() % 90) / 10.0,
                                             (rng() % 50) / 10.0, "C" + std::to_string(rng() % 9)));
    }
    PairingControl control;
    control.SameClubPairingWeight = 0.5f * static_cast<float>(trial);
    control.MaxBoutsWanted = control.MinBoutsWanted = 3;
    PairingRun run;
    ASSERT_TRUE(pairing::PairBouts(roster, control, nullptr, &run).ok());
    EXPECT_EQ(testing::PairLiterally(roster, control).ByHandReport, WriteByHandReport(run));
  }
}

// Tandrel Optimal's reason for a wrestler left short stands under the count line.
TEST(ByHandReport, OptimalRunSaysWhyBelowTheCountLine) {
  roster::Roster roster;
  testing::Add(roster, testing::Wrestler("Able", "Ann", 40, 10, 1, "North"));
  testing::Add(roster, testing::Wrestler("Baker", "Bo", 40.5, 10, 1, "South"));
  testing::Add(roster, testing::Wrestler("Cole", "Cy", 41, 10, 1, "East"));
  testing::Add(roster, testing::Wrestler("Dunn", "Di", 100, 10, 1, "North"));
  testing::Add(roster, testing::Wrestler("Eden", "Ed", 104, 10, 1, "West"));
  testing::Add(roster, testing::Wrestler("Frost", "Fay", 200, 10, 1, "West"));
  PairingRun run;
  ASSERT_TRUE(pairing::PairBoutsOptimal(roster, PairingControl(), nullptr, &run).ok());
  const std::string report = WriteByHandReport(run);
  const std::string indent(15, ' ');
  EXPECT_NE(report.find(indent + "Received only   1 bout(s)\r\n" + indent +
                        "Why: only 1 candidate(s) within the limits, even doubled: Ed Eden\r\n" +
                        indent + "Possible matches are:\r\n"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find(indent + "Received only   0 bout(s)\r\n" + indent +
                        "Why: no candidate within the limits, even doubled\r\n"),
            std::string::npos)
      << report;
  // The three light wrestlers meet each other: two bouts each, nobody short.
  EXPECT_EQ(run.BoutCount[0] + run.BoutCount[1] + run.BoutCount[2], 6);
}

}  // namespace
}  // namespace kestrio::reports
