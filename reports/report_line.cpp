#include "reports/report_line.h"

#include <algorithm>
#include <cstdint>

#include "base/number_text.h"

namespace kestrio::reports {
namespace {

constexpr std::size_t kPieceBytes = 1 << 20;

}  // namespace

ReportText::ReportText(const FileSystem::TextPieces& pieces) : pieces_(&pieces) {
  out_.reserve(kPieceBytes + 4096);
}

void ReportText::Reserve(std::size_t n) {
  if (pieces_ == nullptr) out_.reserve(n);
}

void ReportText::Finish() {
  if (pieces_ == nullptr || out_.empty()) return;
  (*pieces_)(out_);
  out_.clear();
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
  if (pieces_ != nullptr && out_.size() >= kPieceBytes) Finish();
  return *this;
}

ReportText& ReportText::Lines(std::string_view lines) {
  // At a line start no separator blanks are held back.
  pending_blanks_ = 0;
  if (pieces_ != nullptr && lines.size() >= kPieceBytes) {
    // Handed on as they stand rather than copied: the piece would only grow to hold them.
    Finish();
    (*pieces_)(lines);
    return *this;
  }
  out_.append(lines);
  if (pieces_ != nullptr && out_.size() >= kPieceBytes) Finish();
  return *this;
}

}  // namespace kestrio::reports
