#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <sstream>

#include "app/batch_options.h"
#include "app/batch_run.h"
#include "sheets/spreadsheet.h"
#include "tests/fake_file_system.h"

namespace kestrio::app {
namespace {

ParsedArguments Parse(std::vector<std::string_view> args) { return ParseBatchArguments(args); }

TEST(BatchArgumentsTest, StepsValuesAndRosterFiles) {
  const ParsedArguments p =
      Parse({"--select-all", "a.txt", "--sort", "-3", "--tag-duplicates", "--empty-trash",
             "--save=out.tmrx", "--listing", "list.dat", "--no-pair", "b.dat"});
  ASSERT_EQ(p.error, "");
  EXPECT_EQ(p.options.sort_column, -3);
  EXPECT_TRUE(p.options.select_all && p.options.tag_duplicates && p.options.empty_trash);
  EXPECT_EQ(p.options.save_path, "out.tmrx");
  EXPECT_EQ(p.options.listing_path, "list.dat");
  EXPECT_FALSE(p.options.pair);
  EXPECT_EQ(p.options.roster_files, (std::vector<std::string>{"a.txt", "b.dat"}));

  const ParsedArguments defaults = Parse({"r.txt"});
  EXPECT_EQ(defaults.options.sort_column, std::nullopt);
  EXPECT_TRUE(defaults.options.pair);
  EXPECT_FALSE(defaults.options.optimal || defaults.options.compare);
  const ParsedArguments optimal = Parse({"--optimal", "--compare", "r.txt"});
  EXPECT_TRUE(optimal.options.optimal && optimal.options.compare);
  EXPECT_EQ(Parse({"--", "-odd-name.txt"}).options.roster_files,
            (std::vector<std::string>{"-odd-name.txt"}));
}

TEST(BatchArgumentsTest, SortColumnsByNumberOrCaption) {
  EXPECT_EQ(ParseSortColumn("1"), 1);
  EXPECT_EQ(ParseSortColumn("-8"), -8);
  EXPECT_EQ(ParseSortColumn("Weight"), 3);
  EXPECT_EQ(ParseSortColumn("last name"), 1);
  EXPECT_EQ(ParseSortColumn("-CLUB"), -6);
  EXPECT_EQ(ParseSortColumn("weight class"), 8);
  EXPECT_EQ(Parse({"--sort=-Age", "r"}).options.sort_column, -4);
  for (std::string_view bad : {"0", "9", "", "-", "--3", "Weigh", "12"}) {
    EXPECT_EQ(ParseSortColumn(bad), std::nullopt) << bad;
  }
}

TEST(BatchArgumentsTest, BoardStepsInTheOrderGivenWithOrWithoutARosterFile) {
  const ParsedArguments p = Parse({"--scratch", "Smith|John|Eagles", "--remove-bout=-7",
                                   "--add-bout", "A|B|C", "D|E|", "--pair-late", "--renumber"});
  ASSERT_EQ(p.error, "");
  using Kind = BoardStep::Kind;
  const std::vector<BoardStep>& steps = p.options.board_steps;
  ASSERT_EQ(steps.size(), 5u);
  EXPECT_EQ(steps[0].kind, Kind::kScratch);
  EXPECT_EQ(steps[0].first, "Smith|John|Eagles");
  EXPECT_EQ(steps[1].kind, Kind::kRemoveBout);
  EXPECT_EQ(steps[1].number, -7);
  EXPECT_EQ(steps[2].kind, Kind::kAddBout);
  EXPECT_EQ(steps[2].first + "/" + steps[2].second, "A|B|C/D|E|");
  EXPECT_EQ(steps[3].kind, Kind::kPairLate);
  EXPECT_EQ(steps[4].kind, Kind::kRenumber);
  EXPECT_TRUE(p.options.roster_files.empty());

  EXPECT_EQ(Parse({"--remove-bout", "x3"}).error, "bad --remove-bout number 'x3'");
  EXPECT_EQ(Parse({"--remove-bout", "0"}).error, "bad --remove-bout number '0'");
  EXPECT_EQ(Parse({"--add-bout", "A|B|C"}).error, "option --add-bout needs two wrestlers");
}

TEST(BatchArgumentsTest, UsageErrors) {
  EXPECT_EQ(Parse({}).error, "no roster file given");
  EXPECT_EQ(Parse({"--no-pair"}).error, "no roster file given");
  EXPECT_EQ(Parse({"--frobnicate", "r"}).error, "unknown option --frobnicate");
  EXPECT_EQ(Parse({"--sort", "10", "r"}).error, "bad --sort column '10' (1-8 or a column caption)");
  EXPECT_EQ(Parse({"r", "--sort"}).error, "option --sort needs a value");
  EXPECT_EQ(Parse({"--no-pair=yes", "r"}).error, "option --no-pair takes no value");
  EXPECT_EQ(Parse({"--save=", "r"}).error, "--save needs a file name");
  EXPECT_EQ(Parse({"--help"}).error, "");
  EXPECT_TRUE(Parse({"--version"}).options.show_version);
}

TEST(BatchArgumentsTest, SpreadsheetOptions) {
  const ParsedArguments p =
      Parse({"--columns", "last=Surname,dob=Born", "--event-date=2024-03-01", "--date-order", "dmy",
             "--sheet", "Boys", "--export-roster", "r.CSV", "--export-bouts=b.csv", "in.csv"});
  ASSERT_EQ(p.error, "");
  EXPECT_EQ(p.options.columns, "last=Surname,dob=Born");
  EXPECT_EQ(p.options.event_date, (sheets::CivilDate{2024, 3, 1}));
  EXPECT_EQ(p.options.date_order, sheets::DateOrder::DayFirst);
  EXPECT_EQ(p.options.sheet, "Boys");
  EXPECT_EQ(p.options.export_roster_path, "r.CSV");
  EXPECT_EQ(p.options.export_bouts_path, "b.csv");

  EXPECT_EQ(Parse({"--event-date", "1/3/2024", "r"}).error,
            "bad --event-date '1/3/2024' (YYYY-MM-DD)");
  EXPECT_EQ(Parse({"--date-order", "ymd", "r"}).error, "bad --date-order 'ymd' (mdy or dmy)");
  EXPECT_EQ(Parse({"--export-roster", "r.txt", "r"}).error,
            "--export-roster needs a file name ending in .csv or .xlsx");
  EXPECT_EQ(Parse({"--no-pair", "--export-bouts", "b.csv", "r"}).error,
            "--export-bouts needs the pairing run (drop --no-pair)");
  // A build without the workbook libraries refuses a workbook before it reads a roster.
  EXPECT_EQ(Parse({"--export-roster", "r.Xlsx", "r"}).error,
            sheets::kWorkbooksBuilt ? ""
                                    : "--export-roster needs a file name ending in .csv: this "
                                      "build writes no Excel workbooks");
}

// The workbook module is loaded for exactly the runs that read or write a workbook, by
// the same extension test that chooses the reader and the writer.
TEST(BatchArgumentsTest, TheRunsThatReadOrWriteAWorkbook) {
  const auto workbooks = [](std::vector<std::string_view> args) {
    return ReadsOrWritesWorkbooks(Parse(std::move(args)).options);
  };
  EXPECT_FALSE(workbooks({"day.txt", "clubs.csv", "xlsx"}));
  EXPECT_FALSE(workbooks({"--export-roster", "r.csv", "--export-bouts", "b.CSV", "day.txt"}));
  EXPECT_FALSE(workbooks({"--save", "day.xlsx", "--listing", "l.xlsx", "day.txt"}));
  EXPECT_TRUE(workbooks({"day.txt", "Late Entries.XLSX"}));
  EXPECT_TRUE(workbooks({"--export-roster", "r.xlsx", "day.txt"}));
  EXPECT_TRUE(workbooks({"--export-bouts", "b.Xlsx", "day.txt"}));
}

TEST(BatchArgumentsTest, MatScheduleAndPrinting) {
  const ParsedArguments p =
      Parse({"--mats", "8", "--rest=2", "--bout-minutes", "4", "--start", "8:15",
             "--bout-sheets-pdf", "s.pdf", "--mat-lists-pdf=m.pdf", "r"});
  ASSERT_EQ(p.error, "");
  EXPECT_EQ(p.options.mats, 8);
  EXPECT_EQ(p.options.rest, 2);
  EXPECT_EQ(p.options.bout_minutes, 4);
  EXPECT_EQ(p.options.start_minutes, 8 * 60 + 15);
  EXPECT_EQ(p.options.bout_sheets_pdf, "s.pdf");
  EXPECT_EQ(p.options.mat_lists_pdf, "m.pdf");
  EXPECT_EQ(Parse({"--mats", "65", "r"}).error, "bad --mats '65' (a whole number from 1 to 64)");
  EXPECT_EQ(Parse({"--mats", "4", "--rest", "-1", "r"}).error,
            "bad --rest '-1' (a whole number from 0 to 50)");
  EXPECT_EQ(Parse({"--mats", "4", "--start", "9.30", "r"}).error,
            "bad --start '9.30' (a time from 00:00 to 23:59)");
  EXPECT_EQ(Parse({"--rest", "2", "r"}).error, "--rest, --bout-minutes and --start need --mats");
  EXPECT_EQ(Parse({"--mat-lists-pdf", "m.pdf", "r"}).error, "--mat-lists-pdf needs --mats");
  EXPECT_EQ(Parse({"--no-pair", "--bout-sheets-pdf", "s.pdf", "r"}).error,
            "--mats and the PDF files need a pairing run or a board step");
  EXPECT_EQ(Parse({"--bout-sheets-pdf=", "r"}).error, "--bout-sheets-pdf needs a file name");
}

// Records what it was asked to print and writes a stand-in file.
class RecordingPrinter : public ui::PrintPort {
 public:
  explicit RecordingPrinter(FakeFileSystem& fs) : fs_(fs) {}
  Status WriteBoutSheetsPdf(const std::vector<reports::SheetBout>& sheets,
                            const std::string& path) override {
    sheets_ = sheets;
    fs_.AddFile(path, "%PDF sheets");
    return Status::Ok();
  }
  Status WriteMatListsPdf(const std::vector<reports::SheetBout>& sheets, int mats,
                          const std::string& path) override {
    lists_ = sheets;
    mats_ = mats;
    return path == "full.pdf" ? Status::IoError("full.pdf: No space left on device") : Status::Ok();
  }
  void PreviewBoutSheets(const std::vector<reports::SheetBout>&) override {}
  void PreviewMatLists(const std::vector<reports::SheetBout>&, int) override {}

