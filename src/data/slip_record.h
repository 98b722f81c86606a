// Quillet — a slip of either kind, T4 or T4A, as the filing of returns sees it.
#pragma once

#include <span>

#include "data/record.h"

namespace quillet {

// A T4 or T4A record, told apart by its record type. VOID stands at the same place in both;
// the report type, the layout and who the slip is for are each kind's own.
class SlipRecord : public Record768 {
 public:
  SlipRecord() = default;
  SlipRecord(const Record768& record) : Record768(record) {}

  bool isT4A() const { return recordType() == T4ARecordType; }
  bool isVoid() const;
  // 0 original, 1 amended, 2 cancelled.
  uint8_t reportType() const { return byte(reportTypeField()); }
  void setReportType(uint8_t type) { setByte(reportTypeField(), type); }
  bool isCancelled() const { return reportType() == 2; }
  // Every field of the kind, the common prefix first.
  std::span<const Field> layout() const;
  // Who the slip is for: "Surname, First (SIN 046 454 286)", "Name (BN 123456789RT0001)".
  QString holder() const;
  // The digits of the SIN, or of a business recipient's number.
  QString holderNumber() const;

 private:
  const Field& reportTypeField() const;
};

}  // namespace quillet
