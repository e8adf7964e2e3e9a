#include "app/batch_options.h"

#include <cctype>
#include <charconv>
#include <utility>

#include "roster/participant.h"
#include "schedule/mat_settings.h"
#include "sheets/spreadsheet.h"

namespace kestrio::app {
namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

std::optional<int> ColumnByName(std::string_view name) {
  if (name.size() == 1 && name[0] >= '1' && name[0] <= '8') return name[0] - '0';
  for (int column = 1; column <= roster::kSortKeyColumns; ++column) {
    if (EqualIgnoringCase(name, roster::ColumnCaption(column))) return column;
  }
  return std::nullopt;
}

// Splits "--name=value" into its parts; a plain argument has no value part.
std::pair<std::string_view, std::optional<std::string_view>> SplitOption(std::string_view arg) {
  const std::size_t eq = arg.find('=');
  if (arg.rfind("--", 0) != 0 || eq == std::string_view::npos) return {arg, std::nullopt};
  return {arg.substr(0, eq), arg.substr(eq + 1)};
}

BoardStep Step(BoardStep::Kind kind, std::string first = {}, std::string second = {}) {
  BoardStep step;
  step.kind = kind;
  step.first = std::move(first);
  step.second = std::move(second);
  return step;
}

// A bout number as the reports show it; a non-optimum bout may be named with its sign.
bool ParseBoutNumber(std::string_view text, std::int32_t* number) {
  const char* end = text.data() + text.size();
  const auto [at, ec] = std::from_chars(text.data(), end, *number);
  return ec == std::errc() && at == end && *number != 0;
}

// A whole number from low to high, or empty.
std::optional<int> WholeNumber(std::string_view text, int low, int high) {
  if (text.empty() || text.size() > 4 ||
      text.find_first_not_of("0123456789") != std::string_view::npos)
    return std::nullopt;
  int v = 0;
  for (char c : text) v = v * 10 + (c - '0');
  if (v < low || v > high) return std::nullopt;
  return v;
}

// The options of the mat schedule and the printing.
void ParseScheduleOption(std::string_view name, std::string_view v, BatchOptions& o,
                         std::string& error) {
  const auto number = [&](std::optional<int>& field, int low, int high) {
    field = WholeNumber(v, low, high);
    if (!field)
      error = "bad " + std::string(name) + " '" + std::string(v) + "' (a whole number from " +
              std::to_string(low) + " to " + std::to_string(high) + ")";
  };
  if (name == "--mats") {
    number(o.mats, 1, schedule::kMaxMats);
  } else if (name == "--rest") {
    number(o.rest, 0, schedule::kMaxRest);
  } else if (name == "--bout-minutes") {
    number(o.bout_minutes, 1, schedule::kMaxBoutMinutes);
  } else if (name == "--start") {
    o.start_minutes = schedule::ReadClock(v);
    if (!o.start_minutes)
      error = "bad --start '" + std::string(v) + "' (a time from 00:00 to 23:59)";
  } else {
    if (v.empty()) error = std::string(name) + " needs a file name";
    (name == "--bout-sheets-pdf" ? o.bout_sheets_pdf : o.mat_lists_pdf) = std::string(v);
  }
}

bool TakesValue(std::string_view name) {
  for (std::string_view n :
       {"--sort", "--save", "--listing", "--export-roster", "--export-bouts", "--columns",
        "--event-date", "--date-order", "--sheet", "--scratch", "--remove-bout", "--add-bout",
        "--mats", "--rest", "--bout-minutes", "--start", "--bout-sheets-pdf", "--mat-lists-pdf"})
    if (name == n) return true;
  return false;
}

}  // namespace

std::optional<int> ParseSortColumn(std::string_view text) {
  const bool descending = !text.empty() && text[0] == '-';
  if (descending) text.remove_prefix(1);
  const std::optional<int> column = ColumnByName(text);
  if (!column) return std::nullopt;
  return descending ? -*column : *column;
}

