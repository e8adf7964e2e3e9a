#pragma once

// The line notation every report is written in: literals, blanks(n), text(w), int(w)
// and fixed(w,d), each line ended by CR LF.
//
// Numbers are right-justified. A whole number wider than its field (a count, a bout
// number, a round: the program made it) is written in full, widening its line, because
// a mail merge or an organiser needs the number itself; a fixed-point one (a wrestler's
// weight, age or rating as entered) comes out as w asterisks. A text
// shorter than its field is right-justified; a longer one is cut to its first w
// characters. Blanks are held back until something follows them on the same line, so a
// line never ends in separator blanks.

#include <cstdint>
#include <string>
#include <string_view>

#include "base/file_system.h"

namespace kestrio::reports {

class ReportText {
 public:
  // The whole text is kept, for Take.
  ReportText() = default;
  // The text goes to the taker a line end at a time, in pieces of about a quarter of a
  // megabyte, as it is written, and Finish hands over the rest: a report of any length
  // is never held whole.
  explicit ReportText(TextTaker& taker);

  // A literal, written character for character.
  ReportText& Literal(std::string_view s) {
    FlushBlanks();
    out_.append(s);
    return *this;
  }
  // n blanks, written only when something follows on the same line.
  ReportText& Blanks(int n) {
    if (n > 0) pending_blanks_ += n;
    return *this;
  }
  // text(w).
  ReportText& Text(std::string_view s, int w);
  // A header word placed left-aligned in a buffer of exactly w characters, then text(w):
  // padded with blanks on the right.
  ReportText& Word(std::string_view s, int w);
  // int(w), as text::AppendIntInFull writes it: in full when wider than w.
  ReportText& Int(std::int64_t v, int w);
  // fixed(w,d), as text::FormatFixed writes it, from the value as stored (a 32-bit
  // real widens exactly).
  ReportText& Fixed(double v, int w, int d);
  // fixed(w,d) of a figure the program computed (a fit), in full when wider than w.
  ReportText& FixedInFull(double v, int w, int d);
  // Ends the line (an empty line when nothing was written on it).
  ReportText& EndLine();
  // Whole lines, each ended by CR LF, written as they stand at the start of a line.
  ReportText& Lines(std::string_view lines);

  // Makes room for n characters, so that a long report is not copied as it grows (for
  // a text that goes to pieces, room for one piece at most).
  void Reserve(std::size_t n);

  // The text written since the last piece was handed over (the whole text without pieces).
  const std::string& str() const { return out_; }
  // Starts again from an empty text (without pieces), keeping the room.
  void Clear() {
    out_.clear();
    pending_blanks_ = 0;
  }
  // Hands over the text written so far.
  std::string Take() { return std::move(out_); }
  // Hands the rest of the text to the pieces (nothing without pieces).
  void Finish();

 private:
  // Called for every field of every line: inline, and nothing to do for most.
  void FlushBlanks() {
    if (pending_blanks_ == 0) return;
    out_.append(static_cast<std::size_t>(pending_blanks_), ' ');
    pending_blanks_ = 0;
  }

  TextTaker* taker_ = nullptr;
  std::string out_;
  int pending_blanks_ = 0;
};

}  // namespace kestrio::reports
