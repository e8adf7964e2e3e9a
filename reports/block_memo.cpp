#include "reports/block_memo.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace kestrio::reports {

void BlockMemo::Name(std::vector<std::int32_t> wrestlers, std::vector<std::int32_t> bouts) {
  wrestler_names_ = std::move(wrestlers);
  bout_names_ = std::move(bouts);
}

namespace {

using pairing::BoutEntry;
using pairing::SelectedParticipant;

// Texts and numbers alike, byte for byte.
bool SameTexts(const SelectedParticipant& a, const SelectedParticipant& b) {
  static_assert(sizeof(SelectedParticipant) == 3 * 32 + 3 * sizeof(float),
                "a selected wrestler is his texts and numbers, without padding");
  return std::memcmp(&a, &b, sizeof a) == 0;
}

bool SameNumber(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The entry holds the wrestler's texts as a run makes its entries from the selection.
bool CarriesTexts(const BoutEntry& e, const SelectedParticipant& s) {
  return e.LastName.view() == s.LastName.view() && e.FirstName.view() == s.FirstName.view() &&
         e.Club.view() == s.Club.view().substr(0, e.Club.view().size()) &&
         SameNumber(e.Weight, s.Weight) && SameNumber(e.Age, s.Age) &&
         SameNumber(e.Rating, s.Rating);
}

}  // namespace

bool BlockMemo::See(const pairing::PairingRun& run) {
  const std::vector<SelectedParticipant>& selected = run.SelectedList;
  if (wrestler_names_.size() != selected.size()) return false;
  std::vector<bool> named;
  for (const std::int32_t name : wrestler_names_) {
    if (name < 0) return false;
    if (static_cast<std::size_t>(name) >= named.size()) named.resize(name + std::size_t{1}, false);
    if (named[static_cast<std::size_t>(name)]) return false;
    named[static_cast<std::size_t>(name)] = true;
  }
  for (const BoutEntry& e : run.BoutList) {
    if (e.SelectionIndex < 0 || static_cast<std::size_t>(e.SelectionIndex) >= selected.size() ||
        !CarriesTexts(e, selected[static_cast<std::size_t>(e.SelectionIndex)]))
      return false;
  }
  bool changed = false;
  for (std::size_t i = 0; i < selected.size(); ++i) {
    const auto name = static_cast<std::size_t>(wrestler_names_[i]);
    if (name >= texts_.size()) {
      texts_.resize(name + 1);
      seen_.resize(name + 1, false);
    }
    if (seen_[name] && !SameTexts(texts_[name], selected[i])) changed = true;
    texts_[name] = selected[i];
    seen_[name] = true;
  }
  if (changed) {
    for (std::vector<Kept>& kept : kept_) kept.clear();
    alpha_ = AlphaKept();
  }
  return true;
}

BlockMemo::Kept* BlockMemo::Find(BlockKind kind, std::size_t index) {
  const bool by_wrestler = kind == BlockKind::kParticipant || kind == BlockKind::kResultsRow;
  const std::vector<std::int32_t>& names = by_wrestler ? wrestler_names_ : bout_names_;
  if (index >= names.size() || names[index] < 0) return nullptr;
  std::vector<Kept>& kept = kept_[static_cast<int>(kind)];
  const auto name = static_cast<std::size_t>(names[index]);
  if (name >= kept.size()) kept.resize(name + 1);
  return &kept[name];
}

void BlockMemo::EndWriting() {
  for (std::vector<Kept>& kept : kept_) {
    for (Kept& k : kept) {
      if (k.writing != writing_) k = Kept();
    }
  }
  ++writing_;
}

}  // namespace kestrio::reports
