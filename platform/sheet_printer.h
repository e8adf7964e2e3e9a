#pragma once

// Bout sheets and mat lists drawn with QPainter onto a printer, a PDF file or a
// print preview.
//
// A bout sheet is what the table worker fills in during the bout: the bout number large,
// mat and time, round and weight class, both wrestlers (name, club, weight) beside a red
// or green corner box, a scoring grid for three periods, the result (fall, decision,
// major, tech fall, time, points) and the referee's initials. Two or four sheets share a
// page; the paper is Letter where the locale measures in inches, A4 elsewhere.

#include <QPageSize>
#include <QString>

#include <string>
#include <vector>

#include "reports/schedule_reports.h"
#include "ui/print_port.h"

class QPagedPaintDevice;
class QPainter;
class QPrinter;
class QWidget;

namespace kestrio::platform {

// Letter for the US-style measurement systems of the locale, A4 for the rest.
QPageSize::PageSizeId PaperForLocale();

// Draws the sheets, `per_page` (2 or 4) to a page, starting a new page for each page
// after the first. The device's page size and margins are set by the caller.
void PaintBoutSheets(QPainter& painter, QPagedPaintDevice& device,
                     const std::vector<reports::SheetBout>& sheets, int per_page);

// Draws one list per mat (continued on further pages when long), large type, for posting
// at the mat.
void PaintMatLists(QPainter& painter, QPagedPaintDevice& device,
                   const std::vector<reports::SheetBout>& sheets, int mats);

// The printing port with Qt: PDF files written whole or not at all (QSaveFile), and
// QPrintPreviewDialog for the desktop.
class QtPrintPort : public ui::PrintPort {
 public:
  explicit QtPrintPort(QWidget* parent = nullptr) : parent_(parent) {}

  Status WriteBoutSheetsPdf(const std::vector<reports::SheetBout>& sheets,
                            const std::string& path) override;
  Status WriteMatListsPdf(const std::vector<reports::SheetBout>& sheets, int mats,
                          const std::string& path) override;
  void PreviewBoutSheets(const std::vector<reports::SheetBout>& sheets) override;
  void PreviewMatLists(const std::vector<reports::SheetBout>& sheets, int mats) override;

  // Sheets per page for the bout sheets: 2 or 4.
  void SetSheetsPerPage(int n) { per_page_ = n == 4 ? 4 : 2; }

 private:
  QWidget* parent_;
  int per_page_ = 2;
};

}  // namespace kestrio::platform
