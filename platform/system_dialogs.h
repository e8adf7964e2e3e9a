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

class FileDialogs : public ui::FileDialogPort {
 public:
  explicit FileDialogs(QWidget* main_window) : main_window_(main_window) {}
  ui::FileDialogResult Run(const ui::FileDialogRequest& request) override;

 private:
  QWidget* main_window_;
};

// The Qt name filter for one of the roster filters: the caption as the organiser reads
// it, followed by the patterns Qt matches ("*.*" meaning every file).
QString QtNameFilter(const ui::FileFilter& filter);

// The extension appended to a typed name without one: the request's default without its
// wildcard ("*.krs" gives "krs"), so that the name never receives a literal asterisk.
QString DefaultSuffix(std::string_view default_extension);

}  // namespace kestrio::platform
