#pragma once

// The tree of clubs, weight classes, ages, ratings and statuses, and the filter that the
// selected tree node puts on the list.

#include <array>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "roster/roster.h"
#include "roster/roster_writer.h"
#include "ui/tree_pane.h"
#include "ui/view_state.h"

namespace kestrio::ui {

// The label of the leaf an entry belongs to under a branch: the club, rating or status
// without blanks; the weight class cut to 4 and the age in years cut to 3 characters,
// right-aligned; "Unassigned" for a blank value.
std::string LeafLabel(TreeBranch branch, const roster::Participant& entry);

// The leaves the tree pane holds, per branch, in their sorted order. Leaves accumulate
// until the bare tree is shown again; a value that no longer occurs keeps its leaf.
class TreeLeaves {
 public:
  // Forgets every leaf and shows the bare tree.
  void ShowBare(TreePane& pane);

  // Inserts the leaves that are missing for the roster's entries, branch by branch in
  // storage order. Two values with the same label (a club written with and without
  // leading blanks, two weight classes that agree in their first four characters) share
  // one leaf.
  void Update(const roster::Roster& roster, TreePane& pane);
  // The same when only these entries (storage indices) changed since the last Update.
  void UpdateEntries(const roster::Roster& roster, const std::vector<std::int32_t>& entries,
                     TreePane& pane);

  const std::vector<std::string>& Leaves(TreeBranch branch) const;

 private:
  void Insert(TreeBranch branch, const roster::Participant& entry, TreePane& pane);

  // Labels in ascending byte order: a label preceded by blanks sorts before one without,
  // and upper case before lower case.
  std::array<std::vector<std::string>, kTreeBranches.size()> leaves_;
  // The same labels without blanks, to find a leaf without scanning.
  std::array<std::unordered_set<std::string>, kTreeBranches.size()> keys_;
};

// A tree selection: sets TreeFilterText, FilterBranch and, for the root or a branch node,
// the roster's SortColumn. The caller sorts and refills.
void ApplyTreeSelection(const TreeNode& node, ViewState& view, roster::Roster& roster);

// The filter of the selected tree node and of the find box, prepared once for testing
// many entries.
//
// Club and status leaves compare the texts without blanks. Weight class, age and rating
// leaves compare numbers read as single-precision reals. The age filter compares with
// the entry's age in whole years (AgeYears), the field its leaves are built from, so a
// leaf always lists the entries that produced it, fractional ages included. The
// "Unassigned" leaf of a numeric branch lists the entries whose field is blank.
//
// The find box's words must each occur in the surname, the first name or the club,
// without regard to the case of A-Z ("smi eag" finds Smith of the Eagles).
class TreeFilter {
 public:
  explicit TreeFilter(const ViewState& view);
  bool Matches(const roster::Participant& entry) const;
  bool IsNone() const { return branch_ == TreeBranch::None && find_words_.empty(); }

 private:
  bool MatchesNode(const roster::Participant& entry) const;
  bool MatchesFind(const roster::Participant& entry) const;

  TreeBranch branch_;
  std::string text_;  // the label without blanks; empty for "Unassigned"
  bool has_number_ = false;
  float number_ = 0;
  std::vector<std::string> find_words_;  // lower case
};

// Whether the entry is displayed under the view's current filter.
bool MatchesTreeFilter(const ViewState& view, const roster::Participant& entry);

// The filter for the data-file save and the display-data listing; empty (every entry)
// when no leaf is selected.
roster::EntryFilter DisplayedEntries(const ViewState& view);

}  // namespace kestrio::ui
