// Quillet — the transmitter of XML returns: how they sign in to CRA and how CRA reaches
// them, each entry checked as it is left.
#pragma once

#include <QDialog>
#include <array>

#include "efile/t4_xml.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quillet {

class TransmitterDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TransmitterDialog(const Transmitter& transmitter, QWidget* owner = nullptr);

  // The entries as they stand.
  Transmitter transmitter() const;

  // OK closes only when every entry is right; otherwise the first wrong one takes the focus
  // and its problem is shown.
  void accept() override;

  QComboBox* ComboSignIn;
  QComboBox* ComboLanguage;
  // One line per text entry, in the order of Transmitter::Entry (Language excepted).
  std::array<QLineEdit*, 8> edits{};
  QLabel* LabelProblem;
  QPushButton* BitBtnOK;
  QPushButton* BitBtnCancel;

 private:
  // Shows the entry's problem (or clears the line); false when it has one.
  bool entryLeft(Transmitter::Entry entry);
};

}  // namespace quillet
