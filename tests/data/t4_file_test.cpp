// Quillet tests — the T4 file stream and its alphabetical index.
#include "data/t4_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QLocale>
#include <QRandomGenerator>
#include <csignal>

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

class T4FileTest : public ::testing::Test {
 protected:
  TempFolder folder;
};

TEST_F(T4FileTest, indexesInNameOrderWhileRecordsStayInFileOrder) {
  const QString path = folder.write(
      "a.T4E", t4FileBytes(goodEmployer(), {goodT4("Jones", "Mary", "A"), goodT4("Adams", "Peter"),
                                            goodT4("Smith", "John", "A")}));
  auto file = openT4(path);
  ASSERT_EQ(file->Count(), 3);
  EXPECT_EQ(keys(*file), QStringList({"ADAMS,  Peter ", "JONES,  Mary A", "SMITH,  John A"}));
  EXPECT_EQ(file->position(0), 2304);
  EXPECT_EQ(file->position(1), 1536);
  EXPECT_EQ(file->position(2), 3072);
  EXPECT_EQ(readIndexed(*file, 0).surname(), QStringLiteral("Adams"));
  EXPECT_EQ(readIndexed(*file, 2).surname(), QStringLiteral("Smith"));
}

// Upper-cased surnames; É sorts with E, not after Z as its code point would; the C locale
// still ignores case.
TEST_F(T4FileTest, orderIgnoresCaseAndFollowsTheLocale) {
  QLocale::setDefault(QLocale(QLocale::English, QLocale::Canada));
  auto file = openT4(folder.write(
      "a.T4E", t4FileBytes(goodEmployer(),
                           {goodT4("zed", "a"), goodT4("Baker", "b"), goodT4("\u00C9mond", "c"),
                            goodT4("adams", "d"), goodT4("Fox", "e")})));
  EXPECT_EQ(keys(*file),
            QStringList({"ADAMS,  d ", "BAKER,  b ", QString::fromUtf8("\u00C9MOND,  c "),
                         "FOX,  e ", "ZED,  a "}));
  QLocale::setDefault(QLocale::c());
  auto c = openT4(
      folder.write("b.T4E", t4FileBytes(goodEmployer(), {goodT4("b", "x"), goodT4("A", "y")})));
  c->WriteIndexed(goodT4("a", "z").bytes(), 5, QStringLiteral("a, *z"));
  EXPECT_EQ(keys(*c), QStringList({"A,  y ", "a, *z", "B,  x "}));
  QLocale::setDefault(QLocale::system());
}

TEST_F(T4FileTest, equalKeysAreAllIndexed) {
  const QString path = folder.write(
      "a.T4E", t4FileBytes(goodEmployer(),
                           {goodT4("Lee", "Kim"), goodT4("Lee", "Kim"), goodT4("Lee", "Kim")}));
  auto file = openT4(path);
  ASSERT_EQ(file->Count(), 3);
  QList<int64_t> positions;
  for (int i = 0; i < 3; ++i) positions << file->position(i);
  std::sort(positions.begin(), positions.end());
  EXPECT_EQ(positions, QList<int64_t>({1536, 2304, 3072}));
}

