// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/source_text.h"

#include "core/text/cp1252.h"

namespace varnelio {

std::string decodeSourceBytes(std::string bytes) {
  static constexpr std::string_view kBom = "\xEF\xBB\xBF";
  const bool bom = std::string_view(bytes).starts_with(kBom);
  if (!bom && !cp1252::hasHighBytes(bytes)) return bytes;  // plain ASCII: the same either way
  if (!cp1252::isValidUtf8(bytes)) return bytes;
  if (bom) bytes.erase(0, kBom.size());
  cp1252::fromUtf8InPlace(bytes);
  return bytes;
}

}  // namespace varnelio
