// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sizes and positions are stated in twips (1/1440 inch); the screen's logical DPI
// turns them into pixels (15 twips per pixel at 96 dpi).
#include <QPoint>
#include <cstdint>
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

// Module convert, as the dictionary windows keep their frame measures: 16-bit
// values changed in place, x by the horizontal twips per pixel, y by the vertical
// one. A product beyond the 16-bit range is an overflow: false, and both values
// left as they were, so that the caller can give up instead of crashing.
bool PixelsToTwips(std::int16_t& x, std::int16_t& y);
// The same with explicit twips per pixel.
bool PixelsToTwips(std::int16_t& x, std::int16_t& y, int twipsPerPixelX, int twipsPerPixelY);

}  // namespace varnelio::ui
