#include "platform/report_viewer_window.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QStandardPaths>
#include <QToolBar>
#include <QUrl>

#include "platform/artwork.h"
#include "platform/text_codec.h"

namespace kestrio::platform {
namespace {

// Reports end their lines with CR LF; the screen needs only the line feed.
QString ScreenText(const std::string& contents) {
  QString text = BytesToDisplay(contents);
  text.remove(QLatin1Char('\r'));
  return text;
}

bool WriteBytes(const QString& path, const std::string& contents) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(contents.data(), static_cast<qint64>(contents.size()));
  return file.commit();
}

}  // namespace

ReportViewerWindow::ReportViewerWindow(const QString& file_name, const QString& path,
                                       std::string contents, QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      file_name_(file_name),
      path_(path),
      contents_(std::move(contents)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(file_name_);
  setWindowIcon(ProgramIcon());

  text_ = new QPlainTextEdit;
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  text_->setPlainText(ScreenText(contents_));
  setCentralWidget(text_);

  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  QToolBar* tools = addToolBar(QStringLiteral("Report"));
  tools->setMovable(false);
  tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
  const auto add = [&](const QString& caption, QKeySequence key,
                       void (ReportViewerWindow::*slot)()) {
    QAction* action = file->addAction(caption, this, slot);
    action->setShortcut(key);
    tools->addAction(action);
  };
  add(QStringLiteral("&Print..."), QKeySequence::Print, &ReportViewerWindow::Print);
  add(QStringLiteral("Save &As..."), QKeySequence::SaveAs, &ReportViewerWindow::SaveAs);
  add(QStringLiteral("Open in &Text Editor"), QKeySequence(),
      &ReportViewerWindow::OpenInTextEditor);
  file->addSeparator();
  file->addAction(QStringLiteral("&Close"), QKeySequence::Close, this, &QWidget::close);

  // Wide enough for the widest report line of 100 columns.
  const int columns = text_->fontMetrics().horizontalAdvance(QString(100, QLatin1Char('M')));
  resize(std::min(columns + 60, 1100), 640);
}

void ReportViewerWindow::Print() {
  QPrinter printer;
  printer.setDocName(file_name_);
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() == QDialog::Accepted) text_->print(&printer);
}

void ReportViewerWindow::SaveAs() {
  const QString target = QFileDialog::getSaveFileName(this, QStringLiteral("Save As"), file_name_);
  if (target.isEmpty()) return;
  if (!WriteBytes(target, contents_)) {
    QMessageBox::warning(this, file_name_, QStringLiteral("Could not write ") + target);
  }
}

void ReportViewerWindow::OpenInTextEditor() {
  QString target = path_;
  if (!QFileInfo::exists(target)) {
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    target = QDir(dir).filePath(QStringLiteral("kestrio-") + QFileInfo(file_name_).fileName());
    if (!WriteBytes(target, contents_)) return;
  }
  QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath()));
}

void ReportViewerLauncher::Show(const std::string& name) {
  last_ = nullptr;
  if (name.empty()) return;
  const QString path = QFile::decodeName(QByteArray::fromStdString(name));
  QFile file(path);
  // A viewer that cannot start is not reported, as with any external editor.
  if (!file.open(QIODevice::ReadOnly)) return;
  const QByteArray bytes = file.readAll();
  auto* viewer = new ReportViewerWindow(BytesToDisplay(name), QFileInfo(path).absoluteFilePath(),
                                        bytes.toStdString(), parent_);
  // Several viewers (one per club) open in a cascade rather than on top of each other.
  if (parent_ != nullptr) {
    const int step = 24 * (opened_++ % 10);
    viewer->move(parent_->frameGeometry().topLeft() + QPoint(40 + step, 40 + step));
  }
  viewer->show();
  last_ = viewer;
}

}  // namespace kestrio::platform
