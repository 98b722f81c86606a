// Quillet — the XML return written to its file, and File → "Export for Internet filing…".
#pragma once

#include <QString>
#include <QStringList>

#include "efile/t4_xml.h"

namespace quillet {

class Clock;
struct FiledState;
class OpenT4FileState;
class SettingsStore;
class EfileUi;

struct XmlExportOutcome {
  XmlWritten written;
  QString submissionRef;       // the reference the return was written under
  QString failure;             // "Cannot create file …" or "Cannot write file …"
  QStringList schemaProblems;  // CRA's schema refused the return
  QString notKept;             // written, but what was filed could not be kept beside the T4 file
  bool ok() const { return failure.isEmpty() && schemaProblems.isEmpty(); }
};

// Writes the return of the open file to `path` beside it and puts it in its place only when
// it was written whole and, when a schema folder is chosen, the schema accepts it: nothing
// is left behind otherwise. A reference that the file's returns were `filed` under is
// refused. A return put in
// place is added to what was filed from the file, and its records take the report type
// their slips were sent under.
XmlExportOutcome writeT4XmlFile(OpenT4FileState& state, const FiledState& filed,
                                const XmlExportChoices& choices, const QString& path);

// The same under the reference of `choices`, or, when it has none, under the next of the
// settings' counter not yet filed under, which is taken only when the return is written
// and kept.
XmlExportOutcome writeT4XmlReturn(OpenT4FileState& state, const FiledState& filed,
                                  XmlExportChoices choices, const QString& path,
                                  const SettingsStore& settings);

// Where CRA takes the file, for the way the transmitter signs in.
QString whereCraTakesIt(Transmitter::SignIn signIn);

// The transmitter's entries in the user's settings, edited; the employer's contact is
// offered for the entries still empty.
void editTransmitterSettings(OpenT4FileState& state, EfileUi& ui, const SettingsStore& settings);

// The transmitter (asked for when its entries are missing), the return's choices, the
// pre-flight check's list when it finds anything, the file's name, the return, and what
// was written.
void exportForInternetFiling(OpenT4FileState& state, EfileUi& ui, const SettingsStore& settings,
                             const Clock& clock);

}  // namespace quillet
