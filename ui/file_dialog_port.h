#pragma once

// The open and save dialogs for roster files and spreadsheets.
//
// Abstract so that tests can script the chosen path, a cancel or a failure; the desktop
// front end shows its native file dialog.

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace kestrio::ui {

struct FileFilter {
  std::string_view caption;  // "Kestrio data files(*.tmrx)"
  std::string_view pattern;  // "*.tmrx"; several patterns are separated by ';'
};

// The filter list of the saves; the first filter is preselected.
inline constexpr std::array<FileFilter, 3> kRosterFileFilters = {{
    {"Kestrio data files(*.tmrx)", "*.tmrx"},
    {"Text Files (*.dat,*.txt,*.prn)", "*.dat;*.txt;*.prn"},
    {"All Files (*.*)", "*.*"},
}};

// Open takes the same and spreadsheets, which a save of the roster's data file never
// writes.
inline constexpr std::array<FileFilter, 4> kOpenFileFilters = {{
    kRosterFileFilters[0],
    kRosterFileFilters[1],
    kRosterFileFilters[2],
    {"Spreadsheets (*.csv,*.xlsx)", "*.csv;*.xlsx"},
}};

// The exports of the roster and the bouts; the extension chosen decides the format.
inline constexpr std::array<FileFilter, 2> kSpreadsheetFileFilters = {{
    {"Excel Workbook (*.xlsx)", "*.xlsx"},
    {"CSV (*.csv)", "*.csv"},
}};

// Appended when the organiser types a name without an extension: the extension of the
// filter the dialogs preselect, so that a file saved as "saturday" shows when opening.
inline constexpr std::string_view kDefaultExtension = "*.tmrx";

// Longest path the dialogs hand back; a longer one is a failure (kFileNameTooLong).
inline constexpr std::size_t kMaxPathLength = 255;

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
  FileDialogKind kind = FileDialogKind::Open;
  std::span<const FileFilter> filters = kRosterFileFilters;
  int initial_filter = 0;
  std::string_view default_extension = kDefaultExtension;
  // A name typed without an extension gets the chosen filter's ("*.csv" gives ".csv")
  // instead of default_extension: for the exports, whose format the extension decides.
  bool extension_from_filter = false;
  // Saves ask before replacing an existing file; open never does.
  bool confirm_overwrite = false;
};

enum class FileDialogOutcome { Chosen, Cancelled, Failed };

// Why a file dialog failed. Each reason has the message the organiser reads
// (DialogFailureText); a front end maps the errors of its own dialogs onto them.
enum class FileDialogFailure {
  kBadRequest,          // the description of the dialog it was given is malformed
  kSetupFailed,         // it could not set itself up, often for lack of memory
  kLayoutMissing,       // a layout of its own was asked for but not supplied
  kLayoutOwnerMissing,  // that layout's owner was not supplied
  kTextNotLoaded,       // a text it shows could not be loaded
  kResourceNotFound,    // a resource it needs could not be found,
  kResourceNotLoaded,   // or loaded,
  kResourceNotLocked,   // or locked in memory
  kOutOfMemory,         // no memory for its own records
  kMemoryNotLocked,     // its memory could not be locked
  kHandlerMissing,      // a handler of its own was asked for but not supplied
  kFileListFailed,      // its file list could not be set up for lack of memory
  kInvalidFileName,     // the file name is not valid
  kFileNameTooLong,     // the chosen path is longer than kMaxPathLength
  kUnknown,             // any other failure
};

struct FileDialogResult {
  FileDialogOutcome outcome = FileDialogOutcome::Cancelled;
  std::string path;                                         // set when Chosen
  FileDialogFailure failure = FileDialogFailure::kUnknown;  // read only when Failed
};

class FileDialogPort {
 public:
  virtual ~FileDialogPort() = default;
  virtual FileDialogResult Run(const FileDialogRequest& request) = 0;
};

}  // namespace kestrio::ui
