// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A title made of two labels of the same rectangle and caption: underneath, an
// opaque band-blue label with white text and no border; on top, a transparent
// label with a single-line border whose text, inset by the border, lies slightly
// offset from the one below.
#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include "ui/style/colours.h"
#include "ui/style/fonts.h"

class QLabel;
class QWidget;

namespace varnelio::ui {

struct ShadowedTitle {
  QLabel* lower = nullptr;
  QLabel* upper = nullptr;
};

// rect is in pixels, relative to the parent. An invalid upperTextColor means the
// system window-text colour.
ShadowedTitle makeShadowedTitle(QWidget* parent, const QString& caption, const QRect& rect, const QFont& font,
                                const QString& lowerName, const QString& upperName,
                                const QColor& upperTextColor = QColor());

}  // namespace varnelio::ui
