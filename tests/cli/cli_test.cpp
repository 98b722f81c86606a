// Quillet tests — quillet-cli check and dump, as the contract has them.
#include "cli/cli.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "checks/t4_record_checks.h"
#include "payroll_files.h"
#include "payroll_import/payroll_records.h"
#include "test_files.h"

using namespace quillet;
using namespace quillet::test;

namespace {

struct CliRun {
  int status;
  QString out;
  QString err;
};

CliRun runCli(const QStringList& args) {
  QString out, err;
  QTextStream outStream(&out), errStream(&err);
  const int status = cli::run(args, outStream, errStream);
  outStream.flush();
  errStream.flush();
  return {status, out, err};
}

QStringList notes() {
  QStringList lines;
  ReconciliationNotes(lines);
  return lines;
}

class CliTest : public ::testing::Test {
 protected:
  TempFolder folder;
};

TEST_F(CliTest, checkPrintsTheListAndExitsZeroWithoutFindings) {
  const QString path =
      folder.write("A.T4E", t4FileBytes(goodEmployer(), {goodT4("Smith", "John", "A")}));
  const CliRun run = runCli({"check", path});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(
      run.out,
      (notes() + QStringList{"  ", "Validation Report for SIN 046454286  John Smith"}).join('\n') +
          '\n');
  EXPECT_EQ(run.err, "");
}

TEST_F(CliTest, ratesShowWhatTheProgramAssumesForAYear) {
  const CliRun year2000 = runCli({"rates", "2000"});
  EXPECT_EQ(year2000.status, 0);
  EXPECT_TRUE(year2000.out.startsWith("Tax year 2000\n"));
  EXPECT_TRUE(year2000.out.contains(QString("Employer EI maximum").leftJustified(48) + "1310.49\n"))
      << "the published figure, not 1.4 x 936.00";
  EXPECT_TRUE(year2000.out.contains(QString("CPP2 maximum").leftJustified(48) + "-\n"));
  EXPECT_EQ(runCli({"rates"}).out.count("Tax year "), 28);
  EXPECT_EQ(runCli({"rates", "next"}).err,
            "quillet-cli: no rates for tax year next (the program knows 1999 to 2026)\n");
}

// A schema of the return's structure, written by the test; `slipChild` is what every slip
// must hold.
QByteArray schemaOfReturn(const char* slipChild) {
  const QByteArray any =
      "<xs:complexType><xs:sequence><xs:any processContents=\"skip\" minOccurs=\"0\" "
      "maxOccurs=\"unbounded\"/></xs:sequence></xs:complexType>";
  return "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\">"
         "<xs:element name=\"Submission\"><xs:complexType><xs:sequence>"
         "<xs:element name=\"T619\">" +
         any +
         "</xs:element>"
         "<xs:element name=\"Return\"><xs:complexType><xs:sequence><xs:element name=\"T4\">"
         "<xs:complexType><xs:sequence>"
         "<xs:element name=\"T4Slip\" maxOccurs=\"unbounded\"><xs:complexType><xs:sequence>"
         "<xs:element name=\"" +
         QByteArray(slipChild) +
         "\"/>"
         "<xs:any processContents=\"skip\" minOccurs=\"0\" maxOccurs=\"unbounded\"/>"
         "</xs:sequence></xs:complexType></xs:element>"
         "<xs:element name=\"T4Summary\">" +
         any +
         "</xs:element>"
         "</xs:sequence></xs:complexType></xs:element></xs:sequence></xs:complexType>"
         "</xs:element></xs:sequence></xs:complexType></xs:element></xs:schema>";
}

TEST_F(CliTest, xmlIsCheckedAgainstTheSchemaTheUserHas) {
  const QString t4 = folder.write("A.T4E", t4FileBytes(goodEmployer(), {goodT4("Smith", "J")}));
  const QString transmitter =
      folder.write("tx.ini",
                   "[Transmitter]\nAccount=123456782\nContactName=Pat\nContactArea=613\n"
                   "ContactPhone=5550100\nContactEmail=pat@example.ca\n");
  QDir().mkpath(folder.path("good"));
  QDir().mkpath(folder.path("strict"));
  folder.write("good/T619_T4.xsd", schemaOfReturn("EMPE_NM"));
  folder.write("strict/T619_T4.xsd", schemaOfReturn("NOT_THERE"));
  const QString out = folder.path("out.xml");
  const auto xml = [&](const char* schema) {
    return runCli({"xml", t4, out, "--transmitter", transmitter, "--ref", "R1", "--schema",
                   folder.path(schema)});
  };
  const CliRun strict = xml("strict");
  EXPECT_EQ(strict.status, 1);
  EXPECT_TRUE(strict.err.startsWith("schema: line ")) << strict.err.toStdString();
  EXPECT_EQ(QDir(folder.path({})).entryList(QDir::Files | QDir::Hidden).filter("xml"),
            QStringList())
      << "nothing is left behind";
  EXPECT_EQ(xml("good").status, 0);
  EXPECT_TRUE(readWholeFile(out).contains("<T4Slip>"));
  EXPECT_EQ(xml("missing").err.left(25), "schema: Cannot read the s");
}

TEST_F(CliTest, checkExitsOneOnAFindingAndTakesOptionsAnywhere) {
  T4Record bad = goodT4("Smith", "John");
  bad.setText(T4Record::Employee_postal_code, {});
  const QString path = folder.write("A.T4E", t4FileBytes(goodEmployer(), {bad}));
  const CliRun run = runCli({"--now", "2001-02-03 04:05", "check", path});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.out.endsWith("  \nEmployee has no postal or zip code in the address\n"));
  EXPECT_EQ(runCli({"check", path, "--now", "2001-02-03 04:05"}).status, 1);
}

