// Quillet fuzzing — a T4 file from any bytes: opened and indexed, checked, dumped,
// totalled, printed in every kind onto the trace printer, exported as a spreadsheet,
// carried into next year's file and checked and written as CRA's XML return.
#include <QFile>
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"

using namespace quillet::fuzz;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setUp();
  writeFile("tx.ini",
            "[Transmitter]\nAccount=123456782RP0001\nContactName=Pat Doe\nContactArea=613\n"
            "ContactPhone=5550100\nContactEmail=pat@example.ca\n");
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
  runCli({"xml", t4, folderPath("out.xml"), "--transmitter", folderPath("tx.ini"), "--ref", "F1"});
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
