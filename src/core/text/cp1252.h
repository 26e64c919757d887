// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Windows-1252, the one code page of Varnelio's texts and files.
// The core keeps every text as a std::string of Windows-1252 bytes and states its
// rules (letters, lower-casing, field widths) on those bytes; only the edges convert.
#include <string>
#include <string_view>

namespace varnelio::cp1252 {

// The Unicode code point shown for a byte. The five bytes Windows leaves unassigned
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value, as
// Windows does, so every byte survives a round trip.
char32_t toUnicode(unsigned char byte);

// The byte for a code point. A letter the code page lacks that is one of its letters
// with a macron, a breve, a diaeresis or an acute added becomes that letter without
// the marks it cannot hold ("ā" -> "a", "ǖ" -> "ü"), so that a student's text with
// long and short vowels marked keeps its words whole. Anything else the code page
// cannot hold becomes '?'.
unsigned char fromUnicode(char32_t codePoint);

// The combining acute, diaeresis, macron and breve (U+0301, U+0308, U+0304, U+0306)
// written after a letter belong to it: when `previous`, the byte just produced, is a
// letter, joins the mark to it ("e" + acute -> "é" where the code page has it, the
// letter unchanged otherwise) and returns true; the mark then produces no byte of
// its own. Returns false for any other code point or after a non-letter.
bool absorbCombiningMark(unsigned char& previous, char32_t codePoint);

// Letters of the word cutting: A-Z, a-z, and the Latin-1 letters 192-255 without
// the multiplication (215) and division (247) signs. Everything else ends a word.
inline constexpr bool isLetterCode(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= 192 && c != 215 && c != 247);
}
namespace detail {
struct LetterTable {
  bool letter[256];
  constexpr LetterTable() : letter{} {
    for (int i = 0; i < 256; ++i) letter[i] = isLetterCode(static_cast<unsigned char>(i));
  }
};
inline constexpr LetterTable kLetters{};
}  // namespace detail
// One table lookup: the word loop asks this for every byte of a book.
inline bool isLetter(unsigned char c) { return detail::kLetters.letter[c]; }

// Lower case of one byte: A-Z, the accented capitals 192-222 (not 215), and the
// capitals Š Œ Ž Ÿ of the 0x80 range; every other byte is unchanged.
unsigned char toLower(unsigned char c);
std::string toLower(std::string_view text);
// The same rule as a table of the 256 bytes, for loops that lower-case every byte
// of a large file in place.
const unsigned char* lowerTable();
// True when a and b are equal once both are lower-cased.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// Conversions at the edges (command line, file names, UI literals).
std::string toUtf8(std::string_view cp1252Text);
// Appends the UTF-8 form of the text to out (no allocation of its own).
void appendUtf8(std::string& out, std::string_view cp1252Text);
// Decodes UTF-8; malformed sequences and characters outside the code page become
// '?', marked letters and combining marks are read as fromUnicode and
// absorbCombiningMark say.
std::string fromUtf8(std::string_view utf8Text);
// The same, converting the string where it lies (the result is never longer).
void fromUtf8InPlace(std::string& text);
// The same, appending to out: a piece of a text read in parts. A combining mark at
// the start of the piece joins the last byte of out.
void appendFromUtf8(std::string& out, std::string_view utf8Piece);
// The length of the bytes without the sequence they may end inside of, which the
// next piece of the text could complete (at most three bytes are left out).
std::size_t completeUtf8Prefix(std::string_view bytes);

// True when the bytes are well-formed UTF-8 (no overlongs, no surrogates).
bool isValidUtf8(std::string_view bytes);
// True when the bytes hold at least one byte >= 0x80.
bool hasHighBytes(std::string_view bytes);

}  // namespace varnelio::cp1252
