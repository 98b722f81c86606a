// Quillet — the program's persistent settings: keys and values under the program's key.
// Each feature reads and writes its own keys beside its code.
#pragma once

#include <QSettings>
#include <QString>
#include <memory>

namespace quillet {

// Every operation opens the settings, reads or writes, and closes them again: nothing is
// cached. Keys that cannot be read give zero or empty values.
class SettingsStore {
 public:
  enum class Scope { User, Machine };

  // The user's own settings, under Software/Corvantis/Quillet/2.0.
  SettingsStore();
  // Settings kept in files inside `folder` (tests, portable use).
  explicit SettingsStore(const QString& folder);

  // The settings of `scope`, opened at the program's key: keys are relative to it. A write
  // is put in the store by saveSettings() (or when the settings close).
  std::unique_ptr<QSettings> open(Scope scope = Scope::User) const;
  // One value of the user's settings; `fallback` when it is not there.
  QVariant value(const QString& key, const QVariant& fallback = {}) const;

 private:
  QString m_folder;  // empty: the platform's own store
};

}  // namespace quillet
