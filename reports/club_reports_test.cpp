#include "reports/club_reports.h"

#include <gtest/gtest.h>

#include <cctype>
#include <initializer_list>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "reports/report_files.h"
#include "testing/literal_club_order.h"
#include "testing/run_builder.h"

namespace kestrio::reports {
namespace {

using testing::Lines;
using testing::RunBuilder;

const char* const kTitleRule44 = "  --------------------------------------------";

// Smith of the Eagles met Jones in bout 1; Jones's club is blank, so only the Eagles
// are reported.
RunBuilder SmithAgainstJones() {
  RunBuilder b;
  const int smith = b.Wrestler("Smith", "John", "Eagle", 84.5f, 9, 2.5f);
  const int jones = b.Wrestler("Jones", "Bob", "", 86.0f, 10, 2.75f);
  b.Bout(smith, jones, 0, 1);
  b.run().BoutList[1].Club.Assign("Hawks");
  b.run().BoutCount[0] = 2;
  return b;
}

TEST(ClubReportsTest, AllClubsReportAsPrinted) {
  RunBuilder b = SmithAgainstJones();
  EXPECT_EQ(WriteBoutsByClub(b.run()),
            Lines({kTitleRule44, "  Tandrel Results Reported For All Clubs",
                   "             (in chosen sort order)", kTitleRule44, "", "",
                   "  *****************", "  Results for Eagle", "  *****************", "",
                   "  2 Bouts for John             Smith            Eagle   84.5    9.   2.50",
                   "              ---------------  ---------------  -----  -----  ----  -----",
                   "      1   85  Bob              Jones            Hawks   86.0   10.   2.75"}));
}

TEST(ClubReportsTest, ByBoutNumberReportAsPrinted) {
  RunBuilder b = SmithAgainstJones();
  const std::string rule45 = "  " + std::string(45, '-');
  EXPECT_EQ(WriteBoutsByBoutNumber(b.run()),
            Lines({rule45, "  Tandrel Results Reported by Bout Number", rule45, "",
                   "      1   85  Smith            John             Eagle   84.5    9.   2.50",
                   "              Jones            Bob              Hawks   86.0   10.   2.75"}));
}

// A wrestler with more bouts than fit one part of his block, one of whose opponents'
// sides reads otherwise than the selection (an edited board): every line whole, in order.
TEST(ClubReportsTest, LongBlockWithASideOfItsOwnReadsWhole) {
  RunBuilder b;
  const int a = b.Wrestler("Aa", "A", "Eagles", 50, 9, 1);
  const auto padded = [](std::string s, std::size_t w, bool right) {
    const std::string blanks(w - s.size(), ' ');
    return right ? blanks + s : s + blanks;
  };
  std::string want =
      Lines({"", " 40 Bouts for A                Aa               Eagle   50.0    9.   1.00",
             "              ---------------  ---------------  -----  -----  ----  -----"});
  for (int i = 1; i <= 40; ++i) {
    const std::string n = std::to_string(i);
    const int c = b.Wrestler("C" + n, "Y", "", 50, 9, 1);
    b.Bout(a, c, i - 1, i);
    want += Lines({"   " + padded(n, 4, true) + "   50  Y                " +
                   padded("C" + n, 15, false) + "  " + (i == 15 ? "Hawks" : "     ") +
                   "   50.0    9.   1.00"});
  }
  b.run().BoutList[2 * 14 + 1].Club.Assign("Hawks");
  const std::string text = WriteBoutsByClub(b.run());
  ASSERT_GE(text.size(), want.size());
  EXPECT_EQ(text.substr(text.size() - want.size()), want);
}

TEST(ClubReportsTest, ClubFileHasItsTitleThenTheSameBlocks) {
  RunBuilder b = SmithAgainstJones();
  const std::vector<ClubFile> files = WriteClubFiles(b.run());
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].name, "Tandrel-BoutsForEagle.txt");
  const std::string rule53 = "  " + std::string(53, '-');
  const std::string all = WriteBoutsByClub(b.run());
  const std::string blocks = all.substr(all.find("\r\n\r\n"));
  EXPECT_EQ(files[0].text,
            Lines({rule53, "  Tandrel Results Reported Alphabetically by Club", rule53}).substr(0) +
                blocks.substr(2));
}

