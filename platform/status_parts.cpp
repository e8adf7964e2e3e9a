#include "platform/status_parts.h"

#include <QPainter>
#include <QStyle>

#include <algorithm>

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
  return text.isEmpty() ? 0 : fontMetrics().horizontalAdvance(text) + 2 * kPadding;
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
  const int stats = std::min(TextWidth(texts_[2]), total);
  int guidance_room = std::max(0, total - stats);
  const int guidance_wanted = std::max(guidance_width_, TextWidth(texts_[0]));
  const int guidance = std::min(guidance_wanted, guidance_room);
  const int hint = std::max(0, guidance_room - guidance);
  rects_[0] = QRect(0, 0, guidance, height());
  rects_[1] = QRect(guidance, 0, hint, height());
  rects_[2] = QRect(total - stats, 0, stats, height());
  for (std::size_t part = 0; part < texts_.size(); ++part) {
    const int room = std::max(0, rects_[part].width() - 2 * kPadding);
    shown_[part] = fontMetrics().elidedText(texts_[part], Qt::ElideRight, room);
  }
  // A cut text shows whole where the pointer rests on it.
  QString tip;
  for (std::size_t part = 0; part < texts_.size(); ++part) {
    if (shown_[part] != texts_[part]) tip += (tip.isEmpty() ? "" : "\n") + texts_[part];
  }
  setToolTip(tip);
  update();
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
