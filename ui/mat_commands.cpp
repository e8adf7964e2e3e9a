// Tandrel > Schedule Mats and the Lumiva printing commands.

#include "reports/schedule_reports.h"
#include "schedule/mat_settings.h"
#include "ui/command_ids.h"
#include "ui/mat_schedule_form.h"
#include "ui/session.h"

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
  mat_day_ = reports::ScheduleRun(run_, settings);
  // The schedule is there to print even when its report files cannot be written.
  view_.MatsScheduled = true;
  RecomputeStatusAndMenus();
  std::vector<std::string> written;
  if (Status s = reports::WriteScheduleReports(fs_, run_, *mat_day_, &written); !s.ok()) {
    ShowMessage(s.message(), std::string(kScheduleMessageCaption), MessageIcon::Exclamation);
    return;
  }
  ports_.viewer.Show(std::string(reports::kMatScheduleName));
}

void Session::PrintSheets(int command_id) {
  const reports::MatDay* day = mat_day_ ? &*mat_day_ : nullptr;
  const std::vector<reports::SheetBout> sheets = reports::SheetsInOrder(run_, day);
  if (command_id == kCmdPrintBoutSheets) {
    ports_.printer.PreviewBoutSheets(sheets);
  } else if (day != nullptr) {
    ports_.printer.PreviewMatLists(sheets, day->settings.Mats);
  }
}

}  // namespace kestrio::ui
