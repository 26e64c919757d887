#include "ui/dictionaries/pixels_to_twips.h"

#include <limits>

#include "ui/platform/twips.h"

namespace varnelio::ui {

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
