// Quillet — the slips of one return: the whole file the first time, then the slips added,
// changed or cancelled since what was filed.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "data/slip_record.h"

namespace quillet {

class OpenT4FileState;
struct FiledState;

// What a return is. An original holds every slip; once a return is filed, slips added
// since go in an original of their own (additions), slips changed since in an amendment
// of those alone, and slips filed in error in a cancellation, with the values as filed.
enum class ReturnKind { Original, Additions, Amendment, Cancellation };

// One slip of a return chosen since filing: where its record stands in the T4 file, the
// slip as it is sent (under the report type of its return), and, for a slip filed before,
// that slip as it was last filed.
struct ReturnSlip {
  int64_t position = 0;
  SlipRecord sent;
  std::optional<SlipRecord> filed;
};

struct ReturnSlips {
  ReturnKind kind = ReturnKind::Original;
  // Every record of the file that is not VOID, as it stands (a file nothing was filed
  // from, as it always was); otherwise the slips chosen.
  bool wholeFile = true;
  std::vector<ReturnSlip> chosen;

  // Calls `visit(position, slip)` for each slip: the whole file in index order, one record
  // at a time, or the chosen ones.
  void forEach(OpenT4FileState& state,
               const std::function<void(int64_t, const SlipRecord&)>& visit) const;
};

// What changed since the file's returns were filed, slip by slip, by the place of each
// record: records never filed (or whose last filing cancelled them) and not VOID nor marked
// cancelled are added; a filed slip whose record differs (its report type aside) is
// changed; one whose record is VOID or marked cancelled is to be cancelled; the others are
// unchanged. `sent` is the slip as that kind of return sends it.
struct SinceFiled {
  std::vector<ReturnSlip> added, changed, cancelled, unchanged;
};
SinceFiled sinceFiled(OpenT4FileState& state, const FiledState& filed);

// The slips of a return of `kind` (by `sins` when given: the SINs of those to send, or a
// T4A's business recipients' numbers), taken
// from what changed `since` the file's returns were `filed`, or nothing with `refusal`
// saying why: the kind that the filed state does not allow, a SIN that is not among that
// kind's slips, or nothing to send.
std::optional<ReturnSlips> chooseReturnSlips(const QString& t4Name, const FiledState& filed,
                                             const SinceFiled& since, ReturnKind kind,
                                             const QStringList& sins, QString& refusal);

// "additions", "amendment", ...: the word of the batch tool's --return; and back.
QString returnKindWord(ReturnKind kind);
std::optional<ReturnKind> returnKindOfWord(const QString& word);

// The slips of a chosen return, one line each ("amended Smith, John (SIN …)"), then each
// box that changed, old and new value ("    Employment_income: 500.00 → 520.00").
QStringList returnListing(const ReturnSlips& slips);

// Each field in which `after` differs from `before`, its report type aside, as
// "Field: old → new".
QStringList changedFields(const SlipRecord& before, const SlipRecord& after);

}  // namespace quillet
