// Quillet — the T4 print set-up dialog: margins, line-up sample, form type.
#pragma once

#include <QDialog>

#include "reports/print_dialogs.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QPushButton;
class QSpinBox;

namespace quillet {

class TFormT4PrintSetUp : public QDialog {
  Q_OBJECT

 public:
  explicit TFormT4PrintSetUp(QWidget* owner = nullptr);

  // Margins out of their ranges come in at the nearest limit.
  void setValues(const T4PrintSetUp& values);
  T4PrintSetUp values() const;

  QSpinBox* SpinEditTOP;
  QSpinBox* SpinEditLEFT;
  QCheckBox* CheckBoxLineUpRequd;
  QGroupBox* RadioGroupT4Type;
  QPushButton* BitBtnOK;
  QPushButton* BitBtnPreview;  // the forms on the screen first; the dialog returns after
  QPushButton* BitBtnCancel;

 private:
  QButtonGroup* m_types;
  bool m_preview = false;
};

}  // namespace quillet