TEST_F(CliTest, checkOfAShortFileReportsTheEmployerOnStandardError) {
  const QString path = folder.write("A.T4E", QByteArray(1535, '\0'));
  const CliRun run = runCli({"check", path});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.out.startsWith("*** Company Information could not be read from the file ***\n"));
  EXPECT_TRUE(run.err.startsWith(
      "File READ error when getting T4 Company Information, excluding from report."));
}

TEST_F(CliTest, checkOfAFileWithoutT4sIsTheEmployerAndTheNotes) {
  const CliRun run = runCli({"check", folder.write("A.T4E", t4FileBytes(goodEmployer(), {}))});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, notes().join('\n') + '\n');
}

TEST_F(CliTest, usageErrorsAndUnopenableFilesExitTwo) {
  const QString missing = folder.path("none.T4E");
  const CliRun cannotOpen = runCli({"check", missing});
  EXPECT_EQ(cannotOpen.status, 2);
  EXPECT_EQ(cannotOpen.err, "Cannot open file " + missing + "\n");
  EXPECT_EQ(cannotOpen.out, "");
  EXPECT_EQ(runCli({"dump", missing}).status, 2);
  EXPECT_FALSE(QFile::exists(missing)) << "inspection never creates a file";

  const QString path = folder.write("A.T4E", t4FileBytes(goodEmployer(), {}));
  for (const QStringList& args : {QStringList{},
                                  {"check"},
                                  {"check", path, path},
                                  {"frobnicate", path},
                                  {"check", path, "--bogus"},
                                  {"check", path, "--now"},
                                  {"check", path, "--now", "yesterday"}}) {
    const CliRun run = runCli(args);
    EXPECT_EQ(run.status, 2) << args.join(' ').toStdString();
    EXPECT_TRUE(run.err.contains("usage:")) << args.join(' ').toStdString();
    EXPECT_EQ(run.out, "");
  }
}

