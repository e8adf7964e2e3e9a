#include "pairing/measure_text.h"

#include <cmath>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "base/number_text.h"

namespace kestrio::pairing {
namespace {

void ExpectSameAsTheReaders(const std::string& text) {
  const std::optional<Measure> m = ReadMeasure(text);
  const std::optional<float> f = text::ReadFloat(text);
  const std::optional<double> d = text::ReadDouble(text);
  ASSERT_EQ(m.has_value(), f.has_value() && d.has_value()) << text;
  if (!m) return;
  EXPECT_EQ(m->Shown, *f) << text;
  EXPECT_EQ(m->Exact, *d) << text;
  EXPECT_EQ(std::signbit(m->Shown), std::signbit(*f)) << text;
}

TEST(ReadMeasure, ReadsEveryTextAsTheFloatAndDoubleReadersDo) {
  std::mt19937 rng(11);
  for (int i = 0; i < 200000; ++i) {
    const int decimals = static_cast<int>(rng() % 12);
    std::string digits = std::to_string(rng() % 100000000u);
    std::string text = digits.substr(0, digits.size() > static_cast<std::size_t>(decimals)
                                            ? digits.size() - static_cast<std::size_t>(decimals)
                                            : 0) +
                       "." +
                       digits.substr(digits.size() > static_cast<std::size_t>(decimals)
                                         ? digits.size() - static_cast<std::size_t>(decimals)
                                         : 0);
    if (rng() % 4 == 0) text = "-" + text;
    ExpectSameAsTheReaders("   " + text);
  }
  for (const char* text : {"     72.00",
                           "72",
                           "72.",
                           ".5",
                           "-.5",
                           "-0.00",
                           "+5",
                           "1.5e3",
                           "1.5D3",
                           "16777217",
                           "16777216.5",
                           "0.1234567890123",
                           "99999999999999999",
                           "72 kg",
                           "72,5",
                           "",
                           "   ",
                           "72kg",
                           "abc",
                           "1e99",
                           "-"}) {
    ExpectSameAsTheReaders(text);
  }
}

}  // namespace
}  // namespace kestrio::pairing
