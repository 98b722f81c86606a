// Quillet — a file of fixed-size records with an in-memory alphabetical index.
#include "data/t4_file.h"

#include <algorithm>
#include <numeric>

#include "data/index_order.h"
#include "data/t4_record.h"
#include "data/t4a_record.h"

namespace quillet {
namespace {

// The year-end employee record's names (the rest of that layout is the importer's).
constexpr Field YearEndSurname = textField("Surname", 24, 16);
constexpr Field YearEndFirstName = textField("First Name", 41, 16);

// "SURNAME,  First I": a person's key.
QString personKey(std::span<const uint8_t> record, const Field& surname, const Field& first,
                  const Field& initial) {
  return fields::text(record, surname).toUpper() + QStringLiteral(",  ") +
         fields::text(record, first) + QLatin1Char(' ') + fields::text(record, initial);
}

}  // namespace

QString indexKey(IndexKind kind, std::span<const uint8_t> record) {
  using A = T4ARecord;
  using T = T4Record;
  switch (kind) {
    case IndexKind::T4Record:
      if (fields::byte(record, Record768::Record_type) != T4ARecordType)
        return personKey(record, T::Employee_surname, T::Employee_first_name,
                         T::Employee_secondinitial);
      if (fields::byte(record, A::Recipient_is_business) != 0)
        return fields::text(record, A::Business_name_line_1).toUpper();
      return personKey(record, A::Recipient_surname, A::Recipient_first_name, A::Recipient_initial);
    case IndexKind::YearEndEmployee:
      return fields::text(record, YearEndSurname).toUpper() + QStringLiteral(",  ") +
             fields::text(record, YearEndFirstName);
  }
  return QStringLiteral("Use First, Last, Next, Prevs. Indexing error.");
}

FileResult<std::unique_ptr<TAlphaInxFileStream>> TAlphaInxFileStream::Create(
    const QString& fileName, platform::OpenMode mode, uint16_t headerRecords, IndexKind indexKind,
    int recordSize) {
  auto file = platform::SharedFile::open(fileName, mode);
  if (!file) return file.error();
  return Create(std::move(*file), headerRecords, indexKind, recordSize);
}

std::unique_ptr<TAlphaInxFileStream> TAlphaInxFileStream::Create(platform::SharedFile file,
                                                                 uint16_t headerRecords,
                                                                 IndexKind indexKind,
                                                                 int recordSize) {
  std::unique_ptr<TAlphaInxFileStream> stream(
      new TAlphaInxFileStream(std::move(file), headerRecords, indexKind, recordSize));
  stream->buildIndex();
  return stream;
}

TAlphaInxFileStream::TAlphaInxFileStream(platform::SharedFile file, uint16_t headerRecords,
                                         IndexKind kind, int recordSize)
    : m_file(std::move(file)),
      m_indexKind(kind),
      m_recordSize(recordSize),
      m_headerSize(int64_t{recordSize} * headerRecords),
      m_collator(indexCollator()) {}

void TAlphaInxFileStream::buildIndex() {
  const int64_t fileSize = m_file.size();
  if (fileSize > m_headerSize) {
    m_entries.reserve(static_cast<std::size_t>((fileSize - m_headerSize) / m_recordSize));
  }
  // Header records are read with the rest but not indexed.
  forEachRecord(0, [this](int64_t position, std::span<const uint8_t> record) {
    if (position < m_headerSize) return;
    QString key = indexKey(m_indexKind, record);
    QCollatorSortKey sortKey = m_collator.sortKey(key);
    m_entries.push_back({std::move(key), std::move(sortKey), position});
  });

  m_order.resize(m_entries.size());
  std::iota(m_order.begin(), m_order.end(), uint32_t{0});
  std::stable_sort(m_order.begin(), m_order.end(),
                   [this](uint32_t a, uint32_t b) { return inOrder(a, b); });
}

bool TAlphaInxFileStream::inOrder(uint32_t a, uint32_t b) const {
  return m_entries[a].sortKey.compare(m_entries[b].sortKey) < 0;
}

void TAlphaInxFileStream::insertInOrder(uint32_t entry) {
  // After the last equal key, as a full sort would place a newcomer among equals.
  const auto at = std::upper_bound(m_order.begin(), m_order.end(), entry,
                                   [this](uint32_t a, uint32_t b) { return inOrder(a, b); });
  m_order.insert(at, entry);
}

int64_t TAlphaInxFileStream::ReadIndexed(std::span<uint8_t> buffer, int i) const {
  if (i < 0 || i >= Count() || buffer.size() < static_cast<std::size_t>(m_recordSize)) return 0;
  return m_file.readAt(position(i), buffer.first(static_cast<std::size_t>(m_recordSize)));
}

int64_t TAlphaInxFileStream::WriteIndexed(std::span<const uint8_t> buffer, int i,
                                          const QString& newKey) {
  if (i < 0 || buffer.size() < static_cast<std::size_t>(m_recordSize)) return 0;
  const auto record = buffer.first(static_cast<std::size_t>(m_recordSize));

  if (i < Count()) {
    const uint32_t entry = m_order[static_cast<std::size_t>(i)];
    const int64_t written = writeAt(m_entries[entry].position, record);
    if (!newKey.isEmpty() && written == m_recordSize) {
      m_entries[entry].key = newKey;
      m_entries[entry].sortKey = m_collator.sortKey(newKey);
      m_order.erase(m_order.begin() + i);
      insertInOrder(entry);
    }
    return written;
  }

  const int64_t end = appendPosition();
  if (end < 0) return 0;
  const int64_t written = writeAt(end, record);
  if (written == m_recordSize) {
    m_entries.push_back({newKey, m_collator.sortKey(newKey), end});
    insertInOrder(static_cast<uint32_t>(m_entries.size() - 1));
  }
  return written;
}

int64_t TAlphaInxFileStream::appendPosition() const {
  const int64_t size = m_file.size();
  if (size < 0) return -1;
  // After the last whole record: a damaged file's partial tail is written over, so that
  // the new record stands where the next opening will look for it.
  return std::max(m_headerSize, size - size % m_recordSize);
}

int64_t TAlphaInxFileStream::readAt(int64_t position, std::span<uint8_t> buffer) const {
  return m_file.readAt(position, buffer);
}

int64_t TAlphaInxFileStream::writeAt(int64_t position, std::span<const uint8_t> buffer) {
  // What stands there now, and where the file ends if it ends within: put back should
  // the write fall short.
  m_before.resize(buffer.size());
  const int64_t had = m_file.readAt(position, m_before);
  const int64_t written = m_file.writeAt(position, buffer);
  if (written != static_cast<int64_t>(buffer.size()) && written > 0) {
    m_file.writeAt(position,
                   std::span<const uint8_t>(m_before).first(static_cast<std::size_t>(had)));
    if (had < static_cast<int64_t>(buffer.size()) && written > had) {
      m_file.truncate(position + had);
    }
  }
  return written;
}

QString TAlphaInxFileStream::key(int i) const {
  return m_entries[m_order.at(static_cast<std::size_t>(i))].key;
}

int TAlphaInxFileStream::indexOfPosition(int64_t wanted) const {
  for (std::size_t i = 0; i < m_order.size(); ++i) {
    if (m_entries[m_order[i]].position == wanted) return static_cast<int>(i);
  }
  return -1;
}

int64_t TAlphaInxFileStream::position(int i) const {
  return m_entries[m_order.at(static_cast<std::size_t>(i))].position;
}

}  // namespace quillet
