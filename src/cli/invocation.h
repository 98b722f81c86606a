// Quillet — a parsed command line of the batch tool.
#pragma once

#include <QHash>
#include <QStringList>
#include <QTextStream>
#include <memory>
#include <optional>

#include "core/clock.h"
#include "data/open_t4_file.h"
#include "payroll_import/payroll_records.h"

namespace quillet::cli {

inline constexpr int ExitOk = 0;
inline constexpr int ExitReported = 1;
inline constexpr int ExitUsage = 2;

struct Invocation {
  QString command;
  QStringList positionals;          // after the command
  QHash<QString, QString> options;  // "--name" to its value ("" for a plain flag)
};

// Options may stand anywhere; every one but a plain flag takes the next argument as its
// value. Returns nothing, with `error` set, when an option is unknown or lacks a value.
std::optional<Invocation> parseInvocation(const QStringList& args, QString& error);

// "--now YYYY-MM-DD HH:MM" fixes the clock; without it the system clock runs. Null,
// with `error` set, when the date cannot be read.
std::unique_ptr<Clock> makeClock(const Invocation& invocation, QString& error);

// The streams of one run.
struct Io {
  QTextStream& out;
  QTextStream& err;
};

// Opens the file that the command names, read only; null, with the platform's message on
// `io.err`, when it cannot be opened, or with what the command takes when it holds slips
// other than `only` (nothing: either kind).
std::unique_ptr<OpenT4FileState> openForInspection(const QString& path, Io io,
                                                   std::optional<SlipKind> only = SlipKind::T4);
// The same for writing, the file held against other writers; a file that does not exist is
// not created.
std::unique_ptr<OpenT4FileState> openForChange(const QString& path, Io io,
                                               std::optional<SlipKind> only = SlipKind::T4);

// The company configuration named by --config, read whole; nothing (with the message on
// `ui`) when it cannot be opened or is shorter than a configuration record.
std::optional<ConfigRecord> readConfig(const Invocation& invocation, Ui& ui, Io io);

}  // namespace quillet::cli
