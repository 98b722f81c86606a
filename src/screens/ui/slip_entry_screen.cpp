// Quillet — what the T4 and T4A entry screens share.
#include "screens/ui/slip_entry_screen.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

#include "reports/ui/dialog_parts.h"

namespace quillet {

void SlipEntryScreen::buildControls(std::span<const ControlDef> defs,
                                    const std::function<QStringList(int tag)>& listOf) {
  m_defs = defs;
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

QHBoxLayout* SlipEntryScreen::buildHeader(const QString& formTitle,
                                          std::initializer_list<int> firstRow) {
  auto* top = new QHBoxLayout;
  auto* header = new QGroupBox(this);
  header->setObjectName(QStringLiteral("PanelHeader"));
  auto* headerLines = new QVBoxLayout(header);
  headerLines->setSpacing(0);
  for (const char* name : {"LabelS_Employer_name_line_1", "LabelS_Employer_address_line_1",
                           "LabelS_Employer_address_line_2", "LabelS_Employer_city",
                           "LabelS_Employer_province_code", "LabelS_Employer_country_code",
                           "LabelS_Employer_postal_code", "LabelRevCan_account_number"}) {
    auto* label = new QLabel(header);
    label->setObjectName(QLatin1String(name));
    headerLines->addWidget(label);
    m_header[QLatin1String(name)] = label;
  }
  top->addWidget(header);
  auto* titles = new QVBoxLayout;
  auto* year = new QLabel(this);
  year->setObjectName(QStringLiteral("LabelS_Taxation_year"));
  QFont big = year->font();
  big.setPointSize(24);
  year->setFont(big);
  year->setStyleSheet(QStringLiteral("color: red;"));
  m_header[QStringLiteral("LabelS_Taxation_year")] = year;
  auto* yearRow = new QHBoxLayout;
  yearRow->addWidget(year);
  yearRow->addWidget(new QLabel(formTitle, this));
  titles->addLayout(yearRow);
  auto* boxes = new QGridLayout;
  boxRow(this, boxes, 0, firstRow);
  titles->addLayout(boxes);
  top->addLayout(titles, 1);
  return top;
}

void SlipEntryScreen::boxRow(QWidget* parent, QGridLayout* grid, int row,
                             std::initializer_list<int> tags) {
  int column = 0;
  for (int tag : tags) {
    QWidget* control = m_controls.at(tag);
    control->setParent(parent);
    if (defOf(tag).kind != Kind::Check) {
      m_captions[tag] = new QLabel(QString::fromUtf8(defOf(tag).caption), parent);
      grid->addWidget(m_captions[tag], row, column);
    }
    grid->addWidget(control, row + 1, column++);
  }
}

QGroupBox* SlipEntryScreen::otherInformation(QWidget* parent, int firstCodeTag, int pairs,
                                             int perRow) {
  auto* otherInfo = new QGroupBox(QStringLiteral("Other Information"), parent);
  auto* otherGrid = new QGridLayout(otherInfo);
  for (int pair = 0; pair < pairs; ++pair) {
    const int code = firstCodeTag + 2 * pair;
    const int row = (pair / perRow) * 2, column = (pair % perRow) * 2;
    otherGrid->addWidget(new QLabel(QString::fromUtf8(defOf(code).caption), otherInfo), row,
                         column);
    otherGrid->addWidget(new QLabel(QString::fromUtf8(defOf(code + 1).caption), otherInfo), row,
                         column + 1);
    m_controls.at(code)->setParent(otherInfo);
    m_controls.at(code + 1)->setParent(otherInfo);
    otherGrid->addWidget(m_controls.at(code), row + 1, column);
    otherGrid->addWidget(m_controls.at(code + 1), row + 1, column + 1);
  }
  return otherInfo;
}

QScrollArea* SlipEntryScreen::newArea() {
  m_area = new QScrollArea(this);
  m_area->setObjectName(QStringLiteral("ScrollBoxEntries"));
  m_area->setWidgetResizable(true);
  return m_area;
}

void SlipEntryScreen::addScrolled(QVBoxLayout* layout, QWidget* boxes) {
  m_area->setWidget(boxes);
  layout->addWidget(m_area, 1);
  layout->addWidget(new QLabel(QStringLiteral("Scroll to see additional entry items"), this));
}

void SlipEntryScreen::showOpened(const QString& accountCaption) {
  entry().open();
  const EmployerRecord& e = entry().employer();
  using E = EmployerRecord;
  showBoxesOfYear(e.u16(E::S_Taxation_year));
  for (const auto& [name, field] :
       {std::pair{"LabelS_Employer_name_line_1", E::S_Employer_name_line_1},
        std::pair{"LabelS_Employer_address_line_1", E::S_Employer_address_line_1},
        std::pair{"LabelS_Employer_address_line_2", E::S_Employer_address_line_2},
        std::pair{"LabelS_Employer_city", E::S_Employer_city},
        std::pair{"LabelS_Employer_province_code", E::S_Employer_province_code},
        std::pair{"LabelS_Employer_country_code", E::S_Employer_country_code},
        std::pair{"LabelS_Employer_postal_code", E::S_Employer_postal_code}})
    m_header.at(QLatin1String(name))->setText(e.text(field));
  m_header.at(QStringLiteral("LabelRevCan_account_number"))
      ->setText(accountCaption + e.text(E::RevCan_account_number));
  m_header.at(QStringLiteral("LabelS_Taxation_year"))
      ->setText(QString::number(e.u16(E::S_Taxation_year)));
  ShowRecord();
  // Every box shown where the screen has room for them; else as much as it has, and the
  // rest scrolled within the window. The layouts first take in the employer's lines.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  resize(sizeWithinRoom(wholeSize(), roomOnScreen(*this)));
  startTyping(m_firstTag);
}

void SlipEntryScreen::setBoxShown(int tag, bool shown) {
  m_controls.at(tag)->setVisible(shown);
  if (m_captions.count(tag)) m_captions.at(tag)->setVisible(shown);
}

QSize SlipEntryScreen::wholeSize() const {
  // The area as big as what it holds, the rest of the screen as its layout wants it.
  const QWidget* boxes = m_area->widget();
  const QSize content = QSize(boxes->minimumSizeHint().width(), boxes->sizeHint().height()) +
                        QSize(2, 2) * m_area->frameWidth();
  const QMargins margins = layout()->contentsMargins();
  return QSize(std::max(sizeHint().width(), content.width() + margins.left() + margins.right()),
               sizeHint().height() - m_area->sizeHint().height() + content.height());
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
