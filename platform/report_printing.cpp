#include "platform/report_printing.h"

#include <QDate>
#include <QFontDatabase>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

#include "platform/text_codec.h"
#include "reports/report_pages.h"

namespace kestrio::platform {

void PaintReport(QPainter& painter, QPagedPaintDevice& device, const QString& title,
                 const std::string& text) {
  const std::vector<std::string_view> lines = reports::ReportLines(text);
  std::vector<QString> shown;
  shown.reserve(lines.size());
  std::size_t widest = 60;
  for (std::string_view line : lines) {
    shown.push_back(BytesToDisplay(line));
    widest = std::max<std::size_t>(widest, static_cast<std::size_t>(shown.back().size()));
  }
  // Points from the top left of the printable area.
  const double scale = device.logicalDpiX() / 72.0;
  const QRectF page(QPointF(0, 0), device.pageLayout().paintRect(QPageLayout::Point).size());
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  // Pixel sizes, which the painter's scale makes points (see sheet_printer.cpp).
  fixed.setPixelSize(100);
  const double advance =
      QFontMetricsF(fixed).horizontalAdvance(QString(100, QLatin1Char('M'))) / 100;
  fixed.setPixelSize(std::clamp(
      static_cast<int>(100 * page.width() / (advance * static_cast<double>(widest))), 4, 10));
  const double line_height = QFontMetricsF(fixed).lineSpacing();
  const double header = 30;
  const int per_page = static_cast<int>((page.height() - header) / line_height);
  const std::vector<reports::ReportPage> pages = reports::PaginateReport(lines, per_page);

  QFont head_font(QStringLiteral("DejaVu Sans"));
  head_font.setPixelSize(9);
  const QString date = QLocale::system().toString(QDate::currentDate(), QLocale::LongFormat);
  for (std::size_t n = 0; n < pages.size(); ++n) {
    if (n > 0) device.newPage();
    painter.resetTransform();
    painter.scale(scale, scale);
    painter.setPen(Qt::black);
    painter.setFont(head_font);
    const QRectF band(0, 0, page.width(), 16);
    painter.drawText(band, Qt::AlignLeft | Qt::AlignVCenter, title);
    painter.drawText(band, Qt::AlignHCenter | Qt::AlignVCenter, date);
    painter.drawText(band, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("page %1 of %2").arg(n + 1).arg(pages.size()));
    painter.drawLine(QPointF(0, 19), QPointF(page.width(), 19));
    painter.setFont(fixed);
    double y = header;
    for (int index : pages[n].lines) {
      painter.drawText(QPointF(0, y + QFontMetricsF(fixed).ascent()),
                       shown[static_cast<std::size_t>(index)]);
      y += line_height;
    }
  }
}

}  // namespace kestrio::platform
