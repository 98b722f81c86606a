// Quillet tests — the batch tool's outputs for files of tax years 1999 and 2000, compared
// with the outputs recorded in tests/golden: what a later change must leave as it is.
// QUILLET_UPDATE_GOLDEN=1 records them anew (only when a change is meant to alter them).
#include "golden.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>

#include "checks/employer_checks.h"
#include "checks/tax_years.h"
#include "cli/cli.h"
#include "payroll_files.h"
#include "payroll_import/payroll_records.h"
#include "test_files.h"

using namespace quillet;
using namespace quillet::test;

namespace {

using T = T4Record;
using E = EmployerRecord;

// An employer of `year` with that year's rates.
EmployerRecord employerOf(int year) {
  if (year != 2000) return goodEmployer();
  return with(goodEmployer(), {{E::S_Taxation_year, 2000},
                               {E::CPP_rate, 39000},
                               {E::CPP_max_premium, 132990},
                               {E::CPP_max_earnings, 3760000},
                               {E::EI_rate, 24000},
                               {E::EI_max_premium, 93600}});
}

// Employees of every kind the checks and totals tell apart.
std::vector<T4Record> staffOf(const EmployerRecord& employer) {
  const auto employee = [&](const char* surname, int32_t income, int32_t cpp, int32_t ei,
                            std::initializer_list<FieldChange> more = {}) {
    T4Record r = with(
        goodT4(surname, "Pat"),
        {{T::Employment_income, income}, {T::Employee_CPP, cpp}, {T::Employee_EI_premium, ei}});
    r.copyPrefixFrom(employer);
    change(r, more);
    return r;
  };
  const int32_t maxCpp = employer.int32(E::CPP_max_premium);
  const int32_t maxEi = employer.int32(E::EI_max_premium);
  std::vector<T4Record> staff;
  staff.push_back(goodT4("Adams", "Ann", "B"));
  staff.back().copyPrefixFrom(employer);
  staff.push_back(employee("Maxwell", 6000000, maxCpp, maxEi));
  staff.push_back(employee("Over", 8000000, maxCpp + 5000, maxEi + 100));
  staff.push_back(employee("Low", 2500000, 20000, 10000));
  staff.push_back(employee("Tremblay", 3000000, 0, 60000,
                           {{T::Province_of_employment_code, "QC"},
                            {T::Employee_province_code, "QC"},
                            {T::Employee_QPP, 90000}}));
  staff.push_back(employee(
      "Exempt", 1000000, 0, 0,
      {{T::CPP_OR_Quebec_Pension_Exempt, true}, {T::EI_Exempt, true}, {T::Employment_code, "12"}}));
  staff.push_back(employee("Other", 4500000, maxCpp / 2, maxEi / 2,
                           {{T::Union_dues, 45000},
                            {T::RPP_contributions, 120000},
                            {T::Pension_adjustment, 300000},
                            {T::CPP_OR_Quebec_PensionEarn, 2200000},
                            {T::EI_insurable_earnings, 3000000},
                            {T::Other_info_code_1, "30 Housing Board Lodging"},
                            {T::Other_info_amount_1, 120000},
                            {T::Other_info_code_2, "40 Other Taxable"},
                            {T::Other_info_amount_2, -5000}}));
  staff.push_back(employee("Void", 5000000, 1000, 1000, {{T::VOID, true}}));
  return staff;
}

// The batch tool's runs on one file; print runs write their trace into `trace`.
QList<QStringList> runsOn(const QString& file, const QString& trace) {
  QList<QStringList> runs = {{"check", file}, {"dump", file}, {"totals", file}};
  for (const QStringList& kind :
       {QStringList{"forms"}, QStringList{"forms", "--type", "0"}, QStringList{"forms", "--lineup"},
        QStringList{"summary"}, QStringList{"summary", "--remittances", "0", "--print-employer"},
        QStringList{"labels", "--style", "0"}, QStringList{"labels", "--style", "1"},
        QStringList{"labels", "--style", "2"}, QStringList{"labels", "--style", "3"},
        QStringList{"errors"}, QStringList{"totals"}}) {
    runs << QStringList{"print", kind.first(), file} + kind.mid(1) + QStringList{"--trace", trace};
  }
  return runs;
}

// One run's exit status, standard output, standard error and trace, the folder's path
// written as <folder>.
QString outputOf(const QStringList& args, const TempFolder& folder, const QString& trace) {
  QFile::remove(trace);
  QString out, err;
  QTextStream outStream(&out), errStream(&err);
  const int status =
      cli::run(args + QStringList{"--now", "2001-02-03 04:05"}, outStream, errStream);
  outStream.flush();
  errStream.flush();
  QString all = QStringLiteral("$ quillet-cli %1\nexit %2\n--- stdout\n%3--- stderr\n%4")
                    .arg(args.join(u' '))
                    .arg(status)
                    .arg(out, err);
  if (QFile::exists(trace))
    all += QStringLiteral("--- trace\n") + QString::fromUtf8(readWholeFile(trace));
  return all.replace(folder.path({}), QStringLiteral("<folder>"));
}

class Golden : public ::testing::TestWithParam<int> {};

TEST_P(Golden, everyOutputOfAFileOfTheYear) {
  const int year = GetParam();
  TempFolder folder;
  const EmployerRecord employer = employerOf(year);
  const QString file = folder.write("ACME.T4E", t4FileBytes(employer, staffOf(employer)));
  const QString trace = folder.path("trace.txt");
  QString all;
  for (const QStringList& args : runsOn(file, trace)) all += outputOf(args, folder, trace);
  expectGolden(QStringLiteral("t4_file_%1").arg(year), all);
}

INSTANTIATE_TEST_SUITE_P(Years, Golden, ::testing::Values(1999, 2000));

TEST(GoldenConversion, aYearEndFileOfEveryKindOfEmployee) {
  TempFolder folder;
  using Y = YearEndRecord;
  QByteArray yearEnd;
  const struct {
    const char* surname;
    const char* province;
    const char* postCode;
    double income;
  } staff[] = {{"Adams", "ONT", "K7L 1A1", 30000},
               {"Bouchard", "PQ", "H2X 1Y4", 45000},
               {"Carter", "OTHER", "90210", 52000},
               {"Dupont", "AUTRE", "K1A 0B1", 12000},
               {"Evans", "NWT", "X1A 2P3", 99999}};
  for (const auto& s : staff) {
    yearEnd += quillet::test::yearEnd({{Y::Surname, s.surname},
                                       {Y::FirstName, "Lee"},
                                       {Y::Sin, "046 454 286"},
                                       {Y::ProvinceOfEmployment, s.province},
                                       {Y::PostCode, s.postCode}},
                                      {{56, s.income},
                                       {59, s.income / 5},
                                       {60, s.income / 30},
                                       {61, s.income / 45},
                                       {89, s.income - 1000},
                                       {90, s.income - 2000},
                                       {49, 250},
                                       {42, 1000},
                                       {62, 800},
                                       {64, 50},
                                       {66, 120}});
  }
  const QString config = folder.write("CO1.CNF", configBytes());
  const QString dta = folder.write("WGBT4.DTA", yearEnd);
  {
    QFile file(dta);  // the register prints the file's time
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(QDateTime(QDate(2000, 12, 29), QTime(17, 5)),
                     QFileDevice::FileModificationTime);
  }
  const QString out = folder.path("WAGBOK.T4E");
  const QString trace = folder.path("trace.txt");
  QString all;
  for (const QStringList& args :
       {QStringList{"convert", "--config", config, "--box20", "--box44", "--regn", "1234567", dta,
                    out},
        QStringList{"dump", out}, QStringList{"check", out},
        QStringList{"print", "register", "--config", config, dta, "--trace", trace}}) {
    all += outputOf(args, folder, trace);
  }
  expectGolden(QStringLiteral("conversion"), all);
}

// An employer of 2025 and two employees: one in Ontario with CPP2, box 45 and other
// information; one in Québec with QPP, QPP2 and PPIP.
struct Year2025 {
  EmployerRecord employer;
  T4Record ontario;
  T4Record quebec;
};

Year2025 year2025() {
  Year2025 y;
  EmployerRecord& y2025 = y.employer;
  T4Record& ontario = y.ontario;
  T4Record& quebec = y.quebec;
  y2025 = goodEmployer();
  applyRates(y2025, *ratesOf(2025));
  y2025.setText(E::S_Proprietor_SIN_1, "046454286");
  ontario =
      with(goodT4("Adams", "Ann", "B"), {{T::Employment_income, 8000000},
                                         {T::Employee_CPP, 403410},
                                         {T::Employee_CPP2, 35200},
                                         {T::Employee_EI_premium, 107748},
                                         {T::Dental_benefits_code, 3},
                                         {T::Employment_code, "12"},
                                         {T::Employee_number, "E-17"},
                                         {T::Other_info_code_1, "40 Other Taxable"},
                                         {T::Other_info_amount_1, 25000},
                                         {T::Other_info_code_2, "73 Number days outside Canada"},
                                         {T::Other_info_amount_2, 4500}});
  quebec = with(goodT4("Tremblay", "Luc"), {{T::Province_of_employment_code, "QC"},
                                            {T::Employee_province_code, "qc"},
                                            {T::Employee_postal_code, "h2x 1y4"},
                                            {T::Employment_income, 9000000},
                                            {T::Employee_CPP, 0},
                                            {T::Employee_QPP, 433920},
                                            {T::Employee_QPP2, 39600},
                                            {T::Employee_EI_premium, 86067},
                                            {T::Employee_PPIP_premium, 44460},
                                            {T::PPIP_insurable_earnings, 9000000},
                                            {T::Dental_benefits_code, 1}});
  for (T4Record* r : {&ontario, &quebec}) r->copyPrefixFrom(y2025);
  return y;
}

// CRA's XML return of small files, byte for byte.
TEST(GoldenXml, returnsOfEveryKind) {
  TempFolder folder;
  const QString transmitter = folder.write(
      "tx.ini",
      "[Transmitter]\nSignIn=RAC\nAccount=123456782RP0001\nRepID=AB12345\nName=Pat Doe "
      "Bookkeeping\nContactName=Pat Doe\nContactArea=613\nContactPhone=555-0100\n"
      "ContactExtension=12\nContactEmail=pat@example.ca\nLanguage=E\n");
  auto [y2025, ontario, quebec] = year2025();
  T4Record cancelled = goodT4("Zed", "Zoe");
  cancelled.setByte(T::Report_type, 2);
  cancelled.setByte(T::Dental_benefits_code, 2);
  cancelled.copyPrefixFrom(y2025);
  const struct {
    const char* name;
    QByteArray bytes;
    QStringList options;
  } files[] = {
      // clang-format off
      {"xml_1999", t4FileBytes(goodEmployer(), {goodT4("Adams", "Ann", "B"), goodT4("Void", "V")}), {}},
      {"xml_2025", t4FileBytes(y2025, {ontario, quebec}), {}},
      {"xml_2025_amended", t4FileBytes(y2025, {ontario, cancelled}), {"--note", "Zoe Zed never worked here."}},
      // clang-format on
  };
  for (const auto& f : files) {
    QByteArray bytes = f.bytes;
    if (QLatin1String(f.name) == QLatin1String("xml_1999")) bytes[1536 + 768 + 29] = 1;  // VOID
    const QString t4 = folder.write("ACME.T4E", bytes);
    const QString out = folder.path("out.xml");
    QFile::remove(out);
    QString all = outputOf(
        QStringList{"xml", t4, out, "--transmitter", transmitter, "--ref", "R2026A1"} + f.options,
        folder, out);
    expectGolden(QLatin1String(f.name), all);
  }
}

// The slips and the Summary drawn on plain paper: one employee of 2000, of 2023, and of
// 2025 in Ontario and in Québec, in each copy.
TEST(GoldenPlainPaper, slipsOfEveryCopyAndTheSummary) {
  TempFolder folder;
  const Year2025 y = year2025();
  EmployerRecord y2023 = goodEmployer();
  applyRates(y2023, *ratesOf(2023));
  T4Record in2023 = y.ontario;
  in2023.copyPrefixFrom(y2023);
  const EmployerRecord y2000 = employerOf(2000);
  const std::vector<T4Record> staff2000 = staffOf(y2000);
  const QString trace = folder.path("trace.txt");
  const QStringList files = {
      folder.write("Y2000.T4E", t4FileBytes(y2000, {staff2000.back(), staff2000.at(6)})),
      folder.write("Y2023.T4E", t4FileBytes(y2023, {in2023})),
      folder.write("Y2025ON.T4E", t4FileBytes(y.employer, {y.ontario})),
      folder.write("Y2025QC.T4E", t4FileBytes(y.employer, {y.quebec}))};
  for (const char* copy : {"employee", "employer", "cra"}) {
    QString all;
    for (const QString& file : files) {
      all += outputOf({"print", "slips", file, "--copy", copy, "--trace", trace}, folder, trace);
    }
    expectGolden(QStringLiteral("plain_slips_%1").arg(QLatin1String(copy)), all);
  }
  QString all;
  for (const QString& file : {files.first(), files.last()}) {
    all += outputOf({"print", "plain-summary", file, "--remittances", "1000", "--trace", trace},
                    folder, trace);
  }
  expectGolden(QStringLiteral("plain_summary"), all);
}

}  // namespace

// Printing needs fonts, and so an application.
int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
