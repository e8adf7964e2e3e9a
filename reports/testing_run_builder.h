#pragma once

// Test support: builds a finished pairing run by hand, so that the report writers can be
// checked without the pairing engine.

#include <cstdlib>
#include <initializer_list>
#include <string>
#include <string_view>

#include "pairing/pairing_run.h"
#include "reports/results_reports.h"

namespace kestrio::reports::testing {

// The report text of the given lines, each ended by CR LF.
inline std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string out;
  for (std::string_view line : lines) out.append(line).append("\r\n");
  return out;
}

class RunBuilder {
 public:
  RunBuilder() { run_.RoundCapacity = pairing::kMaxRounds; }

  // Adds a selected wrestler; returns its selection index.
  int Wrestler(std::string_view last, std::string_view first, std::string_view club, float weight,
               float age, float rating) {
    pairing::SelectedParticipant w;
    w.LastName.Assign(last);
    w.FirstName.Assign(first);
    w.Club.Assign(club);
    w.Weight = weight;
    w.Age = age;
    w.Rating = rating;
    run_.SelectedList.push_back(w);
    run_.BoutCount.push_back(0);
    run_.RoundTable.resize(run_.SelectedList.size() * static_cast<std::size_t>(run_.RoundCapacity),
                           0);
    run_.SelectionSize = static_cast<int>(run_.SelectedList.size());
    return run_.SelectionSize - 1;
  }

  // A bout between a (the chooser) and b in round index `round`, with its final signed
  // number; bouts may be added in any order of their numbers.
  RunBuilder& Bout(int a, int b, int round, std::int32_t number) {
    const auto& wa = run_.SelectedList[static_cast<std::size_t>(a)];
    const auto& wb = run_.SelectedList[static_cast<std::size_t>(b)];
    const std::int32_t weight_class = BoutWeightClass(wa.Weight, wb.Weight);
    for (int p : {a, b}) {
      const auto& w = run_.SelectedList[static_cast<std::size_t>(p)];
      pairing::BoutEntry e;
      e.BoutNumber = number;
      e.WeightClass = weight_class;
      e.LastName = w.LastName;
      e.FirstName = w.FirstName;
      e.Club.Assign(w.Club.view());
      e.Weight = w.Weight;
      e.Age = w.Age;
      e.Rating = w.Rating;
      e.SelectionIndex = p;
      run_.BoutList.push_back(e);
      run_.RoundTable[static_cast<std::size_t>(p) * run_.RoundCapacity + round] = number;
      ++run_.BoutCount[static_cast<std::size_t>(p)];
    }
    ++run_.TotalBouts;
    run_.RoundsUsed = std::max(run_.RoundsUsed, round + 1);
    run_.BoutOrder.resize(static_cast<std::size_t>(run_.TotalBouts), 0);
    const auto slot = static_cast<std::size_t>(std::abs(number) - 1);
    if (slot >= run_.BoutOrder.size()) run_.BoutOrder.resize(slot + 1, 0);
    run_.BoutOrder[slot] = run_.TotalBouts - 1;
    return *this;
  }

  pairing::PairingRun& run() { return run_; }

 private:
  pairing::PairingRun run_;
};

}  // namespace kestrio::reports::testing
