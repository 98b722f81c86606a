// Quillet fuzzing — what every target shares: an application for fonts, a folder for
// files, and the batch tool run in-process on them.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quillet::fuzz {

// Made once, before the first input: the application and the folder.
void setUp();

// Writes `bytes` as `name` in the folder and returns its path.
QString writeFile(const QString& name, const QByteArray& bytes);
QString folderPath(const QString& name);

// Runs quillet-cli with `args`; its output is thrown away.
void runCli(const QStringList& args);

}  // namespace quillet::fuzz
