// Quillet — the desktop program.
#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "app/settings_startup.h"
#include "app/ui/tsdi_app_form.h"
#include "app/ui/widget_ui.h"
#include "core/clock.h"
#include "core/settings_store.h"
#include "data/open_t4_file.h"

int main(int argc, char** argv) {
  // The version, alone on the command line, needs no display and opens no window.
  if (argc == 2 && qstrcmp(argv[1], "--version") == 0) {
    std::printf("quillet %s\n", QUILLET_VERSION);
    return 0;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quillet"));
  QApplication::setOrganizationName(QStringLiteral("Corvantis"));

  const quillet::SystemClock clock;
  const quillet::SettingsStore settings;
  quillet::OpenT4FileState state;
  quillet::WidgetUi ui(clock);
  ui.setDialogFolder(QApplication::applicationDirPath());
  const auto places = quillet::StartUpPlaces::ofThisMachine(QApplication::applicationFilePath());
  quillet::TSDIAppForm window(
      state, ui, clock, settings, QApplication::arguments().mid(1),
      [&] { quillet::SettingsStartUp(settings, places, ui); }, nullptr,
      QApplication::applicationDirPath());
  ui.setOwner(&window);
  window.show();
  // The first activation also comes when the window manager withholds it (or there is
  // none), so that the command line is always handled.
  QTimer::singleShot(0, &window, [&window] { window.FormActivate(); });
  return QApplication::exec();
}
