#pragma once

// An in-memory FileSystem for tests, with faults that can be injected per file.
//
// Files live in a map from path to bytes; directories are a set of paths. Every call is
// recorded so that a test can prove what was (and was not) read, written or removed.
// Faults are armed per path and stay armed until cleared; each one makes the call fail
// the way the disk would, with a message "<path>: <reason>" like RealFileSystem's:
//   - a file that cannot be read, or that vanishes after being read a number of times;
//   - a write that stops part-way (WriteFileAtomic leaves the previous file untouched);
//   - a disk that holds only so many bytes in all ("No space left on device");
//   - a file another program holds open (CanOpenForWriting kHeldOpen, writes refused),
//     or one that cannot be opened for writing for another reason;
//   - a folder whose writing lock another Kestrio run holds;
//   - a path that is a directory;
//   - a directory that does not exist, once RequireDirectories(true) is set.
//
// Not thread-safe; owned by the test and passed to the code under test by reference.

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_system.h"

namespace kestrio {

class FakeFileSystem : public FileSystem {
 public:
  // The operations as recorded in Calls() and passed to the hook.
  enum class Op { Read, WriteAtomic, Exists, IsRegularFile, Remove, CanOpenForWriting, Lock };

  struct Call {
    Op op;
    std::string path;
  };

  // --- The files -------------------------------------------------------------------
  // Creates or replaces a file without recording a call or consulting any fault.
  void AddFile(const std::string& path, std::string contents);
  // Creates a directory (and, with RequireDirectories, makes its files writable).
  void AddDirectory(const std::string& path);
  // Deletes a file behind the program's back (no call recorded).
  void DeleteFile(const std::string& path);

  bool HasFile(const std::string& path) const { return files_.count(path) != 0; }
  // The file's bytes; an empty optional when it does not exist.
  std::optional<std::string> Contents(const std::string& path) const;
  const std::map<std::string, std::string>& Files() const { return files_; }

  // --- Faults ----------------------------------------------------------------------
  // ReadFile of path fails with reason (e.g. "Input/output error") while armed.
  void FailReads(const std::string& path, std::string reason = "Input/output error");
  // The file disappears after it has been read `reads` more times: the next Exists,
  // ReadFile and so on see nothing, as when another program deletes or moves it.
  void VanishAfterReads(const std::string& path, int reads);
  // WriteFileAtomic of path fails after keep_bytes bytes were written.
  void FailWritesAfter(const std::string& path, std::size_t keep_bytes,
                       std::string reason = "Input/output error");
  // Another program holds path: CanOpenForWriting fails with kHeldOpen and every write
  // is refused with "Permission denied" before a byte is written.
  void HoldOpen(const std::string& path);
  // CanOpenForWriting of path fails with reason (e.g. "Read-only file system").
  void FailOpenForWriting(const std::string& path, std::string reason);
  // Another Kestrio run holds the writing lock of folder ("." for the working directory).
  void HoldFolderLock(const std::string& folder) { busy_folders_.insert(folder); }
  // How many locks of folder this process holds now.
  int LocksHeld(const std::string& folder) const;
  // Remove of path fails with reason.
  void FailRemove(const std::string& path, std::string reason = "Permission denied");
  // The disk holds at most `bytes` bytes across all files; a write that would exceed it
  // fails with "No space left on device".
  void SetCapacity(std::size_t bytes) { capacity_ = bytes; }
  // When on, a path's directory (the text before its last '/') must have been added
  // with AddDirectory, else reads and writes fail with "No such file or directory".
  // Paths without a '/' are in the working directory, which always exists.
  void RequireDirectories(bool on) { require_directories_ = on; }
  // When on, FileNameKey tells names apart as Windows does, ignoring case (ASCII letters
  // only here); the files themselves stay keyed by their exact names.
  void IgnoreCaseInNames(bool on) { ignore_case_ = on; }
  // Disarms every fault above (the files stay as they are).
  void ClearFaults();

  // Called at the start of every port call, before faults are consulted: a test can
  // change the files or arm a fault at an exact moment (leveldb's EnvWrapper style).
  std::function<void(FakeFileSystem&, Op, const std::string&)> before_call;

  // --- What was asked --------------------------------------------------------------
  const std::vector<Call>& Calls() const { return calls_; }
  // Paths passed to WriteFileAtomic, successful or not, in order.
  std::vector<std::string> WrittenPaths() const;
  // Paths passed to Remove, in order.
  std::vector<std::string> RemovedPaths() const;
  void ClearCalls() { calls_.clear(); }

  // --- The port --------------------------------------------------------------------
  // A file above max_bytes fails with "the file is larger than N bytes".
  Status ReadFile(const std::string& path, std::size_t max_bytes, std::string* contents) override;
  // The fake has no links: links is recorded only through the call.
  Status WriteFileAtomic(const std::string& path, std::string_view contents, Links links) override;
  bool Exists(const std::string& path) override;
  bool IsRegularFile(const std::string& path) override;
  Status Remove(const std::string& path) override;
  Status CanOpenForWriting(const std::string& path) override;
  std::string FileNameKey(const std::string& name) const override;

 protected:
  Status AcquireFolderLock(const std::string& path, LockWait wait, std::string* key) override;
  void ReleaseFolderLock(const std::string& key) override;

 private:
  struct WriteFault {
    std::size_t keep_bytes = 0;
    std::string reason;
  };

  void Record(Op op, const std::string& path);
  bool DirectoryMissing(const std::string& path) const;
  // Why a write of `size` bytes to path must fail before anything is written, if it must.
  std::optional<std::string> RefusalReason(const std::string& path) const;
  // How many bytes of a `size`-byte write to path fit, and why the rest does not.
  std::optional<WriteFault> ShortWrite(const std::string& path, std::size_t size) const;

  bool ignore_case_ = false;
  std::map<std::string, std::string> files_;
  std::set<std::string> directories_;
  std::map<std::string, std::string> read_faults_;
  std::map<std::string, int> vanish_after_reads_;
  std::map<std::string, WriteFault> write_faults_;
  std::set<std::string> held_open_;
  std::map<std::string, std::string> remove_faults_;
  std::map<std::string, std::string> open_for_writing_faults_;
  std::set<std::string> busy_folders_;
  std::map<std::string, int> held_locks_;
  std::optional<std::size_t> capacity_;
  bool require_directories_ = false;
  std::vector<Call> calls_;
};

}  // namespace kestrio
