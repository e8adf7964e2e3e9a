#pragma once

// Fixed-length, blank-padded texts: the form every roster and report text takes.
// Texts are bytes (single-byte characters); nothing here knows about encodings.

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace kestrio::text {

// Drops trailing blanks ("trim").
std::string_view TrimTrailing(std::string_view s);

// Drops leading blanks.
std::string_view WithoutLeadingBlanks(std::string_view s);

// Drops leading and trailing blanks; inner blanks stay ("without blanks").
std::string_view WithoutBlanks(std::string_view s);

// Moves the leading blanks to the end, keeping the length ("left-adjust").
std::string LeftAdjust(std::string_view s);

// Cuts s to width or pads it with blanks on the right.
std::string PadRight(std::string_view s, std::size_t width);

// Right-aligns s in width (blanks on the left); a longer text keeps its first width characters.
std::string PadLeft(std::string_view s, std::size_t width);

// Turns every byte below 32 into a blank, in place.
void ControlsToBlanks(std::string& s);

// Equality of texts compared without blanks, the shorter counting as padded with blanks.
bool EqualWithoutBlanks(std::string_view a, std::string_view b);

// Three-way byte comparison (unsigned) of two texts, the shorter one counting as padded
// with blanks. Returns <0, 0 or >0.
int ComparePadded(std::string_view a, std::string_view b);

// A text of exactly N single-byte characters, blank-padded.
template <std::size_t N>
class FixedText {
 public:
  static constexpr std::size_t kWidth = N;

  FixedText() { chars_.fill(' '); }
  // Takes the first N characters of s, padding with blanks.
  explicit FixedText(std::string_view s) { Assign(s); }

  void Assign(std::string_view s) {
    const std::size_t n = std::min(s.size(), N);
    std::copy_n(s.data(), n, chars_.data());
    std::fill(chars_.begin() + n, chars_.end(), ' ');
  }
  void Clear() { chars_.fill(' '); }

  // All N characters, padding included.
  std::string_view view() const { return {chars_.data(), N}; }
  std::string str() const { return std::string(view()); }
  char* data() { return chars_.data(); }
  const char* data() const { return chars_.data(); }
  static constexpr std::size_t size() { return N; }

  std::string_view Trimmed() const { return TrimTrailing(view()); }
  std::string_view WithoutBlanks() const { return text::WithoutBlanks(view()); }
  bool IsBlank() const { return Trimmed().empty(); }

  friend bool operator==(const FixedText& a, const FixedText& b) { return a.chars_ == b.chars_; }

 private:
  std::array<char, N> chars_;
};

}  // namespace kestrio::text
