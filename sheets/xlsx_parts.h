#pragma once

// The XML parts of an Excel workbook (.xlsx) that a roster needs, each read from its
// text: the list of sheets, the relationships that say where each part lives, the
// shared strings, the styles that mark date cells, and the cells of one sheet.
//
// These know nothing about the zip archive around them (xlsx_reader.h unpacks it), so
// that tests and the fuzz target can feed them XML directly.

#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "sheets/cells.h"
#include "sheets/xml_stream.h"

namespace kestrio::sheets {

struct WorkbookSheet {
  std::string name;
  std::string relationship_id;  // the r:id that the workbook's relationships resolve
};

struct WorkbookInfo {
  std::vector<WorkbookSheet> sheets;  // in tab order
  bool date1904 = false;              // date serials count from 1904-01-01
};

// xl/workbook.xml.
Status ParseWorkbook(std::string_view xml, WorkbookInfo* info);

struct Relationship {
  std::string id;
  std::string type;    // ends in "/worksheet", "/sharedStrings", "/styles", "/officeDocument"
  std::string target;  // as written: relative to the part's folder, or from the root
};

// A .rels part.
Status ParseRelationships(std::string_view xml, std::vector<Relationship>* relationships);

// The part a relationship of the part at source points to, as a name inside the
// archive: "worksheets/sheet1.xml" from "xl/workbook.xml" is "xl/worksheets/sheet1.xml";
// a target starting with "/" is from the root; ".." steps up.
std::string ResolvePartName(std::string_view source, std::string_view target);

// Whether each cell style (by index, as cells name it with s="...") shows numbers as
// dates or times: the built-in date formats and any custom format with day, month or
// year fields.
Status ParseStyles(std::string_view xml, std::vector<bool>* date_styles);

// True when a number format code shows a date or time ("yyyy-mm-dd", "d/m/yy h:mm").
bool IsDateFormatCode(std::string_view code);

// Reads xl/sharedStrings.xml as it is fed: the strings cells refer to by index.
class SharedStringsHandler : public XmlHandler {
 public:
  // At most max_strings strings are kept; more is an error.
  explicit SharedStringsHandler(std::size_t max_strings) : max_strings_(max_strings) {}
  void Start(std::string_view name, const XmlAttributes& attributes) override;
  void End(std::string_view name) override;
  void Text(std::string_view text) override;
  std::vector<std::string>& strings() { return strings_; }

 private:
  std::size_t max_strings_;
  std::vector<std::string> strings_;
  std::string current_;
  bool in_item_ = false;
  bool in_text_ = false;
  int phonetic_depth_ = 0;  // inside <rPh>: reading hints, not the text
};

// What a sheet read gives besides its cells.
struct SheetContent {
  CellRows rows;
  bool truncated = false;  // cells beyond limits.max_rows were left out
  int formulas_without_value = 0;
  std::vector<std::string> merged_ranges;  // "A2:A5", as the sheet lists them
};

// Reads a worksheet part as it is fed. Formula cells give their saved value. Merged
// ranges are filled afterwards by FillMergedRanges.
class SheetHandler : public XmlHandler {
 public:
  // shared_strings and date_styles must outlive the handler.
  SheetHandler(const std::vector<std::string>& shared_strings, const std::vector<bool>& date_styles,
               const SheetLimits& limits)
      : shared_(shared_strings), date_styles_(date_styles), limits_(limits) {}
  void Start(std::string_view name, const XmlAttributes& attributes) override;
  void End(std::string_view name) override;
  void Text(std::string_view text) override;
  SheetContent& content() { return content_; }

 private:
  void StartCell(const XmlAttributes& attributes);
  void FinishCell();
  bool Place(Cell cell);

  const std::vector<std::string>& shared_;
  const std::vector<bool>& date_styles_;
  SheetLimits limits_;
  SheetContent content_;
  std::size_t cells_ = 0;
  long row_ = -1;     // 0-based row being read
  long column_ = -1;  // 0-based column of the cell being read
  std::string type_;  // the cell's t attribute
  long style_ = 0;
  bool in_cell_ = false;
  bool has_formula_ = false;
  bool collecting_ = false;
  int phonetic_depth_ = 0;
  std::string value_;
};

// Gives every cell of each merged range (within the rows read) the value of its top-left
// cell, as the sheet shows it. Not ok when that would exceed limits.max_cells.
Status FillMergedRanges(SheetContent* content, const SheetLimits& limits);

// The 0-based row and column of a cell reference ("B3" is row 2, column 1).
bool ParseCellReference(std::string_view reference, long* row, long* column);

}  // namespace kestrio::sheets
