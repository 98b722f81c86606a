// Quillet — what runs each time the main window becomes active: the one-time import of
// an installer's settings file and the shell registration.
#include "app/settings_startup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTextStream>

#include "core/settings_store.h"
#include "core/ui.h"
#include "data/file_safety.h"
#include "payroll_import/payroll_settings.h"
#include "platform/shared_file.h"
#include "platform/shell_registration.h"
#include "reports/print_settings.h"

namespace quillet {

StartUpPlaces StartUpPlaces::ofThisMachine(const QString& programPath) {
  StartUpPlaces places;
  places.programPath = programPath;
#ifdef Q_OS_WIN
  const QSettings windows(
      QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion"),
      QSettings::NativeFormat);
  const QString systemRoot = windows.value(QStringLiteral("SystemRoot")).toString();
  places.settingsFiles << (systemRoot.isEmpty() ? QDir::rootPath() : systemRoot) +
                              QStringLiteral("/Quillet.ini");
  places.settingsFiles << QFileInfo(programPath).absolutePath() + QStringLiteral("/Quillet.ini")
                       << QStringLiteral("C:/Windows/Quillet.ini");
#else
  places.settingsFiles << QDir::rootPath() + QStringLiteral("Quillet.ini")
                       << QFileInfo(programPath).absolutePath() + QStringLiteral("/Quillet.ini");
#endif
  places.dataHome = platform::userDataHome();
  // Installed, the program's desktop entry stands in the share folder beside its bin.
  places.installedSystemWide =
      QFileInfo::exists(QFileInfo(programPath).absolutePath() +
                        QStringLiteral("/../share/applications/quillet.desktop"));
  return places;
}

FileStatus importSettingsFile(const QString& path, const SettingsStore& settings) {
  const FileError unreadable{platform::cannotOpenMessage(path)};
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return unreadable;
  FileStatus stored;
  const PrintSettings none;
  PrintSettings margins;
  QTextStream in(&file);
  const auto number = [](const QString& value, int fallback) {
    bool ok;
    const int n = value.toInt(&ok);
    return ok ? n : fallback;
  };
  for (QString line; in.readLineInto(&line);) {
    line = line.trimmed();
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0 || equals == line.size() - 1) continue;
    const QString key = line.left(equals);
    const QString value = line.mid(equals + 1);
    if (key == QLatin1String("ConfigDir")) {
      if (stored) stored = WriteConfigDir(settings, value);
    } else if (key == QLatin1String("TOP")) {
      margins.Top = number(value, 50);
    } else if (key == QLatin1String("LEFT")) {
      margins.Left = number(value, 25);
    } else if (key == QLatin1String("T4TYPE")) {
      margins.T4Type = number(value, 1);
    } else if (key == QLatin1String("LINEUP")) {
      margins.LineUp = value != QLatin1String("0");
    }
  }
  if (in.status() != QTextStream::Ok) return unreadable;
  if (stored && margins != none) stored = WriteT4Margins(settings, margins);
  return stored;
}

std::optional<Installation> readInstallation(const SettingsStore& settings) {
  const auto read = [](QSettings& store) {
    return Installation{store.value(QStringLiteral("ExecPath_Name")).toString(),
                        store.value(QStringLiteral("CurrVers")).toString()};
  };
  const auto machine = settings.open(SettingsStore::Scope::Machine);
  if (!machine->allKeys().isEmpty()) return read(*machine);
  const auto user = settings.open(SettingsStore::Scope::User);
  if (user->contains(QStringLiteral("ExecPath_Name"))) return read(*user);
  return std::nullopt;
}

FileStatus writeInstallation(const SettingsStore& settings, const Installation& installation) {
  FileStatus stored;
  for (const auto scope : {SettingsStore::Scope::Machine, SettingsStore::Scope::User}) {
    const auto store = settings.open(scope);
    store->setValue(QStringLiteral("ExecPath_Name"), installation.execPathName);
    store->setValue(QStringLiteral("CurrVers"), installation.currVers);
    if ((stored = saveSettings(*store))) break;
  }
  return stored;
}

void SettingsStartUp(const SettingsStore& settings, const StartUpPlaces& places, Ui& ui) {
  const auto installation = readInstallation(settings);
  if (installation && installation->execPathName == places.programPath) return;

  for (const QString& path : places.settingsFiles) {
    if (!QFileInfo::exists(path)) continue;
    // A file that cannot be read, or whose settings cannot be stored, ends the start-up
    // before it is deleted.
    if (const FileStatus imported = importSettingsFile(path, settings); !imported) {
      ui.showMessage(imported.message());
      return;
    }
    QFile::remove(path);
    break;
  }

  if (!places.installedSystemWide) {
    platform::registerShell(places.programPath, places.dataHome);
    platform::registerAppPath(places.programPath);
  }
  Installation record = installation.value_or(Installation{places.programPath, QString()});
  if (record.currVers.isEmpty()) record.currVers = QStringLiteral("2.0");
  // Not told: a record that could not be stored only makes the next activation do this
  // again.
  (void)writeInstallation(settings, record);
}

}  // namespace quillet
