#include "pairing/measure_text.h"

#include <cstdint>

#include "base/number_text.h"

namespace kestrio::pairing {
namespace {

// Powers of ten that a float (up to 10^10) or a double (up to 10^22) holds exactly.
constexpr float kFloatPowers[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f,
                                  1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
constexpr double kDoublePowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                    1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                    1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// A plain decimal [-]digits[.digits] with at most 15 digits, as whole digits and the
// number of decimals; false for anything else (sign '+', exponent, too many digits).
bool SplitDecimal(std::string_view token, bool* negative, std::uint64_t* digits, int* decimals) {
  std::size_t i = 0;
  *negative = !token.empty() && token[0] == '-';
  if (*negative) ++i;
  std::uint64_t value = 0;
  int count = 0;
  int after_point = -1;
  for (; i < token.size(); ++i) {
    const char c = token[i];
    if (c == '.' && after_point < 0) {
      after_point = 0;
      continue;
    }
    if (c < '0' || c > '9' || ++count > 15) return false;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
    if (after_point >= 0) ++after_point;
  }
  *digits = value;
  *decimals = after_point < 0 ? 0 : after_point;
  return count > 0;
}

}  // namespace

std::optional<Measure> ReadMeasure(std::string_view text) {
  const std::optional<std::string_view> token = text::NumberToken(text);
  if (!token) return std::nullopt;
  bool negative = false;
  std::uint64_t digits = 0;
  int decimals = 0;
  // A whole number and a power of ten both held exactly, divided once: IEEE division
  // rounds the true quotient once, as reading the decimal text does.
  if (SplitDecimal(*token, &negative, &digits, &decimals) && digits < (1u << 24) &&
      decimals <= 10) {
    Measure m;
    m.Shown = static_cast<float>(digits) / kFloatPowers[decimals];
    m.Exact = static_cast<double>(digits) / kDoublePowers[decimals];
    // "-0.00" reads as 0, as the readers take it.
    if (negative && digits != 0) {
      m.Shown = -m.Shown;
      m.Exact = -m.Exact;
    }
    return m;
  }
  const std::optional<float> shown = text::ReadFloat(text);
  const std::optional<double> exact = text::ReadDouble(text);
  if (!shown || !exact) return std::nullopt;
  return Measure{*shown, *exact};
}

}  // namespace kestrio::pairing
