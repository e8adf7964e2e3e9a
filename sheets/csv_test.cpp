#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sheets/csv_reader.h"
#include "sheets/table.h"

namespace kestrio::sheets {
namespace {

std::vector<std::vector<std::string>> Texts(const CellRows& rows) {
  std::vector<std::vector<std::string>> out;
  for (const CellRow& row : rows) {
    auto& texts = out.emplace_back();
    for (const Cell& cell : row) texts.push_back(cell.text);
  }
  return out;
}

using Records = std::vector<std::vector<std::string>>;

TEST(CsvReader, QuotedFieldsHoldDelimitersQuotesAndLineBreaks) {
  const CsvRead read = ReadCsv(
      "Last,First,Club\r\n"
      "\"Smith, Jr.\",\"John \"\"Jack\"\"\",\"Ashford\r\nWC\"\r\n"
      "O\"Neil,Pat,\"\"\r\n");
  ASSERT_TRUE(read.status.ok());
  EXPECT_EQ(read.delimiter, ',');
  EXPECT_EQ(Texts(read.rows), (Records{{"Last", "First", "Club"},
                                       {"Smith, Jr.", "John \"Jack\"", "Ashford\r\nWC"},
                                       {"O\"Neil", "Pat", ""}}));
  // An empty field is an empty cell.
  EXPECT_EQ(read.rows[2][2].kind, CellKind::Empty);
}

TEST(CsvReader, LineEndsOfEveryKindAndNoneAtTheEnd) {
  EXPECT_EQ(Texts(ReadCsv("a,b\nc,d\re,f\r\ng,h").rows),
            (Records{{"a", "b"}, {"c", "d"}, {"e", "f"}, {"g", "h"}}));
  // A blank line is a row of one empty cell; the last line end adds no row.
  EXPECT_EQ(Texts(ReadCsv("a,b\n\nc,d\n").rows), (Records{{"a", "b"}, {""}, {"c", "d"}}));
  EXPECT_TRUE(ReadCsv("").rows.empty());
  // Text after a closing quote is kept, as office programs do.
  EXPECT_EQ(Texts(ReadCsv("\"72\" lbs,x\n").rows), (Records{{"72 lbs", "x"}}));
}

TEST(CsvReader, UnclosedQuoteIsRefusedWithItsLine) {
  const CsvRead read = ReadCsv("a,b\nc,\"d\ne,f\ng,h\n");
  ASSERT_FALSE(read.status.ok());
  EXPECT_EQ(read.status.message(), "the quoted field that starts on line 2 is never closed");
  EXPECT_TRUE(read.rows.empty());
}

TEST(CsvReader, DetectsTheDelimiter) {
  EXPECT_EQ(ReadCsv("Last;First;Weight\nSmith;John;72,5\nJones;Bob;80\n").delimiter, ';');
  EXPECT_EQ(ReadCsv("Last\tFirst\tWeight\nSmith\tJohn, Jr.\t72\n").delimiter, '\t');
  EXPECT_EQ(ReadCsv("Last,First\n\"a;b;c;d\",x\n").delimiter, ',');
  // One column: nothing splits it, and the comma is taken.
  EXPECT_EQ(ReadCsv("Smith\nJones\n").delimiter, ',');
  CsvOptions semicolon;
  semicolon.delimiter = ';';
  EXPECT_EQ(Texts(ReadCsv("a,b;c\n", semicolon).rows), (Records{{"a,b", "c"}}));
}

TEST(CsvReader, DetectsAndDecodesTheEncoding) {
  const CsvRead bom = ReadCsv("\xEF\xBB\xBFLast,First\nM\xC3\xBCller,J\n");
  EXPECT_EQ(bom.encoding, TextEncoding::Utf8Bom);
  EXPECT_EQ(bom.rows[0][0].text, "Last");  // the mark is not part of the first header
  EXPECT_EQ(bom.rows[1][0].text, "M\xC3\xBCller");

  const CsvRead plain = ReadCsv("M\xC3\xBCller,J\n");
  EXPECT_EQ(plain.encoding, TextEncoding::Utf8);

  // Windows-1252: ü is FC, the euro sign 80, and both come out as UTF-8.
  const CsvRead legacy = ReadCsv("M\xFCller,\x80\n");
  EXPECT_EQ(legacy.encoding, TextEncoding::Windows1252);
  EXPECT_EQ(legacy.rows[0][0].text, "M\xC3\xBCller");
  EXPECT_EQ(legacy.rows[0][1].text, "\xE2\x82\xAC");

  const std::string utf16(
      "\xFF\xFE"
      "A\0,\0\xFC\0\n\0",
      10);
  const CsvRead wide = ReadCsv(utf16);
  EXPECT_EQ(wide.encoding, TextEncoding::Utf16Le);
  EXPECT_EQ(Texts(wide.rows), (Records{{"A", "\xC3\xBC"}}));

  // Told UTF-8 for bytes that are not: the bad byte shows as a replacement character.
  CsvOptions utf8;
  utf8.detect_encoding = false;
  EXPECT_EQ(ReadCsv("M\xFCller\n", utf8).rows[0][0].text, "M\xEF\xBF\xBDller");
}

TEST(CsvReader, AMillionRowsStopAtTheRowLimit) {
  std::string text = "Last,First,Weight,Age,Rating,Club\n";
  const std::string row = "Smith,John,72,10,3,Tigers\n";
  text.reserve(text.size() + row.size() * 1000000);
  for (int k = 0; k < 1000000; ++k) text += row;
  const CsvRead read = ReadCsv(text);
  ASSERT_TRUE(read.status.ok());
  EXPECT_TRUE(read.truncated);
  EXPECT_EQ(read.rows.size(), SheetLimits{}.max_rows);
}

TEST(CsvReader, TooManyCellsAreRefused) {
  CsvOptions options;
  options.limits.max_cells = 10;
  const CsvRead read = ReadCsv("a,b,c,d\ne,f,g,h\ni,j,k,l\n", options);
  EXPECT_FALSE(read.status.ok());
  EXPECT_TRUE(read.rows.empty());
}

TEST(CsvWriter, QuotesWhatNeedsItAndReadsBack) {
  Table table;
  table.columns = {{"Last Name", "", 10}, {"Weight", "0.00", 8}};
  table.rows = {{Cell::OfText("Smith, Jr."), Cell::OfNumber(72, "72.00")},
                {Cell::OfText("Say \"Hi\"\nthere"), Cell()}};
  const std::string csv = CsvText(table);
  EXPECT_EQ(csv,
            "\xEF\xBB\xBFLast Name,Weight\r\n"
            "\"Smith, Jr.\",72.00\r\n"
            "\"Say \"\"Hi\"\"\nthere\",\r\n");
  EXPECT_EQ(Texts(ReadCsv(csv).rows),
            (Records{{"Last Name", "Weight"}, {"Smith, Jr.", "72.00"}, {"Say \"Hi\"\nthere", ""}}));
}

}  // namespace
}  // namespace kestrio::sheets
