// The version entries of this build, shown in the About box. The build passes the
// version number from the project's own version; the other texts are the product's.

#include "ui/about_form.h"

#ifndef KESTRIO_VERSION_TEXT
#define KESTRIO_VERSION_TEXT "2.1"
#endif

namespace kestrio::ui {

VersionInfo ProgramVersionInfo() {
  VersionInfo info;
  info.CompanyName = "Kestrio";
  info.FileDescription = "Kestrio: bout pairing for youth wrestling scrimmages";
  info.ProductVersion = KESTRIO_VERSION_TEXT;
  info.LegalCopyright = "Copyright (C) The Kestrio developers";
  info.Comments =
      "Loads rosters of wrestlers, lets the organiser select them, and pairs the selected "
      "wrestlers into bouts with the Tandrel pairing engine.";
  return info;
}

}  // namespace kestrio::ui
