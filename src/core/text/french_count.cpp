// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/french_count.h"

namespace varnelio {

std::string frenchCount(std::uint64_t n) {
  static constexpr char kNoBreakSpace[] = "\xC2\xA0";
  const std::string digits = std::to_string(n);
  std::string grouped;
  grouped.reserve(digits.size() * 2);
  for (std::size_t k = 0; k < digits.size(); ++k) {
    if (k > 0 && (digits.size() - k) % 3 == 0) grouped += kNoBreakSpace;
    grouped += digits[k];
  }
  return grouped;
}

}  // namespace varnelio
