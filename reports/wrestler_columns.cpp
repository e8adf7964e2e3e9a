#include "reports/wrestler_columns.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "base/number_text.h"

namespace kestrio::reports {
namespace {

constexpr std::uint64_t PowerOfTen(int e) { return e == 0 ? 1 : 10 * PowerOfTen(e - 1); }

// fixed(W,D) of a measure into exactly W characters at field, blank already, as
// text::PutFixed writes it.
// A roster's measures are nearly all numbers of at least 0 that fit their field: those
// are written here, from the digits PutFixed rounds them to, without its general steps;
// any other goes to PutFixed.
template <int W, int D>
void PutMeasure(char* field, float v) {
  static_assert(W - 1 - D >= 1, "a field with room for a whole digit");
  // Below the infinities and with no sign: 0, the positive numbers.
  if (std::bit_cast<std::uint32_t>(v) < 0x7F800000u) {
    const double scaled = std::nearbyint(static_cast<double>(v) * PowerOfTen(D));
    // The whole digits, the point and D decimals fill at most the field.
    if (scaled < static_cast<double>(PowerOfTen(W - 1))) {
      auto digits = static_cast<std::uint32_t>(scaled);
      char* at = field + W;
      for (int i = 0; i < D; ++i, digits /= 10) *--at = static_cast<char>('0' + digits % 10);
      *--at = '.';
      do {
        *--at = static_cast<char>('0' + digits % 10);
        digits /= 10;
      } while (digits != 0);
      return;
    }
  }
  text::PutFixed(field, v, W, D);
}

bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Equal names, compared a word at a time: every bout side is compared with the selection,
// and a call per comparison cost more than the words.
template <std::size_t N>
bool SameName(const text::FixedText<N>& a, const text::FixedText<N>& b) {
  static_assert(N % 8 == 0, "a name is whole words");
  std::uint64_t differ = 0;
  for (std::size_t i = 0; i < N; i += 8) {
    std::uint64_t x;
    std::uint64_t y;
    std::memcpy(&x, a.data() + i, sizeof x);
    std::memcpy(&y, b.data() + i, sizeof y);
    differ |= x ^ y;
  }
  return differ == 0;
}

// Side carries wrestler w as the selection holds him.
bool SameAsSelected(const pairing::BoutEntry& side, const pairing::SelectedParticipant& w) {
  static_assert(decltype(side.Club)::kWidth <= decltype(w.Club)::kWidth,
                "a side holds the start of its wrestler's club");
  return SameName(side.LastName, w.LastName) && SameName(side.FirstName, w.FirstName) &&
         std::memcmp(side.Club.data(), w.Club.data(), side.Club.size()) == 0 &&
         SameBits(side.Weight, w.Weight) && SameBits(side.Age, w.Age) &&
         SameBits(side.Rating, w.Rating);
}

}  // namespace

WrestlerColumns::WrestlerColumns(const pairing::PairingRun& run, bool all)
    : run_(run), rows_(run.SelectedList.size()) {
  if (!all) return;
  for (std::size_t p = 0; p < rows_.size(); ++p) Make(p);
}

void WrestlerColumns::Make(std::size_t p) {
  const pairing::SelectedParticipant& w = run_.SelectedList[p];
  Row& row = rows_[p];
  char* const t = row.text;
  std::fill_n(t, kSize, ' ');
  // A name or club of the selection is held padded to its full width, wider than its
  // column: the column shows its first characters.
  std::memcpy(t + kGivenNameAt, w.FirstName.data(), kNameWidth);
  std::memcpy(t + kSurnameAt, w.LastName.data(), kNameWidth);
  std::memcpy(t + kClubAt, w.Club.data(), kClubWidth);
  PutMeasure<5, 1>(t + kWeightAt, w.Weight);
  PutMeasure<4, 0>(t + kAgeAt, w.Age);
  PutMeasure<5, 2>(t + kRatingAt, w.Rating);
  // The names and the club, and only blanks between them.
  static_assert(kGivenNameAt < kSurnameAt && kSurnameAt < kClubAt);
  row.comma = std::memchr(t + kGivenNameAt, ',', kClubAt + kClubWidth - kGivenNameAt) != nullptr;
  row.made = true;
}

void WrestlerColumns::PutNarrowMeasures(std::size_t p, char* age, char* rating) {
  const Row& row = Of(p);
  // A field that starts with a blank holds its number whole, with no asterisks and no
  // zero dropped for want of room, so one character narrower it is the same text without
  // that blank. Otherwise the narrower field is written anew.
  if (row.text[kAgeAt] == ' ') {
    std::memcpy(age, row.text + kAgeAt + 1, 3);
  } else {
    text::PutFixed(age, run_.SelectedList[p].Age, 3, 0);
  }
  if (row.text[kRatingAt] == ' ') {
    std::memcpy(rating, row.text + kRatingAt + 1, 4);
  } else {
    text::PutFixed(rating, run_.SelectedList[p].Rating, 4, 2);
  }
}

void WrestlerColumns::KnowSides() {
  const std::vector<pairing::BoutEntry>& sides = run_.BoutList;
  const int rows = std::min<int>(run_.SelectionSize, static_cast<int>(run_.SelectedList.size()));
  const auto wrestler = [&](std::size_t e) -> const pairing::SelectedParticipant* {
    const int p = sides[e].SelectionIndex;
    return p >= 0 && p < rows ? &run_.SelectedList[static_cast<std::size_t>(p)] : nullptr;
  };
  shows_row_.resize(sides.size());
  // The sides in list order, their wrestlers at random in the selection: asked for ahead,
  // the reads overlap.
  constexpr std::size_t kAhead = 12;
  for (std::size_t e = 0; e < sides.size(); ++e) {
    if (e + kAhead < sides.size()) {
      if (const pairing::SelectedParticipant* ahead = wrestler(e + kAhead))
        kestrio::Prefetch(ahead);
    }
    const pairing::SelectedParticipant* w = wrestler(e);
    shows_row_[e] = w != nullptr && SameAsSelected(sides[e], *w);
  }
  sides_known_ = true;
}

}  // namespace kestrio::reports
