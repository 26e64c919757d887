// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The words of a text as the candidate scan cuts them: the maximal runs of letters
// (cp1252::isLetter), in text order, over the whole text (what follows the last
// "." too).
#include <string_view>

#include "core/text/cp1252.h"

namespace varnelio {

template <typename Sink>
void forEachTextWord(std::string_view text, Sink&& sink) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n) {
    while (i < n && !cp1252::isLetter(static_cast<unsigned char>(text[i]))) ++i;
    const std::size_t start = i;
    while (i < n && cp1252::isLetter(static_cast<unsigned char>(text[i]))) ++i;
    if (i > start) sink(text.substr(start, i - start));
  }
}

}  // namespace varnelio
