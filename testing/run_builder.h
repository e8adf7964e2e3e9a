#pragma once

// Builds a finished pairing run by hand, so that the report writers can be checked
// without the pairing engine; and the text of a report from its lines.

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <string_view>

#include "pairing/pairing_run.h"

namespace kestrio::testing {

// The report text of the given lines, each ended by CR LF.
inline std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string out;
  for (std::string_view line : lines) out.append(line).append("\r\n");
  return out;
}

class RunBuilder {
 public:
  // Rounds the built run's table holds: wider than the rounds its bouts use, as a
  // table may be while a run is being paired.
  static constexpr int kRounds = 50;

  RunBuilder() { run_.RoundCapacity = kRounds; }

  // Adds a selected wrestler; returns its selection index. Its fit inputs are its
  // numbers, with club mates told apart by their club texts, as a run gathers them.
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
    const auto same_club = std::find_if(
        run_.SelectedList.begin(), run_.SelectedList.end(),
        [&](const auto& other) { return other.Club.WithoutBlanks() == w.Club.WithoutBlanks(); });
    const auto club_id = static_cast<std::int32_t>(same_club - run_.SelectedList.begin());
    run_.FitList.push_back({weight, age, rating, club_id});
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
    const std::int32_t weight_class = pairing::BoutWeightClass(wa.Weight, wb.Weight);
    for (int p : {a, b}) {
      run_.BoutList.push_back(pairing::MakeBoutEntry(run_.SelectedList[static_cast<std::size_t>(p)],
                                                     p, number, weight_class));
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

}  // namespace kestrio::testing
