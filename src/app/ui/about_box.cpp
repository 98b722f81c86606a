// Quillet — the About box: program name, version and picture.
#include "app/ui/about_box.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillet {

QPixmap programPicture() { return QPixmap(QStringLiteral(":/quillet.jpg"), "JPEG"); }

TAboutBox::TAboutBox(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("TAboutBox"));
  setWindowTitle(QStringLiteral("About Quillet"));
  auto* layout = new QVBoxLayout(this);
  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("ProgramIcon"));
  picture->setPixmap(programPicture());
  layout->addWidget(picture, 0, Qt::AlignHCenter);
  auto* name = new QLabel(QStringLiteral("Quillet"), this);
  name->setObjectName(QStringLiteral("ProductName"));
  QFont big = name->font();
  big.setPointSize(big.pointSize() * 2);
  big.setBold(true);
  name->setFont(big);
  layout->addWidget(name, 0, Qt::AlignHCenter);
  auto* version =
      new QLabel(QStringLiteral("Version %1").arg(QStringLiteral(QUILLET_VERSION)), this);
  version->setObjectName(QStringLiteral("Version"));
  layout->addWidget(version, 0, Qt::AlignHCenter);
  layout->addWidget(
      new QLabel(QStringLiteral("Preparation & Printing of Revenue Canada T4 Forms"), this), 0,
      Qt::AlignHCenter);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->setObjectName(QStringLiteral("ButtonBox"));
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKButton"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
}

}  // namespace quillet
