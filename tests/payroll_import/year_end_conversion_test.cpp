// Quillet tests — six-byte reals and the year-end conversion, on files the tests build.
#include "payroll_import/year_end_conversion.h"

#include <QRegularExpression>

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

// Six-byte reals: each row's bytes decoded (an exponent of 0 is 0 whatever follows), or a
// value encoded and decoded again, to twelve digits.
TEST(Real48, decodesValuesSignsAndTheZeroExponent) {
  expectRecordedTable("real48", [](const QString& row) {
    if (row.startsWith(QStringLiteral("again")))
      return QString::number(decodeReal48(encodeReal48(row.section(u' ', 1).toDouble())), 'g', 12) +
             u'\n';
    std::array<uint8_t, 6> bytes{};
    const QByteArray hex = QByteArray::fromHex(row.toLatin1());
    std::copy(hex.begin(), hex.end(), bytes.begin());
    return QString::number(decodeReal48(bytes), 'g', 17) + u'\n';
  });
}

// The employer record a configuration makes, recorded: each row its EI multiplier, its
// telephone and its two business numbers; its outcome the business number the header takes
// and the employer's fields that are not empty.
TEST(Conversion, theBusinessNumberAndTheEmployerFromTheConfiguration) {
  expectRecordedTable("converted_employers", [](const QString& row) {
    const QStringList values = row.section(QStringLiteral(" | "), 1).split(QStringLiteral("; "));
    ConfigRecord config = configRecord(values.value(0).toDouble(), values.value(1));
    config.setText(ConfigRecord::BusinessNumberA, values.value(2));
    config.setText(ConfigRecord::BusinessNumberB, values.value(3));
    static const QRegularExpression nothing(QStringLiteral("=(0(\\.0+)?)?$"));
    QStringList shown = {"business number " +
                         chosenBusinessNumber(values.value(2), values.value(3))};
    for (const QString& field :
         fieldsOf(convertedEmployer(config, T4Record()), EmployerRecord::layout()).split(u'\n')) {
      if (!field.contains(nothing)) shown << field;
    }
    return shown.join(u'\n');
  });
}

// The 1999 figures: CPP 3.5 %, 1186.50, 37400.00; EI maximum earnings 39000.00.
const EmployerLimits Limits1999{3.5, 1186.50, 37400.00, 39000.00};

// The T4 records of employees of every kind, recorded: each row a year-end record (the
// amounts by their number: 56 earnings, 60 CPP, 89 and 90 pensionable and insurable
// earnings, 42 to 54 other information) and the conversion's set-up after "||"; its
// outcome the T4 fields that differ from an empty record's, and whether an amount was too
// large for its box. Box 26 stands only when the CPP is short of the maximum and the
// earnings differ, box 24 likewise for EI; every province of employment; the SIN's blanks,
// tax halved to the even cent, the exemptions, the other information in pairs.
TEST(ConvertEmployee, theRecordsOfEveryKindOfEmployee) {
  const auto convert = [](const QString& line, bool& tooLarge) {
    const QString setUp = line.section(QStringLiteral(" || "), 1);
    const QByteArray y = yearEnd(line.section(QStringLiteral(" || "), 0, 0));
    return fieldsOf(
               ConvertEmployee(YearEndRecord(std::span(reinterpret_cast<const uint8_t*>(y.data()),
                                                       std::size_t(640))),
                               T4Record::newFrom(goodEmployer()), Limits1999,
                               {setUp.contains("box 20"), setUp.contains("box 44"),
                                setUp.section(QStringLiteral("registration "), 1)},
                               tooLarge),
               T4Record::layout())
        .split(u'\n');
  };
  bool tooLarge = false;
  const QStringList empty = convert({}, tooLarge);
  expectRecordedTable("converted_employees", [&](const QString& row) {
    tooLarge = false;
    QStringList changed;
    for (const QString& field : convert(row.section(QStringLiteral(" | "), 1), tooLarge))
      if (!empty.contains(field)) changed << field;
    return changed.join(u'\n') + (tooLarge ? "\n(too large for its box)\n" : "\n");
  });
}

class ConvertFileTest : public OpenFileTest {
 protected:
  ConvertFileTest() { state.setT4FileName(folder.path("WAGBOK.T4E")); }

  ConfigRecord config = configRecord();
};

// A T4 file newer than the year-end file is replaced only after Yes; an older one at once.
TEST_F(ConvertFileTest, aNewerT4FileIsOverwrittenOnlyAfterYes) {
  const QString yearEndFile = folder.write("WGBT4.DTA", yearEnd("Surname=New"));
  const QString old = folder.write("WAGBOK.T4E", t4FileBytes(goodEmployer(), {goodT4("Old", "O")}));
  setModified(yearEndFile, QDateTime(QDate(2000, 12, 31), QTime(17, 0)));
  setModified(old, QDateTime(QDate(2001, 1, 5), QTime(9, 0)));
  ui.expectQuestion(Answer::No);
  EXPECT_EQ(ConvertYearEndFile(state, ui, YearEndDay, yearEndFile, config),
            ConversionOutcome::Stopped);
  EXPECT_TRUE(readWholeFile(old).contains("Old"));

  ui.expectQuestion(Answer::Yes);
  EXPECT_EQ(ConvertYearEndFile(state, ui, YearEndDay, yearEndFile, config),
            ConversionOutcome::Completed);
  EXPECT_EQ(state.T4File().key(0), "NEW,   ");
  EXPECT_EQ(state.T4File().Count(), 1);
  setModified(yearEndFile, QDateTime::currentDateTime().addDays(1));  // newer: nothing asked
  EXPECT_EQ(ConvertYearEndFile(state, ui, YearEndDay, yearEndFile, config),
            ConversionOutcome::Completed);
  expectGolden("conversion_overwrite", ui.transcript(), folder.path({}));
}

// A conversion stopped in its progress window, onto its own year-end file or into a folder
// that is not there, changes nothing.
TEST_F(ConvertFileTest, whatCannotBeConvertedChangesNothing) {
  const QString old = folder.write("WAGBOK.T4E", t4FileBytes(goodEmployer(), {goodT4("Old", "O")}));
  const QByteArray before = readWholeFile(old);
  state.setT4FileName(old);
  ScriptedUi stopped;
  stopped.cancelProgressAt(1);
  const QString two = folder.write("TWO.DTA", yearEnd("Surname=A") + yearEnd({}));
  EXPECT_EQ(ConvertYearEndFile(state, stopped, YearEndDay, two, config),
            ConversionOutcome::Stopped);
  EXPECT_EQ(readWholeFile(old), before);
  state.setT4FileName(two);
  const QByteArray yearEndBytes = readWholeFile(two);
  EXPECT_EQ(ConvertYearEndFile(state, ui, YearEndDay, two, config), ConversionOutcome::Stopped);
  EXPECT_EQ(readWholeFile(two), yearEndBytes);
  state.setT4FileName(folder.path("gone/NEW.T4E"));  // in a folder that is not there
  EXPECT_EQ(ConvertYearEndFile(state, ui, YearEndDay, two, config), ConversionOutcome::Stopped);
  expectGolden("conversion_refused", stopped.transcript() + ui.transcript(), folder.path({}));
}

}  // namespace
