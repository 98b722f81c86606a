// Quillet — T4 slips on plain paper: printed, into one PDF, or one PDF per employee.
#include "reports/plain_slips.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include "checks/t4_record_checks.h"
#include "checks/t4a_record_checks.h"
#include "data/open_t4_file.h"
#include "data/t4_record.h"
#include "data/t4a_record.h"
#include "platform/file_names.h"
#include "platform/file_replacement.h"
#include "platform/shared_file.h"
#include "reports/painter_surface.h"
#include "reports/print_report.h"
#include "reports/print_surface.h"
#include "reports/print_ui.h"
#include "reports/record_read_error.h"
#include "reports/t4_forms.h"

namespace quillet {
namespace {

QString documentTitle(SlipKind kind) { return slipName(kind) + QStringLiteral(" Slips"); }

// Lays slips out on Letter sheets, centred across each: an employee's two copies on one
// sheet, or two employees a sheet, a cut line between the two.
class SlipSheets {
 public:
  static constexpr int Left = (850 - SlipWidth) / 2;

  SlipSheets(PrintSurface& surface, const EmployerRecord& employer, SlipCopy copy, int top)
      : m_canvas(surface, Left, top), m_employer(employer), m_copy(copy), m_top(top) {}

  void add(const SlipRecord& record) {
    if (m_copy == SlipCopy::Employee) {
      draw(record, 0);
      draw(record, 1);
    } else {
      draw(record, m_slot);
    }
  }

 private:
  void draw(const SlipRecord& record, int slot) {
    if (slot == 0) {
      if (m_sheets++ > 0) m_canvas.surface().newPage();
      m_canvas.moveOrigin(Left, m_top);
      const int cut = SlipHeight + (SlipPitch - SlipHeight) / 2;
      m_canvas.line(0, cut, SlipWidth, cut);
    }
    m_canvas.moveOrigin(Left, m_top + slot * SlipPitch);
    drawSlip(m_canvas, {m_employer, record, m_copy});
    m_slot = 1 - slot;
  }

  FormCanvas m_canvas;
  const EmployerRecord& m_employer;
  SlipCopy m_copy;
  int m_top;
  int m_sheets = 0;
  int m_slot = 0;
};

// The run onto a surface begun by `start`, or nothing when the user cancelled.
PrintOutcome onto(std::unique_ptr<PrintSurface> surface, PrintUi& ui, const QString& title,
                  const std::function<PrintOutcome(PrintSurface&)>& draw) {
  if (!surface) return PrintOutcome::NotStarted;
  const PrintOutcome outcome = draw(*surface);
  if (outcome != PrintOutcome::Stopped) {
    surface->endJob();
    return outcome;
  }
  surface->abortJob();
  tellPrintingStopped(ui, title);
  return outcome;
}

// A file name's part from a name: ASCII letters (accents taken off), digits and hyphens,
// the rest as "_".
QString namePart(const QString& text) {
  static const QHash<QChar, QString> unaccented = {
      {u'ß', QStringLiteral("ss")}, {u'Æ', QStringLiteral("AE")}, {u'æ', QStringLiteral("ae")},
      {u'Œ', QStringLiteral("OE")}, {u'œ', QStringLiteral("oe")}, {u'Ø', QStringLiteral("O")},
      {u'ø', QStringLiteral("o")},  {u'Ł', QStringLiteral("L")},  {u'ł', QStringLiteral("l")},
      {u'Đ', QStringLiteral("D")},  {u'đ', QStringLiteral("d")},  {u'Þ', QStringLiteral("TH")},
      {u'þ', QStringLiteral("th")},
  };
  QString part;
  for (const QChar c : text.trimmed().normalized(QString::NormalizationForm_KD)) {
    if (c.category() == QChar::Mark_NonSpacing) continue;
    part += unaccented.value(c, QString(c));
  }
  part.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9-]+")), QStringLiteral("_"));
  return part.isEmpty() ? QStringLiteral("_") : part;
}

// The slips CRA would reject, told: the employee's copies print them, the others leave
// them out.
void tellRejected(Ui& ui, const QStringList& rejected, SlipCopy copy, SlipKind kind) {
  if (rejected.isEmpty()) return;
  ui.showMessage((copy == SlipCopy::Employee
                      ? QStringLiteral("CRA would reject these slips; they were printed on the "
                                       "%1's copies, but correct them before you file:\n")
                            .arg(kind == SlipKind::T4 ? QStringLiteral("employee")
                                                      : QStringLiteral("recipient"))
                      : QStringLiteral("CRA would reject these slips: they were not printed.\n")) +
                 rejected.join(u'\n'));
}

// The names a slip's PDF is named by: the surname and first name, or a business's name.
QStringList holderNames(const SlipRecord& r) {
  if (!r.isT4A())
    return {r.text(T4Record::Employee_surname), r.text(T4Record::Employee_first_name)};
  if (r.flag(T4ARecord::Recipient_is_business)) return {r.text(T4ARecord::Business_name_line_1)};
  return {r.text(T4ARecord::Recipient_surname), r.text(T4ARecord::Recipient_first_name)};
}

}  // namespace

