#include "tests/fake_ui_ports.h"

#include <algorithm>

#include "roster/roster_reader.h"
#include "roster/sort_display_order.h"

namespace kestrio::ui::testing {

MessageAnswer FakeMessages::Show(const Message& message) {
  shown.push_back(message);
  if (while_up) while_up();
  if (!answers.empty()) {
    const MessageAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  switch (message.buttons) {
    case MessageButtons::YesNoCancel:
    case MessageButtons::SaveDiscardCancel:
      return MessageAnswer::Cancel;
    case MessageButtons::YesNo:
      // "Are you sure?": the organiser meant what was typed.
      return MessageAnswer::Yes;
    case MessageButtons::Ok:
      break;
  }
  return MessageAnswer::Ok;
}

std::vector<std::string> FakeMessages::Lines() const {
  std::vector<std::string> lines;
  for (const Message& m : shown) lines.push_back(m.caption + " | " + m.text);
  return lines;
}

FileDialogResult FakeFileDialogs::Run(const FileDialogRequest& request) {
  requests.push_back(request);
  if (results.empty()) return {FileDialogOutcome::Cancelled, ""};
  FileDialogResult r = results.front();
  results.pop_front();
  return r;
}

void FakeListPane::Clear() {
  rows.clear();
  highlighted.clear();
  current = -1;
  top = 0;
  ++clears;
}

void FakeListPane::ReplaceRow(int row, const ListRow& cells) {
  if (row < 0 || row >= RowCount()) return;
  rows[static_cast<std::size_t>(row)] = cells;
  ++replaced;
}

void FakeListPane::SetHighlightedRows(const std::vector<int>& rows_to_highlight) {
  highlighted.clear();
  for (int row : rows_to_highlight) {
    if (row >= 0 && row < RowCount()) highlighted.insert(row);
  }
}

void FakeListPane::ScrollToTop(int row) {
  if (row < 0 || row >= RowCount()) return;
  top = std::min(row, std::max(0, RowCount() - visible_rows));
}

void FakeListPane::EnsureVisible(int row) {
  if (row < 0 || row >= RowCount()) return;
  if (row < top) {
    top = row;
  } else if (row >= top + visible_rows) {
    top = row - visible_rows + 1;
  }
}

int FakeListPane::FindRow(const std::string& last_name, const std::string& first_name) const {
  for (std::size_t r = 0; r < rows.size(); ++r) {
    if (rows[r][0] == last_name && rows[r][1] == first_name) return static_cast<int>(r);
  }
  return -1;
}

void FakeTreePane::ShowBareTree() {
  leaves.clear();
  for (TreeBranch b : kTreeBranches) leaves[b];
  ++bare_trees;
}

void FakeTreePane::InsertLeaf(TreeBranch branch, int position, const std::string& label) {
  std::vector<std::string>& under = leaves[branch];
  const std::size_t at = std::min(static_cast<std::size_t>(position), under.size());
  under.insert(under.begin() + static_cast<std::ptrdiff_t>(at), label);
}

void FakeProgress::SetRange(int low, int high) {
  events.push_back("range " + std::to_string(low) + ".." + std::to_string(high));
}

bool FakeViewer::Show(const std::string& file_name) {
  files.push_back(file_name);
  std::string file;
  const bool read = fs_ == nullptr || fs_->ReadFile(file_name, kMaxRosterFileBytes, &file).ok();
  if (!read) file.clear();
  contents.push_back(file);
  return read;
}

void FakeDialogs::RunAddModify(AddModifyForm& form) {
  add_modify_opening_messages.push_back(form.message);
  if (add_modify.empty()) {
    form.Cancel();
    return;
  }
  AddModifyScript script = std::move(add_modify.front());
  add_modify.pop_front();
  script(form);
}

void FakeDialogs::RunControlParameters(ControlParametersForm& form) {
  control_openings.push_back({{form.weight, form.age, form.rating, form.max_bouts, form.min_fit,
                               form.min_wanted, form.max_wanted},
                              form.slider_position});
  if (control.empty()) {
    form.Cancel();
    return;
  }
  ControlScript script = std::move(control.front());
  control.pop_front();
  script(form);
}

void FakeDialogs::RunScheduleMats(MatScheduleForm& form) {
  if (schedule.empty()) {
    form.Cancel();
    return;
  }
  auto script = std::move(schedule.front());
  schedule.pop_front();
  script(form);
}

Status FakePrinter::WriteBoutSheetsPdf(const std::vector<reports::SheetBout>& sheets,
                                       const std::string&) {
  jobs.push_back({"sheets", sheets, 0});
  return Status::Ok();
}

Status FakePrinter::WriteMatListsPdf(const std::vector<reports::SheetBout>& sheets, int mats,
                                     const std::string&) {
  jobs.push_back({"mat lists", sheets, mats});
  return Status::Ok();
}

void FakePrinter::PreviewBoutSheets(const std::vector<reports::SheetBout>& sheets) {
  jobs.push_back({"sheets", sheets, 0});
}

void FakePrinter::PreviewMatLists(const std::vector<reports::SheetBout>& sheets, int mats) {
  jobs.push_back({"mat lists", sheets, mats});
}

roster::Roster RosterFrom(std::string_view lines) {
  roster::Roster r;
  roster::ReadRosterText(lines, r, roster::IgnoreSkippedLines());
  roster::ResetDisplayOrder(r);
  roster::SortDisplayOrder(r);
  return r;
}

void FakeDialogs::RunAbout(AboutForm& form) {
  about_boxes.push_back(form);
  form.Ok();
}

void FakeDialogs::RunAddBout(AddBoutForm& form) {
  add_bout_openings.push_back(form.first.name + " / " + form.second.name + ": " + form.fit);
  if (add_bout.empty()) {
    form.Cancel();
    return;
  }
  auto script = std::move(add_bout.front());
  add_bout.pop_front();
  script(form);
}

void FakeDialogs::RunReplaceWrestler(ReplaceWrestlerForm& form) {
  replace_openings.push_back(form.bout + ", leaving: " + form.sides[form.leaving()].name);
  if (replace_wrestler.empty()) {
    form.Cancel();
    return;
  }
  auto script = std::move(replace_wrestler.front());
  replace_wrestler.pop_front();
  script(form);
}

void FakeDialogs::RunImport(ImportForm& form) {
  import_summaries.push_back(form.Summary());
  if (import.empty()) {
    form.Cancel();
    return;
  }
  ImportScript script = std::move(import.front());
  import.pop_front();
  script(form);
}

std::optional<std::string> FakeMappingMemory::Recall(const std::string& header_key) {
  const auto it = kept.find(header_key);
  if (it == kept.end()) return std::nullopt;
  return it->second;
}

void FakeMappingMemory::Remember(const std::string& header_key, const std::string& columns) {
  kept[header_key] = columns;
}

}  // namespace kestrio::ui::testing
