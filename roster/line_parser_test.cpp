#include "roster/line_parser.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "base/fixed_text.h"
#include "base/number_text.h"

namespace kestrio::roster {
namespace {

// Keeps every diagnostic so a test can pin the exact text the parser produced.
class RecordingSink : public DiagnosticSink {
 public:
  void Diagnostic(std::string_view text, std::string_view title) override {
    messages.emplace_back(text, title);
  }
  std::vector<std::pair<std::string, std::string>> messages;
};

// The weight class as the rule states it, with the library's remainder.
float LiteralWeightClass(float weight) {
  const float weight_class = weight - std::fmod(weight - 0.001f, 5.0f) + 5.0f;
  return weight_class - std::fmod(weight_class, 1.0f);
}

Participant ParseOk(const std::string& line) {
  Participant p;
  EXPECT_EQ(WInfoParseDataLine(line, p), 0) << line;
  return p;
}

TEST(LineParserTest, ReadsTheSixFieldsAndDerivesWeightClassAndAgeYears) {
  const Participant p = ParseOk("Smith\tJohn\t72\t10\t3\tTigers");
  EXPECT_EQ(p.LastName.Trimmed(), "Smith");
  EXPECT_EQ(p.FirstName.Trimmed(), "John");
  EXPECT_EQ(p.Weight.view(), "     72.00");
  EXPECT_EQ(p.Age.view(), "     10.00");
  EXPECT_EQ(p.Rating.view(), "      3.00");
  EXPECT_EQ(p.Club.Trimmed(), "Tigers");
  EXPECT_EQ(p.WeightClass.view(), "       75.");
  EXPECT_EQ(p.AgeYears.view(), "       10.");
  EXPECT_TRUE(p.Status.IsBlank());
}

TEST(LineParserTest, WeightClassIsTheNextMultipleOfFiveWithScaleTolerance) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"75", "       75."}, {"75.5", "       80."},  {"75.0005", "       75."},
      {"0", "        5."},  {"72 kg", "       75."}, {"120", "      120."},
  };
  for (const auto& [weight, weight_class] : cases) {
    const Participant p = ParseOk("A\tB\t" + weight + "\t10.99\t0\tC");
    EXPECT_EQ(p.WeightClass.view(), weight_class) << weight;
    EXPECT_EQ(p.AgeYears.view(), "       10.") << weight;
  }
  EXPECT_EQ(ParseOk("A\tB\t72 kg\t9\t0\tC").Weight.view(), "     72.00");
}

// The weight class and the age in years on every kind of number: multiples of five and
// the scale's tolerance around them, negatives and zeros of both signs, and numbers as
// large as a field holds, as the library's remainder gives them.
TEST(LineParserTest, WeightClassAndAgeYearsOfEveryKindOfNumber) {
  std::vector<std::string> numbers = {"0",       "-0",       "0.001",    "-0.001",   "4.999",
                                      "5.0011",  "-5",       "-4.5",     "-7.25",    "9999999",
                                      "-999999", "16777216", "16777217", "8388609",  "0.5",
                                      "2.675",   "1e-30",    "-1e-30",   "99999.99", "-0.00"};
  std::mt19937 rng(5);
  for (int i = 0; i < 4000; ++i) {
    char text[32];
    const int k = static_cast<int>(rng() % 40000) - 2000;
    switch (i % 4) {
      case 0:
        std::snprintf(text, sizeof text, "%d", 5 * (k / 5));
        break;
      case 1:
        std::snprintf(text, sizeof text, "%.3f", 5 * (k / 5) + ((rng() % 3) - 1.0) * 0.001);
        break;
      case 2:
        std::snprintf(text, sizeof text, "%.2f", k + (rng() % 100) / 100.0);
        break;
      default:
        std::snprintf(text, sizeof text, "%.6g",
                      std::ldexp(1.0 + (rng() % 1000) / 1000.0, static_cast<int>(rng() % 48) - 24));
    }
    numbers.push_back(text);
  }
  for (const std::string& number : numbers) {
    Participant p;
    if (WInfoParseDataLine("A\tB\t" + number + "\t" + number + "\t0\tC", p) != 0) continue;
    const float value = *text::ReadFloat(number);
    EXPECT_EQ(p.WeightClass.view(), text::FormatFixed(LiteralWeightClass(value), 10, 0)) << number;
    EXPECT_EQ(p.AgeYears.view(), text::FormatFixed(value - std::fmod(value, 1.0f), 10, 0))
        << number;
  }
}

