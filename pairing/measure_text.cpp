#include "pairing/measure_text.h"

#include "base/number_text.h"

namespace kestrio::pairing {

std::optional<Measure> ReadMeasure(std::string_view text) {
  const auto both = text::ReadFloatAndDouble(text);
  if (!both) return std::nullopt;
  return Measure{both->first, both->second};
}

}  // namespace kestrio::pairing
