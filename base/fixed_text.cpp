#include "base/fixed_text.h"

#include <cstdint>
#include <cstring>

namespace kestrio::text {

// Plain loops: these run for every field of every entry a roster file brings in, and
// find_last_not_of tests each byte against a set.
std::string_view TrimTrailing(std::string_view s) {
  std::size_t n = s.size();
  // Stored fields end in long runs of padding: eight blanks at a time first.
  constexpr std::uint64_t kEightBlanks = 0x2020202020202020ULL;
  while (n >= 8) {
    std::uint64_t word;
    std::memcpy(&word, s.data() + n - 8, sizeof word);
    if (word != kEightBlanks) break;
    n -= 8;
  }
  while (n > 0 && s[n - 1] == ' ') --n;
  return s.substr(0, n);
}

std::string_view WithoutLeadingBlanks(std::string_view s) {
  std::size_t begin = 0;
  while (begin < s.size() && s[begin] == ' ') ++begin;
  return s.substr(begin);
}

std::string_view WithoutBlanks(std::string_view s) { return TrimTrailing(WithoutLeadingBlanks(s)); }

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
  // The common part in one go, then the longer text's tail against the padding.
  const std::size_t common = std::min(a.size(), b.size());
  if (common > 0) {
    if (int c = std::memcmp(a.data(), b.data(), common); c != 0) return c < 0 ? -1 : 1;
  }
  const std::string_view tail = a.size() > common ? a.substr(common) : b.substr(common);
  const int sign = a.size() > common ? 1 : -1;
  for (char ch : tail) {
    if (ch != ' ')
      return static_cast<unsigned char>(ch) > static_cast<unsigned char>(' ') ? sign : -sign;
  }
  return 0;
}

}  // namespace kestrio::text
