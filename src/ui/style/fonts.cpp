// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/style/fonts.h"

#include <QStringList>

namespace varnelio::ui {

QFont makeFont(const QString& family, double pointSize, bool bold, bool italic, bool underline) {
  QFont font(family);
  font.setPointSizeF(pointSize);
  font.setBold(bold);
  font.setItalic(italic);
  font.setUnderline(underline);
  return font;
}

QFont msSansSerif(double points, bool bold) {
  QFont font = makeFont(QStringLiteral("MS Sans Serif"), points, bold);
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                    QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
  return font;
}

}  // namespace varnelio::ui
