#include "base/number_text.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "base/fixed_text.h"

namespace kestrio::text {
namespace {

TEST(NumberTextTest, ReadsTheThreeFormsAndStopsAtTheFirstToken) {
  EXPECT_EQ(ReadDouble("72"), 72.0);
  EXPECT_EQ(ReadDouble("   -5.25"), -5.25);
  EXPECT_EQ(ReadDouble("+.5"), 0.5);
  EXPECT_EQ(ReadDouble("7."), 7.0);
  EXPECT_EQ(ReadDouble("1.5e2"), 150.0);
  EXPECT_EQ(ReadDouble("1.5D2"), 150.0);
  EXPECT_EQ(ReadDouble("72 kg"), 72.0);
  EXPECT_EQ(ReadDouble("72,5"), 72.0);
  EXPECT_EQ(ReadDouble("72/5"), 72.0);
}

TEST(NumberTextTest, RejectsEmptyTextAndTokensThatAreNotNumbers) {
  for (const char* bad :
       {"", "   ", "72kg", "abc", "inf", "nan", "1e", ".", "-", "0x10", "1.5e+", "1e999", "--1"}) {
    EXPECT_FALSE(ReadDouble(bad).has_value()) << '"' << bad << '"';
  }
}

TEST(NumberTextTest, TooSmallReadsAsZeroAndTooLargeIsAnError) {
  for (const char* tiny :
       {"1e-50", "7e-46", "-1e-50", "0.000001e-99", "123e-400", "1e-99999999999"}) {
    EXPECT_EQ(ReadFloat(tiny), 0.0f) << tiny;
    EXPECT_FALSE(std::signbit(*ReadFloat(tiny))) << tiny;
  }
  EXPECT_EQ(ReadDouble("1e-400"), 0.0);
  EXPECT_GT(*ReadFloat("1e-40"), 0.0f);  // a subnormal still reads as itself
  for (const char* huge : {"1e39", "1e999", "-1e50", "123456e35", "0.1e40"}) {
    EXPECT_FALSE(ReadFloat(huge).has_value()) << huge;
  }
  EXPECT_FALSE(std::signbit(*ReadDouble("-0")));
  EXPECT_FALSE(std::signbit(*ReadFloat("-0.0e5")));
}

TEST(NumberTextTest, ReadsRoundOnceToTheirOwnPrecision) {
  EXPECT_EQ(ReadFloat("0.1"), 0.1f);
  EXPECT_EQ(ReadDouble("0.1"), 0.1);
  EXPECT_EQ(ReadInteger(" 12,"), 12);
  EXPECT_FALSE(ReadInteger("1.5").has_value());
  EXPECT_EQ(ReadInteger("-3"), -3);
}

// Plain decimals take a short path in the readers: they must read exactly as the
// general conversion reads the same token, at every length and on both sides of the
// short path's bounds (2^24 whole digits for a float, 15 digits, 10 and 22 decimals).
TEST(NumberTextTest, PlainDecimalsReadAsTheGeneralConversion) {
  const auto expect_general = [](const std::string& token) {
    float f = 0;
    double d = 0;
    const char* end = token.data() + token.size();
    ASSERT_EQ(std::from_chars(token.data(), end, f).ptr, end) << token;
    ASSERT_EQ(std::from_chars(token.data(), end, d).ptr, end) << token;
    const std::string padded = "   " + token + " kg";
    // The general read turns "-0" into 0.
    EXPECT_EQ(std::bit_cast<std::uint32_t>(*ReadFloat(padded)),
              std::bit_cast<std::uint32_t>(f + 0.0f))
        << token;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(*ReadDouble(padded)),
              std::bit_cast<std::uint64_t>(d + 0.0))
        << token;
  };
  std::mt19937_64 rng(5);
  for (int i = 0; i < 200000; ++i) {
    std::string digits = std::to_string(rng() >> (rng() % 64));
    const std::size_t point = rng() % (digits.size() + 1);
    std::string token = digits.substr(0, point) + "." + digits.substr(point);
    if (rng() % 3 == 0) token.erase(token.find('.'), 1);
    if (token == ".") continue;
    if (rng() % 4 == 0) token.insert(0, "-");
    expect_general(token);
  }
  for (const char* token :
       {"16777215", "16777216", "16777217", "1677721.7", "999999999999999", "9007199254740993",
        "0.0000000001", "0.00000000001", "-0.00", "0", "72.", ".5", "-.5", "123456789012345."}) {
    expect_general(token);
  }
}

// A saved roster's numbers in hundredths, with how the whole part was written; anything
// but an optional minus, one to seven whole digits, a period and two decimals is not one.
TEST(NumberTextTest, HundredthsOfTheNumbersASavedRosterWrites) {
  const auto read = [](std::string_view s) {
    const std::optional<HundredthsText> h = ReadHundredths(s);
    return h ? std::to_string(h->Negative ? -1 : 1) + " " + std::to_string(h->Hundredths) + " " +
                   std::to_string(h->WholeDigits) + (h->LeadingZero ? " zero" : "")
             : std::string("none");
  };
  EXPECT_EQ(read("72.50"), "1 7250 2");
  EXPECT_EQ(read("-3.25"), "-1 325 1");
  EXPECT_EQ(read("0.05"), "1 5 1");
  EXPECT_EQ(read("-0.00"), "-1 0 1");
  EXPECT_EQ(read("07.50"), "1 750 2 zero");
  EXPECT_EQ(read("9999999.99"), "1 999999999 7");
  for (std::string_view other : {"12345678.00", "72.5", "72.500", ".50", "72.", "72.50 ", " 72.50",
                                 "+72.50", "7a.50", "72.5x", "-", "", "72,50", "--1.00"}) {
    EXPECT_EQ(read(other), "none") << other;
  }
}

TEST(NumberTextTest, FixedWritesLikePrintfWithAsterisksOnOverflow) {
  EXPECT_EQ(FormatFixed(72, 10, 2), "     72.00");
  EXPECT_EQ(FormatFixed(84.5, 5, 1), " 84.5");
  EXPECT_EQ(FormatFixed(9.6, 4, 0), " 10.");
  EXPECT_EQ(FormatFixed(10.0, 4, 0), " 10.");
  EXPECT_EQ(FormatFixed(0.5, 4, 2), "0.50");
  EXPECT_EQ(FormatFixed(0.5, 3, 2), ".50");
  EXPECT_EQ(FormatFixed(-0.5, 4, 2), "-.50");
  EXPECT_EQ(FormatFixed(1234.5, 5, 1), "*****");
  EXPECT_EQ(FormatFixed(1e12, 10, 2), "**********");
  EXPECT_EQ(FormatFixed(2.675, 6, 2), "  2.67");  // printf rounds the binary value
  // In place, also a value no 32-bit real holds; a field of no width is left alone.
  char field[8] = "#######";
  PutFixed(field, 0.1, 6, 3);
  PutFixed(field + 6, 1.0, 0, 1);
  EXPECT_EQ(std::string(field), " 0.100#");
}

// The fixed-point writer must round every value exactly as printf does, halves and
// float-to-double widenings included (weights are parsed as floats).
TEST(NumberTextTest, FixedAgreesWithPrintfOnRandomValues) {
  std::mt19937 rng(11);
  std::uniform_real_distribution<float> value(-20000.0f, 20000.0f);
  for (int i = 0; i < 20000; ++i) {
    const double v = i % 2 ? value(rng) : (static_cast<int>(rng() % 200000) - 100000) / 8.0;
    const int d = static_cast<int>(rng() % 4);
    char expected[64];
    std::snprintf(expected, sizeof expected, "%14.*f", d, v);
    std::string want = expected;
    if (d == 0) want = want.substr(1) + ".";
    ASSERT_EQ(FormatFixed(v, 14, d), want) << v << " d=" << d;
  }
}

// fixed(w,d) by printf: "%.*f", a point after a whole number, the zero integer part
// dropped when the field has no room for it, asterisks when it still does not fit.
std::string PrintfFixed(double v, int w, int d) {
  if (!std::isfinite(v)) return std::string(static_cast<std::size_t>(w), '*');
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, "%.*f", d, v);
  std::string s = buffer;
  if (d == 0) s += '.';
  if (static_cast<int>(s.size()) > w && s.rfind("0.", 0) == 0) s.erase(0, 1);
  if (static_cast<int>(s.size()) > w && s.rfind("-0.", 0) == 0) s.erase(1, 1);
  if (static_cast<int>(s.size()) > w) return std::string(static_cast<std::size_t>(w), '*');
  return std::string(static_cast<std::size_t>(w) - s.size(), ' ') + s;
}

