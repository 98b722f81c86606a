// Quillet tests — payroll year-end records and configurations built by the tests.
#pragma once

#include <QByteArray>
#include <QString>

#include "payroll_import/payroll_records.h"

namespace quillet::test {

// One 640-byte year-end employee record written "Field=value; Field=value": its texts and
// bytes under the names of the year-end layout ("Surname", "Prov of Empl", "CPP exempt"), its
// amounts by their number, 32 to 90, in dollars ("56=30000"); "cut=N" keeps its first N bytes.
QByteArray yearEnd(const QString& line);

// A 3072-byte configuration of a company in Ontario with the given EI multiplier, its
// payroll data in C:\DATA\CO1\.
QByteArray configBytes(double eiMultiplier = 1.4, const QString& phone = "(613) 555-1234");
ConfigRecord configRecord(double eiMultiplier = 1.4, const QString& phone = "(613) 555-1234");
QByteArray bytesOf(const ConfigRecord& config);

}  // namespace quillet::test
