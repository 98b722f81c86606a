// Quillet tests — every return the program writes keeps CRA's schema, checked by code
// written from its table of rules; and the transmitter's entries.
#include "efile/t4_xml.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <random>

#include "checks/employer_checks.h"
#include "checks/tax_years.h"
#include "cra_rules.h"
#include "golden.h"
#include "open_file_test.h"

using namespace quillet;
using namespace quillet::test;

namespace {

using T = T4Record;

XmlReturnOptions returnOptions(const char* reference, bool amended) {
  XmlReturnOptions options;
  options.submissionRef = QLatin1String(reference);
  options.amended = amended;
  return options;
}

// Files drawn from tests/fixtures/xml_return_values.txt.
class Draw {
 public:
  struct Beyond {
    qsizetype line;
    QString value;
  };

  Draw() {
    for (const QString& line :
         QString::fromUtf8(readWholeFile(fixturePath("xml_return_values.txt")))
             .split(u'\n', Qt::SkipEmptyParts)) {
      if (line.startsWith(u'#')) continue;
      const QString values = line.mid(line.indexOf(QStringLiteral(" | ")) + 3);
      m_lines.push_back(
          {line.section(QStringLiteral(" | "), 0, 0).split(u' '),
           values.section(QStringLiteral(" || "), 0, 0).split(QStringLiteral(" | "))});
      for (const QString& value : values.section(QStringLiteral(" || "), 1)
                                      .split(QStringLiteral(" | "), Qt::SkipEmptyParts))
        m_beyond.push_back({qsizetype(m_lines.size() - 1), value});
    }
  }
  template <class T>
  T one(const QList<T>& values) {
    return values.at(std::uniform_int_distribution<qsizetype>(0, values.size() - 1)(m_random));
  }
  // Half the files take one value beyond the rules.
  std::optional<Beyond> beyond() {
    if (std::bernoulli_distribution(0.5)(m_random)) return std::nullopt;
    return m_beyond[std::uniform_int_distribution<std::size_t>(0, m_beyond.size() - 1)(m_random)];
  }
  // The province of employment of the slip that takes `beyond`.
  QString provinceOf(const Beyond& b) const {
    return m_lines[std::size_t(b.line)].who.contains(u"QC") ? QStringLiteral("QC") : "ON";
  }
  // A value of every line of `who` ("employer", or "slip" employed in `province`), or the
  // one beyond.
  void into(Record768& r, std::span<const Field> layout, const QString& who,
            const QString& province, int year, const Beyond* beyond) {
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
      const QStringList& whom = m_lines[i].who;
      if (whom[0] != who || !std::all_of(whom.begin() + 1, whom.end(), [&](const QString& w) {
            return w == province || (w.toInt() > 0 && year >= w.toInt()) ||
                   (w.toInt() < 0 && year <= -w.toInt());
          }))
        continue;
      QString value =
          beyond && beyond->line == qsizetype(i) ? beyond->value : one(m_lines[i].within);
      change(r, layout, value.replace("\\x01", QChar(1)));
    }
  }

 private:
  struct Line {
    QStringList who, within;
  };
  std::mt19937 m_random{20261207};
  std::vector<Line> m_lines;
  std::vector<Beyond> m_beyond;
};

using XmlPropertyTest = OpenFileTest;

