#pragma once

// The first two reports of a pairing run, written from the run's round table:
// the comma-separated bout-sheet data for the mail merge ("Tandrel-PairingBoutsheets.txt")
// and the results summary with one row per wrestler and one column per round
// ("Tandrel-PairingResults.txt").
//
// Both give the whole file text with CR LF line ends, returned or written into a
// ReportText (which may hand it on piece by piece); the caller writes the file. They
// expect a consistent run (see CheckBoutTables): a bout whose sides cannot be found is
// left out rather than read out of bounds.

#include <cstdint>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "pairing/pairing_run.h"
#include "reports/block_memo.h"
#include "reports/report_line.h"
#include "reports/wrestler_columns.h"

namespace kestrio::reports {

// BoutOrder must name every bout of the bout list once, in rising order of the bout
// numbers (a run numbers 1..TotalBouts; a board edited after the run may leave gaps),
// the two sides of a bout must carry the same number, and each number must sit, with
// either sign, in exactly two rows of one round of the round table. An error names the
// first bout that breaks this; a correct pairing never does.
Status CheckBoutTables(const pairing::PairingRun& run);

// Where the two sides of one bout sit in the round table (-1: not found).
struct BoutSides {
  int round = -1;
  int first = -1;
  int second = -1;
};
// CheckBoutTables, also giving, when the tables pass, every bout's sides by place in
// number order into *sides (when not null): the bout sheets are written from them, and
// finding them reads the whole round table.
Status CheckBoutTables(const pairing::PairingRun& run, std::vector<BoutSides>* sides);

std::string WriteBoutSheets(const pairing::PairingRun& run);
// memo, when given, keeps each line for the next writing (see BlockMemo).
void WriteBoutSheetsInto(const pairing::PairingRun& run, ReportText& out,
                         BlockMemo* memo = nullptr);
// The same from the columns made once for the run's reports (the table of run).
void WriteBoutSheetsInto(const pairing::PairingRun& run, WrestlerColumns& columns, ReportText& out,
                         BlockMemo* memo);
// The same from the sides the check of the run's tables found.
void WriteBoutSheetsInto(const pairing::PairingRun& run, WrestlerColumns& columns,
                         const std::vector<BoutSides>& sides, ReportText& out, BlockMemo* memo);
std::string WriteResultsSummary(const pairing::PairingRun& run);
void WriteResultsSummaryInto(const pairing::PairingRun& run, ReportText& out,
                             BlockMemo* memo = nullptr);
void WriteResultsSummaryInto(const pairing::PairingRun& run, WrestlerColumns& columns,
                             ReportText& out, BlockMemo* memo);

}  // namespace kestrio::reports
