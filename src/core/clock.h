// Quillet — today's date and time.
#pragma once

#include <QDateTime>

namespace quillet {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock {
 public:
  QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// A clock that stands still: the batch tool's --now, and tests.
class FixedClock final : public Clock {
 public:
  explicit FixedClock(QDateTime now) : m_now(std::move(now)) {}
  QDateTime now() const override { return m_now; }
  void set(QDateTime now) { m_now = std::move(now); }

 private:
  QDateTime m_now;
};

}  // namespace quillet
