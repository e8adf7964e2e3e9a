#include "board/board_file.h"

#include <charconv>
#include <cstdlib>
#include <map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "pairing/pairing_run.h"

namespace kestrio::board {
namespace {

// No real day comes near these; a file beyond them is not a board Kestrio wrote.
constexpr std::int64_t kMostRounds = 100000;
constexpr std::int64_t kMostNumber = 1000000000;

bool Unescape(std::string_view s, std::string* out) {
  out->clear();
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\') {
      *out += s[i];
      continue;
    }
    if (++i == s.size()) return false;
    switch (s[i]) {
      case '\\':
        *out += '\\';
        break;
      case 't':
        *out += '\t';
        break;
      case 'r':
        *out += '\r';
        break;
      case 'n':
        *out += '\n';
        break;
      default:
        return false;
    }
  }
  return true;
}

template <typename Number>
bool Read(std::string_view s, Number* v) {
  if (s.empty()) return false;
  const auto result = std::from_chars(s.data(), s.data() + s.size(), *v);
  return result.ec == std::errc() && result.ptr == s.data() + s.size();
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

// The first field of a line: its kind.
std::string_view Kind(std::string_view line) { return line.substr(0, line.find('\t')); }

// The reader: one line at a time, each fault named with its line number.
class Reader {
 public:
  Reader(std::string_view text, std::string_view file_name) : file_name_(file_name) {
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find('\n', start);
      if (end == std::string_view::npos) end = text.size();
      std::string_view line = text.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      lines_.push_back(line);
      start = end + 1;
    }
  }

  Status Parse(BoutBoard* board, std::string* roster_file);

 private:
  Status Fault(std::string_view why) const {
    return Status::BadBoardFile(std::string(file_name_) + ", line " + std::to_string(line_ + 1) +
                                ": " + std::string(why));
  }
  // The fields of the next line, which must be of this kind with this many fields.
  Status Next(std::string_view kind, std::size_t count, std::vector<std::string_view>* fields);
  Status ReadControl(pairing::PairingControl* control);
  Status ReadWrestler(std::size_t place, BoardWrestler* w);
  Status ReadBout(const BoutBoard& board, Bout* bout);

  std::string_view file_name_;
  std::vector<std::string_view> lines_;
  std::size_t line_ = 0;
};

Status Reader::Next(std::string_view kind, std::size_t count,
                    std::vector<std::string_view>* fields) {
  if (line_ >= lines_.size()) {
    return Status::BadBoardFile(std::string(file_name_) + ": the file ends before its End line");
  }
  *fields = Fields(lines_[line_]);
  if ((*fields)[0] != kind) return Fault("expected a " + std::string(kind) + " line");
  if (fields->size() != count) {
    return Fault("a " + std::string(kind) + " line has " + std::to_string(count) + " fields, not " +
                 std::to_string(fields->size()));
  }
  return Status::Ok();
}

Status Reader::ReadControl(pairing::PairingControl* c) {
  std::vector<std::string_view> f;
  if (Status s = Next("Control", 9, &f); !s.ok()) return s;
  const bool ok = Read(f[1], &c->MaxAllowedDiffWeight) && Read(f[2], &c->MaxAllowedDiffAge) &&
                  Read(f[3], &c->MaxAllowedDiffRating) && Read(f[4], &c->MinGoodnessOfFitAllowed) &&
                  Read(f[5], &c->MaxBoutsAllowed) && Read(f[6], &c->MinBoutsWanted) &&
                  Read(f[7], &c->MaxBoutsWanted) && Read(f[8], &c->SameClubPairingWeight);
  return ok ? Status::Ok() : Fault("a control value is not a number");
}

