// Quillet — the employees the index window shows: all of them, or those that what the user
// typed finds.
#pragma once

#include <QString>
#include <vector>

namespace quillet {

class TAlphaInxFileStream;

class EmployeeFilter {
 public:
  explicit EmployeeFilter(const TAlphaInxFileStream& file) : m_file(file) {}

  // What the user typed: a name finds the employees whose index key holds it (case, commas
  // and doubled blanks aside: "smith john" finds "SMITH,  John A");
  // digits (with any blanks or hyphens) find those whose SIN holds them too. Empty finds
  // every employee.
  void setText(const QString& typed);

  int count() const;
  // The index position of the employee shown at `row`.
  int indexAt(int row) const;

 private:
  const std::vector<QString>& names();
  const std::vector<QString>& sins();

  const TAlphaInxFileStream& m_file;
  bool m_all = true;
  std::vector<int> m_rows;  // the index positions found, when not all
  // Each index position's name as it is searched, and its SIN's digits, made at the first
  // search that needs them (a file's index does not change while the window is open).
  std::vector<QString> m_names;
  std::vector<QString> m_sins;
};

}  // namespace quillet
