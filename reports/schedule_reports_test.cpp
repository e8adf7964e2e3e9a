#include "reports/schedule_reports.h"

#include <gtest/gtest.h>

#include <string>

#include "testing/run_builder.h"
#include "tests/fake_file_system.h"

namespace kestrio::reports {
namespace {

using testing::Lines;
using testing::RunBuilder;

// Four wrestlers, three bouts over two rounds; Ng has no club, Ortiz a name longer than
// its column, and Müller's umlaut sits where the column would cut it.
RunBuilder SmallRun() {
  RunBuilder b;
  const int smith = b.Wrestler("Smith", "John", "Eagles", 30.0f, 9, 2);
  const int ng = b.Wrestler("Ng", "Al", "", 31.0f, 9, 2);
  const int ortiz = b.Wrestler("Ortiz-Villanueva", "Maximiliano", "Hawks", 52.0f, 11, 3);
  const int muller = b.Wrestler("Abcdefghijklmnopqrstu", "\xC3\x9Cller", "Hawks", 50.0f, 11, 3);
  b.Bout(ortiz, muller, 0, 1);
  b.Bout(smith, ng, 0, 2);
  b.Bout(ng, smith, 1, -3);
  return b;
}

MatDay TwoMats(const pairing::PairingRun& run) {
  schedule::MatSettings settings;
  settings.Mats = 2;
  settings.Rest = 1;
  settings.BoutMinutes = 6;
  settings.StartMinutes = 8 * 60 + 30;
  return ScheduleRun(run, settings);
}

TEST(ScheduleReportsTest, RunBoutsCarryRoundsAndSides) {
  RunBuilder b = SmallRun();
  const auto bouts = BoutsOfRun(b.run());
  ASSERT_EQ(bouts.size(), 3u);
  EXPECT_EQ(bouts[0].Number, 1);
  EXPECT_EQ(bouts[0].WrestlerA, 2);
  EXPECT_EQ(bouts[0].WeightClass, 50);
  EXPECT_EQ(bouts[2].Number, -3);
  EXPECT_EQ(bouts[2].Round, 2);
  EXPECT_EQ(bouts[2].WrestlerA, 1);
}

TEST(ScheduleReportsTest, MatScheduleAsPrinted) {
  RunBuilder b = SmallRun();
  const MatDay day = TwoMats(b.run());
  const std::string rule = "  " + std::string(60, '-');
  EXPECT_EQ(
      WriteMatSchedule(b.run(), day),
      Lines({rule,
             "  Tandrel Mat Schedule",
             "  2 mats, rest 1 slot, 6-minute bouts from 08:30",
             rule,
             "  Bouts:     3   Slots used:    3   Lower bound:    3   Ends at 08:48",
             "  Idle mat slots:     0",
             "",
             "",
             "  ************",
             "  Mat  1",
             "  ************",
             "  Slot  Time   Bout Class Round  Wrestler 1               Club        Wrestler 2  "
             "             Club",
             "  ---- -----  ----- ----- -----  ------------------------ ----------  "
             "------------------------ ----------",
             "     1 08:30      2    30     1  Smith, John              Eagles      Ng, Al",
             "     3 08:42     -3    30     2  Ng, Al                               Smith, John  "
             "            Eagles",
             "",
             "",
             "  ************",
             "  Mat  2",
             "  ************",
             "  Slot  Time   Bout Class Round  Wrestler 1               Club        Wrestler 2  "
             "             Club",
             "  ---- -----  ----- ----- -----  ------------------------ ----------  "
             "------------------------ ----------",
             "     1 08:30      1    50     1  Ortiz-Villanueva, Maximi Hawks       "
             "Abcdefghijklmnopqrstu,   Hawks"}));
}

TEST(ScheduleReportsTest, ScheduleByClubAsPrinted) {
  RunBuilder b = SmallRun();
  const MatDay day = TwoMats(b.run());
  const std::string rule = "  " + std::string(60, '-');
  EXPECT_EQ(WriteScheduleByClub(b.run(), day),
            Lines({rule,
                   "  Tandrel Schedule by Club",
                   "  2 mats, rest 1 slot, 6-minute bouts from 08:30",
                   rule,
                   "  Bouts:     3   Slots used:    3   Lower bound:    3   Ends at 08:48",
                   "  Idle mat slots:     0",
                   "",
                   "",
                   "  *****************",
                   "  Club: Eagles",
                   "  *****************",
                   "",
                   "  Smith, John                     30.0   2 bouts",
                   "     Time  Mat   Bout Class  Opponent                 Club",
                   "    08:30    1      2    30  Ng, Al",
                   "    08:42    1     -3    30  Ng, Al",
                   "",
                   "",
                   "  *****************",
                   "  Club: Hawks",
                   "  *****************",
                   "",
                   "  Abcdefghijklmnopqrstu, \xC3\x9Cller   50.0   1 bout",
                   "     Time  Mat   Bout Class  Opponent                 Club",
                   "    08:30    2      1    50  Ortiz-Villanueva, Maximi Hawks",
                   "",
                   "  Ortiz-Villanueva, Maximiliano   52.0   1 bout",
                   "     Time  Mat   Bout Class  Opponent                 Club",
                   "    08:30    2      1    50  Abcdefghijklmnopqrstu,   Hawks",
                   "",
                   "",
                   "  *****************",
                   "  Club: (no club)",
                   "  *****************",
                   "",
                   "  Ng, Al                          31.0   2 bouts",
                   "     Time  Mat   Bout Class  Opponent                 Club",
                   "    08:30    1      2    30  Smith, John              Eagles",
                   "    08:42    1     -3    30  Smith, John              Eagles"}));
}

TEST(ScheduleReportsTest, BreachesAreNamed) {
  RunBuilder b = SmallRun();
  schedule::MatSettings settings;
  settings.Mats = 1;
  settings.Classes = {{true, {0, 40}}};
  MatDay day = ScheduleRun(b.run(), settings);
  day.schedule.ShortRest = {2};  // as a board edited by hand could leave it
  const std::string text = WriteMatSchedule(b.run(), day);
  EXPECT_NE(text.find("\r\n  Bouts outside every mat's weight classes:\r\n"
                      "    Bout     1  class   50  on mat  1\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("\r\n  Wrestlers resting less than 3 slots:\r\n"
                      "    Ortiz-Villanueva, Maximi Hawks\r\n"),
            std::string::npos);
}

TEST(ScheduleReportsTest, SheetsInMatThenSlotOrderOrByNumber) {
  RunBuilder b = SmallRun();
  const MatDay day = TwoMats(b.run());
  const auto scheduled = SheetsInOrder(b.run(), &day);
  ASSERT_EQ(scheduled.size(), 3u);
  EXPECT_EQ(scheduled[0].Number, 2);
  EXPECT_EQ(scheduled[0].Time, "08:30");
  EXPECT_EQ(scheduled[1].Number, -3);
  EXPECT_EQ(scheduled[1].Time, "08:42");
  EXPECT_EQ(scheduled[1].Wrestler[0].LastName, "Ng");
  EXPECT_EQ(scheduled[2].Mat, 1);
  const auto plain = SheetsInOrder(b.run(), nullptr);
  ASSERT_EQ(plain.size(), 3u);
  EXPECT_EQ(plain[0].Number, 1);
  EXPECT_EQ(plain[0].Mat, -1);
  EXPECT_EQ(plain[0].Wrestler[1].FirstName, "\xC3\x9Cller");
  EXPECT_EQ(plain[2].Number, -3);
}

TEST(ScheduleReportsTest, TheNextRunRemovesTheOldSchedule) {
  FakeFileSystem fs;
  fs.AddFile("Tandrel-MatSchedule.txt", "old");
  fs.AddFile("Tandrel-ScheduleByClub.txt", "old");
  ClearReportFiles(fs);
  EXPECT_FALSE(fs.HasFile("Tandrel-MatSchedule.txt"));
  EXPECT_FALSE(fs.HasFile("Tandrel-ScheduleByClub.txt"));
}

TEST(ScheduleReportsTest, ReportsWrittenOrEachFailureNamed) {
  RunBuilder b = SmallRun();
  const MatDay day = TwoMats(b.run());
  FakeFileSystem fs;
  std::vector<std::string> written;
  ASSERT_TRUE(WriteScheduleReports(fs, b.run(), day, &written).ok());
  EXPECT_EQ(written,
            (std::vector<std::string>{"Tandrel-MatSchedule.txt", "Tandrel-ScheduleByClub.txt"}));
  EXPECT_EQ(fs.Contents("Tandrel-MatSchedule.txt"), WriteMatSchedule(b.run(), day));

  fs.FailWritesAfter("Tandrel-MatSchedule.txt", 10, "No space left on device");
  const Status s = WriteScheduleReports(fs, b.run(), day, &written);
  EXPECT_EQ(s.message(),
            "Error writing file Tandrel-MatSchedule.txt (Tandrel-MatSchedule.txt: No space left on "
            "device)");
  EXPECT_EQ(written, (std::vector<std::string>{"Tandrel-ScheduleByClub.txt"}));
}

}  // namespace
}  // namespace kestrio::reports
