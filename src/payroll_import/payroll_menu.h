// Quillet — the Wagebook Customers menu: the company configuration, the company's T4
// file, its creation from the year-end file, and the source register.
#pragma once

#include <QString>
#include <array>
#include <memory>

#include "payroll_import/payroll_records.h"

namespace quillet {

class Clock;
class OpenT4FileState;
class SettingsStore;
class PayrollUi;

class PayrollMenu {
 public:
  enum Check { OpenConfig, OpenT4, CreateT4, PrintRegister };

  // `programDir`: the program's folder, where the payroll product may be installed too.
  PayrollMenu(OpenT4FileState& state, PayrollUi& ui, const Clock& clock,
              const SettingsStore& settings, QString programDir);

  void OpenPayrollConfig();
  void OpenPayrollT4();
  void CreatePayrollT4();
  void PrintPayrollRegister();
  void OpenPayrollAll();
  void LeavePayrollMode();

  bool payrollMode() const { return m_config != nullptr; }
  // Which of the four commands were carried out since payroll mode began.
  const std::array<bool, 4>& checks() const { return m_checks; }
  void setCheck(Check check, bool on) { m_checks[check] = on; }
  // The payroll product's files were decrypted by this program (the encryption driver).
  bool encryptionInUse = false;
  const QString& configFileName() const { return m_configFileName; }
  void clearConfigFileName() { m_configFileName.clear(); }

  // A file of the company data folder, as a path of this machine.
  QString dataFile(const QString& name) const;

 private:
  bool requireConfig();
  void loadConfig();
  QString initialConfigFolder() const;

  OpenT4FileState& m_state;
  PayrollUi& m_ui;
  const Clock& m_clock;
  const SettingsStore& m_settings;
  QString m_programDir;
  std::unique_ptr<ConfigRecord> m_config;  // held while payroll mode lasts
  QString m_configFileName;
  QString m_yearEndFileName;
  std::array<bool, 4> m_checks{};
};

}  // namespace quillet
