// SPDX-License-Identifier: GPL-3.0-or-later
// A message box stands centred on its parent window, frame on frame, whatever the
// window manager's title bar.
#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "ui/shell/dialog_placement.h"
#include "ui/shell/prompts.h"

namespace varnelio::ui {
namespace {

TEST(DialogPlacement, TheFrameIsCentredOnTheParentsFrame) {
  const QRect screen(0, 0, 1280, 1024);
  struct Case {
    const char* what;
    QRect parentFrame;
    QSize inside;
    QMargins frame;
    QPoint expected;
  };
  const Case cases[] = {
      // openbox: a 20-pixel title bar and 1-pixel borders; 287 × 107 outside.
      {"title bar", {200, 150, 602, 425}, {285, 86}, {1, 20, 1, 1}, {357, 309}},
      {"no frame", {200, 150, 600, 400}, {285, 86}, {}, {357, 307}},
      // A parent near the screen's edge: the box stays whole on the screen.
      {"off the right and bottom edges", {1100, 950, 600, 400}, {285, 86}, {1, 20, 1, 1}, {993, 917}},
      {"off the top left corner", {-500, -300, 600, 400}, {285, 86}, {1, 20, 1, 1}, {0, 0}},
      // A box larger than the screen is not pushed about.
      {"larger than the screen", {0, 0, 600, 400}, {2000, 86}, {}, {-700, 157}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(centredFramePosition(c.parentFrame, c.inside, c.frame, screen), c.expected) << c.what;
}

// Exactly centred is what the placement gives wherever the box stood: frame on
// frame, the frame Qt already knows of taken into account.
TEST(DialogPlacement, ABoxAnywhereIsMovedToTheCentreOfItsWindow) {
  QMainWindow menu;
  menu.setGeometry(130, 110, 600, 420);
  menu.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
  QDialog box(&menu);
  box.resize(285, 86);
  box.move(0, 0);
  box.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
  centreOnParentWindow(box);
  const QRect shown = box.frameGeometry(), window = menu.frameGeometry();
  EXPECT_LE(std::abs((2 * shown.x() + shown.width()) - (2 * window.x() + window.width())), 1);
  EXPECT_LE(std::abs((2 * shown.y() + shown.height()) - (2 * window.y() + window.height())), 1);
}

// The offscreen platform frames a box as Qt expects, so there Qt's own centring is
// right too; under a window manager it stood a title bar too high (seen under
// openbox), which a test without a window manager cannot show.
TEST(DialogPlacement, AMessageStandsAtTheCentreOfItsWindow) {
  QMainWindow menu;
  menu.setGeometry(130, 110, 600, 420);
  menu.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
  QtPrompts prompts;
  QRect shown;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    shown = box->frameGeometry();
    box->accept();
  });
  prompts.inform(&menu, QStringLiteral("Le texte ne contient aucune phrase."), kApplicationTitle, MessageIcon::None);
  ASSERT_TRUE(shown.isValid());
  // Twice the centres, exactly, within the half pixel an odd difference of sizes leaves.
  const QRect window = menu.frameGeometry();
  EXPECT_LE(std::abs((2 * shown.x() + shown.width()) - (2 * window.x() + window.width())), 1);
  EXPECT_LE(std::abs((2 * shown.y() + shown.height()) - (2 * window.y() + window.height())), 1);
}

}  // namespace
}  // namespace varnelio::ui
