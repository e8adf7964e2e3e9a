#pragma once

// The Add/Modify entry dialog as a form model: the texts of its fields, the
// Selected/UnSelected choice and the message line, and one method per button.
//
// The front end binds its widgets to the public fields: before calling a button method
// it copies what the organiser typed into the fields; afterwards it shows the fields
// and the message line again (a button may empty fields or load the next entry). A
// button method returns true when the dialog closes.
//
// The form changes the roster it was given, which must outlive it, and calls the
// refresh it was given after every change, so that the window shows the new roster.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "roster/roster.h"
#include "ui/list_pane.h"
#include "ui/message_port.h"

namespace kestrio::ui {

enum class AddModifyMode { Add, Modify };

// The field the keyboard focus belongs in; None leaves it where it is.
enum class AddModifyField { None, Surname, FirstName, Weight, Age, Rating, Club };

inline constexpr std::string_view kAddModifyTitle = "Add/Modify";

// Longest text each field keeps; the front end limits its edits to these.
inline constexpr int kSurnameWidth = 40;
inline constexpr int kFirstNameWidth = 40;
inline constexpr int kWeightWidth = 10;
inline constexpr int kAgeWidth = 10;
inline constexpr int kRatingWidth = 10;
inline constexpr int kClubWidth = 15;

class AddModifyForm {
 public:
  // Opens the form: Selected checked; in add mode "Add New Entry"; in modify mode the
  // first highlighted row's entry is loaded with "Modify Entry", or, when no row is
  // highlighted, "No Data Selected: Add New Entries or Cancel" and Done closes without
  // change.
  // highlighted: the cells of the highlighted list rows, in row order (unused when
  // adding). messages: where "Are you sure?" about an unlikely value is asked.
  AddModifyForm(AddModifyMode mode, roster::Roster& roster, std::vector<ListRow> highlighted,
                std::function<void()> refresh_views, MessagePort& messages);

  ~AddModifyForm();
  AddModifyForm(const AddModifyForm&) = delete;
  AddModifyForm& operator=(const AddModifyForm&) = delete;

  std::string surname;
  std::string first_name;
  std::string weight;
  std::string age;
  std::string rating;
  std::string club;
  bool selected = true;  // the "Selected" radio button; false is "UnSelected"
  std::string message;   // the message line

  AddModifyMode mode() const { return mode_; }
  // Where the keyboard focus goes after the form opened or a button ran: Surname for a
  // new entry, the field a refused value or an unlikely one stands in.
  AddModifyField focus() const { return focus_; }

  bool Done();
  bool Next();
  bool Cancel();

  // Validates the fields in the dialog's order and builds the roster text line; on the
  // first failure returns false and sets message. A number is carried with one decimal,
  // except that in modify mode a number field left as it was loaded carries the entry's
  // value exactly. Public for tests.
  bool BuildLine(std::string* line);

 private:
  class Rows;

  bool Confirm(bool next);
  // Asks "Are you sure?" for the first typed weight, age or rating outside its plausible
  // range (plausible_values.h); false, with the focus on that field, unless the
  // organiser says Yes.
  bool ConfirmPlausible();
  // A number field as typed, and whether it still holds what was loaded for the entry.
  bool Untouched(const std::string& typed, const std::string& loaded) const;
  bool ConfirmAdd(const std::string& line, bool next);
  bool ConfirmModify(const std::string& line, bool next);
  // Moves to the next highlighted row (after the current one) whose entry exists and
  // shows it; false when there is none.
  bool LoadNextRow();

  AddModifyMode mode_;
  roster::Roster& roster_;
  std::function<void()> refresh_views_;
  MessagePort& messages_;
  // Modify mode: the highlighted rows as the dialog opened, the one being edited and
  // its entry (storage index).
  std::unique_ptr<Rows> rows_;
  std::size_t current_row_ = 0;
  int current_entry_ = -1;
  // Modify mode: the weight, age and rating as loaded from the entry.
  std::string loaded_weight_, loaded_age_, loaded_rating_;
  AddModifyField focus_ = AddModifyField::None;
};

}  // namespace kestrio::ui
