#include "pairing/measure_text.h"

#include <cstdint>

#include "base/number_text.h"

namespace kestrio::pairing {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A number as the roster keeps it, "     72.50": blanks, an optional minus, up to seven
// whole digits, a period, two decimals and blanks. Read at once, with the same two
// divisions of exact operands as the general readers; anything else, "-0.00" included,
// goes their way. Every wrestler's three measures pass here at the start of a run.
std::optional<Measure> ReadKeptMeasure(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  const bool negative = i < text.size() && text[i] == '-';
  if (negative) ++i;
  const std::size_t whole_begin = i;
  std::uint32_t digits = 0;
  for (; i < text.size() && IsDigit(text[i]) && i - whole_begin < 7; ++i) {
    digits = digits * 10 + static_cast<std::uint32_t>(text[i] - '0');
  }
  if (i == whole_begin || i + 3 > text.size() || text[i] != '.' || !IsDigit(text[i + 1]) ||
      !IsDigit(text[i + 2])) {
    return std::nullopt;
  }
  digits = digits * 100 + static_cast<std::uint32_t>(text[i + 1] - '0') * 10 +
           static_cast<std::uint32_t>(text[i + 2] - '0');
  for (std::size_t k = i + 3; k < text.size(); ++k) {
    if (text[k] != ' ') return std::nullopt;
  }
  if (digits >= (std::uint32_t{1} << 24) || (negative && digits == 0)) return std::nullopt;
  const float shown = static_cast<float>(digits) / 100.0f;
  const double exact = static_cast<double>(digits) / 100.0;
  return Measure{negative ? -shown : shown, negative ? -exact : exact};
}

}  // namespace

std::optional<Measure> ReadMeasure(std::string_view text) {
  if (const std::optional<Measure> kept = ReadKeptMeasure(text)) return kept;
  const auto both = text::ReadFloatAndDouble(text);
  if (!both) return std::nullopt;
  return Measure{both->first, both->second};
}

}  // namespace kestrio::pairing
