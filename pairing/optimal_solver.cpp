#include "pairing/optimal_solver.h"

#include <algorithm>
#include <unordered_set>

#include "pairing/fit_index.h"
#include "pairing/optimal_matching.h"

namespace kestrio::pairing {
namespace {

constexpr std::int64_t kFitScale = 1'000'000;

// What each goal is worth: a unit of one goal outweighs the most that every goal below
// it can add up to over any set of bouts. bouts bounds the number of bouts, excess the
// slots beyond MaxBoutsWanted.
struct GoalWeights {
  Weight fit_unit, excess_penalty, relaxed_penalty, need_reward;

  GoalWeights(std::int64_t size, std::int64_t bouts, std::int64_t excess) {
    const Weight order_total = Weight(bouts) * Weight(2 * size);
    fit_unit = order_total + 1;
    const Weight below_excess = Weight(bouts) * Weight(kFitScale) * fit_unit + order_total;
    excess_penalty = below_excess + 1;
    const Weight below_relaxed = Weight(excess) * excess_penalty + below_excess;
    relaxed_penalty = below_relaxed + 1;
    need_reward = Weight(bouts) * relaxed_penalty + below_relaxed + 1;
  }
};

struct Candidate {
  std::int32_t a, b;
  bool relaxed;
  std::int32_t fit;
};

std::uint64_t Key(std::int32_t a, std::int32_t b) {
  return (static_cast<std::uint64_t>(std::min(a, b)) << 32) |
         static_cast<std::uint32_t>(std::max(a, b));
}

class Solver {
 public:
  Solver(const std::vector<FitInputs>& fits, const PairingControl& control, OptimalMeter& meter)
      : control_(control),
        meter_(meter),
        size_(static_cast<int>(fits.size())),
        allowed_(std::max(control.MaxBoutsAllowed, 0)),
        optimum_(fits, OptimumTolerances(control)),
        relaxed_(fits, RelaxedTolerances(control)),
        relaxed_partners_(fits.size()),
        relaxed_known_(fits.size(), 0),
        goals_(0, 0, 0) {}

  OptimalChoice Run();

 private:
  bool BuildGraph();
  // False when the roster is too large for the weights.
  bool SetSlots();
  void Seed();
  void AddCandidate(std::int32_t a, std::int32_t b, bool relaxed, std::int32_t fit);
  SlotProblem Problem() const;
  // Adds the left-out bouts whose gain beats the prices; false when there are none.
  bool AddImprovingBouts(const SlotSolution& solution);
  Weight Gain(std::int32_t a, std::int32_t b, bool relaxed, std::int32_t fit) const;
  const std::vector<Partner>& RelaxedPartners(int a);
  // The most candidates a wrestler gets at the start or from one pricing.
  int Batch() const { return allowed_ + 2; }

