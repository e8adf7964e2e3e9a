// The File menu's commands and Save Project Data: the roster's way in and out of files.

#include <algorithm>

#include "roster/display_data.h"
#include "roster/roster_reader.h"
#include "roster/roster_writer.h"
#include "sheets/spreadsheet.h"
#include "ui/command_ids.h"
#include "ui/dialog_failure.h"
#include "ui/import_report.h"
#include "ui/list_refresh.h"
#include "ui/run_messages.h"
#include "ui/session.h"
#include "ui/session_impl.h"

namespace kestrio::ui {

std::string ChooseFile(FileDialogPort& dialogs, MessagePort& messages,
                       const FileDialogRequest& request) {
  FileDialogResult result = dialogs.Run(request);
  if (result.outcome == FileDialogOutcome::Chosen && result.path.size() > kMaxPathLength) {
    result.outcome = FileDialogOutcome::Failed;
    result.failure = FileDialogFailure::kFileNameTooLong;
  }
  if (result.outcome == FileDialogOutcome::Failed) {
    ReportDialogFailure(result.failure, messages);
    return {};
  }
  return result.outcome == FileDialogOutcome::Chosen ? result.path : std::string();
}

namespace {

std::string ChooseFile(FileDialogPort& dialogs, MessagePort& messages, FileDialogKind kind) {
  FileDialogRequest request;
  request.kind = kind;
  request.confirm_overwrite = kind == FileDialogKind::Save;
  if (kind == FileDialogKind::Open) request.filters = kOpenFileFilters;
  return ChooseFile(dialogs, messages, request);
}

}  // namespace

void Session::Open() {
  const std::string path = ChooseFile(ports_.file_dialogs, ports_.messages, FileDialogKind::Open);
  if (!path.empty()) OpenFile(path);
}

void Session::OpenFile(const std::string& path) {
  if (const std::optional<sheets::SheetFormat> sheet = sheets::FormatOfFileName(path)) {
    OpenSpreadsheet(path, *sheet);
    return;
  }
  // Every line the file had to skip, with its number and reason, in one report.
  ImportReportCollector skipped(path);
  const bool first_file = roster_.EntryCount() == 0;
  PendingStep pending = BeginStep(kCmdOpen);
  // A file that cannot be read adds nothing; the order is still rebuilt and re-sorted.
  const roster::OpenResult opened = roster::OpenRosterFile(fs_, path, roster_, skipped, skipped);
  RefreshViews();
  if (!opened.status.ok()) {
    // The organiser chose this file: an Open that silently adds nothing looks like an
    // empty roster, so say which file could not be read and why.
    ForgetRecentFile(path);
    ShowMessage(opened.status.message(), std::string(kOpenFailedCaption), MessageIcon::Exclamation);
    return;
  }
  RememberRecentFile(path);
  // The first file of a roster is the data file a board made from it goes with.
  if (first_file) impl_->day.roster_file = path;
  CommitStep(pending);
  if (first_file) {
    // The roster is what the file holds: nothing to lose by closing.
    impl_->saved_revision = impl_->revision;
    AfterChange();
  }
  skipped.report().added = opened.added;
  if (!skipped.report().skipped.empty()) ports_.dialogs.ShowImportReport(skipped.report());
}

void Session::SetRecentFiles(std::vector<std::string> files) {
  recent_files_.clear();
  for (std::string& file : files) {
    if (file.empty() ||
        std::find(recent_files_.begin(), recent_files_.end(), file) != recent_files_.end()) {
      continue;
    }
    if (recent_files_.size() == kMaxRecentFiles) break;
    recent_files_.push_back(std::move(file));
  }
}

void Session::ForgetRecentFile(const std::string& path) {
  recent_files_.erase(std::remove(recent_files_.begin(), recent_files_.end(), path),
                      recent_files_.end());
}

void Session::RememberRecentFile(const std::string& path) {
  recent_files_.erase(std::remove(recent_files_.begin(), recent_files_.end(), path),
                      recent_files_.end());
  recent_files_.insert(recent_files_.begin(), path);
  if (recent_files_.size() > kMaxRecentFiles) recent_files_.resize(kMaxRecentFiles);
}

bool Session::SaveRoster(bool displayed_only) {
  if (roster_.EntryCount() < 1) return false;
  const std::string path = ChooseFile(ports_.file_dialogs, ports_.messages, FileDialogKind::Save);
  if (path.empty()) return false;
  view_.SaveDisplayedOnly = displayed_only;
  const Status saved = roster::SaveRosterFile(
      fs_, path, roster_, displayed_only ? DisplayedEntries(view_) : roster::EntryFilter());
  if (!saved.ok()) {
    // The file on disk is the one from before; the organiser must know it is not saved.
    ShowMessage(saved.message(), std::string(kSaveFailedCaption), MessageIcon::Exclamation);
    return false;
  }
  RememberRecentFile(path);
  if (!displayed_only) {
    impl_->day.roster_file = path;
    impl_->saved_revision = impl_->revision;
    AfterChange();
  }
  return true;
}

void Session::SaveProjectData() {
  if (!SaveRoster(false)) return;
  view_.ProjectSaved = true;
  RecomputeStatusAndMenus();
}

void Session::ClearAll() {
  if (roster_.EntryCount() < 1) return;
  Message ask;
  ask.text = "Save file?";
  ask.caption = "Kestrio";
  ask.buttons = MessageButtons::YesNoCancel;
  ask.icon = MessageIcon::Question;
  const MessageAnswer answer = ports_.messages.Show(ask);
  if (answer == MessageAnswer::Cancel) return;
  // A Yes whose save was cancelled or failed keeps the roster: the organiser asked for
  // it to be kept, and clearing now would lose it.
  if (answer == MessageAnswer::Yes && !SaveRoster(false)) return;
  roster::ClearRoster(roster_);
  impl_->day = BoardDay();
  ResetViewState(view_, roster_);
  impl_->leaves.ShowBare(ports_.tree);
  ports_.list.Clear();
  RecomputeStatusAndMenus();
}

void Session::PrintDisplayData() {
  const std::string path(roster::kDisplayDataFileName);
  const Status written = roster::ExportDisplayData(fs_, roster_, DisplayedEntries(view_), path);
  if (!written.ok()) {
    ShowMessage(written.message(), std::string(kSaveFailedCaption), MessageIcon::Exclamation);
    return;
  }
  if (!ports_.viewer.Show(path)) {
    ShowMessage(path + " was written but could not be read back to show it.",
                std::string(kNoReportCaption), MessageIcon::Exclamation);
  }
  // The listing is scratch: the viewer has read it, and it must not linger.
  fs_.Remove(path);
}

}  // namespace kestrio::ui
