#pragma once

// Calendar dates as spreadsheets hold them, and ages in years at an event.
//
// Registration forms ask for a date of birth; the roster holds an age in years with two
// decimals. A spreadsheet holds a date as a serial number (days since 1900, or since
// 1904 in some older workbooks), as an ISO date ("2012-03-04"), or as the text its
// author's locale writes: "03/04/2012" is 4 March in the United States and 3 April in
// most other countries, which only the other dates of the column can tell apart.

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace kestrio::sheets {

struct CivilDate {
  int year = 1970;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  auto operator<=>(const CivilDate&) const = default;
};

bool IsValidDate(const CivilDate& date);

// Days since 1970-01-01 (negative before), and back.
long DaysFromCivil(const CivilDate& date);
CivilDate CivilFromDays(long days);

// "2012-03-04".
std::string FormatIsoDate(const CivilDate& date);

// Exactly YYYY-MM-DD, a valid date; else nothing.
std::optional<CivilDate> ParseIsoDate(std::string_view text);

// The local calendar date of the machine's clock.
CivilDate LocalToday();

// The day a workbook's date serial stands for (its fraction, the time of day, dropped).
// In the 1900 system serial 1 is 1900-01-01 and serial 60 the 29 February 1900 that
// never was (nothing); in the 1904 system serial 0 is 1904-01-01. Nothing for a serial
// before the first day or beyond the year 9999.
std::optional<CivilDate> DateFromSerial(double serial, bool date1904);

// Which of day and month comes first in a date written with the year last.
enum class DateOrder { MonthFirst, DayFirst };

std::string_view DateOrderName(DateOrder order);  // "Month/Day/Year", "Day/Month/Year"

// What the text of one date allows.
struct DateTextReading {
  bool is_date = false;         // readable in at least one order
  bool needs_order = false;     // all numbers, year last: the order decides
  bool month_first_ok = false;  // valid read month first (when needs_order)
  bool day_first_ok = false;    // valid read day first (when needs_order)
};

// Reads the date forms spreadsheets hold: year first ("2012-03-04", "2012/3/4", an ISO
// date and time), numbers with the year last ("3/4/2012", "03.04.12", read in order),
// and English month names ("4-Mar-2012", "Mar 4, 2012", "4 March 2012"). A time after
// the date is ignored. A two-digit year is the latest year ending in those digits that is
// not after pivot_year (for birth dates: the event's year). Nothing for other texts or
// invalid dates (31 April).
std::optional<CivilDate> ParseDateText(std::string_view text, DateOrder order, int pivot_year);
DateTextReading ReadDateText(std::string_view text, int pivot_year);

// The age at event of someone born on birth, in hundredths of a year, cut (not rounded),
// so that no one is counted a year older before the birthday: whole years since the
// last birthday plus the part of the year to the next one that has gone by. A birthday
// on 29 February falls on 1 March in other years. birth must not be after event.
int AgeHundredths(const CivilDate& birth, const CivilDate& event);

// The age with two decimals, as the roster writes it ("10.53").
std::string AgeText(const CivilDate& birth, const CivilDate& event);

}  // namespace kestrio::sheets
