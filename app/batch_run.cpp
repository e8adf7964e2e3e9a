#include "app/batch_run.h"

#include <new>
#include <ostream>

#include "app/batch_board.h"
#include "board/board_file.h"
#include "board/bout_board.h"
#include "pairing/engine_figures.h"
#include "pairing/optimal_run.h"
#include "pairing/pairing_run.h"
#include "reports/run_pairing.h"
#include "reports/schedule_reports.h"
#include "roster/display_data.h"
#include "roster/duplicates.h"
#include "roster/roster_reader.h"
#include "roster/roster_writer.h"
#include "roster/sort_display_order.h"
#include "sheets/roster_export.h"
#include "sheets/roster_import.h"
#include "sheets/spreadsheet.h"
#include "ui/selection.h"

namespace kestrio::app {
namespace {

// Each skipped line as "file:line: warning: reason: text", the way compilers point at a
// line, so that the organiser's editor can jump to it.
class StderrSkippedLines : public roster::SkippedLineReporter {
 public:
  StderrSkippedLines(std::ostream& err, std::string_view file) : err_(err), file_(file) {}
  void Skipped(const roster::BadLine& line) override {
    err_ << roster::DescribeBadLine(file_, line) << '\n';
  }
  void SkippedLine(std::string_view caption, std::string_view line) override {
    err_ << file_ << ": " << caption << ": " << line << '\n';
  }

 private:
  std::ostream& err_;
  std::string_view file_;
};

// Tandrel Optimal's progress on standard error, a line at every tenth of the way.
class StderrProgress : public pairing::PairingProgress {
 public:
  explicit StderrProgress(std::ostream& err) : err_(err) {}
  void SetRange(int low, int high) override {
    low_ = low;
    high_ = high;
    at_ = low;
    shown_ = 0;
  }
  void Step() override {
    ++at_;
    const int tenths = high_ > low_ ? static_cast<int>(10LL * (at_ - low_) / (high_ - low_)) : 10;
    for (; shown_ < tenths && shown_ < 10;) err_ << "Tandrel Optimal: " << 10 * ++shown_ << "%\n";
  }