TEST_F(CliTest, dumpShowsEveryFieldOfEveryRecordAndTheIndex) {
  T4Record jones = goodT4("Jones", QString::fromUtf8("Ren\u00E9e"), "Q");
  jones.setInt32(T4Record::Other_info_amount_1, -250);
  jones.setText(T4Record::Other_info_code_1, "30 \"Housing\"");
  jones.bytes()[174] = 200;  // the initial's length byte beyond its width
  const QString path =
      folder.write("A.T4E", t4FileBytes(goodEmployer(), {jones, goodT4("Adams", "Ann")}, "xyz"));

  const CliRun run = runCli({"dump", path});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  QJsonParseError error{};
  const QJsonObject dump = QJsonDocument::fromJson(run.out.toUtf8(), &error).object();
  ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();

  EXPECT_EQ(dump["size"].toInt(), 1536 + 2 * 768 + 3);
  EXPECT_EQ(dump["trailing_bytes"].toInt(), 3);
  EXPECT_EQ(dump["header"]["Record_type"].toInt(), 16);
  EXPECT_EQ(dump["header"]["position"].toInt(), 0);
  EXPECT_EQ(dump["employer"]["position"].toInt(), 768);
  EXPECT_EQ(dump["employer"]["S_Taxation_year"].toInt(), 1999);
  EXPECT_EQ(dump["employer"]["CPP_rate"].toInt(), 35000);
  EXPECT_EQ(dump["employer"]["RevCan_account_number"].toString(), "123456782RP0001");
  EXPECT_EQ(dump["employer"].toObject().size(), 1 + 5 + 25 + 14);

  const QJsonArray t4 = dump["t4"].toArray();
  ASSERT_EQ(t4.size(), 2);
  const QJsonObject first = t4[0].toObject();
  EXPECT_EQ(first.size(), 1 + 5 + 40 + 8);
  EXPECT_EQ(first["position"].toInt(), 1536);
  EXPECT_EQ(first["Employee_first_name"].toString(), QString::fromUtf8("Ren\u00E9e"));
  EXPECT_EQ(first["Employee_secondinitial"].toString(), "Q");
  EXPECT_EQ(first["Other_info_code_1"].toString(), "30 \"Housing\"");
  EXPECT_EQ(first["Other_info_amount_1"].toInt(), -250);
  EXPECT_EQ(first["VOID"].toInt(), 0);
  EXPECT_TRUE(first["VOID"].isDouble()) << "flags are numbers, not booleans";
  EXPECT_EQ(t4[1]["position"].toInt(), 2304);
  EXPECT_EQ(dump["index"].toArray(),
            QJsonArray({"ADAMS,  Ann ", QString::fromUtf8("JONES,  Ren\u00E9e Q")}));
}

TEST_F(CliTest, dumpOfShortFilesHasNullRecords) {
  struct Case {
    int length;
    bool header, employer;
    int trailing;
  };
  for (const Case& c :
       {Case{0, false, false, 0}, Case{767, false, false, 767}, Case{768, true, false, 0},
        Case{1535, true, false, 767}, Case{1536, true, true, 0}}) {
    const CliRun run = runCli({"dump", folder.write(QStringLiteral("f%1.T4E").arg(c.length),
                                                    QByteArray(c.length, '\xFF'))});
    ASSERT_EQ(run.status, 0);
    const QJsonObject dump = QJsonDocument::fromJson(run.out.toUtf8()).object();
    EXPECT_EQ(dump["header"].isNull(), !c.header) << c.length;
    EXPECT_EQ(dump["employer"].isNull(), !c.employer) << c.length;
    EXPECT_EQ(dump["t4"].toArray().size(), 0);
    EXPECT_EQ(dump["trailing_bytes"].toInt(), c.trailing);
  }
}

TEST_F(CliTest, printErrorsOntoTheTracePrinter) {
  const QString path =
      folder.write("A.T4E", t4FileBytes(goodEmployer(), {goodT4("Smith", "John")}));
  const QString trace = folder.path("errors.txt");
  const CliRun run = runCli({"print", "errors", path, "--trace", trace, "--dpi", "600", "--offset",
                             "30,40", "--now", "2001-02-03 16:00"});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  const QStringList lines =
      QString::fromUtf8(readWholeFile(trace)).split(u'\n', Qt::SkipEmptyParts);
  // 75 hundredths at 600 dpi is 450, less the 30 the printer cannot reach.
  EXPECT_EQ(lines.first(), "1\t420\t260\tb\tT4 Error Report for Acme Widgets Ltd.");
  EXPECT_EQ(lines.at(1).section(u'\t', 4), "03 Feb 2001 at 4:00 pm");
  EXPECT_EQ(lines.last(), "end\t1");
}

