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

namespace kestrio::ui {

enum class AddModifyMode { Add, Modify };

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
  // adding).
  AddModifyForm(AddModifyMode mode, roster::Roster& roster, std::vector<ListRow> highlighted,
                std::function<void()> refresh_views);

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
  // True while the form should put the keyboard focus on the Surname field.
  bool focus_surname() const { return mode_ == AddModifyMode::Add; }

  bool Done();
  bool Next();
  bool Cancel();

  // Validates the fields in the dialog's order and builds the roster text line; on the
  // first failure returns false and sets message. Public for tests.
  bool BuildLine(std::string* line);

 private:
  class Rows;

  bool Confirm(bool next);
  bool ConfirmAdd(const std::string& line, bool next);
  bool ConfirmModify(const std::string& line, bool next);
  // Moves to the next highlighted row (after the current one) whose entry exists and
  // shows it; false when there is none.
  bool LoadNextRow();

  AddModifyMode mode_;
  roster::Roster& roster_;
  std::function<void()> refresh_views_;
  // Modify mode: the highlighted rows as the dialog opened, the one being edited and
  // its entry (storage index).
  std::unique_ptr<Rows> rows_;
  std::size_t current_row_ = 0;
  int current_entry_ = -1;
};

}  // namespace kestrio::ui
