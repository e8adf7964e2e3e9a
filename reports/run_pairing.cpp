#include "reports/run_pairing.h"

#include <functional>
#include <string>
#include <vector>

#include "base/file_queue.h"
#include "reports/by_hand_report.h"
#include "reports/club_reports.h"
#include "reports/report_files.h"
#include "reports/results_reports.h"
#include "reports/wrestler_columns.h"

namespace kestrio::reports {
namespace {

// Writes each report as a whole: a file that cannot be written in full is not left
// behind half-written, and its name is kept for the run's failure message. The text
// goes to the disk a piece at a time as it is made, never held whole, and on a second
// thread, while the next report is made.
class ReportSink {
 public:
  ReportSink(FileSystem& fs, PairingOutcome& outcome) : queue_(fs), outcome_(outcome) {}

  // by_club: the file is one of those "By Club" shows.
  void Write(const std::string& name, const std::function<void(ReportText&)>& write,
             bool by_club = false) {
    queue_.Write(
        name,
        [&write](TextTaker& taker) {
          ReportText out(taker);
          write(out);
          out.Finish();
        },
        Links::kReplace);
    queued_.push_back({name, by_club ? Kind::kByClub : Kind::kReport});
  }

  // The list of the per-club files about to be written: the next run removes them.
  void WriteClubList(const std::vector<std::string>& names) {
    const std::string name(kClubFileListName);
    queue_.Write(name, ClubFileListText(names), Links::kReplace);
    queued_.push_back({name, Kind::kList});
  }

  // Waits for the last file, and gives the outcome every report's name or failure, in
  // the order written.
  void Finish() {
    const std::vector<Status> statuses = queue_.Finish();
    std::string failed;
    for (std::size_t i = 0; i < queued_.size(); ++i) {
      const Queued& file = queued_[i];
      if (!statuses[i].ok()) {
        if (!failed.empty()) failed += "; ";
        failed += statuses[i].message();
      } else if (file.kind != Kind::kList) {
        outcome_.FilesWritten.push_back(file.name);
        if (file.kind == Kind::kByClub) outcome_.ByClubFilesWritten.push_back(file.name);
      }
    }
    if (!failed.empty()) outcome_.status = Status::IoError("Unable to write report file " + failed);
  }

 private:
  enum class Kind { kReport, kByClub, kList };
  struct Queued {
    std::string name;
    Kind kind;
  };

  FileQueue queue_;
  PairingOutcome& outcome_;
  std::vector<Queued> queued_;
};

}  // namespace

PairingOutcome RunPairing(FileSystem& fs, const roster::Roster& roster,
                          pairing::PairingControl* control, pairing::PairingProgress* progress,
                          pairing::PairingRun* run, pairing::PairingEngine engine) {
  PairingOutcome outcome;
  // From the clean-up to the last report the folder is this run's: a second run, a save
  // or the desktop program in the same folder waits or stops, never interleaves.
  FolderLock lock;
  if (Status s = fs.LockFolder(".", LockWait::kNo, &lock); !s.ok()) {
    outcome.status = s;
    return outcome;
  }
  const ReportCleanUp clean_up = ClearReportFiles(fs);
  if (!clean_up.InTheWay.empty()) {
    outcome.status = Status::IoError(InTheWayMessage(clean_up.InTheWay));
    return outcome;
  }
  if (!clean_up.BoutSheetsRefused.ok()) {
    outcome.status = clean_up.BoutSheetsRefused;
    return outcome;
  }
  if (!clean_up.BoutSheetsWritable) {
    outcome.BoutSheetsWritable = false;
    outcome.status = Status::BoutSheetsHeld(std::string(kBoutSheetsHeldText));
    return outcome;
  }
  if (Status s = pairing::LoadPairingControl(fs, control); !s.ok()) {
    outcome.status = s;
    return outcome;
  }
  if (Status s = pairing::PairWith(engine, roster, *control, progress, run); !s.ok()) {
    outcome.status = s;
    return outcome;
  }
  return WriteRunReports(fs, *run);
}

PairingOutcome WriteRunReports(FileSystem& fs, const pairing::PairingRun& run, BlockMemo* memo) {
  PairingOutcome outcome;
  // Reports read the tables by index; a pairing that broke their invariants must not
  // produce reports that look complete.
  std::vector<BoutSides> sides;
  if (Status s = CheckBoutTables(run, &sides); !s.ok()) {
    outcome.status = s;
    return outcome;
  }

  if (memo != nullptr && !memo->See(run)) memo = nullptr;
  ReportSink sink(fs, outcome);
  const pairing::PairingRun& done = run;
  // Every wrestler's columns are made once, for every report that shows him.
  WrestlerColumns columns(done, memo == nullptr);
  sink.Write(std::string(kBoutSheetsName),
             [&](ReportText& out) { WriteBoutSheetsInto(done, columns, sides, out, memo); });
  sink.Write(std::string(kResultsSummaryName),
             [&](ReportText& out) { WriteResultsSummaryInto(done, columns, out, memo); });
  sink.Write(std::string(kByHandName), [&](ReportText& out) { WriteByHandReportInto(done, out); });
  {
    // The tables of the club members' blocks are made once, for the all-clubs report and
    // the club files.
    ClubBlocks clubs(done, ClubsInOrder(done), columns, memo);
    sink.Write(
        std::string(kBoutsByClubName), [&](ReportText& out) { WriteBoutsByClubInto(clubs, out); },
        /*by_club=*/true);
    ForEachClubFile(
        clubs,
        // Listed before they are written, so that even a run cut short leaves none untracked.
        [&](const std::vector<std::string>& names) { sink.WriteClubList(names); },
        [&](const std::string& name, const ClubFileText& write) {
          sink.Write(name, write, /*by_club=*/true);
        },
        // Where the disk takes "Eagles" and "eagles" for one file, such clubs share it.
        [&fs](const std::string& name) { return fs.FileNameKey(name); });
  }
  sink.Write(std::string(kBoutsByBoutNumberName),
             [&](ReportText& out) { WriteBoutsByBoutNumberInto(done, columns, out, memo); });
  sink.Finish();
  if (memo != nullptr) memo->EndWriting();
  return outcome;
}

}  // namespace kestrio::reports
