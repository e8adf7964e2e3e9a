#include "schedule/mat_schedule.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <numeric>
#include <queue>
#include <utility>

namespace kestrio::schedule {
namespace {

using MatMask = std::uint64_t;

int MatCount(const ScheduleRules& rules) { return std::clamp(rules.Mats, 1, kMaxMats); }
int RestOf(int rest) { return std::max(rest, 0); }
MatMask AllMats(int mats) { return mats == 64 ? ~MatMask{0} : (MatMask{1} << mats) - 1; }

std::size_t Index(int i) { return static_cast<std::size_t>(i); }

// The wrestlers of a bout that bind it: valid indices, a wrestler on both sides counted once.
int Sides(const ScheduleBout& b, int out[2]) {
  int n = 0;
  if (b.WrestlerA >= 0) out[n++] = b.WrestlerA;
  if (b.WrestlerB >= 0 && b.WrestlerB != b.WrestlerA) out[n++] = b.WrestlerB;
  return n;
}

// Each wrestler's bouts in the order they must be wrestled: by round, then bout number,
// then the order given. The same key orders every bout, so the chains never cross back.
struct Chains {
  std::vector<int> order;  // all bouts by that key
  std::vector<int> start;  // wrestler w owns bouts[start[w] .. start[w+1])
  std::vector<int> bouts;
  std::vector<int> prev[2], next[2];  // per bout and side: neighbour in the chain or -1
};

Chains BuildChains(std::span<const ScheduleBout> bouts) {
  const int n = static_cast<int>(bouts.size());
  Chains c;
  c.order.resize(Index(n));
  std::iota(c.order.begin(), c.order.end(), 0);
  std::sort(c.order.begin(), c.order.end(), [&](int x, int y) {
    const ScheduleBout& a = bouts[Index(x)];
    const ScheduleBout& b = bouts[Index(y)];
    if (a.Round != b.Round) return a.Round < b.Round;
    if (a.Number != b.Number) return a.Number < b.Number;
    return x < y;
  });
  int wrestlers = 0;
  for (const ScheduleBout& b : bouts)
    wrestlers = std::max({wrestlers, b.WrestlerA + 1, b.WrestlerB + 1});
  c.start.assign(Index(wrestlers) + 1, 0);
  for (int i = 0; i < 2; ++i) c.prev[i].assign(Index(n), -1), c.next[i].assign(Index(n), -1);
  int sides[2] = {-1, -1};
  for (const ScheduleBout& b : bouts)
    for (int s = 0, k = Sides(b, sides); s < k; ++s) ++c.start[Index(sides[s]) + 1];
  std::partial_sum(c.start.begin(), c.start.end(), c.start.begin());
  c.bouts.resize(Index(c.start.back()));
  std::vector<int> fill(c.start.begin(), c.start.end() - 1);
  std::vector<int> last(Index(wrestlers), -1);
  for (int b : c.order) {
    for (int s = 0, k = Sides(bouts[Index(b)], sides); s < k; ++s) {
      const int w = sides[s];
      c.bouts[Index(fill[Index(w)]++)] = b;
      const int p = last[Index(w)];
      if (p >= 0) {
        c.prev[s][Index(b)] = p;
        int ps[2] = {-1, -1};
        Sides(bouts[Index(p)], ps);
        c.next[ps[0] == w ? 0 : 1][Index(p)] = b;
      }
      last[Index(w)] = b;
    }
  }
  return c;
}

// Slots that must follow each bout: the longest chain of its wrestlers' later bouts.
std::vector<int> Tails(const Chains& c, int gap) {
  std::vector<int> tail(c.order.size(), 0);
  for (auto it = c.order.rbegin(); it != c.order.rend(); ++it)
    for (int s = 0; s < 2; ++s)
      if (int nb = c.next[s][Index(*it)]; nb >= 0)
        tail[Index(*it)] = std::max(tail[Index(*it)], gap + tail[Index(nb)]);
  return tail;
}

// The shortest day the chains alone allow, rests included.
int CriticalLength(const Chains& c, const std::vector<int>& tail, int gap) {
  std::vector<int> head(c.order.size(), 0);
  int longest = 0;
  for (int b : c.order) {
    for (int s = 0; s < 2; ++s)
      if (int p = c.prev[s][Index(b)]; p >= 0)
        head[Index(b)] = std::max(head[Index(b)], head[Index(p)] + gap);
    longest = std::max(longest, head[Index(b)] + tail[Index(b)] + 1);
  }
  return longest;
}

// Which mats may take each bout, and the bouts that no mat's range holds.
struct Eligibility {
  std::vector<MatMask> mask;  // per bout
  std::vector<int> out_of_range;
};

Eligibility MatsForBouts(std::span<const ScheduleBout> bouts, const ScheduleRules& rules) {
  const int mats = MatCount(rules);
  Eligibility e;
  e.mask.resize(bouts.size());
  for (std::size_t b = 0; b < bouts.size(); ++b) {
    const std::int32_t wc = bouts[b].WeightClass;
    MatMask holds = 0, nearest = 0;
    std::int64_t best = INT64_MAX;
    for (int m = 0; m < mats; ++m) {
      const MatClasses k = Index(m) < rules.Classes.size() ? rules.Classes[Index(m)] : MatClasses{};
      std::int64_t distance = 0;
      if (k.Limited && wc < k.Range.Low) distance = std::int64_t{k.Range.Low} - wc;
      if (k.Limited && wc > k.Range.High) distance = std::int64_t{wc} - k.Range.High;
      if (distance == 0) holds |= MatMask{1} << m;
      if (distance < best) best = distance, nearest = 0;
      if (distance == best) nearest |= MatMask{1} << m;
    }
    e.mask[b] = holds != 0 ? holds : nearest;
    if (holds == 0) e.out_of_range.push_back(static_cast<int>(b));
  }
  return e;
}

// Everything fixed about one day's bouts, shared by the attempts at different lengths.
struct Problem {
  std::span<const ScheduleBout> bouts;
  int mats = 1;
  int gap = 4;                      // rest + 1: the least distance of two slots of one wrestler
  std::vector<MatClasses> classes;  // per mat
  Chains chains;
  std::vector<int> tail;
  std::vector<int> wave;  // rank by round, weight class, number: the calling order
  Eligibility eligible;
  std::vector<MatMask> groups;  // distinct masks, rising
  std::vector<int> group_of;    // per bout
  std::vector<int> mats_width;  // per mat: how many groups it serves
};

struct Placement {
  std::vector<int> mat, slot;
  int length = 0;
};

using Keyed = std::pair<std::int64_t, int>;
using MinHeap = std::priority_queue<Keyed, std::vector<Keyed>, std::greater<>>;

// The list scheduler: slot by slot, the bouts whose wrestlers are free and rested are
// called in calling order, except that a bout whose later chain would run past the
// target length goes first.
class Greedy {
 public:
  Greedy(const Problem& p, int target) : p_(p), target_(target) {
    const std::size_t n = p.bouts.size();
    out_.mat.assign(n, -1);
    out_.slot.assign(n, -1);
    arrived_.assign(n, 0);
    urgent_.resize(p.groups.size());
    calling_.resize(p.groups.size());
    last_slot_.assign(p.chains.start.size() - 1, -1);
    next_.assign(last_slot_.size(), 0);
    for (std::size_t w = 0; w + 1 < p.chains.start.size(); ++w)
      if (p.chains.start[w] < p.chains.start[w + 1])
        Arrive(p.chains.bouts[Index(p.chains.start[w])]);
    int sides[2] = {-1, -1};
    for (std::size_t b = 0; b < n; ++b)
      if (Sides(p.bouts[b], sides) == 0) released_.push({0, static_cast<int>(b)});
  }

