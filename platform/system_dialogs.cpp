#include "platform/system_dialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>

#include "platform/dialog_placement.h"
#include "platform/text_codec.h"

namespace kestrio::platform {
namespace {

QMessageBox::Icon BoxIcon(ui::MessageIcon icon) {
  switch (icon) {
    case ui::MessageIcon::Question:
      return QMessageBox::Question;
    case ui::MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case ui::MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

QString Latin(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// A message box is as wide as its text, and the window manager cuts a longer title
// ("Warning: unable to open Tand..."): keep the box wide enough for the whole title and
// the title bar's buttons.
void WidenForTitle(QMessageBox& box) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (grid == nullptr) return;
  QFont title_font = box.font();
  title_font.setBold(true);
  const int wanted = QFontMetrics(title_font).horizontalAdvance(box.windowTitle()) + 160;
  grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

ui::MessageAnswer MessageBoxes::Show(const ui::Message& message) {
  QWidget* owner = message.owned_by_main_window ? main_window_ : nullptr;
  QMessageBox box(BoxIcon(message.icon), BytesToDisplay(message.caption),
                  BytesToDisplay(message.text), QMessageBox::NoButton, owner);
  box.setTextFormat(Qt::PlainText);
  switch (message.buttons) {
    case ui::MessageButtons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      box.setDefaultButton(QMessageBox::Yes);
      box.setEscapeButton(QMessageBox::Cancel);
      break;
    case ui::MessageButtons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box.setDefaultButton(QMessageBox::No);
      box.setEscapeButton(QMessageBox::No);
      break;
    case ui::MessageButtons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      box.setEscapeButton(QMessageBox::Ok);
      break;
    case ui::MessageButtons::SaveDiscardCancel:
      box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
      box.setDefaultButton(QMessageBox::Save);
      box.setEscapeButton(QMessageBox::Cancel);
      break;
  }
  QPushButton* action = nullptr;
  if (!message.action_button.empty()) {
    action = box.addButton(BytesToDisplay(message.action_button), QMessageBox::ActionRole);
  }
  WidenForTitle(box);
  if (owner != nullptr) CentreWhenShown(&box, owner);
  const int pressed = box.exec();
  if (action != nullptr && box.clickedButton() == action) return ui::MessageAnswer::Action;
  switch (pressed) {
    case QMessageBox::Yes:
    case QMessageBox::Save:
      return ui::MessageAnswer::Yes;
    case QMessageBox::No:
    case QMessageBox::Discard:
      return ui::MessageAnswer::No;
    case QMessageBox::Ok:
      return ui::MessageAnswer::Ok;
    default:
      break;
  }
  switch (message.buttons) {
    case ui::MessageButtons::Ok:
      return ui::MessageAnswer::Ok;
    case ui::MessageButtons::YesNo:
      return ui::MessageAnswer::No;
    case ui::MessageButtons::YesNoCancel:
    case ui::MessageButtons::SaveDiscardCancel:
      break;
  }
  return ui::MessageAnswer::Cancel;
}

QString QtNameFilter(const ui::FileFilter& filter) {
  QStringList patterns = Latin(filter.pattern).split(QLatin1Char(';'), Qt::SkipEmptyParts);
  for (QString& pattern : patterns) {
    if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
  }
  return Latin(filter.caption) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
         QLatin1Char(')');
}

QString DefaultSuffix(std::string_view default_extension) {
  QString suffix = Latin(default_extension);
  while (suffix.startsWith(QLatin1Char('*')) || suffix.startsWith(QLatin1Char('.'))) {
    suffix.remove(0, 1);
  }
  return suffix;
}

namespace {

// The filter named by name (Qt's full filter text, or with the details hidden its
// caption alone), or -1.
int FilterIndex(const QStringList& filters, const QStringList& captions, const QString& name) {
  for (int i = 0; i < filters.size(); ++i) {
    if (name == filters[i] || name == captions[i]) return i;
  }
  return -1;
}

}  // namespace

QString& FileDialogs::RememberedFilter(const ui::FileDialogRequest& request) {
  if (request.extension_from_filter) return memory_.export_filter;
  return request.kind == ui::FileDialogKind::Save ? memory_.save_filter : memory_.open_filter;
}

ui::FileDialogResult FileDialogs::Run(const ui::FileDialogRequest& request) {
  QFileDialog dialog(main_window_);
  const bool save = request.kind == ui::FileDialogKind::Save;
  dialog.setWindowTitle(save ? QStringLiteral("Save As") : QStringLiteral("Open"));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // The captions read as they always have; the patterns behind them are Qt's.
  dialog.setOption(QFileDialog::HideNameFilterDetails, true);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirm_overwrite);
  // The filter is remembered by its caption, which is what the organiser reads. A name
  // typed without an extension gets the default one, or for an export the extension of
  // the filter chosen, which decides the format written.
  QStringList filters, captions, suffixes;
  for (const ui::FileFilter& filter : request.filters) {
    filters << QtNameFilter(filter);
    captions << Latin(filter.caption);
    suffixes << DefaultSuffix(request.extension_from_filter ? filter.pattern
                                                            : request.default_extension);
  }
  dialog.setNameFilters(filters);
  QString& remembered = RememberedFilter(request);
  int selected = FilterIndex(filters, captions, remembered);
  if (selected < 0) selected = request.initial_filter;
  if (selected >= 0 && selected < filters.size()) {
    dialog.selectNameFilter(filters[selected]);
    dialog.setDefaultSuffix(suffixes[selected]);
  }
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog, filters, captions, suffixes](const QString& name) {
                     const int k = FilterIndex(filters, captions, name);
                     if (k >= 0) dialog.setDefaultSuffix(suffixes[k]);
                   });
  if (!memory_.folder.isEmpty() && QFileInfo(memory_.folder).isDir()) {
    dialog.setDirectory(memory_.folder);
  }

  ui::FileDialogResult result;
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return result;
  if (const int chosen = FilterIndex(filters, captions, dialog.selectedNameFilter()); chosen >= 0) {
    remembered = captions[chosen];
  }
  memory_.folder = QFileInfo(dialog.selectedFiles().front()).absolutePath();
  const QByteArray path = QFile::encodeName(dialog.selectedFiles().front());
  if (static_cast<std::size_t>(path.size()) > ui::kMaxPathLength) {
    result.outcome = ui::FileDialogOutcome::Failed;
    result.failure = ui::FileDialogFailure::kFileNameTooLong;
    return result;
  }
  result.outcome = ui::FileDialogOutcome::Chosen;
  result.path.assign(path.constData(), static_cast<std::size_t>(path.size()));
  return result;
}

}  // namespace kestrio::platform
