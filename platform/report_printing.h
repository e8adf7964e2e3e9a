#pragma once

// A text report printed well: a header on every page (the report's title, the day's
// date, "page x of y") and the column headings of a table repeated on every page the
// table runs onto.

#include <QString>

#include <string>

class QPainter;
class QPagedPaintDevice;

namespace kestrio::platform {

// Draws the report (its bytes, shown like the roster's texts) in a fixed-width font
// sized so that the widest line fits the page width.
void PaintReport(QPainter& painter, QPagedPaintDevice& device, const QString& title,
                 const std::string& text);

}  // namespace kestrio::platform
