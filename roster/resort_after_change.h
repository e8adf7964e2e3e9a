#pragma once

// Keeping DisplayOrder sorted while a command changes a few entries at a time and sorts
// after every change: Toggle or Delete over a thousand highlighted rows of a 50,000-entry
// roster sorts a thousand times, and each sort must cost what the entries it moves pass
// over, not the whole roster.
//
// After every change the order is the one SortDisplayOrder would give, ties included.
// The exchange sort that defines it, started from a sorted order in which only the
// changed entries (all of one key before and one key after) stand out of place, moves
// them to their new key and turns each class of equal keys they pass on the way, so the
// work is a shift of the stretch between the old and the new place and a rotation of
// the few classes there of more than one entry.

#include <cstdint>
#include <vector>

#include "roster/roster.h"

namespace kestrio::roster {

class ResortAfterChange {
 public:
  // The roster's entries must not be added or removed while this is used. Whether the
  // order is sorted is found out here, at the cost of one pass.
  explicit ResortAfterChange(Roster& roster);

  // Call with the entries (storage indices, each once) about to change, before they do.
  void BeforeChange(const std::vector<int>& entries);
  // Call once they changed: DisplayOrder becomes what SortDisplayOrder gives now. An
  // order that was not sorted to begin with is sorted in full the first time, also when
  // no entry changed.
  void AfterChange();

 private:
  int Compare(const Participant& a, const Participant& b) const;
  const Participant& At(std::size_t pos) const;
  // Equal keys at pos and pos + 1, recomputed from the entries.
  void Refresh(std::ptrdiff_t pos);
  void RefreshAll();
  void MoveLater();
  void MoveEarlier();
  void SortChangedInFull();

  Roster& roster_;
  int column_ = 0;
  bool in_range_ = false;
  bool sorted_ = false;
  // equal_next_[pos]: the keys at pos and pos + 1 are equal (0 at the last position).
  std::vector<std::uint8_t> equal_next_;
  // The entries of the change under way, their positions (ascending) and old key.
  std::vector<int> changing_;
  std::vector<std::size_t> positions_;
  Participant old_key_;
  // The old key's class of equal entries, [class_begin_, class_end_).
  std::size_t class_begin_ = 0;
  std::size_t class_end_ = 0;
  // The change cannot be followed by moving its entries (they did not share one key).
  bool in_full_ = false;
  std::vector<std::uint8_t> is_changing_;
};

}  // namespace kestrio::roster
