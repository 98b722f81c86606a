// Quillet — the T4 Source Register: the year-end file as it stands, four employees a page.
#include "payroll_import/source_register.h"

#include <QFileInfo>
#include <array>

#include "core/clock.h"
#include "data/file_safety.h"
#include "data/t4_file.h"
#include "payroll_import/payroll_records.h"
#include "reports/print_report.h"
#include "reports/print_ui.h"

namespace quillet {
namespace {

using Y = YearEndRecord;

constexpr int Rows = 90;
constexpr int Columns = 4;

// The labels of the amount rows 32 to 90.
const std::array<const char*, 59> AmountLabels = {
    "Salary",        "Reg Wages",     "Otime 1 Amt",   "Otime 2 Amt",   "Otime 3 Amt",
    "Shift Premium", "Staty Hols",    "Vacation",      "Sick Pay",      "Prodn. Bonus",
    "Commission",    "Bonus",         "Tips",          "Other Pay 1",   "Other Pay 2",
    "Other Pay 3",   "Tot Actl Pay",  "TxB.House/Brd", "TxB.Travel PA", "Tax Ben Auto",
    "Tax Ben Intr.", "Tax Ben Oth 1", "Tax Ben Oth 2", "Tax Ben Oth 3", "Taxable Pay",
    "Fed Payable",   "Prov Payable",  "Total Inc Tax", "CPP",           "EI",
    "Rgstrd Pns Pl", "Paymt To DPSP", "Pymt Chrity 1", "Pymt Chrity 2", "Pymt To Union",
    "Ded Prov Hlth", "Ded Othr Hlth", "Ded Life Insc", "Ded Accident",  "Deduct CSB",
    "Ded Socl Club", "Ded Xmas Club", "Deduct Auto",   "Deduct Othr 1", "Deduct Othr 2",
    "Deduct Othr 3", "Deduct Othr 4", "Deduct Othr 5", "Total Deduct",  "Net Pay",
    "Non Tx Reimb1", "Non Tx Reimb2", "Non Tx Reimb3", "Non Tx Reimb4", "Issue Cheque",
    "Vacation Accr", "Sick Accrual",  "CPP Pens Earn", "EI Ins Earn"};

// The rows whose labels each company names for itself, in the order of the configuration.
constexpr std::array<int, 18> ConfiguredRows = {45, 46, 47, 53, 54, 55, 64, 65, 68,
                                                75, 76, 77, 78, 79, 82, 83, 84, 85};

// The text rows of the employee columns and the fields they show.
const std::array<std::pair<int, Field>, 11> TextRows = {{{2, Y::Sin},
                                                         {3, Y::EmployeeNumber},
                                                         {4, Y::Surname},
                                                         {5, Y::FirstName},
                                                         {6, Y::Street},
                                                         {7, Y::Town},
                                                         {8, Y::Province},
                                                         {9, Y::PostCode},
                                                         {10, Y::Phone},
                                                         {15, Y::PensionRegistration},
                                                         {16, Y::ProvinceOfEmployment}}};

QString amountText(double value) { return QString::asprintf("%4.2f", value).left(13); }

class Register {
 public:
  Register(TPrintReport& report, const ConfigRecord& config, QString yearEndPath, QString fileLine,
           QString printedAt)
      : m_report(report),
        m_company(config.text(ConfigRecord::CompanyName)),
        m_path(std::move(yearEndPath)),
        m_fileLine(std::move(fileLine)),
        m_printedAt(std::move(printedAt)) {
    for (int k = Y::FirstAmount; k <= Y::LastAmount; ++k)
      m_labels[k] = QLatin1String(AmountLabels[k - 32]);
    for (const auto& [row, field] : TextRows)
      m_labels[row] = QLatin1String(field.name.data(), qsizetype(field.name.size()));
    for (std::size_t j = 0; j < ConfiguredRows.size(); ++j) {
      const Field label = textField("label", int(734 + 14 * j), 13);
      m_labels[ConfiguredRows[j]] = config.text(label);
    }
  }

  void addEmployee(const YearEndRecord& y) {
    for (const auto& [row, field] : TextRows) cell(row) = y.text(field).left(13);
    for (int k = Y::FirstAmount; k <= Y::LastAmount; ++k) {
      const double amount = y.amount(k);
      m_totals[k - 32] += amount;
      if (amount != 0) cell(k) = amountText(amount);
    }
    nextColumn();
  }

  void addTotals() {
    const char* texts[] = {"GRAND TOTAL", "BEFORE T4",     "EDIT FOR",     "THIS TAX",
                           "YEAR",        "*************", "*************"};
    for (int row = 2; row <= 8; ++row) cell(row) = QLatin1String(texts[row - 2]);
    for (int k = Y::FirstAmount; k <= Y::LastAmount; ++k) {
      if (m_totals[k - 32] != 0) cell(k) = amountText(m_totals[k - 32]);
    }
    nextColumn();
  }

  void finish() {
    if (m_column > 1) printBlock();
  }

