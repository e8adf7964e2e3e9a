#pragma once

// The progress bar shown across the bottom of the window during a pairing run or a sort.

namespace kestrio::ui {

class ProgressPort {
 public:
  virtual ~ProgressPort() = default;
  virtual void Show() = 0;
  virtual void SetRange(int low, int high) = 0;
  virtual void Step() = 0;
  virtual void Hide() = 0;
};

}  // namespace kestrio::ui
