#include "schedule/mat_settings.h"

#include <cstdint>
#include <string>

#include "base/fixed_text.h"
#include "base/number_text.h"

namespace kestrio::schedule {
namespace {

constexpr int kLabelWidth = 12;

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::optional<std::int64_t> WholeNumber(std::string_view text) {
  text = text::WithoutBlanks(text);
  if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) return {};
  return text::ReadInteger(text);
}

// At most 60 characters of a line, bytes that do not print shown as \xNN.
std::string Quoted(std::string_view line) {
  std::string out = "\"";
  for (char c : line.substr(0, 60)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 32 && byte < 127) {
      out += c;
    } else {
      static constexpr char kHex[] = "0123456789ABCDEF";
      out += {'\\', 'x', kHex[byte >> 4], kHex[byte & 15]};
    }
  }
  return out + (line.size() > 60 ? "...\"" : "\"");
}

// The mat number of a "MatN" key, or 0 for any other key.
int MatKey(std::string_view key) {
  if (key.size() < 4 || !EqualIgnoringCase(key.substr(0, 3), "mat")) return 0;
  const auto n = WholeNumber(key.substr(3));
  return n && *n >= 1 && *n <= kMaxMats ? static_cast<int>(*n) : 0;
}

// Applies one "key = value" line; returns what is wrong with it, or nothing.
std::string Apply(std::string_view key, std::string_view value, MatSettings& s) {
  const auto number = WholeNumber(value);
  const auto within = [&](int low, int high, int* field, const char* what) -> std::string {
    if (!number || *number < low || *number > high)
      return std::string(what) + " must be a whole number from " + std::to_string(low) + " to " +
             std::to_string(high);
    *field = static_cast<int>(*number);
    return {};
  };
  if (EqualIgnoringCase(key, "Mats")) return within(1, kMaxMats, &s.Mats, "Mats");
  if (EqualIgnoringCase(key, "Rest")) return within(0, kMaxRest, &s.Rest, "Rest");
  if (EqualIgnoringCase(key, "BoutMinutes"))
    return within(1, kMaxBoutMinutes, &s.BoutMinutes, "BoutMinutes");
  if (EqualIgnoringCase(key, "StartTime")) {
    const auto clock = ReadClock(text::WithoutBlanks(value));
    if (!clock) return "StartTime must be a time from 00:00 to 23:59";
    s.StartMinutes = *clock;
    return {};
  }
  if (const int mat = MatKey(key); mat > 0) {
    const auto range = ReadRange(value);
    if (!range) return "a mat's weight classes must read like 0-60";
    if (s.Classes.size() < static_cast<std::size_t>(mat))
      s.Classes.resize(static_cast<std::size_t>(mat));
    s.Classes[static_cast<std::size_t>(mat) - 1] = {true, *range};
    return {};
  }
  return "unknown key";
}

}  // namespace

ScheduleRules RulesOf(const MatSettings& settings) {
  ScheduleRules rules;
  rules.Mats = settings.Mats;
  rules.Rest = settings.Rest;
  rules.Classes = settings.Classes;
  return rules;
}

std::string ClockText(int minutes) {
  minutes = ((minutes % 1440) + 1440) % 1440;
  const char text[] = {
      static_cast<char>('0' + minutes / 600), static_cast<char>('0' + minutes / 60 % 10), ':',
      static_cast<char>('0' + minutes % 60 / 10), static_cast<char>('0' + minutes % 10)};
  return std::string(text, sizeof text);
}

std::optional<int> ReadClock(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon == 0 || colon > 2 || text.size() != colon + 3)
    return {};
  const auto hours = WholeNumber(text.substr(0, colon));
  const auto minutes = WholeNumber(text.substr(colon + 1));
  if (!hours || !minutes || *hours > 23 || *minutes > 59) return {};
  return static_cast<int>(*hours * 60 + *minutes);
}

std::string RangeText(const ClassRange& range) {
  return std::to_string(range.Low) + "-" + std::to_string(range.High);
}

