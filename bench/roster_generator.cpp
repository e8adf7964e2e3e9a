#include "bench/roster_generator.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <random>
#include <string_view>
#include <vector>

namespace kestrio::bench {
namespace {

constexpr std::array<std::string_view, 40> kLastNames = {
    "Abernathy", "Baptiste",  "Castellano", "Dunmore",    "Eckhart",   "Fairbanks",  "Galloway",
    "Halvorsen", "Ingersoll", "Jaramillo",  "Kowalczyk",  "Lindqvist", "Mbeki",      "Nakamura",
    "Okonkwo",   "Pettersen", "Quintero",   "Rasmussen",  "Szabo",     "Thibodeaux", "Underhill",
    "Vasquez",   "Whitcombe", "Xiong",      "Yarbrough",  "Zielinski", "Ashdown",    "Brannigan",
    "Cordero",   "Delacroix", "Ellsworth",  "Fontaine",   "Gutierrez", "Hollis",     "Iwasaki",
    "Jablonski", "Kearney",   "Lachance",   "McAllister", "Novak",
};

constexpr std::array<std::string_view, 40> kFirstNames = {
    "Aiden", "Brody",  "Caleb", "Dante",  "Eli",   "Finn",   "Gavin", "Hunter", "Isaac", "Jonah",
    "Kai",   "Liam",   "Mason", "Nolan",  "Owen",  "Parker", "Quinn", "Reid",   "Silas", "Tristan",
    "Uriah", "Victor", "Wyatt", "Xavier", "Yusuf", "Zane",   "Ava",   "Bella",  "Chloe", "Daisy",
    "Emma",  "Fiona",  "Grace", "Hazel",  "Iris",  "Jade",   "Kira",  "Luna",   "Maya",  "Nora",
};

constexpr std::array<std::string_view, 20> kTowns = {
    "Ashford",  "Brookvale", "Cedar",   "Dunmore", "Elkhorn",    "Fairview", "Glenwood",
    "Harbor",   "Ironwood",  "Juniper", "Kingsly", "Lakeside",   "Maple",    "Northgate",
    "Oakridge", "Pinecrest", "Quarry",  "Redhill", "Stonebrook", "Timber",
};

constexpr std::array<std::string_view, 3> kSuffixes = {" WC", " Grapplers", " Youth"};

class Dice {
 public:
  explicit Dice(std::uint32_t seed) : engine_(seed) {}
  // A whole number in [0, n).
  std::uint32_t Below(std::uint32_t n) { return static_cast<std::uint32_t>(engine_() % n); }
  // A number in [lo, hi] with two decimals.
  double Hundredths(int lo, int hi) {
    const auto span = static_cast<std::uint32_t>((hi - lo) * 100 + 1);
    return lo + Below(span) / 100.0;
  }

 private:
  std::mt19937 engine_;
};

std::string ClubName(int club) {
  const auto town = static_cast<std::size_t>(club) % kTowns.size();
  const auto suffix = static_cast<std::size_t>(club) / kTowns.size() % kSuffixes.size();
  std::string name(kTowns[town]);
  name.append(kSuffixes[suffix]);
  return name.substr(0, 15);
}

std::string_view Status(Dice& dice, bool all_selected) {
  if (all_selected) return "Selected";
  const std::uint32_t roll = dice.Below(20);
  if (roll < 9) return "yes";
  if (roll < 13) return "Selected";
  if (roll < 18) return "";
  return roll == 18 ? "UnSelected" : "Deleted";
}

std::string LastName(Dice& dice, RosterKind kind) {
  switch (kind) {
    case RosterKind::kSpreadNames:
    case RosterKind::kEqualNumbers: {
      std::string name(kLastNames[dice.Below(kLastNames.size())]);
      const std::string_view second = kTowns[dice.Below(kTowns.size())];
      name.append("-").append(second);
      name.append(1, static_cast<char>('a' + dice.Below(2)));
      return name;
    }
    case RosterKind::kFewNamesTwins:
      return std::string(kLastNames[dice.Below(38)]);
    case RosterKind::kMixed:
      break;
  }
  return std::string(kLastNames[dice.Below(kLastNames.size())]);
}

std::string_view FirstName(Dice& dice, RosterKind kind) {
  return kFirstNames[dice.Below(kind == RosterKind::kFewNamesTwins ? 39 : kFirstNames.size())];
}

std::string Line(Dice& dice, const std::vector<std::string>& clubs, bool all_selected,
                 RosterKind kind) {
  // Older wrestlers are heavier; the spread keeps every weight class populated.
  const double age = dice.Hundredths(5, 15);
  double weight = 20 + (age - 5) * 7 + dice.Hundredths(-10, 30);
  weight = std::clamp(weight, 20.0, 120.0);
  const double rating = dice.Hundredths(0, 5);
  char numbers[64];
  if (kind == RosterKind::kEqualNumbers) {
    std::snprintf(numbers, sizeof numbers, "60.00\t10.00\t2.50");
  } else {
    std::snprintf(numbers, sizeof numbers, "%.2f\t%.2f\t%.2f", weight, age, rating);
  }

  std::string line = LastName(dice, kind);
  line.append("\t").append(FirstName(dice, kind));
  line.append("\t").append(numbers);
  line.append("\t").append(clubs[dice.Below(static_cast<std::uint32_t>(clubs.size()))]);
  const std::string_view status = Status(dice, all_selected);
  if (!status.empty()) line.append("\t").append(status);
  return line;
}

}  // namespace

std::string GenerateRosterText(const RosterGeneratorOptions& options) {
  Dice dice(options.seed);
  std::vector<std::string> clubs;
  for (int c = 0; c < std::clamp(options.clubs, 1, 60); ++c) clubs.push_back(ClubName(c));

  const int n = std::max(options.wrestlers, 0);
  const double fraction = options.kind == RosterKind::kFewNamesTwins
                              ? std::clamp(options.shared_key_fraction, 0.2, 1.0)
                              : std::clamp(options.shared_key_fraction, 0.0, 1.0);
  // Each copy makes two entries share a key: one copy per two sharing entries.
  const auto copy_per_million = static_cast<std::uint32_t>(fraction * 500000);
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    const bool copy = !lines.empty() && dice.Below(1000000) < copy_per_million;
    if (copy) {
      lines.push_back(lines[dice.Below(static_cast<std::uint32_t>(lines.size()))]);
    } else {
      lines.push_back(Line(dice, clubs, options.all_selected, options.kind));
    }
  }
  std::string text;
  text.reserve(lines.size() * 48);
  for (const std::string& line : lines) text.append(line).append("\r\n");
  return text;
}

}  // namespace kestrio::bench
