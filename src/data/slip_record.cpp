// Quillet — a slip of either kind, T4 or T4A, as the filing of returns sees it.
#include "data/slip_record.h"

#include "core/numeric_text.h"
#include "data/t4_record.h"
#include "data/t4a_record.h"

namespace quillet {

static_assert(T4Record::VOID.offset == T4ARecord::VOID.offset);

bool SlipRecord::isVoid() const { return flag(T4Record::VOID); }

const Field& SlipRecord::reportTypeField() const {
  return isT4A() ? T4ARecord::Report_type : T4Record::Report_type;
}

std::span<const Field> SlipRecord::layout() const {
  return isT4A() ? T4ARecord::layout() : T4Record::layout();
}

QString SlipRecord::holder() const {
  return isT4A() ? T4ARecord(*this).nameAndNumber() : T4Record(*this).nameAndSin();
}

QString SlipRecord::holderNumber() const {
  if (!isT4A()) return digitsOf(text(T4Record::Employee_SIN));
  return digitsOf(text(flag(T4ARecord::Recipient_is_business) ? T4ARecord::Recipient_BN
                                                              : T4ARecord::Recipient_SIN));
}

}  // namespace quillet
