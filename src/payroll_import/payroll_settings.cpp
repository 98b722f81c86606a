// Quillet — the stored settings of the payroll import.
#include "payroll_import/payroll_settings.h"

#include "core/settings_store.h"
#include "data/file_safety.h"

namespace quillet {
namespace {

const QString ConfigDir = QStringLiteral("Payroll/ConfigDir");

}  // namespace

QString driveFolder(const SettingsStore& store, QChar letter) {
  return store.value(QStringLiteral("Drives/") + letter.toUpper()).toString();
}

QString dosRunner(const SettingsStore& store) {
  return store.value(QStringLiteral("DosRunner")).toString();
}

QString ReadConfigDir(const SettingsStore& store) { return store.value(ConfigDir).toString(); }

FileStatus WriteConfigDir(const SettingsStore& store, const QString& folder) {
  const auto settings = store.open();
  settings->setValue(ConfigDir, folder);
  return saveSettings(*settings);
}

}  // namespace quillet
