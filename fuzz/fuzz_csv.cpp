// Quillet fuzzing — a spreadsheet from any bytes: its rows taken into a T4 file, for a
// dry run and for real, then written out again.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"

using namespace quillet::fuzz;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setUp();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A file of a header and an employer record only, made anew for every input.
  QByteArray empty(2 * 768, '\0');
  empty[28] = 16;
  empty[768 + 28] = 64;
  const QString t4 = writeFile("T.T4E", empty);
  const QString csv =
      writeFile("in.csv", QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
  runCli({"csv-import", t4, csv, "--dry-run"});
  runCli({"csv-import", t4, csv});
  runCli({"csv-export", t4, folderPath("out.csv")});
  return 0;
}
