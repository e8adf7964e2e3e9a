#pragma once

// The "Schedule Mats" dialog: mats, rest, bout minutes and start time in digits-only
// fields, and a table of each mat's lightest and heaviest weight class (blank for every
// class), bound to the form model, which reads, checks and stores. The window's close
// button counts as Cancel. The form must outlive the dialog.

#include <QDialog>

#include "ui/mat_schedule_form.h"

class QLineEdit;
class QTableWidget;

namespace kestrio::platform {

class ScheduleDialog : public QDialog {
  Q_OBJECT

 public:
  ScheduleDialog(ui::MatScheduleForm& form, QWidget* owner);

  QLineEdit* MatsEdit() const { return mats_; }
  QLineEdit* RestEdit() const { return rest_; }
  QTableWidget* ClassTable() const { return classes_; }

  void PressOk();
  void PressCancel();

 protected:
  void reject() override { PressCancel(); }

 private:
  // Shows as many rows of the class table as there are mats.
  void ShowMatRows();

  ui::MatScheduleForm& form_;
  QLineEdit* mats_ = nullptr;
  QLineEdit* rest_ = nullptr;
  QLineEdit* minutes_ = nullptr;
  QLineEdit* hour_ = nullptr;
  QLineEdit* minute_ = nullptr;
  QTableWidget* classes_ = nullptr;
};

}  // namespace kestrio::platform
