#include "sheets/xlsx_parts.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "sheets/text_encoding.h"

namespace kestrio::sheets {
namespace {

// The largest sheet a workbook can describe.
constexpr long kMaxSheetRows = 1048576;
constexpr long kMaxSheetColumns = 16384;
// Merged ranges listed beyond this are a sign of a made-up file, not a roster.
constexpr std::size_t kMaxMergedRanges = 10000;

template <typename T>
bool ReadWhole(std::string_view text, T* value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), *value);
  return ec == std::errc() && end == text.data() + text.size();
}

std::string_view TrimBlanks(std::string_view s) {
  const auto begin = s.find_first_not_of(" \t\r\n");
  if (begin == std::string_view::npos) return {};
  return s.substr(begin, s.find_last_not_of(" \t\r\n") - begin + 1);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Workbook strings escape characters XML cannot hold as "_xHHHH_" (a carriage return
// is "_x000D_"); the escape of an underscore itself is "_x005F_".
void DecodeEscapes(std::string& s) {
  if (s.find("_x") == std::string::npos) return;
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '_' && i + 6 < s.size() && s[i + 1] == 'x' && s[i + 6] == '_') {
      int code = 0;
      bool hex = true;
      for (std::size_t k = 2; k < 6; ++k) {
        const int d = HexDigit(s[i + k]);
        hex = hex && d >= 0;
        code = code * 16 + (d < 0 ? 0 : d);
      }
      if (hex && (code < 0xD800 || code > 0xDFFF)) {
        AppendUtf8(out, static_cast<char32_t>(code));
        i += 6;
        continue;
      }
    }
    out.push_back(s[i]);
  }
  s = std::move(out);
}

bool IsBuiltInDateFormat(long id) {
  return (id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) ||
         (id >= 50 && id <= 58);
}

class WorkbookHandler : public XmlHandler {
 public:
  explicit WorkbookHandler(WorkbookInfo* info) : info_(info) {}
  void Start(std::string_view name, const XmlAttributes& a) override {
    if (name == "sheet") {
      info_->sheets.push_back({std::string(a.Get("name")), std::string(a.Get("id"))});
    } else if (name == "workbookPr") {
      const std::string_view v = a.Get("date1904");
      info_->date1904 = v == "1" || v == "true";
    }
  }
  void End(std::string_view) override {}
  void Text(std::string_view) override {}

 private:
  WorkbookInfo* info_;
};

class RelationshipsHandler : public XmlHandler {
 public:
  explicit RelationshipsHandler(std::vector<Relationship>* out) : out_(out) {}
  void Start(std::string_view name, const XmlAttributes& a) override {
    if (name != "Relationship") return;
    out_->push_back(
        {std::string(a.Get("Id")), std::string(a.Get("Type")), std::string(a.Get("Target"))});
  }
  void End(std::string_view) override {}
  void Text(std::string_view) override {}

 private:
  std::vector<Relationship>* out_;
};

class StylesHandler : public XmlHandler {
 public:
  void Start(std::string_view name, const XmlAttributes& a) override {
    if (name == "numFmt") {
      long id = 0;
      if (ReadWhole(a.Get("numFmtId"), &id) && IsDateFormatCode(a.Get("formatCode"))) {
        custom_dates_.push_back(id);
      }
    } else if (name == "cellXfs") {
      in_cell_formats_ = true;
    } else if (name == "xf" && in_cell_formats_) {
      long id = 0;
      ReadWhole(a.Get("numFmtId"), &id);
      format_ids_.push_back(id);
    }
  }
  void End(std::string_view name) override {
    if (name == "cellXfs") in_cell_formats_ = false;
  }
  void Text(std::string_view) override {}

  std::vector<bool> DateStyles() const {
    std::vector<bool> dates;
    dates.reserve(format_ids_.size());
    for (long id : format_ids_) {
      dates.push_back(IsBuiltInDateFormat(id) ||
                      std::find(custom_dates_.begin(), custom_dates_.end(), id) !=
                          custom_dates_.end());
    }
    return dates;
  }

 private:
  bool in_cell_formats_ = false;
  std::vector<long> format_ids_;
  std::vector<long> custom_dates_;
};

}  // namespace

Status ParseWorkbook(std::string_view xml, WorkbookInfo* info) {
  WorkbookHandler handler(info);
  return ParseXml(xml, handler, "xl/workbook.xml");
}

Status ParseRelationships(std::string_view xml, std::vector<Relationship>* relationships) {
  RelationshipsHandler handler(relationships);
  return ParseXml(xml, handler, "relationships");
}

