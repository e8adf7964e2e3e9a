#include "roster/line_parser.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "base/number_text.h"

namespace kestrio::roster {
namespace {

constexpr char kTab = '\t';

// The TAB rules of the grammar: leading TABs become blanks, in a run of TABs all but the
// last become blanks, and TABs that end a full line buffer become blanks. The line is
// rewritten into buffer, which holds a line buffer's width.
std::string_view NormaliseTabs(std::string_view line, char* buffer) {
  const std::size_t size = std::min(line.size(), kLineBufferWidth);
  char* s = buffer;
  std::copy_n(line.data(), size, s);
  std::size_t i = 0;
  while (i < size && s[i] == kTab) s[i++] = ' ';
  for (; i + 1 < size; ++i) {
    if (s[i] == kTab && s[i + 1] == kTab) s[i] = ' ';
  }
  // The buffer is blank-padded, so only a line that fills it can end in TABs.
  if (size == kLineBufferWidth) {
    for (std::size_t k = size; k > 0 && s[k - 1] == kTab; --k) s[k - 1] = ' ';
  }
  return std::string_view(s, size);
}

// The line as the parser consumes it: the text after the current position, left-adjusted.
// Blanks past the end stand for the padding of the line buffer.
class FieldCursor {
 public:
  explicit FieldCursor(std::string_view line) : rest_(text::WithoutLeadingBlanks(line)) {}

  // The text before the next TAB (empty when there is none), and the cursor moves past
  // that TAB; without a TAB the line stays whole.
  std::string_view NextTabField() {
    const auto tab = rest_.find(kTab);
    if (tab == std::string_view::npos) return {};
    const std::string_view field = rest_.substr(0, tab);
    rest_ = text::WithoutLeadingBlanks(rest_.substr(tab + 1));
    return field;
  }

  bool HasTab() const { return rest_.find(kTab) != std::string_view::npos; }
  std::string_view Rest() const { return rest_; }
  void Clear() { rest_ = {}; }

