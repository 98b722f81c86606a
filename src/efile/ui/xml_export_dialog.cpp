// Quillet — the choices of an XML return: its submission reference, original or amended,
// the amendment note, the schema folder, and the transmitter.
#include "efile/ui/xml_export_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "efile/ui/transmitter_dialog.h"
#include "reports/ui/dialog_parts.h"

namespace quillet {
namespace {

constexpr int NoteLength = 2000;

// Enter on a focused button presses it; anywhere else Enter is OK, the dialog's default.
QPushButton* namedButton(QWidget* parent, const char* objectName, const QString& text) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QLatin1String(objectName));
  return button;
}

}  // namespace

XmlExportDialog::XmlExportDialog(const XmlExportChoices& choices, QWidget* owner)
    : QDialog(owner), m_choices(choices) {
  setObjectName(QStringLiteral("XmlExportDialog"));
  setWindowTitle(QStringLiteral("Export for Internet Filing"));
  auto* layout = new QVBoxLayout(this);

  auto* transmitterRow = new QHBoxLayout;
  LabelTransmitter = namedLabel(this, "LabelTransmitter", "");
  LabelTransmitter->setWordWrap(true);
  ButtonTransmitter = namedButton(this, "ButtonTransmitter", QStringLiteral("Transmitter…"));
  transmitterRow->addWidget(LabelTransmitter, 1);
  transmitterRow->addWidget(ButtonTransmitter);
  layout->addLayout(transmitterRow);

  auto* form = new QFormLayout;
  layout->addLayout(form);
  EditSubmissionRef = new QLineEdit(choices.options.submissionRef, this);
  EditSubmissionRef->setObjectName(QStringLiteral("EditSubmissionRef"));
  EditSubmissionRef->setValidator(new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("[A-Za-z0-9]{0,8}")), EditSubmissionRef));
  form->addRow(QStringLiteral("Submission reference (1 to 8 letters and digits)"),
               EditSubmissionRef);
  // Once a return was filed, this one sends what changed since: the user says which kind.
  const bool filed = !choices.lastFiled.isEmpty();
  LabelLastFiled = namedLabel(this, "LabelLastFiled", "");
  LabelLastFiled->setText(
      QStringLiteral("A return was filed from this file: the last %1.").arg(choices.lastFiled));
  LabelLastFiled->setWordWrap(true);
  form->addRow(LabelLastFiled);
  ComboBoxReturn = new QComboBox(this);
  ComboBoxReturn->setObjectName(QStringLiteral("ComboBoxReturn"));
  const struct {
    ReturnKind kind;
    int slips;
    const char* text;
  } kinds[] = {{ReturnKind::Additions, choices.added, "Additions: the %1 slip(s) added since"},
               {ReturnKind::Amendment, choices.changed, "Amendment: the %1 slip(s) changed since"},
               {ReturnKind::Cancellation, choices.toCancel,
                "Cancellation: the %1 slip(s) made VOID or marked cancelled since"}};
  for (const auto& k : kinds) {
    ComboBoxReturn->addItem(QString::fromLatin1(k.text).arg(k.slips), int(k.kind));
    if (k.kind == choices.kind) ComboBoxReturn->setCurrentIndex(ComboBoxReturn->count() - 1);
  }
  form->addRow(QStringLiteral("This return"), ComboBoxReturn);
  CheckBoxAmended = new QCheckBox(
      QStringLiteral("Amended return (slips keep the report type of their records)"), this);
  CheckBoxAmended->setObjectName(QStringLiteral("CheckBoxAmended"));
  CheckBoxAmended->setChecked(choices.options.amended);
  form->addRow(CheckBoxAmended);
  form->setRowVisible(LabelLastFiled, filed);
  form->setRowVisible(ComboBoxReturn, filed);
  form->setRowVisible(CheckBoxAmended, !filed);
  EditAmendmentNote = new QPlainTextEdit(choices.options.amendmentNote, this);
  EditAmendmentNote->setObjectName(QStringLiteral("EditAmendmentNote"));
  EditAmendmentNote->setTabChangesFocus(true);
  form->addRow(QStringLiteral("Amendment note (up to 2,000 characters)"), EditAmendmentNote);

  auto* schemaRow = new QHBoxLayout;
  EditSchemaFolder = new QLineEdit(choices.schemaFolder, this);
  EditSchemaFolder->setObjectName(QStringLiteral("EditSchemaFolder"));
  EditSchemaFolder->setPlaceholderText(QStringLiteral("none: the return is not validated"));
  EditSchemaFolder->setMinimumWidth(
      EditSchemaFolder->fontMetrics().horizontalAdvance(EditSchemaFolder->placeholderText()) + 16);
  ButtonSchemaFolder = namedButton(this, "ButtonSchemaFolder", QStringLiteral("Browse…"));
  schemaRow->addWidget(EditSchemaFolder, 1);
  schemaRow->addWidget(ButtonSchemaFolder);
  form->addRow(QStringLiteral("CRA's schema folder"), schemaRow);

  LabelProblem = maroon(namedLabel(this, "LabelProblem", ""));
  LabelProblem->setWordWrap(true);
  layout->addWidget(LabelProblem);
  layout->addWidget(okCancelButtons(this, &BitBtnOK, &BitBtnCancel));

  const auto amendedChanged = [this] { EditAmendmentNote->setEnabled(amends()); };
  connect(CheckBoxAmended, &QCheckBox::toggled, this, amendedChanged);
  connect(ComboBoxReturn, &QComboBox::currentIndexChanged, this, amendedChanged);
  amendedChanged();
  connect(ButtonTransmitter, &QPushButton::clicked, this, &XmlExportDialog::editTransmitter);
  connect(ButtonSchemaFolder, &QPushButton::clicked, this, [this] {
    const QString folder = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Folder of CRA's unpacked schema package"), EditSchemaFolder->text());
    if (!folder.isEmpty()) EditSchemaFolder->setText(folder);
  });
  showTransmitter();
}