std::string ResolvePartName(std::string_view source, std::string_view target) {
  std::string path;
  if (target.starts_with('/')) {
    target.remove_prefix(1);
  } else {
    const auto slash = source.rfind('/');
    if (slash != std::string_view::npos) path = std::string(source.substr(0, slash + 1));
  }
  path.append(target);
  // Steps "." and ".." out of the name.
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t slash = path.find('/', start);
    if (slash == std::string::npos) slash = path.size();
    const std::string part = path.substr(start, slash - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = slash + 1;
  }
  std::string name;
  for (const std::string& part : parts) {
    if (!name.empty()) name.push_back('/');
    name.append(part);
  }
  return name;
}

bool IsDateFormatCode(std::string_view code) {
  bool quoted = false;
  bool bracketed = false;
  for (std::size_t i = 0; i < code.size(); ++i) {
    const char c = code[i];
    if (quoted) {
      quoted = c != '"';
    } else if (bracketed) {
      bracketed = c != ']';
    } else if (c == '"') {
      quoted = true;
    } else if (c == '[') {
      bracketed = true;
    } else if (c == '\\' || c == '_' || c == '*') {
      ++i;  // the next character is shown as it stands
    } else {
      const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (lower == 'y' || lower == 'd' || lower == 'm' || lower == 'h' || lower == 's') return true;
    }
  }
  return false;
}

Status ParseStyles(std::string_view xml, std::vector<bool>* date_styles) {
  StylesHandler handler;
  Status status = ParseXml(xml, handler, "xl/styles.xml");
  if (status.ok()) *date_styles = handler.DateStyles();
  return status;
}

void SharedStringsHandler::Start(std::string_view name, const XmlAttributes&) {
  if (name == "si") {
    in_item_ = true;
    current_.clear();
  } else if (name == "rPh") {
    ++phonetic_depth_;
  } else if (name == "t" && in_item_ && phonetic_depth_ == 0) {
    in_text_ = true;
  }
}

void SharedStringsHandler::End(std::string_view name) {
  if (name == "t") {
    in_text_ = false;
  } else if (name == "rPh") {
    --phonetic_depth_;
  } else if (name == "si" && in_item_) {
    in_item_ = false;
    if (strings_.size() == max_strings_) {
      Fail("the workbook holds more than " + std::to_string(max_strings_) +
           " strings, far more than any roster");
      return;
    }
    DecodeEscapes(current_);
    strings_.push_back(std::move(current_));
    current_.clear();
  }
}

void SharedStringsHandler::Text(std::string_view text) {
  if (in_text_) current_.append(text);
}

bool ParseCellReference(std::string_view reference, long* row, long* column) {
  std::size_t i = 0;
  long c = 0;
  while (i < reference.size() && std::isalpha(static_cast<unsigned char>(reference[i]))) {
    c = c * 26 + (std::toupper(static_cast<unsigned char>(reference[i])) - 'A' + 1);
    if (c > kMaxSheetColumns) return false;
    ++i;
  }
  long r = 0;
  if (i == 0 || !ReadWhole(reference.substr(i), &r) || r < 1 || r > kMaxSheetRows) return false;
  *row = r - 1;
  *column = c - 1;
  return true;
}

void SheetHandler::Start(std::string_view name, const XmlAttributes& a) {
  if (name == "c") {
    StartCell(a);
  } else if (name == "row") {
    long r = 0;
    if (ReadWhole(a.Get("r"), &r)) {
      if (r < 1 || r > kMaxSheetRows) return Fail(DamagedWorkbook("a row number is out of range"));
      row_ = r - 1;
    } else {
      ++row_;
    }
    column_ = -1;
  } else if (!in_cell_) {
    if (name == "mergeCell") {
      if (content_.merged_ranges.size() == kMaxMergedRanges) {
        return Fail("the sheet lists more than 10000 merged ranges, far more than any roster");
      }
      content_.merged_ranges.emplace_back(a.Get("ref"));
    }
  } else if (name == "v") {
    collecting_ = true;
  } else if (name == "f") {
    has_formula_ = true;
  } else if (name == "rPh") {
    ++phonetic_depth_;
  } else if (name == "t" && phonetic_depth_ == 0) {
    collecting_ = true;
  }
}

void SheetHandler::End(std::string_view name) {
  if (name == "v" || name == "t") {
    collecting_ = false;
  } else if (name == "rPh") {
    --phonetic_depth_;
  } else if (name == "c" && in_cell_) {
    FinishCell();
  }
}

void SheetHandler::Text(std::string_view text) {
  if (collecting_) value_.append(text);
}

void SheetHandler::StartCell(const XmlAttributes& a) {
  in_cell_ = true;
  has_formula_ = false;
  collecting_ = false;
  phonetic_depth_ = 0;
  value_.clear();
  type_ = std::string(a.Get("t"));
  style_ = 0;
  ReadWhole(a.Get("s"), &style_);
  const std::string_view reference = a.Get("r");
  if (reference.empty()) {
    if (row_ < 0) row_ = 0;
    ++column_;
  } else if (!ParseCellReference(reference, &row_, &column_)) {
    Fail(DamagedWorkbook("a cell reference is out of range"));
  }
}

