#pragma once

// The main window's title: the program, the roster data file, and the mark of unsaved
// changes.

#include <string>

namespace kestrio::ui {

class TitlePort {
 public:
  virtual ~TitlePort() = default;
  // title holds "[*]" where the mark of unsaved changes goes, shown when modified.
  virtual void SetTitle(const std::string& title, bool modified) = 0;
};

}  // namespace kestrio::ui
