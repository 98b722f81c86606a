// Quillet tests — every return the program writes keeps CRA's schema, checked by code
// written from its table of rules; and the transmitter's entries.
#include "efile/t4_xml.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <map>
#include <random>

#include "checks/employer_checks.h"
#include "checks/tax_years.h"
#include "golden.h"
#include "open_file_test.h"

using namespace quillet;
using namespace quillet::test;

namespace {

using T = T4Record;

// tests/fixtures/cra_t4_rules.txt: what each element of a return may hold and how often.
class CraRules {
 public:
  CraRules() {
    for (const QString& line : QString::fromUtf8(readWholeFile(fixturePath("cra_t4_rules.txt")))
                                   .split(u'\n', Qt::SkipEmptyParts)) {
      if (line.startsWith(u'#')) continue;
      const QStringList cells = line.mid(2).split(QStringLiteral(" | "));
      const QStringList occurs = cells[1].split(QStringLiteral(".."));
      m_rules[cells[0]] = {occurs[0].toInt(), occurs[1] == u"n" ? INT_MAX : occurs[1].toInt(),
                           cells[2].chopped(2).split(QStringLiteral("; "))};
    }
  }

  // Every rule `xml` breaks: of the table, then of CRA's texts beside it.
  QStringList broken(const QByteArray& xml) const {
    QStringList out;
    QMultiHash<QString, QString> leaves;  // the texts by path, below Submission/
    std::vector<std::pair<QString, std::map<QString, int>>> open;  // with their children
    QString text;
    QXmlStreamReader reader(xml);
    while (reader.readNext() != QXmlStreamReader::Invalid && !reader.atEnd()) {
      if (reader.isCharacters()) text += reader.text();
      if (reader.isStartElement()) {
        const QString name = reader.name().toString();
        if (!open.empty()) ++open.back().second[name];
        open.push_back({open.empty() ? name : open.back().first + u'/' + name, {}});
        text.clear();
      } else if (reader.isEndElement()) {
        check(open.back().first, open.back().second, text.trimmed(), out);
        if (open.back().second.empty()) leaves.insert(open.back().first.mid(11), text);
        open.pop_back();
        text.clear();
      }
    }
    if (reader.hasError()) out << reader.errorString();
    const auto slips = [&leaves](const char* child) {
      const QStringList all =
          leaves.values(QStringLiteral("Return/T4/T4Slip/") + QLatin1String(child));
      return QSet<QString>(all.begin(), all.end());
    };
    const auto summary = [&leaves](const char* child) {
      return leaves.value(QStringLiteral("Return/T4/T4Summary/") + QLatin1String(child));
    };
    if (leaves.contains("T619/TransmitterAccountNumber/bn9") &&
        leaves.contains("T619/TransmitterRepID/RepID"))
      out << "bn9 with a RepID";
    if (leaves.values("Return/T4/T4Summary/PPRTR_SIN/pprtr_1_sin").contains("000000000") ||
        leaves.values("Return/T4/T4Summary/PPRTR_SIN/pprtr_2_sin").contains("000000000"))
      out << "a proprietor's SIN of zeros";
    const qsizetype count = leaves.count(QStringLiteral("Return/T4/T4Slip/sin"));
    if (summary("slp_cnt") != QString::number(count)) out << "slp_cnt is not the number of slips";
    if (!(slips("bn") - QSet<QString>{summary("bn")}).isEmpty()) out << "a slip's bn";
    if (summary("tx_yr").toInt() >= 2023 &&
        leaves.count(QStringLiteral("Return/T4/T4Slip/empr_dntl_ben_rpt_cd")) != count)
      out << "box 45 missing";
    const QSet<QString> types = slips("rpt_tcd");
    if (types.size() > 1 || (summary("rpt_tcd") == u"O") != types.contains(QStringLiteral("O")))
      out << "report types that disagree";
    return out;
  }

 private:
  struct Rule {
    int min, max;
    QStringList parts;
  };

