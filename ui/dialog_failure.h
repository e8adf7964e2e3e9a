#pragma once

// The message shown when a file dialog fails, by the reason it failed.

#include <string_view>

#include "ui/file_dialog_port.h"
#include "ui/message_port.h"

namespace kestrio::ui {

inline constexpr std::string_view kDialogFailureCaption = "Cannot Open This Dialog";

// The text the organiser reads for a reason; "Unknown error number" for kUnknown.
std::string_view DialogFailureText(FileDialogFailure why);

// Shows the failure of a file dialog: the reason's text with an exclamation icon and no
// owner. (A cancelled dialog is no failure and shows nothing.)
void ReportDialogFailure(FileDialogFailure why, MessagePort& messages);

}  // namespace kestrio::ui
