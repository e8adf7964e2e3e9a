#include "reports/block_memo.h"

#include <utility>

namespace kestrio::reports {

void BlockMemo::Name(std::vector<std::int32_t> wrestlers, std::vector<std::int32_t> bouts) {
  wrestler_names_ = std::move(wrestlers);
  bout_names_ = std::move(bouts);
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
