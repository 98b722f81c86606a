// Quillet — the stored margins and options of the T4 forms and the T4 Summary.
#include "reports/print_settings.h"

#include "core/settings_store.h"
#include "data/file_safety.h"

namespace quillet {
namespace {

const QString T4Margins = QStringLiteral("T4Margins");
const QString SummaryMargins = QStringLiteral("T4SummaryMargins");

PrintSettings readMargins(const SettingsStore& store, const QString& key) {
  const auto settings = store.open();
  settings->beginGroup(key);
  const auto number = [&](const char* name) {
    return settings->value(QLatin1String(name), 0).toInt();
  };
  PrintSettings s;
  s.Top = number("TOP");
  s.Left = number("LEFT");
  s.T4Type = number("T4TYPE");
  s.IExtra1 = number("IExtra1");
  s.IExtra2 = number("IExtra2");
  s.LineUp = number("LINEUP") != 0;
  s.BExtra1 = number("BExtra1") != 0;
  s.BExtra2 = number("BExtra2") != 0;
  return s;
}

FileStatus writeMargins(const SettingsStore& store, const QString& key, const PrintSettings& s) {
  const auto settings = store.open();
  settings->beginGroup(key);
  settings->setValue(QStringLiteral("TOP"), s.Top);
  settings->setValue(QStringLiteral("LEFT"), s.Left);
  settings->setValue(QStringLiteral("T4TYPE"), s.T4Type);
  settings->setValue(QStringLiteral("IExtra1"), s.IExtra1);
  settings->setValue(QStringLiteral("IExtra2"), s.IExtra2);
  // Booleans are stored as the numbers 0 and 1.
  settings->setValue(QStringLiteral("LINEUP"), int(s.LineUp));
  settings->setValue(QStringLiteral("BExtra1"), int(s.BExtra1));
  settings->setValue(QStringLiteral("BExtra2"), int(s.BExtra2));
  return saveSettings(*settings);
}

}  // namespace

PrintSettings ReadT4Margins(const SettingsStore& store) { return readMargins(store, T4Margins); }
FileStatus WriteT4Margins(const SettingsStore& store, const PrintSettings& s) {
  return writeMargins(store, T4Margins, s);
}
PrintSettings ReadSummaryMargins(const SettingsStore& store) {
  return readMargins(store, SummaryMargins);
}
FileStatus WriteSummaryMargins(const SettingsStore& store, const PrintSettings& s) {
  return writeMargins(store, SummaryMargins, s);
}

}  // namespace quillet
