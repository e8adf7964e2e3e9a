#pragma once

// Test support: a roster loaded from text as File > Open loads it.

#include <string>

#include "roster/roster.h"
#include "roster/roster_reader.h"
#include "roster/sort_display_order.h"

namespace kestrio::roster::testing {

// The entries of text in storage order, DisplayOrder reset and sorted by SortColumn.
inline Roster Loaded(const std::string& text) {
  Roster roster;
  ReadRosterText(text, roster, IgnoreSkippedLines());
  ResetDisplayOrder(roster);
  SortDisplayOrder(roster);
  return roster;
}

}  // namespace kestrio::roster::testing
