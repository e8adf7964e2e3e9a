#pragma once

// Texts between the core's UTF-8 and Windows' wide characters (UTF-16). Every path the
// core hands to Windows goes through WideFromUtf8, so that names in any script reach
// the disk as they are, never through the machine's ANSI code page. Windows only.

#include <string>
#include <string_view>

namespace kestrio {

// False, and *wide left empty, for text that is not valid UTF-8.
bool WideFromUtf8(std::string_view utf8, std::wstring* wide);

// False, and *utf8 left empty, for a lone surrogate half.
bool Utf8FromWide(std::wstring_view wide, std::string* utf8);

// Why Windows cannot keep a file under name (the last part of a path), or empty. A
// device's name (CON, PRN, AUX, NUL, COM0-9, LPT0-9, in any case, alone or before an
// extension: "nul.tmrx") opens the device, so a save there would vanish; a dot or a blank
// at the end is dropped, so "day.tmrx." would replace "day.tmrx".
std::string_view WindowsNameProblem(std::string_view name);

}  // namespace kestrio
