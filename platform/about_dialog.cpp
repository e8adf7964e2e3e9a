#include "platform/about_dialog.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/artwork.h"
#include "platform/dialog_placement.h"
#include "platform/text_codec.h"

namespace kestrio::platform {

AboutDialog::AboutDialog(const ui::AboutForm& form, QWidget* owner)
    : QDialog(owner), owner_(owner) {
  setWindowTitle(QString::fromLatin1(ui::kAboutTitle.data(), ui::kAboutTitle.size()));

  auto* icon = new QLabel;
  icon->setPixmap(Artwork(QStringLiteral(":/kestrio/kestrio.svg"), QSize(64, 64)));
  icon->setAlignment(Qt::AlignTop);

  // Values found in the version information show in a 14-pixel sans-serif face; an entry
  // that has none keeps its name in the dialog's own font.
  QFont value_font = font();
  value_font.setStyleHint(QFont::SansSerif);
  value_font.setPixelSize(14);

  auto* texts = new QVBoxLayout;
  for (int i = 0; i < 5; ++i) {
    const ui::AboutField& field = form.fields[static_cast<std::size_t>(i)];
    auto* label = new QLabel(BytesToDisplay(field.text));
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (field.uses_value_font) label->setFont(value_font);
    fields_[i] = label;
    if (i == 4) {
      // Comments: a larger field of several lines, below the separator.
      label->setWordWrap(true);
      label->setMinimumHeight(label->fontMetrics().lineSpacing() * 3);
      auto* line = new QFrame;
      line->setFrameShape(QFrame::HLine);
      line->setFrameShadow(QFrame::Sunken);
      texts->addSpacing(4);
      texts->addWidget(line);
      texts->addSpacing(4);
    }
    texts->addWidget(label);
  }

  auto* top = new QHBoxLayout;
  top->addWidget(icon, 0, Qt::AlignTop);
  top->addSpacing(12);
  top->addLayout(texts, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(buttons);
  setMinimumWidth(420);
  setMaximumWidth(520);
}

void AboutDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOverOwner(this, owner_);
}

}  // namespace kestrio::platform
