#include "pairing/pairing_control.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "base/fixed_text.h"
#include "base/number_text.h"

namespace kestrio::pairing {
namespace {

// The keys in file order, as the organiser reads them.
constexpr std::string_view kKeys[] = {
    "MaxAllowedDiffWeight", "MaxAllowedDiffAge", "MaxAllowedDiffRating", "MinGoodnessOfFitAllowed",
    "MaxBoutsAllowed",      "MinBoutsWanted",    "MaxBoutsWanted",       "SameClubPairingWeight"};
constexpr int kKeyCount = 8;
constexpr std::size_t kLabelWidth = 26;
// Longest piece of the file a message quotes.
constexpr std::size_t kQuoteWidth = 80;

bool IsRealKey(int key) { return key < 4 || key == 7; }

float* RealField(PairingControl& c, int key) {
  switch (key) {
    case 0:
      return &c.MaxAllowedDiffWeight;
    case 1:
      return &c.MaxAllowedDiffAge;
    case 2:
      return &c.MaxAllowedDiffRating;
    case 3:
      return &c.MinGoodnessOfFitAllowed;
    default:
      return &c.SameClubPairingWeight;
  }
}

std::int32_t* IntegerField(PairingControl& c, int key) {
  switch (key) {
    case 4:
      return &c.MaxBoutsAllowed;
    case 5:
      return &c.MinBoutsWanted;
    default:
      return &c.MaxBoutsWanted;
  }
}

std::string ToChars(double v, std::chars_format format, int precision) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, v, format, precision);
  if (result.ec != std::errc()) return {};
  return std::string(buffer, result.ptr);
}

// One item of the file: a word (a key, a value or a "$" group word) or an equals sign.
struct Token {
  std::string_view Text;
  int Line = 0;  // 1-based
};

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == ',' || c == '\r'; }

