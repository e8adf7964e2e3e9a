#pragma once

// The open and save dialogs for roster files.
//
// Abstract so that tests can script the chosen path, a cancel or a failure; the desktop
// front end shows its native file dialog.

#include <array>
#include <string>
#include <string_view>

namespace kestrio::ui {

struct FileFilter {
  std::string_view caption;  // "Kestrio data files(*.tmrx)"
  std::string_view pattern;  // "*.tmrx"; several patterns are separated by ';'
};

// The one filter list shared by open and save; the first filter is preselected.
inline constexpr std::array<FileFilter, 3> kRosterFileFilters = {{
    {"Kestrio data files(*.tmrx)", "*.tmrx"},
    {"Text Files (*.dat,*.txt,*.prn)", "*.dat;*.txt;*.prn"},
    {"All Files (*.*)", "*.*"},
}};

// Appended when the organiser types a name without an extension.
inline constexpr std::string_view kDefaultExtension = "*.krs";

// Longest path the dialogs hand back; a longer one is a failure (kFilenameBufferTooSmall).
inline constexpr std::size_t kMaxPathLength = 255;

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
  FileDialogKind kind = FileDialogKind::Open;
  const std::array<FileFilter, 3>* filters = &kRosterFileFilters;
  int initial_filter = 0;
  std::string_view default_extension = kDefaultExtension;
  // Saves ask before replacing an existing file; open never does.
  bool confirm_overwrite = false;
};

enum class FileDialogOutcome { Chosen, Cancelled, Failed };

// Extended error codes a failing dialog reports (the general ones are 1 to 11).
inline constexpr int kSubclassFailure = 12289;
inline constexpr int kInvalidFilename = 12290;
inline constexpr int kFilenameBufferTooSmall = 12291;

struct FileDialogResult {
  FileDialogOutcome outcome = FileDialogOutcome::Cancelled;
  std::string path;    // set when Chosen
  int error_code = 0;  // non-zero when Failed; 0 for a cancel
};

class FileDialogPort {
 public:
  virtual ~FileDialogPort() = default;
  virtual FileDialogResult Run(const FileDialogRequest& request) = 0;
};

}  // namespace kestrio::ui