  FakeFileSystem& fs_;
  std::vector<reports::SheetBout> sheets_, lists_;
  int mats_ = 0;
};

struct BatchSession {
  FakeFileSystem fs;
  std::ostringstream out;
  std::ostringstream err;
  ui::PrintPort* printer = nullptr;
  int Run(std::vector<std::string_view> args) {
    const ParsedArguments parsed = ParseBatchArguments(args);
    EXPECT_EQ(parsed.error, "");
    return RunBatch(parsed.options, fs, out, err, printer);
  }
};

const char* const kRoster =
    "Smith\tJohn\t84.5\t9\t2.5\tEagles\r\n"
    "Jones\tBob\t86\t10\t2.75\tHawks\r\n"
    "this line is not a wrestler\r\n"
    "Brown\tAl\t61.2\t8\t1\tEagles\r\n"
    "Green\tTim\t58.9\t8\t1.25\tHawks\r\n";

TEST(BatchRunTest, LoadsSelectsSavesListsAndPairs) {
  BatchSession s;
  s.fs.AddFile("day.txt", kRoster);
  ASSERT_EQ(s.Run({"--select-all", "--save", "day.tmrx", "--listing", "list.dat", "day.txt"}),
            kBatchOk)
      << s.err.str();
  EXPECT_EQ(s.err.str(),
            "day.txt:3: Warning: Error during read --> entry skipped: Unable to read Weight "
            "from string \"\": this line is not a wrestler\n");
  EXPECT_NE(s.fs.Contents("day.tmrx")->find("Smith\tJohn\t"), std::string::npos);
  EXPECT_TRUE(s.fs.HasFile("list.dat"));
  EXPECT_TRUE(s.fs.HasFile("Tandrel-BoutsByBoutNumber.txt"));
  const std::string out = s.out.str();
  EXPECT_EQ(out.rfind("Selected wrestlers: 4\nBouts: ", 0), 0u) << out;
  EXPECT_NE(out.find("Files written: 7\n  Tandrel-PairingBoutsheets.txt\n"), std::string::npos)
      << out;
  EXPECT_NE(out.find("\nBout Pairing Completed Successfully!\n"), std::string::npos);
}

TEST(BatchRunTest, OptimalPairsWithProgressOnStandardErrorAndCompares) {
  BatchSession s;
  s.fs.AddFile("day.txt", kRoster);
  ASSERT_EQ(s.Run({"--select-all", "--optimal", "--compare", "day.txt"}), kBatchOk) << s.err.str();
  const std::string err = s.err.str();
  EXPECT_NE(err.find("Tandrel Optimal: 10%\n"), std::string::npos) << err;
  EXPECT_NE(err.find("Tandrel Optimal: 100%\n"), std::string::npos) << err;
  const std::string out = s.out.str();
  EXPECT_EQ(out.rfind("Engine: Tandrel Optimal\nSelected wrestlers: 4\nBouts: 2\n", 0), 0u) << out;
  EXPECT_TRUE(s.fs.HasFile("Tandrel-PairingByhand.txt"));
  // Smith and Jones, Brown and Green: one bout each, both engines alike.
  EXPECT_NE(out.find("                                      Tandrel  Tandrel Optimal\n"
                     "Wrestlers short of the minimum (2)          4                4\n"
                     "Bouts                                       2                2\n"
                     "Mean fit                               0.3747           0.3747\n"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("\nBout Pairing Completed Successfully!\n"), std::string::npos);

  BatchSession greedy;
  greedy.fs.AddFile("day.txt", kRoster);
  ASSERT_EQ(greedy.Run({"--select-all", "day.txt"}), kBatchOk);
  EXPECT_EQ(greedy.out.str().find("Engine:"), std::string::npos);
  EXPECT_EQ(greedy.err.str().find("Tandrel Optimal"), std::string::npos);
}

TEST(BatchRunTest, SchedulesTheMatsAndPrintsInMatOrder) {
  BatchSession s;
  RecordingPrinter printer(s.fs);
  s.printer = &printer;
  s.fs.AddFile("day.txt", kRoster);
  s.fs.AddFile("Tandrel_MatSettings.txt", "$mats\r\nBoutMinutes = 6\r\nMat2 = 50-70\r\n$end\r\n");
  ASSERT_EQ(
      s.Run({"--select-all", "--mats", "2", "--start", "10:00", "--bout-sheets-pdf", "sheets.pdf",
             "--mat-lists-pdf", "mats.pdf", "--export-bouts", "bouts.csv", "day.txt"}),
      kBatchOk)
      << s.err.str();
  const std::string out = s.out.str();
  EXPECT_NE(out.find("Successfully!\nMats: 2, rest 3, 6-minute bouts from 10:00\n"
                     "Slots used: 1 (lower bound 1), ends at 10:06\n"
                     "  Tandrel-MatSchedule.txt\n  Tandrel-ScheduleByClub.txt\n"
                     "Bout sheets: sheets.pdf\nMat lists: mats.pdf\n"),
            std::string::npos)
      << out;
  // The file keeps the values used, the mat's classes too.
  EXPECT_EQ(s.fs.Contents("Tandrel_MatSettings.txt"),
            "$mats\r\nMats        = 2\r\nRest        = 3\r\nBoutMinutes = 6\r\n"
            "StartTime   = 10:00\r\nMat2        = 50-70\r\n$end\r\n");
  EXPECT_TRUE(s.fs.HasFile("Tandrel-ScheduleByClub.txt"));
  // Green and Brown (class 60) go to mat 2, whose range holds them; Green chose.
  ASSERT_EQ(printer.sheets_.size(), 2u);
  EXPECT_EQ(printer.sheets_[0].Mat, 0);
  EXPECT_EQ(printer.sheets_[1].Mat, 1);
  EXPECT_EQ(printer.sheets_[1].Wrestler[0].LastName, "Green");
  EXPECT_EQ(printer.sheets_[1].Time, "10:00");
  EXPECT_EQ(printer.mats_, 2);
  // The exported bouts carry the same mats and times as the sheets.
  const std::string bouts = *s.fs.Contents("bouts.csv");
  EXPECT_NE(bouts.find(",Fit,Mat,Time\r\n"), std::string::npos) << bouts;
  const std::size_t green = bouts.find(",Green,");
  ASSERT_NE(green, std::string::npos) << bouts;
  EXPECT_EQ(bouts.substr(bouts.find("\r\n", green) - 8, 8), ",2,10:00") << bouts;

  BatchSession full;
  RecordingPrinter full_printer(full.fs);
  full.printer = &full_printer;
  full.fs.AddFile("day.txt", kRoster);
  EXPECT_EQ(full.Run({"--select-all", "--mats", "1", "--mat-lists-pdf", "full.pdf", "day.txt"}),
            kBatchFailed);
  // After the warning about the roster's line that is no wrestler.
  EXPECT_TRUE(full.err.str().ends_with("\nkestrio-batch: full.pdf: No space left on device\n"))
      << full.err.str();

  BatchSession unprinted;
  unprinted.fs.AddFile("day.txt", kRoster);
  EXPECT_EQ(unprinted.Run({"--select-all", "--bout-sheets-pdf", "s.pdf", "day.txt"}), kBatchFailed);
  EXPECT_NE(unprinted.err.str().find("built without printing"), std::string::npos);

  BatchSession bad;
  bad.fs.AddFile("day.txt", kRoster);
  bad.fs.AddFile("Tandrel_MatSettings.txt", "$mats\nRest = x\n$end\n");
  EXPECT_EQ(bad.Run({"--select-all", "--mats", "2", "day.txt"}), kBatchFailed);
  EXPECT_NE(bad.err.str().find("Tandrel_MatSettings.txt, line 2"), std::string::npos);
  EXPECT_FALSE(bad.fs.HasFile("Tandrel-MatSchedule.txt"));
}

TEST(BatchRunTest, NoPairStopsBeforeTheReports) {
  BatchSession s;
  s.fs.AddFile("day.txt", kRoster);
  EXPECT_EQ(s.Run({"--no-pair", "--sort", "Last Name", "--save", "day.tmrx", "day.txt"}), kBatchOk);
  EXPECT_EQ(s.fs.Contents("day.tmrx")->rfind("Brown\t", 0), 0u);
  EXPECT_FALSE(s.fs.HasFile("Tandrel-PairingResults.txt"));
  EXPECT_EQ(s.out.str(), "");
}

TEST(BatchRunTest, FailuresGoToStandardErrorWithStatusOne) {
  BatchSession missing;
  EXPECT_EQ(missing.Run({"--select-all", "--save", "x.tmrx", "nowhere.txt"}), kBatchFailed);
  EXPECT_NE(missing.err.str().find("cannot read roster file nowhere.txt"), std::string::npos)
      << missing.err.str();
  EXPECT_FALSE(missing.fs.HasFile("x.tmrx"));

  BatchSession held;
  held.fs.AddFile("day.txt", kRoster);
  held.fs.AddFile("Tandrel-PairingBoutsheets.txt", "merge data");
  held.fs.HoldOpen("Tandrel-PairingBoutsheets.txt");
  EXPECT_EQ(held.Run({"--select-all", "day.txt"}), kBatchFailed);
  EXPECT_NE(held.err.str().find(
                "\nClose bout sheet MailMerge program Kestrio-BoutSheets.doc and rerun.\n"),
            std::string::npos);
  EXPECT_EQ(held.out.str(), "");

  BatchSession full;
  full.fs.AddFile("day.txt", kRoster);
  full.fs.FailWritesAfter("Tandrel-BoutsByClub.txt", 0, "No space left on device");
  EXPECT_EQ(full.Run({"--select-all", "day.txt"}), kBatchFailed);
  EXPECT_NE(full.err.str().find("Tandrel-BoutsByClub.txt: No space left on device"),
            std::string::npos);
  EXPECT_EQ(full.out.str().find("Completed Successfully"), std::string::npos);
}

TEST(BatchRunTest, RunningOutOfMemoryIsAMessageNotACrash) {
  BatchSession s;
  s.fs.AddFile("huge.txt", kRoster);
  s.fs.before_call = [](FakeFileSystem&, FakeFileSystem::Op op, const std::string&) {
    if (op == FakeFileSystem::Op::Read) throw std::bad_alloc();
  };
  EXPECT_EQ(s.Run({"--save", "x.tmrx", "huge.txt"}), kBatchFailed);
  EXPECT_EQ(s.err.str(), "kestrio-batch: not enough memory to finish; the run was stopped\n");
  EXPECT_FALSE(s.fs.HasFile("x.tmrx"));
}

// Runs kestrio-batch again in the same folder, with fresh output streams.
int RunAgain(BatchSession& s, std::vector<std::string_view> args) {
  s.out.str("");
  s.err.str("");
  return s.Run(std::move(args));
}

TEST(BatchBoardTest, AScriptedDayScratchesAddsRemovesPairsLateAndRenumbers) {
  BatchSession s;
  s.fs.AddFile("day.txt", kRoster);
  ASSERT_EQ(s.Run({"--select-all", "--save", "day.tmrx", "day.txt"}), kBatchOk) << s.err.str();
  const std::optional<std::string> board_file = s.fs.Contents("Tandrel-BoutBoard.txt");
  ASSERT_TRUE(board_file.has_value());
  EXPECT_NE(board_file->find("Roster\tday.tmrx\r\n"), std::string::npos) << *board_file;
  const std::string run_by_number = *s.fs.Contents("Tandrel-BoutsByBoutNumber.txt");

  // Without a roster file the board's own data file is the roster, and keeps the scratch.
  ASSERT_EQ(RunAgain(s, {"--scratch", "Smith|John|Eagles"}), kBatchOk) << s.err.str();
  EXPECT_EQ(s.out.str(), "Scratched Smith, John (Eagles): 1 bout removed, 0 bouts added\n");
  EXPECT_NE(s.fs.Contents("day.tmrx")->find("Smith\tJohn\t84.50\t9.00\t2.50\tEagles\tScratched"),
            std::string::npos)
      << *s.fs.Contents("day.tmrx");
  EXPECT_NE(*s.fs.Contents("Tandrel-BoutsByBoutNumber.txt"), run_by_number);

  ASSERT_EQ(RunAgain(s, {"--add-bout", "Jones|Bob|Hawks", "Green|Tim|Hawks", "--remove-bout", "1",
                         "--renumber"}),
            kBatchOk)
      << s.err.str();
  EXPECT_EQ(s.out.str(),
            "Added bout -3 in round 2: Jones, Bob (Hawks) - Green, Tim (Hawks)\n"
            "Removed bout 1\n"
            "Bouts renumbered 1 to 1\n");

  // A late arrival entered into the data file is paired into the board.
  s.fs.AddFile("day.tmrx",
               *s.fs.Contents("day.tmrx") + "White\tSam\t60\t8\t1\tLions\tSelected\t\r\n");
  ASSERT_EQ(RunAgain(s, {"--pair-late"}), kBatchOk) << s.err.str();
  EXPECT_EQ(s.out.str().rfind("Late arrivals paired: 1, ", 0), 0u) << s.out.str();
  EXPECT_NE(s.fs.Contents("Tandrel-BoutBoard.txt")->find("White\tSam"), std::string::npos);
  EXPECT_EQ(RunAgain(s, {"--pair-late"}), kBatchFailed);
  EXPECT_EQ(s.err.str(),
            "kestrio-batch: There are no late arrivals: every selected wrestler is on the bout "
            "board.\n");
}

TEST(BatchBoardTest, TheBoutsExportedAreTheBoardsAfterItsSteps) {
  BatchSession s;
  s.fs.AddFile("day.txt", kRoster);
  ASSERT_EQ(s.Run({"--select-all", "--export-bouts", "run.csv", "day.txt"}), kBatchOk)
      << s.err.str();
  ASSERT_EQ(RunAgain(s, {"--select-all", "--export-bouts", "board.csv", "--scratch",
                         "Smith|John|Eagles", "day.txt"}),
            kBatchOk)
      << s.err.str();
  const std::string run = *s.fs.Contents("run.csv");
  const std::string board = *s.fs.Contents("board.csv");
  EXPECT_NE(run.find(",Smith,John,"), std::string::npos) << run;
  EXPECT_EQ(board.find("Smith"), std::string::npos) << board;
  // The scratch took off one bout and paired nobody anew.
  auto records = [](const std::string& csv) { return std::count(csv.begin(), csv.end(), '\n'); };
  EXPECT_EQ(records(board), records(run) - 1);
}

// The mats are scheduled from the board as its steps left it: a scratched wrestler's bout
// is on no mat and no sheet, and a later step alone schedules the board file.
TEST(BatchBoardTest, TheScheduleAndTheSheetsFollowTheBoard) {
  BatchSession s;
  RecordingPrinter printer(s.fs);
  s.printer = &printer;
  s.fs.AddFile("day.txt", kRoster);
  ASSERT_EQ(s.Run({"--select-all", "--save", "day.tmrx", "--scratch", "Smith|John|Eagles", "--mats",
                   "2", "--bout-sheets-pdf", "s.pdf", "day.txt"}),
            kBatchOk)
      << s.err.str();
  const std::string schedule = *s.fs.Contents("Tandrel-MatSchedule.txt");
  EXPECT_EQ(schedule.find("Smith"), std::string::npos) << schedule;
  EXPECT_NE(schedule.find("Bouts:     1"), std::string::npos) << schedule;
  ASSERT_EQ(printer.sheets_.size(), 1u);
  EXPECT_EQ(printer.sheets_[0].Wrestler[0].LastName, "Green");

  // Bout 1 is gone; bout 2 keeps its number, and the schedule finds it by that number.
  ASSERT_EQ(RunAgain(s, {"--add-bout", "Jones|Bob|Hawks", "Brown|Al|Eagles", "--remove-bout", "1",
                         "--mats", "1", "--rest", "0", "--bout-sheets-pdf", "t.pdf"}),
            kBatchOk)
      << s.err.str();
  ASSERT_EQ(printer.sheets_.size(), 1u);
  EXPECT_EQ(printer.sheets_[0].Number, -3);
  EXPECT_EQ(printer.sheets_[0].Round, 2);
  EXPECT_EQ(printer.sheets_[0].Time, "09:00");
  EXPECT_NE(s.fs.Contents("Tandrel-MatSchedule.txt")->find("Jones, Bob"), std::string::npos);
}

TEST(BatchBoardTest, AMissingOrMismatchedBoardIsRefusedAndChangesNothing) {
  BatchSession none;
  none.fs.AddFile("day.txt", kRoster);
  EXPECT_EQ(none.Run({"--no-pair", "--renumber", "day.txt"}), kBatchFailed);
  EXPECT_NE(
      none.err.str().find(
          "kestrio-batch: there is no bout board here (Tandrel-BoutBoard.txt): run the pairing "
          "first\n"),
      std::string::npos);

  BatchSession s;
  s.fs.AddFile("day.txt", kRoster);
  ASSERT_EQ(s.Run({"--select-all", "day.txt"}), kBatchOk);
  const std::string board_file = *s.fs.Contents("Tandrel-BoutBoard.txt");
  // The board names day.txt, which has lost a wrestler since.
  s.fs.AddFile("day.txt", "Smith\tJohn\t84.5\t9\t2.5\tEagles\r\n");
  EXPECT_EQ(RunAgain(s, {"--remove-bout", "1"}), kBatchFailed);
  EXPECT_EQ(s.err.str(),
            "kestrio-batch: The bout board Tandrel-BoutBoard.txt does not match the roster: "
            "Green, Tim (Hawks) is not in it.\n");
  EXPECT_EQ(*s.fs.Contents("Tandrel-BoutBoard.txt"), board_file);
  EXPECT_EQ(RunAgain(s, {"--no-pair", "--scratch", "Nobody|At|All", "day.txt"}), kBatchFailed);
}

TEST(BatchRunTest, SpreadsheetInBoutsAndRosterOut) {
  BatchSession s;
  s.fs.AddFile("entries.csv",
               "Surname;Given;Born;Wt;Team;Wrestling\r\n"
               "Smith;John;2014-06-01;84,5;Eagles;x\r\n"
               "Jones;Bob;2013-09-15;86;Hawks;x\r\n"
               "Brown;Al;31/02/2015;61,2;Eagles;x\r\n"
               "Green;Tim;2015-11-30;58,9;Hawks;x\r\n"
               "White;Sam;2015-10-01;60;Hawks;x\r\n");
  // A workbook where this build writes them; CSV on Windows.
  const std::string roster_out = sheets::kWorkbooksBuilt ? "roster.xlsx" : "roster.csv";
  ASSERT_EQ(s.Run({"--event-date", "2024-03-01", "--export-roster", roster_out, "--export-bouts",
                   "bouts.csv", "entries.csv"}),
            kBatchOk)
      << s.err.str();
  EXPECT_EQ(s.err.str(),
            "entries.csv:4: Warning: Error during read --> entry skipped: Unable to read Date of "
            "Birth from string \"31/02/2015\": Brown\tAl\t61.2\t31/02/2015\t0\tEagles\tSelected\n");
  EXPECT_EQ(s.out.str().rfind("Selected wrestlers: 4\n", 0), 0u) << s.out.str();
  EXPECT_EQ(s.fs.Contents(roster_out)->substr(0, 3),
            sheets::kWorkbooksBuilt ? "PK\x03" : "\xEF\xBB\xBF");
  const std::string bouts = *s.fs.Contents("bouts.csv");
  EXPECT_EQ(bouts.substr(0, 112),
            "\xEF\xBB\xBF"
            "Bout,Non-Optimum,Round,Weight Class,Last Name 1,First Name 1,Club 1,"
            "Weight 1,Age 1,Rating 1,Last Name 2,First");
  // One record per bout, in bout-number order, the sides as the by-number report has them.
  const std::string by_number = *s.fs.Contents("Tandrel-BoutsByBoutNumber.txt");
  EXPECT_NE(by_number.find("  -1   60  Green            Tim              Hawks   58.9    8.   "
                           "0.00\r\n              White            Sam"),
            std::string::npos)
      << by_number;
  EXPECT_NE(bouts.find("\r\n1,Yes,1,60,Green,Tim,Hawks,58.90,8.25,0.00,White,Sam,Hawks,60.00,8.41,"
                       "0.00,0.214972\r\n2,,1,85,Smith,John,Eagles,"),
            std::string::npos)
      << bouts;
}

// Where this build reads no workbooks (Windows), a workbook roster stops the run with
// what to do instead, before anything is paired or written.
TEST(BatchRunTest, AWorkbookRosterWhereNoneCanBeReadSaysToSaveItAsCsv) {
  if (sheets::kWorkbooksBuilt) GTEST_SKIP() << "this build reads workbooks";
  BatchSession s;
  s.fs.AddFile("entries.xlsx", "PK\x03\x04 a workbook");
  s.fs.AddFile("day.txt", kRoster);
  EXPECT_EQ(s.Run({"--select-all", "day.txt", "entries.xlsx"}), kBatchFailed);
  const std::string err = s.err.str();
  EXPECT_EQ(err.substr(err.find("kestrio-batch: ")),
            "kestrio-batch: cannot read roster file entries.xlsx: this build of Kestrio cannot "
            "read Excel workbooks (.xlsx): save the sheet as CSV (.csv) and give that file "
            "instead\n");
  EXPECT_FALSE(s.fs.HasFile("Tandrel-BoutsByBoutNumber.txt"));
}

}  // namespace
}  // namespace kestrio::app
