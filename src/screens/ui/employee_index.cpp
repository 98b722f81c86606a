// Quillet — the employee index: pick an employee by name, or look at the employer.
#include "screens/ui/employee_index.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/open_t4_file.h"
#include "reports/ui/dialog_parts.h"
#include "screens/employee_index.h"

namespace quillet {

TFormT4Index::TFormT4Index(OpenT4FileState& state, Ui& ui, QWidget* owner)
    : QDialog(owner), m_state(state), m_ui(ui) {
  setObjectName(QStringLiteral("TFormT4Index"));
  setWindowTitle(QStringLiteral("Employees in this T4 File"));
  useBoldInterfaceFont(this);
  resize(360, 420);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Click on employee to select."), this));
  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  layout->addWidget(ListBox1);
  BitBtnShowCoInfo = new QPushButton(QStringLiteral("Show Company Info."), this);
  BitBtnShowCoInfo->setObjectName(QStringLiteral("BitBtnShowCoInfo"));
  BitBtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
  BitBtnCancel->setObjectName(QStringLiteral("BitBtnCancel"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BitBtnShowCoInfo);
  buttons->addStretch();
  buttons->addWidget(BitBtnCancel);
  layout->addLayout(buttons);

  // FormActivate: the keys as they stand, no pick yet.
  TAlphaInxFileStream& file = m_state.T4File();
  for (int i = 0; i < file.Count(); ++i) ListBox1->addItem(file.key(i));
  file.PickedIndex = TAlphaInxFileStream::NothingPicked;
  file.CoInfoShown = false;
  ListBox1->setFocus();

  // A click picks at once; Enter on a line picks it as well.
  const auto pick = [this](QListWidgetItem* item) {
    m_state.T4File().PickedIndex = ListBox1->row(item);
    accept();
  };
  connect(ListBox1, &QListWidget::itemClicked, this, pick);
  connect(ListBox1, &QListWidget::itemActivated, this, pick);
  connect(BitBtnShowCoInfo, &QPushButton::clicked, this,
          [this] { showCompanyInfo(m_state, m_ui); });
  connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

}  // namespace quillet
