// Quillet — the desktop program.
#include <QApplication>

#include "app/clock.h"
#include "app/ui/tsdi_app_form.h"
#include "app/ui/widget_ui.h"
#include "data/open_t4_file.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quillet"));

  quillet::OpenT4FileState state;
  const quillet::SystemClock clock;
  quillet::WidgetUi ui(clock);
  quillet::TSDIAppForm window(state, ui);
  ui.setOwner(&window);
  window.show();
  window.handleCommandLine(QApplication::arguments().mid(1));
  const int status = QApplication::exec();
  state.CloseT4File();
  return status;
}
