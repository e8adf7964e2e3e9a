#include "roster/sort_key.h"

#include <cstring>
#include <string_view>

namespace kestrio::roster {
namespace {

// Writes key pieces one after the other into a blank key.
class KeyWriter {
 public:
  explicit KeyWriter(SortKey& key) : out_(key.data()) { key.Clear(); }

  // The field left-adjusted in its own width.
  template <std::size_t N>
  KeyWriter& Left(const FixedText<N>& field) {
    const std::string_view text = field.WithoutBlanks();
    std::memcpy(out_ + used_, text.data(), text.size());
    used_ += N;
    return *this;
  }

  // The field right-adjusted in its own width (trailing blanks moved to the front).
  template <std::size_t N>
  KeyWriter& Right(const FixedText<N>& field) {
    const std::string_view text = field.Trimmed();
    std::memcpy(out_ + used_ + (N - text.size()), text.data(), text.size());
    used_ += N;
    return *this;
  }

 private:
  char* out_;
  std::size_t used_ = 0;
};

}  // namespace

void BuildSortKey(int& column, const Participant& p, SortKey& key) {
  if (column == 0) {
    column = kSortKeyColumns;
    return;
  }
  if (column < 1 || column > kSortKeyColumns) return;
  KeyWriter w(key);
  switch (static_cast<ColumnId>(column)) {
    case ColumnId::LastName:
      w.Left(p.LastName).Left(p.FirstName).Left(p.Club).Right(p.Weight).Right(p.Age);
      w.Right(p.Rating).Left(p.Status);
      break;
    case ColumnId::FirstName:
      w.Left(p.FirstName).Left(p.LastName).Left(p.Club).Right(p.Weight).Right(p.Age);
      w.Right(p.Rating).Left(p.Status);
      break;
    case ColumnId::Weight:
      w.Right(p.Weight).Right(p.Age).Right(p.Rating).Left(p.Club).Left(p.LastName);
      w.Left(p.Status);
      break;
    case ColumnId::Age:
      w.Right(p.Age).Right(p.Weight).Right(p.Rating).Left(p.Club).Left(p.LastName);
      w.Left(p.Status);
      break;
    case ColumnId::Rating:
      w.Right(p.Rating).Right(p.Weight).Right(p.Age).Left(p.Club).Left(p.LastName);
      w.Left(p.Status);
      break;
    case ColumnId::Club:
      w.Left(p.Club).Right(p.Weight).Right(p.Age).Right(p.Rating).Left(p.LastName);
      w.Left(p.Status);
      break;
    case ColumnId::Status:
      w.Left(p.Status).Right(p.Weight).Right(p.Age).Right(p.Rating).Left(p.LastName);
      break;
    case ColumnId::WeightClass:
      w.Right(p.Weight).Right(p.Age).Right(p.Rating).Left(p.Weight).Left(p.Club);
      w.Left(p.LastName).Left(p.Status);
      break;
  }
}

}  // namespace kestrio::roster
