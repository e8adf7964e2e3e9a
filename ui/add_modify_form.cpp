#include "ui/add_modify_form.h"

#include <algorithm>

#include "base/number_text.h"
#include "roster/line_parser.h"
#include "roster/plausible_values.h"
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
// exact: the text to carry instead of the one-decimal form (a value left as loaded).
bool NumberField(const std::string& typed, int width, const std::string* exact,
                 std::string* carried) {
  const std::optional<float> v = text::ReadFloat(FieldText(typed, width));
  if (!v || *v == 0) return false;
  if (exact != nullptr) {
    *carried = *exact;
    return true;
  }
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
                             std::vector<ListRow> highlighted, std::function<void()> refresh_views,
                             MessagePort& messages)
    : mode_(mode), roster_(roster), refresh_views_(std::move(refresh_views)), messages_(messages) {
  if (mode == AddModifyMode::Add) {
    message = "Add New Entry";
    focus_ = AddModifyField::Surname;
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
    const std::vector<int> found = rows_->index.Find(rows_->cells[current_row_]);
    if (found.empty()) continue;  // the row no longer describes any entry
    current_entry_ = found.front();
    const roster::Participant& entry = roster_.Entries[static_cast<std::size_t>(current_entry_)];
    surname = std::string(entry.LastName.WithoutBlanks());
    first_name = std::string(entry.FirstName.WithoutBlanks());
    // Every number with the two decimals the roster holds.
    weight = loaded_weight_ = std::string(entry.Weight.WithoutBlanks());
    age = loaded_age_ = std::string(entry.Age.WithoutBlanks());
    rating = loaded_rating_ = std::string(entry.Rating.WithoutBlanks());
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

bool AddModifyForm::Untouched(const std::string& typed, const std::string& loaded) const {
  return mode_ == AddModifyMode::Modify && current_entry_ >= 0 &&
         text::WithoutBlanks(typed) == loaded;
}

bool AddModifyForm::BuildLine(std::string* line) {
  const std::string status = selected ? std::string(roster::ParticipantStatus::Selected) : "";
  const std::string last = FieldText(surname, kSurnameWidth);
  const std::string first = FieldText(first_name, kFirstNameWidth);
  const std::string team = FieldText(club, kClubWidth);
  // A number nobody touched goes back exactly as the roster holds it: rounding it to one
  // decimal would change the pairing input behind the organiser's back.
  const auto exact = [&](const std::string& typed, const std::string& loaded) {
    return Untouched(typed, loaded) ? &loaded : nullptr;
  };
  std::string w, a, r;
  const auto refuse = [&](std::string_view text, AddModifyField field) {
    message = std::string(text);
    focus_ = field;
    return false;
  };
  if (text::WithoutBlanks(last).empty())
    return refuse("Blank Field: Please Enter Surname", AddModifyField::Surname);
  if (text::WithoutBlanks(first).empty())
    return refuse("Blank Field: Please Enter FirstName", AddModifyField::FirstName);
  if (!NumberField(weight, kWeightWidth, exact(weight, loaded_weight_), &w))
    return refuse("Invalid Weight: Please Correct", AddModifyField::Weight);
  if (!NumberField(age, kAgeWidth, exact(age, loaded_age_), &a))
    return refuse("Invalid Age: Please Correct", AddModifyField::Age);
  if (!NumberField(rating, kRatingWidth, exact(rating, loaded_rating_), &r))
    return refuse("Invalid Rating: Please Correct", AddModifyField::Rating);
  if (text::WithoutBlanks(team).empty())
    return refuse("Blank Field: Please Enter Club", AddModifyField::Club);
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

bool AddModifyForm::ConfirmPlausible() {
  const struct {
    const std::string& typed;
    const std::string& loaded;
    const roster::PlausibleRange& range;
    AddModifyField field;
  } numbers[] = {{weight, loaded_weight_, roster::kPlausibleWeight, AddModifyField::Weight},
                 {age, loaded_age_, roster::kPlausibleAge, AddModifyField::Age},
                 {rating, loaded_rating_, roster::kPlausibleRating, AddModifyField::Rating}};
  for (const auto& n : numbers) {
    if (Untouched(n.typed, n.loaded)) continue;
    const std::optional<float> v = text::ReadFloat(FieldText(n.typed, kWeightWidth));
    if (!v || n.range.Contains(*v)) continue;
    Message ask;
    ask.text = "Are you sure? " + std::string(n.range.field) + " " +
               std::string(text::WithoutBlanks(n.typed)) + " is outside the usual " +
               std::to_string(static_cast<int>(n.range.low)) + " to " +
               std::to_string(static_cast<int>(n.range.high)) + ".";
    ask.caption = std::string(kAddModifyTitle);
    ask.buttons = MessageButtons::YesNo;
    ask.icon = MessageIcon::Question;
    if (messages_.Show(ask) != MessageAnswer::Yes) {
      focus_ = n.field;
      return false;
    }
  }
  return true;
}

bool AddModifyForm::Confirm(bool next) {
  if (mode_ == AddModifyMode::Modify && current_entry_ < 0) return true;  // nothing to change
  std::string line;
  if (!BuildLine(&line) || !ConfirmPlausible()) return false;
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
  focus_ = AddModifyField::Surname;
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
  entry.FirstName = parsed.FirstName;
  entry.LastName = parsed.LastName;
  entry.Weight = parsed.Weight;
  entry.Age = parsed.Age;
  entry.Rating = parsed.Rating;
  entry.Club = parsed.Club;
  entry.Status = parsed.Status;
  entry.AgeYears = parsed.AgeYears;
  entry.WeightClass = parsed.WeightClass;
  rows_->index.Update(current_entry_);

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
