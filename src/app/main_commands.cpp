// Quillet — the commands of the main window, as core code under the Ui seam.
#include "app/main_commands.h"

#include <QFileInfo>
#include <algorithm>

#include "app/app_ui.h"
#include "app/command_line.h"
#include "core/settings_store.h"
#include "data/file_safety.h"
#include "data/new_slip_file.h"
#include "data/open_t4_file.h"
#include "data/report_preconditions.h"
#include "efile/xml_export.h"
#include "platform/shared_file.h"
#include "reports/error_report.h"
#include "reports/mailing_labels.h"
#include "reports/plain_slips.h"
#include "reports/plain_summary.h"
#include "reports/t4_forms.h"
#include "reports/t4_totals.h"
#include "reports/t4a_totals.h"
#include "transfer/next_year.h"
#include "transfer/t4_csv.h"

namespace quillet {
namespace {

const QStringList AnyFileFilters = {
    QStringLiteral("Any files (*.*)"), QStringLiteral("T4 files (*.T4E)"),
    QStringLiteral("WagBok Config (*.CNF)"), QStringLiteral("WagBok Source T4 (WGBT4.DTA)")};

}  // namespace

MainCommands::MainCommands(OpenT4FileState& state, AppUi& ui, const Clock& clock,
                           const SettingsStore& settings, const QString& programDir)
    : m_state(state),
      m_ui(ui),
      m_clock(clock),
      m_settings(settings),
      m_payroll(state, ui, clock, settings, programDir) {}

QString MainCommands::caption() const {
  if (!m_state.T4FileOpen())
    return QStringLiteral("Preparation & Printing of Revenue Canada T4 Forms");
  return (m_state.slipKind() == SlipKind::T4A ? QStringLiteral("Processing T4A slips: ")
                                              : QStringLiteral("Processing: ")) +
         m_state.T4FileName();
}

std::optional<SlipKind> MainCommands::openKind() const {
  if (!m_state.T4FileOpen()) return std::nullopt;
  return m_state.slipKind();
}

bool MainCommands::openT4File(const QString& name) {
  m_state.setT4FileName(name);
  const FileStatus opened = m_state.OpenT4File();
  if (m_captionChange) m_captionChange(caption());
  if (!opened) m_ui.showMessage(opened.message());
  return bool(opened);
}

void MainCommands::handleCommandLine(const QStringList& args) {
  const CommandLine line = parseCommandLine(args);
  if (line.t4FileName.isEmpty() || !openT4File(line.t4FileName)) return;
  if (line.print) {
    // A T4A file has no pre-printed forms: its slips go on plain paper.
    m_state.slipKind() == SlipKind::T4A ? printPlainSlips() : printForms();
  } else {
    editT4Records();
  }
}

void MainCommands::newFile() {
  const auto& checks = m_payroll.checks();
  const bool payrollCustomer = m_payroll.payrollMode() ||
                               std::any_of(checks.begin(), checks.end(), [](bool c) { return c; });
  if (payrollCustomer &&
      m_ui.ask(QStringLiteral(
                   "You appear to be a Wagebook customer.  Your new .T4E file for each year is "
                   "normally created for you in the Wagebook menu.  Click Yes only if you wish "
                   "to do special T4's not related to Wagebook, else click No"),
               QuestionKind::YesNo) != Answer::Yes) {
    return;
  }
  openFile();
}

void MainCommands::openFile() {
  if (m_payroll.payrollMode() && m_payroll.encryptionInUse) {
    m_ui.showMessage(QStringLiteral(
        "You are a Wagebook customer whose files are normally encrypted.  You must use the "
        "Wagebook "
        "Customer Menu.  If the file you wish to open is not a Wagebook file then exit this "
        "program, "
        "restart it, then select your file without first using the Wagebook Customer Menu"));
    return;
  }
  const QString name = m_ui.chooseFileToOpen(
      {QStringLiteral("Select \"T4 files (*.T4E)\" to Open"),
       QStringLiteral("T4E"),
       {QStringLiteral("T4 files (*.T4E)"), QStringLiteral("T4A files (*.T4A)")},
       true,
       {}});
  if (name.isEmpty()) return;
  const QString extension = name.size() > 4 ? name.right(4).toUpper() : QString();
  if (extension != QLatin1String(".T4E") && extension != QLatin1String(".T4A")) {
    m_ui.showMessage(QStringLiteral("Sorry but cannot process file ") + name +
                     QStringLiteral(" because file extension is not of a type that this menu "
                                    "selection handles. Try again."));
    return;
  }
  // Only a name of the right kind is offered for creation.
  if (!QFileInfo::exists(name) &&
      m_ui.ask(name + QStringLiteral("\nThis file does not exist.\nCreate the file?"),
               QuestionKind::YesNo) != Answer::Yes) {
    return;
  }
  if (!openT4File(name)) return;
  m_ui.showMessage(
      slipName(m_state.slipKind()) + QStringLiteral(" File ") + name +
      QStringLiteral(" is open and will remain open until you select another file or") +
      QStringLiteral(" exit this program. To work with this file select Edit or Print") +
      QStringLiteral(" Choices from the Menu"));
  m_payroll.LeavePayrollMode();
  m_payroll.clearConfigFileName();
}

void MainCommands::newT4AFile() {
  if (!fileIsOpen() || !holdsSlipsOf(m_state, SlipKind::T4, m_ui) || !employerReady()) return;
  EmployerRecord payer;
  if (!readEmployerRecordForReports(m_state, m_ui, payer)) return;
  const QFileInfo current(m_state.T4FileName());
  const QString name = m_ui.chooseFileToSave({QStringLiteral("New T4A file of this payer"),
                                              QStringLiteral("T4A"),
                                              {QStringLiteral("T4A files (*.T4A)")},
                                              true,
                                              current.absolutePath(),
                                              current.completeBaseName() + QStringLiteral(".T4A")});
  if (name.isEmpty()) return;
  if (QFileInfo::exists(name)) {
    m_ui.showMessage(QStringLiteral("%1 exists already: a new T4A file never takes the place of "
                                    "another file. Choose another name.")
                         .arg(name));
    return;
  }
  if (const FileStatus written = writeEmptySlipFile(name, payer, SlipKind::T4A); !written) {
    m_ui.showMessage(written.message());
    return;
  }
  if (openT4File(name)) editT4Records();
}

void MainCommands::copyFile() {
  const QString source = m_ui.chooseFileToOpen(
      {QStringLiteral("Select file to copy FROM"), {}, AnyFileFilters, false, {}});
  if (source.isEmpty()) return;
  FileDialogRequest save{
      QStringLiteral("Destination for copy of ") + source, {}, AnyFileFilters, true, {}};
  // The extension is taken after the first full stop of the whole path.
  if (const qsizetype dot = source.indexOf(u'.'); dot >= 0) {
    const QString extension = source.mid(dot + 1, 3);
    save.defaultSuffix = extension;
    save.filters.prepend(QStringLiteral("Source Type (*.%1)").arg(extension));
  }
  const QString destination = m_ui.chooseFileToSave(save);
  if (destination.isEmpty()) return;
  if (m_state.T4FileOpen() && m_state.T4File().file().isFile(destination)) {
    m_ui.showMessage(platform::cannotCreateMessage(destination) +
                     QStringLiteral(": it is the T4 file open in this program. Open another "
                                    "file first, then copy onto this one."));
    return;
  }
  CopyAnyFile(source, destination, true, m_ui);
}

void MainCommands::exportCsv() {
  if (fileIsOpen()) exportT4Spreadsheet(m_state, m_ui);
}

void MainCommands::importCsv() {
  if (fileIsOpen() && employerReady()) importT4Spreadsheet(m_state, m_ui);
}

// The new file may be opened at once; the open one stays open otherwise.
void MainCommands::startNextYear() {
  if (!reportReady()) return;
  const QString made = startNextYearFile(m_state, m_ui);
  if (!made.isEmpty() &&
      m_ui.ask(QStringLiteral("Open %1 now?").arg(made), QuestionKind::YesNo) == Answer::Yes)
    openT4File(made);
}

void MainCommands::exportXml() { exportForInternetFiling(m_state, m_ui, m_settings, m_clock); }

void MainCommands::editTransmitter() { editTransmitterSettings(m_state, m_ui, m_settings); }

bool MainCommands::fileIsOpen() {
  if (m_state.T4FileOpen()) return true;
  showNoFileOpen(m_ui);
  return false;
}

bool MainCommands::reportReady() {
  return checkReportPreconditions(m_state, m_ui, m_state.slipKind());
}

bool MainCommands::t4ReportReady() { return checkReportPreconditions(m_state, m_ui); }

void MainCommands::editEmployer() {
  if (fileIsOpen()) m_ui.editEmployerRecord(m_state);
}

// T4 data needs the company information first: the employer screen is shown for it.
bool MainCommands::employerReady() {
  if (m_state.T4File().size() >= FirstT4Position) return true;
  m_ui.showMessage(
      QStringLiteral("You cannot enter T4 data until after you set up the Company "
                     "information.  Click OK to transfer to the appropriate screen."));
  m_ui.editEmployerRecord(m_state);
  return m_state.T4File().size() >= FirstT4Position;
}

void MainCommands::editT4Records() {
  if (fileIsOpen() && employerReady()) m_ui.editT4Records(m_state);
}

void MainCommands::printErrors() {
  if (reportReady()) printErrorReport(m_state, m_ui, m_clock);
}

void MainCommands::printTotals() {
  if (!reportReady()) return;
  // A T4A file has no pre-printed Summary: its worksheet, and the Summary on plain paper.
  if (m_state.slipKind() == SlipKind::T4A) {
    m_ui.showReport(t4aTotalsWorksheet(totalT4AFile(m_state, m_ui), m_state.T4FileName()),
                    ViewerButtons::OkOnly);
    return;
  }
  runT4Totals(m_state, m_ui, m_clock, &m_settings);
}

void MainCommands::printForms() {
  if (t4ReportReady()) printT4Forms(m_state, m_ui, m_clock, &m_settings);
}

void MainCommands::printLabels() {
  if (t4ReportReady()) printMailingLabels(m_state, m_ui, m_clock);
}

void MainCommands::printPlainSlips() {
  if (reportReady()) quillet::printPlainSlips(m_state, m_ui, &m_settings);
}

void MainCommands::printPlainSummary() {
  if (!reportReady()) return;
  if (m_state.slipKind() == SlipKind::T4A)
    printPlainT4ASummary(totalT4AFile(m_state, m_ui), m_ui, &m_settings);
  else
    printPlainSummaries(totalT4File(m_state, m_ui), m_ui, &m_settings);
}

void MainCommands::exportSlipPdfs() {
  if (reportReady()) quillet::exportSlipPdfs(m_state, m_ui);
}

void MainCommands::exit() {
  m_state.CloseT4File();
  m_payroll.LeavePayrollMode();
}

}  // namespace quillet