TEST_F(T4FileTest, reKeyingMovesTheEntryButNotTheRecord) {
  const QString path = folder.write(
      "a.T4E", t4FileBytes(goodEmployer(),
                           {goodT4("Brown", "A"), goodT4("Zimmer", "B"), goodT4("Cole", "C")}));
  auto file = openT4(path);
  ASSERT_EQ(file->key(2), QStringLiteral("ZIMMER,  B "));
  T4Record abel = readIndexed(*file, 2);
  abel.setText(T4Record::Employee_surname, QStringLiteral("Abel"));

  EXPECT_EQ(file->WriteIndexed(abel.bytes(), 2, QStringLiteral("ABEL, *B")), Record768::Size);
  EXPECT_EQ(keys(*file), QStringList({"ABEL, *B", "BROWN,  A ", "COLE,  C "}));
  EXPECT_EQ(file->position(0), 2304) << "the record keeps its place in the file";
  EXPECT_EQ(readIndexed(*file, 0).surname(), QStringLiteral("Abel"));
  EXPECT_EQ(file->size(), 1536 + 3 * 768);

  // An empty key rewrites in place and leaves the index alone.
  abel.setInt32(T4Record::Union_dues, 1234);
  EXPECT_EQ(file->WriteIndexed(abel.bytes(), 0, QString()), Record768::Size);
  EXPECT_EQ(file->key(0), QStringLiteral("ABEL, *B"));
  EXPECT_EQ(readIndexed(*file, 0).int32(T4Record::Union_dues), 1234);
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

TEST_F(T4FileTest, writingPastTheEndAppends) {
  const QString path = folder.write("a.T4E", t4FileBytes(goodEmployer(), {goodT4("Brown", "A")}));
  auto file = openT4(path);
  EXPECT_EQ(file->WriteIndexed(goodT4("Cole", "C").bytes(), 1, QStringLiteral("COLE, *C")),
            Record768::Size);
  EXPECT_EQ(file->WriteIndexed(goodT4("Dunn", "D").bytes(), 3, QStringLiteral("DUNN, *D")),
            Record768::Size)
      << "Count + 1 appends as Count does";
  EXPECT_EQ(file->WriteIndexed(goodT4("Eve", "E").bytes(), -1, QStringLiteral("EVE")), 0);
  ASSERT_EQ(file->Count(), 3);
  EXPECT_EQ(file->position(1), 2304);
  EXPECT_EQ(file->position(2), 3072);
  EXPECT_EQ(file->size(), 1536 + 3 * 768);

  T4Record untouched;
  untouched.setInt32(T4Record::Union_dues, 77);
  EXPECT_EQ(file->ReadIndexed(untouched.bytes(), 3), 0);
  EXPECT_EQ(file->ReadIndexed(untouched.bytes(), -1), 0);
  EXPECT_EQ(untouched.int32(T4Record::Union_dues), 77)
      << "an out-of-range read leaves the buffer alone";
}

TEST_F(T4FileTest, anAppendToADamagedFileStandsWhereTheNextOpeningLooks) {
  const QString path = folder.write(
      "a.T4E", t4FileBytes(goodEmployer(), {goodT4("Brown", "A")}, QByteArray(100, 'x')));
  {
    auto file = openT4(path);
    ASSERT_EQ(file->Count(), 1);
    EXPECT_EQ(file->WriteIndexed(goodT4("Cole", "C").bytes(), 1, QStringLiteral("COLE, *C")), 768);
    EXPECT_EQ(file->position(1), 2304) << "the partial tail is written over";
  }
  auto reopened = openT4(path);
  EXPECT_EQ(reopened->size(), 1536 + 2 * 768);
  ASSERT_EQ(reopened->Count(), 2);
  EXPECT_EQ(readIndexed(*reopened, 1).surname(), QStringLiteral("Cole"));

  // A file without its employer record still gets the new record in the first T4 slot.
  auto tiny = openT4(folder.write("b.T4E", QByteArray(100, 'y')));
  EXPECT_EQ(tiny->WriteIndexed(goodT4("Dunn", "D").bytes(), 0, QStringLiteral("DUNN")), 768);
  EXPECT_EQ(tiny->position(0), 1536);
}

TEST_F(T4FileTest, filesOfAnyLengthOpen) {
  struct Case {
    int length;
    int count;
  };
  const Case cases[] = {{0, 0},    {1, 0},    {767, 0},  {768, 0},  {1535, 0},
                        {1536, 0}, {1537, 0}, {2303, 0}, {2304, 1}, {1536 + 768 * 3 + 100, 3}};
  QRandomGenerator random(42);
  for (const Case& c : cases) {
    QByteArray bytes(c.length, Qt::Uninitialized);
    for (char& b : bytes) b = char(random.bounded(256));  // length bytes of every size
    auto file = openT4(folder.write(QStringLiteral("f%1.T4E").arg(c.length), bytes));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Count(), c.count) << "length " << c.length;
    for (int i = 0; i < file->Count(); ++i) {
      EXPECT_EQ(file->position(i) % 768, 0);
      // Length bytes read as the widths; upper-casing may double a letter (ß is SS).
      EXPECT_LE(file->key(i).size(), 2 * 20 + 3 + 12 + 1 + 1);
    }
  }
}

