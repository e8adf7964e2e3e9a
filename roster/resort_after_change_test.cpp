#include "roster/resort_after_change.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "roster/sort_display_order.h"
#include "roster/sort_key.h"
#include "testing/exchange_sort.h"
#include "testing/literal_sort_keys.h"

namespace kestrio::roster {
namespace {

// Few names, weights and statuses, so that long runs of entries share a key.
Participant RandomEntry(std::mt19937& rng) {
  static const char* kNames[] = {"Ames", "Bo", "Cruz"};
  static const char* kStatus[] = {"", "Selected", "Deleted"};
  Participant p;
  p.LastName.Assign(kNames[rng() % 2]);
  p.FirstName.Assign(kNames[rng() % 3]);
  p.Weight.Assign(text::PadLeft(std::to_string(rng() % 2 * 5 + 8) + ".50", 10));
  p.Age.Assign(text::PadLeft("9.00", 10));
  p.Rating.Assign(text::PadLeft("3.00", 10));
  p.Club.Assign(rng() % 2 ? "Hawks" : "Owls");
  p.Status.Assign(kStatus[rng() % 3]);
  return p;
}

// Entries sharing the key of column |column| with entry x, x among them, in storage order.
std::vector<int> SameKey(const Roster& r, int x) {
  std::vector<int> same;
  for (int e = 0; e < r.EntryCount(); ++e) {
    if (CompareSortKeys(std::abs(r.SortColumn), r.Entries[static_cast<std::size_t>(e)],
                        r.Entries[static_cast<std::size_t>(x)]) == 0) {
      same.push_back(e);
    }
  }
  return same;
}

// Long commands over rosters full of ties: after every change of one entry, of several
// of one key, or (now and then) of entries of different keys, the order is the one a
// full sort from the previous order gives, and the literal exchange sort agrees.
TEST(ResortAfterChangeTest, EveryChangeGivesTheOrderOfAFullSort) {
  std::mt19937 rng(20261209);
  static const char* kStatus[] = {"", "Selected", "Deleted", "Duplicated"};
  for (int round = 0; round < 160; ++round) {
    Roster fast;
    const int n = 1 + static_cast<int>(rng() % 70);
    for (int i = 0; i < n; ++i) fast.Entries.push_back(RandomEntry(rng));
    ResetDisplayOrder(fast);
    fast.SortColumn = (1 + round % kSortKeyColumns) * (round % 16 < 8 ? 1 : -1);
    const bool shuffled = round % 5 == 0;
    if (shuffled) {
      std::shuffle(fast.DisplayOrder.begin(), fast.DisplayOrder.end(), rng);
    } else {
      SortDisplayOrder(fast);
    }
    Roster slow = fast;
    ResortAfterChange resort(fast);
    for (int step = 0; step < 60; ++step) {
      std::vector<int> changing;
      if (step > 0 || !shuffled) {
        const std::vector<int> same = SameKey(fast, static_cast<int>(rng() % n));
        for (int e : same) {
          if (changing.empty() || rng() % 3 == 0) changing.push_back(e);
        }
        if (rng() % 10 == 0) changing.push_back(static_cast<int>(rng() % n));
        std::sort(changing.begin(), changing.end());
        changing.erase(std::unique(changing.begin(), changing.end()), changing.end());
      }
      const char* status = kStatus[rng() % 4];
      const bool reweigh = rng() % 4 == 0;
      resort.BeforeChange(changing);
      for (Roster* r : {&fast, &slow}) {
        for (int e : changing) {
          Participant& p = r->Entries[static_cast<std::size_t>(e)];
          p.Status.Assign(status);
          if (reweigh) p.Weight.Assign(text::PadLeft("13.50", 10));
        }
      }
      resort.AfterChange();
      SortDisplayOrder(slow);
      ASSERT_EQ(fast.DisplayOrder, slow.DisplayOrder)
          << "round " << round << " step " << step << " column " << fast.SortColumn;
      if (step % 15 == 14) {
        Roster literal = slow;
        testing::LiteralDisplaySort(literal);
        ASSERT_EQ(literal.DisplayOrder, slow.DisplayOrder) << "round " << round;
      }
    }
  }
}

// An entry passing classes of equal keys on its way to the front turns each of them, and
// the class it leaves turns its members ahead of it: here the status column ties on
// everything but the status, so the three unassigned entries form one class.
TEST(ResortAfterChangeTest, AnEntryMovedForwardTurnsTheClassesItPasses) {
  Roster r;
  for (const char* status : {"", "", "", "Selected", "Selected"}) {
    Participant p;
    p.LastName.Assign("Ames");
    p.Weight.Assign(text::PadLeft("8.50", 10));
    p.Status.Assign(status);
    r.Entries.push_back(p);
  }
  r.SortColumn = -7;  // Selected first, then the unassigned
  r.DisplayOrder = {3, 4, 0, 1, 2};
  ResortAfterChange resort(r);
  resort.BeforeChange({2});
  r.Entries[2].Status.Assign("UnSelected");  // before both classes in descending order
  resort.AfterChange();
  Roster literal = r;
  testing::LiteralDisplaySort(literal);
  EXPECT_EQ(r.DisplayOrder, literal.DisplayOrder);
  EXPECT_EQ(r.DisplayOrder, (std::vector<std::int32_t>{2, 4, 3, 1, 0}));
}

}  // namespace
}  // namespace kestrio::roster
