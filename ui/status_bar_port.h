#pragma once

// The status bar: three parts, the first with the guidance text, the second with a hint
// (what a greyed command waits for), the third with the statistics; it can be hidden.

#include <string_view>

namespace kestrio::ui {

inline constexpr int kGuidancePart = 0;
inline constexpr int kHintPart = 1;
inline constexpr int kStatsPart = 2;
inline constexpr int kStatusBarParts = 3;

class StatusBarPort {
 public:
  virtual ~StatusBarPort() = default;
  virtual void SetPartText(int part, std::string_view text) = 0;
  virtual void SetVisible(bool visible) = 0;
};

}  // namespace kestrio::ui
