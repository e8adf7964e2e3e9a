#include "platform/sheet_printer.h"

#include <QComboBox>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSaveFile>
#include <QToolBar>

#include <algorithm>
#include <functional>

#include "platform/text_codec.h"

namespace kestrio::platform {
namespace {

using reports::SheetBout;
using reports::SheetWrestler;

const QColor kRed(0xC6, 0x28, 0x28);
const QColor kGreen(0x2E, 0x7D, 0x32);

QString Text(const std::string& bytes) { return BytesToDisplay(bytes); }

QString Name(const SheetWrestler& w) {
  if (w.FirstName.empty()) return Text(w.LastName);
  return Text(w.LastName) + QStringLiteral(", ") + Text(w.FirstName);
}

QString Weight(float weight) { return QString::number(static_cast<double>(weight), 'f', 1); }

// The painter works in points (1/72 inch) from the top left of the printable area.
QRectF PagePoints(QPainter& painter, QPagedPaintDevice& device) {
  const double scale = device.logicalDpiX() / 72.0;
  painter.resetTransform();
  painter.scale(scale, scale);
  const QRectF paint = device.pageLayout().paintRect(QPageLayout::Point);
  return QRectF(0, 0, paint.width(), paint.height());
}

// Fonts are sized in pixels, which the painter's scale makes points: a point size would
// be scaled by the device's resolution a second time. Metrics of such a font are in the
// same points whatever the device.
QFont Sans(double points, bool bold = false) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(std::max(1, static_cast<int>(points + 0.5)));
  font.setBold(bold);
  return font;
}

// Text fitted into a box: shrunk until it fits the width, elided when even the smallest
// size does not.
void FitText(QPainter& p, const QRectF& box, const QString& text, QFont font, int flags) {
  for (int size = font.pixelSize(); size > 6; --size) {
    font.setPixelSize(size);
    if (QFontMetricsF(font).horizontalAdvance(text) <= box.width()) break;
  }
  p.setFont(font);
  p.drawText(box, flags, QFontMetricsF(font).elidedText(text, Qt::ElideRight, box.width()));
}

void Label(QPainter& p, const QRectF& box, const QString& text, double size, bool bold = false,
           int flags = Qt::AlignLeft | Qt::AlignVCenter) {
  p.setFont(Sans(size, bold));
  p.drawText(box, flags, text);
}

void CheckBox(QPainter& p, QPointF at, double size, const QString& caption, double font) {
  p.drawRect(QRectF(at.x(), at.y() - size / 2, size, size));
  Label(p, QRectF(at.x() + size * 1.4, at.y() - font, font * 8, font * 2), caption, font);
}

void Header(QPainter& p, const QRectF& r, const SheetBout& b, double u) {
  Label(p, QRectF(r.left(), r.top(), r.width() * 0.3, u * 3), QStringLiteral("BOUT"), u * 2.2,
        true);
  FitText(p, QRectF(r.left(), r.top() + u * 2.5, r.width() * 0.42, u * 9),
          QString::number(b.Number), Sans(u * 9, true), Qt::AlignLeft | Qt::AlignVCenter);
  const QRectF right(r.left() + r.width() * 0.42, r.top(), r.width() * 0.58, u * 11.5);
  const QString where =
      b.Mat >= 0 ? QStringLiteral("Mat %1   %2").arg(b.Mat + 1).arg(QString::fromStdString(b.Time))
                 : QStringLiteral("Mat ____   Time ______");
  Label(p, QRectF(right.left(), right.top() + u, right.width(), u * 5), where, u * 3.6, true,
        Qt::AlignRight | Qt::AlignVCenter);
  FitText(p, QRectF(right.left(), right.top() + u * 6.5, right.width(), u * 4),
          QStringLiteral("Round %1    Weight class %2").arg(b.Round).arg(b.WeightClass),
          Sans(u * 2.6), Qt::AlignRight | Qt::AlignVCenter);
}

// One wrestler's row: the corner box in the side's colour, then name, club and weight.
void WrestlerRow(QPainter& p, const QRectF& row, const SheetWrestler& w, bool red) {
  const double h = row.height();
  const QRectF corner(row.left(), row.top(), h * 1.5, h);
  p.fillRect(corner, red ? kRed : kGreen);
  p.setPen(Qt::white);
  Label(p, corner, red ? QStringLiteral("RED") : QStringLiteral("GREEN"), h * 0.26, true,
        Qt::AlignCenter);
  p.setPen(Qt::black);
  p.drawRect(row);
  const QRectF text(corner.right() + h * 0.3, row.top(), row.width() - corner.width() - h * 0.6, h);
  FitText(p, QRectF(text.left(), text.top(), text.width(), h * 0.58), Name(w), Sans(h * 0.36, true),
          Qt::AlignLeft | Qt::AlignBottom);
  const QString club = w.Club.empty() ? QString() : Text(w.Club) + QStringLiteral("     ");
  FitText(p, QRectF(text.left(), text.top() + h * 0.58, text.width(), h * 0.38),
          club + QStringLiteral("Weight ") + Weight(w.Weight), Sans(h * 0.24),
          Qt::AlignLeft | Qt::AlignVCenter);
}

void ScoringGrid(QPainter& p, const QRectF& g, double u) {
  const double first = g.width() * 0.16;
  const double col = (g.width() - first) / 4;
  const double head = u * 3;
  const double row = (g.height() - head) / 2;
  const QString titles[] = {QStringLiteral("Period 1"), QStringLiteral("Period 2"),
                            QStringLiteral("Period 3"), QStringLiteral("Total")};
  for (int c = 0; c < 4; ++c)
    Label(p, QRectF(g.left() + first + c * col, g.top(), col, head), titles[c], u * 2, true,
          Qt::AlignCenter);
  for (int r = 0; r < 2; ++r) {
    const QRectF side(g.left(), g.top() + head + r * row, first, row);
    p.fillRect(side, r == 0 ? kRed : kGreen);
    p.setPen(Qt::white);
    Label(p, side, r == 0 ? QStringLiteral("RED") : QStringLiteral("GREEN"), u * 2, true,
          Qt::AlignCenter);
    p.setPen(Qt::black);
  }
  p.drawRect(QRectF(g.left(), g.top() + head, g.width(), g.height() - head));
  for (int c = 0; c < 4; ++c) {
    const double x = g.left() + first + c * col;
    p.setPen(QPen(Qt::black, c == 3 ? 1.6 : 0.8));
    p.drawLine(QPointF(x, g.top() + head), QPointF(x, g.bottom()));
  }
  p.setPen(QPen(Qt::black, 0.8));
  p.drawLine(QPointF(g.left(), g.top() + head + row), QPointF(g.right(), g.top() + head + row));
}

void ResultLines(QPainter& p, const QRectF& r, double u) {
  const double font = u * 2.1;
  double y = r.top() + u * 2;
  Label(p, QRectF(r.left(), y - font, u * 12, font * 2), QStringLiteral("Result:"), font, true);
  const QString kinds[] = {QStringLiteral("Fall"), QStringLiteral("Decision"),
                           QStringLiteral("Major"), QStringLiteral("Tech fall")};
  double x = r.left() + u * 11;
  for (const QString& kind : kinds) {
    CheckBox(p, QPointF(x, y), u * 2, kind, font);
    x += u * (kind.size() + 6) * 1.25;
  }
  y += u * 5;
  const auto blank = [&](double from, double width, const QString& caption) {
    Label(p, QRectF(from, y - font, width, font * 2), caption, font);
    const double line_from = from + QFontMetricsF(Sans(font)).horizontalAdvance(caption) + u;
    p.drawLine(QPointF(line_from, y + font * 0.7), QPointF(from + width - u * 2, y + font * 0.7));
  };
  blank(r.left(), r.width() * 0.3, QStringLiteral("Time"));
  blank(r.left() + r.width() * 0.3, r.width() * 0.36, QStringLiteral("Points   Red"));
  blank(r.left() + r.width() * 0.66, r.width() * 0.34, QStringLiteral("Green"));
  y += u * 5;
  blank(r.left(), r.width() * 0.66, QStringLiteral("Winner"));
  Label(p, QRectF(r.left() + r.width() * 0.66, y - font, r.width() * 0.2, font * 2),
        QStringLiteral("Referee's initials"), font);
  p.drawRect(QRectF(r.right() - u * 10, y - u * 2.2, u * 10, u * 4.4));
}

void PaintSheet(QPainter& p, const QRectF& outer, const SheetBout& b) {
  p.setPen(QPen(Qt::black, 1.2));
  p.drawRect(outer);
  // One unit: a sheet's drawing is 60 units high and about 92 wide, centred in its place.
  const double u = std::min(outer.height() / 60, outer.width() / 92);
  const double spare = (outer.height() - 60 * u) / 2;
  const QRectF r = outer.adjusted(u * 2, spare + u * 1.5, -u * 2, -spare - u * 1.5);
  p.setPen(QPen(Qt::black, 0.8));
  Header(p, r, b, u);
  WrestlerRow(p, QRectF(r.left(), r.top() + u * 12, r.width(), u * 8), b.Wrestler[0], true);
  WrestlerRow(p, QRectF(r.left(), r.top() + u * 21, r.width(), u * 8), b.Wrestler[1], false);
  ScoringGrid(p, QRectF(r.left(), r.top() + u * 30.5, r.width(), u * 14), u);
  ResultLines(p, QRectF(r.left(), r.top() + u * 46, r.width(), u * 12), u);
}

// The places of the sheets on a page: two stacked halves, or four quarters.
std::vector<QRectF> SheetPlaces(const QRectF& page, int per_page) {
  const double gap = 14;
  std::vector<QRectF> places;
  if (per_page == 4) {
    const double w = (page.width() - gap) / 2, h = (page.height() - gap) / 2;
    for (int i = 0; i < 4; ++i)
      places.emplace_back(page.left() + (i % 2) * (w + gap), page.top() + (i / 2) * (h + gap), w,
                          h);
  } else {
    const double h = (page.height() - gap) / 2;
    for (int i = 0; i < 2; ++i)
      places.emplace_back(page.left(), page.top() + i * (h + gap), page.width(), h);
  }
  return places;
}

Status PdfFile(const std::string& path, QPageLayout::Orientation orientation,
               const std::function<void(QPainter&, QPdfWriter&)>& paint) {
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly))
    return Status::IoError(path + ": " + file.errorString().toStdString());
  {
    QPdfWriter writer(&file);
    writer.setCreator(QStringLiteral("Kestrio"));
    writer.setPageLayout(
        QPageLayout(QPageSize(PaperForLocale()), orientation, QMarginsF(36, 36, 36, 36)));
    QPainter painter(&writer);
    paint(painter, writer);
  }
  if (!file.commit()) return Status::IoError(path + ": " + file.errorString().toStdString());
  return Status::Ok();
}

}  // namespace

