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

constexpr std::string_view kClubFilePrefix = "Tandrel-BoutsFor";
constexpr std::string_view kClubFileSuffix = ".txt";

}  // namespace

std::string ClubFileName(std::string_view club) {
  std::string name(kClubFilePrefix);
  for (char c : text::WithoutBlanks(club)) name += AllowedInFileName(c) ? c : '_';
  name += kClubFileSuffix;
  return name;
}

bool IsClubFileName(std::string_view name) {
  if (name.size() < kClubFilePrefix.size() + kClubFileSuffix.size() ||
      name.substr(0, kClubFilePrefix.size()) != kClubFilePrefix ||
      name.substr(name.size() - kClubFileSuffix.size()) != kClubFileSuffix) {
    return false;
  }
  for (char c : name) {
    if (!AllowedInFileName(c)) return false;
  }
  return true;
}

std::vector<std::string> ReadClubFileList(FileSystem& fs) {
  std::vector<std::string> names;
  std::string text;
  // A name a line for every club of the roster: a list beyond the bound is not ours.
  constexpr std::size_t kMaxListBytes = std::size_t{16} << 20;
  if (!fs.ReadFile(std::string(kClubFileListName), kMaxListBytes, &text).ok()) return names;
  std::string_view rest = text;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (IsClubFileName(line)) names.emplace_back(line);
  }
  return names;
}

std::string ClubFileListText(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text.append(name).append("\r\n");
  return text;
}

namespace {

// The previous run's per-club files, then the list that named them.
void RemoveListedClubFiles(FileSystem& fs) {
  for (const std::string& name : ReadClubFileList(fs)) {
    if (fs.IsRegularFile(name)) (void)fs.Remove(name);
  }
  RemoveIfPresent(fs, kClubFileListName);
}

}  // namespace

ReportCleanUp ClearReportFiles(FileSystem& fs) {
  ReportCleanUp result;
  // An empty folder, a device or a pipe named like a report is the organiser's, not the
  // program's: it is named, never removed, and nothing else is touched either.
  for (std::string_view name : {kResultsSummaryName, kByHandName, kBoutSheetsName, kBoutsByClubName,
                                kClubFileListName, kBoutsByBoutNumberName}) {
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
  RemoveListedClubFiles(fs);
  RemoveIfPresent(fs, kBoutsByBoutNumberName);
  RemoveIfPresent(fs, kMatScheduleName);
  RemoveIfPresent(fs, kScheduleByClubName);
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
