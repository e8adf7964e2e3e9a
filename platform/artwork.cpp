#include "platform/artwork.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

// The pictures live in a static library, whose resources Qt does not register by itself.
static void RegisterKestrioArtwork() { Q_INIT_RESOURCE(resources); }

namespace kestrio::platform {

QPixmap Artwork(const QString& resource, QSize size) {
  static const bool registered = (RegisterKestrioArtwork(), true);
  (void)registered;
  QSvgRenderer renderer(resource);
  if (!renderer.isValid()) return {};
  const qreal ratio = qApp != nullptr ? qApp->devicePixelRatio() : 1.0;
  QPixmap pixmap(size * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
  return pixmap;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int side : {16, 24, 32, 48, 64, 128, 256}) {
    icon.addPixmap(Artwork(QStringLiteral(":/kestrio/kestrio.svg"), QSize(side, side)));
  }
  return icon;
}

QIcon TreeNodeIcon() {
  QIcon icon;
  const QSize size(16, 16);
  icon.addPixmap(Artwork(QStringLiteral(":/kestrio/tree_node.svg"), size), QIcon::Normal);
  icon.addPixmap(Artwork(QStringLiteral(":/kestrio/tree_node_selected.svg"), size),
                 QIcon::Selected);
  return icon;
}

}  // namespace kestrio::platform
