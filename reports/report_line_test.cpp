#include "reports/report_line.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "base/number_text.h"

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

// A measure's fixed(w,d) reads as the number writers' own, on measures of every size,
// rounding ties, negative zeros, fields too narrow for the integer part or for the zero
// before the point, and values the short way does not take.
TEST(ReportTextTest, FixedWritesMeasuresAsTheNumberWriters) {
  std::mt19937 rng(15);
  std::vector<double> values = {0.0,     -0.0,   0.5,      -0.5,      0.125, 2.5,         0.004f,
                                -0.004f, 99.95f, 999.5,    1e9,       -1e9,  1e12,        123456.7f,
                                1e-30,   NAN,    INFINITY, -INFINITY, 0.1,   72.123456789};
  for (int i = 0; i < 20000; ++i) {
    std::uint32_t bits = rng();
    float f;
    std::memcpy(&f, &bits, sizeof f);
    values.push_back(i % 2 == 0 ? f : static_cast<float>(rng() % 200000) / 100.0f - 500.0f);
  }
  for (const double v : values) {
    for (const auto& [w, d] : {std::pair{5, 1},
                               {4, 0},
                               {5, 2},
                               {3, 0},
                               {4, 2},
                               {2, 1},
                               {1, 0},
                               {16, 3},
                               {17, 3},
                               {6, 4},
                               {0, 1}}) {
      ReportText line;
      line.Fixed(v, w, d);
      ASSERT_EQ(line.str(), text::FormatFixed(v, w, d)) << v << " " << w << " " << d;
    }
  }
}

// int(w) reads as the number writers' own, in full when wider than the field.
TEST(ReportTextTest, IntWritesAsTheNumberWriters) {
  std::mt19937_64 rng(15);
  std::vector<std::int64_t> values = {0,     1,    -1,        9,         10,        -10,      9999,
                                      10000, -999, INT64_MIN, INT64_MAX, INT32_MIN, INT32_MAX};
  for (int i = 0; i < 5000; ++i) {
    values.push_back(static_cast<std::int64_t>(rng()) >> (rng() % 64));
  }
  for (const std::int64_t v : values) {
    for (const int w : {-1, 0, 1, 2, 3, 4, 5, 20, 21, 47, 48, 49, 60}) {
      ReportText line;
      line.Int(v, w);
      std::string expected;
      text::AppendIntInFull(expected, v, w);
      ASSERT_EQ(line.str(), expected) << v << " " << w;
    }
  }
}

// Keeps every piece handed over, as the writing thread takes it.
struct Collect : TextTaker {
  std::vector<std::string> pieces;
  void Take(std::string& piece) override {
    pieces.push_back(std::move(piece));
    piece.clear();
  }
  std::string Joined() const {
    std::string joined;
    for (const std::string& p : pieces) joined += p;
    return joined;
  }
};

// A text that goes to pieces hands them over at line ends, about a quarter of a
// megabyte each, and they make up the same text as the whole.
TEST(ReportTextTest, PiecesEndAtLineEndsAndMakeUpTheWholeText) {
  Collect collect;
  ReportText whole;
  ReportText in_pieces(collect);
  for (ReportText* out : {&whole, &in_pieces}) {
    for (int i = 0; i < 40000; ++i) {
      out->Blanks(3).Int(i, 4).Blanks(2).Text("Smith", 15).Blanks(8).EndLine();
    }
    out->Literal("last");
  }
  in_pieces.Finish();
  ASSERT_GE(collect.pieces.size(), 2u);
  for (const std::string& p : collect.pieces) EXPECT_LE(p.size(), (256u << 10) + 64);
  for (std::size_t i = 0; i + 1 < collect.pieces.size(); ++i)
    EXPECT_EQ(collect.pieces[i].substr(collect.pieces[i].size() - 2), "\r\n");
  EXPECT_EQ(collect.Joined(), whole.str());
}

// Kept lines longer than a piece (a club's blocks) are cut into pieces of the usual size
// after what came before them, so that no piece grows to hold them.
TEST(ReportTextTest, LinesLongerThanAPieceAreCutToPieces) {
  std::string blocks;
  while (blocks.size() < (3u << 20)) blocks += "   12  34 Smith\r\n";
  Collect collect;
  ReportText in_pieces(collect);
  in_pieces.Literal("Title").EndLine().Lines(blocks).Lines("tail\r\n");
  in_pieces.Finish();
  ASSERT_GE(collect.pieces.size(), 12u);
  for (const std::string& p : collect.pieces) EXPECT_LE(p.size(), 256u << 10);
  EXPECT_EQ(collect.Joined(), "Title\r\n" + blocks + "tail\r\n");
}

}  // namespace
}  // namespace kestrio::reports
