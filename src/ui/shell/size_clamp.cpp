// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/size_clamp.h"

#include <QWidget>
#include <algorithm>

#include "ui/shell/twips.h"

namespace varnelio::ui {

bool clampOuterSize(QWidget* window, int maxWidthTwips, int maxHeightTwips, QSize initialSize) {
  const QSize outer = window->frameGeometry().size();
  const QSize inner = window->size();
  const QSize frame = outer - inner;  // borders, title bar
  if (initialSize.isValid()) {
    maxWidthTwips = std::max(maxWidthTwips, pixelsToTwipsX(initialSize.width() + frame.width()) + 1);
    maxHeightTwips = std::max(maxHeightTwips, pixelsToTwipsY(initialSize.height() + frame.height()) + 1);
  }
  QSize target = inner;
  if (pixelsToTwipsX(outer.width()) > maxWidthTwips)
    target.setWidth(twipsToPixelsX(maxWidthTwips - 1) - frame.width());
  if (pixelsToTwipsY(outer.height()) > maxHeightTwips)
    target.setHeight(twipsToPixelsY(maxHeightTwips - 1) - frame.height());
  if (target == inner) return false;
  window->resize(target);
  return true;
}

}  // namespace varnelio::ui
