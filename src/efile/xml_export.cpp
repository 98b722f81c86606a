// Quillet — the XML return written to its file, and File → "Export for Internet filing…".
#include "efile/xml_export.h"

#include <QFileInfo>

#include "core/clock.h"
#include "core/settings_store.h"
#include "data/open_t4_file.h"
#include "data/report_preconditions.h"
#include "efile/efile_settings.h"
#include "efile/efile_ui.h"
#include "efile/filed_state.h"
#include "efile/return_slips.h"
#include "efile/schema_check.h"
#include "efile/t4a_xml.h"
#include "platform/replacing_device.h"
#include "platform/shared_file.h"
#include "reports/t4_totals.h"

namespace quillet {
namespace {

using E = EmployerRecord;

// The pre-flight check's findings in the report viewer: false when the export stops
// there (errors, or the user chose to correct the warnings first).
bool passedPreFlight(OpenT4FileState& state, const XmlReturnOptions& options, Ui& ui) {
  const XmlFindings findings = checkForXml(state, options);
  if (findings.errors.isEmpty() && findings.warnings.isEmpty()) return true;
  ViewerReport report;
  report.reportTitle = QStringLiteral("Internet Filing Check");
  report.caption = report.reportTitle;
  report.headingLine1 = QStringLiteral("Internet filing check of ") + state.T4FileName();
  report.headingLine2 = QStringLiteral("%1 error(s), %2 warning(s)")
                            .arg(findings.errors.size())
                            .arg(findings.warnings.size());
  for (const QString& line : findings.errors) report.lines << QStringLiteral("Error: ") + line;
  for (const QString& line : findings.warnings) report.lines << QStringLiteral("Warning: ") + line;
  if (!findings.errors.isEmpty()) {
    ui.showReport(report, ViewerButtons::OkOnly);
    ui.showMessage(QStringLiteral(
        "CRA would reject this return. Nothing was written: correct the errors listed, then "
        "export again."));
    return false;
  }
  return ui.showReport(report, ViewerButtons::FixErrorOrIgnore) == ViewerResult::Ignore;
}

// A return since filing: exactly what it sends, slip by slip, in the report viewer, before
// anything is written; then the question. True when the user says Yes.
bool writesReturnSinceFiling(OpenT4FileState& state, const ReturnSlips& slips,
                             const QString& lastFiled, Ui& ui) {
  const QString kind = returnKindWord(slips.kind);
  ViewerReport report;
  report.reportTitle = QStringLiteral("Return to File");
  report.caption = report.reportTitle;
  report.headingLine1 = QStringLiteral("The %1 of %2").arg(kind, state.T4FileName());
  report.headingLine2 = QStringLiteral("%1 slip(s); the last return was filed %2")
                            .arg(slips.chosen.size())
                            .arg(lastFiled);
  report.lines << QStringLiteral("The %1 of %2 slip(s), under %3 Summary:")
                      .arg(kind)
                      .arg(slips.chosen.size())
                      .arg(slips.kind == ReturnKind::Additions ? QStringLiteral("an original")
                                                               : QStringLiteral("an amended"))
               << QString() << returnListing(slips);
  ui.showReport(report, ViewerButtons::OkOnly);
  return ui.ask(QStringLiteral("Write the %1 of %2 slip(s)?").arg(kind).arg(slips.chosen.size()),
                QuestionKind::YesNo) == Answer::Yes;
}

void tellIfUnsaved(Ui& ui, const FileStatus& stored) {
  if (!stored) ui.showMessage(stored.message());
}

}  // namespace

XmlExportOutcome writeT4XmlFile(OpenT4FileState& state, const FiledState& filed,
                                const XmlExportChoices& choices, const QString& path) {
  XmlExportOutcome outcome;
  const QString& reference = choices.options.submissionRef;
  outcome.submissionRef = reference;
  if (const FiledReturn* before = filedUnder(filed, reference)) {
    outcome.failure = QStringLiteral(
                          "The submission reference %1 was used for the return filed on %2: "
                          "give this return another.")
                          .arg(reference, before->written.toString(QStringLiteral("yyyy-MM-dd")));
    return outcome;
  }
  const auto device = platform::ReplacingDevice::begin(path);
  if (!device) {
    outcome.failure = platform::cannotCreateMessage(path);
    return outcome;
  }
  outcome.written = state.slipKind() == SlipKind::T4A
                        ? writeT4AXml(state, choices.transmitter, choices.options, *device)
                        : writeT4Xml(state, choices.transmitter, choices.options, *device);
  if (!outcome.written.complete) {
    outcome.failure = platform::cannotWriteMessage(path);
    return outcome;
  }
  if (!choices.schemaFolder.isEmpty()) {
    if (!device->writeGathered()) {
      outcome.failure = platform::cannotWriteMessage(path);
      return outcome;
    }
    outcome.schemaProblems = schemaProblems(device->temporaryName(), choices.schemaFolder);
    if (!outcome.schemaProblems.isEmpty()) return outcome;
  }
  if (!device->commit()) {
    outcome.failure = platform::cannotWriteMessage(path);
    return outcome;
  }
  FileStatus kept = recordFiledReturn(state, choices.options.slips, reference,
                                      outcome.written.amended ? u'A' : u'O', choices.filedAt);
  if (kept) kept = markReportTypes(state, choices.options.slips);
  if (!kept)
    outcome.notKept = QStringLiteral(
                          "The return was written to %1, but what was filed could not "
                          "be kept beside the T4 file: %2")
                          .arg(path, kept.message());
  return outcome;
}

XmlExportOutcome writeT4XmlReturn(OpenT4FileState& state, const FiledState& filed,
                                  XmlExportChoices choices, const QString& path,
                                  const SettingsStore& settings) {
  if (!choices.options.submissionRef.isEmpty()) return writeT4XmlFile(state, filed, choices, path);
  XmlExportOutcome outcome;
  const QString locked = withNextSubmissionRef(
      settings,
      [&](const QString& reference) {
        choices.options.submissionRef = reference;
        outcome = writeT4XmlFile(state, filed, choices, path);
        return outcome.ok();
      },
      [&](const QString& reference) { return filedUnder(filed, reference) != nullptr; });
  if (!locked.isEmpty()) outcome.failure = locked + QStringLiteral("\nNothing was written.");
  return outcome;
}

QString whereCraTakesIt(Transmitter::SignIn signIn) {
  switch (signIn) {
    case Transmitter::SignIn::MyBA:
      return QStringLiteral(
          "Upload it with CRA's Internet File Transfer: sign in to My Business Account and "
          "choose \"File a return\".");
    case Transmitter::SignIn::WAC:
      return QStringLiteral(
          "Upload it with CRA's Internet File Transfer on canada.ca, signing in with the "
          "payroll account's Web Access Code.");
    case Transmitter::SignIn::RAC:
      return QStringLiteral(
          "Upload it with CRA's Internet File Transfer: sign in to Represent a Client with your "
          "RepID and choose \"File a return\".");
  }
  return {};
}

void editTransmitterSettings(OpenT4FileState& state, EfileUi& ui, const SettingsStore& settings) {
  Transmitter transmitter = readTransmitter(settings);
  EmployerRecord employer;
  if (state.T4FileOpen() && readEmployerRecord(state, employer)) transmitter.startFrom(employer);
  if (ui.editTransmitter(transmitter)) tellIfUnsaved(ui, writeTransmitter(settings, transmitter));
}

void exportForInternetFiling(OpenT4FileState& state, EfileUi& ui, const SettingsStore& settings,
                             const Clock& clock) {
  const SlipKind slipKind = state.slipKind();
  if (!checkReportPreconditions(state, ui, slipKind)) return;
  EmployerRecord employer;
  readEmployerRecord(state, employer);
  const auto filed = readFiledState(state.T4FileName());
  if (!filed) {
    ui.showMessage(filed.error().message + QStringLiteral("\nNothing was written."));
    return;
  }

  XmlExportChoices choices;
  const SinceFiled since = filed->returns.empty() ? SinceFiled{} : sinceFiled(state, *filed);
  if (!filed->returns.empty()) {
    choices.lastFiled = lastFiling(*filed);
    choices.added = int(since.added.size());
    choices.changed = int(since.changed.size());
    choices.toCancel = int(since.cancelled.size());
    choices.kind = choices.added > 0      ? ReturnKind::Additions
                   : choices.changed > 0  ? ReturnKind::Amendment
                   : choices.toCancel > 0 ? ReturnKind::Cancellation
                                          : ReturnKind::Additions;
  }
  choices.transmitter = readTransmitter(settings);
  if (!choices.transmitter.problems().isEmpty()) {
    choices.transmitter.startFrom(employer);
    if (!ui.editTransmitter(choices.transmitter)) return;
  }
  // The counter's next reference is proposed; it is taken only when the return is written.
  const QString proposedRef = peekSubmissionRef(settings);
  choices.options.submissionRef = proposedRef;
  choices.schemaFolder = readSchemaFolder(settings);
  if (!ui.editXmlExport(choices)) return;
  tellIfUnsaved(ui, writeTransmitter(settings, choices.transmitter));
  tellIfUnsaved(ui, writeSchemaFolder(settings, choices.schemaFolder));

  QString refusal;
  const auto slips =
      chooseReturnSlips(state.T4FileName(), *filed, since, choices.kind, {}, refusal);
  if (!slips) {
    ui.showMessage(refusal + QStringLiteral("\nNothing was written."));
    return;
  }
  choices.options.slips = *slips;
  if (!slips->wholeFile && !writesReturnSinceFiling(state, *slips, choices.lastFiled, ui)) return;

  if (!passedPreFlight(state, choices.options, ui)) return;

  QString proposed = QStringLiteral("%1-%2-%3")
                         .arg(employer.text(E::RevCan_account_number).remove(u' '))
                         .arg(employer.u16(E::S_Taxation_year))
                         .arg(slipName(slipKind));
  if (!slips->wholeFile) proposed += u'-' + returnKindWord(slips->kind);
  const QString path = ui.chooseFileToSave(
      {QStringLiteral("Save the %1 return for Internet filing").arg(slipName(slipKind)),
       QStringLiteral("xml"),
       {QStringLiteral("XML files (*.xml)")},
       true,
       QFileInfo(state.T4FileName()).absolutePath(),
       proposed + QStringLiteral(".xml")});
  if (path.isEmpty()) return;

  if (choices.options.submissionRef == proposedRef) choices.options.submissionRef.clear();
  choices.filedAt = clock.now();
  const XmlExportOutcome outcome = writeT4XmlReturn(state, *filed, choices, path, settings);
  if (!outcome.schemaProblems.isEmpty()) {
    ViewerReport report;
    report.reportTitle = QStringLiteral("CRA Schema Check");
    report.caption = report.reportTitle;
    report.headingLine1 =
        QStringLiteral("The return against the schema in ") + choices.schemaFolder;
    report.lines = outcome.schemaProblems;
    ui.showReport(report, ViewerButtons::OkOnly);
    ui.showMessage(
        QStringLiteral("CRA's schema refuses the return: %1 was not written.").arg(path));
    return;
  }
  if (!outcome.failure.isEmpty()) {
    ui.showMessage(outcome.failure);
    return;
  }
  if (!outcome.notKept.isEmpty()) ui.showMessage(outcome.notKept);
  QString totals;
  for (const auto& [box, cents] : outcome.written.boxTotals)
    totals += QStringLiteral("\nBox %1 total: %2").arg(box, worksheetMoney(cents));
  ui.showMessage(QStringLiteral("%1 %2 slips were written to %3 under the submission reference "
                                "%4.%5\n\n%6")
                     .arg(outcome.written.slips)
                     .arg(slipName(outcome.written.kind), path, outcome.submissionRef, totals,
                          whereCraTakesIt(choices.transmitter.signIn)));
}

}  // namespace quillet
