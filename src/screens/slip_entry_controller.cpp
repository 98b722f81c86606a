// Quillet — what the T4 and T4A entry screens share without their windows.
#include "screens/slip_entry_controller.h"

#include "core/numeric_text.h"
#include "core/viewer_report.h"
#include "data/file_safety.h"
#include "data/open_t4_file.h"
#include "data/t4_record.h"
#include "data/t4a_record.h"

namespace quillet {

bool IsBlankOrNumbered(const QString& text) {
  const QString trimmed = TrimControlText(text);
  return trimmed.isEmpty() ||
         (trimmed.size() >= 2 && trimmed.at(0).isDigit() && trimmed.at(1).isDigit() &&
          trimmed.at(0) <= u'9' && trimmed.at(1) <= u'9');
}

template <class R>
const QStringList& SlipEntryController<R>::reportTypeTexts() {
  static const QStringList texts = {QStringLiteral("O Original"), QStringLiteral("A Amended"),
                                    QStringLiteral("C Cancelled")};
  return texts;
}

template <class R>
QString SlipEntryController<R>::textOf(const Field& field) const {
  if (field.name == "Report_type") {
    // A type stored by another program beyond the three is shown as its number.
    const int type = m_working.byte(field);
    return type < reportTypeTexts().size() ? reportTypeTexts().at(type) : QString::number(type);
  }
  switch (field.kind) {
    case FieldKind::Byte: {
      const int code = m_working.byte(field);
      return code == 0 ? QString() : QString::number(code);
    }
    case FieldKind::Flag:
      return m_working.flag(field) ? QStringLiteral("1") : QStringLiteral("0");
    case FieldKind::Cents:
      return CentsToStr(m_working.int32(field));
    default:
      return m_working.text(field);
  }
}

template <class R>
FieldOutcome SlipEntryController<R>::leaveReportType(const Field& field, const QString& text) {
  const qsizetype type = reportTypeTexts().indexOf(text);
  if (type >= 0) m_working.setByte(field, uint8_t(type));
  return {};
}

template <class R>
void SlipEntryController<R>::open() {
  m_working.clear();
  m_employer.clear();
  m_new = false;
  m_position = 0;
  m_storedAt = -1;
  TAlphaInxFileStream& file = m_state.T4File();
  if (file.size() < FirstT4Position || !readEmployerRecord(m_state, m_employer)) return;
  if (file.size() >= FirstT4Position + Record768::Size && file.Count() >= 1) {
    readAt(0);
    return;
  }
  // A new record that counts as unchanged until something is typed.
  m_working = newRecord(m_employer);
  m_state.sharedRecord() = m_working;
  m_new = true;
}

template <class R>
void SlipEntryController<R>::readAt(int indexPosition) {
  TAlphaInxFileStream& file = m_state.T4File();
  m_position = indexPosition;
  file.ReadIndexed(m_state.sharedRecord().bytes(), indexPosition);
  m_working.bytes() = m_state.sharedRecord().bytes();
  m_storedAt = file.position(indexPosition);
  m_new = false;
}

template <class R>
std::optional<Answer> SlipEntryController<R>::AskSaveChanges() {
  QStringList findings;
  if (checkWorking(findings)) {
    ViewerReport report;
    report.lines = findings;
    report.caption = slipName(kind()) + QStringLiteral(" Error Messages");
    if (m_ui.showReport(report, ViewerButtons::FixErrorOrIgnore) == ViewerResult::FixError)
      return Answer::Cancel;
  }
  Record768& buffer = m_state.sharedRecord();
  if (m_working.bytes() == buffer.bytes()) return std::nullopt;
  const Answer answer = m_ui.ask(
      QStringLiteral("Do you wish to save your changes to the last %1 ?").arg(slipName(kind())),
      QuestionKind::YesNoCancel);
  if (answer != Answer::Yes) return answer;
  if (!openFileStillAtItsPath(m_state, m_ui)) return Answer::Cancel;

  // The stored copy comes back when the save fails: the record then stays unsaved, and
  // the user may try again or throw it away.
  const Record768 stored = buffer;
  buffer.bytes() = m_working.bytes();
  const QString key = saveKey();
  TAlphaInxFileStream& file = m_state.T4File();
  int64_t written;
  if (m_new) {
    // The appended record is the one shown from now on: saved again, it is rewritten.
    const int64_t at = file.appendPosition();
    written = file.WriteIndexed(buffer.bytes(), file.Count() + 1, key);
    if (written == Record768::Size) {
      m_storedAt = at;
      m_new = false;
    }
  } else {
    written = file.WriteIndexed(buffer.bytes(), file.indexOfPosition(m_storedAt), key);
  }
  if (written != Record768::Size || !file.sync()) {
    buffer = stored;
    ShowFileError(QStringLiteral("write"), m_state.T4FileName(), m_ui);
    return Answer::Cancel;
  }
  return answer;
}

template <class R>
bool SlipEntryController<R>::move(Move move) {
  if (AskSaveChanges() == Answer::Cancel) return false;
  const int count = m_state.T4File().Count();
  const QString slips = slipName(kind());
  const auto tell = [this](const QString& message) {
    m_ui.showMessage(message);
    return false;
  };
  switch (move) {
    case Move::First:
      if (count >= 2 && m_position != 0) break;
      if (count == 0)
        return tell(
            QStringLiteral("There are no %1 records on the file, if you save it this will be the "
                           "first")
                .arg(slips));
      return tell((count == 1 ? QStringLiteral("This is the first and only %1 record on the file")
                              : QStringLiteral("This is the first %1 record on the file"))
                      .arg(slips));
    case Move::Prevs:
      if (m_position >= 1) break;
      return tell(QStringLiteral("This is the first record on the file, there is no previous."));
    case Move::Next:
      if (count - 1 > m_position) break;
      return tell(QStringLiteral("This is the last record on the file, there is no next."));
    case Move::Last:
      if (count >= 2 && m_position != count - 1) break;
      if (count == 0)
        return tell(
            QStringLiteral("There are no %1 records on the file, if you save it this will be the "
                           "last")
                .arg(slips));
      return tell((count == 1 ? QStringLiteral("This is the last and only %1 record on the file")
                              : QStringLiteral("This is the last %1 record on the file"))
                      .arg(slips));
  }
  const int target = move == Move::First   ? 0
                     : move == Move::Prevs ? m_position - 1
                     : move == Move::Next  ? m_position + 1
                                           : count - 1;
  readAt(target);
  return true;
}

template <class R>
bool SlipEntryController<R>::addNew() {
  const R prefix = m_working;
  if (AskSaveChanges() == Answer::Cancel) return false;
  m_working = newRecord(prefix);
  m_new = true;
  return true;
}

template <class R>
bool SlipEntryController<R>::pickFromIndex() {
  TAlphaInxFileStream& file = m_state.T4File();
  file.PickedIndex = TAlphaInxFileStream::NothingPicked;
  file.CoInfoShown = false;
  m_ui.showEmployeeIndex(m_state);
  if (file.CoInfoShown) {
    EmployerRecord employer;
    if (m_state.T4File().readAt(EmployerPosition, employer.bytes()) == Record768::Size)
      m_employer = employer;
    // A business number changed there was written into every record of the file: the
    // record on the screen and its stored copy take it too, so no save writes the old one.
    // (A new record's stored copy is what it is compared with, so it takes the number too:
    // an untouched new record stays unchanged.)
    const QString number = m_employer.text(Record768::RevCan_account_number);
    m_working.setText(Record768::RevCan_account_number, number);
    m_state.sharedRecord().setText(Record768::RevCan_account_number, number);
  }
  const int picked = file.PickedIndex;
  if (picked == TAlphaInxFileStream::NothingPicked || picked < 0 || picked >= file.Count())
    return false;
  // The pick is the record, not its place in the index: the save can re-sort the index.
  const int64_t pickedRecord = file.position(picked);
  if (AskSaveChanges() == Answer::Cancel) return false;
  readAt(file.indexOfPosition(pickedRecord));
  return true;
}

template <class R>
bool SlipEntryController<R>::closeQuery() {
  return AskSaveChanges() != Answer::Cancel;
}

template class SlipEntryController<T4Record>;
template class SlipEntryController<T4ARecord>;

}  // namespace quillet
