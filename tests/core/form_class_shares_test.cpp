// SPDX-License-Identifier: GPL-3.0-or-later
// How common a form class is: the one table the tagger, the form dictionary and
// the analyser's order share, counted on the treebanks.
#include <gtest/gtest.h>

#include "core/morphology/form_class_counts.h"
#include "core/morphology/form_class_shares.h"

namespace varnelio {
namespace {

MorphologyFeatures finite(GrammaticalPerson person, GrammaticalNumber number, Mood mood, Tense tense, Voice voice) {
  return {.kind = FormKind::Finite, .number = number, .person = person, .mood = mood, .tense = tense, .voice = voice};
}

MorphologyFeatures gendered(GrammaticalCase c, GrammaticalNumber n, GrammaticalGender g, Degree d) {
  return {.kind = FormKind::GenderedCase, .grammaticalCase = c, .number = n, .gender = g, .degree = d};
}

int tokensOf(PartOfSpeech part) {
  for (const auto& t : form_class_counts::kTotals)
    if (t.partOfSpeech == part) return t.tokens;
  return 0;
}

TEST(FormClassShares, EachShareIsItsClassCountOverItsPartOfSpeech) {
  // Every counted class, and its share: what the tagger and the dictionary read.
  for (const auto& c : form_class_counts::kCounts)
    EXPECT_DOUBLE_EQ(formClassShare(c.partOfSpeech, c.features),
                     static_cast<double>(c.tokens) / tokensOf(c.partOfSpeech));
  // A class the treebanks never show counts as half a token, not as none.
  MorphologyFeatures never = finite(GrammaticalPerson::Second, GrammaticalNumber::Plural, Mood::Subjunctive,
                                    Tense::FuturePerfect, Voice::Passive);
  EXPECT_DOUBLE_EQ(formClassShare(PartOfSpeech::Verb, never), form_class_tuning::kUnseenTokens / tokensOf(PartOfSpeech::Verb));
  // The invariable words and the adverbs of adjectives, which the treebanks cannot count.
  MorphologyFeatures invariable;
  invariable.kind = FormKind::Invariable;
  EXPECT_EQ(formClassShare(PartOfSpeech::Invariable, invariable), 1.0);
  MorphologyFeatures adverb;
  adverb.kind = FormKind::Adverb;
  adverb.degree = Degree::Positive;
  EXPECT_EQ(formClassShare(PartOfSpeech::Adjective, adverb), form_class_tuning::kPositiveAdverb);
}

TEST(FormClassShares, TheGrammarBooksOrder) {
  using P = GrammaticalPerson;
  using N = GrammaticalNumber;
  const auto share = [](MorphologyFeatures m) { return formClassShare(PartOfSpeech::Verb, m); };
  // Third persons commonest, the present before the imperfect before the future.
  EXPECT_GT(share(finite(P::Third, N::Singular, Mood::Indicative, Tense::Present, Voice::Active)),
            share(finite(P::First, N::Plural, Mood::Indicative, Tense::Present, Voice::Active)));
  EXPECT_GT(share(finite(P::Third, N::Singular, Mood::Indicative, Tense::Present, Voice::Active)),
            share(finite(P::Third, N::Singular, Mood::Indicative, Tense::Imperfect, Voice::Active)));
  EXPECT_GT(share(finite(P::Third, N::Singular, Mood::Indicative, Tense::Imperfect, Voice::Active)),
            share(finite(P::Third, N::Singular, Mood::Indicative, Tense::Future, Voice::Passive)));
  // The positive before the comparative.
  using C = GrammaticalCase;
  EXPECT_GT(formClassShare(PartOfSpeech::Adjective, gendered(C::Nominative, N::Singular, GrammaticalGender::Masculine, Degree::Positive)),
            formClassShare(PartOfSpeech::Adjective, gendered(C::Nominative, N::Singular, GrammaticalGender::Masculine, Degree::Comparative)));
}

TEST(FormClassShares, CaseAndNumberSharesAreAroundTheirMean) {
  for (const PartOfSpeech part : {PartOfSpeech::Noun, PartOfSpeech::Adjective, PartOfSpeech::Pronoun, PartOfSpeech::Verb}) {
    double sum = 0;
    for (int c = 1; c <= 7; ++c)
      for (const GrammaticalNumber n : {GrammaticalNumber::Singular, GrammaticalNumber::Plural})
        sum += caseNumberShare(part, static_cast<GrammaticalCase>(c), n);
    EXPECT_NEAR(sum, 14.0, 0.1) << static_cast<char>(part);  // unseen cells count half a token, hence "near"
  }
  // A participle is a subject far more often than a genitive ("egressi").
  EXPECT_GT(caseNumberShare(PartOfSpeech::Verb, GrammaticalCase::Nominative, GrammaticalNumber::Plural),
            caseNumberShare(PartOfSpeech::Verb, GrammaticalCase::Genitive, GrammaticalNumber::Singular));
  EXPECT_EQ(caseNumberShare(PartOfSpeech::Noun, GrammaticalCase::None, GrammaticalNumber::Singular), 1.0);
}

}  // namespace
}  // namespace varnelio
