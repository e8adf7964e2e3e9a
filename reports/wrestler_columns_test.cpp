#include "reports/wrestler_columns.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "base/number_text.h"
#include "reports/report_line.h"
#include "testing/run_builder.h"

namespace kestrio::reports {
namespace {

// The club reports' columns of a wrestler written field by field in the line notation.
std::string ClubColumnsInNotation(const pairing::SelectedParticipant& w) {
  ReportText out;
  out.Blanks(1).Text(w.FirstName.view(), 15).Literal(" ").Blanks(1).Text(w.LastName.view(), 15);
  out.Literal(" ").Blanks(1).Text(w.Club.view(), 5).Literal(" ").Blanks(1).Fixed(w.Weight, 5, 1);
  out.Literal(" ").Blanks(1).Fixed(w.Age, 4, 0).Literal(" ").Blanks(1).Fixed(w.Rating, 5, 2);
  return out.Take();
}

// Every row reads as the notation writes the wrestler's columns, and the narrower age and
// rating of the results summary as fixed(3,0) and fixed(4,2) write them: on measures that
// fill their fields, overflow them, round to a wider text, lose the zero before the point
// for want of room, are negative or not numbers, and on random ones. A table made row by
// row as asked for holds the same rows as one made whole.
TEST(WrestlerColumnsTest, RowsAndNarrowMeasuresReadAsTheNotationWritesThem) {
  std::vector<float> measures = {0.0f,    -0.0f,    0.5f,   -0.5f,  0.125f,   9.5f,
                                 99.5f,   99.4f,    100.0f, 999.0f, 999.5f,   -9.5f,
                                 -99.0f,  -0.004f,  0.004f, 9.995f, 99.995f,  1e6f,
                                 1234.5f, -1234.5f, 72.25f, NAN,    INFINITY, -INFINITY};
  std::mt19937 rng(15);
  for (int i = 0; i < 300; ++i) {
    measures.push_back(static_cast<float>(static_cast<int>(rng() % 200000) - 20000) / 100.0f);
  }
  // Every roster measure up to 100, and those where a field fills up, in hundredths as a
  // roster holds them and a little either side, where the rounding decides the digits.
  const auto hundredths = [&](int from, int to) {
    for (int k = from; k <= to; ++k) {
      const float m = static_cast<float>(k) / 100.0f;
      measures.insert(measures.end(), {m, std::nextafter(m, 0.0f), std::nextafter(m, 2e3f)});
    }
  };
  hundredths(0, 10000);
  hundredths(99900, 100100);
  testing::RunBuilder b;
  for (std::size_t i = 0; i < measures.size(); ++i) {
    const float m = measures[i];
    const float other = measures[(i * 7 + 3) % measures.size()];
    b.Wrestler("Surname-" + std::to_string(i) + "-long-enough", "Given", "Club of mine", other, m,
               m);
  }
  const pairing::PairingRun& run = b.run();
  WrestlerColumns whole(run, /*all=*/true);
  WrestlerColumns as_asked(run, /*all=*/false);
  for (std::size_t p = run.SelectedList.size(); p-- > 0;) {
    const pairing::SelectedParticipant& w = run.SelectedList[p];
    SCOPED_TRACE("age and rating " + std::to_string(w.Age));
    EXPECT_EQ(whole.Of(p).ClubColumns(), ClubColumnsInNotation(w));
    EXPECT_EQ(as_asked.Of(p).ClubColumns(), whole.Of(p).ClubColumns());
    char age[3];
    char rating[4];
    whole.PutNarrowMeasures(p, age, rating);
    EXPECT_EQ(std::string(age, sizeof age), text::FormatFixed(w.Age, 3, 0));
    EXPECT_EQ(std::string(rating, sizeof rating), text::FormatFixed(w.Rating, 4, 2));
  }
}

// Only a comma the columns show marks a row: one beyond the column's width is not written.
TEST(WrestlerColumnsTest, CommaMarksOnlyShownNamesAndClub) {
  testing::RunBuilder b;
  b.Wrestler("Smith, Jr", "Ann", "Eagles", 50, 9, 1);
  b.Wrestler("Smith", "Ann,Marie", "Eagles", 50, 9, 1);
  b.Wrestler("Smith", "Ann", "A,B Club", 50, 9, 1);
  b.Wrestler("Smithsonian-Brown, Jr", "Annabel-Marianne, Sr", "Eagles, North", 50, 9, 1);
  b.Wrestler("Smith", "Ann", "Eagles", 50, 9, 1);
  WrestlerColumns columns(b.run(), /*all=*/false);
  EXPECT_TRUE(columns.Of(0).comma);
  EXPECT_TRUE(columns.Of(1).comma);
  EXPECT_TRUE(columns.Of(2).comma);
  EXPECT_FALSE(columns.Of(3).comma);
  EXPECT_FALSE(columns.Of(4).comma);
}

// A side shows its wrestler's row only while it carries him as the selection holds him:
// any text or number of his changed on the side since, or a selection index outside
// the selection, and the side shows its own texts.
TEST(WrestlerColumnsTest, SideShowsRowOnlyWhileItCarriesItsWrestler) {
  testing::RunBuilder b;
  const int smith = b.Wrestler("Smith", "Ann", "Eagles of the North", 50, 9, 1);
  const int jones = b.Wrestler("Jones", "Bo", "Hawks", 52, 9, 1);
  for (int bout = 0; bout < 6; ++bout) b.Bout(smith, jones, bout, bout + 1);
  pairing::PairingRun& run = b.run();
  run.BoutList[2].LastName.Assign("Smyth");
  run.BoutList[4].Rating = 1.5f;
  run.BoutList[6].Club.Assign("Eagle");  // the side holds the club's first five characters
  run.BoutList[8].SelectionIndex = 2;
  run.BoutList[10].Age = -0.0f;
  WrestlerColumns columns(run, /*all=*/false);
  std::string shown;
  for (std::size_t e = 0; e < run.BoutList.size(); ++e) shown += columns.ShowsRow(e) ? 'y' : 'n';
  EXPECT_EQ(shown,
            "yynyny"
            "yynyny");
}

}  // namespace
}  // namespace kestrio::reports
