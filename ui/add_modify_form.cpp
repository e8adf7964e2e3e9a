#include "ui/add_modify_form.h"

#include "ui/session.h"

namespace kestrio::ui {

AddModifyForm::AddModifyForm(Session& session, AddModifyMode mode)
    : session_(session), mode_(mode) {
  message = mode == AddModifyMode::Add ? "Add New Entry" : "Modify Entry";
}

bool AddModifyForm::Done() { return Confirm(false); }
bool AddModifyForm::Next() { return Confirm(true); }
bool AddModifyForm::Cancel() { return true; }

bool AddModifyForm::BuildLine(std::string* line) {
  line->clear();
  return false;
}

bool AddModifyForm::Confirm(bool next) {
  (void)next;
  return true;
}

bool AddModifyForm::ConfirmAdd(const std::string&, bool) { return true; }
bool AddModifyForm::ConfirmModify(const std::string&, bool) { return true; }
bool AddModifyForm::LoadRow(int) { return false; }

}  // namespace kestrio::ui
