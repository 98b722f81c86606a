// Quillet — the slips of one return: the whole file the first time, then the slips added,
// changed or cancelled since what was filed.
#include "efile/return_slips.h"

#include <QSet>
#include <map>

#include "core/numeric_text.h"
#include "data/open_t4_file.h"
#include "efile/filed_state.h"

namespace quillet {
namespace {

constexpr uint8_t Original = 0, Amended = 1, Cancelled = 2;

SlipRecord withReportType(SlipRecord record, uint8_t type) {
  record.setReportType(type);
  return record;
}

// The fields a slip is compared by: all but the reserved bytes, the record type and the
// report type, which the filing itself sets.
bool compared(const Field& f) {
  return f.offset >= Record768::RevCan_account_number.offset &&
         f.offset != Record768::Record_type.offset && f.name != "Report_type";
}

bool differs(const SlipRecord& before, const SlipRecord& now) {
  if (withReportType(now, before.reportType()) == before) return false;
  return !changedFields(before, now).isEmpty();
}

}  // namespace

void ReturnSlips::forEach(OpenT4FileState& state,
                          const std::function<void(int64_t, const SlipRecord&)>& visit) const {
  if (!wholeFile) {
    for (const ReturnSlip& slip : chosen) visit(slip.position, slip.sent);
    return;
  }
  TAlphaInxFileStream& file = state.T4File();
  SlipRecord r;
  for (int i = 0; i < file.Count(); ++i) {
    if (file.ReadIndexed(r.bytes(), i) == Record768::Size && !r.isVoid())
      visit(file.position(i), r);
  }
}

QStringList changedFields(const SlipRecord& before, const SlipRecord& after) {
  QStringList changes;
  for (const Field& f : after.layout()) {
    if (!compared(f)) continue;
    const QString was = before.valueText(f), is = after.valueText(f);
    if (was != is) changes << QStringLiteral("%1: %2 \u2192 %3").arg(fieldName(f), was, is);
  }
  return changes;
}

SinceFiled sinceFiled(OpenT4FileState& state, const FiledState& filed) {
  std::map<int64_t, const SlipRecord*> latest;  // each record's slip as last filed
  for (const FiledReturn& r : filed.returns) {
    for (const FiledReturn::Slip& slip : r.slips) latest[slip.position] = &slip.record;
  }
  SinceFiled since;
  TAlphaInxFileStream& file = state.T4File();
  SlipRecord now;
  for (int i = 0; i < file.Count(); ++i) {
    if (file.ReadIndexed(now.bytes(), i) != Record768::Size) continue;
    const int64_t position = file.position(i);
    const bool gone = now.isVoid() || now.isCancelled();
    const auto found = latest.find(position);
    if (found == latest.end() || found->second->isCancelled()) {
      if (!gone) since.added.push_back({position, withReportType(now, Original), std::nullopt});
      continue;
    }
    const SlipRecord& before = *found->second;
    if (!gone && differs(before, now))
      since.changed.push_back({position, withReportType(now, Amended), before});
    else
      (gone ? since.cancelled : since.unchanged)
          .push_back({position, withReportType(before, Cancelled), before});
  }
  return since;
}

std::optional<ReturnSlips> chooseReturnSlips(const QString& t4Name, const FiledState& filed,
                                             const SinceFiled& since, ReturnKind kind,
                                             const QStringList& sins, QString& refusal) {
  if (kind == ReturnKind::Original && !sins.isEmpty()) {
    refusal = QStringLiteral(
        "An original return sends every slip: slips are picked for additions, amendments and "
        "cancellations only.");
    return std::nullopt;
  }
  if (filed.returns.empty()) {
    if (kind == ReturnKind::Original) return ReturnSlips{};
    refusal = QStringLiteral(
                  "Nothing was filed from %1 yet: its first return is the original, of every "
                  "slip.")
                  .arg(t4Name);
    return std::nullopt;
  }
  if (kind == ReturnKind::Original) {
    refusal = QStringLiteral(
                  "The original return of %1 was filed %2. Slips added since go in an additions "
                  "return, slips changed in an amendment, slips filed in error in a "
                  "cancellation.")
                  .arg(t4Name, lastFiling(filed));
    return std::nullopt;
  }
  ReturnSlips slips{kind, false, {}};
  std::vector<ReturnSlip>& candidates = slips.chosen;
  candidates = kind == ReturnKind::Additions   ? since.added
               : kind == ReturnKind::Amendment ? since.changed
                                               : since.cancelled;
  if (!sins.isEmpty()) {
    if (kind == ReturnKind::Cancellation) {
      // Any slip filed and not cancelled may be picked, with the values as filed.
      for (ReturnSlip slip : since.changed) {
        slip.sent = withReportType(*slip.filed, Cancelled);
        candidates.push_back(slip);
      }
      candidates.insert(candidates.end(), since.unchanged.begin(), since.unchanged.end());
    }
    const auto sinOf = [kind](const ReturnSlip& slip) {
      return (kind == ReturnKind::Cancellation ? *slip.filed : slip.sent).holderNumber();
    };
    QSet<QString> picked;
    for (const QString& sin : sins) picked.insert(digitsOf(sin));
    for (const QString& sin : picked) {
      if (std::none_of(candidates.begin(), candidates.end(),
                       [&](const ReturnSlip& slip) { return sinOf(slip) == sin; })) {
        refusal = QStringLiteral("SIN %1 is not among the slips %2.")
                      .arg(sin, kind == ReturnKind::Additions   ? "added since filing"
                                : kind == ReturnKind::Amendment ? "changed since filing"
                                                                : "filed and not cancelled");
        return std::nullopt;
      }
    }
    std::erase_if(candidates,
                  [&](const ReturnSlip& slip) { return !picked.contains(sinOf(slip)); });
  }
  if (candidates.empty()) {
    refusal = QStringLiteral("Nothing to send: %1 since the last return, filed %2.")
                  .arg(kind == ReturnKind::Additions   ? "no slip was added"
                       : kind == ReturnKind::Amendment ? "no filed slip was changed"
                                                       : "no filed slip was made VOID or marked "
                                                         "cancelled",
                       lastFiling(filed));
    return std::nullopt;
  }
  return slips;
}

QString returnKindWord(ReturnKind kind) {
  switch (kind) {
    case ReturnKind::Original:
      return QStringLiteral("original");
    case ReturnKind::Additions:
      return QStringLiteral("additions");
    case ReturnKind::Amendment:
      return QStringLiteral("amendment");
    case ReturnKind::Cancellation:
      return QStringLiteral("cancellation");
  }
  return {};
}

std::optional<ReturnKind> returnKindOfWord(const QString& word) {
  for (const ReturnKind kind : {ReturnKind::Original, ReturnKind::Additions, ReturnKind::Amendment,
                                ReturnKind::Cancellation}) {
    if (returnKindWord(kind) == word) return kind;
  }
  return std::nullopt;
}

QStringList returnListing(const ReturnSlips& slips) {
  QStringList lines;
  for (const ReturnSlip& slip : slips.chosen) {
    switch (slips.kind) {
      case ReturnKind::Original:
      case ReturnKind::Additions:
        lines << QStringLiteral("original ") + slip.sent.holder();
        break;
      case ReturnKind::Amendment:
        lines << QStringLiteral("amended ") + slip.sent.holder();
        for (const QString& change : changedFields(*slip.filed, slip.sent))
          lines << QStringLiteral("    ") + change;
        break;
      case ReturnKind::Cancellation:
        lines << QStringLiteral("cancelled ") + slip.sent.holder() + QStringLiteral(", as filed");
        break;
    }
  }
  return lines;
}

}  // namespace quillet