TEST_F(T4FileTest, yearEndRecordsAreKeyedBySurnameAndFirstName) {
  QByteArray record(640, '\0');
  record[24] = 5;
  record.replace(25, 5, "Smith");
  record[41] = 99;  // beyond str[16]: read as 16
  record.replace(42, 16, "Johnathanjohnath");
  auto stream = TAlphaInxFileStream::Create(folder.write("WGBT4.DTA", record + record.left(100)),
                                            platform::OpenMode::ReadDenyWrite, 0,
                                            IndexKind::YearEndEmployee, 640);
  ASSERT_TRUE(stream);
  ASSERT_EQ((*stream)->Count(), 1);
  EXPECT_EQ((*stream)->key(0), QStringLiteral("SMITH,  Johnathanjohnath"));
  EXPECT_EQ(indexKey(IndexKind(9), std::span<const uint8_t>(
                                       reinterpret_cast<const uint8_t*>(record.constData()), 640)),
            QStringLiteral("Use First, Last, Next, Prevs. Indexing error."));
}

TEST_F(T4FileTest, aSecondWriterIsRefusedWhileReadersRead) {
  const QString path = folder.write("a.T4E", t4FileBytes(goodEmployer(), {goodT4("Brown", "A")}));
  auto writer = openT4(path);
  ASSERT_TRUE(writer);

  for (auto mode : {platform::OpenMode::ReadWriteDenyWrite, platform::OpenMode::Create,
                    platform::OpenMode::ReadDenyWrite}) {
    auto second = platform::SharedFile::open(path, mode);
    ASSERT_FALSE(second);
    EXPECT_EQ(
        second.error().message,
        (mode == platform::OpenMode::Create ? "Cannot create file " : "Cannot open file ") + path);
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

  // Readers sharing a file keep writers out; a folder or a missing file cannot be opened.
  const QString dta = folder.write("a.DTA", QByteArray(640, 'x'));
  auto first = platform::SharedFile::open(dta, platform::OpenMode::ReadDenyWrite);
  auto second = platform::SharedFile::open(dta, platform::OpenMode::ReadDenyWrite);
  EXPECT_TRUE(first && second);
  EXPECT_FALSE(platform::SharedFile::open(dta, platform::OpenMode::ReadWriteDenyWrite));
  EXPECT_FALSE(platform::SharedFile::open(folder.path(""), platform::OpenMode::ReadOnly));
  for (const auto& [name, mode, message] :
       {std::tuple{"none.T4E", platform::OpenMode::ReadWriteDenyWrite, "Cannot open file "},
        std::tuple{"no/such/dir.T4E", platform::OpenMode::Create, "Cannot create file "}})
    EXPECT_EQ(platform::SharedFile::open(folder.path(name), mode).error().message,
              message + folder.path(name));
}

// The file-size limit makes the system cut an append short, as a full disk would.
TEST_F(T4FileTest, aShortAppendLeavesTheIndexAsItWas) {
  const QString path = folder.write("a.T4E", t4FileBytes(goodEmployer(), {goodT4("Brown", "A")}));
  auto file = openT4(path);
  ASSERT_TRUE(file);

  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limited = old;
  limited.rlim_cur = 1536 + 768 + 100;
  setrlimit(RLIMIT_FSIZE, &limited);
  const int64_t written =
      file->WriteIndexed(goodT4("Cole", "C").bytes(), 1, QStringLiteral("COLE"));
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_EQ(written, 100);
  EXPECT_EQ(file->Count(), 1);
  EXPECT_EQ(file->key(0), QStringLiteral("BROWN,  A "));
}

}  // namespace
