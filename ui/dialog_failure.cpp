#include "ui/dialog_failure.h"

#include <string>

namespace kestrio::ui {

std::string_view DialogFailureText(FileDialogFailure why) {
  switch (why) {
    case FileDialogFailure::kBadRequest:
      return "The lStructSize member of a structure for the corresponding common dialog box is "
             "invalid.";
    case FileDialogFailure::kSetupFailed:
      return "The common dialog box procedure failed during initialization. This error often "
             "occurs when insufficient memory is available.";
    case FileDialogFailure::kLayoutMissing:
      return "The ENABLETEMPLATE flag was specified in the Flags member of a structure for the "
             "corresponding common dialog box, but the application failed to provide a "
             "corresponding template.";
    case FileDialogFailure::kLayoutOwnerMissing:
      return "The ENABLETEMPLATE flag was specified in the Flags member of a structure for the "
             "corresponding common dialog box, but the application failed to provide a "
             "corresponding instance handle.";
    case FileDialogFailure::kTextNotLoaded:
      return "The common dialog box procedure failed to load a specified string.";
    case FileDialogFailure::kResourceNotFound:
      return "The common dialog box procedure failed to find a specified resource.";
    case FileDialogFailure::kResourceNotLoaded:
      return "The common dialog box procedure failed to load a specified resource.";
    case FileDialogFailure::kResourceNotLocked:
      return "The common dialog box procedure failed to lock a specified resource.";
    case FileDialogFailure::kOutOfMemory:
      return "The common dialog box procedure was unable to allocate memory for internal "
             "structures.";
    case FileDialogFailure::kMemoryNotLocked:
      return "The common dialog box procedure was unable to lock the memory associated with a "
             "handle.";
    case FileDialogFailure::kHandlerMissing:
      return "The ENABLEHOOK flag was specified in the Flags member of a structure for the "
             "corresponding common dialog box, but the application failed to provide a pointer "
             "to a corresponding hook function";
    case FileDialogFailure::kFileListFailed:
      return "An attempt to subclass a list box failed because insufficient memory was "
             "available.";
    case FileDialogFailure::kInvalidFileName:
      return "A filename is invalid.";
    case FileDialogFailure::kFileNameTooLong:
      return "The buffer for a filename is too small. (This buffer is pointed to by the "
             "lpstrFile member of the structure for a common dialog box.)";
    case FileDialogFailure::kUnknown:
      break;
  }
  return "Unknown error number";
}

void ReportDialogFailure(FileDialogFailure why, MessagePort& messages) {
  Message m;
  m.text = std::string(DialogFailureText(why));
  m.caption = std::string(kDialogFailureCaption);
  m.icon = MessageIcon::Exclamation;
  m.owned_by_main_window = false;
  messages.Show(m);
}

}  // namespace kestrio::ui
