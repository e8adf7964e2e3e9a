#include "testing/literal_pairing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/fixed_text.h"
#include "base/number_text.h"

namespace kestrio::testing {
namespace {

using pairing::BoutEntry;
using pairing::PairingControl;
using pairing::PairingRun;
using pairing::SelectedParticipant;

constexpr int kRounds = 2000;
constexpr std::int32_t kMark = -99999;

struct State {
  const roster::Roster* roster;
  PairingControl c;
  int n = 0;
  std::vector<int> storage;  // storage index of each selected, by SelectionIndex
  std::vector<std::vector<std::string>> fit_rows;
  std::vector<float> fm;
  PairingRun run;
  int created = 0;
  std::int32_t& rt(int a, int r) {
    return run.RoundTable[static_cast<std::size_t>(a) * kRounds + r - 1];
  }
  float& fit(int a, int b) { return fm[static_cast<std::size_t>(a) * n + b]; }
};

bool Selected(const roster::Participant& p) {
  return text::WithoutBlanks(p.Status.view()) == "Selected";
}
double Num(const text::FixedText<10>& t) { return text::ReadDouble(t.view()).value_or(0.0); }

long double Term(long double d, long double t) {
  if (d == 0) return 0;
  long double p = d / t;
  return p > 1 ? 1 : p;
}

void ComputeFitRows(State& s, float tw, float ta, float tr, float sc) {
  const auto& e = s.roster->Entries;
  const std::size_t n = e.size();
  s.fit_rows.assign(n, std::vector<std::string>(n));
  for (std::size_t i = 0; i < n; ++i) {
    s.fit_rows[i][i] = "0.0000    ";
    const double wi = Num(e[i].Weight), ai = Num(e[i].Age), ri = Num(e[i].Rating);
    for (std::size_t j = i + 1; j < n; ++j) {
      const double wj = Num(e[j].Weight), aj = Num(e[j].Age), rj = Num(e[j].Rating);
      const long double dw = std::fabs(static_cast<long double>(wi) - wj);
      long double m = wi;
      if (wi < wj) m = wj;
      long double pw = 0;
      if (dw != 0) {
        pw = dw / m / tw * 100;
        if (pw > 1) pw = 1;
      }
      const long double pa = Term(std::fabs(static_cast<long double>(ai) - aj), ta);
      const long double pr = Term(std::fabs(static_cast<long double>(ri) - rj), tr);
      long double f = ((1 - pw) * 1.0L) * (1 - pa) * (1 - pr);
      if (text::WithoutBlanks(e[i].Club.view()) == text::WithoutBlanks(e[j].Club.view())) f *= sc;
      const double stored = static_cast<double>(f * 1.0L);
      char buffer[400];
      std::snprintf(buffer, sizeof buffer, "%8.6f", stored);
      s.fit_rows[i][j] = s.fit_rows[j][i] = std::string(buffer) + "  ";
    }
  }
}

void LoadFitMatrix(State& s) {
  s.fm.assign(static_cast<std::size_t>(s.n) * s.n, 1.0f);
  for (int a = 0; a < s.n; ++a) {
    for (int b = a; b < s.n; ++b) {
      const float v = std::strtof(s.fit_rows[s.storage[a]][s.storage[b]].c_str(), nullptr);
      s.fit(a, b) = s.fit(b, a) = v;
    }
  }
}

std::int32_t WeightClass(float w1, float w2) {
  const float m = (w1 + w2) * 0.5f;
  int k = static_cast<int>(m);
  if (m - k >= 0.5) k = k + 1;
  const int rem = k % 5;
  return rem < 2.5 ? k - rem : k - rem + 5;
}

int Phase(State& s, int r0, int sign) {
  const int wanted = s.c.MaxBoutsWanted, allowed = s.c.MaxBoutsAllowed;
  const float min_fit = s.c.MinGoodnessOfFitAllowed;
  int r = r0 - 1, paired = 0, last = 0;
  for (;;) {
    ++r;
    if (paired == 0 && r > r0) break;
    paired = 0;
    for (;;) {
      int c = -1, smallest = allowed;
      for (int a = 0; a < s.n; ++a) {
        const int count = s.run.BoutCount[a];
        if (s.rt(a, r) == 0 && count < wanted && count < allowed && count < smallest) {
          smallest = count;
          c = a;
        }
      }
      if (c < 0) break;
      float best = 0.0f;
      int p = -1;
      for (int b = 0; b < s.n; ++b) {
        if (s.fit(c, b) > best && s.rt(b, r) == 0 && s.run.BoutCount[b] < allowed &&
            s.fit(c, b) > min_fit) {
          best = s.fit(c, b);
          p = b;
        }
      }
      if (p < 0) {
        s.rt(c, r) = kMark;
        continue;
      }
      ++paired;
      ++s.run.BoutCount[c];
      ++s.run.BoutCount[p];
      const int number = sign * ++s.created;
      s.rt(c, r) = s.rt(p, r) = number;
      s.fit(c, p) = s.fit(p, c) = 0.0f;
      const std::int32_t wc =
          WeightClass(s.run.SelectedList[c].Weight, s.run.SelectedList[p].Weight);
      for (const int a : {c, p}) {
        const SelectedParticipant& sp = s.run.SelectedList[a];
        BoutEntry e;
        e.BoutNumber = number;
        e.WeightClass = wc;
        e.LastName = sp.LastName;
        e.FirstName = sp.FirstName;
        e.Club = text::FixedText<5>(sp.Club.view());
        e.Weight = sp.Weight;
        e.Age = sp.Age;
        e.Rating = sp.Rating;
        e.SelectionIndex = a;
        s.run.BoutList.push_back(e);
      }
    }
    if (paired > 0) last = r;
  }
  return last;
}

void Finish(State& s, int l) {
  PairingRun& run = s.run;
  for (auto& x : run.RoundTable)
    if (x == kMark) x = 0;
  run.TotalBouts = s.created;
  for (int n = 1; n <= run.TotalBouts; ++n) {
    const int x = run.BoutList[2 * n - 2].BoutNumber;
    if (x >= 0) continue;
    const int a = run.BoutList[2 * n - 2].SelectionIndex,
              b = run.BoutList[2 * n - 1].SelectionIndex;
    bool placed = false;
    for (int r = 1; r <= l; ++r) {
      if (s.rt(a, r) == x) {
        if (placed) s.rt(a, r) = s.rt(b, r) = 0;
        break;
      }
      if (!placed && s.rt(a, r) == 0 && s.rt(b, r) == 0) {
        s.rt(a, r) = s.rt(b, r) = x;
        placed = true;
      }
    }
  }
  run.RoundsUsed = 0;
  for (int r = 1; r <= l; ++r)
    for (int a = 0; a < s.n; ++a)
      if (s.rt(a, r) != 0) run.RoundsUsed = r;
  std::vector<int> final_number(run.TotalBouts + 1, 0);
  int k = 0;
  for (int r = 1; r <= run.RoundsUsed; ++r)
    for (int a = 0; a < s.n; ++a) {
      const int x = s.rt(a, r);
      if (x != 0 && final_number[std::abs(x)] == 0) final_number[std::abs(x)] = ++k;
    }
  for (auto& x : run.RoundTable)
    if (x != 0) x = x < 0 ? -final_number[-x] : final_number[x];
  run.BoutOrder.assign(run.TotalBouts, 0);
  for (auto& e : run.BoutList) {
    const int created = std::abs(e.BoutNumber);
    e.BoutNumber = e.BoutNumber < 0 ? -final_number[created] : final_number[created];
    run.BoutOrder[std::abs(e.BoutNumber) - 1] = created - 1;
  }
}

std::string Right(std::string_view t, std::size_t w) { return text::PadLeft(t, w); }

std::string ByHand(State& s) {
  const PairingRun& run = s.run;
  std::string out;
  for (int k = 0; k < s.n; ++k) {
    if (run.BoutCount[k] >= s.c.MinBoutsWanted) continue;
    const auto& p = run.SelectedList[k];
    out += Right(p.LastName.WithoutBlanks(), 15) + " " + Right(p.FirstName.WithoutBlanks(), 15) +
           " " + " from " + Right(p.Club.WithoutBlanks(), 5) + ": " +
           text::FormatFixed(p.Weight, 5, 1) + "  " + text::FormatFixed(p.Age, 5, 1) + "  " +
           text::FormatFixed(p.Rating, 5, 1) + "\r\n";
    out += std::string(15, ' ') + "Received only " + text::FormatInt(run.BoutCount[k], 3) +
           " bout(s)\r\n";
    out += std::string(15, ' ') + "Possible matches are:\r\n";
    int listed = 0;
    for (int j = 0; j < s.n; ++j) {
      const float f = s.fit(k, j);
      if (!(f > 0)) continue;
      const auto& q = run.SelectedList[j];
      out += std::string(15, ' ') + Right(q.LastName.WithoutBlanks(), 15) + " " +
             Right(q.FirstName.WithoutBlanks(), 15) + " " + " from " +
             Right(q.Club.WithoutBlanks(), 5) + ": fit= " + text::FormatFixed(f, 6, 4);
      if (f <= s.c.MinGoodnessOfFitAllowed) out += " is below allowed minimum";
      out += "\r\n";
      ++listed;
    }
    if (listed == 0)
      out += std::string(15, ' ') + "No match within allowed fit tolerance can be identified\r\n";
    out += "\r\n";
  }
  const std::string rule = std::string(7, ' ') + std::string(66, '-') + "\r\n";
  out += "\r\n" + rule + std::string(7, ' ') +
         "Non-optimum bouts paired by the code as an attempt at hand pairing\r\n" + rule;
  auto side = [](const BoutEntry& e) {
    return Right(e.LastName.view(), 15) + "  " + Right(e.FirstName.view(), 15) + "  " +
           Right(e.Club.view(), 5) + "  " + text::FormatFixed(e.Weight, 5, 1) + "  " +
           text::FormatFixed(e.Age, 4, 0) + "  " + text::FormatFixed(e.Rating, 5, 2);
  };
  for (int t = 1; t <= run.TotalBouts; ++t) {
    const int n = run.BoutOrder[t - 1];
    const BoutEntry& a = run.BoutList[2 * n];
    if (a.BoutNumber > 0) continue;
    out += "\r\n   " + text::FormatInt(a.BoutNumber, 4) + "  " + text::FormatInt(a.WeightClass, 3) +
           "  " + side(a) + "\r\n" + std::string(14, ' ') + side(run.BoutList[2 * n + 1]) + "\r\n";
  }
  return out;
}

}  // namespace

roster::Participant Wrestler(std::string_view last, std::string_view first, double weight,
                             double age, double rating, std::string_view club,
                             std::string_view status) {
  roster::Participant p;
  p.LastName.Assign(last);
  p.FirstName.Assign(first);
  p.Weight.Assign(text::FormatFixed(weight, 10, 2));
  p.Age.Assign(text::FormatFixed(age, 10, 2));
  p.Rating.Assign(text::FormatFixed(rating, 10, 2));
  p.Club.Assign(club);
  p.Status.Assign(status);
  return p;
}

void Add(roster::Roster& roster, const roster::Participant& p) {
  roster.DisplayOrder.push_back(static_cast<std::int32_t>(roster.Entries.size()));
  roster.Entries.push_back(p);
}

LiteralRun PairLiterally(const roster::Roster& roster, const PairingControl& control) {
  State s;
  s.roster = &roster;
  s.c = control;
  s.run.Control = control;
  for (std::size_t p = 0; p < roster.DisplayOrder.size(); ++p) {
    const auto& e = roster.Displayed(p);
    if (!Selected(e)) continue;
    SelectedParticipant sp;
    sp.LastName.Assign(text::LeftAdjust(e.LastName.view()));
    sp.FirstName.Assign(text::LeftAdjust(e.FirstName.view()));
    sp.Club.Assign(text::LeftAdjust(e.Club.view()));
    sp.Weight = *text::ReadFloat(e.Weight.view());
    sp.Age = *text::ReadFloat(e.Age.view());
    sp.Rating = *text::ReadFloat(e.Rating.view());
    s.run.SelectedList.push_back(sp);
    s.storage.push_back(roster.DisplayOrder[p]);
  }
  s.n = s.run.SelectionSize = static_cast<int>(s.storage.size());
  s.run.RoundCapacity = kRounds;
  s.run.RoundTable.assign(static_cast<std::size_t>(s.n) * kRounds, 0);
  s.run.BoutCount.assign(s.n, 0);

  ComputeFitRows(s, control.MaxAllowedDiffWeight, control.MaxAllowedDiffAge,
                 control.MaxAllowedDiffRating, control.SameClubPairingWeight);
  LoadFitMatrix(s);
  const int k = Phase(s, 1, +1);
  const float sc = control.SameClubPairingWeight < 0.25f ? 0.25f : control.SameClubPairingWeight;
  ComputeFitRows(s, 2.0f * control.MaxAllowedDiffWeight, 2.0f * control.MaxAllowedDiffAge,
                 2.0f * control.MaxAllowedDiffRating, sc);
  LoadFitMatrix(s);
  for (std::size_t i = 0; i < s.run.BoutList.size(); i += 2) {
    const int a = s.run.BoutList[i].SelectionIndex, b = s.run.BoutList[i + 1].SelectionIndex;
    s.fit(a, b) = s.fit(b, a) = 0.0f;
  }
  for (int a = 0; a < s.n; ++a)
    for (int r = k + 1; r <= kRounds; ++r) s.rt(a, r) = 0;
  const int relaxed_last = Phase(s, k + 1, -1);
  Finish(s, relaxed_last > 0 ? relaxed_last : k);

  LiteralRun result;
  result.ByHandReport = ByHand(s);
  result.FitMatrix = s.fm;
  result.Run = std::move(s.run);
  return result;
}

roster::Roster RandomRoster(std::mt19937& rng, int size) {
  const double weights[] = {30, 30, 31.5, 33, 35, 36.3, 40, 44, 44, 50, 55, 60, 72.4};
  const char* clubs[] = {"Ajax", "  Ajax", "Bears", "Cobra", "Dingo Wrestling"};
  const char* statuses[] = {"Selected", "Selected",   "Selected", " Selected",
                            "selected", "UnSelected", ""};
  roster::Roster roster;
  for (int i = 0; i < size; ++i) {
    const double w =
        weights[rng() % std::size(weights)] + (rng() % 4 == 0 ? (rng() % 300) / 100.0 : 0);
    const double age = 8 + (rng() % 9) * 0.5;
    const double rating = (rng() % 6) * 0.5;
    Add(roster,
        Wrestler("Last" + std::to_string(i), "First" + std::to_string(rng() % 5), w, age, rating,
                 clubs[rng() % std::size(clubs)], statuses[rng() % std::size(statuses)]));
  }
  std::shuffle(roster.DisplayOrder.begin(), roster.DisplayOrder.end(), rng);
  return roster;
}

PairingControl RandomControl(std::mt19937& rng) {
  PairingControl c;
  const float weight_tolerances[] = {10, 5, 20, 0, 0.5f};
  const float other_tolerances[] = {1.5f, 1, 3, 0, 0.5f};
  const float min_fits[] = {0.01f, 0.0f, 0.125f, 0.5f};
  const float same_club[] = {0, 0.25f, 1, 0.6f};
  c.MaxAllowedDiffWeight = weight_tolerances[rng() % 5];
  c.MaxAllowedDiffAge = other_tolerances[rng() % 5];
  c.MaxAllowedDiffRating = other_tolerances[rng() % 5];
  c.MinGoodnessOfFitAllowed = min_fits[rng() % 4];
  c.SameClubPairingWeight = same_club[rng() % 4];
  c.MaxBoutsAllowed = static_cast<std::int32_t>(rng() % 6);
  c.MaxBoutsWanted = static_cast<std::int32_t>(rng() % 6);
  c.MinBoutsWanted = static_cast<std::int32_t>(rng() % 5);
  if (rng() % 8 == 0) c.MaxBoutsAllowed = c.MaxBoutsWanted = 200;
  return c;
}

}  // namespace kestrio::testing
