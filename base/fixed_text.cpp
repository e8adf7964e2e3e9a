#include "base/fixed_text.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace kestrio::text {

namespace {

constexpr std::uint64_t kEightBlanks = 0x2020202020202020ULL;

// Every field of every entry a roster brings in, a report shows or the board keeps is
// trimmed: the blanks are skipped eight at a time. Where the machine stores a word's
// first byte lowest, the blanks nearest the text are counted in the word too.
constexpr bool kFirstByteLowest = std::endian::native == std::endian::little;

// The eight characters at p, as a word in which a zero byte stands for a blank.
std::uint64_t NotBlanks(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word ^ kEightBlanks;
}

}  // namespace

std::string_view TrimTrailing(std::string_view s) {
  std::size_t n = s.size();
  while (n >= 8) {
    const std::uint64_t others = NotBlanks(s.data() + n - 8);
    if (others != 0) {
      // The word's last character is its highest byte.
      if constexpr (kFirstByteLowest) return s.substr(0, n - std::countl_zero(others) / 8);
      break;
    }
    n -= 8;
  }
  while (n > 0 && s[n - 1] == ' ') --n;
  return s.substr(0, n);
}

std::string_view WithoutLeadingBlanks(std::string_view s) {
  std::size_t begin = 0;
  while (begin + 8 <= s.size()) {
    const std::uint64_t others = NotBlanks(s.data() + begin);
    if (others != 0) {
      if constexpr (kFirstByteLowest) return s.substr(begin + std::countr_zero(others) / 8);
      break;
    }
    begin += 8;
  }
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
