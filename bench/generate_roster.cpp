// generate_roster N [seed] [clubs] [mixed|spread|twins|equal] > file
//
// Writes a realistic roster text of N wrestlers to standard output, for the pairing and
// batch scaling measurements. The last word chooses the kind of roster (see RosterKind):
// the benchmarks' mix, names spread wide, few names with many exact twins, or everyone
// the same weight, age and rating.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "bench/roster_generator.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 5) {
    std::fprintf(stderr, "usage: generate_roster N [seed] [clubs] [mixed|spread|twins|equal]\n");
    return 2;
  }
  kestrio::bench::RosterGeneratorOptions options;
  options.wrestlers = std::atoi(argv[1]);
  if (argc > 2) options.seed = static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10));
  if (argc > 3) options.clubs = std::atoi(argv[3]);
  if (argc > 4) {
    using kestrio::bench::RosterKind;
    const std::string_view kind = argv[4];
    if (kind == "mixed") {
      options.kind = RosterKind::kMixed;
    } else if (kind == "spread") {
      options.kind = RosterKind::kSpreadNames;
    } else if (kind == "twins") {
      options.kind = RosterKind::kFewNamesTwins;
    } else if (kind == "equal") {
      options.kind = RosterKind::kEqualNumbers;
    } else {
      std::fprintf(stderr, "generate_roster: unknown kind of roster \"%s\"\n", argv[4]);
      return 2;
    }
  }
  if (options.wrestlers < 0) {
    std::fprintf(stderr, "generate_roster: N must not be negative\n");
    return 2;
  }
  const std::string text = kestrio::bench::GenerateRosterText(options);
  return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() ? 0 : 1;
}
