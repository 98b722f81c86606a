// Quillet — the employer information screen without its window: the working record,
// the action of each field as it is left, and closing with the save.
#pragma once

#include <QString>
#include <optional>

#include "data/employer_record.h"
#include "screens/field_outcome.h"

namespace quillet {

class Clock;
class OpenT4FileState;
class Ui;

class EmployerScreenController {
 public:
  // The controls' Tags.
  enum Tag {
    Name1 = 1,
    Name2,
    Name3,
    Addr1,
    Addr2,
    City,
    Prov,
    Country,
    PostCode,
    BusnNum,
    ContName,
    ContArea,
    ContNumbr,
    ContExtn,
    Sin1,
    Sin2,
    CppRate,
    CppMaxPrem,
    CppMaxEarn,
    CppEarnExempt,
    EiRate,
    EiMaxPrem,
    EiMaxEarn,
    TaxYr,
    NewHires,
    EiMult,
    // The rates of the later years, the default box 45 and the contact's e-mail.
    Cpp2MaxEarn,
    Cpp2Rate,
    Cpp2MaxPrem,
    QppRate,
    QppMaxPrem,
    Qpp2MaxPrem,
    QcEiRate,
    QcEiMaxPrem,
    PpipMaxEarn,
    PpipRate,
    PpipEmprRate,
    PpipMaxPrem,
    DentalCode,
    ContEmail,
  };
  static constexpr int FirstTag = Name1;
  static constexpr int LastTag = ContEmail;

  EmployerScreenController(OpenT4FileState& state, Ui& ui, const Clock& clock);

  // Loads the employer record, or gives a file without one the default rates.
  void open();

  // The text a control shows for the working record.
  QString fieldText(int tag) const;

  // The user left the control with Tag `tag` holding `text`.
  FieldOutcome leaveField(int tag, const QString& text);

  // Every way of closing: the record's findings (Fix Error keeps the screen open), then
  // the save or the question about changes. True when the screen may close.
  bool closeQuery(bool okClicked);

  const EmployerRecord& working() const { return m_working; }
  // The working record kept before an entry is checked, and put back when the user closes
  // the screen without that entry: what the entry changed is dropped.
  void keepWorking() { m_kept = m_working; }
  void dropEntry() { m_working = m_kept; }

 private:
  FieldOutcome leaveNumber(int tag, const QString& text);
  FieldOutcome leaveProvince(const QString& text);
  FieldOutcome offerRatesOf(int year);
  FieldOutcome leaveDentalCode(const QString& text);
  FieldOutcome leaveEmail(const QString& text);
  FieldOutcome leaveBusinessNumber(const QString& text);
  FieldOutcome leaveSin(const Field& field, const QString& text);
  // True when the record is on the disk; otherwise the failure has been told.
  bool save();
  bool rewriteWithBusinessNumber();

  OpenT4FileState& m_state;
  Ui& m_ui;
  const Clock& m_clock;
  EmployerRecord m_working;
  EmployerRecord m_kept;      // the working record before an entry that may be dropped
  EmployerRecord m_original;  // as read on opening
  QString m_openingBusinessNumber;
};

}  // namespace quillet
