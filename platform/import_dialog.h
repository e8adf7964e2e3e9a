#pragma once

// The "Open Spreadsheet" dialog: how the file is read (sheet, header row, delimiter,
// encoding), which column holds each roster field, the event date and day/month order
// for birth dates, and the first rows as they will load. Every choice goes to the form
// model at once and the dialog shows the form again; the form decides everything. The
// window's close button counts as Cancel. The form must outlive the dialog.

#include <array>

#include <QDialog>

#include "ui/import_form.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QSpinBox;
class QTableWidget;

namespace kestrio::platform {

class ImportDialog : public QDialog {
  Q_OBJECT

 public:
  ImportDialog(ui::ImportForm& form, QWidget* owner);

  QComboBox* ColumnCombo(sheets::RosterField field) const {
    return columns_[static_cast<std::size_t>(field)];
  }
  QComboBox* SheetCombo() const { return sheet_; }
  QComboBox* DelimiterCombo() const { return delimiter_; }
  QSpinBox* HeaderRowSpin() const { return header_row_; }
  QDateEdit* EventDateEdit() const { return event_date_; }
  QTableWidget* Preview() const { return preview_; }
  QLabel* SummaryLabel() const { return summary_; }

  void PressOk();
  void PressCancel();

 protected:
  void showEvent(QShowEvent* event) override;
  void reject() override { PressCancel(); }

 private:
  QWidget* BuildReading();
  QWidget* BuildColumns();
  QWidget* BuildBirthDates();
  void Connect();
  // Shows the form's state in every widget, without signalling changes back.
  void FromForm();
  void FillPreview();

  ui::ImportForm& form_;
  QWidget* owner_;
  QComboBox* sheet_ = nullptr;
  QLabel* sheet_label_ = nullptr;
  QComboBox* delimiter_ = nullptr;
  QLabel* delimiter_label_ = nullptr;
  QComboBox* encoding_ = nullptr;
  QLabel* encoding_label_ = nullptr;
  QSpinBox* header_row_ = nullptr;
  std::array<QComboBox*, sheets::kRosterFieldCount> columns_{};
  QLabel* remembered_ = nullptr;
  QDateEdit* event_date_ = nullptr;
  QComboBox* date_order_ = nullptr;
  QTableWidget* preview_ = nullptr;
  QLabel* summary_ = nullptr;
  QLabel* warnings_ = nullptr;
};

}  // namespace kestrio::platform
