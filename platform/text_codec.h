#pragma once

// Roster texts are bytes. Files from club secretaries arrive in UTF-8 or in the
// Windows-1252 code page of older office programs; both must show correctly, and what
// the organiser types must go back into the roster so that it shows the same again.

#include <QString>

#include <string>
#include <string_view>

namespace kestrio::platform {

// Bytes as the organiser reads them: UTF-8 when the bytes are valid UTF-8, otherwise
// Windows-1252 (the five unassigned code points of that page map to U+0081, U+008D,
// U+008F, U+0090 and U+009D, so no byte is ever lost).
QString BytesToDisplay(std::string_view bytes);

// Typed text back to roster bytes: Windows-1252 when every character has a code in that
// page and the bytes read back as the same text; UTF-8 otherwise. In both cases
// BytesToDisplay(DisplayToBytes(s)) == s.
std::string DisplayToBytes(const QString& text);

}  // namespace kestrio::platform
