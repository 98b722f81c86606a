// Quillet tests — the checks of one T4 record.
#include "checks/t4_record_checks.h"

#include <gtest/gtest.h>

#include <functional>

#include "checks/code_tables.h"
#include "test_files.h"

using namespace quillet;
using namespace quillet::test;

namespace {

using T = T4Record;

// The lines a record adds after its two header lines.
QStringList findingsOf(T4Record record, const EmployerRecord& employer = goodEmployer()) {
  QStringList lines;
  CheckT4Record(record, employer, lines);
  EXPECT_GE(lines.size(), 2);
  return lines.mid(2);
}

QStringList finding(std::initializer_list<QString> lines) {
  QStringList all{QStringLiteral("  ")};
  for (const QString& line : lines) all << line;
  return all;
}

T4Record with(std::function<void(T4Record&)> change,
              T4Record record = goodT4("Smith", "John", "A")) {
  change(record);
  return record;
}

TEST(CheckT4Record, aCorrectRecordAddsOnlyItsHeader) {
  QStringList lines{"kept"};
  T4Record record = goodT4("Smith", "John", "A");
  record.setText(T::Employee_SIN, QStringLiteral("046 454 286"));
  CheckT4Record(record, goodEmployer(), lines);
  EXPECT_EQ(lines,
            QStringList({"kept", "  ", "Validation Report for SIN 046 454 286  John Smith"}));
}

TEST(CheckT4Record, aVoidRecordAddsNothing) {
  QStringList lines;
  T4Record record;  // empty: every check would fire
  record.setFlag(T::VOID, true);
  CheckT4Record(record, goodEmployer(), lines);
  EXPECT_TRUE(lines.isEmpty());
}

TEST(CheckT4Record, namesAddressesAndCodes) {
  struct Case {
    const char* what;
    std::function<void(T4Record&)> change;
    QStringList expected;
  };
  const auto text = [](const Field& f, const QString& v) {
    return [f, v](T4Record& r) { r.setText(f, v); };
  };
  const Case cases[] = {
      {"no name",
       [](T4Record& r) {
         r.setText(T::Employee_surname, {});
         r.setText(T::Employee_first_name, {});
       },
       finding({"Employee has no name"})},
      {"no surname", text(T::Employee_surname, {}), finding({"Part of employee name is missing"})},
      {"no first name", text(T::Employee_first_name, {}),
       finding({"Part of employee name is missing"})},
      {"no street", text(T::Employee_address_line_1, {}),
       finding({"Employee has no street address"})},
      {"street on line 2",
       [](T4Record& r) {
         r.setText(T::Employee_address_line_1, {});
         r.setText(T::Employee_address_line_2, "2 Elm");
       },
       finding({"A good place to start Employee street address is on line 1"})},
      {"no city", text(T::Employee_city, {}),
       finding({"Employee has no city or town in the address"})},
      {"one-letter province", text(T::Employee_province_code, "O"),
       finding({"Employee has no Province or State in the address"})},
      {"unknown province", text(T::Employee_province_code, "XX"),
       finding({"Address Province or State code is invalid, select from the drop down list"})},
      {"province name", text(T::Employee_province_code, "Ontario"), {}},
      {"state", text(T::Employee_province_code, "ny"), {}},
      {"no postal code", text(T::Employee_postal_code, {}),
       finding({"Employee has no postal or zip code in the address"})},
      {"no SIN", text(T::Employee_SIN, {}), finding({"Employee has no Social Insurance Number"})},
      {"short SIN", text(T::Employee_SIN, "04645428"),
       finding({"Employee Social Insurance Number does not contain 9 numeric digits"})},
      {"bad SIN", text(T::Employee_SIN, "046454287"),
       finding({"Employee Social Insurance Number failed Revenue Canada validity check"})},
      {"SIN in groups with a bad check digit", text(T::Employee_SIN, "046-454-287"),
       finding({"Employee Social Insurance Number failed Revenue Canada validity check"})},
      {"no province of employment", text(T::Province_of_employment_code, "O"),
       finding({"Employee has no Province of Employment code"})},
      {"bad province of employment", text(T::Province_of_employment_code, "DC"),
       finding({"Province of Employment code is invalid, select from the drop down list"})},
      {"employment outside Canada", text(T::Province_of_employment_code, "us"), {}},
      {"NN", text(T::Province_of_employment_code, "NN"), {}},
      {"ZZ", text(T::Province_of_employment_code, "ZZ"), {}},
      {"employment code 1X", text(T::Employment_code, "1X"),
       finding({"Employment code is invalid"})},
      {"employment code 1", text(T::Employment_code, "1"), finding({"Employment code is invalid"})},
      {"employment code 99", text(T::Employment_code, "99"), {}},
      {"employment code text", text(T::Employment_code, "13 Barber or Hairdresser"), {}},
  };
  for (const Case& c : cases) EXPECT_EQ(findingsOf(with(c.change)), c.expected) << c.what;
}

TEST(CheckT4Record, twoLetterCodesAreCapitalisedInTheRecord) {
  T4Record record = with([](T4Record& r) {
    r.setText(T::Employee_province_code, "on");
    r.setText(T::Province_of_employment_code, "us");
  });
  QStringList lines;
  CheckT4Record(record, goodEmployer(), lines);
  EXPECT_EQ(lines.size(), 2);
  EXPECT_EQ(record.text(T::Employee_province_code), "ON");
  EXPECT_EQ(record.text(T::Province_of_employment_code), "US");

  record.setText(T::Employee_province_code, "ontario");
  CheckT4Record(record, goodEmployer(), lines);
  EXPECT_EQ(record.text(T::Employee_province_code), "ontario") << "longer texts are left alone";
}

TEST(CheckT4Record, smallEarningsHintAtTheVoid) {
  const QStringList hint =
      finding({"If no group term life taxable benefits, then you can VOID this T4 as",
               "earnings below $500.00 and no CPP/EI/Income Tax deductions."});
  const auto small = [](int32_t income) {
    return with([income](T4Record& r) {
      r.setInt32(T::Employment_income, income);
      for (const Field& f :
           {T::Income_tax_deducted, T::Employee_CPP, T::Employee_QPP, T::Employee_EI_premium}) {
        r.setInt32(f, 0);
      }
      r.setFlag(T::CPP_OR_Quebec_Pension_Exempt, true);
      r.setFlag(T::EI_Exempt, true);
    });
  };
  EXPECT_EQ(findingsOf(small(49999)), hint);
  EXPECT_EQ(findingsOf(small(50000)), QStringList());
  EXPECT_EQ(findingsOf(small(-100)).mid(0, 3), hint);
  EXPECT_NE(findingsOf(with([](T4Record& r) {
              r.setInt32(T::Employment_income, 49999);
              r.setInt32(T::Employee_CPP, 1);
            })).mid(0, 3),
            hint)
      << "any deduction silences the hint";
}

// 20000.00 of earnings with the 1999 rates: CPP 577.50 to 697.64, EI 510.00.
TEST(CheckT4Record, cppContributionsAgainstTheExpectedRange) {
  const auto cppLines = [](const char* c, const char* verdict) {
    return finding({"Based on 20000.00 earnings was expecting CPP or QPP contributions in",
                    "range 577.50 (if 52 weeks worked) to 697.64 (if only 1 week worked).",
                    QStringLiteral("Employee CPP or QPP contributions at %1 is %2 than expected.")
                        .arg(c, verdict)});
  };
  struct Case {
    int32_t cpp;
    QStringList expected;
  };
  const Case cases[] = {
      {50000, cppLines("500.00", "LOWER")},  {57250, {}},
      {57249, cppLines("572.49", "LOWER")},  {69864, {}},
      {69865, cppLines("698.65", "HIGHER")},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(findingsOf(with([&c](T4Record& r) { r.setInt32(T::Employee_CPP, c.cpp); })),
              c.expected)
        << c.cpp;
  }
}

TEST(CheckT4Record, cppUnderTheExemptionAndOverTheMaximum) {
  const T4Record low = with([](T4Record& r) {
    r.setInt32(T::Employment_income, 300000);
    r.setInt32(T::Employee_CPP, 10365);
    r.setInt32(T::Employee_EI_premium, 7650);
  });
  EXPECT_EQ(findingsOf(low),
            finding({"Based on 3000.00 earnings was expecting CPP or QPP contributions in",
                     "range 0.00 (if 52 weeks worked) to 102.64 (if only 1 week worked).",
                     "Employee CPP or QPP contributions at 103.65 is HIGHER than expected."}));

  const auto high = [](int32_t cpp) {
    return with([cpp](T4Record& r) {
      r.setInt32(T::Employment_income, 4000000);
      r.setInt32(T::Employee_CPP, cpp);
      r.setInt32(T::Employee_EI_premium, 99450);
    });
  };
  EXPECT_EQ(findingsOf(high(118150)), QStringList());
  EXPECT_EQ(findingsOf(high(118149)),
            finding({"CPP or QPP contributions are less than the 1186.50 maximum for the year,",
                     "but earnings indicate the maximum might be due."}));
  EXPECT_EQ(findingsOf(high(118651)),
            finding({"CPP or QPP premium is greater than the 1186.50 maximum for the year"}));
}

TEST(CheckT4Record, cppAndQppTogether) {
  const T4Record both = with([](T4Record& r) {
    r.setInt32(T::Employee_CPP, 30000);
    r.setInt32(T::Employee_QPP, 30000);
  });
  EXPECT_EQ(findingsOf(both),
            finding({"T4 is for one Province, you should not have entries in BOTH CPP and",
                     "QPP contributions. QPP is Quebec only."}));

  const T4Record overMaximum = with([](T4Record& r) {
    r.setInt32(T::Employment_income, 4000000);
    r.setInt32(T::Employee_CPP, 60000);
    r.setInt32(T::Employee_QPP, 60000);
    r.setInt32(T::Employee_EI_premium, 99450);
  });
  EXPECT_EQ(findingsOf(overMaximum).mid(3),
            finding({"CPP or QPP premium is greater than the 1186.50 maximum for the year"}))
      << "the sum of both is held against the maximum";
}

TEST(CheckT4Record, pensionableEarningsAreTheBaseWhenEntered) {
  const T4Record record = with([](T4Record& r) {
    r.setInt32(T::CPP_OR_Quebec_PensionEarn, 1000000);
    r.setInt32(T::Employee_CPP, 29750);  // within 227.50 to 347.64
  });
  EXPECT_EQ(findingsOf(record), QStringList());
  const T4Record lower = with([](T4Record& r) {
    r.setInt32(T::CPP_OR_Quebec_PensionEarn, 1000000);
    r.setInt32(T::Employee_CPP, 22249);
  });
  EXPECT_EQ(findingsOf(lower).at(1),
            "Based on 10000.00 earnings was expecting CPP or QPP contributions in");
}

TEST(CheckT4Record, exemptionsWithEntries) {
  const T4Record cppExempt = with([](T4Record& r) {
    r.setFlag(T::CPP_OR_Quebec_Pension_Exempt, true);
    r.setInt32(T::Employee_CPP, 0);
    r.setInt32(T::Employee_QPP, 60000);
  });
  EXPECT_EQ(findingsOf(cppExempt),
            finding({"Employee is marked Exempt from CPP but has entries that indicate otherwise"}))
      << "QPP of 600.00 is within the range, so only the exemption is reported";

  const T4Record exemptAndEmpty = with([](T4Record& r) {
    r.setFlag(T::CPP_OR_Quebec_Pension_Exempt, true);
    r.setInt32(T::Employee_CPP, 0);
    r.setFlag(T::EI_Exempt, true);
    r.setInt32(T::Employee_EI_premium, 0);
  });
  EXPECT_EQ(findingsOf(exemptAndEmpty), QStringList());

  const T4Record eiExempt = with([](T4Record& r) { r.setFlag(T::EI_Exempt, true); });
  EXPECT_EQ(findingsOf(eiExempt),
            finding({"Employee is marked Exempt from EI but has entries that indicate otherwise"}));
}

TEST(CheckT4Record, eiPremiumsAgainstTheExpectation) {
  const auto eiLines = [](const char* p, const char* verdict) {
    return finding(
        {"Based on 20000.00 earnings was expecting EI premiums of 510.00",
         QStringLiteral("Employee EI premiums at %1 is %2 than expected.").arg(p, verdict)});
  };
  struct Case {
    int32_t premium;
    QStringList expected;
  };
  const Case cases[] = {
      {50500, {}},
      {51500, {}},
      {50499, eiLines("504.99", "LOWER")},
      {51501, eiLines("515.01", "HIGHER")},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(
        findingsOf(with([&c](T4Record& r) { r.setInt32(T::Employee_EI_premium, c.premium); })),
        c.expected)
        << c.premium;
  }

  const auto overMaximumEarnings = [](int32_t premium) {
    return with([premium](T4Record& r) {
      r.setInt32(T::EI_insurable_earnings, 3900000);
      r.setInt32(T::Employee_EI_premium, premium);
    });
  };
  EXPECT_EQ(findingsOf(overMaximumEarnings(98950)), QStringList());
  EXPECT_EQ(findingsOf(overMaximumEarnings(98949)),
            finding({"EI premiums are less than the 994.50 maximum for the year,",
                     "but earnings indicate the maximum might be due."}));
  EXPECT_EQ(findingsOf(overMaximumEarnings(99451)),
            finding({"EI premium is greater than the 994.50 maximum for the year"}));
}

TEST(CheckT4Record, deductionsWithoutEarnings) {
  const T4Record record = with([](T4Record& r) { r.setInt32(T::Employment_income, 0); });
  EXPECT_EQ(
      findingsOf(record),
      finding({"Employment income is zero"}) +
          finding({"CPP or QPP contributions entered but no income to base calculation on."}) +
          finding({"EI premiums entered but no income to base calculation on."}));
}

TEST(CheckT4Record, taxableBenefitsAgainstIncome) {
  const auto benefit = [](const QString& code) {
    return with([code](T4Record& r) {
      r.setInt32(T::Employment_income, 50000);
      r.setInt32(T::Employee_CPP, 0);
      r.setInt32(T::Employee_EI_premium, 1275);
      r.setFlag(T::CPP_OR_Quebec_Pension_Exempt, true);
      r.setText(T::Other_info_code_3, code);
      r.setInt32(T::Other_info_amount_3, 60000);
    });
  };
  EXPECT_EQ(findingsOf(benefit("30 Housing Board Lodging")),
            finding({"Employment income is less than taxable benefits."}));
  EXPECT_EQ(findingsOf(benefit("31 Special Work Site")), QStringList());
}

TEST(CheckT4Record, taxableBenefitsAreSummedWithoutOverflow) {
  const T4Record record = with([](T4Record& r) {
    r.setInt32(T::Employment_income, 2000000000);
    for (int i = 0; i < T::OtherInfoCount; ++i) {
      r.setText(T::Other_info_code[i], "40 Other Taxable");
      r.setInt32(T::Other_info_amount[i], 2000000000);
    }
  });
  EXPECT_TRUE(findingsOf(record).contains("Employment income is less than taxable benefits."));
}

TEST(CheckT4Record, otherInformationCodesNeedABoxNumber) {
  const auto entry = [](int i, const QString& code, int32_t amount) {
    return with([=](T4Record& r) {
      r.setText(T::Other_info_code[i], code);
      r.setInt32(T::Other_info_amount[i], amount);
    });
  };
  EXPECT_EQ(findingsOf(entry(2, "30", 100)),
            finding({"Invalid box number code for 3rd. \"Other Information\" item"}));
  EXPECT_EQ(findingsOf(entry(0, "X0 Other", 100)),
            finding({"Invalid box number code for 1st. \"Other Information\" item"}));
  EXPECT_EQ(findingsOf(entry(5, "", 100)),
            finding({"Invalid box number code for 6th. \"Other Information\" item"}));
  EXPECT_EQ(findingsOf(entry(1, "zz", 0)), QStringList()) << "a code with no amount is not tested";
  EXPECT_EQ(findingsOf(entry(1, "99 Whatever", 100)), QStringList());
}

TEST(CheckT4Record, negativeAmountsAreReportedOnce) {
  EXPECT_EQ(
      findingsOf(with([](T4Record& r) { r.setInt32(T::Union_dues, -1); })),
      finding({"One or more numeric field is negative. Revenue Canada cannot process negatives."}));
  const T4Record several = with([](T4Record& r) {
    r.setInt32(T::Charitable_donations, -1);
    r.setInt32(T::Pension_adjustment, -1);
    r.setText(T::Other_info_code_6, "31 Special Work Site");
    r.setInt32(T::Other_info_amount_6, -1);
  });
  EXPECT_EQ(
      findingsOf(several),
      finding({"One or more numeric field is negative. Revenue Canada cannot process negatives."}));
}

TEST(ReconciliationNotes, twentyLinesWithBlanksBetweenTheParagraphs) {
  QStringList lines{"kept"};
  ReconciliationNotes(lines);
  ASSERT_EQ(lines.size(), 21);
  EXPECT_EQ(lines.at(1),
            "The following are items you may want to re-check before printing.  If any");
  for (int blank : {5, 10, 17, 20}) EXPECT_EQ(lines.at(blank), "  ") << blank;
  EXPECT_EQ(lines.at(19), "size of the calculation error.");
}

TEST(CodeTables, membershipIsExactOnTheFirstTwoCharacters) {
  EXPECT_EQ(addressProvinceCodes().size(), 65);
  EXPECT_EQ(addressProvinceCodes().indexOf("ZZ"), 13);
  EXPECT_EQ(addressProvinceCodes().indexOf("WY"), 64);
  EXPECT_EQ(employmentProvinceCodes().size(), 16);
  EXPECT_EQ(otherInfoCodes().size(), 20);
  EXPECT_TRUE(CheckAddressProvince("ONTARIO"));
  EXPECT_FALSE(CheckAddressProvince("on"));
  EXPECT_FALSE(CheckAddressProvince("O"));
  EXPECT_FALSE(CheckAddressProvince("US"));
  EXPECT_TRUE(CheckEmploymentProvince("US"));
  EXPECT_FALSE(CheckEmploymentProvince("NY"));
  for (const char* code : {"30", "32", "34", "36", "38", "40", "42"})
    EXPECT_TRUE(isTaxableBenefitCode(code)) << code;
  for (const char* code : {"31", "33", "35", "37", "39", "41", "70", "76", "3", ""})
    EXPECT_FALSE(isTaxableBenefitCode(code)) << code;
}

}  // namespace
