#include "ui/bouts_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "testing/random_board.h"

namespace kestrio::ui {
namespace {

board::BoutBoard SomeBoard(std::mt19937& rng) {
  for (;;) {
    const roster::Roster roster = testing::RepairRoster(rng, 30);
    board::BoutBoard b = testing::BoardOf(roster, testing::RepairControl(rng));
    if (b.Bouts.size() >= 8) return b;
  }
}

TEST(BoutsView, HighlightedWrestlersShowTheirBoutsAndEveryColumnSorts) {
  std::mt19937 rng(5);
  board::BoutBoard b = SomeBoard(rng);
  b.Bouts[0].MadeByHand = b.Bouts[0].Locked = true;
  b.Bouts[0].Number = -b.Bouts[0].Number;
  EXPECT_EQ(BoutCell(b, b.Bouts[0], 14), "Non-optimum, By hand, Locked");
  EXPECT_EQ(BoutCell(b, b.Bouts[0], 0), std::to_string(b.Bouts[0].Number));

  EXPECT_EQ(BoutsOf(b, {}).size(), b.Bouts.size());
  const int w = b.Bouts[1].First;
  const std::vector<std::int32_t> his = BoutsOf(b, {w});
  EXPECT_FALSE(his.empty());
  for (const std::int32_t p : his) EXPECT_TRUE(b.Bouts[static_cast<std::size_t>(p)].Has(w));
  EXPECT_EQ(static_cast<std::size_t>(std::count_if(b.Bouts.begin(), b.Bouts.end(),
                                                   [w](const board::Bout& x) { return x.Has(w); })),
            his.size());

  const auto number = [&b](std::int32_t p) {
    return std::abs(b.Bouts[static_cast<std::size_t>(p)].Number);
  };
  for (int column = -15; column <= 15; ++column) {
    SCOPED_TRACE(column);
    std::vector<std::int32_t> places = BoutsOf(b, {});
    SortBouts(b, column, places);
    ASSERT_EQ(places.size(), b.Bouts.size());
    for (std::size_t i = 1; i < places.size(); ++i) {
      if (column == 0) {
        EXPECT_LT(number(places[i - 1]), number(places[i]));
        continue;
      }
      // Ties go by bout number; the order is that of the column's cells.
      const int c = std::abs(column) - 1;
      const std::string x = BoutCell(b, b.Bouts[static_cast<std::size_t>(places[i - 1])], c);
      const std::string y = BoutCell(b, b.Bouts[static_cast<std::size_t>(places[i])], c);
      if (c == 3 || c == 4 || c == 8 || c == 9 || c == 14) {
        EXPECT_TRUE(column > 0 ? x <= y : x >= y) << x << " / " << y;
      }
    }
  }
}

// Highlighting a few rows or a long stretch of them finds the same board places: the
// wrestler's own place, the one entered again after a scratch rather than the scratched
// one, each place once, and nobody for a key not on the board.
TEST(BoutsView, HighlightedKeysFindTheirBoardPlacesAndBouts) {
  std::mt19937 rng(11);
  board::BoutBoard b = SomeBoard(rng);
  ASSERT_GE(b.Wrestlers.size(), std::size_t{8});
  b.Wrestlers[2].Scratched = true;
  b.Wrestlers.push_back(b.Wrestlers[2]);
  b.Wrestlers.back().Scratched = false;
  const int again = static_cast<int>(b.Wrestlers.size()) - 1;
  b.Wrestlers[5].Scratched = true;
  // A twin: the same names, club and weight, another rating.
  b.Wrestlers.push_back(b.Wrestlers[6]);
  b.Wrestlers.back().Key.Rating.Assign("99.5");
  const board::WrestlerKey twin = b.Wrestlers.back().Key;
  board::WrestlerKey stranger = b.Wrestlers[0].Key;
  stranger.LastName.Assign("Nobody-on-the-board");

  for (const std::size_t count : {std::size_t{3}, std::size_t{20}}) {
    SCOPED_TRACE(count);
    std::vector<board::WrestlerKey> keys = {b.Wrestlers[2].Key, stranger, b.Wrestlers[5].Key,
                                            b.Wrestlers[2].Key, twin};
    for (std::size_t w = 6; keys.size() < count + 1; ++w) {
      keys.push_back(b.Wrestlers[w % b.Wrestlers.size()].Key);
    }
    std::vector<int> expected;
    for (const board::WrestlerKey& key : keys) {
      const int place = board::FindWrestler(b, key);
      if (place >= 0 && std::find(expected.begin(), expected.end(), place) == expected.end()) {
        expected.push_back(place);
      }
    }
    const std::vector<int> places = BoardPlacesOf(b, keys);
    EXPECT_EQ(places, expected);
    EXPECT_EQ(places.front(), again);
    EXPECT_EQ(places[1], 5);

    const std::vector<std::int32_t> bouts = BoutsOf(b, places);
    std::vector<std::int32_t> theirs;
    for (std::size_t i = 0; i < b.Bouts.size(); ++i) {
      if (std::any_of(places.begin(), places.end(), [&](int w) { return b.Bouts[i].Has(w); })) {
        theirs.push_back(static_cast<std::int32_t>(i));
      }
    }
    EXPECT_EQ(bouts, theirs);
  }
}

// A board after the organiser's edits: bouts taken off leave gaps in the numbers, and a
// schedule made from it must still find every bout, in its own round, by its number.
TEST(BoutsView, ScheduledBoardShowsMatAndTimeForEveryBout) {
  std::mt19937 rng(9);
  for (int trial = 0; trial < 20; ++trial) {
    SCOPED_TRACE(trial);
    board::BoutBoard b = SomeBoard(rng);
    for (std::size_t i = 0; i < b.Bouts.size();) {
      if (rng() % 4 == 0) {
        b.Bouts.erase(b.Bouts.begin() + static_cast<std::ptrdiff_t>(i));
      } else {
        ++i;
      }
    }
    schedule::MatSettings settings;
    settings.Mats = 1 + static_cast<int>(rng() % 4);
    settings.Rest = static_cast<int>(rng() % 3);
    const reports::MatDay day = reports::ScheduleRun(board::BoardRun(b), settings);
    ASSERT_EQ(day.bouts.size(), b.Bouts.size());
    std::set<std::pair<int, int>> cells;
    for (const board::Bout& bout : b.Bouts) {
      const int i = reports::FindScheduledBout(day, -bout.Number);
      ASSERT_GE(i, 0);
      const schedule::ScheduleBout& s = day.bouts[static_cast<std::size_t>(i)];
      EXPECT_EQ(s.Number, bout.Number);
      EXPECT_EQ(s.Round, bout.Round);
      EXPECT_TRUE(cells
                      .insert({day.schedule.Mat[static_cast<std::size_t>(i)],
                               day.schedule.Slot[static_cast<std::size_t>(i)]})
                      .second);
      EXPECT_EQ(BoutCell(b, bout, kMatColumn, &day), std::to_string(reports::MatOfBout(day, i)));
      EXPECT_EQ(BoutCell(b, bout, kTimeColumn, &day), reports::StartOfBout(day, i));
      EXPECT_EQ(BoutCell(b, bout, kTimeColumn), "");
    }
    EXPECT_EQ(reports::FindScheduledBout(day, 0), -1);
    EXPECT_EQ(reports::FindScheduledBout(day, b.HighestNumber + 1), -1);

    std::vector<std::int32_t> places = BoutsOf(b, {});
    SortBouts(b, kTimeColumn + 1, places, &day);
    for (std::size_t i = 1; i < places.size(); ++i) {
      const auto at = [&](std::size_t k) {
        return reports::FindScheduledBout(day, b.Bouts[static_cast<std::size_t>(places[k])].Number);
      };
      EXPECT_LE(day.schedule.Slot[static_cast<std::size_t>(at(i - 1))],
                day.schedule.Slot[static_cast<std::size_t>(at(i))]);
    }
  }
}

}  // namespace
}  // namespace kestrio::ui
