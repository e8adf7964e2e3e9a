#pragma once

// Enabling and greying of the menu items, and the Status Bar check mark.

#include <array>

#include "ui/menu_layout.h"

namespace kestrio::ui {

inline constexpr int kMaxMenuPositions = 16;

// Enabled state of every top-level item of every menu, by menu and position
// (separators counted). A greyed submenu entry greys its whole submenu.
class MenuState {
 public:
  // Every item enabled except Help's "Online Manual": the state of a fresh menu.
  MenuState();

  bool Enabled(MenuId menu, int position) const {
    return enabled_[static_cast<int>(menu)][position];
  }
  void SetEnabled(MenuId menu, int position, bool enabled) {
    enabled_[static_cast<int>(menu)][position] = enabled;
  }
  friend bool operator==(const MenuState&, const MenuState&) = default;

 private:
  std::array<std::array<bool, kMaxMenuPositions>, kMenuCount> enabled_{};
};

class MenuPort {
 public:
  virtual ~MenuPort() = default;
  // Applies every item's state and redraws the menu bar.
  virtual void Apply(const MenuState& state) = 0;
  virtual void SetStatusBarChecked(bool checked) = 0;
};

}  // namespace kestrio::ui
