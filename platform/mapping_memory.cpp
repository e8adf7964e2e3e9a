#include "platform/mapping_memory.h"

#include <QCryptographicHash>
#include <QSettings>

namespace kestrio::platform {
namespace {

// Headers may hold any characters, and many of them: the settings key is their digest.
QString SettingsKey(const std::string& header_key) {
  const QByteArray digest = QCryptographicHash::hash(
      QByteArray(header_key.data(), static_cast<qsizetype>(header_key.size())),
      QCryptographicHash::Sha256);
  return QStringLiteral("SpreadsheetColumns/") + QString::fromLatin1(digest.toHex());
}

}  // namespace

std::optional<std::string> SettingsMappingMemory::Recall(const std::string& header_key) {
  const QVariant value = settings_.value(SettingsKey(header_key));
  if (!value.isValid()) return std::nullopt;
  return value.toString().toStdString();
}

void SettingsMappingMemory::Remember(const std::string& header_key, const std::string& columns) {
  settings_.setValue(SettingsKey(header_key), QString::fromStdString(columns));
}

}  // namespace kestrio::platform
