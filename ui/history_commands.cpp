// Edit > Undo and Edit > Redo: every command that changes the roster or the bout board
// is kept as one step, named for the menu, and can be taken back and done again. And
// the marks of unsaved work: the window title and the question on closing.

#include "ui/command_ids.h"
#include "ui/list_refresh.h"
#include "ui/menu_layout.h"
#include "ui/session.h"
#include "ui/session_impl.h"

namespace kestrio::ui {
namespace {

// The name of a roster command's step, from what it changed.
std::string RosterStepLabel(int command_id, const RosterChange& c) {
  const int edited = c.StatusChanges() + c.FieldChanges();
  switch (command_id) {
    case kCmdOpen:
      return Counted("Open", c.Appended(), "Entry", "Entries");
    case kCmdAdd:
      return Counted("Add", c.Appended(), "Entry", "Entries");
    case kCmdModify:
      return Counted("Modify", edited, "Entry", "Entries");
    case kCmdSelect:
      return Counted("Select", edited, "Entry", "Entries");
    case kCmdUnSelect:
      return Counted("UnSelect", edited, "Entry", "Entries");
    case kCmdToggle:
      return Counted("Toggle", edited, "Entry", "Entries");
    case kCmdDelete:
      return Counted("Delete", edited, "Entry", "Entries");
    case kCmdMarkAllSelected:
      return "Mark All Selected";
    case kCmdMarkAllUnSelected:
      return "Mark All UnSelected";
    case kCmdTagDuplicates:
      return "Tag Duplicates";
    case kCmdEmptyTrash:
      return Counted("Empty Trash of", c.Removed(), "Entry", "Entries");
    case kCmdClearAll:
      return "Clear All";
    case kCmdRunPairing:
      return "Run Tandrel";
    case kCmdRunOptimal:
      return "Run Tandrel Optimal";
    default:
      return "Double-Click";
  }
}

bool ReplacesBoard(int command_id) {
  return command_id == kCmdRunPairing || command_id == kCmdRunOptimal || command_id == kCmdClearAll;
}

// A pairing run reads the roster and never changes it: its step takes no copy of the
// roster to compare with afterwards.
bool LeavesRosterAsItIs(int command_id) {
  return command_id == kCmdRunPairing || command_id == kCmdRunOptimal;
}

}  // namespace

bool IsUndoableCommand(int command_id) {
  switch (command_id) {
    case kCmdAdd:
    case kCmdModify:
    case kCmdSelect:
    case kCmdUnSelect:
    case kCmdToggle:
    case kCmdDelete:
    case kCmdMarkAllSelected:
    case kCmdMarkAllUnSelected:
    case kCmdTagDuplicates:
    case kCmdEmptyTrash:
    case kCmdClearAll:
    case kCmdRunPairing:
    case kCmdRunOptimal:
      return true;
    default:
      return IsBoardCommand(command_id);
  }
}

SessionFacts Session::CurrentFacts() const {
  return {impl_->day.roster_file, view_.ProjectSaved, view_.PairingDone, impl_->revision};
}

void Session::ApplyFacts(const SessionFacts& facts, bool file_changed) {
  // The data file goes back only with the steps that changed it (Clear All, a first
  // Open): a Save As since is not taken back by undoing an earlier edit.
  if (file_changed) impl_->day.roster_file = facts.roster_file;
  view_.ProjectSaved = facts.project_saved;
  view_.PairingDone = facts.pairing_done;
  impl_->revision = facts.revision;
}

Session::PendingStep Session::BeginStep(int command_id) {
  PendingStep pending;
  pending.command_id = command_id;
  if (!LeavesRosterAsItIs(command_id)) pending.roster = TakeSnapshot(roster_);
  pending.step.before = CurrentFacts();
  if (ReplacesBoard(command_id) && !impl_->day.board.empty()) {
    pending.step.other_board = impl_->day.board;
  }
  return pending;
}

void Session::CommitStep(PendingStep& pending) {
  UndoStep& step = pending.step;
  if (!LeavesRosterAsItIs(pending.command_id)) {
    step.roster = RosterChange::Between(pending.roster, roster_);
  }
  const bool roster_changed = !step.roster.empty();
  if (roster_changed) impl_->revision = ++impl_->next_revision;
  if (ReplacesBoard(pending.command_id)) {
    // The step keeps the board before; the one after is the day's until it is taken back.
    const board::BoutBoard& now = impl_->day.board;
    const board::BoutBoard& was = step.other_board;
    const bool same = was.empty()
                          ? now.empty()
                          : was.Bouts == now.Bouts && was.Wrestlers.size() == now.Wrestlers.size();
    if (!same) {
      step.board_replaced = true;
    } else {
      step.other_board = board::BoutBoard();
    }
  }
  step.after = CurrentFacts();
  const bool facts_changed = step.after.roster_file != step.before.roster_file ||
                             step.after.project_saved != step.before.project_saved ||
                             step.after.pairing_done != step.before.pairing_done;
  if (roster_changed || step.ChangesBoard() || facts_changed) {
    step.label = !pending.board_label.empty() ? std::move(pending.board_label)
                                              : RosterStepLabel(pending.command_id, step.roster);
    impl_->history.Push(std::move(step));
  }
  AfterChange();
}

void Session::RestoreStepBoard(const UndoStep& step, bool forward) {
  board::BoutBoard& b = impl_->day.board;
  // A whole board was already traded for the day's as the history stepped over the step.
  if (!step.board_replaced && forward) {
    for (const board::BoardChange& change : step.board) board::Reapply(b, change);
  } else if (!step.board_replaced) {
    for (auto it = step.board.rbegin(); it != step.board.rend(); ++it) board::Revert(b, *it);
  }
  BoardContext context{fs_, roster_, ports_.list, *impl_->board_messages, impl_->day};
  SaveBoardDay(context);
}

void Session::RefreshViewsAfter(const RosterChange& change) {
  // A step that left the roster as it was (a board edit) leaves the list and the tree as
  // they are; one that only edited entries can have added leaves for those alone.
  if (change.empty()) return;
  if (change.Appended() != 0 || change.Removed() != 0) return RefreshViews();
  RefreshEntries(change.EditedEntries());
}

void Session::RefreshEntries(const std::vector<std::int32_t>& entries) {
  impl_->leaves.UpdateEntries(roster_, entries, ports_.tree);
  if (!UpdateListRows(roster_, view_, ports_.list, entries)) {
    RefillList(roster_, view_, ports_.list);
  }
  RecomputeStatusAndMenus();
}

void Session::Undo() {
  if (impl_->history.NextUndo() == nullptr) return;
  const UndoStep& step = impl_->history.StepBack(impl_->day.board);
  step.roster.Revert(roster_);
  ApplyFacts(step.before, step.before.roster_file != step.after.roster_file);
  if (step.ChangesBoard()) RestoreStepBoard(step, false);
  RefreshViewsAfter(step.roster);
  AfterChange();
}

void Session::Redo() {
  if (impl_->history.NextRedo() == nullptr) return;
  const UndoStep& step = impl_->history.StepForward(impl_->day.board);
  step.roster.Reapply(roster_);
  ApplyFacts(step.after, step.before.roster_file != step.after.roster_file);
  if (step.ChangesBoard()) RestoreStepBoard(step, true);
  RefreshViewsAfter(step.roster);
  AfterChange();
}

bool Session::Modified() const {
  // An empty roster has nothing to save.
  return impl_->revision != impl_->saved_revision && roster_.EntryCount() > 0;
}

const UndoHistory& Session::history() const { return impl_->history; }
const board::BoutBoard& Session::bout_board() const { return impl_->day.board; }
const std::string& Session::roster_file() const { return impl_->day.roster_file; }

std::string Session::WindowTitle() const {
  std::string title(kMainWindowTitle);
  const std::string& file = impl_->day.roster_file;
  if (!file.empty()) {
    const std::size_t slash = file.find_last_of("/\\");
    title += " - ";
    title += slash == std::string::npos ? file : file.substr(slash + 1);
  }
  return title + "[*]";
}

void Session::AfterChange() {
  ports_.title.SetTitle(WindowTitle(), Modified());
  WriteRecoveryCopy();
  FollowBoard();
  ShowBoard();
  RecomputeStatusAndMenus();
}

void Session::ApplyHistoryMenuRules(MenuState& state) const {
  const UndoStep* undo = impl_->history.NextUndo();
  const UndoStep* redo = impl_->history.NextRedo();
  state.SetEnabled(kCmdUndo, undo != nullptr);
  state.SetEnabled(kCmdRedo, redo != nullptr);
  state.SetCaption(kCmdUndo, undo != nullptr ? "Undo " + undo->label : std::string());
  state.SetCaption(kCmdRedo, redo != nullptr ? "Redo " + redo->label : std::string());
}

bool Session::ConfirmClose() {
  if (Modified()) {
    Message ask;
    const std::string& file = impl_->day.roster_file;
    ask.text =
        "Save the changes to " +
        (file.empty() ? std::string("the roster") : file.substr(file.find_last_of("/\\") + 1)) +
        " before closing?";
    ask.caption = "Kestrio";
    ask.buttons = MessageButtons::SaveDiscardCancel;
    ask.icon = MessageIcon::Question;
    const MessageAnswer answer = ports_.messages.Show(ask);
    if (answer == MessageAnswer::Cancel) return false;
    // A save that was cancelled or failed keeps the window open: closing now would lose
    // what the organiser asked to keep.
    if (answer == MessageAnswer::Yes && !SaveRoster(false)) return false;
  }
  RemoveRecoveryCopy();
  return true;
}

}  // namespace kestrio::ui
