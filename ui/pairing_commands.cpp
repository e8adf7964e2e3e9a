// The Tandrel menu's pairing commands and the Lumiva report viewers.

#include <algorithm>

#include "pairing/engine_figures.h"
#include "pairing/optimal_run.h"
#include "pairing/pairing_control.h"
#include "reports/report_files.h"
#include "reports/run_pairing.h"
#include "ui/command_ids.h"
#include "ui/run_messages.h"
#include "ui/session.h"
#include "ui/session_impl.h"

namespace kestrio::ui {

namespace {

// Hands the run's progress to the progress bar.
class ProgressBarAdapter : public pairing::PairingProgress {
 public:
  explicit ProgressBarAdapter(ProgressPort& bar) : bar_(bar) {}
  void SetRange(int low, int high) override { bar_.SetRange(low, high); }
  void Step() override { bar_.Step(); }
  bool Cancelled() override { return bar_.CancelRequested(); }

 private:
  ProgressPort& bar_;
};

}  // namespace

void Session::EditControls() {
  // The dialog opens with the control file's values, or with the defaults when there is
  // no file yet.
  const bool file_exists = fs_.Exists(std::string(pairing::kControlFileName));
  control_ = pairing::PairingControl();
  const Status loaded = file_exists ? pairing::ReadPairingControl(fs_, &control_) : Status::Ok();
  // A control file that is there but could not be read (one typo, an unreadable file)
  // still holds the organiser's limits: Cancel leaves it as it is, and OK asks first.
  const bool keep_file = !loaded.ok();
  if (!loaded.ok()) {
    // The dialog then opens with the defaults.
    ShowMessage(loaded.message(), std::string(kControlMessageCaption), MessageIcon::Exclamation,
                false);
  }
  ControlParametersForm form(control_, fs_, ports_.messages, keep_file);
  ports_.dialogs.RunControlParameters(form);
  // The file is written once: by OK, or else here after a cancel, which creates a missing
  // file with the defaults and puts an existing one back in the program's own form.
  if (keep_file || form.wrote_file()) return;
  const Status written = pairing::WritePairingControl(fs_, control_);
  if (!written.ok()) {
    ShowMessage(written.message(), std::string(kControlMessageCaption), MessageIcon::Exclamation,
                false);
  }
}

void Session::RunPairingCommand(pairing::PairingEngine engine) {
  Message ask;
  ask.text = "Are the data sorted in the desired order?";
  ask.caption = std::string(reports::kRunCompletedCaption);
  ask.buttons = MessageButtons::YesNoCancel;
  ask.icon = MessageIcon::Question;
  if (ports_.messages.Show(ask) != MessageAnswer::Yes) return;

  const bool optimal = engine == pairing::PairingEngine::Optimal;
  if (optimal) {
    ports_.progress.ShowCancellable();
  } else {
    ports_.progress.Show();
  }
  ProgressBarAdapter progress(ports_.progress);
  // The schedule belonged to the bouts this run replaces; the run's clean-up removes its
  // files. The Bouts tab draws from the schedule whenever the window repaints, also under
  // the run's progress and messages: it lets go of it first.
  if (mat_day_) {
    mat_day_.reset();
    ShowBouts();
  }
  impl_->scheduled_bouts.clear();
  outcome_ = reports::RunPairing(fs_, roster_, &control_, &progress, &run_, engine);
  ran_ = true;
  const reports::PairingOutcome& outcome = outcome_;
  // A cancelled run leaves no result to look at.
  view_.PairingDone = !outcome.status.IsCancelled();
  // A run that paired (its reports written, or some of them) leaves its board for the day.
  // The Bouts tab then shows the new board's bouts: it held places in the old one.
  if (outcome.BoutSheetsWritable && (outcome.status.ok() || !outcome.FilesWritten.empty())) {
    const bool bouts_shown = !impl_->day.board.Bouts.empty();
    BoardContext context{fs_, roster_, ports_.list, *impl_->board_messages, impl_->day};
    KeepRunBoard(context, run_);
    if (bouts_shown) ShowBoard();
  }

  if (!outcome.BoutSheetsWritable) {
    ShowMessage(std::string(reports::kBoutSheetsHeldText),
                std::string(reports::kBoutSheetsHeldCaption), MessageIcon::Exclamation);
  } else if (!outcome.status.ok()) {
    // A bad control file, a wrestler whose numbers cannot be read, or reports that could
    // not be written: never reported as a success.
    const std::string caption = outcome.status.IsBadControlFile()
                                    ? std::string(kControlMessageCaption)
                                    : std::string(reports::kRunCompletedCaption);
    ShowMessage(outcome.status.message(), caption, MessageIcon::Exclamation);
  } else {
    ports_.progress.Hide();
    RecomputeStatusAndMenus();
    // The day's figures at a glance, and the wrestlers left short one click away.
    Message done;
    done.text = std::string(reports::kRunCompletedText) + "\n\n" + RunSummaryText(run_);
    done.caption = std::string(reports::kRunCompletedCaption);
    done.icon = MessageIcon::Exclamation;
    done.action_button = std::string(kShowExceptionsButton);
    if (ports_.messages.Show(done) == MessageAnswer::Action) {
      ShowRunReports({std::string(reports::kByHandName)});
    }
    return;
  }
  ports_.progress.Hide();
  RecomputeStatusAndMenus();
}

void Session::CompareEngines() {
  pairing::PairingControl control;
  if (Status s = pairing::LoadPairingControl(fs_, &control); !s.ok()) {
    ShowMessage(s.message(), std::string(kControlMessageCaption), MessageIcon::Exclamation);
    return;
  }
  pairing::PairingRun greedy, optimal;
  ports_.progress.ShowCancellable();
  ProgressBarAdapter progress(ports_.progress);
  Status s = pairing::PairBouts(roster_, control, nullptr, &greedy);
  if (s.ok()) s = pairing::PairBoutsOptimal(roster_, control, &progress, &optimal);
  if (s.ok()) {
    std::string text = pairing::FormatComparison(
        pairing::FiguresOf(greedy), pairing::FiguresOf(optimal), control.MinBoutsWanted);
    // The viewer shows report files, whose lines end in CR LF.
    std::string lines;
    for (const char c : text) lines += c == '\n' ? std::string("\r\n") : std::string(1, c);
    s = fs_.WriteFileAtomic(std::string(reports::kEngineComparisonName), lines, Links::kReplace);
  }
  ports_.progress.Hide();
  if (!s.ok()) {
    ShowMessage(s.message(), std::string(reports::kRunCompletedCaption), MessageIcon::Exclamation);
    return;
  }
  if (!ports_.viewer.Show(std::string(reports::kEngineComparisonName))) {
    ShowMessage(std::string(reports::kEngineComparisonName) +
                    " was written but could not be read back to show it.",
                std::string(kNoReportCaption), MessageIcon::Exclamation);
  }
}

void Session::ViewReport(int command_id) {
  switch (command_id) {
    case kCmdViewSummary:
      ShowRunReports({std::string(reports::kResultsSummaryName)});
      break;
    case kCmdViewExceptions:
      ShowRunReports({std::string(reports::kByHandName)});
      break;
    case kCmdViewByBoutNumber:
      ShowRunReports({std::string(reports::kBoutsByBoutNumberName)});
      break;
    case kCmdViewBoutSheets:
      ShowMessage(
          "Use the following MailMerge data with the MS Word template Kestrio-BoutSheets.doc "
          "to print boutsheets.",
          "Displaying File: " + std::string(reports::kBoutSheetsName), MessageIcon::None);
      ShowRunReports({std::string(reports::kBoutSheetsName)});
      break;
    case kCmdViewMatSchedule:
      ports_.viewer.Show(std::string(reports::kMatScheduleName));
      break;
    case kCmdViewScheduleByClub:
      ports_.viewer.Show(std::string(reports::kScheduleByClubName));
      break;
    case kCmdViewByClub:
      // The files the last run wrote, not a club list rebuilt from a roster that may
      // have changed since; a refused run wrote none.
      ShowRunReports(outcome_.ByClubFilesWritten.empty()
                         ? std::vector<std::string>{std::string(reports::kBoutsByClubName)}
                         : outcome_.ByClubFilesWritten);
      break;
    default:
      break;
  }
}

void Session::ShowRunReports(const std::vector<std::string>& names) {
  // Only what the last run wrote: a file of an earlier run would pass for this one's.
  std::string missing;
  for (const std::string& name : names) {
    const bool written = std::find(outcome_.FilesWritten.begin(), outcome_.FilesWritten.end(),
                                   name) != outcome_.FilesWritten.end();
    if (written && ports_.viewer.Show(name)) continue;
    if (!missing.empty()) missing += "\n\n";
    missing += MissingReportText(name, ran_, outcome_);
  }
  if (!missing.empty()) {
    ShowMessage(missing, std::string(kNoReportCaption), MessageIcon::Exclamation);
  }
}

}  // namespace kestrio::ui
