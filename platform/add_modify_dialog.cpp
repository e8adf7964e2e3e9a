#include "platform/add_modify_dialog.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/artwork.h"
#include "platform/dialog_placement.h"
#include "platform/text_codec.h"

namespace kestrio::platform {
namespace {

QLineEdit* Edit(int max_length, int shown_chars) {
  auto* edit = new QLineEdit;
  edit->setMaxLength(max_length);
  edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('M')) * shown_chars);
  return edit;
}

QLabel* PlainLabel(const QString& text) {
  auto* label = new QLabel(text);
  label->setTextFormat(Qt::PlainText);
  return label;
}

}  // namespace

AddModifyDialog::AddModifyDialog(ui::AddModifyForm& form, QWidget* owner)
    : QDialog(owner), form_(form), owner_(owner) {
  setWindowTitle(QString::fromLatin1(ui::kAddModifyTitle.data(), ui::kAddModifyTitle.size()));

  surname_ = Edit(ui::kSurnameWidth, 18);
  first_name_ = Edit(ui::kFirstNameWidth, 18);
  weight_ = Edit(ui::kWeightWidth, 6);
  age_ = Edit(ui::kAgeWidth, 6);
  rating_ = Edit(ui::kRatingWidth, 6);
  club_ = Edit(ui::kClubWidth, 12);

  auto* picture = new QLabel;
  picture->setPixmap(Artwork(QStringLiteral(":/kestrio/add_modify.svg"), QSize(72, 72)));
  picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  auto* fields = new QFormLayout;
  fields->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  fields->addRow(PlainLabel(QStringLiteral("Surname")), surname_);
  fields->addRow(PlainLabel(QStringLiteral("First Name")), first_name_);
  fields->addRow(PlainLabel(QStringLiteral("Weight")), weight_);
  fields->addRow(PlainLabel(QStringLiteral("Age")), age_);
  fields->addRow(PlainLabel(QStringLiteral("Rating")), rating_);
  fields->addRow(PlainLabel(QStringLiteral("Club")), club_);

  selected_ = new QRadioButton(QStringLiteral("Selected"));
  unselected_ = new QRadioButton(QStringLiteral("UnSelected"));
  auto* choice = new QButtonGroup(this);
  choice->addButton(selected_);
  choice->addButton(unselected_);
  auto* status = new QHBoxLayout;
  status->addWidget(selected_);
  status->addWidget(unselected_);
  status->addStretch(1);
  fields->addRow(QString(), status);

  auto* top = new QHBoxLayout;
  top->addWidget(picture, 0, Qt::AlignTop);
  top->addSpacing(12);
  top->addLayout(fields, 1);

  message_ = new QLabel;
  message_->setTextFormat(Qt::PlainText);
  message_->setFrameShape(QFrame::StyledPanel);
  message_->setFrameShadow(QFrame::Sunken);
  message_->setMinimumHeight(message_->fontMetrics().height() + 10);
  message_->setContentsMargins(6, 2, 6, 2);

  auto* done = new QPushButton(QStringLiteral("Done"));
  auto* next = new QPushButton(QStringLiteral("Next"));
  auto* cancel = new QPushButton(QStringLiteral("Cancel"));
  done->setDefault(true);
  connect(done, &QPushButton::clicked, this, &AddModifyDialog::PressDone);
  connect(next, &QPushButton::clicked, this, &AddModifyDialog::PressNext);
  connect(cancel, &QPushButton::clicked, this, &AddModifyDialog::PressCancel);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(done);
  buttons->addWidget(next);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addSpacing(6);
  layout->addWidget(message_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  FromForm();
}

void AddModifyDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOverOwner(this, owner_);
  FocusFormField();
}

void AddModifyDialog::FocusFormField() {
  QLineEdit* edit = nullptr;
  switch (form_.focus()) {
    case ui::AddModifyField::Surname:
      edit = surname_;
      break;
    case ui::AddModifyField::FirstName:
      edit = first_name_;
      break;
    case ui::AddModifyField::Weight:
      edit = weight_;
      break;
    case ui::AddModifyField::Age:
      edit = age_;
      break;
    case ui::AddModifyField::Rating:
      edit = rating_;
      break;
    case ui::AddModifyField::Club:
      edit = club_;
      break;
    case ui::AddModifyField::None:
      return;
  }
  // The value to correct is selected, so typing replaces it.
  edit->setFocus();
  edit->selectAll();
}

void AddModifyDialog::reject() { PressCancel(); }

void AddModifyDialog::Press(bool (ui::AddModifyForm::*button)()) {
  ToForm();
  const bool closes = (form_.*button)();
  FromForm();
  if (closes) {
    QDialog::accept();
  } else {
    // Next emptied the form for the club's next wrestler, or a value was refused or
    // doubted: typing goes on in that field.
    FocusFormField();
  }
}

void AddModifyDialog::ToForm() {
  form_.surname = DisplayToBytes(surname_->text());
  form_.first_name = DisplayToBytes(first_name_->text());
  form_.weight = DisplayToBytes(weight_->text());
  form_.age = DisplayToBytes(age_->text());
  form_.rating = DisplayToBytes(rating_->text());
  form_.club = DisplayToBytes(club_->text());
  form_.selected = selected_->isChecked();
}

void AddModifyDialog::FromForm() {
  surname_->setText(BytesToDisplay(form_.surname));
  first_name_->setText(BytesToDisplay(form_.first_name));
  weight_->setText(BytesToDisplay(form_.weight));
  age_->setText(BytesToDisplay(form_.age));
  rating_->setText(BytesToDisplay(form_.rating));
  club_->setText(BytesToDisplay(form_.club));
  (form_.selected ? selected_ : unselected_)->setChecked(true);
  message_->setText(BytesToDisplay(form_.message));
}

}  // namespace kestrio::platform
