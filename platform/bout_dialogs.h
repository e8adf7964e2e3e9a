#pragma once

// The "Add Bout" and "Replace Wrestler in Bout" dialogs, bound to their form models:
// the forms measure the bout against the limits and ask about a broken hard limit; these
// dialogs show the wrestlers, the fit, the limits table and, for a replacement, the side
// that leaves and the list of wrestlers who may come in. The window's close button counts
// as Cancel. The form must outlive the dialog.

#include <QDialog>

#include "ui/bout_forms.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QTreeWidget;

namespace kestrio::platform {

class AddBoutDialog : public QDialog {
  Q_OBJECT

 public:
  AddBoutDialog(ui::AddBoutForm& form, QWidget* owner);

  QTableWidget* LimitsTable() const { return limits_; }
  QPushButton* AddButton() const { return add_; }

  void PressAdd();
  void PressCancel();

 protected:
  void showEvent(QShowEvent* event) override;
  void reject() override { PressCancel(); }

 private:
  ui::AddBoutForm& form_;
  QWidget* owner_;
  QTableWidget* limits_ = nullptr;
  QPushButton* add_ = nullptr;
};

class ReplaceWrestlerDialog : public QDialog {
  Q_OBJECT

 public:
  ReplaceWrestlerDialog(ui::ReplaceWrestlerForm& form, QWidget* owner);

  QRadioButton* LeavingButton(int side) const { return leaving_[side]; }
  QLineEdit* FindEdit() const { return find_; }
  QTreeWidget* CandidateList() const { return candidates_; }
  QTableWidget* LimitsTable() const { return limits_; }

  void PressReplace();
  void PressCancel();

 protected:
  void showEvent(QShowEvent* event) override;
  void reject() override { PressCancel(); }

 private:
  void ShowCandidates();
  void ShowChosen();

  ui::ReplaceWrestlerForm& form_;
  QWidget* owner_;
  QRadioButton* leaving_[2] = {nullptr, nullptr};
  QLineEdit* find_ = nullptr;
  QTreeWidget* candidates_ = nullptr;
  QTableWidget* limits_ = nullptr;
  QLabel* chosen_ = nullptr;
};

}  // namespace kestrio::platform
