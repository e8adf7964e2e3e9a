#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "roster/roster_writer.h"
#include "sheets/csv_reader.h"
#include "sheets/roster_export.h"
#include "sheets/roster_import.h"
#include "sheets/xlsx_reader.h"
#include "testing/roster_loader.h"
#include "tests/fake_file_system.h"

namespace kestrio::sheets {
namespace {

// What a reader told: each skipped line and each diagnostic, in order.
class Recorder : public roster::SkippedLineReporter, public roster::DiagnosticSink {
 public:
  void SkippedLine(std::string_view caption, std::string_view line) override {
    told.push_back(std::string(caption) + ": " + std::string(line));
  }
  void Diagnostic(std::string_view text, std::string_view title) override {
    told.push_back(std::string(title) + ": " + std::string(text));
  }
  std::vector<std::string> told;
};

CellRows Csv(const std::string& text) { return ReadCsv(text).rows; }

ImportSettings Settings(const CellRows& rows, CivilDate event = {2024, 3, 2}) {
  SheetData data;
  data.rows = rows;
  return GuessSettings(data, event, DateOrder::MonthFirst);
}

std::vector<std::string> Lines(const std::vector<RowLine>& lines) {
  std::vector<std::string> out;
  for (const RowLine& l : lines) out.push_back(l.line);
  return out;
}

// The roster as its data file holds it.
std::string Saved(const roster::Roster& roster) { return roster::RosterFileText(roster); }

TEST(RowLines, ARegistrationSheetBecomesRosterLines) {
  const CellRows rows =
      Csv("Wrestler First Name,Wrestler Last Name,DOB,Weight (lbs),Team,Attending,Notes\n"
          "John,Smith,2014-03-02,\"72,5\",Ashford WC,TRUE,\n"
          ",,,,,,only a note\n"
          "Ann,#7 Fox,03/15/2013, 65 ,\"Tigers\tJr\",no,\n"
          "Bob,Jones,3/4/2015,80,,x,\n");
  const ImportSettings s = Settings(rows);
  EXPECT_EQ(s.header_row, 0u);
  EXPECT_EQ(MissingFields(s.mapping), "");
  const std::vector<RowLine> lines = BuildRowLines(rows, s);
  EXPECT_EQ(Lines(lines),
            (std::vector<std::string>{"Smith\tJohn\t72.5\t10.00\t0\tAshford WC\tSelected",
                                      "\t#7 Fox\tAnn\t65\t10.96\t0\tTigers Jr",
                                      "Jones\tBob\t80\t8.99\t0\t \tSelected"}));
  EXPECT_EQ(lines[1].row, 3u);

  roster::Roster loaded;
  Recorder told;
  EXPECT_EQ(ReadRowLines(lines, loaded, told, told), 3);
  EXPECT_TRUE(told.told.empty());
  EXPECT_EQ(loaded.Entries[1].LastName.Trimmed(), "#7 Fox");
  EXPECT_EQ(loaded.Entries[2].Club.Trimmed(), "");
  EXPECT_EQ(loaded.Entries[2].Status.Trimmed(), "Selected");
}

TEST(RowLines, ARefusedRowIsToldExactlyAsTheSameTextLine) {
  const CellRows rows =
      Csv("Last,First,Wt,Age,Rating,Club\n"
          "Smith,John,heavy,10,3,Tigers\n"
          "Jones,Bob,72,10,3,Tigers\n"
          "Brown,,60,,2,Hawks\n"
          "Green,Al,61,9,,Hawks\n");
  const std::vector<RowLine> lines = BuildRowLines(rows, Settings(rows));
  Recorder from_sheet;
  roster::Roster sheet_roster;
  ReadRowLines(lines, sheet_roster, from_sheet, from_sheet);

  Recorder from_text;
  roster::Roster text_roster;
  roster::ReadRosterText("Smith\tJohn\theavy\t10\t3\tTigers\n", text_roster, from_text, from_text);
  ASSERT_EQ(from_text.told.size(), 2u);
  // Empty cells are fields that read as empty, not gaps that shift the fields after
  // them: Brown is refused for the age, and a wrestler without a rating rates 0.
  EXPECT_EQ(from_sheet.told,
            (std::vector<std::string>{
                from_text.told[0], from_text.told[1],
                "WInfoParseDataLine: Error while reading data entry!: Unable to read Age from "
                "string \"\". Action taken --> Data entry skipped.",
                "Warning: Error during read --> entry skipped: Brown\t \t60\t \t2\tHawks"}));
  ASSERT_EQ(sheet_roster.EntryCount(), 2);
  EXPECT_EQ(sheet_roster.Entries[1].Rating.WithoutBlanks(), "0.00");
  EXPECT_EQ(CountSkippedLines(lines), 2u);
}

TEST(RowLines, BirthDatesGiveAgesAtTheEventOrAReason) {
  const CellRows rows =
      Csv("Last,First,Weight,Date of Birth\n"
          "A,a,50,2012-02-29\n"
          "B,b,50,1899-12-31\n"
          "C,c,50,2024-03-03\n"
          "D,d,50,31/02/2012\n"
          "E,e,50,\n");
  ImportSettings s = Settings(rows, {2024, 3, 1});
  const std::vector<RowLine> lines = BuildRowLines(rows, s);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0].line, "A\ta\t50\t12.00\t0\t ");
  EXPECT_EQ(lines[1].problem,
            "Date of Birth 1899-12-31 is before 1900. Action taken --> Data entry skipped.");
  EXPECT_EQ(lines[2].problem,
            "Date of Birth 2024-03-03 is after the event date 2024-03-01. Action taken --> Data "
            "entry skipped.");
  EXPECT_EQ(lines[3].problem,
            "Unable to read Date of Birth from string \"31/02/2012\". Action taken --> Data entry "
            "skipped.");
  EXPECT_EQ(lines[4].problem, "");  // no date: the age field is empty and the parser says so

