#include "reports/report_line.h"

#include "roster/fixed_text.h"
#include "roster/number_text.h"

namespace kestrio::reports {

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
  return Literal(text::PadLeft(s, static_cast<std::size_t>(w)));
}

ReportText& ReportText::Word(std::string_view s, int w) {
  return Literal(text::PadRight(s, static_cast<std::size_t>(w)));
}

ReportText& ReportText::Int(std::int64_t v, int w) { return Literal(text::FormatInt(v, w)); }

ReportText& ReportText::Fixed(double v, int w, int d) {
  return Literal(text::FormatFixed(v, w, d));
}

ReportText& ReportText::EndLine() {
  // Separator blanks at the end of a line are never written.
  pending_blanks_ = 0;
  out_.append("\r\n");
  return *this;
}

}  // namespace kestrio::reports