void SheetHandler::FinishCell() {
  in_cell_ = false;
  collecting_ = false;
  Cell cell;
  if (type_ == "s") {
    std::size_t index = 0;
    if (!ReadWhole(TrimBlanks(value_), &index) || index >= shared_.size()) {
      return Fail(DamagedWorkbook("a cell refers to a shared string that does not exist"));
    }
    cell = Cell::OfText(shared_[index]);
  } else if (type_ == "inlineStr" || type_ == "str" || type_ == "d") {
    DecodeEscapes(value_);
    cell = Cell::OfText(value_);
  } else if (type_ == "b") {
    const bool yes = TrimBlanks(value_) == "1";
    cell = {CellKind::Boolean, yes ? "TRUE" : "FALSE", yes ? 1.0 : 0.0, false};
  } else if (type_ == "e") {
    cell = {CellKind::Error, value_, 0, false};
  } else if (!TrimBlanks(value_).empty()) {
    double number = 0;
    if (ReadWhole(TrimBlanks(value_), &number)) {
      cell = Cell::OfNumber(number, ShortestSpelling(number));
      cell.date = style_ >= 0 && static_cast<std::size_t>(style_) < date_styles_.size() &&
                  date_styles_[static_cast<std::size_t>(style_)];
    } else {
      cell = Cell::OfText(value_);
    }
  }
  if (cell.IsEmpty()) {
    // A formula whose result was never saved: the workbook was written by a program
    // that does not compute, and the organiser must open and save it once.
    if (has_formula_ && value_.empty()) ++content_.formulas_without_value;
    return;
  }
  Place(std::move(cell));
}

bool SheetHandler::Place(Cell cell) {
  if (row_ < 0 || column_ < 0) return false;
  if (static_cast<std::size_t>(row_) >= limits_.max_rows) {
    content_.truncated = true;
    Stop();
    return false;
  }
  CellRows& rows = content_.rows;
  if (rows.size() <= static_cast<std::size_t>(row_))
    rows.resize(static_cast<std::size_t>(row_) + 1);
  CellRow& row = rows[static_cast<std::size_t>(row_)];
  const auto column = static_cast<std::size_t>(column_);
  if (row.size() <= column) {
    cells_ += column + 1 - row.size();
    if (cells_ > limits_.max_cells) {
      Fail("the sheet holds more than " + std::to_string(limits_.max_cells) +
           " cells, far more than any roster");
      return false;
    }
    row.resize(column + 1);
  }
  row[column] = std::move(cell);
  return true;
}

Status FillMergedRanges(SheetContent* content, const SheetLimits& limits) {
  CellRows& rows = content->rows;
  std::size_t cells = 0;
  for (const CellRow& row : rows) cells += row.size();
  for (const std::string& range : content->merged_ranges) {
    const auto colon = range.find(':');
    long top = 0, left = 0, bottom = 0, right = 0;
    if (colon == std::string::npos || !ParseCellReference(range.substr(0, colon), &top, &left) ||
        !ParseCellReference(range.substr(colon + 1), &bottom, &right) || bottom < top ||
        right < left) {
      continue;  // a range that names no cells
    }
    const Cell value = CellAt(rows, static_cast<std::size_t>(top), static_cast<std::size_t>(left));
    if (value.IsEmpty()) continue;
    const long last_row = std::min<long>(bottom, static_cast<long>(rows.size()) - 1);
    for (long r = top; r <= last_row; ++r) {
      CellRow& row = rows[static_cast<std::size_t>(r)];
      // Every cell a range covers counts, also when it exists already: many ranges over
      // the same cells are as much work as one range over as many cells.
      cells += static_cast<std::size_t>(right - left + 1);
      if (cells > limits.max_cells) {
        return Status::BadSpreadsheet("the sheet's merged cells cover more than " +
                                      std::to_string(limits.max_cells) + " cells");
      }
      if (row.size() <= static_cast<std::size_t>(right)) {
        cells += static_cast<std::size_t>(right) + 1 - row.size();
        if (cells > limits.max_cells) {
          return Status::BadSpreadsheet("the sheet's merged cells cover more than " +
                                        std::to_string(limits.max_cells) + " cells");
        }
        row.resize(static_cast<std::size_t>(right) + 1);
      }
      for (long c = left; c <= right; ++c) {
        if (r != top || c != left) row[static_cast<std::size_t>(c)] = value;
      }
    }
  }
  return Status::Ok();
}

}  // namespace kestrio::sheets
