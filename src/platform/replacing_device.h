// Quillet — an output file written through QIODevice that replaces its target whole.
#pragma once

#include <QIODevice>
#include <memory>
#include <optional>

#include "platform/file_replacement.h"

namespace quillet::platform {

// A new file beside `target` (see FileReplacement) behind QIODevice, for writers such as
// QPdfWriter that take a device. Writes are gathered in blocks; the first that fails
// fails every later one and the commit, so that nothing half-written takes the target's
// place.
class ReplacingDevice final : public QIODevice {
 public:
  // Open for writing; null when the new file cannot be made or the target may not be
  // replaced (see FileReplacement::beginOutput: the platform's create error).
  static std::unique_ptr<ReplacingDevice> begin(const QString& target);

  ~ReplacingDevice() override;

  bool isSequential() const override { return false; }
  bool failed() const { return m_failed; }
  // Writes what is gathered into the new file, to be read there before the commit.
  bool writeGathered() { return !m_failed && m_replacement && flushGathered(); }
  QByteArray temporaryName() const {
    return m_replacement ? m_replacement->temporaryName() : QByteArray();
  }
  // Writes what is gathered, syncs and puts the file in the target's place; false when
  // any write failed or the file could not be put there. Closes the device.
  bool commit();

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 length) override;

 private:
  explicit ReplacingDevice(FileReplacement replacement);
  bool flushGathered();

  std::optional<FileReplacement> m_replacement;
  QByteArray m_gathered;
  qint64 m_gatheredAt = 0;
  bool m_failed = false;
};

}  // namespace quillet::platform
