#include "platform/system_dialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

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

}  // namespace

ui::MessageAnswer MessageBoxes::Show(const ui::Message& message) {
  QWidget* owner = message.owned_by_main_window ? main_window_ : nullptr;
  QMessageBox box(BoxIcon(message.icon), BytesToDisplay(message.caption),
                  BytesToDisplay(message.text), QMessageBox::NoButton, owner);
  box.setTextFormat(Qt::PlainText);
  if (message.buttons == ui::MessageButtons::YesNoCancel) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
  }
  if (owner != nullptr) CentreWhenShown(&box, owner);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return ui::MessageAnswer::Yes;
    case QMessageBox::No:
      return ui::MessageAnswer::No;
    case QMessageBox::Ok:
      return ui::MessageAnswer::Ok;
    default:
      break;
  }
  return message.buttons == ui::MessageButtons::Ok ? ui::MessageAnswer::Ok
                                                   : ui::MessageAnswer::Cancel;
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

ui::FileDialogResult FileDialogs::Run(const ui::FileDialogRequest& request) {
  QFileDialog dialog(main_window_);
  const bool save = request.kind == ui::FileDialogKind::Save;
  dialog.setWindowTitle(save ? QStringLiteral("Save As") : QStringLiteral("Open"));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // The captions read as they always have; the patterns behind them are Qt's.
  dialog.setOption(QFileDialog::HideNameFilterDetails, true);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirm_overwrite);
  QStringList filters;
  for (const ui::FileFilter& filter : *request.filters) filters << QtNameFilter(filter);
  dialog.setNameFilters(filters);
  if (request.initial_filter >= 0 && request.initial_filter < filters.size()) {
    dialog.selectNameFilter(filters[request.initial_filter]);
  }
  dialog.setDefaultSuffix(DefaultSuffix(request.default_extension));

  ui::FileDialogResult result;
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return result;
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
