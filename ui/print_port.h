#pragma once

// Prints bout sheets and mat lists.
//
// Abstract so that the rules that decide what is printed, in which order, stay free of
// the platform: the desktop front end and kestrio-batch print with Qt, tests record what
// they were asked to print.

#include <string>
#include <vector>

#include "base/status.h"
#include "reports/schedule_reports.h"

namespace kestrio::ui {

class PrintPort {
 public:
  virtual ~PrintPort() = default;
  // One sheet per bout, in the order given, written as a PDF file at path. An error
  // names the file and the reason; no partial file is left behind.
  virtual Status WriteBoutSheetsPdf(const std::vector<reports::SheetBout>& sheets,
                                    const std::string& path) = 0;
  // One page (or more) per mat from 1 to mats, each with its bouts by slot; sheets are
  // scheduled bouts (Mat and Time set).
  virtual Status WriteMatListsPdf(const std::vector<reports::SheetBout>& sheets, int mats,
                                  const std::string& path) = 0;
  // The same documents in a print preview, from which the organiser prints or saves.
  virtual void PreviewBoutSheets(const std::vector<reports::SheetBout>& sheets) = 0;
  virtual void PreviewMatLists(const std::vector<reports::SheetBout>& sheets, int mats) = 0;
};

// kestrio-batch draws its PDFs with Qt, loaded from a module of its own only when a run
// asks for them, so that every other run starts without the cost of loading Qt. The
// module exports one function by this name: it starts Qt's offscreen platform for the
// program at program_path and returns a printing port the caller deletes (a null
// pointer, with why in error_out, when it cannot).
inline constexpr char kOpenBatchPrintPortSymbol[] = "kestrio_open_batch_print_port";
using OpenBatchPrintPortFunction = PrintPort* (*)(const char* program_path, std::string* error_out);

}  // namespace kestrio::ui
