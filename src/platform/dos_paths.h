// Quillet — the payroll product's DOS paths ("C:\DATA\CO1\WGBT4.DTA") as paths of this machine.
#pragma once

#include <QString>
#include <functional>

namespace quillet::platform {

// The folder a drive letter stands for; empty when it stands for none.
using DriveTable = std::function<QString(QChar letter)>;

// On Windows the path as it is. Elsewhere its drive letter becomes the folder `drives`
// gives (or, failing that, a Wine prefix's dosdevices folder), backslashes become the
// native separator, and each component is matched without regard to case, so that
// WGBT4.DTA is found as wgbt4.dta. A component that matches nothing is kept as written.
// The path never leads out of its drive's folder: "." and ".." are resolved by name, and
// ".." above the drive's root gives a name inside that folder that matches no file.
QString nativePath(const QString& dosPath, const DriveTable& drives = {});

// The other way: a path of this machine as a DOS program sees it, through the drive
// letter whose folder holds it ("C:\WGBPGMS\CO1.CNF"); the path as it is when no
// drive's folder holds it, and on Windows.
QString dosPath(const QString& nativePath, const DriveTable& drives = {});

// The DOS error code that stands for a system error (errno), `fallback` for one that has
// no DOS counterpart or for none at all.
int dosErrorCode(int systemError, int fallback);

}  // namespace quillet::platform
