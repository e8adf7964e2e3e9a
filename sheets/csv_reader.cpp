#include "sheets/csv_reader.h"

#include <algorithm>
#include <map>
#include <vector>

namespace kestrio::sheets {
namespace {

// Walks the records of a CSV text one at a time.
class CsvScanner {
 public:
  enum class Result { Record, End, UnclosedQuote };

  CsvScanner(std::string_view text, char delimiter) : text_(text), delimiter_(delimiter) {}

  // Reads the next record's fields into *fields (cleared first).
  Result Next(std::vector<std::string>* fields) {
    fields->clear();
    if (pos_ >= text_.size()) return Result::End;
    record_line_ = line_;
    while (true) {
      std::string& field = fields->emplace_back();
      if (pos_ < text_.size() && text_[pos_] == '"') {
        if (!ReadQuoted(field)) return Result::UnclosedQuote;
      }
      ReadPlain(field);
      if (pos_ >= text_.size()) return Result::Record;
      const char c = text_[pos_++];
      if (c == delimiter_) continue;
      // A line end: CR LF, LF or a lone CR.
      if (c == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
      ++line_;
      return Result::Record;
    }
  }

  // The file line the last record started on, from 1.
  int record_line() const { return record_line_; }

 private:
  // The quoted part of a field, from its opening quote past its closing quote.
  bool ReadQuoted(std::string& field) {
    ++pos_;
    while (true) {
      const std::size_t quote = text_.find('"', pos_);
      if (quote == std::string_view::npos) return false;
      const std::string_view part = text_.substr(pos_, quote - pos_);
      line_ += static_cast<int>(std::count(part.begin(), part.end(), '\n'));
      field.append(part);
      pos_ = quote + 1;
      if (pos_ < text_.size() && text_[pos_] == '"') {
        field.push_back('"');
        ++pos_;
        continue;
      }
      return true;
    }
  }

  // Characters up to the next delimiter or line end, kept as they stand.
  void ReadPlain(std::string& field) {
    std::size_t end = pos_;
    while (end < text_.size()) {
      const char c = text_[end];
      if (c == delimiter_ || c == '\n' || c == '\r') break;
      ++end;
    }
    field.append(text_.substr(pos_, end - pos_));
    pos_ = end;
  }

  std::string_view text_;
  char delimiter_;
  std::size_t pos_ = 0;
  int line_ = 1;
  int record_line_ = 1;
};

// How many of the first records to look at when guessing the delimiter.
constexpr int kDelimiterSampleRecords = 50;

struct DelimiterScore {
  int rows_of_common_width = 0;
  std::size_t common_width = 0;
};

DelimiterScore Score(std::string_view text, char delimiter) {
  CsvScanner scanner(text, delimiter);
  std::vector<std::string> fields;
  std::map<std::size_t, int> widths;
  for (int k = 0; k < kDelimiterSampleRecords; ++k) {
    if (scanner.Next(&fields) != CsvScanner::Result::Record) break;
    if (fields.size() == 1 && fields[0].empty()) continue;  // a blank line says nothing
    ++widths[fields.size()];
  }
  DelimiterScore best;
  for (const auto& [width, rows] : widths) {
    if (width > 1 && (rows > best.rows_of_common_width ||
                      (rows == best.rows_of_common_width && width > best.common_width))) {
      best = {rows, width};
    }
  }
  return best;
}

}  // namespace

char DetectDelimiter(std::string_view utf8) {
  char chosen = ',';
  DelimiterScore best;
  for (const char candidate : {',', ';', '\t'}) {
    const DelimiterScore score = Score(utf8, candidate);
    if (score.rows_of_common_width > best.rows_of_common_width ||
        (score.rows_of_common_width == best.rows_of_common_width &&
         score.common_width > best.common_width)) {
      best = score;
      chosen = candidate;
    }
  }
  return chosen;
}

std::string_view DelimiterName(char delimiter) {
  switch (delimiter) {
    case ';':
      return "Semicolon";
    case '\t':
      return "TAB";
    default:
      return "Comma";
  }
}

CsvRead ReadCsv(std::string_view bytes, const CsvOptions& options) {
  CsvRead read;
  read.encoding = options.detect_encoding ? DetectEncoding(bytes) : options.encoding;
  // Valid UTF-8 is read where it lies; anything else is decoded into a copy first.
  std::string decoded;
  std::string_view text = bytes;
  const bool utf8 = read.encoding == TextEncoding::Utf8 || read.encoding == TextEncoding::Utf8Bom;
  if (utf8 && text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  // Detection without a byte-order mark has already checked that the bytes are UTF-8; a
  // mark promises UTF-8 but does not make it so.
  const bool checked = options.detect_encoding && read.encoding == TextEncoding::Utf8;
  if (!utf8 || (!checked && !IsValidUtf8(text))) {
    decoded = DecodeToUtf8(bytes, read.encoding);
    text = decoded;
  }
  read.delimiter = options.delimiter != 0 ? options.delimiter : DetectDelimiter(text);

  CsvScanner scanner(text, read.delimiter);
  std::vector<std::string> fields;
  std::size_t cells = 0;
  while (true) {
    const CsvScanner::Result result = scanner.Next(&fields);
    if (result == CsvScanner::Result::End) break;
    if (result == CsvScanner::Result::UnclosedQuote) {
      read.rows.clear();
      read.status =
          Status::BadSpreadsheet("the quoted field that starts on line " +
                                 std::to_string(scanner.record_line()) + " is never closed");
      return read;
    }
    if (read.rows.size() == options.limits.max_rows) {
      read.truncated = true;
      break;
    }
    cells += fields.size();
    if (cells > options.limits.max_cells) {
      read.rows.clear();
      read.status = Status::BadSpreadsheet("the file holds more than " +
                                           std::to_string(options.limits.max_cells) +
                                           " cells, far more than any roster");
      return read;
    }
    CellRow& row = read.rows.emplace_back();
    row.reserve(fields.size());
    for (std::string& field : fields) {
      row.push_back(field.empty() ? Cell() : Cell::OfText(std::move(field)));
    }
  }
  return read;
}

}  // namespace kestrio::sheets
