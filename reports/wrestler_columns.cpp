#include "reports/wrestler_columns.h"

#include <algorithm>
#include <cstring>

#include "base/number_text.h"

namespace kestrio::reports {

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
  text::PutFixed(t + kWeightAt, w.Weight, 5, 1);
  text::PutFixed(t + kAgeAt, w.Age, 4, 0);
  text::PutFixed(t + kRatingAt, w.Rating, 5, 2);
  row.comma = std::memchr(t + kGivenNameAt, ',', kNameWidth) != nullptr ||
              std::memchr(t + kSurnameAt, ',', kNameWidth) != nullptr ||
              std::memchr(t + kClubAt, ',', kClubWidth) != nullptr;
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

}  // namespace kestrio::reports
