// Quillet — starting another program without waiting for it.
#include "platform/launcher.h"

#include <QFileInfo>
#include <QProcess>

namespace quillet::platform {

int startDetached(const QString& program, const QStringList& arguments, const QString& runner) {
  if (!QFileInfo::exists(program)) return 2;
  const bool started = runner.isEmpty()
                           ? QProcess::startDetached(program, arguments)
                           : QProcess::startDetached(runner, QStringList{program} + arguments);
  return started ? 33 : 11;
}

QString shortPathName(const QString& path) { return path; }

}  // namespace quillet::platform