// Every value a 32-bit real can hold, in the narrow fields of the reports: ties,
// negative zeros and the dropped zero included (the reports and the roster parser
// format floats the fast way).
TEST(NumberTextTest, FixedOfAnyFloatAgreesWithPrintf) {
  std::mt19937 rng(11);
  std::vector<float> values = {0.0f,   -0.0f,      0.125f,      0.375f,     2.5f,      -2.5f,
                               0.005f, -0.004f,    9.6f,        999.95f,    1000.0f,   0.05f,
                               -0.05f, 84.5f,      1e7f,        -1e9f,      3.4e38f,   1e-30f,
                               0.45f,  0.0078125f, -0.0234375f, 1.0000005f, 0.1234565f};
  for (int i = 0; i < 20000; ++i) {
    std::uint32_t bits = static_cast<std::uint32_t>(rng());
    float v;
    std::memcpy(&v, &bits, sizeof v);
    if (i % 2 == 0) v = static_cast<float>(static_cast<int>(rng() % 200000) - 100000) / 100.0f;
    values.push_back(v);
  }
  for (float v : values) {
    for (auto [w, d] : {std::pair{5, 1},
                        {4, 0},
                        {3, 0},
                        {5, 2},
                        {4, 2},
                        {6, 3},
                        {1, 0},
                        {12, 3},
                        {8, 6},
                        {12, 5},
                        {3, 4}}) {
      ASSERT_EQ(FormatFixed(v, w, d), PrintfFixed(v, w, d))
          << v << " fixed(" << w << "," << d << ")";
      // Laid out in place: the field exactly, nothing beyond it.
      char field[16];
      std::memset(field, '#', sizeof field);
      PutFixed(field, v, w, d);
      ASSERT_EQ(std::string(field, static_cast<std::size_t>(w)) + field[w],
                PrintfFixed(v, w, d) + '#')
          << v << " fixed(" << w << "," << d << ") in place";
    }
    // In full (no field), as the general conversion writes it: the board's fits.
    if (!std::isfinite(v)) continue;
    for (int d : {0, 2, 6}) {
      char buffer[512];
      const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(v),
                                           std::chars_format::fixed, d);
      std::string want(buffer, end);
      if (d == 0) want += '.';
      std::string got;
      AppendFixedInFull(got, v, 0, d);
      ASSERT_EQ(got, want) << v << " in full, " << d << " decimals";
    }
  }
}

