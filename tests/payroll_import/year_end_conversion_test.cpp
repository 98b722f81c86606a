// Quillet tests — six-byte reals and the year-end conversion, on files the tests build.
#include "payroll_import/year_end_conversion.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "core/clock.h"
#include "data/open_t4_file.h"
#include "golden.h"
#include "open_file_test.h"
#include "payroll_files.h"
#include "payroll_import/payroll_records.h"
#include "payroll_import/real48.h"
#include "reports/print_dialogs.h"

using namespace quillet;
using namespace quillet::test;

namespace {

using T = T4Record;
using Y = YearEndRecord;

TEST(Real48, decodesValuesSignsAndTheZeroExponent) {
  using Bytes = std::array<uint8_t, 6>;
  for (const auto& [bytes, value] :
       {std::pair{Bytes{0x81, 0, 0, 0, 0, 0}, 1.0},
        {Bytes{0x82, 0, 0, 0, 0, 0}, 2.0},
        {Bytes{0x81, 0, 0, 0, 0, 0x80}, -1.0},
        {Bytes{0x80, 0, 0, 0, 0, 0x40}, 0.75},
        {Bytes{0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 0.0},  // exponent 0 is 0 whatever follows
        {Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, std::ldexp(2.0 - std::ldexp(1.0, -39), 126)},
        {Bytes{0x01, 0, 0, 0, 0, 0}, std::ldexp(1.0, -128)}})
    EXPECT_EQ(decodeReal48(bytes), value);
  for (double value : {1234.56, -0.01, 37400.0, 0.3, 99999999.99})
    EXPECT_NEAR(decodeReal48(encodeReal48(value)), value, std::fabs(value) * 1e-11) << value;
}

TEST(Conversion, theBusinessNumberAndTheEmployerFromTheConfiguration) {
  for (const auto& [a, b, chosen] : {std::tuple{"A1", "", "A1"},
                                     {"", "", ""},
                                     {"", "B", "B"},
                                     {"X", "9B", "9B"},
                                     {"1A", "B", "1A"},
                                     {"A", "B", "B"}})
    EXPECT_EQ(chosenBusinessNumber(a, b), chosen) << a << "/" << b;
  for (const auto& [phone, area, number] : {std::tuple{"(613) 555-1234", "613", "5551234"},
                                            {"555-1234", "", "5551234"},
                                            {"5551234", "", "5551234"},
                                            {"555123", "", ""}}) {
    const EmployerRecord e = convertedEmployer(configRecord(1.4, phone), T4Record());
    EXPECT_EQ(e.text(EmployerRecord::S_Contact_area_code), area) << phone;
    EXPECT_EQ(e.text(EmployerRecord::S_Contact_phone_number), number) << phone;
    EXPECT_EQ(e.text(EmployerRecord::S_Employer_name_line_1), "Lakeside Payroll Company of Ea");
    EXPECT_EQ(e.text(EmployerRecord::S_Employer_country_code), "CAN");
  }
  for (const auto& [multiplier, stored] :
       {std::pair{0.0, 14000}, {3.0, 14000}, {1.3, 13000}, {2.51, 25100}}) {
    EXPECT_EQ(convertedEmployer(configRecord(multiplier), T4Record())
                  .int32(EmployerRecord::EI_employer_multiplier),
              stored)
        << multiplier;
  }
}

// The 1999 figures: CPP 3.5 %, 1186.50, 37400.00; EI maximum earnings 39000.00.
const EmployerLimits Limits1999{3.5, 1186.50, 37400.00, 39000.00};

T4Record convert(const QByteArray& y, PayrollSetUp answers = {},
                 T4Record prefix = T4Record::newFrom(goodEmployer())) {
  bool tooLarge = false;
  return ConvertEmployee(YearEndRecord(std::span<const uint8_t>(
                             reinterpret_cast<const uint8_t*>(y.data()), std::size_t(y.size()))),
                         prefix, Limits1999, answers, tooLarge);
}

// Box 26 only when the CPP is short of the maximum and earnings differ (c, e, p: amounts 60,
// 56, 89); box 24 likewise for EI (e, i: amounts 56 and 90), at and over the EI maximum.
TEST(ConvertEmployee, pensionableAndInsurableEarnings) {
  for (const auto& [c, e, p, box26] : {std::tuple{1186.50, 30000.0, 10000.0, 0},
                                       {900.0, 30000.0, 29950.0, 0},
                                       {900.0, 30000.0, 25000.0, 2500000},
                                       {1000.0, 50000.0, 37350.0, 0},
                                       {0.04, 30000.0, 100.0, 0}})
    EXPECT_EQ(convert(yearEnd({}, {{60, c}, {56, e}, {89, p}})).int32(T::CPP_OR_Quebec_PensionEarn),
              box26)
        << c << " " << e << " " << p;
  for (const auto& [e, i, box24] : {std::tuple{50000.0, 45000.0, 0},
                                    {20000.0, 19997.0, 0},
                                    {20000.0, 15000.0, 1500000},
                                    {40000.0, 38999.96, 0},
                                    {40000.0, 39000.0, 0},
                                    {20000.0, 38999.95, 3899995},
                                    {20000.0, 45000.0, 0}})
    EXPECT_EQ(convert(yearEnd({}, {{56, e}, {90, i}})).int32(T::EI_insurable_earnings), box24)
        << e << " " << i;
}

// The T4 records of employees of every province of employment (PQ and QC with QPP, an
// OTHER with a zip code in the USA, one with a postal code ZZ), and of one with every other
// rule: the SIN's blanks, tax halves to the even cent, an exemption that stands with nothing
// for CPP and not with an EI premium, box 44 not asked for, the plan number as the
// conversion hands it, the first name cut to its field, the prefix it is given. Recorded.
TEST(ConvertEmployee, theRecordsOfEveryKindOfEmployee) {
  QString all;
  for (const auto& [code, postCode] : {std::pair{"PQ", "H1A 1A1"},
                                       {"QC", "H1A 1A1"},
                                       {"ONT", "K1A 0B1"},
                                       {"pq", "H1A"},
                                       {"NWT", "X1A"},
                                       {"OTHER", "90210"},
                                       {"OTHER", "K1A 0B1"},
                                       {"AUTRE", "90210-1"},
                                       {"MAN", "R3C"}}) {
    const T4Record r =
        convert(yearEnd({{Y::ProvinceOfEmployment, code}, {Y::PostCode, postCode}}, {{60, 500}}));
    all += QStringLiteral("%1 %2: %3 %4 CPP %5 QPP %6\n")
               .arg(code, postCode, r.text(T::Province_of_employment_code),
                    r.text(T::Employee_country_code))
               .arg(r.int32(T::Employee_CPP))
               .arg(r.int32(T::Employee_QPP));
  }
  QByteArray y = yearEnd({{Y::Sin, "123 456 782"},
                          {Y::EmployeeNumber, "E-17"},
                          {Y::Surname, "Gagnon"},
                          {Y::FirstName, "Marie-Claudette"},
                          {Y::Street, "12 rue Principale"},
                          {Y::Town, "Hull"},
                          {Y::Province, "Quebec"},
                          {Y::PostCode, "J8X 2B4"},
                          {Y::ProvinceOfEmployment, "ONT"}},
                         {{56, 30000},
                          {59, 4000.125},
                          {60, 0},
                          {61, 765},
                          {62, 1200},
                          {64, 50.25},
                          {65, 24.75},
                          {66, 300}});
  y[545] = 1;
  y[546] = 1;
  all += fieldsOf(convert(y, PayrollSetUp{true, false, "  1234567890 "}), T4Record::layout());
  expectGolden("converted_employees", all);
}

TEST(ConvertEmployee, otherInformationPairsAndAmountsBeyondACentsField) {
  const auto codes = [](const T4Record& r) {
    QStringList pairs;
    for (int i = 0; i < T::OtherInfoCount; ++i) {
      if (!r.isEmpty(T::Other_info_code[i]))
        pairs << r.text(T::Other_info_code[i]) + "=" +
                     QString::number(r.int32(T::Other_info_amount[i]));
    }
    return pairs;
  };
  const struct {
    std::initializer_list<std::pair<int, double>> amounts;
    QStringList pairs;
  } cases[] = {
      // clang-format off
      {{{49, 100}, {53, 0.30}}, {"30 Housing Board Lodging=10000"}},
      {{{49, 100}, {53, 0.60}}, {"30 Housing Board Lodging=10000", "40 Other Taxable=60"}},
      {{{42, 812.5}}, {"42 Employment Commission=81250"}},
      {{{49, 1}, {50, 2}, {51, 3}, {52, 4}, {54, 5}, {42, 6}}, {"30 Housing Board Lodging=100", "32 Travel Prescribed Zone=200", "34 Psnl Use Co.Car=300", "36 Low/No Interest Loan=400", "40 Other Taxable=500", "42 Employment Commission=600"}},
      // clang-format on
  };
  for (const auto& c : cases) EXPECT_EQ(codes(convert(yearEnd({}, c.amounts))), c.pairs);

  bool tooLarge = false;
  const QByteArray y = yearEnd({}, {{56, 1e12}, {59, -1e12}, {61, 12}});
  const T4Record r = ConvertEmployee(
      YearEndRecord(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(y.data()), 640)),
      T4Record(), Limits1999, {}, tooLarge);
  EXPECT_TRUE(tooLarge);
  EXPECT_EQ(std::tuple(r.int32(T::Employment_income), r.int32(T::Income_tax_deducted),
                       r.int32(T::Employee_EI_premium)),
            std::tuple(INT32_MAX, INT32_MIN, 1200));
}

class ConvertFileTest : public OpenFileTest {
 protected:
  ConvertFileTest() { state.setT4FileName(folder.path("WAGBOK.T4E")); }

