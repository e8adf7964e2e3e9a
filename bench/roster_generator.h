#pragma once

// Realistic roster text for benchmarks and scaling measurements: TAB-separated lines
// LastName, FirstName, Weight, Age, Rating, Club and a status, ending in CR LF.
//
// The output depends only on the options (a fixed Mersenne Twister and no library
// distributions), so a seed names the same roster on every machine.

#include <cstdint>
#include <string>

namespace kestrio::bench {

// The kinds of roster the scaling measurements cover.
enum class RosterKind {
  // 40 surnames, 40 first names, numbers spread (the benchmarks' roster).
  kMixed,
  // Names spread wide: 1,600 surnames made of two parts, 40 first names, few twins.
  kSpreadNames,
  // Few names (38 surnames, 39 first names) and about a fifth of the entries exact
  // copies of another: siblings and frequent names sharing a club and every number.
  kFewNamesTwins,
  // Names spread as kSpreadNames, but everyone the same weight, age and rating: the fit's
  // bounds tell no wrestler apart.
  kEqualNumbers,
};

struct RosterGeneratorOptions {
  RosterKind kind = RosterKind::kMixed;
  // Number of lines (wrestlers) written.
  int wrestlers = 1000;
  // Seed of the random sequence.
  std::uint32_t seed = 1;
  // Number of clubs the wrestlers come from; clamped to 1..60.
  int clubs = 20;
  // About this fraction (0..1) of the entries share every sort key with another: half
  // of them are exact copies of an earlier line.
  double shared_key_fraction = 0.0;
  // Every line gets the status "Selected"; otherwise a mix of "yes", "Selected",
  // blank and a few other statuses.
  bool all_selected = false;
};

// Weights 20-120, ages 5-15 and ratings 0-5, all with two decimals.
std::string GenerateRosterText(const RosterGeneratorOptions& options);

}  // namespace kestrio::bench
