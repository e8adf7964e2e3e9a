#include "ui/import_form.h"

#include <algorithm>

namespace kestrio::ui {
namespace {

// 10000 as "10,000".
std::string Count(std::size_t n) {
  std::string digits = std::to_string(n);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
    digits.insert(static_cast<std::size_t>(at), ",");
  }
  return digits;
}

std::string Rows(std::size_t n) { return Count(n) + (n == 1 ? " row" : " rows"); }

const sheets::CellRow& NoHeaders() {
  static const sheets::CellRow kNone;
  return kNone;
}

}  // namespace

ImportForm::ImportForm(std::string file_name, std::string bytes, sheets::SheetFormat format,
                       sheets::CivilDate today, sheets::DateOrder default_order,
                       MappingMemory& memory, MessagePort& messages)
    : file_name_(std::move(file_name)),
      bytes_(std::move(bytes)),
      format_(format),
      memory_(memory),
      messages_(messages) {
  settings_.event_date = today;
  settings_.date_order = default_order;
  Read(request_);
}

void ImportForm::Read(const sheets::SheetRequest& request) {
  request_ = request;
  data_ = sheets::ReadSpreadsheet(bytes_, format_, request_);
  // Later reads keep what was detected, so that a choice of sheet keeps the delimiter.
  request_.sheet = data_.sheet;
  settings_.date1904 = data_.date1904;
  settings_.header_row = sheets::GuessHeaderRow(data_.rows);
  GuessMapping();
}

void ImportForm::GuessMapping() {
  const sheets::CellRow& headers =
      settings_.header_row ? data_.rows[*settings_.header_row] : NoHeaders();
  settings_.mapping =
      settings_.header_row ? sheets::GuessMapping(headers) : sheets::PositionalMapping();
  remembered_ = false;
  const std::string key = sheets::HeaderKey(headers);
  if (!key.empty()) {
    if (const std::optional<std::string> columns = memory_.Recall(key)) {
      const sheets::ColumnsOption applied =
          sheets::ApplyColumnsOption(*columns, headers, settings_.mapping);
      if (applied.error.empty()) {
        settings_.mapping = applied.mapping;
        remembered_ = true;
      }
    }
  }
  Rebuild();
}

void ImportForm::Rebuild() {
  finding_ = sheets::FindDateOrder(data_.rows, settings_);
  if (!order_chosen_ && finding_ == sheets::DateOrderFinding::MonthFirst) {
    settings_.date_order = sheets::DateOrder::MonthFirst;
  }
  if (!order_chosen_ && finding_ == sheets::DateOrderFinding::DayFirst) {
    settings_.date_order = sheets::DateOrder::DayFirst;
  }
  lines_.clear();
  preview_.clear();
  skipped_ = 0;
  if (!data_.status.ok() || !sheets::MissingFields(settings_.mapping).empty()) return;
  lines_ = sheets::BuildRowLines(data_.rows, settings_);
  preview_ = sheets::PreviewLines(lines_, kImportPreviewRows);
  skipped_ = sheets::CountSkippedLines(lines_);
}

void ImportForm::SelectSheet(std::size_t sheet) {
  sheets::SheetRequest request = request_;
  request.sheet = sheet;
  Read(request);
}

void ImportForm::SetDelimiter(char delimiter) {
  sheets::SheetRequest request = request_;
  request.delimiter = delimiter;
  request.encoding = data_.encoding;
  Read(request);
}

void ImportForm::SetEncoding(sheets::TextEncoding encoding) {
  sheets::SheetRequest request = request_;
  request.encoding = encoding;
  request.delimiter = data_.delimiter;
  Read(request);
}

void ImportForm::SetHeaderRow(std::optional<std::size_t> row) {
  if (row && *row >= data_.rows.size()) row.reset();
  settings_.header_row = row;
  GuessMapping();
}

void ImportForm::SetColumn(sheets::RosterField field, int column) {
  for (sheets::RosterField other : sheets::kRosterFields) {
    if (column != sheets::kUnmapped && settings_.mapping[other] == column) {
      settings_.mapping[other] = sheets::kUnmapped;
    }
  }
  settings_.mapping[field] = column;
  remembered_ = false;
  Rebuild();
}

void ImportForm::SetEventDate(sheets::CivilDate date) {
  settings_.event_date = date;
  Rebuild();
}

void ImportForm::SetDateOrder(sheets::DateOrder order) {
  settings_.date_order = order;
  order_chosen_ = true;
  Rebuild();
}

void ImportForm::SetLocaleDateOrder(sheets::DateOrder order) {
  if (order_chosen_ || finding_ == sheets::DateOrderFinding::MonthFirst ||
      finding_ == sheets::DateOrderFinding::DayFirst) {
    return;
  }
  settings_.date_order = order;
  Rebuild();
}

