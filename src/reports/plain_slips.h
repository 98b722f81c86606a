// Quillet — T4 or T4A slips on plain paper: printed, into one PDF, or one PDF per employee
// or recipient.
#pragma once

#include <QString>
#include <functional>

#include "reports/plain_slip.h"
#include "reports/print_outcome.h"

namespace quillet {

class OpenT4FileState;
class PrintSurface;
class SettingsStore;
class PrintUi;
class Ui;

// The copy the T4 print set-up's form type stands for on plain paper.
SlipCopy slipCopyOf(int formType);

// The slips of every T4 record that is not VOID, in index order, onto `surface`, from the
// margin `top` (hundredths of an inch from the paper's edge) and centred across the
// sheet: an employee's two copies a sheet, or two employees a sheet. A slip CRA would
// reject is left out of the employer's and CRA's copies and printed on the employee's; the
// user is told which, and why. StoppedEarly when one was left out or a record could not be
// read (the user is told; what came before is printed).
PrintOutcome drawSlipRun(OpenT4FileState& state, const EmployerRecord& employer, SlipCopy copy,
                         int top, PrintSurface& surface, Ui& ui);

// "Smith, John (SIN 046454287): Employee Social Insurance Number failed …", a line for each
// thing CRA would reject on the paper slip of `record`.
QStringList rejectionsOf(const SlipRecord& record, const EmployerRecord& employer);

// From the 2024 tax year CRA takes more than five slips only electronically: before `what`
// is printed for more, the user is told of the penalty and asked whether to go on. The
// slips are counted (`countSlips`) only for such a year.
constexpr int FirstElectronicOnlyYear = 2024, MostSlipsOnPaper = 5;
bool fileOnPaperAnyway(Ui& ui, const EmployerRecord& employer,
                       const std::function<int()>& countSlips, const QString& what,
                       SlipKind kind = SlipKind::T4);

// Print Reports → "T4 slips on plain paper…": the plain-paper set-up (the copy and the top
// margin, shared with the pre-printed forms' set-up), for CRA's copies of more than five
// slips the question of paper filing, then the run.
PrintOutcome printPlainSlips(OpenT4FileState& state, PrintUi& ui, const SettingsStore* settings);

struct SlipPdfs {
  int written = 0;
  int kept = 0;         // existing files the user kept
  bool failed = false;  // a PDF could not be made or written whole
  PrintOutcome outcome = PrintOutcome::NotStarted;
};

// One PDF of the employee's (recipient's) copies per slip that is not VOID, in `folder`,
// named "<year>-<surname>-<first name>.pdf" (a business recipient's "<year>-<name>.pdf") in
// ASCII (with "-2", "-3", … when names repeat). An
// existing file is replaced only when the user says so, and never when it is the T4 file.
SlipPdfs writeSlipPdfs(OpenT4FileState& state, const QString& folder, Ui& ui);
// "N PDF file(s) of T4 slips written to FOLDER", and how many existing ones were kept.
QString slipPdfsWritten(const SlipPdfs& done, const QString& folder, SlipKind kind = SlipKind::T4);

// Print Reports → "T4 slips as PDF, one per employee…": asks for the folder, writes, and
// names the folder and the count.
void exportSlipPdfs(OpenT4FileState& state, Ui& ui);

}  // namespace quillet
