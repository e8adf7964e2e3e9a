// The version entries of this build, shown in the About box. The version number is the
// project's own (base/version.h); the other texts are the product's.

#include "base/version.h"
#include "ui/about_form.h"

namespace kestrio::ui {

VersionInfo ProgramVersionInfo() {
  VersionInfo info;
  info.CompanyName = "Kestrio";
  info.FileDescription = "Kestrio: bout pairing for youth wrestling scrimmages";
  info.ProductVersion = std::string(kVersionText);
  info.LegalCopyright = "Copyright (C) The Kestrio developers";
  info.Comments =
      "Loads rosters of wrestlers, lets the organiser select them, and pairs the selected "
      "wrestlers into bouts with the Tandrel pairing engine.";
  return info;
}

}  // namespace kestrio::ui
