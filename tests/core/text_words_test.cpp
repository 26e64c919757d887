// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/text_words.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace varnelio {
namespace {

using Cut = std::vector<std::pair<std::string, std::string>>;  // (gap, word)

Cut words(std::string_view text) {
  Cut out;
  forEachWord(text, [&](std::string_view w, std::string_view gap) { out.emplace_back(gap, w); });
  return out;
}

// The words that end on one of the letters asked and that a non-letter ends inside the
// text, found on the blocks' marks, and with kStops the full stops among them, in the
// order the blocks give them: "|" for a stop.
template <bool kStops = false>
std::vector<std::string> wordsEndedIn(std::string_view text, std::string_view lastLetters) {
  ByteSet set;
  for (char c : lastLetters) set.add(static_cast<unsigned char>(c));
  std::vector<std::string> out;
  forEachBlock<kStops>(text, set, false, [&](const WordBlock& b) {
    std::uint64_t wanted = 0;
    for (int i = 0; i < set.count(); ++i) wanted |= b.marked[i];
    inTextOrder(
        b, b.ends & wanted,
        [&](int j) {
          const std::size_t begin = wordBegin(text, b, j);
          out.emplace_back(text.substr(begin, b.base + static_cast<std::size_t>(j) + 1 - begin));
        },
        [&](int j) { out.emplace_back(text[b.base + static_cast<std::size_t>(j)] == '.' ? "|" : "?"); });
  });
  return out;
}

TEST(TextWords, EveryByteCutsOrJoinsAsTheLetterTableSays) {
  // Each byte between two letters, at every place of a 64-byte block and across
  // its edge: one word when it is a letter, two otherwise.
  for (int b = 0; b < 256; ++b) {
    for (std::size_t at : {1u, 30u, 62u, 63u, 64u, 65u, 127u}) {
      std::string text(at, 'a');
      text += static_cast<char>(b);
      text += "bc";
      const Cut cut = words(text);
      if (cp1252::isLetter(static_cast<unsigned char>(b))) {
        ASSERT_EQ(cut, (Cut{{"", text}})) << b << " at " << at;
      } else {
        ASSERT_EQ(cut, (Cut{{"", std::string(at, 'a')}, {std::string(1, static_cast<char>(b)), "bc"}}))
            << b << " at " << at;
      }
    }
  }
}

TEST(TextWords, GapsAndWordsGiveBackTheTextUpToItsLastLetter) {
  EXPECT_EQ(words(" Rosam, \xE6quam\r\n(amat) 12"),
            (Cut{{" ", "Rosam"}, {", ", "\xE6quam"}, {"\r\n(", "amat"}}));
  EXPECT_EQ(words(""), Cut{});
  EXPECT_EQ(words("..."), Cut{});
  EXPECT_EQ(words("am"), (Cut{{"", "am"}}));  // the text's end ends the word
}

TEST(TextWords, WordsLongerThanABlockAreWhole) {
  const std::string longWord = std::string(200, 'x') + "am";
  const std::string text = "in " + longWord + " et " + longWord + ".";
  EXPECT_EQ(words(text), (Cut{{"", "in"}, {" ", longWord}, {" ", "et"}, {" ", longWord}}));
  EXPECT_EQ(wordsEndedIn(text, "m"), (std::vector<std::string>{longWord, longWord}));
}

TEST(TextWords, OnlyTheWordsEndedOnTheLettersAskedAndEndedInsideTheText) {
  const std::string text = "rosam puella templum ars rosam";
  EXPECT_EQ(wordsEndedIn(text, "m"), (std::vector<std::string>{"rosam", "templum"}));
  EXPECT_EQ(wordsEndedIn(text, "as"), (std::vector<std::string>{"puella", "ars"}));
  EXPECT_EQ(wordsEndedIn(text + ".", "m"), (std::vector<std::string>{"rosam", "templum", "rosam"}));
  EXPECT_EQ(wordsEndedIn(text, ""), std::vector<std::string>{});
}

TEST(TextWords, FullStopsComeInTheirPlaceAmongTheWords) {
  using V = std::vector<std::string>;
  EXPECT_EQ(wordsEndedIn<true>("Rosam amat. Puellam. . Templum", "m"), (V{"Rosam", "|", "Puellam", "|", "|"}));
  EXPECT_EQ(wordsEndedIn<true>("rosam.templum.", "m"), (V{"rosam", "|", "templum", "|"}));
  EXPECT_EQ(wordsEndedIn<true>("", "m"), V{});
  EXPECT_EQ(wordsEndedIn<true>("..", ""), (V{"|", "|"}));
  // A stop at every place around a block's edge, with words before and after it in
  // the same block and the next.
  for (std::size_t at = 55; at < 75; ++at) {
    std::string text(at - 4, ' ');
    text += "iam.iam ";
    EXPECT_EQ(wordsEndedIn<true>(text, "m"), (V{"iam", "|", "iam"})) << at;
  }
}

TEST(TextWords, AByteSetHoldsEightBytes) {
  ByteSet set;
  for (char c : std::string_view("abcdefgh")) EXPECT_TRUE(set.add(static_cast<unsigned char>(c)));
  EXPECT_TRUE(set.add('a'));   // already in
  EXPECT_FALSE(set.add('z'));  // full
  EXPECT_EQ(set.count(), 8);
  EXPECT_FALSE(set.contains('z'));
  EXPECT_TRUE(set.contains('h'));
  EXPECT_EQ(set.indexOf('a'), 0);
  EXPECT_EQ(set.indexOf('h'), 7);
  EXPECT_EQ(set.indexOf('z'), -1);
}

}  // namespace
}  // namespace varnelio
