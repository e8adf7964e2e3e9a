#include "board/bout_limits.h"

#include <algorithm>
#include <cmath>

namespace kestrio::board {

bool BoutProposal::BreaksHardLimit() const {
  return std::any_of(limits.begin(), limits.end(),
                     [](const LimitCheck& c) { return c.broken && c.hard; });
}

BoutProposal ProposeBout(const BoutBoard& board, int a, int b) {
  const pairing::PairingControl& control = board.Control;
  const BoardWrestler& wa = board.Wrestlers[static_cast<std::size_t>(a)];
  const BoardWrestler& wb = board.Wrestlers[static_cast<std::size_t>(b)];
  BoutProposal p;
  p.a = a;
  p.b = b;
  p.fit = FitOf(board, a, b, false);
  p.relaxed_fit = FitOf(board, a, b, true);
  const std::vector<std::int32_t> counts = BoutCounts(board);
  p.count_a = counts[static_cast<std::size_t>(a)];
  p.count_b = counts[static_cast<std::size_t>(b)];
  p.met_in = BoutBetween(board, a, b);

  const double heavier = std::max(wa.Fit.Weight, wb.Fit.Weight);
  const double weight_diff =
      heavier > 0 ? std::fabs(wa.Fit.Weight - wb.Fit.Weight) / heavier * 100.0 : 0.0;
  const double age_diff = std::fabs(wa.Fit.Age - wb.Fit.Age);
  const double rating_diff = std::fabs(wa.Fit.Rating - wb.Fit.Rating);
  const std::int32_t after = std::max(p.count_a, p.count_b) + 1;
  const std::int32_t fewer_after = std::min(p.count_a, p.count_b) + 1;
  const bool club_mates = wa.Fit.ClubId == wb.Fit.ClubId;
  p.club_mates = club_mates;
  const double club_factor = club_mates ? control.SameClubPairingWeight : 1.0;

  auto check = [](Limit limit, double value, double allowed, bool broken, bool hard) {
    return LimitCheck{limit, value, allowed, broken, hard};
  };
  p.limits = {
      check(Limit::MaxAllowedDiffWeight, weight_diff, control.MaxAllowedDiffWeight,
            weight_diff > control.MaxAllowedDiffWeight, true),
      check(Limit::MaxAllowedDiffAge, age_diff, control.MaxAllowedDiffAge,
            age_diff > control.MaxAllowedDiffAge, true),
      check(Limit::MaxAllowedDiffRating, rating_diff, control.MaxAllowedDiffRating,
            rating_diff > control.MaxAllowedDiffRating, true),
      check(Limit::MinGoodnessOfFitAllowed, p.fit, control.MinGoodnessOfFitAllowed,
            !(p.fit > control.MinGoodnessOfFitAllowed), false),
      check(Limit::MaxBoutsAllowed, after, control.MaxBoutsAllowed, after > control.MaxBoutsAllowed,
            true),
      // A bout only brings a wrestler nearer the minimum; shown for the one with fewer.
      check(Limit::MinBoutsWanted, fewer_after, control.MinBoutsWanted, false, false),
      check(Limit::MaxBoutsWanted, after, control.MaxBoutsWanted, after > control.MaxBoutsWanted,
            false),
      check(Limit::SameClubPairingWeight, club_factor, control.SameClubPairingWeight,
            club_mates && control.SameClubPairingWeight < 1.0f,
            club_mates && control.SameClubPairingWeight <= 0.0f),
  };
  return p;
}

}  // namespace kestrio::board
