// Quillet — starting another program without waiting for it.
#pragma once

#include <QString>
#include <QStringList>

namespace quillet::platform {

// Starts `program` with `arguments` (an argument list, never a shell) and returns at once.
// `runner`, when not empty, is started instead with the program as its first argument (a
// program for another system, such as a DOS .EXE through wine). The result follows the
// old launcher's codes: 32 or more started; 2 the file was not found; 11 it could not be
// run; 0 anything else.
int startDetached(const QString& program, const QStringList& arguments, const QString& runner = {});

// The short (8.3) form of a path on Windows; elsewhere the path itself.
QString shortPathName(const QString& path);

}  // namespace quillet::platform
