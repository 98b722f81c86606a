// Quillet — the stored settings of XML returns.
#include "efile/efile_settings.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include "core/settings_store.h"
#include "data/file_safety.h"

namespace quillet {
namespace {

const QString TransmitterKey = QStringLiteral("Transmitter");
const QString LastReference = QStringLiteral("Transmitter/LastReference");
const QString SchemaFolder = QStringLiteral("SchemaFolder");

QString referenceAfter(int last) {
  return QStringLiteral("Q%1").arg(last % 9999999 + 1, 7, 10, QLatin1Char('0'));
}

QString referenceAfter(const QSettings& settings) {
  return referenceAfter(settings.value(LastReference, 0).toInt());
}

}  // namespace

Transmitter readTransmitter(const SettingsStore& store) {
  const auto settings = store.open();
  settings->beginGroup(TransmitterKey);
  return Transmitter::from(*settings);
}

FileStatus writeTransmitter(const SettingsStore& store, const Transmitter& transmitter) {
  const auto settings = store.open();
  settings->beginGroup(TransmitterKey);
  transmitter.store(*settings);
  return saveSettings(*settings);
}

QString peekSubmissionRef(const SettingsStore& store) { return referenceAfter(*store.open()); }

QString withNextSubmissionRef(const SettingsStore& store,
                              const std::function<bool(const QString&)>& write,
                              const std::function<bool(const QString&)>& used) {
  // The lock is a file of its own beside the settings (QSettings locks the file itself
  // only while it syncs), held while the return is written.
  const QString lockName = store.open()->fileName() + QStringLiteral(".reference-lock");
  QDir().mkpath(QFileInfo(lockName).absolutePath());
  QLockFile lock(lockName);
  lock.setStaleLockTime(0);  // only the lock of a program that is gone is stale
  if (!lock.tryLock(60000)) {
    if (lock.error() == QLockFile::LockFailedError)
      return QStringLiteral(
          "Another program has held the submission reference counter for a minute. Try again "
          "when its return is written.");
    return fileErrorMessage(QStringLiteral("lock the submission reference counter"), lockName);
  }
  const auto settings = store.open();
  QString reference = referenceAfter(*settings);
  for (int tries = 0; used && used(reference) && tries < 9999999; ++tries)
    reference = referenceAfter(reference.mid(1).toInt());
  if (write(reference)) {
    settings->setValue(LastReference, reference.mid(1).toInt());
    (void)saveSettings(*settings);  // an unsaved counter only risks a reference used before
  }
  return {};
}

QString readSchemaFolder(const SettingsStore& store) {
  return store.value(SchemaFolder).toString();
}

FileStatus writeSchemaFolder(const SettingsStore& store, const QString& folder) {
  const auto settings = store.open();
  settings->setValue(SchemaFolder, folder);
  return saveSettings(*settings);
}

}  // namespace quillet
