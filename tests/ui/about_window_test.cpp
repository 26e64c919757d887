// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "ui/app/about_window.h"
#include "ui/style/colours.h"
#include "ui/style/fonts.h"
#include "ui/shell/twips.h"
#include "ui_test_support.h"

namespace varnelio::ui {
namespace {

AboutWindow* openAbout(testing::UiHarness& h) {
  auto* about = qobject_cast<AboutWindow*>(h.workspace->open(WindowId::about()));
  if (about) { EXPECT_TRUE(QTest::qWaitForWindowActive(about)); }
  return about;
}

TEST(AboutWindow, ShowsItsCaptionWithTheTrailingBlankAndItsControls) {
  testing::UiHarness h;
  AboutWindow* about = openAbout(h);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->windowTitle(), QStringLiteral("Orvalune - A propos de "));
  EXPECT_EQ(about->size(), QSize(518, 292));  // 7770 x 4380 twips
  EXPECT_FALSE(about->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(about->palette().color(QPalette::Window), kLightYellow);
  EXPECT_EQ(about->findChild<QLabel*>(QStringLiteral("Label2"))->text(), QStringLiteral("Orvalune - Varnelio"));
  EXPECT_EQ(about->findChild<QLabel*>(QStringLiteral("lblVersion"))->text(),
            QStringLiteral("Version ") + QStringLiteral(VARNELIO_VERSION));
  EXPECT_EQ(about->findChild<QGroupBox*>(QStringLiteral("Frame1"))->title(), QStringLiteral("Crédits"));
  auto* ok = about->findChild<QPushButton*>(QStringLiteral("cmdOK"));
  auto* sysInfo = about->findChild<QPushButton*>(QStringLiteral("cmdSysInfo"));
  ASSERT_TRUE(ok && sysInfo);
  EXPECT_EQ(ok->text(), QStringLiteral("OK"));
  EXPECT_TRUE(ok->isDefault());
  EXPECT_EQ(ok->geometry(), twipsRect(3000, 3960, 1260, 345));
  EXPECT_EQ(sysInfo->text(), QStringLiteral("&Infos système..."));
  // The narrow buttons show their whole captions.
  for (QPushButton* button : {ok, sysInfo})
    EXPECT_LE(button->fontMetrics().horizontalAdvance(QString(button->text()).remove(QLatin1Char('&'))),
              button->width() - 4)
        << button->objectName().toStdString();
  EXPECT_EQ(about->findChild<QLabel*>(QStringLiteral("imgLogo"))->geometry(), twipsRect(0, 960, 2295, 2655));
}

TEST(AboutWindow, DrawsTheTwoEngravedRules) {
  testing::UiHarness h;
  AboutWindow* about = openAbout(h);
  ASSERT_NE(about, nullptr);
  const QImage image = about->grab().toImage();
  for (int top : {960, 1560}) {
    const int y = twipsToPixelsY(top);
    for (int x : {twipsToPixelsX(2400), twipsToPixelsX(7200)}) {
      EXPECT_EQ(QColor(image.pixel(x, y)), QColor(128, 128, 128)) << top;
      EXPECT_EQ(QColor(image.pixel(x, y + 1)), QColor(Qt::white)) << top;
      EXPECT_EQ(QColor(image.pixel(x, y + 2)), kLightYellow) << top;
    }
  }
}

TEST(AboutWindow, EnterAndEscapeCloseIt) {
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
    SCOPED_TRACE(key);
    testing::UiHarness h;
    QPointer<AboutWindow> about = openAbout(h);
    ASSERT_FALSE(about.isNull());
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->objectName(), QStringLiteral("cmdOK"));
    QTest::keyClick(target, key);
    EXPECT_FALSE(about && about->isVisible());
    QTest::qWait(20);
    EXPECT_TRUE(about.isNull());  // closing destroys it
    EXPECT_EQ(h.workspace->find(QStringLiteral("frmAbout")), nullptr);
  }
}

TEST(AboutWindow, IsOneWindowForTheWholeProgram) {
  testing::UiHarness h;
  QPointer<AboutWindow> first = openAbout(h);
  ASSERT_FALSE(first.isNull());
  EXPECT_EQ(h.workspace->open(WindowId::about()), first.data());
  EXPECT_EQ(QApplication::topLevelWidgets().count(first.data()), 1);
  first->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
  QTest::qWait(20);
  EXPECT_TRUE(first.isNull());
  QWidget* second = h.workspace->open(WindowId::about());
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(second->isVisible());
}

TEST(AboutWindow, SystemInformationEndsInItsMessageWithoutARegistry) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has a registry";
#else
  testing::UiHarness h;
  QPointer<AboutWindow> about = openAbout(h);
  ASSERT_FALSE(about.isNull());
  QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("cmdSysInfo")), Qt::LeftButton);
  ASSERT_EQ(h.prompts.shown.size(), 1u);
  EXPECT_EQ(h.prompts.shown[0].text, QStringLiteral("Les informations système ne sont pas disponibles actuellement"));
  EXPECT_EQ(h.prompts.shown[0].title, QStringLiteral("Varnelio"));
  EXPECT_EQ(h.prompts.shown[0].icon, MessageIcon::None);
  EXPECT_TRUE(about && about->isVisible());  // the window stays open
#endif
}

}  // namespace
}  // namespace varnelio::ui
