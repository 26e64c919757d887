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
// bit masks: "is a letter", "is a full stop", and "is this byte" for up to eight
// bytes the caller names; every word end of the block follows at once: a letter
// whose next byte is no letter. A caller then visits only the word ends it wants,
// one after the other by their bits, or tests them all at once on the masks (the
// candidate scan tests its endings so); a word's start is the nearest non-letter
// before its end.
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

// The bytes a pass over the text wants marked: at most eight.
class ByteSet {
 public:
  static constexpr int kMost = 8;
  // Adds a byte; false (and nothing added) when the set is full. A byte already in
  // keeps its place.
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
  // The place of a byte in the set, or -1.
  constexpr int indexOf(unsigned char c) const {
    for (int i = 0; i < count_; ++i)
      if (bytes_[i] == c) return i;
    return -1;
  }

 private:
  std::array<unsigned char, kMost> bytes_{};
  int count_ = 0;
  std::array<bool, 256> has_{};
};

// 64 bytes of the text, classed: bit j of each mask is byte base + j.
struct WordBlock {
  static constexpr std::size_t kSize = 64;
  std::size_t base = 0;
  std::size_t size = 0;       // bytes of the text in the block: 64, but in the last
  std::uint64_t letters = 0;  // a letter
  std::uint64_t ends = 0;     // the last letter of a word
  std::uint64_t stops = 0;    // a "." (when asked for)
  std::array<std::uint64_t, ByteSet::kMost> marked{};  // marked[i]: the set's byte i
};

namespace words_detail {

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

inline std::uint64_t byteBits16(__m128i c, unsigned char byte) {
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(c, _mm_set1_epi8(static_cast<char>(byte)))));
}
#endif

// The set's bytes, each spread over a whole register once for the whole text
// rather than once a block (the set is read through a reference the compiler must
// assume the block's masks may overwrite).
struct Marks {
  explicit Marks(const ByteSet& set) : count(set.count()) {
    for (int i = 0; i < count; ++i) {
#if VARNELIO_WORDS_SSE2
      spread[i] = _mm_set1_epi8(static_cast<char>(set.byte(i)));
#else
      spread[i] = set.byte(i);
#endif
    }
  }
  int count;
#if VARNELIO_WORDS_SSE2
  __m128i spread[ByteSet::kMost]{};  // a plain array: std::array would drop the type's alignment attribute
#else
  std::array<unsigned char, ByteSet::kMost> spread{};
#endif
};

// Fills the block's letters, stops (with kStops) and marked bytes.
template <bool kStops>
inline void classify(const unsigned char* bytes, const Marks& marks, WordBlock& b) {
  std::uint64_t letters = 0, stops = 0;
  std::array<std::uint64_t, ByteSet::kMost> marked{};
#if VARNELIO_WORDS_SSE2
  for (int q = 0; q < 4; ++q) {
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * q));
    letters |= std::uint64_t{letterBits16(c)} << (16 * q);
    if constexpr (kStops) stops |= byteBits16(c, '.') << (16 * q);
    for (int i = 0; i < marks.count; ++i)
      marked[i] |= std::uint64_t{static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(c, marks.spread[i])))}
                   << (16 * q);
  }
#else
  for (std::size_t j = 0; j < WordBlock::kSize; ++j) {
    letters |= std::uint64_t{cp1252::isLetter(bytes[j])} << j;
    if constexpr (kStops) stops |= std::uint64_t{bytes[j] == '.'} << j;
    for (int i = 0; i < marks.count; ++i) marked[i] |= std::uint64_t{bytes[j] == marks.spread[i]} << j;
  }
#endif
  b.letters = letters;
  b.stops = stops;
  b.marked = marked;
}

}  // namespace words_detail

// Calls visit(const WordBlock&) for each block of 64 bytes of the text, in order,
// its masks filled: stops only with kStops, marked bytes those of the set. A word
// that reaches the text's end ends there when endEndsWord, and is no word otherwise
// (it may go on in what follows).
template <bool kStops, typename Visit>
void forEachBlock(std::string_view text, const ByteSet& set, bool endEndsWord, Visit&& visit) {
  constexpr std::size_t kSize = WordBlock::kSize;
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  unsigned char tail[kSize];
  const words_detail::Marks marks(set);
  for (std::size_t base = 0; base < n; base += kSize) {
    WordBlock b;
    b.base = base;
    const unsigned char* bytes = s + base;
    // The block's next byte is a letter: the block's last letter ends no word.
    bool nextIsLetter;
    if (n - base > kSize) {
      b.size = kSize;
      nextIsLetter = cp1252::isLetter(s[base + kSize]);
    } else {
      // The last block: copied beside, past the text's end with spaces, so that no
      // byte beyond the text is read.
      b.size = n - base;
      std::memcpy(tail, bytes, b.size);
      std::memset(tail + b.size, ' ', kSize - b.size);
      bytes = tail;
      nextIsLetter = false;
    }
    words_detail::classify<kStops>(bytes, marks, b);
    b.ends = b.letters & ~((b.letters >> 1) | (std::uint64_t{nextIsLetter} << 63));
    if (!endEndsWord && base + b.size == n) b.ends &= ~(std::uint64_t{1} << (b.size - 1));
    visit(static_cast<const WordBlock&>(b));
  }
}

// The offset in the text of the first letter of the word that ends at bit j of the
// block.
inline std::size_t wordBegin(std::string_view text, const WordBlock& b, int j) {
  const std::uint64_t before = ~b.letters & ((std::uint64_t{1} << j) - 1);
  if (before) return b.base + static_cast<std::size_t>(64 - std::countl_zero(before));
  // The word began in an earlier block.
  std::size_t begin = b.base;
  while (begin > 0 && cp1252::isLetter(static_cast<unsigned char>(text[begin - 1]))) --begin;
  return begin;
}

// Visits the bits of `ends` (word ends of the block) and the block's stops in text
// order: atEnd(j) and atStop(j), j the bit. A few words make a sentence, so the
// stops cost a branch a sentence, not a word.
template <typename AtEnd, typename AtStop>
void inTextOrder(const WordBlock& b, std::uint64_t ends, AtEnd&& atEnd, AtStop&& atStop) {
  std::uint64_t stops = b.stops;
  while (ends) {
    const int j = std::countr_zero(ends);
    ends &= ends - 1;
    for (std::uint64_t before = stops & ((std::uint64_t{1} << j) - 1); before; before &= before - 1)
      atStop(std::countr_zero(before));
    stops &= ~((std::uint64_t{1} << j) - 1);
    atEnd(j);
  }
  for (; stops; stops &= stops - 1) atStop(std::countr_zero(stops));
}

// Calls sink(word, gap) for each word, where gap is what stands between the word
// before (or the start) and this one: the spaces and the punctuation. The text's end
// ends its last word.
template <typename Sink>
void forEachWord(std::string_view text, Sink&& sink) {
  std::size_t previousEnd = 0;
  forEachBlock<false>(text, ByteSet{}, true, [&](const WordBlock& b) {
    for (std::uint64_t ends = b.ends; ends; ends &= ends - 1) {
      const int j = std::countr_zero(ends);
      const std::size_t begin = wordBegin(text, b, j);
      const std::size_t end = b.base + static_cast<std::size_t>(j) + 1;
      sink(text.substr(begin, end - begin), text.substr(previousEnd, begin - previousEnd));
      previousEnd = end;
    }
  });
}

}  // namespace varnelio
