#pragma once
// The size clamp of the main, analysis and paradigm windows: an outer width or
// height (frame, title and menu bars included) above its maximum is set to one
// twip less than that maximum, so the user can shrink the window but never make it
// larger than its first layout. The maxima are in twips and scale with the screen.
class QWidget;

namespace varnelio::ui {

// Call from the window's resize handler. Returns true when it resized the window.
bool clampOuterSize(QWidget* window, int maxWidthTwips, int maxHeightTwips);

}  // namespace varnelio::ui
