#include "reports/report_line.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "base/number_text.h"

namespace kestrio::reports {
namespace {

void AppendRightAligned(std::string& out, std::string_view s, int w) {
  if (static_cast<int>(s.size()) > w) {
    out.append(static_cast<std::size_t>(w), '*');
    return;
  }
  out.append(static_cast<std::size_t>(w) - s.size(), ' ');
  out.append(s);
}

// fixed(w,d) of a 32-bit real without going through printf. A float times 10^d (d <= 3)
// is exact in a double, so rounding that product to the nearest integer, ties to even,
// gives the digits printf gives; the sign is printf's too ("-0.00" for a small negative).
// Returns false when the value is outside this fast path.
bool AppendFixedFloat(std::string& out, double v, int w, int d) {
  static constexpr double kScale[] = {1.0, 10.0, 100.0, 1000.0};
  if (d < 0 || d > 3 || !std::isfinite(v) || static_cast<double>(static_cast<float>(v)) != v ||
      std::fabs(v) >= 1e12) {
    return false;
  }
  const double scaled = std::nearbyint(std::fabs(v) * kScale[d]);
  char digits[32];
  auto [end, ec] =
      std::to_chars(digits, digits + sizeof digits, static_cast<std::uint64_t>(scaled));
  if (ec != std::errc()) return false;
  std::string_view all(digits, static_cast<std::size_t>(end - digits));
  char buffer[40];
  std::size_t n = 0;
  if (std::signbit(v)) buffer[n++] = '-';
  const std::size_t d_size = static_cast<std::size_t>(d);
  if (all.size() <= d_size) {
    buffer[n++] = '0';
    buffer[n++] = '.';
    for (std::size_t i = all.size(); i < d_size; ++i) buffer[n++] = '0';
    for (char c : all) buffer[n++] = c;
  } else {
    for (char c : all.substr(0, all.size() - d_size)) buffer[n++] = c;
    buffer[n++] = '.';
    for (char c : all.substr(all.size() - d_size)) buffer[n++] = c;
  }
  std::string_view s(buffer, n);
  // A zero integer part is dropped when the field has no room for it: "0.50" -> ".50".
  if (static_cast<int>(s.size()) > w) {
    if (s.substr(0, 2) == "0.") {
      s.remove_prefix(1);
    } else if (s.substr(0, 3) == "-0.") {
      buffer[1] = '-';
      s = std::string_view(buffer + 1, n - 1);
    }
  }
  AppendRightAligned(out, s, w);
  return true;
}

}  // namespace

void ReportText::FlushBlanks() {
  out_.append(static_cast<std::size_t>(pending_blanks_), ' ');
  pending_blanks_ = 0;
}

ReportText& ReportText::Literal(std::string_view s) {
  FlushBlanks();
  out_.append(s);
  return *this;
}

ReportText& ReportText::Blanks(int n) {
  if (n > 0) pending_blanks_ += n;
  return *this;
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
  if (w <= 0) return *this;
  char buffer[24];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
  AppendRightAligned(out_, std::string_view(buffer, static_cast<std::size_t>(end - buffer)), w);
  return *this;
}

ReportText& ReportText::Fixed(double v, int w, int d) {
  FlushBlanks();
  if (w > 0 && !AppendFixedFloat(out_, v, w, d)) out_.append(text::FormatFixed(v, w, d));
  return *this;
}

ReportText& ReportText::EndLine() {
  // Separator blanks at the end of a line are never written.
  pending_blanks_ = 0;
  out_.append("\r\n");
  return *this;
}

}  // namespace kestrio::reports