  Recorder told;
  roster::Roster loaded;
  EXPECT_EQ(ReadRowLines(lines, loaded, told, told), 1);
  EXPECT_EQ(told.told[0],
            "WInfoParseDataLine: Error while reading data entry!: Date of Birth 1899-12-31 is "
            "before 1900. Action taken --> Data entry skipped.");
  EXPECT_EQ(told.told[1],
            "Warning: Error during read --> entry skipped: B\tb\t50\t1899-12-31\t0\t");

  // An age column wins where it has a value; the birth date fills in where it has none.
  const CellRows both = Csv("Last,First,Wt,Age,DOB\nA,a,50,9.5,2012-02-29\nB,b,50,,2012-02-29\n");
  EXPECT_EQ(Lines(BuildRowLines(both, Settings(both, {2024, 3, 1}))),
            (std::vector<std::string>{"A\ta\t50\t9.5\t0\t ", "B\tb\t50\t12.00\t0\t "}));
}

// The batch command and the import report point at a skipped row by the sheet's own
// row number, with the reason, as they point at a line of a text roster.
TEST(RowLines, SkippedRowsCarryTheirSheetRowNumberAndReason) {
  class Described : public roster::SkippedLineReporter {
   public:
    void Skipped(const roster::BadLine& line) override {
      told.push_back(roster::DescribeBadLine("reg.csv", line));
    }
    std::vector<std::string> told;
  };
  const CellRows rows =
      Csv("Title row\n"
          "Last,First,Weight,DOB\n"
          "A,a,50,2012-02-29\n"
          "B,b,heavy,2012-02-29\n"
          "C,c,50,1899-12-31\n");
  SheetData data;
  data.rows = rows;
  const ImportSettings s = GuessSettings(data, {2024, 3, 1}, DateOrder::MonthFirst);
  ASSERT_EQ(s.header_row, std::optional<std::size_t>(1));
  Described told;
  roster::Roster loaded;
  EXPECT_EQ(ReadRowLines(BuildRowLines(rows, s), loaded, told), 1);
  EXPECT_EQ(told.told,
            (std::vector<std::string>{
                "reg.csv:4: Warning: Error during read --> entry skipped: Unable to read Weight "
                "from string \"heavy\": B\tb\theavy\t12.00\t0\t",
                "reg.csv:5: Warning: Error during read --> entry skipped: Date of Birth "
                "1899-12-31 is before 1900: C\tc\t50\t1899-12-31\t0\t"}));
}

TEST(RowLines, TheDayMonthOrderComesFromTheDatesOrTheOrganiser) {
  auto finding = [](const std::string& dates) {
    std::string csv = "Last,Weight,DOB\n";
    std::size_t start = 0;
    while (start < dates.size()) {
      std::size_t end = dates.find(' ', start);
      if (end == std::string::npos) end = dates.size();
      csv += "A,50," + dates.substr(start, end - start) + "\n";
      start = end + 1;
    }
    const CellRows rows = Csv(csv);
    return FindDateOrder(rows, Settings(rows));
  };
  EXPECT_EQ(finding("03/04/2012 12/31/2012"), DateOrderFinding::MonthFirst);
  EXPECT_EQ(finding("03/04/2012 31/12/2012"), DateOrderFinding::DayFirst);
  EXPECT_EQ(finding("03/04/2012 01/02/2013"), DateOrderFinding::Ambiguous);
  EXPECT_EQ(finding("12/31/2012 31/12/2012"), DateOrderFinding::Conflicting);
  EXPECT_EQ(finding("2012-03-04 2012-12-31"), DateOrderFinding::NotNeeded);

  const CellRows rows = Csv("Last,Weight,DOB\nA,50,31/12/2012\n");
  EXPECT_EQ(Settings(rows).date_order, DateOrder::DayFirst);
}

