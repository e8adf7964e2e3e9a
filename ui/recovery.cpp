#include "ui/recovery.h"

#include <charconv>
#include <cstdint>
#include <cstdio>

namespace kestrio::ui {
namespace {

constexpr std::string_view kHeader = "Kestrio recovery\t1\n";

std::string Escape(std::string_view s) {
  std::string out;
  for (const char c : s) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out;
}

std::string Unescape(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 == s.size()) {
      out += s[i];
      continue;
    }
    const char c = s[++i];
    out += c == 't' ? '\t' : c == 'r' ? '\r' : c == 'n' ? '\n' : c;
  }
  return out;
}

// Reads "<name>\t<value>\n" from text at *at.
bool ReadLine(std::string_view text, std::size_t* at, std::string_view name,
              std::string_view* value) {
  const std::size_t end = text.find('\n', *at);
  if (end == std::string_view::npos) return false;
  const std::string_view line = text.substr(*at, end - *at);
  if (line.substr(0, name.size()) != name || line.size() <= name.size() ||
      line[name.size()] != '\t') {
    return false;
  }
  *value = line.substr(name.size() + 1);
  *at = end + 1;
  return true;
}

bool ReadBlock(std::string_view text, std::size_t* at, std::string_view name, std::string* out) {
  std::string_view count_text;
  if (!ReadLine(text, at, name, &count_text)) return false;
  std::size_t count = 0;
  const auto r = std::from_chars(count_text.data(), count_text.data() + count_text.size(), count);
  if (r.ec != std::errc() || r.ptr != count_text.data() + count_text.size()) return false;
  if (text.size() - *at < count) return false;
  *out = std::string(text.substr(*at, count));
  *at += count;
  return true;
}

}  // namespace

std::string RecoveryPath(std::string_view folder, std::string_view working_directory) {
  // FNV-1a: stable across runs and machines, unlike std::hash.
  std::uint64_t hash = 1469598103934665603ull;
  for (const char c : working_directory) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  char name[64];
  std::snprintf(name, sizeof name, "Kestrio-Recovery-%016llx.txt",
                static_cast<unsigned long long>(hash));
  std::string path(folder);
  if (!path.empty() && path.back() != '/') path += '/';
  return path + name;
}

std::string FormatRecovery(const RecoveryCopy& copy) {
  std::string out(kHeader);
  out += "WorkingDirectory\t" + Escape(copy.working_directory) + "\n";
  out += "DataFile\t" + Escape(copy.data_file) + "\n";
  out += "View\t" + std::to_string(copy.sort_column) + "\t" + (copy.project_saved ? "1" : "0") +
         "\t" + (copy.pairing_done ? "1" : "0") + "\n";
  out += "Roster\t" + std::to_string(copy.roster_text.size()) + "\n" + copy.roster_text;
  out += "Board\t" + std::to_string(copy.board_text.size()) + "\n" + copy.board_text;
  out += "End\n";
  return out;
}

Status ParseRecovery(std::string_view text, RecoveryCopy* copy) {
  const Status bad = Status::BadBoardFile("The recovery copy is damaged.");
  if (text.substr(0, kHeader.size()) != kHeader) return bad;
  std::size_t at = kHeader.size();
  RecoveryCopy c;
  std::string_view value;
  if (!ReadLine(text, &at, "WorkingDirectory", &value)) return bad;
  c.working_directory = Unescape(value);
  if (!ReadLine(text, &at, "DataFile", &value)) return bad;
  c.data_file = Unescape(value);
  if (!ReadLine(text, &at, "View", &value) || value.size() < 5) return bad;
  const std::size_t tab = value.find('\t');
  if (tab == std::string_view::npos || value.size() != tab + 4) return bad;
  const auto r = std::from_chars(value.data(), value.data() + tab, c.sort_column);
  if (r.ec != std::errc() || r.ptr != value.data() + tab) return bad;
  c.project_saved = value[tab + 1] == '1';
  c.pairing_done = value[tab + 3] == '1';
  if (!ReadBlock(text, &at, "Roster", &c.roster_text)) return bad;
  if (!ReadBlock(text, &at, "Board", &c.board_text)) return bad;
  if (text.substr(at) != "End\n") return bad;
  *copy = std::move(c);
  return Status::Ok();
}

}  // namespace kestrio::ui
