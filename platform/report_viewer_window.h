#pragma once

// The program's own report viewer: a read-only window with the report in a fixed-width
// font, the file name in its title, and Print, Save As and Open in Text Editor.
//
// The viewer holds the report's bytes from the moment it opens, so the file may be
// deleted or rewritten right afterwards (the display-data listing is deleted at once,
// and the next pairing run replaces every report).

#include <QMainWindow>

#include <string>

#include "ui/report_viewer.h"

class QPlainTextEdit;

namespace kestrio::platform {

class ReportViewerWindow : public QMainWindow {
  Q_OBJECT

 public:
  // file_name: as the program named it (shown in the title); path: where it was read.
  ReportViewerWindow(const QString& file_name, const QString& path, std::string contents,
                     QWidget* parent = nullptr);

  QPlainTextEdit* Text() const { return text_; }
  const std::string& Contents() const { return contents_; }

  void Print();
  void SaveAs();
  // Hands the report to the desktop's default application for text files. When the file
  // is gone by now, a copy of what is shown goes to the temporary directory first.
  void OpenInTextEditor();

 private:
  QString file_name_;
  QString path_;
  std::string contents_;
  QPlainTextEdit* text_ = nullptr;
};

// Opens a viewer window for every file the session shows. The file is read before Show
// returns. Viewers are top-level windows owned by Qt (they delete themselves when
// closed); the parent only places them.
class ReportViewerLauncher : public ui::ReportViewer {
 public:
  explicit ReportViewerLauncher(QWidget* parent) : parent_(parent) {}
  void Show(const std::string& file_name) override;

  // The viewer opened by the latest Show, nullptr when it opened none.
  ReportViewerWindow* LastViewer() const { return last_; }

 private:
  QWidget* parent_;
  ReportViewerWindow* last_ = nullptr;
  int opened_ = 0;
};

}  // namespace kestrio::platform