  Placement Run() {
    std::size_t placed = 0;
    for (int t = 0; placed < p_.bouts.size(); ++t) {
      if (Empty()) {
        // Nothing is free to wrestle: every mat waits for the next rest to end.
        if (released_.empty()) break;
        t = std::max(t, static_cast<int>(released_.top().first));
      }
      while (!released_.empty() && released_.top().first <= t) {
        const int b = released_.top().second;
        released_.pop();
        const int g = p_.group_of[Index(b)];
        urgent_[Index(g)].push({Latest(b) * std::int64_t{1 << 30} + p_.wave[Index(b)], b});
        calling_[Index(g)].push({p_.wave[Index(b)], b});
      }
      placed += FillSlot(t);
    }
    return std::move(out_);
  }

 private:
  std::int64_t Latest(int b) const { return target_ - 1 - p_.tail[Index(b)]; }

  bool Empty() {
    for (std::size_t g = 0; g < calling_.size(); ++g)
      if (!Top(calling_[g]).second || !Top(urgent_[g]).second) return false;
    return true;
  }

  // The first bout of the heap not yet placed; false when none is left.
  std::pair<Keyed, bool> Top(MinHeap& heap) {
    while (!heap.empty() && out_.slot[Index(heap.top().second)] >= 0) heap.pop();
    if (heap.empty()) return {{}, true};
    return {heap.top(), false};
  }

