// RealFileSystem on a POSIX system (Linux, the BSDs, macOS): open(2), flock(2), rename(2).

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "base/file_system.h"

namespace kestrio {
namespace {

constexpr std::string_view kTemporaryMark = ".kestrio-tmp-";
constexpr int kTemporarySuffixLength = 6;
constexpr std::string_view kLockFileName = ".kestrio-lock";

// A file descriptor closed when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  // Closes now, returning the error of the close (0 when it went well).
  int Close() {
    const int result = ::close(std::exchange(fd_, -1)) == 0 ? 0 : errno;
    return result;
  }

 private:
  int fd_;
};

// A missing file or folder is told apart from every other failure.
Status ErrnoError(const std::string& path, int error) {
  std::string message = path + ": " + std::strerror(error);
  if (error == ENOENT || error == ENOTDIR) return Status::NotFound(std::move(message));
  return Status::IoError(std::move(message));
}

std::string SizeText(std::size_t bytes) {
  if (bytes % (std::size_t{1} << 20) == 0) return std::to_string(bytes >> 20) + " MB";
  if (bytes % 1024 == 0) return std::to_string(bytes / 1024) + " KB";
  return std::to_string(bytes) + " bytes";
}

Status NotAFile(const std::string& path, mode_t mode, std::string_view what_not_done) {
  if (S_ISDIR(mode)) return Status::IoError(path + ": Is a directory");
  return Status::IoError(path + ": not a regular file (a device or a pipe); it was " +
                         std::string(what_not_done));
}

// The folder a path lies in, as a path to open ("." for a bare name).
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a chain of symbolic links ends at (which need not exist yet), so that a save
// replaces that file and the links stay links.
Status FollowLinks(const std::string& path, std::string* target) {
  std::string current = path;
  for (int depth = 0; depth < 40; ++depth) {
    struct stat st;
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      *target = current;
      return Status::Ok();
    }
    std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
    const ssize_t n = ::readlink(current.c_str(), link.data(), link.size());
    if (n < 0) return ErrnoError(path, errno);
    link.resize(static_cast<std::size_t>(n));
    current = link.starts_with('/') ? link : FolderOf(current) + "/" + link;
  }
  return ErrnoError(path, ELOOP);
}

Status WriteAll(int fd, std::string_view contents, const std::string& path) {
  while (!contents.empty()) {
    const ssize_t n = ::write(fd, contents.data(), contents.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return ErrnoError(path, n < 0 ? errno : EIO);
    contents.remove_prefix(static_cast<std::size_t>(n));
  }
  return Status::Ok();
}

}  // namespace

struct RealFileSystem::State {
  struct HeldLock {
    int fd = -1;
    int count = 0;
  };
  std::map<std::string, HeldLock> locks;  // by the folder's device and inode
  std::mt19937_64 names{std::random_device{}()};
  // The temporary files killed runs left in a folder, by the folder's path, listed once
  // while this process holds a lock: no other run can add any then, and this one renames
  // or removes its own. A run writing fifty reports reads the folder once, not fifty
  // times. Forgotten when the last lock goes.
  std::map<std::string, std::vector<std::string>> strays;

