// RealFileSystem on Windows: wide-character Win32 calls on paths given as UTF-8, so that a
// roster named in any script opens whatever the machine's ANSI code page; MoveFileExW for
// the replacing write, LockFileEx for the folder lock.

#ifdef _WIN32

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <utility>

#include "base/file_system.h"
#include "base/windows_text.h"

namespace kestrio {
namespace {

constexpr std::string_view kTemporaryMark = ".kestrio-tmp-";
constexpr int kTemporarySuffixLength = 6;
constexpr std::string_view kLockFileName = ".kestrio-lock";

// A Win32 handle closed when it goes out of scope.
class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() { Close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return h_; }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE release() { return std::exchange(h_, INVALID_HANDLE_VALUE); }
  bool Close() {
    if (!valid()) return true;
    return ::CloseHandle(std::exchange(h_, INVALID_HANDLE_VALUE)) != 0;
  }

 private:
  HANDLE h_;
};

// The reason for a failed call, worded as on the other platforms where Windows has the
// same failure, so that an organiser's messages read alike on every machine.
std::string ReasonText(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
      return "No such file or directory";
    case ERROR_ACCESS_DENIED:
      return "Permission denied";
    case ERROR_WRITE_PROTECT:
      return "Read-only file system";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return "No space left on device";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return "the file is open in another program";
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_NO_UNICODE_TRANSLATION:
      return "not a name Windows can use for a file";
    default:
      break;
  }
  char text[48];
  std::snprintf(text, sizeof text, "Windows error %lu", static_cast<unsigned long>(error));
  return text;
}

Status WindowsError(const std::string& path, DWORD error) {
  std::string message = path + ": " + ReasonText(error);
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
      return Status::NotFound(std::move(message));
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return Status::HeldOpen(std::move(message));
    default:
      return Status::IoError(std::move(message));
  }
}

Status LastError(const std::string& path) { return WindowsError(path, ::GetLastError()); }

std::string SizeText(std::size_t bytes) {
  if (bytes % (std::size_t{1} << 20) == 0) return std::to_string(bytes >> 20) + " MB";
  if (bytes % 1024 == 0) return std::to_string(bytes / 1024) + " KB";
  return std::to_string(bytes) + " bytes";
}

Status NotAFile(const std::string& path, std::string_view what_not_done) {
  return Status::IoError(path + ": not a regular file (a device or a pipe); it was " +
                         std::string(what_not_done));
}

// Windows takes both slashes as separators.
std::size_t LastSeparator(const std::string& path) { return path.find_last_of("/\\"); }

