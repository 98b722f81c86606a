// Quillet — the label style dialog.
#include "reports/ui/label_select.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "reports/mailing_labels.h"
#include "reports/ui/dialog_parts.h"

namespace quillet {

TFormLabelSelect::TFormLabelSelect(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("TFormLabelSelect"));
  setWindowTitle(QStringLiteral("Select label style"));
  auto* layout = new QVBoxLayout(this);
  RadioGroupLabelType = new QGroupBox(QStringLiteral("What size label ?"), this);
  RadioGroupLabelType->setObjectName(QStringLiteral("RadioGroupLabelType"));
  QStringList texts;
  for (const LabelStyle& style : labelStyles()) texts << style.text;
  m_styles = radioItems(RadioGroupLabelType, texts);
  layout->addWidget(RadioGroupLabelType);
  auto* note = namedLabel(this, "Label1",
                          "This is intended for laser and ink jet printers only, where labels are "
                          "on single 8 1/2 x 11 inch sheets. ");
  note->setWordWrap(true);
  layout->addWidget(note);
  layout->addWidget(okCancelButtons(this, &BitBtn1, &BitBtn2, "BitBtn1", "BitBtn2"));
}

std::optional<int> TFormLabelSelect::style() const {
  const int id = m_styles->checkedId();
  return id < 0 ? std::nullopt : std::optional<int>(id);
}

}  // namespace quillet
