// Quillet tests — a disk that fails: the Nth change to a file of a folder goes wrong.
//
// The system calls that read and change files are defined here, in the test program itself, so
// that they stand in front of the C library's for the program's code and for Qt alike;
// each passes on to the next definition (the C library's, or a sanitizer's) unless a
// FaultyDisk says otherwise.
#include "fault_injection.h"

#include <dlfcn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

namespace {

struct Plan {
  bool armed = false;
  std::string folder;  // with a trailing '/'
  int at = 0;
  quillet::test::Fault fault = quillet::test::Fault::Full;
  int count = 0;
  bool full = false;      // a full disk: every change from now on fails
  bool failNext = false;  // a short write: the change after it fails
};

Plan& plan() {
  static Plan p;
  return p;
}

std::function<void()>& lockHook() {
  static std::function<void()> hook;
  return hook;
}

template <class F>
F next(const char* name) {
  return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

bool underFolder(const char* path) {
  return path != nullptr && std::strncmp(path, plan().folder.c_str(), plan().folder.size()) == 0;
}

bool fdUnderFolder(int fd) {
  char link[64];
  std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  char target[PATH_MAX];
  const ssize_t n = readlink(link, target, sizeof target - 1);
  if (n <= 0) return false;
  target[n] = '\0';
  return underFolder(target);
}

enum class Verdict { Pass, Fail, Half };

// Counts one change and says what becomes of it.
Verdict judge(bool counted) {
  Plan& p = plan();
  if (!p.armed || !counted) return Verdict::Pass;
  ++p.count;
  if (p.full || std::exchange(p.failNext, false)) return Verdict::Fail;
  if (p.count != p.at) return Verdict::Pass;
  if (p.fault == quillet::test::Fault::Full) {
    p.full = true;
    return Verdict::Fail;
  }
  p.failNext = true;
  return Verdict::Half;
}

void afterHalf() {
  if (plan().fault == quillet::test::Fault::Killed) raise(SIGKILL);
}

// A read or write of one byte at most on a trickling disk.
size_t trickled(int fd, size_t length) {
  const bool trickles = plan().armed && plan().fault == quillet::test::Fault::Trickle;
  return trickles && length > 1 && fdUnderFolder(fd) ? 1 : length;
}

template <class Write>
ssize_t faultyWrite(int fd, std::size_t length, Write write) {
  switch (judge(fdUnderFolder(fd))) {
    case Verdict::Pass:
      return write(length);
    case Verdict::Fail:
      errno = ENOSPC;
      return -1;
    case Verdict::Half: {
      const ssize_t n = length > 1 ? write(length / 2) : 0;
      afterHalf();
      return n;
    }
  }
  return -1;
}

int faultyCall(bool counted, const std::function<int()>& call) {
  switch (judge(counted)) {
    case Verdict::Pass:
      return call();
    case Verdict::Half:
      afterHalf();
      [[fallthrough]];
    case Verdict::Fail:
      errno = EIO;
      return -1;
  }
  return -1;
}

}  // namespace

extern "C" {

ssize_t write(int fd, const void* buffer, size_t length) {
  static const auto real = next<ssize_t (*)(int, const void*, size_t)>("write");
  return faultyWrite(fd, length, [&](size_t n) { return real(fd, buffer, n); });
}

ssize_t pwrite(int fd, const void* buffer, size_t length, off_t offset) {
  static const auto real = next<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite");
  return faultyWrite(fd, trickled(fd, length),
                     [&](size_t n) { return real(fd, buffer, n, offset); });
}

ssize_t pread(int fd, void* buffer, size_t length, off_t offset) {
  static const auto real = next<ssize_t (*)(int, void*, size_t, off_t)>("pread");
  return real(fd, buffer, trickled(fd, length), offset);
}

int fsync(int fd) {
  static const auto real = next<int (*)(int)>("fsync");
  return faultyCall(fdUnderFolder(fd), [&] { return real(fd); });
}

int fdatasync(int fd) {
  static const auto real = next<int (*)(int)>("fdatasync");
  return faultyCall(fdUnderFolder(fd), [&] { return real(fd); });
}

int rename(const char* from, const char* to) {
  static const auto real = next<int (*)(const char*, const char*)>("rename");
  return faultyCall(underFolder(to), [&] { return real(from, to); });
}

int flock(int fd, int operation) {
  static const auto real = next<int (*)(int, int)>("flock");
  if (auto hook = std::exchange(lockHook(), nullptr)) hook();
  return real(fd, operation);
}

}  // extern "C"

namespace quillet::test {

FaultyDisk::FaultyDisk(const QString& folder, int at, Fault fault) {
  const QString canonical = QFileInfo(folder).canonicalFilePath();
  plan() = Plan{true, QFile::encodeName(canonical).toStdString() + '/', at, fault, 0, false, false};
}

FaultyDisk::~FaultyDisk() { plan().armed = false; }

void beforeNextLock(std::function<void()> hook) { lockHook() = std::move(hook); }

bool killedAtChange(const QString& folder, int at, const std::function<void()>& work) {
  const pid_t child = fork();
  if (child == 0) {
    FaultyDisk disk(folder, at, Fault::Killed);
    work();
    _exit(0);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return false;
  return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

void withFileSizeLimit(long bytes, const std::function<void()>& work) {
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limited = old;
  limited.rlim_cur = rlim_t(bytes);
  setrlimit(RLIMIT_FSIZE, &limited);
  work();
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
}

void withoutFileHandles(const std::function<void()>& work) {
  rlimit old{};
  getrlimit(RLIMIT_NOFILE, &old);
  const int lowest = dup(0);  // the lowest handle free: the limit leaves no new one
  if (lowest >= 0) close(lowest);
  rlimit limited = old;
  limited.rlim_cur = rlim_t(std::max(lowest, 0));
  setrlimit(RLIMIT_NOFILE, &limited);
  work();
  setrlimit(RLIMIT_NOFILE, &old);
}

}  // namespace quillet::test
