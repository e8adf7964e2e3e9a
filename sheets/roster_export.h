#pragma once

// The roster and the bouts as tables for a spreadsheet (see table.h and spreadsheet.h
// for writing them as CSV or a workbook).

#include "pairing/pairing_run.h"
#include "reports/schedule_reports.h"
#include "roster/roster.h"
#include "roster/roster_writer.h"
#include "sheets/table.h"

namespace kestrio::sheets {

// The entries in display order that pass filter (an empty filter takes all), in the
// eight columns of the list with their captions: Last Name, First Name, Weight, Age,
// Rating, Club, Status, Weight Class. Weight, Age, Rating and Weight Class are numbers
// (written in CSV as the roster holds them, "72.00"); the texts are UTF-8 as the
// organiser sees them. Read back, the first seven columns give the same entries.
Table RosterTable(const roster::Roster& roster, const roster::EntryFilter& filter = {});

// One row per bout of the run, by bout number: Bout, Non-Optimum ("Yes" for a bout made
// under doubled limits), Round, Weight Class, then for each wrestler Last Name, First
// Name, Club, Weight, Age and Rating, and the bout's Fit (measured under the limits it
// was made with). With the day's mat schedule, two more: Mat (from 1) and Time (the
// bout's start, "HH:MM"), for the table workers and the coaches who sort by them.
Table BoutTable(const pairing::PairingRun& run, const reports::MatDay* day = nullptr);

}  // namespace kestrio::sheets
