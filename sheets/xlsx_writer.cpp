#include <xlsxwriter.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

#include "sheets/table.h"

namespace kestrio::sheets {
namespace {

namespace fs = std::filesystem;

// A folder of its own under the system's temporary folder, removed with everything in
// it when the scope ends.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::error_code ec;
    std::string pattern = (fs::temp_directory_path(ec) / "kestrio-xlsx-XXXXXX").string();
    if (ec) pattern = "/tmp/kestrio-xlsx-XXXXXX";
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ec;
    if (!path_.empty()) fs::remove_all(path_, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  bool ok() const { return !path_.empty(); }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

bool IsHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// A workbook reads "_xHHHH_" in a string as an escaped character; a name that holds such
// a text itself has its underscore escaped ("_x005F_"), as spreadsheet programs do.
// The text to hand to the writer: text itself, or out holding its escaped form.
const char* Escaped(const std::string& text, std::string& out) {
  if (text.find("_x") == std::string::npos) return text.c_str();
  out.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '_' && i + 6 < text.size() && text[i + 1] == 'x' && IsHex(text[i + 2]) &&
        IsHex(text[i + 3]) && IsHex(text[i + 4]) && IsHex(text[i + 5]) && text[i + 6] == '_') {
      out += "_x005F";
    }
    out.push_back(text[i]);
  }
  return out.c_str();
}

lxw_error WriteCells(lxw_workbook* workbook, const Table& table) {
  lxw_worksheet* sheet = workbook_add_worksheet(workbook, table.sheet_name.c_str());
  if (sheet == nullptr) return LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE;
  lxw_format* caption = workbook_add_format(workbook);
  format_set_bold(caption);
  std::vector<lxw_format*> formats;
  std::string escaped;
  for (std::size_t c = 0; c < table.columns.size(); ++c) {
    const TableColumn& column = table.columns[c];
    // One format per number format: a format equal to one made before gets no style
    // number of its own, so the writer hashes it again for every cell it formats.
    lxw_format* format = nullptr;
    for (std::size_t k = 0; k < c && !column.number_format.empty(); ++k) {
      if (table.columns[k].number_format == column.number_format) format = formats[k];
    }
    if (!column.number_format.empty() && format == nullptr) {
      format = workbook_add_format(workbook);
      format_set_num_format(format, column.number_format.c_str());
    }
    formats.push_back(format);
    const auto col = static_cast<lxw_col_t>(c);
    worksheet_set_column(sheet, col, col, column.width, nullptr);
    if (lxw_error e =
            worksheet_write_string(sheet, 0, col, Escaped(column.caption, escaped), caption)) {
      return e;
    }
  }
  worksheet_freeze_panes(sheet, 1, 0);
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    const auto row = static_cast<lxw_row_t>(r + 1);
    for (std::size_t c = 0; c < table.rows[r].size(); ++c) {
      const Cell& cell = table.rows[r][c];
      const auto col = static_cast<lxw_col_t>(c);
      lxw_format* format = c < formats.size() ? formats[c] : nullptr;
      lxw_error e = LXW_NO_ERROR;
      if (cell.kind == CellKind::Number) {
        e = worksheet_write_number(sheet, row, col, cell.number, format);
      } else if (!cell.text.empty()) {
        e = worksheet_write_string(sheet, row, col, Escaped(cell.text, escaped), nullptr);
      }
      if (e != LXW_NO_ERROR) return e;
    }
  }
  return LXW_NO_ERROR;
}

}  // namespace

Status EncodeXlsx(const Table& table, std::string* bytes) {
  ScratchFolder scratch;
  if (!scratch.ok())
    return Status::IoError("no temporary folder could be made to build the workbook");
  const std::string output = (scratch.path() / "export.xlsx").string();
  std::string tmpdir = scratch.path().string();
  lxw_workbook_options options{};
  options.tmpdir = tmpdir.data();

  lxw_workbook* workbook = workbook_new_opt(output.c_str(), &options);
  if (workbook == nullptr) return Status::IoError("the workbook could not be started");
  const lxw_error written = WriteCells(workbook, table);
  // Closing writes the file and frees the workbook, also after a failed write.
  const lxw_error closed = workbook_close(workbook);
  if (written != LXW_NO_ERROR || closed != LXW_NO_ERROR) {
    return Status::IoError(std::string("the workbook could not be built: ") +
                           lxw_strerror(written != LXW_NO_ERROR ? written : closed));
  }
  std::ifstream in(output, std::ios::binary);
  std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.good() && !in.eof()) return Status::IoError("the built workbook could not be read back");
  *bytes = std::move(data);
  return Status::Ok();
}

}  // namespace kestrio::sheets
