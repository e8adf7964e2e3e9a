#pragma once

// The file system as the core sees it: whole files read and written in one call.
//
// Abstract so that tests can inject faults (a file that vanishes, a full disk, a file
// held open by another program) without relying on permissions. RealFileSystem is the
// implementation on the machine's disk; tests use a fake (tests/fake_file_system.h).
// A failed call returns a Status of kind kNotFound (the file or its folder does not
// exist) or kIoError (anything else), with a message "<path>: <reason>".

#include <string>
#include <string_view>

#include "base/status.h"

namespace kestrio {

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Reads the whole file into *contents. Fails when it is missing or unreadable.
  virtual Status ReadFile(const std::string& path, std::string* contents) = 0;

  // Creates or replaces the file with contents. On failure the file may be left
  // incomplete: use it for files the program owns and rewrites (reports).
  virtual Status WriteFile(const std::string& path, std::string_view contents) = 0;

  // Writes contents to a temporary file in the same directory and renames it over path
  // only when every byte was written and the file closed. On failure the previous file,
  // if any, is intact and no temporary file is left behind.
  virtual Status WriteFileAtomic(const std::string& path, std::string_view contents) = 0;

  virtual bool Exists(const std::string& path) = 0;

  // True for a regular file that exists; false for a directory or nothing.
  virtual bool IsRegularFile(const std::string& path) = 0;

  // Deletes the file; removing a file that does not exist is not an error.
  virtual Status Remove(const std::string& path) = 0;

  // Opens an existing file for writing without truncating it, and closes it again:
  // false when another program holds it so that it cannot be replaced.
  virtual bool CanOpenForWriting(const std::string& path) = 0;
};

// The machine's own disk, through the C++ standard library.
class RealFileSystem : public FileSystem {
 public:
  Status ReadFile(const std::string& path, std::string* contents) override;
  Status WriteFile(const std::string& path, std::string_view contents) override;
  Status WriteFileAtomic(const std::string& path, std::string_view contents) override;
  bool Exists(const std::string& path) override;
  bool IsRegularFile(const std::string& path) override;
  Status Remove(const std::string& path) override;
  bool CanOpenForWriting(const std::string& path) override;
};

}  // namespace kestrio
