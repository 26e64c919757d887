// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The size clamp of the main, analysis and paradigm windows: an outer width or
// height (frame, title and menu bars included) above its maximum is set to one
// twip less than that maximum, so the user can shrink the window but never make it
// larger than its first layout. The maxima are in twips and scale with the screen.
//
// The maxima were the outer size of the first layout under window frames of a
// given height; a window manager with a taller title bar would have the clamp cut
// into the layout. So a maximum never lies below the first layout's own outer size
// (the window's initial size plus the frame it has now).
#include <QSize>

class QWidget;

namespace varnelio::ui {

// Call from the window's resize handler, with the size the window was given at its
// first layout. Returns true when it resized the window.
bool clampOuterSize(QWidget* window, int maxWidthTwips, int maxHeightTwips, QSize initialSize = {});

}  // namespace varnelio::ui
