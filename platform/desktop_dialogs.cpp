#include "platform/desktop_dialogs.h"

#include "platform/about_dialog.h"
#include "platform/add_modify_dialog.h"
#include "platform/bout_dialogs.h"
#include "platform/control_dialog.h"
#include "platform/import_dialog.h"
#include "platform/import_report_dialog.h"
#include "platform/schedule_dialog.h"

namespace kestrio::platform {

void DesktopDialogs::Run(QDialog& dialog) {
  if (on_open) on_open(&dialog);
  dialog.exec();
}

void DesktopDialogs::RunAddModify(ui::AddModifyForm& form) {
  AddModifyDialog dialog(form, main_window_);
  Run(dialog);
}

void DesktopDialogs::RunControlParameters(ui::ControlParametersForm& form) {
  ControlDialog dialog(form, main_window_);
  Run(dialog);
}

void DesktopDialogs::RunImport(ui::ImportForm& form) {
  ImportDialog dialog(form, main_window_);
  Run(dialog);
}

void DesktopDialogs::RunScheduleMats(ui::MatScheduleForm& form) {
  ScheduleDialog dialog(form, main_window_);
  Run(dialog);
}

void DesktopDialogs::RunAddBout(ui::AddBoutForm& form) {
  AddBoutDialog dialog(form, main_window_);
  Run(dialog);
}

void DesktopDialogs::RunReplaceWrestler(ui::ReplaceWrestlerForm& form) {
  ReplaceWrestlerDialog dialog(form, main_window_);
  Run(dialog);
}

void DesktopDialogs::RunAbout(ui::AboutForm& form) {
  AboutDialog dialog(form, main_window_);
  Run(dialog);
  form.Ok();
}

void DesktopDialogs::ShowImportReport(const ui::ImportReport& report) {
  ImportReportDialog dialog(report, main_window_);
  Run(dialog);
}

}  // namespace kestrio::platform
