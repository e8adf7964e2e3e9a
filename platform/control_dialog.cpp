#include "platform/control_dialog.h"

#include <algorithm>

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QVBoxLayout>

#include "platform/artwork.h"
#include "platform/dialog_placement.h"
#include "platform/text_codec.h"

namespace kestrio::platform {
namespace {

QString Latin(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QLabel* PlainLabel(const QString& text, bool wrap = false) {
  auto* label = new QLabel(text);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(wrap);
  return label;
}

// A value field about seven digits wide. Bout counts take digits only, but a key that
// is not a digit is shown, never swallowed: swallowing the point of "3.5" would merge the
// digits into 35. Such a field turns red, and OK refuses it.
QLineEdit* ValueEdit(QObject* owner, bool digits_only) {
  auto* edit = new QLineEdit;
  edit->setMaxLength(ui::kControlFieldWidth);
  edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
  edit->setAlignment(Qt::AlignRight);
  if (digits_only) {
    const QRegularExpression digits(QStringLiteral("^ *[0-9]* *$"));
    QObject::connect(edit, &QLineEdit::textChanged, owner, [edit, digits](const QString& text) {
      const bool ok = digits.match(text).hasMatch();
      QPalette colours = edit->style()->standardPalette();
      if (!ok) colours.setColor(QPalette::Text, Qt::red);
      edit->setPalette(colours);
      edit->setToolTip(ok ? QString() : QStringLiteral("Digits only"));
    });
  }
  return edit;
}

// The captions under the same-club slider, each centred under its stop and kept inside
// the slider's width.
class SliderScale : public QWidget {
 public:
  explicit SliderScale(QSlider* slider) : slider_(slider) {
    setMinimumHeight(fontMetrics().height() + 4);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    QStyleOptionSlider option;
    option.initFrom(slider_);
    option.minimum = slider_->minimum();
    option.maximum = slider_->maximum();
    option.orientation = Qt::Horizontal;
    const QRect handle = slider_->style()->subControlRect(QStyle::CC_Slider, &option,
                                                          QStyle::SC_SliderHandle, slider_);
    const int span = slider_->width() - handle.width();
    for (int stop = ui::kSliderMinimum; stop <= ui::kSliderMaximum; ++stop) {
      const QString label = Latin(ui::kSliderLabels[static_cast<std::size_t>(stop)]);
      const int text_width = fontMetrics().horizontalAdvance(label);
      const int centre = handle.width() / 2 + QStyle::sliderPositionFromValue(
                                                  option.minimum, option.maximum, stop, span);
      const int left = std::clamp(centre - text_width / 2, 0, width() - text_width);
      painter.drawText(QRect(left, 0, text_width, height()), Qt::AlignLeft | Qt::AlignVCenter,
                       label);
    }
  }

 private:
  QSlider* slider_;
};

QFormLayout* FieldRows() {
  auto* rows = new QFormLayout;
  rows->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  rows->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  return rows;
}

}  // namespace

ControlDialog::ControlDialog(ui::ControlParametersForm& form, QWidget* owner)
    : QDialog(owner), form_(form), owner_(owner) {
  setWindowTitle(Latin(ui::kControlDialogTitle));

  auto* picture = new QLabel;
  picture->setPixmap(Artwork(QStringLiteral(":/kestrio/controls.svg"), QSize(72, 72)));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons->button(QDialogButtonBox::Ok), &QPushButton::clicked, this,
          &ControlDialog::PressOk);
  connect(buttons->button(QDialogButtonBox::Cancel), &QPushButton::clicked, this,
          &ControlDialog::PressCancel);

  auto* right = new QVBoxLayout;
  right->addWidget(picture, 0, Qt::AlignRight | Qt::AlignTop);
  right->addStretch(1);

