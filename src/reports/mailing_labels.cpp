// Quillet — mailing labels for the employees, two across on single sheets.
#include "reports/mailing_labels.h"

#include "data/open_t4_file.h"
#include "data/t4_record.h"
#include "reports/print_report.h"
#include "reports/print_ui.h"
#include "reports/record_read_error.h"

namespace quillet {
namespace {

using T = T4Record;

constexpr int LeftColumn = 2;
constexpr int RightColumn = 44;

QStringList labelLines(const T4Record& r) {
  // The fields' widths keep the name within 35 characters and the last line within 42.
  const QString name =
      r.firstName() + u' ' + r.text(T::Employee_secondinitial) + u' ' + r.surname();
  const QString province = r.text(T::Employee_province_code) + QStringLiteral("  ") +
                           r.text(T::Employee_country_code) + QStringLiteral("  ") +
                           r.text(T::Employee_postal_code);

  QStringList lines{name, r.text(T::Employee_address_line_1)};
  if (!r.isEmpty(T::Employee_address_line_2)) lines << r.text(T::Employee_address_line_2);
  return lines << r.text(T::Employee_city) << province;
}

}  // namespace

const QList<LabelStyle>& labelStyles() {
  static const QList<LabelStyle> styles = {
      {QStringLiteral("4\" x 1\",  2 across, 10 down, 20 per sheet"), 20, 50, 2, 6},
      {QStringLiteral("4\" x 1 1/3\",  2 across, 7 down, 14 per sheet"), 14, 83, 3, 8},
      {QStringLiteral("4\" x 1 1/2\",  2 across, 7 down, 14 per sheet"), 14, 25, 4, 9},
      {QStringLiteral("4\" x 2\",  2 across, 5 down, 10 per sheet"), 10, 50, 4, 12},
  };
  return styles;
}

PrintOutcome printMailingLabels(OpenT4FileState& state, PrintUi& ui, const Clock& clock) {
  const std::optional<int> choice = ui.chooseLabelStyle();
  if (!choice || *choice < 0 || *choice >= labelStyles().size()) return PrintOutcome::NotStarted;
  const LabelStyle& style = labelStyles().at(*choice);
  const QString title = QStringLiteral("T4 Mailing Labels");
  TPrintReport report(ui, clock, title, style.margin, style.margin, 25, 25, true);
  if (report.Aborted()) return PrintOutcome::NotStarted;
  const BusyBox busy(ui, title);

  int label = 1;
  int column = LeftColumn;
  int row = style.firstRow;
  TAlphaInxFileStream& file = state.T4File();
  T4Record record;
  for (int i = 0; i < file.Count(); ++i) {
    if (file.ReadIndexed(state.sharedRecord().bytes(), i) != Record768::Size) {
      ui.showMessage(printingReadError(file.position(i), QStringLiteral("T4 Labels")));
      return PrintOutcome::StoppedEarly;
    }
    record.bytes() = state.sharedRecord().bytes();
    if (record.isVoid()) continue;
    if (label > style.perSheet) {
      report.NewPage();
      label = 1;
      column = LeftColumn;
      row = style.firstRow;
    }
    const QStringList lines = labelLines(record);
    for (qsizetype n = 0; n < lines.size(); ++n)
      report.PrintAtCell(column, row + int(n), lines.at(n));
    if (label % 2 == 1) {
      column = RightColumn;
    } else {
      column = LeftColumn;
      row += style.rowStep;
    }
    ++label;
  }
  return PrintOutcome::Printed;
}

}  // namespace quillet
