// SPDX-License-Identifier: GPL-3.0-or-later
// Every window fits on a 1024 × 768 screen, and a window opened from another stands
// centred on it and whole on the screen, never in a corner or below its edge.
#include <QAction>
#include <QLineEdit>
#include <QScreen>
#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

#include "ui/analysis/analysis_window.h"
#include "ui/app/main_window.h"
#include "ui/shell/kind_windows.h"
#include "ui_test_support.h"

namespace varnelio::ui {
namespace {

TEST(WindowPlacement, SideWindowsOpenCentredOnTheirWindowAndWholeOnTheScreen) {
  testing::UiHarness h;
  auto* menu = qobject_cast<MainWindow*>(h.workspace->open(WindowId::main()));
  menu->show();
  QFile f(h.path(QStringLiteral("t.txt")));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("Puella rosam amat. Servum video.");
  f.close();
  menu->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(f.fileName());
  menu->findChild<QAction*>(kindWindows(KindId::AccSg).itemName(Family::New))->trigger();
  auto* analysis = h.workspace->find<AnalysisWindow>(kindWindows(KindId::AccSg).windowName(Family::New));
  ASSERT_NE(analysis, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(analysis));
  const QRect screen = analysis->screen()->availableGeometry();
  // Pushed towards the bottom right corner, where a window opened over it would
  // reach beyond the screen.
  analysis->move(screen.right() - analysis->width() / 2, screen.bottom() - analysis->height() / 2);
  QCoreApplication::processEvents();
  analysis->activateWindow();
  QCoreApplication::processEvents();

  for (const char* name : {"frmlexique", "frmrecherche01", "frmacc_singulier", "frmAbout"}) {
    SCOPED_TRACE(name);
    QWidget* side = h.workspace->open(*WindowId::named(QString::fromLatin1(name)));
    ASSERT_NE(side, nullptr);
    QCoreApplication::processEvents();
    const QRect frame = side->frameGeometry();
    // 30 pixels for a title bar the offscreen platform does not draw.
    EXPECT_LE(frame.width(), 1024);
    EXPECT_LE(frame.height() + 30, 768);
    EXPECT_TRUE(screen.contains(frame)) << frame.x() << "," << frame.y() << " " << frame.width() << "x"
                                        << frame.height();
    // Opened again, it stays where it is.
    side->move(screen.topLeft() + QPoint(10, 10));
    const QPoint moved = side->pos();
    h.workspace->open(*WindowId::named(QString::fromLatin1(name)));
    EXPECT_EQ(side->pos(), moved);
    analysis->activateWindow();
    QCoreApplication::processEvents();
  }
  const QRect analysisFrame = analysis->frameGeometry();
  EXPECT_LE(analysisFrame.width(), 1024);
  EXPECT_LE(analysisFrame.height() + 30, 768);
}

}  // namespace
}  // namespace varnelio::ui
