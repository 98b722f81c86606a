// Quillet — the one T4 file that is open: its name, its stream and the shared buffer.
#include "data/open_t4_file.h"

#include "core/ui.h"
#include "platform/file_names.h"
#include "platform/file_replacement.h"

namespace quillet {

FileStatus OpenT4FileState::OpenT4File(T4Access access) {
  CloseT4File();
  platform::OpenMode mode = platform::OpenMode::ReadOnly;
  if (access == T4Access::Edit) {
    mode = platform::pathFacts(m_fileName).exists ? platform::OpenMode::ReadWriteDenyWrite
                                                  : platform::OpenMode::Create;
  }
  auto stream =
      TAlphaInxFileStream::Create(m_fileName, mode, 2, IndexKind::T4Record, Record768::Size);
  if (!stream) return stream.error();
  holdFile(std::move(*stream));
  return {};
}

void OpenT4FileState::OpenT4File(platform::SharedFile file) {
  CloseT4File();
  holdFile(TAlphaInxFileStream::Create(std::move(file), 2, IndexKind::T4Record, Record768::Size));
}

void OpenT4FileState::holdFile(std::unique_ptr<TAlphaInxFileStream> file) {
  m_file = std::move(file);
  HeaderRecord header;
  Record768 first;
  if (m_file->readAt(HeaderPosition, header.bytes()) != Record768::Size) {
    m_kind = m_fileName.endsWith(QStringLiteral(".T4A"), Qt::CaseInsensitive) ? SlipKind::T4A
                                                                              : SlipKind::T4;
  } else if (m_file->readAt(FirstT4Position, first.bytes()) == Record768::Size &&
             first.recordType() == T4ARecordType) {
    m_kind = SlipKind::T4A;
  } else {
    m_kind = header.slipKind();
  }
}

FileStatus OpenT4FileState::keepUnder(const QString& path) {
  auto copy = platform::FileReplacement::beginOutput(path);
  if (!copy) return copy.error();
  if (platform::copyContents(m_file->file(), copy->file()) != m_file->size())
    return FileError{platform::cannotWriteMessage(path)};
  auto kept = copy->commit();
  if (!kept) return kept.error();
  m_fileName = path;
  OpenT4File(std::move(*kept));
  return {};
}

void OpenT4FileState::CloseT4File() {
  m_file.reset();
  m_kind = SlipKind::T4;
  m_sharedRecord.clear();
}

bool OpenT4FileState::readSlot(int64_t position) {
  return T4FileOpen() && m_file->readAt(position, m_sharedRecord.bytes()) == Record768::Size;
}

bool OpenT4FileState::writeSlot(int64_t position) {
  return T4FileOpen() && m_file->writeAt(position, m_sharedRecord.bytes()) == Record768::Size;
}

bool readEmployerRecord(OpenT4FileState& state, EmployerRecord& copy) {
  copy.clear();
  if (!state.readSlot(EmployerPosition)) return false;
  copy.bytes() = state.sharedRecord().bytes();
  return true;
}

bool writeEmployerAndHeader(OpenT4FileState& state, EmployerRecord& employer) {
  employer.setByte(EmployerRecord::Record_type, EmployerRecordType);
  state.sharedRecord() = HeaderRecord::forEmployer(employer, state.slipKind());
  if (!state.writeSlot(HeaderPosition)) return false;
  state.sharedRecord() = employer;
  return state.writeSlot(EmployerPosition);
}

bool readEmployerRecordForReports(OpenT4FileState& state, Ui& ui, EmployerRecord& copy) {
  if (readEmployerRecord(state, copy)) return true;
  ui.showMessage(QStringLiteral(
      "File READ error when getting Company Information. This will be missing on T4 "
      "Forms. When done, exit program, try copying T4 file, and check disk with a disk "
      "utility."));
  return false;
}

}  // namespace quillet