ParsedArguments ParseBatchArguments(const std::vector<std::string_view>& args) {
  ParsedArguments parsed;
  BatchOptions& o = parsed.options;
  bool options_ended = false;
  for (std::size_t i = 0; i < args.size() && parsed.error.empty(); ++i) {
    const std::string_view arg = args[i];
    if (options_ended || arg.empty() || arg[0] != '-' || arg == "-") {
      o.roster_files.emplace_back(arg);
      continue;
    }
    auto [name, inline_value] = SplitOption(arg);
    // The value of an option that takes one: after "=" or the next argument, which may
    // itself start with "-" (--sort -3).
    auto value = [&, name = name,
                  inline_value = inline_value]() -> std::optional<std::string_view> {
      if (inline_value) return inline_value;
      if (i + 1 < args.size()) return args[++i];
      parsed.error = "option " + std::string(name) + " needs a value";
      return std::nullopt;
    };
    const bool takes_value = TakesValue(name);
    if (inline_value && !takes_value) {
      parsed.error = "option " + std::string(name) + " takes no value";
    } else if (name == "--") {
      options_ended = true;
    } else if (name == "--sort") {
      if (auto v = value()) {
        o.sort_column = ParseSortColumn(*v);
        if (!o.sort_column)
          parsed.error = "bad --sort column '" + std::string(*v) + "' (1-8 or a column caption)";
      }
    } else if (name == "--save") {
      if (auto v = value()) o.save_path = std::string(*v);
    } else if (name == "--listing") {
      if (auto v = value()) o.listing_path = std::string(*v);
    } else if (name == "--export-roster") {
      if (auto v = value()) o.export_roster_path = std::string(*v);
    } else if (name == "--export-bouts") {
      if (auto v = value()) o.export_bouts_path = std::string(*v);
    } else if (name == "--columns") {
      if (auto v = value()) o.columns = std::string(*v);
    } else if (name == "--event-date") {
      if (auto v = value()) {
        o.event_date = sheets::ParseIsoDate(*v);
        if (!o.event_date) parsed.error = "bad --event-date '" + std::string(*v) + "' (YYYY-MM-DD)";
      }
    } else if (name == "--date-order") {
      if (auto v = value()) {
        if (*v == "mdy")
          o.date_order = sheets::DateOrder::MonthFirst;
        else if (*v == "dmy")
          o.date_order = sheets::DateOrder::DayFirst;
        else
          parsed.error = "bad --date-order '" + std::string(*v) + "' (mdy or dmy)";
      }
    } else if (name == "--sheet") {
      if (auto v = value()) o.sheet = std::string(*v);
    } else if (name == "--scratch") {
      if (auto v = value())
        o.board_steps.push_back(Step(BoardStep::Kind::kScratch, std::string(*v)));
    } else if (name == "--remove-bout") {
      if (auto v = value()) {
        BoardStep step = Step(BoardStep::Kind::kRemoveBout);
        if (!ParseBoutNumber(*v, &step.number)) {
          parsed.error = "bad --remove-bout number '" + std::string(*v) + "'";
        }
        o.board_steps.push_back(step);
      }
    } else if (name == "--add-bout") {
      // Two wrestlers: "--add-bout A B" or "--add-bout=A B".
      const std::optional<std::string_view> first = value();
      if (first && i + 1 >= args.size()) parsed.error = "option --add-bout needs two wrestlers";
      if (first && parsed.error.empty()) {
        o.board_steps.push_back(
            Step(BoardStep::Kind::kAddBout, std::string(*first), std::string(args[++i])));
      }
    } else if (name == "--pair-late") {
      o.board_steps.push_back(Step(BoardStep::Kind::kPairLate));
    } else if (name == "--renumber") {
      o.board_steps.push_back(Step(BoardStep::Kind::kRenumber));
    } else if (name == "--mats" || name == "--rest" || name == "--bout-minutes" ||
               name == "--start" || name == "--bout-sheets-pdf" || name == "--mat-lists-pdf") {
      if (auto v = value()) ParseScheduleOption(name, *v, o, parsed.error);
    } else if (name == "--select-all") {
      o.select_all = true;
    } else if (name == "--tag-duplicates") {
      o.tag_duplicates = true;
    } else if (name == "--empty-trash") {
      o.empty_trash = true;
    } else if (name == "--no-pair") {
      o.pair = false;
    } else if (name == "--optimal") {
      o.optimal = true;
    } else if (name == "--compare") {
      o.compare = true;
    } else if (name == "--help" || name == "-h") {
      o.show_help = true;
    } else if (name == "--version") {
      o.show_version = true;
    } else {
      parsed.error = "unknown option " + std::string(arg);
    }
  }
  if (parsed.error.empty() && (o.save_path && o.save_path->empty()))
    parsed.error = "--save needs a file name";
  if (parsed.error.empty() && (o.listing_path && o.listing_path->empty()))
    parsed.error = "--listing needs a file name";
  if (parsed.error.empty() && !o.mats && (o.rest || o.bout_minutes || o.start_minutes))
    parsed.error = "--rest, --bout-minutes and --start need --mats";
  if (parsed.error.empty() && !o.pair && o.board_steps.empty() &&
      (o.mats || o.bout_sheets_pdf || o.mat_lists_pdf))
    parsed.error = "--mats and the PDF files need a pairing run or a board step";
  if (parsed.error.empty() && o.mat_lists_pdf && !o.mats)
    parsed.error = "--mat-lists-pdf needs --mats";
  for (const auto& [option, path] : {std::pair{"--export-roster", &o.export_roster_path},
                                     std::pair{"--export-bouts", &o.export_bouts_path}}) {
    if (parsed.error.empty() && *path && !sheets::FormatOfFileName(**path)) {
      parsed.error = std::string(option) + " needs a file name ending in .csv or .xlsx";
    }
    // Refused before anything is read or paired, not after the run.
    if (parsed.error.empty() && *path && !sheets::kWorkbooksBuilt &&
        sheets::FormatOfFileName(**path) == sheets::SheetFormat::Xlsx) {
      parsed.error = std::string(option) +
                     " needs a file name ending in .csv: this build writes no Excel workbooks";
    }
  }
  if (parsed.error.empty() && o.export_bouts_path && !o.pair) {
    parsed.error = "--export-bouts needs the pairing run (drop --no-pair)";
  }
  if (parsed.error.empty() && o.roster_files.empty() && o.board_steps.empty() && !o.show_help &&
      !o.show_version) {
    parsed.error = "no roster file given";
  }
  return parsed;
}

