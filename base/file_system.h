#pragma once

// The file system as the core sees it: whole files read and written in one call, and the
// lock that keeps two Kestrio runs from writing in one folder at once.
//
// Abstract so that tests can inject faults (a file that vanishes, a full disk, a file
// held open by another program) without relying on permissions. RealFileSystem is the
// implementation on the machine's disk; tests use a fake (tests/fake_file_system.h).
// Every call on the operating system lives behind this port, so that another platform
// adds its own RealFileSystem beside the POSIX one.
//
// A failed call returns a Status of kind kNotFound (the file or its folder does not
// exist), kFolderBusy (another run holds the folder's lock), kHeldOpen (another program
// holds the file) or kIoError (anything else), with a message "<path>: <reason>".

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "base/status.h"

namespace kestrio {

// The roster and control files are read whole; nothing larger is read at all.
inline constexpr std::size_t kMaxRosterFileBytes = std::size_t{512} << 20;

// What a replacing write does with a symbolic link that stands at the path.
enum class Links {
  // The organiser's own files (a roster saved where the organiser chose): the write goes
  // through the link into the file it points to, replaced there, as editors do.
  kFollow,
  // The program's files in the working folder (reports, the control file, the listing):
  // a link in their place is replaced by the file itself, so a planted link never makes
  // the program write outside the folder.
  kReplace,
};

// Whether taking a folder's lock waits for another run to let it go.
enum class LockWait { kNo, kYes };

class FileSystem;

// Takes a file's text a piece at a time (FileQueue). Take moves the piece's text away and
// leaves piece empty, often with room kept from an earlier piece.
class TextTaker {
 public:
  virtual ~TextTaker() = default;
  virtual void Take(std::string& piece) = 0;
};

// Holds a folder's writing lock until released or destroyed. Movable, not copyable.
class FolderLock {
 public:
  FolderLock() = default;
  FolderLock(FolderLock&& other) noexcept;
  FolderLock& operator=(FolderLock&& other) noexcept;
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  ~FolderLock() { Release(); }

  bool held() const { return fs_ != nullptr; }
  void Release();

 private:
  friend class FileSystem;
  FileSystem* fs_ = nullptr;
  std::string key_;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Reads the whole file into *contents. Only a regular file is read (a link to one is
  // followed): a folder, a device such as /dev/zero or a pipe is refused without a read
  // that could block or never end, and so is a file above max_bytes. *contents is left
  // as it was on failure.
  virtual Status ReadFile(const std::string& path, std::size_t max_bytes,
                          std::string* contents) = 0;

  // Replaces the file with contents: written to a new temporary file of a unique name in
  // the same folder, created exclusively (never through a link), and renamed over the
  // file only when every byte was written and the file closed. The file keeps its
  // permission bits, and its owner and group where the process may set them. A folder,
  // a device or a pipe at the path is refused, never replaced. On failure the previous
  // file is intact and the temporary file removed; a temporary file that a killed run
  // left is removed by the next write of that file. Takes the folder's lock for the
  // write (see LockFolder), without waiting.
  virtual Status WriteFileAtomic(const std::string& path, std::string_view contents,
                                 Links links) = 0;

  // Receives a file's text piece by piece, in order.
  using TextPieces = std::function<void(std::string_view piece)>;

  // WriteFileAtomic of the text that produce hands, piece by piece, to the TextPieces it
  // is given, so that a report of hundreds of megabytes is never held whole. Everything
  // else as WriteFileAtomic: the file is replaced only when every piece was written. This
  // default gathers the pieces and calls WriteFileAtomic; the real disk writes each piece
  // as it comes.
  virtual Status WriteFileAtomicInPieces(const std::string& path,
                                         const std::function<void(const TextPieces&)>& produce,
                                         Links links);

  virtual bool Exists(const std::string& path) = 0;

  // True for a regular file that exists (a link to one counts); false for a folder, a
  // device, a pipe or nothing.
  virtual bool IsRegularFile(const std::string& path) = 0;

  // Deletes the file (a link itself, never what it points to); removing a file that does
  // not exist is not an error. A folder is never removed.
  virtual Status Remove(const std::string& path) = 0;

  // Opens an existing file for writing without truncating it, and closes it again. Fails
  // with kHeldOpen when another program holds it so that it cannot be replaced, and with
  // the reason for any other refusal (a read-only disk, no permission).
  virtual Status CanOpenForWriting(const std::string& path) = 0;

  // The form under which this disk tells file names apart: two names with the same key
  // are one file. The name itself where names are case-sensitive; where "Eagles" and
  // "eagles" are one file (Windows), the name in capitals.
  virtual std::string FileNameKey(const std::string& name) const { return name; }

  // Takes the writing lock of the folder that path names or lies in (path need not
  // exist). Another process holding it: with LockWait::kYes the call waits until it is
  // free; with kNo it fails at once with kFolderBusy and kFolderBusyText. One process
  // may take the same folder's lock again while it holds it (the locks are counted).
  // A folder where no lock can be kept (a read-only disk) is not locked, and the call
  // succeeds: nothing can be written there anyway.
  Status LockFolder(const std::string& path, LockWait wait, FolderLock* lock);

  static constexpr std::string_view kFolderBusyText =
      "Another Kestrio run is writing in this folder";

 protected:
  // The platform's lock: on success *key names the lock for ReleaseFolderLock (empty when
  // no lock could be kept).
  virtual Status AcquireFolderLock(const std::string& path, LockWait wait, std::string* key) = 0;
  virtual void ReleaseFolderLock(const std::string& key) = 0;

 private:
  friend class FolderLock;
};

// The machine's own disk.
class RealFileSystem : public FileSystem {
 public:
  RealFileSystem();
  ~RealFileSystem() override;

  Status ReadFile(const std::string& path, std::size_t max_bytes, std::string* contents) override;
  Status WriteFileAtomic(const std::string& path, std::string_view contents, Links links) override;
  Status WriteFileAtomicInPieces(const std::string& path,
                                 const std::function<void(const TextPieces&)>& produce,
                                 Links links) override;
  bool Exists(const std::string& path) override;
  bool IsRegularFile(const std::string& path) override;
  Status Remove(const std::string& path) override;
  Status CanOpenForWriting(const std::string& path) override;
  std::string FileNameKey(const std::string& name) const override;

 protected:
  Status AcquireFolderLock(const std::string& path, LockWait wait, std::string* key) override;
  void ReleaseFolderLock(const std::string& key) override;

 private:
  // The folder locks this process holds, and where temporary names come from.
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace kestrio
