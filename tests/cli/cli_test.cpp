// Quillet tests — quillet-cli's commands, exit statuses and streams, as the contract has them.
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
#include "golden.h"
#include "payroll_files.h"
#include "payroll_import/payroll_records.h"
#include "test_files.h"

using namespace quillet;
using namespace quillet::test;

namespace {

using Y = YearEndRecord;

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

// The built program started as a process.
CliRun runBuilt(const QStringList& args) {
  QProcess cli;
  cli.start(QUILLET_CLI_PATH, args);
  if (!cli.waitForFinished(60000)) return {-1, {}, {}};
  return {cli.exitCode(), QString::fromUtf8(cli.readAllStandardOutput()),
          QString::fromUtf8(cli.readAllStandardError())};
}

QJsonObject dumpOf(const QString& path) {
  return QJsonDocument::fromJson(runCli({"dump", path}).out.toUtf8()).object();
}

// Files every case may name: $GOOD (one employee), $BAD (one without a postal code),
// $EMPTY (no employees), $SHORT (1535 bytes), $ZERO (0 bytes), $NONE (missing), $TRACE,
// $CNF and $DTA (a configuration and a year-end file of one employee).
class CliTest : public ::testing::Test {
 protected:
  CliTest() {
    T4Record bad = goodT4("Smith", "John");
    bad.setText(T4Record::Employee_postal_code, {});
    files = {{"$GOOD",
              folder.write("A.T4E", t4FileBytes(goodEmployer(), {goodT4("Smith", "John", "A")}))},
             {"$BAD", folder.write("B.T4E", t4FileBytes(goodEmployer(), {bad}))},
             {"$EMPTY", folder.write("E.T4E", t4FileBytes(goodEmployer(), {}))},
             {"$SHORT", folder.write("S.T4E", QByteArray(1535, '\0'))},
             {"$ZERO", folder.write("Z.T4E", {})},
             {"$NONE", folder.path("none.T4E")},
             {"$TRACE", folder.path("trace.txt")},
             {"$CNF", folder.write("CO1.CNF", configBytes())},
             {"$DTA", folder.write("WGBT4.DTA", YearEndBuilder()
                                                    .text(Y::Surname, "Young")
                                                    .text(Y::FirstName, "Yan")
                                                    .amount(56, 1000)
                                                    .amount(66, 25)
                                                    .bytes())}};
  }
  QString expand(QString text) const {
    for (const auto& [name, path] : files) text.replace(name, path);
    return text;
  }
  QStringList expand(const QStringList& args) const {
    QStringList all;
    for (const QString& a : args) all << expand(a);
    return all;
  }

