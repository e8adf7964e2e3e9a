#pragma once

// Shows a report, or the display-data listing, in the text viewer.
//
// Abstract so that tests can see which files were shown; the desktop front end opens
// its own viewer window.

#include <string>

namespace kestrio::ui {

class ReportViewer {
 public:
  virtual ~ReportViewer() = default;
  // Shows the file file_name in the working directory. The viewer must have read the
  // file before it returns: the display-data listing is deleted right after. Returns
  // false, having shown nothing, when the file cannot be read: the caller says why.
  virtual bool Show(const std::string& file_name) = 0;
};

}  // namespace kestrio::ui
