#pragma once

// Files written one after another on a second thread while the caller makes the next
// one's text. A run writes some fifty reports: the disk's share of each (creating the
// temporary file, copying the text into the system's cache, renaming it into place) then
// overlaps the making of the text instead of following it, on a machine with a second
// core. Nothing changes in what is written or in what each write reports: every file
// goes through FileSystem::WriteFileAtomicInPieces, in the order queued, and Finish
// returns each one's status in that order.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "base/file_system.h"

namespace kestrio {

class FileQueue {
 public:
  // fs is used on the queue's thread from the first Write to Finish: in between, the
  // caller uses it for nothing but FileNameKey.
  explicit FileQueue(FileSystem& fs);
  // Without Finish (the caller is leaving by an exception): the files queued whole are
  // still written, as they would have been one by one, and their statuses dropped.
  ~FileQueue();
  FileQueue(const FileQueue&) = delete;
  FileQueue& operator=(const FileQueue&) = delete;

  // Queues the file. produce runs now, on the caller's thread; the pieces it hands over
  // are written on the queue's thread. Taking a piece waits while two wait to be
  // written, so that a long report is never held whole. An exception from produce
  // leaves the file unwritten and goes on to the caller.
  void Write(const std::string& path, const std::function<void(TextTaker&)>& produce, Links links);
  // The same for a text already made.
  void Write(const std::string& path, std::string contents, Links links);

  // Waits until every queued file is written or refused, and returns their statuses in
  // the order queued. An exception the file system threw (out of memory) is thrown here;
  // the files queued after it are not written.
  std::vector<Status> Finish();

 private:
  // What the caller hands the queue's thread, in order: a file's start, its pieces and
  // its end. A file whose text could not be made is abandoned instead, by a flag, since
  // the caller is then short of memory; so is the stop.
  struct Step {
    enum class Kind { kStart, kPiece, kEnd, kAbandon, kStop };
    Kind kind;
    int file = -1;     // the file's number in the queue
    std::string text;  // the path at a start, the text of a piece
    Links links = Links::kReplace;
  };

  // The caller's side.
  class Taker;
  bool Started();
  void Hand(Step step);
  void HandPiece(int file, std::string& piece);
  void Abandon(int file);
  void Stop();

  // The queue's thread.
  void Run();
  Step Next(int file);
  void Recycle(std::string buffer);
  void WriteOne(const Step& start);

  FileSystem& fs_;
  int files_queued_ = 0;
  bool no_thread_ = false;  // none could be started: the files are written by the caller

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Step> steps_;
  int pieces_waiting_ = 0;          // handed over and not yet written
  std::vector<std::string> spare_;  // written pieces' buffers, for the next pieces
  int abandoned_ = -1;              // the file whose text will not come
  bool stopping_ = false;
  std::vector<Status> statuses_;
  std::exception_ptr thrown_;
  std::thread thread_;
};

}  // namespace kestrio
