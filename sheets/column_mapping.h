#pragma once

// Which column of a sheet holds which roster field, guessed from the header row or told
// by the organiser ("last=Surname,first=Given,weight=Wt,dob=Birth Date").

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "sheets/cells.h"

namespace kestrio::sheets {

// The fields a sheet can supply. A birth date stands in for the age when no column
// holds the age.
enum class RosterField { LastName, FirstName, Weight, Age, BirthDate, Rating, Club, Status };
inline constexpr int kRosterFieldCount = 8;
inline constexpr std::array<RosterField, kRosterFieldCount> kRosterFields = {
    RosterField::LastName,  RosterField::FirstName, RosterField::Weight, RosterField::Age,
    RosterField::BirthDate, RosterField::Rating,    RosterField::Club,   RosterField::Status};

// "Last Name", "First Name", "Weight", "Age", "Date of Birth", "Rating", "Club", "Status".
std::string_view FieldCaption(RosterField field);
// The names --columns takes: "last", "first", "weight", "age", "dob", "rating", "club",
// "status".
std::string_view FieldKey(RosterField field);

inline constexpr int kUnmapped = -1;

struct ColumnMapping {
  // 0-based column of each field, kUnmapped when the sheet has none.
  std::array<int, kRosterFieldCount> column{kUnmapped, kUnmapped, kUnmapped, kUnmapped,
                                            kUnmapped, kUnmapped, kUnmapped, kUnmapped};

  int& operator[](RosterField f) { return column[static_cast<std::size_t>(f)]; }
  int operator[](RosterField f) const { return column[static_cast<std::size_t>(f)]; }
  bool Mapped(RosterField f) const { return (*this)[f] != kUnmapped; }
  bool operator==(const ColumnMapping&) const = default;
};

// The field a header names ("Wt", "Surname", "DOB", "Team"), compared without case,
// blanks and punctuation; nothing when it names none. "Weight Class" and "Age Group"
// name no field: they are derived from a field, not the field itself.
std::optional<RosterField> FieldOfHeader(std::string_view header);

// The row among the first rows whose cells name the most fields (at least two), or
// nothing when no row does (a sheet without headers).
std::optional<std::size_t> GuessHeaderRow(const CellRows& rows);

// Each field the first header that names it; a column holds at most one field.
ColumnMapping GuessMapping(const CellRow& headers);

// The order of a roster text file, for a sheet without headers: Last Name, First Name,
// Weight, Age, Rating, Club, Status in columns A to G.
ColumnMapping PositionalMapping();

struct ColumnsOption {
  ColumnMapping mapping;
  std::string error;  // empty on success
};

// Applies a --columns text to guessed: "key=column" pairs separated by commas, where
// key is a FieldKey and column a header (without case), a column number from 1 or a
// column's letters ("C"); an empty column ("club=") unmaps the field. Fields not named
// keep their guess unless their column was given to another field.
ColumnsOption ApplyColumnsOption(std::string_view text, const CellRow& headers,
                                 const ColumnMapping& guessed);

// The mapping as a --columns text, naming columns by their headers where they have one
// and by number otherwise; the form remembered for files with the same headers.
std::string FormatColumnsOption(const ColumnMapping& mapping, const CellRow& headers);

// A key for "a file with the same headers": the header texts, blanks trimmed, joined
// by TABs. Empty for a sheet without headers.
std::string HeaderKey(const CellRow& headers);

}  // namespace kestrio::sheets
