// An Excel workbook of one sheet, its parts written as text straight into buffers and
// packed with libzip. The sheet of a 10,000-bout export holds about 200,000 cells: a
// general workbook library formats each number with printf and deflates at its fixed
// level, well over the fifth of a second an organiser should wait. Here numbers go
// through std::to_chars and the parts are deflated at the fastest level, which a
// spreadsheet of short texts and numbers barely notices in size.

#include <zip.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "sheets/table.h"

namespace kestrio::sheets {
namespace {

constexpr std::string_view kXmlHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr std::string_view kMainNamespace =
    "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr std::string_view kRelationships =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

bool IsHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Appends text as XML character data. Characters XML 1.0 cannot hold (control
// characters other than TAB and line ends) are written "_xHHHH_", as a workbook reads
// them; a text that holds such an escape itself has its underscore escaped ("_x005F_"),
// as spreadsheet programs do.
void AppendText(std::string& out, std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    switch (c) {
      case '&':
        out += "&amp;";
        continue;
      case '<':
        out += "&lt;";
        continue;
      case '>':
        out += "&gt;";
        continue;
      case '"':
        out += "&quot;";
        continue;
      default:
        break;
    }
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 && c != '\t' && c != '\n' && c != '\r') {
      char escape[8];
      std::snprintf(escape, sizeof escape, "_x%04X_", byte);
      out += escape;
      continue;
    }
    if (c == '_' && i + 6 < text.size() && text[i + 1] == 'x' && IsHex(text[i + 2]) &&
        IsHex(text[i + 3]) && IsHex(text[i + 4]) && IsHex(text[i + 5]) && text[i + 6] == '_') {
      out += "_x005F";
    }
    out.push_back(c);
  }
}

void AppendWhole(std::string& out, long value) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, end);
}

// The shortest form that reads back as the same double.
void AppendNumber(std::string& out, double value) {
  char digits[32];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, end);
}

// "A", "B", ... "Z", "AA", ...: the column's letters in a cell reference.
void AppendColumnName(std::string& out, std::size_t column) {
  char letters[8];
  int n = 0;
  for (std::size_t c = column + 1; c > 0 && n < 8; c = (c - 1) / 26) {
    letters[n++] = static_cast<char>('A' + (c - 1) % 26);
  }
  while (n > 0) out.push_back(letters[--n]);
}

// Excel's built-in number formats that the exports use; others get ids of their own.
int BuiltInFormatId(std::string_view code) {
  if (code == "0") return 1;
  if (code == "0.00") return 2;
  return -1;
}

// The cell styles: 0 for plain cells, 1 for the bold captions, then one per distinct
// number format of the columns. style_of_column[c] is the style of column c's numbers.
std::string StylesPart(const Table& table, std::vector<int>* style_of_column) {
  std::vector<std::string_view> codes;  // one per number-format style, in style order
  style_of_column->assign(table.columns.size(), 0);
  for (std::size_t c = 0; c < table.columns.size(); ++c) {
    const std::string& code = table.columns[c].number_format;
    if (code.empty()) continue;
    std::size_t k = 0;
    while (k < codes.size() && codes[k] != code) ++k;
    if (k == codes.size()) codes.push_back(code);
    (*style_of_column)[c] = static_cast<int>(2 + k);
  }
  std::string custom;
  std::vector<int> ids;
  int next_id = 164;  // the first id a workbook's own formats may take
  int custom_count = 0;
  for (std::string_view code : codes) {
    int id = BuiltInFormatId(code);
    if (id < 0) {
      id = next_id++;
      ++custom_count;
      custom += "<numFmt numFmtId=\"";
      AppendWhole(custom, id);
      custom += "\" formatCode=\"";
      AppendText(custom, code);
      custom += "\"/>";
    }
    ids.push_back(id);
  }
  std::string xml(kXmlHead);
  xml += "<styleSheet xmlns=\"";
  xml += kMainNamespace;
  xml += "\">";
  if (custom_count > 0) {
    xml += "<numFmts count=\"";
    AppendWhole(xml, custom_count);
    xml += "\">" + custom + "</numFmts>";
  }
  xml +=
      "<fonts count=\"2\"><font><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/>"
      "</font><font><b/><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font>"
      "</fonts><fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill><fill>"
      "<patternFill patternType=\"gray125\"/></fill></fills><borders count=\"1\"><border>"
      "<left/><right/><top/><bottom/><diagonal/></border></borders><cellStyleXfs count=\"1\">"
      "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
      "<cellXfs count=\"";
  AppendWhole(xml, static_cast<long>(2 + ids.size()));
  xml +=
      "\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
      "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyFont=\"1\"/>";
  for (int id : ids) {
    xml += "<xf numFmtId=\"";
    AppendWhole(xml, id);
    xml += "\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyNumberFormat=\"1\"/>";
  }
  xml +=
      "</cellXfs><cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" "
      "builtinId=\"0\"/></cellStyles></styleSheet>";
  return xml;
}

