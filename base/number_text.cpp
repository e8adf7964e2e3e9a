#include "base/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>

#include "base/fixed_text.h"

namespace kestrio::text {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the run of digits starting at s[i].
std::size_t DigitsAt(std::string_view s, std::size_t i) {
  std::size_t n = 0;
  while (i + n < s.size() && IsDigit(s[i + n])) ++n;
  return n;
}

// True when token is [sign] (digits [. digits] | . digits) [(e|E|d|D) [sign] digits].
bool IsDecimalNumber(std::string_view token) {
  std::size_t i = 0;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) ++i;
  const std::size_t whole = DigitsAt(token, i);
  i += whole;
  std::size_t fraction = 0;
  if (i < token.size() && token[i] == '.') {
    ++i;
    fraction = DigitsAt(token, i);
    i += fraction;
  }
  if (whole == 0 && fraction == 0) return false;
  if (i < token.size() &&
      (token[i] == 'e' || token[i] == 'E' || token[i] == 'd' || token[i] == 'D')) {
    ++i;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) ++i;
    const std::size_t exponent = DigitsAt(token, i);
    if (exponent == 0) return false;
    i += exponent;
  }
  return i == token.size();
}

// The token in the spelling std::from_chars takes: no leading plus, 'e' as exponent letter.
std::string Canonical(std::string_view token) {
  if (!token.empty() && token.front() == '+') token.remove_prefix(1);
  std::string out(token);
  for (char& c : out) {
    if (c == 'd' || c == 'D') c = 'e';
  }
  return out;
}

