// Quillet — the label style dialog.
#pragma once

#include <QDialog>
#include <optional>

class QButtonGroup;
class QGroupBox;
class QPushButton;

namespace quillet {

class TFormLabelSelect : public QDialog {
  Q_OBJECT

 public:
  explicit TFormLabelSelect(QWidget* owner = nullptr);

  // The chosen style, 0 to 3; nothing while none is selected.
  std::optional<int> style() const;

  QGroupBox* RadioGroupLabelType;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;

 private:
  QButtonGroup* m_styles;
};

}  // namespace quillet
