#include "ui/status_rules.h"

#include <gtest/gtest.h>

#include "ui/command_ids.h"

namespace kestrio::ui {
namespace {

ViewState ViewWith(int entries, int displayed, int selected, int deleted = 0) {
  ViewState v;
  v.RosterCounters = {entries, displayed, selected, entries - selected - deleted, deleted, 0};
  return v;
}

bool On(const MenuState& s, int command) {
  EXPECT_TRUE(IsMenuCommand(command)) << command;
  return s.Enabled(command);
}

TEST(StatusTexts, GuidanceFollowsTheFirstMatchingRowAndDropsAFinishedRun) {
  struct Case {
    int entries, selected;
    bool done_before;
    const char* guidance;
    bool ready, done_after;
  };
  const Case cases[] = {
      {0, 0, true, "Load participants", false, false},
      {1, 1, true, "Load at least 2 participants", false, false},
      {5, 0, true, "Load More or Select Participants", false, false},
      {5, 1, true, "Load More or Select at least 2 participants", false, false},
      {5, 2, false, "Load/Select More or Execute Pairing", true, false},
      {5, 2, true, "Load/Select/Execute or Process Reports", true, true},
  };
  for (const Case& c : cases) {
    ViewState v = ViewWith(c.entries, c.entries, c.selected);
    v.PairingDone = c.done_before;
    RecomputeStatusTexts(v);
    EXPECT_EQ(v.GuidanceText, c.guidance);
    EXPECT_EQ(v.ReadyToPair, c.ready) << c.guidance;
    EXPECT_EQ(v.PairingDone, c.done_after) << c.guidance;
  }
}

TEST(StatusTexts, StatsUseSingularForOneEntryAndAsterisksForHugeCounts) {
  EXPECT_EQ(StatsText({12, 10, 9, 1, 2, 0}),
            "Stats:     12 Entries;     10 Displayed;     9 Selected;     1 Unassigned;     2 "
            "Deleted;     0 Known Duplicates;");
  EXPECT_EQ(StatsText({1, 1, 0, 1, 0, 0}).substr(0, 19), "Stats:     1 Entry;");
  EXPECT_EQ(StatsText({999999, 0, 0, 0, 0, 0}).substr(0, 25), "Stats:     999999 Entries");
  EXPECT_EQ(StatsText({1000000, 0, 0, 0, 0, 0}).substr(0, 25), "Stats:     ****** Entries");
}

TEST(MenuRules, PairingItemsOpenOnlyAfterSavingTheProjectWhileReady) {
  MenuState s;  // a fresh menu: everything but "Online Manual" enabled
  ViewState v = ViewWith(0, 0, 0);
  RecomputeStatusTexts(v);
  s = ComputeMenuState(v, s);
  EXPECT_FALSE(On(s, kCmdEditControls) || On(s, kCmdRunPairing) || On(s, kCmdSaveProjectData));
  EXPECT_FALSE(On(s, kCmdRunOptimal) || On(s, kCmdCompareEngines));

  v = ViewWith(2, 2, 2);
  RecomputeStatusTexts(v);
  s = ComputeMenuState(v, s);
  EXPECT_TRUE(On(s, kCmdSaveProjectData));
  EXPECT_FALSE(On(s, kCmdEditControls) || On(s, kCmdRunPairing));

  v.ProjectSaved = true;
  s = ComputeMenuState(v, s);
  EXPECT_TRUE(On(s, kCmdEditControls) && On(s, kCmdRunPairing) && On(s, kCmdSaveProjectData));
  EXPECT_TRUE(On(s, kCmdRunOptimal) && On(s, kCmdCompareEngines));

  // Readiness lost greys all three; regained, all three come back at once.
  v.RosterCounters = {2, 2, 1, 1, 0, 0};
  RecomputeStatusTexts(v);
  s = ComputeMenuState(v, s);
  EXPECT_FALSE(On(s, kCmdEditControls) || On(s, kCmdRunPairing) || On(s, kCmdSaveProjectData));
  v.RosterCounters = {2, 2, 2, 0, 0, 0};
  RecomputeStatusTexts(v);
  s = ComputeMenuState(v, s);
  EXPECT_TRUE(On(s, kCmdEditControls) && On(s, kCmdRunPairing) && On(s, kCmdSaveProjectData));

  // A fresh readiness without a saved project leaves the run where it was.
  MenuState fresh;
  ViewState unsaved = ViewWith(2, 2, 0);
  RecomputeStatusTexts(unsaved);
  fresh = ComputeMenuState(unsaved, fresh);
  unsaved.RosterCounters = {2, 2, 2, 0, 0, 0};
  RecomputeStatusTexts(unsaved);
  fresh = ComputeMenuState(unsaved, fresh);
  EXPECT_FALSE(On(fresh, kCmdRunPairing));
}

TEST(MenuRules, PerRowCommandsFollowTheDisplayedRowsAndRosterCommandsTheEntries) {
  // Entries exist but the tree filter shows none of them.
  ViewState v = ViewWith(3, 0, 0, 1);
  RecomputeStatusTexts(v);
  const MenuState s = ComputeMenuState(v, MenuState());
  for (int cmd : {kCmdSaveDisplayData, kCmdPrintDisplayData, kCmdSelect, kCmdToggle, kCmdUnSelect,
                  kCmdDelete, kCmdModify}) {
    EXPECT_FALSE(On(s, cmd)) << cmd;
  }
  for (int cmd : {kCmdClearAll, kCmdSaveAll, kCmdMarkAllSelected, kCmdMarkAllUnSelected,
                  kCmdTagDuplicates, kCmdEmptyTrash, kCmdOpen, kCmdAdd, kCmdExit, kCmdAbout}) {
    EXPECT_TRUE(On(s, cmd)) << cmd;
  }
  EXPECT_FALSE(On(s, kCmdOnlineManual));
  // The "Pairing Results" submenu is greyed with its three items.
  EXPECT_FALSE(SubmenuEnabled(s, MenuBar()[4].entries[0].children));

  ViewState one = ViewWith(1, 1, 0);
  RecomputeStatusTexts(one);
  const MenuState t = ComputeMenuState(one, s);
  EXPECT_FALSE(On(t, kCmdTagDuplicates));
  EXPECT_FALSE(On(t, kCmdEmptyTrash));
  EXPECT_TRUE(On(t, kCmdModify));
}

TEST(MenuLayout, EveryCommandIsFoundAndSubmenusFollowTheirItems) {
  for (int cmd : {kCmdOpen, kCmdExit, kCmdEmptyTrash, kCmdViewSummary, kCmdViewByClub,
                  kCmdViewByBoutNumber, kCmdViewBoutSheets, kCmdOnlineManual}) {
    EXPECT_TRUE(IsMenuCommand(cmd)) << cmd;
  }
  EXPECT_FALSE(IsMenuCommand(0));
  EXPECT_FALSE(IsMenuCommand(kCmdExit + 1000));
  const auto results = MenuBar()[4].entries[0].children;
  ASSERT_EQ(results.size(), 3u);
  EXPECT_EQ(results[1].command, kCmdViewByClub);

  MenuState state;
  EXPECT_TRUE(SubmenuEnabled(state, results));
  state.SetEnabled(kCmdViewSummary, false);
  state.SetEnabled(kCmdViewByClub, false);
  EXPECT_TRUE(SubmenuEnabled(state, results));
  state.SetEnabled(kCmdViewByBoutNumber, false);
  EXPECT_FALSE(SubmenuEnabled(state, results));
  state.SetEnabled(0, true);  // not on the menu bar: ignored
  EXPECT_FALSE(state.Enabled(0));
}

}  // namespace
}  // namespace kestrio::ui
