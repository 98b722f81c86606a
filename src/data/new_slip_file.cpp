// Quillet — a new T4 or T4A file, written beside its name and put there whole.
#include "data/new_slip_file.h"

#include "data/file_safety.h"

namespace quillet {

FileResult<NewSlipFile> NewSlipFile::begin(const QString& path, EmployerRecord employer,
                                           SlipKind kind) {
  auto replacement = platform::FileReplacement::beginOutput(path);
  if (!replacement) return replacement.error();
  NewSlipFile file(std::move(*replacement), path);
  employer.setByte(EmployerRecord::Record_type, EmployerRecordType);
  if (FileStatus written = file.put(HeaderPosition, HeaderRecord::forEmployer(employer, kind));
      !written)
    return FileError{written.message()};
  if (FileStatus written = file.put(EmployerPosition, employer); !written)
    return FileError{written.message()};
  return file;
}

FileStatus NewSlipFile::add(const Record768& slip) {
  if (FileStatus written = put(m_position, slip); !written) return written;
  m_position += Record768::Size;
  return {};
}

FileStatus NewSlipFile::put(int64_t position, const Record768& record) {
  if (m_replacement.file().writeAt(position, record.bytes()) == Record768::Size) return {};
  return FileError{fileErrorMessage(QStringLiteral("write"), m_path)};
}

FileStatus writeEmptySlipFile(const QString& path, const EmployerRecord& employer, SlipKind kind) {
  auto made = NewSlipFile::begin(path, employer, kind);
  if (!made) return made.error();
  if (auto committed = made->commit(); !committed) return committed.error();
  return {};
}

}  // namespace quillet
