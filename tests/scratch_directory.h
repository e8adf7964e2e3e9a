#pragma once

// Test support on the real disk, on every system: a scratch folder removed after the
// test, a working directory changed for the length of a scope, and whole files read and
// written past the port under test.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
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
  // Temporary files a replacing write left in the folder.
  int TemporaryFiles() const {
    int n = 0;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      n += entry.path().filename().string().find(".kestrio-tmp-") != std::string::npos;
    }
    return n;
  }
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

// A file's bytes (empty when it cannot be read), and a file made with exactly contents.
inline std::string Read(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}
inline void Write(const std::filesystem::path& path, const std::string& contents) {
  std::ofstream(path, std::ios::binary) << contents;
}

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
