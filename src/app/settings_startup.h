// Quillet — what runs each time the main window becomes active: the one-time import of
// an installer's settings file and the shell registration.
#pragma once

#include <QStringList>
#include <optional>

#include "core/file_result.h"

namespace quillet {

class SettingsStore;
class Ui;

struct StartUpPlaces {
  QString programPath;        // the running program
  QStringList settingsFiles;  // where an installer may have left Quillet.ini, in order
  QString dataHome;           // the user's XDG data folder, for the shell registration
  // The program installed (its package brings the desktop entry, the MIME types and the
  // icon, in the share folder beside its bin): none is written into the user's folder.
  bool installedSystemWide = false;

  // The places of this machine.
  static StartUpPlaces ofThisMachine(const QString& programPath);
};

// The installation record of the machine: the program's path and version.
struct Installation {
  QString execPathName;
  QString currVers;
};
// Nothing when the machine has no installation record.
std::optional<Installation> readInstallation(const SettingsStore& settings);
// Where an ordinary user cannot write the machine's settings, the record is kept in the
// user's own.
FileStatus writeInstallation(const SettingsStore& settings, const Installation& installation);

// Nothing happens while the installation record names the running program. Otherwise the
// first settings file found is imported and deleted, the shell registration is written,
// and the installation record is made (or kept as it is).
void SettingsStartUp(const SettingsStore& settings, const StartUpPlaces& places, Ui& ui);

// Reads an installer's settings file into the store; the platform's open error when it
// cannot be read, the store's message when its settings cannot be stored.
FileStatus importSettingsFile(const QString& path, const SettingsStore& settings);

}  // namespace quillet
