// Quillet tests — the operating-system layer: file names, DOS paths, whole-file replacement.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QSet>

#include "fault_injection.h"
#include "golden.h"
#include "platform/disk_info.h"
#include "platform/dos_paths.h"
#include "platform/file_names.h"
#include "platform/file_replacement.h"
#include "platform/replacing_device.h"
#include "platform/shared_file.h"
#include "test_files.h"

using namespace quillet;
using namespace quillet::platform;
using namespace quillet::test;

namespace {

// Names as the system holds them, recorded: each row a name's bytes in hex; its outcome the
// characters it reads as (a byte of no well-formed UTF-8 an escape of its own), and whether it
// comes back byte for byte.
TEST(FileNames, everyNameComesBackByteForByte) {
  expectRecordedTable("file_name_bytes", [](const QString& row) {
    const QByteArray bytes = QByteArray::fromHex(row.section(u' ', 0, 0).toLatin1());
    const QString name = decodeFileName(bytes);
    return codeUnits(name) + (encodeFileName(name) == bytes ? "\n" : "\nnot the same bytes\n");
  });
}

TEST(FileNames, anExistingPlainFileIsTheOnlyKindThatOpens) {
  TempFolder folder;
  const QString fifo = folder.path("fifo");
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  for (const QString& path :
       {fifo, folder.path({}), QStringLiteral("/dev/null"), folder.path("no/such/dir.T4E")}) {
    for (const OpenMode mode : {OpenMode::ReadOnly, OpenMode::ReadDenyWrite,
                                OpenMode::ReadWriteDenyWrite, OpenMode::Create}) {
      auto file = SharedFile::open(path, mode);
      ASSERT_FALSE(file) << path.toStdString();
      EXPECT_EQ(file.error().message,
                (mode == OpenMode::Create ? "Cannot create file " : "Cannot open file ") + path);
    }
    EXPECT_FALSE(FileReplacement::begin(path)) << path.toStdString();
    EXPECT_EQ(platform::readWholeFile(path).error().message, "Cannot open file " + path);
  }
  const QByteArray big(200000, 'x');
  EXPECT_EQ(*platform::readWholeFile(folder.write("big.csv", big)), big);
}

// DOS paths and this machine's, recorded: each row a DOS path made native (components match
// without regard to case, what does not exist keeps its name, no path leads out of the
// drive's folder), or a path here ("here") as DOS sees it through drives C and Z (the last
// letter); and the DOS codes of two system errors.
TEST(DosPaths, matchAnyCaseAndNeverLeadOutOfTheDrivesFolder) {
  TempFolder folder;
  QDir().mkpath(folder.path("c/WGBPGMS"));
  QDir().mkpath(folder.path("z"));
  folder.write("c/Data/Co1/wgbt4.dta", "x");
  const auto drives = [&](QChar letter) {
    return letter == u'C' ? folder.path("c") : letter == u'Z' ? folder.path("z") : QString();
  };
  expectRecordedTable(
      "dos_paths",
      [&](const QString& row) {
        const QString path = row.section(QStringLiteral(" | "), 1);
        return (row.startsWith(QStringLiteral("here")) ? dosPath(folder.path(path), drives)
                                                       : nativePath(path, drives)) +
               u'\n';
      },
      folder.path({}));
}

// The drive letters as a Wine prefix maps them: $WINEPREFIX, or ~/.wine without it. Each
// row is a DOS path with the prefix or without; its outcome the path here (as DOS gave it
// when no drive has it) and whether its drive's disk is found.
TEST(DosPaths, drivesOfTheWinePrefixOrOfTheHomeFolder) {
  TempFolder folder;
  for (const char* drive : {"prefix/dosdevices/c:", "prefix/dosdevices/@:", "prefix/dosdevices/z:",
                            "home/.wine/dosdevices/d:"})
    QDir().mkpath(folder.path(drive));
  const QByteArray home = qgetenv("HOME"), prefix = qgetenv("WINEPREFIX");
  const QString current = QDir::currentPath();
  qputenv("HOME", QFile::encodeName(folder.path("home")));
  QDir::setCurrent(folder.path({}));
  expectRecordedTable(
      "wine_drives",
      [&folder](const QString& row) {
        if (row.startsWith(QStringLiteral("prefix")))
          qputenv("WINEPREFIX", QFile::encodeName(folder.path("prefix")));
        else
          qunsetenv("WINEPREFIX");
        const QString dos = row.section(QStringLiteral(" | "), 1);
        return nativePath(dos) + (diskInfo(dos).size < 0 ? ", no disk\n" : ", on its disk\n");
      },
      folder.path({}));
  QDir::setCurrent(current);
  qputenv("HOME", home);
  prefix.isNull() ? qunsetenv("WINEPREFIX") : qputenv("WINEPREFIX", prefix);
}

// A moved-from handle closes nothing, the lock goes with the handle that holds it, and a handle
// moved onto lets its own file go.
TEST(SharedFile, movedAndClosedOnce) {
  TempFolder folder;
  const QString path = folder.write("A.T4E", "0123456789");
  auto opened = SharedFile::open(path, OpenMode::ReadWriteDenyWrite);
  ASSERT_TRUE(opened);
  SharedFile first = std::move(*opened);
  SharedFile second = std::move(first);
  SharedFile& same = second;
  second = std::move(same);  // onto itself: still open
  EXPECT_EQ(second.size(), 10);
  EXPECT_EQ(first.size(), -1) << "the moved-from handle holds no file";
  EXPECT_FALSE(SharedFile::open(path, OpenMode::ReadWriteDenyWrite)) << "the lock is held";
  auto other = SharedFile::open(folder.write("B.T4E", ""), OpenMode::ReadWriteDenyWrite);
  *other = std::move(second);  // lets its own file go
  EXPECT_TRUE(SharedFile::open(folder.path("B.T4E"), OpenMode::ReadWriteDenyWrite));
  { SharedFile gone = std::move(*other); }
  EXPECT_TRUE(SharedFile::open(path, OpenMode::ReadWriteDenyWrite)) << "closed once, unlocked";
}

TEST(FileReplacement, keepsThePermissionsAndReplacesWhatALinkNames) {
  TempFolder folder;
  const QString target = folder.write("A.T4E", "old");
  ASSERT_EQ(chmod(QFile::encodeName(target).constData(), 0440), 0);
  const QString link = folder.path("link.T4E");
  ASSERT_TRUE(QFile::link(target, link));
  {
    auto dropped = FileReplacement::begin(link);
    ASSERT_TRUE(dropped);
    dropped->file().writeAt(0, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>("x"), 1));
  }
  EXPECT_EQ(QDir(folder.path({})).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 2)
      << "a replacement dropped before its commit leaves nothing";

