#pragma once

// A small tmpfs mounted in a scratch folder where the machine lets a test mount one (root
// on Linux), for a full or a read-only disk. Linux only.

#include <sys/mount.h>

#include <filesystem>
#include <string>

namespace kestrio::testing {

// A tmpfs of `bytes` mounted at path for the object's lifetime; mounted() is false where
// the machine does not let the test mount one.
class SmallDisk {
 public:
  SmallDisk(const std::string& path, std::size_t bytes) : path_(path) {
    std::filesystem::create_directories(path);
    const std::string options = "size=" + std::to_string(bytes);
    mounted_ = ::mount("tmpfs", path.c_str(), "tmpfs", 0, options.c_str()) == 0;
  }
  ~SmallDisk() {
    if (mounted_) ::umount2(path_.c_str(), MNT_DETACH);
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool mounted() const { return mounted_; }
  // Makes the disk read-only from now on.
  bool MakeReadOnly() {
    return ::mount("tmpfs", path_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  }

 private:
  std::string path_;
  bool mounted_ = false;
};

}  // namespace kestrio::testing
