// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/cp1252.h"

#include <gtest/gtest.h>

namespace varnelio {

TEST(Cp1252, EveryByteSurvivesTheRoundTripThroughUtf8) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(cp1252::fromUtf8(cp1252::toUtf8(all)), all);
}

TEST(Cp1252, LettersAreTheLatinRangesWithoutTimesAndDivide) {
  int letters = 0;
  for (int b = 0; b < 256; ++b) letters += cp1252::isLetter(static_cast<unsigned char>(b));
  EXPECT_EQ(letters, 26 + 26 + 23 + 31 + 8);
  EXPECT_FALSE(cp1252::isLetter(215));
  EXPECT_FALSE(cp1252::isLetter(247));
  EXPECT_FALSE(cp1252::isLetter(156));  // œ of the 0x80 range cuts words
  EXPECT_TRUE(cp1252::isLetter(0xE9));
}

TEST(Cp1252, LowerCasingCoversAccentedCapitals) {
  EXPECT_EQ(cp1252::toLower("ROSAM \xC9\xC0\xD6\xDE\xD7\x8C"), "rosam \xE9\xE0\xF6\xFE\xD7\x9C");
  EXPECT_TRUE(cp1252::equalsIgnoringCase("Rosam", "rOSAM"));
  EXPECT_FALSE(cp1252::equalsIgnoringCase("rosa", "ros\xE1"));
}

TEST(Cp1252, Utf8DecodingReplacesWhatThePageCannotHold) {
  EXPECT_EQ(cp1252::fromUtf8("po\xC3\xABta \xE2\x82\xAC \xE4\xB8\xAD"), "po\xEBta \x80 ?");
  EXPECT_EQ(cp1252::fromUtf8("a\xFF" "b"), "a?b");
  EXPECT_TRUE(cp1252::isValidUtf8("po\xC3\xABta"));
  EXPECT_FALSE(cp1252::isValidUtf8("po\xEBta"));
  EXPECT_FALSE(cp1252::isValidUtf8("\xC0\x80"));  // overlong
}

TEST(Cp1252, MarkedLettersThePageLacksAreReadWithoutTheirMarks) {
  const struct {
    const char* utf8;
    const char* cp1252;
  } cases[] = {
      // Macrons and breves, precomposed, small and capital.
      {"ros\u0101m aqu\u0103m \u0112\u0113\u012A\u012B\u014C\u014D\u016A\u016B\u0232\u0233",
       "rosam aquam EeIiOoUuYy"},
      {"\u0102\u0114\u0115\u012C\u012D\u014E\u014F\u016C\u016D", "AEeIiOoUu"},
      {"\u014Cceanus", "Oceanus"},
      // An acute or a diaeresis on a letter that has none in the page.
      {"\u0144 \u1E85 \u0106", "n w C"},
      // Two marks: the one the page holds stays ("\u01D6" is u, diaeresis, macron).
      {"\u01D6 \u1E17 \u01E3", "\xFC \xE9 \xE6"},
      // Combining marks after a letter: joined where the page has the letter, dropped
      // where it has not.
      {"rosa\u0304m aqua\u0306m O\u0304ceanus", "rosam aquam Oceanus"},
      {"poe\u0308ta E\u0301 u\u0308\u0304", "po\xEBta \xC9 \xFC"},
      // Letters the page holds stay as they are.
      {"\u00E9 \u00EB \u00E2 \u00C9", "\xE9 \xEB \xE2 \xC9"},
      // Nothing to read: a mark after no letter, another mark, another script.
      {"\u0304a 1\u0301 a\u0302 \u010D \u03B1", "?a 1? a? ? ?"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(cp1252::fromUtf8(c.utf8), c.cp1252) << c.utf8;
    std::string inPlace = c.utf8;
    cp1252::fromUtf8InPlace(inPlace);
    EXPECT_EQ(inPlace, c.cp1252) << c.utf8;
  }
}

}  // namespace varnelio
