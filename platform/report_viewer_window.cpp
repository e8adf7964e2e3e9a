#include "platform/report_viewer_window.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

#include "platform/artwork.h"
#include "platform/report_printing.h"
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

bool IsFixedPitch(const QFont& font) { return QFontInfo(font).fixedPitch(); }

}  // namespace

QFont FixedPitchFont(const QFont& platform_fixed) {
  if (IsFixedPitch(platform_fixed)) return platform_fixed;
  // What the platform calls fixed depends on the fonts installed (with ghostscript's
  // and Noto fonts it may be proportional): ask for the monospace style instead.
  QFont hinted(QStringLiteral("monospace"), platform_fixed.pointSize());
  hinted.setStyleHint(QFont::Monospace);
  hinted.setFixedPitch(true);
  if (IsFixedPitch(hinted)) return hinted;
  hinted.setStyleHint(QFont::TypeWriter);
  if (IsFixedPitch(hinted)) return hinted;
  for (const char* family : {"DejaVu Sans Mono", "Liberation Mono", "Noto Sans Mono", "Noto Mono",
                             "Nimbus Mono PS", "FreeMono", "Courier New"}) {
    const QFont known(QString::fromLatin1(family), platform_fixed.pointSize());
    if (IsFixedPitch(known)) return known;
  }
  return hinted;
}

ReportPage::ReportPage(const QString& file_name, const QString& path, std::string contents)
    : file_name_(file_name) {
  setReadOnly(true);
  // Read-only text still takes the keyboard: Ctrl+Home, Ctrl+End, Page Down, Shift+arrows.
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setFont(FixedPitchFont(QFontDatabase::systemFont(QFontDatabase::FixedFont)));
  SetReport(path, std::move(contents));
}

void ReportPage::SetReport(const QString& path, std::string contents) {
  path_ = path;
  contents_ = std::move(contents);
  setPlainText(ScreenText(contents_));
}

ReportWindow::ReportWindow(QWidget* placement)
    : QMainWindow(placement, Qt::Window), placement_(placement) {
  setWindowTitle(QStringLiteral("Kestrio Reports"));
  setWindowIcon(ProgramIcon());
  open_url = [](const QUrl& url) { return QDesktopServices::openUrl(url); };

  tabs_ = new QTabWidget;
  tabs_->setTabsClosable(true);
  tabs_->setMovable(true);
  tabs_->setDocumentMode(true);
  tabs_->setUsesScrollButtons(true);
  tabs_->setElideMode(Qt::ElideNone);
  connect(tabs_, &QTabWidget::tabCloseRequested, this, [this](int index) {
    QWidget* page = tabs_->widget(index);
    tabs_->removeTab(index);
    page->deleteLater();
    if (tabs_->count() == 0) close();
  });
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int) {
    if (ReportPage* page = CurrentPage()) setWindowTitle(page->FileName());
  });

  auto* central = new QWidget;
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(tabs_, 1);
  column->addWidget(BuildFindBar());
  setCentralWidget(central);
  BuildMenus();

  // Wide enough for the widest report line of 100 columns.
  const QFont font = FixedPitchFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  const int columns = QFontMetrics(font).horizontalAdvance(QString(100, QLatin1Char('M')));
  resize(std::min(columns + 60, 1100), 640);
}

void ReportWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  QToolBar* tools = addToolBar(QStringLiteral("Report"));
  tools->setMovable(false);
  tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
  const auto add = [&](QMenu* menu, const QString& caption, const QList<QKeySequence>& keys,
                       auto slot) {
    QAction* action = menu->addAction(caption, this, slot);
    action->setShortcuts(keys);
    tools->addAction(action);
    return action;
  };
  add(file, QStringLiteral("&Print..."), {QKeySequence::Print}, &ReportWindow::Print);
  add(file, QStringLiteral("Save &As..."), {QKeySequence::SaveAs}, &ReportWindow::SaveAs);
  add(file, QStringLiteral("Open in &Text Editor"), {}, &ReportWindow::OpenInTextEditor);
  file->addSeparator();
  file->addAction(QStringLiteral("&Close"), QKeySequence::Close, this, &QWidget::close);
  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  tools->addSeparator();
  add(edit, QStringLiteral("&Find..."), {QKeySequence::Find}, &ReportWindow::ShowFindBar);
  add(edit, QStringLiteral("Find &Next"), {QKeySequence(Qt::Key_F3)}, [this] { FindNext(); });
  QAction* previous = edit->addAction(QStringLiteral("Find &Previous"), this,
                                      [this] { FindNext(/*backwards=*/true); });
  previous->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
}

QWidget* ReportWindow::BuildFindBar() {
  find_bar_ = new QWidget;
  auto* row = new QHBoxLayout(find_bar_);
  row->setContentsMargins(6, 4, 6, 4);
  find_box_ = new QLineEdit;
  find_box_->setPlaceholderText(QStringLiteral("Find in this report"));
  find_box_->setClearButtonEnabled(true);
  find_status_ = new QLabel;
  auto* next = new QToolButton;
  next->setText(QStringLiteral("Next"));
  auto* hide = new QToolButton;
  hide->setText(QStringLiteral("Close"));
  row->addWidget(new QLabel(QStringLiteral("Find:")));
  row->addWidget(find_box_, 1);
  row->addWidget(next);
  row->addWidget(find_status_);
  row->addWidget(hide);
  connect(find_box_, &QLineEdit::returnPressed, this, [this] { FindNext(); });
  connect(next, &QToolButton::clicked, this, [this] { FindNext(); });
  connect(hide, &QToolButton::clicked, find_bar_, &QWidget::hide);
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), find_box_);
  escape->setContext(Qt::WidgetShortcut);
  connect(escape, &QShortcut::activated, this, [this] {
    find_bar_->hide();
    if (ReportPage* page = CurrentPage()) page->setFocus();
  });
  find_bar_->hide();
  return find_bar_;
}

