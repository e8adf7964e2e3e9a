// The workbooks Kestrio writes, opened by another reader: Python's openpyxl, from
// Debian's python3-openpyxl (a test-only package that scripts/install-deps installs).

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <unistd.h>

#include "sheets/roster_export.h"
#include "sheets/table.h"
#include "testing/roster_loader.h"

namespace kestrio::sheets {
namespace {

namespace fs = std::filesystem;

constexpr const char* kPython = "/usr/bin/python3";

bool OpenpyxlAvailable() {
  const std::string probe = std::string(kPython) + " -c 'import openpyxl' >/dev/null 2>&1";
  return fs::exists(kPython) && std::system(probe.c_str()) == 0;
}

// What openpyxl reads from the workbook at path: the sheet's title, then one line per row
// with each cell's Python type and value, and each number's format.
std::string ReadWithOpenpyxl(const fs::path& path) {
  const std::string command =
      std::string(kPython) +
      " -c '"
      "import sys, openpyxl\n"
      "wb = openpyxl.load_workbook(sys.argv[1])\n"
      "ws = wb.active\n"
      "print(ws.title, ws.freeze_panes)\n"
      "for row in ws.iter_rows():\n"
      "  print(\"|\".join(\"\" if c.value is None else "
      "type(c.value).__name__ + \":\" + str(c.value) + "
      "(\"@\" + c.number_format if isinstance(c.value, (int, float)) else \"\") "
      "for c in row))\n"
      "' '" +
      path.string() + "' 2>&1";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string out;
  char buffer[4096];
  std::size_t n;
  while (pipe && (n = fread(buffer, 1, sizeof buffer, pipe.get())) > 0) out.append(buffer, n);
  return out;
}

// The workbook at a fresh temporary path, read back by openpyxl.
std::string WrittenAndReadWithOpenpyxl(const Table& table) {
  std::string bytes;
  if (!EncodeXlsx(table, &bytes).ok()) return "not written";
  const fs::path path =
      fs::temp_directory_path() / ("kestrio-openpyxl-" + std::to_string(getpid()) + ".xlsx");
  std::ofstream(path, std::ios::binary) << bytes;
  std::string read = ReadWithOpenpyxl(path);
  fs::remove(path);
  return read;
}

constexpr const char* kNoOpenpyxl =
    "Debian's python3-openpyxl is not installed (scripts/install-deps installs it)";

TEST(XlsxWithOpenpyxl, TheRosterExportOpensWithItsTextsAndNumbers) {
  if (!OpenpyxlAvailable()) GTEST_SKIP() << kNoOpenpyxl;
  const roster::Roster roster = kestrio::testing::Loaded(
      "Smith\tJohn\t72\t10.5\t3\tTigers\tSelected\n"
      "M\xC3\xBCller, Jr.\t\"J\xC3\xBCrgen\"\t80.25\t11\t0\t<A&B>\n"
      "\t#7 Fox\tAnn\t65\t9\t1.5\tEagles\tDeleted\n");
  EXPECT_EQ(WrittenAndReadWithOpenpyxl(RosterTable(roster)),
            "Roster A2\n"
            "str:Last Name|str:First Name|str:Weight|str:Age|str:Rating|str:Club|str:Status|"
            "str:Weight Class\n"
            "str:#7 Fox|str:Ann|int:65@0.00|int:9@0.00|float:1.5@0.00|str:Eagles|str:Deleted|"
            "int:65@0\n"
            "str:Smith|str:John|int:72@0.00|float:10.5@0.00|int:3@0.00|str:Tigers|str:Selected|"
            "int:75@0\n"
            "str:M\xC3\xBCller, Jr.|str:\"J\xC3\xBCrgen\"|float:80.25@0.00|int:11@0.00|int:0@0.00|"
            "str:<A&B>||int:85@0\n");
}

// The writer makes one format per number format, however many columns share it; each
// column must still show its numbers in its own.
TEST(XlsxWithOpenpyxl, ColumnsSharingANumberFormatEachKeepTheirOwn) {
  if (!OpenpyxlAvailable()) GTEST_SKIP() << kNoOpenpyxl;
  Table table;
  table.sheet_name = "Bouts";
  table.columns = {{"A", "0", 6}, {"B", "0.00", 6}, {"C", "", 6},
                   {"D", "0", 6}, {"E", "0.00", 6}, {"F", "0.000000", 6}};
  table.rows = {{Cell::OfNumber(7, "7"), Cell::OfNumber(1.5, "1.50"), Cell::OfNumber(2, "2"),
                 Cell::OfNumber(60, "60"), Cell::OfNumber(8.25, "8.25"),
                 Cell::OfNumber(0.214972, "0.214972")}};
  EXPECT_EQ(WrittenAndReadWithOpenpyxl(table),
            "Bouts A2\n"
            "str:A|str:B|str:C|str:D|str:E|str:F\n"
            "int:7@0|float:1.5@0.00|int:2@General|int:60@0|float:8.25@0.00|"
            "float:0.214972@0.000000\n");
}

}  // namespace
}  // namespace kestrio::sheets
