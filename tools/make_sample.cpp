// Quillet — writes the bundled sample T4 file: a fictional employer of tax year 2000 with
// six employees, one of them VOID and two with findings.
#include <QTextStream>
#include <cstdio>

#include "checks/employer_checks.h"
#include "core/clock.h"
#include "data/open_t4_file.h"
#include "data/t4_record.h"

using namespace quillet;

namespace {

struct Employee {
  const char* surname;
  const char* firstName;
  const char* initial;
  const char* sin;
  const char* street;
  const char* city;
  const char* province;  // of the address and of employment
  const char* postalCode;
  int32_t income, tax, cpp, qpp, ei;
  bool isVoid;
};

// Rates of 2000: CPP 3.9 % over a 3500.00 exemption up to 1329.90, EI 2.4 % up to 936.00.
const Employee Staff[] = {
    {"Jones", "Mary", "A", "046 454 286", "12 Birch Lane", "Kingston", "ON", "K7L 3N6", 3500000,
     720000, 122850, 0, 84000, false},
    {"Adams", "Peter", "", "192-837-466", "88 Front Street", "Belleville", "ON", "K8N 2Y6", 5200000,
     1200000, 132990, 0, 93600, false},
    // CPP far below what 20000.00 of earnings call for.
    {"Smith", "John", "A", "273645184", "5 Mill Road", "Napanee", "ON", "K7R 1A1", 2000000, 310000,
     50000, 0, 48000, false},
    {"Leblanc", "\u00C9mile", "", "314 159 260", "301 rue Principale", "Gatineau", "QC", "J8X 2B4",
     2500000, 400000, 0, 83850, 60000, false},
    {"Tremblay", "Anne", "", "527 182 810", "17 Elm Street", "Kingston", "ON", "K7K 1B2", 1500000,
     150000, 45000, 0, 36000, true},
    // A failing SIN, no postal code, and earnings small enough to VOID.
    {"Nguyen", "Linh", "", "123 456 789", "40 Queen Street", "Kingston", "ON", "", 30000, 0, 0, 0,
     0, false},
};

EmployerRecord sampleEmployer() {
  EmployerRecord e = newEmployerRecord(FixedClock(QDateTime(QDate(2001, 1, 15), QTime(9, 0))));
  e.setText(EmployerRecord::RevCan_account_number, QStringLiteral("123456782RP0001"));
  e.setText(EmployerRecord::S_Employer_name_line_1, QStringLiteral("Limestone Hardware Ltd."));
  e.setText(EmployerRecord::S_Employer_address_line_1, QStringLiteral("200 Princess Street"));
  e.setText(EmployerRecord::S_Employer_city, QStringLiteral("Kingston"));
  e.setText(EmployerRecord::S_Employer_province_code, QStringLiteral("ON"));
  e.setText(EmployerRecord::S_Employer_country_code, QStringLiteral("CAN"));
  e.setText(EmployerRecord::S_Employer_postal_code, QStringLiteral("K7L 1B2"));
  e.setText(EmployerRecord::S_Contact_name, QStringLiteral("Ruth Ellery"));
  e.setText(EmployerRecord::S_Contact_area_code, QStringLiteral("613"));
  e.setText(EmployerRecord::S_Contact_phone_number, QStringLiteral("5550142"));
  return e;
}

T4Record sampleT4(const Employee& s, const EmployerRecord& employer) {
  T4Record r = T4Record::newFrom(employer);
  r.setText(T4Record::Employee_surname, QString::fromUtf8(s.surname));
  r.setText(T4Record::Employee_first_name, QString::fromUtf8(s.firstName));
  r.setText(T4Record::Employee_secondinitial, QString::fromUtf8(s.initial));
  r.setText(T4Record::Employee_SIN, QString::fromUtf8(s.sin));
  r.setText(T4Record::Employee_address_line_1, QString::fromUtf8(s.street));
  r.setText(T4Record::Employee_city, QString::fromUtf8(s.city));
  r.setText(T4Record::Employee_province_code, QString::fromUtf8(s.province));
  r.setText(T4Record::Province_of_employment_code, QString::fromUtf8(s.province));
  r.setText(T4Record::Employee_country_code, QStringLiteral("CAN"));
  r.setText(T4Record::Employee_postal_code, QString::fromUtf8(s.postalCode));
  r.setInt32(T4Record::Employment_income, s.income);
  r.setInt32(T4Record::Income_tax_deducted, s.tax);
  r.setInt32(T4Record::Employee_CPP, s.cpp);
  r.setInt32(T4Record::Employee_QPP, s.qpp);
  r.setInt32(T4Record::Employee_EI_premium, s.ei);
  r.setFlag(T4Record::VOID, s.isVoid);
  return r;
}

}  // namespace

int main(int argc, char** argv) {
  QTextStream err(stderr);
  if (argc != 2) {
    err << "usage: quillet-make-sample OUT.T4E" << Qt::endl;
    return 2;
  }
  OpenT4FileState state;
  state.setT4FileName(QString::fromLocal8Bit(argv[1]));
  if (const FileStatus opened = state.OpenT4File(); !opened) {
    err << opened.message() << Qt::endl;
    return 1;
  }
  EmployerRecord employer = sampleEmployer();
  bool ok = writeEmployerAndHeader(state, employer);

  TAlphaInxFileStream& file = state.T4File();
  for (const Employee& employee : Staff) {
    const T4Record record = sampleT4(employee, employer);
    ok = ok && file.WriteIndexed(record.bytes(), file.Count(),
                                 indexKey(IndexKind::T4Record, record.bytes())) == Record768::Size;
  }
  if (!ok) err << "Could not write " << state.T4FileName() << Qt::endl;
  return ok ? 0 : 1;
}
