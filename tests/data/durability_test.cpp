// Quillet tests — nothing saved is lost: every writer on a failing disk and under a kill.
#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>
#include <QRegularExpression>

#include "cli/cli.h"
#include "data/file_safety.h"
#include "data/open_t4_file.h"
#include "efile/filed_state.h"
#include "fault_injection.h"
#include "payroll_files.h"
#include "payroll_import/payroll_records.h"
#include "payroll_import/year_end_conversion.h"
#include "screens/employer_screen_controller.h"
#include "screens/t4_entry_controller.h"
#include "scripted_ui.h"
#include "test_files.h"

using namespace quillet;
using namespace quillet::test;

namespace {

QByteArray oldT4File() {
  return t4FileBytes(goodEmployer(),
                     {goodT4("Adams", "A"), goodT4("Brown", "B"), goodT4("Clark", "C")});
}

QByteArray yearEndFile() { return fixtureFile(QStringLiteral("THREE.DTA")); }

// Every file of the folder, hidden ones included: nothing may be left beside the others.
QStringList filesIn(const TempFolder& folder) {
  return QDir(folder.path({})).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// The file-failure message (the free space it names may change meanwhile).
bool isFileFailure(const QString& message, const QString& operation, const QString& path) {
  return message.startsWith(
      QStringLiteral("Could not %1. File = %2 Disk Drive size is ").arg(operation, path));
}

// One place with an old T4 file, and what a command makes of it.
struct Scene {
  Scene() { state.setT4FileName(t4); }

  bool open() { return bool(state.OpenT4File()); }

  ConversionOutcome convert() {
    return ConvertYearEndFile(state, ui, YearEndDay, yearEndPath, configRecord());
  }

  void changeBusinessNumber() {
    if (!open()) return;
    EmployerScreenController screen(state, ui, YearEndDay);
    screen.open();
    screen.leaveField(EmployerScreenController::BusnNum, QStringLiteral("046454286RP0002"));
    screen.closeQuery(true);
  }

  TempFolder folder;
  QString t4 = folder.write(QStringLiteral("WAGBOK.T4E"), oldT4File());
  QString yearEndPath = folder.write(QStringLiteral("WGBT4.DTA"), yearEndFile());
  OpenT4FileState state;
  ScriptedUi ui;
};

// What a command leaves when it completes undisturbed, on a disk that reads and writes a
// byte at a time: every read and write is carried on to its end.
template <class Command>
QByteArray undisturbed(Command command) {
  Scene scene;
  const FaultyDisk disk(scene.folder.path({}), 0, Fault::Trickle);
  (scene.*command)();
  return readWholeFile(scene.t4);
}

// Killed at every change in turn, the command leaves the T4 file either as it was or as
// it would have made it, never anything between.
template <class Command>
void killAtEveryChange(Command command) {
  const QByteArray made = undisturbed(command);
  ASSERT_NE(made, oldT4File());
  int kills = 0;
  for (int at = 1;; ++at) {
    Scene scene;
    const bool killed = killedAtChange(scene.folder.path({}), at, [&] { (scene.*command)(); });
    const QByteArray left = readWholeFile(scene.t4);
    EXPECT_TRUE(left == oldT4File() || left == made) << "killed at change " << at;
    if (!killed) break;
    ++kills;
  }
  EXPECT_GE(kills, 5) << "every record written, the sync and the rename";
}

// The conversion; the business number's change, which leaves one number in every record.
TEST(KilledAtEveryWrite, theConversionAndANewBusinessNumberLeaveTheOldFileOrTheNewOne) {
  killAtEveryChange(&Scene::convert);
  killAtEveryChange(&Scene::changeBusinessNumber);
}

// What was filed is kept beside the T4 file. Killed at any change while an amendment is
// written, it holds the first return or both, whole; the T4 file is as it was or has the
// amended record marked so; an XML file left is whole. A full disk is told and changes nothing.
TEST(KilledAtEveryWrite, anAmendmentLeavesWhatWasFiledAndTheT4FileOldOrNew) {
  // The batch tool's return of the scene's T4 file into `out`, with `more` options.
  const auto xml = [](Scene& scene, const char* out, QStringList more) {
    QString told;
    QTextStream stream(&told);
    return cli::run(QStringList{"xml", scene.t4, scene.folder.path(out), "--transmitter",
                                fixturePath("transmitter.ini")} +
                        more,
                    stream, stream);
  };
  int kills = 0;
  for (int at = 1;; ++at) {
    Scene scene;
    ASSERT_EQ(xml(scene, "first.xml", {"--ref", "FIRST"}), 0);
    ASSERT_TRUE(scene.open());
    TAlphaInxFileStream& file = scene.state.T4File();
    T4Record brown;
    file.ReadIndexed(brown.bytes(), 1);
    brown.setInt32(T4Record::Employment_income, brown.int32(T4Record::Employment_income) + 100);
    ASSERT_EQ(file.WriteIndexed(brown.bytes(), 1, {}), Record768::Size);
    QByteArray marked = readWholeFile(scene.t4);
    marked[qsizetype(file.position(1)) + T4Record::Report_type.offset] = 1;
    scene.state.CloseT4File();
    const QByteArray changed = readWholeFile(scene.t4);
    const QByteArray before = readWholeFile(filedStatePath(scene.t4));
    const bool killed = killedAtChange(scene.folder.path({}), at, [&] {
      (void)xml(scene, "amendment.xml", {"--return", "amendment", "--ref", "SECOND"});
    });
    const auto left = readFiledState(scene.t4);
    ASSERT_TRUE(left) << "killed at change " << at;
    if (left->returns.size() == 1u)
      EXPECT_EQ(readWholeFile(filedStatePath(scene.t4)), before) << "killed at change " << at;
    else
      EXPECT_EQ(left->returns.size(), 2u) << "killed at change " << at;
    const QByteArray t4 = readWholeFile(scene.t4);
    EXPECT_TRUE(t4 == changed || (t4 == marked && left->returns.size() == 2u))
        << "killed at change " << at;
    const QByteArray sent = readWholeFile(scene.folder.path("amendment.xml"));
    EXPECT_TRUE(sent.isEmpty() || sent.endsWith("</Submission>\n")) << "killed at change " << at;
    if (!killed) {
      EXPECT_EQ(t4, marked);
      break;
    }
    ++kills;
  }
  EXPECT_GE(kills, 4) << "the XML's write and rename, the filed state's, the mark";
  Scene full;
  const FaultyDisk disk(full.folder.path({}), 1, Fault::Full);
  EXPECT_NE(xml(full, "first.xml", {"--ref", "FIRST"}), 0);
  EXPECT_FALSE(QFile::exists(filedStatePath(full.t4)));
}

class OnAFailingDisk : public ::testing::TestWithParam<Fault> {};

TEST_P(OnAFailingDisk, theConversionStopsAndLeavesTheOldFileWhole) {
  for (int at = 1;; ++at) {
    Scene scene;
    ScriptedUi& ui = scene.ui;
    ConversionOutcome outcome = ConversionOutcome::Completed;
    {
      FaultyDisk disk(scene.folder.path({}), at, GetParam());
      outcome = scene.convert();
    }
    if (outcome == ConversionOutcome::Completed) {
      EXPECT_GE(at, 6) << "five records, the sync and the rename could each fail";
      EXPECT_EQ(surnamesInFile(scene.t4), (QStringList{"Nadeau", "Ouellet", "Parent"}));
      break;
    }
    ASSERT_EQ(ui.messages().size(), 1) << at;
    EXPECT_TRUE(isFileFailure(ui.messages().at(0), "write T4 to", scene.t4)) << at;
    EXPECT_EQ(readWholeFile(scene.t4), oldT4File()) << at;
    EXPECT_EQ(filesIn(scene.folder), (QStringList{"WAGBOK.T4E", "WGBT4.DTA"})) << at;
    EXPECT_FALSE(scene.state.T4FileOpen());
  }
}

TEST_P(OnAFailingDisk, aT4RecordThatCannotBeSavedStaysOnTheScreenUnsaved) {
  for (const bool adding : {false, true}) {
    Scene scene;
    ASSERT_TRUE(scene.open());
    ScriptedUi& ui = scene.ui;
    T4EntryController screen(scene.state, ui);
    screen.open();
    if (adding) {
      screen.addNew();
      for (int i = 0; i < 2; ++i) ui.expectReport(ViewerResult::Ignore);
    }
    screen.leaveField(T4EntryController::Surname, adding ? "Zimmer" : "Abbot");
    ui.expectQuestion(Answer::Yes);
    {
      FaultyDisk disk(scene.folder.path({}), 1, GetParam());
      EXPECT_FALSE(screen.closeQuery()) << adding;
    }
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(isFileFailure(ui.messages().at(0), "write", scene.t4));
    EXPECT_EQ(readWholeFile(scene.t4), oldT4File()) << adding;

    ui.expectQuestion(Answer::Yes);
    EXPECT_TRUE(screen.closeQuery()) << "saved on the second try";
    scene.state.CloseT4File();
    EXPECT_TRUE(surnamesInFile(scene.t4).contains(adding ? "Zimmer" : "Abbot")) << adding;
  }
}

// Each change the save makes fails in turn: a record's write, the sync, the rename.
TEST_P(OnAFailingDisk, theEmployerScreenKeepsWhatItCouldNotSave) {
  for (const bool newNumber : {false, true}) {
    for (int at = 1;; ++at) {
      Scene scene;
      ASSERT_TRUE(scene.open());
      ScriptedUi& ui = scene.ui;
      EmployerScreenController screen(scene.state, ui, YearEndDay);
      screen.open();
      screen.leaveField(EmployerScreenController::City, QStringLiteral("Kanata"));
      if (newNumber)
        screen.leaveField(EmployerScreenController::BusnNum, QStringLiteral("046454286RP0002"));
      bool saved = false;
      {
        FaultyDisk disk(scene.folder.path({}), at, GetParam());
        saved = screen.closeQuery(true);
      }
      if (saved) {
        EXPECT_GE(at, newNumber ? 6 : 2) << "the changes before could each fail";
        break;
      }
      ASSERT_EQ(ui.messages().size(), 1) << at;
      EXPECT_TRUE(ui.messages().at(0).contains(
          QRegularExpression(QStringLiteral("^(File WRITE error |Could not write. File = )"))));
      // Written in place, a record whose sync failed may be in the file already.
      EXPECT_TRUE(readWholeFile(scene.t4) == oldT4File() || (!newNumber && at > 1)) << at;
      EXPECT_EQ(filesIn(scene.folder), (QStringList{"WAGBOK.T4E", "WGBT4.DTA"})) << at;
      EXPECT_TRUE(screen.closeQuery(true)) << "saved on the second try";
      scene.state.CloseT4File();
      EXPECT_TRUE(readWholeFile(scene.t4).contains("Kanata"));
    }
  }
}

TEST_P(OnAFailingDisk, aCopyThatCannotBeWrittenLeavesTheDestinationAsItWas) {
  for (int at = 1;; ++at) {
    Scene scene;
    ScriptedUi ui;
    {
      FaultyDisk disk(scene.folder.path({}), at, GetParam());
      CopyAnyFile(scene.yearEndPath, scene.t4, false, ui);
    }
    if (ui.messages().isEmpty()) {
      EXPECT_GE(at, 3) << "the data, the sync and the rename could each fail";
      EXPECT_EQ(readWholeFile(scene.t4), yearEndFile());
      break;
    }
    EXPECT_EQ(ui.messages(), QStringList{"Error copying " + scene.yearEndPath +
                                         " Output was not the same size as input so output "
                                         "deleted."});
    EXPECT_EQ(readWholeFile(scene.t4), oldT4File()) << at;
    EXPECT_EQ(filesIn(scene.folder), (QStringList{"WAGBOK.T4E", "WGBT4.DTA"})) << at;
  }
}

TEST_P(OnAFailingDisk, aPrintoutThatCannotBeWrittenExitsTwoAndLeavesNoFile) {
  for (const char* target : {"--pdf", "--trace"}) {
    Scene scene;
    const QString out = scene.folder.path(QStringLiteral("out"));
    QString outText, errText;
    QTextStream outStream(&outText), errStream(&errText);
    int status = 0;
    {
      FaultyDisk disk(scene.folder.path({}), 1, GetParam());
      status = cli::run({"print", "forms", scene.t4, target, out}, outStream, errStream);
    }
    errStream.flush();
    EXPECT_EQ(status, 2) << target;
    EXPECT_EQ(errText, "Cannot write file " + out + "\n") << target;
    EXPECT_EQ(filesIn(scene.folder), (QStringList{"WAGBOK.T4E", "WGBT4.DTA"})) << target;
  }
}

INSTANTIATE_TEST_SUITE_P(Faults, OnAFailingDisk, ::testing::Values(Fault::Full, Fault::Short),
                         [](const auto& fault) {
                           return std::string(fault.param == Fault::Full ? "Full" : "Short");
                         });

TEST(Copy, neverReplacesTheT4FileThatIsOpen) {
  Scene scene;
  const QString link = scene.folder.path(QStringLiteral("link.T4E"));
  ASSERT_TRUE(QFile::link(scene.t4, link));
  ASSERT_TRUE(scene.open());
  for (const QString& destination : {scene.t4, link}) {
    ScriptedUi ui;
    CopyAnyFile(scene.yearEndPath, destination, false, ui);
    EXPECT_EQ(ui.messages(), QStringList{"Cannot create file " + destination});
  }
  // What the program writes after the refused copy is still in the file on the disk.
  ScriptedUi& ui = scene.ui;
  T4EntryController screen(scene.state, ui);
  screen.open();
  screen.leaveField(T4EntryController::Surname, QStringLiteral("Abbot"));
  ui.expectQuestion(Answer::Yes);
  EXPECT_TRUE(screen.closeQuery());
  EXPECT_TRUE(surnamesInFile(scene.t4).contains("Abbot"));
}

}  // namespace

// PDF printing needs fonts, and so an application.
int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
