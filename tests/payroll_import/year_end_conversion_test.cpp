// Quillet tests — six-byte reals and the year-end conversion, on files the tests build.
#include "payroll_import/year_end_conversion.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "core/clock.h"
#include "data/open_t4_file.h"
#include "payroll_files.h"
#include "payroll_import/payroll_records.h"
#include "payroll_import/real48.h"
#include "reports/print_dialogs.h"
#include "scripted_ui.h"
#include "test_files.h"

using namespace quillet;
using namespace quillet::test;

namespace {

using T = T4Record;
using Y = YearEndRecord;

double decoded(std::array<uint8_t, 6> bytes) { return decodeReal48(bytes); }

TEST(Real48, decodesValuesSignsAndTheZeroExponent) {
  EXPECT_EQ(decoded({0x81, 0, 0, 0, 0, 0}), 1.0);
  EXPECT_EQ(decoded({0x82, 0, 0, 0, 0, 0}), 2.0);
  EXPECT_EQ(decoded({0x81, 0, 0, 0, 0, 0x80}), -1.0);
  EXPECT_EQ(decoded({0x80, 0, 0, 0, 0, 0x40}), 0.75);
  EXPECT_EQ(decoded({0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), 0.0)
      << "exponent 0 is 0 whatever follows";
  EXPECT_EQ(decoded({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}),
            std::ldexp(2.0 - std::ldexp(1.0, -39), 126));
  EXPECT_EQ(decoded({0x01, 0, 0, 0, 0, 0}), std::ldexp(1.0, -128));
  for (double value : {1234.56, -0.01, 37400.0, 0.3, 99999999.99}) {
    EXPECT_NEAR(decoded(encodeReal48(value)), value, std::fabs(value) * 1e-11) << value;
  }
}

TEST(Conversion, theBusinessNumberOfTheHeader) {
  struct Case {
    const char* a;
    const char* b;
    const char* chosen;
  };
  for (const Case& c : {Case{"A1", "", "A1"}, Case{"", "", ""}, Case{"", "B", "B"},
                        Case{"X", "9B", "9B"}, Case{"1A", "B", "1A"}, Case{"A", "B", "B"}}) {
    EXPECT_EQ(chosenBusinessNumber(c.a, c.b), c.chosen) << c.a << "/" << c.b;
  }
}

TEST(Conversion, theEmployerFromTheConfiguration) {
  struct Case {
    QString phone;
    QString area, number;
  };
  for (const Case& c : {Case{"(613) 555-1234", "613", "5551234"}, Case{"555-1234", "", "5551234"},
                        Case{"5551234", "", "5551234"}, Case{"555123", "", ""}}) {
    ConfigRecord config;
    const QByteArray bytes = configBytes(1.4, c.phone);
    std::copy(bytes.begin(), bytes.end(), config.bytes().begin());
    const EmployerRecord e = convertedEmployer(config, T4Record());
    EXPECT_EQ(e.text(EmployerRecord::S_Contact_area_code), c.area) << c.phone.toStdString();
    EXPECT_EQ(e.text(EmployerRecord::S_Contact_phone_number), c.number) << c.phone.toStdString();
    EXPECT_EQ(e.text(EmployerRecord::S_Employer_name_line_1), "Lakeside Payroll Company of Ea");
    EXPECT_EQ(e.text(EmployerRecord::S_Employer_country_code), "CAN");
  }
  for (const auto& [multiplier, stored] :
       {std::pair{0.0, 14000}, {3.0, 14000}, {1.3, 13000}, {2.51, 25100}}) {
    ConfigRecord config;
    const QByteArray bytes = configBytes(multiplier);
    std::copy(bytes.begin(), bytes.end(), config.bytes().begin());
    EXPECT_EQ(convertedEmployer(config, T4Record()).int32(EmployerRecord::EI_employer_multiplier),
              stored)
        << multiplier;
  }
}

// The 1999 figures: CPP 3.5 %, 1186.50, 37400.00; EI maximum earnings 39000.00.
const EmployerLimits Limits1999{3.5, 1186.50, 37400.00, 39000.00};

T4Record convert(const YearEndBuilder& y, PayrollSetUp answers = {}) {
  bool tooLarge = false;
  return ConvertEmployee(
      YearEndRecord(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(y.bytes().data()),
                                             std::size_t(y.bytes().size()))),
      T4Record::newFrom(goodEmployer()), Limits1999, answers, tooLarge);
}

TEST(ConvertEmployee, provinceOfEmploymentAndContributions) {
  struct Case {
    const char* code;
    const char* postCode;
    const char* province;
    const char* country;
    bool qpp;
  };
  for (const Case& c :
       {Case{"PQ", "H1A 1A1", "QC", "CAN", true}, Case{"QC", "H1A 1A1", "QC", "CAN", true},
        Case{"ONT", "K1A 0B1", "ON", "CAN", false}, Case{"pq", "H1A", "pq", "CAN", false},
        Case{"NWT", "X1A", "NT", "CAN", false}, Case{"OTHER", "90210", "US", "USA", false},
        Case{"OTHER", "K1A 0B1", "ZZ", "CAN", false}, Case{"AUTRE", "90210-1", "US", "USA", false},
        Case{"MAN", "R3C", "MA", "CAN", false}}) {
    const T4Record r = convert(YearEndBuilder()
                                   .text(Y::ProvinceOfEmployment, c.code)
                                   .text(Y::PostCode, c.postCode)
                                   .amount(60, 500));
    EXPECT_EQ(r.text(T::Province_of_employment_code), c.province) << c.code;
    EXPECT_EQ(r.text(T::Employee_country_code), c.country) << c.code;
    EXPECT_EQ(r.int32(c.qpp ? T::Employee_QPP : T::Employee_CPP), 50000) << c.code;
    EXPECT_EQ(r.int32(c.qpp ? T::Employee_CPP : T::Employee_QPP), 0) << c.code;
  }
}

TEST(ConvertEmployee, pensionableAndInsurableEarnings) {
  struct Case {
    double c, e, p;
    int32_t box26;
  };
  for (const Case& x :
       {Case{1186.50, 30000, 10000, 0}, Case{900, 30000, 29950, 0},
        Case{900, 30000, 25000, 2500000}, Case{1000, 50000, 37350, 0}, Case{0.04, 30000, 100, 0}}) {
    const T4Record r = convert(YearEndBuilder().amount(60, x.c).amount(56, x.e).amount(89, x.p));
    EXPECT_EQ(r.int32(T::CPP_OR_Quebec_PensionEarn), x.box26) << x.c << " " << x.e << " " << x.p;
  }
  struct EiCase {
    double e, i;
    int32_t box24;
  };
  for (const EiCase& x : {EiCase{50000, 45000, 0}, EiCase{20000, 19997, 0},
                          EiCase{20000, 15000, 1500000}, EiCase{40000, 38999.96, 0}}) {
    const T4Record r = convert(YearEndBuilder().amount(56, x.e).amount(90, x.i));
    EXPECT_EQ(r.int32(T::EI_insurable_earnings), x.box24) << x.e << " " << x.i;
  }
}

TEST(ConvertEmployee, theOtherRules) {
  const T4Record r = convert(YearEndBuilder()
                                 .text(Y::Sin, "123 456 782")
                                 .text(Y::EmployeeNumber, "E-17")
                                 .text(Y::Surname, "Gagnon")
                                 .text(Y::FirstName, "Marie-Claudette")
                                 .text(Y::Street, "12 rue Principale")
                                 .text(Y::Town, "Hull")
                                 .text(Y::Province, "Quebec")
                                 .text(Y::PostCode, "J8X 2B4")
                                 .text(Y::ProvinceOfEmployment, "ONT")
                                 .amount(56, 30000)
                                 .amount(59, 4000.125)
                                 .amount(60, 0)
                                 .amount(61, 765)
                                 .amount(62, 1200)
                                 .amount(64, 50.25)
                                 .amount(65, 24.75)
                                 .amount(66, 300)
                                 .byte(545, 1)
                                 .byte(546, 1),
                             PayrollSetUp{true, false, "  1234567890 "});
  EXPECT_EQ(r.text(T::Employee_SIN), "123456782");
  EXPECT_EQ(r.int32(T::Income_tax_deducted), 400012) << "halves go to the even cent";
  EXPECT_TRUE(r.flag(T::CPP_OR_Quebec_Pension_Exempt)) << "nothing for CPP: the exemption stands";
  EXPECT_FALSE(r.flag(T::EI_Exempt)) << "an EI premium: not exempt";
  EXPECT_EQ(r.int32(T::RPP_contributions), 120000);
  EXPECT_EQ(r.int32(T::Union_dues), 0) << "box 44 not asked for";
  EXPECT_EQ(r.int32(T::Charitable_donations), 7500);
  EXPECT_EQ(r.text(T::RPP_or_deferred_PlanNumbr), "  12345")
      << "the answer as the conversion hands it";
  EXPECT_EQ(r.firstName(), "Marie-Claude");
  EXPECT_EQ(r.text(T::Employee_province_code), "Quebec");
  EXPECT_EQ(r.text(T::Payroll_reference), "E-17");
  EXPECT_EQ(r.text(T::RevCan_account_number), "123456782RP0001") << "the prefix it is given";
}

TEST(ConvertEmployee, otherInformationPairs) {
  const auto codes = [](const T4Record& r) {
    QStringList pairs;
    for (int i = 0; i < T::OtherInfoCount; ++i) {
      if (!r.isEmpty(T::Other_info_code[i]))
        pairs << r.text(T::Other_info_code[i]) + "=" +
                     QString::number(r.int32(T::Other_info_amount[i]));
    }
    return pairs;
  };
  EXPECT_EQ(codes(convert(YearEndBuilder().amount(49, 100).amount(53, 0.30))),
            QStringList{"30 Housing Board Lodging=10000"});
  EXPECT_EQ(codes(convert(YearEndBuilder().amount(49, 100).amount(53, 0.60))),
            QStringList({"30 Housing Board Lodging=10000", "40 Other Taxable=60"}));
  EXPECT_EQ(codes(convert(YearEndBuilder().amount(42, 812.5))),
            QStringList{"42 Employment Commission=81250"});
  EXPECT_EQ(codes(convert(YearEndBuilder()
                              .amount(49, 1)
                              .amount(50, 2)
                              .amount(51, 3)
                              .amount(52, 4)
                              .amount(54, 5)
                              .amount(42, 6))),
            QStringList({"30 Housing Board Lodging=100", "32 Travel Prescribed Zone=200",
                         "34 Psnl Use Co.Car=300", "36 Low/No Interest Loan=400",
                         "40 Other Taxable=500", "42 Employment Commission=600"}));
}

TEST(ConvertEmployee, amountsBeyondACentsFieldAreHeldAtTheLimit) {
  bool tooLarge = false;
  const YearEndBuilder y = YearEndBuilder().amount(56, 1e12).amount(59, -1e12).amount(61, 12);
  const T4Record r = ConvertEmployee(YearEndRecord(std::span<const uint8_t>(
                                         reinterpret_cast<const uint8_t*>(y.bytes().data()), 640)),
                                     T4Record(), Limits1999, {}, tooLarge);
  EXPECT_TRUE(tooLarge);
  EXPECT_EQ(r.int32(T::Employment_income), INT32_MAX);
  EXPECT_EQ(r.int32(T::Income_tax_deducted), INT32_MIN);
  EXPECT_EQ(r.int32(T::Employee_EI_premium), 1200);
}

class ConvertFileTest : public ::testing::Test {
 protected:
  ConvertFileTest() {
    const QByteArray bytes = configBytes();
    std::copy(bytes.begin(), bytes.end(), config.bytes().begin());
    state.setT4FileName(folder.path("WAGBOK.T4E"));
  }

