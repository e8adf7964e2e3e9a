#pragma once

// The mat schedule of a run's bouts and what is printed from it: the schedule per mat
// ("Tandrel-MatSchedule.txt"), each club's wrestlers with their times, mats and opponents
// ("Tandrel-ScheduleByClub.txt"), and the bouts in the order their sheets are printed.
//
// The writers return whole file texts with CR LF line ends and expect a run that passes
// CheckBoutTables. Names and clubs are the roster's bytes; columns count bytes, and a
// name cut to its column is never cut inside a UTF-8 character.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_system.h"
#include "pairing/pairing_run.h"
#include "reports/report_files.h"
#include "schedule/mat_schedule.h"
#include "schedule/mat_settings.h"

namespace kestrio::reports {

// The run's bouts in rising order of their numbers (BoutOrder: a board edited after the
// run leaves gaps), each with its round and both sides' selection indices, the chooser
// first.
std::vector<schedule::ScheduleBout> BoutsOfRun(const pairing::PairingRun& run);

// A run's bouts scheduled on the mats with the settings that made the schedule.
struct MatDay {
  schedule::MatSettings settings;
  std::vector<schedule::ScheduleBout> bouts;
  schedule::MatSchedule schedule;
};

// Schedules the run's bouts with settings. For a bout board, run is board::BoardRun of
// it: day.bouts[i] is then the board's bout at place run.BoutOrder[i].
MatDay ScheduleRun(const pairing::PairingRun& run, const schedule::MatSettings& settings);

// The index in day.bouts of the bout numbered number (either sign), or -1 when the day
// has no such bout; the bouts are kept in rising order of their numbers.
int FindScheduledBout(const MatDay& day, std::int32_t number);
// Where and when bout i of the day (an index into day.bouts) is wrestled: its mat from 1
// and its start as "HH:MM".
int MatOfBout(const MatDay& day, int i);
std::string StartOfBout(const MatDay& day, int i);

std::string WriteMatSchedule(const pairing::PairingRun& run, const MatDay& day);
std::string WriteScheduleByClub(const pairing::PairingRun& run, const MatDay& day);

// Writes both schedule reports into the working directory, holding the folder's lock.
// Returns the first failure, each file that could not be written named; *written lists
// the files written in full.
Status WriteScheduleReports(FileSystem& fs, const pairing::PairingRun& run, const MatDay& day,
                            std::vector<std::string>* written);

// One wrestler of a bout sheet, without leading and trailing blanks.
struct SheetWrestler {
  std::string LastName, FirstName, Club;
  float Weight = 0;
};

// One bout sheet. Mat and Slot are -1 without a schedule.
struct SheetBout {
  std::int32_t Number = 0;
  int Round = 1;
  std::int32_t WeightClass = 0;
  int Mat = -1;
  int Slot = -1;
  // The start as "HH:MM", empty without a schedule.
  std::string Time;
  SheetWrestler Wrestler[2];
};

// The run's bouts in the order their sheets are printed: by mat, then slot, when day is
// given; else by bout number.
std::vector<SheetBout> SheetsInOrder(const pairing::PairingRun& run, const MatDay* day);

}  // namespace kestrio::reports
