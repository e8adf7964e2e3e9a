#include "ui/add_modify_form.h"

#include <gtest/gtest.h>

#include "roster/roster_writer.h"
#include "tests/fake_file_system.h"
#include "tests/fake_ui_ports.h"
#include "ui/command_ids.h"
#include "ui/list_refresh.h"
#include "ui/session.h"

namespace kestrio::ui {
namespace {

using testing::FakeUi;
using testing::RosterFrom;

class AddModifyTest : public ::testing::Test {
 protected:
  AddModifyTest() : ui(&fs), session(fs, ui.ports()) { session.Start(); }

  void Load(std::string_view lines) {
    fs.AddFile("r.txt", std::string(lines));
    ui.file_dialogs.Choose("r.txt");
    session.Dispatch(kCmdOpen);
  }
  static void Fill(AddModifyForm& f, const char* last, const char* first, const char* w,
                   const char* a, const char* r, const char* club) {
    f.surname = last;
    f.first_name = first;
    f.weight = w;
    f.age = a;
    f.rating = r;
    f.club = club;
  }
  // The form as the session opens it: on its roster, with the highlighted rows.
  AddModifyForm Form(AddModifyMode mode) {
    return AddModifyForm(
        mode, session.roster(), HighlightedCells(ui.list), [this] { session.RefreshViews(); },
        ui.messages);
  }
  std::string Status(int entry) {
    return std::string(
        session.roster().Entries[static_cast<std::size_t>(entry)].Status.WithoutBlanks());
  }

  FakeFileSystem fs;
  FakeUi ui;
  Session session;
};

TEST_F(AddModifyTest, ValidationStopsAtTheFirstBadFieldInItsOrder) {
  AddModifyForm f = Form(AddModifyMode::Add);
  EXPECT_EQ(f.message, "Add New Entry");
  EXPECT_TRUE(f.selected);
  const struct {
    const char* fields[6];
    const char* message;
  } cases[] = {
      {{" ", "", "0", "0", "0", ""}, "Blank Field: Please Enter Surname"},
      {{"S", " ", "0", "0", "0", ""}, "Blank Field: Please Enter FirstName"},
      {{"S", "F", "0", "x", "0", ""}, "Invalid Weight: Please Correct"},
      {{"S", "F", "72kg", "x", "0", ""}, "Invalid Weight: Please Correct"},
      {{"S", "F", "72", "", "0", ""}, "Invalid Age: Please Correct"},
      {{"S", "F", "72", "10", "0", ""}, "Invalid Rating: Please Correct"},
      {{"S", "F", "72", "10", "3", "  "}, "Blank Field: Please Enter Club"},
      // Does not fit the five characters the line gives it.
      {{"S", "F", "1000", "10", "3", "T"}, "Invalid Weight: Please Correct"},
      {{"S", "F", "72", "-100", "3", "T"}, "Invalid Age: Please Correct"},
  };
  for (const auto& c : cases) {
    Fill(f, c.fields[0], c.fields[1], c.fields[2], c.fields[3], c.fields[4], c.fields[5]);
    EXPECT_FALSE(f.Done()) << c.message;
    EXPECT_EQ(f.message, c.message);
  }
  EXPECT_EQ(session.roster().EntryCount(), 0);
}

TEST_F(AddModifyTest, LineCarriesOneDecimalNumbersAndTheRadioChoice) {
  AddModifyForm f = Form(AddModifyMode::Add);
  Fill(f, " Smith ", "John", "75", "-5", "2.26", "Tigers");
  f.selected = false;
  std::string line;
  ASSERT_TRUE(f.BuildLine(&line));
  EXPECT_EQ(line.size(), 512u);
  EXPECT_EQ(text::TrimTrailing(line), "Smith\tJohn\t75.0\t-5.0\t2.3\tTigers\t");
  EXPECT_EQ(f.surname, " Smith ");  // the field keeps what was typed
  ASSERT_TRUE(f.Done());
  const roster::Participant& e = session.roster().Entries[0];
  EXPECT_EQ(e.Weight.WithoutBlanks(), "75.00");
  EXPECT_EQ(e.Age.WithoutBlanks(), "-5.00");
  EXPECT_TRUE(e.Status.IsBlank());
}

TEST_F(AddModifyTest, NextKeepsClubAndChoiceAndCancelKeepsWhatWasAdded) {
  AddModifyForm f = Form(AddModifyMode::Add);
  Fill(f, "A", "a", "70", "10", "3", "Lions");
  f.selected = false;
  EXPECT_FALSE(f.Next());
  EXPECT_EQ(f.message, "Add Next Entry");
  EXPECT_EQ(f.club, "Lions");
  EXPECT_FALSE(f.selected);
  EXPECT_TRUE(f.surname.empty() && f.first_name.empty() && f.weight.empty() && f.age.empty() &&
              f.rating.empty());
  Fill(f, "B", "b", "71", "10", "3", "Lions");
  EXPECT_FALSE(f.Next());
  EXPECT_TRUE(f.Cancel());
  EXPECT_EQ(session.roster().EntryCount(), 2);
  EXPECT_EQ(ui.list.rows.size(), 2u);  // each add refreshed the list
}

TEST_F(AddModifyTest, ModifyWalksTheHighlightedRowsAndChangesTheFirstOfIdenticalEntries) {
  Load(
      "A\ta\t70\t10\t3\tT\tDeleted\r\n"
      "A\ta\t70\t10\t3\tT\tDeleted\r\n"
      "B\tb\t71\t10\t3\tT\r\n"
      "C\tc\t72\t10\t3\tT\r\n");
  ui.list.Highlight({1, 2, 3});
  AddModifyForm f = Form(AddModifyMode::Modify);
  EXPECT_EQ(f.message, "Modify Entry");
  EXPECT_EQ(f.surname, "A");
  EXPECT_EQ(f.weight, "70.00");
  EXPECT_TRUE(f.selected);  // starts at Selected whatever the status
  f.first_name = "Al";
  EXPECT_FALSE(f.Next());
  // Row 1 is the second A, but the first A in storage order is the one changed.
  EXPECT_EQ(session.roster().Entries[0].FirstName.WithoutBlanks(), "Al");
  EXPECT_EQ(Status(0), "Selected");
  EXPECT_EQ(Status(1), "Deleted");
  EXPECT_EQ(f.message, "Modifying Next Entry");
  EXPECT_EQ(f.surname, "B");
  EXPECT_FALSE(f.Next());
  EXPECT_EQ(f.surname, "C");
  f.weight = "1000";
  EXPECT_FALSE(f.Next());
  EXPECT_EQ(f.message, "Invalid Weight: Please Correct");
  f.weight = "90";
  EXPECT_TRUE(f.Next());  // Next on the last row finishes like Done
  EXPECT_EQ(ui.list.rows.back()[0], "C");
  EXPECT_EQ(ui.list.rows.back()[2], "90.00");
}

TEST_F(AddModifyTest, ModifyWithoutAHighlightedRowStaysOpenAndDoneChangesNothing) {
  Load("A\ta\t70\t10\t3\tT\r\n");
  const std::string before = roster::RosterFileText(session.roster());
  AddModifyForm f = Form(AddModifyMode::Modify);
  EXPECT_EQ(f.message, "No Data Selected: Add New Entries or Cancel");
  Fill(f, "Z", "z", "99", "9", "9", "Z");
  EXPECT_TRUE(f.Done());
  EXPECT_EQ(roster::RosterFileText(session.roster()), before);
  EXPECT_EQ(session.roster().EntryCount(), 1);
}

}  // namespace
}  // namespace kestrio::ui
