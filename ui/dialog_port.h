#pragma once

// Runs the program's modal dialogs over the main window.
//
// The desktop front end binds each dialog's widgets to the form model and calls the
// model's button methods; a dialog stays open until a button method returns true (or,
// for the About box, until it is closed). The scripted fake plays button presses
// against the same models.

#include "ui/about_form.h"
#include "ui/add_modify_form.h"
#include "ui/bout_forms.h"
#include "ui/control_form.h"
#include "ui/import_form.h"
#include "ui/import_report.h"
#include "ui/mat_schedule_form.h"

namespace kestrio::ui {

class DialogPort {
 public:
  virtual ~DialogPort() = default;
  virtual void RunAddModify(AddModifyForm& form) = 0;
  virtual void RunControlParameters(ControlParametersForm& form) = 0;
  virtual void RunAbout(AboutForm& form) = 0;
  // The lines an opened file had to skip (FormatImportReport), modal until closed.
  virtual void ShowImportReport(const ImportReport& report) = 0;
  // The spreadsheet import dialog, modal until OK or Cancel closes it.
  virtual void RunImport(ImportForm& form) = 0;
  virtual void RunScheduleMats(MatScheduleForm& form) = 0;
  // The bout dialogs: Add Bout and Replace Wrestler in Bout, modal until a button closes
  // them.
  virtual void RunAddBout(AddBoutForm& form) = 0;
  virtual void RunReplaceWrestler(ReplaceWrestlerForm& form) = 0;
};

}  // namespace kestrio::ui
