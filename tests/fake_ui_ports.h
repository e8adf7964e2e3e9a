#pragma once

// Scripted fakes of every user-interface port, for tests that play the organiser's day
// through a Session without a window system.
//
// Each fake records what it was asked, in order, and answers from a script that the
// test fills beforehand. An empty script gives the harmless answer (OK, Cancel, a
// cancelled file dialog, a dialog closed with Cancel). FakeUi bundles one of each and
// hands out the Ports a Session borrows; it must outlive the Session.

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/file_system.h"
#include "ui/dialog_port.h"
#include "ui/file_dialog_port.h"
#include "ui/list_pane.h"
#include "ui/menu_port.h"
#include "ui/message_port.h"
#include "ui/print_port.h"
#include "ui/progress_port.h"
#include "ui/report_viewer.h"
#include "ui/session.h"
#include "ui/status_bar_port.h"
#include "ui/tree_pane.h"

namespace kestrio::ui::testing {

class FakeMessages : public MessagePort {
 public:
  MessageAnswer Show(const Message& message) override;

  // Answers for the next boxes, in order; boxes beyond the script get Ok (Cancel for
  // Yes/No/Cancel boxes, Yes for the Yes/No "Are you sure?").
  std::deque<MessageAnswer> answers;
  std::vector<Message> shown;
  // Called while each box is up, as the window repaints behind it.
  std::function<void()> while_up;

  // "caption | text" of every box, for compact assertions.
  std::vector<std::string> Lines() const;
};

class FakeFileDialogs : public FileDialogPort {
 public:
  FileDialogResult Run(const FileDialogRequest& request) override;

  void Choose(std::string path) { results.push_back({FileDialogOutcome::Chosen, std::move(path)}); }
  void CancelNext() { results.push_back({FileDialogOutcome::Cancelled, ""}); }
  void FailNext(FileDialogFailure why) { results.push_back({FileDialogOutcome::Failed, "", why}); }

  std::deque<FileDialogResult> results;
  std::vector<FileDialogRequest> requests;
};

class FakeListPane : public ListPane {
 public:
  int RowCount() const override { return static_cast<int>(rows.size()); }
  int TopIndex() const override { return top; }
  void Clear() override;
  void AppendRow(ListRow row) override { rows.push_back(std::move(row)); }
  void ReplaceRow(int row, const ListRow& cells) override;
  void EnsureVisible(int row) override;
  std::vector<int> HighlightedRows() const override {
    return {highlighted.begin(), highlighted.end()};
  }
  ListRow Row(int row) const override { return rows.at(static_cast<std::size_t>(row)); }
  void SetHighlightedRows(const std::vector<int>& rows_to_highlight) override;
  int CurrentRow() const override { return current; }
  void SetCurrentRow(int row) override { current = row < RowCount() ? row : -1; }
  void ScrollToTop(int row) override;

  // Highlights exactly these rows.
  void Highlight(std::set<int> rows_to_highlight) { highlighted = std::move(rows_to_highlight); }
  // The first row whose last and first names are these; -1 when none.
  int FindRow(const std::string& last_name, const std::string& first_name) const;

  std::vector<ListRow> rows;
  std::set<int> highlighted;
  int current = -1;
  int top = 0;
  int visible_rows = 20;  // rows the pane shows at once, for scrolling
  int clears = 0;
  int replaced = 0;  // rows given new cells in place
};

class FakeTreePane : public TreePane {
 public:
  void ShowBareTree() override;
  void InsertLeaf(TreeBranch branch, int position, const std::string& label) override;

  std::map<TreeBranch, std::vector<std::string>> leaves;
  int bare_trees = 0;
};

class FakeStatusBar : public StatusBarPort {
 public:
  void SetPartText(int part, std::string_view text) override { parts[part] = std::string(text); }
  void SetVisible(bool v) override { visible = v; }

  std::map<int, std::string> parts;
  bool visible = true;
};

class FakeMenu : public MenuPort {
 public:
  void Apply(const MenuState& s) override {
    state = s;
    ++applied;
  }
  void SetStatusBarChecked(bool checked) override { status_bar_checked = checked; }

  // Whether the item carrying the command is enabled.
  bool Enabled(int command) const { return state.Enabled(command); }

  MenuState state;
  int applied = 0;
  bool status_bar_checked = true;
};

class FakeProgress : public ProgressPort {
 public:
  void Show() override {
    events.push_back("show");
    if (while_up) while_up();
  }
  void SetRange(int low, int high) override;
  void Step() override {
    ++steps;
    if (while_up) while_up();
  }
  void Hide() override { events.push_back("hide"); }
  void ShowCancellable() override { events.push_back("show cancellable"); }
  bool CancelRequested() override { return cancel_at_step >= 0 && steps >= cancel_at_step; }

