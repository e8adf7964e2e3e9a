#pragma once

// Which mat each bout goes to and when: the order of the day after the pairing.
//
// The day is cut into slots of one bout length; every mat holds at most one bout per
// slot. The schedule keeps these rules:
// - every bout gets a mat and a slot;
// - no wrestler is in two bouts of one slot;
// - between two bouts of one wrestler lie at least `rest` other slots;
// - a wrestler's bouts keep the order of their rounds (ties by bout number);
// - a bout goes to a mat whose weight-class range holds its class. A bout whose class
//   no mat holds goes to the mats whose ranges lie nearest (named in OutOfRange).
// Within those rules it keeps the day short (the last slot used, then the mats' idle
// slots) and lets each mat run its bouts in rising weight class where rest allows, the
// way a round is called from the lightest to the heaviest.
//
// The same bouts and settings always give the same schedule.

#include <cstdint>
#include <span>
#include <vector>

namespace kestrio::schedule {

// The most mats a schedule runs on.
inline constexpr int kMaxMats = 64;

// One bout as the scheduler sees it; names and clubs stay with the caller.
struct ScheduleBout {
  // The bout number the organiser calls out (negative for a non-optimum bout).
  std::int32_t Number = 0;
  // 1-based round of the pairing.
  int Round = 1;
  std::int32_t WeightClass = 0;
  // The two wrestlers, as 0-based indices into the caller's list. A negative index
  // stands for nobody: that side binds nothing.
  int WrestlerA = -1;
  int WrestlerB = -1;
};

// The weight classes a mat takes, both ends included.
struct ClassRange {
  std::int32_t Low = 0;
  std::int32_t High = 0;
  bool Holds(std::int32_t weight_class) const {
    return weight_class >= Low && weight_class <= High;
  }
  friend bool operator==(const ClassRange&, const ClassRange&) = default;
};

// A mat's weight classes: any class when no range is set.
struct MatClasses {
  bool Limited = false;
  ClassRange Range;
  friend bool operator==(const MatClasses&, const MatClasses&) = default;
};

struct ScheduleRules {
  // Number of mats, at least 1.
  int Mats = 1;
  // Other slots that lie at least between two bouts of one wrestler.
  int Rest = 3;
  // Per mat, 0-based; mats past the end of the list take any class.
  std::vector<MatClasses> Classes;
};

struct MatSchedule {
  // Per bout, in the order given: its 0-based mat and 0-based slot.
  std::vector<int> Mat;
  std::vector<int> Slot;
  // Slots from the first to the last one used (0 without bouts).
  int SlotsUsed = 0;
  // max(ceil(bouts / mats), max over wrestlers of (bouts - 1) x (rest + 1) + 1): no
  // schedule can be shorter.
  int LowerBound = 0;
  // Slots on which a mat stands idle before its own last bout.
  int IdleSlots = 0;
  // Bouts (indices in the order given) that no mat's range holds.
  std::vector<int> OutOfRange;
  // Wrestlers with two bouts closer than the rest asked, in rising index order.
  std::vector<int> ShortRest;
};

// The lower bound of the day's length (see MatSchedule::LowerBound).
int LowerBound(std::span<const ScheduleBout> bouts, int mats, int rest);

// Schedules every bout on rules.Mats mats (taken into 1 to kMaxMats).
MatSchedule ScheduleMats(std::span<const ScheduleBout> bouts, const ScheduleRules& rules);

// The wrestlers whose bouts in schedule rest less than `rest` slots apart or share a
// slot, in rising index order: what ScheduleMats reports as ShortRest, computed from any
// placement (tests hold the scheduler to it).
std::vector<int> WrestlersShortOfRest(std::span<const ScheduleBout> bouts,
                                      const std::vector<int>& slot, int rest);

}  // namespace kestrio::schedule