TEST(LineParserTest, StatusColumn) {
  EXPECT_EQ(ParseOk("Smith\tJohn\t72\t10\t3\tTigers\tyes").Status.Trimmed(), "Selected");
  EXPECT_EQ(ParseOk("Smith\tJohn\t72\t10\t3\tTigers\tYup").Status.Trimmed(), "Selected");
  EXPECT_EQ(ParseOk("Smith\tJohn\t72\t10\t3\tTigers\tno").Status.Trimmed(), "no");
  // A saved data line ends with a TAB, also after the status.
  EXPECT_EQ(ParseOk("Smith\tJohn\t72.00\t10.00\t3.00\tTigers\tDuplicated\t").Status.Trimmed(),
            "Duplicated");
  EXPECT_EQ(ParseOk("Smith\tJohn\t72\t10\t3\tTigers\t").Status.Trimmed(), "");
  // Only the first 15 characters are kept.
  EXPECT_EQ(ParseOk("S\tJ\t72\t10\t3\tT\tAbsentWithLeaveToday").Status.view(), "AbsentWithLeave");
}

TEST(LineParserTest, TabRunsAndLeadingTabsAreOneSeparator) {
  const Participant p = ParseOk("\t\tSmith\t\tJohn\t72\t\t\t10\t3\tTigers\t\tyes");
  EXPECT_EQ(p.LastName.Trimmed(), "Smith");
  EXPECT_EQ(p.FirstName.Trimmed(), "John");
  EXPECT_EQ(p.Age.view(), "     10.00");
  EXPECT_EQ(p.Club.Trimmed(), "Tigers");
  EXPECT_EQ(p.Status.Trimmed(), "Selected");
  // Control characters in text fields become blanks.
  EXPECT_EQ(ParseOk("Sm\x01"
                    "th\tJohn\t72\t10\t3\tTig\x1F"
                    "ers")
                .LastName.Trimmed(),
            "Sm th");
}

TEST(LineParserTest, RejectedLinesSayWhichFieldFailed) {
  const std::string kTitle = "WInfoParseDataLine: Error while reading data entry!";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Smith\tJohn\tabc\t10\t3\tTigers",
       "Unable to read Weight from string \"abc\". Action taken --> Data entry skipped."},
      {"Smith\tJohn\t\t10\t3\tTigers",  // empty first name: "10" lands in Weight
       "Unable to read Rating from string \"\". Action taken --> Data entry skipped."},
      {"Smith\tJohn\t72\tten\t3\tTigers",
       "Unable to read Age from string \"ten\". Action taken --> Data entry skipped."},
      {"Smith\tJohn\t72\t10\t3",  // no TAB after Rating
       "Unable to read Rating from string \"\". Action taken --> Data entry skipped."},
      {"", "Unable to read Weight from string \"\". Action taken --> Data entry skipped."},
      {"Smith\tJohn\t72kg\t10\t3\tTigers",
       "Unable to read Weight from string \"72kg\". Action taken --> Data entry skipped."},
  };
  for (const auto& [line, text] : cases) {
    RecordingSink sink;
    Participant p;
    EXPECT_NE(WInfoParseDataLine(line, p, sink), 0) << line;
    ASSERT_EQ(sink.messages.size(), 1u) << line;
    EXPECT_EQ(sink.messages[0].first, text);
    EXPECT_EQ(sink.messages[0].second, kTitle);
  }
}

