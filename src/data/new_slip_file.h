// Quillet — a new T4 or T4A file, written beside its name and put there whole.
#pragma once

#include <QString>

#include "core/file_result.h"
#include "data/employer_record.h"
#include "platform/file_replacement.h"

namespace quillet {

class NewSlipFile {
 public:
  // Begins the file at `path` with its header (of `kind`) and `employer` as its employer
  // or payer record; an existing file there is replaced only by the commit. The platform's
  // message when it cannot be begun or those two cannot be written.
  static FileResult<NewSlipFile> begin(const QString& path, EmployerRecord employer, SlipKind kind);

  // Writes `slip` after the slips so far; the file-failure message when it cannot.
  FileStatus add(const Record768& slip);
  int slips() const { return int((m_position - FirstT4Position) / Record768::Size); }
  // Syncs the file and puts it at its path; the file stays open and locked.
  FileResult<platform::SharedFile> commit() { return m_replacement.commit(); }

 private:
  NewSlipFile(platform::FileReplacement replacement, QString path)
      : m_replacement(std::move(replacement)), m_path(std::move(path)) {}
  FileStatus put(int64_t position, const Record768& record);

  platform::FileReplacement m_replacement;
  QString m_path;
  int64_t m_position = FirstT4Position;
};

// A file of `kind` at `path` with its header and `employer` alone, no slips; the platform's
// message when it cannot be made whole.
FileStatus writeEmptySlipFile(const QString& path, const EmployerRecord& employer, SlipKind kind);

}  // namespace quillet
