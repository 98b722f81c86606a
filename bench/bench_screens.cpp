// Quillet benchmarks — the employee index window on a file of 100,000 employees: opened,
// and searched as the user types.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>

#include "bench_files.h"
#include "bench_ui.h"
#include "screens/employee_filter.h"
#include "screens/ui/employee_index.h"

using namespace quillet;
using namespace quillet::bench;

namespace {

// From nothing to the window shown with its first rows drawn.
void BM_EmployeeIndexOpen(benchmark::State& state) {
  OpenT4FileState file = openBigFile();
  BenchUi ui;
  for (auto _ : state) {
    TFormT4Index index(file, ui);
    index.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(index.LabelCount->text());
  }
}
BENCHMARK(BM_EmployeeIndexOpen)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// A name as it is typed, letter by letter, then a SIN's first digits (its SINs read once).
void BM_EmployeeIndexSearch(benchmark::State& state) {
  OpenT4FileState file = openBigFile();
  for (auto _ : state) {
    EmployeeFilter filter(file.T4File());
    for (const char* typed : {"q", "qw", "qwe", "1000", "10004"}) {
      filter.setText(QString::fromLatin1(typed));
      benchmark::DoNotOptimize(filter.count());
    }
  }
}
BENCHMARK(BM_EmployeeIndexSearch)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
