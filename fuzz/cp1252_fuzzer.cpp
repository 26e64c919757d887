// SPDX-License-Identifier: GPL-3.0-or-later
// The code page at the edges: every Windows-1252 text survives the trip through
// UTF-8 and back; any bytes given as UTF-8 decode without reading past their end,
// malformed sequences becoming "?", the same whole or in pieces; the UTF-8 check agrees with a plain statement of
// well-formed UTF-8; lower-casing keeps lengths and is stable.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "check.h"
#include "core/text/cp1252.h"

using namespace varnelio;

namespace {

// Length of the well-formed UTF-8 sequence at s[i], 0 when there is none: the
// table of well-formed byte sequences of the Unicode standard.
std::size_t wellFormedAt(std::string_view s, std::size_t i) {
  const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
  const auto in = [](unsigned char c, unsigned lo, unsigned hi) { return c >= lo && c <= hi; };
  const std::size_t left = s.size() - i;
  const unsigned char b0 = b(0);
  if (b0 <= 0x7F) return 1;
  if (in(b0, 0xC2, 0xDF)) return left >= 2 && in(b(1), 0x80, 0xBF) ? 2 : 0;
  if (in(b0, 0xE0, 0xEF)) {
    if (left < 3) return 0;
    const unsigned lo = b0 == 0xE0 ? 0xA0 : 0x80, hi = b0 == 0xED ? 0x9F : 0xBF;
    return in(b(1), lo, hi) && in(b(2), 0x80, 0xBF) ? 3 : 0;
  }
  if (in(b0, 0xF0, 0xF4)) {
    if (left < 4) return 0;
    const unsigned lo = b0 == 0xF0 ? 0x90 : 0x80, hi = b0 == 0xF4 ? 0x8F : 0xBF;
    return in(b(1), lo, hi) && in(b(2), 0x80, 0xBF) && in(b(3), 0x80, 0xBF) ? 4 : 0;
  }
  return 0;
}

// Lower case of the capitals: A-Z, the accented capitals 192-222 but the
// multiplication sign, and Š Œ Ž Ÿ; any other byte stays.
unsigned char lowerReference(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 192 && c <= 222 && c != 215)) return static_cast<unsigned char>(c + 32);
  if (c == 0x8A || c == 0x8C || c == 0x8E) return static_cast<unsigned char>(c + 16);
  return c == 0x9F ? 0xFF : c;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  // As Windows-1252: one character a byte, each surviving the trip through UTF-8.
  const std::string utf8 = cp1252::toUtf8(bytes);
  FUZZ_CHECK(cp1252::isValidUtf8(utf8));
  FUZZ_CHECK(cp1252::fromUtf8(utf8) == bytes);
  FUZZ_CHECK(utf8.size() >= bytes.size() && utf8.size() <= 3 * bytes.size());
  FUZZ_CHECK(cp1252::hasHighBytes(utf8) == cp1252::hasHighBytes(bytes));
  for (unsigned char c : bytes) FUZZ_CHECK(cp1252::fromUnicode(cp1252::toUnicode(c)) == c);

  // As UTF-8: the check agrees with the table, and decoding gives one byte for each
  // well-formed character and one "?" for each byte that starts no such character,
  // but for the combining marks that join the letter before them.
  bool valid = true;
  bool pageOnly = true;  // every character one the page holds as it is
  std::size_t expectedLength = 0;
  std::size_t marks = 0;
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t len = wellFormedAt(bytes, i);
    valid = valid && len != 0;
    if (len != 0) {
      char32_t cp = len == 1 ? static_cast<unsigned char>(bytes[i])
                             : static_cast<unsigned char>(bytes[i]) & (0xFF >> (len + 1));
      for (std::size_t k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(bytes[i + k]) & 0x3F);
      const bool mark = cp == 0x0301 || cp == 0x0304 || cp == 0x0306 || cp == 0x0308;
      marks += mark;
      pageOnly = pageOnly && !mark && cp1252::toUnicode(cp1252::fromUnicode(cp)) == cp;
    }
    i += len ? len : 1;
    ++expectedLength;
  }
  FUZZ_CHECK(cp1252::isValidUtf8(bytes) == valid);
  const std::string decoded = cp1252::fromUtf8(bytes);
  FUZZ_CHECK(decoded.size() <= expectedLength && decoded.size() + marks >= expectedLength);
  // When every character was one the page holds: encoding gives the bytes back.
  if (valid && pageOnly) FUZZ_CHECK(cp1252::toUtf8(decoded) == bytes);
  // Read in pieces, each cut sequence carried to the next piece, the bytes decode
  // as they do whole.
  {
    const std::size_t pieceSize = bytes.empty() ? 1 : 1 + static_cast<unsigned char>(bytes[0]) % 7;
    std::string pieces, carried;
    for (std::size_t at = 0; at < bytes.size(); at += pieceSize) {
      carried += std::string_view(bytes).substr(at, pieceSize);
      const std::size_t complete = cp1252::completeUtf8Prefix(carried);
      FUZZ_CHECK(carried.size() - complete <= 3);
      cp1252::appendFromUtf8(pieces, std::string_view(carried).substr(0, complete));
      carried.erase(0, complete);
    }
    cp1252::appendFromUtf8(pieces, carried);
    FUZZ_CHECK(pieces == decoded);
  }

  // Lower case: same length, stable once applied, and the comparison ignoring case
  // is the comparison of the lower-cased texts.
  const std::string low = cp1252::toLower(bytes);
  FUZZ_CHECK(low.size() == bytes.size());
  FUZZ_CHECK(cp1252::toLower(low) == low);
  const std::size_t half = bytes.size() / 2;
  const std::string_view a = std::string_view(bytes).substr(0, half), b = std::string_view(bytes).substr(half);
  FUZZ_CHECK(cp1252::equalsIgnoringCase(a, b) == (cp1252::toLower(a) == cp1252::toLower(b)));
  FUZZ_CHECK(cp1252::equalsIgnoringCase(bytes, low));
  for (std::size_t i = 0; i < low.size(); ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    FUZZ_CHECK(static_cast<unsigned char>(low[i]) == lowerReference(c));
    // Outside the 0x80 range, a letter's lower case is a letter and nothing else is.
    if (c < 0x80 || c >= 0xC0) FUZZ_CHECK(cp1252::isLetter(c) == cp1252::isLetter(static_cast<unsigned char>(low[i])));
  }

  // Code points from the input: what the page holds comes back, a marked letter the
  // page lacks is read as a letter of the page, the rest is "?".
  for (std::size_t i = 0; i + 4 <= bytes.size() && i < 64; i += 4) {
    char32_t cp = 0;
    for (std::size_t k = 0; k < 4; ++k) cp = (cp << 8) | static_cast<unsigned char>(bytes[i + k]);
    cp %= 0x110000;
    const unsigned char back = cp1252::fromUnicode(cp);
    FUZZ_CHECK(cp1252::toUnicode(back) == cp || (back == '?' && cp != U'?') ||
               (cp >= 0x100 && cp1252::isLetter(back)));
  }
  return 0;
}