// A number too wide for its ten characters would be stored as asterisks, which neither
// the pairing run nor a reload can read: such a line is refused like any bad number.
TEST(LineParserTest, NumbersTooWideForTheirFieldAreRefused) {
  Participant p;
  EXPECT_EQ(WInfoParseDataLine("A\tB\t1234567.5\t10\t3\tC", p), 0);
  EXPECT_EQ(p.Weight.view(), "1234567.50");
  for (const char* line : {"A\tB\t12345678\t10\t3\tC", "A\tB\t72\t1e9\t3\tC",
                           "A\tB\t72\t10\t-9999999\tC", "A\tB\t72\t10\t1e40\tC"}) {
    RecordingSink sink;
    EXPECT_NE(WInfoParseDataLine(line, p, sink), 0) << line;
    EXPECT_EQ(sink.messages.size(), 1u) << line;
  }
}

// Numbers as spreadsheets leave them: an underflow is a valid number that reads as 0, a
// control character inside a number is a blank, "-0" is plain 0, and digits running past
// the ten characters refuse the line rather than load as another number.
TEST(LineParserTest, NumberReadingsAtTheEdges) {
  EXPECT_EQ(ParseOk("A\tB\t1e-50\t10\t3\tC").Weight.view(), "      0.00");
  EXPECT_EQ(ParseOk("A\tB\t72\t7e-46\t3\tC").Age.view(), "      0.00");
  EXPECT_EQ(ParseOk("A\tB\t72\x0b\t10\t3\tC").Weight.view(), "     72.00");
  EXPECT_EQ(ParseOk("A\tB\t72\t\x01"
                    "10\t3\tC")
                .Age.view(),
            "     10.00");
  EXPECT_EQ(ParseOk("A\tB\t72\t10\t-0\tC").Rating.view(), "      0.00");
  EXPECT_EQ(ParseOk("A\tB\t72\t10\t-0.001\tC").Rating.view(), "      0.00");
  EXPECT_EQ(ParseOk("A\tB\t0000000072\t10\t3\tC").Weight.view(), "     72.00");
  EXPECT_EQ(ParseOk("A\tB\t72 kilograms\t10\t3\tC").Weight.view(), "     72.00");
  for (const char* line : {"A\tB\t00000000072\t10\t3\tC", "A\tB\t72\t10\t3.0000000001\tC",
                           "A\tB\t0000000007x\t10\t3\tC"}) {
    RecordingSink sink;
    Participant p;
    EXPECT_NE(WInfoParseDataLine(line, p, sink), 0) << line;
    EXPECT_EQ(sink.messages.size(), 1u) << line;
  }
}

// A saved roster's numbers ("72.50") are read on a short path; it must give what the
// general read and rewrite give, on the texts it takes and the near misses it leaves.
TEST(LineParserTest, SavedNumbersReadAsEveryOtherNumber) {
  auto general = [](std::string_view typed) {
    const std::optional<float> v = text::ReadFloat(text::PadRight(typed, 10));
    std::string rewritten = text::FormatFixed(*v, 10, 2);
    if (rewritten.find_first_of("123456789") == std::string::npos) {
      rewritten = text::FormatFixed(0.0, 10, 2);
    }
    return std::pair{rewritten, text::FormatFixed(LiteralWeightClass(*v), 10, 0)};
  };
  std::vector<std::string> texts = {"0.00",  "-0.00",    "0.50",      "-0.50",     ".50",
                                    "00.50", "07.25",    "+7.25",     "7.5",       "7.500",
                                    "72.50", "99999.99", "-99999.99", "100000.00", "12345.67 ",
                                    " 3.14", "2.004",    "-4.99",     "1e2",       "5.00"};
  std::mt19937 rng(7);
  for (int i = 0; i < 4000; ++i) {
    const std::uint32_t hundredths = rng() % (i % 2 == 0 ? 20000u : 10000000u);
    std::string t = (rng() % 8 == 0 ? "-" : "") + std::to_string(hundredths / 100) + "." +
                    std::to_string(hundredths % 100 / 10) + std::to_string(hundredths % 10);
    texts.push_back(t);
  }
  for (const std::string& t : texts) {
    const Participant p = ParseOk("A\tB\t" + t + "\t10\t" + t + "\tC");
    const auto [rewritten, weight_class] = general(t);
    EXPECT_EQ(p.Weight.view(), rewritten) << t;
    EXPECT_EQ(p.Rating.view(), rewritten) << t;
    EXPECT_EQ(p.WeightClass.view(), weight_class) << t;
  }
}