QPageSize::PageSizeId PaperForLocale() {
  return QLocale::system().measurementSystem() == QLocale::MetricSystem ? QPageSize::A4
                                                                        : QPageSize::Letter;
}

void PaintBoutSheets(QPainter& painter, QPagedPaintDevice& device,
                     const std::vector<SheetBout>& sheets, int per_page) {
  per_page = per_page == 4 ? 4 : 2;
  const QRectF page = PagePoints(painter, device);
  const std::vector<QRectF> places = SheetPlaces(page, per_page);
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    if (i > 0 && i % places.size() == 0) {
      device.newPage();
      PagePoints(painter, device);
    }
    PaintSheet(painter, places[i % places.size()], sheets[i]);
  }
}

void PaintMatLists(QPainter& painter, QPagedPaintDevice& device,
                   const std::vector<SheetBout>& sheets, int mats) {
  QRectF page = PagePoints(painter, device);
  const double row = 30;
  bool first_page = true;
  for (int mat = 0; mat < mats; ++mat) {
    std::vector<const SheetBout*> bouts;
    for (const SheetBout& b : sheets)
      if (b.Mat == mat) bouts.push_back(&b);
    std::size_t next = 0;
    do {
      if (!first_page) {
        device.newPage();
        page = PagePoints(painter, device);
      }
      first_page = false;
      painter.setPen(Qt::black);
      Label(painter, QRectF(0, 0, page.width(), 50),
            QStringLiteral("Mat %1%2")
                .arg(mat + 1)
                .arg(next > 0 ? QStringLiteral(" (continued)") : QString()),
            34, true);
      Label(painter, QRectF(0, 50, page.width(), 24), QStringLiteral("%1 bouts").arg(bouts.size()),
            14, false);
      const double cols[] = {0, 70, 130, 185, page.width()};
      const QString heads[] = {QStringLiteral("Time"), QStringLiteral("Bout"),
                               QStringLiteral("Class"), QStringLiteral("Red  /  Green")};
      for (int c = 0; c < 4; ++c)
        Label(painter, QRectF(cols[c], 80, cols[c + 1] - cols[c], 22), heads[c], 13, true);
      painter.drawLine(QPointF(0, 104), QPointF(page.width(), 104));
      double y = 110;
      for (; next < bouts.size() && y + row * 1.6 <= page.height(); ++next, y += row * 1.6) {
        const SheetBout& b = *bouts[next];
        Label(painter, QRectF(cols[0], y, 70, row), QString::fromStdString(b.Time), 17, true);
        Label(painter, QRectF(cols[1], y, 60, row), QString::number(b.Number), 17, true);
        Label(painter, QRectF(cols[2], y, 55, row), QString::number(b.WeightClass), 17);
        for (int side = 0; side < 2; ++side) {
          const SheetWrestler& w = b.Wrestler[side];
          const double top = y - 2 + side * row * 0.52;
          const double club_width = 95;
          painter.setPen(side == 0 ? kRed : kGreen);
          FitText(painter, QRectF(cols[3], top, page.width() - cols[3] - club_width, row * 0.55),
                  Name(w), Sans(15, true), Qt::AlignLeft | Qt::AlignVCenter);
          painter.setPen(Qt::darkGray);
          FitText(painter, QRectF(page.width() - club_width, top, club_width, row * 0.55),
                  Text(w.Club), Sans(11), Qt::AlignRight | Qt::AlignVCenter);
        }
        painter.setPen(QPen(Qt::lightGray, 0.6));
        painter.drawLine(QPointF(0, y + row * 1.45), QPointF(page.width(), y + row * 1.45));
        painter.setPen(Qt::black);
      }
    } while (next < bouts.size());
  }
}

