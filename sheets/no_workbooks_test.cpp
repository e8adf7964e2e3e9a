// A build without the workbook libraries (Windows): workbooks are refused by name with
// what to do instead; nothing is read, and no file is written or replaced.

#include <gtest/gtest.h>

#include <string>

#include "roster/roster_reader.h"
#include "sheets/roster_export.h"
#include "sheets/roster_import.h"
#include "sheets/spreadsheet.h"
#include "testing/roster_loader.h"
#include "tests/fake_file_system.h"

namespace kestrio::sheets {
namespace {

TEST(NoWorkbooks, AWorkbookIsRefusedAndAddsNothing) {
  static_assert(!kWorkbooksBuilt);
  const SheetData data = ReadSpreadsheet("PK\x03\x04", SheetFormat::Xlsx);
  EXPECT_TRUE(data.status.IsBadSpreadsheet());
  EXPECT_TRUE(data.rows.empty());

  FakeFileSystem fs;
  fs.AddFile("Team.XLSX", "PK\x03\x04 rows");
  roster::Roster roster = kestrio::testing::Loaded("Smith\tJohn\t72\t10\t3\tTigers\n");
  SheetImportOptions options;
  options.event_date = {2024, 3, 1};
  const SheetImportResult result =
      OpenSpreadsheetRoster(fs, "Team.XLSX", options, roster, roster::IgnoreSkippedLines());
  EXPECT_EQ(result.status.message(), "Team.XLSX: " + std::string(kNoWorkbooksReadText));
  EXPECT_EQ(result.added, 0);
  EXPECT_EQ(roster.EntryCount(), 1);
}

TEST(NoWorkbooks, AWorkbookExportIsRefusedAndTheOldFileStays) {
  FakeFileSystem fs;
  fs.AddFile("roster.xlsx", "last week's workbook");
  const roster::Roster roster = kestrio::testing::Loaded("Smith\tJohn\t72\t10\t3\tTigers\n");
  const Status s = WriteTableFile(fs, "roster.xlsx", RosterTable(roster));
  EXPECT_EQ(s.message(), "roster.xlsx: " + std::string(kNoWorkbooksWriteText));
  EXPECT_EQ(*fs.Contents("roster.xlsx"), "last week's workbook");
  // CSV still goes out whole.
  ASSERT_TRUE(WriteTableFile(fs, "roster.csv", RosterTable(roster)).ok());
  EXPECT_NE(fs.Contents("roster.csv")->find("Smith,John,72"), std::string::npos);
}

}  // namespace
}  // namespace kestrio::sheets
