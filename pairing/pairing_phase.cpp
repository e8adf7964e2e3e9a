#include "pairing/pairing_phase.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "base/prefetch.h"

namespace kestrio::pairing {
namespace {

// The wrestlers who may choose in a round, in the order they will choose: fewest bouts
// first, then earliest in the selection. Counts only change for a wrestler once it is
// in a bout, and then it is no longer free in the round, so the first still-free
// wrestler of this list is always the one a fresh scan would choose.
std::vector<std::int32_t> ChooserOrder(PairingRun& run, int round) {
  const PairingControl& control = run.Control;
  const std::int32_t limit = std::min(control.MaxBoutsWanted, control.MaxBoutsAllowed);
  std::vector<std::int32_t> order;
  if (limit <= 0) return order;
  // Counting sort by bout count; counts below the limit only.
  std::vector<std::int32_t> starts;
  for (int a = 0; a < run.SelectionSize; ++a) {
    const std::int32_t count = run.BoutCount[a];
    if (count >= limit || run.RoundEntry(a, round - 1) != 0) continue;
    if (static_cast<std::size_t>(count) >= starts.size()) starts.resize(count + 1, 0);
    ++starts[count];
    order.push_back(a);
  }
  std::int32_t offset = 0;
  for (std::int32_t& start : starts) {
    const std::int32_t size = start;
    start = offset;
    offset += size;
  }
  std::vector<std::int32_t> sorted(order.size());
  for (const std::int32_t a : order) sorted[starts[run.BoutCount[a]]++] = a;
  return sorted;
}

// Asks early for the entry a bout of wrestler a copies: wrestlers pair at random places
// in the selection, and the copy would otherwise wait for memory.
void PrefetchSelected(const PairingRun& run, int a) {
  const char* entry = reinterpret_cast<const char*>(&run.SelectedList[a]);
  for (std::size_t line = 0; line < sizeof(SelectedParticipant); line += 64) {
    Prefetch(entry + line);
  }
  Prefetch(entry + sizeof(SelectedParticipant) - 1);
}

void AddBout(PhaseWork& work, int round, int sign, int c, int p) {
  PairingRun& run = *work.run;
  const std::int32_t number = sign * ++work.Created;
  run.RoundEntry(c, round - 1) = number;
  run.RoundEntry(p, round - 1) = number;
  AppendBout(run, number, c, p);
}

// One round; returns the number of bouts it made.
int PairRound(PhaseWork& work, FitIndex& index, int round, int sign) {
  PairingRun& run = *work.run;
  const PairingControl& control = run.Control;
  // Partners come from those without a bout in the round and below the hard limit.
  index.BeginRound([&](int a) {
    return run.RoundEntry(a, round - 1) == 0 && run.BoutCount[a] < control.MaxBoutsAllowed;
  });
  int paired = 0;
  for (const std::int32_t c : ChooserOrder(run, round)) {
    if (run.RoundEntry(c, round - 1) != 0) continue;  // taken as a partner earlier in the round
    PrefetchSelected(run, c);
    // Two wrestlers who already wrestle share a bout number in the round of that bout;
    // every number of the run is a different bout, and no bout has moved yet. A wrestler
    // asked about would be the partner so far: the search goes on meanwhile.
    const int p = index.BestPartner(c, control.MinGoodnessOfFitAllowed, [&](int b) {
      PrefetchSelected(run, b);
      for (int r = 0; r < round - 1; ++r) {
        const std::int32_t x = run.RoundEntry(c, r);
        if (x != 0 && x != kNoPartnerMark && run.RoundEntry(b, r) == x) return true;
      }
      return false;
    });
    index.Take(c);
    if (p < 0) {
      run.RoundEntry(c, round - 1) = kNoPartnerMark;
    } else {
      index.Take(p);
      AddBout(work, round, sign, c, p);
      ++paired;
    }
    if (work.progress != nullptr) work.progress->Step();
  }
  return paired;
}

}  // namespace

void AppendBout(PairingRun& run, std::int32_t number, int c, int p) {
  ++run.BoutCount[c];
  ++run.BoutCount[p];
  const std::int32_t weight_class =
      BoutWeightClass(run.SelectedList[c].Weight, run.SelectedList[p].Weight);
  for (const int a : {c, p}) {
    run.BoutList.push_back(MakeBoutEntry(run.SelectedList[a], a, number, weight_class));
  }
}

void EnsureRounds(PairingRun& run, int rounds) {
  if (rounds <= run.RoundCapacity) return;
  const int capacity = std::max(rounds, 2 * run.RoundCapacity);
  std::vector<std::int32_t> table(static_cast<std::size_t>(run.SelectionSize) * capacity, 0);
  for (int a = 0; a < run.SelectionSize; ++a) {
    std::copy_n(run.RoundTable.begin() + static_cast<std::ptrdiff_t>(a) * run.RoundCapacity,
                run.RoundCapacity, table.begin() + static_cast<std::ptrdiff_t>(a) * capacity);
  }
  run.RoundTable = std::move(table);
  run.RoundCapacity = capacity;
}

int RunPairingPhase(PhaseWork& work, FitIndex& index, int first_round, int sign) {
  // A phase always runs its first round, then one more round after every round that
  // made a bout; each such round adds a bout, so the phase ends.
  int last = 0;
  for (int round = first_round;; ++round) {
    EnsureRounds(*work.run, round);
    if (PairRound(work, index, round, sign) == 0) break;
    last = round;
  }
  return last;
}

}  // namespace kestrio::pairing
