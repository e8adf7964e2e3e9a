#pragma once

// The report files of a pairing run, all in the working directory, and the clean-up
// that removes the previous run's files before a new run.

#include <string>
#include <string_view>
#include <vector>

#include "base/file_system.h"

namespace kestrio::reports {

inline constexpr std::string_view kBoutSheetsName = "Tandrel-PairingBoutsheets.txt";
inline constexpr std::string_view kResultsSummaryName = "Tandrel-PairingResults.txt";
inline constexpr std::string_view kByHandName = "Tandrel-PairingByhand.txt";
inline constexpr std::string_view kBoutsByClubName = "Tandrel-BoutsByClub.txt";
inline constexpr std::string_view kBoutsByBoutNumberName = "Tandrel-BoutsByBoutNumber.txt";
// Written by Tandrel > Compare Engines, not by a run; the run's clean-up leaves it.
inline constexpr std::string_view kEngineComparisonName = "Tandrel-EngineComparison.txt";
// Written by Schedule Mats after a run; the next run's clean-up removes them, as they
// describe the bouts that run replaces.
inline constexpr std::string_view kMatScheduleName = "Tandrel-MatSchedule.txt";
inline constexpr std::string_view kScheduleByClubName = "Tandrel-ScheduleByClub.txt";

// The name of a club's own report: "Tandrel-BoutsFor" + club + ".txt", the club taken
// without leading and trailing blanks (inner blanks stay). A club is the organiser's free
// text, so every character that Windows or Linux does not allow in a file name
// (/ \ : * ? " < > | and control characters) becomes "_"; with the fixed prefix and
// suffix the name is then always a plain file in the working directory, whatever the
// club is called ("..", "../x", "C:").
std::string ClubFileName(std::string_view club);

// True for a name ClubFileName can give: "Tandrel-BoutsFor", characters allowed in a
// file name, ".txt". Nothing else is ever removed as a per-club file.
bool IsClubFileName(std::string_view name);

// The per-club files the last run wrote, one name a line (CR LF), kept beside the
// reports so that the next run's clean-up removes exactly those, also after a restart.
inline constexpr std::string_view kClubFileListName = "Tandrel-ClubFileList.txt";

// The names in the list that are per-club file names (IsClubFileName); the list is a
// plain file in the organiser's folder, so anything else in it is ignored. Empty when
// there is no list.
std::vector<std::string> ReadClubFileList(FileSystem& fs);
// The list's text.
std::string ClubFileListText(const std::vector<std::string>& names);

struct ReportCleanUp {
  // False when the bout-sheet file exists but cannot be opened for writing (a mail merge
  // holds it); that file is then left untouched, while the others are still removed.
  bool BoutSheetsWritable = true;
  // Any other reason the bout-sheet file cannot be replaced (a read-only disk, no
  // permission), naming the file; the file is left untouched and the run must not go on.
  Status BoutSheetsRefused = Status::Ok();
  // Report names taken by something that is not a file (a folder, a device, a pipe):
  // such a thing is never removed. When any is found, nothing at all is removed and the
  // run must not go on; the names are listed in the fixed report order.
  std::vector<std::string> InTheWay;
};

// Removes the previous run's results, by-hand, bout-sheet, by-club, per-club (those in
// the list, then the list itself) and by-bout-number files, in that order, then the mat
// schedule's two files; only files are removed. Per-club files of clubs no longer present
// go too, so that "By Club" never shows an earlier run's file. A file that cannot be
// removed is left for the report
// writer, which replaces it or reports that it cannot.
ReportCleanUp ClearReportFiles(FileSystem& fs);

// The message for report names in the way, naming each.
std::string InTheWayMessage(const std::vector<std::string>& names);

}  // namespace kestrio::reports
