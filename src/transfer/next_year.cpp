// Quillet — next year's T4 file started from this one.
#include "transfer/next_year.h"

#include <QFileInfo>

#include "checks/employer_checks.h"
#include "checks/tax_years.h"
#include "core/ui.h"
#include "data/file_safety.h"
#include "data/new_slip_file.h"
#include "data/open_t4_file.h"
#include "data/t4_record.h"
#include "data/t4a_record.h"

namespace quillet {
namespace {

using T = T4Record;
using E = EmployerRecord;
using A = T4ARecord;
static_assert(T::VOID.offset == A::VOID.offset);

// What an employee keeps from one year to the next.
constexpr Field KeptOfT4[] = {T::Employee_surname,
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

// What a recipient keeps from one year to the next.
constexpr Field KeptOfT4A[] = {
    A::Recipient_is_business,    A::Recipient_SIN,        A::Recipient_BN,
    A::Recipient_number,         A::Dental_benefits_code, A::RPP_or_DPSP_number,
    A::Recipient_surname,        A::Recipient_first_name, A::Recipient_initial,
    A::Business_name_line_1,     A::Business_name_line_2, A::Recipient_address_line_1,
    A::Recipient_address_line_2, A::Recipient_city,       A::Recipient_province_code,
    A::Recipient_country_code,   A::Recipient_postal_code};

// Next year's slip of `old`: what is kept, every amount zero, the report type original.
Record768 nextYearsSlip(const Record768& old, const EmployerRecord& employer, SlipKind kind) {
  Record768 next = kind == SlipKind::T4 ? Record768(T4Record::newFrom(employer))
                                        : Record768(T4ARecord::newFrom(employer));
  const std::span<const Field> kept =
      kind == SlipKind::T4 ? std::span<const Field>(KeptOfT4) : std::span<const Field>(KeptOfT4A);
  for (const Field& f : kept) {
    const auto source =
        std::span(old.bytes()).subspan(std::size_t(f.offset), std::size_t(f.size()));
    std::copy(source.begin(), source.end(), next.bytes().begin() + f.offset);
  }
  return next;
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
  const SlipKind kind = state.slipKind();
  auto out = NewSlipFile::begin(path, employer, kind);
  if (!out) return out.error();
  TAlphaInxFileStream& file = state.T4File();
  Record768 old;
  for (int i = 0; i < file.Count(); ++i) {
    if (file.ReadIndexed(old.bytes(), i) != Record768::Size)
      return FileError{fileErrorMessage(QStringLiteral("read"), state.T4FileName())};
    // VOID stands at the same place in both kinds of slip.
    if (old.flag(T::VOID)) continue;
    if (FileStatus added = out->add(nextYearsSlip(old, employer, kind)); !added)
      return FileError{added.message()};
  }
  made.slips = out->slips();
  if (auto committed = out->commit(); !committed) return committed.error();
  return made;
}

QString startNextYearFile(OpenT4FileState& state, Ui& ui) {
  const QFileInfo current(state.T4FileName());
  EmployerRecord employer;
  readEmployerRecord(state, employer);
  const SlipKind kind = state.slipKind();
  const QString suffix = slipFileSuffix(kind);
  const QString path =
      ui.chooseFileToSave({QStringLiteral("Start next year's %1 file").arg(slipName(kind)),
                           suffix,
                           {QStringLiteral("%1 files (*.%2)").arg(slipName(kind), suffix)},
                           true,
                           current.absolutePath(),
                           QStringLiteral("%1-%2.%3")
                               .arg(current.completeBaseName())
                               .arg(employer.u16(E::S_Taxation_year) + 1)
                               .arg(suffix)});
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
  ui.showMessage(QStringLiteral("%1 was made for the tax year %2 with %3 %4 and that "
                                "year's rates.")
                     .arg(path)
                     .arg(made->year)
                     .arg(made->slips)
                     .arg(slipHolders(state.slipKind())));
  return path;
}

}  // namespace quillet
