#include "ui/menu_port.h"

#include <algorithm>

namespace kestrio::ui {
namespace {

void AddCommands(std::span<const MenuEntry> entries, std::map<int, bool>& enabled) {
  for (const MenuEntry& entry : entries) {
    if (entry.kind == MenuEntryKind::Command) enabled[entry.command] = entry.starts_enabled;
    if (entry.kind == MenuEntryKind::Submenu) AddCommands(entry.children, enabled);
  }
}

}  // namespace

MenuState::MenuState() {
  for (const TopMenu& top : MenuBar()) AddCommands(top.entries, enabled_);
}

bool MenuState::Enabled(int command) const {
  const auto it = enabled_.find(command);
  return it != enabled_.end() && it->second;
}

void MenuState::SetEnabled(int command, bool enabled) {
  if (auto it = enabled_.find(command); it != enabled_.end()) it->second = enabled;
}

const std::string& MenuState::Caption(int command) const {
  static const std::string kOwn;
  const auto it = captions_.find(command);
  return it == captions_.end() ? kOwn : it->second;
}

void MenuState::SetCaption(int command, std::string caption) {
  if (caption.empty()) {
    captions_.erase(command);
  } else {
    captions_[command] = std::move(caption);
  }
}

bool SubmenuEnabled(const MenuState& state, std::span<const MenuEntry> items) {
  return std::any_of(items.begin(), items.end(), [&](const MenuEntry& item) {
    return item.kind == MenuEntryKind::Command ? state.Enabled(item.command)
                                               : SubmenuEnabled(state, item.children);
  });
}

}  // namespace kestrio::ui
