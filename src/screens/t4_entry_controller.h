// Quillet — the T4 entry screen without its window: the working record, the check of
// each field as it is left, the save step and the moves through the index.
#pragma once

#include <QString>
#include <optional>

#include "data/employer_record.h"
#include "data/t4_record.h"
#include "screens/field_outcome.h"
#include "screens/screens_ui.h"

namespace quillet {

class OpenT4FileState;

class T4EntryController {
 public:
  // The controls' Tags; the other-information codes and amounts alternate from 28 to 39.
  enum Tag {
    Void = 1,
    EmploymentIncome,
    IncomeTax,
    ProvinceOfEmployment,
    Cpp,
    EiInsurable,
    Sin,
    CppExempt,
    EiExempt,
    EmploymentCode,
    Qpp,
    PensionEarn,
    EiPremium,
    UnionDues,
    Rpp,
    Charitable,
    PensionAdj,
    RppPlan,
    Surname,
    FirstName,
    Initial,
    Addr1,
    Addr2,
    City,
    Province,
    Country,
    PostCode,
    OtherCode1,
    OtherAmount1,
    OtherCode2,
    OtherAmount2,
    OtherCode3,
    OtherAmount3,
    OtherCode4,
    OtherAmount4,
    OtherCode5,
    OtherAmount5,
    OtherCode6,
    OtherAmount6,
    // The boxes of the later years, the report type and the employee number.
    Cpp2,
    Qpp2,
    Ppip,
    PpipInsurable,
    Dental,
    PpipExempt,
    ReportType,
    EmployeeNumber,
  };
  static constexpr int FirstTag = Void;
  static constexpr int LastTag = EmployeeNumber;

  // The texts of the report type's list: original, amended, cancelled (stored 0, 1, 2).
  static const QStringList& reportTypeTexts();

  enum class Move { First, Prevs, Next, Last };

  T4EntryController(OpenT4FileState& state, ScreensUi& ui);

  // Loads the employer copy and the first record in name order, or starts a new record.
  void open();

  // What a control shows: a check box is ticked for anything but "0".
  QString fieldText(int tag) const;

  // The user left the control with Tag `tag` holding `text` (a check box: "1" or "0").
  FieldOutcome leaveField(int tag, const QString& text);

  // The findings, then "Do you wish to save your changes to the last T4 ?". Nothing when
  // no question was asked; Cancel also after "Fix Error", and after a save that did not
  // reach the disk (told with the file-failure message; the record stays unsaved).
  std::optional<Answer> AskSaveChanges();

  // The navigation buttons, "Add New", "Pick from Index" and the close request. A move,
  // add or pick returns true when the screen shows another record.
  bool move(Move move);
  bool addNew();
  bool pickFromIndex();
  bool closeQuery();

  const T4Record& working() const { return m_working; }
  // The working record kept before an entry is checked, and put back when the user closes
  // the screen without that entry: what the entry changed is dropped.
  void keepWorking() { m_kept = m_working; }
  void dropEntry() { m_working = m_kept; }
  const EmployerRecord& employer() const { return m_employer; }
  int currentPosition() const { return m_position; }
  bool isNew() const { return m_new; }

 private:
  FieldOutcome leaveDental(const QString& text);
  // A new T4 record after `prefix`, with the employer's defaults.
  T4Record newRecord(const Record768& prefix) const;
  void readAt(int indexPosition);
  FieldOutcome leaveProvince(int tag, const QString& text);
  FieldOutcome leaveSin(const QString& text);
  FieldOutcome leaveCode(int tag, const QString& text);

  OpenT4FileState& m_state;
  ScreensUi& m_ui;
  T4Record m_working;
  T4Record m_kept;  // the working record before an entry that may be dropped
  EmployerRecord m_employer;
  int m_position = 0;
  int64_t m_storedAt = -1;  // the place in the file of the record shown; -1: none
  bool m_new = false;
  bool m_notesShown = false;
};

// Blank, or beginning with two digits.
bool IsBlankOrNumbered(const QString& text);

}  // namespace quillet
