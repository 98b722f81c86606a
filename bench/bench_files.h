// Quillet benchmarks — the T4 file of 100,000 employees that they open.
#pragma once

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "checks/employer_checks.h"
#include "core/clock.h"
#include "data/open_t4_file.h"
#include "data/t4_record.h"

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

// A file of 100,000 employees with names in no order, written once per run.
inline const QString& bigFile() {
  static QTemporaryDir dir;
  static const QString path = [] {
    const QString file = dir.filePath(QStringLiteral("BIG.T4E"));
    QRandomGenerator random(2000);
    EmployerRecord employer = newEmployerRecord(FixedClock(QDateTime(QDate(2000, 2, 1), QTime())));
    employer.setText(EmployerRecord::RevCan_account_number, QStringLiteral("123456782RP0001"));
    QByteArray bytes;
    bytes.reserve(Record768::Size * (Employees + 2));
    const auto append = [&bytes](const Record768& r) {
      bytes.append(reinterpret_cast<const char*>(r.bytes().data()), Record768::Size);
    };
    append(HeaderRecord::forEmployer(employer));
    append(employer);
    for (int i = 0; i < Employees; ++i) {
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
      append(r);
    }
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
      qFatal("cannot write %s", qPrintable(file));
    return file;
  }();
  return path;
}

inline OpenT4FileState openBigFile() {
  OpenT4FileState state;
  state.setT4FileName(bigFile());
  if (!state.OpenT4File()) qFatal("cannot open %s", qPrintable(bigFile()));
  return state;
}

}  // namespace quillet::bench
