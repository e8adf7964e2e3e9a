#pragma once

// The import report of one opened file: what it added, and every skipped line with its
// number, its reason and its text, in one scrollable window instead of a box per line.

#include <QDialog>

#include "ui/import_report.h"

class QPlainTextEdit;

namespace kestrio::platform {

class ImportReportDialog : public QDialog {
  Q_OBJECT

 public:
  ImportReportDialog(const ui::ImportReport& report, QWidget* owner);

  QPlainTextEdit* Text() const { return text_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* owner_;
  QPlainTextEdit* text_ = nullptr;
};

}  // namespace kestrio::platform
