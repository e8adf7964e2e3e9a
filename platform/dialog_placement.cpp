#include "platform/dialog_placement.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

#include "ui/window_geometry.h"

namespace kestrio::platform {
namespace {

class CentreOnShow : public QObject {
 public:
  CentreOnShow(QWidget* dialog, const QWidget* owner) : QObject(dialog), owner_(owner) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      CentreOverOwner(static_cast<QWidget*>(watched), owner_);
      watched->removeEventFilter(this);
      deleteLater();
    }
    return false;
  }

 private:
  const QWidget* owner_;
};

}  // namespace

void CentreOverOwner(QWidget* dialog, const QWidget* owner) {
  if (dialog == nullptr || owner == nullptr) return;
  const QRect frame = owner->frameGeometry();
  const QScreen* screen = owner->screen();
  const QRect area = screen != nullptr ? screen->geometry() : QRect(0, 0, 1 << 15, 1 << 15);
  const QSize size = dialog->frameGeometry().size();
  const ui::Rect owner_rect{frame.x() - area.x(), frame.y() - area.y(), frame.width(),
                            frame.height()};
  const ui::Point at =
      ui::CentreOverOwner(size.width(), size.height(), owner_rect, area.width(), area.height());
  dialog->move(at.x + area.x(), at.y + area.y());
}

void CentreWhenShown(QWidget* dialog, const QWidget* owner) {
  dialog->installEventFilter(new CentreOnShow(dialog, owner));
}

}  // namespace kestrio::platform
