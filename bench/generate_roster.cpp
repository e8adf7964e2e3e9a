// generate_roster N [seed] [clubs] > file
//
// Writes a realistic roster text of N wrestlers to standard output, for the pairing and
// batch scaling measurements.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/roster_generator.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::fprintf(stderr, "usage: generate_roster N [seed] [clubs] > file\n");
    return 2;
  }
  kestrio::bench::RosterGeneratorOptions options;
  options.wrestlers = std::atoi(argv[1]);
  if (argc > 2) options.seed = static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10));
  if (argc > 3) options.clubs = std::atoi(argv[3]);
  if (options.wrestlers < 0) {
    std::fprintf(stderr, "generate_roster: N must not be negative\n");
    return 2;
  }
  const std::string text = kestrio::bench::GenerateRosterText(options);
  return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() ? 0 : 1;
}
