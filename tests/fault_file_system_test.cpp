// The file-system port under faults: the disk itself (RealFileSystem in a scratch folder,
// a small tmpfs for a full or read-only disk, links, devices, pipes, modes) and the fake
// that every other fault test relies on.

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/file_system.h"
#include "pairing/pairing_control.h"
#include "pairing/pairing_run.h"
#include "reports/report_files.h"
#include "reports/run_pairing.h"
#include "roster/display_data.h"
#include "roster/roster_reader.h"
#include "roster/roster_writer.h"
#include "tests/fake_file_system.h"
#include "tests/scratch_directory.h"
#include "tests/small_disk.h"

namespace kestrio {
namespace {

namespace fs = std::filesystem;
using testing::Read;
using testing::ScratchDirectory;
using testing::SmallDisk;
using testing::Write;

roster::Roster OneWrestler(const std::string& name) {
  roster::Roster roster;
  roster::ReadRosterText(name + "\tJohn\t72\t10\t3\tTigers\r\n", roster,
                         roster::IgnoreSkippedLines());
  roster::ResetDisplayOrder(roster);
  return roster;
}

// A full disk, on a 64 KB tmpfs: the roster and the listing keep their previous files
// whole (the listing used to be cut to what fitted), and no temporary file is left.
TEST(RealFileSystemFault, FullDiskKeepsThePreviousFilesWhole) {
  ScratchDirectory dir;
  SmallDisk disk_space(dir.File("disk"), 64 * 1024);
  if (!disk_space.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here (needs root on Linux)";
  RealFileSystem disk;
  const std::string roster = dir.File("disk/club.tmrx");
  const std::string listing = dir.File("disk/DisplayData.dat");
  ASSERT_TRUE(disk.WriteFileAtomic(roster, std::string(20000, 'r'), Links::kFollow).ok());
  ASSERT_TRUE(disk.WriteFileAtomic(listing, std::string(20000, 'l'), Links::kReplace).ok());
  Write(dir.File("disk/filler"), std::string(12000, 'f'));

  const Status s = disk.WriteFileAtomic(roster, std::string(30000, 'n'), Links::kFollow);
  EXPECT_EQ(s.message(), roster + ": No space left on device");
  EXPECT_EQ(Read(roster), std::string(20000, 'r'));
  roster::Roster big;
  for (int i = 0; i < 600; ++i) roster::AppendRoster(big, OneWrestler("W" + std::to_string(i)));
  roster::ResetDisplayOrder(big);
  EXPECT_FALSE(roster::ExportDisplayData(disk, big, {}, listing).ok());
  EXPECT_EQ(Read(listing), std::string(20000, 'l'));
  int names = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.File("disk"))) ++names;
  EXPECT_EQ(names, 4);  // roster, listing, filler and the folder lock
}

// The temporary file has a unique name, created exclusively: a link planted at the old
// fixed name, or at any name, never makes a save write outside the folder. A stray
// temporary file of a killed save is removed by the next save of that file; a folder or
// a link with such a name is not the program's and stays.
TEST(RealFileSystemFault, TemporaryFilesAreUniqueAndNeverFollowLinks) {
  ScratchDirectory dir;
  RealFileSystem disk;
  fs::create_directory(dir.File("work"));
  Write(dir.File("precious"), "outside the folder");
  const std::string roster = dir.File("work/club.tmrx");
  fs::create_symlink(dir.File("precious"), roster + ".kestrio-tmp");
  fs::create_symlink(dir.File("precious"), roster + ".kestrio-tmp-linked");
  fs::create_directory(roster + ".kestrio-tmp-folder");
  Write(roster + ".kestrio-tmp-a1b2c3", "left by a killed save");

  ASSERT_TRUE(roster::SaveRosterFile(disk, roster, OneWrestler("Smith")).ok());
  EXPECT_EQ(Read(dir.File("precious")), "outside the folder");
  EXPECT_EQ(Read(roster), "Smith\tJohn\t72.00\t10.00\t3.00\tTigers\t\t\r\n");
  EXPECT_FALSE(fs::exists(roster + ".kestrio-tmp-a1b2c3"));
  EXPECT_TRUE(fs::is_symlink(roster + ".kestrio-tmp"));
  EXPECT_TRUE(fs::is_symlink(roster + ".kestrio-tmp-linked"));
  EXPECT_TRUE(fs::is_directory(roster + ".kestrio-tmp-folder"));
}

// A run that holds its folder while it writes many files reads the folder for stray
// temporaries once; each file's own strays still go when that file is written, and
// another file's stay until it is.
TEST(RealFileSystemFault, StrayTemporariesGoFileByFileUnderAHeldFolder) {
  ScratchDirectory dir;
  RealFileSystem disk;
  const std::string first = dir.File("first.txt");
  const std::string second = dir.File("second.txt");
  Write(first + ".kestrio-tmp-aaaaaa", "left by a killed run");
  Write(second + ".kestrio-tmp-bbbbbb", "left by a killed run");
  FolderLock held;
  ASSERT_TRUE(disk.LockFolder(first, LockWait::kNo, &held).ok());
  ASSERT_TRUE(disk.WriteFileAtomic(first, "one", Links::kReplace).ok());
  EXPECT_FALSE(fs::exists(first + ".kestrio-tmp-aaaaaa"));
  EXPECT_TRUE(fs::exists(second + ".kestrio-tmp-bbbbbb"));
  ASSERT_TRUE(disk.WriteFileAtomic(second, "two", Links::kReplace).ok());
  EXPECT_FALSE(fs::exists(second + ".kestrio-tmp-bbbbbb"));
  held.Release();
  // Once the folder was let go, another run may have been killed in it.
  Write(first + ".kestrio-tmp-cccccc", "left by a later run");
  ASSERT_TRUE(disk.WriteFileAtomic(first, "again", Links::kReplace).ok());
  EXPECT_FALSE(fs::exists(first + ".kestrio-tmp-cccccc"));
  EXPECT_EQ(Read(first), "again");
  EXPECT_EQ(Read(second), "two");
}

// Saving onto a link saves through it, atomically where the file is; the program's own
// files replace a link in their place instead. A device, a folder or a pipe is refused
// by name and left as it is: /dev/null is never replaced.
TEST(RealFileSystemFault, LinksDevicesFoldersAndPipes) {
  ScratchDirectory dir;
  RealFileSystem disk;
  fs::create_directory(dir.File("rosters"));
  Write(dir.File("rosters/saturday.tmrx"), "old");
  fs::create_symlink("rosters/saturday.tmrx", dir.File("today.tmrx"));
  ASSERT_TRUE(roster::SaveRosterFile(disk, dir.File("today.tmrx"), OneWrestler("Smith")).ok());
  EXPECT_TRUE(fs::is_symlink(dir.File("today.tmrx")));
  EXPECT_EQ(Read(dir.File("rosters/saturday.tmrx")).substr(0, 5), "Smith");
  // A link to a file not yet there creates the file where the link points.
  fs::create_symlink(dir.File("rosters/sunday.tmrx"), dir.File("tomorrow.tmrx"));
  ASSERT_TRUE(roster::SaveRosterFile(disk, dir.File("tomorrow.tmrx"), OneWrestler("Ng")).ok());
  EXPECT_EQ(Read(dir.File("rosters/sunday.tmrx")).substr(0, 2), "Ng");

  fs::create_symlink(dir.File("rosters/saturday.tmrx"), dir.File("report.txt"));
  ASSERT_TRUE(disk.WriteFileAtomic(dir.File("report.txt"), "report", Links::kReplace).ok());
  EXPECT_FALSE(fs::is_symlink(dir.File("report.txt")));
  EXPECT_EQ(Read(dir.File("rosters/saturday.tmrx")).substr(0, 5), "Smith");

  const Status device = roster::SaveRosterFile(disk, "/dev/null", OneWrestler("Smith"));
  EXPECT_EQ(device.message(),
            "/dev/null: not a regular file (a device or a pipe); it was not replaced");
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  fs::create_symlink("/dev/null", dir.File("null.tmrx"));
  EXPECT_FALSE(roster::SaveRosterFile(disk, dir.File("null.tmrx"), OneWrestler("Smith")).ok());
  EXPECT_TRUE(fs::is_character_file("/dev/null"));

  EXPECT_EQ(roster::SaveRosterFile(disk, dir.File("rosters"), OneWrestler("Smith")).message(),
            dir.File("rosters") + ": Is a directory");
  ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
  EXPECT_FALSE(roster::SaveRosterFile(disk, dir.File("pipe"), OneWrestler("Smith")).ok());
  EXPECT_TRUE(fs::is_fifo(dir.File("pipe")));
  EXPECT_FALSE(disk.Remove(dir.File("rosters")).ok());
  EXPECT_TRUE(fs::is_directory(dir.File("rosters")));
}

// A roster at mode 600 stays 600 after a save, and keeps its owner and group where the
// process may set them.
TEST(RealFileSystemFault, ReplacedFilesKeepTheirModeOwnerAndGroup) {
  ScratchDirectory dir;
  RealFileSystem disk;
  const std::string roster = dir.File("private.tmrx");
  for (const fs::perms mode : {fs::perms::owner_read | fs::perms::owner_write,
                               fs::perms::owner_all | fs::perms::group_read}) {
    Write(roster, "old");
    fs::permissions(roster, mode);
    ASSERT_TRUE(roster::SaveRosterFile(disk, roster, OneWrestler("Smith")).ok());
    EXPECT_EQ(fs::status(roster).permissions(), mode);
  }
  if (::geteuid() != 0) GTEST_SKIP() << "only an administrator may give a file away";
  ASSERT_EQ(::chown(roster.c_str(), 4321, 4322), 0);
  ASSERT_TRUE(roster::SaveRosterFile(disk, roster, OneWrestler("Ng")).ok());
  struct stat st;
  ASSERT_EQ(::stat(roster.c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, 4321u);
  EXPECT_EQ(st.st_gid, 4322u);
}

// Only regular files are read: /dev/zero and a link to it, a pipe without a writer and a
// folder are refused at once, and so is a file above the limit (a sparse 513 MB file).
TEST(RealFileSystemFault, ReadsAreBoundedAndNeverBlock) {
  ScratchDirectory dir;
  RealFileSystem disk;
  std::string contents = "untouched";
  const auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(disk.ReadFile("/dev/zero", kMaxRosterFileBytes, &contents).message(),
            "/dev/zero: not a regular file (a device or a pipe); it was not read");
  fs::create_symlink("/dev/zero", dir.File("zero.txt"));
  EXPECT_FALSE(disk.ReadFile(dir.File("zero.txt"), kMaxRosterFileBytes, &contents).ok());
  ASSERT_EQ(::mkfifo(dir.File("pipe.txt").c_str(), 0600), 0);
  EXPECT_FALSE(disk.ReadFile(dir.File("pipe.txt"), kMaxRosterFileBytes, &contents).ok());
  EXPECT_EQ(disk.ReadFile(dir.path().string(), kMaxRosterFileBytes, &contents).message(),
            dir.path().string() + ": Is a directory");
  { std::ofstream sparse(dir.File("huge.txt")); }
  fs::resize_file(dir.File("huge.txt"), kMaxRosterFileBytes + 1);
  EXPECT_EQ(disk.ReadFile(dir.File("huge.txt"), kMaxRosterFileBytes, &contents).message(),
            dir.File("huge.txt") + ": the file is larger than 512 MB; it was not read");
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
  EXPECT_EQ(contents, "untouched");

  Write(dir.File("small.txt"), std::string(1025, 'x'));
  EXPECT_EQ(disk.ReadFile(dir.File("small.txt"), 1024, &contents).message(),
            dir.File("small.txt") + ": the file is larger than 1 KB; it was not read");
  ASSERT_TRUE(disk.ReadFile(dir.File("small.txt"), 1025, &contents).ok());
  EXPECT_EQ(contents.size(), 1025u);
}

TEST(FakeFileSystemFault, WritesStopWhereTheDiskWould) {
  FakeFileSystem files;
  files.AddFile("club.dat", "previous");
  files.FailWritesAfter("club.dat", 3);
  Status s = files.WriteFileAtomic("club.dat", "replacement", Links::kFollow);
  EXPECT_EQ(s.message(), "club.dat: Input/output error");
  EXPECT_EQ(files.Contents("club.dat"), "previous");

  files.ClearFaults();
  files.SetCapacity(10);
  files.AddFile("other", "123456");
  s = files.WriteFileAtomic("report.txt", "abcdefgh", Links::kReplace);
  EXPECT_EQ(s.message(), "report.txt: No space left on device");
  EXPECT_FALSE(files.HasFile("report.txt"));
}

TEST(FakeFileSystemFault, HeldBusyVanishedAndMissingFiles) {
  FakeFileSystem files;
  files.AddFile("bouts.txt", "sheet");
  files.HoldOpen("bouts.txt");
  EXPECT_TRUE(files.CanOpenForWriting("bouts.txt").IsHeldOpen());
  EXPECT_EQ(files.WriteFileAtomic("bouts.txt", "x", Links::kReplace).message(),
            "bouts.txt: Permission denied");
  EXPECT_EQ(files.Contents("bouts.txt"), "sheet");
  files.HoldFolderLock(".");
  EXPECT_TRUE(files.WriteFileAtomic("other.txt", "x", Links::kReplace).IsFolderBusy());
  files.ClearFaults();

  files.AddFile("roster.txt", "a\r\n");
  files.VanishAfterReads("roster.txt", 1);
  std::string contents;
  EXPECT_TRUE(files.ReadFile("roster.txt", 10, &contents).ok());
  EXPECT_FALSE(files.Exists("roster.txt"));
  EXPECT_EQ(files.ReadFile("roster.txt", 10, &contents).message(),
            "roster.txt: No such file or directory");

  files.RequireDirectories(true);
  files.AddDirectory("/data");
  EXPECT_TRUE(files.WriteFileAtomic("/data/a.dat", "x", Links::kFollow).ok());
  EXPECT_EQ(files.WriteFileAtomic("/gone/a.dat", "x", Links::kFollow).message(),
            "/gone/a.dat: No such file or directory");
  EXPECT_FALSE(files.HasFile("/gone/a.dat"));
  EXPECT_EQ(files.WrittenPaths(),
            (std::vector<std::string>{"bouts.txt", "other.txt", "/data/a.dat", "/gone/a.dat"}));
  EXPECT_EQ(files.LocksHeld("/data"), 0);
}

// Two selected wrestlers of two clubs, enough for a run.
roster::Roster TwoSelected() {
  roster::Roster roster;
  roster::ReadRosterText(
      "Smith\tJohn\t72\t10\t3\tTigers\tyes\r\nJones\tBob\t70\t10\t2\tLions\tyes\r\n", roster,
      roster::IgnoreSkippedLines());
  roster::ResetDisplayOrder(roster);
  return roster;
}

// On a read-only disk the bout-sheet file cannot be opened for writing: the organiser is
// told that, with the file's name, not asked to close a mail merge.
TEST(RunFault, ReadOnlyDiskIsNamedAsSuch) {
  ScratchDirectory dir;
  SmallDisk small(dir.File("disk"), 256 * 1024);
  if (!small.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here (needs root on Linux)";
  const std::string sheets(reports::kBoutSheetsName);
  std::ofstream(dir.File("disk/") + sheets) << "last week";
  ASSERT_TRUE(small.MakeReadOnly());
  testing::WorkingDirectory in(dir.File("disk"));
  RealFileSystem disk;
  pairing::PairingControl control;
  pairing::PairingRun run;
  const reports::PairingOutcome outcome =
      reports::RunPairing(disk, TwoSelected(), &control, nullptr, &run);
  EXPECT_TRUE(outcome.BoutSheetsWritable);
  EXPECT_EQ(outcome.status.message(), sheets + ": Read-only file system");
  EXPECT_TRUE(outcome.FilesWritten.empty());
}

}  // namespace
}  // namespace kestrio
