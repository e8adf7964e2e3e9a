// The file-system port on a Windows disk (run under Wine here): replacing a file that
// exists, one marked read-only, one that a mail merge holds open, the folder lock between
// two runs, and file names in any script.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "base/file_system.h"
#include "pairing/pairing_control.h"
#include "pairing/pairing_run.h"
#include "reports/report_files.h"
#include "reports/run_pairing.h"
#include "roster/roster_reader.h"
#include "roster/roster_writer.h"
#include "tests/scratch_directory.h"

namespace kestrio {
namespace {

namespace fs = std::filesystem;
using testing::Read;
using testing::ScratchDirectory;
using testing::Write;

std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// Another program holding a file open the way a word processor does: others may read it,
// nobody may write, rename or delete it until it is closed.
class HeldOpen {
 public:
  explicit HeldOpen(const fs::path& path)
      : h_(::CreateFileW(path.wstring().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~HeldOpen() {
    if (held()) ::CloseHandle(h_);
  }
  HeldOpen(const HeldOpen&) = delete;
  HeldOpen& operator=(const HeldOpen&) = delete;
  bool held() const { return h_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE h_;
};

TEST(WindowsFileSystem, ReplacesAnExistingFileWholeAndKeepsItsHiddenMark) {
  ScratchDirectory dir;
  RealFileSystem disk;
  const std::string path = dir.File("day.tmrx");
  ASSERT_TRUE(disk.WriteFileAtomic(path, "first\r\n", Links::kFollow).ok());
  ASSERT_TRUE(disk.WriteFileAtomic(path, "second\r\n", Links::kFollow).ok());
  EXPECT_EQ(Read(path), "second\r\n");
  ASSERT_TRUE(::SetFileAttributesW(fs::path(path).wstring().c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(disk.WriteFileAtomic(path, "third\r\n", Links::kReplace).ok());
  EXPECT_EQ(Read(path), "third\r\n");
  EXPECT_NE(::GetFileAttributesW(fs::path(path).wstring().c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
  EXPECT_EQ(dir.TemporaryFiles(), 0);

  std::string contents;
  EXPECT_TRUE(disk.ReadFile(dir.path().string(), kMaxRosterFileBytes, &contents).IsIoError());
  EXPECT_TRUE(disk.WriteFileAtomic(dir.path().string(), "x", Links::kFollow).IsIoError());
  EXPECT_TRUE(disk.ReadFile(dir.File("none.tmrx"), 100, &contents).IsNotFound());
  EXPECT_EQ(disk.ReadFile(path, 3, &contents).message(),
            path + ": the file is larger than 3 bytes; it was not read");
}

// Windows will not replace a file marked read-only: the save is refused in words the
// organiser understands, and the file stays as it was.
TEST(WindowsFileSystem, ReadOnlyFileIsRefusedByNameAndKept) {
  ScratchDirectory dir;
  RealFileSystem disk;
  const std::string path = dir.File("saturday.tmrx");
  Write(path, "the organiser's roster\r\n");
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  ASSERT_NE(::GetFileAttributesW(fs::path(path).wstring().c_str()) & FILE_ATTRIBUTE_READONLY, 0u);

  const Status saved = disk.WriteFileAtomic(path, "new\r\n", Links::kFollow);
  EXPECT_TRUE(saved.IsIoError());
  EXPECT_EQ(saved.message(), path + ": the file is read-only; it was not replaced");
  EXPECT_EQ(Read(path), "the organiser's roster\r\n");
  EXPECT_EQ(dir.TemporaryFiles(), 0);
  fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
}

// The bout sheets held open by a mail merge: the run stops before it writes anything, says
// why, and the file the mail merge reads stays whole. Any other save over a held file is
// refused as held, never half done.
TEST(WindowsFileSystem, FileHeldOpenIsNeitherReplacedNorRemoved) {
  ScratchDirectory dir;
  testing::WorkingDirectory in(dir.path());
  const std::string sheets(reports::kBoutSheetsName);
  Write(sheets, "last week's bouts\r\n");
  RealFileSystem disk;
  {
    HeldOpen merge(sheets);
    ASSERT_TRUE(merge.held());
    EXPECT_TRUE(disk.CanOpenForWriting(sheets).IsHeldOpen());
    EXPECT_TRUE(disk.WriteFileAtomic(sheets, "new\r\n", Links::kReplace).IsHeldOpen());

    roster::Roster roster;
    roster::ReadRosterText(
        "Smith\tJohn\t72\t10\t3\tTigers\tyes\r\nJones\tBob\t70\t10\t2\tLions\tyes\r\n", roster,
        roster::IgnoreSkippedLines());
    roster::ResetDisplayOrder(roster);
    pairing::PairingControl control;
    pairing::PairingRun run;
    const reports::PairingOutcome outcome =
        reports::RunPairing(disk, roster, &control, nullptr, &run);
    EXPECT_FALSE(outcome.BoutSheetsWritable);
    EXPECT_TRUE(outcome.FilesWritten.empty());
    EXPECT_EQ(Read(sheets), "last week's bouts\r\n");
  }
  EXPECT_TRUE(disk.CanOpenForWriting(sheets).ok());
  EXPECT_EQ(dir.TemporaryFiles(), 0);
}

// Two runs in one folder, as two file systems with handles of their own: the second is
// told the folder is busy until the first lets go; the lock counts re-entry.
TEST(WindowsFileSystem, FolderLockKeepsASecondRunOut) {
  ScratchDirectory dir;
  RealFileSystem first, second;
  FolderLock held, again;
  ASSERT_TRUE(first.LockFolder(dir.path().string(), LockWait::kNo, &held).ok());
  ASSERT_TRUE(first.LockFolder(dir.File("a.txt"), LockWait::kNo, &again).ok());
  ASSERT_TRUE(first.WriteFileAtomic(dir.File("a.txt"), "one", Links::kReplace).ok());
  again.Release();

  FolderLock other;
  EXPECT_TRUE(second.LockFolder(dir.path().string(), LockWait::kNo, &other).IsFolderBusy());
  const Status busy = second.WriteFileAtomic(dir.File("a.txt"), "two", Links::kReplace);
  EXPECT_EQ(busy.message(), FileSystem::kFolderBusyText);
  EXPECT_EQ(Read(dir.File("a.txt")), "one");

  held.Release();
  EXPECT_TRUE(second.WriteFileAtomic(dir.File("a.txt"), "two", Links::kReplace).ok());
  EXPECT_EQ(Read(dir.File("a.txt")), "two");
}

// Roster files named in any script are saved, found, read and removed under the names
// the organiser gave them, whatever the machine's ANSI code page.
TEST(WindowsFileSystem, NamesInAnyScriptReachTheDiskAsTheyAre) {
  ScratchDirectory dir;
  RealFileSystem disk;
  const fs::path folder = dir.path() / fs::path(u8"Vereine Zürich");
  fs::create_directory(folder);
  for (const char8_t* name : {u8"Müller-Café.tmrx", u8"Ёлкин Борис.txt", u8"Ağrı ½.dat"}) {
    const fs::path wide = folder / fs::path(name);
    const std::string path = Utf8(wide);
    ASSERT_TRUE(
        disk.WriteFileAtomic(path, "Smith\tJohn\t72\t10\t3\tTigers\r\n", Links::kFollow).ok())
        << path;
    EXPECT_TRUE(fs::is_regular_file(wide)) << path;
    EXPECT_TRUE(disk.Exists(path) && disk.IsRegularFile(path)) << path;
    roster::Roster roster;
    ASSERT_TRUE(roster::ReadRosterFile(disk, path, roster, roster::IgnoreSkippedLines()).ok())
        << path;
    EXPECT_EQ(roster.EntryCount(), 1);
    EXPECT_TRUE(roster::SaveRosterFile(disk, path, roster).ok());
    EXPECT_TRUE(disk.Remove(path).ok());
    EXPECT_FALSE(fs::exists(wide)) << path;
  }
  std::string contents;
  EXPECT_FALSE(disk.ReadFile("\xff\xfe.txt", 100, &contents).ok());
}

// A save under a device's name would go to the device and vanish, and one ending in a dot
// or a blank would land on the name without it: both are refused before anything is
// written, with the reason. Names that only start like a device are files like any other.
TEST(WindowsFileSystem, NamesWindowsCannotKeepAreRefusedBeforeWriting) {
  ScratchDirectory dir;
  testing::WorkingDirectory in(dir.path());
  RealFileSystem disk;
  Write("day.tmrx", "the organiser's roster\r\n");
  for (const char* name : {"nul.tmrx", "CON", "Com1.txt", "lpt9", "aux.csv", "con .dat",
                           "COM\xC2\xB9.txt", "day.tmrx.", "day.tmrx "}) {
    const Status s = disk.WriteFileAtomic(name, "lost?\r\n", Links::kFollow);
    EXPECT_TRUE(s.IsIoError()) << name;
    EXPECT_NE(s.message().find("; choose another name; it was not written"), std::string::npos)
        << s.message();
  }
  EXPECT_EQ(disk.WriteFileAtomic(dir.File("NUL.tmrx"), "x", Links::kFollow).message(),
            dir.File("NUL.tmrx") +
                ": Windows keeps this name for a device; choose another name; it was not written");
  EXPECT_EQ(Read("day.tmrx"), "the organiser's roster\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);

  for (const char* name : {"CONSOLE.txt", "Nullify.tmrx", "com10.txt", "LPT.dat", "my.con"}) {
    EXPECT_TRUE(disk.WriteFileAtomic(name, "kept\r\n", Links::kFollow).ok()) << name;
    EXPECT_EQ(Read(name), "kept\r\n") << name;
  }
}

// Clubs named like Windows devices, or ending in a dot or a blank, still get per-club
// files Windows creates (the fixed "Tandrel-BoutsFor" before the club and ".txt" after it
// keep the name from ever being a device or ending in a dot); "Eagles" and "eagles" share
// one file, since Windows takes the two names for one.
TEST(WindowsFileSystem, EveryClubGetsAFileWindowsCanCreate) {
  ScratchDirectory dir;
  testing::WorkingDirectory in(dir.path());
  std::string text;
  int n = 0;
  for (const char* club :
       {"CON", "nul", "Com1", "LPT9", "aux.txt", "Hawks.", "Hawks .", "Eagles", "eagles", "PRN "}) {
    text += "Name" + std::to_string(n) + "\tA\t" + std::to_string(60 + n % 2) + "\t10\t2\t" + club +
            "\tyes\r\n";
    ++n;
  }
  roster::Roster roster;
  roster::ReadRosterText(text, roster, roster::IgnoreSkippedLines());
  roster::ResetDisplayOrder(roster);
  RealFileSystem disk;
  pairing::PairingControl control;
  pairing::PairingRun run;
  const reports::PairingOutcome outcome =
      reports::RunPairing(disk, roster, &control, nullptr, &run);
  ASSERT_TRUE(outcome.Completed()) << outcome.status.message();
  for (const std::string& name : outcome.FilesWritten) {
    EXPECT_TRUE(fs::is_regular_file(name)) << name;
    EXPECT_FALSE(Read(name).empty()) << name;
  }
  // Nine clubs' files, "Eagles" and "eagles" in one, beside the all-clubs report.
  EXPECT_EQ(outcome.ByClubFilesWritten.size(), 10u);
  const std::string eagles = Read("Tandrel-BoutsForEagles.txt");
  EXPECT_NE(eagles.find("Results for Eagle\r\n"), std::string::npos);
  EXPECT_NE(eagles.find("Results for eagle\r\n"), std::string::npos);
  EXPECT_TRUE(fs::is_regular_file("Tandrel-BoutsForCON.txt"));
  EXPECT_TRUE(fs::is_regular_file("Tandrel-BoutsForHawks..txt"));
}

}  // namespace
}  // namespace kestrio
