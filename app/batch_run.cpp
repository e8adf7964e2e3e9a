#include "app/batch_run.h"

#include "pairing/pairing_run.h"
#include "reports/run_pairing.h"
#include "roster/display_data.h"
#include "roster/duplicates.h"
#include "roster/roster_reader.h"
#include "roster/roster_writer.h"
#include "roster/sort_display_order.h"

namespace kestrio::app {
namespace {

class StderrSkippedLines : public roster::SkippedLineReporter {
 public:
  explicit StderrSkippedLines(std::ostream& err) : err_(err) {}
  void SkippedLine(std::string_view caption, std::string_view line) override {
    err_ << caption << ": " << line << '\n';
  }

 private:
  std::ostream& err_;
};

bool LoadRosters(const BatchOptions& options, FileSystem& fs, roster::Roster& roster,
                 std::ostream& err) {
  StderrSkippedLines reporter(err);
  for (const std::string& path : options.roster_files) {
    const roster::OpenResult opened = roster::OpenRosterFile(fs, path, roster, reporter);
    if (!opened.status.ok()) {
      err << "kestrio-batch: cannot read roster file " << opened.status.message() << '\n';
      return false;
    }
  }
  return true;
}

// Mark All Selected with nothing filtered: every entry, without reordering. An entry
// whose status text already reads "Selected" keeps its keys, which would not change.
void SelectAll(roster::Roster& roster) {
  const text::FixedText<15> selected(roster::ParticipantStatus::Selected);
  for (roster::Participant& p : roster.Entries) {
    if (p.Status == selected) continue;
    roster::SetStatus(p, roster::ParticipantStatus::Selected);
    roster::RebuildSortKeys(p);
  }
}

bool EditAndWrite(const BatchOptions& options, FileSystem& fs, roster::Roster& roster,
                  std::ostream& err) {
  if (options.sort_column) {
    roster.SortColumn = *options.sort_column;
    roster::SortDisplayOrder(roster);
  }
  if (options.select_all) SelectAll(roster);
  if (options.tag_duplicates) roster::TagDuplicates(roster);
  if (options.empty_trash) roster::EmptyTrash(roster);
  if (options.save_path) {
    if (Status s = roster::SaveRosterFile(fs, *options.save_path, roster); !s.ok()) {
      err << "kestrio-batch: cannot save " << s.message() << '\n';
      return false;
    }
  }
  if (options.listing_path) {
    if (Status s = roster::ExportDisplayData(fs, roster, {}, *options.listing_path); !s.ok()) {
      err << "kestrio-batch: cannot write listing " << s.message() << '\n';
      return false;
    }
  }
  return true;
}

void PrintSummary(const pairing::PairingRun& run, const pairing::PairingControl& control,
                  const reports::PairingOutcome& outcome, std::ostream& out) {
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

}  // namespace

int RunBatch(const BatchOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err) {
  roster::Roster roster;
  if (!LoadRosters(options, fs, roster, err)) return kBatchFailed;
  if (!EditAndWrite(options, fs, roster, err)) return kBatchFailed;
  if (!options.pair) return kBatchOk;

  pairing::PairingControl control;
  pairing::PairingRun run;
  const reports::PairingOutcome outcome = reports::RunPairing(fs, roster, &control, nullptr, &run);
  if (!outcome.BoutSheetsWritable) {
    err << reports::kBoutSheetsHeldCaption << '\n' << reports::kBoutSheetsHeldText << '\n';
    return kBatchFailed;
  }
  if (!outcome.status.ok() && outcome.FilesWritten.empty()) {
    err << "kestrio-batch: " << outcome.status.message() << '\n';
    return kBatchFailed;
  }
  PrintSummary(run, control, outcome, out);
  if (!outcome.status.ok()) {
    err << "kestrio-batch: " << outcome.status.message() << '\n';
    return kBatchFailed;
  }
  out << reports::kRunCompletedText << '\n';
  return kBatchOk;
}

}  // namespace kestrio::app
