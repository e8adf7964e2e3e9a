// Taking a day's changes back and doing them again through the desktop session, the
// marks of unsaved work, and the copy that survives a crash.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "board/board_file.h"
#include "tests/session_day.h"
#include "ui/command_ids.h"
#include "ui/session.h"

namespace kestrio::ui::undo_day {
namespace {

using testing::FakeUi;

const char kEight[] =
    "Adams\tAl\t72\t10\t3\tTigers\tSelected\r\n"
    "Baker\tBo\t73\t10\t3\tLions\tSelected\r\n"
    "Cole\tCy\t74\t10\t3\tBears\tSelected\r\n"
    "Dunn\tDi\t75\t10\t3\tTigers\tSelected\r\n"
    "Egan\tEd\t76\t10\t3\tLions\tSelected\r\n"
    "Ford\tFe\t77\t10\t3\tBears\tSelected\r\n"
    "Gray\tGus\t75\t11\t3\tOwls\tSelected\r\n"
    "Hill\tHal\t74\t11\t3\tOwls\tSelected\r\n";

class UndoDayTest : public testing::SessionDay {
 protected:
  UndoDayTest() : SessionDay(false) {
    session.SetRecoveryPlace("appdata", "/gym");
    session.Start();
  }

  void OpenSaveAndRun() {
    Open("day.tmrx", kEight);
    SaveProject("day.tmrx");
    RunPairing();
  }
  // Every report and the board file, as they stand. A club's own file counts while the
  // club file list names it: one left from a club no longer on the board is not read.
  std::map<std::string, std::string> Day() const {
    std::map<std::string, std::string> day;
    const std::string clubs = fs.Contents("Tandrel-ClubFileList.txt").value_or("");
    for (const auto& [name, text] : fs.Files()) {
      const bool club_file = name.rfind("Tandrel-BoutsFor", 0) == 0;
      if (name.rfind("Tandrel-", 0) == 0 && (!club_file || clubs.find(name) != clubs.npos)) {
        day[name] = text;
      }
    }
    return day;
  }
  // The files in which two days differ, by name: "" when they are the same.
  static std::string Differing(const std::map<std::string, std::string>& a,
                               const std::map<std::string, std::string>& b) {
    std::string names;
    for (const auto& [name, text] : a) {
      const auto it = b.find(name);
      if (it == b.end() || it->second != text) names += name + " ";
    }
    for (const auto& [name, text] : b) {
      if (!a.count(name)) names += name + " ";
    }
    return names;
  }
  std::string Statuses() const {
    std::string s;
    for (const roster::Participant& e : session.roster().Entries) {
      s += std::string(e.Status.WithoutBlanks()) + ",";
    }
    return s;
  }
  bool HasRecoveryCopy() const {
    for (const auto& [name, text] : fs.Files()) {
      if (name.rfind("appdata/", 0) == 0) return true;
    }
    return false;
  }
};

TEST_F(UndoDayTest, EveryBoardEditGoesBackToTheRunsBytesAndForwardAgain) {
  OpenSaveAndRun();
  const auto run_day = Day();
  ASSERT_TRUE(run_day.count(std::string(board::kBoardFileName)));
  std::vector<std::map<std::string, std::string>> days{run_day};
  std::vector<std::string> statuses{Statuses()};
  std::vector<std::string> labels;
  const auto keep = [&] {
    days.push_back(Day());
    statuses.push_back(Statuses());
    labels.push_back(ui.menu.state.Caption(kCmdUndo));
  };

  Highlight({"Cole"});
  session.Dispatch(kCmdScratchWrestler);
  keep();
  Highlight({"Egan"});
  session.Dispatch(kCmdScratchWrestler);
  keep();
  // A late arrival: a second file with one more selected wrestler.
  fs.AddFile("late.txt", "Ives\tIan\t75\t10\t3\tHawks\tSelected\r\n");
  ui.file_dialogs.Choose("late.txt");
  session.Dispatch(kCmdOpen);
  keep();
  session.Dispatch(kCmdPairLateArrivals);
  keep();
  Highlight({"Adams", "Hill"});
  ui.messages.answers = {MessageAnswer::Yes};
  ui.dialogs.add_bout.push_back([](AddBoutForm& form) { EXPECT_TRUE(form.Add()); });
  session.Dispatch(kCmdAddBout);
  keep();
  Highlight({"Adams", "Hill"});
  session.Dispatch(kCmdRemoveBout);
  keep();
  session.Dispatch(kCmdRenumberBouts);
  keep();
  // One side of the first bout replaced by the best candidate, whatever it breaks.
  const board::Bout first = session.bout_board().Bouts.at(0);
  const auto surname = [&](int w) {
    return std::string(
        session.bout_board().Wrestlers[static_cast<std::size_t>(w)].Key.LastName.WithoutBlanks());
  };
  Highlight({surname(first.First), surname(first.Second)});
  ui.messages.answers = {MessageAnswer::Yes};
  ui.dialogs.replace_wrestler.push_back([](ReplaceWrestlerForm& form) {
    ASSERT_FALSE(form.candidates().empty());
    form.Choose(0);
    EXPECT_TRUE(form.Replace());
  });
  session.Dispatch(kCmdReplaceWrestler);
  keep();
  EXPECT_EQ(labels,
            (std::vector<std::string>{
                "Undo Scratch Cole, Cy (Bears)", "Undo Scratch Egan, Ed (Lions)", "Undo Open Entry",
                "Undo Pair Late Arrivals", labels[4], labels[5], "Undo Renumber Bouts",
                "Undo Replace Wrestler in Bout " + std::to_string(std::abs(first.Number))}));
  EXPECT_EQ(labels[4].rfind("Undo Add Bout ", 0), 0u) << labels[4];
  EXPECT_EQ(labels[5].rfind("Undo Remove Bout ", 0), 0u) << labels[5];
  for (std::size_t i = 1; i < days.size(); ++i) {
    // The Open changes no report.
    if (i != 3) {
      EXPECT_NE(days[i], days[i - 1]) << i;
    }
  }

  for (std::size_t i = days.size() - 1; i > 0; --i) {
    ASSERT_TRUE(ui.menu.Enabled(kCmdUndo)) << i;
    session.Dispatch(kCmdUndo);
    EXPECT_EQ(Differing(Day(), days[i - 1]), "") << i;
    EXPECT_EQ(Statuses(), statuses[i - 1]) << i;
  }
  EXPECT_EQ(Differing(Day(), run_day), "");
  for (std::size_t i = 1; i < days.size(); ++i) {
    ASSERT_TRUE(ui.menu.Enabled(kCmdRedo)) << i;
    session.Dispatch(kCmdRedo);
    EXPECT_EQ(Differing(Day(), days[i]), "") << i;
    EXPECT_EQ(Statuses(), statuses[i]) << i;
  }
  EXPECT_FALSE(ui.menu.Enabled(kCmdRedo));
}

// A second run and Clear All replace the whole board: going back and forth over them
// again and again gives each day's reports and board to the byte.
TEST_F(UndoDayTest, ReplacedBoardsComeBackWholeHoweverOftenTheRunsAreTakenBack) {
  OpenSaveAndRun();
  const auto first_day = Day();
  Highlight({"Cole", "Egan"});
  session.Dispatch(kCmdDelete);
  SaveProject("day.tmrx");
  RunPairing();
  const auto second_day = Day();
  ASSERT_NE(Differing(second_day, first_day), "");
  const std::string board_name(board::kBoardFileName);
  for (int pass = 0; pass < 2; ++pass) {
    session.Dispatch(kCmdUndo);
    EXPECT_EQ(Differing(Day(), first_day), "") << pass;
    session.Dispatch(kCmdRedo);
    EXPECT_EQ(Differing(Day(), second_day), "") << pass;
  }
  const std::size_t second_bouts = session.bout_board().Bouts.size();
  ui.messages.answers = {MessageAnswer::No};
  session.Dispatch(kCmdClearAll);
  EXPECT_TRUE(session.bout_board().empty());
  session.Dispatch(kCmdUndo);
  EXPECT_EQ(session.bout_board().Bouts.size(), second_bouts);
  EXPECT_EQ(Differing(Day(), second_day), "");
  session.Dispatch(kCmdUndo);
  session.Dispatch(kCmdUndo);
  EXPECT_EQ(Differing(Day(), first_day), "");
  session.Dispatch(kCmdRedo);
  session.Dispatch(kCmdRedo);
  EXPECT_EQ(Differing(Day(), second_day), "");
  session.Dispatch(kCmdRedo);
  EXPECT_TRUE(session.bout_board().empty());
  EXPECT_FALSE(fs.Contents(board_name).has_value());
}

TEST_F(UndoDayTest, RosterCommandsAreNamedAndANewCommandDropsTheRedo) {
  fs.AddFile("day.tmrx", kEight);
  ui.file_dialogs.Choose("day.tmrx");
  session.Dispatch(kCmdOpen);
  EXPECT_EQ(ui.menu.state.Caption(kCmdUndo), "Undo Open 8 Entries");
  Highlight({"Adams", "Baker", "Cole"});
  session.Dispatch(kCmdDelete);
  EXPECT_EQ(ui.menu.state.Caption(kCmdUndo), "Undo Delete 3 Entries");
  session.Dispatch(kCmdEmptyTrash);
  EXPECT_EQ(session.roster().EntryCount(), 5);
  session.Dispatch(kCmdUndo);
  EXPECT_EQ(session.roster().EntryCount(), 8);
  EXPECT_EQ(ui.menu.state.Caption(kCmdRedo), "Redo Empty Trash of 3 Entries");
  session.Dispatch(kCmdUndo);
  EXPECT_EQ(Statuses().find("Deleted"), std::string::npos);
  session.Dispatch(kCmdMarkAllUnSelected);
  EXPECT_FALSE(ui.menu.Enabled(kCmdRedo));
  EXPECT_EQ(ui.menu.state.Caption(kCmdUndo), "Undo Mark All UnSelected");
  session.Dispatch(kCmdUndo);
  session.Dispatch(kCmdUndo);
  EXPECT_EQ(session.roster().EntryCount(), 0);
  EXPECT_FALSE(ui.menu.Enabled(kCmdUndo));
  EXPECT_EQ(ui.menu.state.Caption(kCmdUndo), "");
}

TEST_F(UndoDayTest, ClosingAsksOnlyWithUnsavedChangesAndTheTitleShowsThem) {
  EXPECT_TRUE(session.ConfirmClose());
  EXPECT_TRUE(ui.messages.shown.empty());
  fs.AddFile("day.tmrx", kEight);
  ui.file_dialogs.Choose("day.tmrx");
  session.Dispatch(kCmdOpen);
  EXPECT_EQ(ui.title.title, "Kestrio v2.1 - day.tmrx[*]");
  EXPECT_FALSE(ui.title.modified);
  EXPECT_TRUE(session.ConfirmClose());
  EXPECT_TRUE(ui.messages.shown.empty());

  Highlight({"Adams"});
  session.Dispatch(kCmdDelete);
  EXPECT_TRUE(ui.title.modified);
  EXPECT_TRUE(HasRecoveryCopy());
  ui.messages.answers = {MessageAnswer::Cancel};
  EXPECT_FALSE(session.ConfirmClose());
  ASSERT_EQ(ui.messages.shown.size(), 1u);
  EXPECT_EQ(ui.messages.shown[0].text, "Save the changes to day.tmrx before closing?");
  EXPECT_EQ(ui.messages.shown[0].buttons, MessageButtons::SaveDiscardCancel);
  // Save whose dialog is cancelled keeps the window open.
  ui.messages.answers = {MessageAnswer::Yes};
  ui.file_dialogs.CancelNext();
  EXPECT_FALSE(session.ConfirmClose());
  // Undo back to the file's state: nothing to ask.
  session.Dispatch(kCmdUndo);
  EXPECT_FALSE(ui.title.modified);
  EXPECT_FALSE(HasRecoveryCopy());
  session.Dispatch(kCmdRedo);
  ui.messages.answers = {MessageAnswer::Yes};
  ui.file_dialogs.Choose("day.tmrx");
  EXPECT_TRUE(session.ConfirmClose());
  EXPECT_NE(fs.Contents("day.tmrx")->find("Deleted"), std::string::npos);
  EXPECT_FALSE(ui.title.modified);
  EXPECT_FALSE(HasRecoveryCopy());
}

TEST_F(UndoDayTest, AfterACrashTheNextStartOffersTheUnsavedWorkBack) {
  OpenSaveAndRun();
  Highlight({"Cole"});
  session.Dispatch(kCmdScratchWrestler);
  const auto day = Day();
  const std::string statuses = Statuses();
  ASSERT_TRUE(HasRecoveryCopy());
  // The power goes: no close, no save. The board file of the folder is lost as well.
  fs.Remove(std::string(board::kBoardFileName));

  FakeUi again_ui(&fs);
  Session again(fs, again_ui.ports());
  again.SetRecoveryPlace("appdata", "/gym");
  again_ui.messages.answers = {MessageAnswer::Yes};
  again.Start();
  ASSERT_FALSE(again_ui.messages.shown.empty());
  EXPECT_NE(again_ui.messages.shown[0].text.find("were kept. Restore them?"), std::string::npos);
  EXPECT_EQ(again.roster().EntryCount(), 8);
  std::string again_statuses;
  for (const roster::Participant& e : again.roster().Entries) {
    again_statuses += std::string(e.Status.WithoutBlanks()) + ",";
  }
  EXPECT_EQ(again_statuses, statuses);
  EXPECT_EQ(again.bout_board().Bouts, session.bout_board().Bouts);
  EXPECT_EQ(Differing(Day(), day), "");
  EXPECT_TRUE(again.Modified());
  EXPECT_TRUE(again_ui.menu.Enabled(kCmdRenumberBouts));

  // Another folder has no copy to offer; No forgets the copy for good.
  FakeUi other_ui(&fs);
  Session other(fs, other_ui.ports());
  other.SetRecoveryPlace("appdata", "/elsewhere");
  other.Start();
  EXPECT_TRUE(other_ui.messages.shown.empty());
  // Cancel puts the decision off: the copy waits for the next start.
  FakeUi third_ui(&fs);
  Session third(fs, third_ui.ports());
  third.SetRecoveryPlace("appdata", "/gym");
  third_ui.messages.answers = {MessageAnswer::Cancel};
  third.Start();
  EXPECT_TRUE(third.ConfirmClose());
  EXPECT_TRUE(HasRecoveryCopy());
  FakeUi fourth_ui(&fs);
  Session fourth(fs, fourth_ui.ports());
  fourth.SetRecoveryPlace("appdata", "/gym");
  fourth_ui.messages.answers = {MessageAnswer::No};
  fourth.Start();
  EXPECT_FALSE(HasRecoveryCopy());
}

}  // namespace
}  // namespace kestrio::ui::undo_day
