// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>
#include <limits>

namespace varnelio::ui {
namespace {

int perPixel(bool horizontal) {
  double dpi = 96.0;
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    dpi = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
  if (dpi <= 0) dpi = 96.0;
  return std::max(1, static_cast<int>(std::lround(1440.0 / dpi)));
}

}  // namespace

int twipsPerPixelX() { return perPixel(true); }
int twipsPerPixelY() { return perPixel(false); }

int twipsToPixelsX(int twips) { return static_cast<int>(std::lround(double(twips) / twipsPerPixelX())); }
int twipsToPixelsY(int twips) { return static_cast<int>(std::lround(double(twips) / twipsPerPixelY())); }
int pixelsToTwipsX(int pixels) { return pixels * twipsPerPixelX(); }
int pixelsToTwipsY(int pixels) { return pixels * twipsPerPixelY(); }

QRect twipsRect(int left, int top, int width, int height) {
  return QRect(twipsToPixelsX(left), twipsToPixelsY(top), twipsToPixelsX(width), twipsToPixelsY(height));
}

QSize twipsSize(int width, int height) { return QSize(twipsToPixelsX(width), twipsToPixelsY(height)); }

bool PixelsToTwips(std::int16_t& x, std::int16_t& y, int twipsPerPixelX, int twipsPerPixelY) {
  constexpr long long kMin = std::numeric_limits<std::int16_t>::min();
  constexpr long long kMax = std::numeric_limits<std::int16_t>::max();
  const long long tx = static_cast<long long>(x) * twipsPerPixelX;
  const long long ty = static_cast<long long>(y) * twipsPerPixelY;
  if (tx < kMin || tx > kMax || ty < kMin || ty > kMax) return false;
  x = static_cast<std::int16_t>(tx);
  y = static_cast<std::int16_t>(ty);
  return true;
}

bool PixelsToTwips(std::int16_t& x, std::int16_t& y) {
  return PixelsToTwips(x, y, twipsPerPixelX(), twipsPerPixelY());
}

}  // namespace varnelio::ui
