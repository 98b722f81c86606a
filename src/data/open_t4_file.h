// Quillet — the one T4 file that is open: its name, its stream and the shared buffer.
#pragma once

#include <memory>

#include "core/file_result.h"
#include "data/employer_record.h"
#include "data/t4_file.h"

namespace quillet {

class Ui;

enum class T4Access {
  Edit,     // read and write; created empty when it does not exist yet
  Inspect,  // read only, never created (the batch tool's check and dump)
};

// The desktop program owns one of these for its lifetime; screens and reports reach the
// open file through it.
class OpenT4FileState {
 public:
  const QString& T4FileName() const { return m_fileName; }
  void setT4FileName(const QString& name) { m_fileName = name; }
  bool T4FileOpen() const { return m_file != nullptr; }
  TAlphaInxFileStream& T4File() { return *m_file; }
  // The slips of the open file: T4A when its header says so or its first slip is a T4A,
  // or, while it has no header yet, when its name ends in ".T4A".
  SlipKind slipKind() const { return m_kind; }

  // The one buffer through which records of the open file are read and written.
  Record768& sharedRecord() { return m_sharedRecord; }

  // Closes any open file, then opens T4FileName (creating it empty if it does not
  // exist and `access` allows). On failure no file is open and the platform's message
  // is returned.
  FileStatus OpenT4File(T4Access access = T4Access::Edit);
  // Opens T4FileName as `file`, which is that file, already open for editing (a file
  // made anew and put in its place).
  void OpenT4File(platform::SharedFile file);
  void CloseT4File();
  // True when T4FileName still names the open file: another program may have moved,
  // deleted or replaced it since it was opened.
  bool stillAtItsPath() const { return m_file && m_file->file().isFile(m_fileName); }
  // Writes the open file whole as `path` and holds that one from now on, under that name.
  // The platform's message when it cannot; the open file is then as it was.
  FileStatus keepUnder(const QString& path);

  // Moves exactly one slot between the shared buffer and the file; a shorter transfer
  // is a failure. A write is not yet on the disk: sync() puts it there.
  bool readSlot(int64_t position);
  bool writeSlot(int64_t position);

 private:
  QString m_fileName;
  void holdFile(std::unique_ptr<TAlphaInxFileStream> file);

  std::unique_ptr<TAlphaInxFileStream> m_file;
  SlipKind m_kind = SlipKind::T4;
  Record768 m_sharedRecord;
};

// Reads the employer record into `copy` through the shared buffer; `copy` is left all
// zero when the record cannot be read whole.
bool readEmployerRecord(OpenT4FileState& state, EmployerRecord& copy);

// Writes `employer` (as Record_type 64) to its slot, and in front of it the header record
// that carries its business number and the kind of the file's slips. False when either slot was not
// written whole.
bool writeEmployerAndHeader(OpenT4FileState& state, EmployerRecord& employer);

// The same for the printed reports, which tell the user when it fails.
bool readEmployerRecordForReports(OpenT4FileState& state, Ui& ui, EmployerRecord& copy);

}  // namespace quillet
