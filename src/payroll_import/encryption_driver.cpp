// Quillet — the external program that keeps the payroll product's files encrypted.
#include "payroll_import/encryption_driver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

#include "core/settings_store.h"
#include "core/ui.h"
#include "data/record.h"
#include "payroll_import/payroll_records.h"
#include "payroll_import/payroll_settings.h"
#include "platform/dos_paths.h"
#include "platform/file_names.h"
#include "platform/launcher.h"
#include "platform/shared_file.h"

namespace quillet {
namespace {

const std::pair<int, const char*> DosErrorTexts[] = {
    {1, "INVALID DOS FUNCTION NUMBER"},
    {2, "FILE NOT FOUND"},
    {3, "PATH NOT FOUND"},
    {4, "TOO MANY OPEN FILES (CONFIG.SYS)"},
    {5, "FILE ACCESS DENIED"},
    {6, "INVALID FILE HANDLE"},
    {7, "INVALID MEMORY CONTROL BLOCKS"},
    {8, "NOT ENOUGH MEMORY"},
    {9, "INVALID MEMORY BLOCK ADDRESS"},
    {10, "INVALID \"SET\" IN ENVIRONMENT"},
    {11, "INVALID FORMAT"},
    {12, "INVALID FILE ACCESS CODES"},
    {13, "INVALID DATA"},
    {14, "THIS ERROR CODE RESERVED BY DOS"},
    {15, "INVALID DRIVE NUMBER"},
    {16, "CANNOT REMOVE CURRENT DIRECTORY"},
    {17, "CANNOT RENAME ACROSS DRIVES"},
    {18, "NO FURTHER FILES TO FIND"},
    {19, "DISK WRITE PROTECTED"},
    {20, "UNKNOWN UNIT ID"},
    {21, "DISK DRIVE NOT READY"},
    {22, "COMMAND NOT DEFINED"},
    {23, "DISK DATA ERROR"},
    {24, "BAD REQUEST STRUCTURE LENGTH"},
    {25, "DISK SEEK ERROR"},
    {26, "UNKNOWN DISK MEDIA TYPE"},
    {27, "DISK SECTOR NOT FOUND"},
    {28, "PRINTER OUT OF PAPER"},
    {29, "WRITE ERROR"},
    {30, "READ ERROR"},
    {31, "GENERAL FAILURE"},
    {32, "FILE SHARING VIOLATION"},
    {33, "FILE LOCKING VIOLATION"},
    {34, "IMPROPER DISK CHANGE"},
    {35, "NO FCB AVAILABLE"},
    {80, "FILE ALREADY EXISTS"},
    {81, "THIS ERROR RESERVED BY DOS"},
    {82, "CANNOT MAKE"},
    {83, "CRITICAL-ERROR INTERRUPT FAILURE"},
    {100, "DISK READ ERROR"},
    {101, "DISK WRITE ERROR (IS DISK FULL?)"},
    {102, "FILE NOT ASSIGNED"},
    {103, "FILE NOT OPEN"},
    {104, "FILE NOT OPEN FOR INPUT"},
    {105, "FILE NOT OPEN FOR OUTPUT"},
    {106, "INVALID NUMERIC FORMAT"},
    {150, "DISK IS WRITE PROTECTED"},
    {151, "UNKNOWN UNIT"},
    {152, "DRIVE NOT READY"},
    {153, "UNKNOWN COMMAND"},
    {154, "CRC ERROR IN DATA (BAD CLUSTER?)"},
    {155, "BAD DRIVE REQUEST STRUCTURE LNTH"},
    {156, "DISK SEEK ERROR"},
    {157, "UNKNOWN MEDIA TYPE"},
    {158, "SECTOR NOT FOUND"},
    {159, "PRINTER OUT OF PAPER"},
    {160, "DEVICE WRITE-IS PRINTER ON LINE?"},
    {161, "DEVICE READ FAULT"},
    {162, "HARDWARE FAILURE"},
};

const QString SealData = QStringLiteral("A:\\SEALDATA.EXE");

}  // namespace

QString dosErrorMessage(const QString& operation, int code) {
  const int low = std::abs(code) & 0xFF;
  if (low == 0) return {};
  for (const auto& [number, text] : DosErrorTexts) {
    if (number == low) {
      return QStringLiteral("Could not ") + operation + QStringLiteral(" DOS Error Code was ") +
             QString::number(low) + QStringLiteral(" = ") + QLatin1String(text);
    }
  }
  return {};
}

void ReportDosError(const QString& operation, int code, Ui& ui) {
  const QString message = dosErrorMessage(operation, code);
  if (!message.isEmpty()) ui.showMessage(message);
}

void ReportRunError(const QString& program, int result, Ui& ui) {
  const char* reason = result == 0   ? "The system is out of memory or resources."
                       : result == 2 ? "The specified file was not found."
                       : result == 3 ? "The specified path was not found."
                       : result == 11
                           ? "The .EXE file is invalid (non-Win32 .EXE or error in .EXE image)."
                           : "Unknown or undefined error";
  ui.showMessage(QStringLiteral("Could not run ") + program + QStringLiteral("  ") +
                 QLatin1String(reason));
}

EncryptionDriver::EncryptionDriver(Ui& ui, const SettingsStore& settings, bool& encryptionInUse)
    : m_ui(ui), m_settings(settings), m_inUse(encryptionInUse) {}

QString EncryptionDriver::sealDataPath() const {
  return platform::nativePath(SealData,
                              [this](QChar letter) { return driveFolder(m_settings, letter); });
}

bool EncryptionDriver::ProbeEncryption(const QString& configPath) {
  m_inUse = false;
  if (!platform::pathFacts(configPath).exists) return true;
  // Each failure is told by the DOS code of its real cause.
  auto file = platform::SharedFile::open(configPath, platform::OpenMode::ReadOnly);
  if (!file) {
    ReportDosError(QStringLiteral("open ") + configPath,
                   platform::dosErrorCode(file.error().systemError, 5), m_ui);
    return true;
  }
  ConfigRecord config;
  if (file->readAt(0, config.bytes()) != ConfigRecord::Size) {
    ReportDosError(QStringLiteral("read ") + configPath,
                   platform::dosErrorCode(file->lastError(), 100), m_ui);
  }
  const QString drive = config.text(ConfigRecord::DataDrive);
  if (!scan((drive + config.text(ConfigRecord::SecondFolder)).left(47))) return false;
  return m_inUse || scan(drive + config.text(ConfigRecord::DataPath));
}

bool EncryptionDriver::scan(const QString& dosFolder) {
  const QDir folder(platform::nativePath(
      dosFolder, [this](QChar letter) { return driveFolder(m_settings, letter); }));
  if (dosFolder.isEmpty() || !folder.exists()) return true;
  for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
    if (name.endsWith(u'_')) {
      m_inUse = true;
    } else if (name.right(4).toUpper() == QLatin1String(".ENC")) {
      // Only a plain file is opened: a FIFO would wait for a writer for ever.
      auto file = platform::SharedFile::open(folder.filePath(name), platform::OpenMode::ReadOnly);
      if (!file) {
        ReportDosError(QStringLiteral("open ") + name,
                       platform::dosErrorCode(file.error().systemError, 5), m_ui);
        continue;
      }
      std::array<uint8_t, 22> start{};
      const int64_t got = file->readAt(0, start);
      if (file->lastError() != 0) {
        // A file that cannot be read ends the whole configuration load.
        ReportDosError(QStringLiteral("read ") + name,
                       platform::dosErrorCode(file->lastError(), 30), m_ui);
        return false;
      }
      if (got == 22 && std::equal(start.begin(), start.end(), "THIS FILE IS ENCRYPTED"))
        m_inUse = true;
    }
    if (m_inUse) return true;
  }
  return true;
}

