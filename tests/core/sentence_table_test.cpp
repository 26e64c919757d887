// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/sentence_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnelio {
namespace {

struct CutCase {
  const char* name;
  std::string text;
  std::vector<std::string> sentences;
};

class SentenceCutting : public ::testing::TestWithParam<CutCase> {};

TEST_P(SentenceCutting, GivesTheSentencesInOrderAndKeepsOneSlotPerCharacter) {
  const CutCase& c = GetParam();
  std::vector<std::pair<std::string, std::int64_t>> handed;
  SentenceTable table(c.text, [&](std::string_view s, std::int64_t n) { handed.emplace_back(s, n); });
  ASSERT_EQ(table.sentenceCount(), c.sentences.size());
  EXPECT_EQ(table.slotCount(), c.text.size());
  ASSERT_EQ(handed.size(), c.sentences.size());
  for (std::size_t i = 0; i < c.sentences.size(); ++i) {
    EXPECT_EQ(table.sentence(static_cast<std::int64_t>(i + 1)), c.sentences[i]) << i + 1;
    EXPECT_EQ(handed[i].first, c.sentences[i]);
    EXPECT_EQ(handed[i].second, static_cast<std::int64_t>(i + 1));
  }
  EXPECT_EQ(SentenceTable::forEachSentence(c.text, {}), c.sentences.size());
  EXPECT_EQ(SentenceTable::countSentences(c.text), c.sentences.size());

  // The same table cut during a pass of the caller's, which is told N first.
  std::size_t told = 0;
  const SentenceTable during = SentenceTable::cutDuring(c.text, [&](std::string_view text, std::size_t n, auto&& end) {
    told = n;
    for (std::size_t i = 0; i < text.size(); ++i)
      if (text[i] == '.') end(i + 1);
  });
  EXPECT_EQ(told, c.sentences.size());
  ASSERT_EQ(during.sentenceCount(), c.sentences.size());
  EXPECT_EQ(during.slotCount(), c.text.size());
  for (std::size_t i = 0; i < c.sentences.size(); ++i)
    EXPECT_EQ(during.sentence(static_cast<std::int64_t>(i + 1)), c.sentences[i]) << i + 1;
}

TEST(SentenceTable, CountsFullStopsAnywhereAndByTheThousand) {
  // A "." at every place of the first blocks, in texts of every length around them.
  for (std::size_t length = 0; length < 70; ++length)
    for (std::size_t at = 0; at < length; ++at) {
      std::string text(length, 'a');
      text[at] = '.';
      ASSERT_EQ(SentenceTable::countSentences(text), 1u) << length << " " << at;
    }
  // Long runs of them, beyond what one count of a byte holds.
  for (std::size_t n : {255u, 256u, 4080u, 4081u, 100000u}) {
    const std::string dots(n, '.');
    EXPECT_EQ(SentenceTable::countSentences(dots), n);
    EXPECT_EQ(SentenceTable::countSentences("x" + dots + "y" + dots), 2 * n);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SentenceCutting,
    ::testing::Values(CutCase{"TwoSentences", "Rosa. Puella.", {"Rosa.", " Puella."}},
                      CutCase{"TailDropped", "Rosa. puella", {"Rosa."}},
                      CutCase{"NoFullStop", "Rosa puella! Quid?", {}},
                      CutCase{"Ellipsis", "Veni...", {"Veni.", ".", "."}},
                      CutCase{"LineBreakInside", "Arma virumque\r\ncano.\r\nTroiae.",
                              {"Arma virumque\r\ncano.", "\r\nTroiae."}},
                      CutCase{"NumberWithPoint", "3.5", {"3."}},
                      CutCase{"OnlyFullStopEnds", "Quid? Ita! Sic; non: ita.", {"Quid? Ita! Sic; non: ita."}},
                      CutCase{"Empty", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SentenceTable, SlotsBeyondTheSentencesAreEmptyAndOutsideTheTableAreErrors) {
  SentenceTable table("Rosa. Puella.");  // 13 slots, 2 sentences
  EXPECT_EQ(table.sentence(3), std::string_view{});
  EXPECT_EQ(table.sentence(13), std::string_view{});
  EXPECT_FALSE(table.sentence(14).has_value());
  EXPECT_FALSE(table.sentence(0).has_value());
  EXPECT_FALSE(table.sentence(-1).has_value());
  EXPECT_FALSE(SentenceTable("").sentence(1).has_value());
}

TEST(SentenceTable, JoinedSentencesGiveBackTheTextUpToItsLastFullStop) {
  const std::string text = "Gallia est omnis divisa. In partes tres.\r\nQuarum unam. incolunt";
  SentenceTable table(text);
  std::string joined;
  for (std::int64_t n = 1; n <= static_cast<std::int64_t>(table.sentenceCount()); ++n) joined += *table.sentence(n);
  EXPECT_EQ(joined, text.substr(0, text.rfind('.') + 1));
}

}  // namespace
}  // namespace varnelio

namespace varnelio {
namespace {

// One reading of a sentence number for the grid and the command line.
TEST(SentenceNumber, DigitsWithBlanksAroundAndAnOptionalPlus) {
  const std::pair<const char*, std::optional<std::int64_t>> cases[] = {
      {"2", 2},          {"  2    ", 2}, {"\t12", 12},      {"+3", 3},          {" +3 ", 3},
      {"", std::nullopt}, {"   ", std::nullopt}, {"2a", std::nullopt}, {"2 3", std::nullopt},
      {"-1", -1},         {"+", std::nullopt}, {"++1", std::nullopt}, {"+-1", std::nullopt},
      {"99999999999999999999", std::nullopt},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(parseSentenceNumber(text), expected) << '"' << text << '"';
}

}  // namespace
}  // namespace varnelio
