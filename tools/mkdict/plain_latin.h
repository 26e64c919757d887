// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Collatinus writes its Latin in UTF-8 with the quantities marked: macrons and
// breves on the vowels, precomposed ("ā", "ă") or combining ("ā̆"), plus a few
// look-alike letters it uses as markers ("ụ" for the u of "ngu", Cyrillic "ў" for
// a short y). The dictionaries hold plain Windows-1252 letters, so these marks go.
#include <string>
#include <string_view>

namespace varnelio::mkdict {

// UTF-8 Latin with quantity marks -> UTF-8 plain letters ("ăbăcus" -> "abacus").
// Other characters (French accents, punctuation) pass unchanged.
std::string stripQuantities(std::string_view utf8);

// stripQuantities, then conversion to Windows-1252 (characters the code page cannot
// hold become '?').
std::string plainLatin(std::string_view utf8);

// Removes the homonym number Collatinus appends to a headword ("ā3", "abdico2").
std::string withoutHomonymNumber(std::string_view text);

// Appends the UTF-8 bytes of a code point.
void appendUtf8(std::string& out, char32_t cp);

}  // namespace varnelio::mkdict
