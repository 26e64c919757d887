#pragma once
// Sizes and positions are stated in twips (1/1440 inch); the screen's logical DPI
// turns them into pixels (15 twips per pixel at 96 dpi).
#include <QPoint>
#include <QRect>
#include <QSize>

namespace varnelio::ui {

// Twips per pixel of the screen, horizontally and vertically (rounded, as the
// windows' metrics are: 15 at 96 dpi, 12 at 120 dpi).
int twipsPerPixelX();
int twipsPerPixelY();

int twipsToPixelsX(int twips);
int twipsToPixelsY(int twips);
int pixelsToTwipsX(int pixels);
int pixelsToTwipsY(int pixels);

// A rectangle given as left, top, width, height in twips.
QRect twipsRect(int left, int top, int width, int height);
QSize twipsSize(int width, int height);

// Font point sizes as the original's: 8.25, 9.75, 12, 14.25...
}  // namespace varnelio::ui
