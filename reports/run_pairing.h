#pragma once

// A whole pairing run as the organiser starts it: clear the previous reports, refuse
// while the bout sheets are held open, load the control file, pair, and write every
// report into the working directory.

#include <string>
#include <string_view>
#include <vector>

#include "base/file_system.h"
#include "pairing/optimal_run.h"
#include "pairing/pairing_control.h"
#include "pairing/pairing_run.h"
#include "reports/block_memo.h"
#include "roster/roster.h"

namespace kestrio::reports {

// The messages the organiser sees after a run.
inline constexpr std::string_view kRunCompletedCaption = "Kestrio Bout Pairing";
inline constexpr std::string_view kRunCompletedText = "Bout Pairing Completed Successfully!";
inline constexpr std::string_view kBoutSheetsHeldCaption =
    "Warning: unable to open Tandrel-PairingBoutsheets.txt for writing!";
inline constexpr std::string_view kBoutSheetsHeldText =
    "Close bout sheet MailMerge program Kestrio-BoutSheets.doc and rerun.";

struct PairingOutcome {
  // False when the previous bout-sheet file is held open by another program (a mail
  // merge): the run stopped right after the clean-up (nothing loaded, paired or written)
  // and status says so.
  bool BoutSheetsWritable = true;
  // Ok only when every report was written in full. Otherwise the first failure: another
  // run writing in the folder (kFolderBusy), a report name taken by a folder or other
  // non-file (nothing removed), the bout sheets held open or refused for another reason
  // (named with the reason), a control file that cannot be read or written, a selected
  // wrestler whose numbers cannot be read (both before anything is paired or written),
  // or the report files that could not be written, each named.
  Status status = Status::Ok();
  // The report files written in full, in the order they were written.
  std::vector<std::string> FilesWritten;
  // Those of them that "By Club" shows: the all-clubs report, then each club's own file
  // in club order.
  std::vector<std::string> ByClubFilesWritten;

  bool Completed() const { return BoutSheetsWritable && status.ok(); }
};

// Runs the pairing over roster in its display order, in fs's working directory, holding
// the folder's writing lock from the clean-up to the last report.
// *control receives the parameters loaded for the run and *run the per-run state, which
// the caller keeps until the next run. A report that fails to be written does not stop
// the others: they are still written, and the failure names every file that is missing.
// progress may be null. engine chooses the bouts; Tandrel Optimal may also fail with
// its cancel, before any report is written.
PairingOutcome RunPairing(FileSystem& fs, const roster::Roster& roster,
                          pairing::PairingControl* control, pairing::PairingProgress* progress,
                          pairing::PairingRun* run,
                          pairing::PairingEngine engine = pairing::PairingEngine::Greedy);

// Writes every report of a finished run (or of a bout board, which hands its bouts over
// in the same form) into fs's working directory, in the run's order: bout sheets,
// results, by-hand, by club, each club's own file, by bout number. Each file is written
// whole or not at all; a failure does not stop the others and the outcome names every
// file that is missing. The tables must pass CheckBoutTables; when they do not, nothing
// is written and the outcome says why. The previous run's files are not removed first:
// every file is replaced. memo, when given, keeps the reports' blocks from one writing to
// the next, so that after a small change only the blocks it touched are made again.
PairingOutcome WriteRunReports(FileSystem& fs, const pairing::PairingRun& run,
                               BlockMemo* memo = nullptr);

}  // namespace kestrio::reports