TEST_F(CliTest, printNeedsOneTargetAndATFileWithT4s) {
  const QString empty = folder.write("E.T4E", t4FileBytes(goodEmployer(), {}));
  const QString trace = folder.path("t.txt");
  const CliRun noT4s = runCli({"print", "errors", empty, "--trace", trace});
  EXPECT_EQ(noT4s.status, 1);
  EXPECT_EQ(noT4s.err, "There are no T4's in this file. Enter some employees first.\n");
  EXPECT_FALSE(QFile::exists(trace)) << "a job never started writes no file";

  for (const QStringList& args : {QStringList{"print", "errors", empty},
                                  {"print", "errors", empty, "--trace", trace, "--pdf", "x.pdf"},
                                  {"print", "errors", empty, "--trace", trace, "--dpi", "0"},
                                  {"print", "errors", empty, "--trace", trace, "--offset", "3"},
                                  {"print", "errors", empty, "--pdf", "x.pdf", "--font", "Mono"},
                                  {"print", "nonsense", empty, "--trace", trace},
                                  {"check", empty, "--trace", trace}}) {
    EXPECT_EQ(runCli(args).status, 2) << args.join(' ').toStdString();
  }
  EXPECT_EQ(runCli({"print", "errors", folder.path("none.T4E"), "--trace", trace}).status, 2);
}

TEST_F(CliTest, totalsPrintsTheWorksheet) {
  const QString path =
      folder.write("A.T4E", t4FileBytes(goodEmployer(), {goodT4("Smith", "John")}));
  const CliRun run = runCli({"totals", path});
  EXPECT_EQ(run.status, 0);
  const QStringList lines = run.out.split(u'\n');
  EXPECT_EQ(lines.first(), "Totals from T4 file: " + path);
  EXPECT_TRUE(lines.contains("Box 80, Total Deductions = 5,424.00"));
  EXPECT_EQ(run.err, "");

  const CliRun empty = runCli({"totals", folder.write("B.T4E", QByteArray())});
  EXPECT_EQ(empty.status, 0) << "no preconditions: zero totals";
  EXPECT_TRUE(empty.out.contains("Box 88, Total number of T4 Slips = 0\n"));
  EXPECT_TRUE(empty.err.startsWith("File READ error when getting Company Information."));
}

TEST_F(CliTest, printEachKindOntoTheTracePrinter) {
  const QString path =
      folder.write("A.T4E", t4FileBytes(goodEmployer(), {goodT4("Smith", "John")}));
  struct Case {
    QStringList options;
    QString firstLine;  // of the trace
    QString err;
  };
  const Case cases[] = {
      {{"forms"}, "1\t195\t150\t-\tACME WIDGETS LTD.", ""},
      {{"forms", "--top", "10", "--left", "100"},
       "1\t345\t75\t-\tACME WIDGETS LTD.",
       ""},  // clamped to 25 and 75
      {{"forms", "--lineup", "--type", "2"}, "1\t195\t150\t-\tACME WIDGETS LTD.", ""},
      {{"summary"},
       "1\t660\t850\t-\t0",
       "Dont forget to date and sign the certification at the bottom of the "
       "form before mailing it to Revenue Canada with their copies of the T4's\n"},
      {{"summary", "--print-employer", "--lineup", "--top", "0", "--left", "0"},
       "1\t900\t0\t-\t1",
       ""},
      {{"labels", "--style", "3"}, "1\t105\t300\t-\tJohn  Smith", ""},
      {{"totals"}, "1\t225\t300\tb\tT4 Totals Report", ""},
  };
  for (const Case& c : cases) {
    const QString trace = folder.path("out.txt");
    QFile::remove(trace);
    const QStringList args = QStringList{"print"} + c.options + QStringList{path, "--trace", trace};
    const CliRun run = runCli(args);
    EXPECT_EQ(run.status, 0) << args.join(' ').toStdString() << run.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(readWholeFile(trace)).section(u'\n', 0, 0), c.firstLine)
        << args.join(' ').toStdString();
    EXPECT_EQ(run.err, c.err) << args.join(' ').toStdString();
  }
}

