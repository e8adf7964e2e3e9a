#pragma once

// What a command changed in the roster, kept so that Edit > Undo can take it back and
// Edit > Redo do it again.
//
// A change is found by comparing the roster with a snapshot taken before the command,
// and holds only what differs: a status change is a few bytes per entry (the statuses
// are kept once per change and referred to by number), an edited entry its fields before
// and after, an Open the entries it appended, an Empty Trash the entries it removed and
// where they stood, and of the display order only the stretch that moved. A hundred
// steps on a roster of ten thousand therefore stay far below a copy of it each.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "roster/roster.h"

namespace kestrio::ui {

// The roster as it was before a command.
struct RosterSnapshot {
  std::vector<roster::Participant> entries;
  std::vector<std::int32_t> order;
  int sort_column = 3;
  int key_count = 0;
};

RosterSnapshot TakeSnapshot(const roster::Roster& roster);

class RosterChange {
 public:
  // What turned the snapshot into the roster as it is now.
  static RosterChange Between(const RosterSnapshot& before, const roster::Roster& after);

  bool empty() const;
  // The roster must be as the change left it; afterwards it is as the snapshot was. So
  // is the display order, unless the organiser sorted the list since: then the entries
  // are shown in the list's present order.
  void Revert(roster::Roster& roster) const;
  // The same the other way: from the snapshot's roster to the change's.
  void Reapply(roster::Roster& roster) const;

  // Entries whose status alone changed, whose other fields changed, appended, removed.
  int StatusChanges() const { return static_cast<int>(status_edits_.size()); }
  int FieldChanges() const { return static_cast<int>(field_edits_.size()); }
  int Appended() const { return static_cast<int>(appended_.size()); }
  int Removed() const { return static_cast<int>(removed_.size()); }
  // The entries (storage indices) whose status or other fields changed; when none were
  // appended or removed, these are all the entries the change touched.
  std::vector<std::int32_t> EditedEntries() const;
  // Roughly what the change keeps in memory, for bounding the undo history.
  std::size_t Bytes() const;

 private:
  struct StatusEdit {
    std::int32_t entry;
    std::uint16_t before;
    std::uint16_t after;
  };
  struct FieldEdit {
    std::int32_t entry;
    roster::Participant before;
    roster::Participant after;
  };

  std::uint16_t StatusNumber(const text::FixedText<15>& status);

  std::vector<text::FixedText<15>> statuses_;
  std::vector<StatusEdit> status_edits_;
  std::vector<FieldEdit> field_edits_;
  // Storage index before the change, rising.
  std::vector<std::pair<std::int32_t, roster::Participant>> removed_;
  std::vector<roster::Participant> appended_;
  // The display order from order_from_ on, as it was and as it became; the rest of it
  // was the same before and after.
  std::size_t order_from_ = 0;
  std::vector<std::int32_t> order_before_;
  std::vector<std::int32_t> order_after_;
  std::size_t order_size_before_ = 0;
  std::size_t order_size_after_ = 0;
  int sort_before_ = 3;
  int sort_after_ = 3;
  int keys_before_ = 0;
  int keys_after_ = 0;
};

}  // namespace kestrio::ui