ReportPage* ReportWindow::CurrentPage() const {
  return qobject_cast<ReportPage*>(tabs_->currentWidget());
}

ReportPage* ReportWindow::Page(const QString& file_name) const {
  for (int i = 0; i < tabs_->count(); ++i) {
    auto* page = qobject_cast<ReportPage*>(tabs_->widget(i));
    if (page != nullptr && page->FileName() == file_name) return page;
  }
  return nullptr;
}

void ReportWindow::ShowReport(const QString& file_name, const QString& path, std::string contents) {
  ReportPage* page = Page(file_name);
  if (page != nullptr) {
    page->SetReport(path, std::move(contents));
  } else {
    page = new ReportPage(file_name, path, std::move(contents));
    tabs_->addTab(page, file_name);
  }
  tabs_->setCurrentWidget(page);
  setWindowTitle(file_name);
  KeepOnScreen();
  show();
  raise();
  activateWindow();
}

void ReportWindow::KeepOnScreen() {
  QScreen* screen = placement_ ? placement_->screen() : this->screen();
  if (screen == nullptr) return;
  const QRect room = screen->availableGeometry();
  if (!placed_ && placement_) {
    // The first time beside the main window's corner; afterwards where the organiser
    // moved it.
    move(placement_->frameGeometry().topLeft() + QPoint(40, 40));
    placed_ = true;
  }
  // The frame around the window is not known before it is first shown: keep a margin.
  const QSize frame = frameGeometry().size() - geometry().size();
  const QSize most(room.width() - frame.width(), room.height() - frame.height());
  if (width() > most.width() || height() > most.height()) resize(size().boundedTo(most));
  const QRect at = frameGeometry();
  const int x = std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - at.width()));
  const int y = std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() - at.height()));
  if (x != at.x() || y != at.y()) move(x, y);
}

void ReportWindow::Print() {
  ReportPage* page = CurrentPage();
  if (page == nullptr) return;
  QPrinter printer;
  printer.setDocName(page->FileName());
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  QPainter painter(&printer);
  PaintReport(painter, printer, page->FileName(), page->Contents());
}

void ReportWindow::SaveAs() {
  ReportPage* page = CurrentPage();
  if (page == nullptr) return;
  const QString target =
      QFileDialog::getSaveFileName(this, QStringLiteral("Save As"), page->FileName());
  if (target.isEmpty()) return;
  if (!WriteBytes(target, page->Contents())) {
    QMessageBox::warning(this, page->FileName(), QStringLiteral("Could not write ") + target);
  }
}

void ReportWindow::OpenInTextEditor() {
  ReportPage* page = CurrentPage();
  if (page == nullptr) return;
  QString target = page->Path();
  if (!QFileInfo::exists(target)) {
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    target =
        QDir(dir).filePath(QStringLiteral("kestrio-") + QFileInfo(page->FileName()).fileName());
    if (!WriteBytes(target, page->Contents())) {
      QMessageBox::warning(this, QStringLiteral("Open in Text Editor"),
                           QStringLiteral("Could not write a copy of the report to ") + target);
      return;
    }
  }
  if (open_url(QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath()))) return;
  QMessageBox::warning(
      this, QStringLiteral("Open in Text Editor"),
      QStringLiteral("No program on this computer is set up to open text files, so %1 could "
                     "not be opened in a text editor.\n\nUse Print or Save As instead.")
          .arg(page->FileName()));
}

void ReportWindow::ShowFindBar() {
  find_bar_->show();
  find_box_->setFocus();
  find_box_->selectAll();
}

bool ReportWindow::FindNext(bool backwards) {
  ReportPage* page = CurrentPage();
  const QString wanted = find_box_->text();
  if (page == nullptr || wanted.isEmpty()) {
    ShowFindBar();
    return false;
  }
  const QTextDocument::FindFlags flags =
      backwards ? QTextDocument::FindBackward : QTextDocument::FindFlags();
  bool found = page->find(wanted, flags);
  if (!found) {
    // Round the end: from the other end of the report once more.
    const QTextCursor kept = page->textCursor();
    page->moveCursor(backwards ? QTextCursor::End : QTextCursor::Start);
    found = page->find(wanted, flags);
    if (!found) page->setTextCursor(kept);
  }
  find_status_->setText(found ? QString() : QStringLiteral("Not found"));
  return found;
}

void ReportWindow::closeEvent(QCloseEvent* event) {
  // Closed means done with these reports: the next one opens in a fresh window.
  while (tabs_->count() > 0) {
    QWidget* page = tabs_->widget(0);
    tabs_->removeTab(0);
    page->deleteLater();
  }
  QMainWindow::closeEvent(event);
}

bool ReportViewerLauncher::Show(const std::string& name) {
  last_ = nullptr;
  if (name.empty()) return false;
  const QString path = QFile::decodeName(QByteArray::fromStdString(name));
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = file.readAll();
  if (window_ == nullptr) window_ = new ReportWindow(parent_);
  const QString file_name = BytesToDisplay(name);
  window_->ShowReport(file_name, QFileInfo(path).absoluteFilePath(), bytes.toStdString());
  last_ = window_->Page(file_name);
  return true;
}

}  // namespace kestrio::platform
