// The file-system port under faults: the disk itself (RealFileSystem in a scratch
// directory, /dev/full for a full disk) and the fake that every other fault test relies on.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/file_system.h"
#include "roster/display_data.h"
#include "roster/roster_reader.h"
#include "tests/fake_file_system.h"

namespace kestrio {
namespace {

namespace fs = std::filesystem;

class ScratchDirectory {
 public:
  ScratchDirectory() {
    path_ = fs::temp_directory_path() /
            ("kestrio-fault-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~ScratchDirectory() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  int EntryCount() const {
    int n = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(path_)) ++n;
    return n;
  }

 private:
  fs::path path_;
};

// /dev/full takes the open and refuses every byte, as a full disk does; the listing for
// printing is written straight to its file, so it meets the fault the same way.
TEST(RealFileSystemFault, FullDiskIsReportedWithTheFileName) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this machine";
  RealFileSystem disk;
  const Status s = disk.WriteFile("/dev/full", std::string(100000, 'x'));
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.message(), "/dev/full: No space left on device");

  roster::Roster roster;
  roster::ReadRosterText("Smith\tJohn\t72\t10\t3\tTigers\r\n", roster,
                         roster::IgnoreSkippedLines());
  roster::ResetDisplayOrder(roster);
  const Status listing = roster::ExportDisplayData(disk, roster, {}, "/dev/full");
  EXPECT_EQ(listing.message(), "/dev/full: No space left on device");
}

TEST(RealFileSystemFault, AtomicSaveThatCannotFinishKeepsThePreviousFile) {
  ScratchDirectory dir;
  RealFileSystem disk;
  const std::string roster = dir.File("club.dat");
  ASSERT_TRUE(disk.WriteFileAtomic(roster, "old\r\n").ok());

  // A directory squatting on the temporary name makes the write fail before the rename.
  fs::create_directory(roster + ".kestrio-tmp");
  const Status s = disk.WriteFileAtomic(roster, "new\r\n");
  EXPECT_FALSE(s.ok());
  EXPECT_EQ(s.message().rfind(roster + ": ", 0), 0u) << s.message();
  std::string contents;
  ASSERT_TRUE(disk.ReadFile(roster, &contents).ok());
  EXPECT_EQ(contents, "old\r\n");
  fs::remove(roster + ".kestrio-tmp");

  // Saving into a directory that does not exist names the file and leaves nothing.
  const std::string lost = dir.File("no-such-dir/club.dat");
  const Status missing = disk.WriteFileAtomic(lost, "x");
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(missing.message(), lost + ": No such file or directory");
  EXPECT_TRUE(missing.IsNotFound());
  EXPECT_EQ(dir.EntryCount(), 1);
}

TEST(RealFileSystemFault, DirectoriesAreNeitherReadNorReplaced) {
  ScratchDirectory dir;
  RealFileSystem disk;
  const std::string control = dir.File("control.dat");
  fs::create_directory(control);
  std::string contents = "untouched";
  const Status read = disk.ReadFile(control, &contents);
  ASSERT_FALSE(read.ok());
  EXPECT_EQ(read.message(), control + ": Is a directory");
  EXPECT_TRUE(read.IsIoError());
  EXPECT_EQ(contents, "untouched");
  EXPECT_FALSE(disk.WriteFileAtomic(control, "x").ok());
  EXPECT_FALSE(disk.IsRegularFile(control));
  EXPECT_TRUE(fs::is_directory(control));
}

TEST(FakeFileSystemFault, WritesStopWhereTheDiskWould) {
  FakeFileSystem files;
  files.AddFile("club.dat", "previous");
  files.FailWritesAfter("club.dat", 3);
  Status s = files.WriteFileAtomic("club.dat", "replacement");
  EXPECT_EQ(s.message(), "club.dat: Input/output error");
  EXPECT_EQ(files.Contents("club.dat"), "previous");
  s = files.WriteFile("club.dat", "replacement");
  EXPECT_FALSE(s.ok());
  EXPECT_EQ(files.Contents("club.dat"), "rep");

  files.ClearFaults();
  files.SetCapacity(10);
  files.AddFile("other", "123456");
  s = files.WriteFile("report.txt", "abcdefgh");
  EXPECT_EQ(s.message(), "report.txt: No space left on device");
  // "rep" and "123456" take 9 of the 10 bytes: one byte of the report reached the disk.
  EXPECT_EQ(files.Contents("report.txt"), "a");
}

TEST(FakeFileSystemFault, HeldVanishedAndMissingFiles) {
  FakeFileSystem files;
  files.AddFile("bouts.txt", "sheet");
  files.HoldOpen("bouts.txt");
  EXPECT_FALSE(files.CanOpenForWriting("bouts.txt"));
  EXPECT_EQ(files.WriteFile("bouts.txt", "x").message(), "bouts.txt: Permission denied");
  EXPECT_EQ(files.Contents("bouts.txt"), "sheet");

  files.AddFile("roster.txt", "a\r\n");
  files.VanishAfterReads("roster.txt", 1);
  std::string contents;
  EXPECT_TRUE(files.ReadFile("roster.txt", &contents).ok());
  EXPECT_FALSE(files.Exists("roster.txt"));
  EXPECT_EQ(files.ReadFile("roster.txt", &contents).message(),
            "roster.txt: No such file or directory");

  files.RequireDirectories(true);
  files.AddDirectory("/data");
  EXPECT_TRUE(files.WriteFileAtomic("/data/a.dat", "x").ok());
  EXPECT_EQ(files.WriteFileAtomic("/gone/a.dat", "x").message(),
            "/gone/a.dat: No such file or directory");
  EXPECT_FALSE(files.HasFile("/gone/a.dat"));
  EXPECT_EQ(files.WrittenPaths(),
            (std::vector<std::string>{"bouts.txt", "/data/a.dat", "/gone/a.dat"}));
}

}  // namespace
}  // namespace kestrio
