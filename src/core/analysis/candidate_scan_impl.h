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

namespace scan_detail {

// Whether a word the cutter gave, whose last letter is one of the endings', is a
// candidate. `start` is where the bytes before the word that may be read begin. A
// word with fewer than eight bytes of them before its end takes the plain test.
inline bool passes(const ScanEndings& endings, const AnalysisKind& kind, const char* start, std::string_view word) {
  const char* end = word.data() + word.size();
  if (!endings.packed || end - start < 8) return isCandidate(word, kind);
  std::uint64_t last8;
  std::memcpy(&last8, end - 8, 8);
  bool candidate = false;
  for (int i = 0; i < endings.count; ++i)
    candidate |= ((last8 & endings.mask[i]) == endings.pattern[i]) & (endings.length[i] <= word.size());
  return candidate;
}

}  // namespace scan_detail

// The words are those of the one word cutter.
template <typename Sink>
void scanCandidates(std::string_view sentence, std::int64_t sentenceNumber, const AnalysisKind& kind,
                    Sink&& sink) {
  const ScanEndings& endings = scanEndings(kind);
  forEachWordEndedIn(sentence, endings.lastLetters, [&](std::string_view word) {
    if (scan_detail::passes(endings, kind, sentence.data(), word)) sink(word, sentenceNumber);
  });
}

template <typename Sink, typename SentenceEnd>
void scanSentences(std::string_view sentences, const AnalysisKind& kind, Sink&& sink, SentenceEnd&& sentenceEnd) {
  const ScanEndings& endings = scanEndings(kind);
  forEachWordEndedInAndFullStop(
      sentences, endings.lastLetters,
      [&](std::string_view word) {
        if (scan_detail::passes(endings, kind, sentences.data(), word)) sink(word);
      },
      sentenceEnd);
}

}  // namespace varnelio
