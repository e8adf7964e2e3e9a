#pragma once

// What the main window shows beyond the roster itself: the counters, the progress of
// the organiser's day, the tree filter and the layout flags.

#include <string>

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
  // The status bar's guidance and statistics texts, without trailing blanks (each cut at
  // 512 characters).
  std::string GuidanceText;
  std::string StatsText;
};

// Start-up and Clear All: every field to its start value except StatusBarVisible and
// SplitterX; the roster's SortColumn back to 3 (Weight, ascending).
void ResetViewState(ViewState& view, roster::Roster& roster);

}  // namespace kestrio::ui
