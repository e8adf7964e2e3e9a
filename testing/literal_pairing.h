#pragma once

// The pairing run done the plain way, for tests only: every pair's fit written as a
// "%8.6f" text, an N x N fit matrix loaded from those texts with strtof, full scans for
// every chooser and partner, a round table wide enough never to run out. The engine
// must give the same run, ties included, and the by-hand report writer the same report.
// Also the random rosters and controls that put both to the test.

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "pairing/pairing_control.h"
#include "pairing/pairing_run.h"
#include "roster/roster.h"

namespace kestrio::testing {

struct LiteralRun {
  pairing::PairingRun Run;  // SelectedList, RoundTable, BoutCount, BoutList, numbers, BoutOrder
  std::vector<float> FitMatrix;  // the relaxed state, row-major SelectionSize^2
  std::string ByHandReport;
};

// A roster entry as the roster's parser writes it: numbers with two decimals in
// 10-character texts, status "Selected" unless given.
roster::Participant Wrestler(std::string_view last, std::string_view first, double weight,
                             double age, double rating, std::string_view club,
                             std::string_view status = "Selected");

// Appends p to roster, at the end of the display order too.
void Add(roster::Roster& roster, const roster::Participant& p);

// Roster numbers of selected entries must be readable.
LiteralRun PairLiterally(const roster::Roster& roster, const pairing::PairingControl& control);

// Rosters and controls as organisers' peers make them, with few distinct values so that
// equal weights, ages, ratings, clubs and fits abound; some entries not selected, the
// display order shuffled. Controls go from the defaults to the extremes: zero
// tolerances, club mates welcome, no bouts allowed, two hundred bouts allowed.
roster::Roster RandomRoster(std::mt19937& rng, int size);
pairing::PairingControl RandomControl(std::mt19937& rng);

}  // namespace kestrio::testing