// The lines of a saved roster are read on a short path; every line, plain or not, must
// give the entry the grammar's rules give, or be refused as they refuse it.
TEST(LineParserTest, SavedLinesReadAsTheRulesReadThem) {
  const std::vector<std::string> names = {
      "Smith",  "Smith ",      "",
      " Lead",  "#Hash",       "yes",
      "a\x01b", "\xC3\x9Cnal", "Featherstonehaugh-Cholmondeley-Marjoribanks-Of-The-Glen"};
  const std::vector<std::string> numbers = {
      "72.50", "72.5", "7.25 ", "072.50", "-0.00", "0.00", "0.50",     "99999.99",    "100000.00",
      "-4.99", "1e2",  "abc",   "",       " 3.14", "10",   "3.14\x01", "12345678901", "5.00"};
  const std::vector<std::string> clubs = {"Eagles",
                                          "Brookvale Grappling Club",
                                          "",
                                          " Eagles",
                                          "Club\x7f",
                                          "Eagles  ",
                                          "Fifteen Letters",
                                          "Fourteen Chars ",
                                          "Sixteen Letters "};
  const std::vector<std::string> statuses = {
      "",           "yes",        "Yes", "Y",           "y",   "Deleted", " Deleted",
      "Selected  ", "UnSelected", "no",  "Scratched\r", "   ", "a\tb"};
  const std::vector<std::string> separators = {"\t", "\t", "\t", "\t", "\t\t", " \t", "\t "};
  // Lines one rule away from plain, where taking them as plain would shift or keep a field.
  const std::vector<std::string> near_plain = {"\tA\t1.00\t2.00\t3.00\tClub\tyes",
                                               " A\tB\t1.00\t2.00\t3.00\tClub\tyes",
                                               "A\t\t1.00\t2.00\t3.00\tClub\tyes",
                                               "A\tB\t 1.00\t2.00\t3.00\tClub\tyes",
                                               "A\tB\t1.00\t2.00\t3.00\t Club\tyes",
                                               "A\tB\t1.00\t2.00\t3.00\tClub\t yes",
                                               "A\tB\t1.00\t2.00\t3.00\tClub\tyes\tno",
                                               "A\tB\t1.00\t2.00\t3.00\tClub",
                                               "A\x01\tB\t1.00\t2.00\t3.00\tClub\tyes",
                                               "A\tB\t1.00\t2.00\t3.00\tClub\t\x01yes",
                                               "A\tB\t1.00\t2.00\t3.00\tClub\t\t",
                                               "A\tB\t1.00\t2.00\t3.00\tClub\t",
                                               "A\tB\t1.00\t2.00\t3.00\t",
                                               "A\tB\t1.00\t2.00\t3.00\tA Club Longer Than Fifteen",
                                               "A\tB\t1.00\t2.00\t3.00\tClub  ",
                                               "A\tB\t1.00\t2.00\t3.00"};
  std::mt19937 rng(11);
  auto pick = [&rng](const std::vector<std::string>& from) { return from[rng() % from.size()]; };
  int read = 0;
  for (int i = 0; i < 20000; ++i) {
    const bool plain = i % 2 == 0;  // half the lines as a saved roster writes them
    auto sep = [&] { return plain ? std::string("\t") : pick(separators); };
    std::string line = plain || rng() % 4 != 0 ? "" : pick({"\t", " ", "\t\t"});
    line += (plain ? "Smith" : pick(names)) + sep() + (plain ? "Ann" : pick(names)) + sep();
    const std::string weight =
        plain ? std::to_string(rng() % 9000) + "." + std::to_string(10 + rng() % 90)
              : pick(numbers);
    line += weight + sep() + pick(numbers) + sep() + pick(numbers);
    const int more = plain ? (rng() % 4 == 0 ? 1 : 2) : static_cast<int>(rng() % 4);
    if (more >= 1) line += sep() + pick(clubs);
    if (more >= 2) line += sep() + pick(statuses);
    if (more >= 3) line += sep() + pick(statuses);
    if (static_cast<std::size_t>(i) < near_plain.size()) line = near_plain[i];

    Participant quick;
    Participant ruled;
    RecordingSink quick_sink;
    RecordingSink ruled_sink;
    const std::int32_t quick_error = WInfoParseDataLine(line, quick, quick_sink);
    ASSERT_EQ(quick_error, ParseLineByRules(line, ruled, ruled_sink)) << line;
    EXPECT_EQ(quick_sink.messages, ruled_sink.messages) << line;
    if (quick_error != 0) continue;
    ++read;
    for (auto [a, b] : {std::pair{quick.LastName.view(), ruled.LastName.view()},
                        std::pair{quick.FirstName.view(), ruled.FirstName.view()},
                        std::pair{quick.Weight.view(), ruled.Weight.view()},
                        std::pair{quick.WeightClass.view(), ruled.WeightClass.view()},
                        std::pair{quick.Age.view(), ruled.Age.view()},
                        std::pair{quick.AgeYears.view(), ruled.AgeYears.view()},
                        std::pair{quick.Rating.view(), ruled.Rating.view()},
                        std::pair{quick.Club.view(), ruled.Club.view()},
                        std::pair{quick.Status.view(), ruled.Status.view()}}) {
      ASSERT_EQ(a, b) << line;
    }
  }
  EXPECT_GT(read, 10000);
}

