#pragma once

// The encodings spreadsheet text arrives in, and the one the rest of the program gets:
// every cell a sheet reader hands on is UTF-8.
//
// Club secretaries export CSV from office programs: UTF-8 with or without a byte-order
// mark, the Windows-1252 code page of older versions, or the UTF-16 "Unicode text" some
// programs write. A file without a mark is UTF-8 when its bytes are valid UTF-8.

#include <string>
#include <string_view>

namespace kestrio::sheets {

enum class TextEncoding {
  Utf8,         // UTF-8 without a byte-order mark
  Utf8Bom,      // UTF-8 starting with EF BB BF
  Windows1252,  // the Western code page of older office programs
  Utf16Le,      // UTF-16 with the mark FF FE
  Utf16Be,      // UTF-16 with the mark FE FF
};

// The name shown to the organiser ("UTF-8", "UTF-8 with BOM", "Windows-1252", ...).
std::string_view EncodingName(TextEncoding encoding);

// True when bytes are well-formed UTF-8 (no overlong forms, surrogates or code points
// beyond U+10FFFF; a sequence cut off at the end is not valid).
bool IsValidUtf8(std::string_view bytes);

// The byte-order mark decides; without one, valid UTF-8 is UTF-8 and anything else
// Windows-1252.
TextEncoding DetectEncoding(std::string_view bytes);

// bytes decoded as encoding and written as UTF-8, without the byte-order mark. Bytes that
// are not valid in the encoding become U+FFFD, so nothing is dropped silently. The
// five bytes Windows-1252 leaves unassigned map to the C1 code points of the same value.
std::string DecodeToUtf8(std::string_view bytes, TextEncoding encoding);

// Roster text as the organiser sees it, in UTF-8: a text that is valid UTF-8 stays as
// it is, anything else is read as Windows-1252 (how the desktop program shows it too).
std::string RosterTextToUtf8(std::string_view bytes);

// The code point of a Windows-1252 byte: Latin-1 but for 0x80..0x9F (the euro sign,
// curly quotes, dashes...); the five bytes the page leaves unassigned map to the C1 code
// points of the same value.
char32_t Windows1252CodePoint(unsigned char byte);

// Appends code point c as UTF-8.
void AppendUtf8(std::string& out, char32_t c);

// The longest prefix of utf8 of at most max_bytes bytes that does not split a character.
std::string_view CutUtf8(std::string_view utf8, std::size_t max_bytes);

}  // namespace kestrio::sheets
