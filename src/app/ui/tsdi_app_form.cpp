// Quillet — the main window.
#include "app/ui/tsdi_app_form.h"

#include <QLabel>

#include "app/command_line.h"
#include "app/ui.h"
#include "data/open_t4_file.h"

namespace quillet {

TSDIAppForm::TSDIAppForm(OpenT4FileState& state, Ui& ui, QWidget* parent)
    : QMainWindow(parent), m_state(state), m_ui(ui) {
  setObjectName(QStringLiteral("TSDIAppForm"));
  auto* title = new QLabel(QStringLiteral("Quillet"), this);
  title->setObjectName(QStringLiteral("TitlePanel1"));
  title->setAlignment(Qt::AlignCenter);
  QFont big = title->font();
  big.setPointSize(big.pointSize() * 3);
  title->setFont(big);
  setCentralWidget(title);
  resize(640, 400);
  showFileInCaption();
}

void TSDIAppForm::handleCommandLine(const QStringList& args) {
  const CommandLine line = parseCommandLine(args);
  if (line.t4FileName.isEmpty()) return;
  m_state.setT4FileName(line.t4FileName);
  if (const FileStatus opened = m_state.OpenT4File(); !opened) m_ui.showMessage(opened.message());
  showFileInCaption();
}

void TSDIAppForm::showFileInCaption() {
  setWindowTitle(m_state.T4FileOpen()
                     ? QStringLiteral("Processing: ") + m_state.T4FileName()
                     : QStringLiteral("Preparation & Printing of Revenue Canada T4 Forms"));
}

}  // namespace quillet
