#include "pairing/measure_text.h"

#include <cmath>
#include <cstdio>
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
  // Numbers as the roster keeps them, right-aligned with two decimals, and near misses.
  for (int i = 0; i < 100000; ++i) {
    char kept[32];
    const double value = static_cast<int>(rng() % 2000000000u - 1000000000) / 100.0;
    std::snprintf(kept, sizeof kept, "%10.2f", value / std::pow(10.0, rng() % 4));
    std::string text = kept;
    if (i % 5 == 1) text += "  ";
    if (i % 5 == 2) text.insert(text.find_first_not_of(" -"), "0");
    if (i % 5 == 3) text += "5";
    if (i % 5 == 4) text.back() = ' ';
    ExpectSameAsTheReaders(text);
  }
  for (const char* text : {"     72.00",
                           "9999999.99",
                           "-167772.16",
                           "-167772.15",
                           " 167772.16",
                           "0.00",
                           "-0.01",
                           "12345678.00",
                           "72.00 kg",
                           "72.0",
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
