// File faults as the organiser meets them: through the session's commands, with the
// window's ports faked. Every failure reaches a message box that names the file, the
// roster in memory is what it was, and the files on disk are whole.

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "pairing/pairing_control.h"
#include "reports/report_files.h"
#include "reports/run_pairing.h"
#include "roster/display_data.h"
#include "roster/roster_writer.h"
#include "tests/fake_file_system.h"
#include "tests/fake_ui_ports.h"
#include "ui/command_ids.h"
#include "ui/control_form.h"
#include "ui/session.h"

namespace kestrio::ui {
namespace {

using testing::FakeUi;

const char kRoster[] =
    "Adams\tAl\t72\t10\t3\tTigers\tyes\r\n"
    "Baker\tBo\t75\t11\t2\tTigers\tyes\r\n"
    "Cole\tCy\t70\t10\t3\tLions\tyes\r\n"
    "Evans\tEd\t74\t11\t2\tLions\tyes\r\n"
    "Ford\tFi\t73\t10.5\t2.5\t../up\tyes\r\n";

class SessionFault : public ::testing::Test {
 protected:
  SessionFault() : ui(&fs), session(fs, ui.ports()) {
    fs.AddFile("roster.txt", kRoster);
    session.Start();
    Open("roster.txt");
  }

  void Open(const std::string& path) {
    ui.file_dialogs.Choose(path);
    session.Dispatch(kCmdOpen);
  }
  void Save(const std::string& path) {
    ui.file_dialogs.Choose(path);
    session.Dispatch(kCmdSaveAll);
  }
  // Saves the project (which opens the pairing items) and runs, answering Yes.
  void Run() {
    ui.file_dialogs.Choose("project.tmrx");
    session.Dispatch(kCmdSaveProjectData);
    ui.messages.answers = {MessageAnswer::Yes};
    session.Dispatch(kCmdRunPairing);
  }
  const Message& LastBox() { return ui.messages.shown.back(); }

