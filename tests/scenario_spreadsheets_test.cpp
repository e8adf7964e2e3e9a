// Spreadsheets through the command dispatch: File > Open of a CSV file or workbook with
// the import dialog scripted, and the roster and bouts exported.

#include <gtest/gtest.h>

#include "sheets/spreadsheet.h"
#include "tests/session_day.h"
#include "ui/command_ids.h"
#include "ui/session.h"

namespace kestrio::ui::spreadsheet_commands {
namespace {

using testing::FakeUi;

const char kRegistration[] =
    "Given;Surname;Born;Wt;Team;Wrestling\r\n"
    "John;Smith;2014-06-01;34,5;Eagles;x\r\n"
    "Ann;Fox;2013-09-15;heavy;Hawks;x\r\n"
    "Bob;Jones;2015-01-20;31;Hawks;x\r\n";

class SpreadsheetCommands : public testing::SessionDay {
 protected:
  using FakeDialogsScript = testing::FakeDialogs::ImportScript;

  // Opens path; the import dialog runs script, if any (else it is cancelled).
  void Open(const std::string& path, FakeDialogsScript script = nullptr) {
    if (script) ui.dialogs.import.push_back(std::move(script));
    ui.file_dialogs.Choose(path);
    session.Dispatch(kCmdOpen);
  }
  std::vector<std::string> LastNames() const {
    std::vector<std::string> names;
    for (std::int32_t e : session.roster().DisplayOrder) {
      names.emplace_back(session.roster().Entries[static_cast<std::size_t>(e)].LastName.Trimmed());
    }
    return names;
  }
};

TEST_F(SpreadsheetCommands, OpenReadsACsvThroughTheImportDialogAndReportsEveryBadRow) {
  fs.AddFile("entries.csv", kRegistration);
  bool remembered = true;
  ui.messages.answers = {MessageAnswer::Yes};  // load the rows that can be read
  Open("entries.csv", [&](ImportForm& form) {
    remembered = form.mapping_remembered();
    form.SetEventDate({2024, 3, 1});
    EXPECT_TRUE(form.Ok());
  });
  // The Open dialog offers spreadsheets after the roster files.
  ASSERT_EQ(ui.file_dialogs.requests.size(), 1u);
  ASSERT_EQ(ui.file_dialogs.requests[0].filters.size(), 4u);
  EXPECT_EQ(ui.file_dialogs.requests[0].filters[3].caption, "Spreadsheets (*.csv,*.xlsx)");
  EXPECT_EQ(ui.file_dialogs.requests[0].filters[0].caption, "Kestrio data files(*.tmrx)");
  EXPECT_FALSE(remembered);
  EXPECT_EQ(ui.dialogs.import_summaries,
            std::vector<std::string>{"2 of 3 rows will load; 1 will be skipped."});

  EXPECT_EQ(LastNames(), (std::vector<std::string>{"Jones", "Smith"}));
  const roster::Participant& smith = session.roster().Entries[0];
  EXPECT_EQ(smith.Age.WithoutBlanks(), "9.74");  // cut, not rounded
  EXPECT_EQ(smith.Weight.WithoutBlanks(), "34.50");
  EXPECT_EQ(smith.Status.WithoutBlanks(), "Selected");
  // The refused row is in the import report a text roster's bad lines go to, with the
  // sheet's row number and the reason; the file is a recent file like any other.
  EXPECT_EQ(ui.messages.shown.size(), 1u);  // only the question before loading
  ASSERT_EQ(ui.dialogs.import_reports.size(), 1u);
  const ImportReport& report = ui.dialogs.import_reports[0];
  EXPECT_EQ(report.path, "entries.csv");
  EXPECT_EQ(report.added, 2);
  ASSERT_EQ(report.skipped.size(), 1u);
  EXPECT_EQ(report.skipped[0].number, 3);
  EXPECT_EQ(report.skipped[0].reason, "Unable to read Weight from string \"heavy\"");
  EXPECT_EQ(report.skipped[0].text.rfind("Fox\tAnn\theavy\t", 0), 0u) << report.skipped[0].text;
  EXPECT_EQ(session.recent_files(), std::vector<std::string>{"entries.csv"});
  EXPECT_EQ(ui.list.rows.size(), 2u);

  // The same headers again: the mapping chosen is offered, and a cancel loads nothing.
  Open("entries.csv", [&](ImportForm& form) {
    remembered = form.mapping_remembered();
    form.Cancel();
  });
  EXPECT_TRUE(remembered);
  EXPECT_EQ(session.roster().EntryCount(), 2);
}

TEST_F(SpreadsheetCommands, AFileThatIsNoSheetIsSaidAtOnceAndLoadsNothing) {
  fs.AddFile("entries.xlsx", "this is not a workbook");
  Open("entries.xlsx");
  EXPECT_TRUE(ui.dialogs.import_summaries.empty());
  ASSERT_EQ(ui.messages.shown.size(), 1u);
  EXPECT_EQ(ui.messages.shown[0].caption, std::string(kOpenFailedCaption));
  EXPECT_EQ(ui.messages.shown[0].text.rfind("entries.xlsx: ", 0), 0u);
  fs.FailReads("entries.csv");
  Open("entries.csv");
  EXPECT_EQ(ui.messages.shown.size(), 2u);
  EXPECT_EQ(session.roster().EntryCount(), 0);
}

TEST_F(SpreadsheetCommands, TheRosterGoesOutAndComesBackTheSameAndTheBoutsGoOutAfterARun) {
  fs.AddFile("r.txt",
             "Adams\tAl\t72\t10\t3\tTigers\tSelected\r\n"
             "Baker\tBo\t75\t11\t2\tTigers\tSelected\r\n"
             "Cole\tCy\t70\t10.5\t3\tLions\tSelected\r\n"
             "Dunn\tDi\t71\t10\t2.5\tLions\tSelected\r\n");
  Open("r.txt");
  EXPECT_TRUE(ui.menu.Enabled(kCmdExportRoster));
  EXPECT_FALSE(ui.menu.Enabled(kCmdExportBouts));
  // A workbook where this build writes them; CSV on Windows.
  const std::string sheet = sheets::kWorkbooksBuilt ? "roster.xlsx" : "roster.csv";
  ui.file_dialogs.Choose(sheet);
  session.Dispatch(kCmdExportRoster);
  EXPECT_TRUE(ui.file_dialogs.requests.back().extension_from_filter);
  EXPECT_TRUE(ui.file_dialogs.requests.back().confirm_overwrite);
  ui.file_dialogs.Choose("saved.tmrx");
  session.Dispatch(kCmdSaveProjectData);
  const std::string saved = *fs.Contents("saved.tmrx");

  ui.messages.answers = {MessageAnswer::No};
  session.Dispatch(kCmdClearAll);
  Open(sheet, [](ImportForm& form) { EXPECT_TRUE(form.Ok()); });
  ui.file_dialogs.Choose("again.tmrx");
  session.Dispatch(kCmdSaveProjectData);
  EXPECT_EQ(*fs.Contents("again.tmrx"), saved);

  ui.messages.answers = {MessageAnswer::Yes};
  session.Dispatch(kCmdRunPairing);
  ASSERT_TRUE(ui.menu.Enabled(kCmdExportBouts));
  ui.file_dialogs.Choose("bouts.csv");
  session.Dispatch(kCmdExportBouts);
  const std::string bouts = *fs.Contents("bouts.csv");
  EXPECT_EQ(bouts.rfind("\xEF\xBB\xBF"
                        "Bout,Non-Optimum,Round,Weight Class,",
                        0),
            0u);
  EXPECT_NE(bouts.find("\r\n1,"), std::string::npos) << bouts;

  // A write that fails leaves the old file and says why.
  ui.messages.shown.clear();
  fs.FailWritesAfter("bouts.csv", 5, "No space left on device");
  ui.file_dialogs.Choose("bouts.csv");
  session.Dispatch(kCmdExportBouts);
  EXPECT_EQ(*fs.Contents("bouts.csv"), bouts);
  ASSERT_EQ(ui.messages.shown.size(), 1u);
  EXPECT_EQ(ui.messages.shown[0].caption, std::string(kSaveFailedCaption));
  EXPECT_NE(ui.messages.shown[0].text.find("No space left on device"), std::string::npos);
}

// The bouts go out as the bout board has them: after a scratch (which re-pairs the
// partners under new numbers past the run's count of bouts) and after the program
// starts again in the folder with the board restored.
TEST_F(SpreadsheetCommands, TheBoutsGoOutAsTheBoardHasThemAlsoAfterStartingAgain) {
  fs.AddFile("day.tmrx",
             "Adams\tAl\t72\t10\t3\tTigers\tSelected\r\n"
             "Baker\tBo\t73\t10\t3\tLions\tSelected\r\n"
             "Cole\tCy\t74\t10\t3\tBears\tSelected\r\n"
             "Dunn\tDi\t75\t10\t3\tTigers\tSelected\r\n"
             "Egan\tEd\t76\t10\t3\tLions\tSelected\r\n"
             "Ford\tFe\t77\t10\t3\tBears\tSelected\r\n");
  Open("day.tmrx");
  ui.file_dialogs.Choose("day.tmrx");
  session.Dispatch(kCmdSaveProjectData);
  ui.messages.answers = {MessageAnswer::Yes};
  session.Dispatch(kCmdRunPairing);
  for (int r = 0; r < ui.list.RowCount(); ++r) {
    if (ui.list.Row(r)[0] == "Adams") ui.list.Highlight({r});
  }
  session.Dispatch(kCmdScratchWrestler);
  ui.file_dialogs.Choose("day.tmrx");
  session.Dispatch(kCmdSaveAll);

  ui.file_dialogs.Choose("bouts.csv");
  session.Dispatch(kCmdExportBouts);
  const std::string bouts = fs.Contents("bouts.csv").value_or("");
  EXPECT_EQ(bouts.find("Adams"), std::string::npos) << bouts;
  // One record per bout on the board, each with its round.
  std::size_t records = 0;
  for (std::size_t at = bouts.find("\r\n"); at + 2 < bouts.size();
       at = bouts.find("\r\n", at + 2)) {
    const std::string record = bouts.substr(at + 2, bouts.find("\r\n", at + 2) - at - 2);
    const std::size_t round = record.find(',', record.find(',') + 1) + 1;
    EXPECT_NE(record[round], ',') << record;
    ++records;
  }
  EXPECT_EQ(records, session.bout_board().Bouts.size());
  EXPECT_GT(records, 0u);

  FakeUi again_ui(&fs);
  Session again(fs, again_ui.ports());
  again.Start();
  ASSERT_TRUE(again_ui.menu.Enabled(kCmdExportBouts));
  again_ui.file_dialogs.Choose("again.csv");
  again.Dispatch(kCmdExportBouts);
  EXPECT_EQ(fs.Contents("again.csv").value_or(""), bouts);
}

}  // namespace
}  // namespace kestrio::ui::spreadsheet_commands
