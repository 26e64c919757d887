// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Inline part of the candidate scan: the word loop runs over every byte of a whole
// book, so it is a template the compiler can inline into its caller.
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "core/text/text_words.h"

namespace varnelio {

// The kind's ending test, laid out for the scan. The cut skips every word that does
// not end on the last letter of one of the endings; the words left are tested against
// every ending at once: the eight bytes that end the word, read as one number, hold
// an ending when their last bytes, masked, equal it. One test a word and no branch
// per ending, where a loop over the endings mispredicts on every other word.
struct ScanEndings {
  LastLetters lastLetters;
  int count = 0;
  bool packed = false;  // every ending fits in 8 bytes, and numbers are little-endian
  std::array<std::uint64_t, 8> pattern{};
  std::array<std::uint64_t, 8> mask{};
  std::array<std::size_t, 8> length{};
};
const ScanEndings& scanEndings(const AnalysisKind& kind);

// The words are those of the one word cutter. A word with fewer than eight bytes of
// the sentence before its end takes the plain test.
template <typename Sink>
void scanCandidates(std::string_view sentence, std::int64_t sentenceNumber, const AnalysisKind& kind,
                    Sink&& sink) {
  const ScanEndings& endings = scanEndings(kind);
  const char* const start = sentence.data();
  forEachWordEndedIn(sentence, endings.lastLetters, [&](std::string_view word) {
    const char* end = word.data() + word.size();
    bool candidate;
    if (endings.packed && end - start >= 8) {
      std::uint64_t last8;
      std::memcpy(&last8, end - 8, 8);
      candidate = false;
      for (int i = 0; i < endings.count; ++i)
        candidate |= ((last8 & endings.mask[i]) == endings.pattern[i]) & (endings.length[i] <= word.size());
    } else {
      candidate = isCandidate(word, kind);
    }
    if (candidate) sink(word, sentenceNumber);
  });
}

}  // namespace varnelio
