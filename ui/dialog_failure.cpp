#include "ui/dialog_failure.h"

#include <array>
#include <string>

namespace kestrio::ui {

std::string_view DialogFailureText(int code) {
  static constexpr std::array<std::string_view, 11> kGeneral = {
      "The lStructSize member of a structure for the corresponding common dialog box is invalid.",
      "The common dialog box procedure failed during initialization. This error often occurs "
      "when insufficient memory is available.",
      "The ENABLETEMPLATE flag was specified in the Flags member of a structure for the "
      "corresponding common dialog box, but the application failed to provide a "
      "corresponding template.",
      "The ENABLETEMPLATE flag was specified in the Flags member of a structure for the "
      "corresponding common dialog box, but the application failed to provide a "
      "corresponding instance handle.",
      "The common dialog box procedure failed to load a specified string.",
      "The common dialog box procedure failed to find a specified resource.",
      "The common dialog box procedure failed to load a specified resource.",
      "The common dialog box procedure failed to lock a specified resource.",
      "The common dialog box procedure was unable to allocate memory for internal structures.",
      "The common dialog box procedure was unable to lock the memory associated with a handle.",
      "The ENABLEHOOK flag was specified in the Flags member of a structure for the "
      "corresponding common dialog box, but the application failed to provide a pointer to "
      "a corresponding hook function",
  };
  if (code >= 1 && code <= 11) return kGeneral[static_cast<std::size_t>(code - 1)];
  switch (code) {
    case 12289:
      return "An attempt to subclass a list box failed because insufficient memory was "
             "available.";
    case 12290:
      return "A filename is invalid.";
    case 12291:
      return "The buffer for a filename is too small. (This buffer is pointed to by the "
             "lpstrFile member of the structure for a common dialog box.)";
    default:
      return "Unknown error number";
  }
}

void ReportDialogFailure(int code, MessagePort& messages) {
  if (code == 0) return;
  Message m;
  m.text = std::string(DialogFailureText(code));
  m.caption = std::string(kDialogFailureCaption);
  m.icon = MessageIcon::Exclamation;
  m.owned_by_main_window = false;
  messages.Show(m);
}

}  // namespace kestrio::ui
