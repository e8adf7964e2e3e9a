#pragma once

// The command identifiers of the main menu and its accelerators.

namespace kestrio::ui {

enum CommandId : int {
  kCmdExit = 30001,
  kCmdClearAll = 30002,
  kCmdOpen = 30003,
  kCmdSaveAll = 30004,
  kCmdSaveDisplayData = 30005,
  kCmdPrintDisplayData = 30006,
  kCmdAbout = 30015,
  kCmdSelect = 30016,
  kCmdUnSelect = 30017,
  kCmdMarkAllSelected = 30018,
  kCmdMarkAllUnSelected = 30019,
  kCmdAdd = 30020,
  kCmdModify = 30021,
  kCmdDelete = 30022,
  kCmdViewExceptions = 30026,
  kCmdViewSummary = 30027,
  kCmdViewByClub = 30028,
  kCmdViewByBoutNumber = 30029,
  kCmdViewBoutSheets = 30030,
  kCmdStatusBar = 30031,
  kCmdEditControls = 30032,
  kCmdRunPairing = 30033,
  kCmdToggle = 30034,
  kCmdTagDuplicates = 30035,
  kCmdEmptyTrash = 30036,
  kCmdOnlineManual = 30052,
  kCmdSaveProjectData = 30054,
  kCmdRunOptimal = 30055,
  kCmdCompareEngines = 30056,
  kCmdScheduleMats = 30060,
  kCmdPrintBoutSheets = 30061,
  kCmdPrintMatLists = 30062,
  kCmdViewMatSchedule = 30063,
  kCmdViewScheduleByClub = 30064,
  // Taking changes back.
  kCmdUndo = 30110,
  kCmdRedo = 30111,
  // The bout board after the run.
  kCmdScratchWrestler = 30112,
  kCmdPairLateArrivals = 30113,
  kCmdAddBout = 30114,
  kCmdRemoveBout = 30115,
  kCmdRenumberBouts = 30116,
  kCmdReplaceWrestler = 30117,
  kCmdExportRoster = 30070,
  kCmdExportBouts = 30071,
};

}  // namespace kestrio::ui
