#include "ui/session.h"

#include <new>

#include "roster/duplicates.h"
#include "roster/sort_display_order.h"
#include "ui/command_ids.h"
#include "ui/list_refresh.h"
#include "ui/selection.h"
#include "ui/session_impl.h"
#include "ui/status_bar_port.h"
#include "ui/status_rules.h"

namespace kestrio::ui {

Session::Session(FileSystem& fs, const Ports& ports, std::optional<VersionInfo> version)
    : fs_(fs), ports_(ports), version_(std::move(version)), impl_(std::make_unique<Impl>()) {
  impl_->board_messages.emplace(ports_.messages, [this] { ShowBouts(); });
}

Session::~Session() = default;

void Session::Start() {
  ResetViewState(view_, roster_);
  impl_->leaves.ShowBare(ports_.tree);
  ports_.status_bar.SetVisible(view_.StatusBarVisible);
  ports_.menu.SetStatusBarChecked(view_.StatusBarVisible);
  RefillList(roster_, view_, ports_.list);
  RecomputeStatusAndMenus();
  // After a crash the unsaved work comes first; otherwise the day goes on where it was
  // left: the board of this folder with its roster.
  if (!OfferRecoveryCopy()) {
    BoardContext context{fs_, roster_, ports_.list, *impl_->board_messages, impl_->day};
    if (RestoreBoard(context)) {
      view_.PairingDone = true;
      RestoreSchedule();
      RefreshViews();
    }
  }
  AfterChange();
}

CommandResult Session::Dispatch(int command_id) {
  if (!IsMenuCommand(command_id)) return CommandResult::NotHandled;
  // Greyed commands do nothing, also when they arrive by accelerator.
  if (!menu_state_.Enabled(command_id)) return CommandResult::Handled;
  // The one place where running out of memory is caught: a roster file far too large
  // fails its command with a message, and the session goes on with the roster it had.
  // Each command builds what it adds aside and puts it in place at its end, so nothing
  // is left half-changed.
  try {
    return RunCommand(command_id);
  } catch (const std::bad_alloc&) {
    if (roster_.DisplayOrder.size() != roster_.Entries.size()) roster::ResetDisplayOrder(roster_);
    ports_.progress.Hide();
    ShowMessage(std::string(kOutOfMemoryText), "Kestrio", MessageIcon::Exclamation);
    RefreshViews();
    return CommandResult::Handled;
  }
}

CommandResult Session::RunCommand(int command_id) {
  if (command_id == kCmdUndo) {
    Undo();
    return CommandResult::Handled;
  }
  if (command_id == kCmdRedo) {
    Redo();
    return CommandResult::Handled;
  }
  if (!IsUndoableCommand(command_id)) return RunOneCommand(command_id);
  PendingStep pending = BeginStep(command_id);
  // The board commands record into the step; a command stopped half-way records nothing.
  struct Recording {
    PendingStep*& slot;
    ~Recording() { slot = nullptr; }
  } recording{impl_->pending};
  impl_->pending = &pending;
  const CommandResult result = RunOneCommand(command_id);
  impl_->pending = nullptr;
  CommitStep(pending);
  return result;
}

CommandResult Session::RunOneCommand(int command_id) {
  switch (command_id) {
    case kCmdExit:
      return CommandResult::CloseWindow;
    case kCmdClearAll:
      ClearAll();
      break;
    case kCmdOpen:
      Open();
      break;
    case kCmdSaveAll:
      SaveRoster(false);
      break;
    case kCmdSaveDisplayData:
      SaveRoster(true);
      break;
    case kCmdExportRoster:
      ExportRoster();
      break;
    case kCmdExportBouts:
      ExportBouts();
      break;
    case kCmdPrintDisplayData:
      PrintDisplayData();
      break;
    case kCmdSelect:
      ApplySelection(SelectionVerb::Selected);
      break;
    case kCmdToggle:
      ApplySelection(SelectionVerb::Toggle);
      break;
    case kCmdUnSelect:
      ApplySelection(SelectionVerb::UnSelected);
      break;
    case kCmdDelete:
      ApplySelection(SelectionVerb::Deleted);
      break;
    case kCmdMarkAllSelected:
      ApplySelection(SelectionVerb::SelectAll);
      break;
    case kCmdMarkAllUnSelected:
      ApplySelection(SelectionVerb::UnSelectAll);
      break;
    case kCmdAdd:
      RunAddModify(AddModifyMode::Add);
      break;
    case kCmdModify:
      if (roster_.EntryCount() >= 1) RunAddModify(AddModifyMode::Modify);
      break;
    case kCmdTagDuplicates:
      roster::TagDuplicates(roster_);
      RefreshViews();
      break;
    case kCmdEmptyTrash: {
      // The list keeps its place by entry: tell it where the kept entries went.
      std::vector<std::int32_t> new_index(roster_.Entries.size(), -1);
      std::int32_t kept = 0;
      for (std::size_t i = 0; i < roster_.Entries.size(); ++i) {
        if (!roster::IsDeleted(roster_.Entries[i])) new_index[i] = kept++;
      }
      roster::EmptyTrash(roster_);
      RemapRowEntries(view_, new_index);
      RefreshViews();
      break;
    }
    case kCmdStatusBar:
      ToggleStatusBar();
      break;
    case kCmdEditControls:
      EditControls();
      break;
    case kCmdRunPairing:
      RunPairingCommand(pairing::PairingEngine::Greedy);
      break;
    case kCmdRunOptimal:
      RunPairingCommand(pairing::PairingEngine::Optimal);
      break;
    case kCmdCompareEngines:
      CompareEngines();
      break;
    case kCmdSaveProjectData:
      SaveProjectData();
      break;
    case kCmdScheduleMats:
      ScheduleMats();
      break;
    case kCmdPrintBoutSheets:
    case kCmdPrintMatLists:
      PrintSheets(command_id);
      break;
    case kCmdViewSummary:
    case kCmdViewByClub:
    case kCmdViewByBoutNumber:
    case kCmdViewExceptions:
    case kCmdViewBoutSheets:
    case kCmdViewMatSchedule:
    case kCmdViewScheduleByClub:
      ViewReport(command_id);
      break;
    case kCmdAbout: {
      AboutForm form = MakeAboutForm(version_);
      ports_.dialogs.RunAbout(form);
      break;
    }
    default:
      if (IsBoardCommand(command_id)) {
        BoardContext context{fs_, roster_, ports_.list, *impl_->board_messages, impl_->day};
        context.dialogs = &ports_.dialogs;
        if (impl_->bouts != nullptr) context.highlighted_bouts = impl_->bouts->HighlightedBouts();
        if (impl_->pending != nullptr) {
          context.changes = &impl_->pending->step.board;
          context.label = &impl_->pending->board_label;
        }
        RunBoardCommand(context, command_id);
        // Only a scratch changes the roster (the wrestler's status); the other board
        // commands leave the list and the tree as they are.
        if (command_id == kCmdScratchWrestler) {
          RefreshEntries(context.entries_changed);
        } else {
          RecomputeStatusAndMenus();
        }
      }
      break;  // "Online Manual" has no action
  }
  return CommandResult::Handled;
}

void Session::ApplySelection(SelectionVerb verb) {
  ApplySelectionVerb(verb, roster_, ports_.list);
  RefreshViews();
}

void Session::OnTreeSelectionChanged(const TreeNode& node) {
  ApplyTreeSelection(node, view_, roster_);
  roster::SortDisplayOrder(roster_);
  RefillList(roster_, view_, ports_.list);
  RecomputeStatusAndMenus();
}

void Session::OnFindTextChanged(std::string_view text) {
  if (text == view_.FindText) return;
  view_.FindText.assign(text);
  RefillList(roster_, view_, ports_.list);
  RecomputeStatusAndMenus();
}

void Session::OnColumnHeaderClicked(int column_id) {
  if (ports_.list.RowCount() < 1 || column_id < 1 || column_id > roster::kSortKeyColumns) return;
  const int current = roster_.SortColumn < 0 ? -roster_.SortColumn : roster_.SortColumn;
  roster_.SortColumn = current == column_id ? -roster_.SortColumn : column_id;
  ports_.progress.Show();
  roster::SortDisplayOrder(roster_);
  ports_.progress.Hide();
  RefillList(roster_, view_, ports_.list);
  RecomputeStatusAndMenus();
}

void Session::OnRowActivated() {
  PendingStep pending = BeginStep(0);
  ApplySelectionVerb(SelectionVerb::DblClick, roster_, ports_.list);
  RefreshViews();
  CommitStep(pending);
}

void Session::OnLayoutChanged(int splitter_x) {
  view_.SplitterX = splitter_x;
  RecomputeStatusAndMenus();
}

void Session::RefreshViews() {
  impl_->leaves.Update(roster_, ports_.tree);
  RefillList(roster_, view_, ports_.list);
  RecomputeStatusAndMenus();
}

void Session::RecomputeStatusAndMenus() {
  RecomputeStatusTexts(view_);
  ports_.status_bar.SetPartText(kGuidancePart, view_.GuidanceText);
  ports_.status_bar.SetPartText(kStatsPart, view_.StatsText);
  menu_state_ = ComputeMenuState(view_, menu_state_);
  ApplyBoardMenuRules(impl_->day, view_.RosterCounters.DisplayedCount != 0, menu_state_);
  ApplyHistoryMenuRules(menu_state_);
  ApplyMatMenuRules(menu_state_);
  ports_.menu.Apply(menu_state_);
  // A greyed Run with wrestlers ready says what it waits for.
  const bool waits_for_save = view_.ReadyToPair && !menu_state_.Enabled(kCmdRunPairing);
  ports_.status_bar.SetPartText(kHintPart, waits_for_save ? kRunNeedsSaveText : "");
}

void Session::ToggleStatusBar() {
  view_.StatusBarVisible = !view_.StatusBarVisible;
  ports_.status_bar.SetVisible(view_.StatusBarVisible);
  ports_.menu.SetStatusBarChecked(view_.StatusBarVisible);
}

void Session::RunAddModify(AddModifyMode mode) {
  AddModifyForm form(
      mode, roster_, HighlightedCells(ports_.list), [this] { RefreshViews(); }, ports_.messages);
  ports_.dialogs.RunAddModify(form);
}

void Session::ShowMessage(std::string text, std::string caption, MessageIcon icon,
                          bool owned_by_main_window) {
  Message m;
  m.text = std::move(text);
  m.caption = std::move(caption);
  m.icon = icon;
  m.owned_by_main_window = owned_by_main_window;
  ports_.messages.Show(m);
}

}  // namespace kestrio::ui
