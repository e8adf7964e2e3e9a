#include "roster/sort_key.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace kestrio::roster {
namespace {

// The fields a key is made of. Texts enter left-adjusted (without their blanks), numbers
// right-adjusted (without their trailing blanks); WeightLeft is the weight left-adjusted.
enum class Piece : unsigned char {
  kLast,
  kFirst,
  kClub,
  kStatus,
  kWeight,
  kAge,
  kRating,
  kWeightLeft
};

struct KeyLayout {
  std::array<Piece, 7> pieces;
  int count;
};

// The pieces of each column's key, in key order; the rest of the 140 characters is blank
// in every key, so it never decides.
constexpr std::array<KeyLayout, kSortKeyColumns> kLayouts = {{
    {{Piece::kLast, Piece::kFirst, Piece::kClub, Piece::kWeight, Piece::kAge, Piece::kRating,
      Piece::kStatus},
     7},
    {{Piece::kFirst, Piece::kLast, Piece::kClub, Piece::kWeight, Piece::kAge, Piece::kRating,
      Piece::kStatus},
     7},
    {{Piece::kWeight, Piece::kAge, Piece::kRating, Piece::kClub, Piece::kLast, Piece::kStatus}, 6},
    {{Piece::kAge, Piece::kWeight, Piece::kRating, Piece::kClub, Piece::kLast, Piece::kStatus}, 6},
    {{Piece::kRating, Piece::kWeight, Piece::kAge, Piece::kClub, Piece::kLast, Piece::kStatus}, 6},
    {{Piece::kClub, Piece::kWeight, Piece::kAge, Piece::kRating, Piece::kLast, Piece::kStatus}, 6},
    {{Piece::kStatus, Piece::kWeight, Piece::kAge, Piece::kRating, Piece::kLast}, 5},
    {{Piece::kWeight, Piece::kAge, Piece::kRating, Piece::kWeightLeft, Piece::kClub, Piece::kLast,
      Piece::kStatus},
     7},
}};

// Calls left(field) for a piece that enters the key left-adjusted and right(field) for a
// number that enters it right-adjusted; field points to the piece's member of an entry,
// so that a comparison reads it from both.
template <typename Left, typename Right>
auto WithPiece(Piece piece, Left left, Right right) {
  switch (piece) {
    case Piece::kLast:
      return left(&Participant::LastName);
    case Piece::kFirst:
      return left(&Participant::FirstName);
    case Piece::kClub:
      return left(&Participant::Club);
    case Piece::kStatus:
      return left(&Participant::Status);
    case Piece::kWeight:
      return right(&Participant::Weight);
    case Piece::kAge:
      return right(&Participant::Age);
    case Piece::kRating:
      return right(&Participant::Rating);
    case Piece::kWeightLeft:
      break;  // the weight as a text, left-adjusted
  }
  return left(&Participant::Weight);
}

// A left-adjusted piece: the text without its blanks, padded with blanks to the field's
// width (the text never exceeds it). A field that does not start with a blank is its own
// piece, as nearly every name and club is: one memcmp then.
template <std::size_t N>
int CompareLeft(const FixedText<N>& a, const FixedText<N>& b) {
  if (a.data()[0] != ' ' && b.data()[0] != ' ') return std::memcmp(a.data(), b.data(), N);
  return text::ComparePadded(a.WithoutBlanks(), b.WithoutBlanks());
}

// A right-adjusted piece: the text without its trailing blanks, right-aligned in the
// field's width. The parser's numbers are right-aligned already, so the piece is the
// field itself.
int CompareRight(const FixedText<10>& a, const FixedText<10>& b) {
  if (a.data()[9] != ' ' && b.data()[9] != ' ') return std::memcmp(a.data(), b.data(), 10);
  const std::string_view x = a.Trimmed();
  const std::string_view y = b.Trimmed();
  if (x.size() == y.size()) return std::memcmp(a.data(), b.data(), 10);
  char px[10];
  char py[10];
  std::memset(px, ' ', 10);
  std::memset(py, ' ', 10);
  if (!x.empty()) std::memcpy(px + 10 - x.size(), x.data(), x.size());
  if (!y.empty()) std::memcpy(py + 10 - y.size(), y.data(), y.size());
  return std::memcmp(px, py, 10);
}

int ComparePiece(Piece piece, const Participant& a, const Participant& b) {
  return WithPiece(
      piece, [&](auto field) { return CompareLeft(a.*field, b.*field); },
      [&](auto field) { return CompareRight(a.*field, b.*field); });
}

// The start of a left-adjusted piece, room characters at most; returns its width.
template <std::size_t N>
std::size_t LeftPiece(const FixedText<N>& field, char* out, std::size_t room) {
  const std::string_view text = field.WithoutBlanks();
  const std::size_t n = std::min(room, N);
  for (std::size_t i = 0; i < n; ++i) out[i] = i < text.size() ? text[i] : ' ';
  return N;
}

// The start of a right-adjusted piece; returns its width.
std::size_t RightPiece(const FixedText<10>& field, char* out, std::size_t room) {
  const std::string_view text = field.Trimmed();
  const std::size_t blanks = 10 - text.size();
  const std::size_t n = std::min<std::size_t>(room, 10);
  for (std::size_t i = 0; i < n; ++i) out[i] = i < blanks ? ' ' : text[i - blanks];
  return 10;
}

std::size_t PieceInto(Piece piece, const Participant& p, char* out, std::size_t room) {
  return WithPiece(
      piece, [&](auto field) { return LeftPiece(p.*field, out, room); },
      [&](auto field) { return RightPiece(p.*field, out, room); });
}

// Writes a compact key's bytes until the prefix is full.
class CompactKey {
 public:
  explicit CompactKey(char (&prefix)[kCompactPrefixWidth]) : prefix_(prefix) {
    std::memset(prefix, 0, kCompactPrefixWidth);
  }