TEST(ClubReportsTest, ClubsInCharacterCodeOrderAndBlankClubsNowhere) {
  RunBuilder b;
  b.Wrestler("H", "H", "Hawks", 50, 9, 1);
  b.Wrestler("L", "L", "eagles", 50, 9, 1);
  b.Wrestler("B", "B", "", 50, 9, 1);
  b.Wrestler("E", "E", "Eagles", 50, 9, 1);
  b.Wrestler("F", "F", "Eagles   ", 50, 9, 1);
  const std::vector<ClubGroup> groups = ClubsInOrder(b.run());
  ASSERT_EQ(groups.size(), 3u);
  EXPECT_EQ(text::TrimTrailing(groups[0].club), "Eagles");
  EXPECT_EQ(groups[0].members, (std::vector<int>{3, 4}));
  EXPECT_EQ(text::TrimTrailing(groups[1].club), "Hawks");
  EXPECT_EQ(text::TrimTrailing(groups[2].club), "eagles");

  const std::string report = WriteBoutsByClub(b.run());
  EXPECT_LT(report.find("Results for Eagle"), report.find("Results for Hawks"));
  EXPECT_LT(report.find("Results for Hawks"), report.find("Results for eagl"));
  EXPECT_EQ(report.find("Bouts for B "), std::string::npos);
  // No bouts: the block still shows 0, the rule, and no opponent lines.
  EXPECT_NE(
      report.find(
          "  0 Bouts for H                H                Hawks   50.0    9.   1.00\r\n"
          "              ---------------  ---------------  -----  -----  ----  -----\r\n\r\n"),
      std::string::npos);
}

TEST(ClubReportsTest, OnlyBlankClubsGiveTitlesAndNoClubFiles) {
  RunBuilder b;
  const int a = b.Wrestler("A", "A", "", 50, 9, 1);
  const int c = b.Wrestler("C", "C", "  ", 50, 9, 1);
  b.Bout(a, c, 0, 1);
  EXPECT_EQ(WriteBoutsByClub(b.run()),
            Lines({kTitleRule44, "  Tandrel Results Reported For All Clubs",
                   "             (in chosen sort order)", kTitleRule44}));
  EXPECT_TRUE(WriteClubFiles(b.run()).empty());
}

TEST(ClubReportsTest, ClubFilesOrderNamesThenAgeWeightRatingAndKeepNegativeNumbers) {
  RunBuilder b;
  const int w1 = b.Wrestler("Smith", "Ann", "Lions", 60, 11, 1);
  const int w2 = b.Wrestler("Smith", "Ann", "Lions", 55, 10, 2);
  const int w3 = b.Wrestler("Smith", "Ann", "Lions", 55, 10, 1);
  const int w4 = b.Wrestler("Adams", "Zed", "Lions", 70, 12, 1);
  const int other = b.Wrestler("Other", "O", "Bears", 58, 10, 1);
  b.Bout(w1, other, 0, 1).Bout(w2, other, 1, -2).Bout(w3, w4, 0, 3);
  const std::vector<ClubFile> files = WriteClubFiles(b.run());
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].name, "Tandrel-BoutsForBears.txt");
  EXPECT_NE(files[0].text.find("     -2   55  Ann              Smith"), std::string::npos)
      << files[0].text;
  const std::string& lions = files[1].text;
  const std::size_t adams = lions.find("Bouts for Zed");
  const std::size_t third = lions.find("Smith            Lions   55.0   10.   1.00");
  const std::size_t second = lions.find("Smith            Lions   55.0   10.   2.00");
  const std::size_t first = lions.find("Smith            Lions   60.0   11.   1.00");
  ASSERT_NE(first, std::string::npos);
  EXPECT_LT(adams, third);
  EXPECT_LT(third, second);
  EXPECT_LT(second, first);

  const std::string by_club = WriteBoutsByClub(b.run());
  EXPECT_NE(by_club.find("     -2   55  Ann              Smith"), std::string::npos);
  EXPECT_NE(WriteBoutsByBoutNumber(b.run()).find("     -2   55  Smith            Ann"),
            std::string::npos);
}