 private:
  std::ostream& err_;
  int low_ = 0, high_ = 0, at_ = 0, shown_ = 0;
};

// A spreadsheet roster: read with the mapping its headers name (or --columns), every
// row that the reader refuses told as a bad text line is.
Status LoadSpreadsheet(const BatchOptions& options, FileSystem& fs, const std::string& path,
                       roster::Roster& roster, roster::SkippedLineReporter& reporter,
                       std::ostream& err) {
  sheets::SheetImportOptions import;
  import.columns = options.columns;
  import.event_date = options.event_date.value_or(sheets::LocalToday());
  import.date_order = options.date_order;
  import.sheet = options.sheet;
  const sheets::SheetImportResult result =
      sheets::OpenSpreadsheetRoster(fs, path, import, roster, reporter);
  for (const std::string& note : result.notes)
    err << "kestrio-batch: " << path << ": " << note << '\n';
  return result.status;
}

bool LoadRosters(const BatchOptions& options, FileSystem& fs, roster::Roster& roster,
                 std::ostream& err) {
  for (const std::string& path : options.roster_files) {
    StderrSkippedLines reporter(err, path);
    const Status read = sheets::FormatOfFileName(path)
                            ? LoadSpreadsheet(options, fs, path, roster, reporter, err)
                            : roster::OpenRosterFile(fs, path, roster, reporter).status;
    if (!read.ok()) {
      err << "kestrio-batch: cannot read roster file " << read.message() << '\n';
      return false;
    }
  }
  return true;
}

bool EditAndWrite(const BatchOptions& options, FileSystem& fs, roster::Roster& roster,
                  std::ostream& err) {
  if (options.sort_column) {
    roster.SortColumn = *options.sort_column;
    roster::SortDisplayOrder(roster);
  }
  if (options.select_all) ui::MarkEveryEntry(ui::SelectionVerb::SelectAll, roster);
  if (options.tag_duplicates) roster::TagDuplicates(roster);
  if (options.empty_trash) roster::EmptyTrash(roster);
  if (options.save_path) {
    if (Status s = roster::SaveRosterFile(fs, *options.save_path, roster); !s.ok()) {
      err << "kestrio-batch: cannot save " << s.message() << '\n';
      return false;
    }
  }
  if (options.listing_path) {
    if (Status s = roster::ExportDisplayData(fs, roster, {}, *options.listing_path, Links::kFollow);
        !s.ok()) {
      err << "kestrio-batch: cannot write listing " << s.message() << '\n';
      return false;
    }
  }
  if (options.export_roster_path) {
    const Status s =
        sheets::WriteTableFile(fs, *options.export_roster_path, sheets::RosterTable(roster));
    if (!s.ok()) {
      err << "kestrio-batch: cannot export the roster " << s.message() << '\n';
      return false;
    }
  }
  return true;
}

void PrintSummary(const pairing::PairingRun& run, const pairing::PairingControl& control,
                  const reports::PairingOutcome& outcome, bool optimal, std::ostream& out) {
  if (optimal) out << "Engine: Tandrel Optimal\n";
  int non_optimum = 0;
  for (std::size_t k = 0; k < run.BoutList.size(); k += 2)
    non_optimum += run.BoutList[k].BoutNumber < 0;
  int below_minimum = 0;
  for (std::int32_t count : run.BoutCount) below_minimum += count < control.MinBoutsWanted;
  out << "Selected wrestlers: " << run.SelectionSize << '\n'
      << "Bouts: " << run.TotalBouts << '\n'
      << "Non-optimum bouts: " << non_optimum << '\n'
      << "Rounds: " << run.RoundsUsed << '\n'
      << "Wrestlers below the minimum wanted (" << control.MinBoutsWanted << "): " << below_minimum
      << '\n'
      << "Files written: " << outcome.FilesWritten.size() << '\n';
  for (const std::string& name : outcome.FilesWritten) out << "  " << name << '\n';
}

// Pairs again with the other engine, in memory, and prints both engines' figures.
bool PrintComparison(const roster::Roster& roster, const pairing::PairingControl& control,
                     const pairing::PairingRun& run, bool optimal, StderrProgress& progress,
                     std::ostream& out, std::ostream& err) {
  using pairing::PairingEngine;
  pairing::PairingRun other;
  const Status s =
      optimal ? pairing::PairBouts(roster, control, nullptr, &other)
              : pairing::PairWith(PairingEngine::Optimal, roster, control, &progress, &other);
  if (!s.ok()) {
    err << "kestrio-batch: " << s.message() << '\n';
    return false;
  }
  const pairing::EngineFigures mine = pairing::FiguresOf(run);
  const pairing::EngineFigures theirs = pairing::FiguresOf(other);
  out << pairing::FormatComparison(optimal ? theirs : mine, optimal ? mine : theirs,
                                   control.MinBoutsWanted);
  return true;
}

// Two runs in one folder take turns: a second batch waits for the first to finish, and a
// desktop program in the folder is told that a run is writing there.
Status LockWorkingFolder(FileSystem& fs, FolderLock* lock, std::ostream& err) {
  Status locked = fs.LockFolder(".", LockWait::kNo, lock);
  if (!locked.IsFolderBusy()) return locked;
  err << "kestrio-batch: " << locked.message() << "; waiting for it to finish" << std::endl;
  return fs.LockFolder(".", LockWait::kYes, lock);
}

// The bouts of the board as the steps left it, as the reports have them, with their mats
// and times when the mats were scheduled.
bool ExportBouts(const BatchOptions& options, FileSystem& fs, const pairing::PairingRun& run,
                 const reports::MatDay* day, std::ostream& err) {
  if (!options.export_bouts_path) return true;
  const Status s =
      sheets::WriteTableFile(fs, *options.export_bouts_path, sheets::BoutTable(run, day));
  if (!s.ok()) err << "kestrio-batch: cannot export the bouts " << s.message() << '\n';
  return s.ok();
}

// The mat settings of the file with the command line's values over them; the file then
// keeps the values used, as the desktop's dialog would.
bool ScheduleSettings(const BatchOptions& options, FileSystem& fs, schedule::MatSettings* settings,
                      std::ostream& err) {
  if (Status s = schedule::LoadMatSettings(fs, settings); !s.ok()) {
    err << "kestrio-batch: " << s.message() << '\n';
    return false;
  }
  settings->Mats = *options.mats;
  settings->Classes.resize(static_cast<std::size_t>(settings->Mats));
  if (options.rest) settings->Rest = *options.rest;
  if (options.bout_minutes) settings->BoutMinutes = *options.bout_minutes;
  if (options.start_minutes) settings->StartMinutes = *options.start_minutes;
  if (Status s = schedule::WriteMatSettings(fs, *settings); !s.ok()) {
    err << "kestrio-batch: " << s.message() << '\n';
    return false;
  }
  return true;
}

bool ScheduleMats(const BatchOptions& options, FileSystem& fs, const pairing::PairingRun& run,
                  reports::MatDay* day, std::ostream& out, std::ostream& err) {
  schedule::MatSettings settings;
  if (!ScheduleSettings(options, fs, &settings, err)) return false;
  *day = reports::ScheduleRun(run, settings);
  std::vector<std::string> written;
  const Status s = reports::WriteScheduleReports(fs, run, *day, &written);
  const schedule::MatSchedule& m = day->schedule;
  out << "Mats: " << settings.Mats << ", rest " << settings.Rest << ", " << settings.BoutMinutes
      << "-minute bouts from " << schedule::ClockText(settings.StartMinutes) << '\n'
      << "Slots used: " << m.SlotsUsed << " (lower bound " << m.LowerBound << "), ends at "
      << schedule::ClockText(schedule::SlotStart(settings, m.SlotsUsed)) << '\n';
  if (!m.OutOfRange.empty())
    out << "Bouts outside every mat's weight classes: " << m.OutOfRange.size() << '\n';
  if (!m.ShortRest.empty())
    out << "Wrestlers resting less than asked: " << m.ShortRest.size() << '\n';
  for (const std::string& name : written) out << "  " << name << '\n';
  if (!s.ok()) err << "kestrio-batch: " << s.message() << '\n';
  return s.ok();
}

bool PrintPdfs(const BatchOptions& options, const pairing::PairingRun& run,
               const reports::MatDay* day, ui::PrintPort* printer, std::ostream& out,
               std::ostream& err) {
  if (!options.bout_sheets_pdf && !options.mat_lists_pdf) return true;
  if (printer == nullptr) {
    err << "kestrio-batch: this kestrio-batch was built without printing (Qt 6 PrintSupport)\n";
    return false;
  }
  const std::vector<reports::SheetBout> sheets = reports::SheetsInOrder(run, day);
  Status s = Status::Ok();
  if (options.bout_sheets_pdf) {
    s = printer->WriteBoutSheetsPdf(sheets, *options.bout_sheets_pdf);
    if (s.ok()) out << "Bout sheets: " << *options.bout_sheets_pdf << '\n';
  }
  if (s.ok() && options.mat_lists_pdf && day != nullptr) {
    s = printer->WriteMatListsPdf(sheets, day->settings.Mats, *options.mat_lists_pdf);
    if (s.ok()) out << "Mat lists: " << *options.mat_lists_pdf << '\n';
  }
  if (!s.ok()) err << "kestrio-batch: " << s.message() << '\n';
  return s.ok();
}

// The mat schedule, the bouts' export and the PDFs asked for, from the day's board as the
// run and the board steps left it.
bool ScheduleAndPrint(const BatchOptions& options, FileSystem& fs, const board::BoutBoard& board,
                      ui::PrintPort* printer, std::ostream& out, std::ostream& err) {
  if (!options.mats && !options.export_bouts_path && !options.bout_sheets_pdf &&
      !options.mat_lists_pdf)
    return true;
  const pairing::PairingRun run = board::BoardRun(board);
  reports::MatDay day;
  if (options.mats && !ScheduleMats(options, fs, run, &day, out, err)) return false;
  const reports::MatDay* scheduled = options.mats ? &day : nullptr;
  if (!ExportBouts(options, fs, run, scheduled, err)) return false;
  return PrintPdfs(options, run, scheduled, printer, out, err);
}

int RunSteps(const BatchOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err,
             ui::PrintPort* printer) {
  FolderLock lock;
  if (Status s = LockWorkingFolder(fs, &lock, err); !s.ok()) {
    err << "kestrio-batch: " << s.message() << '\n';
    return kBatchFailed;
  }
  roster::Roster roster;
  const bool roster_given = !options.roster_files.empty();
  if (!LoadRosters(options, fs, roster, err)) return kBatchFailed;
  if (!EditAndWrite(options, fs, roster, err)) return kBatchFailed;
  if (!options.pair || !roster_given) {
    if (options.board_steps.empty()) return kBatchOk;
    board::BoutBoard board;
    if (!RunBoardSteps(options, fs, roster, roster_given, std::nullopt, out, err, &board))
      return kBatchFailed;
    return ScheduleAndPrint(options, fs, board, printer, out, err) ? kBatchOk : kBatchFailed;
  }

  using pairing::PairingEngine;
  const PairingEngine engine = options.optimal ? PairingEngine::Optimal : PairingEngine::Greedy;
  StderrProgress progress(err);
  pairing::PairingProgress* shown = options.optimal ? &progress : nullptr;
  pairing::PairingControl control;
  pairing::PairingRun run;
  const reports::PairingOutcome outcome =
      reports::RunPairing(fs, roster, &control, shown, &run, engine);
  if (!outcome.BoutSheetsWritable) {
    err << reports::kBoutSheetsHeldCaption << '\n' << reports::kBoutSheetsHeldText << '\n';
    return kBatchFailed;
  }
  if (!outcome.status.ok() && outcome.FilesWritten.empty()) {
    err << "kestrio-batch: " << outcome.status.message() << '\n';
    return kBatchFailed;
  }
  PrintSummary(run, control, outcome, options.optimal, out);
  if (!outcome.status.ok()) {
    err << "kestrio-batch: " << outcome.status.message() << '\n';
    return kBatchFailed;
  }
  // The run's bouts stay on the board for the rest of the day.
  // Only the engines' comparison needs the run again: otherwise the run makes way for the
  // board as it is made.
  board::BoutBoard board = options.compare ? board::BoardFromRun(run, roster)
                                           : board::BoardFromRun(std::move(run), roster);
  if (!options.compare) run = pairing::PairingRun();
  if (Status s = board::SaveBoardFile(fs, board, BoardRosterFile(options)); !s.ok()) {
    err << "kestrio-batch: " << s.message() << '\n';
    return kBatchFailed;
  }
  if (options.compare &&
      !PrintComparison(roster, control, run, options.optimal, progress, out, err))
    return kBatchFailed;
  out << reports::kRunCompletedText << '\n';
  if (!options.board_steps.empty()) {
    if (!RunBoardSteps(options, fs, roster, roster_given, std::move(board), out, err))
      return kBatchFailed;
    // The steps leave the board in its file, as they leave the reports.
    board = board::BoutBoard();
    std::string roster_file;
    if (Status s = board::LoadBoardFile(fs, &board, &roster_file); !s.ok()) {
      err << "kestrio-batch: " << s.message() << '\n';
      return kBatchFailed;
    }
  }
  return ScheduleAndPrint(options, fs, board, printer, out, err) ? kBatchOk : kBatchFailed;
}

}  // namespace

int RunBatch(const BatchOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err,
             ui::PrintPort* printer) {
  // Running out of memory (a roster file far too large) ends the run with a message
  // rather than an abort; files already written are whole, as every write is.
  try {
    return RunSteps(options, fs, out, err, printer);
  } catch (const std::bad_alloc&) {
    err << "kestrio-batch: not enough memory to finish; the run was stopped\n";
    return kBatchFailed;
  }
}

}  // namespace kestrio::app
