// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a message box stands: its frame centred on its parent window's frame.
// Qt centres a dialog by moving its frame as if it were its inside, so under a
// window manager with a title bar the box stood a title bar too high (22 pixels
// under openbox). The box's frame is not known before it is shown; the parent's
// frame, drawn by the same window manager, tells how thick it will be.
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace varnelio::ui {

// The top-left corner of a frame around an inside of insideSize, with the frame's
// margins, centred on parentFrame and kept within screen (when it fits).
QPoint centredFramePosition(const QRect& parentFrame, const QSize& insideSize, const QMargins& frame,
                            const QRect& screen);

// Moves the dialog (about to be shown, sized) so that its frame is centred on its
// parent window's frame. Does nothing without a visible parent.
void centreOnParentWindow(QWidget& dialog);

// Moves a window about to be shown for the first time so that its frame is centred
// on the frame of the window it is opened from, or on the screen without one, and
// lies whole on the screen: the window manager alone put the dictionaries in a corner
// or partly below the screen.
void placeOverWindow(QWidget& window, const QWidget* from);

}  // namespace varnelio::ui
