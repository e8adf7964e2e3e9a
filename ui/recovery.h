#pragma once

// The recovery copy: after every change that is not yet saved, the roster and the bout
// board are written to the organiser's application-data folder, so that a crash or a
// power cut loses nothing; the next start in the same working directory offers them back.
//
// One file per working directory, "Kestrio-Recovery-<16 hex digits>.txt", the digits a
// hash of the directory's path. Its text:
//
//   Kestrio recovery <TAB> 1
//   WorkingDirectory <TAB> path
//   DataFile <TAB> roster data file, may be empty
//   View <TAB> SortColumn <TAB> ProjectSaved 0|1 <TAB> PairingDone 0|1
//   Roster <TAB> byte count, then that many bytes: the roster as a data file, in display order
//   Board <TAB> byte count, then that many bytes: the bout-board file, or nothing
//   End
//
// Paths are written with backslash, TAB, CR and LF as \\, \t, \r and \n.

#include <string>
#include <string_view>

#include "base/status.h"

namespace kestrio::ui {

struct RecoveryCopy {
  std::string working_directory;
  std::string data_file;
  int sort_column = 3;
  bool project_saved = false;
  bool pairing_done = false;
  std::string roster_text;
  std::string board_text;
};

// The recovery file for a working directory, in folder.
std::string RecoveryPath(std::string_view folder, std::string_view working_directory);

std::string FormatRecovery(const RecoveryCopy& copy);

// kBadBoardFile when the text is not a whole recovery copy.
Status ParseRecovery(std::string_view text, RecoveryCopy* copy);

}  // namespace kestrio::ui
