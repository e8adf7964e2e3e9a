#pragma once

// Edit > Tag Duplicates and Edit > Empty Trash.

#include "roster/roster.h"

namespace kestrio::roster {

// Every entry that is not "Deleted" and matches an earlier (storage order), not "Deleted"
// entry on Weight, Age, Rating, LastName, FirstName and Club becomes "Duplicated"; then
// DisplayOrder is sorted. Fields match ignoring leading and
// trailing blanks and the case of A-Z; Status is not compared. Running it twice changes
// nothing more.
void TagDuplicates(Roster& roster);

// Removes every "Deleted" entry for good (the others keep their storage order), resets
// DisplayOrder and sorts it. KeyCount is unchanged.
void EmptyTrash(Roster& roster);

}  // namespace kestrio::roster
