#pragma once

// Message boxes and the open and save file dialogs.
//
// Both borrow the main window as the owner of the boxes that have one; it must outlive
// them. Texts and captions are shown exactly as the session gives them.

#include <QString>

#include "ui/file_dialog_port.h"
#include "ui/message_port.h"

class QWidget;

namespace kestrio::platform {

class MessageBoxes : public ui::MessagePort {
 public:
  explicit MessageBoxes(QWidget* main_window) : main_window_(main_window) {}
  ui::MessageAnswer Show(const ui::Message& message) override;

 private:
  QWidget* main_window_;
};

// Where the file dialogs were last left: they open there again, in this session and,
// kept in the settings, the next.
struct FileDialogMemory {
  QString folder;
  // The caption of the filter last chosen for opening and for saving; each kind keeps
  // its own, so that opening a text roster does not make saves look for text files.
  QString open_filter;
  QString save_filter;
  // The exports' own, so that exporting a CSV does not change what Save All offers.
  QString export_filter;
};

class FileDialogs : public ui::FileDialogPort {
 public:
  explicit FileDialogs(QWidget* main_window) : main_window_(main_window) {}
  ui::FileDialogResult Run(const ui::FileDialogRequest& request) override;

  FileDialogMemory& Memory() { return memory_; }

 private:
  QString& RememberedFilter(const ui::FileDialogRequest& request);

  QWidget* main_window_;
  FileDialogMemory memory_;
};

// The Qt name filter for one of the roster filters: the caption as the organiser reads
// it, followed by the patterns Qt matches ("*.*" meaning every file).
QString QtNameFilter(const ui::FileFilter& filter);

// The extension appended to a typed name without one: the request's default without its
// wildcard ("*.krs" gives "krs"), so that the name never receives a literal asterisk.
QString DefaultSuffix(std::string_view default_extension);

}  // namespace kestrio::platform
