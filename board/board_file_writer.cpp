// Writing the board file (see board_file.h): the header lines, then a line per wrestler
// and per bout, which BoardFileLines keeps from one writing to the next.

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "base/file_queue.h"
#include "base/number_text.h"
#include "board/board_file.h"

namespace kestrio::board {
namespace {

constexpr std::string_view kEol = "\r\n";

// The escape a character takes in the file; nothing for one written as it stands.
std::string_view EscapeOf(char c) {
  switch (c) {
    case '\\':
      return "\\\\";
    case '\t':
      return "\\t";
    case '\r':
      return "\\r";
    case '\n':
      return "\\n";
    default:
      return {};
  }
}

bool Plain(char c) { return c > '\r' && c != '\\'; }  // the usual letter, at one test

std::string Escape(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    const std::string_view escaped = Plain(c) ? std::string_view() : EscapeOf(c);
    if (escaped.empty()) {
      out += c;
    } else {
      out += escaped;
    }
  }
  return out;
}

template <typename Number>
std::string Text(Number v) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
  return std::string(buffer, result.ptr);
}

// A fit with six decimals, as the general conversion writes it.
void AppendFit(std::string& out, float fit) {
  if (std::isfinite(fit)) return text::AppendFixedInFull(out, fit, 0, 6);
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(fit),
                                    std::chars_format::fixed, 6);
  out.append(buffer, result.ptr);
}

void AppendLine(std::string& out, std::initializer_list<std::string_view> fields) {
  bool first = true;
  for (std::string_view f : fields) {
    if (!first) out += '\t';
    out += f;
    first = false;
  }
  out += kEol;
}

// A board file holds a line per wrestler and per bout: each is made in a buffer on the
// stack and appended at once (a string append per field costs more than the field).
class LineBuffer {
 public:
  void Add(std::string_view s) {
    std::memcpy(at_, s.data(), s.size());
    at_ += s.size();
  }
  void Add(char c) { *at_++ = c; }
  template <typename Number>
  void AddField(Number v) {
    *at_++ = '\t';
    at_ = std::to_chars(at_, end(), v).ptr;
  }
  // A key's text, escaped: at most two characters for each of its own.
  void AddEscaped(std::string_view s) {
    for (char c : s) {
      const std::string_view escaped = Plain(c) ? std::string_view() : EscapeOf(c);
      if (escaped.empty()) {
        *at_++ = c;
      } else {
        Add(escaped);
      }
    }
  }
  void AppendTo(std::string& out) const {
    out.append(chars_, static_cast<std::size_t>(at_ - chars_));
  }

 private:
  // The longest line: "Wrestler", the place, a key's six fields escaped (two characters
  // for each of their own) with their tabs, and "\tScratched\r\n".
  static constexpr std::size_t kKeyChars =
      decltype(WrestlerKey::LastName)::kWidth + decltype(WrestlerKey::FirstName)::kWidth +
      decltype(WrestlerKey::Club)::kWidth + decltype(WrestlerKey::Weight)::kWidth +
      decltype(WrestlerKey::Age)::kWidth + decltype(WrestlerKey::Rating)::kWidth;
  static constexpr std::size_t kLongestLine = 8 + 21 + 2 * kKeyChars + 6 + 12;

  char* end() { return chars_ + sizeof chars_; }
  char chars_[kLongestLine];
  char* at_ = chars_;
};

void FormatWrestler(std::string& out, const BoardWrestler& w, std::size_t place) {
  const WrestlerKey& k = w.Key;
  LineBuffer line;
  line.Add("Wrestler");
  line.AddField(place);
  for (std::string_view t :
       {k.LastName.WithoutBlanks(), k.FirstName.WithoutBlanks(), k.Club.WithoutBlanks(),
        k.Weight.WithoutBlanks(), k.Age.WithoutBlanks(), k.Rating.WithoutBlanks()}) {
    line.Add('\t');
    line.AddEscaped(t);
  }
  line.Add(w.Scratched ? "\tScratched\r\n" : "\tActive\r\n");
  line.AppendTo(out);
}

void FormatBout(std::string& out, const Bout& b) {
  LineBuffer line;
  line.Add("Bout");
  for (const std::int32_t v : {b.Id, b.Number, b.Round, b.WeightClass, b.First, b.Second}) {
    line.AddField(v);
  }
  line.Add('\t');
  line.AppendTo(out);
  AppendFit(out, b.Fit);
  out += b.MadeByHand ? (b.Locked ? "\tHL\r\n" : "\tH\r\n") : (b.Locked ? "\tL\r\n" : "\t-\r\n");
}

