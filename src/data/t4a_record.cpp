// Quillet — the T4A record layout.
#include "data/t4a_record.h"

namespace quillet {

std::span<const Field> T4ARecord::layout() {
  static constexpr Field all[] = {QUILLET_COMMON_FIELDS(QUILLET_LIST_FIELD)
                                      QUILLET_T4A_FIELDS(QUILLET_LIST_FIELD)};
  return all;
}

T4ARecord T4ARecord::newFrom(const Record768& source) {
  T4ARecord record;
  record.copyPrefixFrom(source);
  record.setByte(Record_type, T4ARecordType);
  return record;
}

QString T4ARecord::name() const {
  if (isBusiness()) return text(Business_name_line_1);
  // "Surname, First", without the comma when either is missing.
  const QString surname = text(Recipient_surname), first = text(Recipient_first_name);
  return surname.isEmpty() || first.isEmpty() ? surname + first
                                              : surname + QStringLiteral(", ") + first;
}

QString T4ARecord::nameAndNumber() const {
  return isBusiness() ? QStringLiteral("%1 (BN %2)").arg(name(), text(Recipient_BN))
                      : QStringLiteral("%1 (SIN %2)").arg(name(), text(Recipient_SIN));
}

}  // namespace quillet
