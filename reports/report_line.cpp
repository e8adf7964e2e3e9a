#include "reports/report_line.h"

#include <algorithm>
#include <cstdint>

#include "base/number_text.h"

namespace kestrio::reports {
namespace {

constexpr std::size_t kPieceBytes = 256 * 1024;
// Room for the line that takes a piece past its size.
constexpr std::size_t kPieceRoom = kPieceBytes + 4096;

}  // namespace

ReportText::ReportText(TextTaker& taker) : taker_(&taker) { out_.reserve(kPieceRoom); }

void ReportText::Reserve(std::size_t n) {
  if (taker_ == nullptr) out_.reserve(n);
}

void ReportText::Finish() {
  if (taker_ == nullptr || out_.empty()) return;
  taker_->Take(out_);
  if (out_.capacity() < kPieceRoom) out_.reserve(kPieceRoom);
}

ReportText& ReportText::Text(std::string_view s, int w) {
  FlushBlanks();
  const auto width = static_cast<std::size_t>(std::max(w, 0));
  if (s.size() >= width) {
    out_.append(s.substr(0, width));
  } else {
    out_.append(width - s.size(), ' ');
    out_.append(s);
  }
  return *this;
}

ReportText& ReportText::Word(std::string_view s, int w) {
  FlushBlanks();
  const auto width = static_cast<std::size_t>(std::max(w, 0));
  out_.append(s.substr(0, width));
  out_.append(width - std::min(width, s.size()), ' ');
  return *this;
}

ReportText& ReportText::Int(std::int64_t v, int w) {
  FlushBlanks();
  text::AppendIntInFull(out_, v, w);
  return *this;
}

ReportText& ReportText::Fixed(double v, int w, int d) {
  FlushBlanks();
  text::AppendFixed(out_, v, w, d);
  return *this;
}

ReportText& ReportText::FixedInFull(double v, int w, int d) {
  FlushBlanks();
  text::AppendFixedInFull(out_, v, w, d);
  return *this;
}

ReportText& ReportText::EndLine() {
  // Separator blanks at the end of a line are never written.
  pending_blanks_ = 0;
  out_.append("\r\n");
  if (taker_ != nullptr && out_.size() >= kPieceBytes) Finish();
  return *this;
}

ReportText& ReportText::Lines(std::string_view lines) {
  // At a line start no separator blanks are held back.
  pending_blanks_ = 0;
  if (taker_ == nullptr) {
    out_.append(lines);
    return *this;
  }
  // Piece by piece, so that a long text never makes a piece of its size.
  while (!lines.empty()) {
    if (out_.size() >= kPieceBytes) Finish();
    const std::size_t cut = std::min(lines.size(), kPieceBytes - out_.size());
    out_.append(lines.substr(0, cut));
    lines.remove_prefix(cut);
  }
  if (out_.size() >= kPieceBytes) Finish();
  return *this;
}

}  // namespace kestrio::reports
