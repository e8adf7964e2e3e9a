#pragma once

// The command line of kestrio-batch, parsed without touching the disk:
//
//   kestrio-batch [--sort COLUMN] [--select-all] [--tag-duplicates] [--empty-trash]
//                 [--save FILE] [--listing FILE] [--export-roster FILE] [--no-pair]
//                 [--optimal] [--compare] [--export-bouts FILE] [--columns MAP]
//                 [--event-date DATE] [--date-order mdy|dmy] [--sheet SHEET]
//                 [--scratch NAME] [--remove-bout N] [--add-bout NAME NAME] [--pair-late]
//                 [--renumber] [--mats M [--rest R] [--bout-minutes D] [--start HH:MM]]
//                 [--bout-sheets-pdf FILE] [--mat-lists-pdf FILE] ROSTERFILE...
//
// The board steps (--scratch ... --renumber) may be given without a roster file: the
// roster is then the data file the bout board names. The mat schedule and the PDFs are
// made from the board after its steps.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/version.h"
#include "sheets/dates.h"

namespace kestrio::app {

// One change to the bout board of the working directory, after the run.
struct BoardStep {
  enum class Kind { kScratch, kRemoveBout, kAddBout, kPairLate, kRenumber };
  Kind kind = Kind::kPairLate;
  // The wrestlers named "LAST|FIRST|CLUB": the one scratched, the two of a new bout.
  std::string first;
  std::string second;
  // The bout removed.
  std::int32_t number = 0;
};

struct BatchOptions {
  // The SortColumn to sort by after loading (ColumnId, negative for descending); none
  // keeps the order the files were loaded in, sorted by weight.
  std::optional<int> sort_column;
  // Mark every entry "Selected".
  bool select_all = false;
  // Tag duplicate entries, then empty the trash.
  bool tag_duplicates = false;
  bool empty_trash = false;
  // Write the roster data file (Save All) and the display-data listing to these paths.
  std::optional<std::string> save_path;
  std::optional<std::string> listing_path;
  // Write the roster (after the steps above) and the bouts (after the pairing) as a
  // spreadsheet, CSV or a workbook by the extension.
  std::optional<std::string> export_roster_path;
  std::optional<std::string> export_bouts_path;
  // How .csv and .xlsx rosters are read: a --columns text over the mapping guessed from
  // the headers, the day ages from birth dates are taken at (today when not given), how
  // dates like 03/04/2012 read, and a workbook's sheet (a name, or a number from 1).
  std::string columns;
  std::optional<sheets::CivilDate> event_date;
  std::optional<sheets::DateOrder> date_order;
  std::string sheet;
  // Run the pairing after the steps above.
  bool pair = true;
  // Pair with Tandrel Optimal instead of the greedy run.
  bool optimal = false;
  // Also pair with the other engine, in memory only, and print both engines' figures.
  bool compare = false;
  // Board steps, in the order given, after the run (or on the board file already there).
  std::vector<BoardStep> board_steps;
  // Schedule the bouts on this many mats after the run; the other three override the
  // mat settings file, which is then written with the values used.
  std::optional<int> mats;
  std::optional<int> rest;
  std::optional<int> bout_minutes;
  std::optional<int> start_minutes;
  // Print the bout sheets (in mat order when scheduled) and the mat lists to PDF files.
  std::optional<std::string> bout_sheets_pdf;
  std::optional<std::string> mat_lists_pdf;

  bool show_help = false;
  bool show_version = false;
  // Roster files, loaded in this order.
  std::vector<std::string> roster_files;
};

struct ParsedArguments {
  BatchOptions options;
  // Empty on success; otherwise the usage error to print (exit status 2).
  std::string error;
};

// args excludes the program name. "--opt=value" and "--opt value" are both accepted;
// "--" ends the options. --help and --version need no roster file.
ParsedArguments ParseBatchArguments(const std::vector<std::string_view>& args);

// The SortColumn named by text: a column number 1-8 or its caption ("Weight",
// "last name", case-insensitive), a leading "-" meaning descending. Empty when unknown.
std::optional<int> ParseSortColumn(std::string_view text);

// Whether the run reads or writes an Excel workbook: a roster file or an export whose
// name ends in .xlsx.
bool ReadsOrWritesWorkbooks(const BatchOptions& options);

// The --help text.
std::string BatchUsage();

inline constexpr std::string_view kBatchVersion = "kestrio-batch " KESTRIO_VERSION_TEXT;

}  // namespace kestrio::app
