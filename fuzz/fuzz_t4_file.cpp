// Quillet fuzzing — a T4 file from any bytes: opened and indexed, checked, dumped,
// totalled, printed in every kind onto the trace printer, exported as a spreadsheet and
// carried into next year's file.
#include <cstddef>
#include <cstdint>

#include <QFile>

#include "fuzz_support.h"

using namespace quillet::fuzz;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setUp();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString t4 =
      writeFile("IN.T4E", QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
  const QString trace = folderPath("out.txt");
  for (const char* command : {"check", "dump", "totals"}) runCli({command, t4});
  runCli({"csv-export", t4, folderPath("out.csv")});
  QFile::remove(folderPath("NEXT.T4E"));
  runCli({"next-year", t4, folderPath("NEXT.T4E")});
  for (const QStringList& kind : {QStringList{"forms"},
                                  QStringList{"forms", "--type", "0", "--lineup"},
                                  {"summary"},
                                  {"labels", "--style", "0"},
                                  {"labels", "--style", "3"},
                                  {"errors"},
                                  {"totals"},
                                  {"slips", "--copy", "employee"},
                                  {"slips", "--copy", "cra", "--lineup"},
                                  {"plain-summary"}}) {
    runCli(QStringList{"print", kind.first(), t4} + kind.mid(1) + QStringList{"--trace", trace});
  }
  return 0;
}
