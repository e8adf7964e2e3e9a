// Long runs: random days of an organiser's commands through the session and its command
// dispatch (open, select, toggle, add, modify, delete, tag, empty, save, reopen, sort,
// filter, run) on random rosters, with file faults now and then. After every command
// the counters, the display order, the list and a save/reload round trip are checked;
// after every run the bout invariants.
//
// CI plays a few days; set KESTRIO_SOAK_DAYS (and KESTRIO_SOAK_SEED) for longer runs
// by hand, e.g. KESTRIO_SOAK_DAYS=2000.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "board/board_file.h"
#include "fuzz/roster_properties.h"
#include "fuzz/run_invariants.h"
#include "reports/report_files.h"
#include "reports/run_pairing.h"
#include "roster/roster_reader.h"
#include "roster/roster_writer.h"
#include "tests/fake_file_system.h"
#include "tests/fake_ui_ports.h"
#include "ui/command_ids.h"
#include "ui/list_refresh.h"
#include "ui/session.h"
#include "ui/tree_view.h"

namespace kestrio::ui {
namespace {

using testing::FakeUi;

int EnvInt(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::atoi(value) : fallback;
}

constexpr int kStepsPerDay = 40;
constexpr int kLargestRoster = 120;
const char* const kLastNames[] = {"Smith",  "Jones",   "Brown",  "Lee",
                                  "Garcia", "O Brien", "Nguyen", "Khan"};
const char* const kFirstNames[] = {"Al", "Bo", "Cy", "Di", "Ed", "Fay", "Gus", "Hal"};
const char* const kClubs[] = {"Tigers", "Lions", "Red Hawks", "Eagles", "eagles", "River City WC"};

// What the days did, so that a soak that silently stopped exercising something shows.
struct SoakTally {
  int commands = 0;
  int runs_completed = 0;
  int bouts = 0;
  int saves = 0;
  int failed_saves_reported = 0;
  int held_bout_sheets = 0;
  int largest_roster = 0;
};

class SoakDay {
 public:
  SoakDay(FakeFileSystem& fs, std::mt19937& rng, SoakTally& tally)
      : fs_(fs), rng_(rng), tally_(tally), ui_(&fs), session_(fs, ui_.ports()) {
    // Every day starts afresh: yesterday's bout board would bring yesterday's roster back.
    fs_.Remove(std::string(board::kBoardFileName));
    session_.Start();
  }

  void Play(int day) {
    const std::string roster_file = "day" + std::to_string(day) + ".txt";
    fs_.AddFile(roster_file, RandomRosterText());
    Open(roster_file);
    if (fs_.HasFile("saved.tmrx") && Pick(2) == 0) Open("saved.tmrx");
    for (int step = 0; step < kStepsPerDay && !::testing::Test::HasFailure(); ++step) {
      RandomCommand();
      ++tally_.commands;
      tally_.largest_roster = std::max(tally_.largest_roster, session_.roster().EntryCount());
      Check("day " + std::to_string(day) + " step " + std::to_string(step) + " after " + last_);
    }
  }

 private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  template <typename T, std::size_t N>
  const T& PickFrom(const T (&items)[N]) {
    return items[Pick(static_cast<int>(N))];
  }

  std::string RandomNumber(int low, int high) {
    return std::to_string(low + Pick(high - low + 1)) +
           (Pick(2) ? "" : "." + std::to_string(Pick(100)));
  }

  // Names from small pools so that duplicates happen; now and then a bad line.
  std::string RandomRosterText() {
    std::string text;
    const int lines = 2 + Pick(12);
    for (int i = 0; i < lines; ++i) {
      if (Pick(10) == 0) {
        text += "Bad\tLine\tnot-a-number\t10\t2\tLions\r\n";
        continue;
      }
      text += std::string(PickFrom(kLastNames)) + '\t' + PickFrom(kFirstNames) + '\t' +
              RandomNumber(45, 90) + '\t' + RandomNumber(8, 13) + '\t' + RandomNumber(0, 4) + '\t' +
              PickFrom(kClubs);
      const int status = Pick(4);
      text += status == 0 ? "\tyes" : status == 1 ? "\tUnSelected\t" : "";
      text += "\r\n";
    }
    return text;
  }

  void Open(const std::string& path) {
    ui_.file_dialogs.Choose(path);
    session_.Dispatch(kCmdOpen);
  }

  void HighlightRandomRows() {
    std::set<int> rows;
    const int n = static_cast<int>(ui_.list.rows.size());
    for (int i = 0; n > 0 && i < 1 + Pick(3); ++i) rows.insert(Pick(n));
    ui_.list.Highlight(rows);
  }

  void Add() {
    ui_.dialogs.add_modify.push_back([this](AddModifyForm& form) {
      form.surname = PickFrom(kLastNames);
      form.first_name = PickFrom(kFirstNames);
      form.weight = Pick(8) == 0 ? "heavy" : RandomNumber(45, 90);
      form.age = RandomNumber(8, 13);
      form.rating = RandomNumber(0, 4);
      form.club = PickFrom(kClubs);
      form.selected = Pick(2) == 0;
      if (!form.Done()) form.Cancel();
    });
    session_.Dispatch(kCmdAdd);
  }