  ConversionOutcome run(const QByteArray& yearEnd) {
    return ConvertYearEndFile(state, ui, clock, folder.write("WGBT4.DTA", yearEnd), config);
  }

  TempFolder folder;
  ConfigRecord config;
  OpenT4FileState state;
  ScriptedUi ui;
  FixedClock clock{QDateTime(QDate(2001, 1, 10), QTime(9, 0))};
};

TEST_F(ConvertFileTest, anEmptyYearEndFileGivesHeaderAndEmployer) {
  EXPECT_EQ(run({}), ConversionOutcome::Completed);
  EXPECT_TRUE(state.T4FileOpen());
  EXPECT_EQ(state.T4File().size(), 1536);
  EXPECT_EQ(ui.payrollSetUpsShown(), 1);
  EXPECT_EQ(ui.messages(),
            QStringList{"0 employees processed. Conversion from " + folder.path("WGBT4.DTA") +
                        " to " + folder.path("WAGBOK.T4E") +
                        " is completed and the file is open for editing or printing (select main "
                        "menu choices)."});
  EmployerRecord employer;
  ASSERT_TRUE(readEmployerRecord(state, employer));
  EXPECT_EQ(employer.u16(EmployerRecord::S_Taxation_year), 2000);
  EXPECT_EQ(employer.recordType(), EmployerRecordType);
  EXPECT_EQ(employer.text(EmployerRecord::RevCan_account_number), "123456782RP")
      << "the configuration holds 11";
}

TEST_F(ConvertFileTest, aPartialRecordStopsAtTheLastWholeOne) {
  const QByteArray one =
      YearEndBuilder().text(Y::Surname, "Young").text(Y::FirstName, "Yan").amount(56, 100).bytes();
  const QByteArray two =
      YearEndBuilder().text(Y::Surname, "Abbott").text(Y::FirstName, "Al").bytes();
  EXPECT_EQ(run(one + two + one.left(20)), ConversionOutcome::Completed);
  ASSERT_EQ(ui.messages().size(), 2);
  EXPECT_TRUE(ui.messages()[0].startsWith("Partial record read on input " +
                                          folder.path("WGBT4.DTA") +
                                          " . Conversion stopped at last whole record."));
  EXPECT_TRUE(ui.messages()[1].startsWith("2 employees processed."));
  EXPECT_EQ(state.T4File().Count(), 2);
  EXPECT_EQ(state.T4File().key(0), "ABBOTT,  Al ") << "indexed afresh";
  EXPECT_EQ(state.T4File().position(1), 1536) << "the file keeps the year-end order";
}

TEST_F(ConvertFileTest, aNewerT4FileIsOverwrittenOnlyAfterYes) {
  const QString yearEnd =
      folder.write("WGBT4.DTA", YearEndBuilder().text(Y::Surname, "New").bytes());
  const QString old = folder.write("WAGBOK.T4E", t4FileBytes(goodEmployer(), {goodT4("Old", "O")}));
  {
    QFile file(yearEnd);
    file.open(QIODevice::ReadWrite);
    file.setFileTime(QDateTime(QDate(2000, 12, 31), QTime(17, 0)),
                     QFileDevice::FileModificationTime);
  }
  ui.expectQuestion(Answer::No);
  EXPECT_EQ(ConvertYearEndFile(state, ui, clock, yearEnd, config), ConversionOutcome::Stopped);
  EXPECT_TRUE(ui.questions().first().startsWith("Overwrite T4 file " + old + " last updated on "));
  EXPECT_EQ(ui.questionIcons().first(), QuestionIcon::Error);
  EXPECT_TRUE(ui.questions().first().contains(
      " ?  Yes will replace it with older Wagebook data from Sunday, December 31, 2000, at 05:00 "
      "PM Click Yes if OK, or No to stop."));
  EXPECT_TRUE(readWholeFile(old).contains("Old"));

  ui.expectQuestion(Answer::Yes);
  EXPECT_EQ(ConvertYearEndFile(state, ui, clock, yearEnd, config), ConversionOutcome::Completed);
  EXPECT_EQ(state.T4File().key(0), "NEW,   ");
  EXPECT_EQ(state.T4File().Count(), 1);
}

TEST_F(ConvertFileTest, aT4FileAnotherProgramHoldsIsLeftAlone) {
  const QString old = folder.write("WAGBOK.T4E", t4FileBytes(goodEmployer(), {goodT4("Old", "O")}));
  OpenT4FileState other;
  other.setT4FileName(old);
  ASSERT_TRUE(other.OpenT4File());
  const QByteArray before = readWholeFile(old);
  EXPECT_EQ(run(YearEndBuilder().text(Y::Surname, "New").bytes()), ConversionOutcome::Stopped);
  EXPECT_EQ(readWholeFile(old), before);
  ASSERT_EQ(ui.messages().size(), 1);
  EXPECT_TRUE(ui.messages().first().startsWith("Could not replace. File = " + old));
}

TEST_F(ConvertFileTest, aMissingYearEndFileChangesNothing) {
  EXPECT_EQ(ConvertYearEndFile(state, ui, clock, folder.path("none.DTA"), config),
            ConversionOutcome::Stopped);
  EXPECT_EQ(ui.messages(),
            QStringList{"Could not open file " + folder.path("none.DTA") +
                        " Press Alt Tab repeatedly to check if Wagebook is running - if it is then "
                        "switch to that program, exit that program, then Alt Tab back here to try "
                        "file selection again"});
  EXPECT_FALSE(QFileInfo::exists(folder.path("WAGBOK.T4E")));
}

TEST_F(ConvertFileTest, tooLargeAmountsAreNamedAfterTheCompletion) {
  run(YearEndBuilder().text(Y::Surname, "Rich").text(Y::FirstName, "Rita").amount(56, 5e9).bytes());
  ASSERT_EQ(ui.messages().size(), 2);
  EXPECT_TRUE(ui.messages()[1].endsWith("Check the T4's of: Rita Rich"));
}

TEST_F(ConvertFileTest, anyBytesConvertWithoutACrash) {
  QByteArray noise(640 * 5 + 77, '\0');
  for (int i = 0; i < noise.size(); ++i) noise[i] = char((i * 131 + 7) % 256);
  EXPECT_EQ(run(noise), ConversionOutcome::Completed);
  EXPECT_EQ(state.T4File().Count(), 5);
}

}  // namespace
