// Quillet tests — CRA's rules of the T4 and T4A returns, from the tables in
// tests/fixtures/cra_t4_rules.txt and cra_t4a_rules.txt, and the rules CRA's texts add beside
// them.
#pragma once

#include <QMultiHash>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <climits>
#include <map>

#include "test_files.h"

namespace quillet::test {

// tests/fixtures/cra_t4_rules.txt: what each element of a return may hold and how often.
class CraRules {
 public:
  // The rules of the return of `kind`: "T4" or "T4A".
  explicit CraRules(const QString& kind = QStringLiteral("T4")) : m_kind(kind) {
    const QString table = QStringLiteral("cra_%1_rules.txt").arg(kind.toLower());
    for (const QString& line :
         QString::fromUtf8(readWholeFile(fixturePath(table))).split(u'\n', Qt::SkipEmptyParts)) {
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
    const QString slip = QStringLiteral("Return/%1/%1Slip/").arg(m_kind);
    const QString summaryPath = QStringLiteral("Return/%1/%1Summary/").arg(m_kind);
    const auto slips = [&](const char* child) {
      const QStringList all = leaves.values(slip + QLatin1String(child));
      return QSet<QString>(all.begin(), all.end());
    };
    const auto summary = [&](const char* child) {
      return leaves.value(summaryPath + QLatin1String(child));
    };
    if (leaves.contains("T619/TransmitterAccountNumber/bn9") &&
        leaves.contains("T619/TransmitterRepID/RepID"))
      out << "bn9 with a RepID";
    if (leaves.values(summaryPath + "PPRTR_SIN/pprtr_1_sin").contains("000000000") ||
        leaves.values(summaryPath + "PPRTR_SIN/pprtr_2_sin").contains("000000000"))
      out << "a proprietor's SIN of zeros";
    const qsizetype count = leaves.count(slip + "sin");
    if (summary("slp_cnt") != QString::number(count)) out << "slp_cnt is not the number of slips";
    if (!(slips("bn") - QSet<QString>{summary("bn")}).isEmpty()) out << "a slip's bn";
    if (m_kind == u"T4" && summary("tx_yr").toInt() >= 2023 &&
        leaves.count(slip + "empr_dntl_ben_rpt_cd") != count)
      out << "box 45 missing";
    // A T4A: box 015 with every box 016 from 2023; a person or a business, never both.
    if (m_kind == u"T4A" && summary("tx_yr").toInt() >= 2023 &&
        leaves.count(slip + "payr_dntl_ben_rpt_cd") < leaves.count(slip + "T4A_AMT/pens_spran_amt"))
      out << "box 015 missing";
    if (m_kind == u"T4A" &&
        leaves.count(slip + "RCPNT_NM/snm") + leaves.count(slip + "RCPNT_CORP_NM/l1_nm") != count)
      out << "a slip for a person and a business, or for neither";
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

  QString m_kind;
  std::map<QString, Rule> m_rules;
};

}  // namespace quillet::test
