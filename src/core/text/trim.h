// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Blanks around the texts of fixed-width fields: only the space (0x20) counts.
#include <string_view>

namespace varnelio {

// Removes trailing spaces.
inline std::string_view trimTrailingSpaces(std::string_view text) {
  const auto end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1);
}

// Removes spaces and tabs at both ends: what a user or another program may put
// around a number or a label it means as is.
inline std::string_view trimBlanks(std::string_view text) {
  const auto begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

// Removes leading spaces.
inline std::string_view trimLeadingSpaces(std::string_view text) {
  const auto begin = text.find_first_not_of(' ');
  return begin == std::string_view::npos ? std::string_view{} : text.substr(begin);
}

}  // namespace varnelio