// Every field alike, the fit to the bit (0 and -0 are written differently).
bool SameBout(const Bout& a, const Bout& b) {
  return a == b && std::bit_cast<std::uint32_t>(a.Fit) == std::bit_cast<std::uint32_t>(b.Fit);
}

}  // namespace

void BoardFileLines::AppendWrestler(std::string& out, const BoardWrestler& w, std::size_t place) {
  if (place >= wrestlers_.size()) wrestlers_.resize(place + 1);
  WrestlerLine& line = wrestlers_[place];
  if (!line.known || !(line.key == w.Key) || line.scratched != w.Scratched) {
    line.text.clear();
    FormatWrestler(line.text, w, place);
    line.known = true;
    line.key = w.Key;
    line.scratched = w.Scratched;
  }
  out += line.text;
}

void BoardFileLines::AppendBout(std::string& out, const Bout& b, std::size_t bouts) {
  // Ids are given one by one from 1; one far beyond the bouts there are (a file edited
  // by hand) is not worth the room.
  if (b.Id < 0 || static_cast<std::size_t>(b.Id) >= 2 * bouts + 1024) return FormatBout(out, b);
  const auto id = static_cast<std::size_t>(b.Id);
  if (id >= bouts_.size()) bouts_.resize(id + 1);
  BoutLine& line = bouts_[id];
  if (!line.known || !SameBout(line.bout, b)) {
    line.text.clear();
    FormatBout(line.text, b);
    line.known = true;
    line.bout = b;
  }
  out += line.text;
}

namespace {

// A piece of the file goes to the disk at about this size, so that a board of tens of
// thousands of bouts is never held whole.
constexpr std::size_t kPieceBytes = 256 * 1024;

// Room for the line that takes a piece past its size.
constexpr std::size_t kPieceRoom = kPieceBytes + 4096;

// Makes the file's text into out, handing it to taker (when given) whenever it has grown
// to a piece; whatever is left stays in out.
void MakeBoardFile(const BoutBoard& board, std::string_view roster_file, BoardFileLines* lines,
                   TextTaker* taker, std::string& out) {
  const auto hand_on = [&] {
    if (taker != nullptr && out.size() >= kPieceBytes) {
      taker->Take(out);
      if (out.capacity() < kPieceRoom) out.reserve(kPieceRoom);
    }
  };
  AppendLine(out, {kBoardFileHeader, std::to_string(kBoardFileVersion)});
  AppendLine(out, {"Roster", Escape(roster_file)});
  const pairing::PairingControl& c = board.Control;
  AppendLine(
      out, {"Control", Text(c.MaxAllowedDiffWeight), Text(c.MaxAllowedDiffAge),
            Text(c.MaxAllowedDiffRating), Text(c.MinGoodnessOfFitAllowed), Text(c.MaxBoutsAllowed),
            Text(c.MinBoutsWanted), Text(c.MaxBoutsWanted), Text(c.SameClubPairingWeight)});
  AppendLine(out, {"Numbers", Text(board.HighestNumber), Text(board.NextId)});
  for (std::size_t w = 0; w < board.Wrestlers.size(); ++w) {
    if (lines != nullptr) {
      lines->AppendWrestler(out, board.Wrestlers[w], w);
    } else {
      FormatWrestler(out, board.Wrestlers[w], w);
    }
    hand_on();
  }
  for (const Bout& b : board.Bouts) {
    if (lines != nullptr) {
      lines->AppendBout(out, b, board.Bouts.size());
    } else {
      FormatBout(out, b);
    }
    hand_on();
  }
  AppendLine(out, {"End", Text(board.Wrestlers.size()), Text(board.Bouts.size())});
}

}  // namespace

std::string FormatBoardFile(const BoutBoard& board, std::string_view roster_file,
                            BoardFileLines* lines) {
  std::string out;
  out.reserve(128 + board.Wrestlers.size() * 64 + board.Bouts.size() * 48);
  MakeBoardFile(board, roster_file, lines, nullptr, out);
  return out;
}

Status SaveBoardFile(FileSystem& fs, const BoutBoard& board, std::string_view roster_file,
                     BoardFileLines* lines) {
  // Written on a second thread while the rest of the text is made. The program's own
  // file: a link planted in its place is replaced, never followed.
  FileQueue queue(fs);
  queue.Write(
      std::string(kBoardFileName),
      [&](TextTaker& taker) {
        std::string out;
        out.reserve(kPieceRoom);
        MakeBoardFile(board, roster_file, lines, &taker, out);
        taker.Take(out);
      },
      Links::kReplace);
  return queue.Finish().front();
}

}  // namespace kestrio::board
