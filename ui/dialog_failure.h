#pragma once

// The message shown when a file dialog fails, by the dialog's extended error code.

#include <string_view>

#include "ui/message_port.h"

namespace kestrio::ui {

inline constexpr std::string_view kDialogFailureCaption = "Cannot Open This Dialog";

// The text for a non-zero code; "Unknown error number" for a code not in the list.
std::string_view DialogFailureText(int code);

// Shows the failure of a file dialog: nothing for code 0 (the organiser cancelled),
// else the code's text with an exclamation icon and no owner.
void ReportDialogFailure(int code, MessagePort& messages);

}  // namespace kestrio::ui
