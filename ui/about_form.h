#pragma once

// The About box as a form model: its title and the five version fields.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kestrio::ui {

inline constexpr std::string_view kAboutTitle = "About Kestrio";

// The values of the program's version entries; supplied by the build (product_info.cpp).
struct VersionInfo {
  std::optional<std::string> CompanyName;
  std::optional<std::string> FileDescription;
  std::optional<std::string> ProductVersion;
  std::optional<std::string> LegalCopyright;
  std::optional<std::string> Comments;
};

// The version entries of this build of the program.
VersionInfo ProgramVersionInfo();

struct AboutField {
  std::string_view entry_name;   // "CompanyName", ...
  std::string text;              // the value, or the entry name when there is none
  bool uses_value_font = false;  // true when the value replaced the entry name
};

struct AboutForm {
  // CompanyName, FileDescription, ProductVersion, LegalCopyright, Comments (the last a
  // field of several lines).
  std::array<AboutField, 5> fields;
  // OK and the window's close both close the box.
  bool Ok() { return true; }
};

// Without version information every field shows its entry name.
AboutForm MakeAboutForm(const std::optional<VersionInfo>& info);

}  // namespace kestrio::ui
