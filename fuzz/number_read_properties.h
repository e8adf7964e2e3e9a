#pragma once

// Properties of the free-form numeric read and of the number writers, for any text.
//
// The read decides whether a wrestler's weight, age or rating is a number at all, and
// the writers produce the texts that are read back on the next load and in every run:
// the two must agree, whatever a spreadsheet put in the field.

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/number_text.h"
#include "fuzz/property_check.h"

namespace kestrio::fuzz {

namespace number_detail {

// True when f is the float nearest to d or one of its two neighbours: reading a text
// straight into a float may round differently from reading it into a double first.
inline bool FloatNear(float f, double d) {
  const float nearest = static_cast<float>(d);
  if (f == nearest) return true;
  return f == std::nextafter(nearest, INFINITY) || f == std::nextafter(nearest, -INFINITY);
}

// What a fixed(w,d) text must read back as: within half a unit of the last decimal.
inline void CheckFixedRoundTrip(double v, int w, int d, Violations& v_out) {
  const std::string text = text::FormatFixed(v, w, d);
  v_out.Expect(static_cast<int>(text.size()) == w, "FormatFixed does not fill its field");
  if (text.find('*') != std::string::npos) {
    v_out.Expect(text == std::string(static_cast<std::size_t>(w), '*'),
                 "FormatFixed mixes asterisks and digits: " + text);
    return;
  }
  const auto back = text::ReadDouble(text);
  v_out.Expect(back.has_value(), "FormatFixed wrote a text that does not read back: " + text);
  if (!back) return;
  const double tolerance = 0.5 * std::pow(10.0, -d) * (1 + 1e-9) + std::fabs(v) * 1e-15;
  v_out.Expect(std::fabs(*back - v) <= tolerance,
               "FormatFixed changed the value beyond rounding: " + text);
}

}  // namespace number_detail

// Checks one text against every reader and, when it holds a number, the writers.
inline std::string CheckNumberRead(std::string_view input) {
  using namespace number_detail;
  Violations v;
  const auto token = text::NumberToken(input);
  const auto as_double = text::ReadDouble(input);
  const auto as_float = text::ReadFloat(input);
  const auto as_integer = text::ReadInteger(input);
  const std::string shown = Printable(input);

  // Every successful read is a read of the leading token, and only of it.
  v.Expect(!as_double || token, "ReadDouble accepted a text without a number token: " + shown);
  v.Expect(!as_float || as_double, "ReadFloat accepted what ReadDouble rejects: " + shown);
  v.Expect(!as_integer || as_double, "ReadInteger accepted what ReadDouble rejects: " + shown);
  if (v.any()) return v.first();
  if (token) {
    v.Expect(text::ReadDouble(*token) == as_double, "the token alone reads differently: " + shown);
    const std::string with_unit = std::string(*token) + " kg, 3/4";
    v.Expect(text::ReadDouble(with_unit) == as_double, "trailing words change the read: " + shown);
  }
  if (as_double) {
    v.Expect(std::isfinite(*as_double), "ReadDouble gave a value that is not finite: " + shown);
  }
  if (as_float && as_double) {
    v.Expect(std::isfinite(*as_float), "ReadFloat gave a value that is not finite: " + shown);
    v.Expect(FloatNear(*as_float, *as_double), "ReadFloat and ReadDouble disagree: " + shown);
  }
  if (as_integer && as_double && std::fabs(*as_double) < 9007199254740992.0) {
    v.Expect(static_cast<double>(*as_integer) == *as_double,
             "ReadInteger and ReadDouble disagree: " + shown);
  }
  if (v.any()) return v.first();

  // The roster's two-decimal texts and the reports' fields.
  if (as_double && std::isfinite(*as_double)) {
    CheckFixedRoundTrip(*as_double, 10, 2, v);
    CheckFixedRoundTrip(*as_double, 5, 1, v);
    CheckFixedRoundTrip(*as_double, 4, 0, v);
    CheckFixedRoundTrip(*as_double, 8, 6, v);
  }
  if (as_integer) {
    const std::string text = text::FormatInt(*as_integer, 12);
    if (text.find('*') == std::string::npos) {
      v.Expect(text::ReadInteger(text) == as_integer, "FormatInt does not read back: " + text);
    } else {
      v.Expect(text == std::string(12, '*'), "FormatInt mixes asterisks and digits: " + text);
    }
  }
  return v.first();
}

}  // namespace kestrio::fuzz
