#include "ui/tree_view.h"

#include <algorithm>
#include <unordered_set>

#include "base/number_text.h"
#include "roster/participant.h"

namespace kestrio::ui {

namespace {

using roster::ColumnId;
using roster::Participant;

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::size_t BranchIndex(TreeBranch branch) { return static_cast<std::size_t>(branch) - 1; }

std::string_view BranchValue(TreeBranch branch, const Participant& entry) {
  switch (branch) {
    case TreeBranch::Club:
      return entry.Club.view();
    case TreeBranch::WeightClass:
      return entry.WeightClass.view();
    case TreeBranch::Age:
      return entry.AgeYears.view();
    case TreeBranch::Rating:
      return entry.Rating.view();
    case TreeBranch::Status:
      return entry.Status.view();
    case TreeBranch::None:
      break;
  }
  return {};
}

// The first `width` characters after the leading blanks, right-aligned in `width`.
std::string CutNumberLabel(std::string_view value, std::size_t width) {
  const std::string_view rest = text::WithoutLeadingBlanks(value);
  return text::PadLeft(text::TrimTrailing(rest.substr(0, std::min(rest.size(), width))), width);
}

}  // namespace

std::string LeafLabel(TreeBranch branch, const Participant& entry) {
  const std::string_view value = BranchValue(branch, entry);
  if (text::WithoutBlanks(value).empty()) return std::string(roster::ParticipantStatus::Unassigned);
  switch (branch) {
    case TreeBranch::WeightClass:
      return CutNumberLabel(value, 4);
    case TreeBranch::Age:
      return CutNumberLabel(value, 3);
    default:
      return std::string(text::WithoutBlanks(value));
  }
}

void TreeLeaves::ShowBare(TreePane& pane) {
  for (auto& leaves : leaves_) leaves.clear();
  for (auto& keys : keys_) keys.clear();
  pane.ShowBareTree();
}

void TreeLeaves::Update(const roster::Roster& roster, TreePane& pane) {
  for (TreeBranch branch : kTreeBranches) {
    // Most entries share a value with an earlier one; skip those before building labels.
    std::unordered_set<std::string_view> seen;
    for (const Participant& entry : roster.Entries) {
      if (!seen.insert(text::WithoutBlanks(BranchValue(branch, entry))).second) continue;
      Insert(branch, entry, pane);
    }
  }
}

void TreeLeaves::UpdateEntries(const roster::Roster& roster,
                               const std::vector<std::int32_t>& entries, TreePane& pane) {
  for (TreeBranch branch : kTreeBranches) {
    for (const std::int32_t e : entries) {
      Insert(branch, roster.Entries[static_cast<std::size_t>(e)], pane);
    }
  }
}

void TreeLeaves::Insert(TreeBranch branch, const Participant& entry, TreePane& pane) {
  std::vector<std::string>& leaves = leaves_[BranchIndex(branch)];
  std::string label = LeafLabel(branch, entry);
  // Leaves are told apart by their label without blanks, so the same label is never
  // inserted twice however long the value it was cut from.
  if (!keys_[BranchIndex(branch)].insert(std::string(text::WithoutBlanks(label))).second) return;
  const auto at = std::lower_bound(leaves.begin(), leaves.end(), label);
  const int position = static_cast<int>(at - leaves.begin());
  leaves.insert(at, label);
  pane.InsertLeaf(branch, position, label);
}

const std::vector<std::string>& TreeLeaves::Leaves(TreeBranch branch) const {
  return leaves_[BranchIndex(branch)];
}

void ApplyTreeSelection(const TreeNode& node, ViewState& view, roster::Roster& roster) {
  view.TreeFilterText.Assign(node.label);
  view.FilterBranch = node.kind == TreeNodeKind::Leaf ? node.branch : TreeBranch::None;
  if (node.kind == TreeNodeKind::Root) {
    roster.SortColumn = static_cast<int>(ColumnId::Weight);
  } else if (node.kind == TreeNodeKind::Branch) {
    switch (node.branch) {
      case TreeBranch::Club:
        roster.SortColumn = static_cast<int>(ColumnId::Club);
        break;
      case TreeBranch::WeightClass:
        roster.SortColumn = static_cast<int>(ColumnId::Weight);
        break;
      case TreeBranch::Age:
        roster.SortColumn = static_cast<int>(ColumnId::Age);
        break;
      case TreeBranch::Rating:
        roster.SortColumn = static_cast<int>(ColumnId::Rating);
        break;
      case TreeBranch::Status:
        roster.SortColumn = static_cast<int>(ColumnId::Status);
        break;
      case TreeBranch::None:
        break;
    }
  }
}

TreeFilter::TreeFilter(const ViewState& view) : branch_(view.FilterBranch) {
  text_ = std::string(view.TreeFilterText.WithoutBlanks());
  // The "Unassigned" leaf stands for the blank value.
  if (text_ == roster::ParticipantStatus::Unassigned) text_.clear();
  if (const auto n = text::ReadFloat(text_)) {
    has_number_ = true;
    number_ = *n;
  }
  std::string word;
  for (const char c : view.FindText + ' ') {
    if (c == ' ' || c == '\t') {
      if (!word.empty()) find_words_.push_back(std::move(word));
      word.clear();
    } else {
      word += LowerAscii(c);
    }
  }
}

bool TreeFilter::Matches(const Participant& entry) const {
  return MatchesNode(entry) && (find_words_.empty() || MatchesFind(entry));
}

bool TreeFilter::MatchesFind(const Participant& entry) const {
  std::string haystack;
  for (std::string_view field : {entry.LastName.WithoutBlanks(), entry.FirstName.WithoutBlanks(),
                                 entry.Club.WithoutBlanks()}) {
    for (const char c : field) haystack += LowerAscii(c);
    haystack += '\n';  // a word never spans two fields
  }
  return std::all_of(find_words_.begin(), find_words_.end(), [&](const std::string& word) {
    return haystack.find(word) != std::string::npos;
  });
}

bool TreeFilter::MatchesNode(const Participant& entry) const {
  switch (branch_) {
    case TreeBranch::None:
      return true;
    case TreeBranch::Club:
      return entry.Club.WithoutBlanks() == text_;
    case TreeBranch::Status:
      return entry.Status.WithoutBlanks() == text_;
    case TreeBranch::WeightClass:
    case TreeBranch::Age:
    case TreeBranch::Rating: {
      const std::string_view value = BranchValue(branch_, entry);
      if (text_.empty()) return text::WithoutBlanks(value).empty();
      if (!has_number_) return false;
      const auto n = text::ReadFloat(value);
      return n.has_value() && *n == number_;
    }
  }
  return false;
}

bool MatchesTreeFilter(const ViewState& view, const Participant& entry) {
  return TreeFilter(view).Matches(entry);
}

roster::EntryFilter DisplayedEntries(const ViewState& view) {
  TreeFilter filter(view);
  if (filter.IsNone()) return {};
  return [filter](const Participant& entry) { return filter.Matches(entry); };
}

}  // namespace kestrio::ui
