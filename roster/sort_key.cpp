#include "roster/sort_key.h"

#include <cstring>
#include <string_view>

namespace kestrio::roster {
namespace {

// The texts a key is made of, trimmed once per entry rather than once per key.
struct KeyFields {
  explicit KeyFields(const Participant& p)
      : last_name(p.LastName.WithoutBlanks()),
        first_name(p.FirstName.WithoutBlanks()),
        club(p.Club.WithoutBlanks()),
        status(p.Status.WithoutBlanks()),
        weight_left(p.Weight.WithoutBlanks()),
        weight(p.Weight.Trimmed()),
        age(p.Age.Trimmed()),
        rating(p.Rating.Trimmed()) {}

  // Left-adjusted texts: without their leading and trailing blanks.
  std::string_view last_name, first_name, club, status, weight_left;
  // Right-adjusted numbers: without their trailing blanks.
  std::string_view weight, age, rating;
};

// Writes key pieces one after the other into a blank key.
class KeyWriter {
 public:
  explicit KeyWriter(SortKey& key) : out_(key.data()) { key.Clear(); }

  // A text left-adjusted in a piece of the given width.
  KeyWriter& Left(std::string_view text, std::size_t width) {
    // A blank field is an empty view whose data may be null: nothing to copy.
    if (!text.empty()) std::memcpy(out_ + used_, text.data(), text.size());
    used_ += width;
    return *this;
  }

  // A text right-adjusted in a piece of the given width.
  KeyWriter& Right(std::string_view text, std::size_t width) {
    if (!text.empty()) std::memcpy(out_ + used_ + (width - text.size()), text.data(), text.size());
    used_ += width;
    return *this;
  }

 private:
  char* out_;
  std::size_t used_ = 0;
};

void BuildKey(int column, const KeyFields& f, SortKey& key) {
  KeyWriter w(key);
  switch (static_cast<ColumnId>(column)) {
    case ColumnId::LastName:
      w.Left(f.last_name, 40).Left(f.first_name, 40).Left(f.club, 15).Right(f.weight, 10);
      w.Right(f.age, 10).Right(f.rating, 10).Left(f.status, 15);
      break;
    case ColumnId::FirstName:
      w.Left(f.first_name, 40).Left(f.last_name, 40).Left(f.club, 15).Right(f.weight, 10);
      w.Right(f.age, 10).Right(f.rating, 10).Left(f.status, 15);
      break;
    case ColumnId::Weight:
      w.Right(f.weight, 10).Right(f.age, 10).Right(f.rating, 10).Left(f.club, 15);
      w.Left(f.last_name, 40).Left(f.status, 15);
      break;
    case ColumnId::Age:
      w.Right(f.age, 10).Right(f.weight, 10).Right(f.rating, 10).Left(f.club, 15);
      w.Left(f.last_name, 40).Left(f.status, 15);
      break;
    case ColumnId::Rating:
      w.Right(f.rating, 10).Right(f.weight, 10).Right(f.age, 10).Left(f.club, 15);
      w.Left(f.last_name, 40).Left(f.status, 15);
      break;
    case ColumnId::Club:
      w.Left(f.club, 15).Right(f.weight, 10).Right(f.age, 10).Right(f.rating, 10);
      w.Left(f.last_name, 40).Left(f.status, 15);
      break;
    case ColumnId::Status:
      w.Left(f.status, 15).Right(f.weight, 10).Right(f.age, 10).Right(f.rating, 10);
      w.Left(f.last_name, 40);
      break;
    case ColumnId::WeightClass:
      w.Right(f.weight, 10).Right(f.age, 10).Right(f.rating, 10).Left(f.weight_left, 10);
      w.Left(f.club, 15).Left(f.last_name, 40).Left(f.status, 15);
      break;
  }
}

}  // namespace

void BuildSortKey(int& column, const Participant& p, SortKey& key) {
  if (column == 0) {
    column = kSortKeyColumns;
    return;
  }
  if (column < 1 || column > kSortKeyColumns) return;
  BuildKey(column, KeyFields(p), key);
}

void BuildAllSortKeys(const Participant& p, std::array<SortKey, kSortKeyColumns>& keys) {
  const KeyFields fields(p);
  for (int c = 1; c <= kSortKeyColumns; ++c) {
    BuildKey(c, fields, keys[static_cast<std::size_t>(c - 1)]);
  }
}

}  // namespace kestrio::roster
