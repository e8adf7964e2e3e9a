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
  capacity_.reset();
  require_directories_ = false;
}

std::vector<std::string> FakeFileSystem::WrittenPaths() const {
  std::vector<std::string> paths;
  for (const Call& call : calls_) {
    if (call.op == Op::Write || call.op == Op::WriteAtomic) paths.push_back(call.path);
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

Status FakeFileSystem::ReadFile(const std::string& path, std::string* contents) {
  Record(Op::Read, path);
  if (directories_.count(path)) return Failure(path, "Is a directory");
  auto it = files_.find(path);
  if (DirectoryMissing(path) || it == files_.end()) {
    return Failure(path, "No such file or directory");
  }
  if (auto fault = read_faults_.find(path); fault != read_faults_.end()) {
    return Failure(path, fault->second);
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

Status FakeFileSystem::WriteCommon(const std::string& path, std::string_view contents,
                                   bool atomic) {
  Record(atomic ? Op::WriteAtomic : Op::Write, path);
  if (auto reason = RefusalReason(path)) return Failure(path, *reason);
  if (!atomic) {
    // Opening for writing truncates: the old bytes no longer take room on the disk.
    files_.erase(path);
  }
  if (auto short_write = ShortWrite(path, contents.size())) {
    // A plain write leaves what reached the disk; an atomic one drops its temporary
    // file and leaves the previous file as it was.
    if (!atomic) files_[path] = std::string(contents.substr(0, short_write->keep_bytes));
    return Failure(path, short_write->reason);
  }
  files_[path] = std::string(contents);
  return Status::Ok();
}

Status FakeFileSystem::WriteFile(const std::string& path, std::string_view contents) {
  return WriteCommon(path, contents, /*atomic=*/false);
}

Status FakeFileSystem::WriteFileAtomic(const std::string& path, std::string_view contents) {
  return WriteCommon(path, contents, /*atomic=*/true);
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

bool FakeFileSystem::CanOpenForWriting(const std::string& path) {
  Record(Op::CanOpenForWriting, path);
  return RefusalReason(path) == std::nullopt && files_.count(path) != 0;
}

}  // namespace kestrio
