#include "base/file_queue.h"

#include <gtest/gtest.h>

#include <map>
#include <new>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace kestrio {
namespace {

// Files in memory, written the way the disk writes them: a file appears only when its
// whole text came, and a failure keeps nothing. Paths can be made to refuse the write
// before any text, to fail after the first piece, or to run out of memory.
class MemoryDisk : public FileSystem {
 public:
  Status ReadFile(const std::string&, std::size_t, std::string*) override {
    return Status::IoError("not read here");
  }
  Status WriteFileAtomic(const std::string& path, std::string_view contents, Links) override {
    files[path] = std::string(contents);
    return Status::Ok();
  }
  Status WriteFileAtomicInPieces(const std::string& path,
                                 const std::function<void(const TextPieces&)>& produce,
                                 Links) override {
    order.push_back(path);
    if (refused.count(path) != 0) return Status::IoError(path + ": Permission denied");
    if (out_of_memory.count(path) != 0) throw std::bad_alloc();
    std::string text;
    int pieces = 0;
    produce([&](std::string_view piece) {
      text.append(piece);
      ++pieces;
    });
    if (full.count(path) != 0 && pieces > 1) {
      return Status::IoError(path + ": No space left on device");
    }
    files[path] = std::move(text);
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
  std::vector<std::string> order;
  std::set<std::string> refused;
  std::set<std::string> full;
  std::set<std::string> out_of_memory;

 protected:
  Status AcquireFolderLock(const std::string&, LockWait, std::string*) override {
    return Status::Ok();
  }
  void ReleaseFolderLock(const std::string&) override {}
};

// A report of many pieces: more than the queue lets wait, so that the caller waits on
// the writing thread.
std::string Lines(int n, char c) {
  std::string text;
  for (int i = 0; i < n; ++i) text.append(std::to_string(i)).append(1, c).append("\r\n");
  return text;
}

void WriteInPieces(FileQueue& queue, const std::string& path, const std::string& text) {
  queue.Write(
      path,
      [&text](TextTaker& taker) {
        for (std::size_t at = 0; at < text.size(); at += 1000) {
          std::string piece = text.substr(at, 1000);
          taker.Take(piece);
          EXPECT_TRUE(piece.empty());
        }
      },
      Links::kReplace);
}

TEST(FileQueueTest, WritesEveryFileWholeAndInOrder) {
  MemoryDisk disk;
  std::vector<std::string> texts;
  {
    FileQueue queue(disk);
    for (int f = 0; f < 30; ++f) {
      texts.push_back(Lines(f * 97, static_cast<char>('a' + f % 26)));
      WriteInPieces(queue, "report" + std::to_string(f), texts.back());
    }
    queue.Write("list", std::string("report0\r\n"), Links::kReplace);
    const std::vector<Status> statuses = queue.Finish();
    ASSERT_EQ(statuses.size(), 31u);
    for (const Status& s : statuses) EXPECT_TRUE(s.ok()) << s.message();
  }
  ASSERT_EQ(disk.order.size(), 31u);
  for (int f = 0; f < 30; ++f) {
    EXPECT_EQ(disk.order[static_cast<std::size_t>(f)], "report" + std::to_string(f));
    EXPECT_EQ(disk.files["report" + std::to_string(f)], texts[static_cast<std::size_t>(f)]);
  }
  EXPECT_EQ(disk.files["list"], "report0\r\n");
}

// A refused file, refused before or after its first piece, is named in its own status;
// its pieces are dropped without holding up the rest.
TEST(FileQueueTest, ARefusedFileHasItsStatusAndTheOthersAreWritten) {
  MemoryDisk disk;
  disk.refused.insert("b");
  disk.full.insert("c");
  FileQueue queue(disk);
  const std::string text = Lines(5000, 'x');
  for (const char* path : {"a", "b", "c", "d"}) WriteInPieces(queue, path, text);
  const std::vector<Status> statuses = queue.Finish();
  ASSERT_EQ(statuses.size(), 4u);
  EXPECT_TRUE(statuses[0].ok());
  EXPECT_EQ(statuses[1].message(), "b: Permission denied");
  EXPECT_EQ(statuses[2].message(), "c: No space left on device");
  EXPECT_TRUE(statuses[3].ok());
  EXPECT_EQ(disk.files.count("b") + disk.files.count("c"), 0u);
  EXPECT_EQ(disk.files["d"], text);
}

// A text that cannot be made leaves its file unwritten and reaches the caller; the files
// before it are written, and the queue goes on with the next.
TEST(FileQueueTest, ATextThatCannotBeMadeLeavesNoFile) {
  MemoryDisk disk;
  FileQueue queue(disk);
  const std::string text = Lines(3000, 'y');
  WriteInPieces(queue, "before", text);
  EXPECT_THROW(queue.Write(
                   "broken",
                   [&](TextTaker& taker) {
                     for (int i = 0; i < 5; ++i) {
                       std::string piece = text;
                       taker.Take(piece);
                     }
                     throw std::bad_alloc();
                   },
                   Links::kReplace),
               std::bad_alloc);
  WriteInPieces(queue, "after", text);
  const std::vector<Status> statuses = queue.Finish();
  ASSERT_EQ(statuses.size(), 3u);
  EXPECT_FALSE(statuses[1].ok());
  EXPECT_EQ(disk.files.count("broken"), 0u);
  EXPECT_EQ(disk.files["before"], text);
  EXPECT_EQ(disk.files["after"], text);
}

// The disk running out of memory on one file is thrown by Finish, as it would have been
// by that file's write, and no later file is written.
TEST(FileQueueTest, OutOfMemoryOnTheDiskIsThrownByFinish) {
  MemoryDisk disk;
  disk.out_of_memory.insert("b");
  FileQueue queue(disk);
  const std::string text = Lines(3000, 'z');
  for (const char* path : {"a", "b", "c"}) WriteInPieces(queue, path, text);
  EXPECT_THROW(queue.Finish(), std::bad_alloc);
  EXPECT_EQ(disk.files["a"], text);
  EXPECT_EQ(disk.files.count("c"), 0u);
}

// A caller leaving by an exception between files: the files it queued whole are
// written, as they would have been one by one.
TEST(FileQueueTest, FilesQueuedWholeAreWrittenWithoutFinish) {
  MemoryDisk disk;
  const std::string text = Lines(4000, 'w');
  try {
    FileQueue queue(disk);
    WriteInPieces(queue, "a", text);
    WriteInPieces(queue, "b", text);
    throw std::runtime_error("the caller gives up");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(disk.files["a"], text);
  EXPECT_EQ(disk.files["b"], text);
}

}  // namespace
}  // namespace kestrio
