// Quillet — the batch tool: one entry point that the program and the tests call.
#pragma once

#include <QStringList>
#include <QTextStream>

namespace quillet::cli {

// Runs one command line (without the program name), writing the result to `out` and
// messages to `err`; returns the exit status: 0 success, 1 the command stopped or found
// what it reports, 2 a usage error or an input that cannot be opened.
int run(const QStringList& args, QTextStream& out, QTextStream& err);

}  // namespace quillet::cli
