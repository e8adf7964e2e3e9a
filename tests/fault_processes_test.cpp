// Two processes in one folder, and a save killed in the middle: real processes (fork) on
// the real disk, since the faults are the operating system's.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "base/file_system.h"
#include "tests/scratch_directory.h"

namespace kestrio {
namespace {

namespace fs = std::filesystem;
using testing::Read;
using testing::ScratchDirectory;

// A child process that takes the folder's lock, says so through a pipe, and lets it go
// (by exiting) when the parent writes to it.
class LockHolder {
 public:
  explicit LockHolder(const std::string& folder) {
    if (::pipe(ready_) != 0 || ::pipe(go_) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      RealFileSystem own;
      FolderLock lock;
      const bool held = own.LockFolder(folder, LockWait::kNo, &lock).ok();
      char c = held ? 'y' : 'n';
      (void)!::write(ready_[1], &c, 1);
      (void)!::read(go_[0], &c, 1);
      ::_exit(0);
    }
    char c = 'n';
    held_ = pid_ > 0 && ::read(ready_[0], &c, 1) == 1 && c == 'y';
  }
  ~LockHolder() { Release(); }

  bool held() const { return held_; }
  void Release() {
    if (pid_ <= 0) return;
    const char c = 'g';
    (void)!::write(go_[1], &c, 1);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  int ready_[2] = {-1, -1};
  int go_[2] = {-1, -1};
  pid_t pid_ = -1;
  bool held_ = false;
};

// While another process writes in the folder, a save says so and changes nothing; a
// caller that waits gets the folder once the other run is done.
TEST(TwoProcesses, ASecondRunInTheFolderStopsOrWaits) {
  ScratchDirectory dir;
  RealFileSystem disk;
  const std::string roster = dir.File("club.tmrx");
  ASSERT_TRUE(disk.WriteFileAtomic(roster, "first", Links::kFollow).ok());
  LockHolder other(dir.path().string());
  ASSERT_TRUE(other.held());

  const Status busy = disk.WriteFileAtomic(roster, "second", Links::kFollow);
  EXPECT_TRUE(busy.IsFolderBusy());
  EXPECT_EQ(busy.message(), "Another Kestrio run is writing in this folder");
  EXPECT_EQ(Read(roster), "first");

  std::thread release([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    other.Release();
  });
  FolderLock lock;
  const auto asked = std::chrono::steady_clock::now();
  EXPECT_TRUE(disk.LockFolder(roster, LockWait::kYes, &lock).ok());
  EXPECT_GE(std::chrono::steady_clock::now() - asked, std::chrono::milliseconds(150));
  release.join();
  // The lock is this process's now, and taking it again inside is allowed.
  EXPECT_TRUE(disk.WriteFileAtomic(roster, "second", Links::kFollow).ok());
  EXPECT_EQ(Read(roster), "second");
}

// Two processes saving different rosters to one file as fast as they can: every save
// either completes or is refused as busy, and the file is always one roster, whole.
TEST(TwoProcesses, SavesAtOnceNeverMixTwoRosters) {
  ScratchDirectory dir;
  const std::string roster = dir.File("club.tmrx");
  const std::string mine(200000, 'a');
  const std::string theirs(150000, 'b');
  const pid_t child = ::fork();
  if (child == 0) {
    RealFileSystem own;
    for (int i = 0; i < 200; ++i) (void)own.WriteFileAtomic(roster, theirs, Links::kFollow);
    ::_exit(0);
  }
  RealFileSystem disk;
  for (int i = 0; i < 200; ++i) {
    const Status s = disk.WriteFileAtomic(roster, mine, Links::kFollow);
    EXPECT_TRUE(s.ok() || s.IsFolderBusy()) << s.message();
    const std::string now = Read(roster);
    EXPECT_TRUE(now.empty() || now == mine || now == theirs) << now.size();
  }
  ::waitpid(child, nullptr, 0);
  const std::string last = Read(roster);
  EXPECT_TRUE(last == mine || last == theirs);
  EXPECT_EQ(dir.TemporaryFiles(), 0);
  // How many saves each side got in depends on the machine's load; once the other
  // process is gone, the folder is free again.
  EXPECT_TRUE(disk.WriteFileAtomic(roster, mine, Links::kFollow).ok());
  EXPECT_EQ(Read(roster), mine);
}

// A save killed at any moment leaves the whole old file or the whole new one, and at
// most one temporary file, which the next save of that file removes.
TEST(TwoProcesses, ASaveKilledMidwayLosesNothing) {
  ScratchDirectory dir;
  const std::string roster = dir.File("club.tmrx");
  const std::string old_roster(4 << 20, 'o');
  const std::string new_roster(3 << 20, 'n');
  for (int delay_ms : {1, 7, 20}) {
    {
      RealFileSystem disk;
      ASSERT_TRUE(disk.WriteFileAtomic(roster, old_roster, Links::kFollow).ok());
    }
    const pid_t child = ::fork();
    if (child == 0) {
      RealFileSystem own;
      for (;;) {
        (void)own.WriteFileAtomic(roster, new_roster, Links::kFollow);
        (void)own.WriteFileAtomic(roster, old_roster, Links::kFollow);
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(delay_ms));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    const std::string left = Read(roster);
    EXPECT_TRUE(left == old_roster || left == new_roster) << left.size();
    EXPECT_LE(dir.TemporaryFiles(), 1);
    RealFileSystem disk;
    ASSERT_TRUE(disk.WriteFileAtomic(roster, new_roster, Links::kFollow).ok());
    EXPECT_EQ(dir.TemporaryFiles(), 0);
  }
}

}  // namespace
}  // namespace kestrio
