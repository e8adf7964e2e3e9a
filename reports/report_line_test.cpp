#include "reports/report_line.h"

#include <gtest/gtest.h>

namespace kestrio::reports {
namespace {

TEST(ReportTextTest, FieldsBlanksAndLineEnds) {
  ReportText line;
  line.Blanks(3).Int(-7, 4).Blanks(2).Text("Smith", 8).Blanks(1).Word("Club", 5).Literal(",");
  line.Blanks(4).EndLine().EndLine();
  line.Text("Abcdefghij", 4).Fixed(9.6f, 4, 0).Fixed(12, 5, 1).Fixed(1000, 5, 1).EndLine();
  // Whole numbers (counts, bout numbers, rounds) wider than their field come out in full.
  line.Int(123, 2).Blanks(1).Int(-1000, 4).Blanks(1).FixedInFull(12.5, 6, 4).EndLine();
  EXPECT_EQ(line.str(),
            "     -7     Smith Club ,\r\n\r\nAbcd 10. 12.0*****\r\n123 -1000 12.5000\r\n");
}

}  // namespace
}  // namespace kestrio::reports
