#include "app/batch_board.h"

#include <ostream>
#include <string>

#include "board/board_day.h"
#include "board/board_edits.h"
#include "board/board_file.h"
#include "board/board_reports.h"
#include "roster/roster_reader.h"
#include "roster/roster_writer.h"

namespace kestrio::app {
namespace {

using board::BoutBoard;

class ErrSkippedLines : public roster::SkippedLineReporter {
 public:
  explicit ErrSkippedLines(std::ostream& err) : err_(err) {}
  void SkippedLine(std::string_view caption, std::string_view line) override {
    err_ << caption << ": " << line << '\n';
  }

 private:
  std::ostream& err_;
};

// The board to change: this run's, or the one in the folder checked against the roster
// (loaded from the file the board names when none was given).
Status LoadBoard(FileSystem& fs, roster::Roster& roster, bool roster_given, BoutBoard* board,
                 std::string* roster_file, std::ostream& err) {
  if (Status s = board::LoadBoardFile(fs, board, roster_file); !s.ok()) {
    if (s.IsNotFound()) {
      return Status::NotFound("there is no bout board here (" + std::string(board::kBoardFileName) +
                              "): run the pairing first");
    }
    return s;
  }
  if (!roster_given) {
    if (roster_file->empty()) {
      return Status::Refused("the bout board names no roster data file: give the roster file");
    }
    ErrSkippedLines reporter(err);
    const roster::OpenResult opened = roster::OpenRosterFile(fs, *roster_file, roster, reporter);
    if (!opened.status.ok()) return opened.status;
  }
  return board::MatchRoster(*board, roster);
}

// One step; *said receives what it did.
Status ApplyStep(const BoardStep& step, BoutBoard& b, roster::Roster& roster, bool* scratched,
                 std::string* said) {
  using Kind = BoardStep::Kind;
  switch (step.kind) {
    case Kind::kScratch: {
      int place = -1;
      if (Status s = board::FindWrestlerByName(b, step.first, &place); !s.ok()) return s;
      board::ScratchOutcome done;
      if (Status s = board::ScratchOnDay(b, roster, place, nullptr, &done); !s.ok()) return s;
      *scratched = true;
      *said = "Scratched " + done.wrestler + ": " + board::CountBouts(done.bouts_removed) +
              " removed, " + board::CountBouts(done.bouts_added) + " added";
      return Status::Ok();
    }
    case Kind::kRemoveBout: {
      const int at = board::FindBout(b, step.number);
      const std::int32_t number =
          at < 0 ? step.number : b.Bouts[static_cast<std::size_t>(at)].Number;
      if (Status s = board::RemoveBout(b, step.number, nullptr); !s.ok()) return s;
      *said = "Removed bout " + std::to_string(number);
      return Status::Ok();
    }
    case Kind::kAddBout: {
      int a = -1, c = -1;
      if (Status s = board::FindWrestlerByName(b, step.first, &a); !s.ok()) return s;
      if (Status s = board::FindWrestlerByName(b, step.second, &c); !s.ok()) return s;
      std::int32_t number = 0;
      if (Status s = board::AddBoutByHand(b, a, c, nullptr, &number); !s.ok()) return s;
      const board::Bout& bout = b.Bouts.back();
      *said = "Added bout " + std::to_string(number) + " in round " + std::to_string(bout.Round) +
              ": " + board::DescribeWrestler(b.Wrestlers[static_cast<std::size_t>(a)].Key) + " - " +
              board::DescribeWrestler(b.Wrestlers[static_cast<std::size_t>(c)].Key);
      return Status::Ok();
    }
    case Kind::kPairLate: {
      int added = 0, bouts = 0;
      if (Status s = board::PairLateOnDay(b, roster, nullptr, &added, &bouts); !s.ok()) return s;
      *said = "Late arrivals paired: " + std::to_string(added) + ", " + board::CountBouts(bouts) +
              " added";
      return Status::Ok();
    }
    case Kind::kRenumber:
      board::RenumberBouts(b, nullptr);
      *said = "Bouts renumbered 1 to " + std::to_string(b.HighestNumber);
      return Status::Ok();
  }
  return Status::Ok();
}

// The board's file and every report, after a step.
Status WriteDay(FileSystem& fs, const BoutBoard& b, const std::string& roster_file) {
  if (Status s = board::SaveBoardFile(fs, b, roster_file); !s.ok()) return s;
  return board::WriteBoardReports(fs, b).status;
}

}  // namespace

std::string BoardRosterFile(const BatchOptions& options) {
  if (options.save_path) return *options.save_path;
  return options.roster_files.size() == 1 ? options.roster_files.front() : std::string();
}

bool RunBoardSteps(const BatchOptions& options, FileSystem& fs, roster::Roster& roster,
                   bool roster_given, std::optional<BoutBoard> from_run, std::ostream& out,
                   std::ostream& err, BoutBoard* after) {
  BoutBoard b;
  std::string roster_file = BoardRosterFile(options);
  if (from_run) {
    b = std::move(*from_run);
  } else if (Status s = LoadBoard(fs, roster, roster_given, &b, &roster_file, err); !s.ok()) {
    err << "kestrio-batch: " << s.message() << '\n';
    return false;
  }
  bool scratched = false;
  for (const BoardStep& step : options.board_steps) {
    std::string said;
    Status s = ApplyStep(step, b, roster, &scratched, &said);
    if (s.ok()) s = WriteDay(fs, b, roster_file);
    if (!s.ok()) {
      err << "kestrio-batch: " << s.message() << '\n';
      return false;
    }
    out << said << '\n';
  }
  if (after != nullptr) *after = b;
  if (!scratched) return true;
  // The roster keeps who was scratched, so that no later run or late-arrival step pairs him.
  const std::string save_to = options.save_path ? *options.save_path
                              : roster_given    ? std::string()
                                                : roster_file;
  if (save_to.empty()) {
    err << "kestrio-batch: warning: the Scratched status is not saved in a roster file; give "
           "--save FILE to keep it\n";
    return true;
  }
  if (Status s = roster::SaveRosterFile(fs, save_to, roster); !s.ok()) {
    err << "kestrio-batch: cannot save " << s.message() << '\n';
    return false;
  }
  return true;
}

}  // namespace kestrio::app
