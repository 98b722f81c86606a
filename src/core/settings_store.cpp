// Quillet — the program's persistent settings: keys and values under the program's key.
#include "core/settings_store.h"

#include <QDir>

namespace quillet {

SettingsStore::SettingsStore() = default;

SettingsStore::SettingsStore(const QString& folder) : m_folder(folder) {}

std::unique_ptr<QSettings> SettingsStore::open(Scope scope) const {
  std::unique_ptr<QSettings> settings;
  // On Windows the native store is the registry: opened at the root of the scope, so that
  // the program's key is the whole key path under it (HKEY_CURRENT_USER, Software,
  // Corvantis, Quillet, 2.0, then the key's own parts). Elsewhere the same paths live in
  // the program's settings files.
  if (m_folder.isEmpty()) {
#ifdef Q_OS_WIN
    settings =
        std::make_unique<QSettings>(scope == Scope::User ? QStringLiteral("HKEY_CURRENT_USER")
                                                         : QStringLiteral("HKEY_LOCAL_MACHINE"),
                                    QSettings::NativeFormat);
#else
    settings = std::make_unique<QSettings>(
        QSettings::NativeFormat,
        scope == Scope::User ? QSettings::UserScope : QSettings::SystemScope,
        QStringLiteral("Corvantis"), QStringLiteral("Quillet"));
#endif
  } else {
    const QString file =
        scope == Scope::User ? QStringLiteral("user.ini") : QStringLiteral("machine.ini");
    settings = std::make_unique<QSettings>(QDir(m_folder).filePath(file), QSettings::IniFormat);
  }
  settings->beginGroup(QStringLiteral("Software/Corvantis/Quillet/2.0"));
  return settings;
}

QVariant SettingsStore::value(const QString& key, const QVariant& fallback) const {
  return open()->value(key, fallback);
}

}  // namespace quillet
