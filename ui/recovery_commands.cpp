// The recovery copy: after every change not yet saved, the roster and the bout board go
// to the organiser's application-data folder, so that a crash or a power cut loses
// nothing; the next start in the same working directory offers them back.

#include "board/board_file.h"
#include "roster/roster_reader.h"
#include "roster/roster_writer.h"
#include "ui/recovery.h"
#include "ui/session.h"
#include "ui/session_impl.h"

namespace kestrio::ui {
namespace {

constexpr std::string_view kRecoveryCaption = "Kestrio: Unsaved Work";
// Roster and board together, each at most the size of a roster file.
constexpr std::size_t kMaxRecoveryBytes = 2 * kMaxRosterFileBytes + 4096;

std::string BaseName(const std::string& path) { return path.substr(path.find_last_of("/\\") + 1); }

}  // namespace

void Session::SetRecoveryPlace(std::string folder, std::string working_directory) {
  impl_->recovery_folder = std::move(folder);
  impl_->working_directory = std::move(working_directory);
}

std::string Session::RecoveryFile() const {
  if (impl_->recovery_folder.empty()) return {};
  return RecoveryPath(impl_->recovery_folder, impl_->working_directory);
}

void Session::WriteRecoveryCopy() {
  const std::string path = RecoveryFile();
  if (path.empty()) return;
  if (!Modified()) {
    RemoveRecoveryCopy();
    return;
  }
  RecoveryCopy copy;
  copy.working_directory = impl_->working_directory;
  copy.data_file = impl_->day.roster_file;
  copy.sort_column = roster_.SortColumn;
  copy.project_saved = view_.ProjectSaved;
  copy.pairing_done = view_.PairingDone;
  copy.roster_text = roster::RosterFileText(roster_);
  if (!impl_->day.board.empty()) {
    copy.board_text =
        board::FormatBoardFile(impl_->day.board, impl_->day.roster_file, &impl_->day.file_lines);
  }
  // A copy that cannot be written is not worth a box after every change: the organiser's
  // own saves still work, and the next change tries again.
  (void)fs_.WriteFileAtomic(path, FormatRecovery(copy), Links::kReplace);
  impl_->copy_put_off = false;
}

void Session::RemoveRecoveryCopy() {
  // A copy the organiser put off deciding about stays until newer work replaces it.
  if (impl_->copy_put_off) return;
  const std::string path = RecoveryFile();
  if (!path.empty() && fs_.Exists(path)) (void)fs_.Remove(path);
}

bool Session::OfferRecoveryCopy() {
  const std::string path = RecoveryFile();
  if (path.empty() || !fs_.IsRegularFile(path)) return false;
  std::string text;
  RecoveryCopy copy;
  if (!fs_.ReadFile(path, kMaxRecoveryBytes, &text).ok() || !ParseRecovery(text, &copy).ok() ||
      copy.working_directory != impl_->working_directory) {
    ShowMessage(
        "The copy of unsaved work kept after the last session is damaged: it is not "
        "restored.",
        std::string(kRecoveryCaption), MessageIcon::Exclamation);
    (void)fs_.Remove(path);
    return false;
  }
  Message ask;
  ask.text = "Kestrio was not closed properly last time. Unsaved changes to " +
             (copy.data_file.empty() ? std::string("the roster") : BaseName(copy.data_file)) +
             (copy.board_text.empty() ? "" : " and the bout board") + " were kept. Restore them?";
  ask.caption = std::string(kRecoveryCaption);
  ask.buttons = MessageButtons::YesNoCancel;
  ask.icon = MessageIcon::Question;
  const MessageAnswer answer = ports_.messages.Show(ask);
  // No forgets the copy; Cancel keeps it for the next start.
  if (answer == MessageAnswer::No) (void)fs_.Remove(path);
  if (answer == MessageAnswer::Cancel) impl_->copy_put_off = true;
  if (answer != MessageAnswer::Yes) return false;
  RestoreRecoveryCopy(copy);
  return true;
}

void Session::RestoreRecoveryCopy(const RecoveryCopy& copy) {
  roster::ClearRoster(roster_);
  roster::ReadRosterText(copy.roster_text, roster_, roster::IgnoreSkippedLines());
  // The copy holds the entries in the order the list showed them: that order stays.
  roster::ResetDisplayOrder(roster_);
  roster_.SortColumn = copy.sort_column;
  impl_->day = BoardDay();
  impl_->day.roster_file = copy.data_file;
  view_.ProjectSaved = copy.project_saved;
  view_.PairingDone = copy.pairing_done;
  // Not saved: the restored work is marked modified until the organiser saves it.
  impl_->revision = ++impl_->next_revision;
  impl_->history.Clear();
  Status s = Status::Ok();
  if (!copy.board_text.empty()) {
    board::BoutBoard b;
    std::string ignored;
    s = board::ParseBoardFile(copy.board_text, board::kBoardFileName, &b, &ignored);
    if (s.ok()) s = board::MatchRoster(b, roster_);
    if (s.ok()) impl_->day.board = std::move(b);
  }
  if (!s.ok()) ShowMessage(s.message(), std::string(kBoardCaption), MessageIcon::Exclamation);
  BoardContext context{fs_, roster_, ports_.list, *impl_->board_messages, impl_->day};
  if (!impl_->day.board.empty()) SaveBoardDay(context);
  RefreshViews();
  AfterChange();
}

}  // namespace kestrio::ui
