// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How common a form class is, answered once for the whole program: the share of
// a lemma's occurrences in running text that one form of a morphology takes
// ("amat" among all the forms of amo met in texts). The contextual tagger splits a
// lemma's weight among the forms of one of its tags by these shares; the form
// dictionary keeps the forms a reader is likeliest to meet by lemma frequency
// times these shares; the analyser orders the analyses of a word by its case and
// number's share.
//
// Where the values come from: the tokens of the treebanks in data/treebanks
// (AGLDT 2.1, UD CIRCSE), counted by form class and part of speech by
// scripts/count-form-shares into form_class_counts.h; a class the treebanks never
// show counts as half a token. The adverbs that the lexicon gives an adjective
// ("fortiter", "fortius", "fortissime") cannot be counted there,
// since the treebanks file them under their own lemma: their shares are set by
// hand below.
#include "core/morphology/analyser_data.h"

namespace varnelio {

// The share of one form of morphology `m` among the occurrences of a lemma of that
// part of speech (a noun, adjective, pronoun, numeral or verb; any other is treated
// as invariable). An invariable word's one form is all its occurrences: 1.
double formClassShare(PartOfSpeech partOfSpeech, const MorphologyFeatures& m);

// How often a case and number are met among the nominal forms of a part of
// speech (nouns, adjectives, a verb's participles, any other pronouns and
// numerals), as a share of the mean of the fourteen (1): the sum of the form
// classes of that case and number.
double caseNumberShare(PartOfSpeech partOfSpeech, GrammaticalCase c, GrammaticalNumber n);

namespace form_class_tuning {
// An adjective's adverb ("fortiter"), next to the adjective's thirty-six case
// forms: about as common as one of them.
inline constexpr double kPositiveAdverb = 0.03;
// Its comparative and superlative ("fortius", "fortissime"): a tenth of that.
inline constexpr double kComparedAdverb = 0.003;
// A class never met in the treebanks counts as this many tokens.
inline constexpr double kUnseenTokens = 0.5;
}  // namespace form_class_tuning

}  // namespace varnelio
