// SPDX-License-Identifier: GPL-3.0-or-later
// varnelio: the desktop program.
#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include "ui/app/french_translations.h"
#include "ui/app/window_registry.h"
#include "ui/shell/workspace.h"
#include "ui/style/identity_pictures.h"
#include "ui/shell/prompts.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Orvalune"));
  QApplication::setApplicationName(QStringLiteral("Varnelio"));
  QApplication::setApplicationVersion(QStringLiteral(VARNELIO_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("varnelio"));
  QApplication::setWindowIcon(varnelio::ui::applicationIcon());
  varnelio::ui::installFrenchTranslations(app);
  varnelio::ui::QtPrompts prompts;
  varnelio::ui::Workspace workspace(prompts, varnelio::ui::Workspace::installedDataDir());
  // The user's data folder, e.g. ~/.local/share/Orvalune/Varnelio/recovery.
  workspace.setRecoveryDir(
      QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(QStringLiteral("recovery")));
  varnelio::ui::registerAllWindows(workspace);
  // The splash window opens the main window "Menu" when it gives way.
  if (!workspace.open(varnelio::ui::WindowId::splash())) return 1;
  return app.exec();
}
