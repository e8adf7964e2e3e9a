// The roster's way in from spreadsheets (File > Open of a .csv or .xlsx file) and the
// roster's and bouts' way out to them (File > Export Roster, Lumiva > Export Bouts).

#include "board/bout_board.h"
#include "sheets/roster_export.h"
#include "sheets/roster_rows.h"
#include "ui/command_ids.h"
#include "ui/import_report.h"
#include "ui/list_refresh.h"
#include "ui/session.h"
#include "ui/session_impl.h"

namespace kestrio::ui {

namespace {

FileDialogRequest ExportRequest() {
  FileDialogRequest request;
  request.kind = FileDialogKind::Save;
  request.filters = kSpreadsheetFileFilters;
  request.extension_from_filter = true;
  request.confirm_overwrite = true;
  return request;
}

}  // namespace

void Session::OpenSpreadsheet(const std::string& path, sheets::SheetFormat format) {
  std::string bytes;
  if (const Status read = fs_.ReadFile(path, kMaxRosterFileBytes, &bytes); !read.ok()) {
    ForgetRecentFile(path);
    ShowMessage(read.message(), std::string(kOpenFailedCaption), MessageIcon::Exclamation);
    return;
  }
  ImportForm form(path, std::move(bytes), format, sheets::LocalToday(),
                  sheets::DateOrder::MonthFirst, ports_.mappings, ports_.messages);
  // A file that cannot be read as a sheet at all (damaged, protected, far too large) is
  // said at once; the dialog is for the choices that decide what its rows mean.
  if (!form.sheet().status.ok()) {
    ForgetRecentFile(path);
    ShowMessage(path + ": " + form.sheet().status.message(), std::string(kOpenFailedCaption),
                MessageIcon::Exclamation);
    return;
  }
  ports_.dialogs.RunImport(form);
  if (!form.accepted()) return;
  // The rows the reader refuses are reported as a text file's bad lines are: with their
  // row number and reason, in one import report.
  ImportReportCollector skipped(path);
  PendingStep pending = BeginStep(kCmdOpen);
  roster::Roster loaded;
  sheets::ReadRowLines(form.lines(), loaded, skipped, skipped);
  skipped.report().added = loaded.EntryCount();
  roster::AddLoadedEntries(roster_, loaded);
  RefreshViews();
  RememberRecentFile(path);
  CommitStep(pending);
  if (!skipped.report().skipped.empty()) ports_.dialogs.ShowImportReport(skipped.report());
}

void Session::ExportRoster() {
  if (view_.RosterCounters.DisplayedCount < 1) return;
  const std::string path = ChooseFile(ports_.file_dialogs, ports_.messages, ExportRequest());
  if (path.empty()) return;
  const Status written =
      sheets::WriteTableFile(fs_, path, sheets::RosterTable(roster_, DisplayedEntries(view_)));
  if (!written.ok()) {
    ShowMessage(written.message(), std::string(kSaveFailedCaption), MessageIcon::Exclamation);
  }
}

void Session::ExportBouts() {
  if (!view_.PairingDone) return;
  const std::string path = ChooseFile(ports_.file_dialogs, ports_.messages, ExportRequest());
  if (path.empty()) return;
  // The board, not the run: the bouts as scratches, late arrivals and Undo left them,
  // and still there when the program starts again in the folder; with their mats and
  // times while a schedule is kept.
  const Status written = sheets::WriteTableFile(
      fs_, path,
      sheets::BoutTable(board::BoardRun(impl_->day.board), mat_day_ ? &*mat_day_ : nullptr));
  if (!written.ok()) {
    ShowMessage(written.message(), std::string(kSaveFailedCaption), MessageIcon::Exclamation);
  }
}

}  // namespace kestrio::ui
