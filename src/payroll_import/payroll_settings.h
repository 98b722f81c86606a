// Quillet — the stored settings of the payroll import: where its configuration is, the
// folders of its DOS drives, the program that runs its DOS programs.
#pragma once

#include <QChar>
#include <QString>

#include "core/file_result.h"

namespace quillet {

class SettingsStore;

// The folder that DOS drive `letter` stands for (the "Drives" key, one value a letter);
// empty when none is set.
QString driveFolder(const SettingsStore& store, QChar letter);
// The program that runs the payroll product's DOS programs here ("DosRunner", for example
// wine); empty: they are started as they are.
QString dosRunner(const SettingsStore& store);

QString ReadConfigDir(const SettingsStore& store);
FileStatus WriteConfigDir(const SettingsStore& store, const QString& folder);

}  // namespace quillet
