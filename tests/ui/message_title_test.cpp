// SPDX-License-Identifier: GPL-3.0-or-later
// A message box is wide enough for its whole title beside the window manager's
// buttons: "Fichier existant" is never shown elided.
#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "ui/shell/prompts.h"

namespace varnelio::ui {
namespace {

TEST(MessageTitle, TheOverwriteQuestionIsWideEnoughForItsTitle) {
  QtPrompts prompts;
  int width = 0, titleWidth = 0;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    QFont bold = box->font();
    bold.setBold(true);
    titleWidth = QFontMetrics(bold).horizontalAdvance(box->windowTitle());
    width = box->width();
    for (QAbstractButton* b : box->buttons())
      if (b->text() == QStringLiteral("&Non")) b->click();
  });
  EXPECT_FALSE(confirmOverwrite(prompts, nullptr, QStringLiteral("/a.DAT")));
  EXPECT_GT(titleWidth, 0);
  // The title, and the room for the icon and the three buttons of a title bar.
  EXPECT_GE(width, titleWidth + 120);
}

}  // namespace
}  // namespace varnelio::ui
