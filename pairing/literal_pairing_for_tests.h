#pragma once

// The pairing run done the plain way, for tests only: every pair's fit written as a
// "%8.6f" text, an N x N fit matrix loaded from those texts with strtof, full scans for
// every chooser and partner, a round table wide enough never to run out. The engine
// must give the same run, ties included, and the same by-hand report.

#include <random>
#include <string>

#include "pairing/pairing_run.h"

namespace kestrio::pairing::testing {

struct LiteralRun {
  PairingRun Run;  // SelectedList, RoundTable, BoutCount, BoutList, numbers, BoutOrder
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

// Rosters and controls as organisers' peers make them, with few distinct values so that
// equal weights, ages, ratings, clubs and fits abound; some entries not selected, the
// display order shuffled.
roster::Roster RandomRoster(std::mt19937& rng, int size);
PairingControl RandomControl(std::mt19937& rng);

// Roster numbers of selected entries must be readable.
LiteralRun PairLiterally(const roster::Roster& roster, const PairingControl& control);

}  // namespace kestrio::pairing::testing
