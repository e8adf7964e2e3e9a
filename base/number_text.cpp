#include "base/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

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

template <typename Real>
std::optional<Real> ReadReal(std::string_view s) {
  const auto token = NumberToken(s);
  if (!token) return std::nullopt;
  const std::string canonical = Canonical(*token);
  Real value{};
  const auto [end, ec] =
      std::from_chars(canonical.data(), canonical.data() + canonical.size(), value);
  if (ec != std::errc() || end != canonical.data() + canonical.size()) return std::nullopt;
  return value;
}

std::string Asterisks(int w) { return std::string(w > 0 ? static_cast<std::size_t>(w) : 0, '*'); }

}  // namespace

std::optional<std::string_view> NumberToken(std::string_view s) {
  const auto begin = s.find_first_not_of(' ');
  if (begin == std::string_view::npos) return std::nullopt;
  s.remove_prefix(begin);
  const auto end = s.find_first_of(" ,/");
  const std::string_view token = s.substr(0, end);
  if (!IsDecimalNumber(token)) return std::nullopt;
  return token;
}

std::optional<float> ReadFloat(std::string_view s) { return ReadReal<float>(s); }
std::optional<double> ReadDouble(std::string_view s) { return ReadReal<double>(s); }
std::optional<long double> ReadLongDouble(std::string_view s) { return ReadReal<long double>(s); }

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

std::string FormatFixed(double v, int w, int d) {
  if (w <= 0) return {};
  if (!std::isfinite(v)) return Asterisks(w);
  // std::to_chars rounds exactly as printf's "%.*f" does, several times faster; the
  // roster parser formats three numbers per line of every file it opens.
  char buffer[512];
  const auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, d);
  if (ec != std::errc()) return Asterisks(w);
  std::string s(buffer, end);
  if (d == 0) s += '.';
  if (static_cast<int>(s.size()) > w) {
    // A zero integer part is dropped when the field has no room for it: "0.50" -> ".50".
    if (s.rfind("0.", 0) == 0) {
      s.erase(0, 1);
    } else if (s.rfind("-0.", 0) == 0) {
      s.erase(1, 1);
    }
  }
  if (static_cast<int>(s.size()) > w) return Asterisks(w);
  return std::string(static_cast<std::size_t>(w) - s.size(), ' ') + s;
}

std::string FormatInt(std::int64_t v, int w) {
  if (w <= 0) return {};
  char buffer[32];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
  const std::string s(buffer, end);
  if (static_cast<int>(s.size()) > w) return Asterisks(w);
  return std::string(static_cast<std::size_t>(w) - s.size(), ' ') + s;
}

}  // namespace kestrio::text