SlipCopy slipCopyOf(int formType) {
  switch (formType) {
    case EmployeeCopies:
      return SlipCopy::Employee;
    case CompanyCopies:
      return SlipCopy::Employer;
    default:
      return SlipCopy::Cra;
  }
}

PrintOutcome drawSlipRun(OpenT4FileState& state, const EmployerRecord& employer, SlipCopy copy,
                         int top, PrintSurface& surface, Ui& ui) {
  SlipSheets sheets(surface, employer, copy, top);
  TAlphaInxFileStream& file = state.T4File();
  const QString title = documentTitle(state.slipKind());
  SlipRecord record;
  QStringList rejected;
  Progress progress(ui, title, file.Count());
  for (int i = 0; i < file.Count(); ++i) {
    if (!progress.step(i)) return PrintOutcome::Stopped;
    if (file.ReadIndexed(record.bytes(), i) != Record768::Size) {
      ui.showMessage(printingReadError(file.position(i), title));
      return PrintOutcome::StoppedEarly;
    }
    if (record.isVoid()) continue;
    const QStringList findings = rejectionsOf(record, employer);
    rejected << findings;
    if (findings.isEmpty() || copy == SlipCopy::Employee) sheets.add(record);
  }
  tellRejected(ui, rejected, copy, state.slipKind());
  return rejected.isEmpty() || copy == SlipCopy::Employee ? PrintOutcome::Printed
                                                          : PrintOutcome::StoppedEarly;
}

bool fileOnPaperAnyway(Ui& ui, const EmployerRecord& employer,
                       const std::function<int()>& countSlips, const QString& what, SlipKind kind) {
  if (employer.u16(EmployerRecord::S_Taxation_year) < FirstElectronicOnlyYear) return true;
  const int slips = countSlips();
  if (slips <= MostSlipsOnPaper) return true;
  return ui.ask(QStringLiteral("CRA takes more than five %1 slips only electronically: filing "
                               "these %2 slips on paper draws a penalty. Print the %3 anyway?")
                    .arg(slipName(kind))
                    .arg(slips)
                    .arg(what),
                QuestionKind::YesNo) == Answer::Yes;
}

QStringList rejectionsOf(const SlipRecord& record, const EmployerRecord& employer) {
  QStringList lines;
  for (const QString& finding : record.isT4A() ? rejectedOnPaper(T4ARecord(record))
                                               : rejectedOnPaper(T4Record(record), employer))
    lines << record.holder() + QStringLiteral(": ") + finding;
  return lines;
}

PrintOutcome printPlainSlips(OpenT4FileState& state, PrintUi& ui, const SettingsStore* settings) {
  EmployerRecord employer;
  if (!readEmployerRecordForReports(state, ui, employer)) return PrintOutcome::NotStarted;
  // The margins of the forms' set-up, and its copy when it names one of plain paper's.
  const T4PrintSetUp stored = storedT4SetUp(settings);
  PlainPaperSetUp setUp;
  setUp.top = stored.top;
  setUp.left = stored.left;
  if (stored.formType != DotMatrixForms) setUp.formType = stored.formType;
  if (!ui.editPlainPaperSetUp(setUp)) return PrintOutcome::NotStarted;
  storeT4SetUp(settings, {setUp.top, setUp.left, false, setUp.formType}, setUp.formType, ui);
  const SlipCopy copy = slipCopyOf(setUp.formType);
  const auto slipsNotVoid = [&state] {
    int slips = 0;
    TAlphaInxFileStream& file = state.T4File();
    SlipRecord record;
    for (int i = 0; i < file.Count(); ++i)
      slips += file.ReadIndexed(record.bytes(), i) == Record768::Size && !record.isVoid();
    return slips;
  };
  const SlipKind kind = state.slipKind();
  if (copy == SlipCopy::Cra &&
      !fileOnPaperAnyway(ui, employer, slipsNotVoid, QStringLiteral("CRA copies"), kind))
    return PrintOutcome::NotStarted;
  const QString title = documentTitle(kind);
  return onto(ui.startPrintJob(title, FontChoice::FormsOwn), ui, title, [&](PrintSurface& s) {
    return drawSlipRun(state, employer, copy, setUp.top, s, ui);
  });
}

