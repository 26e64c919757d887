// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/cp1252.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>

namespace varnelio::cp1252 {
namespace {

// Code points of the bytes 0x80 to 0x9F; the rest of the page is Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

constexpr std::array<unsigned char, 256> makeLowerTable() {
  std::array<unsigned char, 256> t{};
  for (int i = 0; i < 256; ++i) t[i] = static_cast<unsigned char>(i);
  for (int i = 'A'; i <= 'Z'; ++i) t[i] = static_cast<unsigned char>(i + 32);
  for (int i = 192; i <= 222; ++i)
    if (i != 215) t[i] = static_cast<unsigned char>(i + 32);
  t[0x8A] = 0x9A;  // Š -> š
  t[0x8C] = 0x9C;  // Œ -> œ
  t[0x8E] = 0x9E;  // Ž -> ž
  t[0x9F] = 0xFF;  // Ÿ -> ÿ
  return t;
}
constexpr std::array<unsigned char, 256> kLower = makeLowerTable();

// Letters the page lacks that are one of its letters with marks added, sorted by
// code point: each with its reading once the marks the page cannot hold are taken
// off, mark by mark ("ǖ", u + diaeresis + macron, keeps the diaeresis: "ü").
struct MarkedLetter {
  char32_t codePoint;
  unsigned char byte;
};
constexpr MarkedLetter kMarkedLetters[] = {
    {0x0100, 'A'}, {0x0101, 'a'}, {0x0102, 'A'}, {0x0103, 'a'}, {0x0106, 'C'}, {0x0107, 'c'},
    {0x0112, 'E'}, {0x0113, 'e'}, {0x0114, 'E'}, {0x0115, 'e'}, {0x011E, 'G'}, {0x011F, 'g'},
    {0x012A, 'I'}, {0x012B, 'i'}, {0x012C, 'I'}, {0x012D, 'i'}, {0x0139, 'L'}, {0x013A, 'l'},
    {0x0143, 'N'}, {0x0144, 'n'}, {0x014C, 'O'}, {0x014D, 'o'}, {0x014E, 'O'}, {0x014F, 'o'},
    {0x0154, 'R'}, {0x0155, 'r'}, {0x015A, 'S'}, {0x015B, 's'}, {0x016A, 'U'}, {0x016B, 'u'},
    {0x016C, 'U'}, {0x016D, 'u'}, {0x0179, 'Z'}, {0x017A, 'z'}, {0x01D5, 0xDC}, {0x01D6, 0xFC},
    {0x01D7, 0xDC}, {0x01D8, 0xFC}, {0x01DE, 0xC4}, {0x01DF, 0xE4}, {0x01E2, 0xC6}, {0x01E3, 0xE6},
    {0x01F4, 'G'}, {0x01F5, 'g'}, {0x01FC, 0xC6}, {0x01FD, 0xE6}, {0x01FE, 0xD8}, {0x01FF, 0xF8},
    {0x022A, 0xD6}, {0x022B, 0xF6}, {0x0232, 'Y'}, {0x0233, 'y'}, {0x1E16, 0xC9}, {0x1E17, 0xE9},
    {0x1E20, 'G'}, {0x1E21, 'g'}, {0x1E26, 'H'}, {0x1E27, 'h'}, {0x1E2E, 0xCF}, {0x1E2F, 0xEF},
    {0x1E30, 'K'}, {0x1E31, 'k'}, {0x1E3E, 'M'}, {0x1E3F, 'm'}, {0x1E52, 0xD3}, {0x1E53, 0xF3},
    {0x1E54, 'P'}, {0x1E55, 'p'}, {0x1E7A, 0xDC}, {0x1E7B, 0xFC}, {0x1E82, 'W'}, {0x1E83, 'w'},
    {0x1E84, 'W'}, {0x1E85, 'w'}, {0x1E8C, 'X'}, {0x1E8D, 'x'}, {0x1E97, 't'}, {0x1EAE, 0xC1},
    {0x1EAF, 0xE1},
};
static_assert(std::is_sorted(std::begin(kMarkedLetters), std::end(kMarkedLetters),
                             [](const MarkedLetter& a, const MarkedLetter& b) { return a.codePoint < b.codePoint; }));

constexpr char32_t kCombiningAcute = 0x0301;
constexpr char32_t kCombiningMacron = 0x0304;
constexpr char32_t kCombiningBreve = 0x0306;
constexpr char32_t kCombiningDiaeresis = 0x0308;

// The letter with an acute or a diaeresis added, where the page holds one; 0 otherwise.
unsigned char withMark(unsigned char letter, char32_t mark) {
  static constexpr std::string_view kPlain = "AEIOUYaeiouy";
  static constexpr std::string_view kAcute = "\xC1\xC9\xCD\xD3\xDA\xDD\xE1\xE9\xED\xF3\xFA\xFD";
  static constexpr std::string_view kDiaeresis = "\xC4\xCB\xCF\xD6\xDC\x9F\xE4\xEB\xEF\xF6\xFC\xFF";
  const std::size_t i = kPlain.find(static_cast<char>(letter));
  if (i == std::string_view::npos) return 0;
  if (mark == kCombiningAcute) return static_cast<unsigned char>(kAcute[i]);
  if (mark == kCombiningDiaeresis) return static_cast<unsigned char>(kDiaeresis[i]);
  return 0;
}

void appendCodePoint(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// The length of the UTF-8 sequence a byte starts: 1 for ASCII, 2 to 4 for a lead
// byte, 0 for a byte that starts none.
size_t utf8SequenceLength(unsigned char b) {
  return b < 0x80 ? 1 : b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3 : b >= 0xF0 && b <= 0xF4 ? 4 : 0;
}

// Decodes one UTF-8 sequence at s[i]; returns its length, or 0 when malformed.
size_t decodeUtf8(std::string_view s, size_t i, char32_t& cp) {
  static constexpr unsigned char kLeadBits[5] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  static constexpr char32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
  const auto b0 = static_cast<unsigned char>(s[i]);
  const size_t len = utf8SequenceLength(b0);
  if (len == 0) return 0;
  cp = b0 & kLeadBits[len];
  const char32_t min = kSmallest[len];
  if (i + len > s.size()) return 0;
  for (size_t k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

}  // namespace

char32_t toUnicode(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

unsigned char fromUnicode(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
  for (size_t i = 0; i < kHighControls.size(); ++i)
    if (kHighControls[i] == cp) return static_cast<unsigned char>(0x80 + i);
  const auto* marked = std::lower_bound(std::begin(kMarkedLetters), std::end(kMarkedLetters), cp,
                                        [](const MarkedLetter& m, char32_t c) { return m.codePoint < c; });
  if (marked != std::end(kMarkedLetters) && marked->codePoint == cp) return marked->byte;
  return '?';
}

bool absorbCombiningMark(unsigned char& previous, char32_t cp) {
  if (cp != kCombiningAcute && cp != kCombiningMacron && cp != kCombiningBreve && cp != kCombiningDiaeresis)
    return false;
  if (!isLetter(previous)) return false;
  if (const unsigned char marked = withMark(previous, cp)) previous = marked;
  return true;
}

unsigned char toLower(unsigned char c) { return kLower[c]; }

const unsigned char* lowerTable() { return kLower.data(); }

std::string toLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(kLower[static_cast<unsigned char>(c)]);
  return out;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (kLower[static_cast<unsigned char>(a[i])] != kLower[static_cast<unsigned char>(b[i])])
      return false;
  return true;
}

void appendUtf8(std::string& out, std::string_view text) {
  for (char c : text) appendCodePoint(out, toUnicode(static_cast<unsigned char>(c)));
}

std::string toUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  appendUtf8(out, text);
  return out;
}

std::string fromUtf8(std::string_view s) {
  std::string out(s);
  fromUtf8InPlace(out);
  return out;
}

namespace {

// Reads UTF-8 from s[from..] and writes one byte at a time through put(byte), or
// joins a combining mark to the last byte written through last() (null when none).
template <typename Put, typename Last>
void decodeUtf8Into(std::string_view s, Put&& put, Last&& last) {
  size_t i = 0;
  while (i < s.size()) {
    char32_t cp = 0;
    const size_t len = decodeUtf8(s, i, cp);
    if (len == 0) {
      put('?');
      ++i;
    } else if (len == 1) {
      put(static_cast<unsigned char>(cp));
      i += len;
    } else {
      unsigned char* previous = last();
      if (!previous || !absorbCombiningMark(*previous, cp)) put(fromUnicode(cp));
      i += len;
    }
  }
}

}  // namespace

void fromUtf8InPlace(std::string& text) {
  // Every sequence gives at most one byte, so the result never overtakes what is
  // still to be read: a whole book converts without a second copy in memory.
  size_t w = 0;
  decodeUtf8Into(
      std::string_view(text), [&](unsigned char b) { text[w++] = static_cast<char>(b); },
      [&]() { return w > 0 ? reinterpret_cast<unsigned char*>(&text[w - 1]) : nullptr; });
  text.resize(w);
}

void appendFromUtf8(std::string& out, std::string_view piece) {
  // ASCII runs, most of a Latin text, are copied as they are.
  size_t i = 0;
  while (i < piece.size()) {
    size_t ascii = i;
    while (ascii < piece.size() && static_cast<unsigned char>(piece[ascii]) < 0x80) ++ascii;
    out.append(piece.data() + i, ascii - i);
    size_t other = ascii;
    while (other < piece.size() && static_cast<unsigned char>(piece[other]) >= 0x80) ++other;
    decodeUtf8Into(
        piece.substr(ascii, other - ascii), [&](unsigned char b) { out.push_back(static_cast<char>(b)); },
        [&]() { return out.empty() ? nullptr : reinterpret_cast<unsigned char*>(&out.back()); });
    i = other;
  }
}

size_t completeUtf8Prefix(std::string_view s) {
  // The last byte that is no continuation byte starts the sequence that may be cut.
  for (size_t back = 1; back <= 4 && back <= s.size(); ++back) {
    const auto b = static_cast<unsigned char>(s[s.size() - back]);
    if ((b & 0xC0) == 0x80) continue;
    const size_t len = std::max<size_t>(1, utf8SequenceLength(b));
    return len > back ? s.size() - back : s.size();
  }
  return s.size();
}

bool isValidUtf8(std::string_view s) {
  size_t i = 0;
  const size_t n = s.size();
  while (i < n) {
    // Fast path over runs of ASCII, eight bytes at a time.
    while (i + 8 <= n) {
      unsigned long long chunk;
      std::memcpy(&chunk, s.data() + i, 8);
      if (chunk & 0x8080808080808080ULL) break;
      i += 8;
    }
    if (i >= n) break;
    char32_t cp;
    const size_t len = decodeUtf8(s, i, cp);
    if (len == 0) return false;
    i += len;
  }
  return true;
}

bool hasHighBytes(std::string_view s) {
  size_t i = 0;
  for (; i + 8 <= s.size(); i += 8) {
    unsigned long long chunk;
    std::memcpy(&chunk, s.data() + i, 8);
    if (chunk & 0x8080808080808080ULL) return true;
  }
  for (; i < s.size(); ++i)
    if (static_cast<unsigned char>(s[i]) >= 0x80) return true;
  return false;
}

}  // namespace varnelio::cp1252
