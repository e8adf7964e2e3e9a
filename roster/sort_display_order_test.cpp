#include "roster/sort_display_order.h"

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "roster/line_parser.h"
#include "roster/sort_key.h"
#include "testing/exchange_sort.h"
#include "testing/literal_sort_keys.h"
#include "testing/roster_loader.h"

namespace kestrio::roster {
namespace {

Participant Parsed(const std::string& line) {
  Participant p;
  EXPECT_EQ(WInfoParseDataLine(line, p), 0) << line;
  return p;
}

// A roster with few distinct values per field, so that most keys tie with others.
Roster TieHeavyRoster(std::size_t n, std::mt19937& rng) {
  static const char* kNames[] = {"Ames", "ames", "Bo", "Boone", "Cruz"};
  static const char* kClubs[] = {"Hawks", "Owls", ""};
  static const char* kStatus[] = {"", "Selected", "Deleted"};
  auto pick = [&](std::size_t count) {
    return std::uniform_int_distribution<std::size_t>(0, count - 1)(rng);
  };
  Roster roster;
  for (std::size_t i = 0; i < n; ++i) {
    Participant p;
    p.LastName.Assign(kNames[pick(3)]);
    p.FirstName.Assign(kNames[pick(5)]);
    p.Weight.Assign(text::PadLeft(std::to_string(pick(3) * 5 + 8) + ".50", 10));
    p.Age.Assign(text::PadLeft(std::to_string(pick(2) + 9) + ".00", 10));
    p.Rating.Assign(text::PadLeft(pick(2) ? "-1.00" : "3.00", 10));
    p.Club.Assign(kClubs[pick(3)]);
    p.Status.Assign(kStatus[pick(3)]);
    roster.Entries.push_back(p);
  }
  roster.KeyCount = kSortKeyColumns;
  ResetDisplayOrder(roster);
  std::shuffle(roster.DisplayOrder.begin(), roster.DisplayOrder.end(), rng);
  return roster;
}

TEST(SortDisplayOrderTest, MatchesExchangeSortOnRostersFullOfTies) {
  std::mt19937 rng(20261208);
  for (std::size_t n : {0u, 1u, 2u, 3u, 5u, 17u, 64u, 300u}) {
    for (int column = 1; column <= kSortKeyColumns; ++column) {
      for (int direction : {1, -1}) {
        Roster fast = TieHeavyRoster(n, rng);
        // A control character in a name leaves the roster without compact keys.
        if (n > 0 && direction < 0) fast.Entries[n / 2].LastName.Assign("\x01Bo");
        fast.SortColumn = column * direction;
        Roster reference = fast;
        SortDisplayOrder(fast);
        testing::LiteralDisplaySort(reference);
        ASSERT_EQ(fast.DisplayOrder, reference.DisplayOrder)
            << "n=" << n << " column=" << fast.SortColumn;
      }
    }
  }
}

// Keys drawn from a tiny alphabet give every shape of interleaving between a class of
// equal keys and the smaller keys around it.
TEST(SortDisplayOrderTest, MatchesExchangeSortOnRandomTinyKeys) {
  std::mt19937 rng(7);
  for (int round = 0; round < 400; ++round) {
    const std::size_t n = std::uniform_int_distribution<std::size_t>(0, 40)(rng);
    const int distinct = std::uniform_int_distribution<int>(1, 6)(rng);
    Roster fast;
    fast.Entries.resize(n);
    for (Participant& p : fast.Entries) {
      p.LastName.Assign(std::string(1, static_cast<char>('a' + rng() % distinct)));
    }
    ResetDisplayOrder(fast);
    std::shuffle(fast.DisplayOrder.begin(), fast.DisplayOrder.end(), rng);
    fast.SortColumn = round % 2 ? 1 : -1;
    Roster reference = fast;
    SortDisplayOrder(fast);
    testing::LiteralDisplaySort(reference);
    ASSERT_EQ(fast.DisplayOrder, reference.DisplayOrder) << "round " << round;
  }
}

std::vector<std::string> LastNamesInOrder(const Roster& roster) {
  std::vector<std::string> names;
  for (std::size_t k = 0; k < roster.DisplayOrder.size(); ++k) {
    names.emplace_back(roster.Displayed(k).LastName.Trimmed());
  }
  return names;
}

TEST(SortDisplayOrderTest, KeysOrderNumbersAndNamesByTheirBytes) {
  Roster roster;
  roster.Entries = {
      Parsed("Ten\tA\t10\t9\t1\tHawks"),   Parsed("Nine\tA\t9.5\t9\t1\tHawks"),
      Parsed("Neg\tA\t-5\t9\t1\tHawks"),   Parsed("Pos\tA\t5\t9\t1\tHawks"),
      Parsed("adams\tA\t30\t9\t1\tHawks"), Parsed("Zed\tA\t30\t9\t1\tHawks"),
  };
  ResetDisplayOrder(roster);

  // Weight: 9.50 before 10.00; "-5.00" is as wide as "9.50" and sorts after it, since
  // the blank in front of 9.50 comes before the minus sign.
  roster.SortColumn = 3;
  SortDisplayOrder(roster);
  EXPECT_EQ(LastNamesInOrder(roster),
            (std::vector<std::string>{"Pos", "Nine", "Neg", "Ten", "Zed", "adams"}));

  roster.SortColumn = -3;
  SortDisplayOrder(roster);
  EXPECT_EQ(LastNamesInOrder(roster),
            (std::vector<std::string>{"adams", "Zed", "Ten", "Neg", "Nine", "Pos"}));

  roster.SortColumn = 1;  // upper-case initials before lower-case ones
  SortDisplayOrder(roster);
  EXPECT_EQ(LastNamesInOrder(roster).back(), "adams");
}

TEST(SortDisplayOrderTest, WeightKeyBreaksTiesByAgeRatingClubNameStatus) {
  const Participant p = Parsed("Smith\tJohn\t72\t10\t3.5\tTigers\tyes");
  EXPECT_EQ(
      text::TrimTrailing(testing::LiteralSortKey(3, p)),
      "     72.00     10.00      3.50Tigers         Smith" + std::string(35, ' ') + "Selected");
  EXPECT_EQ(testing::LiteralSortKey(8, p).substr(30, 10), "72.00     ");
  Participant heavier = p;
  heavier.Status.Assign("Deleted");
  EXPECT_LT(CompareSortKeys(3, heavier, p), 0);  // the status breaks the last tie
  EXPECT_EQ(CompareSortKeys(0, heavier, p), 0);  // out of range: all equal
  EXPECT_EQ(CompareSortKeys(9, heavier, p), 0);
}

// The comparison of two entries' keys, piece by piece from their fields, is memcmp of
// the keys built literally, for every column, on fields of every shape: blank, full
// width, leading and trailing blanks, bytes above 127, numbers written by hand.
TEST(SortKeyTest, ComparisonMatchesTheLiteralKeys) {
  std::mt19937 rng(140);
  const auto field = [&](std::size_t width) {
    static const char kBytes[] = {' ', ' ', 'a', 'A', 'b', '0', '9', '.', '-', '\x7f', '\xe9'};
    std::string s(rng() % (width + 1), ' ');
    for (char& c : s) c = kBytes[rng() % sizeof kBytes];
    return s;
  };
  const auto entry = [&] {
    Participant p;
    p.LastName.Assign(field(40));
    p.FirstName.Assign(field(40));
    p.Club.Assign(field(15));
    p.Status.Assign(field(15));
    // Mostly numbers as the parser writes them, sometimes anything.
    for (auto* number : {&p.Weight, &p.Age, &p.Rating}) {
      number->Assign(rng() % 4 ? text::PadLeft(std::to_string(rng() % 3) + ".50", 10) : field(10));
    }
    return p;
  };
  for (int round = 0; round < 20000; ++round) {
    const Participant a = entry();
    const Participant b = rng() % 3 ? entry() : a;
    for (int column = 1; column <= kSortKeyColumns; ++column) {
      const int fast = CompareSortKeys(column, a, b);
      ASSERT_EQ((fast > 0) - (fast < 0), testing::CompareLiteralSortKeys(column, a, b))
          << "column " << column << " round " << round;
      char prefix[kSortKeyPrefixWidth];
      SortKeyPrefix(column, a, prefix);
      ASSERT_EQ(std::string_view(prefix, sizeof prefix),
                testing::LiteralSortKey(column, a).substr(0, kSortKeyPrefixWidth))
          << "column " << column << " round " << round;
    }
  }
}

// Compact prefixes order two entries as their full keys do wherever the prefixes
// differ, and equal prefixes holding a whole key belong to equal keys, on fields of
// every shape; a control character where the prefix reaches gives no compact key.
TEST(SortKeyTest, CompactPrefixesOrderAsTheLiteralKeys) {
  std::mt19937 rng(32);
  const auto field = [&](std::size_t width, std::size_t longest) {
    static const char kBytes[] = {' ', ' ', 'a', 'A', '0', '9', '.', '-', '\x7f', '\xe9', '\x01'};
    std::string s(rng() % (std::min(width, longest) + 1), ' ');
    for (char& c : s) c = kBytes[rng() % (rng() % 8 ? sizeof kBytes - 1 : sizeof kBytes)];
    return s;
  };
  const auto entry = [&] {
    // Short fields mostly, so that whole keys fit their prefix often.
    const std::size_t longest = rng() % 2 ? 3 : 40;
    Participant p;
    p.LastName.Assign(field(40, longest));
    p.FirstName.Assign(field(40, longest));
    p.Club.Assign(field(15, longest));
    p.Status.Assign(field(15, longest));
    for (auto* number : {&p.Weight, &p.Age, &p.Rating}) number->Assign(field(10, longest));
    return p;
  };
  int decided = 0;
  int whole_ties = 0;
  int without = 0;
  for (int round = 0; round < 20000; ++round) {
    const Participant a = entry();
    Participant b = a;
    if (rng() % 4) b = entry();
    if (rng() % 2) b.Rating = entry().Rating;  // differ late in the key
    for (int column = 0; column <= kSortKeyColumns + 1; ++column) {
      char pa[kCompactPrefixWidth];
      char pb[kCompactPrefixWidth];
      const int la = CompactSortKeyPrefix(column, a, pa);
      const int lb = CompactSortKeyPrefix(column, b, pb);
      if (la < 0 || lb < 0) {
        ++without;
        continue;
      }
      const int literal = testing::CompareLiteralSortKeys(column, a, b);
      const int c = std::memcmp(pa, pb, kCompactPrefixWidth);
      if (c != 0) {
        ++decided;
        ASSERT_EQ((c > 0) - (c < 0), literal) << "column " << column << " round " << round;
      } else if (la <= static_cast<int>(kCompactPrefixWidth)) {
        ++whole_ties;
        ASSERT_EQ(literal, 0) << "column " << column << " round " << round;
        ASSERT_EQ(la, lb);
      }
    }
  }
  EXPECT_GT(decided, 10000);
  EXPECT_GT(whole_ties, 1000);
  EXPECT_GT(without, 1000);
}

// Re-placing a few changed entries gives the full sort's order, ties included, for every
// column and direction, whether the changed entries moved or not.
TEST(SortDisplayOrderTest, AfterChangesMatchesTheFullSort) {
  std::mt19937 rng(7);
  const char* statuses[] = {"", "Selected", "Deleted", "Duplicated"};
  for (int round = 0; round < 2000; ++round) {
    std::string lines;
    const int n = 1 + static_cast<int>(rng() % 30);
    for (int i = 0; i < n; ++i) {
      lines += std::string(1, static_cast<char>('A' + rng() % 3)) + "\tx\t" +
               std::to_string(70 + rng() % 3) + "\t10\t3\tT\t" + statuses[rng() % 4] + "\r\n";
    }
    Roster r = testing::Loaded(lines);
    r.SortColumn = static_cast<int>(1 + rng() % 8) * (rng() % 2 ? 1 : -1);
    std::shuffle(r.DisplayOrder.begin(), r.DisplayOrder.end(), rng);
    SortDisplayOrder(r);
    ASSERT_TRUE(IsDisplayOrderSorted(r));
    std::vector<int> changed;
    for (int e = 0; e < n; ++e) {
      if (rng() % 4 != 0) continue;
      SetStatus(r.Entries[static_cast<std::size_t>(e)], statuses[rng() % 4]);
      changed.push_back(e);
    }
    Roster full = r;
    testing::LiteralDisplaySort(full);
    // Looking only beside the changed entries tells whether the order still stands, and
    // when it does the sort leaves it as it is.
    std::vector<std::size_t> positions;
    for (std::size_t pos = 0; pos < r.DisplayOrder.size(); ++pos) {
      if (std::find(changed.begin(), changed.end(), r.DisplayOrder[pos]) != changed.end()) {
        positions.push_back(pos);
      }
    }
    const bool still_sorted = IsDisplayOrderSortedAround(r, positions);
    ASSERT_EQ(still_sorted, IsDisplayOrderSorted(r)) << "round " << round;
    if (still_sorted) {
      ASSERT_EQ(r.DisplayOrder, full.DisplayOrder) << "round " << round;
    }
    SortDisplayOrderAfterChanges(r, changed);
    ASSERT_EQ(r.DisplayOrder, full.DisplayOrder) << "round " << round << " column " << r.SortColumn;
  }
}

}  // namespace
}  // namespace kestrio::roster
