#pragma once

// Enabling and greying of the menu items, and the Status Bar check mark.

#include <map>
#include <span>
#include <string>

#include "ui/menu_layout.h"

namespace kestrio::ui {

// Enabled state of every command on the menu bar, submenu items included, by command id.
class MenuState {
 public:
  // Every command in the state a fresh menu bar gives it: enabled, except the items the
  // menu bar starts greyed ("Online Manual").
  MenuState();

  // False for a command that is not on the menu bar.
  bool Enabled(int command) const;
  // Ignored for a command that is not on the menu bar.
  void SetEnabled(int command, bool enabled);
  // The caption an item shows instead of its own ("Undo Delete 3 Entries"); empty for
  // its own.
  const std::string& Caption(int command) const;
  void SetCaption(int command, std::string caption);
  friend bool operator==(const MenuState&, const MenuState&) = default;

 private:
  std::map<int, bool> enabled_;
  std::map<int, std::string> captions_;
};

// A submenu is greyed, and cannot be opened, when every item in it is greyed.
bool SubmenuEnabled(const MenuState& state, std::span<const MenuEntry> items);

class MenuPort {
 public:
  virtual ~MenuPort() = default;
  // Applies every item's state and redraws the menu bar.
  virtual void Apply(const MenuState& state) = 0;
  virtual void SetStatusBarChecked(bool checked) = 0;
};

}  // namespace kestrio::ui
