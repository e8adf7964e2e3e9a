#pragma once

// The values a wrestler's weight, age and rating usually take. The roster accepts any
// number its grammar reads; these ranges only decide when the program asks the organiser
// whether a typed value is meant.

#include <string_view>

namespace kestrio::roster {

struct PlausibleRange {
  std::string_view field;  // as the Add/Modify dialog labels it
  double low = 0;
  double high = 0;
  constexpr bool Contains(double v) const { return v >= low && v <= high; }
};

inline constexpr PlausibleRange kPlausibleWeight{"Weight", 10, 200};
inline constexpr PlausibleRange kPlausibleAge{"Age", 3, 20};
inline constexpr PlausibleRange kPlausibleRating{"Rating", 0, 10};

}  // namespace kestrio::roster
