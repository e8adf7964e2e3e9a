#pragma once

// The one object behind the main window: it owns the roster, the view state, the
// pairing-control values and the last pairing run, and turns every command and pane
// notification into calls on them. It decides everything the window shows and applies
// it through the ports; it never ends the process.
//
// The file system and the ports are borrowed: they must outlive the session. Commands
// run one at a time to their end on the caller's thread.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_system.h"
#include "board/bout_board.h"
#include "pairing/pairing_control.h"
#include "pairing/pairing_run.h"
#include "reports/run_pairing.h"
#include "roster/roster.h"
#include "ui/about_form.h"
#include "ui/bouts_pane.h"
#include "ui/dialog_port.h"
#include "ui/file_dialog_port.h"
#include "ui/import_form.h"
#include "ui/list_pane.h"
#include "ui/menu_port.h"
#include "ui/message_port.h"
#include "ui/print_port.h"
#include "ui/progress_port.h"
#include "ui/report_viewer.h"
#include "ui/selection.h"
#include "ui/status_bar_port.h"
#include "ui/title_port.h"
#include "ui/tree_pane.h"
#include "ui/undo_history.h"
#include "ui/view_state.h"

namespace kestrio::ui {

// The window-system services the session uses, one narrow port each.
struct Ports {
  MessagePort& messages;
  FileDialogPort& file_dialogs;
  ListPane& list;
  TreePane& tree;
  StatusBarPort& status_bar;
  MenuPort& menu;
  ProgressPort& progress;
  ReportViewer& viewer;
  DialogPort& dialogs;
  TitlePort& title;
  MappingMemory& mappings;
  PrintPort& printer;
};

// Caption of the box that tells the organiser a roster file or listing was not written.
inline constexpr std::string_view kSaveFailedCaption = "Kestrio: File Not Saved";
// Caption of the box that tells the organiser a roster file could not be read.
inline constexpr std::string_view kOpenFailedCaption = "Could not open file";

// File > Recent Files holds this many of the last data or roster files opened or saved.
inline constexpr std::size_t kMaxRecentFiles = 8;

// The status bar's middle part while Run Tandrel waits for the project to be saved.
inline constexpr std::string_view kRunNeedsSaveText =
    "Run Tandrel is greyed until Tandrel > Save Project Data";

enum class CommandResult {
  Handled,
  // Exit: the front end closes the main window, which ends the program (code 0).
  CloseWindow,
  // Not one of the program's commands: the front end's default handling applies.
  NotHandled,
};

inline constexpr std::string_view kOutOfMemoryText =
    "There is not enough memory to finish this command: it was stopped, and the roster in "
    "memory is kept.";

struct RecoveryCopy;

class Session {
 public:
  // version: what the About box shows; nullopt shows the entry names.
  Session(FileSystem& fs, const Ports& ports,
          std::optional<VersionInfo> version = ProgramVersionInfo());

  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
  ~Session();

  // Start-up: resets the view state, shows the bare tree, an empty list and the status
  // texts and menu states of an empty roster.
  void Start();

  // Where recovery copies go (the organiser's application-data folder, which must exist)
  // and the working directory they belong to; set before Start. Empty: no copies.
  void SetRecoveryPlace(std::string folder, std::string working_directory);

  // The organiser closes the window (Exit or the window's own close): true to close.
  // With unsaved changes asks Save, Discard or Cancel; a save that is cancelled or fails
  // keeps the window open. When it closes, the recovery copy is removed.
  bool ConfirmClose();

  // Changes to the roster not yet saved to its data file.
  bool Modified() const;
  // "Kestrio v2.1 - day.tmrx[*]": the program, the data file, the place of the mark.
  std::string WindowTitle() const;
  const UndoHistory& history() const;
  // The day's bout board: the last run's bouts, changed since (empty before a run).
  const board::BoutBoard& bout_board() const;
  // The roster data file the board goes with ("" for none).
  const std::string& roster_file() const;

  // The Bouts tab, which must outlive the session; without one (tests, the batch) the
  // board is kept all the same.
  void AttachBoutsPane(BoutsPane* pane);
  // The highlighted rows of the roster list changed: the Bouts tab shows their bouts.
  void OnListHighlightChanged();
  // A Bouts tab column header was clicked; column 1..15 (a second click reverses).
  void OnBoutColumnClicked(int column);
  // The Short of Minimum view's action: the bout between a short wrestler and one of his
  // candidates (board places), made as Add Bout... makes it; one undo step.
  void AddBoutFromView(int wrestler, int candidate);

  // Runs a menu command or accelerator (command_ids.h). A command that runs out of memory
  // (a roster far too large) stops with kOutOfMemoryText and the roster is kept.
  CommandResult Dispatch(int command_id);

  // Opens the roster or data file at path as File > Open does once its dialog chose it:
  // the entries are appended, the views refreshed, the lines that had to be skipped
  // shown in one import report, and an unreadable file named in a message. A .csv or
  // .xlsx file goes through the import dialog first. Used by the command line and by
  // File > Recent Files.
  void OpenFile(const std::string& path);

  // The organiser typed into the find box: the list shows only the entries that match it
  // as well as the tree filter, and the statistics count what is shown.
  void OnFindTextChanged(std::string_view text);

  // The last data or roster files opened or saved, the latest first (at most
  // kMaxRecentFiles); the front end keeps them between sessions.
  const std::vector<std::string>& recent_files() const { return recent_files_; }
  void SetRecentFiles(std::vector<std::string> files);