Status Reader::ReadWrestler(std::size_t place, BoardWrestler* w) {
  std::vector<std::string_view> f;
  if (Status s = Next("Wrestler", 9, &f); !s.ok()) return s;
  std::size_t read_place = 0;
  if (!Read(f[1], &read_place) || read_place != place) {
    return Fault("wrestlers must be numbered 0, 1, 2, ... in order");
  }
  WrestlerKey key;
  std::string texts[6];
  for (int i = 0; i < 6; ++i) {
    if (!Unescape(f[static_cast<std::size_t>(i) + 2], &texts[i])) return Fault("a bad \\ escape");
  }
  key.LastName.Assign(texts[0]);
  key.FirstName.Assign(texts[1]);
  key.Club.Assign(texts[2]);
  key.Weight.Assign(texts[3]);
  key.Age.Assign(texts[4]);
  key.Rating.Assign(texts[5]);
  if (f[8] != "Active" && f[8] != "Scratched") return Fault("a wrestler is Active or Scratched");
  if (Status s = WrestlerFromKey(key, w); !s.ok()) return Fault(s.message());
  w->Scratched = f[8] == "Scratched";
  return Status::Ok();
}

Status Reader::ReadBout(const BoutBoard& board, Bout* bout) {
  std::vector<std::string_view> f;
  if (Status s = Next("Bout", 9, &f); !s.ok()) return s;
  std::int64_t id = 0, number = 0, round = 0, first = 0, second = 0;
  if (!Read(f[1], &id) || !Read(f[2], &number) || !Read(f[3], &round) || !Read(f[5], &first) ||
      !Read(f[6], &second)) {
    return Fault("a bout's id, number, round and wrestlers are whole numbers");
  }
  const auto wrestlers = static_cast<std::int64_t>(board.Wrestlers.size());
  if (id < 1 || id >= board.NextId) return Fault("a bout id is out of range");
  if (number == 0 || std::llabs(number) > board.HighestNumber) {
    return Fault("a bout number is out of range");
  }
  if (round < 1 || round > kMostRounds) return Fault("a round is out of range");
  if (first < 0 || first >= wrestlers || second < 0 || second >= wrestlers || first == second) {
    return Fault("a bout names a wrestler who is not on the board");
  }
  if (board.Wrestlers[static_cast<std::size_t>(first)].Scratched ||
      board.Wrestlers[static_cast<std::size_t>(second)].Scratched) {
    return Fault("a bout names a scratched wrestler");
  }
  const std::string_view flags = f[8];
  if (flags != "-" && flags != "H" && flags != "L" && flags != "HL") {
    return Fault("bout flags are H, L, HL or -");
  }
  bout->Id = static_cast<std::int32_t>(id);
  bout->Number = static_cast<std::int32_t>(number);
  bout->Round = static_cast<std::int32_t>(round);
  bout->First = static_cast<std::int32_t>(first);
  bout->Second = static_cast<std::int32_t>(second);
  bout->MadeByHand = flags.find('H') != std::string_view::npos;
  bout->Locked = flags.find('L') != std::string_view::npos;
  bout->WeightClass =
      pairing::BoutWeightClass(board.Wrestlers[static_cast<std::size_t>(first)].Shown.Weight,
                               board.Wrestlers[static_cast<std::size_t>(second)].Shown.Weight);
  bout->Fit = FitOf(board, bout->First, bout->Second, bout->NonOptimum());
  return Status::Ok();
}

// What the reports rely on: numbers and ids given once, nobody twice in one round.
Status CheckBouts(const BoutBoard& board, std::size_t first_bout_line,
                  const std::string_view file_name) {
  std::unordered_set<std::int32_t> ids, numbers;
  // A wrestler's seat in a round, as one number (rounds are below kMostRounds + 1).
  std::unordered_set<std::int64_t> seats;
  ids.reserve(board.Bouts.size());
  numbers.reserve(board.Bouts.size());
  seats.reserve(2 * board.Bouts.size());
  const auto seat = [](std::int32_t wrestler, std::int32_t round) {
    return static_cast<std::int64_t>(wrestler) * (kMostRounds + 1) + round;
  };
  for (std::size_t i = 0; i < board.Bouts.size(); ++i) {
    const Bout& b = board.Bouts[i];
    std::string why;
    if (!ids.insert(b.Id).second) why = "a bout id is given twice";
    if (why.empty() && !numbers.insert(std::abs(b.Number)).second) {
      why = "a bout number is given twice";
    }
    if (why.empty() && (!seats.insert(seat(b.First, b.Round)).second ||
                        !seats.insert(seat(b.Second, b.Round)).second)) {
      why = "a wrestler has two bouts in one round";
    }
    if (!why.empty()) {
      return Status::BadBoardFile(std::string(file_name) + ", line " +
                                  std::to_string(first_bout_line + i + 1) + ": " + why);
    }
  }
  return Status::Ok();
}

