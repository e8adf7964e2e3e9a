#pragma once

// kestrio-batch's bout-board steps: the board kept after a run, and the organiser's
// scripted changes to it (scratches, bouts removed and added, late arrivals, renumbering).

#include <optional>
#include <ostream>
#include <string>

#include "app/batch_options.h"
#include "base/file_system.h"
#include "board/bout_board.h"
#include "roster/roster.h"

namespace kestrio::app {

// The roster data file a board made by this batch run names: --save FILE, else the one
// roster file loaded, else none.
std::string BoardRosterFile(const BatchOptions& options);

// Applies options.board_steps in order. *board is the board of this run's pairing, or,
// when empty, the board file of the working directory is loaded; roster is the roster
// loaded from the command line, or, when roster_given is false, the data file the board
// names is loaded into it. After every step the board file and every report are
// rewritten; a line on out says what the step did. A scratch marks the roster entry
// "Scratched", saved to --save FILE or, for a roster read from the board's data file,
// back into it. False, with a message on err, at the first step that fails; the steps
// before it stay done. *after, when given, receives the board the steps left.
bool RunBoardSteps(const BatchOptions& options, FileSystem& fs, roster::Roster& roster,
                   bool roster_given, std::optional<board::BoutBoard> board, std::ostream& out,
                   std::ostream& err, board::BoutBoard* after = nullptr);

}  // namespace kestrio::app
