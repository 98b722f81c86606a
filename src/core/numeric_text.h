// Quillet — amounts and rates between the text of a field and the stored integers.
#pragma once

#include <QString>
#include <cstdint>

namespace quillet {

class Ui;

// A decimal number: a sign, digits with at most one full stop, and an exponent; no
// blanks, no thousands separators.
bool ParseDecimal(const QString& text, double& value);

// Text to whole cents: blanks around it are ignored, empty text is 0, the value is
// rounded half to even. False, and `target` unchanged, for anything that is not a
// decimal number below 21474836.475 in absolute value.
bool StrToCents(const QString& text, int32_t& target);
// The same for ten-thousandths (rates, the EI multiplier), below 214748.36475.
bool StrToFix4(const QString& text, int32_t& target);
// An amount as a money field takes it: only what its key filter lets be typed (digits and
// one full stop, so no sign and no exponent), then StrToCents.
bool EnteredCents(const QString& text, int32_t& target);

// Two decimals, a full stop, no thousands separators: 123456 is "1234.56".
QString CentsToStr(int32_t cents);
// Four decimals: 14000 is "1.4000".
QString Fix4ToStr(int32_t tenThousandths);

QString invalidAmountMessage();
void ShowInvalidAmount(Ui& ui);

// The digits 0 to 9 of `text`, in order: "046 454-286" is "046454286".
QString digitsOf(const QString& text);

// A control's text without its leading and trailing blanks (and control characters).
QString TrimControlText(const QString& text);

}  // namespace quillet
