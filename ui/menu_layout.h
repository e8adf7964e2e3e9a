#pragma once

// The menu bar as data: menus, captions ('&' marks the mnemonic), separators,
// accelerators and command identifiers. The desktop front end builds its menu bar from
// this; the menu rules (status_rules.h) address items by command id.

#include <array>
#include <span>
#include <string_view>

#include "base/version.h"
#include "ui/command_ids.h"

namespace kestrio::ui {

enum class MenuId : int { File = 0, Edit, View, Tandrel, Lumiva, Help };

enum class MenuEntryKind { Command, Separator, Submenu };

struct MenuEntry {
  MenuEntryKind kind = MenuEntryKind::Separator;
  std::string_view caption;
  int command = 0;  // 0 for separators and submenus
  // Key sequences in the portable text form ("Ctrl+Y", "Ctrl+Shift+Y", "Del", "Alt+/");
  // empty strings for none.
  std::array<std::string_view, 2> shortcuts{};
  bool checkable = false;  // "Status Bar"
  bool starts_checked = false;
  bool starts_enabled = true;             // false only for "Online Manual"
  std::span<const MenuEntry> children{};  // the items of a submenu
};

struct TopMenu {
  MenuId id;
  std::string_view caption;
  std::span<const MenuEntry> entries;
};

// "&File", "&Edit", "View", "Tandrel", "Lumiva", "&Help" in that order.
std::span<const TopMenu> MenuBar();

// True when an item of the menu bar, in a submenu or not, carries the command.
bool IsMenuCommand(int command);

// True for the commands that act on the list's rows (Select, Toggle, UnSelect, Delete,
// Mark All Selected and UnSelected). While a text field has the keyboard focus their
// keys belong to the field: Delete in the find box deletes a character, not wrestlers.
bool ActsOnListRows(int command);

// The main window's title.
inline constexpr std::string_view kMainWindowTitle = "Kestrio v" KESTRIO_VERSION_TEXT;

}  // namespace kestrio::ui
