#include "pairing/hand_pairing_report.h"

#include <gtest/gtest.h>

namespace kestrio::pairing {
namespace {

const std::string kTrailer =
    "\r\n"
    "       ------------------------------------------------------------------\r\n"
    "       Non-optimum bouts paired by the code as an attempt at hand pairing\r\n"
    "       ------------------------------------------------------------------\r\n";

void AddWrestler(PairingRun& run, const char* last, const char* first, const char* club,
                 float weight, float age, float rating, int bouts) {
  SelectedParticipant s;
  s.LastName.Assign(last);
  s.FirstName.Assign(first);
  s.Club.Assign(club);
  s.Weight = weight;
  s.Age = age;
  s.Rating = rating;
  run.SelectedList.push_back(s);
  run.FitList.push_back({weight, age, rating, static_cast<std::int32_t>(run.FitList.size())});
  run.BoutCount.push_back(bouts);
  ++run.SelectionSize;
}

void AddBoutSide(PairingRun& run, int a, std::int32_t number) {
  const SelectedParticipant& s = run.SelectedList[a];
  BoutEntry e;
  e.BoutNumber = number;
  e.WeightClass = 40;
  e.LastName = s.LastName;
  e.FirstName = s.FirstName;
  e.Club = FixedText<5>(s.Club.view());
  e.Weight = s.Weight;
  e.Age = s.Age;
  e.Rating = s.Rating;
  e.SelectionIndex = a;
  run.BoutList.push_back(e);
}

// Four wrestlers; Brown and Smith wrestle a non-optimum bout (shown as number -7).
PairingRun SmallRun() {
  PairingRun run;
  run.Control.MinBoutsWanted = 2;
  run.Control.MinGoodnessOfFitAllowed = 0.25f;
  AddWrestler(run, "Smith", "Anna", "Ajax", 40, 12, 1, 1);
  AddWrestler(run, "Jones", "Bob", "Bears", 40, 13.5f, 2.5f, 0);  // relaxed fit 0.25
  AddWrestler(run, "Brown", "Cy", "Cobra", 40, 12, 1, 1);
  AddWrestler(run, "Loner", "Lee", "Dingo", 100, 12, 1, 0);  // too heavy for anyone
  AddBoutSide(run, 2, -7);
  AddBoutSide(run, 0, -7);
  run.TotalBouts = 1;
  run.BoutOrder = {0};
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
  EXPECT_EQ(FormatByHandReport(SmallRun()), expected);
}

TEST(ByHandReport, ExactlyTheMinimumIsNotListedAndAboveTheMinimumFitIsPlain) {
  PairingRun run = SmallRun();
  run.Control.MinBoutsWanted = 1;  // Smith and Brown have exactly one bout
  run.Control.MinGoodnessOfFitAllowed = 0.2f;
  const std::string report = FormatByHandReport(run);
  EXPECT_EQ(report.find("Smith            Anna  from  Ajax:  40.0"), std::string::npos);
  EXPECT_NE(report.find("Jones             Bob  from Bears:  40.0"), std::string::npos);
  EXPECT_NE(report.find("Smith            Anna  from  Ajax: fit= 0.2500\r\n"), std::string::npos);
}

TEST(ByHandReport, NothingToReportLeavesTheTrailerAlone) {
  PairingRun run = SmallRun();
  run.Control.MinBoutsWanted = 0;
  run.BoutList[0].BoutNumber = run.BoutList[1].BoutNumber = 1;  // an optimum bout
  EXPECT_EQ(FormatByHandReport(run), kTrailer);
  EXPECT_EQ(FormatByHandReport(PairingRun()), kTrailer);
}

TEST(ByHandReport, RunWithoutFitInputsMeasuresFromTheSelectedList) {
  PairingRun run = SmallRun();
  const std::string expected = FormatByHandReport(run);
  run.FitList.clear();  // as a run assembled by hand would be
  EXPECT_EQ(FormatByHandReport(run), expected);
}

}  // namespace
}  // namespace kestrio::pairing