  auto* columns = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(BuildEnforced());
  left->addWidget(BuildGuidelines());
  columns->addLayout(left, 1);
  columns->addLayout(right);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  FromForm();
}

QWidget* ControlDialog::BuildEnforced() {
  weight_ = ValueEdit(this, false);
  age_ = ValueEdit(this, false);
  rating_ = ValueEdit(this, false);
  max_bouts_ = ValueEdit(this, true);
  min_fit_ = ValueEdit(this, false);

  auto* differences = new QGroupBox(QStringLiteral("Maximum Allowed Difference in"));
  auto* difference_rows = FieldRows();
  difference_rows->addRow(PlainLabel(QStringLiteral("Weight (%)")), weight_);
  difference_rows->addRow(PlainLabel(QStringLiteral("Age (Yrs)")), age_);
  difference_rows->addRow(PlainLabel(QStringLiteral("Rating (Pts)")), rating_);
  differences->setLayout(difference_rows);

  // Five positions from "Never" to "Allow", each label under its own stop.
  slider_ = new QSlider(Qt::Horizontal);
  slider_->setRange(ui::kSliderMinimum, ui::kSliderMaximum);
  slider_->setPageStep(1);
  slider_->setTickPosition(QSlider::NoTicks);
  slider_->setMinimumWidth(slider_->fontMetrics().horizontalAdvance(QStringLiteral("Discourage")) *
                           5);
  auto* same_club = new QGroupBox(QStringLiteral("Allow Pairing of Wrestlers from the Same Club?"));
  auto* slider_column = new QVBoxLayout(same_club);
  slider_column->addWidget(slider_);
  slider_column->addWidget(new SliderScale(slider_));
  slider_column->addStretch(1);

  auto* limits = new QGroupBox(QStringLiteral("Individual Limits"));
  auto* limit_rows = FieldRows();
  limit_rows->addRow(PlainLabel(QStringLiteral("Maximum number of bouts/wrestler =")), max_bouts_);
  limit_rows->addRow(PlainLabel(QStringLiteral("Minimum  Goodness-of-Fit (MGoF) =")), min_fit_);
  limit_rows->addRow(PlainLabel(QStringLiteral("(Range: 0 < MGoF < 1: Generally MGoF < 0.125)")));
  limits->setLayout(limit_rows);

  auto* enforced = new QGroupBox(QStringLiteral("Enforced Conditions"));
  auto* column = new QVBoxLayout(enforced);
  auto* upper = new QHBoxLayout;
  upper->addWidget(differences);
  upper->addWidget(same_club, 1);
  column->addLayout(upper);
  column->addWidget(limits);
  return enforced;
}

QWidget* ControlDialog::BuildGuidelines() {
  min_wanted_ = ValueEdit(this, true);
  max_wanted_ = ValueEdit(this, true);
  auto* per_wrestler = new QGroupBox(QStringLiteral("# Bouts Per Wrestler"));
  auto* rows = FieldRows();
  rows->addRow(PlainLabel(QStringLiteral("Min No. of Bouts Wanted is")), min_wanted_);
  rows->addRow(PlainLabel(QStringLiteral("Max No. of Bouts Wanted is")), max_wanted_);
  auto* inner = new QHBoxLayout(per_wrestler);
  inner->addLayout(rows);
  inner->addSpacing(12);
  inner->addWidget(PlainLabel(QStringLiteral("These are soft targets for the min and max number of "
                                             "bouts that the code will attempt to create per "
                                             "wrestler."),
                              true),
                   1);

  auto* guidelines = new QGroupBox(QStringLiteral("Guidelines"));
  auto* column = new QVBoxLayout(guidelines);
  column->addWidget(per_wrestler);
  return guidelines;
}

void ControlDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOverOwner(this, owner_);
}

void ControlDialog::PressOk() {
  ToForm();
  const bool closes = form_.Ok();
  FromForm();
  if (closes) {
    QDialog::accept();
    return;
  }
  QLineEdit* const fields[] = {nullptr,    weight_,  age_,        rating_,
                               max_bouts_, min_fit_, min_wanted_, max_wanted_};
  if (QLineEdit* refused = fields[static_cast<int>(form_.refused_field)]) {
    refused->setFocus();
    refused->selectAll();
  }
}

void ControlDialog::PressCancel() {
  if (form_.Cancel()) QDialog::reject();
}

void ControlDialog::ToForm() {
  form_.weight = DisplayToBytes(weight_->text());
  form_.age = DisplayToBytes(age_->text());
  form_.rating = DisplayToBytes(rating_->text());
  form_.max_bouts = DisplayToBytes(max_bouts_->text());
  form_.min_fit = DisplayToBytes(min_fit_->text());
  form_.min_wanted = DisplayToBytes(min_wanted_->text());
  form_.max_wanted = DisplayToBytes(max_wanted_->text());
  form_.slider_position = slider_->value();
}

void ControlDialog::FromForm() {
  weight_->setText(BytesToDisplay(form_.weight));
  age_->setText(BytesToDisplay(form_.age));
  rating_->setText(BytesToDisplay(form_.rating));
  max_bouts_->setText(BytesToDisplay(form_.max_bouts));
  min_fit_->setText(BytesToDisplay(form_.min_fit));
  min_wanted_->setText(BytesToDisplay(form_.min_wanted));
  max_wanted_->setText(BytesToDisplay(form_.max_wanted));
  slider_->setValue(form_.slider_position);
}

}  // namespace kestrio::platform