 private:
  std::string_view rest_;
};

// The first N characters of text, control characters turned into blanks.
template <std::size_t N>
void AssignText(FixedText<N>& field, std::string_view text) {
  field.Assign(text);
  // Only the copied characters can be controls: the rest is padding.
  char* chars = field.data();
  const std::size_t copied = std::min(text.size(), N);
  for (std::size_t i = 0; i < copied; ++i) {
    if (static_cast<unsigned char>(chars[i]) < 32) chars[i] = ' ';
  }
}

void Report(DiagnosticSink& sink, std::string_view field_name, std::string_view value) {
  std::string message = "Unable to read ";
  message.append(field_name).append(" from string \"");
  message.append(text::WithoutBlanks(value));
  message.append("\". Action taken --> Data entry skipped.");
  sink.Diagnostic(message, kParseDiagnosticTitle);
}

// True when the first word of a number field runs past the field's ten characters: cut
// to the field it would read as another number ("00000000072" as 7).
bool WiderThanField(std::string_view typed, std::size_t width) {
  if (typed.size() <= width) return false;
  std::string text(typed);
  text::ControlsToBlanks(text);
  const std::size_t begin = text.find_first_not_of(' ');
  if (begin == std::string::npos) return false;
  const std::size_t end = text.find_first_of(" ,/", begin);
  return (end == std::string::npos ? text.size() : end) > width;
}

// A number as a saved roster writes it, "72.50" once the blanks around it are dropped:
// an optional minus, whole digits without a leading zero (or the one zero of "0.50"), a
// period and two decimals. With at most seven digits its 32-bit value lies within 0.004
// of the text, so the value rewritten with two decimals is the text itself; a negative
// zero ("-0.00") is left to the general path. Returns the value, or nothing for any
// other text.
std::optional<float> ReadSavedNumber(std::string_view text) {
  const std::optional<text::HundredthsText> saved = text::ReadHundredths(text);
  if (!saved || saved->WholeDigits > 5 || saved->LeadingZero ||
      (saved->Negative && saved->Hundredths == 0)) {
    return std::nullopt;
  }
  // One correctly rounded division of exact operands, as the general read does.
  const float value = static_cast<float>(saved->Hundredths) / 100.0f;
  return saved->Negative ? -value : value;
}

// std::fmod(x, divisor) for a divisor of 1 or 5, without the library's bit-by-bit
// division: the weight class and the age in years of every entry a roster brings in are
// found with it. Below 2^24 a float lies at least 2^-24 of itself away from any multiple
// of the divisor it is not, far beyond the rounding of its quotient in double, so the
// quotient's whole part is exact, and so is the remainder taken in double. The sign is
// fmod's: the dividend's, zeros included.
float Remainder(float x, float divisor) {
  if (!(std::fabs(x) < 16777216.0f)) return std::fmod(x, divisor);
  const double dividend = x;
  const double remainder = dividend - divisor * std::trunc(dividend / divisor);
  return std::copysign(static_cast<float>(remainder), x);
}

// Right-aligned in the field's ten characters, as a saved number is stored.
void AssignAligned(FixedText<10>& field, std::string_view text) {
  char aligned[10];
  std::fill_n(aligned, field.size() - text.size(), ' ');
  std::copy(text.begin(), text.end(), aligned + (field.size() - text.size()));
  field.Assign(std::string_view(aligned, field.size()));
}

// Reads a number field and rewrites it with two decimals. Returns the number, or nothing
// after reporting when the text is not a number or the number does not fit the field.
std::optional<float> ReadNumberField(FieldCursor& cursor, FixedText<10>& field,
                                     std::string_view field_name, DiagnosticSink& sink) {
  const std::string_view typed = cursor.NextTabField();
  // A control character in a number becomes a blank, as in the text fields: "72\v" is 72.
  AssignText(field, typed);
  // A saved roster's numbers are already in their rewritten form: the field takes the
  // text right-aligned in its ten characters.
  if (typed.size() <= field.size()) {
    const std::string_view text = text::WithoutBlanks(field.view());
    if (const std::optional<float> saved = ReadSavedNumber(text)) {
      AssignAligned(field, text);
      return saved;
    }
  }
  const std::optional<float> value = text::ReadFloat(field.view());
  std::string rewritten = value ? text::FormatFixed(*value, 10, 2) : std::string();
  // Asterisks would be stored for a number too wide for ten characters; such a text
  // could neither be paired nor saved and read back, so the line is refused instead.
  if (!value || rewritten.find('*') != std::string::npos || WiderThanField(typed, field.size())) {
    Report(sink, field_name, field.view());
    return std::nullopt;
  }
  // A small negative number rounds to zero, which is written "0.00", not "-0.00".
  if (rewritten.find_first_of("123456789") == std::string::npos) {
    rewritten = text::FormatFixed(0.0, 10, 2);
  }
  field.Assign(rewritten);
  return value;
}

// A whole number followed by a period, right-aligned: "       75.".
void AssignWhole(FixedText<10>& field, float value) {
  // A weight class or an age in years: a small whole number, written directly. A
  // negative zero keeps its sign, as the general writer writes it.
  if (value == std::trunc(value) && std::fabs(value) < 1.0e6f && !std::signbit(value)) {
    char digits[8];
    const auto [end, ec] =
        std::to_chars(digits, digits + sizeof digits, static_cast<std::uint32_t>(value));
    if (ec == std::errc()) {
      const auto n = static_cast<std::size_t>(end - digits);
      char aligned[10];
      std::fill_n(aligned, field.size() - n - 1, ' ');
      std::copy_n(digits, n, aligned + (field.size() - n - 1));
      aligned[field.size() - 1] = '.';
      field.Assign(std::string_view(aligned, field.size()));
      return;
    }
  }
  field.Assign(text::FormatFixed(value, 10, 0));
}

// The weight class: the smallest multiple of 5 not below the weight; a weight at most
// 0.001 above a multiple of 5 still counts in that class (scale rounding).
void AssignWeightClass(Participant& entry, float weight) {
  float weight_class = weight - Remainder(weight - 0.001f, 5.0f) + 5.0f;
  weight_class -= Remainder(weight_class, 1.0f);
  AssignWhole(entry.WeightClass, weight_class);
}

void AssignAgeYears(Participant& entry, float age) {
  AssignWhole(entry.AgeYears, age - Remainder(age, 1.0f));
}

// The place of the first character below 32 at or after from, or the line's size.
std::size_t NextControl(std::string_view line, std::size_t from) {
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHighs = 0x8080808080808080ULL;
    for (; from + 8 <= line.size(); from += 8) {
      std::uint64_t word;
      std::memcpy(&word, line.data() + from, sizeof word);
      // A high bit for each byte below 32, and maybe for bytes after the first such:
      // only the first one counts.
      const std::uint64_t below = (word - 32 * kOnes) & ~word & kHighs;
      if (below != 0) return from + std::countr_zero(below) / 8;
    }
  }
  while (from < line.size() && static_cast<unsigned char>(line[from]) >= 32) ++from;
  return from;
}

// A line as a saved roster writes it: six or seven fields split by single TABs, none but
// the last empty and none starting with a blank, no other control character, shorter
// than the line buffer. Such a line needs none of the TAB rules, and its fields are the
// texts between the TABs. Returns how many fields it has, or 0 for any other line.
int SplitPlainLine(std::string_view line, std::string_view (&fields)[7]) {
  if (line.empty() || line.size() >= kLineBufferWidth || line[0] == ' ' || line[0] == kTab) {
    return 0;
  }
  int found = 0;
  std::size_t start = 0;
  // Letters far outnumber TABs: the line is looked at eight characters at a time for
  // a control character, and each found one taken on its own.
  std::size_t i = 0;
  for (;;) {
    i = NextControl(line, i);
    if (i == line.size()) break;
    if (line[i] != kTab || found == 6) return 0;
    fields[found++] = line.substr(start, i - start);
    start = ++i;
    if (start < line.size() && (line[start] == ' ' || line[start] == kTab)) return 0;
  }
  if (found < 5) return 0;
  fields[found] = line.substr(start);
  return found + 1;
}

// A number field of a plain line in the form a saved roster writes ("72.50"), and its
// value; nothing for any other text.
std::optional<float> PlainNumber(std::string_view typed, std::string_view* text) {
  if (typed.size() > FixedText<10>::size()) return std::nullopt;
  *text = text::TrimTrailing(typed);
  return ReadSavedNumber(*text);
}

// Reads a plain line (SplitPlainLine) whose numbers are in their saved form: the lines of
// a roster the program saved, or of a hand-made one without statuses. The same entry as
// the general rules give, without their copying and rescanning. False, with the entry
// untouched, for any other line.
bool ReadPlainLine(std::string_view line, Participant& entry) {
  std::string_view fields[7];
  const int count = SplitPlainLine(line, fields);
  if (count == 0) return false;
  std::string_view numbers[3];
  std::optional<float> values[3];
  for (int i = 0; i < 3; ++i) {
    values[i] = PlainNumber(fields[2 + i], &numbers[i]);
    if (!values[i]) return false;
  }
  entry.LastName.Assign(fields[0]);
  entry.FirstName.Assign(fields[1]);
  AssignAligned(entry.Weight, numbers[0]);
  AssignWeightClass(entry, *values[0]);
  AssignAligned(entry.Age, numbers[1]);
  AssignAgeYears(entry, *values[1]);
  AssignAligned(entry.Rating, numbers[2]);
  // Blanks end the club's field or pad it alike, so a club that ends the line is
  // stored as one a TAB follows.
  entry.Club.Assign(fields[5]);
  if (count == 6) {
    entry.Status.Clear();
    return true;
  }
  const std::string_view status = fields[6];
  if (text::TrimTrailing(status).empty()) {
    entry.Status.Clear();
  } else if (status.front() == 'y' || status.front() == 'Y') {
    SetStatus(entry, ParticipantStatus::Selected);
  } else {
    entry.Status.Assign(status);
  }
  return true;
}

}  // namespace