TEST(NumberTextTest, IntRightJustifiesWithAsterisksOnOverflow) {
  EXPECT_EQ(FormatInt(-7, 4), "  -7");
  EXPECT_EQ(FormatInt(100, 2), "**");
  EXPECT_EQ(FormatInt(0, 1), "0");
}

TEST(NumberTextTest, InFullWritersWidenOnlyWhatDoesNotFit) {
  const auto in_full = [](auto append) {
    std::string out = "|";
    append(out);
    return out;
  };
  EXPECT_EQ(in_full([](std::string& o) { AppendIntInFull(o, -999, 4); }), "|-999");
  EXPECT_EQ(in_full([](std::string& o) { AppendIntInFull(o, 7, 4); }), "|   7");
  EXPECT_EQ(in_full([](std::string& o) { AppendIntInFull(o, -1000, 4); }), "|-1000");
  EXPECT_EQ(in_full([](std::string& o) { AppendIntInFull(o, 100, 2); }), "|100");
  EXPECT_EQ(in_full([](std::string& o) { AppendIntInFull(o, 5, 60); }),
            "|" + std::string(59, ' ') + "5");
  // Laid out in place: the most negative number in full, a field of no width, numbers at
  // the edges of their fields, and nothing written past the room.
  const auto in_place = [](std::int64_t v, int w) {
    char field[72];
    std::memset(field, '#', sizeof field);
    const std::size_t n = PutIntInFull(field, v, w);
    const std::size_t room = std::max<std::size_t>(kIntInFullRoom, static_cast<std::size_t>(w));
    EXPECT_EQ(field[room], '#') << v << " in " << w;
    return std::string(field, n);
  };
  EXPECT_EQ(in_place(INT64_MIN, 4), "-9223372036854775808");
  EXPECT_EQ(in_place(INT64_MAX, 20), " 9223372036854775807");
  EXPECT_EQ(in_place(42, 0), "42");
  EXPECT_EQ(in_place(-3, 4), "  -3");
  EXPECT_EQ(in_place(9999, 4), "9999");
  EXPECT_EQ(in_place(10000, 4), "10000");
  EXPECT_EQ(in_place(0, 1), "0");
  EXPECT_EQ(in_place(9999999, 7), "9999999");
  EXPECT_EQ(in_place(1234567, 3), "1234567");
  EXPECT_EQ(in_place(10000000, 4), "10000000");
  EXPECT_EQ(in_place(305, 7), "    305");
  EXPECT_EQ(in_place(7, 8), "       7");
  EXPECT_EQ(in_place(0, 50), std::string(49, ' ') + "0");
  // Fixed: what fits is AppendFixed's text, the dropped zero included; a wider number
  // is written whole with its decimals; a value that is not a number stays asterisks.
  EXPECT_EQ(in_full([](std::string& o) { AppendFixedInFull(o, 0.5, 6, 4); }), "|0.5000");
  EXPECT_EQ(in_full([](std::string& o) { AppendFixedInFull(o, 0.5, 5, 4); }), "|.5000");
  EXPECT_EQ(in_full([](std::string& o) { AppendFixedInFull(o, 12.25, 6, 4); }), "|12.2500");
  EXPECT_EQ(in_full([](std::string& o) { AppendFixedInFull(o, 1234.0f, 3, 0); }), "|1234.");
  EXPECT_EQ(in_full([](std::string& o) { AppendFixedInFull(o, HUGE_VAL, 6, 4); }), "|******");
}

