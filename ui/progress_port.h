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
  // Shows the bar with a way for the organiser to stop the work (Tandrel Optimal, which
  // can take seconds); Hide() ends it. CancelRequested() tells whether they asked.
  virtual void ShowCancellable() { Show(); }
  virtual bool CancelRequested() { return false; }
};

}  // namespace kestrio::ui