TEST_F(CliTest, theLineUpSheetIsTheSampleTwice) {
  const QString path =
      folder.write("A.T4E", t4FileBytes(goodEmployer(), {goodT4("Smith", "John")}));
  const QString trace = folder.path("lineup.txt");
  ASSERT_EQ(runCli({"print", "forms", path, "--lineup", "--trace", trace}).status, 0);
  const QString text = QString::fromUtf8(readWholeFile(trace));
  EXPECT_EQ(text.count("\tu\n"), 2) << "TestSurname's u, once a form";
  EXPECT_FALSE(text.contains("\tM\n")) << "no real employee (SMITH)";
  EXPECT_TRUE(text.endsWith("end\t1\n"));
}

TEST_F(CliTest, printOptionsAreChecked) {
  const QString path =
      folder.write("A.T4E", t4FileBytes(goodEmployer(), {goodT4("Smith", "John")}));
  const QString trace = folder.path("t.txt");
  for (const QStringList& args :
       {QStringList{"print", "forms", path, "--trace", trace, "--type", "4"},
        {"print", "forms", path, "--trace", trace, "--style", "1"},
        {"print", "labels", path, "--trace", trace},
        {"print", "labels", path, "--trace", trace, "--style", "x"},
        {"print", "errors", path, "--trace", trace, "--lineup"}}) {
    EXPECT_EQ(runCli(args).status, 2) << args.join(' ').toStdString();
  }
  const CliRun negative =
      runCli({"print", "summary", path, "--trace", trace, "--remittances", "-5"});
  EXPECT_EQ(negative.status, 2);
  EXPECT_TRUE(negative.err.startsWith("The entry in Remittances is not a valid numeric value"));
  EXPECT_FALSE(QFile::exists(trace));
}

TEST_F(CliTest, convertMakesTheT4FileFromTheYearEndFile) {
  using Y = YearEndRecord;
  const QString config = folder.write("CO1.CNF", configBytes());
  const QString yearEnd = folder.write("WGBT4.DTA", YearEndBuilder()
                                                        .text(Y::Surname, "Young")
                                                        .text(Y::FirstName, "Yan")
                                                        .amount(56, 1000)
                                                        .amount(66, 25)
                                                        .bytes());
  const QString out = folder.path("WAGBOK.T4E");
  const CliRun run = runCli({"convert", "--config", config, "--box44", "--regn", "7654321", yearEnd,
                             out, "--now", "2001-01-10 09:00"});
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(
      run.err.startsWith("1 employees processed. Conversion from " + yearEnd + " to " + out));
  EXPECT_EQ(surnamesInFile(out), QStringList{"Young"});
  const QJsonObject t4 = QJsonDocument::fromJson(runCli({"dump", out}).out.toUtf8())
                             .object()["t4"]
                             .toArray()[0]
                             .toObject();
  EXPECT_EQ(t4["Union_dues"].toInt(), 2500);
  EXPECT_EQ(t4["RPP_or_deferred_PlanNumbr"].toString(), "7654321");

  // A T4 file newer than the year-end file is replaced only with --force.
  const auto setModified = [&yearEnd](const QDateTime& when) {
    QFile file(yearEnd);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(when, QFileDevice::FileModificationTime);
  };
  setModified(QFileInfo(out).lastModified().addDays(1));
  EXPECT_EQ(runCli({"convert", "--config", config, yearEnd, out}).status, 0)
      << "a newer year-end file: no question";
  setModified(QDateTime(QDate(2000, 1, 1), QTime()));
  EXPECT_EQ(runCli({"convert", "--config", config, yearEnd, out}).status, 1);
  EXPECT_EQ(runCli({"convert", "--config", config, "--force", yearEnd, out}).status, 0);
}

