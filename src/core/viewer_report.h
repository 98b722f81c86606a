// Quillet — what the report viewer shows, and what the user answers in it.
#pragma once

#include <QStringList>

namespace quillet {

struct ViewerReport {
  QString reportTitle;   // the printout's document title; empty: "T4 Error Report"
  QString headingLine1;  // empty: the report title
  QString headingLine2;  // may be empty
  QStringList lines;
  QString caption = QStringLiteral("T4 Error Messages");
};

enum class ViewerButtons {
  FixErrorOrIgnore,  // Print, Fix Error (the default) and Ignore
  OkOnly,            // Print and OK: a display only
};

enum class ViewerResult {
  FixError,  // "Fix Error": back to the record
  Ignore,    // go on as if there were no findings
  Ok,        // the OK of a display
  Closed,    // closed from the title bar
};

}  // namespace quillet
