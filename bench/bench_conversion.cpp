// Quillet benchmarks — a year-end file of 100,000 employees converted into a T4 file.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include "bench_ui.h"
#include "core/clock.h"
#include "data/open_t4_file.h"
#include "payroll_import/payroll_records.h"
#include "payroll_import/real48.h"
#include "payroll_import/year_end_conversion.h"

using namespace quillet;

namespace {

constexpr int Employees = 100000;

QTemporaryDir& folder() {
  static QTemporaryDir dir;
  return dir;
}

const QString& yearEndFile() {
  static const QString path = [] {
    const QString file = folder().filePath(QStringLiteral("WGBT4.DTA"));
    QByteArray bytes(qsizetype(YearEndRecord::Size) * Employees, '\0');
    for (int i = 0; i < Employees; ++i) {
      const auto record = std::span<uint8_t>(
          reinterpret_cast<uint8_t*>(bytes.data()) + qsizetype(i) * YearEndRecord::Size,
          YearEndRecord::Size);
      fields::setText(record, YearEndRecord::Surname,
                      QStringLiteral("Surname%1").arg(i * 7919 % Employees));
      fields::setText(record, YearEndRecord::FirstName, QStringLiteral("First"));
      fields::setText(record, YearEndRecord::Sin, QStringLiteral("046 454 286"));
      fields::setText(record, YearEndRecord::ProvinceOfEmployment, QStringLiteral("ONT"));
      for (int k = 32; k <= 90; ++k) {
        const auto real = encodeReal48(1000.0 + k + i % 100);
        std::copy(real.begin(), real.end(), record.begin() + 185 + 6 * (k - 32));
      }
    }
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
      qFatal("cannot write %s", qPrintable(file));
    return file;
  }();
  return path;
}

void BM_ConvertYearEndFile(benchmark::State& state) {
  const QString yearEnd = yearEndFile();
  const FixedClock clock(QDateTime(QDate(2001, 1, 10), QTime(9, 0)));
  ConfigRecord config;
  config.setText(ConfigRecord::CompanyName, QStringLiteral("Lakeside Payroll"));
  const QString out = folder().filePath(QStringLiteral("WAGBOK.T4E"));
  for (auto _ : state) {
    state.PauseTiming();
    QFile::remove(out);  // a T4 file newer than the year-end file would be asked about
    state.ResumeTiming();
    OpenT4FileState file;
    file.setT4FileName(out);
    bench::BenchUi ui;
    benchmark::DoNotOptimize(ConvertYearEndFile(file, ui, clock, yearEnd, config));
  }
}
BENCHMARK(BM_ConvertYearEndFile)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
