#pragma once

// The pairing-control parameters dialog as a form model: the seven field texts, the
// same-club slider position, and the OK and Cancel buttons.
//
// The front end binds its widgets to the public fields as for AddModifyForm. Messages
// go to the message port, titled kControlMessageCaption. OK returns true when the
// values were all read and stored; Cancel always closes.
//
// control, fs and messages must outlive the form.

#include <array>
#include <string>
#include <string_view>

#include "base/file_system.h"
#include "pairing/pairing_control.h"
#include "ui/message_port.h"

namespace kestrio::ui {

inline constexpr std::string_view kControlDialogTitle = "Kestrio Pairing-Control Parameters";
inline constexpr std::string_view kControlMessageCaption = "Kestrio Control Parameters";

inline constexpr int kSliderMinimum = 0;
inline constexpr int kSliderMaximum = 4;
inline constexpr std::array<std::string_view, 5> kSliderLabels = {"Never", "Discourage", "|",
                                                                  "Encourage", "Allow"};

// Longest text read from each field.
inline constexpr int kControlFieldWidth = 15;

// The slider position for a same-club weight, and the weight stored for a position.
int SliderPositionForWeight(float same_club_weight);
float WeightForSliderPosition(int position);

// The dialog's fields, for the keyboard focus after a refused value.
enum class ControlField { None, Weight, Age, Rating, MaxBouts, MinFit, MinWanted, MaxWanted };

class ControlParametersForm {
 public:
  // Fills the fields from control. With ask_before_replacing (the control file exists but
  // could not be read, so it still holds the organiser's own limits), OK asks before it
  // writes the file, and the dialog stays open unless the organiser says Yes.
  ControlParametersForm(pairing::PairingControl& control, FileSystem& fs, MessagePort& messages,
                        bool ask_before_replacing = false);

  ControlParametersForm(const ControlParametersForm&) = delete;
  ControlParametersForm& operator=(const ControlParametersForm&) = delete;

  std::string weight;      // MaxAllowedDiffWeight, one decimal
  std::string age;         // MaxAllowedDiffAge, one decimal
  std::string rating;      // MaxAllowedDiffRating, one decimal
  std::string max_bouts;   // MaxBoutsAllowed; digits only (anything else is refused)
  std::string min_fit;     // MinGoodnessOfFitAllowed, three decimals
  std::string min_wanted;  // MinBoutsWanted; digits only
  std::string max_wanted;  // MaxBoutsWanted; digits only
  int slider_position = 0;
  // The field the last refused OK stopped at (None after a successful one).
  ControlField refused_field = ControlField::None;

  // Reads the fields in order, stops at the first that cannot be read; on success stores
  // the slider's weight and writes the control file. A failed write is shown and keeps
  // the dialog open.
  bool Ok();
  // Puts back the values the dialog opened with, so that a refused value is not kept.
  bool Cancel();

  // True once OK has written the control file.
  bool wrote_file() const { return wrote_file_; }

 private:
  // Remembers the refused field and passes result on.
  bool Refuse(ControlField field, bool result);

  pairing::PairingControl& control_;
  pairing::PairingControl opened_with_;
  FileSystem& fs_;
  MessagePort& messages_;
  bool ask_before_replacing_;
  bool wrote_file_ = false;
};

}  // namespace kestrio::ui