DiagnosticSink& SilentDiagnostics() {
  static DiagnosticSink silent;
  return silent;
}

std::int32_t WInfoParseDataLine(std::string_view line, Participant& entry, DiagnosticSink& sink) {
  if (ReadPlainLine(line, entry)) return 0;
  return ParseLineByRules(line, entry, sink);
}

std::int32_t ParseLineByRules(std::string_view line, Participant& entry, DiagnosticSink& sink) {
  char buffer[kLineBufferWidth];
  FieldCursor cursor(NormaliseTabs(line, buffer));

  AssignText(entry.LastName, cursor.NextTabField());
  AssignText(entry.FirstName, cursor.NextTabField());

  const std::optional<float> weight = ReadNumberField(cursor, entry.Weight, "Weight", sink);
  if (!weight) return 1;
  AssignWeightClass(entry, *weight);

  const std::optional<float> age = ReadNumberField(cursor, entry.Age, "Age", sink);
  if (!age) return 1;
  AssignAgeYears(entry, *age);

  if (!ReadNumberField(cursor, entry.Rating, "Rating", sink)) return 1;

  if (cursor.HasTab()) {
    AssignText(entry.Club, cursor.NextTabField());
  } else {
    AssignText(entry.Club, text::WithoutBlanks(cursor.Rest().substr(0, 15)));
    cursor.Clear();
  }

  // Control characters become blanks before the status is read, as in the other text
  // fields: "\x01yes" means Selected, and it stays so after a save drops the blank.
  std::string rest(cursor.Rest());
  text::ControlsToBlanks(rest);
  const std::string_view status = text::WithoutLeadingBlanks(rest);
  if (text::TrimTrailing(status).empty()) {
    entry.Status.Clear();
  } else if (status.front() == 'y' || status.front() == 'Y') {
    SetStatus(entry, ParticipantStatus::Selected);
  } else {
    AssignText(entry.Status, status);
  }
  return 0;
}

}  // namespace kestrio::roster
