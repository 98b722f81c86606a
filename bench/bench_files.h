// Quillet benchmarks — the T4 file of 100,000 employees that they open.
#pragma once

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "checks/employer_checks.h"
#include "core/clock.h"
#include "data/open_t4_file.h"
#include "data/t4_record.h"
#include "data/t4a_record.h"

namespace quillet::bench {

inline constexpr int Employees = 100000;

inline QString randomName(QRandomGenerator& random, int letters) {
  QString name;
  for (int i = 0; i < letters; ++i) name += QChar(u'a' + char16_t(random.bounded(26)));
  name[0] = name[0].toUpper();
  return name;
}

// The SIN of employee `n`: nine digits that pass the check (Luhn's), one for each employee.
inline QString sinOf(int n) {
  QString digits = QStringLiteral("1%1").arg(n, 7, 10, QLatin1Char('0'));
  int sum = 0;
  for (int i = 0; i < 8; ++i) {
    const int d = digits.at(i).digitValue() * (i % 2 == 1 ? 2 : 1);
    sum += d > 9 ? d - 9 : d;
  }
  return digits + QString::number((10 - sum % 10) % 10);
}

// The folder of the files the benchmarks open, for the run.
inline QString benchFolder() {
  static QTemporaryDir dir;
  return dir.path();
}

// A file of `kind` of `employer` and its Employees slips, slip `i` made by `slip(random, i)`,
// written as `name` into the run's folder.
template <class MakeSlip>
QString writeBenchFile(const QString& name, const EmployerRecord& employer, SlipKind kind,
                       MakeSlip slip) {
  const QString file = benchFolder() + u'/' + name;
  QRandomGenerator random(2000);
  QByteArray bytes;
  bytes.reserve(Record768::Size * (Employees + 2));
  const auto append = [&bytes](const Record768& r) {
    bytes.append(reinterpret_cast<const char*>(r.bytes().data()), Record768::Size);
  };
  append(HeaderRecord::forEmployer(employer, kind));
  append(employer);
  for (int i = 0; i < Employees; ++i) append(slip(random, i));
  QFile out(file);
  if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
    qFatal("cannot write %s", qPrintable(file));
  return file;
}

inline EmployerRecord benchEmployer(int year) {
  EmployerRecord employer = newEmployerRecord(FixedClock(QDateTime(QDate(year, 2, 1), QTime())));
  employer.setText(EmployerRecord::RevCan_account_number, QStringLiteral("123456782RP0001"));
  return employer;
}

// A file of 100,000 employees with names in no order, written once per run.
inline const QString& bigFile() {
  static const QString path = [] {
    const EmployerRecord employer = benchEmployer(2000);
    return writeBenchFile(
        QStringLiteral("BIG.T4E"), employer, SlipKind::T4,
        [&employer](QRandomGenerator& random, int i) {
          T4Record r = T4Record::newFrom(employer);
          r.setText(T4Record::Employee_surname, randomName(random, 8));
          r.setText(T4Record::Employee_first_name, randomName(random, 6));
          r.setText(T4Record::Employee_SIN, sinOf(i));
          r.setText(T4Record::Employee_city, QStringLiteral("Ottawa"));
          r.setText(T4Record::Employee_province_code, QStringLiteral("ON"));
          r.setText(T4Record::Province_of_employment_code, QStringLiteral("ON"));
          r.setInt32(T4Record::Employment_income, int32_t(random.bounded(1000000, 6000000)));
          r.setInt32(T4Record::Employee_CPP, int32_t(random.bounded(0, 120000)));
          r.setInt32(T4Record::Employee_EI_premium, int32_t(random.bounded(0, 100000)));
          return r;
        });
  }();
  return path;
}

// A T4A file of 100,000 recipients of 2025, names in no order: people paid fees, businesses
// paid commissions and pensioners, a third each.
inline const QString& bigT4AFile() {
  static const QString path = [] {
    const EmployerRecord payer = benchEmployer(2025);
    return writeBenchFile(
        QStringLiteral("BIG.T4A"), payer, SlipKind::T4A, [&payer](QRandomGenerator& random, int i) {
          using A = T4ARecord;
          A r = A::newFrom(payer);
          r.setText(A::Recipient_address_line_1, QStringLiteral("1 Main Street"));
          r.setText(A::Recipient_city, QStringLiteral("Ottawa"));
          r.setText(A::Recipient_province_code, QStringLiteral("ON"));
          r.setText(A::Recipient_postal_code, QStringLiteral("K1A 0B1"));
          const int32_t amount = int32_t(random.bounded(100000, 9000000));
          if (i % 3 == 1) {
            r.setFlag(A::Recipient_is_business, true);
            r.setText(A::Business_name_line_1, randomName(random, 12) + QStringLiteral(" Ltd."));
            r.setText(A::Recipient_BN, QStringLiteral("123456782RT0001"));
            r.setInt32(A::Self_employed_commissions, amount);
            return r;
          }
          r.setText(A::Recipient_surname, randomName(random, 8));
          r.setText(A::Recipient_first_name, randomName(random, 6));
          r.setText(A::Recipient_SIN, sinOf(i));
          if (i % 3 == 0) {
            r.setInt32(A::Fees_for_services, amount);
          } else {
            r.setInt32(A::Pension_or_superannuation, amount);
            r.setInt32(A::Income_tax_deducted, amount / 5);
            r.setByte(A::Dental_benefits_code, 3);
          }
          return r;
        });
  }();
  return path;
}

inline OpenT4FileState openBenchFile(const QString& path) {
  OpenT4FileState state;
  state.setT4FileName(path);
  if (!state.OpenT4File()) qFatal("cannot open %s", qPrintable(path));
  return state;
}

inline OpenT4FileState openBigFile() { return openBenchFile(bigFile()); }

}  // namespace quillet::bench