  auto replacement = FileReplacement::begin(link);
  ASSERT_TRUE(replacement);
  const QByteArray bytes = "new";
  replacement->file().writeAt(0, std::span(reinterpret_cast<const uint8_t*>(bytes.data()), 3));
  ASSERT_TRUE(replacement->commit());
  EXPECT_EQ(test::readWholeFile(target), "new");
  EXPECT_TRUE(QFileInfo(link).isSymLink());
  struct stat info {};
  ASSERT_EQ(stat(QFile::encodeName(target).constData(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u) << "its owner may write it again";
}

// Another program's record lock (fcntl, as office programs and Wine take them) keeps
// writers out as the program's own lock does, and the program's lock keeps them out too.
TEST(SharedFile, recordLocksAreHonouredBothWays) {
  TempFolder folder;
  const QString path = folder.write("A.T4E", "0123456789");
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR);
  ASSERT_GE(fd, 0);
  const auto recordLock = [fd](short type) {
    struct flock range {};
    range.l_type = type;
    range.l_whence = SEEK_SET;
    return ::fcntl(fd, F_SETLK, &range) == 0;
  };
  for (const auto& [theirs, mode, opens] :  // their lock, the program's mode, whether it opens
       {std::tuple{F_WRLCK, OpenMode::ReadWriteDenyWrite, false},
        {F_WRLCK, OpenMode::ReadDenyWrite, false},
        {F_WRLCK, OpenMode::ReadOnly, true},
        {F_RDLCK, OpenMode::ReadWriteDenyWrite, false},
        {F_RDLCK, OpenMode::ReadDenyWrite, true}}) {
    ASSERT_TRUE(recordLock(short(theirs)));
    auto file = SharedFile::open(path, mode);
    EXPECT_EQ(bool(file), opens) << theirs << int(mode);
    EXPECT_TRUE(file || file.error().message == heldOpenMessage(path));
    ASSERT_TRUE(recordLock(F_UNLCK));
  }
  auto held = SharedFile::open(path, OpenMode::ReadWriteDenyWrite);
  ASSERT_TRUE(held);
  EXPECT_FALSE(recordLock(F_RDLCK)) << "a record locker sees the program's lock";
  ::close(fd);
}

// A file that another replaced between the open and the lock is not the one locked: the
// lock is taken again on the file that the path names now.
TEST(SharedFile, theLockIsHadOnTheFileThePathNamesAfterIt) {
  TempFolder folder;
  for (const OpenMode mode : {OpenMode::ReadWriteDenyWrite, OpenMode::ReadDenyWrite}) {
    const QString path = folder.write("A.T4E", "old");
    const QString newer = folder.write("B.T4E", "new");
    beforeNextLock(
        [&] { ASSERT_EQ(::rename(QFile::encodeName(newer), QFile::encodeName(path)), 0); });
    auto file = SharedFile::open(path, mode);
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->isFile(path));
    uint8_t bytes[3] = {};
    EXPECT_EQ(file->readAt(0, bytes), 3);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(bytes), 3), "new");
  }
}

