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

}  // namespace varnelio