SlipPdfs writeSlipPdfs(OpenT4FileState& state, const QString& folder, Ui& ui) {
  SlipPdfs done;
  EmployerRecord employer;
  if (!readEmployerRecordForReports(state, ui, employer)) return done;
  const QString year = QString::number(employer.u16(EmployerRecord::S_Taxation_year));
  QSet<QString> used;
  QStringList rejected;
  TAlphaInxFileStream& file = state.T4File();
  const SlipKind kind = state.slipKind();
  SlipRecord record;
  Progress progress(ui, slipName(kind) + QStringLiteral(" slips as PDF"), file.Count());
  for (int i = 0; i < file.Count(); ++i) {
    if (!progress.step(i)) {
      done.outcome = PrintOutcome::Stopped;
      return done;
    }
    if (file.ReadIndexed(record.bytes(), i) != Record768::Size) {
      ui.showMessage(printingReadError(file.position(i), documentTitle(kind)));
      done.outcome = PrintOutcome::StoppedEarly;
      return done;
    }
    if (record.isVoid()) continue;
    rejected << rejectionsOf(record, employer);
    const QStringList names = holderNames(record);
    QString stem = year;
    for (const QString& name : names) stem += u'-' + namePart(name);
    QString name = stem + QStringLiteral(".pdf");
    for (int n = 2; used.contains(name.toLower()); ++n)
      name = QStringLiteral("%1-%2.pdf").arg(stem).arg(n);
    used.insert(name.toLower());
    const QString path = QDir(folder).filePath(name);
    // The T4 file itself, under that name, is never replaced by a slip.
    const bool theT4File = platform::sameFile(path, state.T4FileName());
    if (QFileInfo::exists(path) && !theT4File) {
      const Answer answer = ui.ask(path + QStringLiteral("\nThis file exists already. Replace it?"),
                                   QuestionKind::YesNoCancel);
      if (answer == Answer::Cancel) return done;
      if (answer == Answer::No) {
        ++done.kept;
        continue;
      }
    }
    if (const QString note = platform::otherNamesNote(path); !note.isEmpty() && !theT4File)
      ui.showMessage(note);
    bool whole = false;
    const auto pdf =
        theT4File ? nullptr
                  : makePdfSurface(path,
                                   QStringLiteral("%1 %2 %3")
                                       .arg(slipName(kind), year,
                                            QStringList(names.crbegin(), names.crend()).join(u' ')),
                                   QFont(), 600, [&whole](bool ok) { whole = ok; });
    if (pdf) {
      SlipSheets(*pdf, employer, SlipCopy::Employee, T4PrintSetUp{}.top).add(record);
      pdf->endJob();
    }
    if (!whole) {
      ui.showMessage(
          (pdf ? platform::cannotWriteMessage(path) : platform::cannotCreateMessage(path)));
      done.outcome = PrintOutcome::StoppedEarly;
      done.failed = true;
      return done;
    }
    ++done.written;
  }
  tellRejected(ui, rejected, SlipCopy::Employee, kind);
  done.outcome = PrintOutcome::Printed;
  return done;
}

QString slipPdfsWritten(const SlipPdfs& done, const QString& folder, SlipKind kind) {
  QString text = QStringLiteral("%1 PDF file(s) of %2 slips written to %3")
                     .arg(done.written)
                     .arg(slipName(kind), folder);
  if (done.kept > 0) text += QStringLiteral("; %1 existing file(s) kept").arg(done.kept);
  if (done.outcome == PrintOutcome::Stopped) text += QStringLiteral("; stopped before the rest");
  return text;
}

void exportSlipPdfs(OpenT4FileState& state, Ui& ui) {
  const SlipKind kind = state.slipKind();
  const QString folder =
      ui.chooseFolder(QStringLiteral("Folder for the %1 slips as PDF, one per %2")
                          .arg(slipName(kind), kind == SlipKind::T4 ? QStringLiteral("employee")
                                                                    : QStringLiteral("recipient")));
  if (folder.isEmpty()) return;
  const SlipPdfs done = writeSlipPdfs(state, folder, ui);
  if (done.outcome == PrintOutcome::NotStarted && done.written == 0) return;
  ui.showMessage(slipPdfsWritten(done, QDir::toNativeSeparators(folder), kind) + u'.');
}

}  // namespace quillet