bool ReadsOrWritesWorkbooks(const BatchOptions& options) {
  const auto workbook = [](const std::string& path) {
    return sheets::FormatOfFileName(path) == sheets::SheetFormat::Xlsx;
  };
  for (const std::string& path : options.roster_files)
    if (workbook(path)) return true;
  return (options.export_roster_path && workbook(*options.export_roster_path)) ||
         (options.export_bouts_path && workbook(*options.export_bouts_path));
}

std::string BatchUsage() {
  return "usage: kestrio-batch [--sort COLUMN] [--select-all] [--tag-duplicates] [--empty-trash]\n"
         "                     [--save FILE] [--listing FILE] [--export-roster FILE] [--no-pair]\n"
         "                     [--optimal] [--compare] [--export-bouts FILE] [--columns MAP]\n"
         "                     [--event-date DATE] [--date-order mdy|dmy] [--sheet SHEET]\n"
         "                     [--scratch NAME] [--remove-bout N] [--add-bout NAME NAME]\n"
         "                     [--pair-late] [--renumber]\n"
         "                     [--mats M [--rest R] [--bout-minutes D] [--start HH:MM]]\n"
         "                     [--bout-sheets-pdf FILE] [--mat-lists-pdf FILE]\n"
         "                     ROSTERFILE...\n"
         "\n"
         "Loads the roster files in order, applies the steps asked for in the order listed,\n"
         "then pairs the selected wrestlers and writes the Tandrel reports into the current\n"
         "directory. Roster files ending in .csv or .xlsx are read as spreadsheets.\n"
         "\n"
         "  --sort COLUMN     sort by column 1-8 or its caption (Last Name, First Name, Weight,\n"
         "                    Age, Rating, Club, Status, Weight Class); a leading - sorts\n"
         "                    descending. The default is Weight ascending.\n"
         "  --select-all      mark every entry Selected\n"
         "  --tag-duplicates  tag duplicate entries\n"
         "  --empty-trash     remove Deleted entries for good\n"
         "  --save FILE       save the whole roster as a data file\n"
         "  --listing FILE    write the display-data listing\n"
         "  --export-roster FILE  write the roster as a spreadsheet (.csv or .xlsx)\n"
         "  --no-pair         stop before pairing\n"
         "  --optimal         pair with Tandrel Optimal: the best pairing there is, every\n"
         "                    wrestler brought to the minimum wanted wherever the limits allow;\n"
         "                    progress goes to standard error\n"
         "  --compare         also pair with the other engine (no reports written) and print\n"
         "                    both engines' figures side by side\n"
         "  --export-bouts FILE   write the bouts of the run as a spreadsheet (.csv or .xlsx)\n"
         "\n"
         "Spreadsheet rosters: the columns are found from the header row (Last Name, Surname,\n"
         "First Name, Weight, Wt, Age, Date of Birth, DOB, Rating, Club, Team, Status, ...).\n"
         "  --columns MAP     name the columns yourself, e.g.\n"
         "                    \"last=Surname,first=Given,weight=Wt,dob=Birth Date,club=Team\"\n"
         "                    (fields last, first, weight, age, dob, rating, club, status; a\n"
         "                    column by its header, its number from 1 or its letters)\n"
         "  --event-date DATE ages from birth dates are ages on this day (YYYY-MM-DD;\n"
         "                    today when not given)\n"
         "  --date-order mdy|dmy  how to read birth dates like 03/04/2012 when the file\n"
         "                    does not tell\n"
         "  --sheet SHEET     the workbook sheet to read, by name or number (the first)\n"
         "\n"
         "Bout board steps, applied in the order given after the run (or, with --no-pair or\n"
         "without a roster file, to the board file Tandrel-BoutBoard.txt already in the\n"
         "directory); each rewrites the board file and every report. NAME is\n"
         "\"LAST|FIRST|CLUB\". Without a roster file the roster is the data file the board\n"
         "names, and a scratch is saved back into it.\n"
         "  --scratch NAME    scratch a wrestler: his bouts are removed and his opponents\n"
         "                    re-paired up to the minimum wanted\n"
         "  --remove-bout N   remove bout N (its number is not given again)\n"
         "  --add-bout NAME NAME\n"
         "                    add a bout between two wrestlers, by hand\n"
         "  --pair-late       pair the selected wrestlers not yet on the board\n"
         "  --renumber        close the gaps in the bout numbers\n"
         "\n"
         "Mats and printing, after the run and the board steps:\n"
         "  --mats M          schedule the bouts on M mats (1-64) and write\n"
         "                    Tandrel-MatSchedule.txt and Tandrel-ScheduleByClub.txt\n"
         "  --rest R          at least R other slots between two bouts of a wrestler (0-50)\n"
         "  --bout-minutes D  minutes per bout slot (1-120)\n"
         "  --start HH:MM     when the first bouts start\n"
         "                    (left out: the values of Tandrel_MatSettings.txt, else rest 3,\n"
         "                    5 minutes, 09:00; the file keeps the values used)\n"
         "  --bout-sheets-pdf FILE  print a sheet per bout to FILE, by mat when scheduled\n"
         "  --mat-lists-pdf FILE    print one list per mat to FILE (needs --mats)\n"

         "  --help, --version\n"
         "\n"
         "Exit status: 0 success, 1 run refused or failed, 2 usage error.\n" +
         std::string(sheets::kWorkbooksBuilt ? ""
                                             : "\nThis build reads and writes spreadsheets as "
                                               "CSV (.csv) only: save an Excel\nworkbook as CSV "
                                               "first.\n");
}

}  // namespace kestrio::app
