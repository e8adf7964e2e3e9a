#include "ui/control_form.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

#include "base/fixed_text.h"
#include "base/number_text.h"

namespace kestrio::ui {

namespace {

// A field as the dialog reads it: at most 15 characters, control characters as blanks.
std::string FieldText(const std::string& typed) {
  std::string s = typed.substr(0, std::min<std::size_t>(typed.size(), kControlFieldWidth));
  text::ControlsToBlanks(s);
  return s;
}

std::optional<float> ReadReal(const std::string& typed) {
  return text::ReadFloat(FieldText(typed));
}

// The bout counts take digits only: "3.5" or "3 5" is refused rather than read as 3 or
// merged into 35.
std::optional<std::int32_t> ReadWhole(const std::string& typed) {
  const std::string field = FieldText(typed);
  const std::string_view digits = text::WithoutBlanks(field);
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) {
    return std::nullopt;
  }
  const std::optional<std::int64_t> v = text::ReadInteger(digits);
  if (!v || *v < std::numeric_limits<std::int32_t>::min() ||
      *v > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(*v);
}

std::string BoutRangeText(std::string_view field) {
  return std::string(field) + " must be between 0 and " + std::to_string(pairing::kMaxBoutsLimit);
}

std::string Shown(const std::string& formatted) {
  return std::string(text::WithoutBlanks(formatted));
}

}  // namespace

int SliderPositionForWeight(float same_club_weight) {
  // 4.5 rather than 4: every k/4 lands on position k, and 1.0 still on position 4.
  return static_cast<int>(4.5f * same_club_weight);
}

float WeightForSliderPosition(int position) {
  return static_cast<float>(position - kSliderMinimum) /
         static_cast<float>(kSliderMaximum - kSliderMinimum);
}

ControlParametersForm::ControlParametersForm(pairing::PairingControl& control, FileSystem& fs,
                                             MessagePort& messages, bool ask_before_replacing)
    : control_(control),
      opened_with_(control),
      fs_(fs),
      messages_(messages),
      ask_before_replacing_(ask_before_replacing) {
  weight = Shown(text::FormatFixed(control.MaxAllowedDiffWeight, 5, 1));
  age = Shown(text::FormatFixed(control.MaxAllowedDiffAge, 5, 1));
  rating = Shown(text::FormatFixed(control.MaxAllowedDiffRating, 5, 1));
  max_bouts = Shown(text::FormatInt(control.MaxBoutsAllowed, 5));
  min_fit = Shown(text::FormatFixed(control.MinGoodnessOfFitAllowed, 5, 3));
  min_wanted = Shown(text::FormatInt(control.MinBoutsWanted, 5));
  max_wanted = Shown(text::FormatInt(control.MaxBoutsWanted, 5));
  slider_position = SliderPositionForWeight(control.SameClubPairingWeight);
}

bool ControlParametersForm::Ok() {
  refused_field = ControlField::None;
  const auto complain = [&](std::string_view text) {
    Message m;
    m.text = std::string(text);
    m.caption = std::string(kControlMessageCaption);
    m.owned_by_main_window = false;
    messages_.Show(m);
    return false;
  };

  // Each value read is stored at once; the first field that cannot be read stops the
  // reading, and the fields after it keep their old values.
  bool ok = true;
  if (const auto v = ReadReal(weight)) {
    control_.MaxAllowedDiffWeight = *v;
  } else {
    ok = complain("Error Interpreting Weight(%)");
    refused_field = ControlField::Weight;
  }
  if (control_.MaxAllowedDiffWeight < 0 || control_.MaxAllowedDiffWeight > 100) {
    ok = complain("Weight(%)must be between 0 and 100");
    refused_field = ControlField::Weight;
  }
  if (!ok) return false;

  // Beyond the weight's own range, every value must lie where the control file accepts
  // it, or the next run would refuse the file this dialog writes.
  if (const auto v = ReadReal(age))
    control_.MaxAllowedDiffAge = *v;
  else
    return Refuse(ControlField::Age, complain("Error Interpreting Age(Yrs)"));
  if (!pairing::ToleranceInRange(control_.MaxAllowedDiffAge))
    return Refuse(ControlField::Age, complain("Age(Yrs) must be 0 or more"));
  if (const auto v = ReadReal(rating))
    control_.MaxAllowedDiffRating = *v;
  else
    return Refuse(ControlField::Rating, complain("Error Interpreting Rating(Pts)"));
  if (!pairing::ToleranceInRange(control_.MaxAllowedDiffRating))
    return Refuse(ControlField::Rating, complain("Rating(Pts) must be 0 or more"));
  if (const auto v = ReadWhole(max_bouts))
    control_.MaxBoutsAllowed = *v;
  else
    return Refuse(ControlField::MaxBouts, complain("Error Interpreting Max. Bouts Limit"));
  if (!pairing::BoutCountInRange(control_.MaxBoutsAllowed))
    return Refuse(ControlField::MaxBouts, complain(BoutRangeText("Max. Bouts Limit")));
  if (const auto v = ReadReal(min_fit))
    control_.MinGoodnessOfFitAllowed = *v;
  else
    return Refuse(ControlField::MinFit, complain("Error Interpreting MGoF"));
  if (!pairing::FractionInRange(control_.MinGoodnessOfFitAllowed))
    return Refuse(ControlField::MinFit, complain("MGoF must be between 0 and 1"));
  if (const auto v = ReadWhole(min_wanted))
    control_.MinBoutsWanted = *v;
  else
    return Refuse(ControlField::MinWanted, complain("Error Interpreting Min. Bouts Wanted"));
  if (!pairing::BoutCountInRange(control_.MinBoutsWanted))
    return Refuse(ControlField::MinWanted, complain(BoutRangeText("Min. Bouts Wanted")));
  if (const auto v = ReadWhole(max_wanted))
    control_.MaxBoutsWanted = *v;
  else
    return Refuse(ControlField::MaxWanted, complain("Error Interpreting Max. Bouts Wanted"));
  if (!pairing::BoutCountInRange(control_.MaxBoutsWanted))
    return Refuse(ControlField::MaxWanted, complain(BoutRangeText("Max. Bouts Wanted")));

  const int position = std::clamp(slider_position, kSliderMinimum, kSliderMaximum);
  control_.SameClubPairingWeight = WeightForSliderPosition(position);
  if (ask_before_replacing_) {
    Message ask;
    ask.text = std::string(pairing::kControlFileName) +
               " could not be read. Replace it with the values shown here?";
    ask.caption = std::string(kControlMessageCaption);
    ask.buttons = MessageButtons::YesNoCancel;
    ask.icon = MessageIcon::Question;
    ask.owned_by_main_window = false;
    if (messages_.Show(ask) != MessageAnswer::Yes) return false;
  }
  const Status written = pairing::WritePairingControl(fs_, control_);
  if (!written.ok()) return complain(written.message());
  wrote_file_ = true;
  return true;
}

bool ControlParametersForm::Refuse(ControlField field, bool result) {
  refused_field = field;
  return result;
}

bool ControlParametersForm::Cancel() {
  // A value that OK refused (a weight of 150 %) must not reach the control file, which
  // the command rewrites after the dialog.
  control_ = opened_with_;
  return true;
}

}  // namespace kestrio::ui
