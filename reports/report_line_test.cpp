#include "reports/report_line.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "base/number_text.h"

namespace kestrio::reports {
namespace {

TEST(ReportTextTest, FieldsBlanksAndLineEnds) {
  ReportText line;
  line.Blanks(3).Int(-7, 4).Blanks(2).Text("Smith", 8).Blanks(1).Word("Club", 5).Literal(",");
  line.Blanks(4).EndLine().EndLine();
  line.Text("Abcdefghij", 4).Fixed(9.6f, 4, 0).Fixed(12, 5, 1).Int(123, 2).EndLine();
  EXPECT_EQ(line.str(), "     -7     Smith Club ,\r\n\r\nAbcd 10. 12.0**\r\n");
}

// The report's own fixed(w,d) must write exactly what the printf-based writer writes,
// ties and negative zeros included, for every value a 32-bit real can hold.
TEST(ReportTextTest, FixedAgreesWithThePrintfWriter) {
  std::mt19937 rng(11);
  std::vector<float> values = {0.0f,    -0.0f, 0.125f,  0.375f,  2.5f,  -2.5f,  0.005f,
                               -0.004f, 9.6f,  999.95f, 1000.0f, 0.05f, -0.05f, 84.5f,
                               1e7f,    -1e9f, 3.4e38f, 1e-30f,  0.45f};
  for (int i = 0; i < 20000; ++i) {
    std::uint32_t bits = static_cast<std::uint32_t>(rng());
    float v;
    std::memcpy(&v, &bits, sizeof v);
    if (i % 2 == 0) v = static_cast<float>(static_cast<int>(rng() % 200000) - 100000) / 100.0f;
    values.push_back(v);
  }
  for (float v : values) {
    for (auto [w, d] : {std::pair{5, 1}, {4, 0}, {3, 0}, {5, 2}, {4, 2}, {6, 3}, {1, 0}, {12, 3}}) {
      ReportText line;
      line.Fixed(v, w, d);
      ASSERT_EQ(line.str(), text::FormatFixed(v, w, d)) << v << " fixed(" << w << "," << d << ")";
    }
  }
}

}  // namespace
}  // namespace kestrio::reports
