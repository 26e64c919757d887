// SPDX-License-Identifier: GPL-3.0-or-later
// The contextual tagger on models small enough to work out by hand: a lexicon of a
// few lemmas built here and a corpus of a few trigrams, so that each probability
// the forward-backward pass gives can be checked against the sum over the paths.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/morphology/analyser_data.h"
#include "core/morphology/contextual_tagger.h"
#include "core/morphology/tagger_tuning.h"
#include "core/morphology/latin_analyser.h"
#include "core/morphology/tagger_data.h"

namespace varnelio {
namespace {

// Lemmas: 0 "templum" (nominative and accusative singular alike), 1 and 2 two
// nouns whose forms meet in "opus" (a nominative of 1, an accusative of 2),
// 3 the preposition "ad". Morphologies 1 (nom. sg.) and 3 (acc. sg.).
LatinAnalyser tinyAnalyser() {
  AnalyserData d;
  d.morphologies.resize(4);
  d.morphologies[1] = {"nom.", "", "sg.", "", "",
                       {FormKind::NounCase, GrammaticalCase::Nominative, GrammaticalNumber::Singular}};
  d.morphologies[3] = {"acc.", "", "sg.", "", "",
                       {FormKind::NounCase, GrammaticalCase::Accusative, GrammaticalNumber::Singular}};
  d.lemmas = {{"templum", "n. 2", "temple", "n.", 0, PartOfSpeech::Noun, 0},
              {"opus", "n. 3", "travail", "n.", 0, PartOfSpeech::Noun, 0},
              {"opum", "n. 2", "(invent\xE9)", "n.", 0, PartOfSpeech::Noun, 0},
              {"ad", "pr\xE9p. + acc.", "vers", "", 0, PartOfSpeech::Invariable, 0}};
  d.irregulars = {{"templum", 0, 1}, {"templum", 0, 3}, {"opus", 1, 1}, {"opus", 2, 3}, {"ad", 3, 0}};
  return LatinAnalyser::fromBytes(encodeAnalyserData(d));
}

enum Tag : std::uint8_t { kSnt, kNom, kAcc, kPrep };

// A corpus of two-word sentences. Every single tag is counted once, so the single
// tags predict nothing; every trigram is seen at least twice and its pair never
// more often than with its history: the deleted interpolation gives all the weight
// to the trigrams, and P(z | x y) is count(x y z) / count(x y).
TaggerData tinyCorpus(std::vector<TaggerData::Trigram> trigrams) {
  TaggerData t;
  t.tags = {{{'s', 'n', 't'}, 1}, {{'n', '1', '1'}, 1}, {{'n', '3', '1'}, 1}, {{'r', ' ', ' '}, 1}};
  t.trigrams = std::move(trigrams);
  // Frequencies: templum and ad are never seen, opus (nominative) twice, opum never.
  t.lemmaFrequencies = {0, 2, 0, 0};
  t.lemmaGovernment = {0, 0, 0, government::kAccusative};
  return t;
}

struct Tagged {
  LatinAnalyser analyser = tinyAnalyser();
  ContextualTagger tagger;
  std::vector<TaggedWord> words;

