#pragma once

// CSV as registration systems and office programs write it (RFC 4180): fields separated
// by a comma, semicolon or TAB; a field in double quotes may hold separators, line breaks
// and doubled quotes; records end with CR LF, LF or CR.
//
// Office programs are lenient and so is this reader: a quote inside an unquoted field is
// an ordinary character, and text after the closing quote of a field is kept. A quoted
// field that is never closed is an error, since it would swallow the rest of the file.

#include <string>
#include <string_view>

#include "base/status.h"
#include "sheets/cells.h"
#include "sheets/text_encoding.h"

namespace kestrio::sheets {

struct CsvOptions {
  // ',', ';' or '\t'; 0 detects it from the first records.
  char delimiter = 0;
  // Detected from the bytes unless set.
  bool detect_encoding = true;
  TextEncoding encoding = TextEncoding::Utf8;
  SheetLimits limits;
};

struct CsvRead {
  Status status = Status::Ok();  // not ok: rows is empty and nothing may be loaded
  char delimiter = ',';          // the one used
  TextEncoding encoding = TextEncoding::Utf8;
  // Every cell is Text (CSV has no types), UTF-8, exactly as in the file.
  CellRows rows;
  // More records than limits.max_rows: rows holds the first max_rows.
  bool truncated = false;
};

CsvRead ReadCsv(std::string_view bytes, const CsvOptions& options = {});

// The delimiter that splits the first records of utf8 into the most rows of one equal
// width above 1; ',' when none does.
char DetectDelimiter(std::string_view utf8);

// How the delimiter is named to the organiser: "Comma", "Semicolon", "TAB".
std::string_view DelimiterName(char delimiter);

}  // namespace kestrio::sheets
