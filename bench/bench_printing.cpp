// Quillet benchmarks — T4 forms of 10,000 employees onto the trace printer and into a PDF.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QGuiApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <fstream>
#include <string>

#include "app/clock.h"
#include "bench_ui.h"
#include "checks/employer_checks.h"
#include "data/open_t4_file.h"
#include "reports/painter_surface.h"
#include "reports/t4_forms.h"
#include "reports/trace_surface.h"

using namespace quillet;

namespace {

constexpr int Employees = 10000;
const FixedClock Clock(QDateTime(QDate(2001, 2, 1), QTime(9, 0)));

QTemporaryDir& folder() {
  static QTemporaryDir dir;
  return dir;
}

const QString& formsFile() {
  static const QString path = [] {
    const QString file = folder().filePath(QStringLiteral("FORMS.T4E"));
    OpenT4FileState state;
    state.setT4FileName(file);
    if (!state.OpenT4File()) qFatal("cannot create %s", qPrintable(file));
    EmployerRecord employer = newEmployerRecord(Clock);
    employer.setText(EmployerRecord::RevCan_account_number, QStringLiteral("123456782RP0001"));
    employer.setText(EmployerRecord::S_Employer_name_line_1,
                     QStringLiteral("Limestone Hardware Ltd."));
    writeEmployerAndHeader(state, employer);
    QRandomGenerator random(10);
    for (int i = 0; i < Employees; ++i) {
      T4Record r = T4Record::newFrom(employer);
      r.setText(T4Record::Employee_surname,
                QStringLiteral("Surname%1").arg(random.bounded(100000)));
      r.setText(T4Record::Employee_first_name, QStringLiteral("First"));
      r.setText(T4Record::Employee_SIN, QStringLiteral("046454286"));
      r.setText(T4Record::Employee_address_line_1, QStringLiteral("12 Birch Lane"));
      r.setText(T4Record::Employee_city, QStringLiteral("Kingston"));
      r.setText(T4Record::Employee_province_code, QStringLiteral("ON"));
      r.setText(T4Record::Employee_postal_code, QStringLiteral("K7L 3N6"));
      r.setInt32(T4Record::Employment_income, int32_t(random.bounded(1000000, 6000000)));
      r.setInt32(T4Record::Employee_CPP, int32_t(random.bounded(0, 130000)));
      r.setInt32(T4Record::Employee_EI_premium, int32_t(random.bounded(0, 93000)));
      state.T4File().WriteIndexed(r.bytes(), state.T4File().Count(),
                                  indexKey(IndexKind::T4Record, r.bytes()));
    }
    return file;
  }();
  return path;
}

void printForms(benchmark::State& state,
                std::function<std::unique_ptr<PrintSurface>(const QString&)> printer) {
  OpenT4FileState file;
  file.setT4FileName(formsFile());
  if (!file.OpenT4File(T4Access::Inspect)) qFatal("cannot open the forms file");
  for (auto _ : state) {
    bench::BenchUi ui(printer);
    benchmark::DoNotOptimize(printT4Forms(file, ui, Clock, nullptr));
  }
  state.counters["forms_per_second"] = benchmark::Counter(
      double(Employees) * double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_FormsToTrace(benchmark::State& state) {
  int64_t bytes = 0;  // the lines are counted, as a file would take them, and let go
  printForms(state, [&bytes](const QString&) {
    return std::make_unique<TraceSurface>(TraceSettings{},
                                          [&bytes](const QString& line) { bytes += line.size(); });
  });
  benchmark::DoNotOptimize(bytes);
}
BENCHMARK(BM_FormsToTrace)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

long peakKilobytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

void BM_FormsToPdf(benchmark::State& state) {
  const QString pdf = folder().filePath(QStringLiteral("forms.pdf"));
  malloc_trim(0);
  std::ofstream("/proc/self/clear_refs") << "5";
  const long before = peakKilobytes();
  printForms(state, [&pdf](const QString& title) {
    return makePdfSurface(pdf, title, QFont(QStringLiteral("DejaVu Sans Mono"), 10));
  });
  state.counters["peak_MB_growth"] = double(peakKilobytes() - before) / 1024.0;
}
BENCHMARK(BM_FormsToPdf)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);  // fonts for the PDF writer
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