Status QtPrintPort::WriteBoutSheetsPdf(const std::vector<SheetBout>& sheets,
                                       const std::string& path) {
  // Four sheets share a page turned sideways, so each keeps the shape of a half page.
  return PdfFile(path, per_page_ == 4 ? QPageLayout::Landscape : QPageLayout::Portrait,
                 [&](QPainter& p, QPdfWriter& w) { PaintBoutSheets(p, w, sheets, per_page_); });
}

Status QtPrintPort::WriteMatListsPdf(const std::vector<SheetBout>& sheets, int mats,
                                     const std::string& path) {
  return PdfFile(path, QPageLayout::Portrait,
                 [&](QPainter& p, QPdfWriter& w) { PaintMatLists(p, w, sheets, mats); });
}

namespace {

// A print preview of what paint draws; prepare may add to the preview's toolbar.
void Preview(QWidget* parent, const QString& title, QPageLayout::Orientation orientation,
             const std::function<void(QPainter&, QPrinter&)>& paint,
             const std::function<void(QPrintPreviewDialog&, QPrinter&)>& prepare = nullptr) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(title);
  printer.setPageLayout(
      QPageLayout(QPageSize(PaperForLocale()), orientation, QMarginsF(36, 36, 36, 36)));
  QPrintPreviewDialog dialog(&printer, parent);
  dialog.setWindowTitle(title);
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, [&](QPrinter* target) {
    QPainter painter(target);
    paint(painter, *target);
  });
  if (prepare) prepare(dialog, printer);
  dialog.exec();
}

}  // namespace