  // The organiser selected a node in the tree pane.
  void OnTreeSelectionChanged(const TreeNode& node);
  // The organiser clicked a list column header; column_id 1..8 (Last Name .. Weight Class).
  void OnColumnHeaderClicked(int column_id);
  // The organiser double-clicked a list row (the row is highlighted).
  void OnRowActivated();
  // The window was resized or the splitter dragged; splitter_x is the new SplitterX.
  void OnLayoutChanged(int splitter_x);

  // The refresh run after every command that changes the roster: tree nodes, list rows
  // and counters, status texts, menu states, in that order.
  void RefreshViews();
  // Status texts, then menu states.
  void RecomputeStatusAndMenus();

  roster::Roster& roster() { return roster_; }
  const roster::Roster& roster() const { return roster_; }
  ViewState& view() { return view_; }
  const ViewState& view() const { return view_; }
  pairing::PairingControl& control() { return control_; }
  const pairing::PairingRun& last_run() const { return run_; }
  const reports::PairingOutcome& last_outcome() const { return outcome_; }
  // The board's bouts on the mats, once Schedule Mats was done after the last run; made
  // again whenever the board changes.
  const std::optional<reports::MatDay>& mat_day() const { return mat_day_; }
  const MenuState& menu_state() const { return menu_state_; }
  FileSystem& file_system() { return fs_; }
  const Ports& ports() const { return ports_; }

 private:
  struct Impl;
  struct PendingStep;

  CommandResult RunCommand(int command_id);
  CommandResult RunOneCommand(int command_id);
  // The Bouts tab (bouts_commands.cpp).
  std::vector<int> HighlightedBoardWrestlers() const;
  void ShowBouts();
  void ShowBoard();

  // Undo steps (history_commands.cpp): what a command changed, kept under a name.
  PendingStep BeginStep(int command_id);
  // Keeps the step when the command changed anything; a board command names its own.
  void CommitStep(PendingStep& pending);
  void Undo();
  void Redo();
  void RestoreStepBoard(const UndoStep& step, bool forward);
  // RefreshViews after Undo or Redo of a step with this change of the roster.
  void RefreshViewsAfter(const RosterChange& change);
  // The same after a change to these entries' fields alone (none added or removed).
  void RefreshEntries(const std::vector<std::int32_t>& entries);
  SessionFacts CurrentFacts() const;
  void ApplyFacts(const SessionFacts& facts, bool file_changed);
  void ApplyHistoryMenuRules(MenuState& state) const;
  // After every change: the title, the recovery copy, the status and menus.
  void AfterChange();
  // The recovery copy (recovery_commands.cpp).
  std::string RecoveryFile() const;
  void WriteRecoveryCopy();
  void RemoveRecoveryCopy();
  // At start-up after a crash: offers the copy; true when it was restored.
  bool OfferRecoveryCopy();
  void RestoreRecoveryCopy(const RecoveryCopy& copy);
  void ApplySelection(SelectionVerb verb);
  void ClearAll();
  void Open();
  // Open of a .csv or .xlsx file: the import dialog, then its rows as a text file's lines.
  void OpenSpreadsheet(const std::string& path, sheets::SheetFormat format);
  // Export Roster (the displayed entries) and Export Bouts (the last run's), as a
  // spreadsheet.
  void ExportRoster();
  void ExportBouts();
  // Save All, Save Display Data, Save Project Data; false when nothing was saved.
  bool SaveRoster(bool displayed_only);
  void SaveProjectData();
  void PrintDisplayData();
  void EditControls();
  void RunPairingCommand(pairing::PairingEngine engine);
  // Pairs the roster with both engines in memory and shows their figures side by side;
  // the reports stay as they are.
  void CompareEngines();
  void ViewReport(int command_id);
  // Shows the reports of the last run in the viewer; says why for those that cannot be.
  void ShowRunReports(const std::vector<std::string>& names);
  void RememberRecentFile(const std::string& path);
  void ForgetRecentFile(const std::string& path);
  // Tandrel > Schedule Mats: the dialog, then the schedule of the day's bout board and
  // its two reports, shown in the viewer.
  void ScheduleMats();
  // Schedules the day's board with settings and writes the two reports; false, with a
  // message, when a report could not be written (the schedule is kept all the same).
  bool ScheduleBoard(const schedule::MatSettings& settings);
  // After a change: a schedule made for another board is made again from this one.
  void FollowBoard();
  // At start-up, for a restored board that had a schedule.
  void RestoreSchedule();
  // Lumiva > Print Bout Sheets / Print Mat Lists: the print preview.
  void PrintSheets(int command_id);
  void ApplyMatMenuRules(MenuState& state) const;
  void ToggleStatusBar();
  void RunAddModify(AddModifyMode mode);
  void ShowMessage(std::string text, std::string caption, MessageIcon icon,
                   bool owned_by_main_window = true);
  FileSystem& fs_;
  Ports ports_;
  std::optional<VersionInfo> version_;
  roster::Roster roster_;
  ViewState view_;
  pairing::PairingControl control_;
  pairing::PairingRun run_;
  reports::PairingOutcome outcome_;
  // A pairing run was made since start-up (outcome_ describes it).
  bool ran_ = false;
  std::vector<std::string> recent_files_;
  std::optional<reports::MatDay> mat_day_;
  MenuState menu_state_;
  // The leaves of the tree pane.
  std::unique_ptr<Impl> impl_;
};

}  // namespace kestrio::ui
