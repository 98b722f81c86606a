// Quillet tests — the T4 file stream and its alphabetical index.
#include "data/t4_file.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QLocale>
#include <QRandomGenerator>

#include "fault_injection.h"
#include "golden.h"
#include "test_files.h"

using namespace quillet;
using namespace quillet::test;

namespace {

std::unique_ptr<TAlphaInxFileStream> openT4(
    const QString& path, platform::OpenMode mode = platform::OpenMode::ReadWriteDenyWrite) {
  auto stream = TAlphaInxFileStream::Create(path, mode, 2, IndexKind::T4Record, Record768::Size);
  if (!stream) {
    ADD_FAILURE() << stream.error().message.toStdString();
    return nullptr;
  }
  return std::move(*stream);
}

QStringList keys(const TAlphaInxFileStream& file) {
  QStringList all;
  for (int i = 0; i < file.Count(); ++i) all << file.key(i);
  return all;
}

T4Record readIndexed(const TAlphaInxFileStream& file, int i) {
  T4Record record;
  EXPECT_EQ(file.ReadIndexed(record.bytes(), i), Record768::Size);
  return record;
}

// The file's size, then each key in index order with the place of its record.
QString indexOf(const TAlphaInxFileStream& file) {
  QString all = QStringLiteral("size %1:").arg(file.size());
  for (int i = 0; i < file.Count(); ++i)
    all += QStringLiteral(" [%1]@%2").arg(file.key(i)).arg(file.position(i));
  return all + u'\n';
}

class T4FileTest : public ::testing::Test {
 protected:
  std::unique_ptr<TAlphaInxFileStream> open(const char* what, const QByteArray& bytes) {
    log += QStringLiteral("== %1\n").arg(QLatin1String(what));
    auto file = openT4(folder.write(QStringLiteral("f%1.T4E").arg(++files), bytes));
    log += indexOf(*file);
    return file;
  }
  // Writes `record` at index `at` under `key` and logs what was written and the index.
  void write(TAlphaInxFileStream& file, const T4Record& record, int at, const QString& key) {
    const int64_t written = file.WriteIndexed(record.bytes(), at, key);
    log += QStringLiteral("write [%1] at %2: %3 bytes\n").arg(key).arg(at).arg(written);
    log += indexOf(file);
  }

