#pragma once

// The ordering keys built literally, as the reference the key comparison is held to: for
// each column a 140-character text of the entry's fields, each in a piece of its field's
// width, texts left-adjusted and numbers right-adjusted, the rest blank.

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "roster/participant.h"
#include "roster/roster.h"
#include "roster/sort_key.h"
#include "testing/exchange_sort.h"

namespace kestrio::testing {

// The key of column (1..8) of p.
inline std::string LiteralSortKey(int column, const roster::Participant& p) {
  std::string key(roster::kSortKeyWidth, ' ');
  std::size_t used = 0;
  const auto left = [&](std::string_view text, std::size_t width) {
    key.replace(used, text.size(), text);
    used += width;
  };
  const auto right = [&](std::string_view text, std::size_t width) {
    key.replace(used + width - text.size(), text.size(), text);
    used += width;
  };
  const std::string_view last = p.LastName.WithoutBlanks(), first = p.FirstName.WithoutBlanks();
  const std::string_view club = p.Club.WithoutBlanks(), status = p.Status.WithoutBlanks();
  const std::string_view weight = p.Weight.Trimmed(), age = p.Age.Trimmed();
  const std::string_view rating = p.Rating.Trimmed(), weight_left = p.Weight.WithoutBlanks();
  switch (column) {
    case 1:
      left(last, 40), left(first, 40), left(club, 15), right(weight, 10), right(age, 10);
      right(rating, 10), left(status, 15);
      break;
    case 2:
      left(first, 40), left(last, 40), left(club, 15), right(weight, 10), right(age, 10);
      right(rating, 10), left(status, 15);
      break;
    case 3:
      right(weight, 10), right(age, 10), right(rating, 10), left(club, 15), left(last, 40);
      left(status, 15);
      break;
    case 4:
      right(age, 10), right(weight, 10), right(rating, 10), left(club, 15), left(last, 40);
      left(status, 15);
      break;
    case 5:
      right(rating, 10), right(weight, 10), right(age, 10), left(club, 15), left(last, 40);
      left(status, 15);
      break;
    case 6:
      left(club, 15), right(weight, 10), right(age, 10), right(rating, 10), left(last, 40);
      left(status, 15);
      break;
    case 7:
      left(status, 15), right(weight, 10), right(age, 10), right(rating, 10), left(last, 40);
      break;
    case 8:
      right(weight, 10), right(age, 10), right(rating, 10), left(weight_left, 10);
      left(club, 15), left(last, 40), left(status, 15);
      break;
    default:
      break;
  }
  return key;
}

// memcmp of the two literal keys, as a sign.
inline int CompareLiteralSortKeys(int column, const roster::Participant& a,
                                  const roster::Participant& b) {
  const int c = std::memcmp(LiteralSortKey(column, a).data(), LiteralSortKey(column, b).data(),
                            roster::kSortKeyWidth);
  return (c > 0) - (c < 0);
}

// The display order by the literal exchange sort over the literal keys of the roster's
// sort column: for i < j, exchange D(i) and D(j) whenever key(D(j)) comes strictly before
// key(D(i)).
inline void LiteralDisplaySort(roster::Roster& roster) {
  const int column = roster.SortColumn < 0 ? -roster.SortColumn : roster.SortColumn;
  std::vector<std::string> keys;
  for (const roster::Participant& p : roster.Entries) keys.push_back(LiteralSortKey(column, p));
  ExchangeSort(roster.DisplayOrder, [&](std::int32_t x, std::int32_t y) {
    const int c = std::memcmp(keys[static_cast<std::size_t>(x)].data(),
                              keys[static_cast<std::size_t>(y)].data(), roster::kSortKeyWidth);
    return roster.SortColumn > 0 ? c < 0 : c > 0;
  });
}

}  // namespace kestrio::testing