// A control character before the "y" of a status is a blank like anywhere else, so the
// wrestler is Selected on loading, as after a save drops the blank.
TEST(LineParserTest, StatusControlCharactersAreBlanksBeforeTheYesTest) {
  EXPECT_EQ(ParseOk("S\tJ\t72\t10\t3\tT\t\x01y").Status.Trimmed(), "Selected");
  EXPECT_EQ(ParseOk("S\tJ\t72\t10\t3\tT\t\x02\x03"
                    "Deleted")
                .Status.Trimmed(),
            "Deleted");
  EXPECT_TRUE(ParseOk("S\tJ\t72\t10\t3\tT\t\x01\x02").Status.IsBlank());
}

TEST(LineParserTest, LongLinesAreCutToTheLineBuffer) {
  // The TAB before "yes" lies beyond the 1024th character and is lost with it.
  const std::string head = "Smith\tJohn\t72\t10\t3\t";
  const std::string line = head + std::string(1500 - head.size() - 4, 'C') + "\tyes";
  ASSERT_EQ(line.size(), 1500u);
  const Participant p = ParseOk(line);
  EXPECT_EQ(p.Club.view(), std::string(15, 'C'));
  EXPECT_TRUE(p.Status.IsBlank());
}

TEST(ParticipantTest, StatusTestsLeftAdjustAndCompareExactly) {
  Participant p;
  p.Status.Assign(" Selected");
  EXPECT_TRUE(IsSelected(p));
  p.Status.Assign("selected");
  EXPECT_FALSE(IsSelected(p));
  EXPECT_FALSE(IsUnassigned(p));
  SetStatus(p, ParticipantStatus::Deleted);
  EXPECT_EQ(p.Status.view(), "Deleted        ");
  SetStatus(p, "");
  EXPECT_TRUE(IsUnassigned(p));
  EXPECT_EQ(ColumnCaption(8), "Weight Class");
  EXPECT_EQ(ColumnCaption(0), "");
}

}  // namespace
}  // namespace kestrio::roster
