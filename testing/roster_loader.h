#pragma once

// A roster loaded from text as File > Open loads it.

#include <string>

#include "roster/roster.h"
#include "roster/roster_reader.h"
#include "roster/sort_display_order.h"

namespace kestrio::testing {

// The entries of text in storage order, DisplayOrder reset and sorted by SortColumn.
inline roster::Roster Loaded(const std::string& text) {
  roster::Roster roster;
  roster::ReadRosterText(text, roster, roster::IgnoreSkippedLines());
  roster::ResetDisplayOrder(roster);
  roster::SortDisplayOrder(roster);
  return roster;
}

}  // namespace kestrio::testing
