// Quillet benchmarks — opening, checking and re-keying a T4 file of 100,000 employees, and a
// T4A file of 100,000 recipients.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <fstream>
#include <string>

#include "bench_files.h"
#include "bench_ui.h"
#include "checks/employer_checks.h"
#include "core/clock.h"
#include "data/open_t4_file.h"
#include "data/t4_record.h"
#include "efile/t4_xml.h"
#include "efile/t4a_xml.h"
#include "reports/error_list.h"
#include "transfer/t4_csv.h"

using namespace quillet;
using namespace quillet::bench;

namespace {

long statusKilobytes(const std::string& field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
  }
  return -1;
}

// The person who files the returns written.
Transmitter benchTransmitter() {
  Transmitter transmitter;
  transmitter.account = QStringLiteral("123456782RP0001");
  transmitter.contactName = QStringLiteral("Pat Doe");
  transmitter.contactArea = QStringLiteral("613");
  transmitter.contactPhone = QStringLiteral("555-0100");
  transmitter.contactEmail = QStringLiteral("pat@example.ca");
  return transmitter;
}

// Peak resident memory while the file is opened, above what the process held before.
// Registered first, so that no other benchmark has grown the heap before it.
void BM_OpenPeakMemory(benchmark::State& state) {
  bigFile();
  for (auto _ : state) {
    malloc_trim(0);  // what earlier work freed is not counted as baseline
    std::ofstream("/proc/self/clear_refs") << "5";  // restarts the peak at the current size
    const long before = statusKilobytes("VmRSS");
    OpenT4FileState file = openBigFile();
    const long peak = statusKilobytes("VmHWM");
    state.counters["peak_MB_above_baseline"] = double(peak - before) / 1024.0;
  }
}
BENCHMARK(BM_OpenPeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_OpenAndIndex(benchmark::State& state) {
  bigFile();
  for (auto _ : state) {
    OpenT4FileState file = openBigFile();
    benchmark::DoNotOptimize(file.T4File().Count());
  }
}
BENCHMARK(BM_OpenAndIndex)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_CheckWholeFile(benchmark::State& state) {
  bigFile();
  bench::BenchUi ui;
  for (auto _ : state) {
    OpenT4FileState file = openBigFile();
    const ErrorList list = buildErrorList(file, ui);
    benchmark::DoNotOptimize(list.lines.size());
  }
}
BENCHMARK(BM_CheckWholeFile)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_ReKeyingWrite(benchmark::State& state) {
  OpenT4FileState file = openBigFile();
  TAlphaInxFileStream& stream = file.T4File();
  QRandomGenerator random(99);
  T4Record record;
  for (auto _ : state) {
    const int at = int(random.bounded(stream.Count()));
    stream.ReadIndexed(record.bytes(), at);
    const QString key =
        randomName(random, 8).toUpper() + QStringLiteral(", *") + randomName(random, 6);
    benchmark::DoNotOptimize(stream.WriteIndexed(record.bytes(), at, key));
  }
}
BENCHMARK(BM_ReKeyingWrite)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// What the entry screen's save step puts on the disk: one record rewritten and re-keyed,
// then synced, as it is once per user action.
void BM_SavedRecord(benchmark::State& state) {
  OpenT4FileState file = openBigFile();
  TAlphaInxFileStream& stream = file.T4File();
  QRandomGenerator random(98);
  T4Record record;
  for (auto _ : state) {
    const int at = int(random.bounded(stream.Count()));
    stream.ReadIndexed(record.bytes(), at);
    record.setInt32(T4Record::Employment_income, int32_t(random.bounded(1000000, 6000000)));
    const QString key =
        randomName(random, 8).toUpper() + QStringLiteral(", *") + randomName(random, 6);
    benchmark::DoNotOptimize(stream.WriteIndexed(record.bytes(), at, key));
    benchmark::DoNotOptimize(stream.sync());
  }
}
BENCHMARK(BM_SavedRecord)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// CRA's XML return of the 100,000 employees, written into a file, with the peak memory
// that the writing adds.
void BM_XmlReturn(benchmark::State& state) {
  OpenT4FileState file = openBigFile();
  const Transmitter transmitter = benchTransmitter();
  XmlReturnOptions options;
  options.submissionRef = QStringLiteral("B1");
  QTemporaryDir dir;
  const long before = statusKilobytes("VmHWM");
  for (auto _ : state) {
    QFile out(dir.filePath(QStringLiteral("return.xml")));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write the return");
    benchmark::DoNotOptimize(writeT4Xml(file, transmitter, options, out).slips);
  }
  state.counters["peak_MB_growth"] = double(statusKilobytes("VmHWM") - before) / 1024;
}
BENCHMARK(BM_XmlReturn)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

// The check of CRA's rules that comes before the return, over the 100,000 employees.
void BM_XmlPreFlight(benchmark::State& state) {
  OpenT4FileState file = openBigFile();
  for (auto _ : state) benchmark::DoNotOptimize(checkForXml(file, {}).errors.size());
}
BENCHMARK(BM_XmlPreFlight)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// A SIN that passes the check: eight digits of `n`, then the Luhn check digit.
QString sinOf(int n) {
  QString digits = QStringLiteral("%1").arg(100000000 + n * 7, 8, 10, QLatin1Char('0')).right(8);
  int sum = 0;
  for (int i = 0; i < 8; ++i) {
    int d = digits.at(i).digitValue() * (i % 2 == 1 ? 2 : 1);
    sum += d > 9 ? d - 9 : d;
  }
  return digits + QString::number((10 - sum % 10) % 10);
}

// The 100,000 employees written as a spreadsheet.
void BM_CsvExport(benchmark::State& state) {
  OpenT4FileState file = openBigFile();
  QTemporaryDir dir;
  for (auto _ : state) {
    QFile out(dir.filePath(QStringLiteral("t4.csv")));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write the CSV");
    benchmark::DoNotOptimize(writeT4Csv(file, out));
  }
}
BENCHMARK(BM_CsvExport)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

// 100,000 rows, each with its own SIN, taken into an empty file: read, checked, written.
void BM_CsvImport(benchmark::State& state) {
  QTemporaryDir dir;
  QByteArray csv =
      "Employee_surname,Employee_first_name,Employee_address_line_1,Employee_city,"
      "Employee_province_code,Employee_SIN,Province_of_employment_code,"
      "Employment_income,Employee_CPP,Employee_EI_premium\n";
  for (int i = 0; i < Employees; ++i) {
    csv += QStringLiteral("Name%1,Pat,1 Elm,Ottawa,ON,%2,ON,45000.00,2000.50,700.25\n")
               .arg(i)
               .arg(sinOf(i))
               .toUtf8();
  }
  QFile big(bigFile());
  if (!big.open(QIODevice::ReadOnly)) qFatal("cannot read the big file");
  const QByteArray empty = big.read(2 * Record768::Size);
  int imported = 0;
  for (auto _ : state) {
    QFile target(dir.filePath(QStringLiteral("EMPTY.T4E")));
    if (!target.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        target.write(empty) != empty.size())
      qFatal("cannot write the empty file");
    target.close();
    OpenT4FileState file;
    file.setT4FileName(target.fileName());
    if (!file.OpenT4File()) qFatal("cannot open the empty file");
    const CsvImportPlan plan = planT4CsvImport(file, csv);
    if (!applyT4CsvImport(file, plan)) qFatal("the import failed");
    imported = file.T4File().Count();
  }
  if (imported != Employees) state.SkipWithError("not every row was imported");
}
BENCHMARK(BM_CsvImport)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace

// The same for a T4A file of 100,000 recipients: opened and indexed, with the peak memory it
// adds; checked; its XML return written, with the peak memory the writing adds.
void BM_T4AOpenAndIndex(benchmark::State& state) {
  bigT4AFile();
  malloc_trim(0);
  std::ofstream("/proc/self/clear_refs") << "5";
  const long before = statusKilobytes("VmRSS");
  for (auto _ : state) {
    OpenT4FileState file = openBenchFile(bigT4AFile());
    benchmark::DoNotOptimize(file.T4File().Count());
  }
  state.counters["peak_MB_above_baseline"] = double(statusKilobytes("VmHWM") - before) / 1024.0;
}
BENCHMARK(BM_T4AOpenAndIndex)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_T4ACheckWholeFile(benchmark::State& state) {
  bench::BenchUi ui;
  OpenT4FileState file = openBenchFile(bigT4AFile());
  for (auto _ : state) {
    const ErrorList list = buildErrorList(file, ui);
    benchmark::DoNotOptimize(list.lines.size());
  }
}
BENCHMARK(BM_T4ACheckWholeFile)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_T4AXmlReturn(benchmark::State& state) {
  OpenT4FileState file = openBenchFile(bigT4AFile());
  const Transmitter transmitter = benchTransmitter();
  XmlReturnOptions options;
  options.submissionRef = QStringLiteral("B1");
  QTemporaryDir dir;
  const long before = statusKilobytes("VmHWM");
  for (auto _ : state) {
    QFile out(dir.filePath(QStringLiteral("return.xml")));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write the return");
    benchmark::DoNotOptimize(checkForXml(file, options).errors.size());
    benchmark::DoNotOptimize(writeT4AXml(file, transmitter, options, out).slips);
  }
  state.counters["peak_MB_growth"] = double(statusKilobytes("VmHWM") - before) / 1024;
}
BENCHMARK(BM_T4AXmlReturn)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
