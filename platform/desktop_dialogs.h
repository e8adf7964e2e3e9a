#pragma once

// Runs the Add/Modify, control-parameters and About dialogs modally over the main
// window, which must outlive this object.

#include <functional>

#include "ui/dialog_port.h"

class QDialog;
class QWidget;

namespace kestrio::platform {

class DesktopDialogs : public ui::DialogPort {
 public:
  explicit DesktopDialogs(QWidget* main_window) : main_window_(main_window) {}

  void RunAddModify(ui::AddModifyForm& form) override;
  void RunControlParameters(ui::ControlParametersForm& form) override;
  void RunAbout(ui::AboutForm& form) override;
  void RunImport(ui::ImportForm& form) override;
  void RunAddBout(ui::AddBoutForm& form) override;
  void RunReplaceWrestler(ui::ReplaceWrestlerForm& form) override;
  void ShowImportReport(const ui::ImportReport& report) override;
  void RunScheduleMats(ui::MatScheduleForm& form) override;

  // Called with every dialog just before it runs; tests and the screenshot driver use it
  // to reach the dialog while it is open. Empty by default.
  std::function<void(QDialog*)> on_open;

 private:
  void Run(QDialog& dialog);

  QWidget* main_window_;
};

}  // namespace kestrio::platform