  std::vector<std::string> events;
  int steps = 0;
  // Called as the bar is shown and at each step, as the window repaints.
  std::function<void()> while_up;
  // The organiser presses Cancel once this many steps were shown; -1 never.
  int cancel_at_step = -1;
};

class FakeViewer : public ReportViewer {
 public:
  // Reads the viewed file at once, as the desktop viewer does; fs may be null (every
  // file then counts as shown).
  explicit FakeViewer(FileSystem* fs) : fs_(fs) {}
  bool Show(const std::string& file_name) override;

  // The files asked for, in order, shown or not.
  std::vector<std::string> files;
  // The contents of each viewed file at the moment it was shown (empty when missing).
  std::vector<std::string> contents;

 private:
  FileSystem* fs_;
};

class FakeTitle : public TitlePort {
 public:
  void SetTitle(const std::string& t, bool m) override {
    title = t;
    modified = m;
  }
  std::string title;
  bool modified = false;
};

class FakeDialogs : public DialogPort {
 public:
  void ShowImportReport(const ImportReport& report) override { import_reports.push_back(report); }
  std::vector<ImportReport> import_reports;

  using AddModifyScript = std::function<void(AddModifyForm&)>;
  using ControlScript = std::function<void(ControlParametersForm&)>;
  // Plays the organiser's choices and button presses on the import form, as the other
  // scripts do on theirs.
  using ImportScript = std::function<void(ImportForm&)>;

  void RunAddModify(AddModifyForm& form) override;
  void RunControlParameters(ControlParametersForm& form) override;
  void RunAbout(AboutForm& form) override;
  void RunImport(ImportForm& form) override;
  void RunScheduleMats(MatScheduleForm& form) override;
  void RunAddBout(AddBoutForm& form) override;
  void RunReplaceWrestler(ReplaceWrestlerForm& form) override;

  // Each run takes the next script; with none left the dialog is cancelled at once.
  std::deque<AddModifyScript> add_modify;
  std::deque<ControlScript> control;
  std::deque<ImportScript> import;
  // The bout dialogs' scripts, taken as the others are.
  std::deque<std::function<void(AddBoutForm&)>> add_bout;
  std::deque<std::function<void(ReplaceWrestlerForm&)>> replace_wrestler;
  // What each bout dialog opened with: the wrestlers and the fit ("Adams, Al / Cole, Cy:
  // 0.80"), and the bout and the side leaving.
  std::vector<std::string> add_bout_openings;
  std::vector<std::string> replace_openings;
  // What each import dialog opened with: the summary line.
  std::vector<std::string> import_summaries;
  std::deque<std::function<void(MatScheduleForm&)>> schedule;

  // What the dialogs showed when they opened.
  std::vector<std::string> add_modify_opening_messages;
  // The seven field texts and the slider position each parameters dialog opened with.
  struct ControlOpening {
    std::array<std::string, 7> fields;
    int slider = 0;
  };
  std::vector<ControlOpening> control_openings;
  std::vector<AboutForm> about_boxes;
};

// The remembered column mappings, kept in memory.
class FakeMappingMemory : public MappingMemory {
 public:
  std::optional<std::string> Recall(const std::string& header_key) override;
  void Remember(const std::string& header_key, const std::string& columns) override;
  std::map<std::string, std::string> kept;
};

// Records what was sent to the printer.
class FakePrinter : public PrintPort {
 public:
  Status WriteBoutSheetsPdf(const std::vector<reports::SheetBout>& sheets,
                            const std::string& path) override;
  Status WriteMatListsPdf(const std::vector<reports::SheetBout>& sheets, int mats,
                          const std::string& path) override;
  void PreviewBoutSheets(const std::vector<reports::SheetBout>& sheets) override;
  void PreviewMatLists(const std::vector<reports::SheetBout>& sheets, int mats) override;

  // Each print job: "sheets" or "mat lists", with its bouts and mats.
  struct Job {
    std::string kind;
    std::vector<reports::SheetBout> sheets;
    int mats = 0;
  };
  std::vector<Job> jobs;
};

// A roster read from TAB-separated lines (bad lines skipped silently), its display order
// sorted by weight as after an Open.
roster::Roster RosterFrom(std::string_view lines);

// One of each fake, wired into Ports.
class FakeUi {
 public:
  explicit FakeUi(FileSystem* fs = nullptr) : viewer(fs) {}
  FakeUi(const FakeUi&) = delete;
  FakeUi& operator=(const FakeUi&) = delete;

  Ports ports() {
    return Ports{messages, file_dialogs, list,    tree,  status_bar, menu,
                 progress, viewer,       dialogs, title, mappings,   printer};
  }

  FakeMessages messages;
  FakeFileDialogs file_dialogs;
  FakeListPane list;
  FakeTreePane tree;
  FakeStatusBar status_bar;
  FakeMenu menu;
  FakeTitle title;
  FakeProgress progress;
  FakeViewer viewer;
  FakeDialogs dialogs;
  FakeMappingMemory mappings;
  FakePrinter printer;
};

}  // namespace kestrio::ui::testing
