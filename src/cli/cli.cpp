// Quillet — the batch tool: one entry point that the program and the tests call.
#include "cli/cli.h"

#include "cli/commands.h"
#include "platform/file_names.h"
#include "platform/file_replacement.h"
#include "platform/shared_file.h"

namespace quillet::cli {
namespace {

struct Command {
  const char* name;
  int positionals;      // required; `optional` more may follow
  QStringList options;  // besides --now, which every command takes
  const char* usage;
  int (*run)(const Invocation&, const Clock&, Io);
  int optional = 0;
  int written = -1;  // the positional that names the file written, if one does
};

const QList<Command>& commands() {
  static const QList<Command> all = {
      {"check", 1, {}, "check FILE.T4E", runCheck},
      {"totals", 1, {}, "totals FILE.T4E", runTotals},
      {"dump", 1, {}, "dump FILE.T4E", runDump},
      {"convert",
       2,
       {"--config", "--box20", "--box44", "--regn", "--force"},
       "convert --config FILE.CNF [--box20] [--box44] [--regn TEXT] [--force] WGBT4.DTA OUT.T4E",
       runConvert,
       0,
       1},
      {"print",
       2,
       {"--pdf", "--trace", "--dpi", "--offset", "--font", "--type", "--copy", "--top", "--left",
        "--lineup", "--remittances", "--youth-hires", "--print-employer", "--style", "--config"},
       "print KIND FILE.T4E (--pdf OUT.pdf | --trace OUT.txt) [--dpi N] [--offset X,Y] "
       "[--font \"Family,points\"]\n"
       "      KIND: forms [--type 0-3] [--top N] [--left N] [--lineup]\n"
       "            slips [--copy employee|employer|cra] [--top N]\n"
       "            summary [--remittances DOLLARS] [--top N] [--left N] [--youth-hires]\n"
       "                    [--print-employer] [--lineup]\n"
       "            plain-summary [--remittances DOLLARS] [--top N] [--left N]\n"
       "            labels --style 0-3 | errors | totals\n"
       "      or:   print register --config FILE.CNF WGBT4.DTA (--pdf OUT.pdf | --trace OUT.txt)",
       runPrint},
      {"rates", 0, {}, "rates [YEAR]", runRates, 1},
      {"csv-export", 2, {}, "csv-export FILE.T4E OUT.csv", runCsvExport, 0, 1},
      {"csv-import",
       2,
       {"--dry-run"},
       "csv-import FILE.T4E IN.csv [--dry-run]",
       runCsvImport,
       0,
       0},
      {"next-year", 2, {}, "next-year FILE.T4E OUT.T4E", runNextYear, 0, 1},
      {"new-t4a", 2, {}, "new-t4a FILE.T4E OUT.T4A", runNewT4A, 0, 1},
      {"slips-pdf", 2, {"--replace"}, "slips-pdf FILE.T4E FOLDER [--replace]", runSlipsPdf},
      {"filed", 1, {}, "filed FILE.T4E", runFiled},
      {"xml",
       2,
       {"--transmitter", "--ref", "--amended", "--note", "--schema", "--return", "--slips"},
       "xml FILE.T4E OUT.xml [--transmitter FILE.ini] [--ref ID] [--amended] [--note TEXT]\n"
       "      [--schema DIR] [--return original|additions|amendment|cancellation]\n"
       "      [--slips SIN,...]",
       runXml,
       0,
       1},
  };
  return all;
}

void printUsage(QTextStream& stream) {
  stream << "usage:" << Qt::endl;
  for (const Command& command : commands()) {
    stream << "  quillet-cli " << command.usage << " [--now \"YYYY-MM-DD HH:MM\"]" << Qt::endl;
  }
  stream << "  quillet-cli --help | --version" << Qt::endl;
}

int usage(QTextStream& err, const QString& problem) {
  err << "quillet-cli: " << problem << Qt::endl;
  printUsage(err);
  return ExitUsage;
}

// What the command writes must not be what it reads, under any name or link: it would be
// replaced by what is made from it. What it replaces and has other names is told first.
bool outputsAreNotInputs(const Command& command, const Invocation& invocation, Io io) {
  QStringList outputs;
  QStringList inputs;
  for (qsizetype i = 0; i < invocation.positionals.size(); ++i)
    (i == command.written ? outputs : inputs) << invocation.positionals.at(i);
  for (const char* option : {"--pdf", "--trace"})
    outputs << invocation.options.value(QLatin1String(option));
  for (const char* option : {"--config", "--transmitter"})
    inputs << invocation.options.value(QLatin1String(option));
  for (const QString& output : outputs) {
    for (const QString& input : inputs) {
      if (!platform::sameFile(output, input)) continue;
      io.err << platform::cannotCreateMessage(output) << Qt::endl;
      return false;
    }
    if (const QString note = platform::otherNamesNote(output); !note.isEmpty())
      io.err << note << Qt::endl;
  }
  return true;
}

}  // namespace

int run(const QStringList& args, QTextStream& out, QTextStream& err) {
  // Alone on the command line, --help is the usage and --version the program's version, on
  // standard output.
  if (args == QStringList{QStringLiteral("--help")}) {
    printUsage(out);
    return ExitOk;
  }
  if (args == QStringList{QStringLiteral("--version")}) {
    out << "quillet-cli " << QUILLET_VERSION << Qt::endl;
    return ExitOk;
  }
  QString problem;
  const auto invocation = parseInvocation(args, problem);
  if (!invocation) return usage(err, problem);

  for (const Command& command : commands()) {
    if (invocation->command != QLatin1String(command.name)) continue;
    const qsizetype given = invocation->positionals.size();
    if (given < command.positionals || given > command.positionals + command.optional) {
      return usage(
          err,
          QStringLiteral("%1 takes %2 argument(s)").arg(command.name).arg(command.positionals));
    }
    for (auto it = invocation->options.cbegin(); it != invocation->options.cend(); ++it) {
      if (it.key() != QStringLiteral("--now") && !command.options.contains(it.key())) {
        return usage(err, QStringLiteral("%1 does not take %2").arg(command.name, it.key()));
      }
    }
    const auto clock = makeClock(*invocation, problem);
    if (!clock) return usage(err, problem);
    if (!outputsAreNotInputs(command, *invocation, Io{out, err})) return ExitUsage;
    return command.run(*invocation, *clock, Io{out, err});
  }
  return usage(err, QStringLiteral("unknown command %1").arg(invocation->command));
}

}  // namespace quillet::cli
