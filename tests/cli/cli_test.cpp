// Quillet tests — quillet-cli's commands, exit statuses and streams, as the contract has them.
#include "cli/cli.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include "checks/t4_record_checks.h"
#include "cra_rules.h"
#include "golden.h"
#include "payroll_files.h"
#include "platform/file_names.h"
#include "platform/shared_file.h"
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

// The built program started as a process, as from a shell without a display.
CliRun runBuilt(const QStringList& args) {
  QProcess cli;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
    environment.remove(name);
  cli.setProcessEnvironment(environment);
  cli.start(QUILLET_CLI_PATH, args);
  if (!cli.waitForFinished(60000)) return {-1, {}, {}};
  return {cli.exitCode(), QString::fromUtf8(cli.readAllStandardOutput()),
          QString::fromUtf8(cli.readAllStandardError())};
}

// Files every case may name, beside the fixtures (tests/fixtures): $GOOD (one employee), $BAD (one
// without a postal code), $EMPTY (no employees), $SHORT (1535 bytes), $STRAY (one byte of a
// T4), $ZERO (0 bytes), $NONE (missing), $TRACE, $CNF and $DTA (a configuration and a year-end
// file of one employee), $CUTCNF (a configuration cut short), $SAMPLE (the bundled sample file) and
// $MINE (a copy), $FIXTURES (the tests' own files: T4 files, schemas, a transmitter) and $DIR (the
// folder of them all).
class CliTest : public ::testing::Test {
 protected:
  CliTest() {
    writeFixtureFiles(folder);
    files = {{"$GOOD", folder.path("A.T4E")},
             {"$BAD", folder.path("B.T4E")},
             {"$EMPTY", folder.path("E.T4E")},
             {"$SHORT", folder.write("S.T4E", QByteArray(1535, '\0'))},
             {"$STRAY", folder.write("T.T4E", readWholeFile(folder.path("E.T4E")) + "x")},
             {"$ZERO", folder.write("Z.T4E", {})},
             {"$NONE", folder.path("none.T4E")},
             {"$TRACE", folder.path("trace.txt")},
             {"$CNF", folder.write("CO1.CNF", configBytes())},
             {"$DTA", folder.path("YOUNG.DTA")},
             {"$CUTCNF", folder.write("SHORT.CNF", QByteArray(3071, 'x'))},
             {"$SAMPLE", QUILLET_SAMPLE_FILE},
             {"$MINE", folder.write("MINE.T4E", readWholeFile(QUILLET_SAMPLE_FILE))},
             {"$FIXTURES", fixturePath({})},
             {"$DIR", folder.path({})}};
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.path("config")));  // the user's settings
    for (const char* printed : {"$DTA", "$DIR/STAFF.DTA"})  // the register shows the time
      setModified(expand(printed), QDateTime(QDate(2000, 12, 29), QTime(17, 5)));
    setModified(expand("$DIR/NEWER.T4E"), QDateTime(QDate(2000, 12, 30), QTime(9, 0)));
  }
  ~CliTest() override { qputenv("XDG_CONFIG_HOME", m_configHome); }
  QString expand(QString text) const {
    for (const auto& [name, path] : files) text.replace(name, path);
    return text;
  }
  QStringList expand(QStringList args) const {
    for (QString& a : args) a = expand(a);
    return args;
  }
  // Runs each command line of the recorded table and records its exit status, its streams
  // and the whole of the trace, XML return or spreadsheet (out.csv) it wrote, the files
  // named as in the table. A usage error writes nothing to standard output; a failed run
  // leaves no trace behind (a run stopped early, exit 1, what it printed before) and makes no
  // file of a name it could not open.
  void expectRecordedRuns(const QString& table, CliRun (*run)(const QStringList&)) {
    expectRecordedTable(table, [&](const QString& line) {
      const QString written[] = {expand("$TRACE"), expand("$DIR/out.xml"), expand("$DIR/out.csv")};
      for (const QString& file : written) QFile::remove(file);
      const CliRun r = run(expand(QProcess::splitCommand(line)));
      EXPECT_TRUE(r.status != 2 || r.out.isEmpty()) << line.toStdString();
      EXPECT_TRUE(r.status < 2 || !QFile::exists(written[0])) << line.toStdString();
      EXPECT_FALSE(QFile::exists(expand("$NONE"))) << line.toStdString();
      QString all =
          QStringLiteral("exit %1\n--- stdout\n%2--- stderr\n%3").arg(r.status).arg(r.out, r.err);
      for (const QString& file : written)
        if (QFile::exists(file))
          all +=
              "--- " + QFileInfo(file).fileName() + "\n" + QString::fromUtf8(readWholeFile(file));
      for (const auto& [name, path] : files) all.replace(path, name);
      return all;
    });
  }

  const QByteArray m_configHome = qgetenv("XDG_CONFIG_HOME");
  TempFolder folder;
  std::vector<std::pair<QString, QString>> files;
};

