// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/dialog_placement.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace varnelio::ui {

QPoint centredFramePosition(const QRect& parentFrame, const QSize& insideSize, const QMargins& frame,
                            const QRect& screen) {
  const QSize outer = insideSize.grownBy(frame);
  int x = parentFrame.x() + (parentFrame.width() - outer.width()) / 2;
  int y = parentFrame.y() + (parentFrame.height() - outer.height()) / 2;
  if (screen.isValid()) {
    if (outer.width() <= screen.width()) x = std::clamp(x, screen.left(), screen.right() + 1 - outer.width());
    if (outer.height() <= screen.height()) y = std::clamp(y, screen.top(), screen.bottom() + 1 - outer.height());
  }
  return {x, y};
}

namespace {

void centreOn(QWidget& dialog, const QWidget* parent) {
  const QRect parentFrame = parent->frameGeometry();
  const QRect parentInside = parent->geometry();
  // The box's title bar and borders are the parent's; its bottom edge is a border
  // too, not the grip a resizable window such as the parent may have there.
  const int border = parentInside.left() - parentFrame.left();
  const QMargins frame(border, parentInside.top() - parentFrame.top(), border, border);
  const QScreen* screen = parent->screen();
  const QPoint position =
      centredFramePosition(parentFrame, dialog.size(), frame, screen ? screen->availableGeometry() : QRect());
  // QWidget::move places the frame Qt knows of. Before the window manager has framed
  // the box, under X11, Qt knows none: the position given is where its inside goes.
  const QPoint knownFrame = dialog.geometry().topLeft() - dialog.frameGeometry().topLeft();
  dialog.move(position + QPoint(frame.left(), frame.top()) - knownFrame);
}

}  // namespace

void centreOnParentWindow(QWidget& dialog) {
  QWidget* parent = dialog.parentWidget() ? dialog.parentWidget()->window() : nullptr;
  if (parent == nullptr || !parent->isVisible()) return;
  centreOn(dialog, parent);
}

void placeOverWindow(QWidget& window, const QWidget* from) {
  if (from && from->isVisible() && from != &window) {
    centreOn(window, from);
    return;
  }
  const QScreen* screen = window.screen();
  if (!screen) return;
  const QRect available = screen->availableGeometry();
  window.move(available.center() - window.rect().center());
}

}  // namespace varnelio::ui