TEST_F(CliTest, printRegisterOfAYearEndFile) {
  using Y = YearEndRecord;
  const QString config = folder.write("CO1.CNF", configBytes());
  const QString yearEnd =
      folder.write("WGBT4.DTA", YearEndBuilder().text(Y::Surname, "Young").amount(32, 10).bytes());
  const QString trace = folder.path("register.txt");
  const CliRun run = runCli({"print", "register", "--config", config, yearEnd, "--trace", trace,
                             "--now", "2001-01-12 10:30"});
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  const QString text = QString::fromUtf8(readWholeFile(trace));
  EXPECT_TRUE(text.startsWith(
      "1\t150\t150\tbu\tT4 SOURCE REGISTER FOR Lakeside Payroll Company of Eastern\n"));
  EXPECT_TRUE(text.contains("\tGRAND TOTAL\n"));
  EXPECT_EQ(
      runCli({"print", "register", "--config", config, folder.path("none.DTA"), "--trace", trace})
          .status,
      2);
  EXPECT_EQ(runCli({"print", "register", yearEnd, "--trace", trace}).status, 2)
      << "no configuration";
}

TEST_F(CliTest, convertNeedsAWholeConfiguration) {
  const QString yearEnd = folder.write("WGBT4.DTA", {});
  const QString out = folder.path("OUT.T4E");
  const CliRun shortConfig = runCli(
      {"convert", "--config", folder.write("SHORT.CNF", QByteArray(3071, 'x')), yearEnd, out});
  EXPECT_EQ(shortConfig.status, 2);
  EXPECT_TRUE(
      shortConfig.err.startsWith("Could not read config from. File = " + folder.path("SHORT.CNF")));
  EXPECT_EQ(runCli({"convert", "--config", folder.path("none.CNF"), yearEnd, out}).err,
            "Cannot open file " + folder.path("none.CNF") + "\n");
  EXPECT_EQ(runCli({"convert", yearEnd, out}).status, 2);
  EXPECT_EQ(runCli({"convert", "--config", folder.write("OK.CNF", configBytes()),
                    folder.path("none.DTA"), out})
                .status,
            1);
  EXPECT_FALSE(QFile::exists(out));
}

// The installed program: its streams and exit status on the bundled sample.
TEST(CliProgram, checksTheSampleFile) {
  QProcess cli;
  cli.start(QUILLET_CLI_PATH, {"check", QUILLET_SAMPLE_FILE});
  ASSERT_TRUE(cli.waitForFinished(60000));
  EXPECT_EQ(cli.exitCode(), 1) << "the sample has findings";
  const QString out = QString::fromUtf8(cli.readAllStandardOutput());
  EXPECT_TRUE(
      out.contains("Employee CPP or QPP contributions at 500.00 is LOWER than expected.\n"));
  EXPECT_FALSE(out.contains("Tremblay")) << "the VOID record adds nothing";
  EXPECT_EQ(cli.readAllStandardError(), "");
}

TEST(CliProgram, printsTheSampleErrorReportToPdf) {
  TempFolder folder;
  const QString pdf = folder.path("errors.pdf");
  QProcess cli;
  cli.start(QUILLET_CLI_PATH, {"print", "errors", QUILLET_SAMPLE_FILE, "--pdf", pdf});
  ASSERT_TRUE(cli.waitForFinished(60000));
  EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
  EXPECT_TRUE(readWholeFile(pdf).startsWith("%PDF"));
  EXPECT_EQ(cli.readAllStandardError(), "") << "Qt's own notes stay off standard error";
}

// The built program started as a process.
CliRun runBuilt(const QStringList& args) {
  QProcess cli;
  cli.start(QUILLET_CLI_PATH, args);
  if (!cli.waitForFinished(60000)) return {-1, {}, {}};
  return {cli.exitCode(), QString::fromUtf8(cli.readAllStandardOutput()),
          QString::fromUtf8(cli.readAllStandardError())};
}

