// Quillet — small pieces that the print dialogs share.
#include "reports/ui/dialog_parts.h"

#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quillet {

void useBoldInterfaceFont(QWidget* widget) {
  QFont bold = widget->font();
  bold.setBold(true);
  bold.setPointSize(8);
  widget->setFont(bold);
}

QSize roomOnScreen(const QWidget& window) {
  const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  // What a window manager's borders and title bar commonly take.
  const QSize frame(16, 40);
  return screen ? screen->availableGeometry().size() - frame : QSize(1024, 768) - frame;
}

QLabel* namedLabel(QWidget* parent, const char* objectName, const char* text) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setObjectName(QLatin1String(objectName));
  return label;
}

QLabel* maroon(QLabel* label) {
  label->setStyleSheet(QStringLiteral("color: maroon;"));
  return label;
}

QSpinBox* namedSpinBox(QWidget* parent, const QString& objectName, int minimum, int maximum,
                       int step) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(objectName);
  spin->setRange(minimum, maximum);
  spin->setSingleStep(step);
  return spin;
}

QButtonGroup* radioItems(QGroupBox* group, const QStringList& items) {
  auto* buttons = new QButtonGroup(group);
  auto* layout = new QVBoxLayout(group);
  for (qsizetype i = 0; i < items.size(); ++i) {
    auto* radio = new QRadioButton(items.at(i), group);
    radio->setObjectName(QStringLiteral("%1Item%2").arg(group->objectName()).arg(i));
    buttons->addButton(radio, int(i));
    layout->addWidget(radio);
  }
  return buttons;
}

QDialogButtonBox* okCancelButtons(QDialog* dialog, QPushButton** ok, QPushButton** cancel,
                                  const char* okName, const char* cancelName) {
  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  box->setObjectName(QStringLiteral("ButtonBox"));
  *ok = box->button(QDialogButtonBox::Ok);
  *cancel = box->button(QDialogButtonBox::Cancel);
  (*ok)->setObjectName(QLatin1String(okName));
  (*cancel)->setObjectName(QLatin1String(cancelName));
  (*ok)->setDefault(true);
  QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return box;
}

}  // namespace quillet
