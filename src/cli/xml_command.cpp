// Quillet — quillet-cli xml: the T4 return for CRA's Internet File Transfer.
#include <QRegularExpression>

#include "cli/commands.h"
#include "core/clock.h"
#include "core/settings_store.h"
#include "data/cp1252.h"
#include "data/open_t4_file.h"
#include "efile/efile_settings.h"
#include "efile/filed_state.h"
#include "efile/return_slips.h"
#include "efile/xml_export.h"
#include "platform/shared_file.h"
#include "reports/t4_totals.h"

namespace quillet::cli {

int runXml(const Invocation& invocation, const Clock& clock, Io io) {
  const auto& o = invocation.options;
  Transmitter transmitter;
  if (o.contains(QStringLiteral("--transmitter"))) {
    const auto file = platform::readWholeFile(o.value(QStringLiteral("--transmitter")));
    QString problem;
    const QString text = file ? decodeText(*file, QStringLiteral("file"), problem) : QString();
    if (!file || !problem.isEmpty()) {
      io.err << (file ? problem : file.error().message) << Qt::endl;
      return ExitUsage;
    }
    transmitter = Transmitter::fromIni(text);
  } else {
    transmitter = readTransmitter(SettingsStore());
  }
  if (const QStringList problems = transmitter.problems(); !problems.isEmpty()) {
    for (const QString& problem : problems) io.err << problem << Qt::endl;
    return ExitUsage;
  }
  XmlReturnOptions options;
  // A reference of its own for every file: by default the next of the settings' counter,
  // taken when the return is written.
  options.submissionRef = o.value(QStringLiteral("--ref"));
  if (o.contains(QStringLiteral("--ref")) &&
      !QRegularExpression(QStringLiteral("^[A-Za-z0-9]{1,8}$"))
           .match(options.submissionRef)
           .hasMatch()) {
    io.err << "quillet-cli: --ref takes 1 to 8 letters and digits" << Qt::endl;
    return ExitUsage;
  }
  options.amended = o.contains(QStringLiteral("--amended"));
  options.amendmentNote = o.value(QStringLiteral("--note"));
  XmlExportChoices choices;
  choices.options = options;
  choices.transmitter = transmitter;
  choices.schemaFolder = o.value(QStringLiteral("--schema"));
  choices.filedAt = clock.now();
  if (o.contains(QStringLiteral("--return"))) {
    const auto kind = returnKindOfWord(o.value(QStringLiteral("--return")));
    if (!kind) {
      io.err << "quillet-cli: --return takes original, additions, amendment or cancellation"
             << Qt::endl;
      return ExitUsage;
    }
    if (options.amended && kind != ReturnKind::Amendment) {
      io.err << "quillet-cli: --amended is the amendment: it goes with no other --return"
             << Qt::endl;
      return ExitUsage;
    }
    choices.kind = *kind;
  }
  const QStringList sins = o.value(QStringLiteral("--slips")).split(u',', Qt::SkipEmptyParts);
  if (o.contains(QStringLiteral("--slips")) &&
      (sins.isEmpty() || (choices.kind == ReturnKind::Original && !options.amended))) {
    io.err << "quillet-cli: --slips takes the SINs of the slips of an additions, amendment or "
              "cancellation return"
           << Qt::endl;
    return ExitUsage;
  }

  // A return since filing gives its records the report type they are sent under: the file
  // is opened for writing.
  const QString t4 = invocation.positionals.at(0);
  const auto filed = readFiledState(t4);
  if (!filed) {
    io.err << filed.error().message << Qt::endl;
    return ExitUsage;
  }
  const auto state = filed->returns.empty() ? openForInspection(t4, io, std::nullopt)
                                            : openForChange(t4, io, std::nullopt);
  if (!state) return ExitUsage;
  // Once a return was filed, --amended is the amendment of the slips changed since.
  const ReturnKind kind =
      options.amended && !filed->returns.empty() ? ReturnKind::Amendment : choices.kind;
  const SinceFiled since = filed->returns.empty() ? SinceFiled{} : sinceFiled(*state, *filed);
  QString refusal;
  const auto slips = chooseReturnSlips(t4, *filed, since, kind, sins, refusal);
  if (!slips) {
    io.err << refusal << Qt::endl;
    return ExitReported;
  }
  choices.options.slips = *slips;
  const XmlFindings findings = checkForXml(*state, choices.options);
  for (const QString& line : findings.warnings) io.err << "warning: " << line << Qt::endl;
  for (const QString& line : findings.errors) io.err << "error: " << line << Qt::endl;
  if (!findings.errors.isEmpty()) return ExitReported;

  const QString out = invocation.positionals.at(1);
  const XmlExportOutcome outcome = writeT4XmlReturn(*state, *filed, choices, out, SettingsStore());
  for (const QString& problem : outcome.schemaProblems) io.err << "schema: " << problem << Qt::endl;
  if (!outcome.schemaProblems.isEmpty()) return ExitReported;
  if (!outcome.failure.isEmpty()) {
    io.err << outcome.failure << Qt::endl;
    return ExitUsage;
  }
  if (!outcome.notKept.isEmpty()) {
    io.err << outcome.notKept << Qt::endl;
    return ExitUsage;
  }
  const XmlWritten& written = outcome.written;
  for (const QString& line : returnListing(*slips)) io.out << line << '\n';
  io.out << written.slips << ' ' << slipName(written.kind) << " slips";
  for (const auto& [box, cents] : written.boxTotals)
    io.out << ", box " << box << " total " << worksheetMoney(cents);
  io.out << ", written to " << out << Qt::endl;
  return ExitOk;
}

int runFiled(const Invocation& invocation, const Clock&, Io io) {
  const auto state = openForInspection(invocation.positionals.at(0), io, std::nullopt);
  if (!state) return ExitUsage;
  const auto filed = readFiledState(state->T4FileName());
  if (!filed) {
    io.err << filed.error().message << Qt::endl;
    return ExitUsage;
  }
  for (const QString& line : filedHistory(*state, *filed)) io.out << line << '\n';
  return ExitOk;
}

}  // namespace quillet::cli