std::string FolderOf(const std::string& path) {
  const std::size_t slash = LastSeparator(path);
  if (slash == std::string::npos) return ".";
  if (slash == 0 || (slash == 2 && path[1] == ':')) return path.substr(0, slash + 1);
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = LastSeparator(path);
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Attributes of what stands at the path, INVALID_FILE_ATTRIBUTES for nothing there.
DWORD AttributesOf(const std::string& path) {
  std::wstring wide;
  if (!WideFromUtf8(path, &wide)) return INVALID_FILE_ATTRIBUTES;
  return ::GetFileAttributesW(wide.c_str());
}

HANDLE Open(const std::string& path, DWORD access, DWORD share, DWORD disposition,
            DWORD flags = FILE_ATTRIBUTE_NORMAL) {
  std::wstring wide;
  if (!WideFromUtf8(path, &wide)) {
    ::SetLastError(ERROR_NO_UNICODE_TRANSLATION);
    return INVALID_HANDLE_VALUE;
  }
  return ::CreateFileW(wide.c_str(), access, share, nullptr, disposition, flags, nullptr);
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A device (CON, NUL, a COM port) or a pipe rather than a file on a disk.
bool IsDevice(const std::string& path) {
  Handle h(Open(path, FILE_READ_ATTRIBUTES, kShareAll, OPEN_EXISTING));
  return h.valid() && ::GetFileType(h.get()) != FILE_TYPE_DISK;
}

Status WriteAll(HANDLE h, std::string_view contents, const std::string& path) {
  while (!contents.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(contents.size(), 1 << 24));
    DWORD written = 0;
    if (!::WriteFile(h, contents.data(), chunk, &written, nullptr)) return LastError(path);
    if (written == 0) return WindowsError(path, ERROR_WRITE_FAULT);
    contents.remove_prefix(written);
  }
  return Status::Ok();
}

// Temporary files of target that a killed run left behind: "<name>.kestrio-tmp-XXXXXX",
// plain files only. The caller holds the folder's lock, so no live run owns them.
void RemoveStrayTemporaries(const std::string& target) {
  const std::string folder = FolderOf(target);
  const std::string prefix = NameOf(target) + std::string(kTemporaryMark);
  std::wstring pattern;
  if (!WideFromUtf8(folder + "/" + prefix + "*", &pattern)) return;
  WIN32_FIND_DATAW found;
  const HANDLE search = ::FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    std::string name;
    if (!Utf8FromWide(found.cFileName, &name)) continue;
    constexpr DWORD kNotPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    if ((found.dwFileAttributes & kNotPlain) != 0 || !name.starts_with(prefix) ||
        name.size() != prefix.size() + kTemporarySuffixLength) {
      continue;
    }
    std::wstring stray;
    if (WideFromUtf8(folder + "/" + name, &stray)) ::DeleteFileW(stray.c_str());
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
}

// The file a symbolic link at path points to, so that a save through a link replaces
// that file and the link stays a link (links are rare on Windows, but allowed).
std::string FollowLinks(const std::string& path) {
  std::string current = path;
  for (int depth = 0; depth < 40; ++depth) {
    const DWORD attributes = AttributesOf(current);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
      return current;
    }
    Handle h(
        Open(current, FILE_READ_ATTRIBUTES, kShareAll, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS));
    if (!h.valid()) return current;
    std::wstring final_path(MAX_PATH, L'\0');
    DWORD n = ::GetFinalPathNameByHandleW(h.get(), final_path.data(),
                                          static_cast<DWORD>(final_path.size()), 0);
    if (n >= final_path.size()) {
      final_path.resize(n + 1);
      n = ::GetFinalPathNameByHandleW(h.get(), final_path.data(),
                                      static_cast<DWORD>(final_path.size()), 0);
    }
    if (n == 0 || n >= final_path.size()) return current;
    final_path.resize(n);
    std::string next;
    if (!Utf8FromWide(final_path, &next) || next == current) return current;
    current = std::move(next);
  }
  return current;
}

}  // namespace

struct RealFileSystem::State {
  struct HeldLock {
    HANDLE file = INVALID_HANDLE_VALUE;
    int count = 0;
  };
  std::map<std::string, HeldLock> locks;  // by the lock file's volume and file index
  std::mt19937_64 names{std::random_device{}()};

  // Creates a new temporary file beside target, exclusively.
  HANDLE CreateTemporary(const std::string& target, std::string* temp) {
    static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::string name = target + std::string(kTemporaryMark);
      for (int i = 0; i < kTemporarySuffixLength; ++i) name += kChars[names() % 36];
      const HANDLE h = Open(name, GENERIC_WRITE, 0, CREATE_NEW);
      if (h != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) {
        *temp = std::move(name);
        return h;
      }
    }
    ::SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
  }
};

RealFileSystem::RealFileSystem() : state_(std::make_unique<State>()) {}

RealFileSystem::~RealFileSystem() {
  for (auto& [key, held] : state_->locks) ::CloseHandle(held.file);
}

