// Quillet — the employee index: find and pick an employee by name or SIN, or look at the
// employer.
#include "screens/ui/employee_index.h"

#include <QAbstractListModel>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/open_t4_file.h"
#include "reports/ui/dialog_parts.h"
#include "screens/employee_filter.h"
#include "screens/employee_index.h"

namespace quillet {

// The keys of the employees found, read from the index as the list shows them, so that a
// file of any size opens at once.
class EmployeeIndexModel : public QAbstractListModel {
 public:
  EmployeeIndexModel(const TAlphaInxFileStream& file, QObject* parent)
      : QAbstractListModel(parent), m_file(file), m_filter(file) {}

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : m_filter.count();
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return m_file.key(m_filter.indexAt(index.row()));
  }
  void setText(const QString& typed) {
    beginResetModel();
    m_filter.setText(typed);
    endResetModel();
  }
  int indexAt(int row) const { return m_filter.indexAt(row); }

 private:
  const TAlphaInxFileStream& m_file;
  EmployeeFilter m_filter;
};

TFormT4Index::TFormT4Index(OpenT4FileState& state, ScreensUi& ui, QWidget* owner)
    : QDialog(owner), m_state(state), m_ui(ui) {
  setObjectName(QStringLiteral("TFormT4Index"));
  setWindowTitle(QStringLiteral("Employees in this T4 File"));
  useBoldInterfaceFont(this);
  resize(360, 420);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(
      QStringLiteral("Type a name or a SIN to find an employee; click on one to select."), this));
  EditSearch = new QLineEdit(this);
  EditSearch->setObjectName(QStringLiteral("EditSearch"));
  EditSearch->setPlaceholderText(QStringLiteral("Name or SIN"));
  EditSearch->setClearButtonEnabled(true);
  layout->addWidget(EditSearch);
  ListBox1 = new QListView(this);
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  ListBox1->setUniformItemSizes(true);
  ListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_model = new EmployeeIndexModel(state.T4File(), this);
  ListBox1->setModel(m_model);
  layout->addWidget(ListBox1);
  LabelCount = new QLabel(this);
  LabelCount->setObjectName(QStringLiteral("LabelCount"));
  layout->addWidget(LabelCount);
  BitBtnShowCoInfo = new QPushButton(QStringLiteral("Show Company Info."), this);
  BitBtnShowCoInfo->setObjectName(QStringLiteral("BitBtnShowCoInfo"));
  BitBtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
  BitBtnCancel->setObjectName(QStringLiteral("BitBtnCancel"));
  BitBtnCancel->setAutoDefault(false);
  BitBtnShowCoInfo->setAutoDefault(false);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BitBtnShowCoInfo);
  buttons->addStretch();
  buttons->addWidget(BitBtnCancel);
  layout->addLayout(buttons);

  // FormActivate: the keys as they stand, no pick yet.
  TAlphaInxFileStream& file = m_state.T4File();
  file.PickedIndex = TAlphaInxFileStream::NothingPicked;
  file.CoInfoShown = false;
  search({});
  EditSearch->setFocus();
  EditSearch->installEventFilter(this);

  // A click picks at once; Enter on a line, or in the search field, picks it as well.
  connect(ListBox1, &QListView::clicked, this, [this](const QModelIndex& at) { pick(at.row()); });
  connect(ListBox1, &QListView::activated, this, [this](const QModelIndex& at) { pick(at.row()); });
  connect(EditSearch, &QLineEdit::textChanged, this, &TFormT4Index::search);
  connect(EditSearch, &QLineEdit::returnPressed, this,
          [this] { pick(ListBox1->currentIndex().row()); });
  connect(BitBtnShowCoInfo, &QPushButton::clicked, this,
          [this] { showCompanyInfo(m_state, m_ui); });
  connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormT4Index::search(const QString& typed) {
  m_model->setText(typed);
  const int found = m_model->rowCount();
  const int all = m_state.T4File().Count();
  LabelCount->setText(found == all ? QStringLiteral("%1 employees").arg(all)
                                   : QStringLiteral("%1 of %2 employees").arg(found).arg(all));
  if (found > 0) ListBox1->setCurrentIndex(m_model->index(0));
}

void TFormT4Index::pick(int row) {
  if (row < 0) return;
  m_state.T4File().PickedIndex = m_model->indexAt(row);
  accept();
}

// The arrow and page keys in the search field move in the list.
bool TFormT4Index::eventFilter(QObject* watched, QEvent* event) {
  if (watched == EditSearch && event->type() == QEvent::KeyPress) {
    switch (static_cast<QKeyEvent*>(event)->key()) {
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_PageUp:
      case Qt::Key_PageDown:
        QCoreApplication::sendEvent(ListBox1, event);
        return true;
      default:
        break;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace quillet
