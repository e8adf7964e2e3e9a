#include "reports/run_pairing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>

#include "reports/by_hand_report.h"
#include "reports/club_reports.h"
#include "reports/report_files.h"
#include "reports/results_reports.h"
#include "roster/roster_reader.h"
#include "tests/fake_file_system.h"

namespace kestrio::reports {
namespace {

const char* const kFixedReports[] = {"Tandrel-PairingResults.txt", "Tandrel-PairingByhand.txt",
                                     "Tandrel-PairingBoutsheets.txt", "Tandrel-BoutsByClub.txt",
                                     "Tandrel-BoutsByBoutNumber.txt"};

roster::Roster LoadRoster(std::string_view text) {
  roster::Roster loaded;
  roster::ReadRosterText(text, loaded, roster::IgnoreSkippedLines());
  roster::Roster r;
  roster::AppendRoster(r, loaded);
  roster::ResetDisplayOrder(r);
  return r;
}

// A roster of n selected wrestlers from a handful of clubs, close enough in weight, age
// and rating that most of them find several opponents.
std::string RandomRosterText(std::mt19937& rng, int n) {
  const char* const clubs[] = {"Eagles", "Hawks", "eagles", "Lions Den", "Bears"};
  std::ostringstream out;
  for (int i = 0; i < n; ++i) {
    out << "Last" << rng() % 40 << "\tFirst" << rng() % 7 << "\t" << 50 + rng() % 30 << "."
        << rng() % 10 << "\t" << 8 + rng() % 4 << "\t" << rng() % 4 << "." << rng() % 100 << "\t"
        << clubs[rng() % 5] << "\tSelected\r\n";
  }
  return out.str();
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  EXPECT_EQ(start, text.size()) << "text does not end with CR LF";
  return lines;
}

const char* const kControlFileNameForTest = "Tandrel_PairingControl.txt";

struct Session {
  FakeFileSystem fs;
  pairing::PairingControl control;
  pairing::PairingRun run;
  PairingOutcome Run(const roster::Roster& r) { return RunPairing(fs, r, &control, nullptr, &run); }
};

const char* const kSmallRoster =
    "Smith\tJohn\t84.5\t9\t2.5\tEagles\tSelected\r\n"
    "Jones\tBob\t86\t10\t2.75\tHawks\tSelected\r\n"
    "Brown\tAl\t61.2\t8\t1\tEagles\tSelected\r\n"
    "Green\tTim\t58.9\t8\t1.25\tHawks\tSelected\r\n"
    "White\tSam\t60\t8\t1\tHawks\tUnSelected\r\n";

TEST(RunPairingTest, WritesEveryReportInOrderAndTwoRunsGiveTheSameFiles) {
  Session s;
  s.fs.AddFile("Tandrel-BoutsForGone.txt", "old club");
  const roster::Roster r = LoadRoster(kSmallRoster);
  const PairingOutcome first = s.Run(r);
  ASSERT_TRUE(first.Completed()) << first.status.message();
  EXPECT_EQ(first.FilesWritten,
            (std::vector<std::string>{"Tandrel-PairingBoutsheets.txt", "Tandrel-PairingResults.txt",
                                      "Tandrel-PairingByhand.txt", "Tandrel-BoutsByClub.txt",
                                      "Tandrel-BoutsForEagles.txt", "Tandrel-BoutsForHawks.txt",
                                      "Tandrel-BoutsByBoutNumber.txt"}));
  // The list of per-club files goes to the disk before any of them, so that a run cut
  // short in the middle still leaves the next clean-up every name.
  std::vector<std::string> written = s.fs.WrittenPaths();
  written.erase(written.begin(),
                std::find(written.begin(), written.end(), "Tandrel-BoutsByClub.txt"));
  EXPECT_EQ(written,
            (std::vector<std::string>{"Tandrel-BoutsByClub.txt", "Tandrel-ClubFileList.txt",
                                      "Tandrel-BoutsForEagles.txt", "Tandrel-BoutsForHawks.txt",
                                      "Tandrel-BoutsByBoutNumber.txt"}));
  EXPECT_TRUE(s.fs.HasFile("Tandrel_PairingControl.txt"));
  EXPECT_EQ(s.run.SelectionSize, 4);
  EXPECT_GT(s.run.TotalBouts, 0);
  EXPECT_EQ(*s.fs.Contents("Tandrel-PairingBoutsheets.txt"), WriteBoutSheets(s.run));
  EXPECT_EQ(*s.fs.Contents("Tandrel-PairingByhand.txt"), WriteByHandReport(s.run));
  EXPECT_EQ(*s.fs.Contents("Tandrel-BoutsByBoutNumber.txt"), WriteBoutsByBoutNumber(s.run));
  EXPECT_EQ(*s.fs.Contents("Tandrel-BoutsByClub.txt"), WriteBoutsByClub(s.run));
  for (const ClubFile& f : WriteClubFiles(s.run))
    EXPECT_EQ(*s.fs.Contents(f.name), f.text) << f.name;

  const std::map<std::string, std::string> files = s.fs.Files();
  s.fs.ClearCalls();
  const PairingOutcome second = s.Run(r);
  ASSERT_TRUE(second.Completed());
  EXPECT_EQ(s.fs.Files(), files);
  // The clean-up removed all five fixed files, the first run's per-club files and their
  // list before writing them anew; a club file no run of this folder listed survives.
  EXPECT_EQ(s.fs.RemovedPaths(), (std::vector<std::string>{
                                     "Tandrel-PairingResults.txt", "Tandrel-PairingByhand.txt",
                                     "Tandrel-PairingBoutsheets.txt", "Tandrel-BoutsByClub.txt",
                                     "Tandrel-BoutsForEagles.txt", "Tandrel-BoutsForHawks.txt",
                                     "Tandrel-ClubFileList.txt", "Tandrel-BoutsByBoutNumber.txt"}));
  EXPECT_EQ(*s.fs.Contents("Tandrel-ClubFileList.txt"),
            "Tandrel-BoutsForEagles.txt\r\nTandrel-BoutsForHawks.txt\r\n");
  EXPECT_EQ(*s.fs.Contents("Tandrel-BoutsForGone.txt"), "old club");
}

// A club that left the roster, or a run refused after the clean-up, must not leave an
// earlier run's per-club file for "By Club" to show beside the new reports.
TEST(RunPairingTest, PerClubFilesOfTheLastRunGoWithTheNextCleanUp) {
  Session s;
  ASSERT_TRUE(s.Run(LoadRoster(kSmallRoster)).Completed());
  ASSERT_TRUE(s.fs.HasFile("Tandrel-BoutsForHawks.txt"));
  const roster::Roster eagles_only = LoadRoster(
      "Smith\tJohn\t84.5\t9\t2.5\tEagles\tSelected\r\n"
      "Brown\tAl\t83\t9\t1\tEagles\tSelected\r\n");
  const PairingOutcome second = s.Run(eagles_only);
  ASSERT_TRUE(second.Completed()) << second.status.message();
  EXPECT_FALSE(s.fs.HasFile("Tandrel-BoutsForHawks.txt"));
  EXPECT_EQ(second.ByClubFilesWritten,
            (std::vector<std::string>{"Tandrel-BoutsByClub.txt", "Tandrel-BoutsForEagles.txt"}));

  // The list survives a restart: it is a file. A refused run still clears the last run's.
  s.fs.AddFile("Tandrel_PairingControl.txt", "$control\r\n  Bogus = 1\r\n$end\r\n");
  EXPECT_FALSE(s.Run(eagles_only).status.ok());
  EXPECT_FALSE(s.fs.HasFile("Tandrel-BoutsForEagles.txt"));
  EXPECT_FALSE(s.fs.HasFile("Tandrel-ClubFileList.txt"));
}

// The list is the organiser's file like any other: a name in it that a run could not
// have written is never removed.
TEST(RunPairingTest, TheCleanUpRemovesOnlyPerClubNamesFromTheList) {
  FakeFileSystem fs;
  fs.AddFile("Tandrel-ClubFileList.txt",
             "roster.txt\r\n../Tandrel-BoutsForX.txt\r\nTandrel-BoutsForOwls.txt\nTandrel-"
             "BoutsForOwls.csv\r\n");
  for (const char* name : {"roster.txt", "Tandrel-BoutsForOwls.txt", "Tandrel-BoutsForOwls.csv"})
    fs.AddFile(name, "keep?");
  EXPECT_EQ(ReadClubFileList(fs), std::vector<std::string>{"Tandrel-BoutsForOwls.txt"});
  ClearReportFiles(fs);
  EXPECT_EQ(fs.RemovedPaths(),
            (std::vector<std::string>{"Tandrel-BoutsForOwls.txt", "Tandrel-ClubFileList.txt"}));
  EXPECT_TRUE(fs.HasFile("roster.txt"));
  EXPECT_TRUE(fs.HasFile("Tandrel-BoutsForOwls.csv"));
}

TEST(RunPairingTest, HeldBoutSheetsRefuseTheRunAfterTheCleanUp) {
  Session s;
  for (const char* name : kFixedReports) s.fs.AddFile(name, "previous run");
  s.fs.HoldOpen("Tandrel-PairingBoutsheets.txt");
  s.run.TotalBouts = 42;  // the previous run's state stays as it was
  const PairingOutcome outcome = s.Run(LoadRoster(kSmallRoster));
  EXPECT_FALSE(outcome.BoutSheetsWritable);
  EXPECT_FALSE(outcome.Completed());
  EXPECT_EQ(outcome.status.message(),
            "Close bout sheet MailMerge program Kestrio-BoutSheets.doc and rerun.");
  EXPECT_TRUE(outcome.FilesWritten.empty());
  EXPECT_EQ(
      s.fs.Files(),
      (std::map<std::string, std::string>{{"Tandrel-PairingBoutsheets.txt", "previous run"}}));
  EXPECT_TRUE(s.fs.WrittenPaths().empty());
  EXPECT_EQ(s.run.TotalBouts, 42);
}

TEST(RunPairingTest, CleanUpWithNothingOnDiskLeavesTheBoutSheetsWritable) {
  FakeFileSystem fs;
  const ReportCleanUp clean_up = ClearReportFiles(fs);
  EXPECT_TRUE(clean_up.BoutSheetsWritable);
  EXPECT_TRUE(clean_up.InTheWay.empty());
  EXPECT_TRUE(fs.RemovedPaths().empty());
}

TEST(RunPairingTest, BadControlFileStopsBeforePairingOrWriting) {
  Session s;
  s.fs.AddFile("Tandrel_PairingControl.txt", "$control\r\n  Bogus = 1\r\n$end\r\n");
  const PairingOutcome outcome = s.Run(LoadRoster(kSmallRoster));
  EXPECT_TRUE(outcome.BoutSheetsWritable);
  EXPECT_FALSE(outcome.status.ok());
  EXPECT_NE(outcome.status.message().find("Tandrel_PairingControl.txt"), std::string::npos);
  EXPECT_TRUE(outcome.FilesWritten.empty());
  EXPECT_EQ(s.run.TotalBouts, 0);
  EXPECT_FALSE(s.fs.HasFile("Tandrel-PairingResults.txt"));
}

TEST(RunPairingTest, AReportThatCannotBeWrittenFailsTheRunByName) {
  Session s;
  s.fs.FailWritesAfter("Tandrel-PairingResults.txt", 10, "No space left on device");
  s.fs.HoldOpen("Tandrel-BoutsForHawks.txt");
  const PairingOutcome outcome = s.Run(LoadRoster(kSmallRoster));
  EXPECT_FALSE(outcome.Completed());
  EXPECT_TRUE(outcome.BoutSheetsWritable);
  const std::string& message = outcome.status.message();
  EXPECT_EQ(
      message.rfind(
          "Unable to write report file Tandrel-PairingResults.txt: No space left on device", 0),
      0u)
      << message;
  EXPECT_NE(message.find("Tandrel-BoutsForHawks.txt"), std::string::npos) << message;
  // The other reports are still written; the failed one is not left half-written.
  EXPECT_EQ(outcome.FilesWritten.size(), 5u);
  EXPECT_FALSE(s.fs.HasFile("Tandrel-PairingResults.txt"));
  EXPECT_TRUE(s.fs.HasFile("Tandrel-BoutsByBoutNumber.txt"));
}

TEST(RunPairingTest, NoSelectedWrestlerStillWritesReportsWithoutBouts) {
  Session s;
  const PairingOutcome outcome =
      s.Run(LoadRoster("Smith\tJohn\t84.5\t9\t2.5\tEagles\tUnSelected\r\n"));
  ASSERT_TRUE(outcome.Completed()) << outcome.status.message();
  EXPECT_EQ(SplitLines(*s.fs.Contents("Tandrel-PairingBoutsheets.txt")).size(), 2u);
  EXPECT_EQ(SplitLines(*s.fs.Contents("Tandrel-BoutsByBoutNumber.txt")).size(), 3u);
}

// The real disk, in a scratch working directory: empty folders named like reports are
// the organiser's, named in the refusal and never removed, and nothing else is removed
// either. Then a club named to climb out of the directory still gets a file inside it.
TEST(RunPairingTest, OnDiskRefusalAndClubNamesThatStayInside) {
  namespace fs = std::filesystem;
  const fs::path previous = fs::current_path();
  const fs::path scratch =
      fs::temp_directory_path() / ("kestrio-reports-" + std::to_string(std::random_device()()));
  fs::create_directories(scratch / "work");
  fs::current_path(scratch / "work");
  {
    RealFileSystem disk;
    pairing::PairingControl control;
    pairing::PairingRun run;
    fs::create_directory("Tandrel-PairingBoutsheets.txt");
    fs::create_directory("Tandrel-BoutsByBoutNumber.txt");
    std::ofstream("Tandrel-PairingResults.txt") << "previous";
    const roster::Roster r = LoadRoster(
        "Smith\tJohn\t84.5\t9\t2.5\t../up\tSelected\r\n"
        "Jones\tBob\t86\t10\t2.75\t..\tSelected\r\n");
    const PairingOutcome refused = RunPairing(disk, r, &control, nullptr, &run);
    EXPECT_FALSE(refused.Completed());
    EXPECT_EQ(refused.status.message(),
              "Cannot write the reports: Tandrel-PairingBoutsheets.txt and "
              "Tandrel-BoutsByBoutNumber.txt are in the way, not report files that Kestrio "
              "wrote. Move or rename them and run again.");
    EXPECT_TRUE(fs::is_regular_file("Tandrel-PairingResults.txt"));
    EXPECT_TRUE(fs::is_directory("Tandrel-PairingBoutsheets.txt"));
    EXPECT_TRUE(fs::is_directory("Tandrel-BoutsByBoutNumber.txt"));
    EXPECT_FALSE(fs::exists(kControlFileNameForTest));

    fs::remove("Tandrel-PairingBoutsheets.txt");
    fs::remove("Tandrel-BoutsByBoutNumber.txt");
    const PairingOutcome done = RunPairing(disk, r, &control, nullptr, &run);
    EXPECT_TRUE(done.Completed()) << done.status.message();
    EXPECT_TRUE(fs::is_regular_file("Tandrel-BoutsFor.._up.txt"));
    EXPECT_TRUE(fs::is_regular_file("Tandrel-BoutsFor...txt"));
    int outside = 0;
    for (const auto& entry : fs::directory_iterator(scratch))
      outside += entry.path().filename() != "work";
    EXPECT_EQ(outside, 0);
  }
  fs::current_path(previous);
  fs::remove_all(scratch);
}

// Random rosters end to end: every bout number sits in exactly two rows of one round,
// and the reports tell the same story.
TEST(RunPairingTest, ReportsAgreeWithEachOtherOnRandomRosters) {
  std::mt19937 rng(2026);
  for (int trial = 0; trial < 12; ++trial) {
    Session s;
    const roster::Roster r = LoadRoster(RandomRosterText(rng, 5 + static_cast<int>(rng() % 60)));
    const PairingOutcome outcome = s.Run(r);
    ASSERT_TRUE(outcome.Completed()) << outcome.status.message();
    const pairing::PairingRun& run = s.run;
    const int t = run.TotalBouts;

    std::vector<std::set<std::pair<int, int>>> cells(static_cast<std::size_t>(t) + 1);
    for (int p = 0; p < run.SelectionSize; ++p) {
      for (int round = 0; round < run.RoundCapacity; ++round) {
        const int b = std::abs(run.RoundEntry(p, round));
        if (b != 0) cells[static_cast<std::size_t>(b)].insert({round, p});
      }
    }
    for (int b = 1; b <= t; ++b) {
      ASSERT_EQ(cells[static_cast<std::size_t>(b)].size(), 2u) << "bout " << b;
      EXPECT_EQ(cells[static_cast<std::size_t>(b)].begin()->first,
                cells[static_cast<std::size_t>(b)].rbegin()->first);
    }

    const auto sheets = SplitLines(*s.fs.Contents("Tandrel-PairingBoutsheets.txt"));
    const auto by_number = SplitLines(*s.fs.Contents("Tandrel-BoutsByBoutNumber.txt"));
    ASSERT_EQ(sheets.size(), static_cast<std::size_t>(t) + 2);
    ASSERT_EQ(by_number.size(), 3u + 3u * static_cast<std::size_t>(t));
    for (int b = 1; b <= t; ++b) {
      const std::string& sheet = sheets[static_cast<std::size_t>(b) + 1];
      const std::string& first = by_number[3u + 3u * static_cast<std::size_t>(b - 1) + 1];
      const std::string& second = by_number[3u + 3u * static_cast<std::size_t>(b - 1) + 2];
      EXPECT_EQ(sheet.substr(0, 4), first.substr(3, 4)) << "bout " << b;
      const std::set<std::string> sheet_names = {sheet.substr(11, 32), sheet.substr(72, 32)};
      const std::set<std::string> listed = {first.substr(14, 15) + ", " + first.substr(31, 15),
                                            second.substr(14, 15) + ", " + second.substr(31, 15)};
      EXPECT_EQ(sheet_names, listed) << "bout " << b;
    }

    auto opponent_lines = [](const std::string& text) {
      int n = 0;
      for (const std::string& line : SplitLines(text)) {
        if (line.size() > 7 && line.compare(0, 3, "   ") == 0 && line[6] != ' ') ++n;
      }
      return n;
    };
    EXPECT_EQ(opponent_lines(*s.fs.Contents("Tandrel-BoutsByClub.txt")), 2 * t);
    int in_club_files = 0;
    for (const ClubFile& f : WriteClubFiles(run))
      in_club_files += opponent_lines(*s.fs.Contents(f.name));
    EXPECT_EQ(in_club_files, 2 * t);

    const auto summary = SplitLines(*s.fs.Contents("Tandrel-PairingResults.txt"));
    ASSERT_EQ(summary.size(), static_cast<std::size_t>(run.SelectionSize) + 2);
    int counted = 0;
    for (std::size_t row = 2; row < summary.size(); ++row) {
      const int count = std::stoi(summary[row].substr(0, 2));
      int nonzero = 0;
      for (std::size_t col = 61; col + 5 <= summary[row].size(); col += 5)
        nonzero += std::stoi(summary[row].substr(col, 5)) != 0;
      EXPECT_EQ(count, nonzero) << summary[row];
      counted += count;
    }
    EXPECT_EQ(counted, 2 * t);
  }
}

}  // namespace
}  // namespace kestrio::reports
