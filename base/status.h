#pragma once

// Success, or a failure of a known kind with a message for the organiser.
//
// Callers decide what to do from the kind (IsNotFound(), IsBadControlFile(), ...), never
// from the message: the message is for people, names the file and the reason, and may
// be worded differently tomorrow.

#include <string>
#include <utility>

namespace kestrio {

class Status {
 public:
  enum class Kind {
    kOk,
    // A file, or the folder it should be in, does not exist.
    kNotFound,
    // A file exists but could not be read, written or removed (a full disk, no
    // permission, a folder or a device where a file was expected, a file too large).
    kIoError,
    // Another Kestrio run holds the writing lock of the folder.
    kFolderBusy,
    // Another program holds the file open so that it cannot be replaced.
    kHeldOpen,
    // The pairing-control file could not be read, understood or written.
    kBadControlFile,
    // A selected wrestler's weight, age or rating is not a number.
    kBadNumber,
    // The bout-sheet file is held open by another program (a mail merge) and cannot be
    // replaced.
    kBoutSheetsHeld,
    // The pairing tables contradict each other; a correct pairing never produces this.
    kInconsistentRun,
    // The organiser stopped a pairing run before it finished.
    kCancelled,
    // More than a method can take on (Tandrel Optimal's weights on a huge roster).
    kTooLarge,
    // A spreadsheet cannot be read as a roster: damaged, protected with a password, far
    // too large, or its columns or dates leave unclear what its rows mean.
    kBadSpreadsheet,
    // A change to the bout board that cannot be made as asked (a bout number that is not
    // on the board, a wrestler against himself, a scratched wrestler in a bout).
    kRefused,
    // The bout-board file cannot be understood, or does not match the roster it is
    // loaded against (a wrestler of the board is missing).
    kBadBoardFile,
  };

  static Status Ok() { return Status(); }
  static Status NotFound(std::string message) { return {Kind::kNotFound, std::move(message)}; }
  static Status IoError(std::string message) { return {Kind::kIoError, std::move(message)}; }
  static Status FolderBusy(std::string message) { return {Kind::kFolderBusy, std::move(message)}; }
  static Status HeldOpen(std::string message) { return {Kind::kHeldOpen, std::move(message)}; }
  static Status BadControlFile(std::string message) {
    return {Kind::kBadControlFile, std::move(message)};
  }
  static Status BadNumber(std::string message) { return {Kind::kBadNumber, std::move(message)}; }
  static Status BoutSheetsHeld(std::string message) {
    return {Kind::kBoutSheetsHeld, std::move(message)};
  }
  static Status InconsistentRun(std::string message) {
    return {Kind::kInconsistentRun, std::move(message)};
  }
  static Status Refused(std::string message) { return {Kind::kRefused, std::move(message)}; }
  static Status BadBoardFile(std::string message) {
    return {Kind::kBadBoardFile, std::move(message)};
  }

  static Status Cancelled(std::string message) { return {Kind::kCancelled, std::move(message)}; }
  static Status TooLarge(std::string message) { return {Kind::kTooLarge, std::move(message)}; }
  static Status BadSpreadsheet(std::string message) {
    return {Kind::kBadSpreadsheet, std::move(message)};
  }

  bool ok() const { return kind_ == Kind::kOk; }
  Kind kind() const { return kind_; }
  bool IsNotFound() const { return kind_ == Kind::kNotFound; }
  bool IsIoError() const { return kind_ == Kind::kIoError; }
  bool IsFolderBusy() const { return kind_ == Kind::kFolderBusy; }
  bool IsHeldOpen() const { return kind_ == Kind::kHeldOpen; }
  bool IsBadControlFile() const { return kind_ == Kind::kBadControlFile; }
  bool IsBadNumber() const { return kind_ == Kind::kBadNumber; }
  bool IsBoutSheetsHeld() const { return kind_ == Kind::kBoutSheetsHeld; }
  bool IsInconsistentRun() const { return kind_ == Kind::kInconsistentRun; }
  bool IsCancelled() const { return kind_ == Kind::kCancelled; }
  bool IsTooLarge() const { return kind_ == Kind::kTooLarge; }
  bool IsBadSpreadsheet() const { return kind_ == Kind::kBadSpreadsheet; }
  bool IsRefused() const { return kind_ == Kind::kRefused; }
  bool IsBadBoardFile() const { return kind_ == Kind::kBadBoardFile; }

  // Empty when ok.
  const std::string& message() const { return message_; }

  // The same kind with the failure put in other words, for a caller that adds what it
  // was doing ("Error opening file ... (reason)"). An ok status stays ok.
  Status WithMessage(std::string message) const {
    return ok() ? Status() : Status(kind_, std::move(message));
  }

 private:
  Status() = default;
  Status(Kind kind, std::string message) : kind_(kind), message_(std::move(message)) {}

  Kind kind_ = Kind::kOk;
  std::string message_;
};

}  // namespace kestrio