  ConfigRecord config = configRecord();
  FixedClock clock{QDateTime(QDate(2001, 1, 10), QTime(9, 0))};
};

TEST_F(ConvertFileTest, aNewerT4FileIsOverwrittenOnlyAfterYes) {
  const QString yearEndFile = folder.write("WGBT4.DTA", yearEnd({{Y::Surname, "New"}}));
  const QString old = folder.write("WAGBOK.T4E", t4FileBytes(goodEmployer(), {goodT4("Old", "O")}));
  setModified(yearEndFile, QDateTime(QDate(2000, 12, 31), QTime(17, 0)));
  setModified(old, QDateTime(QDate(2001, 1, 5), QTime(9, 0)));
  ui.expectQuestion(Answer::No);
  EXPECT_EQ(ConvertYearEndFile(state, ui, clock, yearEndFile, config), ConversionOutcome::Stopped);
  EXPECT_TRUE(readWholeFile(old).contains("Old"));

  ui.expectQuestion(Answer::Yes);
  EXPECT_EQ(ConvertYearEndFile(state, ui, clock, yearEndFile, config),
            ConversionOutcome::Completed);
  EXPECT_EQ(state.T4File().key(0), "NEW,   ");
  EXPECT_EQ(state.T4File().Count(), 1);
  expectGolden("conversion_overwrite", ui.transcript(), folder.path({}));
}

// A conversion stopped in its progress window, or onto its own year-end file, changes
// nothing.
TEST_F(ConvertFileTest, whatCannotBeConvertedChangesNothing) {
  const QString old = folder.write("WAGBOK.T4E", t4FileBytes(goodEmployer(), {goodT4("Old", "O")}));
  const QByteArray before = readWholeFile(old);
  state.setT4FileName(old);
  ScriptedUi stopped;
  stopped.cancelProgressAt(1);
  const QString two = folder.write("TWO.DTA", yearEnd({{Y::Surname, "A"}}) + yearEnd({}));
  EXPECT_EQ(ConvertYearEndFile(state, stopped, clock, two, config), ConversionOutcome::Stopped);
  EXPECT_EQ(readWholeFile(old), before);
  EXPECT_EQ(stopped.messages(),
            QStringList{"The conversion was stopped at employee 2 of 2: nothing was written, "
                        "and " +
                        old + " is as it was."});
  state.setT4FileName(two);
  const QByteArray yearEndBytes = readWholeFile(two);
  EXPECT_EQ(ConvertYearEndFile(state, ui, clock, two, config), ConversionOutcome::Stopped);
  EXPECT_EQ(readWholeFile(two), yearEndBytes);
}

}  // namespace
