#pragma once

// Reading a wrestler's Weight, Age or Rating text for a pairing run: as the 32-bit real
// the bouts and reports show and as the 64-bit real the fit is computed from, each
// rounded once from the decimal text by text::ReadFloat and text::ReadDouble.

#include <optional>
#include <string_view>

namespace kestrio::pairing {

struct Measure {
  float Shown = 0;
  double Exact = 0;
};

// Empty when the text is not a number (see text::NumberToken).
std::optional<Measure> ReadMeasure(std::string_view text);

}  // namespace kestrio::pairing
