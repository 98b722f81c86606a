// Quillet tests — building the T4 Error Report's list.
#include "reports/error_list.h"

#include <gtest/gtest.h>

#include <QFile>

#include "data/open_t4_file.h"
#include "golden.h"
#include "open_file_test.h"

using namespace quillet;
using namespace quillet::test;

namespace {

using ErrorListTest = OpenFileTest;

// The lists of every kind of file, and what the user was told, recorded: the notes and the
// headers in index order with VOID records left out; the employer's findings first, with
// a blank line after them; the employer's rates carried into the T4 checks (an EI rate of
// 0 expects no premium); an unreadable employer told, the T4s still checked; a record that
// cannot be read ends the list.
TEST_F(ErrorListTest, theListOfEveryKindOfFile) {
  using E = EmployerRecord;
  const T4Record voided = with(goodT4("Void", "Val"), {{T4Record::VOID, true}});
  const T4Record noCity = with(goodT4("Adams", "Ann"), {{T4Record::Employee_city, ""}});
  const struct {
    QByteArray bytes;
    int cutTo;  // the file loses its end after it was indexed; 0: no
  } cases[] = {
      // clang-format off
      {t4FileBytes(goodEmployer(), {goodT4("Smith", "John"), voided, goodT4("Adams", "Ann")}), 0},
      {t4FileBytes(with(goodEmployer(), {{E::S_Employer_city, ""}}), {voided}), 0},
      {t4FileBytes(with(goodEmployer(), {{E::EI_rate, 0}}), {goodT4("Smith", "John")}), 0},
      {t4FileBytes(goodEmployer(), {}).left(1000), 0},
      {t4FileBytes(goodEmployer(), {goodT4("Brown", "Bo"), noCity}), 0},
      {t4FileBytes(goodEmployer(), {noCity, goodT4("Brown", "Bo"), goodT4("Cole", "Cy"), goodT4("Dunn", "Di")}), 1536 + 2 * 768 + 10},
      // clang-format on
  };
  QString all;
  for (const auto& c : cases) {
    openFile(c.bytes);
    ASSERT_TRUE(!c.cutTo || QFile::resize(state.T4FileName(), c.cutTo));
    ScriptedUi caseUi;
    const ErrorList list = buildErrorList(state, caseUi);
    all += QStringLiteral("findings: %1\n").arg(list.hasFindings) + list.lines.join(u'\n') + "\n" +
           caseUi.transcript() + "---\n";
    state.CloseT4File();
  }
  expectGolden("error_lists", all);
}

}  // namespace