// Splits text into words and equals signs; blanks, tabs, commas and line ends separate
// them, and a dollar sign starts a new word.
std::vector<Token> Tokenize(std::string_view text) {
  std::vector<Token> tokens;
  int line = 1;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '\n') {
      ++line;
      ++i;
    } else if (IsSeparator(c)) {
      ++i;
    } else if (c == '=') {
      tokens.push_back({text.substr(i, 1), line});
      ++i;
    } else {
      std::size_t end = i + 1;
      while (end < text.size() && !IsSeparator(text[end]) && text[end] != '\n' &&
             text[end] != '=' && text[end] != '$') {
        ++end;
      }
      tokens.push_back({text.substr(i, end - i), line});
      i = end;
    }
  }
  return tokens;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) {
      return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

int FindKey(std::string_view word) {
  for (int key = 0; key < kKeyCount; ++key) {
    if (EqualIgnoringCase(word, kKeys[key])) return key;
  }
  return -1;
}

// At most kQuoteWidth characters of what the organiser wrote, bytes that would not print
// shown as \xNN: a message box or a terminal never receives a whole file or raw bytes.
std::string Quoted(std::string_view s) {
  std::string out = "\"";
  std::size_t shown = 0;
  for (char c : s) {
    const auto byte = static_cast<unsigned char>(c);
    const bool prints = byte >= 32 && byte < 127;
    if (shown + (prints ? 1 : 4) > kQuoteWidth) {
      out += "...";
      break;
    }
    if (prints) {
      out += c;
    } else {
      static constexpr char kHex[] = "0123456789ABCDEF";
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    }
    shown += prints ? 1 : 4;
  }
  return out + "\"";
}

std::string_view LineText(std::string_view text, int line) {
  std::size_t begin = 0;
  for (int n = 1; n < line && begin != std::string_view::npos; ++n) {
    begin = text.find('\n', begin);
    if (begin != std::string_view::npos) ++begin;
  }
  if (begin == std::string_view::npos) return {};
  std::string_view rest = text.substr(begin);
  rest = rest.substr(0, rest.find('\n'));
  if (!rest.empty() && rest.back() == '\r') rest.remove_suffix(1);
  return text::WithoutBlanks(rest);
}

bool IsWholeNumberText(std::string_view word) {
  if (!word.empty() && (word.front() == '+' || word.front() == '-')) word.remove_prefix(1);
  return !word.empty() && word.find_first_not_of("0123456789") == std::string_view::npos;
}

bool ControlValueInRange(int key, double value) {
  switch (key) {
    case 0:
    case 1:
    case 2:
      return ToleranceInRange(value);
    case 3:
    case 7:
      return FractionInRange(value);
    default:
      return BoutCountInRange(value);
  }
}

std::string RangeText(int key) {
  switch (key) {
    case 0:
    case 1:
    case 2:
      return "0 or more";
    case 3:
    case 7:
      return "from 0 to 1";
    default:
      return "a whole number from 0 to " + std::to_string(kMaxBoutsLimit);
  }
}

// A real in 15 characters with 7 significant digits: fixed notation in the first 11
// characters and 4 blanks for magnitudes from 0.1 to below 10,000,000, else (zero too)
// one digit, 7 decimals and a two-digit exponent. std::to_chars, unlike printf, does
// not depend on the process locale, so the file never gets a decimal comma.
std::string FormatControlReal(float value) {
  const double v = value;
  if (!std::isfinite(v))
    return text::PadLeft(std::isnan(v) ? "NaN" : (v < 0 ? "-Infinity" : "Infinity"), 15);
  std::string scientific = ToChars(v, std::chars_format::scientific, 6);
  const int exponent = std::atoi(scientific.c_str() + scientific.find('e') + 1);
  if (v != 0 && exponent >= -1 && exponent <= 6) {
    std::string fixed = ToChars(v, std::chars_format::fixed, 6 - exponent);
    if (exponent == 6) fixed += '.';
    return text::PadLeft(fixed, 11) + "    ";
  }
  // Seven significant digits shown with seven decimals: the eighth digit is always 0.
  const std::size_t e = scientific.find('e');
  scientific = scientific.substr(0, e) + "0E" + scientific.substr(e + 1);
  return text::PadLeft(scientific, 15);
}

enum class Stored { kOk, kNotANumber, kOutOfRange };

// Stores the value of one key when it is a number of the key's kind within its range.
Stored StoreValue(PairingControl& c, int key, std::string_view word) {
  const auto token = text::NumberToken(word);
  if (!token || token->size() != word.size()) return Stored::kNotANumber;
  if (IsRealKey(key)) {
    const std::optional<float> value = text::ReadFloat(word);
    if (!value) return Stored::kNotANumber;
    if (!ControlValueInRange(key, *value)) return Stored::kOutOfRange;
    *RealField(c, key) = *value;
    return Stored::kOk;
  }
  // A whole number too large for any integer is out of range, not "not a whole number".
  const std::optional<std::int64_t> value = text::ReadInteger(word);
  if (!value) return IsWholeNumberText(word) ? Stored::kOutOfRange : Stored::kNotANumber;
  if (!ControlValueInRange(key, static_cast<double>(*value))) return Stored::kOutOfRange;
  *IntegerField(c, key) = static_cast<std::int32_t>(*value);
  return Stored::kOk;
}

}  // namespace

bool ToleranceInRange(double value) { return value >= 0; }
bool FractionInRange(double value) { return value >= 0 && value <= 1; }
bool BoutCountInRange(double value) { return value >= 0 && value <= kMaxBoutsLimit; }

std::string FormatPairingControl(const PairingControl& control) {
  PairingControl c = control;
  std::string out = "$control\r\n";
  for (int key = 0; key < kKeyCount; ++key) {
    std::string line = text::PadRight(kKeys[key], kLabelWidth - 2) + "= ";
    line += IsRealKey(key) ? FormatControlReal(*RealField(c, key))
                           : text::FormatInt(*IntegerField(c, key), 12);
    line += ',';
    out += text::WithoutBlanks(line);
    out += "\r\n";
  }
  out += "$end\r\n";
  return out;
}

