#include "base/file_queue.h"

#include <system_error>
#include <utility>

namespace kestrio {
namespace {

// One piece being written and one waiting while the caller makes the next: a report's
// text is held three pieces at most.
constexpr int kMostPiecesWaiting = 2;

// Thrown on the queue's thread into the write of a file whose text will not come, so
// that the file system removes the temporary file as after any failure.
struct Abandoned {};

}  // namespace

FileQueue::FileQueue(FileSystem& fs) : fs_(fs) {}

FileQueue::~FileQueue() {
  if (thread_.joinable()) Stop();
}

bool FileQueue::Started() {
  if (thread_.joinable()) return true;
  if (no_thread_) return false;
  try {
    spare_.reserve(kMostPiecesWaiting + 1);
    stopping_ = false;  // a queue may be used again after Finish
    thread_ = std::thread(&FileQueue::Run, this);
    return true;
  } catch (const std::system_error&) {
    no_thread_ = true;  // the system has no thread to give: each file is written here
    return false;
  }
}

// The pieces of one file, handed to the queue.
class FileQueue::Taker : public TextTaker {
 public:
  Taker(FileQueue& queue, int file) : queue_(queue), file_(file) {}
  void Take(std::string& piece) override { queue_.HandPiece(file_, piece); }

 private:
  FileQueue& queue_;
  int file_;
};

void FileQueue::Write(const std::string& path, const std::function<void(TextTaker&)>& produce,
                      Links links) {
  if (!Started()) {
    // Written here, piece by piece: a piece is written as it is taken.
    struct Direct : TextTaker {
      const FileSystem::TextPieces* pieces;
      void Take(std::string& piece) override {
        (*pieces)(piece);
        piece.clear();
      }
    };
    statuses_.push_back(fs_.WriteFileAtomicInPieces(
        path,
        [&produce](const FileSystem::TextPieces& pieces) {
          Direct direct;
          direct.pieces = &pieces;
          produce(direct);
        },
        links));
    return;
  }
  const int file = files_queued_++;
  Hand({Step::Kind::kStart, file, path, links});
  try {
    Taker taker(*this, file);
    produce(taker);
    Hand({Step::Kind::kEnd, file, {}, {}});
  } catch (...) {
    Abandon(file);
    throw;
  }
}

void FileQueue::Write(const std::string& path, std::string contents, Links links) {
  Write(
      path, [&contents](TextTaker& taker) { taker.Take(contents); }, links);
}

std::vector<Status> FileQueue::Finish() {
  if (thread_.joinable()) Stop();
  if (thrown_) std::rethrow_exception(std::exchange(thrown_, nullptr));
  return std::exchange(statuses_, {});
}

void FileQueue::Hand(Step step) {
  {
    std::lock_guard lock(mutex_);
    steps_.push_back(std::move(step));
    if (steps_.back().kind == Step::Kind::kPiece) ++pieces_waiting_;
  }
  changed_.notify_all();
}

void FileQueue::HandPiece(int file, std::string& piece) {
  if (piece.empty()) return;
  std::string spare;
  {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return pieces_waiting_ < kMostPiecesWaiting; });
    if (!spare_.empty()) {
      spare = std::move(spare_.back());
      spare_.pop_back();
    }
  }
  // The piece's text goes as it stands, and a written piece's room comes back for the next.
  std::swap(piece, spare);
  Hand({Step::Kind::kPiece, file, std::move(spare), {}});
}

void FileQueue::Abandon(int file) {
  {
    std::lock_guard lock(mutex_);
    abandoned_ = file;
  }
  changed_.notify_all();
}

void FileQueue::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void FileQueue::Run() {
  for (;;) {
    const Step step = Next(-1);
    if (step.kind == Step::Kind::kStop) return;
    WriteOne(step);
  }
}

// The next step of the file numbered file, or between files (file < 0) the next file's
// start or the stop.
FileQueue::Step FileQueue::Next(int file) {
  std::unique_lock lock(mutex_);
  for (;;) {
    if (!steps_.empty()) {
      // Another file's step while this one is open: the caller gave this one up.
      if (file >= 0 && steps_.front().file != file) return {Step::Kind::kAbandon, file, {}, {}};
      Step step = std::move(steps_.front());
      steps_.pop_front();
      return step;
    }
    if (file >= 0 && (abandoned_ == file || stopping_)) return {Step::Kind::kAbandon, file, {}, {}};
    if (file < 0 && stopping_) return {Step::Kind::kStop, -1, {}, {}};
    changed_.wait(lock);
  }
}

void FileQueue::Recycle(std::string buffer) {
  {
    std::lock_guard lock(mutex_);
    --pieces_waiting_;
    buffer.clear();
    // Room was reserved for every buffer there can be.
    if (spare_.size() < spare_.capacity()) spare_.push_back(std::move(buffer));
  }
  changed_.notify_all();
}

void FileQueue::WriteOne(const Step& start) {
  bool taken = false;  // the file's end or abandonment was taken
  auto take_rest = [&] {
    while (!taken) {
      Step step = Next(start.file);
      if (step.kind == Step::Kind::kPiece) {
        Recycle(std::move(step.text));
      } else {
        taken = true;
      }
    }
  };
  if (thrown_) {
    // The file system ran out of memory on an earlier file; Finish says so, and no file
    // after it is written, as none would have been had they been written in turn.
    take_rest();
    return;
  }
  Status status = Status::Ok();
  try {
    status = fs_.WriteFileAtomicInPieces(
        start.text,
        [&](const FileSystem::TextPieces& pieces) {
          for (;;) {
            Step step = Next(start.file);
            if (step.kind != Step::Kind::kPiece) {
              taken = true;
              if (step.kind == Step::Kind::kAbandon) throw Abandoned{};
              return;
            }
            // The buffer goes back even when the write throws.
            struct GiveBack {
              FileQueue* queue;
              std::string* buffer;
              ~GiveBack() { queue->Recycle(std::move(*buffer)); }
            } give_back{this, &step.text};
            pieces(step.text);
          }
        },
        start.links);
  } catch (const Abandoned&) {
    status = Status::IoError(start.text + ": not written");
  } catch (...) {
    thrown_ = std::current_exception();
  }
  // A file the file system refused before taking its text: its pieces are dropped.
  take_rest();
  std::lock_guard lock(mutex_);
  statuses_.push_back(std::move(status));
}

}  // namespace kestrio