  TempFolder folder;
  std::vector<std::pair<QString, QString>> files;
};

// Every command's exit status and streams, recorded (the folder written as <folder>). A
// usage error writes nothing to standard output; a failed run leaves no trace behind and
// makes no file of a name it could not open.
TEST_F(CliTest, commandsExitAndWriteAsTheContractSays) {
  const struct {
    QStringList args;
    int status;
  } cases[] = {
      // clang-format off
      {{"check", "$GOOD"}, 0},
      {{"--now", "2001-02-03 04:05", "check", "$BAD"}, 1},
      {{"check", "$BAD", "--now", "2001-02-03 04:05"}, 1},
      {{"check", "$SHORT"}, 1},
      {{"check", "$NONE"}, 2},
      {{"dump", "$NONE"}, 2},
      {{}, 2},
      {{"check"}, 2},
      {{"check", "$GOOD", "$GOOD"}, 2},
      {{"frobnicate", "$GOOD"}, 2},
      {{"check", "$GOOD", "--bogus"}, 2},
      {{"check", "$GOOD", "--now"}, 2},
      {{"check", "$GOOD", "--now", "yesterday"}, 2},
      {{"check", "$GOOD", "--trace", "$TRACE"}, 2},
      {{"rates", "2000"}, 0},
      {{"rates", "next"}, 2},
      {{"totals", "$GOOD"}, 0},
      {{"totals", "$ZERO"}, 0},
      {{"print", "errors", "$EMPTY", "--trace", "$TRACE"}, 1},
      {{"print", "errors", "$GOOD"}, 2},
      {{"print", "errors", "$GOOD", "--trace", "$TRACE", "--pdf", "x.pdf"}, 2},
      {{"print", "errors", "$GOOD", "--trace", "$TRACE", "--dpi", "0"}, 2},
      {{"print", "errors", "$GOOD", "--trace", "$TRACE", "--offset", "3"}, 2},
      {{"print", "errors", "$GOOD", "--pdf", "x.pdf", "--font", "Mono"}, 2},
      {{"print", "errors", "$GOOD", "--trace", "$TRACE", "--lineup"}, 2},
      {{"print", "nonsense", "$GOOD", "--trace", "$TRACE"}, 2},
      {{"print", "errors", "$NONE", "--trace", "$TRACE"}, 2},
      {{"print", "forms", "$GOOD", "--trace", "$TRACE", "--type", "4"}, 2},
      {{"print", "forms", "$GOOD", "--trace", "$TRACE", "--style", "1"}, 2},
      {{"print", "labels", "$GOOD", "--trace", "$TRACE"}, 2},
      {{"print", "labels", "$GOOD", "--trace", "$TRACE", "--style", "x"}, 2},
      {{"print", "summary", "$GOOD", "--trace", "$TRACE", "--remittances", "-5"}, 2},
      {{"print", "register", "--config", "$CNF", "$NONE", "--trace", "$TRACE"}, 2},
      {{"print", "register", "$DTA", "--trace", "$TRACE"}, 2},
      {{"convert", "$DTA", "$NONE"}, 2},
      {{"convert", "--config", "$NONE", "$DTA", "$TRACE"}, 2},
      {{"convert", "--config", "$CNF", "$NONE", "$TRACE"}, 1},
      {{"check", "$EMPTY"}, 0},
      {{"rates"}, 0},
      // clang-format on
  };
  QString all;
  for (const auto& c : cases) {
    const std::string what = c.args.join(' ').toStdString();
    QFile::remove(expand("$TRACE"));
    const CliRun run = runCli(expand(c.args));
    EXPECT_EQ(run.status, c.status) << what << run.err.toStdString();
    EXPECT_TRUE(c.status != 2 || run.out.isEmpty()) << what;
    EXPECT_TRUE(c.status == 0 || !QFile::exists(expand("$TRACE"))) << what;
    EXPECT_FALSE(QFile::exists(expand("$NONE"))) << what << ": nothing made of a failed open";
    all += QStringLiteral("$ quillet-cli %1\nexit %2\n--- stdout\n%3--- stderr\n%4")
               .arg(c.args.join(u' '))
               .arg(run.status)
               .arg(run.out, run.err);
  }
  expectGolden("cli_commands", all, folder.path({}));
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
         "\"/><xs:any processContents=\"skip\" minOccurs=\"0\" maxOccurs=\"unbounded\"/>"
         "</xs:sequence></xs:complexType></xs:element><xs:element name=\"T4Summary\">" +
         any +
         "</xs:element></xs:sequence></xs:complexType></xs:element></xs:sequence>"
         "</xs:complexType></xs:element></xs:sequence></xs:complexType></xs:element></xs:schema>";
}

TEST_F(CliTest, xmlIsCheckedAgainstTheSchemaTheUserHas) {
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
    return runCli({"xml", expand("$GOOD"), out, "--transmitter", transmitter, "--ref", "R1",
                   "--schema", folder.path(schema)});
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

// Every field of every record and the index, recorded: a first name beyond ASCII, quotes
// and a negative amount in other information, a length byte beyond its field's width,
// trailing bytes; then files too short for a T4 record, for the employer or for anything.
TEST_F(CliTest, dumpShowsEveryFieldOfEveryRecordAndTheIndex) {
  T4Record jones = goodT4("Jones", QString::fromUtf8("Ren\u00E9e"), "Q");
  jones.setInt32(T4Record::Other_info_amount_1, -250);
  jones.setText(T4Record::Other_info_code_1, "30 \"Housing\"");
  jones.bytes()[174] = 200;  // the initial's length byte beyond its width
  QString all =
      runCli({"dump", folder.write("J.T4E", t4FileBytes(goodEmployer(),
                                                        {jones, goodT4("Adams", "Ann")}, "xyz"))})
          .out;
  for (const int length : {0, 767, 768, 1535, 1536})
    all += runCli({"dump", folder.write("F.T4E", QByteArray(length, '\xFF'))}).out;
  expectGolden("cli_dump", all, folder.path({}));
  const QJsonObject dump = dumpOf(expand("$GOOD"));
  EXPECT_EQ(dump["employer"].toObject().size(), 1 + 5 + 25 + 14);
  EXPECT_EQ(dump["t4"].toArray()[0].toObject().size(), 1 + 5 + 40 + 8);
  EXPECT_TRUE(dump["t4"].toArray()[0].toObject()["VOID"].isDouble())
      << "flags are numbers, not booleans";
}

TEST_F(CliTest, printEachKindOntoTheTracePrinter) {
  const struct {
    QStringList options;
    QString firstLine;  // of the trace
    QString err;
  } cases[] = {
      // clang-format off
      {{"forms"}, "1\t195\t150\t-\tACME WIDGETS LTD.", ""},
      {{"forms", "--top", "10", "--left", "100"}, "1\t345\t75\t-\tACME WIDGETS LTD.", ""},  // clamped to 25 and 75
      {{"forms", "--lineup", "--type", "2"}, "1\t195\t150\t-\tACME WIDGETS LTD.", ""},
      {{"summary"}, "1\t660\t850\t-\t0", "Dont forget to date and sign the certification at the bottom of the form before mailing it to Revenue Canada with their copies of the T4's\n"},
      {{"summary", "--print-employer", "--lineup", "--top", "0", "--left", "0"}, "1\t900\t0\t-\t1", ""},
      {{"labels", "--style", "3"}, "1\t105\t300\t-\tJohn A Smith", ""},
      {{"totals"}, "1\t225\t300\tb\tT4 Totals Report", ""},
      // 75 hundredths at 600 dpi is 450, less the 30 the printer cannot reach.
      {{"errors", "--dpi", "600", "--offset", "30,40"}, "1\t420\t260\tb\tT4 Error Report for Acme Widgets Ltd.", ""},
      // clang-format on
  };
  const QString trace = expand("$TRACE");
  for (const auto& c : cases) {
    QFile::remove(trace);
    const QStringList args = QStringList{"print"} + c.options +
                             expand({"$GOOD", "--trace", "$TRACE", "--now", "2001-02-03 16:00"});
    const CliRun run = runCli(args);
    EXPECT_EQ(run.status, 0) << args.join(' ').toStdString() << run.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(readWholeFile(trace)).section(u'\n', 0, 0), c.firstLine)
        << args.join(' ').toStdString();
    EXPECT_EQ(run.err, c.err) << args.join(' ').toStdString();
  }
  const QString errors = QString::fromUtf8(readWholeFile(trace));
  EXPECT_EQ(errors.section(u'\n', 1, 1).section(u'\t', 4), "03 Feb 2001 at 4:00 pm");
  EXPECT_TRUE(errors.endsWith("\nend\t1\n"));

  ASSERT_EQ(runCli(expand({"print", "forms", "$GOOD", "--lineup", "--trace", "$TRACE"})).status, 0);
  const QString lineUp = QString::fromUtf8(readWholeFile(trace));
  EXPECT_EQ(lineUp.count("\tu\n"), 2) << "TestSurname's u, once a form";
  EXPECT_FALSE(lineUp.contains("\tM\n")) << "no real employee (SMITH)";

  ASSERT_EQ(
      runCli(expand({"print", "register", "--config", "$CNF", "$DTA", "--trace", "$TRACE"})).status,
      0);
  const QString reg = QString::fromUtf8(readWholeFile(trace));
  EXPECT_TRUE(reg.startsWith(
      "1\t150\t150\tbu\tT4 SOURCE REGISTER FOR Lakeside Payroll Company of Eastern\n"));
  EXPECT_TRUE(reg.contains("\tGRAND TOTAL\n"));
}

TEST_F(CliTest, convertMakesTheT4FileFromTheYearEndFile) {
  const QString config = expand("$CNF"), yearEnd = expand("$DTA");
  const QString out = folder.path("WAGBOK.T4E");
  const CliRun run = runCli({"convert", "--config", config, "--box44", "--regn", "7654321", yearEnd,
                             out, "--now", "2001-01-10 09:00"});
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(
      run.err.startsWith("1 employees processed. Conversion from " + yearEnd + " to " + out));
  EXPECT_EQ(surnamesInFile(out), QStringList{"Young"});
  const QJsonObject t4 = dumpOf(out)["t4"].toArray()[0].toObject();
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

  const QString shortConfig = folder.write("SHORT.CNF", QByteArray(3071, 'x'));
  const CliRun cut = runCli({"convert", "--config", shortConfig, yearEnd, folder.path("N.T4E")});
  EXPECT_EQ(cut.status, 2);
  EXPECT_TRUE(cut.err.startsWith("Could not read config from. File = " + shortConfig));
  EXPECT_FALSE(QFile::exists(folder.path("N.T4E")));
}

// Every command and option of the contract, through the built program: Qt's own options
// (--style, -reverse, -platform) are the tool's, never Qt's; Qt's notes stay off standard
// error.
TEST_F(CliTest, theBuiltProgramTakesEveryCommandAndOptionOfTheContract) {
  const QString sample = QUILLET_SAMPLE_FILE;
  const QString pdf = folder.path("out.pdf"), trace = expand("$TRACE");
  const QString next = folder.path("NEXT.T4E"), csv = folder.path("sample.csv");
  const QString rows =
      folder.write("rows.csv",
                   "Employee_surname;Employee_first_name;Employee_address_line_1;Employee_city;"
                   "Employee_province_code;Box 12;Box 10;Box 14\n"
                   "Adams;Peter;88 Front Street;Belleville;ON;192-837-466;ON;61000.00\n"
                   "Zed;Zoe;1 Elm;Ottawa;ON;193456787;ON;100.00\n");
  const QString pdfs = folder.path("pdfs");
  QDir().mkpath(pdfs);
  const struct {
    QStringList args;
    int status;
    QString out;  // when not empty, the whole of standard output
  } cases[] = {
      // clang-format off
      {{"check", sample}, 1, {}},
      {{"dump", sample, "--now", "2001-02-03 04:05"}, 0, {}},
      {{"totals", sample}, 0, {}},
      {{"print", "forms", sample, "--type", "2", "--top", "40", "--left", "20", "--lineup", "--trace", trace, "--dpi", "600", "--offset", "10,20"}, 0, {}},
      {{"print", "summary", sample, "--remittances", "1000", "--top", "90", "--left", "90", "--youth-hires", "--print-employer", "--lineup", "--trace", trace}, 0, {}},
      {{"print", "labels", sample, "--style", "0", "--trace", trace}, 0, {}},
      {{"--style", "3", "print", "labels", sample, "--trace", trace}, 0, {}},
      {{"print", "errors", sample, "--pdf", pdf, "--font", "DejaVu Sans Mono,9"}, 0, {}},
      {{"print", "totals", sample, "--trace", trace}, 0, {}},
      {{"print", "register", "--config", expand("$CNF"), expand("$DTA"), "--trace", trace}, 0, {}},
      {{"convert", "--config", expand("$CNF"), "--box20", "--box44", "--regn", "1234567", "--force", expand("$DTA"), folder.path("NEW.T4E")}, 0, {}},
      {{"rates"}, 0, {}},
      {{"rates", "2026"}, 0, {}},
      {{"rates", "1998"}, 2, {}},
      {{"check", sample, "-reverse"}, 2, {}},
      {{"check", "-platform", sample}, 2, {}},
      {{"print", "slips", sample, "--copy", "cra", "--pdf", folder.path("cra.pdf")}, 0, {}},
      {{"print", "slips", sample, "--copy", "payroll", "--trace", trace}, 2, {}},
      {{"slips-pdf", sample, pdfs}, 0, "5 PDF file(s) of T4 slips written to " + pdfs + "\n"},
      {{"slips-pdf", sample, folder.path("cra.pdf")}, 2, {}},
      {{"next-year", sample, next}, 0, "Tax year 2001, 5 employees, written to " + next + "\n"},
      {{"next-year", sample, next}, 1, {}},  // never replaced without the question
      {{"csv-export", sample, csv}, 0, {}},
      {{"csv-import", next, csv, "--dry-run"}, 1, {}},  // the sample's bad SIN is refused
      {{"csv-import", next, rows, "--dry-run"}, 0, "Line 2: update Adams, Peter (SIN 192-837-466)\nLine 3: add Zed, Zoe (SIN 193456787)\n"},
      {{"csv-import", next, folder.path("none.csv")}, 2, {}},
      // clang-format on
  };
  for (const auto& c : cases) {
    const CliRun run = runBuilt(c.args);
    EXPECT_EQ(run.status, c.status)
        << c.args.join(' ').toStdString() << ": " << run.err.toStdString();
    EXPECT_TRUE(c.out.isEmpty() || run.out == c.out) << run.out.toStdString();
    EXPECT_TRUE(c.status != 0 || c.args.contains("convert") || run.err.isEmpty())
        << c.args.join(' ').toStdString() << ": " << run.err.toStdString();
  }
  EXPECT_TRUE(runBuilt({"check", sample})
                  .out.contains("Employee CPP or QPP contributions at 500.00 is LOWER than "
                                "expected.\n"));
  EXPECT_FALSE(runBuilt({"check", sample}).out.contains("Tremblay")) << "VOID adds nothing";
  EXPECT_TRUE(readWholeFile(pdf).startsWith("%PDF"));
  EXPECT_TRUE(readWholeFile(folder.path("cra.pdf")).startsWith("%PDF"));
  EXPECT_EQ(QDir(pdfs).entryList({"2000-*.pdf"}).size(), 5);
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

TEST_F(CliTest, theBuiltProgramOnPathsLinuxAllows) {
  const QString fifo = folder.path("fifo.T4E");
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  for (const QString& path : {fifo, folder.path({})}) {
    const ProgramRun run = runProgram("check '" + path.toUtf8() + "'");
    ASSERT_TRUE(run.finished) << "a FIFO is not waited on";
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "Cannot open file " + path.toUtf8() + "\n");
  }

  const QByteArray where = QFile::encodeName(folder.path({}));
  const QByteArray name = where + "/caf\xe9.T4E";
  QFile file;
  const int fd = ::open(name.constData(), O_WRONLY | O_CREAT, 0600);
  ASSERT_TRUE(fd >= 0 && file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
  file.write(readWholeFile(expand("$GOOD")));
  file.close();
  const ProgramRun latin1 = runProgram("check \"$(printf '" + where + "/caf\\351.T4E')\"");
  EXPECT_EQ(latin1.status, 0) << latin1.err.toStdString();

  const ProgramRun unwritable =
      runProgram(QByteArray("print forms ") + QUILLET_SAMPLE_FILE + " --pdf /unwritable/out.pdf");
  EXPECT_EQ(unwritable.status, 2);
  EXPECT_EQ(unwritable.err, "Cannot create file /unwritable/out.pdf\n");
}

}  // namespace