Status Reader::Parse(BoutBoard* out, std::string* roster_file) {
  std::vector<std::string_view> f;
  if (lines_.empty() || Fields(lines_[0])[0] != kBoardFileHeader) {
    return Status::BadBoardFile(std::string(file_name_) + " is not a Kestrio bout board");
  }
  if (Status s = Next(kBoardFileHeader, 2, &f); !s.ok()) return s;
  if (f[1] != std::to_string(kBoardFileVersion)) {
    return Fault("the board is written in format " + std::string(f[1]) +
                 ", which this Kestrio does not know");
  }
  ++line_;
  BoutBoard board;
  std::string roster;
  if (Status s = Next("Roster", 2, &f); !s.ok()) return s;
  if (!Unescape(f[1], &roster)) return Fault("a bad \\ escape");
  ++line_;
  if (Status s = ReadControl(&board.Control); !s.ok()) return s;
  ++line_;
  if (Status s = Next("Numbers", 3, &f); !s.ok()) return s;
  std::int64_t highest = 0, next_id = 0;
  if (!Read(f[1], &highest) || !Read(f[2], &next_id) || highest < 0 || highest > kMostNumber ||
      next_id < 1 || next_id > kMostNumber) {
    return Fault("the numbers are out of range");
  }
  board.HighestNumber = static_cast<std::int32_t>(highest);
  board.NextId = static_cast<std::int32_t>(next_id);
  ++line_;
  while (line_ < lines_.size() && Kind(lines_[line_]) == "Wrestler") {
    BoardWrestler w;
    if (Status s = ReadWrestler(board.Wrestlers.size(), &w); !s.ok()) return s;
    board.Wrestlers.push_back(w);
    ++line_;
  }
  AssignClubIds(board);
  const std::size_t first_bout_line = line_;
  while (line_ < lines_.size() && Kind(lines_[line_]) == "Bout") {
    Bout bout;
    if (Status s = ReadBout(board, &bout); !s.ok()) return s;
    board.Bouts.push_back(bout);
    ++line_;
  }
  if (Status s = CheckBouts(board, first_bout_line, file_name_); !s.ok()) return s;
  if (Status s = Next("End", 3, &f); !s.ok()) return s;
  if (f[1] != std::to_string(board.Wrestlers.size()) ||
      f[2] != std::to_string(board.Bouts.size())) {
    return Fault("the End line counts other wrestlers or bouts than the file holds");
  }
  for (++line_; line_ < lines_.size(); ++line_) {
    if (!lines_[line_].empty()) return Fault("nothing may follow the End line");
  }
  *out = std::move(board);
  *roster_file = std::move(roster);
  return Status::Ok();
}

}  // namespace

Status ParseBoardFile(std::string_view text, std::string_view file_name, BoutBoard* board,
                      std::string* roster_file) {
  return Reader(text, file_name).Parse(board, roster_file);
}

Status LoadBoardFile(FileSystem& fs, BoutBoard* board, std::string* roster_file) {
  std::string text;
  if (Status s = fs.ReadFile(std::string(kBoardFileName), kMaxBoardFileBytes, &text); !s.ok())
    return s;
  return ParseBoardFile(text, kBoardFileName, board, roster_file);
}

Status MatchRoster(const BoutBoard& board, const roster::Roster& roster,
                   std::string_view file_name) {
  std::map<std::string, int> entries;
  for (const roster::Participant& p : roster.Entries) ++entries[KeyString(KeyOf(p))];
  for (const BoardWrestler& w : board.Wrestlers) {
    if (w.Scratched) continue;
    auto it = entries.find(KeyString(w.Key));
    if (it == entries.end() || it->second == 0) {
      return Status::BadBoardFile("The bout board " + std::string(file_name) +
                                  " does not match the roster: " + DescribeWrestler(w.Key) +
                                  " is not in it.");
    }
    --it->second;
  }
  return Status::Ok();
}

}  // namespace kestrio::board
