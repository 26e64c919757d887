// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one way this program cuts a text into words: the maximal runs of letters
// (cp1252::isLetter), in text order. The candidate scan, the pre-analysis, the
// analysis of a whole text and the judge's training all see the same words, and the
// pre-analysis finds a row of the grid again by its form among the words of its
// sentence.
//
// The cut runs over every byte of a whole library, so it does not walk the text
// byte by byte with a branch at every word's start and end (two mispredicted jumps
// a word cost more than the rest of the work). It classes 64 bytes at a time into
// two bit masks, "is a letter" and "is a last letter the caller wants", and finds
// every word end of the block at once: a letter whose next byte is no letter. Only
// the word ends the caller wants are visited, one after the other by their bits;
// the word's start is the nearest non-letter before its end.
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define VARNELIO_WORDS_SSE2 1
#endif

#include "core/text/cp1252.h"

namespace varnelio {

// The last letters of the words a caller wants to see: at most eight bytes. A word
// whose last letter is not among them is skipped before its start is even looked for.
class LastLetters {
 public:
  static constexpr int kMost = 8;
  // Adds a byte; false (and nothing added) when the set is full.
  constexpr bool add(unsigned char c) {
    if (has_[c]) return true;
    if (count_ == kMost) return false;
    bytes_[count_++] = c;
    has_[c] = true;
    return true;
  }
  constexpr bool contains(unsigned char c) const { return has_[c]; }
  constexpr int count() const { return count_; }
  constexpr unsigned char byte(int i) const { return bytes_[i]; }

 private:
  std::array<unsigned char, kMost> bytes_{};
  int count_ = 0;
  std::array<bool, 256> has_{};
};

namespace words_detail {

inline constexpr std::size_t kBlock = 64;

#if VARNELIO_WORDS_SSE2
// 16 bytes -> 16 bits: the letters of cp1252::isLetterCode, by arithmetic rather than
// by the table: A-Z and a-z (c | 0x20 in a-z), and 192-255 without 215 and 247.
inline unsigned letterBits16(__m128i c) {
  const __m128i folded = _mm_sub_epi8(_mm_or_si128(c, _mm_set1_epi8(0x20)), _mm_set1_epi8('a'));
  const __m128i ascii = _mm_cmpeq_epi8(_mm_min_epu8(folded, _mm_set1_epi8(25)), folded);
  const __m128i high = _mm_cmpeq_epi8(_mm_max_epu8(c, _mm_set1_epi8(static_cast<char>(192))), c);
  const __m128i signs = _mm_or_si128(_mm_cmpeq_epi8(c, _mm_set1_epi8(static_cast<char>(215))),
                                     _mm_cmpeq_epi8(c, _mm_set1_epi8(static_cast<char>(247))));
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(ascii, _mm_andnot_si128(signs, high))));
}

inline unsigned setBits16(__m128i c, const LastLetters& set) {
  __m128i any = _mm_setzero_si128();
  for (int i = 0; i < set.count(); ++i)
    any = _mm_or_si128(any, _mm_cmpeq_epi8(c, _mm_set1_epi8(static_cast<char>(set.byte(i)))));
  return static_cast<unsigned>(_mm_movemask_epi8(any));
}
#endif

// Bit j of the result: byte j of the block is a letter; of *wanted: it is in the set
// (when a set is given); of *stops: it is a full stop (when asked for).
template <bool kStops>
inline std::uint64_t classify(const unsigned char* block, const LastLetters* set, std::uint64_t* wanted,
                              std::uint64_t* stops) {
#if VARNELIO_WORDS_SSE2
  std::uint64_t letters = 0, inSet = 0, dots = 0;
  for (int q = 0; q < 4; ++q) {
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * q));
    letters |= std::uint64_t{letterBits16(c)} << (16 * q);
    if (set) inSet |= std::uint64_t{setBits16(c, *set)} << (16 * q);
    if constexpr (kStops)
      dots |= std::uint64_t{static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(c, _mm_set1_epi8('.'))))}
              << (16 * q);
  }
#else
  std::uint64_t letters = 0, inSet = 0, dots = 0;
  for (std::size_t j = 0; j < kBlock; ++j) {
    letters |= std::uint64_t{cp1252::isLetter(block[j])} << j;
    if (set) inSet |= std::uint64_t{set->contains(block[j])} << j;
    if constexpr (kStops) dots |= std::uint64_t{block[j] == '.'} << j;
  }
#endif
  if (set) *wanted = inSet;
  if constexpr (kStops) *stops = dots;
  return letters;
}

