// Quillet — what was filed from a T4 file: each return written for filing, its slips as
// they were sent, kept beside the T4 file.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

#include "core/file_result.h"
#include "data/slip_record.h"

namespace quillet {

class OpenT4FileState;
struct ReturnSlips;

// One return written for filing: its submission reference, its report type ('O' original,
// 'A' amended), when it was written, and each slip as it was sent, by the place of its
// record in the T4 file (records are never moved nor removed).
struct FiledReturn {
  QString reference;
  QChar reportType = u'O';
  QDateTime written;
  struct Slip {
    int64_t position = 0;
    SlipRecord record;
  };
  std::vector<Slip> slips;
};

struct FiledState {
  std::vector<FiledReturn> returns;  // in the order they were written
};

// "NAME.filed" beside the T4 file NAME: renamed with it, it goes on naming what was filed.
QString filedStatePath(const QString& t4Path);

// What was filed from the T4 file at `t4Path`: none when nothing was, the platform's open
// error, or "… is damaged", when it cannot be read.
FileResult<FiledState> readFiledState(const QString& t4Path);

// "on 2026-03-02 under the reference Q0000001": when the last return was filed.
QString lastFiling(const FiledState& filed);

// The return filed under `reference`; null when none was.
const FiledReturn* filedUnder(const FiledState& filed, const QString& reference);

// Adds the return written just now, of `slips`, to what was filed: the file is held,
// read, made anew beside the old one and put in its place, so that a failure leaves what
// was filed before whole and a second export at the same time is refused, not lost.
FileStatus recordFiledReturn(OpenT4FileState& state, const ReturnSlips& slips,
                             const QString& reference, QChar reportType, const QDateTime& written);

// Gives each record of a return chosen since filing the report type it was sent under
// (amended, cancelled, or original again), as its slips on paper then show.
FileStatus markReportTypes(OpenT4FileState& state, const ReturnSlips& slips);

// The history, one line a return and one a slip, then what changed since: "added",
// "changed" (with each field, old and new value) and "to cancel" slips; "Nothing was
// filed from FILE." without one.
QStringList filedHistory(OpenT4FileState& state, const FiledState& filed);

}  // namespace quillet
