#include "base/file_system.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

namespace kestrio {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// A missing file or folder is told apart from every other failure.
Status ErrnoError(const std::string& path, int error) {
  std::string message = path + ": " + std::strerror(error);
  if (error == ENOENT || error == ENOTDIR) return Status::NotFound(std::move(message));
  return Status::IoError(std::move(message));
}

Status ErrorCodeError(const std::string& path, const std::error_code& ec) {
  std::string message = path + ": " + ec.message();
  if (ec == std::errc::no_such_file_or_directory || ec == std::errc::not_a_directory) {
    return Status::NotFound(std::move(message));
  }
  return Status::IoError(std::move(message));
}

// Writes contents to a freshly opened file and closes it, reporting the first failure.
Status WriteAndClose(const std::string& path, std::string_view contents) {
  std::FILE* raw = std::fopen(path.c_str(), "wb");
  if (raw == nullptr) return ErrnoError(path, errno);
  const std::size_t written = std::fwrite(contents.data(), 1, contents.size(), raw);
  const int write_error = written == contents.size() ? 0 : (errno ? errno : EIO);
  const int flush_error = std::fflush(raw) == 0 ? 0 : (errno ? errno : EIO);
  const int close_error = std::fclose(raw) == 0 ? 0 : (errno ? errno : EIO);
  if (write_error) return ErrnoError(path, write_error);
  if (flush_error) return ErrnoError(path, flush_error);
  if (close_error) return ErrnoError(path, close_error);
  return Status::Ok();
}

}  // namespace

Status RealFileSystem::ReadFile(const std::string& path, std::string* contents) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return Status::IoError(path + ": Is a directory");
  File file(std::fopen(path.c_str(), "rb"));
  if (!file) return ErrnoError(path, errno);
  std::string data;
  char buffer[1 << 16];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) data.append(buffer, n);
  if (std::ferror(file.get())) return ErrnoError(path, errno ? errno : EIO);
  *contents = std::move(data);
  return Status::Ok();
}

Status RealFileSystem::WriteFile(const std::string& path, std::string_view contents) {
  return WriteAndClose(path, contents);
}

Status RealFileSystem::WriteFileAtomic(const std::string& path, std::string_view contents) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::is_directory(path, ec)) return Status::IoError(path + ": Is a directory");
  // The temporary file sits beside the target so that the rename stays on one disk.
  const std::string temp = path + ".kestrio-tmp";
  if (Status s = WriteAndClose(temp, contents); !s.ok()) {
    fs::remove(temp, ec);
    return s.WithMessage(path + ": " + s.message().substr(temp.size() + 2));
  }
  fs::rename(temp, path, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    return ErrorCodeError(path, ec);
  }
  return Status::Ok();
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
  std::error_code ec;
  std::filesystem::remove(path, ec);
  if (ec) return ErrorCodeError(path, ec);
  return Status::Ok();
}

bool RealFileSystem::CanOpenForWriting(const std::string& path) {
  // "r+b" opens for writing without truncating: the bout-sheet data must stay intact
  // when the word processor holds it.
  File file(std::fopen(path.c_str(), "r+b"));
  return file != nullptr;
}

}  // namespace kestrio
