#pragma once

// The tree pane: a root, five branches and the value leaves under them.
//
// Abstract so that tests can read the leaves back. The core decides the labels and the
// position of every leaf (tree_view.h); the pane only inserts where it is told.

#include <array>
#include <string>
#include <string_view>

namespace kestrio::ui {

// The branch a leaf hangs under, and the filter that selecting such a leaf sets.
enum class TreeBranch { None, Club, WeightClass, Age, Rating, Status };

inline constexpr std::string_view kTreeRootLabel = "Kestrio Info";

// The five branches in their order under the root.
inline constexpr std::array<TreeBranch, 5> kTreeBranches = {
    TreeBranch::Club, TreeBranch::WeightClass, TreeBranch::Age, TreeBranch::Rating,
    TreeBranch::Status};

// "By Club", "By Weight Class", "By Age", "By Rating", "By Status"; empty for None.
std::string_view BranchLabel(TreeBranch branch);

enum class TreeNodeKind { Root, Branch, Leaf };

// A node as the pane reports a selection: for a branch node `branch` is the branch
// itself, for a leaf it is the branch the leaf hangs under (its parent).
struct TreeNode {
  TreeNodeKind kind = TreeNodeKind::Root;
  TreeBranch branch = TreeBranch::None;
  std::string label;
};

class TreePane {
 public:
  virtual ~TreePane() = default;
  // Deletes the root and everything under it, then inserts the root and the five
  // branches (kTreeBranches, labelled by BranchLabel). No node is selected afterwards.
  virtual void ShowBareTree() = 0;
  // Inserts a leaf under the branch so that it becomes the branch's child number
  // `position` (0-based) among the leaves already there.
  virtual void InsertLeaf(TreeBranch branch, int position, const std::string& label) = 0;
};

}  // namespace kestrio::ui
