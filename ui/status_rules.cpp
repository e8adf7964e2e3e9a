#include "ui/status_rules.h"

#include "base/number_text.h"
#include "ui/command_ids.h"

namespace kestrio::ui {

namespace {

constexpr std::size_t kStatusTextWidth = 512;

void AppendCounter(std::string& out, int value, std::string_view label) {
  out += "     ";
  out += text::WithoutBlanks(text::FormatInt(value, 6));
  out += label;
}

void SetAll(MenuState& state, std::initializer_list<int> commands, bool enabled) {
  for (int command : commands) state.SetEnabled(command, enabled);
}

}  // namespace

std::string StatsText(const roster::RosterCounters& c) {
  std::string out = "Stats:";
  AppendCounter(out, c.EntryTotal, c.EntryTotal == 1 ? " Entry;" : " Entries;");
  AppendCounter(out, c.DisplayedCount, " Displayed;");
  AppendCounter(out, c.SelectedCount, " Selected;");
  AppendCounter(out, c.UnassignedCount, " Unassigned;");
  AppendCounter(out, c.DeletedCount, " Deleted;");
  AppendCounter(out, c.DuplicateCount, " Known Duplicates;");
  if (out.size() > kStatusTextWidth) out.resize(kStatusTextWidth);
  return out;
}

void RecomputeStatusTexts(ViewState& view) {
  const roster::RosterCounters& c = view.RosterCounters;
  view.ReadyToPair = false;
  if (c.EntryTotal == 0) {
    view.GuidanceText = "Load participants";
  } else if (c.EntryTotal == 1) {
    view.GuidanceText = "Load at least 2 participants";
  } else if (c.SelectedCount == 0) {
    view.GuidanceText = "Load More or Select Participants";
  } else if (c.SelectedCount == 1) {
    view.GuidanceText = "Load More or Select at least 2 participants";
  } else {
    view.ReadyToPair = true;
    view.GuidanceText = view.PairingDone ? "Load/Select/Execute or Process Reports"
                                         : "Load/Select More or Execute Pairing";
  }
  // A pairing result stays "done" only while the roster stays ready; reselecting later
  // does not bring it back.
  if (!view.ReadyToPair) view.PairingDone = false;
  view.StatsText = StatsText(c);
}

MenuState ComputeMenuState(const ViewState& view, const MenuState& previous) {
  MenuState state = previous;
  const roster::RosterCounters& c = view.RosterCounters;
  if (!view.ReadyToPair) {
    SetAll(
        state,
        {kCmdEditControls, kCmdRunPairing, kCmdRunOptimal, kCmdCompareEngines, kCmdSaveProjectData},
        false);
  } else if (view.ProjectSaved) {
    // Save Project Data comes back with the other two: after the roster lost and regained
    // its readiness the organiser may want to save the new selection again.
    SetAll(
        state,
        {kCmdEditControls, kCmdRunPairing, kCmdRunOptimal, kCmdCompareEngines, kCmdSaveProjectData},
        true);
  } else {
    state.SetEnabled(kCmdSaveProjectData, true);
  }
  SetAll(state,
         {kCmdViewSummary, kCmdViewByClub, kCmdViewByBoutNumber, kCmdViewExceptions,
          kCmdViewBoutSheets, kCmdExportBouts},
         view.PairingDone);
  SetAll(state, {kCmdClearAll, kCmdSaveAll, kCmdMarkAllSelected, kCmdMarkAllUnSelected},
         c.EntryTotal != 0);
  SetAll(state,
         {kCmdSaveDisplayData, kCmdExportRoster, kCmdPrintDisplayData, kCmdSelect, kCmdToggle,
          kCmdUnSelect, kCmdDelete, kCmdModify},
         c.DisplayedCount != 0);
  state.SetEnabled(kCmdTagDuplicates, c.EntryTotal >= 2);
  state.SetEnabled(kCmdEmptyTrash, c.DeletedCount != 0);
  return state;
}

}  // namespace kestrio::ui
