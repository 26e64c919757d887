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

// The kind's ending test, laid out for the scan. It is not run word by word: a word
// a branch mispredicts on every other word, and the words outnumber everything
// else in a book. The cut marks, 64 bytes at a time, where each byte of the
// endings stands; an ending ends at byte j when its last byte is marked at j, the
// one before at j - 1, and so on: a few shifts and ANDs of the marks for the whole
// block. Since an ending is made of letters only, all of it lies inside the word
// that ends at j, and the candidates of the block are the word ends where an
// ending ends.
struct ScanEndings {
  ByteSet bytes;  // every byte of the endings
  int count = 0;
  // Ending i: its length, and the place in `bytes` of its last byte, the byte
  // before, and so on.
  std::array<int, 8> length{};
  std::array<std::array<std::uint8_t, 8>, 8> byteFromEnd{};

  // The bits of the block's candidates; `previous` holds the marks of the block before.
  std::uint64_t candidates(const WordBlock& b, const std::array<std::uint64_t, ByteSet::kMost>& previous) const {
    std::uint64_t any = 0;
    for (int i = 0; i < count; ++i) {
      std::uint64_t at = b.marked[byteFromEnd[i][0]];
      for (int k = 1; k < length[i]; ++k) {
        const int m = byteFromEnd[i][k];
        at &= (b.marked[m] << k) | (previous[m] >> (64 - k));
      }
      any |= at;
    }
    return any & b.ends;
  }
};
// Throws std::logic_error for a kind whose endings the scan cannot hold (an ending
// of more than eight bytes or with a non-letter, more than eight bytes in all): a
// fault of the kinds' table, found by the first scan of any test.
const ScanEndings& scanEndings(const AnalysisKind& kind);

namespace scan_detail {

// Calls visit(block, candidates) for each block of the text, in order, with the
// bits of the block's word ends that are candidates of the kind. A word that
// reaches the text's end is none.
template <bool kStops, typename Visit>
void forEachCandidateBlock(std::string_view text, const AnalysisKind& kind, Visit&& visit) {
  const ScanEndings& endings = scanEndings(kind);
  std::array<std::uint64_t, ByteSet::kMost> previous{};
  forEachBlock<kStops>(text, endings.bytes, false, [&](const WordBlock& b) {
    visit(b, endings.candidates(b, previous));
    previous = b.marked;
  });
}

inline std::string_view wordAt(std::string_view text, const WordBlock& b, int j) {
  const std::size_t begin = wordBegin(text, b, j);
  return text.substr(begin, b.base + static_cast<std::size_t>(j) + 1 - begin);
}

}  // namespace scan_detail

template <typename Sink>
void scanCandidates(std::string_view sentence, std::int64_t sentenceNumber, const AnalysisKind& kind,
                    Sink&& sink) {
  scan_detail::forEachCandidateBlock<false>(sentence, kind, [&](const WordBlock& b, std::uint64_t candidates) {
    for (; candidates; candidates &= candidates - 1)
      sink(scan_detail::wordAt(sentence, b, std::countr_zero(candidates)), sentenceNumber);
  });
}

template <typename Sink, typename SentenceEnd>
void scanSentences(std::string_view sentences, const AnalysisKind& kind, Sink&& sink, SentenceEnd&& sentenceEnd) {
  scan_detail::forEachCandidateBlock<true>(sentences, kind, [&](const WordBlock& b, std::uint64_t candidates) {
    inTextOrder(
        b, candidates, [&](int j) { sink(scan_detail::wordAt(sentences, b, j)); },
        [&](int j) { sentenceEnd(b.base + static_cast<std::size_t>(j) + 1); });
  });
}

template <typename SentenceEnd>
std::uint64_t countSentenceCandidates(std::string_view sentences, const AnalysisKind& kind,
                                      SentenceEnd&& sentenceEnd) {
  std::uint64_t count = 0;
  scan_detail::forEachCandidateBlock<true>(sentences, kind, [&](const WordBlock& b, std::uint64_t candidates) {
    for (std::uint64_t stops = b.stops; stops; stops &= stops - 1) {
      const int j = std::countr_zero(stops);
      sentenceEnd(b.base + static_cast<std::size_t>(j) + 1,
                  count + static_cast<std::uint64_t>(std::popcount(candidates & ((std::uint64_t{1} << j) - 1))));
    }
    count += static_cast<std::uint64_t>(std::popcount(candidates));
  });
  return count;
}

}  // namespace varnelio