  Tagged(TaggerData corpus, const std::vector<std::string>& sentence) {
    corpus.analyserFingerprint = analyser.fingerprint();
    tagger = ContextualTagger::fromBytes(encodeTaggerData(corpus));
    EXPECT_EQ(tagger.status(), ContextualTagger::Status::Loaded);
    EXPECT_TRUE(tagger.bind(analyser));
    for (const std::string& form : sentence) {
      TaggedWord word;
      word.analyses = analyser.analyse(form);
      words.push_back(std::move(word));
    }
    tagger.tag(analyser, words);
  }
  // The probability of the word's analysis in that case.
  double probability(std::size_t word, GrammaticalCase c) const {
    double p = 0;
    for (std::size_t k = 0; k < words[word].analyses.size(); ++k)
      if (analyser.caseOf(words[word].analyses[k]) == c) p += words[word].posterior[k];
    return p;
  }
};

// "templum opus": P(nom | snt snt) = 3/4, P(acc | snt snt) = 1/4; after a
// nominative, an accusative 3/4 and a nominative 1/4; after an accusative, either
// 1/2; the end of the sentence follows every pair. "opus" is nominative by a lemma
// seen twice, accusative by one never seen: emissions 3 and 1, that is 1 and 1/3.
// The paths (templum, opus): nom-nom 3/4 × 1/4 × 1 = 9/48, nom-acc 3/4 × 3/4 × 1/3
// = 9/48, acc-nom 1/4 × 1/2 × 1 = 6/48, acc-acc 1/4 × 1/2 × 1/3 = 2/48; in all 26/48.
TEST(ContextualTagger, ForwardBackwardOnAModelWorkedOutByHand) {
  const Tagged t(tinyCorpus({{kSnt, kSnt, kNom, 6},
                             {kSnt, kSnt, kAcc, 2},
                             {kSnt, kNom, kAcc, 6},
                             {kSnt, kNom, kNom, 2},
                             {kSnt, kAcc, kNom, 2},
                             {kSnt, kAcc, kAcc, 2},
                             {kNom, kAcc, kSnt, 6},
                             {kNom, kNom, kSnt, 2},
                             {kAcc, kNom, kSnt, 2},
                             {kAcc, kAcc, kSnt, 2}}),
                 {"templum", "opus"});
  ASSERT_EQ(t.words[0].posterior.size(), 2u);
  ASSERT_EQ(t.words[1].posterior.size(), 2u);
  EXPECT_NEAR(t.probability(0, GrammaticalCase::Nominative), 18.0 / 26, 1e-12);
  EXPECT_NEAR(t.probability(0, GrammaticalCase::Accusative), 8.0 / 26, 1e-12);
  EXPECT_NEAR(t.probability(1, GrammaticalCase::Nominative), 15.0 / 26, 1e-12);
  EXPECT_NEAR(t.probability(1, GrammaticalCase::Accusative), 11.0 / 26, 1e-12);
  EXPECT_EQ(t.analyser.caseOf(t.words[0].analyses[t.words[0].chosen]), GrammaticalCase::Nominative);
  EXPECT_EQ(t.analyser.caseOf(t.words[1].analyses[t.words[1].chosen]), GrammaticalCase::Nominative);
}

// "ad templum": the corpus alone would read "templum" as a nominative (3 to 1
// after a preposition at the start); "ad" governs the accusative, so the
// nominative right after it is weighed down: 3/4 × kUngovernedCase against 1/4.
TEST(ContextualTagger, APrepositionWeighsDownTheCaseItDoesNotGovern) {
  const std::vector<TaggerData::Trigram> corpus = {
      {kSnt, kSnt, kPrep, 4}, {kSnt, kPrep, kNom, 6}, {kSnt, kPrep, kAcc, 2}, {kPrep, kNom, kSnt, 6},
      {kPrep, kAcc, kSnt, 2}};
  const Tagged governed(tinyCorpus(corpus), {"ad", "templum"});
  const double nominative = 0.75 * tagger_tuning::kUngovernedCase, accusative = 0.25;
  EXPECT_NEAR(governed.probability(1, GrammaticalCase::Nominative), nominative / (nominative + accusative), 1e-12);
  EXPECT_EQ(governed.analyser.caseOf(governed.words[1].analyses[governed.words[1].chosen]),
            GrammaticalCase::Accusative);

  // The same preposition governing nothing: the corpus decides.
  TaggerData free = tinyCorpus(corpus);
  free.lemmaGovernment[3] = 0;
  const Tagged ungoverned(free, {"ad", "templum"});
  EXPECT_NEAR(ungoverned.probability(1, GrammaticalCase::Nominative), 0.75, 1e-12);
}

TEST(TaggerFile, FitsOnlyTheAnalyserFileItWasBuiltWith) {
  const LatinAnalyser analyser = tinyAnalyser();
  TaggerData corpus = tinyCorpus({{kSnt, kSnt, kNom, 2}});
  corpus.analyserFingerprint = analyser.fingerprint();
  EXPECT_TRUE(ContextualTagger::fromBytes(encodeTaggerData(corpus)).fits(analyser));
  // As many lemmas, but another analyser file: their frequencies may be others'.
  corpus.analyserFingerprint ^= 1;
  const ContextualTagger other = ContextualTagger::fromBytes(encodeTaggerData(corpus));
  EXPECT_EQ(other.status(), ContextualTagger::Status::Loaded);
  EXPECT_FALSE(other.fits(analyser));
}

}  // namespace
}  // namespace varnelio
