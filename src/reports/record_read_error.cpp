// Quillet — the message of a T4 record that a printing run cannot read.
#include "reports/record_read_error.h"

namespace quillet {

QString printingReadError(int64_t offset, const QString& what) {
  return QStringLiteral(
             "File READ error %1 bytes from start of file when printing %2.  Printing "
             "aborted at last readable T4. Exit program, try copying T4 file, and check "
             "disk with a disk utility.")
      .arg(offset)
      .arg(what);
}

}  // namespace quillet
