// Quillet — the T4 return as CRA's XML for Internet File Transfer, and the check of a
// file against CRA's rules before anything is written.
#pragma once

#include <QIODevice>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace quillet {

class EmployerRecord;
class OpenT4FileState;

// The person who files: how they sign in to CRA, and how CRA reaches them.
struct Transmitter {
  enum class SignIn { MyBA, WAC, RAC };
  SignIn signIn = SignIn::MyBA;
  QString account;  // 9 digits, a business number (9 + 2 letters + 4), a trust or NR4 number
  QString repId;    // Represent a Client only
  QString name;
  QString contactName;
  QString contactArea;
  QString contactPhone;  // NNN-NNNN or 7 digits
  QString contactExtension;
  QString contactEmail;
  QChar language = u'E';

  enum class Entry {
    Account,
    RepId,
    Name,
    ContactName,
    ContactArea,
    ContactPhone,
    ContactExtension,
    ContactEmail,
    Language
  };

  // From the keys SignIn, Account, RepID, Name, ContactName, ContactArea, ContactPhone,
  // ContactExtension, ContactEmail and Language of the settings' current group.
  static Transmitter from(QSettings& settings);
  // Into the same keys.
  void store(QSettings& settings) const;
  // The entries still empty, taken from the employer: its business number, name, contact
  // and e-mail address.
  void startFrom(const EmployerRecord& employer);
  // The text of an entry other than Language.
  QString& text(Entry entry);
  const QString& text(Entry entry) const { return const_cast<Transmitter*>(this)->text(entry); }
  // What is missing or malformed in one entry; empty when it is fine.
  QString problemOf(Entry entry) const;
  // Every entry's problem, one line each; empty when all is well.
  QStringList problems() const;
};

struct XmlReturnOptions {
  QString submissionRef;  // 1-8 letters and digits
  bool amended = false;   // the Summary is amended (also when any slip is)
  QString amendmentNote;  // up to 2,000 characters
};

// What the desktop program asks before it writes a return.
struct XmlExportChoices {
  XmlReturnOptions options;
  Transmitter transmitter;
  QString schemaFolder;  // CRA's schema package, unpacked; empty: the return is not validated
};

// What the pre-flight check found: errors stop the export, warnings do not.
struct XmlFindings {
  QStringList errors;
  QStringList warnings;
};

// Every rule of CRA's return that the open file's employer record and T4 records break,
// by employee.
XmlFindings checkForXml(OpenT4FileState& state);

struct XmlWritten {
  int slips = 0;
  int64_t employmentIncome = 0;  // box 14 total
  int64_t incomeTax = 0;         // box 22 total
};

// Writes the return of the open file to `out`: every T4 record that is not VOID, in index
// order, one at a time (memory does not grow with the slips), then the Summary.
XmlWritten writeT4Xml(OpenT4FileState& state, const Transmitter& transmitter,
                      const XmlReturnOptions& options, QIODevice& out);

}  // namespace quillet
