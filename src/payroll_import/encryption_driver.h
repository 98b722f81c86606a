// Quillet — the external program that keeps the payroll product's files encrypted.
#pragma once

#include <QString>

namespace quillet {

class SettingsStore;
class Ui;

// "Could not <operation> DOS Error Code was <code> = <text>"; empty for a code the table
// does not know (and for 0).
QString dosErrorMessage(const QString& operation, int code);
void ReportDosError(const QString& operation, int code, Ui& ui);
void ReportRunError(const QString& program, int result, Ui& ui);

class EncryptionDriver {
 public:
  // `encryptionInUse` is the flag the rest of the program reads.
  EncryptionDriver(Ui& ui, const SettingsStore& settings, bool& encryptionInUse);

  // Sets the flag when the company's folders hold encrypted files. False when a file
  // that had to be examined could not be read: that ends the configuration's load.
  bool ProbeEncryption(const QString& configPath);
  // Runs A:\SEALDATA.EXE with "DEC" or "ENC" and the configuration's short path.
  void RunSealData(const QString& configPath, const QString& operation);

  // The program, as a path of this machine.
  QString sealDataPath() const;

 private:
  bool scan(const QString& dosFolder);

  Ui& m_ui;
  const SettingsStore& m_settings;
  bool& m_inUse;
};

}  // namespace quillet
