#pragma once

// One roster entry (a wrestler) and the statuses it can carry.

#include <array>
#include <string_view>

#include "base/fixed_text.h"

namespace kestrio::roster {

using text::FixedText;

// The columns the list can be sorted by (ColumnId 1..8), each with its ordering key.
inline constexpr int kSortKeyColumns = 8;

// The texts are fixed-length and blank-padded. Weight, Age and Rating hold numbers
// written by the line parser with two decimals, right-aligned ("     72.00"); AgeYears
// and WeightClass hold whole numbers followed by a period ("       75.").
//
// An entry holds its fields and nothing else, 180 bytes: the pairing run computes every
// goodness of fit when it needs it, and a sort compares the fields themselves
// (roster/sort_key.h), so no per-pair or per-column texts are kept.
struct Participant {
  FixedText<40> FirstName;
  FixedText<40> LastName;
  FixedText<10> Age;
  FixedText<10> Weight;
  FixedText<10> Rating;
  FixedText<15> Club;
  FixedText<15> Status;
  FixedText<10> AgeYears;
  FixedText<10> WeightClass;
};

// The column numbering used by the list, by sorting and by the keys.
enum class ColumnId : int {
  LastName = 1,
  FirstName = 2,
  Weight = 3,
  Age = 4,
  Rating = 5,
  Club = 6,
  Status = 7,
  WeightClass = 8,
};

// Column caption for ColumnId 1..8 ("Last Name", ..., "Weight Class"); empty otherwise.
std::string_view ColumnCaption(int column_id);

// The status values, exact spelling and case.
namespace ParticipantStatus {
inline constexpr std::string_view Selected = "Selected";
inline constexpr std::string_view UnSelected = "UnSelected";
inline constexpr std::string_view Deleted = "Deleted";
inline constexpr std::string_view Duplicated = "Duplicated";
// Taken off the bout board after the run (a no-show, an injury): kept, never paired.
// Written and read like any other status text, so saved files keep it.
inline constexpr std::string_view Scratched = "Scratched";
// A blank status is shown as this in counts, views and the tree.
inline constexpr std::string_view Unassigned = "Unassigned";
}  // namespace ParticipantStatus

// Status tests: the status trimmed and left-adjusted, compared exactly with the value.
bool HasStatus(const Participant& p, std::string_view value);
inline bool IsSelected(const Participant& p) { return HasStatus(p, ParticipantStatus::Selected); }
inline bool IsDeleted(const Participant& p) { return HasStatus(p, ParticipantStatus::Deleted); }
inline bool IsDuplicated(const Participant& p) {
  return HasStatus(p, ParticipantStatus::Duplicated);
}
inline bool IsUnassigned(const Participant& p) { return p.Status.IsBlank(); }

// Writes a status value left-aligned and blank-padded (an empty value blanks it).
void SetStatus(Participant& p, std::string_view value);

}  // namespace kestrio::roster