  void check(const QString& path, const std::map<QString, int>& children, const QString& text,
             QStringList& out) const {
    const auto rule = m_rules.find(path);
    if (path == u"Submission") return;
    if (rule == m_rules.end()) return void(out << path + ": not in the schema");
    if (rule->second.parts[0] != u"(group)") {
      if (!children.empty() || text.isEmpty()) out << path + ": not a text";
      // CRA leaves out an optional element without a value, a zero amount too.
      if (text == u"0.00" && (rule->second.min == 0 || path.contains(QStringLiteral("/OTH_INFO/"))))
        out << path + ": an optional zero";
      for (const QString& part : rule->second.parts)
        if (!keeps(text, part)) out << path + ": \"" + text + "\" breaks " + part;
      return;
    }
    // OTH_INFO's children are alternatives; TransmitterAccountNumber holds one number.
    const bool choice = path.endsWith(QStringLiteral("/OTH_INFO"));
    if (children.empty() ||
        (path.endsWith(QStringLiteral("AccountNumber")) && children.size() != 1))
      out << path + ": holds " + QString::number(children.size()) + " elements";
    for (const auto& [childPath, r] : m_rules) {
      if (childPath.section(u'/', 0, -2) != path) continue;
      const auto n = children.find(childPath.section(u'/', -1));
      const int count = n == children.end() ? 0 : n->second;
      if (count > r.max || (!choice && count < r.min))
        out << QStringLiteral("%1 occurs %2 times").arg(childPath).arg(count);
    }
  }

  static bool keeps(const QString& text, const QString& part) {
    const QString what = part.section(u' ', 0, 0), value = part.section(u' ', 1);
    const auto matches = [&text](const QString& pattern) {
      return QRegularExpression("^(?:" + pattern + ")$").match(text).hasMatch();
    };
    if (what == u"pattern") return matches(QString(value).replace("\\|", "|"));
    if (what == u"minLength") return text.size() >= value.toInt();
    if (what == u"maxLength" || what == u"totalDigits") return text.size() <= value.toInt();
    if (what == u"one") return value.mid(3).split(QStringLiteral(", ")).contains(text);
    if (what == u"minInclusive") return text.toLongLong() >= value.toLongLong();
    if (what == u"maxInclusive") return text.toLongLong() <= value.toLongLong();
    if (what == u"base") return value == u"string" || matches(QStringLiteral("\\d+"));
    return false;
  }

  std::map<QString, Rule> m_rules;
};

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
    const XmlFindings findings = checkForXml(state, type != 0);
    EXPECT_EQ(findings.errors.isEmpty(), !fault)
        << (fault ? fault->value : findings.errors[0]).toStdString();
    if (findings.errors.isEmpty()) {
      QBuffer xml;
      xml.open(QIODevice::WriteOnly);
      writeT4Xml(state, transmitter, {QStringLiteral("Q0000001"), type != 0, {}}, xml);
      EXPECT_EQ(rules.broken(xml.data()), QStringList()) << xml.data().toStdString();
    }
    state.CloseT4File();
  }

  // The checker itself finds what it is there to find.
  openFile(t4FileBytes(goodEmployer(), {goodT4("Smith", "John")}));
  QBuffer xml;
  xml.open(QIODevice::WriteOnly);
  writeT4Xml(state, transmitter, {QStringLiteral("R1"), false, {}}, xml);
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
  EXPECT_EQ(checkForXml(state, false).errors,
            QStringList{"Summary: the total tot_empt_incamt is 100008313440.79, more than CRA's "
                        "schema holds (at most 99999999999.99)"});
}

TEST(Transmitter, everyEntryIsChecked) {
  QTemporaryDir folder;
  QSettings file(folder.filePath("tx.ini"), QSettings::IniFormat);
  file.beginGroup("Transmitter");
  const auto problems = [&file](std::initializer_list<std::pair<const char*, const char*>> values) {
    for (const auto& [key, value] : values) file.setValue(key, value);
    return Transmitter::from(file).problems();
  };
  expectGolden("transmitter_problems", problems({{"SignIn", "RAC"},
                                                 {"Account", "12345"},
                                                 {"ContactArea", "61"},
                                                 {"ContactPhone", "555-01"},
                                                 {"ContactExtension", "x12"},
                                                 {"ContactEmail", "pat"},
                                                 {"Language", "D"}})
                                           .join(u'\n'));
  for (const char* account : {"123456782", "123456782RP0001", "T12345678", "NRA123456"}) {
    EXPECT_EQ(problems({{"Account", account},
                        {"SignIn", "MyBA"},
                        {"ContactName", "Pat"},
                        {"ContactArea", "613"},
                        {"ContactPhone", "5550100"},
                        {"ContactExtension", ""},
                        {"ContactEmail", "pat@example.ca"},
                        {"Language", "f"}}),
              QStringList())
        << account;
  }
}

}  // namespace
