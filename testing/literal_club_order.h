#pragma once

// The club reports' orders done literally, as the references the fast orders are held
// to: the walk from club to next greater club, and the exchange sort of the wrestlers by
// name, age, weight and rating. Both compare texts by their own plain loop, independent
// of the product's comparison.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pairing/pairing_run.h"

namespace kestrio::testing {

// Texts without leading and trailing blanks, byte by byte (unsigned), the shorter one
// padded with blanks. Returns <0, 0 or >0.
int CompareTexts(std::string_view a, std::string_view b);

// The club that follows previous in ascending order among the clubs of the selected
// wrestlers (as stored for the first wrestler that has it), or nothing. Starting from a
// blank club and feeding each result back visits every club once.
std::optional<std::string> NextClub(const pairing::PairingRun& run, std::string_view previous);

// Selection indices put in order by surname, given name, age, weight and rating with
// the literal exchange sort, starting from selection order.
std::vector<int> AlphaIndexByExchange(const pairing::PairingRun& run);

}  // namespace kestrio::testing
