// Quillet — T4 forms printed onto the government's pre-printed stationery.
#include "reports/t4_forms.h"

#include <algorithm>

#include "core/settings_store.h"
#include "data/open_t4_file.h"
#include "reports/print_report.h"
#include "reports/print_settings.h"
#include "reports/print_ui.h"
#include "reports/record_read_error.h"

namespace quillet {
namespace {

using T = T4Record;
using E = EmployerRecord;

const QString DocumentTitle = QStringLiteral("Employee T4 Forms");

void capitalise(Record768& record, std::initializer_list<Field> fields) {
  for (const Field& field : fields) record.setText(field, record.text(field).toUpper());
}

// The line-up prints and the run propose the next form type: the three laser runs follow
// one another, dot-matrix forms stay dot-matrix forms.
int nextFormType(int formType) {
  switch (formType) {
    case RevenueCanadaCopies:
      return EmployeeCopies;
    case EmployeeCopies:
      return CompanyCopies;
    case CompanyCopies:
      return RevenueCanadaCopies;
    default:
      return formType;
  }
}

}  // namespace

T4PrintSetUp T4PrintSetUp::clamped() const {
  T4PrintSetUp c = *this;
  c.top = std::clamp(top, MinTop, MaxTop);
  c.left = std::clamp(left, MinLeft, MaxLeft);
  return c;
}

T4Record lineUpSample() {
  T4Record r;
  r.setByte(T::Record_type, T4RecordType);
  r.setFlag(T::VOID, true);
  r.setInt32(T::Employment_income, 999999999);
  r.setInt32(T::Income_tax_deducted, 99999999);
  r.setText(T::Province_of_employment_code, QStringLiteral("XX"));
  r.setInt32(T::Employee_CPP, 999999);
  r.setInt32(T::EI_insurable_earnings, 9999999);
  r.setText(T::Employee_SIN, QStringLiteral("123456789"));
  r.setFlag(T::CPP_OR_Quebec_Pension_Exempt, true);
  r.setFlag(T::EI_Exempt, true);
  r.setText(T::Employment_code, QStringLiteral("99"));
  r.setInt32(T::Employee_QPP, 999999);
  r.setInt32(T::CPP_OR_Quebec_PensionEarn, 9999999);
  r.setInt32(T::Employee_EI_premium, 999999);
  for (const Field& f :
       {T::Union_dues, T::RPP_contributions, T::Charitable_donations, T::Pension_adjustment}) {
    r.setInt32(f, 9999999);
  }
  r.setText(T::RPP_or_deferred_PlanNumbr, QStringLiteral("9999999"));
  r.setText(T::Employee_surname, QStringLiteral("TestSurname"));
  r.setText(T::Employee_first_name, QStringLiteral("TestFirstNme"));
  r.setText(T::Employee_secondinitial, QStringLiteral("X"));
  r.setText(T::Employee_address_line_1, QStringLiteral("1234 Main Street"));
  r.setText(T::Employee_address_line_2, QStringLiteral("Suite 1901"));
  r.setText(T::Employee_city, QStringLiteral("Kingston"));
  r.setText(T::Employee_province_code, QStringLiteral("ON"));
  r.setText(T::Employee_country_code, QStringLiteral("CAN"));
  r.setText(T::Employee_postal_code, QStringLiteral("K7L 3N6"));
  for (int i = 0; i < T::OtherInfoCount; ++i) {
    r.setText(T::Other_info_code[i], QString::number(31 + i));
    r.setInt32(T::Other_info_amount[i], i < 2 ? 99999999 : 999999);
  }
  return r;
}

T4FormPrinter::T4FormPrinter(TPrintReport& report, EmployerRecord& employer, int formType)
    : m_report(report), m_employer(employer), m_formType(formType) {}

void T4FormPrinter::printRecord(const T4Record& record, bool last) {
  if (m_formType == EmployeeCopies) printForm(record);  // the same employee twice a sheet
  m_lastForm = last;
  printForm(record);
}

void T4FormPrinter::printSheet(const T4Record& record) {
  m_topForm = true;
  m_lastForm = true;
  printForm(record);
  printForm(record);
}

void T4FormPrinter::nextLines(int count) {
  for (int i = 0; i < count; ++i) m_report.NewLine();
}

void T4FormPrinter::printForm(const T4Record& record) {
  printEmployer(record);          // lines 1 to 10
  printEmployee(record);          // lines 10 to 22
  printOtherInformation(record);  // lines 25 and 28
  endForm();
}

void T4FormPrinter::printEmployer(const T4Record& r) {
  TPrintReport& p = m_report;
  p.PrintAtColumn(5, m_employer.text(E::S_Employer_name_line_1));
  p.PrintCentsInBoxes(39, 4, m_employer.u16(E::S_Taxation_year));
  nextLines(1);  // line 2
  p.PrintAtColumn(5, m_employer.text(E::S_Employer_address_line_1));
  nextLines(1);  // line 3
  p.PrintAtColumn(5, m_employer.text(E::S_Employer_city));
  nextLines(1);  // line 4
  p.PrintAtColumn(5, employerProvinceLine());
  if (r.isVoid()) p.PrintAtColumn(37, QStringLiteral("X"));
  p.PrintCentsInBoxes(45, 9, r.int32(T::Employment_income));
  p.PrintCentsInBoxes(65, 8, r.int32(T::Income_tax_deducted));
  nextLines(3);  // line 7
  if (m_formType != EmployeeCopies) {
    const QString number = m_employer.text(E::RevCan_account_number).toUpper();
    const qsizetype rp = number.indexOf(QStringLiteral("RP"));
    p.PrintInBoxes(7, 9, rp < 0 ? number : number.left(rp));
    if (rp >= 0) p.PrintInBoxes(29, 4, number.mid(rp + 2));
  }
  p.PrintInBoxes(41, 2, r.text(T::Province_of_employment_code));
  p.PrintCentsInBoxes(51, 6, r.int32(T::Employee_CPP));
  p.PrintCentsInBoxes(67, 7, r.int32(T::EI_insurable_earnings));
  nextLines(3);  // line 10
}

void T4FormPrinter::printEmployee(const T4Record& r) {
  TPrintReport& p = m_report;
  p.PrintInBoxes(7, 9, r.text(T::Employee_SIN));
  if (r.flag(T::CPP_OR_Quebec_Pension_Exempt)) p.PrintAtColumn(29, QStringLiteral("X"));
  if (r.flag(T::EI_Exempt)) p.PrintAtColumn(33, QStringLiteral("X"));
  p.PrintInBoxes(41, 2, r.text(T::Employment_code).left(2));
  p.PrintCentsInBoxes(51, 6, r.int32(T::Employee_QPP));
  p.PrintCentsInBoxes(67, 7, r.int32(T::CPP_OR_Quebec_PensionEarn));
  nextLines(3);  // line 13
  p.PrintCentsInBoxes(51, 6, r.int32(T::Employee_EI_premium));
  p.PrintCentsInBoxes(67, 7, r.int32(T::Union_dues));
  nextLines(1);  // line 14
  p.PrintInBoxes(7, 18, r.surname());
  nextLines(2);  // line 16
  p.PrintInBoxes(7, 15, r.firstName());
  p.PrintInBoxes(39, 1, r.text(T::Employee_secondinitial));
  p.PrintCentsInBoxes(49, 7, r.int32(T::RPP_contributions));
  p.PrintCentsInBoxes(67, 7, r.int32(T::Charitable_donations));
  nextLines(2);  // line 18
  p.PrintAtColumn(7, employeeAddressLine(r));
  nextLines(1);  // line 19
  p.PrintCentsInBoxes(49, 7, r.int32(T::Pension_adjustment));
  p.PrintInBoxes(67, 7, r.text(T::RPP_or_deferred_PlanNumbr));
  nextLines(1);  // line 20
  p.PrintAtColumn(7, r.text(T::Employee_city));
  nextLines(2);  // line 22
  p.PrintAtColumn(7, employeeProvinceLine(r));
  p.PrintInBoxes(29, 7, r.text(T::Employee_postal_code));
  nextLines(3);  // line 25
}

void T4FormPrinter::printOtherInformation(const T4Record& r) {
  struct Entry {
    int codeColumn, amountColumn, boxes;
  };
  // Two entries of eight boxes on line 25, four of six on line 28.
  static constexpr Entry entries[] = {{10, 15, 8}, {33, 38, 8}, {10, 15, 6},
                                      {28, 33, 6}, {46, 51, 6}, {64, 69, 6}};
  for (int i = 0; i < T::OtherInfoCount; ++i) {
    if (i == 2) nextLines(3);  // line 28
    const Entry& e = entries[i];
    m_report.PrintInBoxes(e.codeColumn, 2, r.text(T::Other_info_code[i]).left(2));
    m_report.PrintCentsInBoxes(e.amountColumn, e.boxes, r.int32(T::Other_info_amount[i]));
  }
}

void T4FormPrinter::endForm() {
  if (m_topForm) {
    nextLines(6);  // the bottom form starts 33 lines below the top form's first
    m_topForm = false;
    return;
  }
  if (!m_lastForm) m_report.NewPage();
  m_topForm = true;
}

QString T4FormPrinter::employerProvinceLine() {
  const int maxWidth = m_report.PixelsPerInchX() * 28 / 10;
  const QString country = m_employer.text(E::S_Employer_country_code);
  const QString postal = m_employer.text(E::S_Employer_postal_code);
  QString province = m_employer.text(E::S_Employer_province_code);
  QString line = province + QStringLiteral("  ") + country + QStringLiteral("  ") + postal;
  while (m_report.textWidth(line) > maxWidth && !province.isEmpty()) {
    province.chop(1);
    line = province + u' ' + country + u' ' + postal;
  }
  m_employer.setText(E::S_Employer_province_code, province);
  return line;
}

QString T4FormPrinter::employeeAddressLine(const T4Record& r) const {
  const QString second = r.text(T::Employee_address_line_2);
  QString line = r.text(T::Employee_address_line_1);
  if (!second.isEmpty()) line += QStringLiteral(", ") + second;
  const int maxWidth = m_report.PixelsPerInchX() * 37 / 10;
  while (!line.isEmpty() && m_report.textWidth(line) > maxWidth) line.chop(1);
  return line;
}

QString T4FormPrinter::employeeProvinceLine(const T4Record& r) const {
  const int maxWidth = m_report.PixelsPerInchX() * 21 / 10;
  const QString country = r.text(T::Employee_country_code);
  QString province = r.text(T::Employee_province_code);
  const auto build = [&] { return province + QStringLiteral("   ") + country; };
  QString line = build();
  while (m_report.textWidth(line) > maxWidth && !province.isEmpty()) {
    province.chop(1);
    line = build();
  }
  return line;
}

std::optional<EmployerRecord> readEmployerForForms(OpenT4FileState& state, Ui& ui) {
  EmployerRecord employer;
  if (!readEmployerRecord(state, employer)) {
    const Answer answer = ui.ask(
        QStringLiteral("File READ error when getting Company Information. This will be missing on "
                       "T4 Forms. When done, exit program, try copying T4 file, and check disk "
                       "with a disk utility. Click Yes to print incomplete forms (if T4 Employees "
                       "are readable), or No to Stop"),
        QuestionKind::YesNo, {}, QuestionIcon::Error);
    if (answer != Answer::Yes) return std::nullopt;
    return employer;
  }
  capitalise(employer,
             {E::S_Employer_name_line_1, E::S_Employer_address_line_1, E::S_Employer_city,
              E::S_Employer_province_code, E::S_Employer_country_code, E::S_Employer_postal_code});
  return employer;
}

namespace {

PrintOutcome printLineUp(EmployerRecord& employer, const T4PrintSetUp& setUp, PrintUi& ui,
                         const Clock& clock) {
  TPrintReport report(ui, clock, DocumentTitle, setUp.top, 0, setUp.left, 0, true);
  if (report.Aborted()) return PrintOutcome::NotStarted;
  const BusyBox busy(ui, DocumentTitle);
  T4FormPrinter printer(report, employer, setUp.formType);
  const T4Record sample = lineUpSample();
  printer.printSheet(sample);
  return PrintOutcome::Printed;
}

PrintOutcome printRun(OpenT4FileState& state, EmployerRecord employer, const T4PrintSetUp& setUp,
                      PrintUi& ui, const Clock& clock,
                      TPrintReport::Destination destination = TPrintReport::Destination::Printer) {
  TPrintReport report(ui, clock, DocumentTitle, setUp.top, 0, setUp.left, 0, true, destination);
  if (report.Aborted()) return PrintOutcome::NotStarted;
  T4FormPrinter printer(report, employer, setUp.formType);

  // A record is printed once the next printable one is found, so that the last forms of
  // the run are known and no page is fed after them.
  std::optional<T4Record> pending;
  TAlphaInxFileStream& file = state.T4File();
  Progress progress(ui, DocumentTitle, file.Count());
  for (int i = 0; i < file.Count(); ++i) {
    if (!progress.step(i)) {
      report.Abort();
      tellPrintingStopped(ui, DocumentTitle);
      return PrintOutcome::Stopped;
    }
    if (file.ReadIndexed(state.sharedRecord().bytes(), i) != Record768::Size) {
      if (pending) printer.printRecord(*pending, true);
      ui.showMessage(printingReadError(file.position(i), QStringLiteral("T4 Forms")));
      return PrintOutcome::StoppedEarly;
    }
    T4Record record;
    record.bytes() = state.sharedRecord().bytes();
    if (record.isVoid()) continue;
    capitalise(record,
               {T::Employee_surname, T::Employee_first_name, T::Employee_secondinitial,
                T::Employee_address_line_1, T::Employee_address_line_2, T::Employee_city,
                T::Employee_province_code, T::Employee_country_code, T::Employee_postal_code});
    if (pending) printer.printRecord(*pending, false);
    pending = record;
  }
  if (pending) printer.printRecord(*pending, true);
  return PrintOutcome::Printed;
}

}  // namespace

T4PrintSetUp storedT4SetUp(const SettingsStore* settings) {
  const PrintSettings stored = settings ? ReadT4Margins(*settings) : PrintSettings{};
  if (stored.Top == 0 && stored.Left == 0 && stored.T4Type == 0 && !stored.LineUp)
    return {};  // the dialog's own starting values
  return {stored.Top, stored.Left, stored.LineUp, stored.T4Type};
}

void storeT4SetUp(const SettingsStore* settings, const T4PrintSetUp& setUp, int nextType, Ui& ui) {
  if (!settings) return;
  PrintSettings stored = ReadT4Margins(*settings);
  stored.Top = setUp.top;
  stored.Left = setUp.left;
  stored.LineUp = setUp.lineUp;
  stored.T4Type = nextType;
  if (const FileStatus saved = WriteT4Margins(*settings, stored); !saved)
    ui.showMessage(saved.message());
}

PrintOutcome printT4Forms(OpenT4FileState& state, PrintUi& ui, const Clock& clock,
                          const SettingsStore* settings) {
  T4PrintSetUp setUp = storedT4SetUp(settings);
  std::optional<EmployerRecord> employer = readEmployerForForms(state, ui);
  if (!employer || !acceptOldStationery(*employer, ui)) return PrintOutcome::NotStarted;

  PrintOutcome outcome = PrintOutcome::NotStarted;
  for (;;) {
    if (!ui.editT4PrintSetUp(setUp)) return outcome;
    if (setUp.preview) {
      // The whole run on the screen; nothing is stored, and the dialog comes back.
      setUp.preview = false;
      printRun(state, *employer, setUp, ui, clock, TPrintReport::Destination::Preview);
      continue;
    }
    if (!setUp.lineUp) break;
    outcome = printLineUp(*employer, setUp, ui, clock);
  }
  storeT4SetUp(settings, setUp, nextFormType(setUp.formType), ui);
  return printRun(state, *employer, setUp, ui, clock);
}

}  // namespace quillet