TEST(ClubReportsTest, LongClubCutInBlocksButWholeInItsFileName) {
  RunBuilder b;
  b.Wrestler("A", "A", "North Valley", 50, 9, 1);
  const std::vector<ClubFile> files = WriteClubFiles(b.run());
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].name, "Tandrel-BoutsForNorth Valley.txt");
  EXPECT_NE(files[0].text.find("  Results for North\r\n"), std::string::npos);
}

TEST(ClubReportsTest, ClubsThatShareAFileNameShareTheFile) {
  RunBuilder b;
  b.Wrestler("A", "A", "A/B", 50, 9, 1);
  b.Wrestler("C", "C", "A:B", 50, 9, 1);
  const std::vector<ClubFile> files = WriteClubFiles(b.run());
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].name, "Tandrel-BoutsForA_B.txt");
  EXPECT_NE(files[0].text.find("Results for A/B"), std::string::npos);
  EXPECT_NE(files[0].text.find("Results for A:B"), std::string::npos);
  EXPECT_EQ(files[0].text.find("Alphabetically"), files[0].text.rfind("Alphabetically"));
}

// Where the disk ignores case (Windows), "Eagles" and "eagles" would be one file and the
// second club's report would replace the first's: they share it, as clubs whose names
// coincide do. Where case counts, each keeps its own file.
TEST(ClubReportsTest, ClubsWhoseFileNamesDifferOnlyInCaseShareAFileWhereTheDiskIgnoresCase) {
  RunBuilder b;
  b.Wrestler("A", "A", "eagles", 50, 9, 1);
  b.Wrestler("C", "C", "Eagles", 50, 9, 1);
  b.Wrestler("D", "D", "Hawks", 50, 9, 1);
  const auto capitals = [](const std::string& name) {
    std::string key = name;
    for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return key;
  };
  const std::vector<ClubFile> shared = WriteClubFiles(b.run(), capitals);
  ASSERT_EQ(shared.size(), 2u);
  EXPECT_EQ(shared[0].name, "Tandrel-BoutsForEagles.txt");
  EXPECT_EQ(shared[1].name, "Tandrel-BoutsForHawks.txt");

  const std::vector<ClubFile> apart = WriteClubFiles(b.run());
  ASSERT_EQ(apart.size(), 3u);
  EXPECT_EQ(apart[2].name, "Tandrel-BoutsForeagles.txt");  // clubs in byte order
  const std::size_t block = apart[2].text.find("  *****************\r\n  Results for eagle\r\n");
  ASSERT_NE(block, std::string::npos);
  // The shared file goes on with the second club's block, blank lines before it and all.
  EXPECT_EQ(shared[0].text, apart[0].text + apart[2].text.substr(block - 4));
}

// The names come once, whole, before the first file's text is made, and are the files'
// names in order: the run lists them on the disk before it writes a single club file.
TEST(ClubReportsTest, ClubFileNamesComeBeforeAnyFileIsMade) {
  RunBuilder b;
  b.Wrestler("A", "A", "Owls", 50, 9, 1);
  b.Wrestler("B", "B", "A/B", 50, 9, 1);
  b.Wrestler("C", "C", "A:B", 50, 9, 1);
  b.Wrestler("D", "D", "", 50, 9, 1);
  std::vector<std::string> events;
  ForEachClubFile(
      b.run(),
      [&](const std::vector<std::string>& names) {
        for (const std::string& n : names) events.push_back("list " + n);
      },
      [&](const std::string& name, const ClubFileText& write) {
        ReportText out;
        write(out);
        events.push_back("file " + name);
      });
  EXPECT_EQ(events, (std::vector<std::string>{
                        "list Tandrel-BoutsForA_B.txt", "list Tandrel-BoutsForOwls.txt",
                        "file Tandrel-BoutsForA_B.txt", "file Tandrel-BoutsForOwls.txt"}));

  RunBuilder no_clubs;
  no_clubs.Wrestler("A", "A", " ", 50, 9, 1);
  int lists = 0;
  ForEachClubFile(
      no_clubs.run(),
      [&](const std::vector<std::string>& names) { lists += names.empty() ? 1 : 100; },
      [&](const std::string&, const ClubFileText&) { lists += 1000; });
  EXPECT_EQ(lists, 1);  // an empty list, so that the last run's files are forgotten
}

