// Quillet tests — the T4 Source Register on the trace printer.
#include "payroll_import/source_register.h"

#include <gtest/gtest.h>

#include <QFile>

#include "core/clock.h"
#include "payroll_files.h"
#include "payroll_import/payroll_records.h"
#include "scripted_ui.h"
#include "test_files.h"
#include "trace.h"

using namespace quillet;
using namespace quillet::test;

namespace {

using Y = YearEndRecord;

// 300 dpi, left margin 50 hundredths: column c at 150 + 30 (c - 1); one character 30 wide.
int endsAt(int column, const QString& text) {
  return 150 + 30 * (column - 1) - 30 * int(text.size());
}

class RegisterTest : public ::testing::Test {
 protected:
  QList<TracedText> print(const QList<QByteArray>& employees) {
    QByteArray bytes;
    for (const QByteArray& e : employees) bytes += e;
    path = folder.write("WGBT4.DTA", bytes);
    QFile file(path);
    file.open(QIODevice::ReadWrite);
    file.setFileTime(QDateTime(QDate(2000, 1, 7), QTime(16, 5)), QFileDevice::FileModificationTime);
    file.close();
    EXPECT_EQ(PrintSourceRegister(ui, clock, path, config), PrintOutcome::Printed);
    EXPECT_EQ(ui.printJobs().size(), 1);
    return parseTrace(ui.printJobs().value(0));
  }

  static QByteArray employee(const QString& surname, double salary) {
    return YearEndBuilder()
        .text(Y::Surname, surname)
        .text(Y::FirstName, "Pat")
        .amount(32, salary)
        .amount(60, -5)
        .bytes();
  }

  static bool has(const QList<TracedText>& texts, int page, int x, const QString& text) {
    return std::any_of(texts.begin(), texts.end(), [&](const TracedText& t) {
      return t.page == page && t.x == x && t.text == text;
    });
  }

