// Quillet — the person who files an XML return: how they sign in to CRA, and how CRA
// reaches them.
#pragma once

#include <QChar>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <functional>

namespace quillet {

class EmployerRecord;

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
  QString unknownSignIn;  // a SignIn key that names none of the three ways, as it was read

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
  // ContactExtension, ContactEmail and Language, each looked up by `value` ("" when it
  // is not there).
  static Transmitter from(const std::function<QString(const QString& key)>& value);
  // The same from the settings' current group.
  static Transmitter from(QSettings& settings);
  // The same from the text of an INI file's [Transmitter] group, as a person writes it:
  // "Key=value" lines, a value in double quotes taken whole without them, any other up to
  // a ";" comment; lines beginning with ";" or "#" are comments.
  static Transmitter fromIni(const QString& text);
  // Into the same keys.
  void store(QSettings& settings) const;
  // The entries still empty, taken from the employer: its business number, name, contact
  // and e-mail address.
  void startFrom(const EmployerRecord& employer);
  // The text of an entry other than Language.
  QString& text(Entry entry);
  const QString& text(Entry entry) const { return const_cast<Transmitter*>(this)->text(entry); }
  // What is missing or malformed in one entry; empty when it is fine. The account is
  // checked against the way of signing in: a 9-digit business number is for My Business
  // Account alone, a Web Access Code goes with the 15-character program account.
  QString problemOf(Entry entry) const;
  // An unknown way of signing in, then every entry's problem, one line each; empty when
  // all is well.
  QStringList problems() const;
};

}  // namespace quillet