TEST(CliProgram, slipsOnPlainPaperAndOnePdfPerEmployee) {
  TempFolder folder;
  const struct {
    QStringList args;
    int status;
    QString out;
  } runs[] = {
      {{"print", "slips", QUILLET_SAMPLE_FILE, "--copy", "cra", "--pdf", folder.path("cra.pdf")},
       0,
       ""},
      {{"print", "slips", QUILLET_SAMPLE_FILE, "--copy", "payroll", "--trace", folder.path("t")},
       2,
       ""},
      {{"slips-pdf", QUILLET_SAMPLE_FILE, folder.path({})},
       0,
       "5 PDF file(s) of T4 slips written to " + folder.path({}) + "\n"},
      {{"slips-pdf", QUILLET_SAMPLE_FILE, folder.path("cra.pdf")}, 2, ""},
  };
  for (const auto& run : runs) {
    const CliRun got = runBuilt(run.args);
    EXPECT_EQ(got.status, run.status) << run.args.join(' ').toStdString();
    EXPECT_EQ(got.out, run.out);
  }
  EXPECT_TRUE(readWholeFile(folder.path("cra.pdf")).startsWith("%PDF"));
  EXPECT_EQ(QDir(folder.path({})).entryList({"2000-*.pdf"}).size(), 5);
}

TEST(CliProgram, nextYearAndSpreadsheetsOfTheSample) {
  TempFolder folder;
  const QString next = folder.path("NEXT.T4E");
  const QString csv = folder.path("sample.csv");
  const QString rows =
      folder.write("rows.csv",
                   "Employee_surname;Employee_first_name;Employee_address_line_1;Employee_city;"
                   "Employee_province_code;Box 12;Box 10;Box 14\n"
                   "Adams;Peter;88 Front Street;Belleville;ON;192-837-466;ON;61000.00\n"
                   "Zed;Zoe;1 Elm;Ottawa;ON;193456787;ON;100.00\n");
  const struct {
    QStringList args;
    int status;
    QString out;
  } runs[] = {
      {{"next-year", QUILLET_SAMPLE_FILE, next},
       0,
       "Tax year 2001, 5 employees, written to " + next + "\n"},
      {{"next-year", QUILLET_SAMPLE_FILE, next}, 1, ""},  // never replaced without the question
      {{"csv-export", QUILLET_SAMPLE_FILE, csv}, 0, ""},
      {{"csv-import", next, csv, "--dry-run"}, 1, ""},  // the sample's bad SIN is refused
      {{"csv-import", next, rows, "--dry-run"},
       0,
       "Line 2: update Adams, Peter (SIN 192-837-466)\nLine 3: add Zed, Zoe (SIN 193456787)\n"},
      {{"csv-import", next, folder.path("none.csv")}, 2, ""},
  };
  for (const auto& run : runs) {
    const CliRun got = runBuilt(run.args);
    EXPECT_EQ(got.status, run.status) << run.args.join(' ').toStdString();
    if (!run.out.isEmpty()) {
      EXPECT_EQ(got.out, run.out);
    }
  }
  const QByteArray made = readWholeFile(next);
  EXPECT_EQ(made.size(), 2 * 768 + 5 * 768) << "the dry runs wrote nothing";
  EXPECT_EQ(runCli({"csv-import", next, rows}).status, 0);
  EXPECT_EQ(readWholeFile(next).size(), made.size() + 768);
  EXPECT_TRUE(runCli({"rates", "2001"}).out.contains("38300.00"));
  EXPECT_TRUE(runCli({"dump", next}).out.contains("\"S_Taxation_year\": 2001"));
}

// Runs the built program through the shell, so that its arguments may be any bytes.
struct ProgramRun {
  bool finished;
  int status;
  QByteArray err;
};
ProgramRun runProgram(const QByteArray& shellArgs) {
  QProcess cli;
  cli.start("/bin/sh", {"-c", "exec \"$0\" " + QString::fromLatin1(shellArgs), QUILLET_CLI_PATH});
  const bool finished = cli.waitForFinished(20000);
  if (!finished) cli.kill();
  return {finished, cli.exitCode(), cli.readAllStandardError()};
}

