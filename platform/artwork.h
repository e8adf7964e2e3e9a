#pragma once

// Kestrio's pictures, drawn from the SVG files compiled into the program.

#include <QIcon>
#include <QPixmap>

namespace kestrio::platform {

// The SVG resource rendered at the given size (in device-independent pixels, sharp on
// high-density screens); an empty pixmap when the resource is missing.
QPixmap Artwork(const QString& resource, QSize size);

QIcon ProgramIcon();
// Tree nodes: the ring at rest, the filled ring for the selected node.
QIcon TreeNodeIcon();

}  // namespace kestrio::platform