// Every command's exit status and streams.
TEST_F(CliTest, commandsExitAndWriteAsTheContractSays) {
  expectRecordedRuns("cli_commands", runCli);
}

// Files of every kind (tests/fixtures), year-end files of every kind of employee, and what every
// command makes of them: the checks, the totals, every printout on the trace printer and on plain
// paper, the conversion and CRA's XML return.
TEST_F(CliTest, everyOutputOfFilesOfEveryKind) {
  for (const char* table :
       {"t4_file_1999", "t4_file_2000", "conversion", "xml_1999", "xml_2025", "xml_2025_amended",
        "plain_slips_employee", "plain_slips_employer", "plain_slips_cra", "plain_summary",
        "t4_totals", "labels_and_forms", "spreadsheets", "error_lists", "t4a_files"})
    expectRecordedRuns(table, runCli);
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
}

// Every command and option of the contract, through the built program: Qt's own options
// (--style, -reverse, -platform) are the tool's, never Qt's; Qt's notes stay off standard
// error.
TEST_F(CliTest, theBuiltProgramTakesEveryCommandAndOptionOfTheContract) {
  QDir().mkpath(folder.path("pdfs"));
  expectRecordedRuns("cli_built_program", runBuilt);
  // The returns CRA would reject, refused with what to mend; the plan of box 10, today's
  // province codes, the Summary's lines, and boxes 24, 26 and 56 proposed from box 14.
  expectRecordedRuns("filing_rules", runBuilt);
  // A row shorter than the header, and amounts the entry screen does not take, refused.
  expectRecordedRuns("spreadsheet_rows", runBuilt);
  // Without --ref a return takes the next submission reference of the user's settings, and
  // only when it is written (the refused return takes none); one that the file's returns were
  // filed under (Q0000002, typed) is passed over.
  expectRecordedRuns("xml_references", runBuilt);
  // The program's own export of the sample file ($MINE) comes back unchanged, refused value and
  // all, and writes nothing; a SIN corrected in it corrects the record it came from, which its
  // Record_ID names, and adds no employee; a row under another record's ID is refused.
  expectRecordedRuns("spreadsheet_round_trip", runBuilt);
  EXPECT_TRUE(readWholeFile(folder.path("out.pdf")).startsWith("%PDF"));
  EXPECT_EQ(readWholeFile(folder.path("cra.pdf")).count("/Type /Page\n"), 2);  // two sheets
  EXPECT_EQ(QDir(folder.path("pdfs")).entryList({"2000-*.pdf"}).size(), 5);
}

