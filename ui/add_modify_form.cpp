#include "ui/add_modify_form.h"

#include <algorithm>

#include "base/number_text.h"
#include "roster/line_parser.h"
#include "roster/roster_reader.h"
#include "roster/sort_display_order.h"
#include "ui/selection.h"

namespace kestrio::ui {

namespace {

constexpr std::size_t kLineWidth = 512;

// A field as the dialog reads it: cut to its width, control characters as blanks.
std::string FieldText(const std::string& typed, int width) {
  std::string s = typed.substr(0, std::min(typed.size(), static_cast<std::size_t>(width)));
  text::ControlsToBlanks(s);
  return s;
}

// A number field: read as a real; zero or unreadable is refused, and so is a number
// that does not fit the five characters the line gives it (the parser would reject it).
bool NumberField(const std::string& typed, int width, std::string* carried) {
  const std::optional<float> v = text::ReadFloat(FieldText(typed, width));
  if (!v || *v == 0) return false;
  *carried = text::FormatFixed(*v, 5, 1);
  return carried->find('*') == std::string::npos;
}

// Remembers the parser's complaint, for the rare line it rejects after validation.
class LastDiagnostic : public roster::DiagnosticSink {
 public:
  void Diagnostic(std::string_view text, std::string_view) override { text_ = text; }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

}  // namespace

// The highlighted rows and the index that finds their entries.
class AddModifyForm::Rows {
 public:
  Rows(std::vector<ListRow> highlighted, const roster::Roster& roster)
      : cells(std::move(highlighted)), index(roster) {}
  std::vector<ListRow> cells;
  EntryIndex index;
};

AddModifyForm::AddModifyForm(AddModifyMode mode, roster::Roster& roster,
                             std::vector<ListRow> highlighted, std::function<void()> refresh_views)
    : mode_(mode), roster_(roster), refresh_views_(std::move(refresh_views)) {
  if (mode == AddModifyMode::Add) {
    message = "Add New Entry";
    return;
  }
  rows_ = std::make_unique<Rows>(std::move(highlighted), roster);
  current_row_ = 0;
  if (LoadNextRow()) {
    message = "Modify Entry";
  } else {
    message = "No Data Selected: Add New Entries or Cancel";
  }
}

AddModifyForm::~AddModifyForm() = default;

bool AddModifyForm::LoadNextRow() {
  for (; current_row_ < rows_->cells.size(); ++current_row_) {
    const std::vector<int>& found = rows_->index.Find(rows_->cells[current_row_]);
    if (found.empty()) continue;  // the row no longer describes any entry
    current_entry_ = found.front();
    const roster::Participant& entry = roster_.Entries[static_cast<std::size_t>(current_entry_)];
    surname = std::string(entry.LastName.WithoutBlanks());
    first_name = std::string(entry.FirstName.WithoutBlanks());
    weight = std::string(entry.Weight.WithoutBlanks());
    age = std::string(entry.Age.WithoutBlanks());
    rating = std::string(entry.Rating.WithoutBlanks());
    club = std::string(entry.Club.WithoutBlanks());
    // The choice starts at Selected whatever the entry's status is.
    selected = true;
    return true;
  }
  current_entry_ = -1;
  return false;
}

bool AddModifyForm::Done() { return Confirm(false); }
bool AddModifyForm::Next() { return Confirm(true); }
bool AddModifyForm::Cancel() { return true; }

bool AddModifyForm::BuildLine(std::string* line) {
  const std::string status = selected ? std::string(roster::ParticipantStatus::Selected) : "";
  const std::string last = FieldText(surname, kSurnameWidth);
  const std::string first = FieldText(first_name, kFirstNameWidth);
  const std::string team = FieldText(club, kClubWidth);
  std::string w, a, r;
  if (text::WithoutBlanks(last).empty()) {
    message = "Blank Field: Please Enter Surname";
  } else if (text::WithoutBlanks(first).empty()) {
    message = "Blank Field: Please Enter FirstName";
  } else if (!NumberField(weight, kWeightWidth, &w)) {
    message = "Invalid Weight: Please Correct";
  } else if (!NumberField(age, kAgeWidth, &a)) {
    message = "Invalid Age: Please Correct";
  } else if (!NumberField(rating, kRatingWidth, &r)) {
    message = "Invalid Rating: Please Correct";
  } else if (text::WithoutBlanks(team).empty()) {
    message = "Blank Field: Please Enter Club";
  } else {
    std::string joined;
    for (std::string_view field :
         {std::string_view(last), std::string_view(first), std::string_view(w), std::string_view(a),
          std::string_view(r), std::string_view(team)}) {
      joined += text::WithoutBlanks(field);
      joined += '\t';
    }
    joined += status;
    *line = text::PadRight(joined, kLineWidth);
    return true;
  }
  return false;
}

bool AddModifyForm::Confirm(bool next) {
  if (mode_ == AddModifyMode::Modify && current_entry_ < 0) return true;  // nothing to change
  std::string line;
  if (!BuildLine(&line)) return false;
  return mode_ == AddModifyMode::Add ? ConfirmAdd(line, next) : ConfirmModify(line, next);
}

bool AddModifyForm::ConfirmAdd(const std::string& line, bool next) {
  LastDiagnostic diagnostic;
  if (roster::AddEntryFromLine(line, roster_, diagnostic) != 0) {
    message = diagnostic.text();
    return false;
  }
  refresh_views_();
  if (!next) return true;
  message = "Add Next Entry";
  surname.clear();
  first_name.clear();
  weight.clear();
  age.clear();
  rating.clear();
  return false;
}

bool AddModifyForm::ConfirmModify(const std::string& line, bool next) {
  roster::Participant parsed;
  LastDiagnostic diagnostic;
  if (roster::WInfoParseDataLine(line, parsed, diagnostic) != 0) {
    message = diagnostic.text();
    return false;
  }
  roster::Participant& entry = roster_.Entries[static_cast<std::size_t>(current_entry_)];
  const std::string old_key = EntryIndex::EntryKey(entry);
  entry.FirstName = parsed.FirstName;
  entry.LastName = parsed.LastName;
  entry.Weight = parsed.Weight;
  entry.Age = parsed.Age;
  entry.Rating = parsed.Rating;
  entry.Club = parsed.Club;
  entry.Status = parsed.Status;
  entry.AgeYears = parsed.AgeYears;
  entry.WeightClass = parsed.WeightClass;
  rows_->index.Update(current_entry_, old_key);

  ++current_row_;
  if (next && LoadNextRow()) {
    message = "Modifying Next Entry";
    return false;
  }
  roster::SortDisplayOrder(roster_);
  refresh_views_();
  return true;
}

}  // namespace kestrio::ui
