// Quillet — what the T4 and T4A entry screens share without their windows: the working
// record, the save step and the moves through the index.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "data/employer_record.h"
#include "screens/field_outcome.h"
#include "screens/screens_ui.h"

namespace quillet {

class OpenT4FileState;

// An entry screen's controller as its window sees it.
class SlipEntry {
 public:
  enum class Move { First, Prevs, Next, Last };

  virtual ~SlipEntry() = default;
  // Loads the employer copy and the first record in name order, or starts a new record.
  virtual void open() = 0;
  // What a control shows: a check box is ticked for anything but "0".
  virtual QString fieldText(int tag) const = 0;
  // The user left the control with Tag `tag` holding `text` (a check box: "1" or "0").
  virtual FieldOutcome leaveField(int tag, const QString& text) = 0;
  // The navigation buttons, "Add New", "Pick from Index" and the close request. A move,
  // add or pick returns true when the screen shows another record.
  virtual bool move(Move move) = 0;
  virtual bool addNew() = 0;
  virtual bool pickFromIndex() = 0;
  virtual bool closeQuery() = 0;
  // The working record kept before an entry is checked, and put back when the user closes
  // the screen without that entry: what the entry changed is dropped.
  virtual void keepWorking() = 0;
  virtual void dropEntry() = 0;
  virtual const EmployerRecord& employer() const = 0;
};

// The shared part over a record of kind R (a T4Record or a T4ARecord).
template <class R>
class SlipEntryController : public SlipEntry {
 public:
  // The texts of the report type's list: original, amended, cancelled (stored 0, 1, 2).
  static const QStringList& reportTypeTexts();

  void open() override;
  // The findings, then "Do you wish to save your changes to the last T4 ?" (T4A). Nothing
  // when no question was asked; Cancel also after "Fix Error", and after a save that did not
  // reach the disk (told with the file-failure message; the record stays unsaved).
  std::optional<Answer> AskSaveChanges();
  bool move(Move move) override;
  bool addNew() override;
  bool pickFromIndex() override;
  bool closeQuery() override;

  const R& working() const { return m_working; }
  void keepWorking() override { m_kept = m_working; }
  void dropEntry() override { m_working = m_kept; }
  const EmployerRecord& employer() const override { return m_employer; }
  int currentPosition() const { return m_position; }
  bool isNew() const { return m_new; }

 protected:
  SlipEntryController(OpenT4FileState& state, ScreensUi& ui) : m_state(state), m_ui(ui) {}

  // What a control of `field` shows: a tick as "1" or "0", an amount with two decimals, a
  // code of one byte blank for none, the report type as its list's text, a text as it is.
  QString textOf(const Field& field) const;
  // The report type chosen from its list; a text not in it changes nothing.
  FieldOutcome leaveReportType(const Field& field, const QString& text);

  // The checks of the working record into `report`; true when they found anything.
  virtual bool checkWorking(QStringList& report) = 0;
  // A new record after `prefix`, with the employer's defaults.
  virtual R newRecord(const Record768& prefix) const = 0;
  // The key under which the working record is indexed when saved.
  virtual QString saveKey() const = 0;
  virtual SlipKind kind() const = 0;

  OpenT4FileState& m_state;
  ScreensUi& m_ui;
  R m_working;
  R m_kept;  // the working record before an entry that may be dropped
  EmployerRecord m_employer;

 private:
  void readAt(int indexPosition);

  int m_position = 0;
  int64_t m_storedAt = -1;  // the place in the file of the record shown; -1: none
  bool m_new = false;
};

// Blank, or beginning with two digits.
bool IsBlankOrNumbered(const QString& text);

}  // namespace quillet