  int FillSlot(int t) {
    MatMask free = AllMats(p_.mats);
    std::vector<int> called;
    while (free != 0) {
      int best = -1;
      std::int64_t best_key = INT64_MAX;
      bool best_urgent = false;
      for (std::size_t g = 0; g < p_.groups.size(); ++g) {
        if ((p_.groups[g] & free) == 0) continue;
        const auto [u, u_empty] = Top(urgent_[g]);
        if (!u_empty && Latest(u.second) <= t && (!best_urgent || u.first < best_key)) {
          best = u.second, best_key = u.first, best_urgent = true;
          continue;
        }
        const auto [c, c_empty] = Top(calling_[g]);
        if (!best_urgent && !c_empty && c.first < best_key) best = c.second, best_key = c.first;
      }
      if (best < 0) break;
      const int mat = NarrowestMat(p_.eligible.mask[Index(best)] & free);
      free &= ~(MatMask{1} << mat);
      Place(best, mat, t);
      called.push_back(best);
    }
    OrderWithinSlot(called);
    return static_cast<int>(called.size());
  }

  int NarrowestMat(MatMask candidates) const {
    int best = -1;
    for (MatMask m = candidates; m != 0; m &= m - 1) {
      const int i = std::countr_zero(m);
      if (best < 0 || p_.mats_width[Index(i)] < p_.mats_width[Index(best)]) best = i;
    }
    return best;
  }

  // Mats that take the same classes are interchangeable within a slot: their bouts go
  // to them lightest first, so that each mat runs from light to heavy through a round.
  void OrderWithinSlot(const std::vector<int>& called) {
    std::vector<bool> done(called.size(), false);
    for (std::size_t i = 0; i < called.size(); ++i) {
      if (done[i]) continue;
      const MatClasses& k = p_.classes[Index(out_.mat[Index(called[i])])];
      std::vector<int> same, mats;
      for (std::size_t j = i; j < called.size(); ++j) {
        if (done[j] || !(p_.classes[Index(out_.mat[Index(called[j])])] == k)) continue;
        done[j] = true;
        same.push_back(called[j]);
        mats.push_back(out_.mat[Index(called[j])]);
      }
      std::sort(same.begin(), same.end(), [&](int a, int b) {
        const ScheduleBout& x = p_.bouts[Index(a)];
        const ScheduleBout& y = p_.bouts[Index(b)];
        if (x.WeightClass != y.WeightClass) return x.WeightClass < y.WeightClass;
        return p_.wave[Index(a)] < p_.wave[Index(b)];
      });
      std::sort(mats.begin(), mats.end());
      for (std::size_t j = 0; j < same.size(); ++j) out_.mat[Index(same[j])] = mats[j];
    }
  }

  void Place(int b, int mat, int t) {
    out_.mat[Index(b)] = mat;
    out_.slot[Index(b)] = t;
    out_.length = std::max(out_.length, t + 1);
    int sides[2] = {-1, -1};
    const int k = Sides(p_.bouts[Index(b)], sides);
    for (int s = 0; s < k; ++s) {
      const std::size_t w = Index(sides[s]);
      last_slot_[w] = t;
      if (++next_[w] < p_.chains.start[w + 1] - p_.chains.start[w])
        Arrive(p_.chains.bouts[Index(p_.chains.start[w] + next_[w])]);
    }
  }

