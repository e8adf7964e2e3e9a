#pragma once

// The program's own report viewer: one window with a tab per report file (By Club: a tab
// per club file), each read-only in a fixed-pitch font, with Print, Save As, Open in Text
// Editor and Find (Ctrl+F, F3 for the next hit).
//
// Every tab holds the report's bytes from the moment it opened, so the file may be
// deleted or rewritten right afterwards (the display-data listing is deleted at once,
// and the next pairing run replaces every report). Opening a report again reuses its
// tab with the file as it is now.

#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPointer>

#include <functional>
#include <string>

#include "ui/report_viewer.h"

class QLabel;
class QLineEdit;
class QTabWidget;
class QUrl;

namespace kestrio::platform {

// A font whose characters all have one width, so that report columns line up: the
// platform's fixed font when it is fixed-pitch, else a monospace style hint, else a
// known fixed-pitch family (DejaVu Sans Mono first, which scripts/install-deps installs).
// platform_fixed: what the platform calls its fixed font.
QFont FixedPitchFont(const QFont& platform_fixed);

// One report in its tab.
class ReportPage : public QPlainTextEdit {
  Q_OBJECT

 public:
  // file_name: as the program named it (the tab's title); path: where it was read.
  ReportPage(const QString& file_name, const QString& path, std::string contents);

  const QString& FileName() const { return file_name_; }
  const QString& Path() const { return path_; }
  const std::string& Contents() const { return contents_; }
  void SetReport(const QString& path, std::string contents);

 private:
  QString file_name_;
  QString path_;
  std::string contents_;
};

class ReportWindow : public QMainWindow {
  Q_OBJECT

 public:
  // placement: the main window, which the report window opens beside; may be null.
  explicit ReportWindow(QWidget* placement);

  // Shows the report in its own tab, a new one or the one already holding file_name,
  // makes it the current tab and brings the window up on the screen.
  void ShowReport(const QString& file_name, const QString& path, std::string contents);

  QTabWidget* Tabs() const { return tabs_; }
  ReportPage* CurrentPage() const;
  ReportPage* Page(const QString& file_name) const;
  QLineEdit* FindBox() const { return find_box_; }

  void Print();
  void SaveAs();
  // Hands the current report to the desktop's application for text files. When the file
  // is gone by now, a copy of what is shown goes to the temporary directory first. When
  // no application takes it, a message says so.
  void OpenInTextEditor();
  void ShowFindBar();
  // The next (or previous) place the find text occurs, going round the end; false when
  // it occurs nowhere.
  bool FindNext(bool backwards = false);

  // Opens a file in the desktop's application for it; QDesktopServices by default.
  std::function<bool(const QUrl&)> open_url;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  QWidget* BuildFindBar();
  void KeepOnScreen();

  QPointer<QWidget> placement_;
  QTabWidget* tabs_ = nullptr;
  QWidget* find_bar_ = nullptr;
  QLineEdit* find_box_ = nullptr;
  QLabel* find_status_ = nullptr;
  bool placed_ = false;
};

// The session's viewer: every Show reads the file and shows it in the one report window
// (created when first needed). The file is read before Show returns.
class ReportViewerLauncher : public ui::ReportViewer {
 public:
  explicit ReportViewerLauncher(QWidget* parent) : parent_(parent) {}
  bool Show(const std::string& file_name) override;

  // The report window, nullptr before the first report.
  ReportWindow* Window() const { return window_.data(); }
  // The tab the latest Show opened, nullptr when it opened none.
  ReportPage* LastShown() const { return last_.data(); }

 private:
  QWidget* parent_;
  QPointer<ReportWindow> window_;
  QPointer<ReportPage> last_;
};

}  // namespace kestrio::platform
