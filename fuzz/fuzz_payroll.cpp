// Quillet fuzzing — the payroll product's files from any bytes: the first 3072 are the
// company configuration, the rest the year-end file; converted, and printed as the
// source register.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"

using namespace quillet::fuzz;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setUp();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  const QString config = writeFile("CO1.CNF", bytes.left(3072));
  const QString yearEnd = writeFile("WGBT4.DTA", bytes.mid(3072));
  runCli({"convert", "--config", config, "--force", "--box20", yearEnd, folderPath("OUT.T4E")});
  runCli({"print", "register", "--config", config, yearEnd, "--trace", folderPath("out.txt")});
  return 0;
}