// Texts kept once in the workbook, each cell naming its text by number: names and clubs
// repeat down a roster.
class SharedStrings {
 public:
  long Index(std::string_view text) {
    const auto [at, added] = index_.try_emplace(text, static_cast<long>(texts_.size()));
    if (added) texts_.push_back(text);
    ++uses_;
    return at->second;
  }

  std::string Part() const {
    std::string xml(kXmlHead);
    xml.reserve(xml.size() + texts_.size() * 24);
    xml += "<sst xmlns=\"";
    xml += kMainNamespace;
    xml += "\" count=\"";
    AppendWhole(xml, uses_);
    xml += "\" uniqueCount=\"";
    AppendWhole(xml, static_cast<long>(texts_.size()));
    xml += "\">";
    for (std::string_view text : texts_) {
      // Blanks at either end are kept only when the text says so.
      const bool edges =
          !text.empty() && (text.front() == ' ' || text.back() == ' ' || text.front() == '\t' ||
                            text.back() == '\t' || text.find('\n') != std::string_view::npos);
      xml += edges ? "<si><t xml:space=\"preserve\">" : "<si><t>";
      AppendText(xml, text);
      xml += "</t></si>";
    }
    xml += "</sst>";
    return xml;
  }

 private:
  std::unordered_map<std::string_view, long> index_;
  std::vector<std::string_view> texts_;
  long uses_ = 0;
};

void AppendCellStart(std::string& xml, std::size_t column, std::size_t row, int style) {
  xml += "<c r=\"";
  AppendColumnName(xml, column);
  AppendWhole(xml, static_cast<long>(row));
  xml += '"';
  if (style != 0) {
    xml += " s=\"";
    AppendWhole(xml, style);
    xml += '"';
  }
}

void AppendTextCell(std::string& xml, std::size_t column, std::size_t row, int style, long index) {
  AppendCellStart(xml, column, row, style);
  xml += " t=\"s\"><v>";
  AppendWhole(xml, index);
  xml += "</v></c>";
}

// A column's width in characters as the workbook stores it, with the padding a
// spreadsheet adds around the text.
double StoredWidth(double characters) {
  if (characters <= 0) return 0;
  return static_cast<double>(static_cast<long>((characters * 7 + 5) / 7 * 256)) / 256;
}

std::string SheetPart(const Table& table, const std::vector<int>& style_of_column,
                      SharedStrings& strings) {
  std::string xml(kXmlHead);
  xml.reserve(xml.size() + 512 + table.rows.size() * table.columns.size() * 28);
  xml += "<worksheet xmlns=\"";
  xml += kMainNamespace;
  xml += "\" xmlns:r=\"";
  xml += kRelationships;
  // The captions stay in sight while the organiser scrolls.
  xml +=
      "\"><sheetViews><sheetView tabSelected=\"1\" workbookViewId=\"0\"><pane ySplit=\"1\" "
      "topLeftCell=\"A2\" activePane=\"bottomLeft\" state=\"frozen\"/><selection "
      "pane=\"bottomLeft\"/></sheetView></sheetViews><sheetFormatPr defaultRowHeight=\"15\"/>";
  if (!table.columns.empty()) {
    xml += "<cols>";
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
      xml += "<col min=\"";
      AppendWhole(xml, static_cast<long>(c + 1));
      xml += "\" max=\"";
      AppendWhole(xml, static_cast<long>(c + 1));
      xml += "\" width=\"";
      AppendNumber(xml, StoredWidth(table.columns[c].width));
      xml += "\" customWidth=\"1\"/>";
    }
    xml += "</cols>";
  }
  xml += "<sheetData><row r=\"1\">";
  for (std::size_t c = 0; c < table.columns.size(); ++c) {
    AppendTextCell(xml, c, 1, 1, strings.Index(table.columns[c].caption));
  }
  xml += "</row>";
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    const std::size_t row = r + 2;
    xml += "<row r=\"";
    AppendWhole(xml, static_cast<long>(row));
    xml += "\">";
    for (std::size_t c = 0; c < table.rows[r].size(); ++c) {
      const Cell& cell = table.rows[r][c];
      if (cell.kind == CellKind::Number) {
        AppendCellStart(xml, c, row, c < style_of_column.size() ? style_of_column[c] : 0);
        xml += "><v>";
        AppendNumber(xml, cell.number);
        xml += "</v></c>";
      } else if (!cell.text.empty()) {
        AppendTextCell(xml, c, row, 0, strings.Index(cell.text));
      }
    }
    xml += "</row>";
  }
  xml +=
      "</sheetData><pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" "
      "header=\"0.3\" footer=\"0.3\"/></worksheet>";
  return xml;
}

