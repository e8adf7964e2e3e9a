#include "base/file_system.h"

#include <utility>

namespace kestrio {

FolderLock::FolderLock(FolderLock&& other) noexcept
    : fs_(std::exchange(other.fs_, nullptr)), key_(std::move(other.key_)) {}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
  if (this != &other) {
    Release();
    fs_ = std::exchange(other.fs_, nullptr);
    key_ = std::move(other.key_);
  }
  return *this;
}

void FolderLock::Release() {
  if (fs_ == nullptr) return;
  FileSystem* fs = std::exchange(fs_, nullptr);
  fs->ReleaseFolderLock(key_);
  key_.clear();
}

Status FileSystem::WriteFileAtomicInPieces(const std::string& path,
                                           const std::function<void(const TextPieces&)>& produce,
                                           Links links) {
  std::string contents;
  produce([&contents](std::string_view piece) { contents.append(piece); });
  return WriteFileAtomic(path, contents, links);
}

// The real disks write one text as a file of one piece, the same way on every system.
Status RealFileSystem::WriteFileAtomic(const std::string& path, std::string_view contents,
                                       Links links) {
  return WriteFileAtomicInPieces(
      path, [contents](const TextPieces& write) { write(contents); }, links);
}

Status FileSystem::LockFolder(const std::string& path, LockWait wait, FolderLock* lock) {
  lock->Release();
  std::string key;
  if (Status s = AcquireFolderLock(path, wait, &key); !s.ok()) return s;
  lock->fs_ = this;
  lock->key_ = std::move(key);
  return Status::Ok();
}

}  // namespace kestrio
