// Quillet — a new T4 file made from the payroll product's year-end file.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <span>

namespace quillet {

class Clock;
class ConfigRecord;
class EmployerRecord;
class OpenT4FileState;
class T4Record;
class PayrollUi;
class YearEndRecord;
struct PayrollSetUp;

enum class ConversionOutcome {
  Completed,  // the completion message was shown; the new file is open
  Stopped,    // No to the overwrite question, or a file that could not be opened or made
};

// The T4 file of the open-file state's T4FileName is made anew from `yearEndPath`: the
// header and employer records from `config`, then one T4 record per employee.
ConversionOutcome ConvertYearEndFile(OpenT4FileState& state, PayrollUi& ui, const Clock& clock,
                                     const QString& yearEndPath, const ConfigRecord& config);

// The figures of the year that the employee rules are held against, in dollars.
struct EmployerLimits {
  double cppRate = 0;  // per cent, 3.5 for 3.5 %
  double cppMaxPremium = 0;
  double cppMaxEarnings = 0;
  double eiMaxEarnings = 0;

  static EmployerLimits of(const EmployerRecord& employer);
};

// One T4 record from one year-end employee. An amount beyond what a cents field holds is
// stored as the nearest limit, and `tooLarge` is set.
T4Record ConvertEmployee(const YearEndRecord& employee, const T4Record& prefix,
                         const EmployerLimits& limits, const PayrollSetUp& answers, bool& tooLarge);

// The employer record of the conversion (before the default rates are set).
EmployerRecord convertedEmployer(const ConfigRecord& config, const T4Record& prefix);

// The business number the header takes from the configuration's two numbers.
QString chosenBusinessNumber(const QString& first, const QString& second);

}  // namespace quillet
