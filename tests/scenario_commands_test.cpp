// Single commands played through the dispatch with the scripted fakes: their edges,
// their failures and the faults they must not repeat.

#include <gtest/gtest.h>

#include "pairing/pairing_control.h"
#include "roster/display_data.h"
#include "tests/session_day.h"
#include "ui/command_ids.h"
#include "ui/session.h"

namespace kestrio::ui::single_commands {
namespace {

using testing::FakeUi;

const char kThree[] =
    "Adams\tAl\t72\t10\t3\tTigers\tSelected\r\n"
    "Baker\tBo\t75\t11\t2\tTigers\tSelected\r\n"
    "Cole\tCy\t70\t10\t3\tLions\tSelected\r\n";

class Commands : public testing::SessionDay {
 protected:
  // Saves the project so that the run is reachable.
  void SaveProject() {
    SessionDay::SaveProject("project.tmrx");
    ASSERT_TRUE(ui.menu.Enabled(kCmdRunPairing));
  }
};

TEST_F(Commands, CommandsThatNeedEntriesDoNothingOnAnEmptyRoster) {
  for (int cmd : {kCmdClearAll, kCmdSaveAll, kCmdSaveDisplayData, kCmdSaveProjectData, kCmdModify,
                  kCmdPrintDisplayData, kCmdRunPairing, kCmdViewByClub}) {
    EXPECT_EQ(session.Dispatch(cmd), CommandResult::Handled);
  }
  session.OnColumnHeaderClicked(3);
  EXPECT_EQ(session.roster().SortColumn, 3);
  EXPECT_TRUE(ui.messages.shown.empty());
  EXPECT_TRUE(ui.file_dialogs.requests.empty());
  EXPECT_TRUE(ui.dialogs.add_modify_opening_messages.empty());
  EXPECT_TRUE(ui.viewer.files.empty());
  EXPECT_TRUE(fs.Files().empty());
  EXPECT_EQ(session.Dispatch(12345), CommandResult::NotHandled);
}

TEST_F(Commands, ClearAllKeepsTheRosterUnlessTheAskedForSaveHappens) {
  Open("r.txt", kThree);
  fs.AddFile("keep.tmrx", "old\r\n");
  fs.HoldOpen("keep.tmrx");

  ui.messages.answers = {MessageAnswer::Cancel};
  session.Dispatch(kCmdClearAll);
  ui.messages.answers = {MessageAnswer::Yes};
  ui.file_dialogs.FailNext(FileDialogFailure::kInvalidFileName);
  session.Dispatch(kCmdClearAll);
  ui.messages.answers = {MessageAnswer::Yes};
  ui.file_dialogs.CancelNext();
  session.Dispatch(kCmdClearAll);
  ui.messages.answers = {MessageAnswer::Yes};
  ui.file_dialogs.Choose("keep.tmrx");
  session.Dispatch(kCmdClearAll);
  EXPECT_EQ(session.roster().EntryCount(), 3);
  EXPECT_EQ(fs.Contents("keep.tmrx"), "old\r\n");
  const std::vector<std::string> lines = ui.messages.Lines();
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "Kestrio | Save file?");
  EXPECT_EQ(lines[2], "Cannot Open This Dialog | A filename is invalid.");
  EXPECT_EQ(ui.messages.shown[5].caption, std::string(kSaveFailedCaption));
  EXPECT_NE(lines[5].find("keep.tmrx"), std::string::npos);

