#pragma once

// Every selected wrestler's columns as the reports show them, made once in a run. The bout
// sheets, the results summary, the club reports and the bout-number report all show a
// wrestler's surname, given name and club cut to their columns and his weight, age and
// rating written fixed-point, each report in its own order and separators, in every bout
// and block of his. Made once and laid out side by side, they are copied rather than
// formatted again by each report.

#include <cstddef>
#include <string_view>
#include <vector>

#include "base/prefetch.h"
#include "pairing/pairing_run.h"

namespace kestrio::reports {

class WrestlerColumns {
 public:
  // A wrestler's texts as the club reports end his own line and every opponent line that
  // shows him: blank, given name(15), 2 blanks, surname(15), 2 blanks, club(5), 2 blanks,
  // weight fixed(5,1), 2 blanks, age fixed(4,0), 2 blanks, rating fixed(5,2). A row fills
  // one cache line: a report reads the rows of a bout's two wrestlers at random.
  static constexpr std::size_t kSize = 60;
  struct alignas(64) Row {
    char text[kSize];
    bool made = false;
    // The surname, given name or club as shown holds a comma.
    bool comma = false;

    std::string_view ClubColumns() const { return {text, kSize}; }
  };
  // Where each text starts in a row, and its width.
  static constexpr std::size_t kGivenNameAt = 1;
  static constexpr std::size_t kSurnameAt = 18;
  static constexpr std::size_t kNameWidth = 15;
  static constexpr std::size_t kClubAt = 35;
  static constexpr std::size_t kClubWidth = 5;
  static constexpr std::size_t kWeightAt = 42;  // then the age at 49 and the rating at 55
  static constexpr std::size_t kAgeAt = 49;
  static constexpr std::size_t kRatingAt = 55;

  // The table of run's selection, which must outlive it. all: every row is made now, in
  // selection order (every report will be written in full); otherwise each row when it is
  // first asked for (a writing whose blocks a memo mostly keeps).
  WrestlerColumns(const pairing::PairingRun& run, bool all);

  // The row of wrestler p (a selection index of the run), made when first asked for.
  const Row& Of(std::size_t p) {
    const Row& row = rows_[p];
    if (!row.made) Make(p);
    return row;
  }
  // Asks for wrestler p's row ahead of its use.
  void Prefetch(std::size_t p) const { kestrio::Prefetch(&rows_[p]); }

  // True when side e of the run's bouts (an index of its BoutList) carries its wrestler
  // as the selection holds him, as a run's sides always do, so that the side shows his
  // row. Worked out for every side when first asked for, once for all the reports that
  // show the side.
  bool ShowsRow(std::size_t e) {
    if (!sides_known_) KnowSides();
    return shows_row_[e] != 0;
  }

  // The results summary's narrower measures of wrestler p: age fixed(3,0) into 3
  // characters at age and rating fixed(4,2) into 4 at rating.
  void PutNarrowMeasures(std::size_t p, char* age, char* rating);

 private:
  void Make(std::size_t p);
  void KnowSides();

  const pairing::PairingRun& run_;
  std::vector<Row> rows_;
  bool sides_known_ = false;
  std::vector<unsigned char> shows_row_;  // by side
};

}  // namespace kestrio::reports
