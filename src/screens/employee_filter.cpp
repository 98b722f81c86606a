// Quillet — the employees the index window shows: all of them, or those that what the user
// typed finds.
#include "screens/employee_filter.h"

#include <QHash>

#include "core/numeric_text.h"
#include "data/t4_file.h"
#include "data/t4_record.h"

namespace quillet {
namespace {

// A name as it is searched: no commas, one blank between words ("SMITH, John A").
QString searched(QString name) { return name.remove(u',').simplified(); }

}  // namespace

void EmployeeFilter::setText(const QString& typed) {
  const QString text = typed.trimmed();
  m_all = text.isEmpty();
  m_rows.clear();
  if (m_all) return;
  // Digits, blanks and hyphens alone are a SIN, or a part of one.
  const QString digits = digitsOf(text);
  const bool sin =
      !digits.isEmpty() && digits.size() == text.size() - text.count(u' ') - text.count(u'-');
  const QString name = searched(text);
  for (int i = 0; i < m_file.Count(); ++i) {
    if (names()[std::size_t(i)].contains(name, Qt::CaseInsensitive) ||
        (sin && sins()[std::size_t(i)].contains(digits)))
      m_rows.push_back(i);
  }
}

int EmployeeFilter::count() const { return m_all ? m_file.Count() : int(m_rows.size()); }

int EmployeeFilter::indexAt(int row) const { return m_all ? row : m_rows.at(std::size_t(row)); }

const std::vector<QString>& EmployeeFilter::names() {
  if (m_names.empty()) {
    m_names.reserve(std::size_t(m_file.Count()));
    for (int i = 0; i < m_file.Count(); ++i) m_names.push_back(searched(m_file.key(i)));
  }
  return m_names;
}

const std::vector<QString>& EmployeeFilter::sins() {
  if (!m_sins.empty() || m_file.Count() == 0) return m_sins;
  QHash<int64_t, QString> byPosition;
  byPosition.reserve(m_file.Count());
  m_file.forEachRecord(m_file.headerSize(), [&](int64_t position, std::span<const uint8_t> r) {
    byPosition.insert(position, digitsOf(fields::text(r, T4Record::Employee_SIN)));
  });
  m_sins.reserve(std::size_t(m_file.Count()));
  for (int i = 0; i < m_file.Count(); ++i) m_sins.push_back(byPosition.value(m_file.position(i)));
  return m_sins;
}

}  // namespace quillet
