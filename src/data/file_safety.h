// Quillet — copying any file safely, and failed file operations told in plain words.
#pragma once

#include <QString>

#include "core/file_result.h"

class QSettings;

namespace quillet {

class OpenT4FileState;
class Ui;

// Before a save into the open T4 file: true when it is still the file at its path. When
// another program moved, deleted or replaced it, says so and offers to keep the open file
// (to which the save then goes) under a name the user chooses; false, with nothing saved,
// when the user declines or it cannot be written there.
bool openFileStillAtItsPath(OpenT4FileState& state, Ui& ui);

// Copies `source` to `destination`, or tells the user why not: empty or identical names,
// a missing or empty source, No to the overwrite question (asked when `confirmOverwrite`
// and the destination exists), a copy of the wrong size (deleted again). The copy keeps
// the source's last-modified time and is put in the destination's place only once it is
// whole on the disk. A destination that is the source itself under another name, or a
// file open for writing (here or elsewhere), is never replaced: the copy ends with the
// platform's create error.
void CopyAnyFile(const QString& source, const QString& destination, bool confirmOverwrite, Ui& ui);

// "Could not <operation>. File = <path> …" with the disk's size and free space and the
// likely causes.
QString fileErrorMessage(const QString& operation, const QString& path);
void ShowFileError(const QString& operation, const QString& path, Ui& ui);

// The settings written so far, put in the store now; a store that cannot take them comes
// back as the file-failure message of the store's file.
FileStatus saveSettings(QSettings& settings);

}  // namespace quillet
