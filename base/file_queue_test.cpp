#include "base/file_queue.h"

#include <gtest/gtest.h>

#include <new>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/fake_file_system.h"

namespace kestrio {
namespace {

// The fake disk takes a file's whole text before it refuses it; this one refuses some
// files before any text comes, as the real disk does when no temporary file can be made.
class RefusingDisk : public FakeFileSystem {
 public:
  Status WriteFileAtomicInPieces(const std::string& path,
                                 const std::function<void(const TextPieces&)>& produce,
                                 Links links) override {
    if (refused.count(path) != 0) return Status::IoError(path + ": Permission denied");
    return FakeFileSystem::WriteFileAtomicInPieces(path, produce, links);
  }
  std::set<std::string> refused;
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
  FakeFileSystem disk;
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
  const std::vector<std::string> order = disk.WrittenPaths();
  ASSERT_EQ(order.size(), 31u);
  for (int f = 0; f < 30; ++f) {
    EXPECT_EQ(order[static_cast<std::size_t>(f)], "report" + std::to_string(f));
    EXPECT_EQ(disk.Contents("report" + std::to_string(f)), texts[static_cast<std::size_t>(f)]);
  }
  EXPECT_EQ(disk.Contents("list"), "report0\r\n");
}

// A refused file, refused before or after its first piece, is named in its own status;
// its pieces are dropped without holding up the rest.
TEST(FileQueueTest, ARefusedFileHasItsStatusAndTheOthersAreWritten) {
  RefusingDisk disk;
  disk.refused.insert("b");
  disk.FailWritesAfter("c", 100, "No space left on device");
  FileQueue queue(disk);
  const std::string text = Lines(5000, 'x');
  for (const char* path : {"a", "b", "c", "d"}) WriteInPieces(queue, path, text);
  const std::vector<Status> statuses = queue.Finish();
  ASSERT_EQ(statuses.size(), 4u);
  EXPECT_TRUE(statuses[0].ok());
  EXPECT_EQ(statuses[1].message(), "b: Permission denied");
  EXPECT_EQ(statuses[2].message(), "c: No space left on device");
  EXPECT_TRUE(statuses[3].ok());
  EXPECT_FALSE(disk.HasFile("b") || disk.HasFile("c"));
  EXPECT_EQ(disk.Contents("d"), text);
}

// A text that cannot be made leaves its file unwritten and reaches the caller; the files
// before it are written, and the queue goes on with the next.
TEST(FileQueueTest, ATextThatCannotBeMadeLeavesNoFile) {
  FakeFileSystem disk;
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
  // A queue goes on after Finish, as after a queue of its own.
  WriteInPieces(queue, "later", text);
  EXPECT_TRUE(queue.Finish().at(0).ok());
  EXPECT_EQ(disk.Contents("later"), text);
  ASSERT_EQ(statuses.size(), 3u);
  EXPECT_FALSE(statuses[1].ok());
  EXPECT_FALSE(disk.HasFile("broken"));
  EXPECT_EQ(disk.Contents("before"), text);
  EXPECT_EQ(disk.Contents("after"), text);
}

// The disk running out of memory on one file is thrown by Finish, as it would have been
// by that file's write, and no later file is written.
TEST(FileQueueTest, OutOfMemoryOnTheDiskIsThrownByFinish) {
  FakeFileSystem disk;
  disk.before_call = [](FakeFileSystem&, FakeFileSystem::Op op, const std::string& path) {
    if (op == FakeFileSystem::Op::WriteAtomic && path == "b") throw std::bad_alloc();
  };
  FileQueue queue(disk);
  const std::string text = Lines(3000, 'z');
  for (const char* path : {"a", "b", "c"}) WriteInPieces(queue, path, text);
  EXPECT_THROW(queue.Finish(), std::bad_alloc);
  EXPECT_EQ(disk.Contents("a"), text);
  EXPECT_FALSE(disk.HasFile("c"));
}

// A caller leaving by an exception between files: the files it queued whole are
// written, as they would have been one by one.
TEST(FileQueueTest, FilesQueuedWholeAreWrittenWithoutFinish) {
  FakeFileSystem disk;
  const std::string text = Lines(4000, 'w');
  try {
    FileQueue queue(disk);
    WriteInPieces(queue, "a", text);
    WriteInPieces(queue, "b", text);
    throw std::runtime_error("the caller gives up");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(disk.Contents("a"), text);
  EXPECT_EQ(disk.Contents("b"), text);
}

}  // namespace
}  // namespace kestrio