// The cut itself. Calls sink(begin, end) for each word, in order, as offsets in the
// text; with a set, only for the words whose last letter is in it. A word that
// reaches the text's end is a word when endEndsWord, and none otherwise. With
// kStops, also calls atStop(end) with the offset just past each "." of the text, in
// its place among the words.
template <bool kStops, typename Sink, typename StopSink>
void cutWords(std::string_view text, const LastLetters* set, bool endEndsWord, Sink&& sink, StopSink&& atStop) {
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  unsigned char tail[kBlock];
  for (std::size_t base = 0; base < n; base += kBlock) {
    const unsigned char* block = s + base;
    const std::size_t left = n - base;
    // The block's next byte is a letter: the block's last letter ends no word.
    bool nextIsLetter;
    if (left > kBlock) {
      nextIsLetter = cp1252::isLetter(s[base + kBlock]);
    } else {
      // The last block: copied beside, past the text's end with non-letters, so
      // that no byte beyond the text is read.
      std::memcpy(tail, block, left);
      std::memset(tail + left, ' ', kBlock - left);
      block = tail;
      nextIsLetter = false;
    }
    std::uint64_t wanted = ~std::uint64_t{0};
    std::uint64_t stops = 0;
    const std::uint64_t letters = classify<kStops>(block, set, set ? &wanted : nullptr, &stops);
    std::uint64_t ends = letters & ~((letters >> 1) | (std::uint64_t{nextIsLetter} << 63)) & wanted;
    if (!endEndsWord && left <= kBlock) ends &= ~(std::uint64_t{1} << (left - 1));
    while (ends) {
      const int j = std::countr_zero(ends);
      ends &= ends - 1;
      if constexpr (kStops) {
        // The full stops before this word end; a few words a sentence, so this is
        // seldom taken.
        for (std::uint64_t before = stops & ((std::uint64_t{1} << j) - 1); before; before &= before - 1)
          atStop(base + static_cast<std::size_t>(std::countr_zero(before)) + 1);
        stops &= ~((std::uint64_t{1} << j) - 1);
      }
      const std::uint64_t before = ~letters & ((std::uint64_t{1} << j) - 1);
      std::size_t begin;
      if (before) {
        begin = base + static_cast<std::size_t>(64 - std::countl_zero(before));
      } else {  // the word began in an earlier block
        begin = base;
        while (begin > 0 && cp1252::isLetter(s[begin - 1])) --begin;
      }
      sink(begin, base + static_cast<std::size_t>(j) + 1);
    }
    if constexpr (kStops) {
      // (The last block's padding holds no ".".)
      for (; stops; stops &= stops - 1) atStop(base + static_cast<std::size_t>(std::countr_zero(stops)) + 1);
    }
  }
}

inline constexpr auto kNoStops = [](std::size_t) {};

}  // namespace words_detail

// Calls sink(word, gap) for each word, where gap is what stands between the word
// before (or the start) and this one: the spaces and the punctuation. The text's end
// ends its last word.
template <typename Sink>
void forEachWord(std::string_view text, Sink&& sink) {
  std::size_t previousEnd = 0;
  words_detail::cutWords<false>(
      text, nullptr, true,
      [&](std::size_t begin, std::size_t end) {
        sink(text.substr(begin, end - begin), text.substr(previousEnd, begin - previousEnd));
        previousEnd = end;
      },
      words_detail::kNoStops);
}

// Calls sink(word) for each word whose last letter is in `last` and which a
// non-letter ends inside the text (a word that reaches the text's end may go on in
// what follows). The words are those forEachWord gives, less the others.
template <typename Sink>
void forEachWordEndedIn(std::string_view text, const LastLetters& last, Sink&& sink) {
  words_detail::cutWords<false>(
      text, &last, false, [&](std::size_t begin, std::size_t end) { sink(text.substr(begin, end - begin)); },
      words_detail::kNoStops);
}

// forEachWordEndedIn over many sentences at once, which also calls atFullStop(end)
// with the offset just past each "." of the text, in text order among the words: a
// word is given before the "." that follows it. One pass over a whole library
// finds its sentences and its words together.
template <typename Sink, typename StopSink>
void forEachWordEndedInAndFullStop(std::string_view text, const LastLetters& last, Sink&& sink,
                                   StopSink&& atFullStop) {
  words_detail::cutWords<true>(
      text, &last, false, [&](std::size_t begin, std::size_t end) { sink(text.substr(begin, end - begin)); },
      atFullStop);
}

}  // namespace varnelio