// Files of random records, within each rule of the table or just outside one: the check
// before export refuses every file with a value beyond the rules, and every return it lets
// through keeps every rule; the rules' checker finds a rule broken on purpose.
TEST_F(XmlPropertyTest, everyReturnWrittenKeepsEveryRuleOfTheSchema) {
  const CraRules rules;
  Draw draw;
  Transmitter transmitter;
  transmitter.startFrom(goodEmployer());
  transmitter.contactEmail = QStringLiteral("pat@example.ca");
  for (int file = 0; file < 1000; ++file) {
    const std::optional<Draw::Beyond> beyond = draw.beyond();
    const Draw::Beyond* fault = beyond ? &*beyond : nullptr;
    const int year = fault ? 2026 : draw.one<int>({1999, 2000, 2001, 2006, 2020, 2023, 2024, 2026});
    EmployerRecord employer = goodEmployer();
    applyRates(employer, *ratesOf(year));
    draw.into(employer, EmployerRecord::layout(), "employer", {}, year, fault);
    const int type = draw.one<int>({0, 0, 0, 1, 2});
    std::vector<T4Record> slips(std::size_t(draw.one<int>({1, 2, 3})));
    for (T4Record& r : slips) {
      const QString province = fault ? draw.provinceOf(*fault) : draw.one<QString>({"ON", "QC"});
      r = with(goodT4({}, {}), {{T::Province_of_employment_code, province},
                                {T::Report_type, type},
                                {T::VOID, &r != &slips[0] && draw.one<bool>({false, true})}});
      r.copyPrefixFrom(employer);
      draw.into(r, T4Record::layout(), "slip", province, year, &r == &slips[0] ? fault : nullptr);
    }
    openFile(t4FileBytes(employer, slips));
    const XmlFindings findings = checkForXml(state, returnOptions("Q0000001", type != 0));
    EXPECT_EQ(findings.errors.isEmpty(), !fault)
        << (fault ? fault->value : findings.errors[0]).toStdString();
    if (findings.errors.isEmpty()) {
      QBuffer xml;
      xml.open(QIODevice::WriteOnly);
      writeT4Xml(state, transmitter, returnOptions("Q0000001", type != 0), xml);
      EXPECT_EQ(rules.broken(xml.data()), QStringList()) << xml.data().toStdString();
    }
    state.CloseT4File();
  }

  // The checker itself finds what it is there to find.
  openFile(t4FileBytes(goodEmployer(), {goodT4("Smith", "John")}));
  QBuffer xml;
  xml.open(QIODevice::WriteOnly);
  writeT4Xml(state, transmitter, returnOptions("R1", false), xml);
  EXPECT_EQ(rules.broken(xml.data()), QStringList());
  QByteArray broken = xml.data();
  broken.replace("<sin>046454286", "<sin>04645428X").replace("<slp_cnt>1", "<slp_cnt>2");
  EXPECT_EQ(rules.broken(broken),
            QStringList({"Submission/Return/T4/T4Slip/sin: \"04645428X\" breaks pattern \\d{1,9}",
                         "slp_cnt is not the number of slips"}));
}

// The Summary's totals have their own most digits: 4,657 slips of the largest box 14 pass
// the 11 digits of its total.
TEST_F(XmlPropertyTest, aTotalTooLargeForTheSummaryIsRefused) {
  EmployerRecord employer = goodEmployer();
  applyRates(employer, *ratesOf(2026));
  const T4Record slip = with(goodT4("Smith", "John"),
                             {{T::Employment_income, INT32_MAX}, {T::Dental_benefits_code, 1}});
  openFile(t4FileBytes(employer, std::vector<T4Record>(4657, slip)));
  EXPECT_EQ(checkForXml(state, {}).errors,
            QStringList{"Summary: the total tot_empt_incamt is 100008313440.79, more than CRA's "
                        "schema holds (at most 99999999999.99)"});
}

// Every kind of account a transmitter signs in with is taken: each row an account, its
// outcome the transmitter's problems.
TEST(Transmitter, everyKindOfAccountIsTaken) {
  QTemporaryDir folder;
  QSettings file(folder.filePath("tx.ini"), QSettings::IniFormat);
  file.beginGroup("Transmitter");
  for (const auto& [key, value] : {std::pair{"SignIn", "MyBA"},
                                   {"ContactName", "Pat"},
                                   {"ContactArea", "613"},
                                   {"ContactPhone", "5550100"},
                                   {"ContactEmail", "pat@example.ca"},
                                   {"Language", "f"}})
    file.setValue(key, value);
  expectRecordedTable("transmitter_accounts", [&file](const QString& row) {
    const QString values = row.section(QStringLiteral(" ("), 0, 0);
    for (const QString& pair : (values.contains(u'=') ? values : "Account=" + values).split("; "))
      file.setValue(pair.section(u'=', 0, 0), pair.section(u'=', 1));
    return Transmitter::from(file).problems().join(u'\n') + u'\n';
  });
}

}  // namespace
