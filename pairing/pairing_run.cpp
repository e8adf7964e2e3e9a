#include "pairing/pairing_run.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>

#include "base/number_text.h"
#include "base/prefetch.h"
#include "pairing/fit_index.h"
#include "pairing/measure_text.h"
#include "pairing/pairing_phase.h"

namespace kestrio::pairing {
namespace {

constexpr int kFirstRoundCapacity = 8;

bool IsSelectedEntry(const roster::Participant& p) {
  return text::WithoutBlanks(p.Status.view()) == roster::ParticipantStatus::Selected;
}

Status Unreadable(const roster::Participant& p, std::string_view field, std::string_view value) {
  return Status::BadNumber(
      "The " + std::string(field) + " \"" + std::string(text::WithoutBlanks(value)) + "\" of " +
      std::string(p.LastName.WithoutBlanks()) + ", " + std::string(p.FirstName.WithoutBlanks()) +
      " is not a number: no bouts were paired.");
}

Status ReadNumber(const roster::Participant& p, std::string_view field, std::string_view value,
                  float* shown, double* measured) {
  const std::optional<Measure> m = ReadMeasure(value);
  if (!m) return Unreadable(p, field, value);
  *shown = m->Shown;
  *measured = m->Exact;
  return Status::Ok();
}

// Gathers the selected wrestlers in display order and creates the run's tables.
Status PreparePairingRun(const roster::Roster& roster, PairingRun* run) {
  // Club texts are looked up without copies: the roster outlives the preparation.
  std::unordered_map<std::string_view, std::int32_t> club_ids;
  // One pass in display order: an entry's fields are read while its status is at hand,
  // as the entries lie scattered over the roster. The lists are reserved for everyone; the
  // room of those not selected is never touched.
  run->SelectedList.reserve(roster.DisplayOrder.size());
  run->FitList.reserve(roster.DisplayOrder.size());
  Status status = Status::Ok();
  roster::ForEachDisplayed(roster, [&](const roster::Participant& p) {
    if (!IsSelectedEntry(p)) return true;
    SelectedParticipant s;
    FitInputs fit;
    for (Status read : {ReadNumber(p, "Weight", p.Weight.view(), &s.Weight, &fit.Weight),
                        ReadNumber(p, "Age", p.Age.view(), &s.Age, &fit.Age),
                        ReadNumber(p, "Rating", p.Rating.view(), &s.Rating, &fit.Rating)}) {
      if (!read.ok()) {
        status = std::move(read);
        return false;
      }
    }
    s.LastName.Assign(text::WithoutLeadingBlanks(p.LastName.view()));
    s.FirstName.Assign(text::WithoutLeadingBlanks(p.FirstName.view()));
    s.Club.Assign(text::WithoutLeadingBlanks(p.Club.view()));
    const std::string_view club = p.Club.WithoutBlanks();
    // try_emplace looks before it makes a node: most wrestlers' clubs are known already.
    fit.ClubId =
        club_ids.try_emplace(club, static_cast<std::int32_t>(club_ids.size())).first->second;
    run->SelectedList.push_back(s);
    run->FitList.push_back(fit);
    return true;
  });
  if (!status.ok()) return status;
  run->SelectionSize = static_cast<int>(run->SelectedList.size());
  // A few rounds to start with: most runs need no more, and a narrow table keeps each
  // wrestler's rounds together in memory. It grows as rounds are needed.
  run->RoundCapacity = kFirstRoundCapacity;
  run->RoundTable.assign(static_cast<std::size_t>(run->SelectionSize) * kFirstRoundCapacity, 0);
  run->BoutCount.assign(static_cast<std::size_t>(run->SelectionSize), 0);
  return Status::Ok();
}

}  // namespace

std::int32_t BoutWeightClass(float weight_a, float weight_b) {
  const float mean = (weight_a + weight_b) * 0.5f;
  // Weights come from 10-character texts; keep absurd ones inside the integer range.
  constexpr float kLimit = 1.0e9f;
  if (!(std::fabs(mean) < kLimit)) return mean < 0 ? -1'000'000'000 : 1'000'000'000;
  std::int64_t whole = static_cast<std::int64_t>(mean);
  if (mean - static_cast<float>(whole) >= 0.5f) ++whole;
  const std::int64_t rem = whole % 5;
  return static_cast<std::int32_t>(rem < 2.5 ? whole - rem : whole - rem + 5);
}

BoutEntry MakeBoutEntry(const SelectedParticipant& wrestler, int selection_index,
                        std::int32_t bout_number, std::int32_t weight_class) {
  BoutEntry entry;
  entry.BoutNumber = bout_number;
  entry.WeightClass = weight_class;
  entry.LastName = wrestler.LastName;
  entry.FirstName = wrestler.FirstName;
  entry.Club.Assign(wrestler.Club.view());
  entry.Weight = wrestler.Weight;
  entry.Age = wrestler.Age;
  entry.Rating = wrestler.Rating;
  entry.SelectionIndex = selection_index;
  return entry;
}

Status PrepareSelection(const roster::Roster& roster, const PairingControl& control,
                        PairingRun* run) {
  *run = PairingRun();
  run->Control = control;
  if (Status status = PreparePairingRun(roster, run); !status.ok()) {
    *run = PairingRun();
    run->Control = control;
    return status;
  }
  return Status::Ok();
}

Status PairBouts(const roster::Roster& roster, const PairingControl& control,
                 PairingProgress* progress, PairingRun* run) {
  if (Status status = PrepareSelection(roster, control, run); !status.ok()) return status;
  if (progress != nullptr) progress->SetRange(0, 2 * run->SelectionSize);

  PhaseWork work;
  work.run = run;
  work.progress = progress;
  run->BoutList.reserve(static_cast<std::size_t>(run->SelectionSize) *
                        static_cast<std::size_t>(std::clamp(control.MaxBoutsWanted, 0, 7) + 1));

  FitIndex index(run->FitList, OptimumTolerances(control));
  const int optimum_last = RunPairingPhase(work, index, 1, +1);

  // The relaxed phase starts after the optimum's last round that made a bout; the
  // rounds from there on hold only the no-partner marks of the empty round.
  for (int a = 0; a < run->SelectionSize; ++a) {
    for (int r = optimum_last; r < run->RoundCapacity; ++r) {
      run->RoundTable[static_cast<std::size_t>(a) * run->RoundCapacity + r] = 0;
    }
  }
  index.SetTolerances(RelaxedTolerances(control));
  const int relaxed_last = RunPairingPhase(work, index, optimum_last + 1, -1);

  run->TotalBouts = work.Created;
  FinishBouts(*run, relaxed_last > 0 ? relaxed_last : optimum_last);
  return Status::Ok();
}

}  // namespace kestrio::pairing
