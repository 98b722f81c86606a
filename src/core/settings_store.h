// Quillet — the program's persistent settings: print margins and options, and the
// folder of the payroll product's configuration file.
#pragma once

#include <QSettings>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "data/file_result.h"
#include "efile/t4_xml.h"

namespace quillet {

// The in-memory form of one margins key; all zero when nothing is stored.
struct PrintSettings {
  int32_t Top = 0;
  int32_t Left = 0;
  int32_t T4Type = 0;
  int32_t IExtra1 = 0;
  int32_t IExtra2 = 0;
  bool LineUp = false;
  bool BExtra1 = false;
  bool BExtra2 = false;

  bool operator==(const PrintSettings&) const = default;
};

// Every operation opens the settings, reads or writes, and closes them again: nothing is
// cached. Keys that cannot be read give zero or empty values. Each write goes to the
// store at once; one that cannot be made comes back as the file-failure message of the
// store's file.
class SettingsStore {
 public:
  // The user's own settings, under Software/Corvantis/Quillet/2.0.
  SettingsStore();
  // Settings kept in files inside `folder` (tests, portable use).
  explicit SettingsStore(const QString& folder);

  PrintSettings ReadT4Margins() const;
  FileStatus WriteT4Margins(const PrintSettings& settings) const;
  PrintSettings ReadSummaryMargins() const;
  FileStatus WriteSummaryMargins(const PrintSettings& settings) const;
  // The folder that DOS drive `letter` stands for (the "Drives" key, one value a letter);
  // empty when none is set.
  QString driveFolder(QChar letter) const;

  // The program that runs the payroll product's DOS programs here ("DosRunner", for
  // example wine); empty: they are started as they are.
  QString dosRunner() const;

  QString ReadConfigDir() const;
  FileStatus WriteConfigDir(const QString& folder) const;

  // The installation record of the machine: the program's path and version.
  struct Installation {
    QString execPathName;
    QString currVers;
  };
  // Nothing when the machine has no installation record.
  std::optional<Installation> readInstallation() const;
  FileStatus writeInstallation(const Installation& installation) const;

  // The person who files XML returns (their keys under Transmitter).
  Transmitter readTransmitter() const;
  FileStatus writeTransmitter(const Transmitter& transmitter) const;
  // The submission reference of the next return: "Q" and seven digits, one more for every
  // return written; nothing is taken.
  QString peekSubmissionRef() const;
  // Takes the next reference for `write`, holding the counter locked until `write`
  // returns, and moves the counter on only when it returns true: two returns written at
  // once never take the same reference, and one that stops takes none. A reference for
  // which `used` is true is passed over. Empty when `write` ran; otherwise why the counter
  // could not be locked.
  QString withNextSubmissionRef(const std::function<bool(const QString&)>& write,
                                const std::function<bool(const QString&)>& used = {}) const;
  // The folder of CRA's unpacked schema package that returns are validated against;
  // empty when none was chosen.
  QString readSchemaFolder() const;
  FileStatus writeSchemaFolder(const QString& folder) const;

 private:
  std::unique_ptr<QSettings> open(QSettings::Scope scope) const;
  PrintSettings readMargins(const QString& key) const;
  FileStatus writeMargins(const QString& key, const PrintSettings& settings) const;

  QString m_folder;  // empty: the platform's own store
};

}  // namespace quillet