std::optional<ClassRange> ReadRange(std::string_view text) {
  text = text::WithoutBlanks(text);
  const std::size_t dash = text.find('-');
  if (dash == std::string_view::npos) return {};
  const auto low = WholeNumber(text.substr(0, dash));
  const auto high = WholeNumber(text.substr(dash + 1));
  if (!low || !high || *low > *high || *high > kMaxWeightClass) return {};
  return ClassRange{static_cast<std::int32_t>(*low), static_cast<std::int32_t>(*high)};
}

std::string FormatMatSettings(const MatSettings& settings) {
  std::string out = "$mats\r\n";
  const auto line = [&](std::string_view key, const std::string& value) {
    out += text::PadRight(key, kLabelWidth);
    out += "= " + value + "\r\n";
  };
  line("Mats", std::to_string(settings.Mats));
  line("Rest", std::to_string(settings.Rest));
  line("BoutMinutes", std::to_string(settings.BoutMinutes));
  line("StartTime", ClockText(settings.StartMinutes));
  for (std::size_t m = 0; m < settings.Classes.size(); ++m)
    if (settings.Classes[m].Limited)
      line("Mat" + std::to_string(m + 1), RangeText(settings.Classes[m].Range));
  out += "$end\r\n";
  return out;
}

Status ParseMatSettings(std::string_view text, const std::string& file_name,
                        MatSettings* settings) {
  const auto fail = [&](int line, std::string_view content, const std::string& why) {
    return Status::BadControlFile("Error in file " + file_name + ", line " + std::to_string(line) +
                                  " " + Quoted(content) + ": " + why);
  };
  if (text.size() > kMaxMatSettingsBytes)
    return Status::BadControlFile("Error in file " + file_name +
                                  ": larger than a settings file can be");
  MatSettings read = *settings;
  bool opened = false;
  int number = 0;
  for (std::size_t begin = 0; begin < text.size();) {
    std::size_t end = text.find('\n', begin);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view raw = text.substr(begin, end - begin);
    const std::string_view line =
        text::WithoutBlanks(raw.substr(0, raw.find_last_not_of('\r') + 1));
    begin = end + 1;
    ++number;
    if (line.empty() || line.front() == '#') continue;
    if (!opened) {
      if (!EqualIgnoringCase(line, "$mats"))
        return fail(number, line, "the file must start with $mats");
      opened = true;
      continue;
    }
    if (EqualIgnoringCase(line, "$end")) {
      for (std::size_t m = static_cast<std::size_t>(read.Mats); m < read.Classes.size(); ++m)
        if (read.Classes[m].Limited)
          return fail(number, line,
                      "Mat" + std::to_string(m + 1) + " is past the " + std::to_string(read.Mats) +
                          " mats in use");
      read.Classes.resize(static_cast<std::size_t>(read.Mats));
      *settings = std::move(read);
      return Status::Ok();
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return fail(number, line, "expected Key = value");
    const std::string why =
        Apply(text::WithoutBlanks(line.substr(0, equals)), line.substr(equals + 1), read);
    if (!why.empty()) return fail(number, line, why);
  }
  return Status::BadControlFile("Error in file " + file_name + ": " +
                                (opened ? "$end is missing" : "$mats is missing"));
}

Status LoadMatSettings(FileSystem& fs, MatSettings* settings) {
  *settings = MatSettings();
  const std::string name(kMatSettingsFileName);
  if (!fs.Exists(name)) return Status::Ok();
  std::string contents;
  if (Status status = fs.ReadFile(name, kMaxMatSettingsBytes, &contents); !status.ok())
    return Status::BadControlFile("Error opening file " + name + " (" + status.message() + ")");
  return ParseMatSettings(contents, name, settings);
}

Status WriteMatSettings(FileSystem& fs, const MatSettings& settings) {
  const std::string name(kMatSettingsFileName);
  const Status status = fs.WriteFileAtomic(name, FormatMatSettings(settings), Links::kReplace);
  if (status.ok() || status.IsFolderBusy()) return status;
  return Status::BadControlFile("Error writing file " + name + " (" + status.message() + ")");
}

}  // namespace kestrio::schedule