  TempFolder folder;
  QString log;
  int files = 0;
};

// Keys in name order (upper-cased surnames, É with E, the C locale still ignoring case)
// while the records stay in file order; equal keys all indexed; a re-keyed record moves in
// the index but not in the file, an empty key rewrites in place; writing at Count or
// Count + 1 appends, and over a partial tail, even in a file without its employer record.
TEST_F(T4FileTest, theIndexAfterEachWrite) {
  QLocale::setDefault(QLocale(QLocale::English, QLocale::Canada));
  open("the locale's order", fixtureFile("ORDER.T4E"));  // zed, Baker, Émond, adams, Fox
  QLocale::setDefault(QLocale::c());
  auto c = open("the C locale", t4FileBytes(goodEmployer(), {goodT4("b", "x"), goodT4("A", "y")}));
  write(*c, goodT4("a", "z"), 5, "a, *z");
  QLocale::setDefault(QLocale::system());
  open("equal keys", t4FileBytes(goodEmployer(), {goodT4("Lee", "Kim"), goodT4("Lee", "Kim")}));

  auto file = open("re-keyed",
                   t4FileBytes(goodEmployer(),
                               {goodT4("Brown", "A"), goodT4("Zimmer", "B"), goodT4("Cole", "C")}));
  T4Record abel = readIndexed(*file, 2);
  abel.setText(T4Record::Employee_surname, QStringLiteral("Abel"));
  write(*file, abel, 2, "ABEL, *B");
  abel.setInt32(T4Record::Union_dues, 1234);
  write(*file, abel, 0, {});
  EXPECT_EQ(readIndexed(*file, 0).int32(T4Record::Union_dues), 1234);
  EXPECT_EQ(std::pair(file->indexOfPosition(2304), file->indexOfPosition(2305)), std::pair(0, -1));
  write(*file, goodT4("Dunn", "D"), 3, "DUNN, *D");
  write(*file, goodT4("Eve", "E"), 5, "EVE, *E");
  write(*file, goodT4("Eve", "E"), -1, "EVE");

  auto damaged = open("a partial tail",
                      t4FileBytes(goodEmployer(), {goodT4("Brown", "A")}, QByteArray(100, 'x')));
  write(*damaged, goodT4("Cole", "C"), 1, "COLE, *C");
  damaged.reset();
  EXPECT_EQ(surnamesInFile(folder.path("f5.T4E")), QStringList({"Brown", "Cole"}));
  auto tiny = open("no employer record", QByteArray(100, 'y'));
  write(*tiny, goodT4("Dunn", "D"), 0, "DUNN");
  expectGolden("t4_file_index", log);

  T4Record untouched;
  untouched.setInt32(T4Record::Union_dues, 77);
  EXPECT_EQ(file->ReadIndexed(untouched.bytes(), 5), 0);
  EXPECT_EQ(file->ReadIndexed(untouched.bytes(), -1), 0);
  EXPECT_EQ(untouched.int32(T4Record::Union_dues), 77)
      << "an out-of-range read leaves the buffer alone";
}

TEST_F(T4FileTest, aReKeyedOrAppendedEntryLandsWhereAFullSortPutsIt) {
  // Random names re-keyed and appended one by one must leave the index sorted.
  std::vector<T4Record> records;
  QRandomGenerator random(7);
  const auto name = [&random] {
    QString s;
    for (int n = 0; n < 4; ++n) s += QChar(u'A' + char16_t(random.bounded(26)));
    return s;
  };
  for (int i = 0; i < 40; ++i) records.push_back(goodT4(name(), QStringLiteral("x")));
  auto file = openT4(folder.write("a.T4E", t4FileBytes(goodEmployer(), records)));
  for (int round = 0; round < 60; ++round) {
    const int at = round % 3 == 0 ? file->Count() + round % 2 : int(random.bounded(file->Count()));
    ASSERT_EQ(file->WriteIndexed(records[0].bytes(), at, name()), Record768::Size);
  }
  ASSERT_EQ(file->Count(), 60);
  QStringList sorted = keys(*file);
  std::sort(sorted.begin(), sorted.end(),
            [](auto& a, auto& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
  EXPECT_EQ(keys(*file), sorted);
}

TEST_F(T4FileTest, yearEndRecordsAreKeyedBySurnameAndFirstName) {
  QByteArray record(640, '\0');
  record[24] = 99;  // beyond str[16]: read as 16
  record.replace(25, 16, "Smithsonianwells");
  record[41] = 4;
  record.replace(42, 16, "Johnathanjohnath");
  auto stream = TAlphaInxFileStream::Create(folder.write("WGBT4.DTA", record + record.left(100)),
                                            platform::OpenMode::ReadDenyWrite, 0,
                                            IndexKind::YearEndEmployee, 640);
  ASSERT_TRUE(stream);
  ASSERT_EQ((*stream)->Count(), 1);
  EXPECT_EQ((*stream)->key(0), QStringLiteral("SMITHSONIANWELLS,  John"));
}

TEST_F(T4FileTest, aSecondWriterIsRefusedWhileReadersRead) {
  const QString path = folder.write("a.T4E", t4FileBytes(goodEmployer(), {goodT4("Brown", "A")}));
  auto writer = openT4(path);
  ASSERT_TRUE(writer);

  for (auto mode : {platform::OpenMode::ReadWriteDenyWrite, platform::OpenMode::Create,
                    platform::OpenMode::ReadDenyWrite}) {
    auto second = platform::SharedFile::open(path, mode);
    ASSERT_FALSE(second);
    EXPECT_EQ(second.error().message, platform::heldOpenMessage(path));
  }
  EXPECT_EQ(readWholeFile(path).size(), 1536 + 768) << "a refused create cut nothing short";

  auto reader = platform::SharedFile::open(path, platform::OpenMode::ReadOnly);
  ASSERT_TRUE(reader);
  Record768 record;
  EXPECT_EQ(reader->readAt(1536, record.bytes()), 768);

  // Another process is refused as well.
  const pid_t child = fork();
  if (child == 0)
    _exit(platform::SharedFile::open(path, platform::OpenMode::ReadWriteDenyWrite) ? 0 : 3);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_EQ(WEXITSTATUS(status), 3);

  writer.reset();  // closing releases the file
  EXPECT_TRUE(platform::SharedFile::open(path, platform::OpenMode::ReadWriteDenyWrite));

  // Readers sharing a file keep writers out.
  const QString dta = folder.write("a.DTA", QByteArray(640, 'x'));
  auto first = platform::SharedFile::open(dta, platform::OpenMode::ReadDenyWrite);
  auto second = platform::SharedFile::open(dta, platform::OpenMode::ReadDenyWrite);
  EXPECT_TRUE(first && second);
  EXPECT_FALSE(platform::SharedFile::open(dta, platform::OpenMode::ReadWriteDenyWrite));
}

// The file-size limit makes the system cut an append short, as a full disk would: over a
// damaged file's partial tail, which is put back as it was.
TEST_F(T4FileTest, aShortAppendLeavesTheIndexAsItWas) {
  const QByteArray bytes = t4FileBytes(goodEmployer(), {goodT4("Brown", "A")}, "tail");
  const QString path = folder.write("a.T4E", bytes);
  auto file = openT4(path);
  ASSERT_TRUE(file);

  int64_t written = 0;
  withFileSizeLimit(1536 + 768 + 100, [&] {
    written = file->WriteIndexed(goodT4("Cole", "C").bytes(), 1, QStringLiteral("COLE"));
  });

  EXPECT_EQ(written, 100);
  EXPECT_EQ(file->Count(), 1);
  EXPECT_EQ(file->key(0), QStringLiteral("BROWN,  A "));
  EXPECT_EQ(readWholeFile(path), bytes);
}

}  // namespace