std::string WorkbookPart(const Table& table) {
  std::string xml(kXmlHead);
  xml += "<workbook xmlns=\"";
  xml += kMainNamespace;
  xml += "\" xmlns:r=\"";
  xml += kRelationships;
  xml += "\"><bookViews><workbookView/></bookViews><sheets><sheet name=\"";
  AppendText(xml, table.sheet_name);
  xml += "\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
  return xml;
}

constexpr std::string_view kContentTypes =
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" "
    "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/"
    "vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
    "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"application/"
    "vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
    "<Override PartName=\"/xl/styles.xml\" ContentType=\"application/"
    "vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
    "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"application/"
    "vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/></Types>";

constexpr std::string_view kPackageRelationships =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
    "relationships/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";

constexpr std::string_view kWorkbookRelationships =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
    "relationships/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
    "relationships/styles\" Target=\"styles.xml\"/>"
    "<Relationship Id=\"rId3\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
    "relationships/sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>";

struct Part {
  const char* name;
  std::string text;
};

struct ZipSourceFree {
  void operator()(zip_source_t* source) const { zip_source_free(source); }
};

// The archive's bytes, built in memory. Every entry carries the same time, so one table
// always gives the same bytes.
Status Pack(const std::vector<Part>& parts, std::string* bytes) {
  zip_error_t error;
  zip_error_init(&error);
  std::unique_ptr<zip_source_t, ZipSourceFree> buffer(
      zip_source_buffer_create(nullptr, 0, 0, &error));
  zip_t* archive = buffer ? zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error) : nullptr;
  if (archive == nullptr) {
    const std::string why = zip_error_strerror(&error);
    zip_error_fini(&error);
    return Status::IoError("the workbook could not be started: " + why);
  }
  zip_error_fini(&error);
  zip_source_keep(buffer.get());        // the archive's close must leave the bytes to read
  const std::time_t stamp = 315532800;  // 1980-01-01, the earliest time a zip entry holds
  for (const Part& part : parts) {
    zip_source_t* source = zip_source_buffer(archive, part.text.data(), part.text.size(), 0);
    const zip_int64_t index =
        source ? zip_file_add(archive, part.name, source, ZIP_FL_ENC_UTF_8) : -1;
    if (index < 0) {
      if (source != nullptr) zip_source_free(source);
      zip_discard(archive);
      return Status::IoError("the workbook could not be built: the part " + std::string(part.name) +
                             " was refused");
    }
    const auto entry = static_cast<zip_uint64_t>(index);
    zip_set_file_compression(archive, entry, ZIP_CM_DEFLATE, 1);
    zip_file_set_mtime(archive, entry, stamp, 0);
  }
  if (zip_close(archive) != 0) {
    const std::string why = zip_strerror(archive);
    zip_discard(archive);
    return Status::IoError("the workbook could not be built: " + why);
  }
  zip_source_t* packed = buffer.get();
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_source_stat(packed, &stat) != 0 || (stat.valid & ZIP_STAT_SIZE) == 0 ||
      zip_source_open(packed) != 0) {
    return Status::IoError("the built workbook could not be read back");
  }
  std::string data(static_cast<std::size_t>(stat.size), '\0');
  const zip_int64_t read = zip_source_read(packed, data.data(), data.size());
  zip_source_close(packed);
  if (read < 0 || static_cast<zip_uint64_t>(read) != stat.size)
    return Status::IoError("the built workbook could not be read back");
  *bytes = std::move(data);
  return Status::Ok();
}

}  // namespace

Status EncodeXlsx(const Table& table, std::string* bytes) {
  std::vector<int> style_of_column;
  SharedStrings strings;
  std::vector<Part> parts;
  parts.reserve(6);
  parts.push_back({"[Content_Types].xml", std::string(kXmlHead) + std::string(kContentTypes)});
  parts.push_back({"_rels/.rels", std::string(kXmlHead) + std::string(kPackageRelationships)});
  parts.push_back({"xl/workbook.xml", WorkbookPart(table)});
  parts.push_back(
      {"xl/_rels/workbook.xml.rels", std::string(kXmlHead) + std::string(kWorkbookRelationships)});
  parts.push_back({"xl/styles.xml", StylesPart(table, &style_of_column)});
  std::string sheet = SheetPart(table, style_of_column, strings);
  parts.push_back({"xl/sharedStrings.xml", strings.Part()});
  parts.push_back({"xl/worksheets/sheet1.xml", std::move(sheet)});
  return Pack(parts, bytes);
}

}  // namespace kestrio::sheets
