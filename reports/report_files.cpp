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

bool ClearReportFiles(FileSystem& fs) {
  RemoveIfPresent(fs, kResultsSummaryName);
  RemoveIfPresent(fs, kByHandName);

  bool writable = true;
  const std::string bout_sheets(kBoutSheetsName);
  if (fs.Exists(bout_sheets)) {
    if (fs.CanOpenForWriting(bout_sheets)) {
      (void)fs.Remove(bout_sheets);
    } else {
      writable = false;
    }
  }

  RemoveIfPresent(fs, kBoutsByClubName);
  RemoveIfPresent(fs, kBoutsByBoutNumberName);
  return writable;
}

}  // namespace kestrio::reports