  void Modify() {
    HighlightRandomRows();
    ui_.dialogs.add_modify.push_back([this](AddModifyForm& form) {
      form.weight = RandomNumber(45, 90);
      form.selected = Pick(2) == 0;
      if (!form.Done()) form.Cancel();
    });
    session_.Dispatch(kCmdModify);
  }

  // Save All, now and then onto a disk that fails: the previous file must survive whole
  // and the organiser must be told which file was not saved.
  void Save() {
    if (!ui_.menu.Enabled(kCmdSaveAll)) return;
    const std::optional<std::string> before = fs_.Contents("saved.tmrx");
    const std::string text = roster::RosterFileText(session_.roster());
    const auto keep = static_cast<std::size_t>(Pick(static_cast<int>(text.size()) + 1));
    const bool fault = Pick(4) == 0 && keep < text.size();
    if (fault) fs_.FailWritesAfter("saved.tmrx", keep);
    const std::size_t boxes = ui_.messages.shown.size();
    ui_.file_dialogs.Choose("saved.tmrx");
    session_.Dispatch(kCmdSaveAll);
    fs_.ClearFaults();
    if (fault) {
      EXPECT_EQ(fs_.Contents("saved.tmrx"), before) << "a failed save touched the previous file";
      ASSERT_GT(ui_.messages.shown.size(), boxes) << "a failed save was not reported";
      EXPECT_EQ(ui_.messages.shown.back().caption, kSaveFailedCaption);
      EXPECT_NE(ui_.messages.shown.back().text.find("saved.tmrx"), std::string::npos);
      ++tally_.failed_saves_reported;
      return;
    }
    ASSERT_TRUE(fs_.HasFile("saved.tmrx"));
    EXPECT_EQ(*fs_.Contents("saved.tmrx"), text);
    ++tally_.saves;
  }

  // Clear All (answering No to saving first), then open the saved file again.
  void Reopen() {
    if (!fs_.HasFile("saved.tmrx") || !ui_.menu.Enabled(kCmdClearAll)) return;
    ui_.messages.answers = {MessageAnswer::No};
    session_.Dispatch(kCmdClearAll);
    ui_.messages.answers.clear();
    ASSERT_EQ(session_.roster().EntryCount(), 0);
    Open("saved.tmrx");
  }

  void Run() {
    if (!ui_.menu.Enabled(kCmdSaveProjectData)) return;
    ui_.file_dialogs.Choose("project.tmrx");
    session_.Dispatch(kCmdSaveProjectData);
    if (!ui_.menu.Enabled(kCmdRunPairing)) return;
    const bool held = Pick(6) == 0 && fs_.HasFile(std::string(reports::kBoutSheetsName));
    if (held) fs_.HoldOpen(std::string(reports::kBoutSheetsName));
    const std::optional<std::string> sheets = fs_.Contents(std::string(reports::kBoutSheetsName));
    ui_.messages.answers = {MessageAnswer::Yes};
    session_.Dispatch(kCmdRunPairing);
    ui_.messages.answers.clear();
    fs_.ClearFaults();
    if (held) {
      EXPECT_EQ(ui_.messages.shown.back().caption, reports::kBoutSheetsHeldCaption);
      EXPECT_EQ(fs_.Contents(std::string(reports::kBoutSheetsName)), sheets);
      ++tally_.held_bout_sheets;
      return;
    }
    EXPECT_EQ(ui_.messages.shown.back().text.rfind(reports::kRunCompletedText, 0), 0u);
    fuzz::Violations v;
    fuzz::CheckRunInvariants(session_.last_run(), session_.control(), v);
    EXPECT_EQ(v.first(), "");
    int selected = 0;
    for (const auto& p : session_.roster().Entries) selected += roster::IsSelected(p);
    EXPECT_EQ(session_.last_run().SelectionSize, selected);
    ++tally_.runs_completed;
    tally_.bouts += session_.last_run().TotalBouts;
  }

  void Filter() {
    const auto& leaves = ui_.tree.leaves;
    if (leaves.empty() || Pick(3) == 0) {
      session_.OnTreeSelectionChanged({TreeNodeKind::Root, TreeBranch::None, "Kestrio Info"});
      return;
    }
    auto it = leaves.begin();
    std::advance(it, Pick(static_cast<int>(leaves.size())));
    if (it->second.empty()) return;
    session_.OnTreeSelectionChanged(
        {TreeNodeKind::Leaf, it->first,
         it->second[static_cast<std::size_t>(Pick(static_cast<int>(it->second.size())))]});
  }

