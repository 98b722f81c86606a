// Quillet — a file of fixed-size records with an in-memory alphabetical index.
#pragma once

#include <QCollator>
#include <QString>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "core/file_result.h"
#include "platform/shared_file.h"

namespace quillet {

enum class IndexKind : uint16_t {
  T4Record = 1,         // SURNAME,  First I; a business recipient of a T4A: its NAME
  YearEndEmployee = 2,  // SURNAME,  First (the payroll product's year-end file)
};

// The key under which a record is indexed when the file is opened.
QString indexKey(IndexKind kind, std::span<const uint8_t> record);

// Opening reads the whole file once, in large blocks, and indexes every whole record
// from HeaderSize on by its key; records are then read and written by their position
// in key order. The index holds keys and positions, never the records.
class TAlphaInxFileStream {
 public:
  static constexpr int NothingPicked = 32767;

  static FileResult<std::unique_ptr<TAlphaInxFileStream>> Create(const QString& fileName,
                                                                 platform::OpenMode mode,
                                                                 uint16_t headerRecords,
                                                                 IndexKind indexKind,
                                                                 int recordSize);
  // The same over a file that is already open.
  static std::unique_ptr<TAlphaInxFileStream> Create(platform::SharedFile file,
                                                     uint16_t headerRecords, IndexKind indexKind,
                                                     int recordSize);

  TAlphaInxFileStream(const TAlphaInxFileStream&) = delete;
  TAlphaInxFileStream& operator=(const TAlphaInxFileStream&) = delete;

  int Count() const { return static_cast<int>(m_order.size()); }

  // Reads the record at index position `i` into `buffer` (RecordSize bytes); 0 and the
  // buffer untouched when `i` is out of range.
  int64_t ReadIndexed(std::span<uint8_t> buffer, int i) const;

  // 0 <= i < Count: rewrites that record in place and, with a non-empty key, re-keys it
  // (it may then stand at another index position). i >= Count: appends a new record
  // under `newKey` after the last whole record (never before HeaderSize). i < 0:
  // nothing. Returns the bytes written; a short write leaves the index as it was, and the
  // file too as far as the disk lets (see writeAt).
  int64_t WriteIndexed(std::span<const uint8_t> buffer, int i, const QString& newKey);

  // Calls `visit(position, record)` for every whole record from `from` to the end of the
  // file, reading it in large blocks; a trailing partial record is not visited.
  template <class Visit>
  void forEachRecord(int64_t from, Visit&& visit) const;

  // Positioned access to whole slots, outside the index. A short write puts back what
  // stood there before (a file that grew is cut back to its old length), so that a
  // failed write leaves no torn record behind.
  int64_t readAt(int64_t position, std::span<uint8_t> buffer) const;
  int64_t writeAt(int64_t position, std::span<const uint8_t> buffer);
  int64_t size() const { return m_file.size(); }
  // Puts every write so far on the disk; false when the system could not.
  bool sync() { return m_file.sync(); }
  // The file was made anew with every record at its old position (a whole-file change):
  // the stream goes on with `file`, and the index holds as it is.
  void replaceFile(platform::SharedFile file) { m_file = std::move(file); }
  const platform::SharedFile& file() const { return m_file; }

  QString key(int i) const;
  int64_t position(int i) const;
  // The index position of the record at byte `position`; -1 when none is indexed there.
  int indexOfPosition(int64_t position) const;
  // Where the next appended record goes: after the last whole record, never before
  // HeaderSize; -1 when the file's size cannot be told.
  int64_t appendPosition() const;

  int recordSize() const { return m_recordSize; }
  int64_t headerSize() const { return m_headerSize; }
  IndexKind indexKind() const { return m_indexKind; }

  // Set and read by the employee index window and the entry screen.
  int PickedIndex = 0;
  bool CoInfoShown = false;

 private:
  struct Entry {
    QString key;
    QCollatorSortKey sortKey;
    int64_t position;
  };

  TAlphaInxFileStream(platform::SharedFile file, uint16_t headerRecords, IndexKind kind,
                      int recordSize);
  void buildIndex();
  bool inOrder(uint32_t a, uint32_t b) const;
  void insertInOrder(uint32_t entry);

  platform::SharedFile m_file;
  IndexKind m_indexKind;
  int m_recordSize;
  int64_t m_headerSize;
  QCollator m_collator;
  std::vector<Entry> m_entries;   // one per indexed record, in order of discovery
  std::vector<uint32_t> m_order;  // entries in key order: the index positions
  std::vector<uint8_t> m_before;  // what a write replaces, until it has succeeded
};

template <class Visit>
void TAlphaInxFileStream::forEachRecord(int64_t from, Visit&& visit) const {
  constexpr int RecordsPerBlock = 1024;
  const auto recordBytes = static_cast<std::size_t>(m_recordSize);
  std::vector<uint8_t> block(recordBytes * RecordsPerBlock);
  for (int64_t blockStart = from;;) {
    const int64_t got = m_file.readAt(blockStart, block);
    const auto whole = static_cast<std::size_t>(got / m_recordSize);
    for (std::size_t r = 0; r < whole; ++r) {
      visit(blockStart + static_cast<int64_t>(r * recordBytes),
            std::span<const uint8_t>(block).subspan(r * recordBytes, recordBytes));
    }
    if (got < static_cast<int64_t>(block.size())) break;
    blockStart += got;
  }
}

}  // namespace quillet
