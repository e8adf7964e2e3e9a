#pragma once

// The menu bar as data: menus, captions ('&' marks the mnemonic), positions,
// separators, accelerators and command identifiers. The desktop front end builds its
// menu bar from this; the menu rules (menu_state.h) address items by menu and position,
// separators counted.

#include <array>
#include <span>
#include <string_view>

#include "base/version.h"
#include "ui/command_ids.h"

namespace kestrio::ui {

enum class MenuId : int { File = 0, Edit, View, Tandrel, Lumiva, Help };
inline constexpr int kMenuCount = 6;

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

// The menu and position of the top-level item carrying a command, for tests and the
// front end; false when the command is not on a top-level item (e.g. inside a submenu).
bool FindMenuItem(int command, MenuId* menu, int* position);

// Main window title and class name.
inline constexpr std::string_view kMainWindowTitle = "Kestrio v" KESTRIO_VERSION_TEXT;
inline constexpr std::string_view kMainWindowClass = "Kestrio";

// Shown when the main window cannot be set up; the program then ends with code 0.
inline constexpr std::string_view kStartupErrorText = "Error initializing application Kestrio";
inline constexpr std::string_view kStartupErrorCaption = "Error";

}  // namespace kestrio::ui
