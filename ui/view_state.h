#pragma once

// What the main window shows beyond the roster itself: the counters, the progress of
// the organiser's day, the tree filter and the layout flags.

#include <cstdint>
#include <string>
#include <vector>

#include "base/fixed_text.h"
#include "roster/roster.h"
#include "ui/tree_pane.h"

namespace kestrio::ui {

struct ViewState {
  // Recounted by every list refill.
  roster::RosterCounters RosterCounters;
  // At least 2 entries and at least 2 selected; set by the status rules.
  bool ReadyToPair = false;
  // A pairing run completed; cleared when the roster stops being ready to pair.
  bool PairingDone = false;
  // Save Project Data was done since start-up or the last Clear All.
  bool ProjectSaved = false;
  // Label of the selected tree node, blank-padded.
  text::FixedText<40> TreeFilterText;
  // The branch under which the selected tree node hangs; None for the root or a branch.
  TreeBranch FilterBranch = TreeBranch::None;
  // The status bar is shown (belongs to the window: survives a reset).
  bool StatusBarVisible = true;
  // Left edge of the list pane minus the splitter gap (belongs to the window).
  int SplitterX = 0;
  // The data-file save stores only the displayed entries.
  bool SaveDisplayedOnly = false;
  // What the organiser typed into the find box: only entries whose surname, first name
  // or club hold every word of it are displayed (belongs to the window: survives a reset).
  std::string FindText;
  // The storage index of the entry each list row shows, row by row, as of the last
  // refill: the next refill puts the cursor and the highlight back on the same wrestlers.
  std::vector<std::int32_t> RowEntries;
  // The status bar's guidance and statistics texts, without trailing blanks (each cut at
  // 512 characters).
  std::string GuidanceText;
  std::string StatsText;
};

// Start-up and Clear All: every field to its start value except StatusBarVisible,
// SplitterX and FindText; the roster's SortColumn back to 3 (Weight, ascending).
void ResetViewState(ViewState& view, roster::Roster& roster);

}  // namespace kestrio::ui
