// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How Latin words are compared. Printed texts write the same word "Iulius",
// "Julius" or "IVLIVS", "uita" or "vita", "poëta" or "poeta": the analyser keys
// every stem, ending and form by one plain spelling so that all of these meet.
#include <cstdint>
#include <string>
#include <string_view>

namespace varnelio::latin {

// Windows-1252 word -> its key: lower case, j -> i, v -> u, accented vowels
// without their accents, æ -> ae, œ -> oe. Other bytes are kept.
std::string keyOf(std::string_view word);
// The same, appended to out (no allocation when out has room).
void appendKey(std::string& out, std::string_view word);

// The value of a well-formed Roman numeral written in one case (I, V, X, L, C, D,
// M; each place subtractive, IV IX XL XC CD CM, or additive, IIII VIIII XXXX),
// or 0 when the word is not one: "XIV" is 14, "IIII" 4, "VX" and "IIIII" are not
// numerals. Values up to 3999.
int romanNumeralValue(std::string_view word);

// Whether a text (Windows-1252) writes a sentence or a line in capitals: at least
// two words of two letters or more and no small letter between two of ".", "!",
// "?" and line breaks ("C. IVLI CAESARIS COMMENTARIORVM"). Such a text writes its
// numerals in capitals too, so that a word in small letters is no numeral there.
bool writesLinesInCapitals(std::string_view text);

}  // namespace varnelio::latin
