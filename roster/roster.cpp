#include "roster/roster.h"

#include <numeric>

namespace kestrio::roster {

void ClearRoster(Roster& roster) {
  // Release the storage rather than keep it: Clear All is how the organiser starts over.
  std::vector<Participant>().swap(roster.Entries);
  roster.KeyCount = 0;
  roster.DisplayOrder.clear();
}

void ResetDisplayOrder(Roster& roster) {
  roster.DisplayOrder.assign(roster.Entries.size(), 0);
  std::iota(roster.DisplayOrder.begin(), roster.DisplayOrder.end(), 0);
}

void AppendRoster(Roster& target, const Roster& source) {
  if (source.Entries.empty()) return;
  target.Entries.insert(target.Entries.end(), source.Entries.begin(), source.Entries.end());
  target.KeyCount = source.KeyCount;
}

}  // namespace kestrio::roster
