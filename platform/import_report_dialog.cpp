#include "platform/import_report_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "platform/dialog_placement.h"
#include "platform/report_viewer_window.h"
#include "platform/text_codec.h"

namespace kestrio::platform {

ImportReportDialog::ImportReportDialog(const ui::ImportReport& report, QWidget* owner)
    : QDialog(owner), owner_(owner) {
  setWindowTitle(QStringLiteral("Import Report: ") + BytesToDisplay(ui::ImportFileName(report)));

  auto* icon = new QLabel;
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
  auto* summary = new QLabel(
      QStringLiteral("Some lines of this file could not be read and were skipped. The other "
                     "wrestlers were added. Correct the lines below in the file and open it "
                     "again, or add those wrestlers by hand."));
  summary->setWordWrap(true);
  auto* top = new QHBoxLayout;
  top->addWidget(icon, 0, Qt::AlignTop);
  top->addWidget(summary, 1);

  text_ = new QPlainTextEdit;
  text_->setReadOnly(true);
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setFont(FixedPitchFont(QFontDatabase::systemFont(QFontDatabase::FixedFont)));
  text_->setTabStopDistance(text_->fontMetrics().horizontalAdvance(QLatin1Char(' ')) * 8);
  text_->setPlainText(BytesToDisplay(ui::FormatImportReport(report)));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  QPushButton* copy = buttons->addButton(QStringLiteral("&Copy"), QDialogButtonBox::ActionRole);
  connect(copy, &QPushButton::clicked, this,
          [this] { QApplication::clipboard()->setText(text_->toPlainText()); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(text_, 1);
  layout->addWidget(buttons);
  resize(760, 420);
}

void ImportReportDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOverOwner(this, owner_);
}

}  // namespace kestrio::platform
