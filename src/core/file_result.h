// Quillet — file failures as values.
#pragma once

#include <QString>
#include <utility>
#include <variant>

namespace quillet {

// A failure that the command which met it turns into a message for the user.
struct FileError {
  QString message;
  int systemError = 0;  // the operating system's own code (errno), when one is known
};

// A value, or the FileError that stopped it from being made.
template <class T>
class FileResult {
 public:
  FileResult(T value) : m_state(std::move(value)) {}
  FileResult(FileError error) : m_state(std::move(error)) {}

  explicit operator bool() const { return std::holds_alternative<T>(m_state); }
  T& operator*() { return std::get<T>(m_state); }
  const T& operator*() const { return std::get<T>(m_state); }
  T* operator->() { return &std::get<T>(m_state); }
  const T* operator->() const { return &std::get<T>(m_state); }
  const FileError& error() const { return std::get<FileError>(m_state); }

 private:
  std::variant<T, FileError> m_state;
};

// Success, or the FileError that stopped the operation.
class FileStatus {
 public:
  FileStatus() = default;
  FileStatus(FileError error) : m_error(std::move(error.message)), m_failed(true) {}

  explicit operator bool() const { return !m_failed; }
  const QString& message() const { return m_error; }

 private:
  QString m_error;
  bool m_failed = false;
};

}  // namespace quillet