std::vector<std::string> ImportForm::ColumnChoices() const {
  std::vector<std::string> choices = {"(none)"};
  const std::size_t columns = sheets::ColumnCount(data_.rows);
  for (std::size_t c = 0; c < columns; ++c) {
    const std::string letters = sheets::ColumnLetters(c);
    if (!settings_.header_row) {
      choices.push_back("Column " + letters);
      continue;
    }
    const sheets::Cell& header = sheets::CellAt(data_.rows, *settings_.header_row, c);
    choices.push_back(header.IsEmpty() ? "Column " + letters : letters + ": " + header.text);
  }
  return choices;
}

std::string ImportForm::Summary() const {
  if (!data_.status.ok()) return "Nothing can be loaded: " + data_.status.message() + ".";
  if (const std::string missing = sheets::MissingFields(settings_.mapping); !missing.empty()) {
    return missing;
  }
  if (lines_.empty()) return "The sheet has no rows to load.";
  if (skipped_ == 0) return "All " + Rows(lines_.size()) + " will load.";
  return Count(lines_.size() - skipped_) + " of " + Rows(lines_.size()) + " will load; " +
         Count(skipped_) + " will be skipped.";
}

std::vector<std::string> ImportForm::Warnings() const {
  std::vector<std::string> warnings = data_.notes;
  if (data_.truncated) {
    warnings.push_back("The sheet has more than " + Count(request_.limits.max_rows) +
                       " rows; only the first " + Count(request_.limits.max_rows) +
                       " can be loaded.");
  }
  if (!order_chosen_) {
    if (std::string question = sheets::DateOrderQuestion(finding_); !question.empty()) {
      warnings.push_back(question + " Choose the order of day and month.");
    }
  }
  return warnings;
}

bool ImportForm::Ask(const std::string& text) {
  Message ask;
  ask.text = text;
  ask.caption = std::string(kImportMessageCaption);
  ask.buttons = MessageButtons::YesNoCancel;
  ask.icon = MessageIcon::Question;
  return messages_.Show(ask) == MessageAnswer::Yes;
}

bool ImportForm::Ok() {
  auto refuse = [&](const std::string& text) {
    Message m;
    m.text = text;
    m.caption = std::string(kImportMessageCaption);
    m.icon = MessageIcon::Exclamation;
    messages_.Show(m);
    return false;
  };
  if (!data_.status.ok()) return refuse(file_name_ + ": " + data_.status.message());
  if (const std::string missing = sheets::MissingFields(settings_.mapping); !missing.empty()) {
    return refuse(missing);
  }
  if (!order_chosen_ && (finding_ == sheets::DateOrderFinding::Ambiguous ||
                         finding_ == sheets::DateOrderFinding::Conflicting)) {
    const sheets::DateOrder shown = settings_.date_order;
    const sheets::DateOrder other = shown == sheets::DateOrder::MonthFirst
                                        ? sheets::DateOrder::DayFirst
                                        : sheets::DateOrder::MonthFirst;
    Message ask;
    ask.text = sheets::DateOrderQuestion(finding_) + "\n\nRead them as " +
               std::string(sheets::DateOrderName(shown)) + "? (No reads them as " +
               std::string(sheets::DateOrderName(other)) + ".)";
    ask.caption = std::string(kImportMessageCaption);
    ask.buttons = MessageButtons::YesNoCancel;
    ask.icon = MessageIcon::Question;
    const MessageAnswer answer = messages_.Show(ask);
    if (answer == MessageAnswer::Cancel) return false;
    SetDateOrder(answer == MessageAnswer::Yes ? shown : other);
  }
  if (lines_.size() == skipped_) {
    return refuse(lines_.empty() ? "The sheet has no rows to load."
                                 : "None of the " + Rows(lines_.size()) + " can be loaded.");
  }
  if (data_.truncated &&
      !Ask("The sheet has more than " + Count(request_.limits.max_rows) +
           " rows.\n\nLoad the first " + Count(request_.limits.max_rows) + " only?")) {
    return false;
  }
  if (skipped_ > 0 &&
      !Ask(Count(skipped_) + " of the " + Rows(lines_.size()) +
           " cannot be read and will be skipped, each reported as it is.\n\nLoad the other " +
           Count(lines_.size() - skipped_) + "?")) {
    return false;
  }
  const sheets::CellRow& headers =
      settings_.header_row ? data_.rows[*settings_.header_row] : NoHeaders();
  if (const std::string key = sheets::HeaderKey(headers); !key.empty()) {
    memory_.Remember(key, sheets::FormatColumnsOption(settings_.mapping, headers));
  }
  accepted_ = true;
  return true;
}

bool ImportForm::Cancel() {
  accepted_ = false;
  return true;
}

}  // namespace kestrio::ui