  // A wrestler has reached bout b in its chain; once all of b's wrestlers have, b is
  // released for the slot their rest ends.
  void Arrive(int b) {
    int sides[2] = {-1, -1};
    const int k = Sides(p_.bouts[Index(b)], sides);
    if (++arrived_[Index(b)] < k) return;
    int ready = 0;
    for (int s = 0; s < k; ++s)
      if (last_slot_[Index(sides[s])] >= 0)
        ready = std::max(ready, last_slot_[Index(sides[s])] + p_.gap);
    released_.push({ready, b});
  }

  const Problem& p_;
  const int target_;
  Placement out_;
  std::vector<int> arrived_, last_slot_, next_;
  MinHeap released_;
  std::vector<MinHeap> urgent_, calling_;
};

Problem MakeProblem(std::span<const ScheduleBout> bouts, const ScheduleRules& rules) {
  Problem p;
  p.bouts = bouts;
  p.mats = MatCount(rules);
  p.gap = RestOf(rules.Rest) + 1;
  p.classes.resize(Index(p.mats));
  for (int m = 0; m < p.mats && Index(m) < rules.Classes.size(); ++m)
    p.classes[Index(m)] = rules.Classes[Index(m)];
  p.chains = BuildChains(bouts);
  p.tail = Tails(p.chains, p.gap);
  std::vector<int> by_wave(bouts.size());
  std::iota(by_wave.begin(), by_wave.end(), 0);
  std::sort(by_wave.begin(), by_wave.end(), [&](int x, int y) {
    const ScheduleBout& a = bouts[Index(x)];
    const ScheduleBout& b = bouts[Index(y)];
    if (a.Round != b.Round) return a.Round < b.Round;
    if (a.WeightClass != b.WeightClass) return a.WeightClass < b.WeightClass;
    if (a.Number != b.Number) return a.Number < b.Number;
    return x < y;
  });
  p.wave.resize(bouts.size());
  for (std::size_t r = 0; r < by_wave.size(); ++r) p.wave[Index(by_wave[r])] = static_cast<int>(r);
  p.eligible = MatsForBouts(bouts, rules);
  p.groups = p.eligible.mask;
  std::sort(p.groups.begin(), p.groups.end());
  p.groups.erase(std::unique(p.groups.begin(), p.groups.end()), p.groups.end());
  p.group_of.resize(bouts.size());
  for (std::size_t b = 0; b < bouts.size(); ++b)
    p.group_of[b] = static_cast<int>(
        std::lower_bound(p.groups.begin(), p.groups.end(), p.eligible.mask[b]) - p.groups.begin());
  p.mats_width.assign(Index(p.mats), 0);
  for (MatMask g : p.groups)
    for (MatMask m = g; m != 0; m &= m - 1) ++p.mats_width[Index(std::countr_zero(m))];
  return p;
}

// Moves the bouts of the last slot into earlier free places where their wrestlers'
// rests allow, as long as the whole last slot empties: the day ends a slot sooner.
void ShortenEnd(const Problem& p, Placement& s) {
  std::vector<MatMask> used(Index(s.length), 0);
  std::vector<std::vector<int>> at(Index(s.length));
  for (std::size_t b = 0; b < p.bouts.size(); ++b) {
    used[Index(s.slot[b])] |= MatMask{1} << s.mat[b];
    at[Index(s.slot[b])].push_back(static_cast<int>(b));
  }
  while (s.length > 1) {
    const int last = s.length - 1;
    std::vector<std::pair<int, int>> moved;  // bout, former mat
    for (int b : at[Index(last)]) {
      int earliest = 0;
      for (int side = 0; side < 2; ++side)
        if (int prev = p.chains.prev[side][Index(b)]; prev >= 0)
          earliest = std::max(earliest, s.slot[Index(prev)] + p.gap);
      int to = last - 1;
      while (to >= earliest && (p.eligible.mask[Index(b)] & ~used[Index(to)]) == 0) --to;
      if (to < earliest) break;
      const int mat = std::countr_zero(p.eligible.mask[Index(b)] & ~used[Index(to)]);
      used[Index(to)] |= MatMask{1} << mat;
      moved.emplace_back(b, s.mat[Index(b)]);
      s.mat[Index(b)] = mat;
      s.slot[Index(b)] = to;
    }
    if (moved.size() != at[Index(last)].size()) {
      for (auto [b, mat] : moved) {
        used[Index(s.slot[Index(b)])] &= ~(MatMask{1} << s.mat[Index(b)]);
        s.mat[Index(b)] = mat;
        s.slot[Index(b)] = last;
      }
      return;
    }
    for (auto [b, mat] : moved) at[Index(s.slot[Index(b)])].push_back(b);
    s.length = last;
    while (s.length > 0 && used[Index(s.length - 1)] == 0) --s.length;
  }
}

int IdleSlots(const Placement& s, int mats) {
  std::vector<int> count(Index(mats), 0), last(Index(mats), -1);
  for (std::size_t b = 0; b < s.mat.size(); ++b) {
    ++count[Index(s.mat[b])];
    last[Index(s.mat[b])] = std::max(last[Index(s.mat[b])], s.slot[b]);
  }
  int idle = 0;
  for (int m = 0; m < mats; ++m) idle += last[Index(m)] + 1 - count[Index(m)];
  return idle;
}

// How many lengths past the first target the scheduler tries before keeping its best.
constexpr int kAttempts = 4;

}  // namespace

int LowerBound(std::span<const ScheduleBout> bouts, int mats, int rest) {
  if (bouts.empty()) return 0;
  const std::int64_t m = std::clamp(mats, 1, kMaxMats);
  std::int64_t bound = (static_cast<std::int64_t>(bouts.size()) + m - 1) / m;
  const Chains c = BuildChains(bouts);
  for (std::size_t w = 0; w + 1 < c.start.size(); ++w) {
    const std::int64_t k = c.start[w + 1] - c.start[w];
    if (k > 0) bound = std::max(bound, (k - 1) * (RestOf(rest) + 1) + 1);
  }
  return static_cast<int>(bound);
}

MatSchedule ScheduleMats(std::span<const ScheduleBout> bouts, const ScheduleRules& rules) {
  MatSchedule result;
  result.LowerBound = LowerBound(bouts, rules.Mats, rules.Rest);
  if (bouts.empty()) return result;
  const Problem p = MakeProblem(bouts, rules);
  const int first = std::max(result.LowerBound, CriticalLength(p.chains, p.tail, p.gap));
  Placement best;
  for (int target = first; target < first + kAttempts; ++target) {
    Placement s = Greedy(p, target).Run();
    ShortenEnd(p, s);
    if (best.mat.empty() || s.length < best.length) best = std::move(s);
    if (best.length <= target) break;
  }
  result.Mat = std::move(best.mat);
  result.Slot = std::move(best.slot);
  result.SlotsUsed = best.length;
  result.IdleSlots = IdleSlots(best, p.mats);
  result.OutOfRange = p.eligible.out_of_range;
  result.ShortRest = WrestlersShortOfRest(bouts, result.Slot, rules.Rest);
  return result;
}

std::vector<int> WrestlersShortOfRest(std::span<const ScheduleBout> bouts,
                                      const std::vector<int>& slot, int rest) {
  const Chains c = BuildChains(bouts);
  std::vector<int> wrestlers;
  for (std::size_t w = 0; w + 1 < c.start.size(); ++w) {
    std::vector<int> slots;
    for (int i = c.start[w]; i < c.start[w + 1]; ++i)
      slots.push_back(slot[Index(c.bouts[Index(i)])]);
    std::sort(slots.begin(), slots.end());
    for (std::size_t i = 1; i < slots.size(); ++i) {
      if (slots[i] - slots[i - 1] <= RestOf(rest)) {
        wrestlers.push_back(static_cast<int>(w));
        break;
      }
    }
  }
  return wrestlers;
}

}  // namespace kestrio::schedule
