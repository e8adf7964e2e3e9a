#pragma once

// The working directory in memory for the benchmarks: keeps what is written, so that a
// command or a run is measured without the disk.

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "base/file_system.h"

namespace kestrio::bench {

class MemoryFileSystem : public FileSystem {
 public:
  Status ReadFile(const std::string& path, std::size_t, std::string* contents) override {
    const auto it = files.find(path);
    if (it == files.end()) return Status::NotFound(path + ": No such file or directory");
    *contents = it->second;
    return Status::Ok();
  }
  Status WriteFileAtomic(const std::string& path, std::string_view contents, Links) override {
    files[path] = std::string(contents);
    return Status::Ok();
  }
  // As the disk does, each piece goes where the file's text is kept as it comes, not
  // into a text of its own first.
  Status WriteFileAtomicInPieces(const std::string& path,
                                 const std::function<void(const TextPieces&)>& produce,
                                 Links) override {
    std::string contents;
    if (const auto it = files.find(path); it != files.end()) contents.reserve(it->second.size());
    produce([&contents](std::string_view piece) { contents.append(piece); });
    files[path] = std::move(contents);
    return Status::Ok();
  }
  bool Exists(const std::string& path) override { return files.count(path) != 0; }
  bool IsRegularFile(const std::string& path) override { return Exists(path); }
  Status Remove(const std::string& path) override {
    files.erase(path);
    return Status::Ok();
  }
  Status CanOpenForWriting(const std::string&) override { return Status::Ok(); }

  std::map<std::string, std::string> files;

 protected:
  Status AcquireFolderLock(const std::string&, LockWait, std::string*) override {
    return Status::Ok();
  }
  void ReleaseFolderLock(const std::string&) override {}
};

}  // namespace kestrio::bench