  // A save that completes clears, and so does No.
  ui.messages.answers = {MessageAnswer::Yes};
  ui.file_dialogs.Choose("saved.tmrx");
  session.Dispatch(kCmdClearAll);
  EXPECT_EQ(session.roster().EntryCount(), 0);
  EXPECT_EQ(fs.Contents("saved.tmrx")->substr(0, 5), "Cole\t");
  EXPECT_EQ(session.roster().SortColumn, 3);
  EXPECT_EQ(session.view().FilterBranch, TreeBranch::None);
}

TEST_F(Commands, DataFilesRoundTripAndSaveDisplayDataKeepsOnlyTheFilter) {
  Open("r.txt", std::string(kThree) + "Dunn\tDi\t80\t12\t4\t \tSelected\r\n");
  ui.file_dialogs.Choose("all.tmrx");
  session.Dispatch(kCmdSaveAll);
  session.OnTreeSelectionChanged({TreeNodeKind::Leaf, TreeBranch::Club, "Tigers"});
  ui.file_dialogs.Choose("tigers.tmrx");
  session.Dispatch(kCmdSaveDisplayData);
  EXPECT_TRUE(session.view().SaveDisplayedOnly);
  EXPECT_EQ(fs.Contents("tigers.tmrx"),
            "Adams\tAl\t72.00\t10.00\t3.00\tTigers\tSelected\t\r\n"
            "Baker\tBo\t75.00\t11.00\t2.00\tTigers\tSelected\t\r\n");

  ui.messages.answers = {MessageAnswer::No};
  session.Dispatch(kCmdClearAll);
  ui.file_dialogs.Choose("all.tmrx");
  session.Dispatch(kCmdOpen);
  // Every entry comes back, the one with a blank club with its status too.
  ASSERT_EQ(session.roster().EntryCount(), 4);
  for (int e = 0; e < 4; ++e) {
    EXPECT_EQ(session.roster().Entries[static_cast<std::size_t>(e)].Status.WithoutBlanks(),
              "Selected");
  }
  EXPECT_EQ(ui.list.rows.size(), 4u);
}

TEST_F(Commands, ControlFileErrorsAreShownAndTheProgramGoesOn) {
  Open("r.txt", kThree);
  SaveProject();
  fs.AddFile(std::string(pairing::kControlFileName), "$control\r\nNoSuchKey = 1\r\n$end\r\n");
  ui.messages.shown.clear();
  session.Dispatch(kCmdEditControls);
  ASSERT_EQ(ui.messages.shown.size(), 1u);
  EXPECT_EQ(ui.messages.shown[0].caption, "Kestrio Control Parameters");
  EXPECT_EQ(ui.dialogs.control_openings.at(0).fields[0], "10.0");

  fs.AddFile(std::string(pairing::kControlFileName), "garbage\r\n");
  const std::vector<std::string> told = RunPairing();
  ASSERT_EQ(told.size(), 2u);
  EXPECT_EQ(ui.messages.shown[1].caption, "Kestrio Control Parameters");
  EXPECT_EQ(ui.progress.events.back(), "hide");
}

// One typo in the organiser's control file: the dialog opens with the defaults, but
// Cancel must not write them over the eight limits, and OK replaces the file only after
// the organiser agrees.
TEST_F(Commands, CancelKeepsAControlFileThatCouldNotBeRead) {
  Open("r.txt", kThree);
  SaveProject();
  const std::string name(pairing::kControlFileName);
  const std::string typo =
      "$control\r\nMaxAllowedDiffWeight = 5O\r\nMaxAllowedDiffAge = 3\r\n$end\r\n";
  fs.AddFile(name, typo);
  session.Dispatch(kCmdEditControls);
  EXPECT_EQ(fs.Contents(name), typo);

  // OK, then No to the question: the dialog stays open and the file stays; Cancel closes.
  ui.messages.shown.clear();
  ui.messages.answers = {MessageAnswer::Ok, MessageAnswer::No};
  bool first_ok = true;
  ui.dialogs.control.push_back([&](ControlParametersForm& form) {
    first_ok = form.Ok();
    form.Cancel();
  });
  session.Dispatch(kCmdEditControls);
  EXPECT_FALSE(first_ok);
  ASSERT_EQ(ui.messages.shown.size(), 2u);
  EXPECT_NE(ui.messages.shown[1].text.find("Replace it"), std::string::npos);
  EXPECT_EQ(fs.Contents(name), typo);

  // OK and Yes: the values shown replace the file, once.
  ui.messages.answers = {MessageAnswer::Ok, MessageAnswer::Yes};
  ui.dialogs.control.push_back([](ControlParametersForm& form) {
    form.weight = "5";
    EXPECT_TRUE(form.Ok());
  });
  fs.ClearCalls();
  session.Dispatch(kCmdEditControls);
  pairing::PairingControl read_back;
  ASSERT_TRUE(pairing::ReadPairingControl(fs, &read_back).ok());
  EXPECT_EQ(read_back.MaxAllowedDiffWeight, 5.0f);
  EXPECT_EQ(fs.WrittenPaths().size(), 1u);
}

// Edit Controls writes the control file once whichever way the dialog closes, the file
// missing or not.
TEST_F(Commands, EditControlsWritesTheControlFileOnce) {
  Open("r.txt", kThree);
  SaveProject();
  const std::string name(pairing::kControlFileName);
  const auto writes_of = [&](bool ok) {
    ui.dialogs.control.push_back([ok](ControlParametersForm& form) {
      if (ok) {
        form.weight = "7";
        EXPECT_TRUE(form.Ok());
      } else {
        form.Cancel();
      }
    });
    fs.ClearCalls();
    session.Dispatch(kCmdEditControls);
    return fs.WrittenPaths();
  };
  fs.DeleteFile(name);
  EXPECT_EQ(writes_of(false), std::vector<std::string>{name});
  fs.DeleteFile(name);
  EXPECT_EQ(writes_of(true), std::vector<std::string>{name});
  EXPECT_EQ(writes_of(true), std::vector<std::string>{name});
  EXPECT_EQ(writes_of(false), std::vector<std::string>{name});
  pairing::PairingControl read_back;
  ASSERT_TRUE(pairing::ReadPairingControl(fs, &read_back).ok());
  EXPECT_EQ(read_back.MaxAllowedDiffWeight, 7.0f);
}

TEST_F(Commands, ARunIsOnlyCalledSuccessfulWhenEveryReportWasWritten) {
  Open("r.txt", kThree);
  SaveProject();
  fs.FailWritesAfter("Tandrel-BoutsByBoutNumber.txt", 10, "No space left on device");
  std::vector<std::string> told = RunPairing();
  ASSERT_EQ(told.size(), 2u);
  EXPECT_EQ(ui.messages.shown[1].caption, "Kestrio Bout Pairing");
  EXPECT_NE(told[1].find("Tandrel-BoutsByBoutNumber.txt"), std::string::npos);
  EXPECT_EQ(told[1].find("Successfully"), std::string::npos);
  fs.ClearFaults();

  // Bout sheets held by the mail merge: the warning, and the reports still reachable.
  fs.AddFile("Tandrel-PairingBoutsheets.txt", "x");
  fs.HoldOpen("Tandrel-PairingBoutsheets.txt");
  told = RunPairing();
  EXPECT_EQ(told.back(),
            "Warning: unable to open Tandrel-PairingBoutsheets.txt for writing! | Close bout "
            "sheet MailMerge program Kestrio-BoutSheets.doc and rerun.");
  EXPECT_TRUE(ui.menu.Enabled(kCmdViewSummary));

  // Anything but Yes to the question runs nothing.
  ui.messages.shown.clear();
  ui.messages.answers = {MessageAnswer::No};
  session.Dispatch(kCmdRunPairing);
  EXPECT_EQ(ui.messages.shown.size(), 1u);
}

TEST_F(Commands, AnUnreadableNumberOfASelectedWrestlerIsNamed) {
  Open("r.txt", kThree);
  SaveProject();
  session.roster().Entries[1].Rating.Assign("     ?    ");
  const std::vector<std::string> told = RunPairing();
  ASSERT_EQ(told.size(), 2u);
  EXPECT_NE(told[1].find("Baker"), std::string::npos);
  EXPECT_FALSE(fs.HasFile("Tandrel-PairingResults.txt"));
}

TEST_F(Commands, PrintDisplayDataShowsTheFilteredListingAndDeletesIt) {
  Open("r.txt", kThree);
  session.OnTreeSelectionChanged({TreeNodeKind::Leaf, TreeBranch::Club, "Lions"});
  session.Dispatch(kCmdPrintDisplayData);
  ASSERT_EQ(ui.viewer.files, std::vector<std::string>{"DisplayData.dat"});
  EXPECT_NE(ui.viewer.contents[0].find("Cole"), std::string::npos);
  EXPECT_EQ(ui.viewer.contents[0].find("Adams"), std::string::npos);
  EXPECT_FALSE(fs.HasFile("DisplayData.dat"));
}

TEST_F(Commands, HeaderClicksCycleDirectionAndTreeSelectionDoesNotRebuildTheTree) {
  Open("r.txt", kThree);
  const int leaves_before = static_cast<int>(ui.tree.leaves[TreeBranch::Club].size());
  session.OnColumnHeaderClicked(3);
  EXPECT_EQ(session.roster().SortColumn, -3);
  session.OnColumnHeaderClicked(3);
  EXPECT_EQ(session.roster().SortColumn, 3);
  session.OnColumnHeaderClicked(6);
  EXPECT_EQ(session.roster().SortColumn, 6);
  session.OnColumnHeaderClicked(6);
  session.OnColumnHeaderClicked(6);
  EXPECT_EQ(session.roster().SortColumn, 6);
  session.OnTreeSelectionChanged({TreeNodeKind::Branch, TreeBranch::Status, "By Status"});
  EXPECT_EQ(session.roster().SortColumn, 7);
  EXPECT_EQ(static_cast<int>(ui.tree.leaves[TreeBranch::Club].size()), leaves_before);

  // A filter showing nothing greys the per-row commands.
  session.OnTreeSelectionChanged({TreeNodeKind::Leaf, TreeBranch::Status, "Deleted"});
  EXPECT_TRUE(ui.list.rows.empty());
  EXPECT_FALSE(ui.menu.Enabled(kCmdSelect));
  EXPECT_FALSE(ui.menu.Enabled(kCmdModify));
  EXPECT_TRUE(ui.menu.Enabled(kCmdMarkAllSelected));
}

TEST_F(Commands, DoubleClickSelectsADeletedEntryThatToggleLeavesAlone) {
  Open("r.txt", "Adams\tAl\t72\t10\t3\tTigers\tDeleted\r\n");
  ui.list.Highlight({0});
  session.Dispatch(kCmdToggle);
  EXPECT_EQ(ui.list.rows[0][6], "Deleted");
  ui.list.Highlight({0});
  session.OnRowActivated();
  EXPECT_EQ(ui.list.rows[0][6], "Selected");
  ui.list.Highlight({0});
  session.Dispatch(kCmdUnSelect);
  EXPECT_EQ(ui.list.rows[0][6], "");
  EXPECT_EQ(session.view().RosterCounters.UnassignedCount, 1);
}

TEST_F(Commands, DialogFailuresStatusBarAndAboutBox) {
  ui.file_dialogs.CancelNext();
  session.Dispatch(kCmdOpen);
  EXPECT_TRUE(ui.messages.shown.empty());
  ui.file_dialogs.FailNext(FileDialogFailure::kUnknown);
  session.Dispatch(kCmdOpen);
  EXPECT_EQ(ui.messages.Lines(),
            std::vector<std::string>{"Cannot Open This Dialog | Unknown error number"});
  ui.file_dialogs.Choose(std::string(300, 'x'));
  session.Dispatch(kCmdOpen);
  EXPECT_EQ(ui.messages.shown.back().text.substr(0, 39), "The buffer for a filename is too small.");

  session.Dispatch(kCmdStatusBar);
  EXPECT_FALSE(ui.status_bar.visible);
  EXPECT_FALSE(ui.menu.status_bar_checked);
  session.Dispatch(kCmdStatusBar);
  EXPECT_TRUE(ui.status_bar.visible && ui.menu.status_bar_checked);

  session.Dispatch(kCmdAbout);
  ASSERT_EQ(ui.dialogs.about_boxes.size(), 1u);
  EXPECT_EQ(ui.dialogs.about_boxes[0].fields[0].text, "Kestrio");
  EXPECT_EQ(ui.dialogs.about_boxes[0].fields[2].text, "2.1");
}

// Tandrel Optimal runs behind the same question, writes the same reports with a reason
// for each wrestler left short, and can be cancelled, which leaves no result behind.
TEST_F(Commands, TandrelOptimalPairsExplainsAndCanBeCancelled) {
  Open("r.txt", std::string(kThree) + "Dunn\tDi\t150\t10\t3\tLions\tSelected\r\n");
  SaveProject();
  EXPECT_TRUE(ui.menu.Enabled(kCmdRunOptimal) && ui.menu.Enabled(kCmdCompareEngines));
  ui.messages.answers = {MessageAnswer::Yes};
  session.Dispatch(kCmdRunOptimal);
  EXPECT_EQ(ui.messages.Lines().back().rfind(
                "Kestrio Bout Pairing | Bout Pairing Completed Successfully!\n\n", 0),
            0u);
  EXPECT_EQ(ui.progress.events.front(), "show cancellable");
  EXPECT_EQ(ui.progress.events.back(), "hide");
  EXPECT_NE(fs.Contents("Tandrel-PairingByhand.txt")
                ->find("Why: no candidate within the limits, even doubled\r\n"),
            std::string::npos);
  EXPECT_TRUE(ui.menu.Enabled(kCmdViewSummary));

  ui.messages.answers = {MessageAnswer::Yes};
  ui.progress.cancel_at_step = ui.progress.steps + 1;
  session.Dispatch(kCmdRunOptimal);
  EXPECT_EQ(ui.messages.Lines().back(),
            "Kestrio Bout Pairing | Tandrel Optimal was cancelled: no bouts were paired.");
  EXPECT_FALSE(fs.HasFile("Tandrel-PairingResults.txt"));
  EXPECT_FALSE(ui.menu.Enabled(kCmdViewSummary));
}

TEST_F(Commands, CompareEnginesShowsBothEnginesSideBySideAndWritesNoReport) {
  Open("r.txt", kThree);
  SaveProject();
  session.Dispatch(kCmdCompareEngines);
  ASSERT_EQ(ui.viewer.files, std::vector<std::string>{"Tandrel-EngineComparison.txt"});
  const std::string shown = ui.viewer.contents.at(0);
  EXPECT_EQ(shown.rfind(std::string(38, ' ') + "Tandrel  Tandrel Optimal\r\n"
                                               "Wrestlers short of the minimum (2)",
                        0),
            0u)
      << shown;
  EXPECT_NE(shown.find("\r\nRounds "), std::string::npos);
  EXPECT_FALSE(fs.HasFile("Tandrel-PairingResults.txt"));
  EXPECT_TRUE(ui.messages.shown.empty());
}

// After a run: Schedule Mats writes its settings and reports and shows the schedule;
// the sheets then print in mat order; a new run takes the schedule away again.
TEST_F(Commands, ScheduleMatsThenPrintInMatOrder) {
  const char four[] =
      "Adams\tAl\t72\t10\t3\tTigers\tSelected\r\n"
      "Baker\tBo\t75\t11\t2\tLions\tSelected\r\n"
      "Cole\tCy\t40\t10\t3\tLions\tSelected\r\n"
      "Dunn\tDi\t41\t10\t3\tTigers\tSelected\r\n";
  Open("r.txt", four);
  SaveProject();
  EXPECT_FALSE(ui.menu.Enabled(kCmdScheduleMats));
  RunPairing();
  ASSERT_TRUE(ui.menu.Enabled(kCmdScheduleMats));
  EXPECT_TRUE(ui.menu.Enabled(kCmdPrintBoutSheets));
  EXPECT_FALSE(ui.menu.Enabled(kCmdPrintMatLists));
  EXPECT_FALSE(ui.menu.Enabled(kCmdViewMatSchedule));

  // Before a schedule the sheets come by bout number, without mats.
  session.Dispatch(kCmdPrintBoutSheets);
  ASSERT_EQ(ui.printer.jobs.size(), 1u);
  ASSERT_EQ(ui.printer.jobs[0].sheets.size(), 2u);
  EXPECT_EQ(ui.printer.jobs[0].sheets[0].Number, 1);
  EXPECT_EQ(ui.printer.jobs[0].sheets[0].Mat, -1);

  // Cancel changes nothing; a refused value keeps the dialog open and says why.
  session.Dispatch(kCmdScheduleMats);
  EXPECT_FALSE(fs.HasFile("Tandrel_MatSettings.txt"));
  ui.dialogs.schedule.push_back([](MatScheduleForm& form) {
    form.mats = "0";
    EXPECT_FALSE(form.Ok());
    form.mats = "2";
    form.classes[1] = {"60", "80"};  // the heavier bout on mat 2
    EXPECT_TRUE(form.Ok());
  });
  ui.messages.shown.clear();
  session.Dispatch(kCmdScheduleMats);
  EXPECT_EQ(ui.messages.Lines(),
            (std::vector<std::string>{
                "Kestrio Mat Schedule | Mats must be a whole number from 1 to 64."}));
  EXPECT_NE(fs.Contents("Tandrel_MatSettings.txt")->find("Mat2        = 60-80\r\n"),
            std::string::npos);
  EXPECT_TRUE(fs.HasFile("Tandrel-ScheduleByClub.txt"));
  EXPECT_EQ(ui.viewer.files.back(), "Tandrel-MatSchedule.txt");
  ASSERT_TRUE(session.mat_day().has_value());
  EXPECT_TRUE(ui.menu.Enabled(kCmdViewScheduleByClub));
  session.Dispatch(kCmdViewScheduleByClub);
  EXPECT_EQ(ui.viewer.files.back(), "Tandrel-ScheduleByClub.txt");

  session.Dispatch(kCmdPrintBoutSheets);
  session.Dispatch(kCmdPrintMatLists);
  ASSERT_EQ(ui.printer.jobs.size(), 3u);
  const auto& sheets = ui.printer.jobs[1].sheets;
  ASSERT_EQ(sheets.size(), 2u);
  EXPECT_EQ(sheets[0].Mat, 0);
  EXPECT_EQ(sheets[0].WeightClass, 40);
  EXPECT_EQ(sheets[1].Mat, 1);
  EXPECT_EQ(sheets[1].Time, "09:00");
  EXPECT_EQ(ui.printer.jobs[2].kind, "mat lists");
  EXPECT_EQ(ui.printer.jobs[2].mats, 2);

  RunPairing();
  EXPECT_FALSE(session.mat_day().has_value());
  EXPECT_FALSE(ui.menu.Enabled(kCmdViewMatSchedule));
  EXPECT_FALSE(fs.HasFile("Tandrel-MatSchedule.txt"));
}

}  // namespace
}  // namespace kestrio::ui::single_commands
