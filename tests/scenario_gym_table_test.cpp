// A morning at the gym table played through the dispatch: working down the list with
// the keyboard, finding wrestlers, typing mistakes, reports that are not there, recent
// files. What the desktop window makes of it is tested in platform/.

#include <gtest/gtest.h>

#include "tests/session_day.h"
#include "ui/command_ids.h"
#include "ui/run_messages.h"
#include "ui/session.h"

namespace kestrio::ui::gym_table {
namespace {

using testing::FakeUi;

// Sorted by weight: Cole 70, Adams 72, Evans 74, Baker 75, Fox 80.
const char kRoster[] =
    "Adams\tAl\t72\t10\t3\tTigers\r\n"
    "Baker\tBo\t75\t11\t2\tTigers\r\n"
    "Cole\tCy\t70\t10\t3\tLions\r\n"
    "Evans\tEd\t74\t11\t2\tLions\r\n"
    "Fox\tFay\t80\t12\t4\tOwls\r\n";

class GymTable : public testing::SessionDay {
 protected:
  std::vector<std::string> Names() const { return Column(0); }
  std::string NameAt(int row) const { return ui.list.rows.at(static_cast<std::size_t>(row))[0]; }
  void SelectAllAndSave() {
    session.Dispatch(kCmdMarkAllSelected);
    ui.file_dialogs.Choose("day.tmrx");
    session.Dispatch(kCmdSaveProjectData);
  }
  std::string Hint() { return ui.status_bar.parts[kHintPart]; }
};

// Down, Ctrl+T, Down, Ctrl+T: every command refills the list, and the cursor, the
// highlight and the scroll position stay with the wrestlers, also when a re-sort moves
// their rows.
TEST_F(GymTable, TheCursorAndTheHighlightStayWithTheirWrestlers) {
  Open("r.txt", kRoster);
  ui.list.visible_rows = 2;
  ui.list.top = 2;
  ui.list.Highlight({3});
  ui.list.current = 3;  // Baker
  session.Dispatch(kCmdToggle);
  EXPECT_EQ(NameAt(ui.list.current), "Baker");
  EXPECT_EQ(ui.list.highlighted, std::set<int>{3});
  EXPECT_EQ(ui.list.top, 2);
  EXPECT_EQ(ui.list.rows[3][6], "Selected");

  // Sorted by status, Baker's row moves to the end; cursor and highlight follow him.
  session.OnColumnHeaderClicked(7);
  const int baker = ui.list.FindRow("Baker", "Bo");
  EXPECT_EQ(baker, 4) << ::testing::PrintToString(Names());
  EXPECT_EQ(ui.list.current, baker);
  EXPECT_EQ(ui.list.highlighted, std::set<int>{baker});
  EXPECT_GE(baker, ui.list.top);
  EXPECT_LT(baker, ui.list.top + ui.list.visible_rows);

  // Empty Trash renumbers the entries; the list still knows who is who.
  session.OnColumnHeaderClicked(3);  // by weight again
  ui.list.Highlight({0});            // Cole
  session.Dispatch(kCmdDelete);
  ui.list.Highlight({ui.list.FindRow("Fox", "Fay")});
  ui.list.current = ui.list.FindRow("Fox", "Fay");
  session.Dispatch(kCmdEmptyTrash);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Adams", "Evans", "Baker", "Fox"}));
  EXPECT_EQ(NameAt(ui.list.current), "Fox");
  EXPECT_EQ(ui.list.highlighted, std::set<int>{3});
}

// The find box narrows the list within the tree filter; the statistics count what is
// shown, and "displayed" means the same to Save Display Data.
TEST_F(GymTable, FindFiltersBySurnameFirstNameOrClubWithinTheTreeFilter) {
  Open("r.txt", kRoster);
  session.OnFindTextChanged("  TIG ");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Adams", "Baker"}));
  EXPECT_NE(ui.status_bar.parts[kStatsPart].find("     2 Displayed;"), std::string::npos);
  session.OnFindTextChanged("ions e");  // every word, in any of the three fields
  EXPECT_EQ(Names(), (std::vector<std::string>{"Cole", "Evans"}));
  session.OnTreeSelectionChanged({TreeNodeKind::Leaf, TreeBranch::Club, "Lions"});
  session.OnFindTextChanged("ed");
  EXPECT_EQ(Names(), std::vector<std::string>{"Evans"});
  ui.file_dialogs.Choose("shown.tmrx");
  session.Dispatch(kCmdSaveDisplayData);
  EXPECT_EQ(fs.Contents("shown.tmrx")->find("Cole"), std::string::npos);
  EXPECT_NE(fs.Contents("shown.tmrx")->find("Evans"), std::string::npos);
  // A Clear All empties the roster, not the organiser's find box.
  ui.messages.answers = {MessageAnswer::No};
  session.Dispatch(kCmdClearAll);
  EXPECT_EQ(session.view().FindText, "ed");
  session.OnFindTextChanged("");
  EXPECT_TRUE(ui.list.rows.empty());
}

TEST_F(GymTable, ModifyLeavesUntouchedNumbersExactlyAsTheRosterHoldsThem) {
  Open("r.txt", "Gray\tGus\t61.25\t5.83\t4.29\tOwls\r\n");
  ui.list.Highlight({0});
  ui.dialogs.add_modify.push_back([](AddModifyForm& form) {
    // Shown with the two decimals the roster holds.
    EXPECT_EQ(form.weight, "61.25");
    EXPECT_EQ(form.age, "5.83");
    EXPECT_EQ(form.rating, "4.29");
    form.first_name = "Gil";
    form.weight = " 61.26 ";  // typed: carried with one decimal, as ever
    EXPECT_TRUE(form.Done());
  });
  session.Dispatch(kCmdModify);
  const roster::Participant& gray = session.roster().Entries[0];
  EXPECT_EQ(gray.FirstName.WithoutBlanks(), "Gil");
  EXPECT_EQ(gray.Age.WithoutBlanks(), "5.83");
  EXPECT_EQ(gray.Rating.WithoutBlanks(), "4.29");
  EXPECT_EQ(gray.Weight.WithoutBlanks(), "61.30");
}

// A typed value the grammar reads but nobody weighs is asked about, and No puts the
// organiser back in that field with nothing added.
TEST_F(GymTable, UnlikelyValuesAreAskedAboutAndNoReturnsToTheField) {
  AddModifyForm form(
      AddModifyMode::Add, session.roster(), {}, [this] { session.RefreshViews(); }, ui.messages);
  form.surname = "Hill";
  form.first_name = "Hal";
  form.weight = "72";
  form.age = "150";
  form.rating = "99";
  form.club = "Owls";
  ui.messages.answers = {MessageAnswer::No};
  EXPECT_FALSE(form.Done());
  EXPECT_EQ(form.focus(), AddModifyField::Age);
  EXPECT_EQ(session.roster().EntryCount(), 0);
  ASSERT_EQ(
      ui.messages.Lines(),
      std::vector<std::string>{"Add/Modify | Are you sure? Age 150 is outside the usual 3 to 20."});
  EXPECT_EQ(ui.messages.shown[0].buttons, MessageButtons::YesNo);

  ui.messages.answers = {MessageAnswer::Yes, MessageAnswer::Yes};
  EXPECT_TRUE(form.Done());
  EXPECT_EQ(ui.messages.Lines().back(),
            "Add/Modify | Are you sure? Rating 99 is outside the usual 0 to 10.");
  EXPECT_EQ(session.roster().EntryCount(), 1);

  // A refused value puts the focus on its field too.
  AddModifyForm again(
      AddModifyMode::Add, session.roster(), {}, [this] { session.RefreshViews(); }, ui.messages);
  EXPECT_EQ(again.focus(), AddModifyField::Surname);
  again.surname = "Ives";
  again.first_name = "Ian";
  again.weight = "heavy";
  EXPECT_FALSE(again.Done());
  EXPECT_EQ(again.focus(), AddModifyField::Weight);
}

// After a refused run the reports menu is open, but nothing of an earlier run may pass
// for this one's, and the organiser is told why each report is missing.
TEST_F(GymTable, ReportsOfARefusedRunSayWhyTheyAreMissing) {
  Open("r.txt", kRoster);
  SelectAllAndSave();
  EXPECT_EQ(Hint(), "");
  ui.messages.answers = {MessageAnswer::Yes, MessageAnswer::Action};
  session.Dispatch(kCmdRunPairing);
  EXPECT_EQ(ui.viewer.files, std::vector<std::string>{"Tandrel-PairingByhand.txt"});
  ASSERT_TRUE(fs.HasFile("Tandrel-BoutsForOwls.txt"));

  fs.AddFile("Tandrel-PairingBoutsheets.txt", "held");
  fs.HoldOpen("Tandrel-PairingBoutsheets.txt");
  ui.messages.answers = {MessageAnswer::Yes};
  session.Dispatch(kCmdRunPairing);
  EXPECT_FALSE(fs.HasFile("Tandrel-BoutsForOwls.txt"));
  ui.viewer.files.clear();
  ui.messages.shown.clear();
  session.Dispatch(kCmdViewSummary);
  session.Dispatch(kCmdViewByClub);
  session.Dispatch(kCmdViewBoutSheets);
  EXPECT_TRUE(ui.viewer.files.empty());
  ASSERT_EQ(ui.messages.shown.size(), 4u);
  EXPECT_EQ(ui.messages.shown[0].caption, kNoReportCaption);
  EXPECT_EQ(ui.messages.shown[0].text,
            "Tandrel-PairingResults.txt does not exist: the last pairing run was refused.\n\n"
            "Close bout sheet MailMerge program Kestrio-BoutSheets.doc and rerun.");
  EXPECT_EQ(ui.messages.shown[1].text.rfind("Tandrel-BoutsByClub.txt does not exist", 0), 0u);
  // The held bout sheets are an earlier run's: not shown as this run's.
  EXPECT_EQ(ui.messages.shown[3].text.rfind("Tandrel-PairingBoutsheets.txt does not exist", 0), 0u);

  // A report removed after a run that wrote it.
  fs.ClearFaults();
  ui.messages.answers = {MessageAnswer::Yes};
  session.Dispatch(kCmdRunPairing);
  ASSERT_TRUE(fs.Remove("Tandrel-BoutsByBoutNumber.txt").ok());
  session.Dispatch(kCmdViewByBoutNumber);
  EXPECT_EQ(ui.messages.Lines().back(),
            std::string(kNoReportCaption) +
                " | Tandrel-BoutsByBoutNumber.txt was written by the last pairing run but "
                "cannot be read now: it was removed, renamed or is held by another program.");
  EXPECT_EQ(MissingReportText("Tandrel-PairingResults.txt", false, {}),
            "Tandrel-PairingResults.txt does not exist yet: no pairing run was made since "
            "Kestrio started.");
}

TEST_F(GymTable, AGreyedRunSaysItWaitsForTheProjectToBeSaved) {
  Open("r.txt", kRoster);
  session.Dispatch(kCmdMarkAllSelected);
  EXPECT_FALSE(ui.menu.Enabled(kCmdRunPairing));
  EXPECT_EQ(Hint(), kRunNeedsSaveText);
  ui.file_dialogs.Choose("day.tmrx");
  session.Dispatch(kCmdSaveProjectData);
  EXPECT_EQ(Hint(), "");
  session.Dispatch(kCmdMarkAllUnSelected);  // not ready: nothing to wait for
  EXPECT_EQ(Hint(), "");
}

TEST_F(GymTable, RecentFilesKeepTheLastEightOpenedOrSavedLatestFirst) {
  for (int i = 0; i < 10; ++i) fs.AddFile("r" + std::to_string(i) + ".txt", kRoster);
  for (int i = 0; i < 10; ++i) session.OpenFile("r" + std::to_string(i) + ".txt");
  ASSERT_EQ(session.recent_files().size(), kMaxRecentFiles);
  EXPECT_EQ(session.recent_files().front(), "r9.txt");
  EXPECT_EQ(session.recent_files().back(), "r2.txt");
  session.OpenFile("r5.txt");
  EXPECT_EQ(session.recent_files()[0], "r5.txt");
  EXPECT_EQ(session.recent_files()[1], "r9.txt");
  ui.file_dialogs.Choose("saved.tmrx");
  session.Dispatch(kCmdSaveAll);
  EXPECT_EQ(session.recent_files()[0], "saved.tmrx");
  // A file that is gone is named once and leaves the list.
  ASSERT_TRUE(fs.Remove("r9.txt").ok());
  session.OpenFile("r9.txt");
  EXPECT_EQ(ui.messages.shown.back().caption, kOpenFailedCaption);
  EXPECT_EQ(std::count(session.recent_files().begin(), session.recent_files().end(), "r9.txt"), 0);
  session.SetRecentFiles({"a", "", "b", "a"});
  EXPECT_EQ(session.recent_files(), (std::vector<std::string>{"a", "b"}));
  // A typed name without extension gets the one the dialogs preselect.
  EXPECT_EQ(ui.file_dialogs.requests.back().default_extension, "*.tmrx");
}

}  // namespace
}  // namespace kestrio::ui::gym_table
