#include <gtest/gtest.h>

#include "sheets/dates.h"

namespace kestrio::sheets {
namespace {

CivilDate D(int y, int m, int d) { return {y, m, d}; }

TEST(Ages, WholeYearsAndTheHundredthsGoneByCutNotRounded) {
  EXPECT_EQ(AgeText(D(2014, 3, 15), D(2024, 3, 15)), "10.00");  // the birthday itself
  EXPECT_EQ(AgeText(D(2014, 3, 15), D(2024, 3, 14)), "9.99");   // never 10.00 the day before
  EXPECT_EQ(AgeText(D(2014, 3, 15), D(2024, 9, 14)), "10.50");  // 183 of 365 days
  EXPECT_EQ(AgeText(D(2014, 3, 15), D(2014, 3, 15)), "0.00");
  EXPECT_EQ(AgeText(D(2013, 12, 31), D(2024, 1, 1)), "10.00");  // 1 of 366 days is 0.27 %
}

TEST(Ages, LeapDayBirthdaysFallOnTheFirstOfMarchInOtherYears) {
  EXPECT_EQ(AgeText(D(2012, 2, 29), D(2013, 2, 28)), "0.99");
  EXPECT_EQ(AgeText(D(2012, 2, 29), D(2013, 3, 1)), "1.00");
  EXPECT_EQ(AgeText(D(2012, 2, 29), D(2016, 2, 29)), "4.00");
  EXPECT_EQ(AgeText(D(2012, 2, 29), D(2016, 2, 28)), "3.99");
  // Born the day after a leap day: the year to the next birthday has 366 days.
  EXPECT_EQ(AgeHundredths(D(2015, 3, 1), D(2016, 2, 29)), 99);
  // The event on a leap day for someone born on 28 February.
  EXPECT_EQ(AgeText(D(2014, 2, 28), D(2024, 2, 29)), "10.00");
}

TEST(DateSerials, TheTwoSystemsAndTheLeapDayThatNeverWas) {
  EXPECT_EQ(DateFromSerial(1, false), D(1900, 1, 1));
  EXPECT_EQ(DateFromSerial(59, false), D(1900, 2, 28));
  EXPECT_EQ(DateFromSerial(60, false), std::nullopt);  // 29 February 1900
  EXPECT_EQ(DateFromSerial(61, false), D(1900, 3, 1));
  EXPECT_EQ(DateFromSerial(41000.75, false), D(2012, 4, 1));  // the time is dropped
  EXPECT_EQ(DateFromSerial(0, true), D(1904, 1, 1));
  EXPECT_EQ(DateFromSerial(39538, true), D(2012, 4, 1));
  EXPECT_EQ(DateFromSerial(0, false), std::nullopt);
  EXPECT_EQ(DateFromSerial(-5, false), std::nullopt);
  EXPECT_EQ(DateFromSerial(1e12, false), std::nullopt);
}

TEST(DateTexts, TheFormsSpreadsheetsHold) {
  const auto mdy = DateOrder::MonthFirst;
  const auto dmy = DateOrder::DayFirst;
  EXPECT_EQ(ParseDateText("2012-03-04", dmy, 2024), D(2012, 3, 4));
  EXPECT_EQ(ParseDateText("2012-03-04T00:00:00", dmy, 2024), D(2012, 3, 4));
  EXPECT_EQ(ParseDateText("2012/3/4", mdy, 2024), D(2012, 3, 4));
  EXPECT_EQ(ParseDateText("03/04/2012", mdy, 2024), D(2012, 3, 4));
  EXPECT_EQ(ParseDateText("03/04/2012", dmy, 2024), D(2012, 4, 3));
  EXPECT_EQ(ParseDateText("3.4.12 0:00", dmy, 2024), D(2012, 4, 3));
  EXPECT_EQ(ParseDateText("4-Mar-12", mdy, 2024), D(2012, 3, 4));
  EXPECT_EQ(ParseDateText("Mar 4, 2012", dmy, 2024), D(2012, 3, 4));
  EXPECT_EQ(ParseDateText("4 March 2012", mdy, 2024), D(2012, 3, 4));
  // A two-digit year is the latest such year not after the event.
  EXPECT_EQ(ParseDateText("1/2/24", mdy, 2024), D(2024, 1, 2));
  EXPECT_EQ(ParseDateText("1/2/25", mdy, 2024), D(1925, 1, 2));
  for (const char* bad : {"", "31/04/2012", "2012-02-30", "13/13/2012", "tomorrow", "12", "1/2",
                          "Smith", "2012-03-04-05", "3/4/201"}) {
    EXPECT_EQ(ParseDateText(bad, mdy, 2024), std::nullopt) << bad;
  }
}

TEST(DateTexts, WhatADateSaysAboutItsOrder) {
  const DateTextReading either = ReadDateText("03/04/2012", 2024);
  EXPECT_TRUE(either.needs_order && either.month_first_ok && either.day_first_ok);
  const DateTextReading day_first = ReadDateText("31/12/2012", 2024);
  EXPECT_TRUE(day_first.needs_order && day_first.day_first_ok && !day_first.month_first_ok);
  const DateTextReading iso = ReadDateText("2012-12-31", 2024);
  EXPECT_TRUE(iso.is_date && !iso.needs_order);
  EXPECT_FALSE(ReadDateText("31/31/2012", 2024).is_date);
}

TEST(IsoDates, OnlyTheExactForm) {
  EXPECT_EQ(ParseIsoDate("2024-02-29"), D(2024, 2, 29));
  EXPECT_EQ(ParseIsoDate("2023-02-29"), std::nullopt);
  EXPECT_EQ(ParseIsoDate("2024-2-9"), std::nullopt);
  EXPECT_EQ(FormatIsoDate(D(2024, 2, 9)), "2024-02-09");
  for (long days : {-800000L, -1L, 0L, 19000L, 2932896L}) {
    EXPECT_EQ(DaysFromCivil(CivilFromDays(days)), days);
  }
}

}  // namespace
}  // namespace kestrio::sheets
