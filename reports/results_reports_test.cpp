#include "reports/results_reports.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "reports/club_reports.h"
#include "testing/run_builder.h"

namespace kestrio::reports {
namespace {

using testing::Lines;
using testing::RunBuilder;

const std::string_view kBoutSheetHeader =
    "Bout, Wgt, Surname1       , GivenName1     , Club1, Wght1, Age1, Rate1, Surname2       , "
    "GivenName2     , Club2, Wght2, Age2, Rate2";
const std::string_view kBoutSheetRule =
    "----, ---, ---------------, ---------------, -----, -----, ----, -----, ---------------, "
    "---------------, -----, -----, ----, -----";

TEST(BoutSheetsTest, TwoBoutsOneNonOptimumAsPrinted) {
  RunBuilder b;
  const int smith = b.Wrestler("Smith", "John", "Eagles", 84.5f, 9, 2.5f);
  const int jones = b.Wrestler("Jones", "Bob", "Hawks", 86.0f, 10, 2.75f);
  const int brown = b.Wrestler("Brown", "Al", "Eagles", 61.2f, 8, 1.0f);
  const int green = b.Wrestler("Green", "Tim", "Eagles", 58.9f, 8, 1.25f);
  b.Bout(smith, jones, 0, 1).Bout(brown, green, 0, -2);

  EXPECT_EQ(WriteBoutSheets(b.run()), Lines({kBoutSheetHeader, kBoutSheetRule,
                                             "   1,  85, Smith          , John           , Eagle,  "
                                             "84.5,   9.,  2.50, Jones          , "
                                             "Bob            , Hawks,  86.0,  10.,  2.75",
                                             "  -2,  60, Brown          , Al             , Eagle,  "
                                             "61.2,   8.,  1.00, Green          , "
                                             "Tim            , Eagle,  58.9,   8.,  1.25"}));
  EXPECT_TRUE(CheckBoutTables(b.run()).ok());
}

TEST(BoutSheetsTest, NoBoutsGivesTheTwoHeaderRecordsOnly) {
  RunBuilder b;
  b.Wrestler("Smith", "John", "Eagles", 84.5f, 9, 2.5f);
  EXPECT_EQ(WriteBoutSheets(b.run()), Lines({kBoutSheetHeader, kBoutSheetRule}));
  EXPECT_EQ(WriteBoutSheets(pairing::PairingRun{}), Lines({kBoutSheetHeader, kBoutSheetRule}));
}

TEST(BoutSheetsTest, RecordsFollowBoutNumbersAndSidesFollowSelectionOrder) {
  // Bout 2 sits in an earlier round than bout 1, and its chooser is the later wrestler:
  // records still run 1, 2 and side 1 is the earlier wrestler in selection order.
  RunBuilder b;
  const int a = b.Wrestler("Aa", "A", "X", 50, 9, 1);
  const int c = b.Wrestler("Cc", "C", "X", 50, 9, 1);
  const int d = b.Wrestler("Dd", "D", "X", 50, 9, 1);
  b.Bout(d, a, 0, 2).Bout(c, a, 1, 1);
  const std::string text = WriteBoutSheets(b.run());
  const std::size_t first = text.find("\r\n   1,");
  const std::size_t second = text.find("\r\n   2,");
  ASSERT_NE(first, std::string::npos);
  ASSERT_NE(second, std::string::npos);
  EXPECT_LT(first, second);
  EXPECT_EQ(text.substr(second + 2 + 11, 2), "Aa");
}

TEST(BoutSheetsTest, LongTextsAreCutAndAgesRoundedWithoutMovingTheCommas) {
  RunBuilder b;
  const int a = b.Wrestler("Abcdefghijklmnopqrstuvwxyz", "Maximilianusxyzab", "Riverside", 999.96f,
                           9.6f, 2.5f);
  const int c = b.Wrestler("Short", "S", "R", 80, 12, 3);
  b.Bout(a, c, 0, 1);
  const std::string text = WriteBoutSheets(b.run());
  const std::string record = text.substr(text.rfind("\r\n", text.size() - 3) + 2);
  EXPECT_EQ(
      record,
      "   1, 540, Abcdefghijklmno, Maximilianusxyz, River, *****,  10.,  2.50, Short          , "
      "S              , R    ,  80.0,  12.,  3.00\r\n");
  for (std::size_t i = 0; i < kBoutSheetHeader.size(); ++i) {
    if (kBoutSheetHeader[i] == ',') {
      EXPECT_EQ(record[i], ',') << "column " << i;
    }
  }
}

TEST(BoutSheetsTest, CommasInNamesAndClubsAreWrittenAsSemicolons) {
  RunBuilder b;
  const int a = b.Wrestler("Smith, Jr", "Ann,Marie", "A,B Club", 50, 9, 1);
  const int c = b.Wrestler("Short", "S", "R", 50, 9, 1);
  b.Bout(a, c, 0, 1);
  const std::string text = WriteBoutSheets(b.run());
  EXPECT_EQ(text.substr(text.rfind("\r\n", text.size() - 3) + 2),
            "   1,  50, Smith; Jr      , Ann;Marie      , A;B C,  50.0,   9.,  1.00, Short      "
            "    , S              , R    ,  50.0,   9.,  1.00\r\n");
}

TEST(ResultsSummaryTest, ThreeRoundsAsPrinted) {
  RunBuilder b;
  b.Wrestler("Smith", "John", "Eagles", 84.5f, 9, 2.5f);
  pairing::PairingRun& run = b.run();
  run.RoundTable[0] = 1;
  run.RoundTable[2] = -7;
  run.BoutCount[0] = 2;
  run.RoundsUsed = 3;
  EXPECT_EQ(
      WriteResultsSummary(run),
      Lines({"#B  Surname          GivenName        Club    Wght  Age  Rate  r#1  r#2  r#3",
             "--  ---------------  ---------------  -----  -----  ---  ----  ---  ---  ---",
             " 2  Smith            John             Eagle   84.5   9.  2.50    1    0   -7"}));
}

TEST(ResultsSummaryTest, TenOrMoreRoundsAreHeadedFromHashTen) {
  RunBuilder b;
  b.Wrestler("Smith", "John", "Eagles", 84.5f, 9, 2.5f);
  b.run().RoundsUsed = 11;
  const std::string text = WriteResultsSummary(b.run());
  const std::string header = text.substr(0, text.find("\r\n"));
  EXPECT_EQ(header.substr(header.size() - 20), "  r#8  r#9  #10  #11");
  EXPECT_EQ(header.size(), 61u + 11u * 5u);
  const std::string rule = text.substr(header.size() + 2, header.size());
  EXPECT_EQ(rule.substr(rule.size() - 10), "  ---  ---");
}

TEST(ResultsSummaryTest, NarrowerNumberFieldsThanTheBoutSheets) {
  RunBuilder b;
  b.Wrestler("Abcdefghijklmnopqrstuvwxyz", "G", "Riverside", 1000, 9.6f, 10);
  b.Wrestler("Short", "S", "R", 80, 12, 3);
  b.run().BoutCount[1] = 123;
  b.run().RoundsUsed = 1;
  const std::string text = WriteResultsSummary(b.run());
  EXPECT_NE(text.find("\r\n 0  Abcdefghijklmno  G                River  *****  10.  ****    0\r\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\r\n123  Short"), std::string::npos) << text;
}

// A thousand bouts, the last a non-optimum one numbered -1000: one character wider than
// the bout-number field of every report. Its lines widen to hold the number; the others
// keep their columns.
TEST(ReportNumbersTest, BoutNumbersTooWideForTheirFieldAreWrittenInFull) {
  RunBuilder b;
  for (int i = 1; i <= 1000; ++i) {
    const std::string n = std::to_string(i);
    const int a = b.Wrestler("A" + n, "X", "Eagles", 50, 9, 1);
    const int c = b.Wrestler("C" + n, "Y", "Hawks", 50, 9, 1);
    b.Bout(a, c, i == 1000 ? 1 : 0, i == 1000 ? -1000 : i);
  }
  ASSERT_TRUE(CheckBoutTables(b.run()).ok());
  const std::string sheets = WriteBoutSheets(b.run());
  EXPECT_NE(sheets.find("\r\n 999,  50, A999 "), std::string::npos);
  EXPECT_NE(sheets.find("\r\n-1000,  50, A1000 "), std::string::npos);
  EXPECT_EQ(sheets.find('*'), std::string::npos);

  const std::string by_number = WriteBoutsByBoutNumber(b.run());
  EXPECT_NE(by_number.find("\r\n    999   50  A999 "), std::string::npos)
      << by_number.substr(0, 400);
  EXPECT_NE(by_number.find("\r\n   -1000   50  A1000 "), std::string::npos);

  const std::string summary = WriteResultsSummary(b.run());
  EXPECT_NE(summary.find("  1.00    0 -1000\r\n"), std::string::npos);
  EXPECT_EQ(summary.find('*'), std::string::npos);
}

TEST(ReportNumbersTest, RoundsFromAHundredAreHeadedInFull) {
  RunBuilder b;
  b.run().RoundCapacity = 100;
  b.Wrestler("Smith", "John", "Eagles", 84.5f, 9, 2.5f);
  b.run().RoundsUsed = 100;
  b.run().RoundTable[0] = 7;
  b.run().RoundTable[99] = -12345;
  const std::string text = WriteResultsSummary(b.run());
  const std::string header = text.substr(0, text.find("\r\n"));
  EXPECT_EQ(header.substr(header.size() - 11), "  #99  #100");
  // The wrestler's row holds all hundred rounds, the widest number in full.
  std::string row = " 0  Smith            John             Eagle   84.5   9.  2.50    7";
  for (int r = 1; r < 99; ++r) row += "    0";
  row += " -12345\r\n";
  EXPECT_EQ(text.substr(text.size() - row.size()), row);
}

TEST(CheckBoutTablesTest, FindsBoutsWithoutTwoSidesOrWithMismatchedNumbers) {
  RunBuilder b;
  const int a = b.Wrestler("A", "A", "X", 50, 9, 1);
  const int c = b.Wrestler("C", "C", "X", 50, 9, 1);
  const int d = b.Wrestler("D", "D", "X", 50, 9, 1);
  b.Bout(a, c, 0, 1).Bout(a, d, 1, -2);
  ASSERT_TRUE(CheckBoutTables(b.run()).ok());
  // The sides the check finds, by place in number order, and the bout sheets written
  // from them.
  std::vector<BoutSides> sides;
  ASSERT_TRUE(CheckBoutTables(b.run(), &sides).ok());
  std::vector<int> found;
  for (const BoutSides& s : sides) found.insert(found.end(), {s.round, s.first, s.second});
  EXPECT_EQ(found, (std::vector<int>{0, a, c, 1, a, d}));
  WrestlerColumns columns(b.run(), /*all=*/true);
  ReportText sheets;
  WriteBoutSheetsInto(b.run(), columns, sides, sheets, nullptr);
  EXPECT_EQ(sheets.Take(), WriteBoutSheets(b.run()));

  pairing::PairingRun lone = b.run();
  lone.RoundTable[static_cast<std::size_t>(d) * lone.RoundCapacity + 1] = 0;
  EXPECT_EQ(CheckBoutTables(lone).message(),
            "Pairing tables inconsistent: bout 2 does not have two sides in one round");
  std::vector<BoutSides> none;
  EXPECT_FALSE(CheckBoutTables(lone, &none).ok());
  EXPECT_TRUE(none.empty());
  EXPECT_EQ(WriteBoutSheets(lone).find("  -2,"), std::string::npos);

  pairing::PairingRun mismatched = b.run();
  mismatched.BoutList[3].BoutNumber = 2;
  EXPECT_FALSE(CheckBoutTables(mismatched).ok());

  pairing::PairingRun stray = b.run();
  stray.BoutOrder[1] = 7;
  EXPECT_FALSE(CheckBoutTables(stray).ok());
}

}  // namespace
}  // namespace kestrio::reports
