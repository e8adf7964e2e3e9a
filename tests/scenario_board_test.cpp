// The bout board through the desktop session: kept after the run, changed by the Tandrel
// menu's board commands on the highlighted rows, and restored when the program starts
// again in the folder.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "board/board_file.h"
#include "tests/session_day.h"
#include "ui/board_commands.h"
#include "ui/bouts_pane.h"
#include "ui/command_ids.h"
#include "ui/session.h"

namespace kestrio::ui::board_day {
namespace {

using testing::FakeUi;

const char kSix[] =
    "Adams\tAl\t72\t10\t3\tTigers\tSelected\r\n"
    "Baker\tBo\t73\t10\t3\tLions\tSelected\r\n"
    "Cole\tCy\t74\t10\t3\tBears\tSelected\r\n"
    "Dunn\tDi\t75\t10\t3\tTigers\tSelected\r\n"
    "Egan\tEd\t76\t10\t3\tLions\tSelected\r\n"
    "Ford\tFe\t77\t10\t3\tBears\tSelected\r\n";

class BoardDayTest : public testing::SessionDay {
 protected:
  void OpenSaveAndRun() {
    Open("day.tmrx", kSix);
    SaveProject("day.tmrx");
    RunPairing();
    ui.messages.shown.clear();
  }
  // Forty wrestlers "W10" to "W49", first name "Al", in two clubs.
  void OpenSaveAndRunForty() {
    std::string forty;
    for (int i = 0; i < 40; ++i) {
      forty += "W" + std::to_string(10 + i) + "\tAl\t" + std::to_string(60 + i % 7) + "\t10\t" +
               std::to_string(1 + i % 5) + "\t" + (i % 3 == 0 ? "Tigers" : "Lions") +
               "\tSelected\r\n";
    }
    Open("day.tmrx", forty);
    SaveProject("day.tmrx");
    RunPairing();
  }
  std::string LastText() { return ui.messages.shown.empty() ? "" : ui.messages.shown.back().text; }
  std::string Board() { return fs.Contents(std::string(board::kBoardFileName)).value_or(""); }
  std::string ByNumber() { return fs.Contents("Tandrel-BoutsByBoutNumber.txt").value_or(""); }
};

// Undo and Redo of a scratch show the wrestler's status in the list and the tree; a
// board edit that leaves the roster as it was leaves the list as it was, there and back.
TEST_F(BoardDayTest, UndoAndRedoShowTheRosterAsTheStepLeftIt) {
  OpenSaveAndRun();
  const auto status_of = [this](const std::string& last) {
    for (int r = 0; r < ui.list.RowCount(); ++r) {
      if (ui.list.Row(r)[0] == last) return ui.list.Row(r)[6];
    }
    return std::string("(not listed)");
  };
  Highlight({"Adams"});
  session.Dispatch(kCmdScratchWrestler);
  EXPECT_EQ(status_of("Adams"), "Scratched");
  const std::vector<std::string>& statuses = ui.tree.leaves[TreeBranch::Status];
  EXPECT_NE(std::find(statuses.begin(), statuses.end(), "Scratched"), statuses.end());
  session.Dispatch(kCmdUndo);
  EXPECT_EQ(status_of("Adams"), "Selected");
  session.Dispatch(kCmdRedo);
  EXPECT_EQ(status_of("Adams"), "Scratched");

  const std::vector<ListRow> rows = ui.list.rows;
  const std::string board = Board();
  session.Dispatch(kCmdRenumberBouts);
  EXPECT_NE(Board(), board);
  EXPECT_EQ(ui.list.rows, rows);
  session.Dispatch(kCmdUndo);
  EXPECT_EQ(Board(), board);
  EXPECT_EQ(ui.list.rows, rows);
  EXPECT_EQ(status_of("Adams"), "Scratched");
}

// Undo and Redo of a step that changed statuses alone give those rows new cells where
// they stand, and the list shows exactly what a refill would: rows, highlight, cursor,
// scroll position and counters. A step that moved a row (a toggle in a list sorted by
// status) or took it into or out of the tree's filter refills the list.
TEST_F(BoardDayTest, UndoChangesRowsInPlaceAsARefillWouldShowThem) {
  OpenSaveAndRunForty();
  struct Shown {
    std::vector<ListRow> rows;
    std::set<int> highlighted;
    int current, top;
    std::map<int, std::string> counters;
    bool operator==(const Shown&) const = default;
  };
  const auto shown = [this] {
    return Shown{ui.list.rows, ui.list.highlighted, ui.list.current, ui.list.top,
                 ui.status_bar.parts};
  };
  const auto step_as_refill = [&](int command, bool in_place, const char* what) {
    ui.list.Highlight({2, 5, 33});
    ui.list.current = 35;  // below the twenty rows in view
    ui.list.top = 0;
    const int clears = ui.list.clears;
    session.Dispatch(command);
    EXPECT_EQ(ui.list.clears == clears, in_place) << what;
    const Shown after_step = shown();
    session.RefreshViews();
    EXPECT_TRUE(shown() == after_step) << what;
    // The cursor's row brought into view, as a refill does.
    if (in_place) {
      EXPECT_EQ(ui.list.top, 16) << what;
    }
  };
  const auto scratch = [this](const std::string& last) {
    Highlight({last});
    session.Dispatch(kCmdScratchWrestler);
  };

  scratch("W17");
  EXPECT_EQ(ui.list.rows[static_cast<std::size_t>(ui.list.FindRow("W17", "Al"))][6], "Scratched");
  const int replaced = ui.list.replaced;
  step_as_refill(kCmdUndo, true, "undo");
  EXPECT_GT(ui.list.replaced, replaced);
  EXPECT_EQ(ui.list.rows[static_cast<std::size_t>(ui.list.FindRow("W17", "Al"))][6], "Selected");
  step_as_refill(kCmdRedo, true, "redo");
  step_as_refill(kCmdUndo, true, "undo again");

  session.OnColumnHeaderClicked(7);  // by status: a toggled row moves
  Highlight({"W21"});
  session.Dispatch(kCmdToggle);
  step_as_refill(kCmdUndo, false, "undo in a list sorted by status");
  session.OnColumnHeaderClicked(3);
  session.OnTreeSelectionChanged({TreeNodeKind::Leaf, TreeBranch::Status, "Selected"});
  scratch("W30");
  EXPECT_EQ(ui.list.FindRow("W30", "Al"), -1);
  step_as_refill(kCmdUndo, false, "undo into the filter");
  EXPECT_NE(ui.list.FindRow("W30", "Al"), -1);
}

// A scratch of highlighted rows takes every wrestler behind them, and no other, and shows
// each one's new status in his row.
TEST_F(BoardDayTest, AScratchTakesEveryHighlightedWrestlerHoweverMany) {
  OpenSaveAndRunForty();
  const auto scratched = [this] {
    std::vector<std::string> names;
    for (const board::BoardWrestler& w : session.bout_board().Wrestlers) {
      if (w.Scratched) names.emplace_back(w.Key.LastName.WithoutBlanks());
    }
    std::sort(names.begin(), names.end());
    return names;
  };
  Highlight({"W11", "W12"});
  session.Dispatch(kCmdScratchWrestler);
  EXPECT_EQ(scratched(), (std::vector<std::string>{"W11", "W12"}));
  Highlight({"W20", "W21", "W22", "W23", "W24", "W25", "W26", "W27", "W28", "W12"});
  session.Dispatch(kCmdScratchWrestler);
  EXPECT_EQ(scratched(), (std::vector<std::string>{"W11", "W12", "W20", "W21", "W22", "W23", "W24",
                                                   "W25", "W26", "W27", "W28"}));
  EXPECT_EQ(ui.list.rows[static_cast<std::size_t>(ui.list.FindRow("W28", "Al"))][6], "Scratched");
}

TEST_F(BoardDayTest, TheCommandsWaitForARunThenChangeTheBoardAndItsReports) {
  for (const int cmd : {kCmdScratchWrestler, kCmdPairLateArrivals, kCmdAddBout, kCmdRemoveBout,
                        kCmdRenumberBouts, kCmdReplaceWrestler}) {
    EXPECT_FALSE(ui.menu.Enabled(cmd)) << cmd;
  }
  OpenSaveAndRun();
  ASSERT_NE(Board().find("Roster\tday.tmrx\r\n"), std::string::npos) << Board();
  for (const int cmd : {kCmdScratchWrestler, kCmdPairLateArrivals, kCmdAddBout, kCmdRemoveBout,
                        kCmdRenumberBouts, kCmdReplaceWrestler}) {
    EXPECT_TRUE(ui.menu.Enabled(cmd)) << cmd;
  }
  const std::string run_reports = ByNumber();

  Highlight({"Adams"});
  session.Dispatch(kCmdScratchWrestler);
  ASSERT_EQ(ui.messages.shown.size(), 1u);
  EXPECT_EQ(ui.messages.shown[0].caption, kBoardCaption);
  EXPECT_EQ(ui.messages.shown[0].text.rfind("Scratched Adams, Al (Tigers): ", 0), 0u)
      << ui.messages.shown[0].text;
  EXPECT_NE(Board().find("Adams\tAl\tTigers\t72.00\t10.00\t3.00\tScratched"), std::string::npos);
  EXPECT_EQ(ByNumber().find("Adams"), std::string::npos);
  // The roster keeps the scratch: Adams is no late arrival.
  ui.messages.shown.clear();
  session.Dispatch(kCmdPairLateArrivals);
  EXPECT_EQ(LastText(),
            "There are no late arrivals: every selected wrestler is on the bout board.");

  // A late arrival added to the roster and paired in.
  fs.AddFile("late.txt", "Gray\tGus\t74\t10\t3\tHawks\tSelected\r\n");
  ui.file_dialogs.Choose("late.txt");
  session.Dispatch(kCmdOpen);
  ui.messages.shown.clear();
  session.Dispatch(kCmdPairLateArrivals);
  EXPECT_EQ(ui.messages.shown.at(0).text.rfind("Late arrivals paired: 1, ", 0), 0u);
  EXPECT_NE(Board().find("Gray\tGus"), std::string::npos);
  EXPECT_NE(ByNumber().find("Gray"), std::string::npos);

  // A bout by hand: the dialog cancelled, then the bout added through it; then taken off
  // again and the numbers closed up.
  const std::string before_add = Board();
  Highlight({"Baker", "Gray"});
  ASSERT_EQ(ui.list.highlighted.size(), 2u) << ui.list.RowCount();
  ui.messages.shown.clear();
  session.Dispatch(kCmdAddBout);
  EXPECT_EQ(Board(), before_add);
  ASSERT_EQ(ui.dialogs.add_bout_openings.size(), 1u);
  EXPECT_EQ(ui.dialogs.add_bout_openings[0].rfind("Baker, Bo / Gray, Gus: ", 0), 0u)
      << ui.dialogs.add_bout_openings[0];
  // Every command refills the list, which drops the highlight.
  Highlight({"Baker", "Gray"});
  ui.dialogs.add_bout.push_back([](AddBoutForm& form) { EXPECT_TRUE(form.Add()); });
  session.Dispatch(kCmdAddBout);
  EXPECT_TRUE(ui.messages.shown.empty()) << LastText();
  EXPECT_NE(Board(), before_add);
  EXPECT_NE(Board().find("\tHL\r\n"), std::string::npos) << Board();
  Highlight({"Baker", "Gray"});
  session.Dispatch(kCmdRemoveBout);
  EXPECT_EQ(Board().find("\tHL\r\n"), std::string::npos) << Board();
  session.Dispatch(kCmdRenumberBouts);
  EXPECT_NE(ByNumber(), run_reports);
}

TEST_F(BoardDayTest, StartingAgainInTheFolderRestoresTheBoardWithItsRoster) {
  OpenSaveAndRun();
  Highlight({"Cole"});
  session.Dispatch(kCmdScratchWrestler);
  ui.file_dialogs.Choose("day.tmrx");
  session.Dispatch(kCmdSaveAll);

  FakeUi again_ui(&fs);
  Session again(fs, again_ui.ports());
  again.Start();
  EXPECT_EQ(again.roster().EntryCount(), 6);
  EXPECT_TRUE(again_ui.menu.Enabled(kCmdRenumberBouts));
  again_ui.messages.shown.clear();
  again_ui.list.Highlight({});
  again.Dispatch(kCmdPairLateArrivals);
  ASSERT_FALSE(again_ui.messages.shown.empty());
  EXPECT_EQ(again_ui.messages.shown.back().text,
            "There are no late arrivals: every selected wrestler is on the bout board.");

  // A roster that lost one of the board's wrestlers: reported, nothing loaded.
  fs.AddFile("day.tmrx", "Adams\tAl\t72\t10\t3\tTigers\tSelected\r\n");
  FakeUi third_ui(&fs);
  Session third(fs, third_ui.ports());
  third.Start();
  EXPECT_EQ(third.roster().EntryCount(), 0);
  ASSERT_EQ(third_ui.messages.shown.size(), 1u);
  EXPECT_NE(third_ui.messages.shown[0].text.find("does not match the roster"), std::string::npos);
  EXPECT_FALSE(third_ui.menu.Enabled(kCmdRenumberBouts));
}

// The schedule follows the board: a scratch takes the wrestler's bouts off the mats, Undo
// puts them back, and a program started again in the folder has the same schedule.
TEST_F(BoardDayTest, TheMatScheduleFollowsEveryChangeOfTheBoard) {
  OpenSaveAndRun();
  ui.dialogs.schedule.push_back([](MatScheduleForm& form) {
    form.mats = "2";
    EXPECT_TRUE(form.Ok());
  });
  session.Dispatch(kCmdScheduleMats);
  ASSERT_TRUE(session.mat_day().has_value());
  const std::size_t bouts = session.bout_board().Bouts.size();
  ASSERT_EQ(session.mat_day()->bouts.size(), bouts);
  const std::string scheduled = fs.Contents("Tandrel-MatSchedule.txt").value_or("");
  ASSERT_NE(scheduled.find("Adams"), std::string::npos);

  Highlight({"Adams"});
  session.Dispatch(kCmdScratchWrestler);
  ASSERT_TRUE(session.mat_day().has_value());
  EXPECT_EQ(session.mat_day()->bouts.size(), session.bout_board().Bouts.size());
  EXPECT_LT(session.mat_day()->bouts.size(), bouts);
  EXPECT_EQ(fs.Contents("Tandrel-MatSchedule.txt")->find("Adams"), std::string::npos);
  EXPECT_EQ(fs.Contents("Tandrel-ScheduleByClub.txt")->find("Adams"), std::string::npos);
  EXPECT_EQ(session.mat_day()->settings.Mats, 2);

  session.Dispatch(kCmdUndo);
  EXPECT_EQ(session.mat_day()->bouts.size(), bouts);
  EXPECT_EQ(fs.Contents("Tandrel-MatSchedule.txt"), scheduled);

  FakeUi again_ui(&fs);
  Session again(fs, again_ui.ports());
  again.Start();
  ASSERT_TRUE(again.mat_day().has_value());
  EXPECT_EQ(again.mat_day()->schedule.Slot, session.mat_day()->schedule.Slot);
  EXPECT_TRUE(again_ui.menu.Enabled(kCmdPrintMatLists));
}

// The Bouts tab as the window draws it: from the board and the schedule it was last
// given, whenever it paints.
class DrawnBoutsPane : public BoutsPane {
 public:
  void ShowBouts(const board::BoutBoard& board, const std::vector<std::int32_t>& places, int,
                 const reports::MatDay* day) override {
    board_ = &board;
    places_ = places;
    day_ = day;
  }
  std::vector<std::int32_t> HighlightedBouts() const override { return {}; }
  void ShowShortOfMinimum(const board::BoutBoard&,
                          const std::vector<board::ShortWrestler>&) override {}
  std::pair<int, int> HighlightedCandidate() const override { return {-1, -1}; }

