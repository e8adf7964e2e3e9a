#include "reports/report_files.h"

#include "base/fixed_text.h"

namespace kestrio::reports {
namespace {

bool AllowedInFileName(char c) {
  if (static_cast<unsigned char>(c) < 32 || c == 127) return false;
  switch (c) {
    case '/':
    case '\\':
    case ':':
    case '*':
    case '?':
    case '"':
    case '<':
    case '>':
    case '|':
      return false;
    default:
      return true;
  }
}

void RemoveIfPresent(FileSystem& fs, std::string_view name) {
  const std::string path(name);
  // A failed removal is not fatal here: the writer later replaces the file or names it
  // in the run's failure.
  if (fs.Exists(path)) (void)fs.Remove(path);
}

}  // namespace

std::string ClubFileName(std::string_view club) {
  std::string name = "Tandrel-BoutsFor";
  for (char c : text::WithoutBlanks(club)) name += AllowedInFileName(c) ? c : '_';
  name += ".txt";
  return name;
}

ReportCleanUp ClearReportFiles(FileSystem& fs) {
  ReportCleanUp result;
  // An empty folder, a device or a pipe named like a report is the organiser's, not the
  // program's: it is named, never removed, and nothing else is touched either.
  for (std::string_view name : {kResultsSummaryName, kByHandName, kBoutSheetsName, kBoutsByClubName,
                                kBoutsByBoutNumberName}) {
    const std::string path(name);
    if (fs.Exists(path) && !fs.IsRegularFile(path)) result.InTheWay.push_back(path);
  }
  if (!result.InTheWay.empty()) return result;

  RemoveIfPresent(fs, kResultsSummaryName);
  RemoveIfPresent(fs, kByHandName);

  const std::string bout_sheets(kBoutSheetsName);
  if (fs.Exists(bout_sheets)) {
    const Status writable = fs.CanOpenForWriting(bout_sheets);
    if (writable.ok()) {
      (void)fs.Remove(bout_sheets);
    } else if (writable.IsHeldOpen()) {
      result.BoutSheetsWritable = false;
    } else {
      result.BoutSheetsRefused = writable;
    }
  }

  RemoveIfPresent(fs, kBoutsByClubName);
  RemoveIfPresent(fs, kBoutsByBoutNumberName);
  return result;
}

std::string InTheWayMessage(const std::vector<std::string>& names) {
  std::string list;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) list += i + 1 == names.size() ? " and " : ", ";
    list += names[i];
  }
  const bool one = names.size() == 1;
  return "Cannot write the reports: " + list + (one ? " is" : " are") + " in the way, not " +
         (one ? "a report file" : "report files") + " that Kestrio wrote. Move or rename " +
         (one ? "it" : "them") + " and run again.";
}

}  // namespace kestrio::reports
