// A pairing run under file faults: the control file, the bout sheets held by a mail
// merge, reports that cannot be written, clubs whose names would leave the working
// directory. The organiser is told which file failed, and files that existed before are
// either replaced whole or left as they were.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "pairing/pairing_control.h"
#include "pairing/pairing_run.h"
#include "reports/by_hand_report.h"
#include "reports/club_reports.h"
#include "reports/report_files.h"
#include "reports/results_reports.h"
#include "reports/run_pairing.h"
#include "roster/roster_reader.h"
#include "tests/fake_file_system.h"
#include "tests/scratch_directory.h"

namespace kestrio {
namespace {

using reports::PairingOutcome;

const std::string kControl(pairing::kControlFileName);
const std::string kSheets(reports::kBoutSheetsName);
const std::string kResults(reports::kResultsSummaryName);
const std::string kByHand(reports::kByHandName);
const std::string kByClub(reports::kBoutsByClubName);
const std::string kByNumber(reports::kBoutsByBoutNumberName);

// Six selected wrestlers of three clubs that pair into several bouts.
roster::Roster SelectedRoster(std::string_view extra_lines = {}) {
  std::string text =
      "Smith\tJohn\t72\t10\t3\tTigers\tyes\r\n"
      "Jones\tBob\t70\t10\t2\tLions\tyes\r\n"
      "Brown\tAl\t71\t10.5\t2.5\tTigers\tyes\r\n"
      "Green\tTim\t69\t9.5\t3\tEagles\tyes\r\n"
      "White\tSam\t73\t10\t2.5\tLions\tyes\r\n"
      "Black\tJim\t70\t10\t3\tEagles\tyes\r\n";
  text += extra_lines;
  roster::Roster r;
  roster::ReadRosterText(text, r, roster::IgnoreSkippedLines());
  roster::ResetDisplayOrder(r);
  return r;
}

PairingOutcome RunOn(FakeFileSystem& files, const roster::Roster& roster,
                     pairing::PairingRun* run = nullptr) {
  pairing::PairingControl control;
  pairing::PairingRun local;
  return reports::RunPairing(files, roster, &control, nullptr, run ? run : &local);
}

// Files of a previous run, all present before the next one starts.
void AddPreviousRun(FakeFileSystem& files) {
  for (const std::string& name : {kSheets, kResults, kByHand, kByClub, kByNumber}) {
    files.AddFile(name, "previous " + name + "\r\n");
  }
  files.AddFile("Tandrel-BoutsForTigers.txt", "previous Tigers\r\n");
}

bool AnyReportWritten(const FakeFileSystem& files) {
  for (const std::string& path : files.WrittenPaths()) {
    if (path.rfind("Tandrel-", 0) == 0) return true;
  }
  return false;
}

TEST(RunFault, ControlFileThatCannotBeReadStopsTheRunBeforeAnyReport) {
  const roster::Roster roster = SelectedRoster();
  {
    FakeFileSystem files;
    AddPreviousRun(files);
    files.AddDirectory(kControl);
    const PairingOutcome outcome = RunOn(files, roster);
    EXPECT_FALSE(outcome.Completed());
    EXPECT_TRUE(outcome.status.IsBadControlFile());
    EXPECT_NE(outcome.status.message().find(kControl), std::string::npos)
        << outcome.status.message();
    EXPECT_FALSE(AnyReportWritten(files));
    EXPECT_EQ(files.Contents("Tandrel-BoutsForTigers.txt"), "previous Tigers\r\n");
  }
  {
    FakeFileSystem files;
    files.AddFile(kControl, "$control\r\nMaxBoutsAllowed = many,\r\n$end\r\n");
    const PairingOutcome outcome = RunOn(files, roster);
    EXPECT_FALSE(outcome.Completed());
    EXPECT_TRUE(outcome.status.IsBadControlFile());
    EXPECT_NE(outcome.status.message().find(kControl + ", line 2"), std::string::npos)
        << outcome.status.message();
    EXPECT_FALSE(AnyReportWritten(files));
    EXPECT_EQ(files.Contents(kControl), "$control\r\nMaxBoutsAllowed = many,\r\n$end\r\n");
  }
  {
    FakeFileSystem files;
    files.AddFile(kControl, "$control\r\n$end\r\n");
    files.FailReads(kControl);
    const PairingOutcome outcome = RunOn(files, roster);
    EXPECT_NE(outcome.status.message().find(kControl), std::string::npos);
    EXPECT_FALSE(AnyReportWritten(files));
  }
}

TEST(RunFault, ControlFileThatCannotBeCreatedIsNamed) {
  FakeFileSystem files;
  files.SetCapacity(0);
  const PairingOutcome outcome = RunOn(files, SelectedRoster());
  EXPECT_FALSE(outcome.Completed());
  EXPECT_NE(outcome.status.message().find(kControl), std::string::npos) << outcome.status.message();
  EXPECT_NE(outcome.status.message().find("No space left on device"), std::string::npos);
  EXPECT_TRUE(outcome.status.IsBadControlFile());
  EXPECT_TRUE(files.Files().empty());
}

// The mail merge holds the bout sheets: the other previous reports go, the bout sheets
// stay byte for byte, nothing is paired or written, and the organiser gets the warning.
TEST(RunFault, BoutSheetsHeldOpenStopTheRunAndStayIntact) {
  FakeFileSystem files;
  AddPreviousRun(files);
  files.HoldOpen(kSheets);
  pairing::PairingRun run;
  const PairingOutcome outcome = RunOn(files, SelectedRoster(), &run);
  EXPECT_FALSE(outcome.BoutSheetsWritable);
  EXPECT_EQ(outcome.status.message(), reports::kBoutSheetsHeldText);
  EXPECT_TRUE(outcome.status.IsBoutSheetsHeld());
  EXPECT_EQ(files.Contents(kSheets), "previous " + kSheets + "\r\n");
  for (const std::string& gone : {kResults, kByHand, kByClub, kByNumber}) {
    EXPECT_FALSE(files.HasFile(gone)) << gone;
  }
  EXPECT_FALSE(files.HasFile(kControl));
  EXPECT_TRUE(files.WrittenPaths().empty());
  EXPECT_EQ(run.TotalBouts, 0);
}

// One report that cannot be written does not stop the others; the failure names it, and
// no half-written copy is left where the organiser would open it.
TEST(RunFault, ReportsThatCannotBeWrittenAreNamedAndNeverHalfWritten) {
  FakeFileSystem files;
  AddPreviousRun(files);
  files.FailWritesAfter(kByClub, 100);
  files.FailWritesAfter("Tandrel-BoutsForTigers.txt", 10, "No space left on device");
  files.FailRemove(kResults);
  const PairingOutcome outcome = RunOn(files, SelectedRoster());
  EXPECT_TRUE(outcome.BoutSheetsWritable);
  ASSERT_FALSE(outcome.status.ok());
  EXPECT_TRUE(outcome.status.IsIoError());
  const std::string& message = outcome.status.message();
  EXPECT_NE(message.find(kByClub + ": Input/output error"), std::string::npos) << message;
  EXPECT_NE(message.find("Tandrel-BoutsForTigers.txt: No space left on device"), std::string::npos)
      << message;
  EXPECT_FALSE(files.HasFile(kByClub));
  EXPECT_EQ(files.Contents("Tandrel-BoutsForTigers.txt"), "previous Tigers\r\n");
  for (const std::string& written :
       {kSheets, kResults, kByHand, kByNumber, std::string("Tandrel-BoutsForLions.txt")}) {
    EXPECT_NE(files.Contents(written).value_or("").find("\r\n"), std::string::npos) << written;
    EXPECT_EQ(files.Contents(written)->rfind("previous", 0), std::string::npos) << written;
  }
  EXPECT_EQ(outcome.FilesWritten.size(), 6u);
  EXPECT_EQ(outcome.ByClubFilesWritten,
            (std::vector<std::string>{"Tandrel-BoutsForEagles.txt", "Tandrel-BoutsForLions.txt"}));
}

// Clubs are free text: whatever they are called, their reports land as plain files in
// the working directory.
TEST(RunFault, ClubNamesNeverLeaveTheWorkingDirectory) {
  FakeFileSystem files;
  files.RequireDirectories(true);
  const roster::Roster roster = SelectedRoster(
      "Up\tOne\t71\t10\t3\t../../etc\tyes\r\n"
      "Back\tSlash\t72\t10\t3\t..\\win\\x\tyes\r\n"
      "Drive\tLetter\t70\t10\t3\tC:\\Temp\tyes\r\n"
      "Dots\tOnly\t73\t10\t2.5\t..\tyes\r\n"
      "Root\tPath\t70\t10\t2\t/tmp/x\tyes\r\n");
  const PairingOutcome outcome = RunOn(files, roster);
  EXPECT_TRUE(outcome.Completed()) << outcome.status.message();
  for (const auto& [name, contents] : files.Files()) {
    EXPECT_EQ(name.find('/'), std::string::npos) << name;
    EXPECT_EQ(name.find('\\'), std::string::npos) << name;
    EXPECT_EQ(name.find(':'), std::string::npos) << name;
    EXPECT_NE(name, "..");
  }
  EXPECT_TRUE(files.HasFile("Tandrel-BoutsFor.._.._etc.txt"));
}

// Two clubs whose names differ only in characters a file name cannot hold ("Red/Hawks"
// and "Red:Hawks") share one per-club file; neither club's bouts may be lost from it.
TEST(RunFault, ClubsWhoseNamesDifferOnlyInUnsafeCharactersShareOneFileWithBothBlocks) {
  EXPECT_EQ(reports::ClubFileName("Red/Hawks"), reports::ClubFileName("Red:Hawks"));
  FakeFileSystem files;
  roster::Roster roster;
  roster::ReadRosterText(
      "Smith\tJohn\t72\t10\t3\tRed/Hawks\tyes\r\n"
      "Jones\tBob\t72\t10\t3\tRed:Hawks\tyes\r\n",
      roster, roster::IgnoreSkippedLines());
  roster::ResetDisplayOrder(roster);
  ASSERT_TRUE(RunOn(files, roster).Completed());
  const auto shared = files.Contents(reports::ClubFileName("Red/Hawks"));
  ASSERT_TRUE(shared.has_value());
  EXPECT_NE(shared->find("Smith"), std::string::npos);
  EXPECT_NE(shared->find("Jones"), std::string::npos);
}

// On a disk whose names ignore case, "Eagles" and "eagles" are one file: the run writes
// it once, with both clubs' blocks, instead of the second replacing the first.
TEST(RunFault, ClubsWhoseNamesDifferOnlyInCaseShareOneFileWhereTheDiskIgnoresCase) {
  const std::string text =
      "Smith\tJohn\t72\t10\t3\tEagles\tyes\r\n"
      "Jones\tBob\t72\t10\t3\teagles\tyes\r\n";
  for (const bool ignore_case : {false, true}) {
    FakeFileSystem files;
    files.IgnoreCaseInNames(ignore_case);
    roster::Roster roster;
    roster::ReadRosterText(text, roster, roster::IgnoreSkippedLines());
    roster::ResetDisplayOrder(roster);
    const PairingOutcome outcome = RunOn(files, roster);
    ASSERT_TRUE(outcome.Completed());
    EXPECT_EQ(files.HasFile("Tandrel-BoutsForeagles.txt"), !ignore_case);
    const auto first = files.Contents("Tandrel-BoutsForEagles.txt");
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->find("Results for eagle\r\n") != std::string::npos, ignore_case);
    EXPECT_EQ(outcome.ByClubFilesWritten.size(), ignore_case ? 2u : 3u);
  }
}

// A comma in a name or club ("Smith, Jr") must not add a column to that bout's record
// in the comma-separated bout sheets, or the mail merge prints every later field of the
// bout in the wrong place.
TEST(RunFault, CommaInANameKeepsTheBoutSheetColumns) {
  FakeFileSystem files;
  roster::Roster roster;
  roster::ReadRosterText(
      "Smith, Jr\tJohn\t72\t10\t3\tTigers\tyes\r\n"
      "Jones\tBob\t72\t10\t3\tLions\tyes\r\n",
      roster, roster::IgnoreSkippedLines());
  roster::ResetDisplayOrder(roster);
  ASSERT_TRUE(RunOn(files, roster).Completed());
  const std::string sheets = *files.Contents(kSheets);
  const std::string header = sheets.substr(0, sheets.find("\r\n"));
  const std::size_t last_line = sheets.rfind("\r\n", sheets.size() - 3) + 2;
  const std::string record = sheets.substr(last_line, sheets.size() - 2 - last_line);
  EXPECT_EQ(std::count(record.begin(), record.end(), ','),
            std::count(header.begin(), header.end(), ','))
      << record;
}

// Reports of several megabytes go to the real disk a piece at a time as they are made:
// each file holds exactly the report's whole text, and no temporary file stays.
TEST(RunFault, LongReportsReachTheRealDiskWhole) {
  std::mt19937 rng(8000);
  std::ostringstream text;
  const char* const clubs[] = {"Tigers", "Lions", "Eagles", "Hawks/Owls", "Hawks:Owls"};
  for (int i = 0; i < 8000; ++i) {
    text << "Name" << rng() % 900 << "\tGiven" << rng() % 9 << "\t" << 40 + rng() % 50 << "."
         << rng() % 10 << "\t" << 8 + rng() % 6 << "\t" << rng() % 4 << "\t" << clubs[rng() % 5]
         << "\tyes\r\n";
  }
  roster::Roster roster;
  roster::ReadRosterText(text.str(), roster, roster::IgnoreSkippedLines());
  roster::ResetDisplayOrder(roster);

  testing::ScratchDirectory dir;
  testing::WorkingDirectory in(dir.path());
  RealFileSystem disk;
  pairing::PairingControl control;
  pairing::PairingRun run;
  const PairingOutcome outcome = reports::RunPairing(disk, roster, &control, nullptr, &run);
  ASSERT_TRUE(outcome.Completed()) << outcome.status.message();
  const auto read = [](const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  const std::string by_club = reports::WriteBoutsByClub(run);
  ASSERT_GT(by_club.size(), 2u << 20);  // several pieces
  EXPECT_TRUE(read(kByClub) == by_club);
  EXPECT_TRUE(read(kSheets) == reports::WriteBoutSheets(run));
  EXPECT_TRUE(read(kResults) == reports::WriteResultsSummary(run));
  EXPECT_TRUE(read(kByHand) == reports::WriteByHandReport(run));
  EXPECT_TRUE(read(kByNumber) == reports::WriteBoutsByBoutNumber(run));
  const std::vector<reports::ClubFile> files = reports::WriteClubFiles(run);
  ASSERT_EQ(files.size(), 4u);  // the two Hawks clubs share one file
  for (const reports::ClubFile& f : files) EXPECT_TRUE(read(f.name) == f.text) << f.name;
  // The control file, five reports, the list of club files and the four club files.
  EXPECT_EQ(dir.EntryCount(), 11);
}

}  // namespace
}  // namespace kestrio
