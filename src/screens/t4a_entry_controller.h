// Quillet — the T4A entry screen without its window: a person or a business as recipient,
// the named boxes and twelve other-information pairs, each field checked as it is left.
#pragma once

#include "data/t4a_record.h"
#include "screens/slip_entry_controller.h"

namespace quillet {

class T4AEntryController : public SlipEntryController<T4ARecord> {
 public:
  // The controls' Tags; the other-information codes and amounts alternate from OtherCode1.
  enum Tag {
    Void = 1,
    IsBusiness,
    Surname,
    FirstName,
    Initial,
    BusinessName1,
    BusinessName2,
    Addr1,
    Addr2,
    City,
    Province,
    Country,
    PostCode,
    Sin,
    RecipientBn,
    RecipientNumber,
    Pension,      // 016
    LumpSum,      // 018
    Commissions,  // 020
    IncomeTax,    // 022
    Annuities,    // 024
    Fees,         // 048
    Dental,       // 015
    RppPlan,
    ReportType,
    OtherCode1,
    OtherAmount1,
    OtherCode12 = OtherCode1 + 22,
    OtherAmount12,
  };
  static constexpr int FirstTag = Void;
  static constexpr int LastTag = OtherAmount12;

  // The other-information codes of the year, as the list offers them: "028 Other income".
  static QStringList otherInfoTexts(int year);

  T4AEntryController(OpenT4FileState& state, ScreensUi& ui) : SlipEntryController(state, ui) {}

  QString fieldText(int tag) const override;
  FieldOutcome leaveField(int tag, const QString& text) override;
  bool addNew() override;

 protected:
  bool checkWorking(QStringList& report) override;
  T4ARecord newRecord(const Record768& prefix) const override;
  QString saveKey() const override;
  SlipKind kind() const override { return SlipKind::T4A; }

 private:
  FieldOutcome leaveOtherCode(int tag, const QString& text);
  FieldOutcome leaveAmount(int tag, const QString& text);
  FieldOutcome leaveProvince(const QString& text);
  FieldOutcome leaveNumber(int tag, const QString& text);
  int year() const { return m_employer.u16(EmployerRecord::S_Taxation_year); }
};

}  // namespace quillet
