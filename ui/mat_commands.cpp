// Tandrel > Schedule Mats and the Lumiva printing commands. The schedule is made from the
// day's bout board and follows it: after every change of the board (a scratch, a bout
// removed or added, late arrivals, renumbering, Undo) it is made again from the board
// with the same settings, so that a scratched bout leaves it and a new bout finds a mat.

#include "board/bout_board.h"
#include "reports/schedule_reports.h"
#include "schedule/mat_settings.h"
#include "ui/command_ids.h"
#include "ui/mat_schedule_form.h"
#include "ui/session.h"
#include "ui/session_impl.h"

namespace kestrio::ui {

void Session::ScheduleMats() {
  schedule::MatSettings settings;
  if (Status s = schedule::LoadMatSettings(fs_, &settings); !s.ok()) {
    // The dialog opens with the defaults; Cancel leaves the organiser's file as it is.
    ShowMessage(s.message(), std::string(kScheduleMessageCaption), MessageIcon::Exclamation, false);
  }
  {
    MatScheduleForm form(settings, fs_, ports_.messages);
    ports_.dialogs.RunScheduleMats(form);
    if (!form.accepted()) return;
  }
  // The schedule is there to print even when its report files cannot be written.
  const bool written = ScheduleBoard(settings);
  ShowBoard();
  RecomputeStatusAndMenus();
  if (written) ports_.viewer.Show(std::string(reports::kMatScheduleName));
}

bool Session::ScheduleBoard(const schedule::MatSettings& settings) {
  const board::BoutBoard& b = impl_->day.board;
  const pairing::PairingRun run = board::BoardRun(b);
  mat_day_ = reports::ScheduleRun(run, settings);
  impl_->scheduled_bouts = b.Bouts;
  std::vector<std::string> written;
  if (Status s = reports::WriteScheduleReports(fs_, run, *mat_day_, &written); !s.ok()) {
    ShowMessage(s.message(), std::string(kScheduleMessageCaption), MessageIcon::Exclamation);
    return false;
  }
  return true;
}

void Session::FollowBoard() {
  if (!mat_day_) return;
  const board::BoutBoard& b = impl_->day.board;
  if (b.Bouts == impl_->scheduled_bouts) return;
  if (b.Bouts.empty()) {
    // The run was taken back: nothing is left to schedule, and the files would describe
    // bouts that are gone.
    mat_day_.reset();
    impl_->scheduled_bouts.clear();
    (void)fs_.Remove(std::string(reports::kMatScheduleName));
    (void)fs_.Remove(std::string(reports::kScheduleByClubName));
    return;
  }
  const schedule::MatSettings settings = mat_day_->settings;
  ScheduleBoard(settings);
}

void Session::RestoreSchedule() {
  // A schedule was made for this board before the program closed: the same board and
  // settings give the same schedule.
  if (impl_->day.board.Bouts.empty() || !fs_.IsRegularFile(std::string(reports::kMatScheduleName)))
    return;
  schedule::MatSettings settings;
  if (!schedule::LoadMatSettings(fs_, &settings).ok()) return;
  ScheduleBoard(settings);
}

void Session::PrintSheets(int command_id) {
  const reports::MatDay* day = mat_day_ ? &*mat_day_ : nullptr;
  const pairing::PairingRun run = board::BoardRun(impl_->day.board);
  const std::vector<reports::SheetBout> sheets = reports::SheetsInOrder(run, day);
  if (command_id == kCmdPrintBoutSheets) {
    ports_.printer.PreviewBoutSheets(sheets);
  } else if (day != nullptr) {
    ports_.printer.PreviewMatLists(sheets, day->settings.Mats);
  }
}

void Session::ApplyMatMenuRules(MenuState& state) const {
  const bool bouts = !impl_->day.board.Bouts.empty();
  state.SetEnabled(kCmdScheduleMats, bouts);
  state.SetEnabled(kCmdPrintBoutSheets, bouts);
  for (const int id : {kCmdPrintMatLists, kCmdViewMatSchedule, kCmdViewScheduleByClub})
    state.SetEnabled(id, bouts && mat_day_.has_value());
}

}  // namespace kestrio::ui
