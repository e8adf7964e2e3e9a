#include "roster/fixed_text.h"

namespace kestrio::text {

std::string_view TrimTrailing(std::string_view s) {
  const auto end = s.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : s.substr(0, end + 1);
}

std::string_view WithoutBlanks(std::string_view s) {
  const auto begin = s.find_first_not_of(' ');
  if (begin == std::string_view::npos) return {};
  return TrimTrailing(s.substr(begin));
}

std::string LeftAdjust(std::string_view s) {
  const auto begin = s.find_first_not_of(' ');
  if (begin == std::string_view::npos) return std::string(s.size(), ' ');
  std::string out(s.substr(begin));
  out.append(begin, ' ');
  return out;
}

std::string PadRight(std::string_view s, std::size_t width) {
  std::string out(s.substr(0, width));
  out.resize(width, ' ');
  return out;
}

std::string PadLeft(std::string_view s, std::size_t width) {
  if (s.size() >= width) return std::string(s.substr(0, width));
  std::string out(width - s.size(), ' ');
  out.append(s);
  return out;
}

void ControlsToBlanks(std::string& s) {
  for (char& c : s) {
    if (static_cast<unsigned char>(c) < 32) c = ' ';
  }
}

bool EqualWithoutBlanks(std::string_view a, std::string_view b) {
  return WithoutBlanks(a) == WithoutBlanks(b);
}

int ComparePadded(std::string_view a, std::string_view b) {
  const std::size_t n = std::max(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(i < a.size() ? a[i] : ' ');
    const auto cb = static_cast<unsigned char>(i < b.size() ? b[i] : ' ');
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return 0;
}

}  // namespace kestrio::text