// What a killed replacement left beside a file (".NAME.~xxxxxxxx") goes when the file is next
// opened for writing or replaced; a living replacement's, another file's and other names stay.
TEST(FileReplacement, theNewFilesOfKilledReplacementsAreRemoved) {
  TempFolder folder;
  const QString target = folder.write("A.T4E", "old");
  const QStringList stale = {".A.T4E.~abcd1234", ".A.T4E.~0000zzzz"};
  const QStringList kept = {".A.T4E.~held0000", ".A.T4E.~abc",     ".A.T4E.~ABCD1234",
                            ".B.T4E.~abcd1234", "A.T4E.~abcd1234", ".A.T4E.~abcd12345"};
  for (const OpenMode mode : {OpenMode::ReadWriteDenyWrite, OpenMode::Create}) {
    for (const QString& name : stale + kept) folder.write(name, "x");
    auto living = SharedFile::open(folder.path(kept.first()), OpenMode::ReadWriteDenyWrite);
    ASSERT_TRUE(living);
    ASSERT_TRUE(SharedFile::open(target, mode));
    QStringList left = QDir(folder.path({})).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    left.removeOne("A.T4E");
    EXPECT_EQ(QSet<QString>(left.begin(), left.end()), QSet<QString>(kept.begin(), kept.end()));
  }
  folder.write(stale.first(), "x");
  ASSERT_TRUE(FileReplacement::begin(target));
  EXPECT_FALSE(QFile::exists(folder.path(stale.first())));
}

// A replacement keeps the owner and group (the process may give them as root), and tells
// of the other names that keep the old file; an output never replaces a file a writer holds.
TEST(FileReplacement, keepsTheOwnerTellsOfOtherNamesAndLeavesAHeldFile) {
  TempFolder folder;
  const QString target = folder.write("A.T4E", "old");
  const QByteArray native = QFile::encodeName(target);
  EXPECT_EQ(otherNamesNote(target), QString());
  ASSERT_EQ(::link(native.constData(), QFile::encodeName(folder.path("B.T4E")).constData()), 0);
  EXPECT_EQ(otherNamesNote(target), "Note: " + target +
                                        " has 1 other name(s) (hard links), which keep the file as "
                                        "it was: only " +
                                        target + " takes the new one.");
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(native.constData(), 4321, 8765), 0);
    auto replacement = FileReplacement::begin(target);
    ASSERT_TRUE(replacement && replacement->commit());
    struct stat info {};
    ASSERT_EQ(::stat(native.constData(), &info), 0);
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 8765u);
  }
  auto held = SharedFile::open(target, OpenMode::ReadWriteDenyWrite);
  ASSERT_TRUE(held);
  auto refused = FileReplacement::beginOutput(target);
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().message, cannotCreateMessage(target));
}

// A commit that fails removes the new file at once; the target stays as it was.
TEST(ReplacingDevice, aFailedCommitLeavesOnlyTheTarget) {
  TempFolder folder;
  const QString target = folder.write("out.pdf", "old");
  auto device = ReplacingDevice::begin(target);
  ASSERT_TRUE(device);
  {
    FaultyDisk disk(folder.path({}), 1, Fault::Full);
    device->write("new");
    EXPECT_FALSE(device->commit());
  }
  EXPECT_EQ(QDir(folder.path({})).entryList(QDir::Files | QDir::Hidden), QStringList{"out.pdf"});
  EXPECT_EQ(test::readWholeFile(target), "old");
}

}  // namespace