void QtPrintPort::PreviewBoutSheets(const std::vector<SheetBout>& sheets) {
  // The toolbar offers two or four sheets to a page; four turn the page sideways.
  const auto per_page_choice = [this](QPrintPreviewDialog& dialog, QPrinter& printer) {
    auto* bar = dialog.findChild<QToolBar*>();
    auto* view = dialog.findChild<QPrintPreviewWidget*>();
    if (bar == nullptr || view == nullptr) return;
    auto* choice = new QComboBox;
    choice->addItems({QStringLiteral("2 sheets per page"), QStringLiteral("4 sheets per page")});
    choice->setCurrentIndex(per_page_ == 4 ? 1 : 0);
    bar->addSeparator();
    bar->addWidget(choice);
    QObject::connect(
        choice, &QComboBox::currentIndexChanged, view, [this, &printer, view](int index) {
          SetSheetsPerPage(index == 1 ? 4 : 2);
          printer.setPageOrientation(index == 1 ? QPageLayout::Landscape : QPageLayout::Portrait);
          view->updatePreview();
        });
  };
  Preview(
      parent_, QStringLiteral("Bout Sheets"),
      per_page_ == 4 ? QPageLayout::Landscape : QPageLayout::Portrait,
      [&](QPainter& p, QPrinter& printer) { PaintBoutSheets(p, printer, sheets, per_page_); },
      per_page_choice);
}

void QtPrintPort::PreviewMatLists(const std::vector<SheetBout>& sheets, int mats) {
  Preview(parent_, QStringLiteral("Mat Lists"), QPageLayout::Portrait,
          [&](QPainter& p, QPrinter& printer) { PaintMatLists(p, printer, sheets, mats); });
}

}  // namespace kestrio::platform
