#pragma once

// Starts the text viewer on a report or on the display-data listing.

#include <string>

namespace kestrio::ui {

class ReportViewer {
 public:
  virtual ~ReportViewer() = default;
  // command_line is "NotePad.exe " followed by a file name in the working directory.
  // Start failures are not reported. The viewer must have read the file before it
  // returns: the display-data listing is deleted right after.
  virtual void Start(const std::string& command_line) = 0;
};

}  // namespace kestrio::ui
