#pragma once

// The "Add/Modify" dialog: the widgets of one wrestler's entry bound to the form model.
//
// Before a button's method runs, what was typed goes into the form; afterwards the form
// comes back to the screen (Next empties fields or loads the next highlighted entry, a
// refused form shows its message). The dialog closes when a button method says so; the
// window's close button counts as Cancel. The form must outlive the dialog.

#include <QDialog>

#include "ui/add_modify_form.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace kestrio::platform {

class AddModifyDialog : public QDialog {
  Q_OBJECT

 public:
  AddModifyDialog(ui::AddModifyForm& form, QWidget* owner);

  QLineEdit* SurnameEdit() const { return surname_; }
  QLineEdit* FirstNameEdit() const { return first_name_; }
  QLineEdit* WeightEdit() const { return weight_; }
  QLineEdit* AgeEdit() const { return age_; }
  QLineEdit* RatingEdit() const { return rating_; }
  QLineEdit* ClubEdit() const { return club_; }
  QRadioButton* SelectedButton() const { return selected_; }
  QLabel* MessageLine() const { return message_; }

  void PressDone() { Press(&ui::AddModifyForm::Done); }
  void PressNext() { Press(&ui::AddModifyForm::Next); }
  void PressCancel() { Press(&ui::AddModifyForm::Cancel); }

 protected:
  void showEvent(QShowEvent* event) override;
  void reject() override;

 private:
  void Press(bool (ui::AddModifyForm::*button)());
  void ToForm();
  void FromForm();
  // Puts the keyboard focus where the form says.
  void FocusFormField();

  ui::AddModifyForm& form_;
  QWidget* owner_;
  QLineEdit* surname_ = nullptr;
  QLineEdit* first_name_ = nullptr;
  QLineEdit* weight_ = nullptr;
  QLineEdit* age_ = nullptr;
  QLineEdit* rating_ = nullptr;
  QLineEdit* club_ = nullptr;
  QRadioButton* selected_ = nullptr;
  QRadioButton* unselected_ = nullptr;
  QLabel* message_ = nullptr;
};

}  // namespace kestrio::platform
