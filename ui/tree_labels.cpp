#include "ui/tree_pane.h"

namespace kestrio::ui {

std::string_view BranchLabel(TreeBranch branch) {
  switch (branch) {
    case TreeBranch::Club:
      return "By Club";
    case TreeBranch::WeightClass:
      return "By Weight Class";
    case TreeBranch::Age:
      return "By Age";
    case TreeBranch::Rating:
      return "By Rating";
    case TreeBranch::Status:
      return "By Status";
    case TreeBranch::None:
      break;
  }
  return {};
}

}  // namespace kestrio::ui
