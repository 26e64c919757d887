// varnelio: the desktop program.
#include <QApplication>

#include "ui/app/window_registry.h"
#include "ui/app/workspace.h"
#include "ui/platform/prompts.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Varnelio"));
  QApplication::setApplicationVersion(QStringLiteral(VARNELIO_VERSION));
  varnelio::ui::QtPrompts prompts;
  varnelio::ui::Workspace workspace(prompts, varnelio::ui::Workspace::installedDataDir());
  varnelio::ui::registerAllWindows(workspace);
  if (!workspace.open(QStringLiteral("Menu"))) return 1;
  return app.exec();
}