  // What a paint now would read that is no longer there: "" when nothing.
  std::string Stale(const Session& session) const {
    if (day_ != nullptr && (!session.mat_day() || day_ != &*session.mat_day())) {
      return "a schedule let go";
    }
    for (const std::int32_t place : places_) {
      if (place < 0 || static_cast<std::size_t>(place) >= board_->Bouts.size()) {
        return "bout " + std::to_string(place) + " of " + std::to_string(board_->Bouts.size());
      }
    }
    return "";
  }

 private:
  const board::BoutBoard* board_ = nullptr;
  std::vector<std::int32_t> places_;
  const reports::MatDay* day_ = nullptr;
};

// A second run over a scheduled board: while its progress and its messages are up, the
// window may repaint the Bouts tab, which must then read neither the schedule the run
// let go nor places of the board it replaced.
TEST_F(BoardDayTest, TheBoutsTabNeverDrawsWhatASecondRunLetGo) {
  DrawnBoutsPane pane;
  session.AttachBoutsPane(&pane);
  OpenSaveAndRunForty();
  ui.dialogs.schedule.push_back([](MatScheduleForm& form) {
    form.mats = "2";
    EXPECT_TRUE(form.Ok());
  });
  session.Dispatch(kCmdScheduleMats);
  ASSERT_TRUE(session.mat_day().has_value());
  for (int r = 0; r < ui.list.RowCount(); ++r) {
    if (r % 3 != 0) ui.list.highlighted.insert(r);
  }
  session.Dispatch(kCmdDelete);
  SaveProject("day.tmrx");
  std::vector<std::string> stale;
  const auto paint = [&] {
    if (std::string s = pane.Stale(session); !s.empty()) stale.push_back(s);
  };
  ui.progress.while_up = paint;
  ui.messages.while_up = paint;
  RunPairing();
  EXPECT_FALSE(session.mat_day().has_value());
  EXPECT_EQ(stale, std::vector<std::string>{});
  ui.progress.while_up = nullptr;
  ui.messages.while_up = nullptr;
}

// The same when the new board's file cannot be written: the message saying so comes up
// with the Bouts tab already on the new board.
TEST_F(BoardDayTest, TheBoutsTabHasTheNewBoardWhenItsFileCannotBeSaved) {
  DrawnBoutsPane pane;
  session.AttachBoutsPane(&pane);
  OpenSaveAndRunForty();
  for (int r = 0; r < ui.list.RowCount(); ++r) {
    if (r % 3 != 0) ui.list.highlighted.insert(r);
  }
  session.Dispatch(kCmdDelete);
  SaveProject("day.tmrx");
  fs.HoldOpen(std::string(board::kBoardFileName));
  std::vector<std::string> stale;
  ui.messages.while_up = [&] {
    if (std::string s = pane.Stale(session); !s.empty()) stale.push_back(s);
  };
  RunPairing();
  ui.messages.while_up = nullptr;
  EXPECT_EQ(stale, std::vector<std::string>{});
  bool said = false;
  for (const Message& m : ui.messages.shown)
    said |= m.text.find(board::kBoardFileName) != std::string::npos;
  EXPECT_TRUE(said);
}

// A scratch that removes bouts says so in a message box; the Bouts tab, showing every
// bout, is on the new board when the message comes up.
TEST_F(BoardDayTest, TheBoutsTabHasTheBoardABoardCommandLeavesBeforeItsMessage) {
  DrawnBoutsPane pane;
  session.AttachBoutsPane(&pane);
  OpenSaveAndRunForty();
  const std::size_t bouts = session.bout_board().Bouts.size();
  std::vector<std::string> stale;
  ui.messages.while_up = [&] {
    if (std::string s = pane.Stale(session); !s.empty()) stale.push_back(s);
  };
  Highlight({"W20", "W21", "W22", "W23", "W24", "W25", "W26", "W27", "W28", "W12"});
  session.Dispatch(kCmdScratchWrestler);
  ui.messages.while_up = nullptr;
  ASSERT_LT(session.bout_board().Bouts.size(), bouts);
  EXPECT_EQ(stale, std::vector<std::string>{});
}

}  // namespace
}  // namespace kestrio::ui::board_day
