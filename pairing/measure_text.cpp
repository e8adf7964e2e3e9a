#include "pairing/measure_text.h"

#include "base/number_text.h"

namespace kestrio::pairing {

std::optional<Measure> ReadMeasure(std::string_view text) {
  // The readers take the roster's own two-decimal texts on their fast path.
  const std::optional<float> shown = text::ReadFloat(text);
  if (!shown) return std::nullopt;
  const std::optional<double> exact = text::ReadDouble(text);
  if (!exact) return std::nullopt;
  return Measure{*shown, *exact};
}

}  // namespace kestrio::pairing
