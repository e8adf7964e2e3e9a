#pragma once

// The wrestlers still free to be taken as partners in the current round, as positions
// 0..n-1 of the weight order, with a fast step to the nearest free position on either
// side. A partner search late in a round would otherwise walk past every wrestler
// already paired in it.

#include <cstdint>
#include <vector>

namespace kestrio::pairing {

class FreeList {
 public:
  // Every position from 0 to n-1 is free until Take.
  void Reset(int n);
  // Position pos is no longer free (taking it twice is harmless).
  void Take(int pos);
  // The first free position at or after pos; n when none.
  int FreeAtOrAfter(int pos);
  // The last free position at or before pos; -1 when none.
  int FreeAtOrBefore(int pos);

 private:
  // Union-find with path halving: right_[i] leads towards the free position at or
  // after i (right_[n] = n is the end); left_[i + 1] towards the one at or before i
  // (left_[0] = 0 is the start, position -1).
  std::vector<std::int32_t> right_;
  std::vector<std::int32_t> left_;
};

}  // namespace kestrio::pairing
