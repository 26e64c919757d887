// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the window tests on Qt's offscreen platform, one QApplication for all.
#include <QApplication>
#include <gtest/gtest.h>

#include "ui/app/french_translations.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Varnelio"));
  // As the program does: Qt's dialogs in French.
  varnelio::ui::installFrenchTranslations(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
