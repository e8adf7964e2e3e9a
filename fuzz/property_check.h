#pragma once

// The properties each fuzz target checks, shared with the regression tests that replay
// the seed corpora and every input a fuzzer once found to fail (tests/fault_fuzz_*).
//
// A check returns the first property an input violates, described for a person, or an
// empty text when the input is handled soundly. The fuzz targets abort on a violation so
// that libFuzzer keeps the input; the tests report it as a failure instead.

#include <string>
#include <string_view>

namespace kestrio::fuzz {

// Collects the first violated property of one input.
class Violations {
 public:
  // Records what when the property does not hold; later violations are dropped, since
  // they usually follow from the first.
  void Expect(bool holds, std::string_view what) {
    if (!holds && first_.empty()) first_ = std::string(what);
  }
  bool any() const { return !first_.empty(); }
  const std::string& first() const { return first_; }

 private:
  std::string first_;
};

// Shows bytes of an input in a message: printable ASCII as is, the rest escaped.
inline std::string Printable(std::string_view bytes, std::size_t limit = 120) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  for (std::size_t i = 0; i < bytes.size() && i < limit; ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c >= 32 && c < 127 && c != '\\') {
      out += static_cast<char>(c);
    } else {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  if (bytes.size() > limit) out += "...";
  return out;
}

}  // namespace kestrio::fuzz