void EncryptionDriver::RunSealData(const QString& configPath, const QString& operation) {
  m_inUse = false;
  for (;;) {
    while (!QFileInfo::exists(sealDataPath())) {
      // The wait for the diskette may be given up, as giving up on an obsolete version.
      if (m_ui.ask(
              QStringLiteral(
                  "Please insert the diskette containing SEALDATA.EXE in Drive A: then click OK"),
              QuestionKind::OkCancel) != Answer::Yes) {
        return;
      }
    }
    const QDate date = QFileInfo(sealDataPath()).lastModified().date();
    if (date.year() > 1999) break;
    const QString obsolete =
        QStringLiteral("You inserted an obsolete version of SEALDATA.EXE dated ") +
        QLocale::c().toString(date, QStringLiteral("dd'-'MMM'-'yyyy")) + QStringLiteral("\r\r") +
        QStringLiteral(
            "You MUST replace this with a current version dated January 2000 or later.") +
        QStringLiteral(
            " You will find SEALDATA.EXE on the root directory of your latest registered") +
        QStringLiteral(
            " user distribution disk (that we mail to you each year), use that disk now,") +
        QStringLiteral(" then copy the SEALDATA.EXE from it to any other work diskettes that you") +
        QStringLiteral(
            " normally keep SEALDATA.EXE on. Using an old version can cause loss of Data.") +
        QStringLiteral("\r\r") +
        QStringLiteral(
            "Click \"Yes\" when newer version inserted, or click \"No\" if not available");
    if (m_ui.ask(obsolete, QuestionKind::YesNo, {}, QuestionIcon::Warning) == Answer::Yes) continue;
    const QString confirm = QStringLiteral(
        "You clicked \"No\".  If confirmed this will leave employee files in their current state. "
        "If encrypted they "
        "will not be accessible but you can restart this program normally later when the newer "
        "version is located. "
        "However, if they are not encrypted then encryption will first have to be "
        "reinitialised.\r\rClick \"No\" "
        "again if this is what you really want, else Click \"Yes\" if you can now locate the newer "
        "version.");
    if (m_ui.ask(confirm, QuestionKind::YesNo) != Answer::Yes) return;
  }

  // The DOS program is given the configuration as DOS names it: its short (8.3) path on
  // Windows, its drive letter and the path under it through the DOS runner elsewhere.
  QStringList arguments{operation};
  const QString runner = dosRunner(m_settings);
  const QString shortPath = runner.isEmpty() ? platform::shortPathName(configPath)
                                             : platform::dosPath(configPath, [this](QChar letter) {
                                                 return driveFolder(m_settings, letter);
                                               });
  if (configPath.size() >= 5 && shortPath.size() >= 5) arguments << shortPath;
  const int result = platform::startDetached(sealDataPath(), arguments, runner);
  if (result < 32) {
    ReportRunError(SealData, result, m_ui);
    return;
  }
  if (operation.toUpper() == QLatin1String("DEC")) m_inUse = true;
  m_ui.showMessage(
      QStringLiteral("On a fast computer you might just have noticed the desktop flicker as a DOS "
                     "window for A:\\SEALDATA.EXE "
                     "opened and closed. If so click OK now. On slower computers wait for the DOS "
                     "window for A:\\SEALDATA.EXE to "
                     "finish then click OK"));
}

}  // namespace quillet