// The value of an exponent part ("e-50" gives -50), held far beyond any type's range
// rather than overflowing.
long long ExponentOf(std::string_view part) {
  if (part.empty()) return 0;
  part.remove_prefix(1);  // the letter
  const bool negative = !part.empty() && part.front() == '-';
  if (!part.empty() && (part.front() == '+' || part.front() == '-')) part.remove_prefix(1);
  long long e = 0;
  for (char c : part) e = std::min(e * 10 + (c - '0'), 1'000'000'000LL);
  return negative ? -e : e;
}

// True when a valid number token is below 1 in magnitude (zero included): its first
// significant digit stands after the decimal point once the exponent is applied. Tells
// a number too small for its type, which reads as zero, from one too large.
bool BelowOne(std::string_view token) {
  if (!token.empty() && (token.front() == '+' || token.front() == '-')) token.remove_prefix(1);
  const std::size_t whole = DigitsAt(token, 0);
  std::size_t end = whole;
  std::size_t fraction = 0;
  if (end < token.size() && token[end] == '.') {
    fraction = DigitsAt(token, end + 1);
    end += 1 + fraction;
  }
  // The place of the first significant digit: 0 for units, 1 for tens, -1 for tenths.
  long long place = 0;
  const std::size_t first_whole = token.substr(0, whole).find_first_not_of('0');
  if (first_whole != std::string_view::npos) {
    place = static_cast<long long>(whole - first_whole) - 1;
  } else {
    const std::size_t first = token.substr(whole + 1, fraction).find_first_not_of('0');
    if (fraction == 0 || first == std::string_view::npos) return true;
    place = -static_cast<long long>(first) - 1;
  }
  return place + ExponentOf(token.substr(end)) < 0;
}

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

// Powers of ten that a float (up to 10^10) or a double (up to 10^22) holds exactly.
template <typename Real>
struct ExactPowers;
template <>
struct ExactPowers<float> {
  static constexpr float kTen[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f,
                                   1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
  static constexpr std::uint64_t kExactDigits = std::uint64_t{1} << 24;
};
template <>
struct ExactPowers<double> {
  static constexpr double kTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                    1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                    1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  static constexpr std::uint64_t kExactDigits = std::uint64_t{1} << 53;
};

// The roster's own numbers ("     72.00") without the general conversion: the whole
// digits and the power of ten are both held exactly, so one IEEE division rounds the
// true quotient once, as the general conversion does. Empty outside this path.
template <typename Real>
std::optional<Real> PlainDecimalValue(bool negative, std::uint64_t digits, int decimals) {
  using Powers = ExactPowers<Real>;
  if (digits >= Powers::kExactDigits || decimals >= static_cast<int>(std::size(Powers::kTen))) {
    return std::nullopt;
  }
  const Real value = static_cast<Real>(digits) / Powers::kTen[decimals];
  // "-0.00" reads as 0, as below.
  return negative && digits != 0 ? -value : value;
}

template <typename Real>
std::optional<Real> ReadPlainDecimal(std::string_view token) {
  bool negative = false;
  std::uint64_t digits = 0;
  int decimals = 0;
  if (!SplitDecimal(token, &negative, &digits, &decimals)) return std::nullopt;
  return PlainDecimalValue<Real>(negative, digits, decimals);
}

template <typename Real>
std::optional<Real> ReadReal(std::string_view s) {
  const auto token = NumberToken(s);
  if (!token) return std::nullopt;
  if (const std::optional<Real> plain = ReadPlainDecimal<Real>(*token)) return plain;
  const std::string canonical = Canonical(*token);
  Real value{};
  const auto [end, ec] =
      std::from_chars(canonical.data(), canonical.data() + canonical.size(), value);
  if (end != canonical.data() + canonical.size()) return std::nullopt;
  // A number too small for the type is still a number: it reads as zero ("1e-50").
  if (ec == std::errc::result_out_of_range && BelowOne(*token)) return Real(0);
  if (ec != std::errc()) return std::nullopt;
  // Adding zero turns "-0" into 0: a negative zero would be written "-0.00", and a limit
  // of -0 would make every difference exceed it.
  return value + Real(0);
}

void AppendAsterisks(std::string& out, int w) { out.append(static_cast<std::size_t>(w), '*'); }

// s right-justified in w characters, or w asterisks when it does not fit.
void AppendRightAligned(std::string& out, std::string_view s, int w) {
  if (static_cast<int>(s.size()) > w) return AppendAsterisks(out, w);
  out.append(static_cast<std::size_t>(w) - s.size(), ' ');
  out.append(s);
}

// The number text buffer[0, n) with its zero integer part dropped when the field has no
// room for it ("0.50" -> ".50", "-0.50" -> "-.50"). buffer is rewritten in place.
std::string_view WithoutRoomlessZero(char* buffer, std::size_t n, int w) {
  std::string_view s(buffer, n);
  if (static_cast<int>(s.size()) <= w) return s;
  if (s.substr(0, 2) == "0.") return s.substr(1);
  if (s.substr(0, 3) == "-0.") {
    buffer[1] = '-';
    return s.substr(1);
  }
  return s;
}

// fixed(w,d) of a 32-bit real without the general conversion: a float times 10^d
// (d <= 6: a 24-bit mantissa times 5^d, at most 38 bits) is exact in a double, so
// rounding that product to the nearest integer, ties to even, gives the digits printf
// gives; the sign is printf's too ("-0.00" for a small negative). Report writers and the
// roster parser format floats by the thousand, so the digits are written from the right,
// ending at end (the kFloatRoom characters before it are free). Returns the start of the
// text, its zero integer part dropped when a field of w > 0 has no room for it; the text
// may still be wider than w (the field then takes asterisks). Null, writing nothing, when
// the value is outside this path.
constexpr int kFloatRoom = 32;  // below 10^15: at most 16 digits, the point and the sign
char* FixedFloatText(double v, int w, int d, char* end) {
  static constexpr double kScale[] = {1.0, 10.0, 100.0, 1000.0, 1e4, 1e5, 1e6};
  if (d < 0 || d > 6 || !std::isfinite(v) || static_cast<double>(static_cast<float>(v)) != v ||
      std::fabs(v) >= 1e12) {
    return nullptr;
  }
  auto digits = static_cast<std::uint64_t>(std::nearbyint(std::fabs(v) * kScale[d]));
  char* at = end;
  for (int i = 0; i < d; ++i, digits /= 10) *--at = static_cast<char>('0' + digits % 10);
  *--at = '.';
  char* const point = at;
  do {
    *--at = static_cast<char>('0' + digits % 10);
    digits /= 10;
  } while (digits != 0);
  const bool negative = std::signbit(v);
  if (negative) *--at = '-';
  if (w > 0 && end - at > w && point - at == (negative ? 2 : 1) && point[-1] == '0') {
    // A zero integer part is dropped when the field has no room for it (".50", "-.50").
    point[-1] = at[0];
    ++at;
  }
  return at;
}

// AppendFixed of a 32-bit real (FixedFloatText); a field of w <= 0 takes the number in
// full (the bout board's fits). False, writing nothing, off that path.
bool AppendFixedFloat(std::string& out, double v, int w, int d) {
  char buffer[kFloatRoom];
  char* const end = buffer + sizeof buffer;
  char* at = FixedFloatText(v, w, d, end);
  if (at == nullptr) return false;
  const auto size = static_cast<int>(end - at);
  if (w <= 0) {
    out.append(at, static_cast<std::size_t>(size));
    return true;
  }
  if (size > w) {
    AppendAsterisks(out, w);
    return true;
  }
  const int blanks = w - size;
  if (blanks <= at - buffer) {
    at -= blanks;
    std::fill_n(at, blanks, ' ');
  } else {
    out.append(static_cast<std::size_t>(blanks), ' ');
  }
  out.append(at, static_cast<std::size_t>(end - at));
  return true;
}

}  // namespace

std::optional<std::string_view> NumberToken(std::string_view s) {
  // Plain loops: every number of a roster passes here, and the general searches cost
  // more than the few characters of a field.
  std::size_t begin = 0;
  while (begin < s.size() && s[begin] == ' ') ++begin;
  if (begin == s.size()) return std::nullopt;
  std::size_t end = begin;
  while (end < s.size() && s[end] != ' ' && s[end] != ',' && s[end] != '/') ++end;
  const std::string_view token = s.substr(begin, end - begin);
  if (!IsDecimalNumber(token)) return std::nullopt;
  return token;
}

std::optional<float> ReadFloat(std::string_view s) { return ReadReal<float>(s); }
std::optional<double> ReadDouble(std::string_view s) { return ReadReal<double>(s); }

std::optional<HundredthsText> ReadHundredths(std::string_view s) {
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  HundredthsText h;
  std::size_t i = 0;
  h.Negative = !s.empty() && s[0] == '-';
  if (h.Negative) ++i;
  const std::size_t whole_begin = i;
  for (; i < s.size() && digit(s[i]) && i - whole_begin < 7; ++i) {
    h.Hundredths = h.Hundredths * 10 + static_cast<std::uint32_t>(s[i] - '0');
  }
  h.WholeDigits = static_cast<int>(i - whole_begin);
  if (h.WholeDigits == 0 || i + 3 != s.size() || s[i] != '.' || !digit(s[i + 1]) ||
      !digit(s[i + 2])) {
    return std::nullopt;
  }
  h.Hundredths = h.Hundredths * 100 + static_cast<std::uint32_t>(s[i + 1] - '0') * 10 +
                 static_cast<std::uint32_t>(s[i + 2] - '0');
  h.LeadingZero = h.WholeDigits > 1 && s[whole_begin] == '0';
  return h;
}

std::optional<std::pair<float, double>> ReadFloatAndDouble(std::string_view s) {
  // The numbers a roster keeps ("     72.50") at once: the same two divisions as below.
  if (const auto kept = ReadHundredths(WithoutLeadingBlanks(s))) {
    const std::optional<float> f = PlainDecimalValue<float>(kept->Negative, kept->Hundredths, 2);
    const std::optional<double> d =
        f ? PlainDecimalValue<double>(kept->Negative, kept->Hundredths, 2) : std::nullopt;
    if (f && d) return std::pair{*f, *d};
  }
  const auto token = NumberToken(s);
  if (!token) return std::nullopt;
  // The digits are split once for both precisions.
  bool negative = false;
  std::uint64_t digits = 0;
  int decimals = 0;
  if (SplitDecimal(*token, &negative, &digits, &decimals)) {
    const std::optional<float> f = PlainDecimalValue<float>(negative, digits, decimals);
    const std::optional<double> d =
        f ? PlainDecimalValue<double>(negative, digits, decimals) : std::nullopt;
    if (f && d) return std::pair{*f, *d};
  }
  const std::optional<float> shown = ReadFloat(s);
  const std::optional<double> exact = ReadDouble(s);
  if (!shown || !exact) return std::nullopt;
  return std::pair{*shown, *exact};
}

std::optional<std::int64_t> ReadInteger(std::string_view s) {
  const auto token = NumberToken(s);
  if (!token) return std::nullopt;
  std::string_view digits = *token;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  std::int64_t value = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

void AppendFixed(std::string& out, double v, int w, int d) {
  if (w <= 0) return;
  if (AppendFixedFloat(out, v, w, d)) return;
  if (!std::isfinite(v)) return AppendAsterisks(out, w);
  char buffer[512];
  const auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer - 1, v, std::chars_format::fixed, d);
  if (ec != std::errc()) return AppendAsterisks(out, w);
  std::size_t n = static_cast<std::size_t>(end - buffer);
  if (d == 0) buffer[n++] = '.';
  AppendRightAligned(out, WithoutRoomlessZero(buffer, n, w), w);
}

void PutFixed(char* field, double v, int w, int d) {
  if (w <= 0) return;
  char buffer[kFloatRoom];
  char* const end = buffer + sizeof buffer;
  if (char* const at = FixedFloatText(v, w, d, end)) {
    const auto size = static_cast<int>(end - at);
    if (size > w) {
      std::fill_n(field, w, '*');
      return;
    }
    std::fill_n(field, w - size, ' ');
    std::copy(at, end, field + (w - size));
    return;
  }
  std::string text;
  AppendFixed(text, v, w, d);
  std::copy_n(text.data(), w, field);
}

std::string FormatFixed(double v, int w, int d) {
  std::string out;
  AppendFixed(out, v, w, d);
  return out;
}

void AppendInt(std::string& out, std::int64_t v, int w) {
  if (w <= 0) return;
  char buffer[24];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
  AppendRightAligned(out, std::string_view(buffer, static_cast<std::size_t>(end - buffer)), w);
}

std::size_t PutIntInFullSlowly(char* out, std::int64_t v, int w) {
  char digits[kIntInFullRoom];
  char* const end = digits + sizeof digits;
  char* at = end;
  // The magnitude as unsigned, so that the most negative number has one too.
  std::uint64_t magnitude =
      v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
  do {
    *--at = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (v < 0) *--at = '-';
  const auto size = static_cast<std::size_t>(end - at);
  const std::size_t blanks =
      w > 0 ? static_cast<std::size_t>(w) - std::min<std::size_t>(size, static_cast<std::size_t>(w))
            : 0;
  std::fill_n(out, blanks, ' ');
  std::copy(at, end, out + blanks);
  return blanks + size;
}

void AppendIntInFull(std::string& out, std::int64_t v, int w) {
  // Laid out in place and appended at once: report writers write whole numbers by the
  // thousand.
  constexpr int kField = 48;
  if (w > kField) {
    out.append(static_cast<std::size_t>(w - kField), ' ');
    w = kField;
  }
  char field[kField];
  out.append(field, PutIntInFull(field, v, w));
}

void AppendFixedInFull(std::string& out, double v, int w, int d) {
  if (w <= 0 && AppendFixedFloat(out, v, w, d)) return;
  const std::size_t before = out.size();
  AppendFixed(out, v, w, d);
  const bool asterisks = out.size() > before && out[before] == '*';
  if (!std::isfinite(v) || (w > 0 && !asterisks)) return;
  char buffer[512];
  const auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer - 1, v, std::chars_format::fixed, d);
  if (ec != std::errc()) return;
  out.resize(before);
  out.append(buffer, static_cast<std::size_t>(end - buffer));
  if (d == 0) out += '.';
}

std::string FormatInt(std::int64_t v, int w) {
  std::string out;
  AppendInt(out, v, w);
  return out;
}

}  // namespace kestrio::text