  // Removes the temporary files of target that a killed run left behind:
  // "<name>.kestrio-tmp-XXXXXX", regular files only. The caller holds the folder's
  // lock, so no live run owns them.
  void RemoveStrayTemporaries(const std::string& target) {
    const std::string folder = FolderOf(target);
    auto [listed, first] = strays.try_emplace(folder);
    if (first) listed->second = ListTemporaries(folder);
    const std::string prefix = NameOf(target) + std::string(kTemporaryMark);
    std::erase_if(listed->second, [&](const std::string& name) {
      if (!name.starts_with(prefix) || name.size() != prefix.size() + kTemporarySuffixLength) {
        return false;
      }
      const std::string stray = folder + "/" + name;
      struct stat st;
      if (::lstat(stray.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::unlink(stray.c_str());
      return true;
    });
  }

  // The names in folder that end as a temporary file's: the mark and the suffix.
  static std::vector<std::string> ListTemporaries(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return names;
    constexpr std::size_t kTail = kTemporaryMark.size() + kTemporarySuffixLength;
    while (const dirent* entry = ::readdir(dir)) {
      const std::string_view name = entry->d_name;
      if (name.size() > kTail &&
          name.substr(name.size() - kTail, kTemporaryMark.size()) == kTemporaryMark) {
        names.emplace_back(name);
      }
    }
    ::closedir(dir);
    return names;
  }

  // Creates a new temporary file beside target, exclusively and never through a link.
  int CreateTemporary(const std::string& target, std::string* temp) {
    static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::string name = target + std::string(kTemporaryMark);
      for (int i = 0; i < kTemporarySuffixLength; ++i) name += kChars[names() % 36];
      const int fd =
          ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
      if (fd >= 0 || errno != EEXIST) {
        *temp = std::move(name);
        return fd;
      }
    }
    errno = EEXIST;
    return -1;
  }
};

RealFileSystem::RealFileSystem() : state_(std::make_unique<State>()) {}

RealFileSystem::~RealFileSystem() {
  for (auto& [key, held] : state_->locks) ::close(held.fd);
}

Status RealFileSystem::ReadFile(const std::string& path, std::size_t max_bytes,
                                std::string* contents) {
  // Non-blocking, so that opening a pipe never waits for a writer; a regular file reads
  // as usual.
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (fd.get() < 0) return ErrnoError(path, errno);
  struct stat st;
  if (::fstat(fd.get(), &st) != 0) return ErrnoError(path, errno);
  if (!S_ISREG(st.st_mode)) return NotAFile(path, st.st_mode, "not read");
  const Status too_large = Status::IoError(path + ": the file is larger than " +
                                           SizeText(max_bytes) + "; it was not read");
  if (static_cast<std::size_t>(st.st_size) > max_bytes) return too_large;
  std::string data(static_cast<std::size_t>(st.st_size), '\0');
  std::size_t used = 0;
  for (;;) {
    // A file that grows while it is read is read up to one byte past the limit.
    if (used == data.size()) {
      if (data.size() > max_bytes) return too_large;
      data.resize(std::min(max_bytes + 1, data.size() + (std::size_t{1} << 16)));
    }
    const ssize_t n = ::read(fd.get(), data.data() + used, data.size() - used);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return ErrnoError(path, errno);
    if (n == 0) break;
    used += static_cast<std::size_t>(n);
  }
  if (used > max_bytes) return too_large;
  data.resize(used);
  *contents = std::move(data);
  return Status::Ok();
}

Status RealFileSystem::WriteFileAtomicInPieces(
    const std::string& path, const std::function<void(const TextPieces&)>& produce, Links links) {
  std::string target = path;
  if (links == Links::kFollow) {
    if (Status s = FollowLinks(path, &target); !s.ok()) return s;
  }
  struct stat old;
  const bool replacing = ::lstat(target.c_str(), &old) == 0;
  if (replacing && !S_ISREG(old.st_mode) && !S_ISLNK(old.st_mode)) {
    return NotAFile(path, old.st_mode, "not replaced");
  }
  FolderLock lock;
  if (Status s = LockFolder(target, LockWait::kNo, &lock); !s.ok()) return s;
  state_->RemoveStrayTemporaries(target);

  std::string temp;
  Descriptor fd(state_->CreateTemporary(target, &temp));
  if (fd.get() < 0) return ErrnoError(path, errno);
  Status written = Status::Ok();
  // After a failed write the rest of the text is still produced, and dropped.
  try {
    produce([&](std::string_view piece) {
      if (written.ok()) written = WriteAll(fd.get(), piece, path);
    });
  } catch (...) {  // out of memory while making the text: no temporary file stays
    fd.Close();
    ::unlink(temp.c_str());
    throw;
  }
  if (written.ok() && replacing && S_ISREG(old.st_mode)) {
    // Owner and group first: changing them may clear the set-id bits that the mode sets.
    // Only the owner's own process or an administrator may give a file away; a save by
    // anyone else keeps the owner as the saving user, like any editor.
    if (::fchown(fd.get(), old.st_uid, old.st_gid) != 0) {
      (void)::fchown(fd.get(), static_cast<uid_t>(-1), old.st_gid);
    }
    if (::fchmod(fd.get(), old.st_mode & 07777) != 0) written = ErrnoError(path, errno);
  }
  if (const int close_error = fd.Close(); written.ok() && close_error != 0) {
    written = ErrnoError(path, close_error);
  }
  if (written.ok() && ::rename(temp.c_str(), target.c_str()) != 0) {
    written = ErrnoError(path, errno);
  }
  if (!written.ok()) ::unlink(temp.c_str());
  return written;
}

bool RealFileSystem::Exists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(path, ec);
}

bool RealFileSystem::IsRegularFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

Status RealFileSystem::Remove(const std::string& path) {
  // unlink(2) removes a name, and a link itself; it never removes a folder.
  if (::unlink(path.c_str()) == 0 || errno == ENOENT) return Status::Ok();
  return ErrnoError(path, errno);
}

Status RealFileSystem::CanOpenForWriting(const std::string& path) {
  // Opened for writing without truncating: the bout-sheet data must stay intact when the
  // word processor holds it. Non-blocking, so that a pipe never waits for a reader.
  Descriptor fd(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (fd.get() >= 0) return Status::Ok();
  if (errno == ETXTBSY || errno == EBUSY) {
    return Status::HeldOpen(path + ": " + std::strerror(errno));
  }
  return ErrnoError(path, errno);
}

std::string RealFileSystem::FileNameKey(const std::string& name) const { return name; }

Status RealFileSystem::AcquireFolderLock(const std::string& path, LockWait wait, std::string* key) {
  struct stat st;
  const std::string folder =
      ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? path : FolderOf(path);
  // A folder that does not exist holds nothing to protect; the write then fails there.
  if (::stat(folder.c_str(), &st) != 0) return Status::Ok();
  const std::string id = std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
  if (auto held = state_->locks.find(id); held != state_->locks.end()) {
    ++held->second.count;
    *key = id;
    return Status::Ok();
  }
  const std::string lock_path = folder + "/" + std::string(kLockFileName);
  const int fd = ::open(lock_path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) {
    // A read-only folder: nothing can be written there, by this run or another.
    if (errno == EROFS || errno == EACCES || errno == EPERM) return Status::Ok();
    return ErrnoError(lock_path, errno);
  }
  int result;
  do {
    result = ::flock(fd, LOCK_EX | (wait == LockWait::kYes ? 0 : LOCK_NB));
  } while (result != 0 && errno == EINTR);
  if (result != 0) {
    const int error = errno;
    ::close(fd);
    if (error == EWOULDBLOCK) return Status::FolderBusy(std::string(kFolderBusyText));
    return Status::Ok();  // a file system without locks (some network disks)
  }
  state_->locks[id] = State::HeldLock{fd, 1};
  *key = id;
  return Status::Ok();
}

void RealFileSystem::ReleaseFolderLock(const std::string& key) {
  const auto held = state_->locks.find(key);
  if (held == state_->locks.end()) return;
  if (--held->second.count > 0) return;
  ::close(held->second.fd);  // closing the descriptor lets the lock go
  state_->locks.erase(held);
  // Another run may take the folder now, and be killed in it.
  state_->strays.clear();
}

}  // namespace kestrio
