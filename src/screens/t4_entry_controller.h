// Quillet — the T4 entry screen without its window: the working record, the check of
// each field as it is left, the save step and the moves through the index.
#pragma once

#include "data/t4_record.h"
#include "screens/slip_entry_controller.h"

namespace quillet {

class T4EntryController : public SlipEntryController<T4Record> {
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

  T4EntryController(OpenT4FileState& state, ScreensUi& ui) : SlipEntryController(state, ui) {}

  void open() override;
  QString fieldText(int tag) const override;
  FieldOutcome leaveField(int tag, const QString& text) override;

 protected:
  // The findings, the reconciliation notes ahead of the first.
  bool checkWorking(QStringList& report) override;
  T4Record newRecord(const Record768& prefix) const override;
  QString saveKey() const override;
  SlipKind kind() const override { return SlipKind::T4; }

 private:
  FieldOutcome leaveDental(const QString& text);
  FieldOutcome leaveProvince(int tag, const QString& text);
  FieldOutcome leaveSin(const QString& text);
  FieldOutcome leaveCode(int tag, const QString& text);

  bool m_notesShown = false;
};

}  // namespace quillet
