// Quillet — the T4 return as CRA's XML for Internet File Transfer, and the check of a
// file against CRA's rules before anything is written.
#pragma once

#include <QDateTime>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <utility>
#include <vector>

#include "efile/return_slips.h"
#include "efile/transmitter.h"

namespace quillet {

class OpenT4FileState;

struct XmlReturnOptions {
  QString submissionRef;  // 1-8 letters and digits
  bool amended = false;   // the Summary is amended (also when any slip is)
  QString amendmentNote;  // up to 2,000 characters
  ReturnSlips slips;      // the whole file, or the slips chosen since filing
};

// What the desktop program asks before it writes a return.
struct XmlExportChoices {
  XmlReturnOptions options;
  Transmitter transmitter;
  QString schemaFolder;  // CRA's schema package, unpacked; empty: the return is not validated
  QDateTime filedAt;     // when it is written: kept with what was filed
  // Once a return was filed from the file, what this one is, and how many slips each kind
  // would send.
  ReturnKind kind = ReturnKind::Original;
  QString lastFiled;  // "on DATE under the reference R"; empty when nothing was filed
  int added = 0, changed = 0, toCancel = 0;
};

// What the pre-flight check found: errors stop the export, warnings do not.
struct XmlFindings {
  QStringList errors;
  QStringList warnings;
};

// Every rule of CRA's return that the open file's employer record and the return's slips
// break, by employee; errors are returns CRA's validation rejects or CRA's rules refuse,
// warnings what its review after filing would flag.
XmlFindings checkForXml(OpenT4FileState& state, const XmlReturnOptions& options);

struct XmlWritten {
  int slips = 0;
  // The totals the user is told of, each with its box: "14" and "22" of a T4 return.
  std::vector<std::pair<QString, int64_t>> boxTotals;
  bool amended = false;  // the Summary's report type is amended
  bool complete = true;  // false: the device failed, or a text held what XML cannot carry
  SlipKind kind = SlipKind::T4;
};

// Writes the return of the open file to `out`: its slips (every T4 record that is not VOID
// read one at a time, so that memory does not grow with them, or those chosen since
// filing), then the Summary, which totals them.
XmlWritten writeT4Xml(OpenT4FileState& state, const Transmitter& transmitter,
                      const XmlReturnOptions& options, QIODevice& out);

}  // namespace quillet
