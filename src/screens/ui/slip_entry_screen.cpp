// Quillet — what the T4 and T4A entry screens share.
#include "screens/ui/slip_entry_screen.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace quillet {

void SlipEntryScreen::buildControls(std::span<const ControlDef> defs,
                                    const std::function<QStringList(int tag)>& listOf) {
  for (const ControlDef& def : defs) {
    QWidget* control = nullptr;
    Keys keys = Keys::Any;
    switch (def.kind) {
      case Kind::Check:
        control = new QCheckBox(QString::fromUtf8(def.caption), this);
        break;
      case Kind::List:
        control = newList(listOf(def.tag));
        break;
      default: {
        auto* edit = new QLineEdit(this);
        if (def.maxLength > 0) edit->setMaxLength(def.maxLength);
        fitToText(edit, def.maxLength > 0 ? std::min(def.maxLength, 30) : 11);
        if (def.kind == Kind::Amount) keys = Keys::Decimal;
        if (def.kind == Kind::Number) keys = Keys::Digits;
        control = edit;
      }
    }
    control->setObjectName(QLatin1String(def.name));
    watch(control, def.tag, keys);
    m_controls[def.tag] = control;
  }
}

void SlipEntryScreen::addButtonBar(QVBoxLayout* layout, std::span<const int> tabOrder) {
  auto* bar = new QHBoxLayout;
  const auto button = [this, bar](const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromUtf8(caption), this);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    bar->addWidget(b);
    return b;
  };
  QPushButton* index = button("BitBtnIndex", "Pick from &Index");
  QPushButton* first = button("BitBtnFirst", "&First");
  QPushButton* prevs = button("BitBtnPrevs", "&Prevs");
  BitBtnNext = button("BitBtnNext", "&Next");
  BitBtnNext->setDefault(true);  // Enter presses it
  QPushButton* last = button("BitBtnLast", "&Last");
  QPushButton* addNew = button("BitBtnAddNew", "&Add New");
  QPushButton* exit = button("BitBtnExit", "E&XIT");
  layout->addLayout(bar);
  using Move = SlipEntry::Move;
  connect(index, &QPushButton::clicked, this, &SlipEntryScreen::BitBtnIndexClick);
  connect(first, &QPushButton::clicked, this, [this] { navigate(Move::First); });
  connect(prevs, &QPushButton::clicked, this, [this] { navigate(Move::Prevs); });
  connect(BitBtnNext, &QPushButton::clicked, this, [this] { navigate(Move::Next); });
  connect(last, &QPushButton::clicked, this, [this] { navigate(Move::Last); });
  connect(addNew, &QPushButton::clicked, this, &SlipEntryScreen::BitBtnAddNewClick);
  connect(exit, &QPushButton::clicked, this, [this] {
    if (settleFields()) close();
  });

  QWidget* previous = nullptr;
  for (int tag : tabOrder) {
    if (previous) setTabOrder(previous, m_controls.at(tag));
    previous = m_controls.at(tag);
  }
  for (QWidget* b :
       {static_cast<QWidget*>(index), static_cast<QWidget*>(first), static_cast<QWidget*>(prevs),
        static_cast<QWidget*>(BitBtnNext), static_cast<QWidget*>(last),
        static_cast<QWidget*>(addNew), static_cast<QWidget*>(exit)}) {
    setTabOrder(previous, b);
    previous = b;
  }
}

void SlipEntryScreen::startTyping(int tag) {
  auto* edit = static_cast<QLineEdit*>(m_controls.at(tag));
  edit->selectAll();
  edit->setFocus();
}

void SlipEntryScreen::ShowRecord() {
  for (const auto& [tag, control] : m_controls) {
    const QString text = entry().fieldText(tag);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
      edit->setText(text);  // shown by the screen: not modified
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
      showListText(combo, text);
    } else {
      static_cast<QCheckBox*>(control)->setChecked(text == QLatin1String("1"));
    }
  }
}

bool SlipEntryScreen::Validate_UpdtFile(int tag) {
  QWidget* control = m_controls.at(tag);
  QString text;
  if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    // An edit is checked only when typed into since it was last shown or checked.
    if (!edit->isModified()) return true;
    edit->setModified(false);
    text = edit->text();
  } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
    text = combo->currentText();
  } else {
    text =
        static_cast<QCheckBox*>(control)->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
  }
  const FieldOutcome outcome = entry().leaveField(tag, text);
  showOutcome(control, outcome, m_controls.at(m_countryTag));
  if (outcome.refreshAll) ShowRecord();
  return !outcome.focusBack;
}

void SlipEntryScreen::navigate(SlipEntry::Move move) {
  if (settleFields() && entry().move(move)) ShowRecord();
}

void SlipEntryScreen::BitBtnAddNewClick() {
  if (!settleFields() || !entry().addNew()) return;
  ShowRecord();
  startTyping(m_firstTag);
}

void SlipEntryScreen::BitBtnIndexClick() {
  if (settleFields() && entry().pickFromIndex()) ShowRecord();
}

void SlipEntryScreen::reject() { close(); }

void SlipEntryScreen::closeEvent(QCloseEvent* event) {
  if (!isVisible()) return;
  event->ignore();
  if (settleFieldsBeforeClosing() && entry().closeQuery()) done(QDialog::Accepted);
}

}  // namespace quillet
