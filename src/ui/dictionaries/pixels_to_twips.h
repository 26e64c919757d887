#pragma once
// Module convert: turns a pixel measure into twips with the screen's twips per
// pixel. The two values are 16-bit integers changed in place, as the dictionary
// windows' frame measures are kept.
#include <cstdint>

namespace varnelio::ui {

// x is multiplied by the horizontal twips per pixel, y by the vertical one (each
// rounded to a whole number first: 15 at 96 dpi, 12 at 120 dpi). A product beyond
// the 16-bit range is an overflow: the function then returns false and leaves both
// values as they were, so that the caller can give up instead of crashing.
bool PixelsToTwips(std::int16_t& x, std::int16_t& y);
// The same with explicit twips per pixel.
bool PixelsToTwips(std::int16_t& x, std::int16_t& y, int twipsPerPixelX, int twipsPerPixelY);

}  // namespace varnelio::ui
