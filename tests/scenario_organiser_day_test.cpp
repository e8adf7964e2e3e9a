// The organiser's whole day played through the command dispatch: open, filter, select,
// add and modify, tag duplicates, empty the trash, save, edit the parameters, run the
// pairing and view the reports, checking what the window is told after each step.

#include <gtest/gtest.h>

#include "pairing/pairing_control.h"
#include "tests/session_day.h"
#include "ui/command_ids.h"
#include "ui/session.h"

namespace kestrio::ui::organiser_day {
namespace {

using testing::FakeUi;

const char kRoster[] =
    "Adams\tAl\t72\t10\t3\tTigers\r\n"
    "Baker\tBo\t75\t11\t2\tTigers\r\n"
    "Cole\tCy\t70\t10\t3\tLions\r\n"
    "Dunn\tDi\tabc\t10\t3\tLions\r\n"  // not a number: skipped with a warning
    "Evans\tEd\t74\t11\t2\tLions\r\n";

class OrganiserDay : public testing::SessionDay {
 protected:
  OrganiserDay() : SessionDay(false) {
    fs.AddFile("roster.txt", kRoster);
    session.Start();
  }
  const std::string& Guidance() { return ui.status_bar.parts[kGuidancePart]; }
  const std::string& Stats() { return ui.status_bar.parts[kStatsPart]; }
};

TEST_F(OrganiserDay, FromAnEmptyRosterToViewedReports) {
  // Start-up: an empty roster, bare tree, nothing to save or pair.
  EXPECT_EQ(Guidance(), "Load participants");
  EXPECT_EQ(Stats(),
            "Stats:     0 Entries;     0 Displayed;     0 Selected;     0 Unassigned;     0 "
            "Deleted;     0 Known Duplicates;");
  EXPECT_EQ(ui.tree.bare_trees, 1);
  for (int cmd : {kCmdClearAll, kCmdSaveAll, kCmdSaveDisplayData, kCmdPrintDisplayData, kCmdSelect,
                  kCmdModify, kCmdTagDuplicates, kCmdEmptyTrash, kCmdEditControls, kCmdRunPairing,
                  kCmdSaveProjectData, kCmdViewSummary, kCmdViewBoutSheets}) {
    EXPECT_FALSE(ui.menu.Enabled(cmd)) << cmd;
  }
  for (int cmd : {kCmdOpen, kCmdExit, kCmdAdd, kCmdStatusBar, kCmdAbout}) {
    EXPECT_TRUE(ui.menu.Enabled(cmd)) << cmd;
  }

  // Open: the bad line is reported in the file's import report, with its number and
  // reason; the others load in weight order.
  Open("roster.txt");
  EXPECT_TRUE(ui.messages.shown.empty());
  ASSERT_EQ(ui.dialogs.import_reports.size(), 1u);
  EXPECT_EQ(FormatImportReport(ui.dialogs.import_reports[0]),
            "roster.txt: 4 wrestlers added, 1 line skipped.\n"
            "\n"
            "Warning: Error during read --> entry skipped: line 4: Unable to read Weight from "
            "string \"abc\"\n"
            "    Dunn\tDi\tabc\t10\t3\tLions\n");
  EXPECT_EQ(session.recent_files(), std::vector<std::string>{"roster.txt"});
  EXPECT_EQ(ui.file_dialogs.requests.back().kind, FileDialogKind::Open);
  EXPECT_FALSE(ui.file_dialogs.requests.back().confirm_overwrite);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"Cole", "Adams", "Evans", "Baker"}));
  EXPECT_EQ(ui.list.rows[0], (ListRow{"Cole", "Cy", "70.00", "10.00", "3.00", "Lions", "", "70."}));
  EXPECT_EQ(Guidance(), "Load More or Select Participants");
  EXPECT_EQ(ui.tree.leaves[TreeBranch::Club], (std::vector<std::string>{"Lions", "Tigers"}));
  EXPECT_EQ(ui.tree.leaves[TreeBranch::Status], (std::vector<std::string>{"Unassigned"}));

  // Right after start-up the first click on Weight sorts descending.
  session.OnColumnHeaderClicked(3);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"Baker", "Evans", "Adams", "Cole"}));
  EXPECT_EQ(ui.progress.events, (std::vector<std::string>{"show", "hide"}));
  session.OnColumnHeaderClicked(1);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"Adams", "Baker", "Cole", "Evans"}));

  // Filter on the Lions and select both; the Tigers stay unselected.
  session.OnTreeSelectionChanged({TreeNodeKind::Leaf, TreeBranch::Club, "Lions"});
  EXPECT_EQ(Column(0), (std::vector<std::string>{"Cole", "Evans"}));
  session.Dispatch(kCmdMarkAllSelected);
  EXPECT_EQ(Stats(),
            "Stats:     4 Entries;     2 Displayed;     2 Selected;     2 Unassigned;     0 "
            "Deleted;     0 Known Duplicates;");
  EXPECT_EQ(Guidance(), "Load/Select More or Execute Pairing");
  EXPECT_TRUE(ui.menu.Enabled(kCmdSaveProjectData));
  EXPECT_FALSE(ui.menu.Enabled(kCmdRunPairing));

  // Back to everyone; select Adams by hand, toggle Baker twice (selected, then not).
  session.OnTreeSelectionChanged({TreeNodeKind::Root, TreeBranch::None, "Kestrio Info"});
  Highlight({"Adams", "Baker"});
  session.Dispatch(kCmdSelect);
  Highlight({"Baker"});
  session.Dispatch(kCmdToggle);
  EXPECT_EQ(Column(6), (std::vector<std::string>{"Selected", "Selected", "Selected", ""}));
  EXPECT_EQ(Column(0), (std::vector<std::string>{"Cole", "Adams", "Evans", "Baker"}));

  // Add two wrestlers of the same club with Next, then Done.
  ui.dialogs.add_modify.push_back([](AddModifyForm& form) {
    form.surname = "Fox";
    form.first_name = "Fay";
    form.weight = "73";
    form.age = "10";
    form.rating = "2";
    form.club = "Lions";
    EXPECT_FALSE(form.Next());
    EXPECT_EQ(form.message, "Add Next Entry");
    EXPECT_EQ(form.club, "Lions");
    EXPECT_EQ(form.surname, "");
    form.surname = "Fox";
    form.first_name = "Fay";
    form.weight = "73";
    form.age = "10";
    form.rating = "2";
    EXPECT_TRUE(form.Done());
  });
  session.Dispatch(kCmdAdd);
  EXPECT_EQ(ui.dialogs.add_modify_opening_messages.back(), "Add New Entry");
  EXPECT_EQ(session.view().RosterCounters.EntryTotal, 6);

  // The second Fox is a duplicate; tag it, then delete Cole and empty the trash.
  session.Dispatch(kCmdTagDuplicates);
  EXPECT_EQ(session.view().RosterCounters.DuplicateCount, 1);
  Highlight({"Cole"});
  session.Dispatch(kCmdDelete);
  EXPECT_TRUE(ui.menu.Enabled(kCmdEmptyTrash));
  session.Dispatch(kCmdEmptyTrash);
  EXPECT_EQ(Stats(),
            "Stats:     5 Entries;     5 Displayed;     3 Selected;     1 Unassigned;     0 "
            "Deleted;     1 Known Duplicates;");
  EXPECT_FALSE(ui.menu.Enabled(kCmdEmptyTrash));

  // Save Project Data: CR LF lines in display order; the pairing items open up.
  ui.file_dialogs.Choose("day.tmrx");
  session.Dispatch(kCmdSaveProjectData);
  EXPECT_TRUE(ui.file_dialogs.requests.back().confirm_overwrite);
  ASSERT_TRUE(fs.HasFile("day.tmrx"));
  EXPECT_EQ(fs.Contents("day.tmrx")->substr(0, 47),
            "Adams\tAl\t72.00\t10.00\t3.00\tTigers\tSelected\t\r\nFox");
  EXPECT_TRUE(ui.menu.Enabled(kCmdRunPairing));
  EXPECT_TRUE(ui.menu.Enabled(kCmdEditControls));

  // The parameters dialog opens with the defaults; the slider goes to the middle.
  ui.dialogs.control.push_back([](ControlParametersForm& form) {
    form.slider_position = 2;
    EXPECT_TRUE(form.Ok());
  });
  session.Dispatch(kCmdEditControls);
  ASSERT_EQ(ui.dialogs.control_openings.size(), 1u);
  EXPECT_EQ(ui.dialogs.control_openings[0].fields,
            (std::array<std::string, 7>{"10.0", "1.5", "1.5", "4", "0.010", "2", "2"}));
  EXPECT_EQ(session.control().SameClubPairingWeight, 0.5f);
  EXPECT_TRUE(fs.HasFile(std::string(pairing::kControlFileName)));

  // The run: asked, paired, reported; the report viewers become available.
  ui.messages.shown.clear();
  ui.messages.answers = {MessageAnswer::Yes};
  session.Dispatch(kCmdRunPairing);
  ASSERT_EQ(ui.messages.Lines().size(), 2u);
  EXPECT_EQ(ui.messages.Lines()[0],
            "Kestrio Bout Pairing | Are the data sorted in the desired order?");
  // The success box sums the run up and offers the by-hand report.
  EXPECT_EQ(ui.messages.Lines()[1],
            "Kestrio Bout Pairing | Bout Pairing Completed Successfully!\n\n"
            "3 wrestlers of 3 paired in 3 bouts (0 non-optimum) over 3 rounds.\n"
            "Every wrestler has at least the minimum of 2 bouts.");
  EXPECT_EQ(ui.messages.shown[1].action_button, "Show Pairing Exceptions");
  EXPECT_EQ(ui.progress.events.front(), "show");
  EXPECT_EQ(ui.progress.events.back(), "hide");
  EXPECT_EQ(Guidance(), "Load/Select/Execute or Process Reports");
  EXPECT_TRUE(ui.menu.Enabled(kCmdViewByClub));
  EXPECT_TRUE(fs.HasFile("Tandrel-PairingResults.txt"));

  session.Dispatch(kCmdViewSummary);
  session.Dispatch(kCmdViewByClub);
  session.Dispatch(kCmdViewBoutSheets);
  EXPECT_EQ(ui.viewer.files,
            (std::vector<std::string>{"Tandrel-PairingResults.txt", "Tandrel-BoutsByClub.txt",
                                      "Tandrel-BoutsForLions.txt", "Tandrel-BoutsForTigers.txt",
                                      "Tandrel-PairingBoutsheets.txt"}));
  EXPECT_EQ(ui.messages.shown.back().caption, "Displaying File: Tandrel-PairingBoutsheets.txt");

  // Unselecting down to one selected wrestler loses the finished run for good.
  session.OnTreeSelectionChanged({TreeNodeKind::Root, TreeBranch::None, "Kestrio Info"});
  session.Dispatch(kCmdMarkAllUnSelected);
  EXPECT_EQ(Guidance(), "Load More or Select Participants");
  EXPECT_FALSE(ui.menu.Enabled(kCmdViewSummary));
  EXPECT_FALSE(ui.menu.Enabled(kCmdSaveProjectData));
  session.Dispatch(kCmdMarkAllSelected);
  EXPECT_EQ(Guidance(), "Load/Select More or Execute Pairing");
  EXPECT_FALSE(ui.menu.Enabled(kCmdViewSummary));
  // The project was saved once: all three pairing items come back together.
  EXPECT_TRUE(ui.menu.Enabled(kCmdRunPairing));
  EXPECT_TRUE(ui.menu.Enabled(kCmdSaveProjectData));

  // Clear All: Yes and a cancelled save keeps everything; No clears.
  ui.messages.answers = {MessageAnswer::Yes};
  ui.file_dialogs.CancelNext();
  session.Dispatch(kCmdClearAll);
  EXPECT_EQ(session.roster().EntryCount(), 5);
  ui.messages.answers = {MessageAnswer::No};
  session.Dispatch(kCmdClearAll);
  EXPECT_EQ(session.roster().EntryCount(), 0);
  EXPECT_EQ(Guidance(), "Load participants");
  EXPECT_TRUE(ui.list.rows.empty());
  EXPECT_EQ(ui.tree.bare_trees, 2);
  EXPECT_FALSE(ui.menu.Enabled(kCmdRunPairing));
  EXPECT_EQ(session.Dispatch(kCmdExit), CommandResult::CloseWindow);
}

}  // namespace
}  // namespace kestrio::ui::organiser_day
