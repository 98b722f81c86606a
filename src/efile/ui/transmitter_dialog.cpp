// Quillet — the transmitter of XML returns: how they sign in to CRA and how CRA reaches
// them, each entry checked as it is left.
#include "efile/ui/transmitter_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "reports/ui/dialog_parts.h"

namespace quillet {
namespace {

using Entry = Transmitter::Entry;

struct EntryLine {
  const char* objectName;
  const char* label;
  int maxLength;
};

// In the order of Transmitter::Entry.
constexpr EntryLine Lines[] = {
    {"EditAccount", "CRA account number (BN, payroll account, trust or NR4)", 17},
    {"EditRepId", "RepID (Represent a Client)", 7},
    {"EditName", "Transmitter's name", 35},
    {"EditContactName", "Contact's name", 35},
    {"EditContactArea", "Area code", 3},
    {"EditContactPhone", "Telephone (NNN-NNNN)", 8},
    {"EditContactExtension", "Extension", 5},
    {"EditContactEmail", "E-mail address", 60},
};

}  // namespace

TransmitterDialog::TransmitterDialog(const Transmitter& t, QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("TransmitterDialog"));
  setWindowTitle(QStringLiteral("Transmitter for Internet Filing"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  layout->addLayout(form);

  ComboSignIn = new QComboBox(this);
  ComboSignIn->setObjectName(QStringLiteral("ComboSignIn"));
  ComboSignIn->addItems({QStringLiteral("My Business Account"), QStringLiteral("Web Access Code"),
                         QStringLiteral("Represent a Client")});
  ComboSignIn->setCurrentIndex(int(t.signIn));
  form->addRow(QStringLiteral("Signs in to CRA with"), ComboSignIn);

  for (std::size_t i = 0; i < edits.size(); ++i) {
    auto* edit = new QLineEdit(t.text(Entry(i)), this);
    edit->setObjectName(QLatin1String(Lines[i].objectName));
    edit->setMaxLength(Lines[i].maxLength);
    edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * Lines[i].maxLength * 7 / 8 + 12);
    form->addRow(QString::fromLatin1(Lines[i].label), edit);
    connect(edit, &QLineEdit::editingFinished, this, [this, i] { entryLeft(Entry(i)); });
    edits[i] = edit;
  }

  ComboLanguage = new QComboBox(this);
  ComboLanguage->setObjectName(QStringLiteral("ComboLanguage"));
  ComboLanguage->addItems({QStringLiteral("English"), QStringLiteral("French")});
  ComboLanguage->setCurrentIndex(t.language == u'F' ? 1 : 0);
  form->addRow(QStringLiteral("Language of CRA's correspondence"), ComboLanguage);

  LabelProblem = maroon(namedLabel(this, "LabelProblem", ""));
  LabelProblem->setWordWrap(true);
  layout->addWidget(LabelProblem);
  layout->addWidget(okCancelButtons(this, &BitBtnOK, &BitBtnCancel));

  // The RepID belongs to Represent a Client alone.
  const auto signInChanged = [this] {
    edits[int(Entry::RepId)]->setEnabled(ComboSignIn->currentIndex() ==
                                         int(Transmitter::SignIn::RAC));
  };
  connect(ComboSignIn, &QComboBox::currentIndexChanged, this, signInChanged);
  signInChanged();
}

Transmitter TransmitterDialog::transmitter() const {
  Transmitter t;
  t.signIn = Transmitter::SignIn(ComboSignIn->currentIndex());
  for (std::size_t i = 0; i < edits.size(); ++i) t.text(Entry(i)) = edits[i]->text().trimmed();
  t.language = ComboLanguage->currentIndex() == 1 ? u'F' : u'E';
  return t;
}

bool TransmitterDialog::entryLeft(Entry entry) {
  const QString problem = transmitter().problemOf(entry);
  LabelProblem->setText(problem);
  return problem.isEmpty();
}

void TransmitterDialog::accept() {
  for (std::size_t i = 0; i < edits.size(); ++i) {
    if (!entryLeft(Entry(i))) {
      edits[i]->setFocus();
      return;
    }
  }
  QDialog::accept();
}

}  // namespace quillet