Status RealFileSystem::ReadFile(const std::string& path, std::size_t max_bytes,
                                std::string* contents) {
  const DWORD attributes = AttributesOf(path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return Status::IoError(path + ": Is a directory");
  }
  Handle h(Open(path, GENERIC_READ, kShareAll, OPEN_EXISTING));
  if (!h.valid()) return LastError(path);
  if (::GetFileType(h.get()) != FILE_TYPE_DISK) return NotAFile(path, "not read");
  const Status too_large = Status::IoError(path + ": the file is larger than " +
                                           SizeText(max_bytes) + "; it was not read");
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(h.get(), &size)) return LastError(path);
  if (static_cast<unsigned long long>(size.QuadPart) > max_bytes) return too_large;
  std::string data(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t used = 0;
  for (;;) {
    // A file that grows while it is read is read up to one byte past the limit.
    if (used == data.size()) {
      if (data.size() > max_bytes) return too_large;
      data.resize(std::min(max_bytes + 1, data.size() + (std::size_t{1} << 16)));
    }
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(data.size() - used, 1 << 24));
    DWORD got = 0;
    if (!::ReadFile(h.get(), data.data() + used, want, &got, nullptr)) return LastError(path);
    if (got == 0) break;
    used += got;
  }
  if (used > max_bytes) return too_large;
  data.resize(used);
  *contents = std::move(data);
  return Status::Ok();
}

Status RealFileSystem::WriteFileAtomicInPieces(
    const std::string& path, const std::function<void(const TextPieces&)>& produce, Links links) {
  if (const std::string_view why = WindowsNameProblem(NameOf(path)); !why.empty()) {
    return Status::IoError(path + ": " + std::string(why) + "; it was not written");
  }
  const std::string target = links == Links::kFollow ? FollowLinks(path) : path;
  const DWORD old = AttributesOf(target);
  const bool replacing = old != INVALID_FILE_ATTRIBUTES;
  if (replacing && (old & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return Status::IoError(path + ": Is a directory");
  }
  if (replacing && IsDevice(target)) return NotAFile(path, "not replaced");
  // Windows will not replace a read-only file; saying so beats "Permission denied".
  if (replacing && (old & FILE_ATTRIBUTE_READONLY) != 0) {
    return Status::IoError(path + ": the file is read-only; it was not replaced");
  }
  FolderLock lock;
  if (Status s = LockFolder(target, LockWait::kNo, &lock); !s.ok()) return s;
  RemoveStrayTemporaries(target);

  std::string temp;
  Handle h(state_->CreateTemporary(target, &temp));
  if (!h.valid()) return LastError(path);
  std::wstring wide_temp, wide_target;
  WideFromUtf8(temp, &wide_temp);
  WideFromUtf8(target, &wide_target);
  Status written = Status::Ok();
  // After a failed write the rest of the text is still produced, and dropped.
  try {
    produce([&](std::string_view piece) {
      if (written.ok()) written = WriteAll(h.get(), piece, path);
    });
  } catch (...) {  // out of memory while making the text: no temporary file stays
    h.Close();
    ::DeleteFileW(wide_temp.c_str());
    throw;
  }
  if (written.ok() && !::FlushFileBuffers(h.get())) written = LastError(path);
  if (!h.Close() && written.ok()) written = LastError(path);
  if (written.ok() && replacing) {
    // The replaced file's hidden and system marks stay on the file.
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if ((old & kKept) != 0) ::SetFileAttributesW(wide_temp.c_str(), old & kKept);
  }
  if (written.ok() && !::MoveFileExW(wide_temp.c_str(), wide_target.c_str(),
                                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = ::GetLastError();
    // A program holding the file without letting others delete it makes the rename fail
    // with "access denied", though the folder is writable: it is the file that is held.
    written = error == ERROR_ACCESS_DENIED && replacing && !CanOpenForWriting(target).ok()
                  ? WindowsError(path, ERROR_SHARING_VIOLATION)
                  : WindowsError(path, error);
  }
  if (!written.ok()) ::DeleteFileW(wide_temp.c_str());
  return written;
}

bool RealFileSystem::Exists(const std::string& path) {
  return AttributesOf(path) != INVALID_FILE_ATTRIBUTES;
}

bool RealFileSystem::IsRegularFile(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
         !IsDevice(path);
}

Status RealFileSystem::Remove(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return Status::Ok();
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return Status::IoError(path + ": Is a directory");
  }
  std::wstring wide;
  WideFromUtf8(path, &wide);
  if (::DeleteFileW(wide.c_str())) return Status::Ok();
  const DWORD error = ::GetLastError();
  if (error == ERROR_FILE_NOT_FOUND) return Status::Ok();
  return WindowsError(path, error);
}

Status RealFileSystem::CanOpenForWriting(const std::string& path) {
  // Opened for writing without truncating, and for deleting, which replacing the file
  // needs: a mail merge holding the bout sheets denies one or the other.
  Handle h(Open(path, GENERIC_WRITE | DELETE, kShareAll, OPEN_EXISTING));
  if (h.valid()) return Status::Ok();
  return LastError(path);
}

std::string RealFileSystem::FileNameKey(const std::string& name) const {
  // Windows compares names in capitals, by its own table rather than a language's rules;
  // the invariant locale's upper case is that table for every letter a club name holds.
  std::wstring wide;
  if (!WideFromUtf8(name, &wide) || wide.empty()) return name;
  std::wstring upper(wide.size(), L'\0');
  const int n = ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide.data(),
                                static_cast<int>(wide.size()), upper.data(),
                                static_cast<int>(upper.size()), nullptr, nullptr, 0);
  std::string key;
  if (n <= 0 || !Utf8FromWide(std::wstring_view(upper.data(), static_cast<std::size_t>(n)), &key)) {
    return name;
  }
  return key;
}