// No output takes the place of a file the command reads, under any name or link, nor of a
// file that a writer holds (the desktop program's lock, another program's record lock); a
// FIFO or a folder is refused at once; a PDF that cannot be made exits 2.
TEST_F(CliTest, theBuiltProgramNeverReplacesWhatItReadsOrWhatAnotherHolds) {
  const QByteArray good = readWholeFile(expand("$GOOD"));
  const QString open = folder.write("OPEN.T4E", good);
  const auto hardLink = [](const QString& from, const QString& to) {
    return ::link(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
  };
  ASSERT_TRUE(QFile::link(open, folder.path("link.T4E")));
  ASSERT_TRUE(hardLink(open, folder.path("hard.T4E")));
  ASSERT_EQ(mkfifo(QFile::encodeName(folder.path("fifo.csv")).constData(), 0600), 0);
  QDir().mkpath(folder.path("folder.csv"));
  QDir().mkpath(folder.path("pdfs/2025-O_Hara_Jr-Ann.pdf"));
  ASSERT_TRUE(hardLink(open, folder.path("pdfs/1999-Smith-John.pdf")));
  const QString linked = folder.write("linked.csv", "old");
  ASSERT_TRUE(hardLink(linked, folder.path("linked2.csv")));
  folder.write("rows.csv", "Employee_surname,Employee_SIN\nSmith,046454286\n");
  // The desktop program holding one file; an office program a record lock on another.
  auto desktop = platform::SharedFile::open(folder.write("HELD.T4E", good),
                                            platform::OpenMode::ReadWriteDenyWrite);
  ASSERT_TRUE(desktop);
  const int office =
      ::open(QFile::encodeName(folder.write("LOCKED.T4E", good)).constData(), O_RDWR);
  struct flock whole {};
  whole.l_type = F_WRLCK;
  whole.l_whence = SEEK_SET;
  ASSERT_EQ(::fcntl(office, F_SETLK, &whole), 0);

  expectRecordedRuns("output_files", runBuilt);
  ::close(office);
  for (const char* name : {"OPEN.T4E", "HELD.T4E", "LOCKED.T4E"})
    EXPECT_EQ(readWholeFile(folder.path(name)), good) << name;
  EXPECT_TRUE(platform::sameFile(open, folder.path("hard.T4E")));
  EXPECT_EQ(readWholeFile(folder.path("linked2.csv")), "old");
  EXPECT_TRUE(readWholeFile(linked).startsWith("\xEF\xBB\xBF"));
}

// A year's returns, as CRA takes them: the original of five slips; then one slip changed,
// one added and one made VOID, and the additions (an original of the new slip alone), the
// amendment (the changed slip alone, amended, under an amended Summary of its totals) and
// the cancellation (the VOID slip with its values as filed), and one picked by its SIN (also
// one changed since, cancelled as it was filed).
// Every return keeps CRA's rules; what was filed is told after each. On paper the amended
// slip says so, and the one cancelled but not VOID.
TEST_F(CliTest, aYearsReturnsFiledAmendedAndCancelled) {
  expectRecordedRuns("filed_returns", runBuilt);
  const QString table = QString::fromUtf8(readWholeFile(goldenPath("filed_returns")));
  const QStringList returns = table.split(QStringLiteral("--- out.xml\n")).mid(1);
  ASSERT_EQ(returns.size(), 6);
  const CraRules rules;
  for (const QString& xml : returns) {
    const QByteArray whole =
        xml.section(QStringLiteral("</Submission>\n"), 0, 0).toUtf8() + "</Submission>\n";
    EXPECT_EQ(rules.broken(whole), QStringList()) << whole.toStdString();
  }
}

// A T4A file made, checked, totalled and filed through the built program: every return keeps
// CRA's rules of the T4A return.
TEST_F(CliTest, aPayersT4AReturnsThroughTheBuiltProgram) {
  expectRecordedRuns("t4a_returns", runBuilt);
  const QString table = QString::fromUtf8(readWholeFile(goldenPath("t4a_returns")));
  const QStringList returns = table.split(QStringLiteral("--- out.xml\n")).mid(1);
  ASSERT_EQ(returns.size(), 3);
  const CraRules rules(QStringLiteral("T4A"));
  for (const QString& xml : returns) {
    const QByteArray whole =
        xml.section(QStringLiteral("</Submission>\n"), 0, 0).toUtf8() + "</Submission>\n";
    EXPECT_EQ(rules.broken(whole), QStringList()) << whole.toStdString();
  }
}

// A name that is not UTF-8 opens: the shell gives the built program the name's bytes.
TEST_F(CliTest, theBuiltProgramOnPathsLinuxAllows) {
  const QByteArray where = QFile::encodeName(folder.path({}));
  const QByteArray name = where + "/caf\xe9.T4E";
  ASSERT_EQ(::link(QFile::encodeName(expand("$GOOD")).constData(), name.constData()), 0);
  QProcess cli;
  cli.start(
      "/bin/sh",
      {"-c", "exec \"$0\" check \"$(printf '" + QString::fromLatin1(where) + "/caf\\351.T4E')\"",
       QUILLET_CLI_PATH});
  EXPECT_TRUE(cli.waitForFinished(20000));
  ::unlink(name.constData());  // QTemporaryDir cannot remove a name that is not UTF-8
  EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
}

}  // namespace
