#include "platform/status_parts.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace kestrio::platform {
namespace {

constexpr int kPadding = 6;  // left and right of each text
// The guidance never gets narrower than this while the statistics take the rest.
constexpr int kLeastGuidance = 60;

}  // namespace

StatusParts::StatusParts(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

int StatusParts::TextWidth(const QString& text) const {
  if (text.isEmpty()) return 0;
  // Rounded up: a text whose characters are fractions of a pixel wide, measured rounded
  // down, would not fit its own width and lose its last word to "...".
  const qreal advance = QFontMetricsF(font()).horizontalAdvance(text);
  return static_cast<int>(std::ceil(advance)) + 1 + 2 * kPadding;
}

void StatusParts::SetText(int part, const QString& text) {
  if (part < 0 || part > 2 || texts_[static_cast<std::size_t>(part)] == text) return;
  texts_[static_cast<std::size_t>(part)] = text;
  updateGeometry();
  Share();
}

QString StatusParts::Text(int part) const {
  return part < 0 || part > 2 ? QString() : texts_[static_cast<std::size_t>(part)];
}

QString StatusParts::ShownText(int part) const {
  return part < 0 || part > 2 ? QString() : shown_[static_cast<std::size_t>(part)];
}

void StatusParts::SetGuidanceWidth(int width) {
  guidance_width_ = width;
  Share();
}

QSize StatusParts::sizeHint() const {
  int width = 0;
  for (const QString& text : texts_) width += TextWidth(text);
  return {width, fontMetrics().height() + 4};
}

QSize StatusParts::minimumSizeHint() const {
  // The statistics whole, and a little of the guidance.
  return {TextWidth(texts_[2]) + kLeastGuidance, fontMetrics().height() + 4};
}

void StatusParts::Share() {
  const int total = width();
  const int stats = TextWidth(texts_[2]);
  const int guidance_room = std::max(0, total - stats);
  const int guidance_wanted = std::max(guidance_width_, TextWidth(texts_[0]));
  const int guidance = std::min(guidance_wanted, guidance_room);
  const int hint = std::max(0, guidance_room - guidance);
  rects_[0] = QRect(0, 0, guidance, height());
  rects_[1] = QRect(guidance, 0, hint, height());
  rects_[2] = QRect(std::max(0, total - stats), 0, stats, height());
  // The statistics are never shortened (the window is never narrower than they are);
  // the guidance and the hint give way.
  for (std::size_t part = 0; part < 2; ++part) {
    const int room = std::max(0, rects_[part].width() - 2 * kPadding);
    shown_[part] = fontMetrics().elidedText(texts_[part], Qt::ElideRight, room);
  }
  shown_[2] = texts_[2];
  // A cut text shows whole where the pointer rests on it.
  QString tip;
  for (std::size_t part = 0; part < texts_.size(); ++part) {
    if (shown_[part] != texts_[part]) tip += (tip.isEmpty() ? "" : "\n") + texts_[part];
  }
  setToolTip(tip);
  update();
}

void StatusParts::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    updateGeometry();
    Share();
  }
}

void StatusParts::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Share();
}

void StatusParts::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  for (std::size_t part = 0; part < texts_.size(); ++part) {
    const QRect text_rect = rects_[part].adjusted(kPadding, 0, -kPadding, 0);
    painter.drawText(text_rect, Qt::AlignLeft | Qt::AlignVCenter, shown_[part]);
  }
}

}  // namespace kestrio::platform
