// Quillet fuzzing — amount and rate texts as typed, the key filters, and six-byte reals.
#include <array>
#include <cstddef>
#include <cstdint>

#include "core/key_filters.h"
#include "core/numeric_text.h"
#include "payroll_import/real48.h"

using namespace quillet;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  for (const QString& text : {QString::fromUtf8(bytes), QString::fromLatin1(bytes)}) {
    int32_t value = 0;
    if (StrToCents(text, value)) (void)CentsToStr(value);
    if (StrToFix4(text, value)) (void)Fix4ToStr(value);
    double number = 0;
    (void)ParseDecimal(text, number);
    (void)TrimControlText(text);
    if (!text.isEmpty()) {
      (void)KeyEditNumOnly(text.chopped(1), text.back());
      (void)KeyEditDecPoint(text.chopped(1), text.back());
    }
  }
  if (size >= 6) {
    std::array<uint8_t, 6> real{};
    std::copy(data, data + 6, real.begin());
    (void)encodeReal48(decodeReal48(real));
  }
  return 0;
}
