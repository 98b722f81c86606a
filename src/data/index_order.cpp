// Quillet — the order of the employee index: the user's locale, case ignored.
#include "data/index_order.h"

#include <QLocale>

namespace quillet {

QCollator indexCollator() {
  QLocale locale;
  if (locale.language() == QLocale::C) locale = QLocale(QLocale::English);
  QCollator collator(locale);
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  return collator;
}

}  // namespace quillet