  FakeFileSystem fs;
  FakeUi ui;
  Session session;
};

TEST_F(SessionFault, FailedSavesAreReportedAndLoseNothing) {
  const std::string text = roster::RosterFileText(session.roster());
  const roster::RosterCounters counters = session.view().RosterCounters;
  fs.AddFile("/club/day.tmrx", "previous\r\n");
  fs.AddDirectory("/club");
  fs.RequireDirectories(true);

  Save("/gone/day.tmrx");
  EXPECT_EQ(LastBox().caption, kSaveFailedCaption);
  EXPECT_EQ(LastBox().text, "/gone/day.tmrx: No such file or directory");
  EXPECT_FALSE(fs.HasFile("/gone/day.tmrx"));

  fs.FailWritesAfter("/club/day.tmrx", text.size() - 5);
  Save("/club/day.tmrx");
  EXPECT_EQ(LastBox().text, "/club/day.tmrx: Input/output error");
  EXPECT_EQ(fs.Contents("/club/day.tmrx"), "previous\r\n");

  fs.ClearFaults();
  fs.SetCapacity(fs.Contents("roster.txt")->size() + 20);
  Save("day.tmrx");
  EXPECT_EQ(LastBox().text, "day.tmrx: No space left on device");
  EXPECT_FALSE(fs.HasFile("day.tmrx"));

  // The listing for printing: not written, so not shown.
  fs.ClearFaults();
  fs.FailWritesAfter(std::string(roster::kDisplayDataFileName), 50);
  session.Dispatch(kCmdPrintDisplayData);
  EXPECT_EQ(LastBox().caption, kSaveFailedCaption);
  EXPECT_NE(LastBox().text.find(roster::kDisplayDataFileName), std::string::npos);
  EXPECT_TRUE(ui.viewer.files.empty());

  EXPECT_EQ(roster::RosterFileText(session.roster()), text);
  EXPECT_EQ(session.view().RosterCounters, counters);
}

TEST_F(SessionFault, ControlFileThatIsADirectoryIsNamedAndNothingIsReported) {
  fs.AddDirectory(std::string(pairing::kControlFileName));
  Run();
  EXPECT_EQ(LastBox().caption, kControlMessageCaption);
  EXPECT_NE(LastBox().text.find(pairing::kControlFileName), std::string::npos) << LastBox().text;
  EXPECT_NE(LastBox().text, reports::kRunCompletedText);
  for (const std::string& path : fs.WrittenPaths()) {
    EXPECT_NE(path.rfind("Tandrel-", 0), 0u) << path;
  }
  EXPECT_EQ(ui.progress.events.back(), "hide");
}

TEST_F(SessionFault, ReportsThatCannotBeWrittenAreNamedNeverCalledASuccess) {
  fs.FailWritesAfter(std::string(reports::kBoutsByBoutNumberName), 0, "No space left on device");
  Run();
  EXPECT_EQ(LastBox().caption, reports::kRunCompletedCaption);
  EXPECT_NE(LastBox().text, reports::kRunCompletedText);
  EXPECT_NE(LastBox().text.find(std::string(reports::kBoutsByBoutNumberName) +
                                ": No space left on device"),
            std::string::npos)
      << LastBox().text;
  EXPECT_FALSE(fs.HasFile(std::string(reports::kBoutsByBoutNumberName)));
}

// The box's caption comes from what failed, not from the words of the message: a
// wrestler whose name happens to be the control file's is no control-file problem.
TEST_F(SessionFault, UnreadableNumberGetsTheRunCaptionWhateverTheName) {
  roster::Participant& wrestler = session.roster().Entries[0];
  wrestler.LastName.Assign(pairing::kControlFileName);
  wrestler.Age.Assign("  ten");
  Run();
  EXPECT_EQ(LastBox().caption, reports::kRunCompletedCaption);
  EXPECT_NE(LastBox().text.find("is not a number"), std::string::npos) << LastBox().text;
}

// The club "../up" gets a file in the working directory, and "By Club" shows exactly the
// files the run wrote.
TEST_F(SessionFault, ClubReportsStayInTheWorkingDirectoryAndAreTheOnesShown) {
  Run();
  ASSERT_EQ(LastBox().text.rfind(reports::kRunCompletedText, 0), 0u) << LastBox().text;
  for (const auto& [name, contents] : fs.Files())
    EXPECT_EQ(name.find('/'), std::string::npos) << name;
  session.Dispatch(kCmdViewByClub);
  ASSERT_EQ(ui.viewer.files.size(), 4u);
  EXPECT_EQ(ui.viewer.files[1], "Tandrel-BoutsFor.._up.txt");
  for (const std::string& shown : ui.viewer.contents) EXPECT_FALSE(shown.empty());
}

// "By Club" shows what the last run wrote: neither a club file that could not be written
// nor the file of a club added to the roster after the run.
TEST_F(SessionFault, ByClubShowsOnlyTheClubFilesTheRunWrote) {
  fs.FailWritesAfter("Tandrel-BoutsForLions.txt", 0, "No space left on device");
  Run();
  fs.ClearFaults();
  fs.AddFile("more.txt", "Gray\tGus\t71\t10\t3\tBears\tyes\r\n");
  Open("more.txt");
  ASSERT_TRUE(ui.menu.Enabled(kCmdViewByClub));
  session.Dispatch(kCmdViewByClub);
  EXPECT_EQ(ui.viewer.files,
            (std::vector<std::string>{"Tandrel-BoutsByClub.txt", "Tandrel-BoutsFor.._up.txt",
                                      "Tandrel-BoutsForTigers.txt"}));
}

// A held bout-sheet file stops the run with the warning, and the file stays whole.
TEST_F(SessionFault, HeldBoutSheetsAreLeftWhole) {
  const std::string sheets(reports::kBoutSheetsName);
  fs.AddFile(sheets, "merge in progress\r\n");
  fs.HoldOpen(sheets);
  Run();
  EXPECT_EQ(LastBox().caption, reports::kBoutSheetsHeldCaption);
  EXPECT_EQ(LastBox().text, reports::kBoutSheetsHeldText);
  EXPECT_EQ(fs.Contents(sheets), "merge in progress\r\n");
}

// A roster file that cannot be read (another program has it locked, or the disk fails
// half-way) adds nothing, and the organiser is told which file it was rather than left
// to think the Open worked on an empty file.
TEST_F(SessionFault, UnreadableRosterFileIsReportedWithItsName) {
  fs.AddFile("locked.txt", kRoster);
  fs.FailReads("locked.txt", "Permission denied");
  const std::size_t boxes = ui.messages.shown.size();
  Open("locked.txt");
  EXPECT_EQ(session.roster().EntryCount(), 5);
  ASSERT_GT(ui.messages.shown.size(), boxes);
  EXPECT_NE(LastBox().text.find("locked.txt"), std::string::npos);
}

// A bout-sheet file that cannot be opened for another reason than a mail merge holding
// it (a read-only disk, no permission) is reported as that, naming file and reason.
TEST_F(SessionFault, BoutSheetsRefusedForAnotherReasonAreNamedWithTheReason) {
  const std::string sheets(reports::kBoutSheetsName);
  fs.AddFile(sheets, "last week\r\n");
  fs.FailOpenForWriting(sheets, "Read-only file system");
  Run();
  EXPECT_EQ(LastBox().caption, reports::kRunCompletedCaption);
  EXPECT_EQ(LastBox().text, sheets + ": Read-only file system");
  EXPECT_EQ(fs.Contents(sheets), "last week\r\n");
}

// Another run writing in the folder: a save and a run say so and change nothing.
TEST_F(SessionFault, AnotherRunInTheFolderStopsSavesAndRuns) {
  ui.file_dialogs.Choose("project.tmrx");
  session.Dispatch(kCmdSaveProjectData);
  fs.HoldFolderLock(".");
  fs.ClearCalls();
  Save("day.tmrx");
  EXPECT_EQ(LastBox().text, "Another Kestrio run is writing in this folder");
  EXPECT_FALSE(fs.HasFile("day.tmrx"));
  ui.messages.answers = {MessageAnswer::Yes};
  session.Dispatch(kCmdRunPairing);
  EXPECT_EQ(LastBox().caption, reports::kRunCompletedCaption);
  EXPECT_EQ(LastBox().text, "Another Kestrio run is writing in this folder");
  EXPECT_TRUE(fs.RemovedPaths().empty());
  EXPECT_FALSE(fs.HasFile(std::string(reports::kResultsSummaryName)));
}

// Running out of memory (a roster file far too large) fails the command with a message;
// the session keeps its roster and goes on.
TEST_F(SessionFault, OutOfMemoryStopsTheCommandAndKeepsTheRoster) {
  const std::string text = roster::RosterFileText(session.roster());
  fs.AddFile("huge.txt", kRoster);
  fs.before_call = [](FakeFileSystem&, FakeFileSystem::Op op, const std::string& path) {
    if (op == FakeFileSystem::Op::Read && path == "huge.txt") throw std::bad_alloc();
  };
  Open("huge.txt");
  EXPECT_EQ(LastBox().text, kOutOfMemoryText);
  EXPECT_EQ(roster::RosterFileText(session.roster()), text);
  EXPECT_EQ(session.view().RosterCounters.EntryTotal, 5);
  fs.before_call = nullptr;
  Open("huge.txt");
  EXPECT_EQ(session.roster().EntryCount(), 10);
}

}  // namespace
}  // namespace kestrio::ui
