// Quillet — amounts and rates between the text of a field and the stored integers.
#include "core/numeric_text.h"

#include <QRegularExpression>
#include <charconv>
#include <cmath>
#include <limits>

#include "core/key_filters.h"
#include "core/ui.h"

namespace quillet {
namespace {

bool scaledToInt32(const QString& text, double limit, double factor, int32_t& target) {
  const QString trimmed = TrimControlText(text);
  if (trimmed.isEmpty()) {
    target = 0;
    return true;
  }
  double value;  // set when the text is a number
  if (!ParseDecimal(trimmed, value) || !(std::fabs(value) < limit)) return false;
  // nearbyint rounds exact halves to the even neighbour in the default rounding mode.
  const double scaled = std::nearbyint(value * factor);
  // Just below the limit the product can still round up past the 32-bit range.
  if (scaled > std::numeric_limits<int32_t>::max() ||
      scaled < std::numeric_limits<int32_t>::min()) {
    return false;
  }
  target = static_cast<int32_t>(scaled);
  return true;
}

}  // namespace

bool ParseDecimal(const QString& text, double& value) {
  static const QRegularExpression number(
      QStringLiteral(R"(^[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?$)"));
  if (!number.match(text).hasMatch()) return false;
  const QByteArray ascii = text.toLatin1();
  const char* begin = ascii.constData();
  if (*begin == '+') ++begin;  // from_chars takes no plus sign
  const char* end = ascii.constData() + ascii.size();
  const auto [ptr, ec] = std::from_chars(begin, end, value);
  return ec == std::errc() && ptr == end;
}

bool StrToCents(const QString& text, int32_t& target) {
  return scaledToInt32(text, 21474836.475, 100.0, target);
}

bool StrToFix4(const QString& text, int32_t& target) {
  return scaledToInt32(text, 214748.36475, 10000.0, target);
}

bool EnteredCents(const QString& text, int32_t& target) {
  const QString trimmed = TrimControlText(text);
  for (qsizetype i = 0; i < trimmed.size(); ++i) {
    if (!KeyEditDecPoint(trimmed.left(i), trimmed.at(i)).accepted) return false;
  }
  return StrToCents(trimmed, target);
}

QString CentsToStr(int32_t cents) { return QString::number(cents / 100.0, 'f', 2); }

QString Fix4ToStr(int32_t tenThousandths) {
  return QString::number(tenThousandths / 10000.0, 'f', 4);
}

QString invalidAmountMessage() {
  return QStringLiteral(
      "Invalid numeric value. ONLY digits 0 through 9 allowed, and if cents ONLY ONE "
      "decimal point \".\" between the dollars and cents.  Negative amounts are not "
      "allowed.  The absolute maximum value allowed here is 21474836.47 (due to type of "
      "binary storage)");
}

void ShowInvalidAmount(Ui& ui) { ui.showMessage(invalidAmountMessage()); }

QString TrimControlText(const QString& text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && text.at(begin).unicode() <= u' ') ++begin;
  while (end > begin && text.at(end - 1).unicode() <= u' ') --end;
  return text.mid(begin, end - begin);
}

QString digitsOf(const QString& text) {
  QString digits;
  for (const QChar c : text) {
    if (c >= u'0' && c <= u'9') digits += c;
  }
  return digits;
}

}  // namespace quillet
