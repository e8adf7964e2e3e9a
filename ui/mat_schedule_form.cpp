#include "ui/mat_schedule_form.h"

#include <optional>

#include "base/fixed_text.h"

namespace kestrio::ui {
namespace {

std::optional<int> Whole(const std::string& typed, int low, int high) {
  const std::string_view s = text::WithoutBlanks(typed);
  if (s.empty() || s.size() > 6 || s.find_first_not_of("0123456789") != std::string_view::npos)
    return std::nullopt;
  const int v = std::stoi(std::string(s));
  if (v < low || v > high) return std::nullopt;
  return v;
}

std::string Between(std::string_view what, int low, int high) {
  return std::string(what) + " must be a whole number from " + std::to_string(low) + " to " +
         std::to_string(high) + ".";
}

}  // namespace

MatScheduleForm::MatScheduleForm(schedule::MatSettings& settings, FileSystem& fs,
                                 MessagePort& messages)
    : settings_(settings), fs_(fs), messages_(messages) {
  mats = std::to_string(settings.Mats);
  rest = std::to_string(settings.Rest);
  bout_minutes = std::to_string(settings.BoutMinutes);
  const std::string clock = schedule::ClockText(settings.StartMinutes);
  start_hour = clock.substr(0, 2);
  start_minute = clock.substr(3, 2);
  classes.resize(schedule::kMaxMats);
  for (std::size_t m = 0; m < settings.Classes.size() && m < classes.size(); ++m) {
    if (!settings.Classes[m].Limited) continue;
    classes[m].from = std::to_string(settings.Classes[m].Range.Low);
    classes[m].to = std::to_string(settings.Classes[m].Range.High);
  }
}

bool MatScheduleForm::Ok() {
  const auto complain = [&](std::string text) {
    Message m;
    m.text = std::move(text);
    m.caption = std::string(kScheduleMessageCaption);
    m.icon = MessageIcon::Exclamation;
    m.owned_by_main_window = false;
    messages_.Show(m);
    return false;
  };
  schedule::MatSettings read = settings_;
  const auto m = Whole(mats, 1, schedule::kMaxMats);
  if (!m) return complain(Between("Mats", 1, schedule::kMaxMats));
  const auto r = Whole(rest, 0, schedule::kMaxRest);
  if (!r) return complain(Between("Rest", 0, schedule::kMaxRest));
  const auto d = Whole(bout_minutes, 1, schedule::kMaxBoutMinutes);
  if (!d) return complain(Between("Bout minutes", 1, schedule::kMaxBoutMinutes));
  const auto h = Whole(start_hour, 0, 23);
  const auto mm = Whole(start_minute, 0, 59);
  if (!h || !mm) return complain("The start must be a time from 00:00 to 23:59.");
  read.Mats = *m;
  read.Rest = *r;
  read.BoutMinutes = *d;
  read.StartMinutes = *h * 60 + *mm;
  read.Classes.assign(static_cast<std::size_t>(*m), {});
  for (int i = 0; i < *m; ++i) {
    const ClassRow& row = classes[static_cast<std::size_t>(i)];
    if (text::WithoutBlanks(row.from).empty() && text::WithoutBlanks(row.to).empty()) continue;
    const auto low = Whole(row.from, 0, schedule::kMaxWeightClass);
    const auto high = Whole(row.to, 0, schedule::kMaxWeightClass);
    if (!low || !high || *low > *high)
      return complain("Mat " + std::to_string(i + 1) +
                      ": the weight classes must run from a class to the same or a heavier one "
                      "(0 to " +
                      std::to_string(schedule::kMaxWeightClass) +
                      "), or both be blank for every class.");
    read.Classes[static_cast<std::size_t>(i)] = {true, {*low, *high}};
  }
  if (Status s = schedule::WriteMatSettings(fs_, read); !s.ok()) return complain(s.message());
  settings_ = std::move(read);
  accepted_ = true;
  return true;
}

}  // namespace kestrio::ui
