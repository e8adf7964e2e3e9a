#include "sheets/dates.h"

#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

namespace kestrio::sheets {
namespace {

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

// The birthday of someone born on birth in the given year.
CivilDate BirthdayIn(const CivilDate& birth, int year) {
  if (birth.month == 2 && birth.day == 29 && !IsLeap(year)) return {year, 3, 1};
  return {year, birth.month, birth.day};
}

// A token of a date text: a run of digits or a run of letters.
struct Token {
  std::string_view text;
  bool digits = false;
};

std::vector<Token> Tokenise(std::string_view text) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (std::isdigit(c) || std::isalpha(c)) {
      const bool digits = std::isdigit(c) != 0;
      std::size_t end = i;
      while (end < text.size()) {
        const auto d = static_cast<unsigned char>(text[end]);
        if (digits ? !std::isdigit(d) : !std::isalpha(d)) break;
        ++end;
      }
      tokens.push_back({text.substr(i, end - i), digits});
      i = end;
    } else if (c == ' ' || c == '-' || c == '/' || c == '.' || c == ',') {
      ++i;
    } else {
      return {};  // not a date character
    }
  }
  return tokens;
}

// The date part of a text that may carry a time: "2012-03-04T10:00:00", "3/4/2012 0:00".
std::string_view DatePart(std::string_view text) {
  const auto begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  text.remove_prefix(begin);
  const auto colon = text.find(':');
  if (colon != std::string_view::npos) {
    // Cut before the token that holds the colon (the hour), and a "T" joining it.
    auto cut = text.find_last_of(" T", colon);
    if (cut == std::string_view::npos) return {};
    text = text.substr(0, cut);
  }
  while (!text.empty() && (text.back() == ' ' || text.back() == ',')) text.remove_suffix(1);
  return text;
}

int Number(std::string_view digits) {
  int n = 0;
  for (char c : digits) n = n * 10 + (c - '0');
  return n;
}

int MonthByName(std::string_view name) {
  static constexpr std::array<std::string_view, 12> kMonths = {
      "january", "february", "march",     "april",   "may",      "june",
      "july",    "august",   "september", "october", "november", "december"};
  if (name.size() < 3 || name.size() > 9) return 0;
  std::string lower;
  for (char c : name)
    lower.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  if (lower == "sept") return 9;
  for (std::size_t m = 0; m < kMonths.size(); ++m) {
    if (lower.size() == 3 ? kMonths[m].substr(0, 3) == lower : kMonths[m] == lower) {
      return static_cast<int>(m) + 1;
    }
  }
  return 0;
}

// A year token: four digits as written, two digits the latest such year not after pivot.
std::optional<int> Year(const Token& t, int pivot_year) {
  if (!t.digits) return std::nullopt;
  if (t.text.size() == 4) return Number(t.text);
  if (t.text.size() != 2) return std::nullopt;
  const int yy = Number(t.text);
  int year = pivot_year - ((pivot_year % 100) - yy);
  if (year > pivot_year) year -= 100;
  return year;
}

std::optional<int> DayOrMonth(const Token& t) {
  if (!t.digits || t.text.size() > 2) return std::nullopt;
  return Number(t.text);
}

std::optional<CivilDate> Checked(std::optional<int> y, std::optional<int> m, std::optional<int> d) {
  if (!y || !m || !d) return std::nullopt;
  const CivilDate date{*y, *m, *d};
  return IsValidDate(date) ? std::optional<CivilDate>(date) : std::nullopt;
}

// The forms whose order the text itself shows: year first, or a month name.
std::optional<CivilDate> SelfOrdered(const std::vector<Token>& t, int pivot_year, bool* found) {
  *found = true;
  if (t[0].digits && t[0].text.size() == 4) {
    const std::optional<int> month =
        t[1].digits ? DayOrMonth(t[1]) : std::optional<int>(MonthByName(t[1].text));
    return Checked(Number(t[0].text), month, DayOrMonth(t[2]));
  }
  if (!t[0].digits)
    return Checked(Year(t[2], pivot_year), MonthByName(t[0].text), DayOrMonth(t[1]));
  if (!t[1].digits)
    return Checked(Year(t[2], pivot_year), MonthByName(t[1].text), DayOrMonth(t[0]));
  *found = false;
  return std::nullopt;
}

}  // namespace

