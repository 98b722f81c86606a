// Quillet — the program's persistent settings: print margins and options, and the
// folder of the payroll product's configuration file.
#include "core/settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>

#include "data/file_safety.h"

namespace quillet {
namespace {

const QString Base = QStringLiteral("Software/Corvantis/Quillet/2.0/");
const QString T4Margins = QStringLiteral("T4Margins");
const QString SummaryMargins = QStringLiteral("T4SummaryMargins");
const QString Payroll = QStringLiteral("Payroll");

// The settings written so far, put in the store now; a store that cannot take them says so.
FileStatus saved(QSettings& settings) {
  settings.sync();
  if (settings.status() == QSettings::NoError) return {};
  return FileError{fileErrorMessage(QStringLiteral("write settings to"), settings.fileName())};
}

}  // namespace

SettingsStore::SettingsStore() = default;

SettingsStore::SettingsStore(const QString& folder) : m_folder(folder) {}

std::unique_ptr<QSettings> SettingsStore::open(QSettings::Scope scope) const {
  // On Windows the native store is the registry: opened at the root of the scope, so that
  // Base is the whole key path under it (HKEY_CURRENT_USER, Software, Corvantis, Quillet,
  // 2.0, then the key's own parts). Elsewhere the same paths live in the program's
  // settings files.
  if (m_folder.isEmpty()) {
#ifdef Q_OS_WIN
    const bool user = scope == QSettings::UserScope;
    return std::make_unique<QSettings>(
        user ? QStringLiteral("HKEY_CURRENT_USER") : QStringLiteral("HKEY_LOCAL_MACHINE"),
        QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::NativeFormat, scope, QStringLiteral("Corvantis"),
                                       QStringLiteral("Quillet"));
#endif
  }
  const QString file =
      scope == QSettings::UserScope ? QStringLiteral("user.ini") : QStringLiteral("machine.ini");
  return std::make_unique<QSettings>(QDir(m_folder).filePath(file), QSettings::IniFormat);
}

PrintSettings SettingsStore::readMargins(const QString& key) const {
  const auto settings = open(QSettings::UserScope);
  settings->beginGroup(Base + key);
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

FileStatus SettingsStore::writeMargins(const QString& key, const PrintSettings& s) const {
  const auto settings = open(QSettings::UserScope);
  settings->beginGroup(Base + key);
  settings->setValue(QStringLiteral("TOP"), s.Top);
  settings->setValue(QStringLiteral("LEFT"), s.Left);
  settings->setValue(QStringLiteral("T4TYPE"), s.T4Type);
  settings->setValue(QStringLiteral("IExtra1"), s.IExtra1);
  settings->setValue(QStringLiteral("IExtra2"), s.IExtra2);
  // Booleans are stored as the numbers 0 and 1.
  settings->setValue(QStringLiteral("LINEUP"), int(s.LineUp));
  settings->setValue(QStringLiteral("BExtra1"), int(s.BExtra1));
  settings->setValue(QStringLiteral("BExtra2"), int(s.BExtra2));
  return saved(*settings);
}

PrintSettings SettingsStore::ReadT4Margins() const { return readMargins(T4Margins); }
FileStatus SettingsStore::WriteT4Margins(const PrintSettings& s) const {
  return writeMargins(T4Margins, s);
}
PrintSettings SettingsStore::ReadSummaryMargins() const { return readMargins(SummaryMargins); }
FileStatus SettingsStore::WriteSummaryMargins(const PrintSettings& s) const {
  return writeMargins(SummaryMargins, s);
}

QString SettingsStore::driveFolder(QChar letter) const {
  return open(QSettings::UserScope)
      ->value(Base + QStringLiteral("Drives/") + letter.toUpper())
      .toString();
}

QString SettingsStore::dosRunner() const {
  return open(QSettings::UserScope)->value(Base + QStringLiteral("DosRunner")).toString();
}

QString SettingsStore::ReadConfigDir() const {
  return open(QSettings::UserScope)
      ->value(Base + Payroll + QStringLiteral("/ConfigDir"))
      .toString();
}

FileStatus SettingsStore::WriteConfigDir(const QString& folder) const {
  const auto settings = open(QSettings::UserScope);
  settings->setValue(Base + Payroll + QStringLiteral("/ConfigDir"), folder);
  return saved(*settings);
}

Transmitter SettingsStore::readTransmitter() const {
  const auto settings = open(QSettings::UserScope);
  settings->beginGroup(Base + QStringLiteral("Transmitter"));
  return Transmitter::from(*settings);
}

FileStatus SettingsStore::writeTransmitter(const Transmitter& transmitter) const {
  const auto settings = open(QSettings::UserScope);
  settings->beginGroup(Base + QStringLiteral("Transmitter"));
  transmitter.store(*settings);
  return saved(*settings);
}

QString SettingsStore::readSchemaFolder() const {
  return open(QSettings::UserScope)->value(Base + QStringLiteral("SchemaFolder")).toString();
}

FileStatus SettingsStore::writeSchemaFolder(const QString& folder) const {
  const auto settings = open(QSettings::UserScope);
  settings->setValue(Base + QStringLiteral("SchemaFolder"), folder);
  return saved(*settings);
}

namespace {

const QString LastReference = Base + QStringLiteral("Transmitter/LastReference");

QString referenceAfter(int last) {
  return QStringLiteral("Q%1").arg(last % 9999999 + 1, 7, 10, QLatin1Char('0'));
}

QString referenceAfter(const QSettings& settings) {
  return referenceAfter(settings.value(LastReference, 0).toInt());
}

}  // namespace

QString SettingsStore::peekSubmissionRef() const {
  return referenceAfter(*open(QSettings::UserScope));
}

QString SettingsStore::withNextSubmissionRef(
    const std::function<bool(const QString&)>& write,
    const std::function<bool(const QString&)>& used) const {
  // The lock is a file of its own beside the settings (QSettings locks the file itself
  // only while it syncs), held while the return is written.
  const QString settingsFile = open(QSettings::UserScope)->fileName();
  QDir().mkpath(QFileInfo(settingsFile).absolutePath());
  QLockFile lock(settingsFile + QStringLiteral(".reference-lock"));
  lock.setStaleLockTime(0);  // only the lock of a program that is gone is stale
  if (!lock.tryLock(60000)) {
    if (lock.error() == QLockFile::LockFailedError)
      return QStringLiteral(
          "Another program has held the submission reference counter for a minute. Try again "
          "when its return is written.");
    return fileErrorMessage(QStringLiteral("lock the submission reference counter"),
                            settingsFile + QStringLiteral(".reference-lock"));
  }
  const auto settings = open(QSettings::UserScope);
  QString reference = referenceAfter(*settings);
  for (int tries = 0; used && used(reference) && tries < 9999999; ++tries)
    reference = referenceAfter(reference.mid(1).toInt());
  if (write(reference)) {
    settings->setValue(LastReference, reference.mid(1).toInt());
    (void)saved(*settings);  // an unsaved counter only risks a reference used before
  }
  return {};
}

// The machine's installation record; where an ordinary user cannot write the machine's
// settings, the record is kept in the user's own.
std::optional<SettingsStore::Installation> SettingsStore::readInstallation() const {
  const auto read = [](QSettings& settings) {
    return Installation{settings.value(QStringLiteral("ExecPath_Name")).toString(),
                        settings.value(QStringLiteral("CurrVers")).toString()};
  };
  const auto machine = open(QSettings::SystemScope);
  machine->beginGroup(Base);
  if (!machine->allKeys().isEmpty()) return read(*machine);
  const auto user = open(QSettings::UserScope);
  user->beginGroup(Base);
  if (user->contains(QStringLiteral("ExecPath_Name"))) return read(*user);
  return std::nullopt;
}

FileStatus SettingsStore::writeInstallation(const Installation& installation) const {
  FileStatus stored;
  for (const QSettings::Scope scope : {QSettings::SystemScope, QSettings::UserScope}) {
    const auto settings = open(scope);
    settings->beginGroup(Base);
    settings->setValue(QStringLiteral("ExecPath_Name"), installation.execPathName);
    settings->setValue(QStringLiteral("CurrVers"), installation.currVers);
    if ((stored = saved(*settings))) break;
  }
  return stored;
}

}  // namespace quillet
