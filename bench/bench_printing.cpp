// Quillet benchmarks — T4 forms of 10,000 employees onto the trace printer and into a PDF;
// slips drawn on plain paper into one PDF and into one PDF per employee.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QGuiApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <fstream>
#include <map>
#include <string>

#include "bench_ui.h"
#include "checks/employer_checks.h"
#include "core/clock.h"
#include "data/open_t4_file.h"
#include "reports/painter_surface.h"
#include "reports/plain_slips.h"
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

// A T4 file of `employees` employees (made once for each size).
QString formsFile(int employees = Employees) {
  static std::map<int, QString> made;
  if (const auto it = made.find(employees); it != made.end()) return it->second;
  const QString path = [employees] {
    const QString file = folder().filePath(QStringLiteral("FORMS%1.T4E").arg(employees));
    OpenT4FileState state;
    state.setT4FileName(file);
    if (!state.OpenT4File()) qFatal("cannot create %s", qPrintable(file));
    EmployerRecord employer = newEmployerRecord(Clock);
    employer.setText(EmployerRecord::RevCan_account_number, QStringLiteral("123456782RP0001"));
    employer.setText(EmployerRecord::S_Employer_name_line_1,
                     QStringLiteral("Limestone Hardware Ltd."));
    writeEmployerAndHeader(state, employer);
    QRandomGenerator random(10);
    for (int i = 0; i < employees; ++i) {
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
  made[employees] = path;
  return path;
}

OpenT4FileState& openedFile(int employees) {
  static std::map<int, OpenT4FileState> opened;
  OpenT4FileState& file = opened[employees];
  if (!file.T4FileOpen()) {
    file.setT4FileName(formsFile(employees));
    if (!file.OpenT4File(T4Access::Inspect)) qFatal("cannot open the forms file");
  }
  return file;
}

void printForms(benchmark::State& state,
                std::function<std::unique_ptr<PrintSurface>(const QString&)> printer) {
  OpenT4FileState& file = openedFile(Employees);
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

// The employee's copies of 10,000 employees, one sheet each, into one PDF file.
void BM_EmployeeSlipsToPdf(benchmark::State& state) {
  OpenT4FileState& file = openedFile(Employees);
  EmployerRecord employer;
  readEmployerRecord(file, employer);
  const QString pdf = folder().filePath(QStringLiteral("slips.pdf"));
  malloc_trim(0);
  std::ofstream("/proc/self/clear_refs") << "5";
  const long before = peakKilobytes();
  for (auto _ : state) {
    bench::BenchUi ui;
    const auto surface = makePdfSurface(pdf, QStringLiteral("T4 Slips"), QFont());
    benchmark::DoNotOptimize(drawSlipRun(file, employer, SlipCopy::Employee, 50, *surface, ui));
    surface->endJob();
  }
  state.counters["sheets_per_second"] = benchmark::Counter(
      double(Employees) * double(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["peak_MB_growth"] = double(peakKilobytes() - before) / 1024.0;
}
BENCHMARK(BM_EmployeeSlipsToPdf)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// One PDF of the employee's copies for each of 1,000 employees.
void BM_SlipPdfsPerEmployee(benchmark::State& state) {
  OpenT4FileState& file = openedFile(1000);
  int written = 0;
  for (auto _ : state) {
    QTemporaryDir into;
    bench::BenchUi ui;
    written = writeSlipPdfs(file, into.path(), ui).written;
  }
  if (written != 1000) state.SkipWithError("not every PDF was written");
}
BENCHMARK(BM_SlipPdfsPerEmployee)
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
