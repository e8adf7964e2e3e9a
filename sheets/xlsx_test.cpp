#include <gtest/gtest.h>
#include <zip.h>

#include <string>
#include <utility>
#include <vector>

#include "sheets/spreadsheet.h"
#include "sheets/xlsx_parts.h"
#include "sheets/xlsx_reader.h"

namespace kestrio::sheets {
namespace {

using Parts = std::vector<std::pair<std::string, std::string>>;

// A zip archive in memory holding parts, deflated.
std::string Zip(const Parts& parts) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
  zip_source_keep(buffer);
  zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
  for (const auto& [name, content] : parts) {
    zip_source_t* s = zip_source_buffer(archive, content.data(), content.size(), 0);
    zip_file_add(archive, name.c_str(), s, ZIP_FL_OVERWRITE);
  }
  zip_close(archive);
  std::string bytes;
  zip_source_open(buffer);
  char chunk[4096];
  zip_int64_t n;
  while ((n = zip_source_read(buffer, chunk, sizeof chunk)) > 0)
    bytes.append(chunk, static_cast<std::size_t>(n));
  zip_source_close(buffer);
  zip_source_free(buffer);
  return bytes;
}

constexpr const char* kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* kRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

std::string WorkbookXml(const std::string& sheets, bool date1904 = false) {
  return std::string("<workbook xmlns=\"") + kMain + "\" xmlns:r=\"" + kRel + "\">" +
         (date1904 ? "<workbookPr date1904=\"1\"/>" : "") + "<sheets>" + sheets +
         "</sheets></workbook>";
}

std::string Rels(const std::string& body) {
  return "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" +
         body + "</Relationships>";
}

std::string Rel(const std::string& id, const std::string& kind, const std::string& target) {
  return "<Relationship Id=\"" + id + "\" Type=\"" + kRel + "/" + kind + "\" Target=\"" + target +
         "\"/>";
}

std::string SheetXml(const std::string& data, const std::string& after = "") {
  return std::string("<worksheet xmlns=\"") + kMain + "\"><sheetData>" + data + "</sheetData>" +
         after + "</worksheet>";
}

// A workbook of one or more sheets whose XML the test writes by hand.
std::string Workbook(const std::vector<std::string>& sheets, const std::string& shared = "",
                     const std::string& styles = "", bool date1904 = false) {
  Parts parts;
  std::string list, rels;
  for (std::size_t k = 0; k < sheets.size(); ++k) {
    const std::string n = std::to_string(k + 1);
    list += "<sheet name=\"Sheet" + n + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
    rels += Rel("rId" + n, "worksheet", "worksheets/sheet" + n + ".xml");
    parts.push_back({"xl/worksheets/sheet" + n + ".xml", sheets[k]});
  }
  if (!shared.empty()) {
    rels += Rel("rIdS", "sharedStrings", "sharedStrings.xml");
    parts.push_back({"xl/sharedStrings.xml", shared});
  }
  if (!styles.empty()) {
    rels += Rel("rIdT", "styles", "/xl/styles.xml");
    parts.push_back({"xl/styles.xml", styles});
  }
  parts.push_back({"_rels/.rels", Rels(Rel("rId1", "officeDocument", "xl/workbook.xml"))});
  parts.push_back({"xl/workbook.xml", WorkbookXml(list, date1904)});
  parts.push_back({"xl/_rels/workbook.xml.rels", Rels(rels)});
  return Zip(parts);
}

TEST(XlsxReader, CellsOfEveryKindAsASheetHoldsThem) {
  const std::string shared =
      std::string("<sst xmlns=\"") + kMain + "\"><si><t>Last</t></si>" +
      "<si><r><t>Sm</t></r><r><rPr><b/></rPr><t>ith</t></r><rPh><t>SUMISU</t></rPh></si>" +
      "<si><t>Line_x000D_break</t></si></sst>";
  const std::string styles =
      std::string("<styleSheet xmlns=\"") + kMain + "\">" +
      "<numFmts><numFmt numFmtId=\"164\" formatCode=\"dd/mm/yyyy\"/></numFmts>" +
      "<cellStyleXfs><xf numFmtId=\"14\"/></cellStyleXfs>" +
      "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"164\"/><xf numFmtId=\"14\"/>" +
      "<xf numFmtId=\"2\"/></cellXfs></styleSheet>";
  const std::string sheet = SheetXml(
      "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"C1\" "
      "t=\"inlineStr\"><is><t>Wt</t></is></c></row>"
      "<row r=\"3\"><c r=\"A3\" t=\"s\"><v>1</v></c><c r=\"B3\" s=\"1\"><v>40909</v></c>"
      "<c r=\"C3\"><f>70+2.1</f><v>72.099999999999994</v></c><c r=\"D3\" t=\"b\"><v>1</v></c>"
      "<c r=\"E3\" t=\"e\"><v>#N/A</v></c><c r=\"F3\" t=\"str\"><f>A1</f><v>Last</v></c>"
      "<c r=\"G3\" s=\"3\"><v>3</v></c><c r=\"H3\" t=\"s\"><v>2</v></c></row>"
      "<row><c><v>1</v></c><c><f>SUM(A4)</f></c></row>");
  const XlsxRead read = ReadXlsx(Workbook({sheet}, shared, styles));
  ASSERT_TRUE(read.status.ok()) << read.status.message();
  EXPECT_EQ(read.sheet_names, std::vector<std::string>{"Sheet1"});
  ASSERT_EQ(read.rows.size(), 4u);
  EXPECT_EQ(read.rows[0][0].text, "Last");
  EXPECT_EQ(read.rows[0][1].kind, CellKind::Empty);
  EXPECT_EQ(read.rows[0][2].text, "Wt");
  EXPECT_TRUE(read.rows[1].empty());
  const CellRow& r = read.rows[2];
  EXPECT_EQ(r[0].text, "Smith");  // runs joined, reading hints left out
  EXPECT_EQ(r[1].kind, CellKind::Number);
  EXPECT_TRUE(r[1].date);
  EXPECT_EQ(r[1].number, 40909);
  EXPECT_EQ(r[2].text, "72.1");  // a formula's saved value, spelled shortest
  EXPECT_FALSE(r[2].date);
  EXPECT_EQ(r[3].kind, CellKind::Boolean);
  EXPECT_EQ(r[3].text, "TRUE");
  EXPECT_EQ(r[4].kind, CellKind::Error);
  EXPECT_EQ(r[4].text, "#N/A");
  EXPECT_EQ(r[5].text, "Last");
  EXPECT_FALSE(r[6].date);  // format 2 is "0.00"
  EXPECT_EQ(r[7].text, "Line\rbreak");
  // A row without a number follows the one before; a formula without a saved value reads
  // as empty and is told.
  EXPECT_EQ(read.rows[3].size(), 1u);
  ASSERT_EQ(read.notes.size(), 1u);
  EXPECT_EQ(read.notes[0].substr(0, 50), "1 formula cells have no saved value and read as em");
}

TEST(XlsxReader, MergedCellsTakeTheValueOfTheirRange) {
  const std::string sheet = SheetXml(
      "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>Tigers</t></is></c><c "
      "r=\"B1\"><v>1</v></c></row>"
      "<row r=\"2\"><c r=\"B2\"><v>2</v></c></row><row r=\"3\"><c r=\"B3\"><v>3</v></c></row>",
      "<mergeCells count=\"2\"><mergeCell ref=\"A1:A3\"/><mergeCell "
      "ref=\"C1:Z9999\"/></mergeCells>");
  const XlsxRead read = ReadXlsx(Workbook({sheet}));
  ASSERT_TRUE(read.status.ok()) << read.status.message();
  for (int r = 0; r < 3; ++r) EXPECT_EQ(read.rows[r][0].text, "Tigers");
  ASSERT_EQ(read.notes.size(), 1u);
  EXPECT_EQ(read.notes[0],
            "The sheet has merged cells; every cell of a merged range takes its value (A1:A3, "
            "C1:Z9999).");
}

TEST(XlsxReader, ChoosesTheSheetAndSkipsChartSheets) {
  Parts parts = {
      {"xl/workbook.xml", WorkbookXml("<sheet name=\"Chart\" sheetId=\"1\" r:id=\"rId1\"/>"
                                      "<sheet name=\"Boys\" sheetId=\"2\" r:id=\"rId2\"/>"
                                      "<sheet name=\"Girls\" sheetId=\"3\" r:id=\"rId3\"/>",
                                      true)},
      {"xl/_rels/workbook.xml.rels",
       Rels(Rel("rId1", "chartsheet", "chartsheets/sheet1.xml") +
            Rel("rId2", "worksheet", "worksheets/a.xml") +
            Rel("rId3", "worksheet", "./worksheets/../worksheets/b.xml"))},
      {"xl/worksheets/a.xml", SheetXml("<row><c><v>1</v></c></row>")},
      {"xl/worksheets/b.xml", SheetXml("<row><c><v>2</v></c></row>")}};
  const std::string bytes = Zip(parts);  // no package relationships: the usual place is taken
  const XlsxRead girls = ReadXlsx(bytes, 1);
  ASSERT_TRUE(girls.status.ok()) << girls.status.message();
  EXPECT_EQ(girls.sheet_names, (std::vector<std::string>{"Boys", "Girls"}));
  EXPECT_EQ(girls.rows[0][0].text, "2");
  EXPECT_TRUE(girls.date1904);
  EXPECT_EQ(ReadXlsx(bytes, 7).rows[0][0].text, "1");
}

TEST(XlsxReader, BadWorkbooksAreRefusedWithAReason) {
  auto message = [](const std::string& bytes, SheetLimits limits = {}) {
    const XlsxRead read = ReadXlsx(bytes, 0, limits);
    EXPECT_TRUE(read.rows.empty());
    return read.status.ok() ? std::string("ok") : read.status.message();
  };
  const std::string good = Workbook({SheetXml("<row><c><v>1</v></c></row>")});
  EXPECT_EQ(message("Last,First\nSmith,John\n"),
            "the file is not a workbook Kestrio can read (.xlsx): it is not a zip archive, or a "
            "damaged one");
  EXPECT_EQ(message(good.substr(0, good.size() / 2)),
            "the file is not a workbook Kestrio can read (.xlsx): it is not a zip archive, or a "
            "damaged one");
  std::string compound = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + std::string(600, '\0');
  EXPECT_EQ(message(compound),
            "the file is an Excel 97-2003 workbook (.xls); save it as an Excel workbook (.xlsx) "
            "or as CSV and open that");
  compound += std::string("E\0n\0c\0r\0y\0p\0t\0i\0o\0n\0I\0n\0f\0o\0", 28);
  EXPECT_EQ(message(compound),
            "the workbook is protected with a password; save a copy without one and open that");
  EXPECT_EQ(message(Zip({{"xl/workbook.xml", WorkbookXml("")}})),
            "the file is not a workbook Kestrio can read (.xlsx): it has no part "
            "xl/_rels/workbook.xml.rels");
  EXPECT_EQ(message(Workbook({SheetXml("<row><c><v>1</v></row>")})),
            "the file is not a workbook Kestrio can read (.xlsx): xl/worksheets/sheet1.xml line 1: "
            "mismatched tag");
  EXPECT_EQ(message(Workbook({"<!DOCTYPE x [<!ENTITY a \"aaaa\">]>" + SheetXml("")})),
            "the file is not a workbook Kestrio can read (.xlsx): xl/worksheets/sheet1.xml "
            "declares a document type");
  EXPECT_EQ(message(Workbook({SheetXml("<row><c t=\"s\"><v>3</v></c></row>")})),
            "the file is not a workbook Kestrio can read (.xlsx): a cell refers to a shared "
            "string that does not exist");
  EXPECT_EQ(
      message(Workbook({SheetXml("<row><c r=\"XFE1\"><v>3</v></c></row>")})),
      "the file is not a workbook Kestrio can read (.xlsx): a cell reference is out of range");
}

TEST(XlsxReader, ZipBombsAndHugeSheetsStopAtTheLimits) {
  // A sheet that unpacks far beyond its packed size: only the unpacked bytes count.
  std::string rows;
  for (int r = 1; r <= 20000; ++r)
    rows += "<row r=\"" + std::to_string(r) + "\"><c><v>1</v></c></row>";
  const std::string bomb = Workbook({SheetXml(rows + std::string(2 << 20, ' '))});
  EXPECT_LT(bomb.size(), 200000u);
  SheetLimits small;
  small.max_unpacked_bytes = 1 << 20;
  const XlsxRead big = ReadXlsx(bomb, 0, small);
  EXPECT_EQ(big.status.message(),
            "the workbook unpacks to more than 1 MB, far more than any roster");

  SheetLimits few_cells;
  few_cells.max_cells = 1000;
  EXPECT_EQ(ReadXlsx(bomb, 0, few_cells).status.message(),
            "the sheet holds more than 1000 cells, far more than any roster");
  const std::string far = Workbook({SheetXml("<row><c r=\"XFD1\"><v>1</v></c></row>")});
  EXPECT_EQ(ReadXlsx(far, 0, few_cells).status.message(),
            "the sheet holds more than 1000 cells, far more than any roster");

  // Rows past the limit cut the sheet short without an error: the organiser decides.
  SheetLimits few_rows;
  few_rows.max_rows = 100;
  const XlsxRead cut = ReadXlsx(bomb, 0, few_rows);
  ASSERT_TRUE(cut.status.ok());
  EXPECT_TRUE(cut.truncated);
  EXPECT_EQ(cut.rows.size(), 100u);
}

TEST(XlsxParts, PartNamesAndDateFormats) {
  EXPECT_EQ(ResolvePartName("xl/workbook.xml", "worksheets/sheet1.xml"),
            "xl/worksheets/sheet1.xml");
  EXPECT_EQ(ResolvePartName("xl/workbook.xml", "/xl/sheet.xml"), "xl/sheet.xml");
  EXPECT_EQ(ResolvePartName("xl/workbook.xml", "../../../etc/x.xml"), "etc/x.xml");
  EXPECT_EQ(ResolvePartName("", "xl/workbook.xml"), "xl/workbook.xml");
  for (const char* date : {"yyyy-mm-dd", "d/m/yy", "[$-409]mmmm d, yyyy", "h:mm", "DD.MM.YYYY"}) {
    EXPECT_TRUE(IsDateFormatCode(date)) << date;
  }
  for (const char* number :
       {"General", "0.00", "#,##0", "\"days\" 0", "0.0E+00", "[Red]0.00", "@"}) {
    EXPECT_FALSE(IsDateFormatCode(number)) << number;
  }
}

TEST(XlsxWriter, WhatItWritesReadsBack) {
  Table table;
  table.sheet_name = "Roster";
  table.columns = {{"Last Name", "", 18}, {"Weight", "0.00", 9}, {"Club", "", 12}};
  table.rows = {
      {Cell::OfText("M\xC3\xBCller"), Cell::OfNumber(72.5, "72.50"), Cell()},
      {Cell::OfText("<Fox & \"Sons\">"), Cell::OfNumber(-0.25, "-0.25"), Cell::OfText("A_x0041_")}};
  std::string bytes;
  ASSERT_TRUE(EncodeXlsx(table, &bytes).ok());
  const XlsxRead read = ReadXlsx(bytes);
  ASSERT_TRUE(read.status.ok()) << read.status.message();
  EXPECT_EQ(read.sheet_names, std::vector<std::string>{"Roster"});
  ASSERT_EQ(read.rows.size(), 3u);
  EXPECT_EQ(read.rows[0][0].text, "Last Name");
  EXPECT_EQ(read.rows[1][0].text, "M\xC3\xBCller");
  EXPECT_EQ(read.rows[1][1].number, 72.5);
  EXPECT_EQ(read.rows[1].size(), 2u);
  EXPECT_EQ(read.rows[2][0].text, "<Fox & \"Sons\">");
  EXPECT_EQ(read.rows[2][1].number, -0.25);
  EXPECT_EQ(read.rows[2][2].text, "A_x0041_");
}

TEST(XlsxWriter, WideTablesControlCharactersAndTheSameBytesEachTime) {
  Table table;
  table.sheet_name = "Wide & <odd>";
  for (int c = 0; c < 30; ++c) table.columns.push_back({"C" + std::to_string(c), "0.000", 8});
  CellRow row;
  for (int c = 0; c < 30; ++c) row.push_back(Cell::OfNumber(c + 0.125, ""));
  row[27] = Cell::OfText(" tab\there\x01 ");  // column AB, blanks at both ends kept
  table.rows = {row, row};
  std::string bytes, again;
  ASSERT_TRUE(EncodeXlsx(table, &bytes).ok());
  ASSERT_TRUE(EncodeXlsx(table, &again).ok());
  EXPECT_EQ(bytes, again);
  const XlsxRead read = ReadXlsx(bytes);
  ASSERT_TRUE(read.status.ok()) << read.status.message();
  EXPECT_EQ(read.sheet_names, std::vector<std::string>{"Wide & <odd>"});
  ASSERT_EQ(read.rows.size(), 3u);
  ASSERT_EQ(read.rows[2].size(), 30u);
  EXPECT_EQ(read.rows[0][29].text, "C29");
  EXPECT_EQ(read.rows[2][26].number, 26.125);
  EXPECT_EQ(read.rows[2][27].text, " tab\there\x01 ");
  EXPECT_EQ(read.rows[2][29].number, 29.125);
}

}  // namespace
}  // namespace kestrio::sheets
