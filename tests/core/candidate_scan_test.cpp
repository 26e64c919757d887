// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/candidate_scan.h"

#include <gtest/gtest.h>

#include "../support/required_data.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/text/cp1252.h"
#include "core/files/source_file.h"

namespace varnelio {
namespace {

using Found = std::vector<std::pair<std::string, std::int64_t>>;

Found scan(std::string_view text, KindId kind) {
  Found found;
  scanText(text, analysisKind(kind), [&](std::string_view w, std::int64_t n) { found.emplace_back(w, n); });
  return found;
}

struct ScanCase {
  const char* name;
  KindId kind;
  std::string text;
  Found found;
};

class CandidateScan : public ::testing::TestWithParam<ScanCase> {};

TEST_P(CandidateScan, FindsTheCandidatesInTextOrderWithTheirSentence) {
  EXPECT_EQ(scan(GetParam().text, GetParam().kind), GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CandidateScan,
    ::testing::Values(
        ScanCase{"AccusativeSingular", KindId::AccSg, "Puella rosam amat. Nautae aquam dant.",
                 {{"rosam", 1}, {"aquam", 2}}},
        ScanCase{"AccusativePlural", KindId::AccPl, "Puella rosam amat. Nautae aquam dant.", {{"Puella", 1}}},
        ScanCase{"SameFormTwice", KindId::AccSg, "rosam rosam.", {{"rosam", 1}, {"rosam", 1}}},
        ScanCase{"ApostropheCuts", KindId::AccSg, "d'aquam.", {{"aquam", 1}}},
        ScanCase{"ApostropheCutsAblative", KindId::AblSg, "d'aqua.", {{"aqua", 1}}},
        ScanCase{"DigitCuts", KindId::AccSg, "aquam2.", {{"aquam", 1}}},
        ScanCase{"HyphenCuts", KindId::AccSg, "rosam-que.", {{"rosam", 1}}},
        ScanCase{"HyphenCutsQue", KindId::AblSg, "rosam-que.", {{"que", 1}}},
        ScanCase{"AccentedLetterStaysInWord", KindId::AccSg, "po\xEBtam \xC6neam.", {{"po\xEBtam", 1}, {"\xC6neam", 1}}},
        ScanCase{"OeCodeCutsTheWord", KindId::AccSg, "c\x9C" "lum.", {{"lum", 1}}},
        ScanCase{"TimesSignCuts", KindId::AccSg, "am\xD7" "am.", {{"am", 1}, {"am", 1}}},
        ScanCase{"TailAfterLastFullStopIgnored", KindId::AccSg, "Rosam. Aquam", {{"Rosam", 1}}},
        ScanCase{"NoFullStopNoCandidate", KindId::AccSg, "Rosam aquam", {}},
        ScanCase{"LastWordEndedByFullStop", KindId::AccSg, "Video\r\nrosam.", {{"rosam", 1}}},
        ScanCase{"SentenceNumbersFollowFullStops", KindId::AccSg, "Veni... rosam.", {{"rosam", 4}}},
        ScanCase{"UpperCaseEndingIsNot", KindId::AccSg, "ROSAM Rosam.", {{"Rosam", 1}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CandidateScan, OneSentenceWordByWord) {
  const AnalysisKind& acc = analysisKind(KindId::AccSg);
  Found found;
  auto collect = [&](std::string_view w, std::int64_t n) { found.emplace_back(w, n); };
  scanCandidates("rosam", 7, acc, collect);  // no character ends the word
  EXPECT_TRUE(found.empty());
  scanCandidates("rosam.", 7, acc, collect);
  scanCandidates(" \r\nm am\x9C" "r\xE9" "em am\xE9m rosam", 8, acc, collect);
  EXPECT_EQ(found, (Found{{"rosam", 7}, {"am", 8}, {"r\xE9" "em", 8}}));
}

// The word cutting, written the plain way: letters gathered one by one, each word
// tested when a non-letter ends it.
Found plainScan(std::string_view text, const AnalysisKind& kind) {
  Found found;
  std::int64_t sentence = 0;
  std::string word;
  std::string pending;  // the words of the sentence being read
  Found inSentence;
  for (char c : text) {
    if (cp1252::isLetterCode(static_cast<unsigned char>(c))) {
      word += c;
      continue;
    }
    if (!word.empty()) {
      bool candidate = false;
      for (int i = 0; i < kind.endingCount; ++i) candidate = candidate || word.ends_with(kind.endings[i]);
      if (candidate) inSentence.emplace_back(word, sentence + 1);
      word.clear();
    }
    if (c == '.') {
      ++sentence;
      found.insert(found.end(), inSentence.begin(), inSentence.end());
      inSentence.clear();
    }
  }
  return found;
}

TEST(CandidateScan, AgreesWithThePlainWordCuttingOnRandomTexts) {
  // Letters that end many endings, other letters, accented ones, and the bytes
  // that cut words: blanks, digits, punctuation, the 0x80 range, times and divide.
  const std::string alphabet = "amusqeionrbAMUS\xE9\xC6\xFF\xC0 \r\n\t.,'-2\x9C\x80\xD7\xF7\xBF";
  std::uint32_t seed = 12345;
  auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
  for (int round = 0; round < 200; ++round) {
    std::string text;
    const std::size_t length = next() % 400;
    for (std::size_t i = 0; i < length; ++i) text += alphabet[(next() >> 8) % alphabet.size()];
    for (const AnalysisKind& kind : analysisKinds())
      ASSERT_EQ(scan(text, kind.id), plainScan(text, kind)) << kind.cliName << " on round " << round;
  }
}

// The scan tests endings 64 bytes at a time: an ending cut by the edge of a block
// is found wherever the edge falls, and the letters of an ending split by a
// non-letter make none.
TEST(CandidateScan, EndingsAcrossTheEdgeOfABlock) {
  const AnalysisKind& acc = analysisKind(KindId::AccSg);
  for (std::size_t pad = 50; pad < 72; ++pad) {
    SCOPED_TRACE(pad);
    const std::string text = std::string(pad, ' ') + "rosamque. am-que aquam.";
    EXPECT_EQ(scan(text, KindId::AccSg), (Found{{"rosamque", 1}, {"am", 2}, {"aquam", 2}}));
    Found found;
    scanCandidates(std::string_view(text).substr(0, pad + 9), 1, acc,
                   [&](std::string_view w, std::int64_t n) { found.emplace_back(w, n); });
    EXPECT_EQ(found, (Found{{"rosamque", 1}}));
    CandidateGrid grid;
    scanIntoGrid(text, acc, grid);
    ASSERT_EQ(grid.candidateCount(), 3u);
    EXPECT_EQ(grid.row(1).form, "rosamque");
    EXPECT_EQ(grid.row(3).sentence, "2");
  }
}

TEST(CandidateScan, GridRowsAreNumberedByTheirIndex) {
  CandidateGrid grid;
  grid.appendCandidate("old", 9);
  scanIntoGrid("Puella rosam amat. Nautae aquam dant. Rosam aquam.", analysisKind(KindId::AccSg), grid);
  ASSERT_EQ(grid.candidateCount(), 4u);
  const char* forms[] = {"rosam", "aquam", "Rosam", "aquam"};
  const char* sentences[] = {"1", "2", "3", "3"};
  for (std::size_t r = 1; r <= 4; ++r) {
    EXPECT_EQ(grid.row(r).number, static_cast<std::int64_t>(r));
    EXPECT_EQ(grid.row(r).sentence, sentences[r - 1]);
    EXPECT_EQ(grid.row(r).form, forms[r - 1]);
    EXPECT_EQ(grid.row(r).analysis, "");
    EXPECT_FALSE(grid.row(r).analysisAlignedTopLeft);
  }
}

TEST(CandidateScan, EveryCorpusWordEndingInUmIsAGenitivePluralCandidate) {
  const std::filesystem::path corpus = VARNELIO_CORPUS_DIR;
  const auto file = corpus / "cicero-de-amicitia.txt";
  VARNELIO_REQUIRE_DATA(std::filesystem::exists(file), "the corpus at " + corpus.string());
  const auto read = readSourceText(file.string());
  ASSERT_TRUE(std::holds_alternative<std::string>(read));
  const std::string& text = std::get<std::string>(read);
  const Found gen = scan(text, KindId::GenPl);
  const Found abl = scan(text, KindId::AblPl);
  EXPECT_GT(gen.size(), 100u);
  for (const auto& [w, n] : gen) ASSERT_TRUE(w.ends_with("um")) << w;
  EXPECT_EQ(abl, scan(text, KindId::DatPl));
  // Numbers never go down and never pass the number of full stops.
  std::int64_t last = 0;
  const auto stops = static_cast<std::int64_t>(std::count(text.begin(), text.end(), '.'));
  for (const auto& [w, n] : gen) {
    ASSERT_GE(n, last);
    ASSERT_LE(n, stops);
    last = n;
  }
}

}  // namespace
}  // namespace varnelio
