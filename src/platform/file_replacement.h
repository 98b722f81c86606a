// Quillet — a whole file made anew beside the one it replaces, then put in its place.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "core/file_result.h"
#include "platform/shared_file.h"

namespace quillet::platform {

// The new file lives under a hidden temporary name in the target's folder until
// commit() syncs it and renames it over the target in one step, so that the target is
// at every moment either whole and old or whole and new. Dropped without a commit, the
// new file is removed and the target is as it was.
class FileReplacement {
 public:
  // An empty new file, locked as a writer's, to replace a target that the caller holds
  // open for writing (or that does not exist). It takes the target's permissions (and
  // may be written by its owner), and its owner and group where the process may give
  // them; the file a link names is the one replaced. The platform's create error when
  // the folder takes no new file.
  static FileResult<FileReplacement> begin(const QString& target);
  // The same for an output: an existing target is held against writers until the
  // commit, and refused (the platform's create error) when a writer holds it open, here
  // or elsewhere, as the T4 file being edited is.
  static FileResult<FileReplacement> beginOutput(const QString& target);

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
  std::optional<SharedFile> m_held;  // an output's old target, kept from writers
  QByteArray m_temporary;
  QByteArray m_target;
  QString m_name;  // the target as the caller named it, for messages
};

// Removes the new files that replacements of `path` left behind when they were killed
// (hidden ".NAME.~xxxxxxxx" beside it); one that a living replacement holds stays.
void removeStaleReplacements(const QString& path);

// A replacement gives the new file one name only, and the file's other names (hard
// links) keep the old one: "Note: …" telling so, or nothing when it has no other name.
QString otherNamesNote(const QString& path);

}  // namespace quillet::platform
