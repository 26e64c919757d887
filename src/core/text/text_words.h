// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one way this program cuts a text into words: the maximal runs of letters
// (cp1252::isLetter), in text order, over the whole text (what follows the last
// "." too). The candidate scan, the pre-analysis, the analysis of a whole text and
// the judge's training all see the same words, and the pre-analysis finds a row of
// the grid again by its form among the words of its sentence.
#include <string_view>

#include "core/text/cp1252.h"

namespace varnelio {

// Calls sink(word, gap) for each word, where gap is what stands between the word
// before (or the start) and this one: the spaces and the punctuation.
template <typename Sink>
void forEachWord(std::string_view text, Sink&& sink) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n) {
    const std::size_t gapStart = i;
    while (i < n && !cp1252::isLetter(static_cast<unsigned char>(text[i]))) ++i;
    const std::size_t start = i;
    while (i < n && cp1252::isLetter(static_cast<unsigned char>(text[i]))) ++i;
    if (i > start) sink(text.substr(start, i - start), text.substr(gapStart, start - gapStart));
  }
}

}  // namespace varnelio