// The fast club walk and alphabetical order must agree with the literal procedures on
// rosters full of ties: shared clubs, blank and near-blank clubs, twins.
TEST(ClubReportsTest, FastOrdersAgreeWithTheLiteralProcedures) {
  using testing::AlphaIndexByExchange;
  using testing::NextClub;
  std::mt19937 rng(7);
  const char* const clubs[] = {"",  " ",  "Eagles", "eagles",   "Hawks", " Hawks",
                               "A", "AB", "Hawk",   "Hawk\x01", "\x01"};
  // Names that share their first eight, sixteen or thirty-one characters and differ
  // after them.
  const char* const names[] = {"Lee", "Li", "Lee ", "Ng", "Ngo", "Vandenberghe-Smithson",
                               "Vandenberghe-Smith", "Vandenberghe-Smit\xe9", "Vandenbe\x01",
                               // As long as a name of the selection can be.
                               "Vandenberghe-Smithson-Ashworth-A",
                               "Vandenberghe-Smithson-Ashworth-B",
                               // Leading blanks do not count.
                               " Lee", "  Ngo", " Vandenberghe-Smithson-Ashworth-"};
  constexpr std::size_t kNames = std::size(names);
  // Zero and minus zero are one number.
  const float numbers[] = {0.0f, -0.0f, 1.0f, -1.0f, 50.0f, 1e30f};
  const auto number = [&](int round) {
    return round < 300 ? static_cast<float>(rng() % 2) : numbers[rng() % std::size(numbers)];
  };
  for (int round = 0; round < 400; ++round) {
    RunBuilder b;
    const int n = static_cast<int>(rng() % (round < 200 ? 14 : 60));
    for (int i = 0; i < n; ++i) {
      const float weight = 50.0f + number(round);
      const float age = 9.0f + number(round);
      b.Wrestler(names[rng() % kNames], names[rng() % (round % 2 == 0 ? 2 : kNames)],
                 clubs[rng() % 11], weight, age, number(round));
    }
    const pairing::PairingRun& run = b.run();

    std::vector<std::string> literal;
    for (auto club = NextClub(run, ""); club; club = NextClub(run, *club)) literal.push_back(*club);
    std::vector<std::string> fast;
    for (const ClubGroup& g : ClubsInOrder(run)) fast.push_back(g.club);
    ASSERT_EQ(fast, literal) << "round " << round;

    // The whole order, twins in different clubs included.
    ASSERT_EQ(AlphaIndex(run), AlphaIndexByExchange(run)) << "round " << round;
  }
}

TEST(ReportFilesTest, ClubFileNamesStayInTheWorkingDirectory) {
  EXPECT_EQ(ClubFileName("  Red Hawks  "), "Tandrel-BoutsForRed Hawks.txt");
  EXPECT_EQ(ClubFileName(".."), "Tandrel-BoutsFor...txt");
  EXPECT_EQ(ClubFileName("."), "Tandrel-BoutsFor..txt");
  EXPECT_EQ(ClubFileName("../etc/x"), "Tandrel-BoutsFor.._etc_x.txt");
  EXPECT_EQ(ClubFileName("C:\\a*b?\"<>|"), "Tandrel-BoutsForC__a_b_____.txt");
  EXPECT_EQ(ClubFileName(std::string("a\tb\x01", 4)), "Tandrel-BoutsFora_b_.txt");
}

}  // namespace
}  // namespace kestrio::reports
