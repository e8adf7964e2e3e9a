#pragma once

// The "Schedule Mats" dialog as a form model: how many mats, the rest between a
// wrestler's bouts, the bout length, the start time, and each mat's weight classes.
//
// The front end binds its digits-only fields to the public texts. OK reads them, says in
// a message what cannot be read (the dialog stays open) and otherwise stores the
// settings and writes the settings file; Cancel closes and changes nothing.
//
// settings, fs and messages must outlive the form.

#include <string>
#include <string_view>
#include <vector>

#include "base/file_system.h"
#include "schedule/mat_settings.h"
#include "ui/message_port.h"

namespace kestrio::ui {

inline constexpr std::string_view kScheduleDialogTitle = "Schedule Mats";
inline constexpr std::string_view kScheduleMessageCaption = "Kestrio Mat Schedule";

class MatScheduleForm {
 public:
  MatScheduleForm(schedule::MatSettings& settings, FileSystem& fs, MessagePort& messages);

  MatScheduleForm(const MatScheduleForm&) = delete;
  MatScheduleForm& operator=(const MatScheduleForm&) = delete;

  std::string mats;
  std::string rest;
  std::string bout_minutes;
  std::string start_hour;
  std::string start_minute;
  // Per mat (kMaxMats rows, of which the first `mats` count): the lightest and heaviest
  // weight class it takes; both blank for every class.
  struct ClassRow {
    std::string from, to;
  };
  std::vector<ClassRow> classes;

  bool Ok();
  bool Cancel() { return true; }
  // True once OK stored the settings.
  bool accepted() const { return accepted_; }

 private:
  schedule::MatSettings& settings_;
  FileSystem& fs_;
  MessagePort& messages_;
  bool accepted_ = false;
};

}  // namespace kestrio::ui