bool IsValidDate(const CivilDate& date) {
  return date.year >= 1 && date.year <= 9999 && date.month >= 1 && date.month <= 12 &&
         date.day >= 1 && date.day <= DaysInMonth(date.year, date.month);
}

long DaysFromCivil(const CivilDate& date) {
  const long y = date.year - (date.month <= 2 ? 1 : 0);
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  const long m = date.month;
  const long doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + date.day - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

CivilDate CivilFromDays(long days) {
  days += 719468;
  const long era = (days >= 0 ? days : days - 146096) / 146097;
  const long doe = days - era * 146097;
  const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
  return {year, month, day};
}

std::string FormatIsoDate(const CivilDate& date) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date.year, date.month, date.day);
  return buffer;
}

std::optional<CivilDate> ParseIsoDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
  }
  const CivilDate date{Number(text.substr(0, 4)), Number(text.substr(5, 2)),
                       Number(text.substr(8, 2))};
  return IsValidDate(date) ? std::optional<CivilDate>(date) : std::nullopt;
}

CivilDate LocalToday() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::optional<CivilDate> DateFromSerial(double serial, bool date1904) {
  if (!std::isfinite(serial) || serial < 0 || serial > 3e6) return std::nullopt;
  const long whole = static_cast<long>(std::floor(serial));
  long days;  // since 1970-01-01
  if (date1904) {
    days = DaysFromCivil({1904, 1, 1}) + whole;
  } else {
    if (whole < 1 || whole == 60) return std::nullopt;
    // The 1900 system counts a 29 February 1900, so serials after it are one day ahead.
    days = DaysFromCivil({1899, 12, 31}) + whole - (whole > 60 ? 1 : 0);
  }
  const CivilDate date = CivilFromDays(days);
  if (date.year > 9999) return std::nullopt;
  return date;
}

std::string_view DateOrderName(DateOrder order) {
  return order == DateOrder::MonthFirst ? "Month/Day/Year" : "Day/Month/Year";
}

std::optional<CivilDate> ParseDateText(std::string_view text, DateOrder order, int pivot_year) {
  const std::vector<Token> t = Tokenise(DatePart(text));
  if (t.size() != 3) return std::nullopt;
  bool self_ordered = false;
  std::optional<CivilDate> date = SelfOrdered(t, pivot_year, &self_ordered);
  if (self_ordered) return date;
  if (!t[0].digits || !t[1].digits || !t[2].digits) return std::nullopt;
  const Token& month = order == DateOrder::MonthFirst ? t[0] : t[1];
  const Token& day = order == DateOrder::MonthFirst ? t[1] : t[0];
  return Checked(Year(t[2], pivot_year), DayOrMonth(month), DayOrMonth(day));
}

DateTextReading ReadDateText(std::string_view text, int pivot_year) {
  DateTextReading reading;
  const std::vector<Token> t = Tokenise(DatePart(text));
  if (t.size() != 3) return reading;
  bool self_ordered = false;
  const std::optional<CivilDate> date = SelfOrdered(t, pivot_year, &self_ordered);
  if (self_ordered) {
    reading.is_date = date.has_value();
    return reading;
  }
  reading.month_first_ok = ParseDateText(text, DateOrder::MonthFirst, pivot_year).has_value();
  reading.day_first_ok = ParseDateText(text, DateOrder::DayFirst, pivot_year).has_value();
  reading.is_date = reading.month_first_ok || reading.day_first_ok;
  reading.needs_order = reading.is_date;
  return reading;
}

int AgeHundredths(const CivilDate& birth, const CivilDate& event) {
  int years = event.year - birth.year;
  if (event < BirthdayIn(birth, event.year)) --years;
  const long last = DaysFromCivil(BirthdayIn(birth, birth.year + years));
  const long next = DaysFromCivil(BirthdayIn(birth, birth.year + years + 1));
  const long gone = DaysFromCivil(event) - last;
  return years * 100 + static_cast<int>(gone * 100 / (next - last));
}

std::string AgeText(const CivilDate& birth, const CivilDate& event) {
  const int h = AgeHundredths(birth, event);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%d.%02d", h / 100, h % 100);
  return buffer;
}

}  // namespace kestrio::sheets