 private:
  QString& cell(int row) { return m_grid[std::size_t(row)][std::size_t(m_column - 1)]; }

  void nextColumn() {
    if (++m_column > Columns) printBlock();
  }

  void printBlock() {
    heading();
    const auto rows = [this](int from, int to) {
      for (int row = from; row <= to; ++row) printRow(row);
    };
    rows(2, 10);
    rows(15, 16);
    separator();
    rows(32, 48);
    separator();
    rows(49, 56);
    separator();
    rows(57, 59);
    separator();
    rows(60, 80);
    separator();
    rows(81, 85);
    separator();
    rows(86, 86);
    separator();
    rows(87, 90);
    for (auto& row : m_grid) row.fill(QString());
    m_column = 1;
  }

  void printRow(int row) {
    const auto& cells = m_grid[std::size_t(row)];
    if (row > 16 &&
        std::all_of(cells.begin(), cells.end(), [](const QString& c) { return c.isEmpty(); }))
      return;
    if (++m_lines > 60) heading();
    m_report.PrintRightAligned(13, m_labels[row]);
    for (int column = 0; column < Columns; ++column)
      m_report.PrintRightAligned(28 + 15 * column, cells[std::size_t(column)]);
    m_report.NewLine();
  }

  void separator() {
    if (m_lines != m_lastSeparator) {
      m_report.NewLine();
      ++m_lines;
    }
    m_lastSeparator = m_lines;
  }

  void heading() {
    // A page the engine has just begun by itself (its lines ran out with the register's
    // count) takes the heading; no empty page is fed before it.
    if (m_page != 0 && m_report.CurrentY() != m_report.TopMargin()) m_report.NewPage();
    ++m_page;
    m_report.BoldOn();
    m_report.UnderlineOn();
    m_report.PrintAtColumn(1, QStringLiteral("T4 SOURCE REGISTER FOR ") + m_company);
    m_report.BoldOff();
    m_report.UnderlineOff();
    m_report.PrintRightAligned(71, QStringLiteral("Page %1").arg(m_page));
    m_report.NewLine();
    m_report.NewLine();
    m_report.PrintAtColumn(
        1,
        QStringLiteral("Figures on this report are as output by the final pay cycle of the year"));
    m_report.NewLine();
    m_report.PrintAtColumn(
        1, QStringLiteral("and are BEFORE any T4 Editing.  Report printed ") + m_printedAt);
    m_report.NewLine();
    m_report.PrintAtColumn(
        1, QStringLiteral("sorted into alphabetical order from information in file:"));
    m_report.NewLine();
    m_report.NewLine();
    m_report.PrintAtColumn(1, m_path);
    m_report.NewLine();
    m_report.PrintAtColumn(1, m_fileLine);
    for (int i = 0; i < 3; ++i) m_report.NewLine();
    m_lines = 10;
    m_lastSeparator = 10;
  }

  TPrintReport& m_report;
  QString m_company;
  QString m_path;
  QString m_fileLine;
  QString m_printedAt;
  std::array<QString, Rows + 1> m_labels;
  std::array<std::array<QString, Columns>, Rows + 1> m_grid;
  std::array<double, 59> m_totals{};
  int m_column = 1;
  int m_page = 0;
  int m_lines = 0;
  int m_lastSeparator = 0;
};

}  // namespace

PrintOutcome PrintSourceRegister(PrintUi& ui, const Clock& clock, const QString& yearEndPath,
                                 const ConfigRecord& config) {
  QString fileLine =
      QStringLiteral("(File created: ") + dateTimeStamp(QFileInfo(yearEndPath).lastModified());
  const QString printedAt = dateTimeStamp(clock.now());
  auto opened = TAlphaInxFileStream::Create(yearEndPath, platform::OpenMode::ReadDenyWrite, 0,
                                            IndexKind::YearEndEmployee, YearEndRecord::Size);
  if (!opened) {
    ShowFileError(QStringLiteral("open"), yearEndPath, ui);
    return PrintOutcome::NotStarted;
  }
  TAlphaInxFileStream& file = **opened;
  fileLine += QStringLiteral(" - contains %1 employees)").arg(file.Count());

  const QString title = QStringLiteral("T4 Source Register");
  TPrintReport report(ui, clock, title, 50, 50, 50, 20, false);
  if (report.Aborted()) return PrintOutcome::NotStarted;
  const BusyBox busy(ui, title);
  Register reg(report, config, yearEndPath, fileLine, printedAt);
  PrintOutcome outcome = PrintOutcome::Printed;
  std::array<uint8_t, YearEndRecord::Size> bytes{};
  for (int i = 0; i < file.Count(); ++i) {
    if (file.ReadIndexed(bytes, i) != YearEndRecord::Size) {
      ShowFileError(QStringLiteral("read"), yearEndPath, ui);
      outcome = PrintOutcome::StoppedEarly;
      break;
    }
    reg.addEmployee(YearEndRecord(bytes));
  }
  reg.addTotals();
  reg.finish();
  return outcome;
}

}  // namespace quillet
