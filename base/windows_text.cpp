#ifdef _WIN32

#include "base/windows_text.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <array>
#include <cctype>

namespace kestrio {
namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) != b[i]) return false;
  }
  return true;
}

// The part of a name Windows compares with its devices: up to the first dot, without
// the blanks before it ("con .txt" is the console too).
bool IsDeviceName(std::string_view name) {
  std::string_view stem = name.substr(0, name.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  for (std::string_view device : {"CON", "PRN", "AUX", "NUL"}) {
    if (SameIgnoringCase(stem, device)) return true;
  }
  // COM and LPT with a digit, or with the superscripts one to three ("COM\u00b9").
  static constexpr std::array<std::string_view, 3> kSuperscripts = {"\xC2\xB9", "\xC2\xB2",
                                                                    "\xC2\xB3"};
  for (std::string_view port : {"COM", "LPT"}) {
    if (stem.size() < 4 || !SameIgnoringCase(stem.substr(0, 3), port)) continue;
    const std::string_view number = stem.substr(3);
    if (number.size() == 1 && number[0] >= '0' && number[0] <= '9') return true;
    for (std::string_view superscript : kSuperscripts) {
      if (number == superscript) return true;
    }
  }
  return false;
}

}  // namespace

bool WideFromUtf8(std::string_view utf8, std::wstring* wide) {
  wide->clear();
  if (utf8.empty()) return true;
  const int size = static_cast<int>(utf8.size());
  const int n = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
  if (n <= 0) return false;
  wide->resize(static_cast<std::size_t>(n));
  ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide->data(), n);
  return true;
}

bool Utf8FromWide(std::wstring_view wide, std::string* utf8) {
  utf8->clear();
  if (wide.empty()) return true;
  const int size = static_cast<int>(wide.size());
  const int n = ::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), size, nullptr, 0,
                                      nullptr, nullptr);
  if (n <= 0) return false;
  utf8->resize(static_cast<std::size_t>(n));
  ::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), size, utf8->data(), n, nullptr,
                        nullptr);
  return true;
}

std::string_view WindowsNameProblem(std::string_view name) {
  if (name == "." || name == "..") return {};  // folders, refused as such
  if (IsDeviceName(name)) return "Windows keeps this name for a device; choose another name";
  if (!name.empty() && (name.back() == '.' || name.back() == ' ')) {
    return "Windows drops a dot or a blank at the end of a file name; choose another name";
  }
  return {};
}

}  // namespace kestrio

#endif  // _WIN32
