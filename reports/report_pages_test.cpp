#include "reports/report_pages.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrio::reports {
namespace {

std::vector<std::vector<int>> Pages(const std::vector<ReportPage>& pages) {
  std::vector<std::vector<int>> out;
  for (const ReportPage& p : pages) out.push_back(p.lines);
  return out;
}

TEST(ReportPagesTest, LinesWithEitherLineEnd) {
  EXPECT_EQ(ReportLines("a\r\nb\n\r\nc"), (std::vector<std::string_view>{"a", "b", "", "c"}));
  EXPECT_EQ(ReportLines("a\r\n"), (std::vector<std::string_view>{"a"}));
  EXPECT_TRUE(ReportLines("").empty());
}

TEST(ReportPagesTest, TableHeadingsRepeatOnEveryPageTheTableRunsOnto) {
  // A title with its single rule (not a table), then a table of six rows, a blank line
  // that ends it, and a closing line.
  const auto lines = ReportLines(
      "  -----\r\n  Title\r\n  -----\r\nSlot Time\r\n---- ----\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n"
      "\r\nafter\r\n");
  const auto pages = PaginateReport(lines, 5);
  EXPECT_EQ(Pages(pages), (std::vector<std::vector<int>>{
                              {0, 1, 2},  // the heading would have no row under it here
                              {3, 4, 5, 6, 7},
                              {3, 4, 8, 9, 10},
                              {12}}));  // the blank line ended the table and is not printed
  EXPECT_EQ(pages[0].repeated, 0);
  EXPECT_EQ(pages[2].repeated, 2);
  EXPECT_EQ(pages[3].repeated, 0);
}

TEST(ReportPagesTest, PlainTextAndTinyPages) {
  std::string text;
  for (int i = 0; i < 10; ++i) text += "line\r\n";
  const auto pages = PaginateReport(ReportLines(text), 1);
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(pages[2].lines, (std::vector<int>{8, 9}));
  EXPECT_EQ(PaginateReport({}, 50).size(), 1u);
}

}  // namespace
}  // namespace kestrio::reports
