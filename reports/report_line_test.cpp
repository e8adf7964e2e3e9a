#include "reports/report_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// A text that goes to pieces hands them over at line ends, about a megabyte each, and
// they make up the same text as the whole.
TEST(ReportTextTest, PiecesEndAtLineEndsAndMakeUpTheWholeText) {
  std::vector<std::string> pieces;
  const FileSystem::TextPieces collect = [&](std::string_view p) { pieces.emplace_back(p); };
  ReportText whole;
  ReportText in_pieces(collect);
  for (ReportText* out : {&whole, &in_pieces}) {
    for (int i = 0; i < 40000; ++i) {
      out->Blanks(3).Int(i, 4).Blanks(2).Text("Smith", 15).Blanks(8).EndLine();
    }
    out->Literal("last");
  }
  in_pieces.Finish();
  ASSERT_GE(pieces.size(), 2u);
  std::string joined;
  for (const std::string& p : pieces) {
    EXPECT_LE(p.size(), (1u << 20) + 64);
    joined += p;
  }
  for (std::size_t i = 0; i + 1 < pieces.size(); ++i)
    EXPECT_EQ(pieces[i].substr(pieces[i].size() - 2), "\r\n");
  EXPECT_EQ(joined, whole.str());
}

// Kept lines longer than a piece (a club's blocks) go on as one piece of their own, after
// what came before them, so that the piece never grows to hold them.
TEST(ReportTextTest, LinesLongerThanAPieceGoOnWhole) {
  std::string blocks;
  while (blocks.size() < (3u << 20)) blocks += "   12  34 Smith\r\n";
  std::vector<std::string> pieces;
  const FileSystem::TextPieces collect = [&](std::string_view p) { pieces.emplace_back(p); };
  ReportText in_pieces(collect);
  in_pieces.Literal("Title").EndLine().Lines(blocks).Lines("tail\r\n");
  in_pieces.Finish();
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[0], "Title\r\n");
  EXPECT_EQ(pieces[1], blocks);
  EXPECT_EQ(pieces[2], "tail\r\n");
}

}  // namespace
}  // namespace kestrio::reports
