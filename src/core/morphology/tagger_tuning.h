// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The contextual tagger's hand-set constants, in one place: what each does and
// where its value comes from. Everything else the tagger knows is counted in its
// corpus (etiqueteur.dat).
namespace varnelio::tagger_tuning {

// How much likelier a case is NOT right after a preposition that does not govern
// it ("ad" then a nominative): a thousandth. A preposition and the case it governs
// are grammar, not statistics; the factor only has to outweigh the corpus's
// trigrams (which rarely differ by more than a hundredfold) without making the
// other case impossible, since a preposition may also be an adverb ("ante",
// "post") or a word may be cut from its noun by a genitive.
inline constexpr double kUngovernedCase = 0.001;

// The weight of a reading through a shortened spelling ("provincis" for
// "provinciis", "Gallis" read as Gallia's): a twentieth of the lemma's frequency,
// so that the regular reading of a form ("Gallis", the Gauls) wins whenever it
// exists, and the shortened one still counts where it is the only one.
inline constexpr double kContractedSpelling = 0.05;

// The corpus counts a verb's finite forms as one tag per mood and stem (all
// persons and tenses of the present indicative together) and an adjective's cases
// whatever the gender; these shares split a lemma's frequency among the forms of
// one tag, so that a verb does not weigh as much in each of its eighteen forms as
// a noun in its one ("turbas": you disturb, or crowds?). Set by hand from the
// grammar books' experience of prose: third persons commonest, the present
// before the imperfect before the future. For comparison, the finite verbs of the
// treebanks in data/treebanks (11,648) give 0.106, 0.098, 0.559, 0.020, 0.020,
// 0.197 by person: the same order for the singular, the plural's persons rarer.
// form_class_shares.h now counts how common every form class is on those treebanks
// (the table of the form dictionary and of the analyser's order); splitting the
// tags by its counts instead of these shares did not make the pre-analysis
// better, so these stay until a judge that weighs the forms itself replaces them.
// By person: 1st, 2nd, 3rd singular, then plural.
inline constexpr double kPersonShare[6] = {0.10, 0.06, 0.45, 0.07, 0.04, 0.28};
// Indicative, active: present, imperfect, future; then perfect, pluperfect,
// future perfect.
inline constexpr double kIndicativeTenseShare[6] = {0.55, 0.30, 0.15, 0.75, 0.20, 0.05};
// Subjunctive, active: present, imperfect; then perfect, pluperfect.
inline constexpr double kSubjunctiveTenseShare[4] = {0.5, 0.5, 0.35, 0.65};
// Indicative, passive: present, imperfect, future.
inline constexpr double kPassiveTenseShare[3] = {0.55, 0.30, 0.15};
// Subjunctive, passive: present and imperfect alike.
inline constexpr double kPassiveSubjunctiveTenseShare = 0.5;
// An adjective's or a participle's case and number, shared by its three genders.
inline constexpr double kGenderShare = 1.0 / 3;
// A comparative's or superlative's form: a tenth of a positive's, shared by its
// three genders (comparison is rare beside the positive).
inline constexpr double kComparedShare = 0.1 / 3;

}  // namespace varnelio::tagger_tuning
