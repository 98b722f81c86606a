// Quillet — an output file written through QIODevice that replaces its target whole.
#include "platform/replacing_device.h"

namespace quillet::platform {
namespace {

constexpr qsizetype BlockSize = 1 << 16;

}  // namespace

std::unique_ptr<ReplacingDevice> ReplacingDevice::begin(const QString& target) {
  auto replacement = FileReplacement::beginOutput(target);
  if (!replacement) return nullptr;
  std::unique_ptr<ReplacingDevice> device(new ReplacingDevice(std::move(*replacement)));
  device->open(QIODevice::WriteOnly);
  return device;
}

ReplacingDevice::ReplacingDevice(FileReplacement replacement)
    : m_replacement(std::move(replacement)) {}

ReplacingDevice::~ReplacingDevice() = default;

qint64 ReplacingDevice::writeData(const char* data, qint64 length) {
  if (m_failed || !m_replacement) return -1;
  // A write elsewhere than straight after the gathered bytes (a seek) sends them first.
  if (pos() != m_gatheredAt + m_gathered.size()) {
    if (!flushGathered()) return -1;
    m_gatheredAt = pos();
  }
  m_gathered.append(data, length);
  if (m_gathered.size() >= BlockSize && !flushGathered()) return -1;
  return length;
}

bool ReplacingDevice::flushGathered() {
  const auto bytes = std::span(reinterpret_cast<const uint8_t*>(m_gathered.constData()),
                               static_cast<std::size_t>(m_gathered.size()));
  if (m_replacement->file().writeAt(m_gatheredAt, bytes) != m_gathered.size()) m_failed = true;
  m_gatheredAt += m_gathered.size();
  m_gathered.clear();
  return !m_failed;
}

bool ReplacingDevice::commit() {
  if (!m_replacement) return false;
  const bool written = !m_failed && flushGathered() && m_replacement->commit();
  m_replacement.reset();  // an uncommitted file is removed
  close();
  return written;
}

}  // namespace quillet::platform
