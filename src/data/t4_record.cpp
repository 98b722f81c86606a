// Quillet — the T4 and employer record layouts.
#include "data/t4_record.h"

#include "data/employer_record.h"

namespace quillet {

std::span<const Field> T4Record::layout() {
  static constexpr Field all[] = {QUILLET_COMMON_FIELDS(QUILLET_LIST_FIELD)
                                      QUILLET_T4_FIELDS(QUILLET_LIST_FIELD)};
  return all;
}

T4Record T4Record::newFrom(const Record768& source) {
  T4Record record;
  record.copyPrefixFrom(source);
  record.setByte(Record_type, T4RecordType);
  return record;
}

std::span<const Field> EmployerRecord::layout() {
  static constexpr Field all[] = {QUILLET_COMMON_FIELDS(QUILLET_LIST_FIELD)
                                      QUILLET_EMPLOYER_FIELDS(QUILLET_LIST_FIELD)};
  return all;
}

}  // namespace quillet
