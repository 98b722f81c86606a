// Quillet — the choices of an XML return: its submission reference, original or amended
// (once a return was filed: additions, amendment or cancellation), the amendment note, the
// schema folder, and the transmitter.
#pragma once

#include <QDialog>

#include "efile/t4_xml.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace quillet {

class XmlExportDialog : public QDialog {
  Q_OBJECT

 public:
  explicit XmlExportDialog(const XmlExportChoices& choices, QWidget* owner = nullptr);

  // The choices as they stand.
  XmlExportChoices choices() const;

  // OK closes only with a reference of 1 to 8 letters and digits and a schema folder that
  // holds CRA's T619_T4.xsd (or none).
  void accept() override;

  QLabel* LabelTransmitter;
  QPushButton* ButtonTransmitter;
  QLineEdit* EditSubmissionRef;
  QLabel* LabelLastFiled;      // shown once a return was filed from the file
  QComboBox* ComboBoxReturn;   // what this return is, then
  QCheckBox* CheckBoxAmended;  // before: the whole file, amended
  QPlainTextEdit* EditAmendmentNote;
  QLineEdit* EditSchemaFolder;
  QPushButton* ButtonSchemaFolder;
  QLabel* LabelProblem;
  QPushButton* BitBtnOK;
  QPushButton* BitBtnCancel;

 private:
  void showTransmitter();
  void editTransmitter();
  // The note goes with an amended return, an amendment or a cancellation.
  bool amends() const;

  XmlExportChoices m_choices;  // as given; the transmitter as edited since
};

}  // namespace quillet
