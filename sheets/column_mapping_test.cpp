#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sheets/column_mapping.h"

namespace kestrio::sheets {
namespace {

CellRow Headers(const std::vector<std::string>& texts) {
  CellRow row;
  for (const std::string& t : texts) row.push_back(t.empty() ? Cell() : Cell::OfText(t));
  return row;
}

// The mapping as "field=column letter" for the fields mapped, in field order.
std::string Mapped(const ColumnMapping& m) {
  std::string out;
  for (RosterField f : kRosterFields) {
    if (!m.Mapped(f)) continue;
    if (!out.empty()) out += ' ';
    out += std::string(FieldKey(f)) + "=" + ColumnLetters(static_cast<std::size_t>(m[f]));
  }
  return out;
}

TEST(HeaderGuessing, RealisticHeaderRows) {
  struct Case {
    std::vector<std::string> headers;
    std::string expected;
  };
  const Case cases[] = {
      // A registration system's export.
      {{"Registration ID", "Wrestler First Name", "Wrestler Last Name", "DOB", "Weight (lbs)",
        "Team", "Years Experience", "Parent Email"},
       "last=C first=B weight=E dob=D rating=G club=F"},
      // A coach's list.
      {{"Last", "First", "Wt", "Age", "Level", "School"},
       "last=A first=B weight=C age=D rating=E club=F"},
      // This program's own export, Weight Class left alone.
      {{"Last Name", "First Name", "Weight", "Age", "Rating", "Club", "Status", "Weight Class"},
       "last=A first=B weight=C age=D rating=E club=F status=G"},
      {{"Surname", "Given", "kg", "Birthdate", "Skill", "Club Name", "Selected"},
       "last=A first=B weight=C dob=D rating=E club=F status=G"},
      {{"Name", "Family Name", "Given Name", "Date of Birth", "Weigh-in", "Club"},
       "last=B first=C weight=E dob=D club=F"},
      {{"LAST NAME", "FIRST NAME", "WT.", "D.O.B.", "EXP", "TEAM", "WRESTLING?"},
       "last=A first=B weight=C dob=D rating=E club=F status=G"},
      // Things that are not the fields: an age group, a weight class, a coach's name.
      {{"First Name", "Last Name", "Age Group", "Weight Class", "Actual Weight", "Age",
        "Coach Last Name", "Team/Club"},
       "last=B first=A weight=E age=F club=H"},
      {{"lastname", "firstname", "lbs", "birth_date", "rating", "organization", "status"},
       "last=A first=B weight=C dob=D rating=E club=F status=G"},
      {{"Athlete Last Name", "Athlete First Name", "Birthday", "Weight", "Skill Level",
        "School Name", "Grade", "Payment Status"},
       "last=A first=B weight=D dob=C rating=E club=F"},
      {{"Forename", "Surname", "Born", "Kgs", "Ability", "Club", "Attending"},
       "last=B first=A weight=D dob=C rating=E club=F status=G"},
      // Two weight columns: the one named exactly wins.
      {{"Last Name", "First Name", "Weight at Check-in", "Weight", "Age", "Team"},
       "last=A first=B weight=D age=E club=F"},
      {{"Place of Birth", "Last Updated", "Last Name", "First Name", "Wt", "Age", "Team Coach"},
       "last=C first=D weight=E age=F"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Mapped(GuessMapping(Headers(c.headers))), c.expected) << c.headers[0];
  }
}

TEST(HeaderGuessing, TheHeaderRowIsTheOneNamingMostFields) {
  CellRows rows = {Headers({"Spring Scrimmage 2024"}), Headers({"", "Ashford Wrestling Club"}),
                   Headers({"Last", "First", "Wt", "Age", "Exp", "Team"}),
                   Headers({"Smith", "John", "72", "10", "3", "Tigers"})};
  EXPECT_EQ(GuessHeaderRow(rows), 2u);
  // No row names two fields: a sheet without headers.
  EXPECT_EQ(GuessHeaderRow({Headers({"Smith", "John", "72"}), Headers({"Weight"})}), std::nullopt);
  EXPECT_EQ(Mapped(PositionalMapping()), "last=A first=B weight=C age=D rating=E club=F status=G");
}

TEST(ColumnsOption, HeadersNumbersAndLettersOverTheGuess) {
  const CellRow headers = Headers({"Surname", "Given", "Wt", "Birth Date", "Team", "Notes"});
  const ColumnMapping guessed = GuessMapping(headers);
  ColumnsOption applied =
      ApplyColumnsOption("last=surname, first=2,weight=C , dob=Birth Date,club=", headers, guessed);
  ASSERT_EQ(applied.error, "");
  EXPECT_EQ(Mapped(applied.mapping), "last=A first=B weight=C dob=D");
  // A field given a column another field guessed takes it from that field.
  applied = ApplyColumnsOption("rating=Team", headers, guessed);
  EXPECT_EQ(Mapped(applied.mapping), "last=A first=B weight=C dob=D rating=E");

  EXPECT_EQ(ApplyColumnsOption("height=Wt", headers, guessed).error,
            "bad --columns entry 'height=Wt' (use last, first, weight, age, dob, rating, club or "
            "status=COLUMN)");
  EXPECT_EQ(ApplyColumnsOption("weight=Weight", headers, guessed).error,
            "--columns: the sheet has no column 'Weight'");
  EXPECT_EQ(ApplyColumnsOption("last=A,first=1", headers, guessed).error,
            "--columns gives column '1' to both last and first");
  EXPECT_EQ(ApplyColumnsOption("last=A,last=B", headers, guessed).error,
            "--columns names last twice");
}

TEST(ColumnsOption, TheRememberedFormReadsBackAsTheSameMapping) {
  const CellRow headers = Headers({"Last", "First", "Wt", "", "Team, Club", "DOB", "Wt"});
  ColumnMapping m;
  m[RosterField::LastName] = 0;
  m[RosterField::FirstName] = 1;
  m[RosterField::Weight] = 6;  // a header used twice is named by number
  m[RosterField::Rating] = 3;  // a column without a header too
  m[RosterField::Club] = 4;    // a header with a comma too
  m[RosterField::BirthDate] = 5;
  const std::string text = FormatColumnsOption(m, headers);
  EXPECT_EQ(text, "last=Last,first=First,weight=7,age=,dob=DOB,rating=4,club=5,status=");
  EXPECT_EQ(ApplyColumnsOption(text, headers, GuessMapping(headers)).mapping, m);
  EXPECT_EQ(HeaderKey(headers), "Last\tFirst\tWt\t\tTeam, Club\tDOB\tWt");
}

}  // namespace
}  // namespace kestrio::sheets