  TempFolder folder;
  QString path;
  ScriptedUi ui;
  FixedClock clock{QDateTime(QDate(2001, 1, 12), QTime(10, 30))};
  ConfigRecord config = [] {
    ConfigRecord c;
    const QByteArray bytes = configBytes();
    std::copy(bytes.begin(), bytes.end(), c.bytes().begin());
    c.setText(textField("label", 734, 13), "Car Allowance");
    c.setText(textField("label", 734 + 14 * 17, 13), "Parking");
    return c;
  }();
};

TEST_F(RegisterTest, oneEmployeeAndTheGrandTotals) {
  const QList<QByteArray> one = {YearEndBuilder()
                                     .text(Y::Surname, "Young")
                                     .text(Y::FirstName, "Yan")
                                     .text(Y::Sin, "046 454 286")
                                     .amount(32, 1234.5)
                                     .amount(45, 12)
                                     .amount(60, -0.5)
                                     .amount(85, 5)
                                     .amount(86, 6)
                                     .bytes()};
  const QList<TracedText> t = print(one);
  EXPECT_EQ(tracedPages(ui.printJobs().first()), 1);
  EXPECT_EQ(t[0], (TracedText{1, 150, 150, "bu",
                              "T4 SOURCE REGISTER FOR Lakeside Payroll Company of Eastern"}));
  EXPECT_EQ(t[1], (TracedText{1, endsAt(71, "Page 1"), 150, "-", "Page 1"}));
  EXPECT_EQ(t[3].text, "and are BEFORE any T4 Editing.  Report printed 12 Jan 2001 at 10:30 am");
  EXPECT_EQ(t[5].text, path);
  EXPECT_EQ(t[6].text, "(File created: 07 Jan 2000 at 4:05 pm - contains 1 employees)");
  EXPECT_TRUE(has(t, 1, endsAt(13, "SIN"), "SIN"));
  EXPECT_TRUE(has(t, 1, endsAt(28, "046 454 286"), "046 454 286"));
  EXPECT_TRUE(has(t, 1, endsAt(43, "GRAND TOTAL"), "GRAND TOTAL"));
  EXPECT_TRUE(has(t, 1, endsAt(28, "1234.50"), "1234.50"));
  EXPECT_TRUE(has(t, 1, endsAt(43, "1234.50"), "1234.50")) << "the totals equal the one employee";
  EXPECT_TRUE(has(t, 1, endsAt(28, "-0.50"), "-0.50"));
  EXPECT_TRUE(has(t, 1, endsAt(13, "Car Allowance"), "Car Allowance"))
      << "row 45 takes the configuration's label";
  EXPECT_TRUE(has(t, 1, endsAt(13, "Parking"), "Parking")) << "and row 85, its eighteenth";
  EXPECT_TRUE(has(t, 1, endsAt(13, "Post Code"), "Post Code")) << "rows 2 to 16 are printed empty";
  EXPECT_FALSE(has(t, 1, endsAt(13, "Tips"), "Tips"))
      << "an amount row empty everywhere is left out";
  const auto yOf = [&t](const QString& amount) {
    for (const TracedText& text : t) {
      if (text.text == amount && text.x == endsAt(28, amount)) return text.y;
    }
    return -1;
  };
  EXPECT_EQ(yOf("6.00") - yOf("5.00"), 2 * 50) << "a blank line between rows 85 and 86";
}

TEST_F(RegisterTest, blocksOfFourColumns) {
  struct Case {
    int employees;
    int pages;
    int totalPage;
    int totalColumnEnd;
  };
  for (const Case& c : {Case{3, 1, 1, 73}, Case{4, 2, 2, 28}, Case{5, 2, 2, 43}}) {
    ScriptedUi local;
    QList<QByteArray> staff;
    for (int i = 0; i < c.employees; ++i) staff << employee(QStringLiteral("Name%1").arg(i), 100);
    QByteArray bytes;
    for (const QByteArray& e : staff) bytes += e;
    const QString file = folder.write(QStringLiteral("W%1.DTA").arg(c.employees), bytes);
    PrintSourceRegister(local, clock, file, config);
    const QList<TracedText> t = parseTrace(local.printJobs().value(0));
    EXPECT_EQ(tracedPages(local.printJobs().value(0)), c.pages) << c.employees;
    EXPECT_TRUE(has(t, c.totalPage, endsAt(c.totalColumnEnd, "GRAND TOTAL"), "GRAND TOTAL"))
        << c.employees;
    const QString total = QString::asprintf("%4.2f", 100.0 * c.employees);
    EXPECT_TRUE(has(t, c.totalPage, endsAt(c.totalColumnEnd, total), total)) << c.employees;
  }
}

TEST_F(RegisterTest, aFullBlockContinuesOnAPageWithTheHeadingAgain) {
  YearEndBuilder full;
  full.text(Y::Surname, "Full");
  for (int k = 32; k <= 90; ++k) full.amount(k, k);
  const QList<TracedText> t = print({full.bytes()});
  EXPECT_EQ(tracedPages(ui.printJobs().first()), 2);
  EXPECT_TRUE(has(t, 2, endsAt(71, "Page 2"), "Page 2")) << "the register counts its own headings";
  EXPECT_TRUE(has(t, 2, endsAt(13, "EI Ins Earn"), "EI Ins Earn"));
  EXPECT_TRUE(has(t, 2, endsAt(43, "90.00"), "90.00"));
}

TEST_F(RegisterTest, employeesInNameOrder) {
  const QList<TracedText> t =
      print({employee("Smith", 1), employee("de Silva", 2), employee("Dunn", 3)});
  const auto row =
      std::find_if(t.begin(), t.end(), [](const TracedText& e) { return e.text == "Surname"; });
  ASSERT_NE(row, t.end());
  QStringList surnames;
  for (const TracedText& e : t) {
    if (e.y == row->y) surnames << e.text;
  }
  EXPECT_EQ(surnames, QStringList({"Surname", "de Silva", "Dunn", "Smith", "EDIT FOR"}));
}

TEST_F(RegisterTest, aYearEndFileThatCannotBeOpenedPrintsNothing) {
  EXPECT_EQ(PrintSourceRegister(ui, clock, folder.path("none.DTA"), config),
            PrintOutcome::NotStarted);
  EXPECT_TRUE(ui.printJobs().isEmpty());
  ASSERT_EQ(ui.messages().size(), 1);
  EXPECT_TRUE(
      ui.messages().first().startsWith("Could not open. File = " + folder.path("none.DTA")));
}

}  // namespace
