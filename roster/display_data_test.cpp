#include "roster/display_data.h"

#include <string>

#include <gtest/gtest.h>

#include "roster/roster_reader.h"
#include "roster/sort_display_order.h"
#include "tests/fake_file_system.h"

namespace kestrio::roster {
namespace {

const std::string kHeader =
    "  WCl LastName       FirstName      Weight   Age Rating Club     Status    \r\n"
    " ---- -------------- -------------- ------ ----- ------ -------- ----------\r\n";

TEST(DisplayDataTest, ListsDisplayedEntriesInFixedColumns) {
  Roster roster;
  ReadRosterText(
      "Montgomery-Fairweather\tAlexandrina\t1234.5\t10.5\t3\tRiverside Grapplers\tyes\n"
      "Lee\tAl\t75\t9\t-1\tOwls\n",
      roster, IgnoreSkippedLines());
  ResetDisplayOrder(roster);
  SortDisplayOrder(roster);

  ASSERT_EQ(kHeader.size(), 2 * 77u);
  EXPECT_EQ(DisplayDataText(roster),
            kHeader +
                "  75. Lee            Al              75.00  9.00  -1.00 Owls\r\n"
                " 1235 Montgomery-Fai Alexandrina    1234.5 10.50   3.00 Riversid Selected\r\n");

  roster.SortColumn = -3;
  SortDisplayOrder(roster);
  const std::string descending = DisplayDataText(roster);
  EXPECT_EQ(descending.substr(kHeader.size(), 5), " 1235");

  FakeFileSystem fs;
  ASSERT_TRUE(ExportDisplayData(fs, roster, [](const Participant&) { return false; }).ok());
  EXPECT_EQ(fs.Contents("DisplayData.dat"), kHeader);

  fs.HoldOpen("DisplayData.dat");
  EXPECT_FALSE(ExportDisplayData(fs, roster).ok());
}

}  // namespace
}  // namespace kestrio::roster