  // A text without its blanks, then a 0 byte that sorts before every character of a
  // text: the blanks that pad a shorter text in the full key sort before the rest of a
  // longer one that starts the same, as the longer one's next character that is not a
  // blank is above a blank. False for a character below a blank anywhere in the text.
  template <std::size_t N>
  bool Left(const FixedText<N>& field) {
    const std::string_view text = field.WithoutBlanks();
    for (const char c : text) {
      if (static_cast<unsigned char>(c) < ' ') return false;
    }
    Put(text);
    Put(std::string_view("", 1));
    return true;
  }

  // A number without its blanks, after its length: right-adjusted, a longer number
  // starts where a shorter one still has blanks, so it sorts after it when its first
  // character is above a blank; numbers of one length line up and sort by their
  // characters. False for a first character below a blank.
  bool Right(const FixedText<10>& field) {
    const std::string_view text = field.WithoutBlanks();
    if (!text.empty() && static_cast<unsigned char>(text[0]) < ' ') return false;
    const char length = static_cast<char>(text.size());
    Put(std::string_view(&length, 1));
    Put(text);
    return true;
  }

  bool full() const { return length_ >= kCompactPrefixWidth; }
  std::size_t length() const { return length_; }

 private:
  void Put(std::string_view bytes) {
    if (length_ < kCompactPrefixWidth) {
      const std::size_t n = std::min(bytes.size(), kCompactPrefixWidth - length_);
      std::memcpy(prefix_ + length_, bytes.data(), n);
    }
    length_ += bytes.size();
  }

  char* prefix_;
  std::size_t length_ = 0;
};

bool CompactPiece(Piece piece, const Participant& p, CompactKey& key) {
  return WithPiece(
      piece, [&](auto field) { return key.Left(p.*field); },
      [&](auto field) { return key.Right(p.*field); });
}

}  // namespace

int CompactSortKeyPrefix(int column, const Participant& p, char (&prefix)[kCompactPrefixWidth]) {
  CompactKey key(prefix);
  if (column < 1 || column > kSortKeyColumns) return 0;
  const KeyLayout& layout = kLayouts[static_cast<std::size_t>(column - 1)];
  for (int i = 0; i < layout.count && !key.full(); ++i) {
    if (!CompactPiece(layout.pieces[static_cast<std::size_t>(i)], p, key)) return -1;
  }
  return key.full() ? static_cast<int>(kCompactPrefixWidth) + 1 : static_cast<int>(key.length());
}

void SortKeyPrefix(int column, const Participant& p, char (&prefix)[kSortKeyPrefixWidth]) {
  std::memset(prefix, ' ', kSortKeyPrefixWidth);
  if (column < 1 || column > kSortKeyColumns) return;
  const KeyLayout& layout = kLayouts[static_cast<std::size_t>(column - 1)];
  std::size_t used = 0;
  for (int i = 0; i < layout.count && used < kSortKeyPrefixWidth; ++i) {
    used += PieceInto(layout.pieces[static_cast<std::size_t>(i)], p, prefix + used,
                      kSortKeyPrefixWidth - used);
  }
}

int CompareSortKeys(int column, const Participant& a, const Participant& b) {
  if (column < 1 || column > kSortKeyColumns) return 0;
  const KeyLayout& layout = kLayouts[static_cast<std::size_t>(column - 1)];
  for (int i = 0; i < layout.count; ++i) {
    if (const int c = ComparePiece(layout.pieces[static_cast<std::size_t>(i)], a, b); c != 0) {
      return c;
    }
  }
  return 0;
}

}  // namespace kestrio::roster
