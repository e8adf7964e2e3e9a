#include "tests/fake_file_system.h"

#include <algorithm>
#include <utility>

namespace kestrio {
namespace {

// The kind the machine's disk gives for the same reason.
Status Failure(const std::string& path, const std::string& reason) {
  if (reason == "No such file or directory") return Status::NotFound(path + ": " + reason);
  return Status::IoError(path + ": " + reason);
}

}  // namespace

void FakeFileSystem::AddFile(const std::string& path, std::string contents) {
  files_[path] = std::move(contents);
}

void FakeFileSystem::AddDirectory(const std::string& path) { directories_.insert(path); }

void FakeFileSystem::DeleteFile(const std::string& path) { files_.erase(path); }

std::optional<std::string> FakeFileSystem::Contents(const std::string& path) const {
  auto it = files_.find(path);
  if (it == files_.end()) return std::nullopt;
  return it->second;
}

void FakeFileSystem::FailReads(const std::string& path, std::string reason) {
  read_faults_[path] = std::move(reason);
}

void FakeFileSystem::VanishAfterReads(const std::string& path, int reads) {
  if (reads <= 0) {
    files_.erase(path);
    return;
  }
  vanish_after_reads_[path] = reads;
}

void FakeFileSystem::FailWritesAfter(const std::string& path, std::size_t keep_bytes,
                                     std::string reason) {
  write_faults_[path] = WriteFault{keep_bytes, std::move(reason)};
}

void FakeFileSystem::HoldOpen(const std::string& path) { held_open_.insert(path); }

void FakeFileSystem::FailRemove(const std::string& path, std::string reason) {
  remove_faults_[path] = std::move(reason);
}

void FakeFileSystem::ClearFaults() {
  read_faults_.clear();
  vanish_after_reads_.clear();
  write_faults_.clear();
  held_open_.clear();
  remove_faults_.clear();
  open_for_writing_faults_.clear();
  busy_folders_.clear();
  capacity_.reset();
  require_directories_ = false;
}

std::vector<std::string> FakeFileSystem::WrittenPaths() const {
  std::vector<std::string> paths;
  for (const Call& call : calls_) {
    if (call.op == Op::WriteAtomic) paths.push_back(call.path);
  }
  return paths;
}

std::vector<std::string> FakeFileSystem::RemovedPaths() const {
  std::vector<std::string> paths;
  for (const Call& call : calls_) {
    if (call.op == Op::Remove) paths.push_back(call.path);
  }
  return paths;
}

void FakeFileSystem::Record(Op op, const std::string& path) {
  calls_.push_back(Call{op, path});
  if (before_call) before_call(*this, op, path);
}

bool FakeFileSystem::DirectoryMissing(const std::string& path) const {
  if (!require_directories_) return false;
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return false;
  const std::string parent = path.substr(0, slash);
  // "/name" sits in the root, which always exists.
  return !parent.empty() && directories_.count(parent) == 0;
}

Status FakeFileSystem::ReadFile(const std::string& path, std::size_t max_bytes,
                                std::string* contents) {
  Record(Op::Read, path);
  if (directories_.count(path)) return Failure(path, "Is a directory");
  auto it = files_.find(path);
  if (DirectoryMissing(path) || it == files_.end()) {
    return Failure(path, "No such file or directory");
  }
  if (auto fault = read_faults_.find(path); fault != read_faults_.end()) {
    return Failure(path, fault->second);
  }
  if (it->second.size() > max_bytes) {
    return Failure(path, "the file is larger than " + std::to_string(max_bytes) + " bytes");
  }
  *contents = it->second;
  if (auto vanish = vanish_after_reads_.find(path); vanish != vanish_after_reads_.end()) {
    if (--vanish->second == 0) {
      vanish_after_reads_.erase(vanish);
      files_.erase(path);
    }
  }
  return Status::Ok();
}

std::optional<std::string> FakeFileSystem::RefusalReason(const std::string& path) const {
  if (directories_.count(path)) return "Is a directory";
  if (DirectoryMissing(path)) return "No such file or directory";
  if (held_open_.count(path)) return "Permission denied";
  return std::nullopt;
}

std::optional<FakeFileSystem::WriteFault> FakeFileSystem::ShortWrite(const std::string& path,
                                                                     std::size_t size) const {
  std::optional<WriteFault> result;
  if (auto fault = write_faults_.find(path); fault != write_faults_.end()) {
    if (fault->second.keep_bytes < size) result = fault->second;
  }
  if (capacity_) {
    std::size_t used = 0;
    for (const auto& [name, bytes] : files_) used += bytes.size();
    const std::size_t room = used >= *capacity_ ? 0 : *capacity_ - used;
    if (size > room && (!result || room < result->keep_bytes)) {
      result = WriteFault{room, "No space left on device"};
    }
  }
  return result;
}

Status FakeFileSystem::WriteFileAtomic(const std::string& path, std::string_view contents,
                                       Links /*links*/) {
  Record(Op::WriteAtomic, path);
  if (auto reason = RefusalReason(path)) return Failure(path, *reason);
  FolderLock lock;
  if (Status s = LockFolder(path, LockWait::kNo, &lock); !s.ok()) return s;
  if (auto short_write = ShortWrite(path, contents.size())) {
    // The temporary file is dropped and the previous file stays as it was.
    return Failure(path, short_write->reason);
  }
  files_[path] = std::string(contents);
  return Status::Ok();
}

bool FakeFileSystem::Exists(const std::string& path) {
  Record(Op::Exists, path);
  if (DirectoryMissing(path)) return false;
  return files_.count(path) != 0 || directories_.count(path) != 0;
}

bool FakeFileSystem::IsRegularFile(const std::string& path) {
  Record(Op::IsRegularFile, path);
  return !DirectoryMissing(path) && files_.count(path) != 0;
}

Status FakeFileSystem::Remove(const std::string& path) {
  Record(Op::Remove, path);
  if (directories_.count(path)) return Failure(path, "Is a directory");
  if (auto fault = remove_faults_.find(path); fault != remove_faults_.end()) {
    return Failure(path, fault->second);
  }
  files_.erase(path);
  return Status::Ok();
}

Status FakeFileSystem::CanOpenForWriting(const std::string& path) {
  Record(Op::CanOpenForWriting, path);
  if (held_open_.count(path)) return Status::HeldOpen(path + ": Permission denied");
  if (auto fault = open_for_writing_faults_.find(path); fault != open_for_writing_faults_.end()) {
    return Failure(path, fault->second);
  }
  if (auto reason = RefusalReason(path)) return Failure(path, *reason);
  if (files_.count(path) == 0) return Status::NotFound(path + ": No such file or directory");
  return Status::Ok();
}

void FakeFileSystem::FailOpenForWriting(const std::string& path, std::string reason) {
  open_for_writing_faults_[path] = std::move(reason);
}

int FakeFileSystem::LocksHeld(const std::string& folder) const {
  const auto it = held_locks_.find(folder);
  return it == held_locks_.end() ? 0 : it->second;
}

Status FakeFileSystem::AcquireFolderLock(const std::string& path, LockWait /*wait*/,
                                         std::string* key) {
  Record(Op::Lock, path);
  std::string folder = path;
  if (folder != "." && directories_.count(folder) == 0) {
    const std::size_t slash = folder.rfind('/');
    folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : folder.substr(0, slash));
  }
  // Waiting for another run would wait forever here: the fake has no other process.
  if (busy_folders_.count(folder)) return Status::FolderBusy(std::string(kFolderBusyText));
  ++held_locks_[folder];
  *key = folder;
  return Status::Ok();
}

void FakeFileSystem::ReleaseFolderLock(const std::string& key) {
  if (--held_locks_[key] == 0) held_locks_.erase(key);
}

std::string FakeFileSystem::FileNameKey(const std::string& name) const {
  if (!ignore_case_) return name;
  std::string key = name;
  for (char& c : key) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return key;
}

}  // namespace kestrio