  const PairingControl control_;
  OptimalMeter& meter_;
  const int size_;
  const int allowed_;
  FitIndex optimum_;
  FitIndex relaxed_;
  PairGraph graph_;
  std::vector<std::vector<Partner>> relaxed_partners_;
  std::vector<char> relaxed_known_;
  std::vector<std::int32_t> slots_;
  GoalWeights goals_;
  std::vector<Candidate> candidates_;
  std::unordered_set<std::uint64_t> candidate_keys_;
};

bool Solver::BuildGraph() {
  int done = 0;
  bool cancelled = false;
  graph_ = PairGraph(optimum_, size_, control_.MinGoodnessOfFitAllowed, [&] {
    ++done;
    if (done % 64 == 0 && !cancelled) {
      meter_.To(static_cast<int>(300LL * done / std::max(size_, 1)));
      cancelled = meter_.Cancelled();
    }
  });
  meter_.To(300);
  return !cancelled;
}

const std::vector<Partner>& Solver::RelaxedPartners(int a) {
  if (!relaxed_known_[a]) {
    relaxed_partners_[a] =
        RelaxedOnlyPartners(relaxed_, graph_, a, control_.MinGoodnessOfFitAllowed);
    relaxed_known_[a] = 1;
  }
  return relaxed_partners_[a];
}

// A wrestler gets one slot per bout it may wrestle: MaxBoutsAllowed, or fewer when it
// has fewer partners. The slot rewards follow from the goals.
bool Solver::SetSlots() {
  slots_.assign(static_cast<std::size_t>(size_), 0);
  std::int64_t total = 0, excess = 0;
  const int wanted = std::max(control_.MaxBoutsWanted, 0);
  for (int a = 0; a < size_; ++a) {
    int partners = graph_.Degree(a);
    if (partners < allowed_) partners += static_cast<int>(RelaxedPartners(a).size());
    slots_[a] = std::min(allowed_, partners);
    total += slots_[a];
    excess += std::max(slots_[a] - wanted, 0);
  }
  // The weight of a needed slot grows with the cube of the bouts; the matching's sums
  // (a few times a slot's weight, its duals four times) must stay inside 128 bits.
  const long double bouts = static_cast<long double>(total) / 2 + 1;
  const long double need = bouts * bouts * bouts * static_cast<long double>(excess + 1) *
                           (2.0L * size_ + 1) * static_cast<long double>(kFitScale);
  if (need > 1e35L) return false;
  goals_ = GoalWeights(size_, total / 2, excess);
  return true;
}

Weight Solver::Gain(std::int32_t a, std::int32_t b, bool relaxed, std::int32_t fit) const {
  // Earlier wrestlers in the display order first: the lower the two positions, the more.
  const Weight order = Weight(2LL * size_ - 2 - a - b);
  Weight gain = Weight(fit) * goals_.fit_unit + order;
  if (relaxed) gain -= goals_.relaxed_penalty;
  return gain;
}

void Solver::AddCandidate(std::int32_t a, std::int32_t b, bool relaxed, std::int32_t fit) {
  if (!candidate_keys_.insert(Key(a, b)).second) return;
  candidates_.push_back({std::min(a, b), std::max(a, b), relaxed, fit});
}

// The best few optimum partners of everyone; the best few non-optimum ones of those
// with fewer optimum partners than bouts allowed. Pricing adds whatever else counts.
void Solver::Seed() {
  auto best_first = [](const Partner& x, const Partner& y) {
    return x.fit != y.fit ? x.fit > y.fit : x.who < y.who;
  };
  std::vector<Partner> best;
  for (int a = 0; a < size_; ++a) {
    best.assign(graph_.begin(a), graph_.end(a));
    const bool few = static_cast<int>(best.size()) < allowed_;
    const auto take = std::min<std::size_t>(best.size(), static_cast<std::size_t>(Batch()));
    std::partial_sort(best.begin(), best.begin() + static_cast<std::ptrdiff_t>(take), best.end(),
                      best_first);
    for (std::size_t k = 0; k < take; ++k) AddCandidate(a, best[k].who, false, best[k].fit);
    if (!few) continue;
    best = RelaxedPartners(a);
    const auto more = std::min<std::size_t>(best.size(), static_cast<std::size_t>(Batch()));
    std::partial_sort(best.begin(), best.begin() + static_cast<std::ptrdiff_t>(more), best.end(),
                      best_first);
    for (std::size_t k = 0; k < more; ++k) AddCandidate(a, best[k].who, true, best[k].fit);
  }
}

SlotProblem Solver::Problem() const {
  SlotProblem problem;
  const int needed = std::max(control_.MinBoutsWanted, 0);
  const int wanted = std::max(control_.MaxBoutsWanted, 0);
  problem.SlotStart.reserve(static_cast<std::size_t>(size_) + 1);
  problem.SlotStart.push_back(0);
  for (int a = 0; a < size_; ++a) {
    for (int slot = 1; slot <= slots_[a]; ++slot) {
      Weight reward = slot <= needed ? goals_.need_reward : Weight(0);
      if (slot > wanted) reward -= goals_.excess_penalty;
      problem.SlotReward.push_back(reward);
    }
    problem.SlotStart.push_back(static_cast<std::int32_t>(problem.SlotReward.size()));
  }
  problem.Bouts.reserve(candidates_.size());
  for (const Candidate& c : candidates_) {
    problem.Bouts.push_back({c.a, c.b, Gain(c.a, c.b, c.relaxed, c.fit)});
  }
  return problem;
}

bool Solver::AddImprovingBouts(const SlotSolution& solution) {
  struct Improving {
    Weight by;
    Candidate bout;
  };
  std::vector<Improving> found;
  const std::vector<Weight>& price = solution.Price;
  const Weight lowest = *std::min_element(price.begin(), price.end());
  const Weight best_optimum = Gain(0, 0, false, static_cast<std::int32_t>(kFitScale));
  const Weight best_relaxed = Gain(0, 0, true, static_cast<std::int32_t>(kFitScale));
  auto consider = [&](std::int32_t a, const Partner& p, bool relaxed) {
    const Weight by = Gain(a, p.who, relaxed, p.fit) * 4 - price[a] - price[p.who];
    if (by > 0 && !candidate_keys_.count(Key(a, p.who))) {
      found.push_back({by, {std::min(a, p.who), std::max(a, p.who), relaxed, p.fit}});
    }
  };
  // An improving optimum bout needs the two prices below its gain; a non-optimum one
  // needs one of them below half of its (negative) gain. A pair is looked at from its
  // lower wrestler, or from the only one that passes.
  auto optimum_side = [&](int a) { return slots_[a] > 0 && price[a] + lowest < best_optimum * 4; };
  auto relaxed_side = [&](int a) { return slots_[a] > 0 && price[a] < best_relaxed * 2; };
  for (int a = 0; a < size_; ++a) {
    if (optimum_side(a)) {
      for (const Partner* p = graph_.begin(a); p != graph_.end(a); ++p) {
        if (p->who > a || !optimum_side(p->who)) consider(a, *p, false);
      }
    }
    if (relaxed_side(a)) {
      for (const Partner& p : RelaxedPartners(a)) {
        if (p.who > a || !relaxed_side(p.who)) consider(a, p, true);
      }
    }
  }
  if (found.empty()) return false;
  std::sort(found.begin(), found.end(), [](const Improving& x, const Improving& y) {
    if (x.by != y.by) return x.by > y.by;
    return std::pair(x.bout.a, x.bout.b) < std::pair(y.bout.a, y.bout.b);
  });
  std::vector<int> added(static_cast<std::size_t>(size_), 0);
  for (std::size_t k = 0; k < found.size(); ++k) {
    const Candidate& c = found[k].bout;
    if (k > 0 && !c.relaxed && (added[c.a] >= Batch() || added[c.b] >= Batch())) continue;
    ++added[c.a];
    ++added[c.b];
    AddCandidate(c.a, c.b, c.relaxed, c.fit);
  }
  return true;
}

OptimalChoice Solver::Run() {
  OptimalChoice choice;
  if (!BuildGraph()) return choice;
  if (size_ == 0 || allowed_ == 0) {
    choice.Completed = true;
    return choice;
  }
  if (!SetSlots()) {
    choice.TooLarge = true;
    return choice;
  }
  Seed();
  int step = 300;
  for (;;) {
    if (meter_.Cancelled()) return choice;
    const SlotSolution solution = SolveSlotProblem(Problem());
    ++choice.Solves;
    step += (950 - step) / 2;
    meter_.To(step);
    if (AddImprovingBouts(solution)) continue;
    for (std::size_t k = 0; k < candidates_.size(); ++k) {
      if (!solution.Made[k]) continue;
      const Candidate& c = candidates_[k];
      choice.Bouts.push_back({c.a, c.b, c.relaxed, c.fit});
    }
    break;
  }
  std::sort(choice.Bouts.begin(), choice.Bouts.end(),
            [](const OptimalBout& x, const OptimalBout& y) {
              return std::pair(x.a, x.b) < std::pair(y.a, y.b);
            });
  choice.Candidates = static_cast<int>(candidates_.size());
  choice.Completed = true;
  meter_.To(950);
  return choice;
}

}  // namespace

OptimalMeter::OptimalMeter(PairingProgress* progress) : progress_(progress) {
  if (progress_ != nullptr) progress_->SetRange(0, kSteps);
}

void OptimalMeter::To(int step) {
  step = std::min(step, kSteps);
  for (; reached_ < step; ++reached_) {
    if (progress_ != nullptr) progress_->Step();
  }
}

OptimalChoice ChooseOptimalBouts(const std::vector<FitInputs>& fits, const PairingControl& control,
                                 OptimalMeter& meter) {
  Solver solver(fits, control, meter);
  return solver.Run();
}

}  // namespace kestrio::pairing