  void RandomCommand() {
    switch (Pick(16)) {
      case 0:
        last_ = "open";
        // The roster doubles with every reopen of the saved file; keep a day's roster
        // to the size of a scrimmage.
        Open(Pick(2) && session_.roster().EntryCount() < kLargestRoster ? "saved.tmrx"
                                                                        : "missing.txt");
        break;
      case 1:
        last_ = "select";
        HighlightRandomRows();
        session_.Dispatch(kCmdSelect);
        break;
      case 2:
        last_ = "unselect";
        HighlightRandomRows();
        session_.Dispatch(kCmdUnSelect);
        break;
      case 3:
        last_ = "toggle";
        HighlightRandomRows();
        session_.Dispatch(kCmdToggle);
        break;
      case 4:
        last_ = "select all";
        session_.Dispatch(kCmdMarkAllSelected);
        break;
      case 5:
        last_ = "unselect all";
        session_.Dispatch(kCmdMarkAllUnSelected);
        break;
      case 6:
        last_ = "add";
        Add();
        break;
      case 7:
        last_ = "modify";
        Modify();
        break;
      case 8:
        last_ = "delete";
        HighlightRandomRows();
        session_.Dispatch(kCmdDelete);
        break;
      case 9:
        last_ = "tag duplicates";
        session_.Dispatch(kCmdTagDuplicates);
        break;
      case 10:
        last_ = "empty trash";
        session_.Dispatch(kCmdEmptyTrash);
        break;
      case 11:
        last_ = "save";
        Save();
        break;
      case 12:
        last_ = "reopen";
        Reopen();
        break;
      case 13:
        last_ = "sort";
        session_.OnColumnHeaderClicked(1 + Pick(8));
        break;
      case 14:
        last_ = "filter";
        Filter();
        break;
      default:
        last_ = "run";
        Run();
        break;
    }
  }

  // The counters, the order, the list and a save/reload round trip, from scratch.
  void Check(const std::string& where) {
    const roster::Roster& r = session_.roster();
    ASSERT_TRUE(fuzz::roster_detail::IsPermutation(r)) << where;
    roster::RosterCounters expected;
    expected.EntryTotal = r.EntryCount();
    std::vector<std::string> shown_names;
    for (std::size_t k = 0; k < r.DisplayOrder.size(); ++k) {
      const roster::Participant& p = r.Displayed(k);
      expected.SelectedCount += roster::IsSelected(p);
      expected.DeletedCount += roster::IsDeleted(p);
      expected.UnassignedCount += roster::IsUnassigned(p);
      expected.DuplicateCount += roster::IsDuplicated(p);
      if (MatchesTreeFilter(session_.view(), p)) {
        ++expected.DisplayedCount;
        shown_names.emplace_back(p.LastName.WithoutBlanks());
      }
    }
    ASSERT_EQ(session_.view().RosterCounters, expected) << where;
    ASSERT_EQ(ui_.list.rows.size(), shown_names.size()) << where;
    for (std::size_t row = 0; row < shown_names.size(); ++row) {
      ASSERT_EQ(ui_.list.rows[row][0], shown_names[row]) << where;
    }

    roster::Roster reloaded;
    roster::ReadRosterText(roster::RosterFileText(r), reloaded, roster::IgnoreSkippedLines());
    ASSERT_EQ(reloaded.EntryCount(), r.EntryCount()) << where;
    for (std::size_t k = 0; k < r.DisplayOrder.size(); ++k) {
      ASSERT_TRUE(fuzz::roster_detail::SameAfterSave(reloaded.Entries[k], r.Displayed(k)))
          << where << ": " << fuzz::roster_detail::Describe(r.Displayed(k));
    }
  }

  FakeFileSystem& fs_;
  std::mt19937& rng_;
  SoakTally& tally_;
  FakeUi ui_;
  Session session_;
  std::string last_;
};

TEST(Soak, RandomDaysOfCommands) {
  const int days = EnvInt("KESTRIO_SOAK_DAYS", 60);
  const auto seed = static_cast<unsigned>(EnvInt("KESTRIO_SOAK_SEED", 20261208));
  std::mt19937 rng(seed);
  FakeFileSystem fs;  // files stay from one day to the next, as on the organiser's disk
  SoakTally tally;
  for (int day = 0; day < days && !::testing::Test::HasFailure(); ++day) {
    SCOPED_TRACE("seed " + std::to_string(seed) + ", day " + std::to_string(day));
    SoakDay(fs, rng, tally).Play(day);
  }
  std::printf(
      "soak: %d days, %d commands, %d runs (%d bouts), %d saves, %d failed saves "
      "reported, %d runs refused on held bout sheets, largest roster %d\n",
      days, tally.commands, tally.runs_completed, tally.bouts, tally.saves,
      tally.failed_saves_reported, tally.held_bout_sheets, tally.largest_roster);
  if (days >= 25) {
    // The fixed CI seed reaches every kind of step.
    EXPECT_GT(tally.runs_completed, 0);
    EXPECT_GT(tally.saves, 0);
    EXPECT_GT(tally.failed_saves_reported, 0);
  }
}

}  // namespace
}  // namespace kestrio::ui
