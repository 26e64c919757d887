// SPDX-License-Identifier: GPL-3.0-or-later
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

#include "ui/app/splash_window.h"
#include "ui/style/colours.h"
#include "ui/style/fonts.h"
#include "ui/shell/twips.h"
#include "ui_test_support.h"

namespace varnelio::ui {
namespace {

// A workspace whose "Menu" is a stand-in that counts how often it is loaded and
// notes whether the splash was already gone at that moment.
struct SplashTest : ::testing::Test {
  testing::UiHarness h;
  int menuLoads = 0;
  bool splashVisibleAtMenuLoad = false;

  SplashTest() {
    h.workspace->registerFactory(WindowId::main(), [this](Workspace& ws) -> QWidget* {
      ++menuLoads;
      QWidget* splash = ws.find(QStringLiteral("frmSplash"));
      splashVisibleAtMenuLoad = splash && splash->isVisible();
      auto* menu = new QWidget;
      menu->setObjectName(QStringLiteral("Menu"));
      return menu;
    });
  }

  QPointer<SplashWindow> showSplash(int delayMs) {
    auto* splash = new SplashWindow(*h.workspace, delayMs);
    h.workspace->adopt(splash);
    splash->show();
    return splash;
  }

  // Clicks the client area at a point given in twips, on whatever element lies
  // on top there.
  static void clickAt(SplashWindow* splash, QPoint twips) {
    QWidget* client = splash->clientArea();
    const QPoint p(twipsToPixelsX(twips.x()), twipsToPixelsY(twips.y()));
    QWidget* target = client->childAt(p);
    if (!target) target = client;
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(client, p));
  }
  static QString elementAt(SplashWindow* splash, QPoint twips) {
    QWidget* w = splash->clientArea()->childAt(QPoint(twipsToPixelsX(twips.x()), twipsToPixelsY(twips.y())));
    return w ? w->objectName() : QString();
  }

  void expectHandedOffOnce(const QPointer<SplashWindow>& splash) {
    EXPECT_EQ(menuLoads, 1);
    EXPECT_FALSE(splashVisibleAtMenuLoad);  // the splash closes before "Menu" loads
    QWidget* menu = h.workspace->mainWindow();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    QTest::qWait(20);  // lets the closed splash be deleted
    EXPECT_TRUE(splash.isNull());
    EXPECT_EQ(h.workspace->find(QStringLiteral("frmSplash")), nullptr);
  }
};

// Client-area points (twips) of the reacting elements: Frame1 starts at x 120.
QPoint inFrame(int x, int y) { return QPoint(120 + x, y); }

TEST_F(SplashTest, LooksAsLaidOut) {
  QPointer<SplashWindow> splash = showSplash(60000);
  EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(splash->clientArea()->size(), QSize(485, 274));  // 7275 x 4110 twips
  EXPECT_EQ(splash->clientArea()->palette().color(QPalette::Window), kLightYellow);
  auto text = [&](const char* name) { return splash->findChild<QLabel*>(QLatin1String(name))->text(); };
  EXPECT_EQ(text("Label5"), QStringLiteral("ORVALUNE"));
  EXPECT_EQ(text("Label1"), QStringLiteral("ORVALUNE"));
  EXPECT_EQ(text("Label8"), QStringLiteral("Varnelio"));
  EXPECT_TRUE(text("Label2").startsWith(QStringLiteral("Version ")));
  EXPECT_EQ(splash->findChild<QFrame*>(QStringLiteral("Frame1"))->geometry(), twipsRect(120, 0, 7080, 4050));
  EXPECT_EQ(splash->findChild<QLabel*>(QStringLiteral("Image1"))->pixmap().size(), QSize(100, 220));
  EXPECT_EQ(splash->findChild<QLabel*>(QStringLiteral("imgLogo"))->pixmap().size(), QSize(125, 138));
  for (QWidget* child : splash->findChildren<QWidget*>()) EXPECT_EQ(child->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(splash->timer().interval(), 60000);
  EXPECT_TRUE(splash->timer().isActive());
}

TEST_F(SplashTest, TheWorkspaceMakesTheSplashWithItsThreeSecondDelay) {
  auto* splash = qobject_cast<SplashWindow*>(h.workspace->open(WindowId::splash()));
  ASSERT_NE(splash, nullptr);
  EXPECT_EQ(splash->timer().interval(), 3000);
  EXPECT_EQ(menuLoads, 0);
}

TEST_F(SplashTest, HandsOffWhenTheDelayHasPassed) {
  QElapsedTimer clock;
  clock.start();
  QPointer<SplashWindow> splash = showSplash(150);
  QTest::qWait(60);
  EXPECT_EQ(menuLoads, 0);
  for (int i = 0; i < 200 && menuLoads == 0; ++i) QTest::qWait(10);
  EXPECT_GE(clock.elapsed(), 150);
  expectHandedOffOnce(splash);
}

TEST_F(SplashTest, AKeyHandsOffAtOnceAndTheTimerNeverFiresAfterwards) {
  QPointer<SplashWindow> splash = showSplash(100);
  QTest::keyClick(splash.data(), Qt::Key_Shift);  // a modifier alone types nothing
  EXPECT_EQ(menuLoads, 0);
  QTest::keyClick(splash.data(), Qt::Key_A);
  EXPECT_EQ(menuLoads, 1);
  QTest::qWait(300);
  expectHandedOffOnce(splash);
}

TEST_F(SplashTest, AClickOnAReactingElementHandsOffAtOnce) {
  const struct {
    const char* element;
    QPoint point;  // twips, client area
  } cases[] = {
      {"Frame1", inFrame(60, 100)},        // the frame background
      {"Label5", inFrame(3000, 500)},      // family name
      {"Label8", inFrame(4000, 1500)},     // product name
      {"Label2", inFrame(4300, 2800)},     // version line
      {"Label3", inFrame(5000, 3350)},     // operating-system line
      {"Label4", inFrame(3500, 3700)},     // maker line
      {"imgLogo", inFrame(1000, 2000)},    // logo
      {"Image1", inFrame(6600, 2800)},     // emblem
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.element);
    menuLoads = 0;
    QPointer<SplashWindow> splash = showSplash(60000);
    ASSERT_EQ(elementAt(splash, c.point), QLatin1String(c.element));
    clickAt(splash, c.point);
    expectHandedOffOnce(splash);
    delete h.workspace->mainWindow();
  }
}

TEST_F(SplashTest, ClicksOnTheDateLineOrTheMarginWaitForTheTimer) {
  // The date's text ends where the operating-system line begins; the date is on top.
  const QPoint dateText = inFrame(2250, 3330);
  const QPoint margin(60, 2000);
  QPointer<SplashWindow> splash = showSplash(250);
  ASSERT_EQ(elementAt(splash, dateText), QStringLiteral("Label9"));
  ASSERT_EQ(elementAt(splash, margin), QString());
  clickAt(splash, dateText);
  clickAt(splash, margin);
  QTest::qWait(100);
  EXPECT_EQ(menuLoads, 0);
  EXPECT_TRUE(splash->isVisible());
  for (int i = 0; i < 200 && menuLoads == 0; ++i) QTest::qWait(10);
  expectHandedOffOnce(splash);
}

}  // namespace
}  // namespace varnelio::ui