void XmlExportDialog::showTransmitter() {
  const Transmitter& t = m_choices.transmitter;
  LabelTransmitter->setText(QStringLiteral("Transmitter: %1, account %2; contact %3, %4")
                                .arg(t.name.isEmpty() ? t.contactName : t.name, t.account,
                                     t.contactName, t.contactEmail));
}

void XmlExportDialog::editTransmitter() {
  TransmitterDialog dialog(m_choices.transmitter, this);
  if (dialog.exec() != QDialog::Accepted) return;
  m_choices.transmitter = dialog.transmitter();
  showTransmitter();
}

bool XmlExportDialog::amends() const {
  if (m_choices.lastFiled.isEmpty()) return CheckBoxAmended->isChecked();
  return ComboBoxReturn->currentData().toInt() != int(ReturnKind::Additions);
}

XmlExportChoices XmlExportDialog::choices() const {
  XmlExportChoices c = m_choices;
  c.options.submissionRef = EditSubmissionRef->text();
  const bool filed = !c.lastFiled.isEmpty();
  c.options.amended = !filed && CheckBoxAmended->isChecked();
  if (filed) c.kind = ReturnKind(ComboBoxReturn->currentData().toInt());
  c.options.amendmentNote = amends() ? EditAmendmentNote->toPlainText().trimmed() : QString();
  c.schemaFolder = EditSchemaFolder->text().trimmed();
  return c;
}

void XmlExportDialog::accept() {
  const XmlExportChoices c = choices();
  QString problem;
  QWidget* at = nullptr;
  if (c.options.submissionRef.isEmpty()) {
    problem = QStringLiteral("The submission reference is 1 to 8 letters and digits");
    at = EditSubmissionRef;
  } else if (c.options.amendmentNote.size() > NoteLength) {
    problem = QStringLiteral("The amendment note is longer than 2,000 characters");
    at = EditAmendmentNote;
  } else if (!c.schemaFolder.isEmpty() &&
             !QDir(c.schemaFolder).exists(QStringLiteral("T619_T4.xsd"))) {
    problem = QStringLiteral("The schema folder does not hold CRA's T619_T4.xsd");
    at = EditSchemaFolder;
  } else if (const QStringList problems = c.transmitter.problems(); !problems.isEmpty()) {
    problem = problems.first();
    at = ButtonTransmitter;
  }
  LabelProblem->setText(problem);
  if (at) {
    at->setFocus();
    return;
  }
  QDialog::accept();
}

}  // namespace quillet
