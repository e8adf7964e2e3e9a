#pragma once

// The "Kestrio Pairing-Control Parameters" dialog: the eight pairing limits bound to the
// form model. The form reads, checks and stores; this dialog only shows the fields, the
// five-position same-club slider and the two buttons. The window's close button counts
// as Cancel. The form must outlive the dialog.

#include <QDialog>

#include "ui/control_form.h"

class QLineEdit;
class QSlider;

namespace kestrio::platform {

class ControlDialog : public QDialog {
  Q_OBJECT

 public:
  ControlDialog(ui::ControlParametersForm& form, QWidget* owner);

  QLineEdit* WeightEdit() const { return weight_; }
  QLineEdit* MaxBoutsEdit() const { return max_bouts_; }
  QSlider* SameClubSlider() const { return slider_; }

  void PressOk();
  void PressCancel();

 protected:
  void showEvent(QShowEvent* event) override;
  void reject() override { PressCancel(); }

 private:
  QWidget* BuildEnforced();
  QWidget* BuildGuidelines();
  void ToForm();
  void FromForm();

  ui::ControlParametersForm& form_;
  QWidget* owner_;
  QLineEdit* weight_ = nullptr;
  QLineEdit* age_ = nullptr;
  QLineEdit* rating_ = nullptr;
  QLineEdit* max_bouts_ = nullptr;
  QLineEdit* min_fit_ = nullptr;
  QLineEdit* min_wanted_ = nullptr;
  QLineEdit* max_wanted_ = nullptr;
  QSlider* slider_ = nullptr;
};

}  // namespace kestrio::platform
