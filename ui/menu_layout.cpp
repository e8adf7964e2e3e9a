#include "ui/menu_layout.h"

namespace kestrio::ui {

namespace {

constexpr MenuEntry Item(std::string_view caption, int command,
                         std::array<std::string_view, 2> shortcuts = {}) {
  MenuEntry e;
  e.kind = MenuEntryKind::Command;
  e.caption = caption;
  e.command = command;
  e.shortcuts = shortcuts;
  return e;
}

constexpr MenuEntry Separator() { return MenuEntry{}; }

constexpr MenuEntry kFileMenu[] = {
    Item("Open", kCmdOpen),
    Item("Clear All", kCmdClearAll),
    Separator(),
    Item("&Save All", kCmdSaveAll),
    Item("Save &Display Data", kCmdSaveDisplayData),
    Item("Export Roster...", kCmdExportRoster),
    Separator(),
    Item("&Print Display Data", kCmdPrintDisplayData),
    Separator(),
    Item("E&xit", kCmdExit),
};

constexpr MenuEntry kEditMenu[] = {
    Item("Undo", kCmdUndo, {"Ctrl+Z", ""}),
    Item("Redo", kCmdRedo, {"Ctrl+Shift+Z", ""}),
    Separator(),
    Item("Select", kCmdSelect, {"Ctrl+Y", ""}),
    Item("Toggle", kCmdToggle, {"Ctrl+T", ""}),
    Item("UnSelect", kCmdUnSelect, {"Ctrl+N", ""}),
    Item("Delete", kCmdDelete, {"Del", ""}),
    Separator(),
    Item("Mark All Selected", kCmdMarkAllSelected, {"Ctrl+Shift+Y", ""}),
    Item("Mark All UnSelected", kCmdMarkAllUnSelected, {"Ctrl+Shift+N", ""}),
    Separator(),
    Item("&Add", kCmdAdd),
    Item("&Modify", kCmdModify),
    Separator(),
    Item("Tag Duplicates", kCmdTagDuplicates),
    Item("Empty Trash", kCmdEmptyTrash),
};

constexpr MenuEntry StatusBarItem() {
  MenuEntry e = Item("Status Bar", kCmdStatusBar);
  e.checkable = true;
  e.starts_checked = true;
  return e;
}

constexpr MenuEntry kViewMenu[] = {StatusBarItem()};

constexpr MenuEntry kTandrelMenu[] = {
    Item("Edit Tandrel Controls", kCmdEditControls),
    Item("&Run Tandrel", kCmdRunPairing),
    Item("Run Tandrel Optimal", kCmdRunOptimal),
    Item("Compare Engines", kCmdCompareEngines),
    Item("Save Project Data", kCmdSaveProjectData),
    Separator(),
    Item("Scratch Wrestler", kCmdScratchWrestler),
    Item("Pair Late Arrivals", kCmdPairLateArrivals),
    Item("Add Bout...", kCmdAddBout),
    Item("Replace Wrestler in Bout...", kCmdReplaceWrestler),
    Item("Remove Bout", kCmdRemoveBout),
    Item("Renumber Bouts", kCmdRenumberBouts),
    Separator(),
    Item("Schedule Mats...", kCmdScheduleMats),
};

constexpr MenuEntry kPairingResultsMenu[] = {
    Item("Summary", kCmdViewSummary),
    Item("By Club", kCmdViewByClub),
    Item("By Bout #", kCmdViewByBoutNumber),
};

constexpr MenuEntry Submenu(std::string_view caption, std::span<const MenuEntry> children) {
  MenuEntry e;
  e.kind = MenuEntryKind::Submenu;
  e.caption = caption;
  e.children = children;
  return e;
}

constexpr MenuEntry kLumivaMenu[] = {
    Submenu("Pairing Results", kPairingResultsMenu),
    Item("Pairing Exceptions", kCmdViewExceptions),
    Item("Pairing Bout Sheets", kCmdViewBoutSheets),
    Separator(),
    Item("Export Bouts...", kCmdExportBouts),
    Separator(),
    Item("Mat Schedule", kCmdViewMatSchedule),
    Item("Schedule by Club", kCmdViewScheduleByClub),
    Separator(),
    Item("Print Bout Sheets...", kCmdPrintBoutSheets),
    Item("Print Mat Lists...", kCmdPrintMatLists),
};

constexpr MenuEntry OnlineManualItem() {
  MenuEntry e = Item("Online Manual", kCmdOnlineManual);
  e.starts_enabled = false;
  return e;
}

constexpr MenuEntry kHelpMenu[] = {
    Item("&About Kestrio...", kCmdAbout, {"Alt+/", "Alt+?"}),
    Separator(),
    OnlineManualItem(),
};

constexpr TopMenu kMenuBar[] = {
    {MenuId::File, "&File", kFileMenu},      {MenuId::Edit, "&Edit", kEditMenu},
    {MenuId::View, "View", kViewMenu},       {MenuId::Tandrel, "Tandrel", kTandrelMenu},
    {MenuId::Lumiva, "Lumiva", kLumivaMenu}, {MenuId::Help, "&Help", kHelpMenu},
};

}  // namespace

std::span<const TopMenu> MenuBar() { return kMenuBar; }

namespace {

bool Carries(std::span<const MenuEntry> entries, int command) {
  for (const MenuEntry& entry : entries) {
    if (entry.kind == MenuEntryKind::Command && entry.command == command) return true;
    if (entry.kind == MenuEntryKind::Submenu && Carries(entry.children, command)) return true;
  }
  return false;
}

}  // namespace

bool ActsOnListRows(int command) {
  switch (command) {
    case kCmdSelect:
    case kCmdToggle:
    case kCmdUnSelect:
    case kCmdDelete:
    case kCmdMarkAllSelected:
    case kCmdMarkAllUnSelected:
      return true;
    default:
      return false;
  }
}

bool IsMenuCommand(int command) {
  for (const TopMenu& top : kMenuBar) {
    if (Carries(top.entries, command)) return true;
  }
  return false;
}

}  // namespace kestrio::ui
