#pragma once

// The organiser's mat settings, kept between days in "Tandrel_MatSettings.txt" beside
// the pairing-control file (whose format they leave alone):
//
//   $mats
//   Mats        = 4
//   Rest        = 3
//   BoutMinutes = 5
//   StartTime   = 09:00
//   Mat1        = 0-60
//   $end
//
// One "Key = value" per line, keys in any case; a "MatN" line limits mat N to a range of
// weight classes (both ends included), and a mat without one takes every class. Blank
// lines and lines starting with '#' are skipped. Lines end with CR LF when the program
// writes them; a bare LF reads as well.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_system.h"
#include "schedule/mat_schedule.h"

namespace kestrio::schedule {

inline constexpr std::string_view kMatSettingsFileName = "Tandrel_MatSettings.txt";

// What the settings accept.
inline constexpr int kMaxRest = 50;
inline constexpr int kMaxBoutMinutes = 120;
inline constexpr std::int32_t kMaxWeightClass = 9999;
// A settings file larger than this is refused unread.
inline constexpr std::size_t kMaxMatSettingsBytes = 64 * 1024;

struct MatSettings {
  // Mats in use, 1 to kMaxMats.
  int Mats = 4;
  // Other slots that lie at least between two bouts of one wrestler, 0 to kMaxRest.
  int Rest = 3;
  // Length of a slot, 1 to kMaxBoutMinutes.
  int BoutMinutes = 5;
  // When the first slot starts, in minutes after midnight (9:00 is 540).
  int StartMinutes = 9 * 60;
  // Per mat, 0-based; mats past the end take every class.
  std::vector<MatClasses> Classes;

  friend bool operator==(const MatSettings&, const MatSettings&) = default;
};

// The scheduler's rules for these settings.
ScheduleRules RulesOf(const MatSettings& settings);

// "HH:MM" for minutes after midnight, the clock going round past midnight.
std::string ClockText(int minutes);
// Minutes after midnight for "H:MM" or "HH:MM" (00:00 to 23:59); empty otherwise.
std::optional<int> ReadClock(std::string_view text);
// The start of a 0-based slot, in minutes after midnight of the first day.
inline int SlotStart(const MatSettings& settings, int slot) {
  return settings.StartMinutes + slot * settings.BoutMinutes;
}

// A weight-class range as the file and the dialog write it ("0-60"), and its read.
std::string RangeText(const ClassRange& range);
std::optional<ClassRange> ReadRange(std::string_view text);

// The file's text, lines ended by CR LF.
std::string FormatMatSettings(const MatSettings& settings);

// Reads the settings from text into *settings; keys left out keep their defaults. An
// unknown key, a value out of range, a range for a mat past Mats or a missing "$mats" or
// "$end" gives an error naming file_name and the line, and leaves *settings as it was.
// Errors with the settings file have the kind of a bad control file (kBadControlFile):
// they are the control values of the mats.
Status ParseMatSettings(std::string_view text, const std::string& file_name, MatSettings* settings);

// *settings becomes the defaults, then the file in the working directory is read when it
// exists. An error leaves the defaults.
Status LoadMatSettings(FileSystem& fs, MatSettings* settings);

// Replaces the file in the working directory with these settings.
Status WriteMatSettings(FileSystem& fs, const MatSettings& settings);

}  // namespace kestrio::schedule
