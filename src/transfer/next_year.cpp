// Quillet — next year's T4 file started from this one.
#include "transfer/next_year.h"

#include <QFileInfo>

#include "checks/employer_checks.h"
#include "checks/tax_years.h"
#include "core/ui.h"
#include "data/file_safety.h"
#include "data/open_t4_file.h"
#include "data/t4_record.h"
#include "platform/file_replacement.h"

namespace quillet {
namespace {

using T = T4Record;
using E = EmployerRecord;

// What an employee keeps from one year to the next.
constexpr Field Kept[] = {T::Employee_surname,
                          T::Employee_first_name,
                          T::Employee_secondinitial,
                          T::Employee_address_line_1,
                          T::Employee_address_line_2,
                          T::Employee_city,
                          T::Employee_province_code,
                          T::Employee_country_code,
                          T::Employee_postal_code,
                          T::Employee_SIN,
                          T::Province_of_employment_code,
                          T::CPP_OR_Quebec_Pension_Exempt,
                          T::EI_Exempt,
                          T::PPIP_Exempt,
                          T::Employment_code,
                          T::RPP_or_deferred_PlanNumbr,
                          T::Dental_benefits_code,
                          T::Employee_number};

void copyField(const T4Record& from, T4Record& to, const Field& f) {
  const auto source = std::span(from.bytes()).subspan(std::size_t(f.offset), std::size_t(f.size()));
  std::copy(source.begin(), source.end(), to.bytes().begin() + f.offset);
}

}  // namespace

FileResult<NextYear> writeNextYearFile(OpenT4FileState& state, const QString& path) {
  EmployerRecord employer;
  if (!readEmployerRecord(state, employer))
    return FileError{fileErrorMessage(QStringLiteral("read"), state.T4FileName())};
  NextYear made;
  made.year = employer.u16(E::S_Taxation_year) + 1;
  const TaxYearRates* rates = ratesOf(made.year);
  if (!rates) {
    return FileError{QStringLiteral("The rates of %1 are not known to this program yet: its "
                                    "file cannot be started.")
                         .arg(made.year)};
  }
  applyRates(employer, *rates);
  employer.setByte(E::Record_type, EmployerRecordType);
  const FileError failed{fileErrorMessage(QStringLiteral("write"), path)};
  auto replacement = platform::FileReplacement::beginOutput(path);
  if (!replacement) return replacement.error();
  platform::SharedFile& out = replacement->file();
  const auto put = [&out](int64_t position, const Record768& record) {
    return out.writeAt(position, record.bytes()) == Record768::Size;
  };
  if (!put(HeaderPosition, HeaderRecord::forEmployer(employer)) || !put(EmployerPosition, employer))
    return failed;
  TAlphaInxFileStream& file = state.T4File();
  T4Record old;
  int64_t position = FirstT4Position;
  for (int i = 0; i < file.Count(); ++i) {
    if (file.ReadIndexed(old.bytes(), i) != Record768::Size)
      return FileError{fileErrorMessage(QStringLiteral("read"), state.T4FileName())};
    if (old.isVoid()) continue;
    T4Record next = T4Record::newFrom(employer);
    for (const Field& f : Kept) copyField(old, next, f);
    if (!put(position, next)) return failed;
    position += Record768::Size;
    ++made.employees;
  }
  if (auto committed = replacement->commit(); !committed) return committed.error();
  return made;
}

QString startNextYearFile(OpenT4FileState& state, Ui& ui) {
  const QFileInfo current(state.T4FileName());
  EmployerRecord employer;
  readEmployerRecord(state, employer);
  const QString path = ui.chooseFileToSave({QStringLiteral("Start next year's T4 file"),
                                            QStringLiteral("T4E"),
                                            {QStringLiteral("T4 files (*.T4E)")},
                                            true,
                                            current.absolutePath(),
                                            QStringLiteral("%1-%2.T4E")
                                                .arg(current.completeBaseName())
                                                .arg(employer.u16(E::S_Taxation_year) + 1)});
  if (path.isEmpty()) return {};
  if (QFileInfo(path).canonicalFilePath() == current.canonicalFilePath()) {
    ui.showMessage(QStringLiteral("Next year's file cannot take the place of the open file."));
    return {};
  }
  FileResult<NextYear> made = writeNextYearFile(state, path);
  if (!made) {
    ui.showMessage(made.error().message);
    return {};
  }
  ui.showMessage(QStringLiteral("%1 was made for the tax year %2 with %3 employees and that "
                                "year's rates.")
                     .arg(path)
                     .arg(made->year)
                     .arg(made->employees));
  return path;
}

}  // namespace quillet