TEST(RowLines, CellsAreCleanedAndCutAsTheParserWould) {
  CellRows rows = {{Cell::OfText("Last"), Cell::OfText("First"), Cell::OfText("Weight"),
                    Cell::OfText("Age"), Cell::OfText("Club"), Cell::OfText("Status")}};
  // 39 letters and a two-byte one: cut before it, not through it.
  const std::string long_name = std::string(39, 'a') + "\xC3\xA9" + "xyz";
  rows.push_back({Cell::OfText(long_name), Cell::OfText("Line\r\nbreak"),
                  Cell::OfNumber(72.1, "72.1"), Cell::OfNumber(1.0 / 3, "x"),
                  Cell::OfText("A very long club name"),
                  Cell{CellKind::Boolean, "FALSE", 0, false}});
  rows.push_back({Cell::OfText("Big"), Cell(), Cell::OfNumber(123456789012.0, ""),
                  Cell::OfNumber(10, ""), Cell(), Cell::OfText("UnSelected")});
  const std::vector<RowLine> lines = BuildRowLines(rows, Settings(rows));
  EXPECT_EQ(Lines(lines),
            (std::vector<std::string>{
                std::string(39, 'a') + "\tLine  break\t72.1\t0.33333333\t0\tA very long clu",
                "Big\t \t1.2346e+11\t10\t0\t \tUnSelected"}));
  EXPECT_EQ(CountSkippedLines(lines), 1u);  // a weight that needs more than ten characters
}

// A roster of every kind of entry the round trips must keep.
roster::Roster Sample() {
  return kestrio::testing::Loaded(
      "Smith\tJohn\t72\t10\t3\tTigers\tSelected\n"
      "Jones\tBob\t80.55\t11.99\t2.25\tHawks\tUnSelected\n"
      "\t#7 Fox\tAnn\t65\t9.5\t0\tEagles\tDeleted\n"
      "M\xC3\xBCller\tJ\xC3\xBCrgen\t99.99\t12\t-1\tFC K\xC3\xB6ln\tDuplicated\n"
      "O'Neil, Jr.\t\"Pat\"\t45.5\t8.01\t4.75\tA,B\n"
      "Lee\tKim\t1234567.5\t0\t1e-3\tTigers\tno thanks\n");
}

TEST(RoundTrips, RosterToCsvAndWorkbookAndBackGiveTheSameBytes) {
  const roster::Roster original = Sample();
  ASSERT_EQ(original.EntryCount(), 6);
  const Table table = RosterTable(original);
  FakeFileSystem fs;
  for (const std::string path : {"roster.csv", "roster.xlsx"}) {
    if (!kWorkbooksBuilt && path.ends_with(".xlsx")) continue;
    ASSERT_TRUE(WriteTableFile(fs, path, table).ok());
    roster::Roster back;
    Recorder told;
    SheetImportOptions options;
    options.event_date = {2024, 3, 1};
    const SheetImportResult result = OpenSpreadsheetRoster(fs, path, options, back, told, told);
    ASSERT_TRUE(result.status.ok()) << result.status.message();
    EXPECT_TRUE(told.told.empty()) << told.told[0];
    EXPECT_EQ(Saved(back), Saved(original)) << path;
  }
}

TEST(BatchImport, RefusesWhatWouldLoadSomethingElse) {
  FakeFileSystem fs;
  fs.AddFile("dates.csv", "Last,First,Wt,DOB\nA,a,50,03/04/2012\n");
  fs.AddFile("nolast.csv", "First,Wt,Age\na,50,10\n");
  fs.AddFile("bad.xlsx", "not a workbook");
  SheetImportOptions options;
  options.event_date = {2024, 3, 1};
  roster::Roster roster;
  auto message = [&](const std::string& path, const SheetImportOptions& o) {
    const SheetImportResult r =
        OpenSpreadsheetRoster(fs, path, o, roster, roster::IgnoreSkippedLines());
    return r.status.ok() ? "added " + std::to_string(r.added) : r.status.message();
  };
  EXPECT_EQ(message("dates.csv", options),
            "dates.csv: Every birth date reads both as month/day and as day/month (03/04/2012). "
            "Say how to read them with --date-order mdy or dmy.");
  EXPECT_EQ(message("nolast.csv", options),
            "nolast.csv: Choose a column for Last Name. (--columns)");
  EXPECT_EQ(message("bad.xlsx", options).substr(0, 61),
            kWorkbooksBuilt ? "bad.xlsx: the file is not a workbook Kestrio can read (.xlsx)"
                            : "bad.xlsx: this build of Kestrio cannot read Excel workbooks (");
  EXPECT_EQ(message("missing.csv", options).substr(0, 12), "missing.csv:");
  EXPECT_EQ(roster.EntryCount(), 0);

  SheetImportOptions told = options;
  told.date_order = DateOrder::DayFirst;
  EXPECT_EQ(message("dates.csv", told), "added 1");
  EXPECT_EQ(roster.Entries[0].Age.WithoutBlanks(), "11.90");  // born 3 April 2012
  told.columns = "last=First";
  EXPECT_EQ(message("nolast.csv", told), "added 1");
}

}  // namespace
}  // namespace kestrio::sheets