Status RealFileSystem::AcquireFolderLock(const std::string& path, LockWait wait, std::string* key) {
  const DWORD attributes = AttributesOf(path);
  const std::string folder =
      attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0
          ? path
          : FolderOf(path);
  // A folder that does not exist holds nothing to protect; the write then fails there.
  if (AttributesOf(folder) == INVALID_FILE_ATTRIBUTES) return Status::Ok();
  const std::string lock_path = folder + "/" + std::string(kLockFileName);
  Handle file(
      Open(lock_path, GENERIC_READ | GENERIC_WRITE, kShareAll, OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN));
  if (!file.valid()) {
    // A read-only folder: nothing can be written there, by this run or another.
    const DWORD error = ::GetLastError();
    if (error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT) return Status::Ok();
    return WindowsError(lock_path, error);
  }
  BY_HANDLE_FILE_INFORMATION info;
  if (!::GetFileInformationByHandle(file.get(), &info)) return LastError(lock_path);
  const std::string id = std::to_string(info.dwVolumeSerialNumber) + ":" +
                         std::to_string(info.nFileIndexHigh) + ":" +
                         std::to_string(info.nFileIndexLow);
  if (auto held = state_->locks.find(id); held != state_->locks.end()) {
    ++held->second.count;
    *key = id;
    return Status::Ok();
  }
  OVERLAPPED whole_file = {};
  const DWORD flags =
      LOCKFILE_EXCLUSIVE_LOCK | (wait == LockWait::kYes ? 0 : LOCKFILE_FAIL_IMMEDIATELY);
  if (!::LockFileEx(file.get(), flags, 0, 1, 0, &whole_file)) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING) {
      return Status::FolderBusy(std::string(kFolderBusyText));
    }
    return Status::Ok();  // a file system without locks (some network disks)
  }
  state_->locks[id] = State::HeldLock{file.release(), 1};
  *key = id;
  return Status::Ok();
}

void RealFileSystem::ReleaseFolderLock(const std::string& key) {
  const auto held = state_->locks.find(key);
  if (held == state_->locks.end()) return;
  if (--held->second.count > 0) return;
  ::CloseHandle(held->second.file);  // closing the handle lets the lock go
  state_->locks.erase(held);
}

}  // namespace kestrio

#endif  // _WIN32
