// Quillet tests — a disk that fails: the Nth change to a file of a folder goes wrong.
#pragma once

#include <QString>
#include <functional>

namespace quillet::test {

enum class Fault {
  Full,     // that change and every later one fail with "no space left on device"
  Short,    // that write stores half its bytes and the next change fails; then all is well
  Killed,   // that write stores half its bytes, then the process is killed
  Trickle,  // every pread and pwrite moves one byte, and all succeed (`at` is not used)
};

// While this lives, every change to a file under `folder` (a write, a sync, a rename)
// is counted from 1, and change number `at` meets `fault`. The program's own code runs
// unchanged: the system calls it makes are the ones that fail.
class FaultyDisk {
 public:
  FaultyDisk(const QString& folder, int at, Fault fault);
  ~FaultyDisk();
  FaultyDisk(const FaultyDisk&) = delete;
  FaultyDisk& operator=(const FaultyDisk&) = delete;
};

// Runs `hook` once, just before the next lock that the program takes (flock): what another
// program might do between the program's open and its lock.
void beforeNextLock(std::function<void()> hook);

// Runs `work` with files limited to `bytes`: the system cuts a write past the limit short,
// as a full disk would.
void withFileSizeLimit(long bytes, const std::function<void()>& work);

// Runs `work` with no file handle left to open: every open fails, as on a process that has
// used all its handles.
void withoutFileHandles(const std::function<void()>& work);

// Runs `work` in a child process whose change number `at` under `folder` kills it.
// True when it was killed there; false when it finished before reaching that change.
bool killedAtChange(const QString& folder, int at, const std::function<void()>& work);

}  // namespace quillet::test
