#include "ui/control_form.h"

namespace kestrio::ui {

int SliderPositionForWeight(float same_club_weight) {
  return static_cast<int>(4.5f * same_club_weight);
}

float WeightForSliderPosition(int position) {
  return static_cast<float>(position - kSliderMinimum) /
         static_cast<float>(kSliderMaximum - kSliderMinimum);
}

ControlParametersForm::ControlParametersForm(pairing::PairingControl& control, FileSystem& fs,
                                             MessagePort& messages)
    : control_(control), opened_with_(control), fs_(fs), messages_(messages) {}

bool ControlParametersForm::Ok() { return true; }

bool ControlParametersForm::Cancel() {
  control_ = opened_with_;
  return true;
}

}  // namespace kestrio::ui
