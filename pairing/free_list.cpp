#include "pairing/free_list.h"

#include <numeric>

namespace kestrio::pairing {
namespace {

std::int32_t Find(std::vector<std::int32_t>& parent, std::int32_t i) {
  while (parent[i] != i) {
    parent[i] = parent[parent[i]];
    i = parent[i];
  }
  return i;
}

}  // namespace

void FreeList::Reset(int n) {
  right_.resize(static_cast<std::size_t>(n) + 1);
  left_.resize(static_cast<std::size_t>(n) + 1);
  std::iota(right_.begin(), right_.end(), 0);
  std::iota(left_.begin(), left_.end(), 0);
}

void FreeList::Take(int pos) {
  right_[pos] = pos + 1;
  left_[pos + 1] = pos;
}

int FreeList::FreeAtOrAfter(int pos) { return Find(right_, pos); }

int FreeList::FreeAtOrBefore(int pos) { return Find(left_, pos + 1) - 1; }

}  // namespace kestrio::pairing
