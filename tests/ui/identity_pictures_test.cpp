// SPDX-License-Identifier: GPL-3.0-or-later
#include <QColor>
#include <QImage>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "ui/style/identity_pictures.h"
#include "ui/style/colours.h"
#include "ui/style/fonts.h"

namespace varnelio::ui {
namespace {

// The repository's data/icons, beside tests/ (the fixtures folder need not exist).
const QString kIconsDir = QDir::cleanPath(QStringLiteral(VARNELIO_FIXTURES_DIR "/../../data/icons/hicolor"));

TEST(IdentityPictures, HaveTheirSizesAndColours) {
  EXPECT_EQ(identityLogo().size(), QSize(125, 138));
  EXPECT_EQ(identityLogo().pixelColor(0, 0).alpha(), 0);  // transparent around the drawing
  const QImage emblem = identityEmblem();
  EXPECT_EQ(emblem.size(), QSize(100, 220));
  EXPECT_EQ(emblem.format(), QImage::Format_Indexed8);
  EXPECT_LE(emblem.colorCount(), 16);
  EXPECT_EQ(QColor(emblem.pixel(0, 0)), kLightYellow);  // it sits on the windows' yellow
}

// The installed icon files are the program's own drawing, at every size.
TEST(IdentityPictures, InstalledIconsAreTheDrawing) {
  for (int size : applicationIconSizes()) {
    SCOPED_TRACE(size);
    const QImage drawn = applicationIconImage(size).convertToFormat(QImage::Format_ARGB32);
    const QImage file = QImage(kIconsDir + QStringLiteral("/%1x%1/apps/varnelio.png").arg(size))
                            .convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(file.size(), QSize(size, size));
    int worst = 0;
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) {
        const QRgb a = drawn.pixel(x, y), b = file.pixel(x, y);
        worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                          std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
      }
    EXPECT_LE(worst, 8) << "run the target varnelio-icons";
  }
  QFile svg(kIconsDir + QStringLiteral("/scalable/apps/varnelio.svg"));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(svg.readAll()), applicationIconSvg());
}

}  // namespace
}  // namespace varnelio::ui
