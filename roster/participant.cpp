#include "roster/participant.h"

#include <array>

namespace kestrio::roster {

std::string_view ColumnCaption(int column_id) {
  static constexpr std::array<std::string_view, kSortKeyColumns> kCaptions = {
      "Last Name", "First Name", "Weight", "Age", "Rating", "Club", "Status", "Weight Class",
  };
  if (column_id < 1 || column_id > kSortKeyColumns) return {};
  return kCaptions[static_cast<std::size_t>(column_id - 1)];
}

bool HasStatus(const Participant& p, std::string_view value) {
  return p.Status.WithoutBlanks() == value;
}

void SetStatus(Participant& p, std::string_view value) { p.Status.Assign(value); }

}  // namespace kestrio::roster
