// Quillet — the Wagebook Customers menu: the company configuration, the company's T4
// file, its creation from the year-end file, and the source register.
#include "payroll_import/payroll_menu.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStorageInfo>

#include "core/settings_store.h"
#include "data/file_safety.h"
#include "data/open_t4_file.h"
#include "payroll_import/encryption_driver.h"
#include "payroll_import/payroll_settings.h"
#include "payroll_import/payroll_ui.h"
#include "payroll_import/source_register.h"
#include "payroll_import/year_end_conversion.h"
#include "platform/dos_paths.h"
#include "platform/file_replacement.h"
#include "platform/shared_file.h"

namespace quillet {
namespace {

QString shortTime(const QString& path) {
  return QLocale::c().toString(QFileInfo(path).lastModified(), QStringLiteral("dd MMM yyyy hh:mm"));
}

}  // namespace

PayrollMenu::PayrollMenu(OpenT4FileState& state, PayrollUi& ui, const Clock& clock,
                         const SettingsStore& settings, QString programDir)
    : m_state(state),
      m_ui(ui),
      m_clock(clock),
      m_settings(settings),
      m_programDir(std::move(programDir)) {}

QString PayrollMenu::dataFile(const QString& name) const {
  const QString folder =
      (m_config->text(ConfigRecord::DataDrive) + m_config->text(ConfigRecord::DataPath)).left(47);
  return platform::nativePath((folder + name).left(57),
                              [this](QChar letter) { return driveFolder(m_settings, letter); });
}

bool PayrollMenu::requireConfig() {
  if (payrollMode()) return true;
  m_ui.showMessage(
      QStringLiteral("Configuration file is not open.  You must first select the choice \"Open "
                     "Company Payroll Configuration File\" on the Wagebook Customers menu"));
  return false;
}

QString PayrollMenu::initialConfigFolder() const {
  const QString stored = ReadConfigDir(m_settings);
  if (!stored.isEmpty()) return stored;
  if (QFileInfo::exists(QDir(m_programDir).filePath(QStringLiteral("WGBKMAIN.EXE"))))
    return m_programDir;
  const auto drives = [this](QChar letter) { return driveFolder(m_settings, letter); };
  for (char16_t letter = u'C'; letter <= u'Z'; ++letter) {
    const QString root =
        platform::nativePath(QString(QChar(letter)) + QStringLiteral(":\\"), drives);
    const QStorageInfo storage(root);
    // Drives of unknown type, without a root, and CD-ROMs are passed over.
    if (!storage.isValid() || !QFileInfo(root).isDir() || storage.fileSystemType() == "iso9660" ||
        storage.fileSystemType() == "udf") {
      continue;
    }
    const QString program = platform::nativePath(
        QString(QChar(letter)) + QStringLiteral(":\\WGBPGMS\\WGBKMAIN.EXE"), drives);
    if (QFileInfo::exists(program)) return QFileInfo(program).absolutePath();
  }
  return {};
}

void PayrollMenu::OpenPayrollConfig() {
  FileDialogRequest request{
      QStringLiteral("Select Wagebook .CNF file (usually in \\WGBPGMS folder)"),
      QStringLiteral("CNF"),
      {QStringLiteral("WagBok Config (*.CNF)")},
      false,
      {}};
  request.folder = initialConfigFolder();
  const QString name = m_ui.chooseFileToOpen(request);
  if (name.isEmpty()) return;
  if (name.right(4).toUpper() != QLatin1String(".CNF")) {
    m_ui.showMessage(
        QStringLiteral("Sorry but cannot process file ") + name +
        QStringLiteral(" because file extension is not of a type that this menu selection handles. "
                       "Try again."));
    return;
  }
  // The company that was open is encrypted again under its own name, before the new
  // name is taken.
  LeavePayrollMode();
  m_configFileName = name;
  loadConfig();
  if (!payrollMode()) return;
  if (const FileStatus saved =
          WriteConfigDir(m_settings, QFileInfo(m_configFileName).absolutePath());
      !saved) {
    m_ui.showMessage(saved.message());
  }
  m_ui.showMessage(
      QStringLiteral("File ") + m_configFileName +
      QStringLiteral(" is open and will remain open until you select another file or") +
      QStringLiteral(" exit this program. To work with this file select") +
      QStringLiteral(" choices from this program's Wagebook Menu"));
}

void PayrollMenu::loadConfig() {
  if (!QFileInfo::exists(m_configFileName)) {
    m_ui.showMessage(
        m_configFileName +
        QStringLiteral(" is a Wagebook configuration type but it does not already exist on") +
        QStringLiteral(
            " the disk.  This program cannot create a new file of that type. Try again,") +
        QStringLiteral(" select an existing \\WGBPGMS\\*.CNF, or select a different file type."));
    return;
  }
  auto file = platform::SharedFile::open(m_configFileName, platform::OpenMode::ReadOnly);
  if (!file) {
    m_ui.showMessage(
        QStringLiteral("Could not open file ") + m_configFileName +
        QStringLiteral(" Check your Taskbar to see") +
        QStringLiteral(" if Wagebook is running - if it is then activate that program, exit") +
        QStringLiteral(" that program, then come back here to try file selection again"));
    return;
  }
  auto config = std::make_unique<ConfigRecord>();
  if (file->readAt(0, config->bytes()) != ConfigRecord::Size) {
    ShowFileError(QStringLiteral("read config from"), m_configFileName, m_ui);
    return;
  }
  m_config = std::move(config);
  EncryptionDriver driver(m_ui, m_settings, encryptionInUse);
  if (!driver.ProbeEncryption(m_configFileName)) {
    m_config.reset();  // payroll mode stays off
    return;
  }
  if (encryptionInUse) driver.RunSealData(m_configFileName, QStringLiteral("DEC"));
  m_checks[OpenConfig] = true;
}

void PayrollMenu::OpenPayrollT4() {
  if (!requireConfig()) return;
  const QString t4 = dataFile(QStringLiteral("WAGBOK.T4E"));
  if (!QFileInfo::exists(t4)) {
    m_ui.showMessage(
        QStringLiteral("File ") + t4 + QStringLiteral(" does not exist.  Try creating it first") +
        QStringLiteral(
            " with menu choice \"Create New WAGBOK.T4E file from Year End file WGBT4.DTA\"") +
        QStringLiteral(" on the Wagebook Customers menu"));
    return;
  }
  m_yearEndFileName = dataFile(QStringLiteral("WGBT4.DTA"));
  if (QFileInfo::exists(m_yearEndFileName) &&
      QFileInfo(m_yearEndFileName).lastModified() > QFileInfo(t4).lastModified()) {
    const QString question =
        QStringLiteral("You ran a year end on ") + shortTime(m_yearEndFileName) +
        QStringLiteral(" whereas the .T4E file was last updated BEFORE") +
        QStringLiteral(" that on ") + shortTime(t4) +
        QStringLiteral(" The best choice is likely to click NO") +
        QStringLiteral(" then select \"Create New WAGBOK.T4E file from Year End file WGBT4.DTA\"") +
        QStringLiteral(" So, open OLDER .T4E file ?");
    if (m_ui.ask(question, QuestionKind::YesNo, {}, QuestionIcon::Error) != Answer::Yes) return;
  }
  m_state.setT4FileName(t4);
  if (const FileStatus opened = m_state.OpenT4File(); !opened) {
    m_ui.showMessage(opened.message());
    return;
  }
  m_checks[OpenT4] = true;
  m_ui.showMessage(
      QStringLiteral("Wagebook T4 File ") + t4 +
      QStringLiteral(" is open and will remain open until you select another file or") +
      QStringLiteral(" exit this program. To work with this file select Edit or Print") +
      QStringLiteral(" Choices from the Regular Menu"));
}

void PayrollMenu::CreatePayrollT4() {
  if (!requireConfig()) return;
  m_yearEndFileName = dataFile(QStringLiteral("WGBT4.DTA"));
  if (!QFileInfo::exists(m_yearEndFileName)) {
    m_ui.showMessage(
        m_yearEndFileName +
        QStringLiteral(" does not exist. It is created by Wagebook when it does the last pay") +
        QStringLiteral(" cycle of the year. Exit this program, start Wagebook and check") +
        QStringLiteral(" employee history and YTD totals to see what the situation is."));
    return;
  }
  // A conversion that stops before it replaced the open file leaves that file open under
  // its own name.
  const QString openName = m_state.T4FileName();
  m_state.setT4FileName(dataFile(QStringLiteral("WAGBOK.T4E")));
  if (const QString note = platform::otherNamesNote(m_state.T4FileName()); !note.isEmpty())
    m_ui.showMessage(note);
  if (ConvertYearEndFile(m_state, m_ui, m_clock, m_yearEndFileName, *m_config) ==
          ConversionOutcome::Stopped &&
      m_state.T4FileOpen()) {
    m_state.setT4FileName(openName);
  }
  m_checks[CreateT4] = true;
}

void PayrollMenu::PrintPayrollRegister() {
  if (!requireConfig()) return;
  const QString yearEnd = dataFile(QStringLiteral("WGBT4.DTA"));
  if (!QFileInfo::exists(yearEnd)) return;
  PrintSourceRegister(m_ui, m_clock, yearEnd, *m_config);
  m_checks[PrintRegister] = true;
}

void PayrollMenu::OpenPayrollAll() {
  if (!payrollMode()) OpenPayrollConfig();
  if (!payrollMode()) {
    requireConfig();
    return;
  }
  if (QFileInfo::exists(dataFile(QStringLiteral("WAGBOK.T4E")))) {
    OpenPayrollT4();
  } else {
    CreatePayrollT4();
  }
}

void PayrollMenu::LeavePayrollMode() {
  if (!payrollMode()) return;
  // Files this program decrypted are encrypted again.
  if (encryptionInUse) {
    EncryptionDriver(m_ui, m_settings, encryptionInUse)
        .RunSealData(m_configFileName, QStringLiteral("ENC"));
  }
  m_config.reset();
  m_checks.fill(false);
}

}  // namespace quillet