Status ParsePairingControl(std::string_view text, const std::string& file_name,
                           PairingControl* control) {
  if (text.size() > kMaxControlFileBytes) {
    return Status::BadControlFile(file_name + ": the file is larger than " +
                                  std::to_string(kMaxControlFileBytes / 1024) +
                                  " KB, too large for a control file");
  }
  // A text editor may have put a byte-order mark before "$control".
  std::string_view body = text;
  if (body.substr(0, 3) == "\xEF\xBB\xBF") body.remove_prefix(3);
  const std::vector<Token> tokens = Tokenize(body);
  auto error = [&](int line, const std::string& what) {
    return Status::BadControlFile(file_name + ", line " + std::to_string(line) + ": " + what +
                                  ": " + Quoted(LineText(text, line)));
  };
  if (tokens.empty()) return Status::BadControlFile(file_name + ": no $control group");
  if (!EqualIgnoringCase(tokens[0].Text, "$control")) {
    return error(tokens[0].Line, "the file does not start with $control");
  }
  PairingControl values = *control;
  for (std::size_t i = 1; i < tokens.size(); ++i) {
    const Token& word = tokens[i];
    if (EqualIgnoringCase(word.Text, "$end")) {
      *control = values;  // nothing after the closer is read
      return Status::Ok();
    }
    const int key = FindKey(word.Text);
    if (key < 0) return error(word.Line, "unknown key " + Quoted(word.Text));
    if (i + 1 >= tokens.size() || tokens[i + 1].Text != "=") {
      return error(word.Line, "no \"=\" after " + std::string(kKeys[key]));
    }
    if (i + 2 >= tokens.size() || tokens[i + 2].Text == "=" || tokens[i + 2].Text[0] == '$') {
      return error(tokens[i + 1].Line, "no value for " + std::string(kKeys[key]));
    }
    const Token& value = tokens[i + 2];
    const Stored stored = StoreValue(values, key, value.Text);
    if (stored == Stored::kNotANumber) {
      return error(value.Line, "the value " + Quoted(value.Text) + " of " +
                                   std::string(kKeys[key]) + " is not " +
                                   (IsRealKey(key) ? "a number" : "a whole number"));
    }
    if (stored == Stored::kOutOfRange) {
      return error(value.Line, "the value " + Quoted(value.Text) + " of " +
                                   std::string(kKeys[key]) + " is out of range: it must be " +
                                   RangeText(key));
    }
    i += 2;
  }
  return error(tokens.back().Line, "no $end after the $control group");
}

Status ReadPairingControl(FileSystem& fs, PairingControl* control) {
  const std::string name(kControlFileName);
  if (fs.Exists(name) && !fs.IsRegularFile(name)) {
    return Status::BadControlFile("Error opening file " + name + ": it is not a regular file");
  }
  std::string contents;
  if (Status status = fs.ReadFile(name, kMaxControlFileBytes, &contents); !status.ok()) {
    return Status::BadControlFile("Error opening file " + name + " (" + status.message() + ")");
  }
  return ParsePairingControl(contents, name, control);
}

Status WritePairingControl(FileSystem& fs, const PairingControl& control) {
  const std::string name(kControlFileName);
  // Written aside and renamed, so a full disk never leaves half a control file behind.
  const Status status = fs.WriteFileAtomic(name, FormatPairingControl(control), Links::kReplace);
  if (status.IsFolderBusy()) return status;
  if (!status.ok()) {
    return Status::BadControlFile("Error writing file " + name + " (" + status.message() + ")");
  }
  return Status::Ok();
}

Status LoadPairingControl(FileSystem& fs, PairingControl* control) {
  *control = PairingControl();
  if (fs.Exists(std::string(kControlFileName))) return ReadPairingControl(fs, control);
  return WritePairingControl(fs, *control);
}

}  // namespace kestrio::pairing