TEST(FixedTextTest, TrimLeftAdjustAndPadding) {
  EXPECT_EQ(TrimTrailing("  ab  "), "  ab");
  EXPECT_EQ(WithoutBlanks("  a b  "), "a b");
  EXPECT_EQ(LeftAdjust("  ab"), "ab  ");
  EXPECT_EQ(PadLeft("ab", 4), "  ab");
  EXPECT_EQ(PadLeft("abcdef", 4), "abcd");
  EXPECT_EQ(PadRight("ab", 4), "ab  ");
  EXPECT_TRUE(EqualWithoutBlanks(" Selected", "Selected      "));
  EXPECT_LT(ComparePadded("Ab", "Abc"), 0);
  EXPECT_LT(ComparePadded("Eagles", "eagles"), 0);
  FixedText<5> t("abcdefg");
  EXPECT_EQ(t.view(), "abcde");
  std::string s = "a\tb\x01";
  ControlsToBlanks(s);
  EXPECT_EQ(s, "a b ");
}

// Blanks are skipped eight at a time: every length of text, leading blanks and padding,
// with blanks and a tab inside the text, against the plain walks from either end.
TEST(FixedTextTest, TrimmingAtEveryLengthOfTextAndPadding) {
  for (std::string_view text :
       {"", "a", " a", "a b", "a\t", "\t", "Smith", "abcdefgh  x", "Featherstonehaugh Jr"}) {
    for (std::size_t leading = 0; leading <= 17; ++leading) {
      for (std::size_t blanks = 0; blanks <= 41; ++blanks) {
        const std::string s =
            std::string(leading, ' ') + std::string(text) + std::string(blanks, ' ');
        std::size_t n = s.size();
        while (n > 0 && s[n - 1] == ' ') --n;
        std::size_t begin = 0;
        while (begin < s.size() && s[begin] == ' ') ++begin;
        EXPECT_EQ(TrimTrailing(s), s.substr(0, n)) << '"' << s << '"';
        EXPECT_EQ(WithoutLeadingBlanks(s), s.substr(begin)) << '"' << s << '"';
        EXPECT_EQ(WithoutBlanks(s), s.substr(std::min(begin, n), n - std::min(begin, n)))
            << '"' << s << '"';
      }
    }
  }
}

}  // namespace
}  // namespace kestrio::text
