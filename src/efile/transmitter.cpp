// Quillet — the person who files an XML return: how they sign in to CRA, and how CRA
// reaches them.
#include "efile/transmitter.h"

#include <QHash>
#include <QRegularExpression>
#include <array>
#include <utility>

#include "checks/revcan_validity.h"
#include "data/employer_record.h"
#include "efile/return_values.h"

namespace quillet {
namespace {

using E = EmployerRecord;

const char* const SignInKeys[] = {"MyBA", "WAC", "RAC"};

// The settings' key of each entry, in the order of Transmitter::Entry.
const std::array<const char*, 9> EntryKeys = {"Account",          "RepID",        "Name",
                                              "ContactName",      "ContactArea",  "ContactPhone",
                                              "ContactExtension", "ContactEmail", "Language"};

QString accountProblem(const QString& account, Transmitter::SignIn signIn) {
  const QString number = account.toUpper().remove(u' ');
  const bool bn9 = cra::matches(number, "\\d{9}");
  const bool bn15 = cra::matches(number, "\\d{9}[A-Z]{2}\\d{4}");
  if (!bn9 && !bn15 && !cra::matches(number, "[A-Z]\\d{8}|[A-Z]{3}\\d{6}"))
    return QStringLiteral("The transmitter's account number is missing or not a CRA number");
  if ((bn9 || bn15) && !RevCanValidityCheck(number.left(9)))
    return QStringLiteral("The transmitter's account number fails its check digit");
  if (signIn == Transmitter::SignIn::WAC && !bn15)
    return QStringLiteral(
        "With a Web Access Code the account is the 15-character program account (9 digits, 2 "
        "letters, 4 digits)");
  if (signIn != Transmitter::SignIn::MyBA && bn9)
    return QStringLiteral(
        "A 9-digit business number is the account of My Business Account only: enter the "
        "15-character program account");
  return {};
}

}  // namespace

QString& Transmitter::text(Entry entry) {
  switch (entry) {
    case Entry::Account:
      return account;
    case Entry::RepId:
      return repId;
    case Entry::Name:
      return name;
    case Entry::ContactName:
      return contactName;
    case Entry::ContactArea:
      return contactArea;
    case Entry::ContactPhone:
      return contactPhone;
    case Entry::ContactExtension:
      return contactExtension;
    case Entry::ContactEmail:
      return contactEmail;
    case Entry::Language:
      break;
  }
  Q_UNREACHABLE();
}

Transmitter Transmitter::from(const std::function<QString(const QString&)>& value) {
  Transmitter t;
  const QString signIn = value(QStringLiteral("SignIn")).trimmed();
  bool known = signIn.isEmpty();  // none stored: My Business Account
  for (int i = 0; i < 3; ++i) {
    if (signIn.compare(QLatin1String(SignInKeys[i]), Qt::CaseInsensitive) == 0) {
      t.signIn = SignIn(i);
      known = true;
    }
  }
  if (!known) t.unknownSignIn = signIn;
  for (int i = 0; i < int(Entry::Language); ++i)
    t.text(Entry(i)) = value(QLatin1String(EntryKeys[i]));
  const QString language = value(QStringLiteral("Language")).trimmed();
  t.language = language.isEmpty() ? u'E' : language.at(0).toUpper();
  return t;
}

Transmitter Transmitter::from(QSettings& s) {
  return from([&s](const QString& key) { return s.value(key).toString(); });
}

Transmitter Transmitter::fromIni(const QString& text) {
  QHash<QString, QString> values;
  bool inGroup = false;
  for (const QString& raw : text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
    const QString line = raw.trimmed();
    if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#')) continue;
    if (line.startsWith(u'[')) {
      inGroup = line.compare(QStringLiteral("[Transmitter]"), Qt::CaseInsensitive) == 0;
      continue;
    }
    const qsizetype equals = line.indexOf(u'=');
    if (!inGroup || equals < 0) continue;
    // A value in double quotes is taken whole; any other ends at a ";" comment.
    QString value = line.mid(equals + 1).trimmed();
    const qsizetype closing = value.indexOf(u'"', 1);
    value = value.startsWith(u'"') && closing > 0 ? value.mid(1, closing - 1)
                                                  : value.section(u';', 0, 0).trimmed();
    values.insert(line.left(equals).trimmed(), value);
  }
  return from([&values](const QString& key) { return values.value(key); });
}

void Transmitter::store(QSettings& s) const {
  s.setValue(QStringLiteral("SignIn"), QLatin1String(SignInKeys[int(signIn)]));
  for (int i = 0; i < int(Entry::Language); ++i)
    s.setValue(QLatin1String(EntryKeys[i]), text(Entry(i)).trimmed());
  s.setValue(QStringLiteral("Language"), QString(language));
}

void Transmitter::startFrom(const EmployerRecord& employer) {
  const std::pair<QString*, QString> offered[] = {
      {&account, employer.text(E::RevCan_account_number).remove(u' ')},
      {&name, employer.text(E::S_Employer_name_line_1)},
      {&contactName, employer.text(E::S_Contact_name)},
      {&contactArea, employer.text(E::S_Contact_area_code)},
      {&contactPhone, cra::phone(employer.text(E::S_Contact_phone_number))},
      {&contactExtension, employer.text(E::S_Contact_extension)},
      {&contactEmail, employer.text(E::S_Contact_email)}};
  for (const auto& [entry, text] : offered) {
    if (entry->trimmed().isEmpty()) *entry = text.trimmed();
  }
}

QString Transmitter::problemOf(Entry entry) const {
  const auto fails = [](const QString& text, const char* pattern) {
    return !cra::matches(text.trimmed(), pattern);
  };
  switch (entry) {
    case Entry::Account:
      return accountProblem(account, signIn);
    case Entry::RepId:
      if (signIn == SignIn::RAC && fails(repId, "[A-Za-z0-9]{1,7}"))
        return QStringLiteral("Represent a Client needs the RepID (1 to 7 letters and digits)");
      break;
    case Entry::Name:
      if (name.trimmed().size() > 35)
        return QStringLiteral("The transmitter's name is longer than 35 characters");
      break;
    case Entry::ContactName:
      if (contactName.trimmed().isEmpty()) return QStringLiteral("The contact's name is missing");
      if (contactName.trimmed().size() > 35)
        return QStringLiteral("The contact's name is longer than 35 characters");
      break;
    case Entry::ContactArea:
      if (fails(contactArea, "\\d{3}"))
        return QStringLiteral("The contact's area code is not 3 digits");
      break;
    case Entry::ContactPhone:
      if (fails(cra::phone(contactPhone), "\\d{3}-\\d{4}"))
        return QStringLiteral("The contact's phone number is not NNN-NNNN");
      break;
    case Entry::ContactExtension:
      if (!contactExtension.trimmed().isEmpty() && fails(contactExtension, "\\d{1,5}"))
        return QStringLiteral("The contact's extension is not digits");
      if (!contactExtension.trimmed().isEmpty() && !fails(contactExtension, "0+"))
        return QStringLiteral("The contact's extension is all zeros: leave it empty");
      break;
    case Entry::ContactEmail:
      if (fails(contactEmail, "[^@\\s]+@[^@\\s]+\\.[^@\\s]+") || contactEmail.trimmed().size() > 60)
        return QStringLiteral("The contact's e-mail address is missing or malformed");
      break;
    case Entry::Language:
      if (language != u'E' && language != u'F') return QStringLiteral("The language is E or F");
      break;
  }
  return {};
}

QStringList Transmitter::problems() const {
  QStringList found;
  if (!unknownSignIn.isEmpty())
    found << QStringLiteral("The sign-in %1 is not MyBA, WAC or RAC").arg(unknownSignIn);
  for (int i = 0; i <= int(Entry::Language); ++i) {
    if (const QString problem = problemOf(Entry(i)); !problem.isEmpty()) found << problem;
  }
  return found;
}

}  // namespace quillet
