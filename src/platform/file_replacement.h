// Quillet — a whole file made anew beside the one it replaces, then put in its place.
#pragma once

#include <QByteArray>
#include <QString>

#include "data/file_result.h"
#include "platform/shared_file.h"

namespace quillet::platform {

// The new file lives under a hidden temporary name in the target's folder until
// commit() syncs it and renames it over the target in one step, so that the target is
// at every moment either whole and old or whole and new. Dropped without a commit, the
// new file is removed and the target is as it was.
class FileReplacement {
 public:
  // An empty new file, locked as a writer's. It takes the target's permissions (and may
  // be written by its owner); the file a link names is the one replaced. The platform's
  // create error when the folder takes no new file.
  static FileResult<FileReplacement> begin(const QString& target);

  FileReplacement(FileReplacement&& other) noexcept;
  FileReplacement& operator=(FileReplacement&&) = delete;
  FileReplacement(const FileReplacement&) = delete;
  ~FileReplacement();

  SharedFile& file() { return m_file; }
  // The new file's own name, until the commit.
  const QByteArray& temporaryName() const { return m_temporary; }

  // Syncs the new file and puts it in the target's place. The handle that comes back is
  // the target now, still open and locked; on failure the target is untouched.
  FileResult<SharedFile> commit();

 private:
  FileReplacement(SharedFile file, QByteArray temporary, QByteArray target, QString name);

  SharedFile m_file;
  QByteArray m_temporary;
  QByteArray m_target;
  QString m_name;  // the target as the caller named it, for messages
};

}  // namespace quillet::platform
