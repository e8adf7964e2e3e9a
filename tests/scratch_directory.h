#pragma once

// Test support on the real disk: a scratch folder removed after the test, a small tmpfs
// mounted in it where the machine lets a test mount one (root on Linux), and a working
// directory changed for the length of a scope.

#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace kestrio::testing {

class ScratchDirectory {
 public:
  ScratchDirectory() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            ("kestrio-" + std::string(test->test_suite_name()) + "-" + test->name() + "-" +
             std::to_string(::getpid()));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchDirectory() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  // The names in the folder, the folder lock left out.
  int EntryCount() const {
    int n = 0;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      n += entry.path().filename() != ".kestrio-lock";
    }
    return n;
  }

 private:
  std::filesystem::path path_;
};

// A tmpfs of `bytes` mounted at path for the object's lifetime; mounted() is false where
// the machine does not let the test mount one.
class SmallDisk {
 public:
  SmallDisk(const std::string& path, std::size_t bytes) : path_(path) {
    std::filesystem::create_directories(path);
    const std::string options = "size=" + std::to_string(bytes);
    mounted_ = ::mount("tmpfs", path.c_str(), "tmpfs", 0, options.c_str()) == 0;
  }
  ~SmallDisk() {
    if (mounted_) ::umount2(path_.c_str(), MNT_DETACH);
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool mounted() const { return mounted_; }
  // Makes the disk read-only from now on.
  bool MakeReadOnly() {
    return ::mount("tmpfs", path_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  }

 private:
  std::string path_;
  bool mounted_ = false;
};

// The process's working directory is path until the object goes.
class WorkingDirectory {
 public:
  explicit WorkingDirectory(const std::filesystem::path& path)
      : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(path);
  }
  ~WorkingDirectory() { std::filesystem::current_path(previous_); }
  WorkingDirectory(const WorkingDirectory&) = delete;
  WorkingDirectory& operator=(const WorkingDirectory&) = delete;

 private:
  std::filesystem::path previous_;
};

}  // namespace kestrio::testing
