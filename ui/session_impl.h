#pragma once

// The session's private helpers, shared by the files that implement its commands.

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include "ui/board_commands.h"
#include "ui/roster_change.h"

#include "ui/session.h"
#include "ui/tree_view.h"
#include "ui/undo_history.h"

namespace kestrio::ui {

// Runs a file dialog; a failure is reported. Returns the chosen path, or empty.
std::string ChooseFile(FileDialogPort& dialogs, MessagePort& messages,
                       const FileDialogRequest& request);

// The board commands' messages. The window repaints under a message box, so the Bouts tab
// is given the board as it stands before each one: a command that removed bouts would
// otherwise leave it drawing places past the board's end.
class BoardMessages : public MessagePort {
 public:
  BoardMessages(MessagePort& next, std::function<void()> before)
      : next_(next), before_(std::move(before)) {}
  MessageAnswer Show(const Message& message) override {
    before_();
    return next_.Show(message);
  }

 private:
  MessagePort& next_;
  std::function<void()> before_;
};

struct Session::Impl {
  TreeLeaves leaves;
  // The bout board of the day: the last run's, changed since.
  BoardDay day;
  UndoHistory history;
  // Names the roster's state; saved_revision the state last saved to its data file.
  std::uint64_t revision = 0;
  std::uint64_t saved_revision = 0;
  std::uint64_t next_revision = 0;
  std::string recovery_folder;
  std::string working_directory;
  // The organiser answered Cancel to restoring the last copy: it is kept for the next
  // start until this session writes its own.
  bool copy_put_off = false;
  // The step of the command under way, for the board commands to record into.
  PendingStep* pending = nullptr;
  // The Bouts tab, and the column its bouts are sorted by (0: bout number; negative:
  // descending).
  BoutsPane* bouts = nullptr;
  int bout_sort_column = 0;
  // The board's bouts when the mat schedule was made: a board that differs is scheduled
  // again.
  std::vector<board::Bout> scheduled_bouts;
  // What the board commands show their messages through.
  std::optional<BoardMessages> board_messages;
};

// A command under way: the roster as it was and the step being filled.
struct Session::PendingStep {
  int command_id = 0;
  RosterSnapshot roster;
  // What a board command calls its step ("Scratch Smith, John").
  std::string board_label;
  UndoStep step;
};

// Commands kept as undo steps.
bool IsUndoableCommand(int command_id);

}  // namespace kestrio::ui
