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

// How a lemma's weight is split among the forms of one tag (the corpus counts a
// verb's finite forms as one tag per mood and stem, an adjective's cases whatever
// the gender) is not set here: it comes from how common each form is, in
// form_class_shares.h, the table the form dictionary uses too.

}  // namespace varnelio::tagger_tuning
