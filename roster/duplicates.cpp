#include "roster/duplicates.h"

#include <string>
#include <unordered_set>
#include <vector>

#include "roster/sort_display_order.h"

namespace kestrio::roster {
namespace {

// A field as duplicates are matched: without leading or trailing blanks, A-Z lowered.
// The length goes first so that no two field lists share one identity.
template <std::size_t N>
void AppendNormalised(std::string& identity, const FixedText<N>& field) {
  const std::string_view s = field.WithoutBlanks();
  identity.append(std::to_string(s.size())).push_back(':');
  for (char c : s) identity.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
}

std::string Identity(const Participant& p) {
  std::string identity;
  AppendNormalised(identity, p.Weight);
  AppendNormalised(identity, p.Age);
  AppendNormalised(identity, p.Rating);
  AppendNormalised(identity, p.LastName);
  AppendNormalised(identity, p.FirstName);
  AppendNormalised(identity, p.Club);
  return identity;
}

}  // namespace

// Matching is an equivalence, so "matches an earlier non-deleted entry" is the same as
// "its identity was seen before" in one walk over storage order.
void TagDuplicates(Roster& roster) {
  std::unordered_set<std::string> seen;
  seen.reserve(roster.Entries.size());
  for (Participant& p : roster.Entries) {
    if (IsDeleted(p)) continue;
    if (seen.insert(Identity(p)).second) continue;
    SetStatus(p, ParticipantStatus::Duplicated);
  }
  SortDisplayOrder(roster);
}

void EmptyTrash(Roster& roster) {
  std::vector<Participant> kept;
  kept.reserve(roster.Entries.size());
  for (Participant& p : roster.Entries) {
    if (!IsDeleted(p)) kept.push_back(std::move(p));
  }
  roster.Entries = std::move(kept);
  ResetDisplayOrder(roster);
  SortDisplayOrder(roster);
}

}  // namespace kestrio::roster
