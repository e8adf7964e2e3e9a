#include "reports/report_line.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "base/number_text.h"

namespace kestrio::reports {
namespace {

constexpr std::size_t kPieceBytes = 1 << 20;

// fixed(w,d) of a wrestler's measure (a 32-bit real, at most three decimals, a field of
// at most 16) in one append: the digits as text::AppendFixed finds them (the measure
// times 10^d is exact in a double, rounded to the nearest, ties to even), written from
// the right into the padded field. False, writing nothing, for any other value.
bool AppendMeasure(std::string& out, double v, int w, int d) {
  static constexpr double kScale[] = {1.0, 10.0, 100.0, 1000.0};
  constexpr int kField = 16;
  if (d < 0 || d > 3 || w <= 0 || w > kField || !(std::fabs(v) < 1e9) ||
      static_cast<double>(static_cast<float>(v)) != v) {
    return false;
  }
  auto digits = static_cast<std::uint64_t>(std::nearbyint(std::fabs(v) * kScale[d]));
  char field[2 * kField];
  char* const end = field + sizeof field;
  char* at = end;
  for (int i = 0; i < d; ++i, digits /= 10) *--at = static_cast<char>('0' + digits % 10);
  *--at = '.';
  char* const point = at;
  do {
    *--at = static_cast<char>('0' + digits % 10);
    digits /= 10;
  } while (digits != 0);
  if (std::signbit(v)) *--at = '-';
  if (end - at > w && point - at == (std::signbit(v) ? 2 : 1) && point[-1] == '0') {
    // A zero integer part is dropped when the field has no room for it (".50", "-.50").
    point[-1] = at[0];
    ++at;
  }
  if (end - at > w) {
    out.append(static_cast<std::size_t>(w), '*');
    return true;
  }
  while (end - at < w) *--at = ' ';
  out.append(at, static_cast<std::size_t>(w));
  return true;
}

// int(w) in full, in one append: the digits written from the right into the padded
// field.
void AppendWholeNumber(std::string& out, std::int64_t v, int w) {
  char field[48];
  char* const end = field + sizeof field;
  char* at = end;
  // The magnitude as unsigned, so that the most negative number has one too.
  std::uint64_t digits = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
  do {
    *--at = static_cast<char>('0' + digits % 10);
    digits /= 10;
  } while (digits != 0);
  if (v < 0) *--at = '-';
  const int width = std::min(w, static_cast<int>(sizeof field));
  while (end - at < width) *--at = ' ';
  if (w > width) out.append(static_cast<std::size_t>(w - width), ' ');
  out.append(at, static_cast<std::size_t>(end - at));
}

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
  AppendWholeNumber(out_, v, w);
  return *this;
}

ReportText& ReportText::Fixed(double v, int w, int d) {
  FlushBlanks();
  if (!AppendMeasure(out_, v, w, d)) text::AppendFixed(out_, v, w, d);
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