TEST(CliProgram, refusesWhatIsNotAPlainFileWithoutWaiting) {
  TempFolder folder;
  const QString fifo = folder.path("fifo.T4E");
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  for (const QString& path : {fifo, folder.path({})}) {
    const ProgramRun run = runProgram("check '" + path.toUtf8() + "'");
    ASSERT_TRUE(run.finished) << "a FIFO is not waited on";
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "Cannot open file " + path.toUtf8() + "\n");
  }
}

TEST(CliProgram, opensAFileWhoseNameIsNotUtf8) {
  TempFolder folder;
  const QByteArray where = QFile::encodeName(folder.path({}));
  const QByteArray name = where + "/caf\xe9.T4E";
  const QByteArray bytes = t4FileBytes(goodEmployer(), {goodT4("Smith", "John", "A")});
  QFile file;
  const int fd = ::open(name.constData(), O_WRONLY | O_CREAT, 0600);
  ASSERT_TRUE(fd >= 0 && file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
  file.write(bytes);
  file.close();
  const ProgramRun run = runProgram("check \"$(printf '" + where + "/caf\\351.T4E')\"");
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
}

TEST(CliProgram, printingIntoAFolderThatIsNotThereExitsTwo) {
  const ProgramRun run =
      runProgram(QByteArray("print forms ") + QUILLET_SAMPLE_FILE + " --pdf /unwritable/out.pdf");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "Cannot create file /unwritable/out.pdf\n");
}

// Every command and option of the contract, through the built program: Qt's own options
// (--style, -reverse, -platform) are the tool's, never Qt's.
TEST(CliProgram, takesEveryCommandAndOptionOfTheContract) {
  TempFolder folder;
  const QString sample = QUILLET_SAMPLE_FILE;
  const QString trace = folder.path("out.txt"), pdf = folder.path("out.pdf");
  const QString config = folder.write("CO1.CNF", configBytes());
  const QString yearEnd = folder.write(
      "WGBT4.DTA", YearEndBuilder().text(YearEndRecord::Surname, "Young").amount(56, 10).bytes());
  const struct {
    QStringList args;
    int status;
  } cases[] = {
      {{"check", sample}, 1},
      {{"dump", sample, "--now", "2001-02-03 04:05"}, 0},
      {{"totals", sample}, 0},
      {{"print", "forms", sample, "--type", "2", "--top", "40", "--left", "20", "--lineup",
        "--trace", trace, "--dpi", "600", "--offset", "10,20"},
       0},
      {{"print", "summary", sample, "--remittances", "1000", "--top", "90", "--left", "90",
        "--youth-hires", "--print-employer", "--lineup", "--trace", trace},
       0},
      {{"print", "labels", sample, "--style", "0", "--trace", trace}, 0},
      {{"--style", "3", "print", "labels", sample, "--trace", trace}, 0},
      {{"print", "errors", sample, "--pdf", pdf, "--font", "DejaVu Sans Mono,9"}, 0},
      {{"print", "totals", sample, "--trace", trace}, 0},
      {{"print", "register", "--config", config, yearEnd, "--trace", trace}, 0},
      {{"convert", "--config", config, "--box20", "--box44", "--regn", "1234567", "--force",
        yearEnd, folder.path("NEW.T4E")},
       0},
      {{"rates"}, 0},
      {{"rates", "2026"}, 0},
      {{"rates", "1998"}, 2},
      {{"check", sample, "-reverse"}, 2},
      {{"check", "-platform", sample}, 2},
  };
  for (const auto& c : cases) {
    QProcess cli;
    cli.start(QUILLET_CLI_PATH, c.args);
    ASSERT_TRUE(cli.waitForFinished(60000));
    EXPECT_EQ(cli.exitCode(), c.status)
        << c.args.join(' ').toStdString() << ": " << cli.readAllStandardError().toStdString();
  }
}

}  // namespace
