#pragma once

// The column mappings last used for spreadsheets, kept in the program's settings (per
// user, between sessions) under a digest of the headers they were used for.

#include "ui/import_form.h"

class QSettings;

namespace kestrio::platform {

class SettingsMappingMemory : public ui::MappingMemory {
 public:
  // settings must outlive this.
  explicit SettingsMappingMemory(QSettings& settings) : settings_(settings) {}
  std::optional<std::string> Recall(const std::string& header_key) override;
  void Remember(const std::string& header_key, const std::string& columns) override;

 private:
  QSettings& settings_;
};

}  // namespace kestrio::platform
