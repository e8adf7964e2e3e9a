#pragma once

// A bout the organiser proposes by hand, measured against the eight limits of the
// pairing control, so the Add Bout dialog can show what the bout would break before it
// is made.
//
// Hard limits are those the organiser set as the most that is allowed: the three largest
// differences, the hard maximum of bouts, and club mates when they are never to meet
// (SameClubPairingWeight 0). Breaking one of them asks for confirmation. The others
// (the minimum fit, the soft maximum, a club-mate factor below 1) are preferences:
// the dialog shows them and lets the bout be made.

#include <array>
#include <cstdint>

#include "board/bout_board.h"

namespace kestrio::board {

enum class Limit {
  MaxAllowedDiffWeight,
  MaxAllowedDiffAge,
  MaxAllowedDiffRating,
  MinGoodnessOfFitAllowed,
  MaxBoutsAllowed,
  MinBoutsWanted,
  MaxBoutsWanted,
  SameClubPairingWeight,
};

struct LimitCheck {
  Limit limit = Limit::MaxAllowedDiffWeight;
  // What the bout has: the difference (per cent of the heavier weight, years, points),
  // the fit, the higher of the two bout counts once the bout is made, or the club-mate
  // factor (1 for wrestlers of different clubs).
  double value = 0;
  // The organiser's value of the limit.
  double allowed = 0;
  bool broken = false;
  bool hard = false;
};

struct BoutProposal {
  int a = -1;
  int b = -1;
  // Under the organiser's limits and under the relaxed ones.
  float fit = 0;
  float relaxed_fit = 0;
  // Bouts each has now.
  std::int32_t count_a = 0;
  std::int32_t count_b = 0;
  // The bout they already wrestle each other in, or 0.
  std::int32_t met_in = 0;
  // Both of one club (the same-club limit applies to them).
  bool club_mates = false;
  // In the order of the Limit enumeration.
  std::array<LimitCheck, 8> limits{};

  bool BreaksHardLimit() const;
  // A bout made now would be optimum (a positive number).
  bool Optimum(const pairing::PairingControl& control) const {
    return fit > control.MinGoodnessOfFitAllowed;
  }
};

// a and b must be board places of different wrestlers.
BoutProposal ProposeBout(const BoutBoard& board, int a, int b);

}  // namespace kestrio::board
