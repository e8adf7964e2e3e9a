#pragma once

// Numbers as the roster and the reports write and read them.
//
// The free-form read: leading blanks are skipped; the first token, ended by a blank, a
// comma, a slash or the end of the text, must be a decimal integer, a fixed-point number
// or an exponent form, optionally signed ("72", "-5", "72.5", ".5", "1.5e3", "1.5D3");
// the rest of the text is ignored ("72 kg" reads as 72). An empty text, or any other
// token ("72kg", "abc", "inf"), is an error, reported as an empty optional. A number too
// small for the type reads as 0 ("1e-50"), one too large is an error; "-0" reads as 0.
//
// The writers right-justify in a field of w characters and fill the field with
// asterisks when the number does not fit, except the InFull ones, which write a number
// wider than its field in full. Rounding is C's printf rounding.

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace kestrio::text {

// The first token of s, after leading blanks, when it is a valid number; else empty.
std::optional<std::string_view> NumberToken(std::string_view s);

// Free-form reads into the precision the caller stores. Each rounds the decimal text
// once, directly to its own type, as a compiler's runtime read would. A plain decimal of
// up to 15 digits (the roster's own "     72.00") takes a short path that rounds the same.
std::optional<float> ReadFloat(std::string_view s);
std::optional<double> ReadDouble(std::string_view s);
// ReadFloat and ReadDouble of one text, read with one look at the text where it can be:
// a wrestler's measure is kept in both precisions.
std::optional<std::pair<float, double>> ReadFloatAndDouble(std::string_view s);

// A number as a saved roster writes it, without blanks around it: an optional minus,
// whole digits (at most seven), a period and two decimals ("72.50", "-3.25", "07.50").
// Its digits as one number of hundredths, with how its whole part was written, for the
// caller to judge; nothing for any other text.
struct HundredthsText {
  bool Negative = false;
  std::uint32_t Hundredths = 0;
  int WholeDigits = 0;
  bool LeadingZero = false;  // a whole part of more than one digit that starts with 0
};
std::optional<HundredthsText> ReadHundredths(std::string_view s);

// A whole number, optionally signed; a fraction or exponent is an error.
std::optional<std::int64_t> ReadInteger(std::string_view s);

// fixed(w,d): v rounded to d decimals as printf rounds it, right-justified in w
// characters. A zero integer part is written as "0" only when the field has room for
// it; with d = 0 the point is still written ("10."). Asterisks when the number does not
// fit or is not finite; nothing when w <= 0.
std::string FormatFixed(double v, int w, int d);
void AppendFixed(std::string& out, double v, int w, int d);
// The same written into exactly w characters at field (nothing when w <= 0), for a
// text laid out in place.
void PutFixed(char* field, double v, int w, int d);

// int(w): right-justified whole number, leading minus when negative; asterisks on
// overflow; nothing when w <= 0.
std::string FormatInt(std::int64_t v, int w);
void AppendInt(std::string& out, std::int64_t v, int w);

// int(w) and fixed(w,d) for a number the program made itself (a count, a bout number, a
// round, a fit): as AppendInt and AppendFixed when the number fits, else the number in
// full, wider than the field, rather than asterisks that would hide it. A fixed number
// that is not finite still gives w asterisks.
void AppendIntInFull(std::string& out, std::int64_t v, int w);
// AppendIntInFull laid out in place at out, which has room for kIntInFullRoom characters
// or w, whichever is more (and which it may use beyond the text); returns the length of
// the text.
inline constexpr std::size_t kIntInFullRoom = 20;
std::size_t PutIntInFullSlowly(char* out, std::int64_t v, int w);
inline std::size_t PutIntInFull(char* out, std::int64_t v, int w) {
  // Counts, bout numbers, classes and rounds: a few digits in a narrow field (a bout
  // number may outgrow it), laid out two digits at a time over a field of blanks made
  // in one store.
  static constexpr std::int64_t kFits[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};
  if (w <= 7 && v >= 0 && v < kFits[7]) {
    static constexpr char kPairs[] =
        "00010203040506070809101112131415161718192021222324"
        "25262728293031323334353637383940414243444546474849"
        "50515253545556575859606162636465666768697071727374"
        "75767778798081828384858687888990919293949596979899";
    int width = w < 1 ? 1 : w;
    while (v >= kFits[width]) ++width;
    std::memcpy(out, "        ", 8);
    auto digits = static_cast<std::uint32_t>(v);
    char* at = out + width;
    while (digits >= 100) {
      at -= 2;
      std::memcpy(at, kPairs + 2 * (digits % 100), 2);
      digits /= 100;
    }
    if (digits >= 10) {
      std::memcpy(at - 2, kPairs + 2 * digits, 2);
    } else {
      at[-1] = static_cast<char>('0' + digits);
    }
    return static_cast<std::size_t>(width);
  }
  return PutIntInFullSlowly(out, v, w);
}
void AppendFixedInFull(std::string& out, double v, int w, int d);

}  // namespace kestrio::text
