#pragma once

// The Tandrel menu's bout-board commands in the desktop session: the board the last run
// left, changed through the roster list's highlighted rows, with its file and every
// report rewritten after each change.

#include <string>
#include <vector>

#include "base/file_system.h"
#include "board/board_change.h"
#include "board/board_file.h"
#include "board/bout_board.h"
#include "reports/block_memo.h"
#include "roster/roster.h"
#include "ui/dialog_port.h"
#include "ui/list_pane.h"
#include "ui/menu_port.h"
#include "ui/message_port.h"

namespace kestrio::ui {

// Caption of the boxes about the bout board: what a change did, and what could not be
// done or written.
inline constexpr std::string_view kBoardCaption = "Kestrio Bout Board";

// The day's board as the session keeps it.
struct BoardDay {
  board::BoutBoard board;
  // The roster data file the board goes with: the file last opened or saved.
  std::string roster_file;
  // The blocks of the reports last written, so that a rewrite after an edit makes only
  // the blocks the edit touched.
  reports::BlockMemo report_blocks;
  // The same for the lines of the board file.
  board::BoardFileLines file_lines;
};

// What a board command works on, borrowed from the session for the command.
struct BoardContext {
  FileSystem& fs;
  roster::Roster& roster;
  const ListPane& list;
  MessagePort& messages;
  BoardDay& day;
  // When set, the changes each command makes, for Undo, and the name of its step.
  std::vector<board::BoardChange>* changes = nullptr;
  std::string* label = nullptr;
  // The bout dialogs (Add Bout, Replace Wrestler in Bout); the commands that need them
  // do nothing without.
  DialogPort* dialogs = nullptr;
  // The bouts highlighted in the Bouts tab (places in the board's bouts), in row order.
  std::vector<std::int32_t> highlighted_bouts = {};
  // Filled by the command: the roster entries it gave a new status (a scratch's), so
  // that the caller refreshes their rows alone.
  std::vector<std::int32_t> entries_changed = {};
};

bool IsBoardCommand(int command_id);

// Runs one of the board commands. The caller refreshes the views afterwards (a scratch
// changes a roster status: context.entries_changed).
void RunBoardCommand(BoardContext& context, int command_id);

// A bout by hand between board wrestlers a and b, made once the organiser accepts it in
// the Add Bout dialog (their fit, their bouts and every limit the bout would break).
void AddBoutBetween(BoardContext& context, int a, int b);

// After a change: the board file and every report, a failure shown; a board left empty
// (a run taken back) has its file removed.
void SaveBoardDay(BoardContext& context);

// The board of a run that paired: kept, and written to its file (a failure is shown).
void KeepRunBoard(BoardContext& context, const pairing::PairingRun& run);

// At start-up: the board file of the working directory, with the roster data file it
// names, when both are there and match; anything that does not fit is shown and nothing
// is loaded. True when the board was restored (the roster then holds its file).
bool RestoreBoard(BoardContext& context);

// The board commands are reachable once there is a board: Scratch, Add Bout and Remove
// Bout also need rows in the list to highlight, Replace Wrestler in Bout a bout.
void ApplyBoardMenuRules(const BoardDay& day, bool rows_displayed, MenuState& state);

}  // namespace kestrio::ui
